// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-and-jet scheme's report, printed from what the window shows, and its operation control table,
// which finds for every chosen design year, case and speed the pair of axial-fan counts of least power.
#include "shaft/frmShaftAndJet.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/main_windows_state.h"
#include "jetfan/scheme_output.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/controls.h"
#include "platform/vb.h"
#include "shaft/sj_report.h"
#include "ventparam/frmVentParam.h"

#include <optional>
#include <string>
#include <utility>

using app::guarded;
using platform::Forms;
using platform::TextBox;

void frmShaftAndJet::balanceMessage(const std::string& prompt) {
    if (quietBalance_) {
        quietFaults_ += prompt;
        return;
    }
    platform::MsgBox(prompt, platform::vbOKOnly, "出错！");
}

void frmShaftAndJet::cmdReport_Click() {
    const std::optional<std::string> path = jetfan::ProjectOutputPath(shaft::kSjReportName, ".rpt");
    if (!path) {
        return;
    }
    const std::string project = frmReq::ReportProjectName();
    const std::pair<const char*, const platform::TextBox*> boxes[] = {
        {"txtShaftPile", &txtShaftPile},
        {"txtQe", &txtQe},
        {"txtQQ_e", &txtQQ_e},
        {"txtAA_e", &txtAA_e},
        {"txtKK_e", &txtKK_e},
        {"txtv_e", &txtv_e},
        {"txtdeltap_e", &txtdeltap_e},
        {"txtZeta_fencha", &txtZeta_fencha},
        {"txtp_de", &txtp_de},
        {"txtp_se", &txtp_se},
        {"txtp_tote", &txtp_tote},
        {"txtt1_e", &txtt1_e},
        {"txtp1_e", &txtp1_e},
        {"txteta_e", &txteta_e},
        {"txtSSkw_e", &txtSSkw_e},
        {"txtetam_e", &txtetam_e},
        {"txtk_e", &txtk_e},
        {"txtMM1_e", &txtMM1_e},
        {"txtQb", &txtQb},
        {"txtQQ_b", &txtQQ_b},
        {"txtAA_b", &txtAA_b},
        {"txtKK_b", &txtKK_b},
        {"txtv_b", &txtv_b},
        {"txtbeta", &txtbeta},
        {"txtdeltap_b", &txtdeltap_b},
        {"txtZeta_heliu", &txtZeta_heliu},
        {"txtp_db", &txtp_db},
        {"txtp_sb", &txtp_sb},
        {"txtp_totb", &txtp_totb},
        {"txtt1_b", &txtt1_b},
        {"txtp1_b", &txtp1_b},
        {"txteta_b", &txteta_b},
        {"txtSSkw_b", &txtSSkw_b},
        {"txtetam_b", &txtetam_b},
        {"txtk_b", &txtk_b},
        {"txtMM1_b", &txtMM1_b},
        {"txtQQ_req1", &txtQQ_req1},
        {"txtQQ_r1", &txtQQ_r1},
        {"txtv_r1", &txtv_r1},
        {"txtdeltap_r1", &txtdeltap_r1},
        {"txtdeltap_m1", &txtdeltap_m1},
        {"txtdeltap_t1", &txtdeltap_t1},
        {"txttotaldeltap_j1", &txttotaldeltap_j1},
        {"txtFlow1", &txtFlow1},
        {"txtDD_j1", &txtDD_j1},
        {"txtAA_j1", &txtAA_j1},
        {"txtvj1", &txtvj1},
        {"txtZZ_j1", &txtZZ_j1},
        {"txteta1", &txteta1},
        {"txtdeltap_j1", &txtdeltap_j1},
        {"txtPower1", &txtPower1},
        {"txtjetcount1", &txtjetcount1},
        {"txtCC_2", &txtCC_2},
        {"txtQQ_req2", &txtQQ_req2},
        {"txtQQ_r2", &txtQQ_r2},
        {"txtv_r2", &txtv_r2},
        {"txtdeltap_r2", &txtdeltap_r2},
        {"txtdeltap_m2", &txtdeltap_m2},
        {"txtdeltap_t2", &txtdeltap_t2},
        {"txttotaldeltap_j2", &txttotaldeltap_j2},
        {"txtFlow2", &txtFlow2},
        {"txtDD_j2", &txtDD_j2},
        {"txtAA_j2", &txtAA_j2},
        {"txtvj2", &txtvj2},
        {"txtZZ_j2", &txtZZ_j2},
        {"txteta2", &txteta2},
        {"txtdeltap_j2", &txtdeltap_j2},
        {"txtPower2", &txtPower2},
        {"txtjetcount2", &txtjetcount2},
        {"txtCC_3", &txtCC_3},
        {"txtds", &txtds},
        {"txtQQ_req_VI", &txtQQ_req_VI},
        {"txtQQ_s", &txtQQ_s},
        {"txtQQ_sf", &txtQQ_sf},
        {"txtv_rs", &txtv_rs},
        {"txtCC_2s", &txtCC_2s},
        {"txtratio_Qe_Qr1", &txtratio_Qe_Qr1},
        {"txtratio_Qb_Qr2", &txtratio_Qb_Qr2},
        {"txtTotalPower", &txtTotalPower},
    };
    shaft::SjBoxTexts texts;
    for (const auto& [name, box] : boxes) {
        texts[name] = box->Text();
    }
    texts["cmbCounte"] = cmbCounte.Text();
    texts["cmbCountb"] = cmbCountb.Text();
    texts["cmbJetModel1"] = cmbJetModel1.Text();
    texts["cmbJetModel2"] = cmbJetModel2.Text();
    std::vector<shaft::SjStationTexts> stations;
    guarded([&] {
        for (int k = 1; k <= lstJet.ListItems.Count(); ++k) {
            platform::ListItem& row = lstJet.ListItems(k);
            stations.push_back({row.Text(), row.SubItems(1), row.SubItems(2)});
        }
    });
    std::vector<std::string> lines = shaft::SjReportLines(project, texts, stations);
    // Below the groups, what they hold against the balance above them.
    if (const std::string judgement = layoutJudgement(); !judgement.empty()) {
        lines.push_back(judgement);
    }
    jetfan::PublishSchemeText(*path, lines, true, "计算报告", std::string(shaft::kSjReportTitle));
}

frmShaftAndJet::DesignSnapshot frmShaftAndJet::takeSnapshot() {
    DesignSnapshot s;
    for (TextBox* box : {&txtShaftPile,
                         &txtQe,
                         &txtQQ_e,
                         &txtAA_e,
                         &txtKK_e,
                         &txtv_e,
                         &txtdeltap_e,
                         &txtZeta_fencha,
                         &txtp_de,
                         &txtp_se,
                         &txtp_tote,
                         &txtt1_e,
                         &txtp1_e,
                         &txteta_e,
                         &txtSSkw_e,
                         &txtetam_e,
                         &txtk_e,
                         &txtMM1_e,
                         &txtQb,
                         &txtQQ_b,
                         &txtAA_b,
                         &txtv_b,
                         &txtKK_b,
                         &txtbeta,
                         &txtdeltap_b,
                         &txtZeta_heliu,
                         &txtp_db,
                         &txtp_sb,
                         &txtp_totb,
                         &txtt1_b,
                         &txtp1_b,
                         &txteta_b,
                         &txtSSkw_b,
                         &txtetam_b,
                         &txtk_b,
                         &txtMM1_b,
                         &txtds,
                         &txtQQ_req_VI,
                         &txtQQ_s,
                         &txtv_rs,
                         &txtCC_2s,
                         &txtQQ_sf,
                         &txtratio_Qe_Qr1,
                         &txtratio_Qb_Qr2,
                         &txtQQ_req1,
                         &txtQQ_r1,
                         &txtv_r1,
                         &txtdeltap_r1,
                         &txtdeltap_m1,
                         &txtdeltap_t1,
                         &txttotaldeltap_j1,
                         &txtCC_2,
                         &txtFlow1,
                         &txtDD_j1,
                         &txtAA_j1,
                         &txtvj1,
                         &txtZZ_j1,
                         &txteta1,
                         &txtdeltap_j1,
                         &txtPower1,
                         &txtjetcount1,
                         &txtQQ_req2,
                         &txtQQ_r2,
                         &txtv_r2,
                         &txtdeltap_r2,
                         &txtdeltap_m2,
                         &txtdeltap_t2,
                         &txttotaldeltap_j2,
                         &txtCC_3,
                         &txtFlow2,
                         &txtDD_j2,
                         &txtAA_j2,
                         &txtvj2,
                         &txtZZ_j2,
                         &txteta2,
                         &txtdeltap_j2,
                         &txtPower2,
                         &txtjetcount2,
                         &txtTotalPower,
                         &txtPile,
                         &txtJetNumPerTeam,
                         &txtPress}) {
        s.Boxes.emplace_back(box, box->Text());
    }
    for (double* value :
         {&QQ_req1,     &QQ_req2,   &QQ_req_VI, &QQ_r1,        &QQ_r2,        &v_r1,      &v_r2,
          &QQ_e,        &v_e,       &KK_e,      &QQ_b,         &v_b,          &KK_b,      &beta,
          &AA_e,        &AA_b,      &deltap_e,  &deltap_b,     &deltap_r1,    &deltap_m1, &deltap_t1,
          &deltap_r2,   &deltap_m2, &deltap_t2, &CC_2,         &CC_2s,        &CC_2b,     &CC_3,
          &QQ_sf,       &QQ_s,      &v_rs,      &ratio_Qe_Qr1, &ratio_Qb_Qr2, &ds,        &zeta_e,
          &Zeta_fencha, &Zeta_heliu}) {
        s.Values.emplace_back(value, *value);
    }
    s.SupplyGiven = chkQb.Value();
    s.Tip = lblTip.Caption();
    s.BalanceTip = balanceTip_;
    s.PowerTip = powerTip_;
    s.DemandComputed = demandComputed_;
    s.ImpossibleBalance = impossibleBalance_;
    return s;
}

void frmShaftAndJet::restoreSnapshot(const DesignSnapshot& s) {
    for (const auto& [box, text] : s.Boxes) {
        guarded([&] { box->setSilently(text); });
    }
    for (const auto& [value, saved] : s.Values) {
        *value = saved;
    }
    guarded([&] { chkQb.setSilently(s.SupplyGiven); });
    guarded([&] { lblTip.setCaption(s.Tip); });
    balanceTip_ = s.BalanceTip;
    powerTip_ = s.PowerTip;
    demandComputed_ = s.DemandComputed;
    impossibleBalance_ = s.ImpossibleBalance;
}

void frmShaftAndJet::cmdTable_Click() {
    jetfan::ControlTableScheme scheme;
    scheme.Name = shaft::kSjControlTableName;
    scheme.Summary = [this] { return GetControlSummary(); };
    // The balance takes the supply flows the search sets instead of computing one.
    scheme.BeforeOneWaySpeeds = [this] { chkQb.set(1); };
    scheme.SelectTwoWayBeforeOneWay = false;
    std::optional<jetfan::MainWindowsState> mainWindows;
    guarded([&] {
        mainWindows.emplace(Forms::instance<frmReq>(), Forms::instance<frmVentParam>(),
                            std::vector<platform::TextBox*>{},
                            jetfan::MainWindowsState::SharedValues::Restored);
    });
    const DesignSnapshot design = takeSnapshot();
    jetfan::RunControlTable(*this, scheme);
    // The table is a record of other combinations: the design on screen, and what the scheme file
    // stores, stay the engineer's.
    if (mainWindows) {
        mainWindows->Restore();
    }
    restoreSnapshot(design);
}

std::string frmShaftAndJet::GetControlSummary() {
    // The search runs the demand once and the balance once per pair: what they cannot do is kept and
    // judged here instead of stopping the table with a message box each time.
    struct Quiet {
        frmShaftAndJet& w;
        explicit Quiet(frmShaftAndJet& window) : w(window) {
            w.quietBalance_ = true;
            w.quietFaults_.clear();
        }
        ~Quiet() {
            w.quietBalance_ = false;
            w.quietFaults_.clear();
        }
    } quiet(*this);

    guarded([this] { cmdCalculateSectionQQ_req_Click(); });
    if (!quietFaults_.empty()) {
        return "需风量无法计算：" + quietFaults_;
    }

    const std::optional<vb::Integer> exhaustFans = vb::CInt(vb::Val(cmbCounte.Text()));
    const std::optional<vb::Integer> supplyFans = vb::CInt(vb::Val(cmbCountb.Text()));
    const double perExhaustFan = vb::Val(txtQe.Text());
    const double perSupplyFan = vb::Val(txtQb.Text());
    const std::string typedExhaust = txtQQ_e.Text();
    const std::string typedSupply = txtQQ_b.Text();

    // Sets the flows of a pair and balances them; nullopt when the balance failed.
    const auto balancePair = [&](int i, int j) -> std::optional<shaft::SjPairBoxes> {
        quietFaults_.clear();
        guarded([&] { txtQQ_e.set(vb::CStr(i * perExhaustFan)); });
        guarded([&] { txtQQ_b.set(vb::CStr(j * perSupplyFan)); });
        guarded([this] { cmdCalculatePtot3_Click(); });
        if (!quietFaults_.empty()) {
            return std::nullopt;
        }
        shaft::SjPairBoxes b;
        b.QQ_req1 = txtQQ_req1.Text();
        b.QQ_req2 = txtQQ_req2.Text();
        b.QQ_r1 = txtQQ_r1.Text();
        b.QQ_r2 = txtQQ_r2.Text();
        b.SSkw_e = txtSSkw_e.Text();
        b.SSkw_b = txtSSkw_b.Text();
        b.jetcount1 = txtjetcount1.Text();
        b.Power1 = txtPower1.Text();
        b.jetcount2 = txtjetcount2.Text();
        b.Power2 = txtPower2.Text();
        b.ratio_Qe_Qr1 = txtratio_Qe_Qr1.Text();
        b.ratio_Qb_Qr2 = txtratio_Qb_Qr2.Text();
        b.CC_2 = txtCC_2.Text();
        b.CC_3 = txtCC_3.Text();
        return b;
    };

    shaft::SjSearchResult best;
    if (exhaustFans && supplyFans) {
        best = shaft::LeastPowerSearch(*exhaustFans, *supplyFans, balancePair);
    }

    // The window is left on the pair the table reports, so that what it shows agrees with the table's
    // line; without one it goes back to the flows it showed before the search.
    if (best.Exhaust && best.Supply) {
        balancePair(*best.Exhaust, *best.Supply);
    } else {
        quietFaults_.clear();
        guarded([&] { txtQQ_e.set(typedExhaust); });
        guarded([&] { txtQQ_b.set(typedSupply); });
        guarded([this] { cmdCalculatePtot3_Click(); });
    }
    return best.Exhaust ? best.Summary : std::string(shaft::kSjNoPairAccepted);
}

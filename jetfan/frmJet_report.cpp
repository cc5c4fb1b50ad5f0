// SPDX-License-Identifier: GPL-3.0-or-later
// The jet-fan scheme's report, printed from what the window shows, and its operation control table, which
// recalculates the scheme for every chosen design year, case and working speed.
#include "jetfan/frmJet.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "jetfan/scheme_output.h"
#include "jetfan/scheme_report.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/controls.h"
#include "ventparam/frmVentParam.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

using app::guarded;

void frmJet::cmdReport_Click() {
    const std::optional<std::string> path = jetfan::ProjectOutputPath(jetfan::kJetReportName, ".rpt");
    if (!path) {
        return;
    }
    jetfan::JetReportBoxes b;
    b.ProjectName = frmReq::ReportProjectName();
    b.JetModel = cmbJetModel.Text();
    b.Flow = txtFlow.Text();
    b.DD_j = txtDD_j.Text();
    b.AA_j = txtAA_j.Text();
    b.vj = txtvj.Text();
    b.Power = txtPower.Text();
    b.ZZ_j = txtZZ_j.Text();
    b.eta = txteta.Text();
    b.deltap_j = txtdeltap_j.Text();
    b.deltap_r = txtdeltap_r.Text();
    b.deltap_m = txtdeltap_m.Text();
    b.deltap_t = txtdeltap_t.Text();
    b.deltap_l = txtdeltap_l.Text();
    b.totaldeltap_j = txttotaldeltap_j.Text();
    b.i = txti.Text();
    b.TotalPower = txtTotalPower.Text();
    for (int k = 1; k <= lstJet.ListItems.Count(); ++k) {
        platform::ListItem& row = lstJet.ListItems(k);
        b.Stations.push_back({row.Text(), row.SubItems(1), row.SubItems(2)});
    }
    jetfan::PublishSchemeText(*path, jetfan::JetReportLines(b), true, "计算报告",
                              std::string(jetfan::kJetReportTitle));
}

namespace {

/// What the engineer had in the main window, step 2 and the jet-fan window before the control table drove
/// them through its combinations: the design year, the traffic case, the working speed, the demands and
/// the fan boxes, with the figures behind them.
class DesignState {
public:
    DesignState(frmReq& req, frmVentParam& step2, frmJet& jet) : req_(req), step2_(step2) {
        for (platform::TextBox* box : {&req.txtYear,
                                       &req.txtPcu,
                                       &req.txtNN,
                                       &req.txtTraffic1,
                                       &req.txtPCUVeh,
                                       &req.txtq_co_at_Year,
                                       &req.txtq_VI_at_Year,
                                       &req.txtworkv_t,
                                       &req.txtDelta,
                                       &req.txtKK,
                                       &req.txtf_d,
                                       &req.txtf_iv,
                                       &req.txtf_iv_VI,
                                       &req.txtQQ_CO_SEGMENT,
                                       &req.txtQQ_req_CO_SEGMENT,
                                       &req.txtQQ_VI_SEGMENT,
                                       &req.txtQQ_req_VI_SEGMENT,
                                       &req.txtQQ_CO,
                                       &req.txtQQ_req_CO,
                                       &req.txtQQ_VI,
                                       &req.txtQQ_req_VI,
                                       &req.txtNN_bidirection,
                                       &req.txtQQ_req_CO_Bidirection_SEGMENT,
                                       &req.txtQQ_req_VI_Bidirection_SEGMENT,
                                       &req.txtQQ_req_CO_Bidirection,
                                       &req.txtQQ_req_VI_Bidirection,
                                       &req.txtQQreq_CO_block,
                                       &req.txtQQreq_VI_block,
                                       &req.txtQQ_req_CO_block,
                                       &req.txtQQ_req_VI_block,
                                       &req.txtQQ_req_CO_1kmblock,
                                       &req.txtQQ_req_VI_1kmblock,
                                       &req.txtQQ_req_exchange,
                                       &step2.txtQQ_req,
                                       &step2.txtv_r,
                                       &step2.txtAA_m,
                                       &step2.txtAA_m_Bidirection,
                                       &jet.txtdeltap_m,
                                       &jet.txtdeltap_t,
                                       &jet.txtdeltap_r,
                                       &jet.txtdeltap_l,
                                       &jet.txttotaldeltap_j,
                                       &jet.txti,
                                       &jet.txtTotalPower,
                                       &jet.txtdeltap_j}) {
            boxes_.emplace_back(box, box->Text());
        }
        for (platform::ListView* list : {&req.lstTrafficAnalysis, &req.lstBlock}) {
            lists_.push_back({list, cellsOf(*list)});
        }
        figures_ = {req.delta,     req.KK,    req.QQ_CO,     req.q_CO,    req.f_a,    req.f_d,
                    req.QQ_req_CO, req.f_h,   req.f_iv,      req.q_vi,    req.f_a_vi, req.f_h_vi,
                    req.f_iv_VI,   req.QQ_VI, req.QQ_req_VI, req.workv_t, req.nn_co,  req.nn_vi};
        caseIndex_ = step2.lstCase.ListIndex();
        tip_ = step2.lblQreqTip.Caption();
        speedTip_ = step2.lblSpeedTip.Caption();
    }

    /// Puts everything back as it was, firing nothing.
    void Restore() {
        for (auto& [box, text] : boxes_) {
            guarded([&] { box->setSilently(text); });
        }
        for (auto& [list, cells] : lists_) {
            guarded([&] {
                for (int i = 1; i <= list->ListItems.Count() && i <= static_cast<int>(cells.size()); ++i) {
                    const auto& row = cells[static_cast<std::size_t>(i - 1)];
                    platform::ListItem& item = list->ListItems(i);
                    for (std::size_t c = 1; c < row.size(); ++c) {
                        item.setSubItems(static_cast<int>(c), row[c]);
                    }
                }
            });
        }
        double* const figures[] = {
            &req_.delta,     &req_.KK,    &req_.QQ_CO,     &req_.q_CO,    &req_.f_a,    &req_.f_d,
            &req_.QQ_req_CO, &req_.f_h,   &req_.f_iv,      &req_.q_vi,    &req_.f_a_vi, &req_.f_h_vi,
            &req_.f_iv_VI,   &req_.QQ_VI, &req_.QQ_req_VI, &req_.workv_t, &req_.nn_co,  &req_.nn_vi};
        for (std::size_t k = 0; k < figures_.size(); ++k) {
            *figures[k] = figures_[k];
        }
        guarded([&] {
            for (int k = 0; k < step2_.lstCase.ListCount(); ++k) {
                step2_.lstCase.setSelectedSilently(k, k == caseIndex_);
            }
            step2_.lstCase.setListIndexSilently(caseIndex_);
        });
        guarded([&] { step2_.lblQreqTip.setCaption(tip_); });
        guarded([&] { step2_.lblSpeedTip.setCaption(speedTip_); });
    }

private:
    static std::vector<std::vector<std::string>> cellsOf(platform::ListView& list) {
        std::vector<std::vector<std::string>> cells;
        const int columns = list.ColumnHeaders.Count();
        for (int i = 1; i <= list.ListItems.Count(); ++i) {
            platform::ListItem& item = list.ListItems(i);
            std::vector<std::string> row{item.Text()};
            for (int c = 1; c < columns; ++c) {
                row.push_back(item.SubItems(c));
            }
            cells.push_back(std::move(row));
        }
        return cells;
    }

    frmReq& req_;
    frmVentParam& step2_;
    std::vector<std::pair<platform::TextBox*, std::string>> boxes_;
    std::vector<std::pair<platform::ListView*, std::vector<std::vector<std::string>>>> lists_;
    std::vector<double> figures_;
    int caseIndex_ = -1;
    std::string tip_, speedTip_;
};

} // namespace

void frmJet::cmdTable_Click() {
    jetfan::ControlTableScheme scheme;
    scheme.Name = jetfan::kJetControlTableName;
    scheme.Summary = [this] { return GetControlSummary(); };
    tableFailures_ = 0;
    std::optional<DesignState> before;
    guarded([&] {
        before.emplace(platform::Forms::instance<frmReq>(), platform::Forms::instance<frmVentParam>(), *this);
    });
    jetfan::RunControlTable(*this, scheme);
    // The table is a record of other combinations: the design on screen, and what Save stores, stays
    // the engineer's.
    if (before) {
        before->Restore();
    }
    if (tableFailures_ > 0) {
        platform::MsgBox("运营控制表中有" + std::to_string(tableFailures_) +
                             "个组合无法计算风机台数，其行已注明原因。",
                         platform::vbExclamation, "运营控制表");
    }
    tableFailures_ = 0;
}

std::string frmJet::GetControlSummary() {
    // The balance of each combination runs quietly; what it cannot do is written on its line.
    quietBalance_ = true;
    quietFault_.clear();
    guarded([&] { cmdCalculateJet_Click(); });
    quietBalance_ = false;
    std::string qreq;
    guarded([&] { qreq = platform::Forms::instance<frmVentParam>().txtQQ_req.Text(); });
    if (!quietFault_.empty() || txti.Text().empty()) {
        ++tableFailures_;
        const std::string why = quietFault_.empty() ? std::string("风机台数无法计算") : quietFault_;
        quietFault_.clear();
        return jetfan::JetControlFailure(qreq, why);
    }
    return jetfan::JetControlSummary(qreq, txti.Text(), txtPower.Text());
}

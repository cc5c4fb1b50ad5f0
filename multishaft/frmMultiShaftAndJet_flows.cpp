// SPDX-License-Identifier: GPL-3.0-or-later
// The several-shafts window: the design flow of the first section and the flows it gives every section,
// the section pressures and the rises at the shaft openings, the jet fans of every section, and the design
// of the shafts' axial fans with the scheme's total power.
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/finite_box.h"
#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "multishaft/multishaft.h"
#include "multishaft/multishaft_flows.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "shaft/shaft_and_jet.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/frmVentParam.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

using app::guarded;
using platform::Forms;
using platform::ListItem;
using platform::TextBox;

frmReq& mainWindow() {
    return Forms::instance<frmReq>();
}

frmVentParam& step2() {
    return Forms::instance<frmVentParam>();
}

bool leftLine() {
    return !mainWindow().optRightLine.Value();
}

/// A value into a cell with its format; a value that is not finite leaves the cell as it was.
void setCell(ListItem& row, int column, double value, const char* format) {
    if (std::isfinite(value)) {
        guarded([&] { row.setSubItems(column, vb::Format(value, format)); });
    }
}

double val(const TextBox& box) {
    return vb::Val(box.Text());
}

std::string shaftName(int i, const ListItem& row) {
    return "第" + std::to_string(i) + "个竖井(桩号" + row.Text() + ")";
}

void sayProblems(const std::vector<std::string>& problems) {
    if (problems.empty()) {
        return;
    }
    std::string text;
    for (const std::string& line : problems) {
        text += line + "\r\n";
    }
    text += "请检查输入条件！";
    platform::MsgBox(text, platform::vbOKOnly, "出错！");
}

} // namespace

// ---- Jet-fan models kept over the rebuilding of the sections ----

std::vector<std::string> frmMultiShaftAndJet::RememberSectionModels() {
    std::vector<std::string> models;
    for (int r = 1; r <= lstShaftSection.ListItems.Count(); ++r) {
        models.push_back(lstShaftSection.ListItems(r).SubItems(13));
    }
    return models;
}

// ---- The section flow trial ----

frmMultiShaftAndJet::TrialInputs frmMultiShaftAndJet::ReadTrialInputs() {
    frmReq& req = mainWindow();
    TrialInputs in;
    for (int r = 1; r <= lstShaftSection.ListItems.Count(); ++r) {
        const ListItem& row = lstShaftSection.ListItems(r);
        multishaft::TrialRow t;
        t.Qreq = vb::Val(row.SubItems(2));
        const double middle = (vb::Val(row.Text()) + vb::Val(row.SubItems(1))) * 0.5;
        guarded([&] { t.Area = req.GetAA_r(middle); });
        in.Rows.push_back(t);
    }
    for (int i = 1; i <= lstShaft.ListItems.Count(); ++i) {
        const ListItem& row = lstShaft.ListItems(i);
        in.Shafts.push_back({vb::Val(row.SubItems(1)), vb::Val(row.SubItems(17))});
    }
    in.LeftLine = leftLine();
    return in;
}

bool frmMultiShaftAndJet::TrySectionFlows(double flow) {
    return TrySectionFlows(ReadTrialInputs(), flow);
}

bool frmMultiShaftAndJet::TrySectionFlows(const TrialInputs& in, double flow) {
    const multishaft::TrialResult result = multishaft::TrySectionFlows(in.Rows, in.Shafts, flow, in.LeftLine);
    for (int r = 1; r <= static_cast<int>(result.Rows.size()); ++r) {
        const multishaft::TrialCells& cells = result.Rows[static_cast<std::size_t>(r) - 1];
        ListItem& row = lstShaftSection.ListItems(r);
        guarded([&] {
            row.setSubItems(3, cells.Qr);
            row.setSubItems(4, cells.Qf);
            row.setSubItems(5, cells.Vr);
            row.setSubItems(6, cells.C1);
            row.setSubItems(7, cells.C2);
        });
    }
    return result.Accepted;
}

// ---- The design flow of the first section ----

bool frmMultiShaftAndJet::FindDesignFlow(double totalQreq) {
    // A trial writes only the flows, speeds and concentrations: what it reads stays the same throughout.
    const TrialInputs in = ReadTrialInputs();
    if (chkKnowQr1.Value() == 1) {
        const double given = vb::Val(txtCertanQr1.Text());
        // The given flow is computed through as the designer asked, but results that break the
        // admissible concentration are not to pass as a design.
        if (!TrySectionFlows(in, given)) {
            platform::MsgBox(
                "给定的第I区段设计风量" + txtCertanQr1.Text() +
                    "不能使各区段浓度满足要求(或某区段设计风量不为正)，计算结果不能作为设计依据！",
                platform::vbOKOnly, "");
        }
        return true;
    }
    const int rows = lstShaftSection.ListItems.Count();
    double sumQb = 0;
    for (int i = 1; i <= lstShaft.ListItems.Count(); ++i) {
        sumQb += vb::Val(lstShaft.ListItems(i).SubItems(17));
    }
    double qreq1 = 0, qreq2 = 0;
    if (rows >= 2) {
        qreq1 = vb::Val(lstShaftSection.ListItems(1).SubItems(2));
        qreq2 = vb::Val(lstShaftSection.ListItems(2).SubItems(2));
    }
    const double start = multishaft::SearchStart(totalQreq, sumQb, rows, qreq1, qreq2);
    const std::optional<double> found =
        multishaft::SearchDesignFlow(start, [&](double x) { return TrySectionFlows(in, x); });
    if (!found) {
        platform::MsgBox("二分法迭代失败，计算结果不能作为设计依据。请检查输入条件是否正确！",
                         platform::vbOKOnly, "");
        return false;
    }
    return true;
}

// ---- Section pressures ----

void frmMultiShaftAndJet::SectionPressures() {
    frmReq& req = mainWindow();
    zeta_rukou = modPublic::zeta_e;
    const bool left = leftLine();
    std::vector<multishaft::ShaftLosses> shafts;
    for (int i = 1; i <= lstShaft.ListItems.Count(); ++i) {
        const ListItem& row = lstShaft.ListItems(i);
        shafts.push_back({vb::Val(row.SubItems(1)), vb::Val(row.SubItems(17)), vb::Val(row.SubItems(16)),
                          vb::Val(row.SubItems(33))});
    }
    vb::Integer caseId = 1;
    guarded([&] {
        const int position = step2().lstCase.ListIndex();
        if (position >= 0 && position <= 3) {
            caseId = static_cast<vb::Integer>(position + 1);
        }
    });
    // The natural wind through the entrance cross-section; a start station that is no number leaves it 0.
    double qn = 0;
    guarded([&] {
        if (const auto s = vb::StrictNumber(req.txtStartPile.Text())) {
            qn = modPublic::v_n * req.GetAA_r(*s + modPublic::PileDirection * 0.0001);
        }
    });
    const double rho = modPublic::rho;
    const int m = lstShaftSection.ListItems.Count();
    for (int r = 1; r <= m; ++r) {
        guarded([&] {
            ListItem& row = lstShaftSection.ListItems(r);
            const double start = vb::Val(row.Text());
            const double end = vb::Val(row.SubItems(1));
            const double qr = vb::Val(row.SubItems(3));
            const multishaft::SectionEnds ends = multishaft::SectionEndsOf(r, m, left, shafts);
            zeta_fencha = ends.ZetaFencha;
            zeta_heliu = ends.ZetaHeliu;
            const auto type = static_cast<vb::Integer>(ends.Type);
            double dpm = NAN, dpr = NAN, dpt = NAN;
            guarded([&] {
                dpm = req.GetYANCHENGDeltap_r_m(start, end, modPublic::lambda_r, rho, qn, type,
                                                ends.NaturalEntrance, 0, 0);
            });
            guarded([&] {
                dpr = req.GetYANCHENGDeltap_r_m(start, end, modPublic::lambda_r, rho, qr, type, zeta_rukou,
                                                zeta_fencha, zeta_heliu);
            });
            guarded([&] {
                switch (caseId) {
                case 2:
                    dpt = req.GetYANCHENGDeltap_t2(start, end, qr, modPublic::AA_m_Bidirection, rho,
                                                   req.optRightLine.Value());
                    break;
                case 4:
                    if (const auto part =
                            multishaft::CongestionPart(start, end, vb::Val(req.txtBlockStartPile.Text()),
                                                       vb::Val(req.txtBlockEndPile.Text()))) {
                        dpt = req.GetYANCHENGDeltap_t1(part->first, part->second, qr, modPublic::AA_m, rho, 4,
                                                       false);
                    } else {
                        dpt = 0;
                    }
                    break;
                default:
                    dpt = req.GetYANCHENGDeltap_t1(start, end, qr, modPublic::AA_m, rho, caseId, false);
                    break;
                }
            });
            setCell(row, 10, dpr, "0.00");
            setCell(row, 11, dpm, "0.00");
            setCell(row, 12, dpt, "0.00");
        });
    }
}

// ---- Pressure rises at the shaft openings ----

void frmMultiShaftAndJet::OpeningRises() {
    frmReq& req = mainWindow();
    const bool left = leftLine();
    const int dir = left ? -1 : 1;
    const double rho = modPublic::rho;
    const int m = lstShaftSection.ListItems.Count();
    std::vector<std::string> problems;
    for (int i = 1; i <= lstShaft.ListItems.Count(); ++i) {
        ListItem& row = lstShaft.ListItems(i);
        const auto [u, d] = multishaft::PassageRatioRows(i, left);
        if (u < 1 || u > m || d < 1 || d > m) {
            continue;
        }
        const double s = vb::Val(row.Text());
        const double ds = vb::Val(row.SubItems(multishaft::kColumnDs));
        const shaft::ShaftOpenings at = shaft::OpeningsOf(s, ds, dir);
        const double qr1 = vb::Val(lstShaftSection.ListItems(u).SubItems(3));
        const double qr2 = vb::Val(lstShaftSection.ListItems(d).SubItems(3));
        double a1 = NAN, a2 = NAN;
        guarded([&] { a1 = req.GetAA_r(at.Exhaust); });
        guarded([&] { a2 = req.GetAA_r(at.Supply); });
        const double vr1 = qr1 / a1;
        const double vr2 = qr2 / a2;

        const double qe = vb::Val(row.SubItems(1));
        const std::optional<double> dpe =
            multishaft::OpeningRise(qe, multishaft::ExhaustRise(qe, qr1, vb::Val(row.SubItems(4)),
                                                                vb::Val(row.SubItems(3)), vr1, rho));
        const double qb = vb::Val(row.SubItems(17));
        const std::optional<double> beta = vb::StrictNumber(row.SubItems(21));
        std::optional<double> dpb;
        if (qb == 0) {
            dpb = 0.0;
        } else if (beta) {
            dpb = multishaft::OpeningRise(qb,
                                          multishaft::SupplyRise(qb, qr2, vb::Val(row.SubItems(20)),
                                                                 vb::Val(row.SubItems(19)), *beta, vr2, rho));
        }
        // A rise that cannot be computed is emptied: an older rise would pass into the pressure curve as
        // if it belonged to these flows.
        if (dpe) {
            setCell(row, 5, *dpe, "0.00");
        } else {
            guarded([&] { row.setSubItems(5, ""); });
            problems.push_back(shaftName(i, row) + "排风口升压力Δpe无法计算(其前区段设计风量或风速为0)；");
        }
        if (dpb) {
            setCell(row, 22, *dpb, "0.00");
        } else {
            guarded([&] { row.setSubItems(22, ""); });
            problems.push_back(shaftName(i, row) +
                               (beta ? "送风口升压力Δpb无法计算(其后区段设计风量或风速为0)；"
                                     : "送风口升压力Δpb无法计算(喷流角β不是数值)；"));
        }
    }
    sayProblems(problems);
}

// ---- Jet fans of every section ----

void frmMultiShaftAndJet::SectionJetFans(const std::vector<std::string>& models) {
    const int m = lstShaftSection.ListItems.Count();
    for (int r = 1; r <= m; ++r) {
        guarded([&] {
            ListItem& row = lstShaftSection.ListItems(r);
            guarded([&] { txtPile1.set(row.Text()); });
            guarded([&] { txtPile2.set(row.SubItems(1)); });
            guarded([&] { txtv_r.set(row.SubItems(5)); });
            guarded([&] { txtdeltap_r.set(row.SubItems(10)); });
            guarded([&] { txtdeltap_m.set(row.SubItems(11)); });
            guarded([&] { txtdeltap_t.set(row.SubItems(12)); });
            lstShaftSection.select(r);
            if (static_cast<std::size_t>(r) <= models.size()) {
                // A row keeps its own model. One that had none (a short passage, a section the designer
                // left) keeps none, rather than taking the first model of the list with fans of its own.
                const std::string& model = models[static_cast<std::size_t>(r) - 1];
                int position = -1;
                for (int j = 0; j < cmbJetModel.ListCount(); ++j) {
                    if (cmbJetModel.List(j) == model) {
                        position = j;
                    }
                }
                if (position >= 0) {
                    cmbJetModel.setListIndex(position);
                } else {
                    cmbJetModel.setTextSilently(model);
                }
            }
            cmbJetModel_Change();
        });
    }
}

void frmMultiShaftAndJet::lstShaftSection_ItemClick(ListItem& Item) {
    // The jet-fan handler writes into the selected row: the row shown must be that row.
    guarded([&] {
        const int index = Item.Index();
        if (index >= 1 && index <= lstShaftSection.ListItems.Count() &&
            &lstShaftSection.ListItems(index) == &Item) {
            lstShaftSection.select(index);
        }
    });
    ShowSectionRow(Item);
    guarded([&] { cmbJetModel.setTextSilently(Item.SubItems(13)); });
    guarded([this] { cmbJetModel_Change(); });
}

void frmMultiShaftAndJet::ShowSectionRow(const ListItem& Item) {
    const std::pair<TextBox*, int> boxes[] = {
        {&txtPile1, 0},     {&txtPile2, 1},     {&txtQQ_req, 2},   {&txtQQ_r, 3}, {&txtQQ_f, 4},
        {&txtv_r, 5},       {&txtCC_1, 6},      {&txtCC_2, 7},     {&txtPP_1, 8}, {&txtPP_2, 9},
        {&txtdeltap_r, 10}, {&txtdeltap_m, 11}, {&txtdeltap_t, 12}};
    for (const auto& [box, column] : boxes) {
        guarded(
            [&, box = box, column = column] { box->set(column == 0 ? Item.Text() : Item.SubItems(column)); });
    }
}

// ---- Shaft fan design ----

void frmMultiShaftAndJet::cmdAxialFanDesign_Click() {
    const int dir = leftLine() ? -1 : 1;
    // Every completed build makes a new curve; one that is still the old object did not build, and its
    // pressures belong to an earlier state of the tunnel.
    const CPressionCurve* before = PressionCurve.get();
    guarded([this] { BuildPressureCurve(false, false, false); });
    if (!PressionCurve || PressionCurve.get() == before) {
        // The fans of an earlier curve are not the fans of these shafts and this layout.
        ClearFanDesign();
        platform::MsgBox("未能形成压力曲线，无法提取竖井风口处的压力，轴流风机动力设计未进行！",
                         platform::vbOKOnly, "出错！");
        return;
    }
    const double rho = modPublic::rho;
    std::vector<std::string> problems;
    std::vector<std::string> noDuty;
    // A shaft whose fans could not be sized has no power to add: no total is given then.
    bool undesigned = false;
    const int n = lstShaft.ListItems.Count();
    for (int i = 1; i <= n; ++i) {
        guarded([&] {
            ListItem& row = lstShaft.ListItems(i);
            lstShaft_ItemClick(row);
            const shaft::ShaftOpenings at = shaft::OpeningsOf(val(txtShaftPile), val(txtds), dir);
            const double pe = PressionCurve->GetPressureValue(at.Exhaust);
            const double pb = PressionCurve->GetPressureValue(at.Supply);
            // A station the curve does not reach has no pressure: designing with the lookup's marker
            // would size the fans for ten million pascals. What the shaft held was designed for another
            // state and goes too.
            if (pe == multishaft::kOffCurve || pb == multishaft::kOffCurve || !std::isfinite(pe) ||
                !std::isfinite(pb)) {
                problems.push_back(shaftName(i, row) + "的风口不在压力曲线范围内，该竖井的风机未设计；");
                undesigned = true;
                app::EmptyBoxes(fanDesignBoxes());
                shaftRowFromBoxes(row);
                return;
            }
            app::SetFiniteBox(txtp_se, pe, "0.000");
            app::SetFiniteBox(txtp_sb, pb, "0.000");
            app::SetFiniteBox(
                txtp_tote, shaft::ExhaustFanPressure(val(txtv_e), rho, val(txtp_de), val(txtp_se)), "0.00");
            app::SetFiniteBox(txtp_totb,
                              shaft::SupplyFanPressure(val(txtv_b), rho, val(txtp_db), val(txtp_sb)), "0.00");

            // A power or area that cannot be computed leaves its box, and the motor power resting on it.
            struct Side {
                const char* name;
                TextBox &flow, &ptot, &p1, &eta, &t1, &skw, &k, &etam, &m1, &total, &v, &area;
            };
            const Side sides[] = {{"排风", txtQe, txtp_tote, txtp1_e, txteta_e, txtt1_e, txtSSkw_e, txtk_e,
                                   txtetam_e, txtMM1_e, txtQQ_e, txtv_e, txtAA_e},
                                  {"送风", txtQb, txtp_totb, txtp1_b, txteta_b, txtt1_b, txtSSkw_b, txtk_b,
                                   txtetam_b, txtMM1_b, txtQQ_b, txtv_b, txtAA_b}};
            for (const Side& side : sides) {
                // A design pressure not above zero is no duty: the tunnel pressure at the opening alone
                // moves its flow. It stays in view; no power is put beside it (the total counts none).
                if (!(val(side.ptot) > 0)) {
                    guarded([&] { side.skw.set(""); });
                    guarded([&] { side.m1.set(""); });
                    noDuty.push_back(shaftName(i, row) + std::string(side.name) + "机设计风压不大于0");
                    continue;
                }
                const bool skw =
                    app::SetFiniteBox(side.skw,
                                      shaft::FanShaftPower(val(side.flow), val(side.ptot), val(side.p1),
                                                           val(side.eta), val(side.t1)),
                                      "0.00");
                // A power that cannot be computed is no figure: the box is emptied, not left with the
                // shaft's earlier power.
                if (!skw) {
                    guarded([&] { side.skw.set(""); });
                    guarded([&] { side.m1.set(""); });
                    undesigned = true;
                    problems.push_back(shaftName(i, row) + std::string(side.name) +
                                       "机功率无法计算(风机效率η为0或环境温度t1为-273℃)；");
                } else if (!app::SetFiniteBox(
                               side.m1, shaft::FanMotorPower(val(side.skw), val(side.k), val(side.etam)),
                               "0.00")) {
                    guarded([&] { side.m1.set(""); });
                    problems.push_back(shaftName(i, row) + std::string(side.name) +
                                       "机电机功率无法计算(电机效率ηm为0)；");
                }
            }
            for (const Side& side : sides) {
                if (!app::SetFiniteBox(side.area, val(side.total) / val(side.v))) {
                    guarded([&] { side.area.set(""); });
                    problems.push_back(shaftName(i, row) + std::string(side.name) +
                                       "口面积无法计算(风速为0)；");
                }
            }
            shaftRowFromBoxes(row);
        });
    }
    // The boxes now hold the last shaft: it becomes the selected one, so that "更新" writes them back
    // where they came from.
    if (n >= 1) {
        guarded([&] { lstShaft.select(n); });
    }

    std::vector<multishaft::ShaftPower> powers;
    for (int i = 1; i <= n; ++i) {
        const ListItem& row = lstShaft.ListItems(i);
        powers.push_back({vb::Val(row.SubItems(12)), vb::Val(row.SubItems(36)), vb::Val(row.SubItems(29)),
                          vb::Val(row.SubItems(38))});
    }
    // Each section's fans at the power of its own model: the model shown last may be another section's,
    // or none. A name the table lacks takes the power in the box, as typed for it. A row whose fans were
    // counted with data the file keeps takes that power: the catalogue may hold another since.
    std::vector<double> jets, jetPowers;
    for (int r = 1; r <= lstShaftSection.ListItems.Count(); ++r) {
        const ListItem& row = lstShaftSection.ListItems(r);
        jets.push_back(vb::Val(row.SubItems(15)));
        double power = val(txtPower);
        const std::string model = row.SubItems(13);
        for (const JetFanModel& m : modPublic::JetModels) {
            if (!model.empty() && m.JetName == model) {
                power = m.Power;
            }
        }
        const auto index = static_cast<std::size_t>(r) - 1;
        if (!model.empty() && index < sectionModels_.size() && !sectionModels_[index][2].empty()) {
            power = vb::Val(sectionModels_[index][2]);
        }
        jetPowers.push_back(power);
    }
    if (undesigned || !app::SetFiniteBox(txtTotalPower, multishaft::TotalPower(powers, jets, jetPowers))) {
        guarded([this] { txtTotalPower.set(""); });
    }
    sayProblems(problems);
    if (!noDuty.empty()) {
        std::string text;
        for (const std::string& line : noDuty) {
            text += line + "，";
        }
        platform::MsgBox(text + "风口处隧道压力已足以形成该风量，不计算其风机功率和电机功率。",
                         platform::vbOKOnly, "提示");
    }
}

void frmMultiShaftAndJet::ClearFanDesign() {
    for (int i = 1; i <= lstShaft.ListItems.Count(); ++i) {
        ListItem& row = lstShaft.ListItems(i);
        for (const int column : multishaft::kFanDesignColumns) {
            guarded([&] { row.setSubItems(column, ""); });
        }
    }
    std::vector<TextBox*> boxes = fanDesignBoxes();
    boxes.push_back(&txtTotalPower);
    app::EmptyBoxes(boxes);
}

void frmMultiShaftAndJet::cmdCalpde_Click() {
    guarded([this] { frmCalculatePd::ShowFor(txtQQ_e.Text(), txtp_de, this); });
}

void frmMultiShaftAndJet::cmdCalpdb_Click() {
    guarded([this] { frmCalculatePd::ShowFor(txtQQ_b.Text(), txtp_db, this); });
}

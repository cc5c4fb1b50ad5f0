// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/frmJet.h"

#include "app/companion_file.h"
#include "app/finite_box.h"
#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/hint_line.h"
#include "app/jet_models.h"
#include "app/modPublic.h"
#include "app/stored_text.h"
#include "jetfan/frmSetJetPile.h"
#include "jetfan/jet_balance.h"
#include "jetfan/jet_file.h"
#include "jetfan/jet_group_list.h"
#include "jetfan/jet_helpers.h"
#include "jetfan/jet_layout.h"
#include "jetfan/modPublic_jet.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/step2_shown.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

using app::guarded;
using platform::Forms;
using platform::TextBox;

constexpr double kNotComputed = std::numeric_limits<double>::quiet_NaN();

constexpr const char* kExtension = ".jet";

/// What of step 2 the balance and the fan count are computed with.
constexpr unsigned kBalanceStep2Inputs = ventparam::kStep2Case | ventparam::kStep2Qreq |
                                         ventparam::kStep2Lambda | ventparam::kStep2Vn | ventparam::kStep2Am |
                                         ventparam::kStep2Am2 | ventparam::kStep2Losses;

/// The message that tells why the balance gave no fan count.
std::string FanCountMessage(jetfan::FanCountFault fault) {
    switch (fault) {
    case jetfan::FanCountFault::NoFanModel:
        return "请选择射流风机型号！";
    case jetfan::FanCountFault::NoTunnelArea:
        return "隧道起点处断面面积为零，无法计算单台风机升压力，请检查断面数据！";
    case jetfan::FanCountFault::RiseNotPositive:
        return "单台射流风机升压力不大于零，无法确定所需风机台数，请检查风机参数与设计风速！";
    case jetfan::FanCountFault::TotalNotComputed:
        return "射流风机群总升压力无法计算，请检查断面数据！";
    case jetfan::FanCountFault::CountTooLarge:
        return "所需射流风机台数过多，请检查输入数据！";
    case jetfan::FanCountFault::None:
        break;
    }
    return {};
}

} // namespace

frmJet::frmJet() {
    // Tall enough for the two lines of hints below the section.
    platform::Layout::window(*this, "Step 3: 射流风机通风方式", 9900, 8475);
    buildControls();
    Image1.setInstalledPicture("jet_scheme.svg");
    Image2.setInstalledPicture("jet_section.svg");
    connectEvents();
}

// ---- Layout ----

void frmJet::buildControls() {
    using platform::Layout;
    MultiPage1.place(*this, 120, 120, 6900, 4500);
    platform::Page& fan = MultiPage1.AddPage("风机升压力计算");
    platform::Page& count = MultiPage1.AddPage("风机数量");
    platform::Page& groups = MultiPage1.AddPage("风机布置");

    // Data of one fan, the picture of its position beside it.
    const Layout::Column fanRows{
        .left = 120, .labelWidth = 1530, .boxWidth = 1950, .pitch = 450, .boxHeight = 315, .labelDrop = 40};
    jetfan::FanDataColumn(layout_, fan, fanRows, 240,
                          {cmbJetModel, txtFlow, txtDD_j, txtAA_j, txtvj, txtPower, txtdeltap_j});
    for (TextBox* box : {&txtFlow, &txtDD_j, &txtAA_j, &txtvj, &txtPower}) {
        box->setLocked(true);
    }
    // What the engineer chooses or types is light yellow; what the model and Z give keeps the default.
    Layout::inputs({&cmbJetModel, &txtdeltap_j, &txtZZ_j});
    Frame2.place(fan, 3700, 120, 3080, 3900);
    Image2.place(Frame2, 120, 240, 2880, 2200);
    Image2.setStretch(true);
    // The factor's caption keeps η on its line; the two boxes are narrower for it.
    layout_.column(
        Frame2,
        {.left = 120, .labelWidth = 2100, .boxWidth = 780, .pitch = 480, .boxHeight = 315, .labelDrop = 40},
        2580, {{"悬挂高度Z(m)", &txtZZ_j}, {"位置摩阻损失折减系数η", &txteta}});

    // Pressure balance.
    layout_.column(
        count,
        {.left = 600, .labelWidth = 3100, .boxWidth = 1800, .pitch = 480, .boxHeight = 315, .labelDrop = 40},
        240,
        {{"自然风阻力Δpm(Pa):", &txtdeltap_m},
         {"交通通风力Δpt(Pa):", &txtdeltap_t},
         {"通风阻抗力Δpr(Pa):", &txtdeltap_r},
         {"局部压力损失Δpl(Pa):", &txtdeltap_l},
         {"射流风机群总升压力ΣΔpj(Pa):", &txttotaldeltap_j},
         {"所需射流风机台数i:", &txti},
         {"总耗电功率(kw):", &txtTotalPower}});

    // Fan groups.
    lstJet.place(groups, 120, 120, 3700, 3900);
    lstJet.setGridLines(true);
    layout_.column(
        groups,
        {.left = 4000, .labelWidth = 1350, .boxWidth = 1350, .pitch = 480, .boxHeight = 315, .labelDrop = 40},
        240, {{"桩号(m):", &txtPile}, {"本组台数(台):", &txtJetNumPerTeam}, {"升压力(Pa):", &txtPress}});
    Layout::buttons(groups, 4000, 1800, 1300, 400, 100, {{&cmdAdd, "添加"}, {&cmdDelete, "删除"}});
    Layout::buttons(groups, 4000, 2350, 1300, 400, 100, {{&cmdUpdate, "更新"}, {&cmdAutoLayout, "自动布置"}});

    // Beside the pages, top to bottom; the longitudinal section below them.
    Layout::buttonColumn(*this, 7200, 420, 2400, 450, 150,
                         {{&cmdCalculateJet, "计算"},
                          {&cmdReport, "计算书"},
                          {&cmdDrawPressCurve, "绘制曲线"},
                          {&cmdTable, "运营控制表"}});
    Image1.place(*this, 120, 4740, 6900, 2400);
    Image1.setStretch(true);
    Layout::buttons(*this, 7200, 6660, 2400, 450, 0, {{&cmdBack, "<-- 上一步"}});
    layout_.caption(*this, "提示信息:", 120, 7260, 1000);
    Layout::captioned(lblTip, *this, "", 1140, 7260, 8460, 510);
    lblTip.setWordWrap(true);
    lblTip.setForeColor(platform::vbRed);
}

void frmJet::connectEvents() {
    platform::Layout::entries({.numbers = {&txteta, &txtdeltap_t}});
    // A pick from the list and a change of the text both choose the model.
    platform::Connect(cmbJetModel.Click, this, &frmJet::cmbJetModel_Change);
    platform::Connect(cmbJetModel.Change, this, &frmJet::cmbJetModel_Change);
    platform::Connect(txtDD_j.Change, this, &frmJet::txtDD_j_Change);
    platform::Connect(txtZZ_j.Change, this, &frmJet::txtZZ_j_Change);
    platform::Connect(cmdCalculateJet.Click, this, &frmJet::cmdCalculateJet_Click);
    platform::Connect(lstJet.ItemClick, this, &frmJet::lstJet_ItemClick);
    platform::Connect(cmdAdd.Click, this, &frmJet::cmdAdd_Click);
    platform::Connect(cmdUpdate.Click, this, &frmJet::cmdUpdate_Click);
    platform::Connect(cmdDelete.Click, this, &frmJet::cmdDelete_Click);
    platform::Connect(cmdAutoLayout.Click, this, &frmJet::cmdAutoLayout_Click);
    platform::Connect(cmdDrawPressCurve.Click, this, &frmJet::cmdDrawPressCurve_Click);
    platform::Connect(cmdReport.Click, this, &frmJet::cmdReport_Click);
    platform::Connect(cmdTable.Click, this, &frmJet::cmdTable_Click);
    platform::Connect(cmdBack.Click, this, &frmJet::cmdBack_Click);
}

// ---- Lifecycle ----

void frmJet::UserForm_Initialize() {
    guarded([this] {
        // Column widths of 80, 20 and 80 pixels.
        platform::Layout::headings(lstJet, {{"桩号", 80 * 15}, {"台数", 20 * 15}, {"升压力", 80 * 15}});
    });
    guarded([this] {
        cmbJetModel.Clear();
        jetfan::FillJetModelBox(cmbJetModel);
    });
    guarded([this] { OpenFile(); });
}

void frmJet::UserForm_QueryClose() {
    guarded([this] { SaveFile(); });
}

void frmJet::cmdBack_Click() {
    guarded([this] { Forms::unload(*this); });
}

// ---- The .jet file ----

void frmJet::OpenFile() {
    if (modPublic::ProjectFile.empty()) {
        return;
    }
    scheme::SchemeReader in;
    const app::CompanionSource source = app::OpenCompanionOrTemplateFrom(
        in, app::ProjectCompanionPath(kExtension), app::TemplateCompanionPath(kExtension));
    if (source == app::CompanionSource::None) {
        return;
    }
    jetfan::JetFileContents jet = jetfan::ReadJetFile(in);
    if (app::TemplateIsForAnotherTunnel(source)) {
        jetfan::KeepTemplateInputs(jet);
    }
    // The model name first: its handler fills the model's boxes, which the stored texts then replace, η
    // after Z, so that the window shows exactly what was stored.
    if (const auto& name = jet.Record2[jetfan::kJetName]) {
        guarded([&] { cmbJetModel.setText(*name); });
    }
    TextBox* const record2[jetfan::kRecord2Fields] = {nullptr, &txtvj,       &txtAA_j, &txtDD_j, &txtZZ_j,
                                                      &txteta, &txtdeltap_j, &txtFlow, &txtPower};
    for (int i = 1; i < jetfan::kRecord2Fields; ++i) {
        app::SetStoredText(*record2[i], jet.Record2[static_cast<std::size_t>(i)]);
    }
    TextBox* const record4[jetfan::kRecord4Fields] = {
        &txtdeltap_m, &txtdeltap_t, &txtdeltap_r, &txtdeltap_l, &txttotaldeltap_j, &txti, &txtTotalPower};
    for (int i = 0; i < jetfan::kRecord4Fields; ++i) {
        app::SetStoredText(*record4[i], jet.Record4[static_cast<std::size_t>(i)]);
    }
    const std::string step2Hint =
        forgetBalanceOfOtherStep2(jet.Step2, !app::TemplateIsForAnotherTunnel(source));
    if (jet.Groups) {
        lstJet.ListItems.Clear();
        for (const jetfan::JetGroupRow& group : *jet.Groups) {
            platform::ListItem& row = lstJet.ListItems.Add(group.Pile);
            row.setSubItems(1, group.Count);
            row.setSubItems(2, group.Press);
        }
    }
    judgeLayout();
    noteCatalogueChange();
    app::AppendHint(lblTip, step2Hint);
}

std::string frmJet::forgetBalanceOfOtherStep2(const std::optional<ventparam::Step2Inputs>& stored,
                                              bool resultsShown) {
    computedUnder_ = stored;
    std::string hint = ventparam::ResultsOfOtherStep2(computedUnder_, kBalanceStep2Inputs, resultsShown);
    if (!hint.empty()) {
        // The fan's rise is of step 2's design speed too; the groups stay, they are the engineer's.
        app::EmptyBoxes({&txtdeltap_m, &txtdeltap_t, &txtdeltap_r, &txtdeltap_l, &txttotaldeltap_j, &txti,
                         &txtTotalPower, &txtdeltap_j});
    }
    return hint;
}

void frmJet::noteCatalogueChange() {
    // The stored design is what the file was computed with and stays; the engineer learns that the office
    // has since changed the model it names.
    guarded([this] {
        const std::optional<JetFanModel> now = jetfan::ChosenJetModel(cmbJetModel);
        app::AppendHint(
            lblTip, modPublic::JetModelChangeHint(
                        {{cmbJetModel.Text(), modPublic::KeptJetModelValues(
                                                  now, txtFlow.Text(), txtDD_j.Text(), txtPower.Text())}}));
    });
}

bool frmJet::SaveFile() {
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty()) {
        return false;
    }
    jetfan::JetFileContents jet;
    jet.Record2 = {cmbJetModel.Text(), txtvj.Text(),       txtAA_j.Text(), txtDD_j.Text(), txtZZ_j.Text(),
                   txteta.Text(),      txtdeltap_j.Text(), txtFlow.Text(), txtPower.Text()};
    jet.Record4 = {txtdeltap_m.Text(),      txtdeltap_t.Text(), txtdeltap_r.Text(),  txtdeltap_l.Text(),
                   txttotaldeltap_j.Text(), txti.Text(),        txtTotalPower.Text()};
    std::vector<jetfan::JetGroupRow> rows;
    for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
        platform::ListItem& item = lstJet.ListItems(i);
        rows.push_back({item.Text(), item.SubItems(1), item.SubItems(2)});
    }
    jet.Groups = std::move(rows);
    jet.Step2 = computedUnder_;
    return app::SaveCompanionFile(jetfan::WriteJetFile(jet), path, "射流风机通风方案文件");
}

// ---- Data of one fan ----

void frmJet::cmbJetModel_Change() {
    const std::optional<JetFanModel> chosen = jetfan::ChosenJetModel(cmbJetModel);
    if (!chosen) {
        return;
    }
    const JetFanModel& m = *chosen;
    guarded([&] { txtFlow.set(vb::CStr(m.Flow)); });
    guarded([&] { txtDD_j.set(vb::CStr(m.DD)); });
    guarded([&] { txtPower.set(vb::CStr(m.Power)); });
    guarded([this] { txtAA_j.set(vb::Format(jetfan::JetOutletArea(vb::Val(txtDD_j.Text())), "0.000")); });
    // The outlet speed is taken over the area as shown, rounded to three decimals.
    guarded([this] { txtvj.set(vb::Format(vb::Val(txtFlow.Text()) / vb::Val(txtAA_j.Text()), "0.000")); });
    // The rise beside the model's data is that model's, never the one picked before.
    showOwnRise();
    judgeLayout();
}

jetfan::FanRiseInputs frmJet::oneFanInputs() {
    jetfan::FanRiseInputs fan;
    fan.vj = vb::Val(txtvj.Text());
    fan.Aj = vb::Val(txtAA_j.Text());
    fan.eta = vb::Val(txteta.Text());
    guarded([&] { fan.vr = vb::Val(Forms::instance<frmVentParam>().txtv_r.Text()); });
    guarded([&] {
        frmReq& req = Forms::instance<frmReq>();
        fan.Ar = req.GetAA_r(vb::Val(req.txtStartPile.Text()) + jetfan::kFanAreaOffset);
    });
    return fan;
}

void frmJet::showOwnRise() {
    // Without step 2 there is no design speed to take the rise at; the balance gives it then.
    if (!Forms::isLoaded<frmVentParam>()) {
        guarded([this] { txtdeltap_j.set(""); });
        return;
    }
    const jetfan::FanRiseInputs fan = oneFanInputs();
    const double dpj = jetfan::JetPressureRise(fan.vj, modPublic::rho, fan.Aj, fan.Ar, fan.vr, fan.eta);
    guarded([&] { txtdeltap_j.set(std::isfinite(dpj) ? vb::Format(dpj, "0.000") : std::string()); });
}

std::string frmJet::layoutJudgement() {
    const platform::QuietReads looking;
    std::vector<jetfan::GroupShown> groups;
    for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
        platform::ListItem& item = lstJet.ListItems(i);
        groups.push_back({0, item.Text(), item.SubItems(1), item.SubItems(2)});
    }
    return jetfan::LayoutJudgement({{"", txti.Text(), txtdeltap_j.Text()}}, groups);
}

void frmJet::judgeLayout() {
    guarded([this] { lblTip.setCaption(layoutJudgement()); });
}

void frmJet::txtDD_j_Change() {
    guarded([this] {
        txteta.set(vb::Format(modPublic::GetJetWallFactor(vb::Val(txtZZ_j.Text()), vb::Val(txtDD_j.Text())),
                              "0.000"));
    });
}

void frmJet::txtZZ_j_Change() {
    txtDD_j_Change();
}

// ---- Pressure balance and fan count ----

void frmJet::cmdCalculateJet_Click() {
    if (!quietBalance_) {
        computedUnder_ = ventparam::Step2Shown();
    }
    frmReq& req = Forms::instance<frmReq>();
    frmVentParam& step2 = Forms::instance<frmVentParam>();
    const double start = modPublic::StartPile, end = modPublic::EndPile, rho = modPublic::rho;
    const double qreq = vb::Val(step2.txtQQ_req.Text());
    // The first reason the balance cannot be trusted; shown once, at the end.
    std::string fault;
    auto noteIfNotFinite = [&fault](double value, const std::string& why) {
        if (!std::isfinite(value) && fault.empty()) {
            fault = why;
        }
    };

    double dpm = 0, dpr = 0;
    guarded([&] {
        const double qm = modPublic::v_n * req.GetAA_r(start + jetfan::kNaturalWindAreaOffset);
        dpm = req.GetYANCHENGDeltap_r_m(start, end, modPublic::lambda_r, rho, qm, 1,
                                        jetfan::kBalanceEntranceLoss, 0, 0);
    });
    guarded([&] {
        dpr = req.GetYANCHENGDeltap_r_m(start, end, modPublic::lambda_r, rho, qreq, 1,
                                        jetfan::kBalanceEntranceLoss, 0, 0);
    });
    guarded([&] { txtdeltap_m.set(vb::Format(dpm, "0.00")); });
    guarded([&] { txtdeltap_r.set(vb::Format(dpr, "0.00")); });
    noteIfNotFinite(dpm, "自然风阻力无法计算，请检查断面数据与自然风速！");
    noteIfNotFinite(dpr, "通风阻抗力无法计算，请检查断面数据与设计需风量！");

    double dpt = 0;
    guarded([&] {
        const jetfan::TrafficForceChoice choice = jetfan::TrafficForceFor(step2.lstCase.ListIndex());
        switch (choice.Kind) {
        case jetfan::TrafficForceKind::OneWay:
            dpt = req.GetYANCHENGDeltap_t1(start, end, qreq, modPublic::AA_m, jetfan::kTrafficForceDensity,
                                           choice.CaseID, false);
            break;
        case jetfan::TrafficForceKind::Block1km:
            dpt = req.GetYANCHENGDeltap_t1(vb::Val(req.txtBlockStartPile.Text()),
                                           vb::Val(req.txtBlockEndPile.Text()), qreq, modPublic::AA_m,
                                           jetfan::kTrafficForceDensity, choice.CaseID, false);
            break;
        case jetfan::TrafficForceKind::TwoWay:
            dpt = req.GetYANCHENGDeltap_t2(start, end, qreq, modPublic::AA_m_Bidirection,
                                           jetfan::kTrafficForceDensity, true);
            break;
        }
    });
    guarded([&] { txtdeltap_t.set(vb::Format(dpt, "0.00")); });
    noteIfNotFinite(dpt, "交通通风力无法计算，请检查断面与交通数据！");
    // The balance works with the traffic force as shown, rounded to two decimals.
    const double dptShown = std::isfinite(dpt) ? vb::Val(txtdeltap_t.Text()) : kNotComputed;

    double dpl = 0;
    guarded([&] {
        std::vector<jetfan::LocalLossRow> rows;
        for (int i = 1; i <= step2.lstzeta.ListItems.Count(); ++i) {
            platform::ListItem& item = step2.lstzeta.ListItems(i);
            const double v = modPublic::GetStationVelocity(vb::Val(item.Text()), jetfan::kDesignDemandMarker);
            noteIfNotFinite(v, "局部压力损失桩号" + item.Text() +
                                   "处没有断面，无法计算局部压力损失，请检查断面数据！");
            rows.push_back({vb::Val(item.SubItems(1)), v});
        }
        dpl = jetfan::LocalLosses(rho, rows);
    });
    guarded([&] { txtdeltap_l.set(vb::Format(dpl, "0.00")); });

    const double total = jetfan::RequiredTotalRise(dpm, dpr, dpl, dptShown);
    guarded([&] { txttotaldeltap_j.set(vb::Format(total, "0.00")); });

    const jetfan::FanRiseInputs fan = oneFanInputs();
    const double dpj = jetfan::JetPressureRise(fan.vj, rho, fan.Aj, fan.Ar, fan.vr, fan.eta);
    const jetfan::FanCountResult result = jetfan::FanCount(total, dpj, vb::Val(txtPower.Text()), fan);
    guarded([&] { txtdeltap_j.set(vb::Format(dpj, "0.000")); });
    if (result.Fault == jetfan::FanCountFault::None) {
        guarded([&] { txti.set(vb::Format(result.Count, "0.0")); });
        guarded([&] { txtTotalPower.set(vb::Format(result.TotalPower, "0.00")); });
    } else {
        // No count is shown rather than a count of 0 that would read as a result.
        guarded([&] { txti.set(""); });
        guarded([&] { txtTotalPower.set(""); });
        if (fault.empty()) {
            fault = FanCountMessage(result.Fault);
        }
    }
    // The groups are the engineer's; what they hold against this balance is said.
    if (!quietBalance_) {
        judgeLayout();
    }
    if (!fault.empty()) {
        if (quietBalance_) {
            quietFault_ = fault;
        } else {
            platform::MsgBox(fault, platform::vbOKOnly, "出错！");
        }
    }
}

// ---- Fan groups ----

jetfan::GroupBoxes frmJet::groupBoxes() {
    return {txtPile, txtJetNumPerTeam, txtPress};
}

void frmJet::lstJet_ItemClick(platform::ListItem& Item) {
    jetfan::ShowGroupRow(Item, groupBoxes());
}

void frmJet::cmdAdd_Click() {
    guarded([this] { jetfan::FillGroupRow(lstJet.ListItems.Add(), groupBoxes()); });
    judgeLayout();
}

void frmJet::cmdUpdate_Click() {
    guarded([this] { jetfan::UpdateSelectedGroup(lstJet, groupBoxes()); });
    judgeLayout();
}

void frmJet::cmdDelete_Click() {
    guarded([this] { jetfan::DeleteSelectedGroup(lstJet); });
    judgeLayout();
}

void frmJet::cmdAutoLayout_Click() {
    guarded([this] {
        frmSetJetPile& dialog = Forms::instance<frmSetJetPile>();
        dialog.ShowModal(this);
        if (Forms::isLoaded(dialog) && !dialog.bIsCancel) {
            jetfan::JetLayoutSettings s;
            s.StartPile = modPublic::StartPile;
            s.EndPile = modPublic::EndPile;
            s.LeftLine = !Forms::instance<frmReq>().optRightLine.Value();
            s.N1 = vb::CInt(vb::Val(dialog.txtTeamNum1.Text())).value_or(0);
            s.N2 = vb::CInt(vb::Val(dialog.txtTeamNum2.Text())).value_or(0);
            s.S1 = vb::Val(dialog.txtSpan1.Text());
            s.S2 = vb::Val(dialog.txtSpan2.Text());
            s.D1 = vb::Val(dialog.txtDist1.Text());
            s.D2 = vb::Val(dialog.txtDist2.Text());
            // Every group has the rise of one fan as shown times the fans per group.
            const std::string fans = dialog.txtJetNumPerTeam.Text();
            const std::string rise = vb::Format(vb::Val(txtdeltap_j.Text()) * vb::Val(fans), "0.00");
            lstJet.ListItems.Clear();
            for (double station : jetfan::JetLayoutStations(s)) {
                platform::ListItem& row = lstJet.ListItems.Add(vb::Format(station, "0.00"));
                row.setSubItems(1, fans);
                row.setSubItems(2, rise);
            }
            // A layout of other than the fans the balance asks for is no design on its own: say so.
            judgeLayout();
        }
    });
    guarded([] { Forms::unload<frmSetJetPile>(); });
}

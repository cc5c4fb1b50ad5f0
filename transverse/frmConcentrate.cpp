// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/frmConcentrate.h"

#include "app/finite_box.h"
#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/guarded.h"
#include "app/hint_line.h"
#include "app/companion_file.h"
#include "app/modPublic.h"
#include "app/stored_text.h"
#include "jetfan/scheme_output.h"
#include "jetfan/scheme_report.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/scheme_file.h"
#include "platform/vb.h"
#include "transverse/concentrate.h"
#include "transverse/supply_duct_view.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/step2_shown.h"

#include <array>
#include <cmath>
#include <optional>

namespace {

using app::guarded;
using platform::Forms;
using platform::TextBox;

constexpr const char* kFaultTitle = "出错！";

constexpr const char* kExtension = ".con";

/// The field of the file's first record that keeps the design flow the results were computed with.
constexpr std::size_t kConStoredFlow = 4;

/// What of step 2 the balance reads besides the design flow, which the file's own field compares; the
/// entrance loss is the balance's own constant, not step 2's ζe.
constexpr unsigned kBalanceStep2Inputs = ventparam::kStep2Case | ventparam::kStep2Lambda |
                                         ventparam::kStep2Vn | ventparam::kStep2Am | ventparam::kStep2Am2 |
                                         ventparam::kStep2Losses;

/// A result box: its field as "0.00"; a quantity that is not a number leaves the box as it was.
void show(TextBox& box, double value) {
    app::SetFiniteBox(box, value, "0.00");
}

std::string FaultMessage(transverse::BalanceFault fault) {
    using transverse::BalanceFault;
    switch (fault) {
    case BalanceFault::NoTunnelArea:
        return "隧道起点处断面面积为零，无法计算，请检查断面数据！";
    case BalanceFault::NoDesignFlow:
        return "隧道设计风量Qr必须大于零，请检查！";
    case BalanceFault::BadNozzleArea:
        return "送风口面积Ab必须大于零且小于隧道断面面积，请检查！";
    case BalanceFault::BadJetSpeed:
        return "送风口喷出风速vb必须大于零，请检查！";
    case BalanceFault::BadEfficiency:
        return "送风机效率η必须大于零，请检查！";
    case BalanceFault::BadStation:
        return "送风口桩号必须位于隧道起点与终点之间，请检查！";
    case BalanceFault::NotComputed:
        return "压力平衡无法计算，请检查断面、交通与送风口数据！";
    case BalanceFault::NoRoot:
        return "送风口所需升压力Δpb为负（交通通风力大于各项阻力），任何送风量都不能使压力平衡，请检查输入数据"
               "！";
    case BalanceFault::NotConverged:
        return "送风段风速与送风量迭代" + std::to_string(transverse::kMaxPasses) +
               "次仍未稳定，没有计算结果，请检查输入数据！";
    case BalanceFault::None:
        break;
    }
    return {};
}

constexpr const char* kOutflowTip =
    "送风段风速v1不大于零：送风段的空气将从入口洞口流出，此结果不能作为设计依据。"
    "请移动送风口位置或选择其他通风方式！";

/// The height the scheme drawing takes at the top of the window, with its margin.
constexpr int kBelowPicture = 1860;

} // namespace

frmConcentrate::frmConcentrate() {
    platform::Layout::window(*this, "Step 3: 集中送入通风方式", 11400, 6540 + kBelowPicture);
    buildControls();
    Image1.setInstalledPicture("concentrate.svg");
    connectEvents();
}

// ---- Layout ----

void frmConcentrate::buildControls() {
    using platform::Layout;
    // The scheme drawing across the top; everything else stands below it.
    Image1.place(*this, 120, 120, 11000, 1800);
    Image1.setStretch(true);
    const int below = kBelowPicture;
    const Layout::Column flow{
        .left = 120, .labelWidth = 2330, .boxWidth = 1300, .boxHeight = 315, .labelDrop = 40};
    layout_.column(*this, flow, below + 200, {{"隧道设计风量Qr(m^3/s):", &txtQQ_r}});

    Layout::frame(Frame1, *this, "计算模式", 4000, below + 120, 4200, 600);
    Layout::captioned(optKnowArea, Frame1, "已知送风口面积", 120, 240, 1900, 280);
    Layout::captioned(OptionButton2, Frame1, "已知送风口喷出风速", 2100, 240, 2000, 280);
    optKnowArea.setSilently(true);

    // Pressure balance, left column; the supply opening, right column.
    const Layout::Column wide{
        .left = 120, .labelWidth = 3480, .boxWidth = 1600, .pitch = 420, .boxHeight = 315, .labelDrop = 40};
    Layout::frame(Frame2, *this, "压力平衡分析", 120, below + 900, 5400, 2500);
    layout_.column(Frame2, wide, 300,
                   {{"自然风阻力Δpm(Pa):", &txtdeltap_m},
                    {"通风阻抗力Δpr(经送风段修正)(Pa):", &txtdeltap_r},
                    {"交通通风力Δpt(Pa):", &txtdeltap_t},
                    {"送风机送风口升压力Δpb(Pa):", &txtdeltap_b},
                    {"局部压力损失Δpl(Pa):", &txtdeltap_l}});

    Layout::frame(Frame3, *this, "送风参数", 5700, below + 900, 5400, 3400);
    Layout::row(Frame3, wide, 300, lblv_b, "送风口喷出风速vb(m/s)", txtv_b);
    int top =
        layout_.column(Frame3, wide, 300 + wide.pitch,
                       {{"喷流方向与隧道轴向的夹角β(度)", &txtbeta}, {"送风口升压动量系数Kb", &txtKK_b}});
    Layout::row(Frame3, wide, top, lblAA_b, "送风口面积Ab(m^2):", txtAA_b);
    layout_.column(Frame3, wide, top + wide.pitch,
                   {{"送风机风量Qb(m^3/s):", &txtQQ_b},
                    {"送风口桩号(m):", &txtShaftPile},
                    {"送风段风速v1(m/s):", &txtv_1}});

    // Supply fan, below the balance.
    Layout::frame(Frame4, *this, "风机动力设计", 120, below + 3540, 5400, 2400);
    const Layout::Column fan{
        .left = 120, .labelWidth = 2980, .boxWidth = 1500, .pitch = 420, .boxHeight = 315, .labelDrop = 40};
    // The ">>" button stands beside the loss it fills, and Tab goes from the one to the other.
    const int afterLoss = layout_.column(Frame4, fan, 300, {{"风道等总压力损失Δpd(Pa):", &txtdeltap_d}});
    Layout::captioned(cmdCalPd, Frame4, ">>", 4700, 300, 500, 315);
    layout_.column(Frame4, fan, afterLoss,
                   {{"送风机所需全风压Ptot(Pa):", &txtPP_tot},
                    {"理论功率Atot(kw):", &txtAA_tot},
                    {"送风机效率η", &txteta},
                    {"送风机电机轴功率Stot(kw):", &txtSS_tot}});

    Layout::buttons(*this, 5900, below + 4640, 1600, 450, 100,
                    {{&cmdCalculateJet, "计算"}, {&cmdReport, "计算报告"}, {&cmdBack, "<-- 上一步"}});
    cmdBack.setWidth(1700);
    lblTip.place(*this, 5700, below + 5200, 5400, 720);
    lblTip.setWordWrap(true);
    lblTip.setForeColor(platform::vbRed);

    Layout::inputs({&txtQQ_r, &txtv_b, &txtbeta, &txtKK_b, &txtAA_b, &txtShaftPile, &txtdeltap_d, &txteta});
}

void frmConcentrate::connectEvents() {
    platform::Layout::entries({.numbers = {&txtPP_tot, &txtAA_tot, &txtSS_tot}});
    txtShaftPile.setRangeCheck(app::station_range_problem);
    platform::Connect(cmdCalculateJet.Click, this, &frmConcentrate::cmdCalculateJet_Click);
    platform::Connect(cmdReport.Click, this, &frmConcentrate::cmdReport_Click);
    platform::Connect(cmdBack.Click, this, &frmConcentrate::cmdBack_Click);
    platform::Connect(cmdCalPd.Click, this, &frmConcentrate::cmdCalPd_Click);
    platform::Connect(optKnowArea.Click, this, &frmConcentrate::optKnowArea_Click);
    platform::Connect(OptionButton2.Click, this, &frmConcentrate::OptionButton2_Click);
}

// ---- Lifecycle ----

void frmConcentrate::UserForm_Initialize() {
    guarded([this] { QQ_r = vb::Val(Forms::instance<frmVentParam>().txtQQ_req.Text()); });
    deltap_d = 300;
    v_b = 25;
    beta = 5;
    KK_b = 0.9;
    AA_b = 12;
    PP_tot = vb::Val(txtPP_tot.Text());
    guarded([this] { UpdateData(false); });
    guarded([this] { OpenFile(); });
}

void frmConcentrate::UserForm_QueryClose() {
    guarded([this] { SaveFile(); });
}

void frmConcentrate::cmdBack_Click() {
    guarded([this] { SaveFile(); });
    guarded([this] { Forms::unload(*this); });
}

void frmConcentrate::optKnowArea_Click() {
    const bool knownArea = optKnowArea.Value();
    lblAA_b.setEnabled(knownArea);
    txtAA_b.setEnabled(knownArea);
    lblv_b.setEnabled(!knownArea);
    txtv_b.setEnabled(!knownArea);
}

void frmConcentrate::OptionButton2_Click() {
    optKnowArea_Click();
}

void frmConcentrate::cmdCalPd_Click() {
    // The dialog's flow box is left for the designer to fill with the duct's own flow.
    guarded([this] { frmCalculatePd::ShowFor(txtdeltap_d, this); });
}

// ---- Exchange between boxes and fields ----

void frmConcentrate::UpdateData(bool toFields) {
    if (toFields) {
        deltap_d = vb::Val(txtdeltap_d.Text());
        QQ_r = vb::Val(txtQQ_r.Text());
        v_b = vb::Val(txtv_b.Text());
        beta = vb::Val(txtbeta.Text());
        KK_b = vb::Val(txtKK_b.Text());
        AA_b = vb::Val(txtAA_b.Text());
        PP_tot = vb::Val(txtPP_tot.Text());
        ShaftPile = vb::Val(txtShaftPile.Text());
        guarded([] {
            frmReq& req = Forms::instance<frmReq>();
            modPublic::AA_r = req.GetAA_r(vb::Val(req.txtStartPile.Text()));
        });
        guarded([] {
            frmReq& req = Forms::instance<frmReq>();
            if (req.lstSection.ListItems.Count() >= 1) {
                modPublic::DD_r = vb::Val(req.lstSection.ListItems(1).SubItems(3));
            }
        });
        // A zero area is a failed division: the speed keeps its value (other windows read it) and the
        // calculation refuses the area before any pass.
        if (const double v_r = QQ_r / modPublic::AA_r; std::isfinite(v_r)) {
            modPublic::v_r = v_r;
        }
        AA_tot = vb::Val(txtAA_tot.Text());
        eta = vb::Val(txteta.Text());
        SS_tot = vb::Val(txtSS_tot.Text());
        return;
    }
    show(txtdeltap_m, deltap_m);
    show(txtdeltap_t, deltap_t);
    show(txtdeltap_r, deltap_r);
    show(txtdeltap_l, deltap_l);
    show(txtdeltap_b, deltap_b);
    show(txtdeltap_d, deltap_d);
    show(txtQQ_r, QQ_r);
    show(txtQQ_b, QQ_b);
    show(txtv_b, v_b);
    show(txtv_1, v_1);
    show(txtbeta, beta);
    show(txtKK_b, KK_b);
    show(txtAA_b, AA_b);
    show(txtPP_tot, PP_tot);
    show(txtAA_tot, AA_tot);
    show(txtSS_tot, SS_tot);
}

// ---- The .con file ----

void frmConcentrate::OpenFile() {
    scheme::SchemeReader in;
    const app::CompanionSource source = app::OpenCompanionOrTemplateFrom(
        in, app::ProjectCompanionPath(kExtension), app::TemplateCompanionPath(kExtension));
    if (source != app::CompanionSource::None) {
        const transverse::ConFileContents con = transverse::ReadConFile(in);
        TextBox* const record1[transverse::kConRecord1Fields] = {
            &txtdeltap_m,  &txtdeltap_t, &txtdeltap_r, &txtdeltap_b, nullptr,     &txtQQ_b,
            &txtShaftPile, &txtv_1,      &txtbeta,     &txtKK_b,     &txtdeltap_l};
        // The design flow of the file does not come back into its box: the window keeps step 2's demand.
        for (int i = 0; i < transverse::kConRecord1Fields; ++i) {
            if (record1[i] != nullptr) {
                app::SetStoredText(*record1[i], con.Record1[static_cast<std::size_t>(i)]);
            }
        }
        if (con.KnownArea) {
            optKnowArea.setSilently(*con.KnownArea);
            OptionButton2.setSilently(!*con.KnownArea);
        }
        TextBox* const record2[transverse::kConRecord2Texts] = {&txtAA_b,   &txtv_b, &txtdeltap_d, &txtPP_tot,
                                                                &txtAA_tot, &txteta, &txtSS_tot};
        for (int i = 0; i < transverse::kConRecord2Texts; ++i) {
            app::SetStoredText(*record2[i], con.Record2[static_cast<std::size_t>(i)]);
        }
        // A template made for another tunnel gives its inputs only: its opening stands at a station of the
        // template's tunnel, and its results are of that tunnel's balance.
        if (app::TemplateIsForAnotherTunnel(source)) {
            app::EmptyBoxes({&txtShaftPile});
            clearResults();
        }
        const std::string step2Hint =
            forgetResultsOfOtherStep2(app::TemplateIsForAnotherTunnel(source) ? std::nullopt : con.Step2,
                                      !app::TemplateIsForAnotherTunnel(source));
        // The stored results belong to the design flow they were computed with; step 2 may now publish
        // another one, which the window shows in their place.
        if (const auto& stored = con.Record1[kConStoredFlow];
            source == app::CompanionSource::Project && stored) {
            const std::string hint = app::ChangedInputHint("隧道设计风量Qr", *stored, txtQQ_r.Text(), "0.00");
            if (!hint.empty()) {
                clearResults();
                lblTip.setCaption(hint);
            }
        }
        // The file keeps the balance but not its red words. The template's results are placeholders of
        // 0.00, no balance: one whose supply stretch blows out carries more than the design flow.
        if (!txtv_1.Text().empty() && vb::Val(txtQQ_b.Text()) > 0) {
            showOutflowTip(vb::Val(txtv_1.Text()));
        }
        app::AppendHint(lblTip, step2Hint);
    }
    optKnowArea_Click();
}

std::string frmConcentrate::forgetResultsOfOtherStep2(const std::optional<ventparam::Step2Inputs>& stored,
                                                      bool resultsShown) {
    computedUnder_ = stored;
    std::string hint = ventparam::ResultsOfOtherStep2(computedUnder_, kBalanceStep2Inputs, resultsShown);
    if (!hint.empty()) {
        clearResults();
    }
    return hint;
}

void frmConcentrate::showOutflowTip(double v1) {
    if (transverse::SupplyStretchBlowsOut(v1)) {
        lblTip.setCaption(kOutflowTip);
    }
}

void frmConcentrate::clearResults() {
    app::EmptyBoxes({&txtdeltap_m, &txtdeltap_t, &txtdeltap_r, &txtdeltap_l, &txtdeltap_b, &txtQQ_b, &txtv_1,
                     &txtPP_tot, &txtAA_tot, &txtSS_tot, optKnowArea.Value() ? &txtv_b : &txtAA_b});
}

bool frmConcentrate::SaveFile() {
    // An unnamed project has no base to name the file after; writing ".con" into the working folder
    // would only leave a stray file.
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty()) {
        return false;
    }
    transverse::ConFileContents con;
    con.Record1 = {txtdeltap_m.Text(), txtdeltap_t.Text(), txtdeltap_r.Text(),  txtdeltap_b.Text(),
                   txtQQ_r.Text(),     txtQQ_b.Text(),     txtShaftPile.Text(), txtv_1.Text(),
                   txtbeta.Text(),     txtKK_b.Text(),     txtdeltap_l.Text()};
    con.KnownArea = optKnowArea.Value();
    con.Record2 = {txtAA_b.Text(),   txtv_b.Text(), txtdeltap_d.Text(), txtPP_tot.Text(),
                   txtAA_tot.Text(), txteta.Text(), txtSS_tot.Text()};
    con.Step2 = computedUnder_;
    return app::SaveCompanionFile(transverse::WriteConFile(con), path, "集中送入通风方案文件");
}

// ---- Pressure balance ----

double frmConcentrate::GetVelocityAtPile(double station) const {
    return transverse::VelocityAtPile(station, ShaftPile, modPublic::PileDirection, v_1, modPublic::v_r);
}

void frmConcentrate::cmdCalculateJet_Click() {
    lblTip.setCaption("");
    computedUnder_ = ventparam::Step2Shown();
    UpdateData(true);
    frmReq& req = Forms::instance<frmReq>();
    frmVentParam& step2 = Forms::instance<frmVentParam>();

    transverse::ConcentrateScheme s;
    s.Qr = QQ_r;
    s.Ar = modPublic::AA_r;
    s.rho = modPublic::rho;
    s.vn = modPublic::v_n;
    s.Am = modPublic::AA_m;
    s.Am2 = modPublic::AA_m_Bidirection;
    s.S = ShaftPile;
    s.RightLine = req.optRightLine.Value();
    s.StartPile = modPublic::StartPile;
    s.EndPile = modPublic::EndPile;
    s.PileDirection = modPublic::PileDirection;
    s.CaseIndex = step2.lstCase.ListIndex();
    s.BlockStart = vb::Val(req.txtBlockStartPile.Text());
    s.BlockEnd = vb::Val(req.txtBlockEndPile.Text());
    for (int i = 1; i <= step2.lstzeta.ListItems.Count(); ++i) {
        platform::ListItem& row = step2.lstzeta.ListItems(i);
        s.Losses.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1))});
    }
    s.Mode = optKnowArea.Value() ? transverse::OpeningMode::KnownArea : transverse::OpeningMode::KnownSpeed;
    s.beta = beta;
    s.Kb = KK_b;

    // A balance that stops leaves no box with a figure of an earlier one.
    const transverse::BalanceFault inputFault = transverse::CheckInputs(s, AA_b, v_b, eta);
    if (inputFault != transverse::BalanceFault::None) {
        clearResults();
        platform::MsgBox(FaultMessage(inputFault), platform::vbOKOnly, kFaultTitle);
        return;
    }

    transverse::TunnelServices t;
    const double lambda = modPublic::lambda_r, rho = modPublic::rho;
    t.Resistance = [&req, lambda, rho](double a, double b, double Q, int type, double z1, double z2,
                                       double z3) {
        return req.GetYANCHENGDeltap_r_m(a, b, lambda, rho, Q, static_cast<vb::Integer>(type), z1, z2, z3);
    };
    t.OneWayTraffic = [&req](double a, double b, double Q, double Am, int caseId) {
        return req.GetYANCHENGDeltap_t1(a, b, Q, Am, transverse::kTrafficDensity,
                                        static_cast<vb::Integer>(caseId), false);
    };
    t.TwoWayTraffic = [&req](double a, double b, double Q, double Am) {
        return req.GetYANCHENGDeltap_t2(a, b, Q, Am, transverse::kTrafficDensity, true);
    };

    // The supply flow carries over from the last calculation of this opening, as the first pass's
    // traffic force of the supply stretch reads it.
    const transverse::BalanceResult r = transverse::Balance(s, t, QQ_b, AA_b, v_b);
    if (r.Fault == transverse::BalanceFault::NotComputed || r.Fault == transverse::BalanceFault::NoRoot) {
        clearResults();
        platform::MsgBox(FaultMessage(r.Fault), platform::vbOKOnly, kFaultTitle);
        return;
    }
    if (r.Fault == transverse::BalanceFault::NotConverged) {
        // The last pass of an unsettled balance is no result either, nor a start for the next one.
        clearResults();
        QQ_b = 0;
        platform::MsgBox(FaultMessage(r.Fault), platform::vbOKOnly, kFaultTitle);
        return;
    }
    deltap_m = r.Pressures.dpm;
    deltap_t = r.Pressures.dpt;
    deltap_r = r.Pressures.dpr;
    deltap_l = r.Pressures.dpl;
    deltap_b = r.dpb;
    QQ_b = r.Qb;
    AA_b = r.Ab;
    v_b = r.vb;
    v_1 = r.v1;
    const transverse::FanDuty fan = transverse::SupplyFan(modPublic::rho, v_b, deltap_d, QQ_b, eta);
    PP_tot = fan.Ptot;
    AA_tot = fan.Atot;
    SS_tot = fan.Stot;
    UpdateData(false);
    // The balance holds with the supply stretch's air running backwards, which the scheme does not
    // intend: the numbers stay for the engineer to see, the words say what they mean.
    showOutflowTip(v_1);
}

// ---- Report ----

void frmConcentrate::cmdReport_Click() {
    const std::optional<std::string> path = jetfan::ProjectOutputPath(transverse::kConReportName, ".rpt");
    if (!path) {
        return;
    }
    transverse::ConReportBoxes b;
    b.ProjectName = frmReq::ReportProjectName();
    b.KnownArea = optKnowArea.Value();
    b.deltap_m = jetfan::ResultText(txtdeltap_m.Text());
    b.deltap_t = jetfan::ResultText(txtdeltap_t.Text());
    b.deltap_r = jetfan::ResultText(txtdeltap_r.Text());
    b.deltap_l = jetfan::ResultText(txtdeltap_l.Text());
    b.deltap_b = jetfan::ResultText(txtdeltap_b.Text());
    b.QQ_r = txtQQ_r.Text();
    b.QQ_b = jetfan::ResultText(txtQQ_b.Text());
    b.ShaftPile = txtShaftPile.Text();
    b.v_1 = jetfan::ResultText(txtv_1.Text());
    b.beta = txtbeta.Text();
    b.KK_b = txtKK_b.Text();
    // Of the opening's area and speed, the one the balance finds.
    b.AA_b = optKnowArea.Value() ? txtAA_b.Text() : jetfan::ResultText(txtAA_b.Text());
    b.v_b = optKnowArea.Value() ? jetfan::ResultText(txtv_b.Text()) : txtv_b.Text();
    b.deltap_d = txtdeltap_d.Text();
    b.PP_tot = jetfan::ResultText(txtPP_tot.Text());
    b.AA_tot = jetfan::ResultText(txtAA_tot.Text());
    b.eta = txteta.Text();
    b.SS_tot = jetfan::ResultText(txtSS_tot.Text());
    jetfan::PublishSchemeText(*path, transverse::ConReportLines(b), true, "计算报告",
                              transverse::kConReportTitle);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/frmShaftEject.h"

#include "app/hint_line.h"
#include "app/companion_file.h"
#include "app/finite_box.h"
#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "shaft/eject_file.h"
#include "shaft/section_demand.h"
#include "shaft/shaft_eject.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/step2_shown.h"

#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

using app::guarded;
using platform::Forms;
using platform::TextBox;

/// The system colour of highlighted text.
constexpr platform::Color kHighlightText = 0x8000000E;

/// The project's file with another extension; "" for an unnamed project, which has nothing to name it after.
constexpr const char* kExtension = ".se";

/// What of step 2 the section flows and the pressures are computed with.
constexpr unsigned kResultsStep2Inputs = ventparam::kStep2Case | ventparam::kStep2Exchange |
                                         ventparam::kStep2Lambda | ventparam::kStep2Am | ventparam::kStep2Am2;

/// The hint when the shaft-bottom pressure alone overcomes the shaft and its duct.
constexpr const char* kNoFanDuty = "提示：排风机设计风压不大于0，竖井底部压力已足以排风，不计算功率。";

} // namespace

frmShaftEject::frmShaftEject() {
    platform::Layout::window(*this, "Step3: 竖井排出通风方式", 12300, 9300);
    buildControls();
    connectEvents();
}

frmShaftEject::~frmShaftEject() = default;

// ---- Layout ----

void frmShaftEject::buildControls() {
    using platform::Layout;
    const Layout::Column rows{
        .left = 120, .labelWidth = 4230, .boxWidth = 1300, .pitch = 390, .boxHeight = 315, .labelDrop = 40};

    layout_.column(*this, rows.at(120, 1330, 1300), 120, {{"竖井桩号(m):", &txtShaftPile}});
    layout_.column(*this, rows.at(3000, 1900, 1000), 120, {{"计算行车速度vt(m/s)", &txtv_t}});
    txtv_t.setEnabled(false);

    Layout::frame(Frame1, *this, "压力模式", 6100, 0, 5900, 660);
    Layout::captioned(optPresModel1, Frame1, "双向交通隧道合流型竖井", 120, 260, 2800, 300);
    Layout::captioned(optPresModel2, Frame1, "单向交通隧道分流型竖井", 3000, 260, 2800, 300);
    optPresModel1.setEnabled(false);
    optPresModel2.setEnabled(false);

    Layout::frame(Frame2, *this, "第I区段", 120, 720, 5900, 3420);
    layout_.column(Frame2, rows, 280,
                   {{"隧道口与竖井出口之间的气象压力差Δpg1(Pa):", &txtdeltap_g1},
                    {"以竖井内风速为基准的损失系数ζ1-3:", &txtzeta_13},
                    {"分流型风道主流分叉损失系数ζ1-2:", &txtzeta_12, &lblzeta_12},
                    {"需风量Qreq1(m^3/s):", &txtQQ_req1},
                    {"设计风量Qr1(m^3/s):", &txtQQ_r1},
                    {"①-①断面平均风速v1(m/s):", &txtv_1},
                    {"交通通风力Δpt1(Pa):", &txtdeltap_t1},
                    {"末端的全压力ptot1(Pa):", &txtp_tot1, &lblp_tot1}});

    Layout::frame(Frame3, *this, "第II区段", 6100, 720, 5900, 3810);
    layout_.column(Frame3, rows, 280,
                   {{"隧道口与竖井出口之间的气象压力差Δpg2(Pa):", &txtdeltap_g2},
                    {"以竖井内风速为基准的损失系数ζ2-3:", &txtzeta_23},
                    {"需风量Qreq2(m^3/s):", &txtQQ_req2},
                    {"设计风量Qr2(m^3/s):", &txtQQ_r2},
                    {"②-②断面平均风速v2(m/s):", &txtv_2},
                    {"交通通风力Δpt2(Pa):", &txtdeltap_t2},
                    {"始端的全压力ptot21(Pa):", &txtp_tot21, &lblp_tot21},
                    {"末端的全压力ptot22(Pa):", &txtp_tot22, &lblp_tot22},
                    {"Δpg2+0.5ρv2^2(Pa):", &txtp_tot23, &lblp_tot23}});

    Layout::frame(Frame4, *this, "竖井", 120, 4200, 5900, 3420);
    const int shaftBottom = layout_.column(Frame4, rows, 280,
                                           {{"净空断面积Ar(m^2):", &txtShaftAA_r},
                                            {"周长Pr(m):", &txtShaftPP_r},
                                            {"断面当量直径Dr(m):", &txtShaftDD_r},
                                            {"设计风量Qr3(m^3/s):", &txtQQ_r3},
                                            {"③-③断面平均风速v3(m/s):", &txtv_3},
                                            {"竖井及连接风道总压力损失Δpd(Pa)", &txtdeltap_d}});
    Layout::buttonInBox(Frame4, txtdeltap_d, cmdCalPd, ">>");
    // The two shaft-bottom captions are the longest of the window: their boxes give up
    // some width so the captions read in full; the right edges stay in line.
    layout_.column(Frame4, rows.at(rows.left, rows.labelWidth + 400, rows.boxWidth - 400), shaftBottom,
                   {{"竖井底部合流全压力(按照规范公式3.5.7-1)ptot3(Pa):", &txtp_tot3, &lblp_tot3},
                    {"竖井底部合流全压力(按照规范公式3.5.7-1a)ptot3(Pa):", &txtp_tot3a, &lblp_tot3a}});

    Layout::frame(Frame5, *this, "风机动力设计", 6100, 4590, 5900, 1830);
    layout_.column(Frame5, rows, 280,
                   {{"排风机设计风压ptot(Pa):", &txtp_tot},
                    {"理论功率Atot(kw):", &txtAA_tot},
                    {"送风机效率η", &txteta},
                    {"送风机电机轴功率Stot(kw):", &txtSS_tot}});

    Image1.place(*this, 6100, 6480, 2400, 1140);
    Image1.setStretch(true);
    lblTip.place(*this, 8600, 6540, 3400, 900);
    lblTip.setWordWrap(true);
    lblTip.setCaption("");

    // Each button is as wide as its caption needs; the row still fits the window.
    Layout::buttons(*this, 120, 7780, 1500, 450, 80,
                    {{&cmdCalculateSectionQQ_req, "求各区段的需风量", 1720},
                     {&cmdBalanceLength, "求各区段压力平衡长度", 2120},
                     {&cmdCalculatePtot3, "计算", 1300},
                     {&cmdDrawCurve, "绘制曲线图"},
                     {&cmdReport, "计算报告书"},
                     {&cmdTable, "运营控制表"},
                     {&cmdBack, "<-- 上一步"}});

    Layout::inputs({&txtShaftPile, &txtdeltap_g1, &txtzeta_13, &txtzeta_12, &txtdeltap_g2, &txtzeta_23,
                    &txtdeltap_d, &txtShaftAA_r, &txtShaftPP_r, &txteta});
    txtShaftDD_r.setBackColor(kHighlightText);
}

void frmShaftEject::connectEvents() {
    // The pressure curve reads what the window computed into its boxes, as they stand.
    platform::Layout::entries({.numbers = {&txtShaftDD_r, &txtQQ_req1, &txtQQ_r1, &txtv_1, &txtdeltap_t1,
                                           &txtQQ_r2, &txtdeltap_t2, &txtv_3}});
    txtShaftPile.setRangeCheck(app::station_range_problem);
    platform::Connect(optPresModel1.Click, this, &frmShaftEject::optPresModel1_Click);
    platform::Connect(optPresModel2.Click, this, &frmShaftEject::optPresModel2_Click);
    platform::Connect(txtShaftAA_r.Change, this, &frmShaftEject::txtShaftAA_r_Change);
    platform::Connect(txtShaftPP_r.Change, this, &frmShaftEject::txtShaftPP_r_Change);
    platform::Connect(cmdCalculateSectionQQ_req.Click, this, &frmShaftEject::cmdCalculateSectionQQ_req_Click);
    platform::Connect(cmdCalculatePtot3.Click, this, &frmShaftEject::cmdCalculatePtot3_Click);
    platform::Connect(cmdBalanceLength.Click, this, &frmShaftEject::cmdBalanceLength_Click);
    platform::Connect(cmdCalPd.Click, this, &frmShaftEject::cmdCalPd_Click);
    platform::Connect(cmdDrawCurve.Click, this, &frmShaftEject::cmdDrawCurve_Click);
    platform::Connect(cmdReport.Click, this, &frmShaftEject::cmdReport_Click);
    platform::Connect(cmdBack.Click, this, &frmShaftEject::cmdBack_Click);
    // cmdTable has no action in this scheme.
}

// ---- Lifecycle ----

void frmShaftEject::UserForm_Initialize() {
    guarded([this] { OpenFile(); });
    guarded([this] {
        if (IsMergeModel()) {
            optPresModel1.setSilently(true);
            cmdBalanceLength.setEnabled(true);
            txtQQ_r3.setBackColor(txtv_t.BackColor());
        } else {
            optPresModel1.setSilently(false);
            cmdBalanceLength.setEnabled(false);
            txtQQ_r3.setBackColor(txtShaftPile.BackColor());
        }
        optPresModel2.setSilently(!optPresModel1.Value());
    });
    guarded([this] { optPresModel1_Click(); });
}

void frmShaftEject::UserForm_QueryClose() {
    guarded([this] { SaveFile(); });
}

void frmShaftEject::cmdBack_Click() {
    guarded([this] { Forms::unload(*this); });
}

bool frmShaftEject::IsMergeModel() {
    return modPublic::CaseIndex == 2;
}

void frmShaftEject::optPresModel1_Click() {
    const bool merge = optPresModel1.Value();
    for (platform::Control* c : std::initializer_list<platform::Control*>{
             &lblzeta_12, &txtzeta_12, &lblp_tot1, &txtp_tot1, &lblp_tot21, &txtp_tot21, &lblp_tot22,
             &txtp_tot22, &lblp_tot23, &txtp_tot23}) {
        c->setEnabled(!merge);
    }
    lblp_tot3a.setEnabled(merge);
    txtp_tot3a.setEnabled(merge);
    // The pictures are files of the installation; a missing one leaves the image as it was.
    guarded([&] { Image1.setInstalledPicture(merge ? "shaft1.bmp" : "shaft2.bmp"); });
}

void frmShaftEject::optPresModel2_Click() {
    optPresModel1_Click();
}

void frmShaftEject::txtShaftAA_r_Change() {
    ShaftDD_r = shaft::ShaftDiameter(vb::Val(txtShaftAA_r.Text()), vb::Val(txtShaftPP_r.Text()));
    guarded([this] { txtShaftDD_r.set(vb::Format(ShaftDD_r, "0.00")); });
}

void frmShaftEject::txtShaftPP_r_Change() {
    txtShaftAA_r_Change();
}

// ---- The .se file ----

namespace {

/// The boxes of the file, in the order of shaft::SeBox.
std::array<TextBox*, shaft::kSeBoxCount> seBoxes(frmShaftEject& w) {
    return {&w.txtv_t,      &w.txtShaftPile, &w.txtdeltap_g1, &w.txtzeta_13,   &w.txtzeta_12,   &w.txtQQ_req1,
            &w.txtQQ_r1,    &w.txtv_1,       &w.txtdeltap_t1, &w.txtp_tot1,    &w.txtdeltap_g2, &w.txtzeta_23,
            &w.txtQQ_req2,  &w.txtQQ_r2,     &w.txtv_2,       &w.txtdeltap_t2, &w.txtp_tot21,   &w.txtp_tot22,
            &w.txtp_tot23,  &w.txtShaftAA_r, &w.txtShaftPP_r, &w.txtShaftDD_r, &w.txtQQ_r3,     &w.txtv_3,
            &w.txtdeltap_d, &w.txtp_tot3,    &w.txtp_tot3a,   &w.txtp_tot,     &w.txtAA_tot,    &w.txteta,
            &w.txtSS_tot};
}

/// Empties the boxes of one of the .se file's result lists, in its order.
void emptyResults(frmShaftEject& w, std::span<const shaft::SeBox> results) {
    const auto boxes = seBoxes(w);
    for (const shaft::SeBox box : results) {
        app::EmptyBoxes({boxes[box]});
    }
}

} // namespace

void frmShaftEject::OpenFile() {
    scheme::SchemeReader in;
    const app::CompanionSource source = app::OpenCompanionOrTemplateFrom(
        in, app::ProjectCompanionPath(kExtension), app::TemplateCompanionPath(kExtension));
    const auto boxes = seBoxes(*this);
    if (source == app::CompanionSource::None) {
        app::EmptyBoxes(boxes);
        return;
    }
    // Area and perimeter recompute the diameter as they are set; the stored diameter, read after them,
    // is what the window then shows. The stored model is not followed: the traffic case decides it.
    shaft::SeFileContents se = shaft::ReadSeFile(in);
    if (app::TemplateIsForAnotherTunnel(source)) {
        shaft::KeepTemplateInputs(se, !IsMergeModel());
    }
    const std::string step2Hint = forgetResultsOfOtherStep2(se, !app::TemplateIsForAnotherTunnel(source));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (se.Boxes[i]) {
            guarded([&] { boxes[i]->set(*se.Boxes[i]); });
        }
    }
    // The file keeps the fan's duty but not the words why no power stands beside it.
    if (!txtp_tot3.Text().empty() && !txtp_tot.Text().empty()) {
        lblTip.setCaption(withFanDuty(storedFanDuty(), ""));
    }
    app::AppendHint(lblTip, step2Hint);
}

std::string frmShaftEject::forgetResultsOfOtherStep2(shaft::SeFileContents& se, bool resultsShown) {
    computedUnder_ = se.Step2;
    std::string hint = ventparam::ResultsOfOtherStep2(computedUnder_, kResultsStep2Inputs, resultsShown);
    if (!hint.empty()) {
        shaft::ForgetResults(se, !IsMergeModel());
    }
    return hint;
}

shaft::FanPower frmShaftEject::storedFanDuty() const {
    // The calculation judged the duty on the design pressure its box shows, which the file keeps as it
    // was; worked again from the rounded shaft-bottom pressure it could come out on the other side of 0.
    shaft::FanPower fan;
    fan.p_tot = vb::Val(txtp_tot.Text());
    fan.Powered = shaft::FanHasDuty(fan.p_tot);
    return fan;
}

bool frmShaftEject::SaveFile() {
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty()) {
        return false;
    }
    shaft::SeFileContents se;
    const auto boxes = seBoxes(*this);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        se.Boxes[i] = boxes[i]->Text();
    }
    se.Merge = optPresModel1.Value();
    se.Step2 = computedUnder_;
    return app::SaveCompanionFile(shaft::WriteSeFile(se), path, "竖井排出式通风方案文件");
}

// ---- Boxes and fields ----

void frmShaftEject::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) {
        ShaftPile = vb::Val(txtShaftPile.Text());
        deltap_g1 = vb::Val(txtdeltap_g1.Text());
        zeta_13 = vb::Val(txtzeta_13.Text());
        zeta_12 = vb::Val(txtzeta_12.Text());
        deltap_g2 = vb::Val(txtdeltap_g2.Text());
        zeta_23 = vb::Val(txtzeta_23.Text());
        deltap_d = vb::Val(txtdeltap_d.Text());
        ShaftDD_r = vb::Val(txtShaftDD_r.Text());
        eta = vb::Val(txteta.Text());
        // The split type's shaft flow is an input: a flow typed since the last section calculation is taken
        // as it stands, so that the write-back below never replaces it with the older one.
        if (!IsMergeModel()) {
            QQ_r3 = vb::Val(txtQQ_r3.Text());
        }
        frmReq& req = Forms::instance<frmReq>();
        if (req.optRightLine.Value()) {
            EntrancePile = modPublic::StartPile;
            ExitPile = modPublic::EndPile;
        } else {
            EntrancePile = modPublic::EndPile;
            ExitPile = modPublic::StartPile;
        }
        guarded([&] {
            if (req.lstSection.ListItems.Count() >= 1) {
                if (const auto dr = vb::StrictNumber(req.lstSection.ListItems(1).SubItems(3))) {
                    modPublic::DD_r = *dr;
                }
            }
        });
        return;
    }
    const double vt = Forms::instance<frmReq>().workv_t / 3.6;
    const std::array<std::pair<TextBox*, double>, 21> out = {{{&txtv_1, v_1},
                                                              {&txtv_2, v_2},
                                                              {&txtv_3, v_3},
                                                              {&txtv_t, vt},
                                                              {&txtdeltap_t1, deltap_t1},
                                                              {&txtdeltap_t2, deltap_t2},
                                                              {&txtp_tot3, p_tot3},
                                                              {&txtp_tot1, p_tot1},
                                                              {&txtp_tot21, p_tot21},
                                                              {&txtp_tot22, p_tot22},
                                                              {&txtp_tot23, p_tot23},
                                                              {&txtp_tot, p_tot},
                                                              {&txtQQ_r1, QQ_r1},
                                                              {&txtQQ_r2, QQ_r2},
                                                              {&txtQQ_req1, QQ_req1},
                                                              {&txtQQ_req2, QQ_req2},
                                                              {&txtQQ_r3, QQ_r3},
                                                              {&txtp_tot3a, p_tot3a},
                                                              {&txtAA_tot, AA_tot},
                                                              {&txtSS_tot, SS_tot},
                                                              {&txtShaftPile, ShaftPile}}};
    // A value that is not a number empties its box rather than showing a figure that is none.
    for (const auto& [box, value] : out) {
        if (fanUnpowered_ && (box == &txtAA_tot || box == &txtSS_tot)) {
            guarded([&] { box->set(""); });
            continue;
        }
        guarded([&] { box->set(vb::Format(value, "0.00")); });
    }
}

double frmShaftEject::GetFlowAtPile(double dPile) {
    return shaft::FlowAtPile(dPile, ShaftPile, EntrancePile, vb::Val(txtQQ_r1.Text()),
                             vb::Val(txtQQ_r2.Text()));
}

bool frmShaftEject::reportNotComputed() {
    if (quiet_) {
        return true;
    }
    const std::array<std::pair<double, const char*>, 19> results = {{{QQ_req1, "Qreq1"},
                                                                     {QQ_req2, "Qreq2"},
                                                                     {QQ_r1, "Qr1"},
                                                                     {QQ_r2, "Qr2"},
                                                                     {QQ_r3, "Qr3"},
                                                                     {v_1, "v1"},
                                                                     {v_2, "v2"},
                                                                     {v_3, "v3"},
                                                                     {deltap_t1, "Δpt1"},
                                                                     {deltap_t2, "Δpt2"},
                                                                     {p_tot1, "ptot1"},
                                                                     {p_tot21, "ptot21"},
                                                                     {p_tot22, "ptot22"},
                                                                     {p_tot3, "ptot3"},
                                                                     {p_tot3a, "ptot3a"},
                                                                     {p_tot, "ptot"},
                                                                     {AA_tot, "Atot"},
                                                                     {SS_tot, "Stot"},
                                                                     {p_tot23, "Δpg2+0.5ρv2^2"}}};
    std::string names;
    for (const auto& [value, name] : results) {
        if (!std::isfinite(value)) {
            names += (names.empty() ? "" : "、") + std::string(name);
        }
    }
    if (names.empty()) {
        return true;
    }
    platform::MsgBox("以下结果无法计算: " + names + "\r\n请检查隧道断面、竖井断面积、送风机效率等输入数据！",
                     platform::vbOKOnly, "出错！");
    return false;
}

bool frmShaftEject::shaftInsideTunnel() {
    const double station = vb::Val(txtShaftPile.Text());
    if (station >= modPublic::StartPile && station <= modPublic::EndPile) {
        return true;
    }
    if (!quiet_) {
        platform::MsgBox("竖井桩号" + txtShaftPile.Text() + "超出隧道桩号范围，请检查！", platform::vbOKOnly,
                         "出错！");
    }
    return false;
}

// ---- Section air demand and design flows ----

void frmShaftEject::cmdCalculateSectionQQ_req_Click() {
    computedUnder_ = ventparam::Step2Shown();
    if (!shaftInsideTunnel()) {
        flowsComputed_ = false;
        emptyResults(*this, shaft::kSeFlowResults);
        if (IsMergeModel()) {
            app::EmptyBoxes({&txtQQ_r3});
        }
        return;
    }
    guarded([this] { UpdateData(true); });
    frmReq& req = Forms::instance<frmReq>();
    frmVentParam& step2 = Forms::instance<frmVentParam>();

    shaft::SectionDemand previous;
    previous.Inlet = QQ_req1;
    previous.Outlet = QQ_req2;
    const shaft::SectionDemand d = shaft::ComputeSectionDemand(req, step2, ShaftPile, std::nullopt, previous);
    QQ_req1 = d.Inlet;
    QQ_req2 = d.Outlet;

    const shaft::DesignFlows f = IsMergeModel()
                                     ? shaft::MergeFlows(QQ_req1, QQ_req2)
                                     : shaft::SplitFlows(QQ_req1, QQ_req2, vb::Val(txtQQ_r3.Text()));
    QQ_r1 = f.Qr1;
    QQ_r2 = f.Qr2;
    QQ_r3 = f.Qr3;
    // Both sections take the tunnel area at the shaft.
    guarded([&] {
        const double area = req.GetAA_r(ShaftPile);
        v_1 = QQ_r1 / area;
        v_2 = QQ_r2 / area;
    });
    v_3 = QQ_r3 / vb::Val(txtShaftAA_r.Text());
    showSectionFlows();
    flowsComputed_ = true;
    reportNotComputed();
}

void frmShaftEject::showSectionFlows() {
    // This step computes flows, not pressures. The pressures shown (those of the last 计算, or of the
    // file) stay while the flows they were worked from stand; flows that change leave them of no design.
    const auto boxes = seBoxes(*this);
    // A flow as a figure: a typed "100" and its write-back "100.00" are one flow.
    const auto flows = [&] {
        std::vector<std::optional<double>> f;
        for (const shaft::SeBox box : shaft::kSeSectionFlows) {
            const std::string& text = boxes[box]->Text();
            f.push_back(text.empty() ? std::nullopt : std::optional<double>(vb::Val(text)));
        }
        return f;
    };
    const auto before = flows();
    std::vector<std::string> pressures;
    for (const shaft::SeBox box : shaft::kSePressureResults) {
        pressures.push_back(boxes[box]->Text());
    }
    guarded([this] { UpdateData(false); });
    if (flows() != before) {
        emptyResults(*this, shaft::kSePressureResults);
        fanUnpowered_ = false;
        lblTip.setCaption("");
        return;
    }
    for (std::size_t i = 0; i < pressures.size(); ++i) {
        guarded([&] { boxes[shaft::kSePressureResults[i]]->set(pressures[i]); });
    }
}

// ---- Pressures and the exhaust fan ----

void frmShaftEject::cmdCalculatePtot3_Click() {
    if (!shaftInsideTunnel()) {
        emptyResults(*this, shaft::kSePressureResults);
        lblTip.setCaption("");
        return;
    }
    // The pressures need the section flows; in a window just opened they would otherwise be taken as 0 and
    // the flows shown would be replaced by zeros.
    if (!flowsComputed_) {
        const bool wasQuiet = quiet_;
        quiet_ = true;
        cmdCalculateSectionQQ_req_Click();
        quiet_ = wasQuiet;
    }
    guarded([this] { UpdateData(true); });
    frmReq& req = Forms::instance<frmReq>();
    const double rho = modPublic::rho, lambda = modPublic::lambda_r;
    std::string tip;
    if (IsMergeModel()) {
        double dpr1 = 0, dpr2 = 0;
        guarded([&] {
            deltap_t1 = req.GetYANCHENGDeltap_t2(EntrancePile, ShaftPile, QQ_r1, modPublic::AA_m_Bidirection,
                                                 shaft::kTrafficForceDensity, true);
        });
        guarded([&] {
            deltap_t2 = req.GetYANCHENGDeltap_t2(ExitPile, ShaftPile, QQ_r2, modPublic::AA_m_Bidirection,
                                                 shaft::kTrafficForceDensity, true);
        });
        guarded([&] {
            dpr1 = req.GetYANCHENGDeltap_r_m(EntrancePile, ShaftPile, lambda, rho, QQ_r1, 1,
                                             shaft::kEjectEntranceLoss, 0, shaft::kEjectMergeLoss);
        });
        guarded([&] {
            dpr2 = req.GetYANCHENGDeltap_r_m(ShaftPile, ExitPile, lambda, rho, QQ_r2, 1,
                                             shaft::kEjectEntranceLoss, 0, shaft::kEjectMergeLoss);
        });
        const shaft::MergePressures p = shaft::MergeShaftPressures(
            deltap_g1, deltap_t1, dpr1, deltap_g2, deltap_t2, dpr2, v_3, rho, zeta_13, zeta_23);
        p_tot3 = p.p_tot3;
        p_tot3a = p.p_tot3a;
    } else {
        const vb::Integer caseId = modPublic::CaseIndex;
        guarded([&] {
            shaft::EjectStretch s1{EntrancePile, ShaftPile};
            shaft::EjectStretch s2{ExitPile, ShaftPile};
            if (caseId == 4) {
                const shaft::TrafficStretches w = shaft::CongestionTrafficStretches(
                    vb::Val(req.txtBlockStartPile.Text()), vb::Val(req.txtBlockEndPile.Text()), ShaftPile,
                    modPublic::PileDirection);
                s1 = w.Section1;
                s2 = w.Section2;
            }
            deltap_t1 = req.GetYANCHENGDeltap_t1(s1.sp, s1.ep, QQ_r1, modPublic::AA_m,
                                                 shaft::kTrafficForceDensity, caseId, false);
            deltap_t2 = req.GetYANCHENGDeltap_t1(s2.sp, s2.ep, QQ_r2, modPublic::AA_m,
                                                 shaft::kTrafficForceDensity, caseId, false);
        });
        shaft::SplitInputs in;
        in.deltap_g1 = deltap_g1;
        in.deltap_g2 = deltap_g2;
        in.deltap_t1 = deltap_t1;
        in.deltap_t2 = deltap_t2;
        guarded([&] {
            in.deltap_r1 = req.GetYANCHENGDeltap_r_m(EntrancePile, ShaftPile, lambda, rho, QQ_r1, 1,
                                                     shaft::kEjectEntranceLoss, 0, shaft::kEjectMergeLoss);
        });
        guarded([&] {
            in.deltap_r2 = req.GetYANCHENGDeltap_r_m(ShaftPile, ExitPile, lambda, rho, QQ_r2, 4,
                                                     shaft::kEjectEntranceLoss, shaft::kEjectBranchLoss, 0);
        });
        in.zeta_12 = zeta_12;
        in.zeta_13 = zeta_13;
        in.v1 = v_1;
        in.v2 = v_2;
        in.rho = rho;
        const shaft::SplitPressures p = shaft::SplitShaftPressures(in);
        p_tot1 = p.p_tot1;
        p_tot21 = p.p_tot21;
        p_tot22 = p.p_tot22;
        p_tot23 = p.p_tot23;
        p_tot3 = p.p_tot3;
        tip = shaft::ExitImbalance(p_tot22, p_tot23) ? "提示：出口端压力不平衡，请检查！" : "";
    }
    const shaft::FanPower fan = shaft::ExhaustFan(p_tot3, deltap_d, QQ_r3, eta);
    p_tot = fan.p_tot;
    AA_tot = fan.AA_tot;
    SS_tot = fan.SS_tot;
    lblTip.setCaption(withFanDuty(fan, tip));
    guarded([this] { UpdateData(false); });
    reportNotComputed();
}

std::string frmShaftEject::withFanDuty(const shaft::FanPower& fan, std::string tip) {
    // The design pressure stays in view; a power worked from a duty that is none would read as a fan to buy.
    fanUnpowered_ = !fan.Powered && std::isfinite(fan.p_tot);
    if (fanUnpowered_) {
        tip += std::string(tip.empty() ? "" : "\r\n") + kNoFanDuty;
    }
    return tip;
}

// ---- Shaft position ----

void frmShaftEject::cmdBalanceLength_Click() {
    guarded([this] { UpdateData(true); });
    double length = 0;
    guarded([&] { length = Forms::instance<frmReq>().GetTunnelLength(); });
    const double dir = modPublic::PileDirection;
    // Messages of the single steps would repeat at every station tried; the search says once what it found.
    quiet_ = true;
    shaft::BalanceResult r;
    guarded([&] {
        r = shaft::BalanceShaftPosition(length, [&](double x) {
            ShaftPile = dir * x + EntrancePile;
            guarded([&] { txtShaftPile.set(vb::CStr(ShaftPile)); });
            cmdCalculateSectionQQ_req_Click();
            cmdCalculatePtot3_Click();
            return std::make_pair(p_tot3, p_tot3a);
        });
    });
    quiet_ = false;
    ShaftPile = dir * r.x + EntrancePile;
    guarded([this] { UpdateData(false); });
    if (!r.found && reportNotComputed()) {
        platform::MsgBox(
            "在隧道范围内未找到两区段竖井底部全压力平衡的竖井位置, 窗口显示的是最后一次试算的结果, 请检查!",
            platform::vbOKOnly, "提示");
    }
}

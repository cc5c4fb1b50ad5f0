// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/frmShaftAndJet.h"

#include "app/finite_box.h"
#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/guarded.h"
#include "app/hint_line.h"
#include "app/jet_models.h"
#include "app/companion_file.h"
#include "app/modPublic.h"
#include "app/stored_text.h"
#include "jetfan/CPressionCurve.h"
#include "jetfan/frmSetJetPile.h"
#include "jetfan/jet_group_list.h"
#include "jetfan/jet_helpers.h"
#include "jetfan/modPublic_jet.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "shaft/section_demand.h"
#include "shaft/shaft_and_jet.h"
#include "shaft/sj_file.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/step2_shown.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>

namespace {

using app::guarded;
using platform::Forms;
using platform::TextBox;

constexpr const char* kErrorTitle = "出错！";

constexpr const char* kExtension = ".sj";

/// What of step 2 the section demands, the balance and the fans are computed with.
constexpr unsigned kResultsStep2Inputs = ventparam::kStep2Case | ventparam::kStep2Exchange |
                                         ventparam::kStep2ZetaE | ventparam::kStep2Lambda |
                                         ventparam::kStep2Vn | ventparam::kStep2Am | ventparam::kStep2Am2;

/// The same as app::SetStoredText for a box with a list.
void applyText(platform::ComboBox& box, const shaft::SjField& text) {
    if (text) {
        guarded([&] { box.setText(*text); });
    }
}

/// The boxes of one opening in the order of its two records: the opening's (flow of one fan, fan count,
/// then the rest) and its fan's.
struct OpeningBoxes {
    TextBox* flow;
    platform::ComboBox* count;
    std::array<TextBox*, shaft::kSjOpeningFields - 2> rest;
    std::array<TextBox*, shaft::kSjFanFields> fan;
};

/// The exhaust opening's boxes, then the supply opening's.
std::array<OpeningBoxes, 2> openingBoxes(frmShaftAndJet& w) {
    return {{{&w.txtQe,
              &w.cmbCounte,
              {&w.txtQQ_e, &w.txtAA_e, &w.txtKK_e, &w.txtv_e, &w.txtdeltap_e, &w.txtZeta_fencha},
              {&w.txtp_de, &w.txtp_se, &w.txtp_tote, &w.txtt1_e, &w.txtp1_e, &w.txteta_e, &w.txtSSkw_e,
               &w.txtetam_e, &w.txtk_e, &w.txtMM1_e}},
             {&w.txtQb,
              &w.cmbCountb,
              {&w.txtQQ_b, &w.txtAA_b, &w.txtKK_b, &w.txtv_b, &w.txtdeltap_b, &w.txtZeta_heliu},
              {&w.txtp_db, &w.txtp_sb, &w.txtp_totb, &w.txtt1_b, &w.txtp1_b, &w.txteta_b, &w.txtSSkw_b,
               &w.txtetam_b, &w.txtk_b, &w.txtMM1_b}}}};
}

void applyOpening(const OpeningBoxes& o, const std::array<shaft::SjField, shaft::kSjOpeningFields>& texts,
                  const std::array<shaft::SjField, shaft::kSjFanFields>& fanTexts) {
    app::SetStoredText(*o.flow, texts[0]);
    applyText(*o.count, texts[1]);
    for (std::size_t i = 0; i < o.rest.size(); ++i) {
        app::SetStoredText(*o.rest[i], texts[i + 2]);
    }
    for (std::size_t i = 0; i < o.fan.size(); ++i) {
        app::SetStoredText(*o.fan[i], fanTexts[i]);
    }
}

/// The texts of an opening's boxes, record by record.
void readOpening(const OpeningBoxes& o, std::array<shaft::SjField, shaft::kSjOpeningFields>& texts,
                 std::array<shaft::SjField, shaft::kSjFanFields>& fanTexts) {
    texts[0] = o.flow->Text();
    texts[1] = o.count->Text();
    for (std::size_t i = 0; i < o.rest.size(); ++i) {
        texts[i + 2] = o.rest[i]->Text();
    }
    for (std::size_t i = 0; i < o.fan.size(); ++i) {
        fanTexts[i] = o.fan[i]->Text();
    }
}

frmReq& mainWindow() {
    return Forms::instance<frmReq>();
}

frmVentParam& step2() {
    return Forms::instance<frmVentParam>();
}

int lineDirection() {
    return mainWindow().optLeftLine.Value() ? -1 : 1;
}

} // namespace

frmShaftAndJet::frmShaftAndJet() {
    // Tall enough for the hint line below the buttons.
    platform::Layout::window(*this, "Step 3: 单竖井与射流风机组合通风方式", 14700, 9400);
    buildControls();
    Image1.setInstalledPicture("shaft_jet_scheme.svg");
    Image2.setInstalledPicture("jet_section_narrow.svg");
    Image3.setInstalledPicture("jet_section_narrow.svg");
    connectEvents();
    // The design-time texts, which the scheme file replaces when the window opens.
    const std::pair<TextBox*, const char*> initial[] = {
        {&txtQe, "150"},           {&txtQQ_e, "280"},       {&txtKK_e, "0.9"}, {&txtv_e, "6"},
        {&txtZeta_fencha, "0.28"}, {&txtQb, "150"},         {&txtv_b, "25"},   {&txtKK_b, "1"},
        {&txtbeta, "5"},           {&txtZeta_heliu, "0.7"}, {&txtds, "60"},    {&txtetam_e, "0.925"},
        {&txtetam_b, "0.925"},     {&txtk_e, "1.15"},       {&txtk_b, "1.15"}};
    for (const auto& [box, text] : initial) {
        box->setSilently(text);
    }
    chkQb.setSilently(1);
}

frmShaftAndJet::~frmShaftAndJet() = default;

// ---- Layout ----

void frmShaftAndJet::buildControls() {
    using platform::Layout;
    const int row = 345;
    // The captions and boxes of the pressure and power frames of each opening.
    const Layout::Column small{.left = 100, .labelWidth = 1900, .boxWidth = 800};

    MultiPage1.place(*this, 120, 120, 14400, 7500);
    platform::Page& shaftPage = MultiPage1.AddPage("竖井及风机信息(S)");
    platform::Page& sectionPage = MultiPage1.AddPage("通风区段(V)");
    platform::Page& layoutPage = MultiPage1.AddPage("射流风机布置(J)");

    // ---- Shaft and its openings ----
    layout_.column(shaftPage, {.left = 240, .labelWidth = 1500, .boxWidth = 1200}, 180,
                   {{"竖井桩号(m):", &txtShaftPile}});
    const int frameTop = 660, frameWidth = 7000, frameHeight = 6300;
    // The left column of each opening's frame: its captions are wide enough for the longest one
    // ("喷流方向与隧道轴向的夹角β(度)") and its boxes end where they did.
    const Layout::Column opening{.left = 120, .labelWidth = 2580, .boxWidth = 820};
    // Right of each opening's column: its design pressure, fan power and motor power. The opening's total
    // pressure has a caption too long for one line: it takes two, its box beside the second, and the
    // frames below move down to make room.
    const int twoLines = 540, lower = 180;
    struct OpeningFrames {
        platform::Frame *opening, *design, *power, *motor;
        const char *lossCaption, *riseCaption, *totalCaption;
        TextBox *loss, *rise, *total;
        platform::CommandButton* calculate;
        TextBox *t1, *p1, *eta, *fanPower, *etam, *k, *motorPower;
    };
    const OpeningFrames openings[] = {
        {&Frame1, &Frame10, &Frame11, &Frame12, "总压力损失pde(Pa)", "排风口处总升压力pse(Pa)",
         "设计风压ptote(Pa)", &txtp_de, &txtp_se, &txtp_tote, &cmdCalpde, &txtt1_e, &txtp1_e, &txteta_e,
         &txtSSkw_e, &txtetam_e, &txtk_e, &txtMM1_e},
        {&Frame2, &Frame15, &Frame16, &Frame17, "总压力损失pdb(Pa)", "送风口处总升压力psb(Pa)",
         "设计风压ptotb(Pa)", &txtp_db, &txtp_sb, &txtp_totb, &cmdCalpdb, &txtt1_b, &txtp1_b, &txteta_b,
         &txtSSkw_b, &txtetam_b, &txtk_b, &txtMM1_b},
    };
    // Tab runs through an opening's own column, then its fan's frames, before the next opening.
    const auto fanFrames = [&](const OpeningFrames& o) {
        Layout::frame(*o.design, *o.opening, "设计风压计算", 3660, 240, 3220, 1400 + lower);
        const int top = layout_.column(*o.design, small, 260, {{o.lossCaption, o.loss}});
        // The duct-loss button beside its box, next on the keyboard.
        o.calculate->place(*o.design, 2810, 260, 330, platform::kBoxHeight);
        o.calculate->setCaption("...");
        layout_.caption(*o.design, o.riseCaption, 100, top + 15, 1900, twoLines);
        o.rise->place(*o.design, 2000, top + lower + 30, 800, platform::kBoxHeight);
        layout_.column(*o.design, small, top + row + lower, {{o.totalCaption, o.total}});
        Layout::frame(*o.power, *o.opening, "风机功率计算", 3660, 1720 + lower, 3220, 1760);
        layout_.column(*o.power, small, 260,
                       {{"环境温度t1(℃)", o.t1},
                        {"环境大气压p1(kPa)", o.p1},
                        {"风机效率η", o.eta},
                        {"风机功率Skw(kW)", o.fanPower}});
        Layout::frame(*o.motor, *o.opening, "电机功率计算", 3660, 3560 + lower, 3220, 1400);
        layout_.column(
            *o.motor, small, 260,
            {{"效率ηm(0.90-0.95)", o.etam}, {"容量安全系数k(1.15)", o.k}, {"电机功率M1(kW)", o.motorPower}});
    };
    Layout::frame(Frame1, shaftPage, "排风", 120, frameTop, frameWidth, frameHeight);
    layout_.column(Frame1, opening, 300,
                   {{"排风机流量(m^3/台):", &txtQe},
                    {"配置台数(台):", &cmbCounte},
                    {"排风量Qe(m^3/s):", &txtQQ_e},
                    {"排风口面积Ae(m^2):", &txtAA_e},
                    {"排风口升压动量系数Ke", &txtKK_e},
                    {"与Qe相应的排风口风速ve(m/s):", &txtv_e},
                    {"升压力Δpe(Pa):", &txtdeltap_e},
                    {"分叉损失系数", &txtZeta_fencha}});

    fanFrames(openings[0]);

    Layout::frame(Frame2, shaftPage, "送风", 7240, frameTop, frameWidth, frameHeight);
    int top = layout_.column(Frame2, opening, 300,
                             {{"送风机流量(m^3/台):", &txtQb}, {"配置台数(台):", &cmbCountb}});
    Layout::captioned(chkQb, Frame2, "送风量已知", 120, top, 3300);
    top += row;
    top = layout_.column(Frame2, opening, top, {{"送风量Qb(m^3/s):", &txtQQ_b}});
    Layout::row(Frame2, opening, top, lblAA_b, "送风口面积Ab(m^2):", txtAA_b);
    top += row;
    layout_.column(Frame2, opening, top,
                   {{"送风口喷出风速vb(m/s)", &txtv_b},
                    {"送风口升压动量系数Kb", &txtKK_b},
                    {"喷流方向与隧道轴向的夹角β(度)", &txtbeta},
                    {"升压力Δpb(Pa):", &txtdeltap_b},
                    {"合流损失系数", &txtZeta_heliu}});
    fanFrames(openings[1]);

    // ---- Ventilation sections ----
    Layout::frame(Frame6, sectionPage, "短道气流验算", 120, 120, 4400, 2600);
    layout_.column(Frame6, {.left = 120, .labelWidth = 3150, .boxWidth = 1000}, 280,
                   {{"短道长度ds(m)", &txtds},
                    {"稀释烟雾的需风量Qreq(VI)(m^3/s)", &txtQQ_req_VI},
                    {"短道风量Qs(m^3/s):", &txtQQ_s},
                    {"设计风速vrs(m/s):", &txtv_rs},
                    {"浓度C2", &txtCC_2s},
                    {"竖井底部气流中的等效新鲜空气量Qsf", &txtQQ_sf}});
    Layout::frame(Frame3, sectionPage, "短道回流", 120, 2820, 4400, 1000);
    layout_.column(Frame3, {.left = 120, .labelWidth = 3000, .boxWidth = 1000}, 260,
                   {{"Qe/Qr1≤1.0", &txtratio_Qe_Qr1}, {"Qb/Qr2≤1.0", &txtratio_Qb_Qr2}});

    struct SectionControls {
        platform::Frame* section;
        const char* title;
        std::vector<Layout::Row> rows;
        platform::Frame* fans;
        platform::ComboBox* model;
        TextBox *flow, *dd, *aa, *vj, *zz, *eta, *dpj, *power, *count;
        platform::Image* picture;
    };
    const SectionControls sections[] = {
        {&Frame18,
         "进口区段(行车方向进口桩号~竖井桩号)",
         {{"需风量Qreq(m^3/s):", &txtQQ_req1},
          {"设计风量Qr1(m^3/s):", &txtQQ_r1},
          {"设计风速vr1(m/s):", &txtv_r1},
          {"通风阻抗力Δpr1(Pa):", &txtdeltap_r1},
          {"自然风阻力Δpm1(Pa):", &txtdeltap_m1},
          {"交通通风力Δpt1(Pa):", &txtdeltap_t1},
          {"所需升压力Δpj1(Pa):", &txttotaldeltap_j1},
          {"竖井底部浓度C2(0.9≤C2≤1.0)", &txtCC_2}},
         &Frame19,
         &cmbJetModel1,
         &txtFlow1,
         &txtDD_j1,
         &txtAA_j1,
         &txtvj1,
         &txtZZ_j1,
         &txteta1,
         &txtdeltap_j1,
         &txtPower1,
         &txtjetcount1,
         &Image2},
        {&Frame20,
         "出口区段(竖井桩号~行车方向出口桩号)",
         {{"需风量Qreq2(m^3/s)", &txtQQ_req2},
          {"设计风量Qr2(m^3/s)", &txtQQ_r2},
          {"设计风速vr2(m/s):", &txtv_r2},
          {"通风阻抗力Δpr2(Pa)", &txtdeltap_r2},
          {"自然风阻力Δpm2(Pa)", &txtdeltap_m2},
          {"交通通风力Δpt2(Pa)", &txtdeltap_t2},
          {"所需升压力Δpj2(Pa)", &txttotaldeltap_j2},
          {"隧道出口内侧处的浓度C3(0.9≤C3≤1.0)", &txtCC_3}},
         &Frame21,
         &cmbJetModel2,
         &txtFlow2,
         &txtDD_j2,
         &txtAA_j2,
         &txtvj2,
         &txtZZ_j2,
         &txteta2,
         &txtdeltap_j2,
         &txtPower2,
         &txtjetcount2,
         &Image3},
    };
    int left = 4560;
    for (const SectionControls& s : sections) {
        Layout::frame(*s.section, sectionPage, s.title, left, 120, 4800, 3100);
        layout_.column(*s.section, {.left = 120, .labelWidth = 3230, .boxWidth = 1300}, 300, s.rows);
        Layout::frame(*s.fans, sectionPage, "射流风机配置", left, 3300, 4800, 3740);
        // The boxes are wide enough for a pressure rise shown with all its digits ("13.0637353266733"):
        // the count is worked from that text, so it is never shortened.
        layout_.column(*s.fans, {.left = 120, .labelWidth = 1700, .boxWidth = 1800}, 260,
                       {{"选择常用型号", s.model},
                        {"风机流量(m^3/s)", s.flow},
                        {"出口直径Dj(m)", s.dd},
                        {"出口面积Aj(m^2)", s.aa},
                        {"出口风速vj(m/s)", s.vj},
                        {"悬挂高度Z(m)", s.zz},
                        {"折减系数η", s.eta},
                        {"升压力Δpj(Pa)", s.dpj},
                        {"风机功率(kW)", s.power},
                        {"风机数量(台)", s.count}});
        // The model names are longer than the numbers below them: the list runs across the picture's column,
        // and the picture starts below it.
        s.model->place(*s.fans, 1820, 260, 2860, platform::kBoxHeight);
        s.picture->place(*s.fans, 3740, 660, 940, 2900);
        s.picture->setStretch(true);
        left += 4920;
    }
    // The case's total power comes after both sections on the keyboard as it does in the window's listing.
    layout_.column(sectionPage, {.left = 240, .labelWidth = 2200, .boxWidth = 1200}, 4000,
                   {{"该工况总耗电功率(kW):", &txtTotalPower}});
    txtv_r2.setEnabled(false);

    // ---- Jet-fan groups ----
    lstJet.place(layoutPage, 120, 120, 4200, 6800);
    lstJet.setGridLines(true);
    layout_.column(
        layoutPage, {.left = 4500, .labelWidth = 1400, .boxWidth = 1400}, 240,
        {{"桩号(m):", &txtPile}, {"本组台数(台):", &txtJetNumPerTeam}, {"升压力(Pa):", &txtPress}});
    Layout::buttonColumn(
        layoutPage, 4500, 1500, 1400, 400, 100,
        {{&cmdAdd, "添加"}, {&cmdUpdate, "更新"}, {&cmdDelete, "删除"}, {&cmdAutoLayout, "自动布置"}});
    // Beside the boxes, at the proportions of its drawing.
    Image1.place(layoutPage, 7400, 240, 6800, 5610);
    Image1.setStretch(true);

    // ---- Buttons and the hint line ----
    Layout::buttons(*this, 240, 7740, 1900, 450, 140,
                    {{&cmdBack, "<-- 上一步"},
                     {&cmdCalculateSectionQQ_req, "需风量计算"},
                     {&cmdCalculatePtot3, "通风计算"},
                     {&cmdDrawPressCurve, "绘制曲线"},
                     {&cmdCalPower, "动力计算"},
                     {&cmdReport, "计算报告书"},
                     {&cmdTable, "运营控制表"}});
    layout_.caption(*this, "提示信息:", 240, 8330, 1000);
    // Two lines: the balance's words, the groups' and a changed catalogue's can stand together.
    Layout::captioned(lblTip, *this, "", 1260, 8330, 13000, 510);
    lblTip.setWordWrap(true);

    // The boxes a designer fills in.
    Layout::inputs({&txtShaftPile, &txtQe,     &txtKK_e,      &txtv_e,      &txtZeta_fencha,   &txtp_de,
                    &txtt1_e,      &txtp1_e,   &txteta_e,     &txtetam_e,   &txtk_e,           &txtQb,
                    &txtQQ_b,      &txtv_b,    &txtKK_b,      &txtbeta,     &txtZeta_heliu,    &txtp_db,
                    &txtt1_b,      &txtp1_b,   &txteta_b,     &txtetam_b,   &txtk_b,           &txtds,
                    &txtQQ_r1,     &txtZZ_j1,  &txtZZ_j2,     &txtPile,     &txtJetNumPerTeam, &txtPress,
                    &cmbCounte,    &cmbCountb, &cmbJetModel1, &cmbJetModel2});
}

void frmShaftAndJet::connectEvents() {
    platform::Layout::entries({.optionalNumbers = {&txtPile, &txtJetNumPerTeam, &txtPress},
                               .numbers = {&txtQQ_e, &txtAA_b},
                               .numberLists = {&cmbCounte, &cmbCountb}});
    // A station far beyond any tunnel is a typo: marked where it is typed.
    for (platform::TextBox* box : {&txtShaftPile, &txtPile}) {
        box->setRangeCheck(app::station_range_problem);
    }
    // A pick from a list and a typed text both change the count or the model.
    platform::Connect(cmbCounte.Click, this, &frmShaftAndJet::cmbCounte_Change);
    platform::Connect(cmbCounte.Change, this, &frmShaftAndJet::cmbCounte_Change);
    platform::Connect(cmbCountb.Click, this, &frmShaftAndJet::cmbCountb_Change);
    platform::Connect(cmbCountb.Change, this, &frmShaftAndJet::cmbCountb_Change);
    platform::Connect(txtQe.Change, this, &frmShaftAndJet::txtQe_Change);
    platform::Connect(txtQb.Change, this, &frmShaftAndJet::txtQb_Change);
    platform::Connect(txtQQ_b.Change, this, &frmShaftAndJet::txtQQ_b_Change);
    platform::Connect(cmbJetModel1.Click, this, &frmShaftAndJet::cmbJetModel1_Change);
    platform::Connect(cmbJetModel1.Change, this, &frmShaftAndJet::cmbJetModel1_Change);
    platform::Connect(cmbJetModel2.Click, this, &frmShaftAndJet::cmbJetModel2_Change);
    platform::Connect(cmbJetModel2.Change, this, &frmShaftAndJet::cmbJetModel2_Change);
    platform::Connect(txtZZ_j1.Change, this, &frmShaftAndJet::txtZZ_j1_Change);
    platform::Connect(txtZZ_j2.Change, this, &frmShaftAndJet::txtZZ_j2_Change);
    platform::Connect(lstJet.ItemClick, this, &frmShaftAndJet::lstJet_ItemClick);
    platform::Connect(lstJet.MouseMove, this, &frmShaftAndJet::lstJet_MouseMove);
    platform::Connect(cmdAdd.Click, this, &frmShaftAndJet::cmdAdd_Click);
    platform::Connect(cmdUpdate.Click, this, &frmShaftAndJet::cmdUpdate_Click);
    platform::Connect(cmdDelete.Click, this, &frmShaftAndJet::cmdDelete_Click);
    platform::Connect(cmdAutoLayout.Click, this, &frmShaftAndJet::cmdAutoLayout_Click);
    platform::Connect(cmdCalpde.Click, this, &frmShaftAndJet::cmdCalpde_Click);
    platform::Connect(cmdCalpdb.Click, this, &frmShaftAndJet::cmdCalpdb_Click);
    platform::Connect(cmdBack.Click, this, &frmShaftAndJet::cmdBack_Click);
    platform::Connect(cmdCalculateSectionQQ_req.Click, this,
                      &frmShaftAndJet::cmdCalculateSectionQQ_req_Click);
    platform::Connect(cmdCalculatePtot3.Click, this, &frmShaftAndJet::cmdCalculatePtot3_Click);
    platform::Connect(cmdDrawPressCurve.Click, this, &frmShaftAndJet::cmdDrawPressCurve_Click);
    platform::Connect(cmdCalPower.Click, this, &frmShaftAndJet::cmdCalPower_Click);
    platform::Connect(cmdReport.Click, this, &frmShaftAndJet::cmdReport_Click);
    platform::Connect(cmdTable.Click, this, &frmShaftAndJet::cmdTable_Click);
}

// ---- Lifecycle ----

void frmShaftAndJet::UserForm_Initialize() {
    guarded([this] {
        // Three columns of 80 pixels.
        platform::Layout::headings(lstJet, {{"桩号", 80 * 15}, {"台数", 80 * 15}, {"升压力", 80 * 15}});
    });
    guarded([this] {
        for (platform::ComboBox* box : {&cmbCounte, &cmbCountb}) {
            for (int i = 0; i <= 4; ++i) {
                box->AddItem(std::to_string(i));
            }
        }
    });
    guarded([this] {
        jetfan::FillJetModelBox(cmbJetModel1);
        jetfan::FillJetModelBox(cmbJetModel2);
    });
    guarded([this] { OpenFile(); });
}

void frmShaftAndJet::UserForm_QueryClose() {
    guarded([this] { SaveFile(); });
}

void frmShaftAndJet::cmdBack_Click() {
    guarded([this] { Forms::unload(*this); });
}

void frmShaftAndJet::lstJet_MouseMove() {
    guarded([this] { modPublic::ShowStatusHelp("SJ_3_1", lblTip.Caption()); });
}

// ---- Working values ----

void frmShaftAndJet::UpdateData(bool flag) {
    if (flag) {
        QQ_e = vb::Val(txtQQ_e.Text());
        v_e = vb::Val(txtv_e.Text());
        KK_e = vb::Val(txtKK_e.Text());
        QQ_b = vb::Val(txtQQ_b.Text());
        beta = vb::Val(txtbeta.Text());
        KK_b = vb::Val(txtKK_b.Text());
        AA_b = vb::Val(txtAA_b.Text());
        v_b = vb::Val(txtv_b.Text());
        ds = vb::Val(txtds.Text());
        Zeta_fencha = vb::Val(txtZeta_fencha.Text());
        Zeta_heliu = vb::Val(txtZeta_heliu.Text());
        guarded([this] { zeta_e = vb::Val(step2().txtzeta_e.Text()); });
        return;
    }
    // A value that could not be computed shows an empty box rather than a number that means nothing.
    const std::pair<TextBox*, double> fields[] = {{&txtQQ_req1, QQ_req1},
                                                  {&txtQQ_r1, QQ_r1},
                                                  {&txtv_r1, v_r1},
                                                  {&txtv_e, v_e},
                                                  {&txtdeltap_e, deltap_e},
                                                  {&txtAA_e, AA_e},
                                                  {&txtQQ_req2, QQ_req2},
                                                  {&txtQQ_r2, QQ_r2},
                                                  {&txtv_r2, v_r2},
                                                  {&txtdeltap_b, deltap_b},
                                                  {&txtv_b, v_b},
                                                  {&txtCC_2, CC_2},
                                                  {&txtCC_3, CC_3},
                                                  {&txtQQ_sf, QQ_sf},
                                                  {&txtdeltap_t1, deltap_t1},
                                                  {&txtdeltap_m1, deltap_m1},
                                                  {&txtdeltap_r1, deltap_r1},
                                                  {&txtdeltap_r2, deltap_r2},
                                                  {&txtdeltap_m2, deltap_m2},
                                                  {&txtdeltap_t2, deltap_t2},
                                                  {&txtratio_Qe_Qr1, ratio_Qe_Qr1},
                                                  {&txtratio_Qb_Qr2, ratio_Qb_Qr2},
                                                  {&txtCC_2s, CC_2s},
                                                  {&txtQQ_req_VI, QQ_req_VI},
                                                  {&txtQQ_s, QQ_s},
                                                  {&txtv_rs, v_rs}};
    for (const auto& [box, value] : fields) {
        const char* pattern = box == &txtQQ_req_VI ? "0.0000000" : "0.00";
        guarded([&] { box->set(vb::Format(value, pattern)); });
    }
}

// ---- Fan flows of the openings ----

void frmShaftAndJet::cmbCounte_Change() {
    app::SetFiniteBox(txtQQ_e, vb::Val(txtQe.Text()) * vb::Val(cmbCounte.Text()));
}

void frmShaftAndJet::cmbCountb_Change() {
    app::SetFiniteBox(txtQQ_b, vb::Val(txtQb.Text()) * vb::Val(cmbCountb.Text()));
}

void frmShaftAndJet::txtQe_Change() {
    cmbCounte_Change();
}

void frmShaftAndJet::txtQb_Change() {
    cmbCountb_Change();
}

void frmShaftAndJet::txtQQ_b_Change() {
    QQ_r2 = vb::Val(txtQQ_b.Text()) - vb::Val(txtQQ_e.Text()) + vb::Val(txtQQ_r1.Text());
    app::SetFiniteBox(txtQQ_r2, QQ_r2, "0.00");
}

double frmShaftAndJet::GetFlowAtPile(double S) {
    double q = 0;
    guarded([&] {
        frmReq& req = mainWindow();
        const double start = vb::Val(req.txtStartPile.Text());
        const double end = start + req.GetTunnelLength();
        q = shaft::FlowAtPile(S, start, end, vb::Val(txtShaftPile.Text()), vb::Val(txtds.Text()),
                              req.optLeftLine.Value(), vb::Val(txtQQ_r1.Text()), vb::Val(txtQQ_s.Text()),
                              vb::Val(txtQQ_r2.Text()));
    });
    return q;
}

// ---- Section air demand ----

void frmShaftAndJet::cmdCalculateSectionQQ_req_Click() {
    if (!quietBalance_) {
        computedUnder_ = ventparam::Step2Shown();
    }
    UpdateData(true);
    frmReq& req = mainWindow();
    const double shaftPile = vb::Val(txtShaftPile.Text());
    double start = 0, end = 0;
    guarded([&] {
        start = vb::Val(req.txtStartPile.Text());
        end = start + req.GetTunnelLength();
    });
    // A shaft outside the tunnel or a short passage of negative length gives stretches that run backwards
    // or beyond the portals: no demand of such stretches means anything.
    // A refused demand leaves none of an earlier shaft or passage in view.
    const auto refuse = [this](const char* prompt) {
        demandComputed_ = false;
        app::EmptyBoxes({&txtQQ_req1, &txtQQ_req2, &txtQQ_req_VI});
        balanceMessage(prompt);
    };
    if ((shaftPile - start) * (shaftPile - end) > 0) {
        refuse("竖井桩号不在隧道桩号范围内，请检查！");
        return;
    }
    if (vb::Val(txtds.Text()) < 0) {
        refuse("短道长度ds不能为负值，请检查！");
        return;
    }
    // The openings stand half a passage either side of the shaft: one beyond a portal would have the fans
    // sized for a tunnel that is not there.
    if (std::min(shaftPile - start, end - shaftPile) < 0.5 * vb::Val(txtds.Text())) {
        refuse("短道两端的排风口、送风口不在隧道桩号范围内，请检查竖井桩号与短道长度ds！");
        return;
    }
    const shaft::SectionDemand demand = shaft::ComputeSectionDemand(
        req, step2(), shaftPile, vb::Val(txtds.Text()), {QQ_req1, QQ_req2, QQ_req_VI});
    QQ_req1 = demand.Inlet;
    QQ_req2 = demand.Outlet;
    QQ_req_VI = demand.Passage;
    app::SetFiniteBox(txtQQ_req1, QQ_req1, "0.00");
    app::SetFiniteBox(txtQQ_req2, QQ_req2, "0.00");
    app::SetFiniteBox(txtQQ_req_VI, QQ_req_VI, "0.00");
    demandComputed_ = true;
}

// ---- Pressure balance ----

void frmShaftAndJet::cmdCalculatePtot3_Click() {
    UpdateData(true);
    // What the hint line said belongs to the last balance and its fans.
    balanceTip_.clear();
    powerTip_.clear();
    impossibleBalance_ = false;
    showTip();
    // The balance divides the fresh air of the sections between the openings: without the section
    // demands of this window's case it would balance zeros and overwrite the demands shown.
    const bool supplyGiven = chkQb.Value() == 1;
    // A refused balance leaves none of an earlier one in view, nor the fans sized on it.
    const auto refuse = [&](const std::string& prompt) {
        clearBalance(supplyGiven);
        showTip();
        balanceMessage(prompt);
    };
    if (!demandComputed_) {
        refuse("请先进行需风量计算！");
        return;
    }
    if (vb::Val(txtQQ_e.Text()) < 0 || (supplyGiven && vb::Val(txtQQ_b.Text()) < 0)) {
        refuse("排风量Qe和送风量Qb不能为负值，请检查！");
        return;
    }
    // With the supply flow to be found the inlet design flow is the designer's input, taken as typed.
    if (!supplyGiven && !(vb::Val(txtQQ_r1.Text()) > 0)) {
        refuse("送风量未知时，请输入大于零的进口区段设计风量Qr1！");
        return;
    }

    const std::string typedInletFlow = txtQQ_r1.Text();
    frmReq& req = mainWindow();
    frmVentParam& vent = step2();
    const double rho = modPublic::rho;
    const double shaftPile = vb::Val(txtShaftPile.Text());
    double s0 = 0;
    guarded([&] { s0 = vb::Val(req.txtStartPile.Text()); });
    const bool leftLine = req.optLeftLine.Value();
    const int dir = leftLine ? -1 : 1;
    const std::pair<double, double> inlet =
        leftLine ? std::pair{shaftPile, modPublic::EndPile} : std::pair{modPublic::StartPile, shaftPile};
    const std::pair<double, double> outlet =
        leftLine ? std::pair{modPublic::StartPile, shaftPile} : std::pair{shaftPile, modPublic::EndPile};
    zeta_e = modPublic::zeta_e;

    if (supplyGiven) {
        QQ_b = vb::Val(txtQQ_b.Text());
        const std::optional<double> qr1 = shaft::InletFlowForSupply(
            vb::Val(txtQQ_req1.Text()), vb::Val(txtQQ_req2.Text()), vb::Val(txtQQ_e.Text()), QQ_b);
        if (qr1) {
            app::SetFiniteBox(txtQQ_r1, *qr1);
        }
    } else {
        QQ_r1 = vb::Val(txtQQ_r1.Text());
        modPublic::QQ_req = QQ_req1 + QQ_req2;
        QQ_b = shaft::SupplyFlowForInlet(QQ_req1, QQ_req2, QQ_r1, QQ_e);
        app::SetFiniteBox(txtQQ_b, QQ_b, "0.00");
    }
    if (!(vb::Val(txtQQ_r1.Text()) > 0)) {
        refuse("进口区段设计风量Qr1不大于零，无法进行通风计算，请检查需风量与送风量！");
        return;
    }

    v_b = vb::Val(txtv_b.Text());
    ds = vb::Val(txtds.Text());
    KK_e = vb::Val(txtKK_e.Text());
    KK_b = vb::Val(txtKK_b.Text());
    app::SetFiniteBox(txtAA_b, QQ_b / v_b, "0.000");

    const shaft::ShaftOpenings openings = shaft::OpeningsOf(shaftPile, ds, dir);
    QQ_r1 = vb::Val(txtQQ_r1.Text());
    guarded([&] { v_r1 = QQ_r1 / req.GetAA_r(openings.Exhaust); });
    QQ_e = vb::Val(txtQQ_e.Text());
    v_e = vb::Val(txtv_e.Text());
    deltap_e = shaft::ExhaustOpeningRise(QQ_e, QQ_r1, KK_e, v_e, v_r1, rho);

    UpdateData(false);
    QQ_r2 = QQ_b - QQ_e + QQ_r1;
    UpdateData(false);

    guarded([&] { v_r2 = QQ_r2 / req.GetAA_r(openings.Supply); });
    deltap_b = shaft::SupplyOpeningRise(QQ_b, QQ_r2, KK_b, v_b, beta, v_r2, rho);

    const shaft::ShortPassage passage = shaft::ShortPassageOf(QQ_r1, QQ_e, QQ_b, QQ_r2, QQ_req1);
    QQ_sf = passage.QQ_sf;
    CC_2 = passage.CC_2;
    ratio_Qe_Qr1 = passage.ratio_Qe_Qr1;
    ratio_Qb_Qr2 = passage.ratio_Qb_Qr2;
    QQ_s = passage.QQ_s;
    guarded([&] { v_rs = QQ_s / req.GetAA_r(shaftPile); });

    // The short passage's demand as its box shows it, with seven decimals.
    const shaft::Concentrations c =
        shaft::ConcentrationsOf(vb::Val(txtQQ_req_VI.Text()), QQ_r1, QQ_e, QQ_b, QQ_req1, QQ_req2);
    CC_2s = c.CC_2s;
    CC_2b = c.CC_2b;
    CC_3 = c.CC_3;
    UpdateData(false);

    // An opening without flow has no branch or merge loss.
    Zeta_fencha = vb::Val(txtZeta_fencha.Text());
    Zeta_heliu = vb::Val(txtZeta_heliu.Text());
    if (vb::Val(txtQQ_e.Text()) <= 0) {
        Zeta_fencha = 0;
    }
    if (vb::Val(txtQQ_b.Text()) <= 0) {
        Zeta_heliu = 0;
    }

    const double lambda = modPublic::lambda_r;
    guarded([&] {
        deltap_r1 = req.GetYANCHENGDeltap_r_m(inlet.first, inlet.second, lambda, rho, QQ_r1, 1, zeta_e,
                                              Zeta_fencha, Zeta_heliu);
    });
    guarded([&] {
        deltap_r2 = req.GetYANCHENGDeltap_r_m(outlet.first, outlet.second, lambda, rho, QQ_r2, 3, zeta_e,
                                              Zeta_fencha, Zeta_heliu);
    });
    guarded([&] {
        const double qn = modPublic::v_n * req.GetAA_r(s0 + 0.0001);
        deltap_m1 = req.GetYANCHENGDeltap_r_m(inlet.first, inlet.second, lambda, rho, qn, 1, zeta_e, 0, 0);
        deltap_m2 = req.GetYANCHENGDeltap_r_m(outlet.first, outlet.second, lambda, rho, qn, 3, 0, 0, 0);
    });

    // Traffic forces; the density of the traffic force is 1.2 whatever the project's air density.
    const int position = vent.lstCase.ListIndex();
    guarded([&] {
        if (position == 0 || position == 2) {
            const auto caseId = static_cast<vb::Integer>(position + 1);
            deltap_t1 = req.GetYANCHENGDeltap_t1(inlet.first, inlet.second, QQ_r1, modPublic::AA_m, 1.2,
                                                 caseId, false);
            deltap_t2 = req.GetYANCHENGDeltap_t1(outlet.first, outlet.second, QQ_r2, modPublic::AA_m, 1.2,
                                                 caseId, false);
        } else if (position == 1) {
            const bool up = req.optRightLine.Value();
            deltap_t1 = req.GetYANCHENGDeltap_t2(inlet.first, inlet.second, QQ_r1,
                                                 modPublic::AA_m_Bidirection, 1.2, up);
            deltap_t2 = req.GetYANCHENGDeltap_t2(outlet.first, outlet.second, QQ_r2,
                                                 modPublic::AA_m_Bidirection, 1.2, up);
        } else if (position == 3) {
            const double force = req.GetYANCHENGDeltap_t2(inlet.first, inlet.second, QQ_r1,
                                                          modPublic::AA_m_Bidirection, 1.2, true);
            const auto [t1, t2] =
                shaft::CongestionSplit(force, vb::Val(req.txtBlockEndPile.Text()), shaftPile, dir);
            deltap_t1 = t1;
            deltap_t2 = t2;
        }
    });

    AA_b = QQ_b / v_b;
    AA_e = QQ_e / v_e;
    app::SetFiniteBox(txttotaldeltap_j1, shaft::RequiredJetRise(deltap_r1, deltap_m1, deltap_e, deltap_t1),
                      "0.00");
    app::SetFiniteBox(txttotaldeltap_j2, shaft::RequiredJetRise(deltap_r2, deltap_m2, deltap_b, deltap_t2),
                      "0.00");

    std::string faults;
    for (int k = 1; k <= 2; ++k) {
        const std::string why = jetFansOfSection(k);
        if (!why.empty()) {
            faults += (k == 1 ? "进口区段：" : "出口区段：") + why + "\r\n";
        }
    }
    UpdateData(false);
    if (!supplyGiven) {
        keepTypedInletFlow(typedInletFlow);
    }

    // A balance the tunnel cannot be in is said, and nothing is sized on it.
    const shaft::BalanceState state = shaft::CheckBalanceState(QQ_r1, QQ_e, QQ_s, QQ_b, CC_3);
    if (quietBalance_) {
        // The control table takes no pair of an impossible balance; a C3 above its limit it judges itself.
        if (state.Impossible) {
            quietFaults_ += state.Hint;
        }
    } else if (!state.Impossible) {
        balanceTip_ = state.Hint;
        showTip();
    } else {
        refuseBalance(state, CC_3);
    }

    // Results that could not be computed are shown empty; say which, once.
    const std::pair<double, const char*> results[] = {{v_r1, "设计风速vr1"},
                                                      {v_r2, "设计风速vr2"},
                                                      {deltap_e, "升压力Δpe"},
                                                      {deltap_b, "升压力Δpb"},
                                                      {AA_e, "排风口面积Ae"},
                                                      {AA_b, "送风口面积Ab"},
                                                      {CC_2s, "浓度C2"},
                                                      {CC_3, "浓度C3"},
                                                      {ratio_Qb_Qr2, "Qb/Qr2"},
                                                      {v_rs, "设计风速vrs"},
                                                      {deltap_r1, "通风阻抗力Δpr1"},
                                                      {deltap_r2, "通风阻抗力Δpr2"},
                                                      {deltap_m1, "自然风阻力Δpm1"},
                                                      {deltap_m2, "自然风阻力Δpm2"},
                                                      {deltap_t1, "交通通风力Δpt1"},
                                                      {deltap_t2, "交通通风力Δpt2"}};
    std::string missing;
    for (const auto& [value, name] : results) {
        if (!std::isfinite(value)) {
            missing += (missing.empty() ? "" : "、") + std::string(name);
        }
    }
    if (!missing.empty()) {
        faults = "以下数值无法计算(除数为零或断面数据缺失)：" + missing + "\r\n" + faults;
    }
    if (!quietBalance_) {
        showTip();
    }
    if (!faults.empty()) {
        balanceMessage(faults + "请检查输入数据！");
    }
}

void frmShaftAndJet::refuseBalance(const shaft::BalanceState& state, double c3) {
    impossibleBalance_ = true;
    balanceTip_ = state.Hint;
    clearFanPowers();
    std::vector<TextBox*> empty = {&txtjetcount1, &txtjetcount2};
    if (state.PassageReversed) {
        for (TextBox* box :
             {&txtQQ_s, &txtv_rs, &txtCC_2s, &txtQQ_sf, &txttotaldeltap_j1, &txttotaldeltap_j2}) {
            empty.push_back(box);
        }
    }
    if (c3 < 0) {
        empty.push_back(&txtCC_3);
    }
    app::EmptyBoxes(empty);
    showTip();
}

void frmShaftAndJet::judgeStoredBalance() {
    // A balance that ran to its judgement leaves the demands it divided and both opening flows; one refused
    // before it empties the inlet flow or the supply flow it was to find.
    for (const TextBox* box : {&txtQQ_req1, &txtQQ_req2, &txtQQ_e, &txtQQ_b}) {
        if (box->Text().empty()) {
            return;
        }
    }
    const double qr1 = vb::Val(txtQQ_r1.Text());
    if (!(qr1 > 0)) {
        return;
    }
    // The emptied figures of a refused state are worked again from the flows as the balance works them.
    const double qe = vb::Val(txtQQ_e.Text()), qb = vb::Val(txtQQ_b.Text());
    const double qreq1 = vb::Val(txtQQ_req1.Text());
    const double c3 =
        shaft::ConcentrationsOf(vb::Val(txtQQ_req_VI.Text()), qr1, qe, qb, qreq1, vb::Val(txtQQ_req2.Text()))
            .CC_3;
    const std::string& qs = txtQQ_s.Text();
    const shaft::BalanceState state = shaft::CheckStoredBalanceState(
        qr1, qe, qb, c3, qs.empty() ? std::nullopt : std::optional<double>(vb::Val(qs)));
    if (state.Impossible) {
        refuseBalance(state, c3);
    }
}

void frmShaftAndJet::keepTypedInletFlow(const std::string& typed) {
    // The write-back shows the inlet flow to two decimals; when the engineer's own figure is finer, the
    // rounded one would be the input of the next balance and of the curve, and could judge the same
    // design otherwise. A typed flow is shown as typed.
    if (vb::Val(txtQQ_r1.Text()) != vb::Val(typed)) {
        guarded([&] { txtQQ_r1.set(typed); });
    }
}

// ---- Jet fans of the sections ----

void frmShaftAndJet::cmbJetModel1_Change() {
    jetFansOfSection(1);
    showTip();
}

void frmShaftAndJet::cmbJetModel2_Change() {
    jetFansOfSection(2);
    showTip();
}

void frmShaftAndJet::txtZZ_j1_Change() {
    positionFactor(1);
}

void frmShaftAndJet::txtZZ_j2_Change() {
    positionFactor(2);
}

void frmShaftAndJet::positionFactor(int k) {
    TextBox& zz = k == 1 ? txtZZ_j1 : txtZZ_j2;
    TextBox& dd = k == 1 ? txtDD_j1 : txtDD_j2;
    TextBox& eta = k == 1 ? txteta1 : txteta2;
    app::SetFiniteBox(eta, modPublic::GetJetWallFactor(vb::Val(zz.Text()), vb::Val(dd.Text())), "0.000");
}

std::string frmShaftAndJet::jetFansOfSection(int k) {
    platform::ComboBox& model = k == 1 ? cmbJetModel1 : cmbJetModel2;
    TextBox& flow = k == 1 ? txtFlow1 : txtFlow2;
    TextBox& dd = k == 1 ? txtDD_j1 : txtDD_j2;
    TextBox& aa = k == 1 ? txtAA_j1 : txtAA_j2;
    TextBox& vj = k == 1 ? txtvj1 : txtvj2;
    TextBox& eta = k == 1 ? txteta1 : txteta2;
    TextBox& dpj = k == 1 ? txtdeltap_j1 : txtdeltap_j2;
    TextBox& power = k == 1 ? txtPower1 : txtPower2;
    TextBox& count = k == 1 ? txtjetcount1 : txtjetcount2;
    TextBox& required = k == 1 ? txttotaldeltap_j1 : txttotaldeltap_j2;

    const int position = model.ListIndex();
    if (const std::optional<JetFanModel> data = jetfan::ChosenJetModel(model)) {
        app::SetFiniteBox(flow, data->Flow);
        app::SetFiniteBox(dd, data->DD);
        app::SetFiniteBox(power, data->Power);
    }
    app::SetFiniteBox(aa, jetfan::JetOutletArea(vb::Val(dd.Text())), "0.000");
    // The outlet speed is taken over the area as shown, rounded to three decimals.
    app::SetFiniteBox(vj, vb::Val(flow.Text()) / vb::Val(aa.Text()), "0.000");
    positionFactor(k);

    double s = 0, ar = 0, vr = 0;
    guarded([&] {
        frmReq& req = mainWindow();
        const double s0 = vb::Val(req.txtStartPile.Text());
        const double s1 = s0 + req.GetTunnelLength();
        if (k == 1) {
            s = req.optLeftLine.Value() ? s1 - 0.0001 : s0 + 0.0001;
        } else {
            s = req.optRightLine.Value() ? s1 - 0.0002 : s0 + 0.0002;
        }
        ar = req.GetAA_r(s);
        vr = GetFlowAtPile(s) / ar;
    });
    const double rise = jetfan::JetPressureRise(vb::Val(vj.Text()), modPublic::rho, vb::Val(aa.Text()), ar,
                                                vr, vb::Val(eta.Text()));
    std::string why;
    if (std::isfinite(rise)) {
        app::SetFiniteBox(dpj, rise);
    } else {
        // A rise that means nothing is not shown, nor a count taken from it.
        guarded([&] { dpj.set(""); });
        if (position < 0) {
            why = "请选择射流风机型号！";
        } else if (!(ar > 0)) {
            why = "风机处断面面积为零，无法计算单台风机升压力，请检查断面数据！";
        } else {
            why = "单台射流风机升压力无法计算，请检查风机参数！";
        }
    }
    const std::optional<int> n = shaft::SectionJetCount(vb::Val(required.Text()), vb::Val(dpj.Text()));
    if (n && std::isfinite(rise)) {
        guarded([&] { count.set(vb::CStr(*n)); });
        return {};
    }
    guarded([&] { count.set(""); });
    if (why.empty()) {
        why = "单台射流风机升压力不大于零，无法确定所需风机台数，请检查风机参数与设计风速！";
    }
    return why;
}

// ---- Jet-fan groups ----

jetfan::GroupBoxes frmShaftAndJet::groupBoxes() {
    return {txtPile, txtJetNumPerTeam, txtPress};
}

void frmShaftAndJet::lstJet_ItemClick(platform::ListItem& Item) {
    jetfan::ShowGroupRow(Item, groupBoxes());
}

void frmShaftAndJet::cmdAdd_Click() {
    guarded([this] {
        std::vector<double> stations;
        for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
            stations.push_back(vb::Val(lstJet.ListItems(i).Text()));
        }
        const int place =
            shaft::GroupInsertPosition(stations, vb::Val(txtPile.Text()), mainWindow().optLeftLine.Value());
        jetfan::FillGroupRow(lstJet.ListItems.Insert(place + 1), groupBoxes());
    });
    showTip();
}

void frmShaftAndJet::cmdUpdate_Click() {
    guarded([this] { jetfan::UpdateSelectedGroup(lstJet, groupBoxes()); });
    showTip();
}

void frmShaftAndJet::cmdDelete_Click() {
    guarded([this] { jetfan::DeleteSelectedGroup(lstJet); });
    showTip();
}

void frmShaftAndJet::cmdAutoLayout_Click() {
    guarded([this] {
        frmSetJetPile& dialog = Forms::instance<frmSetJetPile>();
        dialog.ShowModal(this);
        // The dialog's close box is a cancel: the groups already listed are never lost by dismissing it.
        if (!Forms::isLoaded(dialog) || dialog.bIsCancel) {
            return;
        }
        frmReq& req = mainWindow();
        shaft::ShaftJetLayoutSettings s;
        s.StartPile = vb::Val(req.txtStartPile.Text());
        s.Length = req.GetTunnelLength();
        s.LeftLine = !req.optRightLine.Value();
        s.G1 = vb::CInt(vb::Val(dialog.txtTeamNum1.Text())).value_or(0);
        s.G2 = vb::CInt(vb::Val(dialog.txtTeamNum2.Text())).value_or(0);
        s.Span1 = vb::Val(dialog.txtSpan1.Text());
        s.Span2 = vb::Val(dialog.txtSpan2.Text());
        s.Dist1 = vb::Val(dialog.txtDist1.Text());
        s.Dist2 = vb::Val(dialog.txtDist2.Text());
        const std::string fans = dialog.txtJetNumPerTeam.Text();
        const double m = vb::Val(fans);
        const std::string rise1 = vb::Format(m * vb::Val(txtdeltap_j1.Text()), "0.00");
        const std::string rise2 = vb::Format(m * vb::Val(txtdeltap_j2.Text()), "0.00");
        lstJet.ListItems.Clear();
        for (const shaft::LaidGroup& g : shaft::ShaftJetLayout(s)) {
            platform::ListItem& row = lstJet.ListItems.Add(vb::Format(g.Station, "0.00"));
            row.setSubItems(1, fans);
            row.setSubItems(2, g.Section == 1 ? rise1 : rise2);
        }
    });
    guarded([] { Forms::unload<frmSetJetPile>(); });
    showTip();
}

// ---- Axial fans of the openings ----

void frmShaftAndJet::cmdCalPower_Click() {
    UpdateData(true);
    const int dir = lineDirection();
    const double x0 = vb::Val(txtShaftPile.Text());
    const double d = vb::Val(txtds.Text());
    // A refused curve has said why; the pressures of an older curve must not pass for this one's.
    if (!BuildPressureCurve(false, false, false) || !PressCurve) {
        clearFanPowers();
        return;
    }
    // A balance the tunnel cannot be in has no fans to size and no power of its case; the hint line
    // already says why.
    if (impossibleBalance_) {
        clearFanPowers();
        return;
    }
    const shaft::ShaftOpenings openings = shaft::OpeningsOf(x0, d, dir);
    const double pse = PressCurve->GetPressureValue(openings.Exhaust);
    const double psb = PressCurve->GetPressureValue(openings.Supply);
    if (pse == jetfan::kNoPressure || psb == jetfan::kNoPressure) {
        clearFanPowers();
        platform::MsgBox(
            "排风口或送风口桩号不在压力曲线范围内，无法取得风口处压力，请检查竖井桩号与短道长度！",
            platform::vbOKOnly, kErrorTitle);
        return;
    }
    app::SetFiniteBox(txtp_se, pse, "0.000");
    app::SetFiniteBox(txtp_sb, psb, "0.000");

    const double rho = modPublic::rho;
    app::SetFiniteBox(txtp_tote,
                      shaft::ExhaustFanPressure(vb::Val(txtv_e.Text()), rho, vb::Val(txtp_de.Text()),
                                                vb::Val(txtp_se.Text())),
                      "0.00");
    app::SetFiniteBox(txtp_totb,
                      shaft::SupplyFanPressure(vb::Val(txtv_b.Text()), rho, vb::Val(txtp_db.Text()),
                                               vb::Val(txtp_sb.Text())),
                      "0.00");
    // A design pressure not above zero is no duty: the opening's pressure alone moves its flow. It stays
    // in view, and no power is put beside it (the total counts none for those fans).
    struct Side {
        const char* name;
        TextBox &flow, &ptot, &p1, &eta, &t1, &skw, &k, &etam, &m1;
    };
    const Side sides[] = {
        {"排风机", txtQe, txtp_tote, txtp1_e, txteta_e, txtt1_e, txtSSkw_e, txtk_e, txtetam_e, txtMM1_e},
        {"送风机", txtQb, txtp_totb, txtp1_b, txteta_b, txtt1_b, txtSSkw_b, txtk_b, txtetam_b, txtMM1_b}};
    std::string noDuty;
    for (const Side& side : sides) {
        if (!(vb::Val(side.ptot.Text()) > 0)) {
            guarded([&] { side.skw.set(""); });
            guarded([&] { side.m1.set(""); });
            noDuty += (noDuty.empty() ? "" : "、") + std::string(side.name);
            continue;
        }
        app::SetFiniteBox(side.skw,
                          shaft::FanShaftPower(vb::Val(side.flow.Text()), vb::Val(side.ptot.Text()),
                                               vb::Val(side.p1.Text()), vb::Val(side.eta.Text()),
                                               vb::Val(side.t1.Text())),
                          "0.00");
        app::SetFiniteBox(
            side.m1,
            shaft::FanMotorPower(vb::Val(side.skw.Text()), vb::Val(side.k.Text()), vb::Val(side.etam.Text())),
            "0.00");
    }
    powerTip_ =
        noDuty.empty()
            ? std::string()
            : noDuty + "设计风压不大于0：风口处隧道压力已足以形成该风量，不计算其风机功率和电机功率。";
    showTip();
    showTotalPower();
}

void frmShaftAndJet::showTotalPower() {
    // Each section counts the jet fans its box shows.
    app::SetFiniteBox(txtTotalPower,
                      shaft::CaseTotalPower(vb::Val(cmbCounte.Text()), vb::Val(txtSSkw_e.Text()),
                                            vb::Val(cmbCountb.Text()), vb::Val(txtSSkw_b.Text()),
                                            vb::Val(txtjetcount1.Text()), vb::Val(txtPower1.Text()),
                                            vb::Val(txtjetcount2.Text()), vb::Val(txtPower2.Text())));
}

bool frmShaftAndJet::totalPowerInputsShown() {
    const auto shown = [](const std::string& text) { return !text.empty(); };
    // An opening whose design pressure is not above zero has no duty: no power is put beside it, and the
    // total counts none for its fans.
    const auto sized = [&](const TextBox& skw, const TextBox& ptot) {
        return shown(skw.Text()) || (shown(ptot.Text()) && !(vb::Val(ptot.Text()) > 0));
    };
    return shown(cmbCounte.Text()) && shown(cmbCountb.Text()) && sized(txtSSkw_e, txtp_tote) &&
           sized(txtSSkw_b, txtp_totb) && shown(txtjetcount1.Text()) && shown(txtPower1.Text()) &&
           shown(txtjetcount2.Text()) && shown(txtPower2.Text());
}

void frmShaftAndJet::clearFanPowers() {
    app::EmptyBoxes({&txtp_se, &txtp_sb, &txtp_tote, &txtp_totb, &txtSSkw_e, &txtSSkw_b, &txtMM1_e, &txtMM1_b,
                     &txtTotalPower});
}

void frmShaftAndJet::clearBalance(bool supplyGiven) {
    std::vector<TextBox*> boxes = {
        &txtQQ_r2,     &txtv_r1,           &txtv_r2,           &txtAA_e,      &txtAA_b,      &txtdeltap_e,
        &txtdeltap_b,  &txtdeltap_r1,      &txtdeltap_m1,      &txtdeltap_t1, &txtdeltap_r2, &txtdeltap_m2,
        &txtdeltap_t2, &txttotaldeltap_j1, &txttotaldeltap_j2, &txtdeltap_j1, &txtdeltap_j2, &txtjetcount1,
        &txtjetcount2, &txtCC_2,           &txtCC_3,           &txtCC_2s,     &txtQQ_s,      &txtQQ_sf,
        &txtv_rs,      &txtratio_Qe_Qr1,   &txtratio_Qb_Qr2};
    // Of the inlet flow and the supply flow, the one the balance finds.
    boxes.push_back(supplyGiven ? &txtQQ_r1 : &txtQQ_b);
    app::EmptyBoxes(boxes);
    clearFanPowers();
}

void frmShaftAndJet::showTip() {
    std::string tip = balanceTip_ + (balanceTip_.empty() || powerTip_.empty() ? "" : " ") + powerTip_;
    const std::string layout = layoutJudgement();
    tip += (tip.empty() || layout.empty() ? "" : " ") + layout;
    guarded([&] { lblTip.setCaption(tip); });
}

void frmShaftAndJet::cmdCalpde_Click() {
    guarded([this] { frmCalculatePd::ShowFor(txtQQ_e.Text(), txtp_de, this); });
}

void frmShaftAndJet::cmdCalpdb_Click() {
    guarded([this] { frmCalculatePd::ShowFor(txtQQ_b.Text(), txtp_db, this); });
}

// ---- The .sj file ----

void frmShaftAndJet::OpenFile() {
    scheme::SchemeReader in;
    const app::CompanionSource source = app::OpenCompanionOrTemplateFrom(
        in, app::ProjectCompanionPath(kExtension), app::TemplateCompanionPath(kExtension));
    shaft::SjFileContents sj;
    if (source != app::CompanionSource::None) {
        sj = shaft::ReadSjFile(in);
        if (app::TemplateIsForAnotherTunnel(source)) {
            shaft::KeepTemplateInputs(sj);
        }
    } else {
        // Neither the project's file nor the template: the boxes the file would fill are emptied.
        sj.ShaftPile = "";
        for (auto* fields : {&sj.Exhaust, &sj.Supply}) {
            fields->fill(std::string());
        }
        for (auto* fields : {&sj.ExhaustFan, &sj.SupplyFan}) {
            fields->fill(std::string());
        }
        sj.Beta = "";
        sj.Passage.fill(std::string());
        sj.Inlet.fill(std::string());
        sj.Outlet.fill(std::string());
        sj.Groups = std::vector<shaft::SjGroupRow>();
    }
    // Field by field in file order: each box's own change behaviour runs as the texts arrive, and every
    // stored text comes after the boxes its handler fills, so each box ends with its stored text.
    app::SetStoredText(txtShaftPile, sj.ShaftPile);
    const std::array<OpeningBoxes, 2> openings = openingBoxes(*this);
    applyOpening(openings[0], sj.Exhaust, sj.ExhaustFan);
    applyOpening(openings[1], sj.Supply, sj.SupplyFan);
    if (sj.SupplyGiven) {
        guarded([&] { chkQb.set(*sj.SupplyGiven ? 1 : 0); });
    }
    app::SetStoredText(txtbeta, sj.Beta);
    TextBox* const passage[] = {&txtds,   &txtQQ_req_VI, &txtQQ_s,         &txtQQ_sf,
                                &txtv_rs, &txtCC_2s,     &txtratio_Qe_Qr1, &txtratio_Qb_Qr2};
    for (int i = 0; i < shaft::kSjPassageFields; ++i) {
        app::SetStoredText(*passage[i], sj.Passage[static_cast<std::size_t>(i)]);
    }
    for (int k = 1; k <= 2; ++k) {
        const auto& fields = k == 1 ? sj.Inlet : sj.Outlet;
        TextBox* const before[] = {k == 1 ? &txtQQ_req1 : &txtQQ_req2,
                                   k == 1 ? &txtQQ_r1 : &txtQQ_r2,
                                   k == 1 ? &txtv_r1 : &txtv_r2,
                                   k == 1 ? &txtdeltap_r1 : &txtdeltap_r2,
                                   k == 1 ? &txtdeltap_m1 : &txtdeltap_m2,
                                   k == 1 ? &txtdeltap_t1 : &txtdeltap_t2,
                                   k == 1 ? &txttotaldeltap_j1 : &txttotaldeltap_j2,
                                   k == 1 ? &txtCC_2 : &txtCC_3};
        for (int i = 0; i < 8; ++i) {
            app::SetStoredText(*before[i], fields[static_cast<std::size_t>(i)]);
        }
        applyText(k == 1 ? cmbJetModel1 : cmbJetModel2, fields[8]);
        TextBox* const after[] = {k == 1 ? &txtZZ_j1 : &txtZZ_j2, k == 1 ? &txteta1 : &txteta2,
                                  k == 1 ? &txtdeltap_j1 : &txtdeltap_j2, k == 1 ? &txtPower1 : &txtPower2,
                                  k == 1 ? &txtjetcount1 : &txtjetcount2};
        for (int i = 0; i < 5; ++i) {
            app::SetStoredText(*after[i], fields[static_cast<std::size_t>(i) + 9]);
        }
    }
    if (sj.Groups) {
        lstJet.ListItems.Clear();
        for (const shaft::SjGroupRow& group : *sj.Groups) {
            platform::ListItem& row = lstJet.ListItems.Add(group.Pile);
            row.setSubItems(1, group.Count);
            row.setSubItems(2, group.Press);
        }
    }
    const std::string step2Hint =
        forgetResultsOfOtherStep2(sj.Step2, !app::TemplateIsForAnotherTunnel(source));
    // The file keeps every count and power of the case but not their sum, which the window owes its
    // reopened fans.
    if (totalPowerInputsShown()) {
        showTotalPower();
    }
    // Nor does it keep the hint line: a balance it refused says why again, and is sized no more than
    // before.
    judgeStoredBalance();
    showTip();
    noteCatalogueChange();
    app::AppendHint(lblTip, step2Hint);
}

std::string frmShaftAndJet::forgetResultsOfOtherStep2(const std::optional<ventparam::Step2Inputs>& stored,
                                                      bool resultsShown) {
    computedUnder_ = stored;
    std::string hint = ventparam::ResultsOfOtherStep2(computedUnder_, kResultsStep2Inputs, resultsShown);
    if (!hint.empty()) {
        // The groups stay: they are the engineer's.
        app::EmptyBoxes({&txtQQ_req1, &txtQQ_req2, &txtQQ_req_VI});
        clearBalance(chkQb.Value() == 1);
    }
    return hint;
}

void frmShaftAndJet::noteCatalogueChange() {
    // The file keeps each section's model by name and its fan power; flow and diameter are the catalogue's.
    guarded([this] {
        std::vector<modPublic::KeptCatalogueEntry> entries;
        for (int k = 1; k <= 2; ++k) {
            const platform::ComboBox& model = k == 1 ? cmbJetModel1 : cmbJetModel2;
            const TextBox& power = k == 1 ? txtPower1 : txtPower2;
            entries.push_back({model.Text(), modPublic::KeptJetModelValues(jetfan::ChosenJetModel(model), "",
                                                                           "", power.Text())});
        }
        app::AppendHint(lblTip, modPublic::JetModelChangeHint(entries));
    });
}

bool frmShaftAndJet::SaveFile() {
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty()) {
        return false;
    }
    shaft::SjFileContents sj;
    sj.ShaftPile = txtShaftPile.Text();
    const std::array<OpeningBoxes, 2> openings = openingBoxes(*this);
    readOpening(openings[0], sj.Exhaust, sj.ExhaustFan);
    readOpening(openings[1], sj.Supply, sj.SupplyFan);
    sj.SupplyGiven = chkQb.Value() == 1;
    sj.Beta = txtbeta.Text();
    sj.Passage = {txtds.Text(),   txtQQ_req_VI.Text(), txtQQ_s.Text(),         txtQQ_sf.Text(),
                  txtv_rs.Text(), txtCC_2s.Text(),     txtratio_Qe_Qr1.Text(), txtratio_Qb_Qr2.Text()};
    sj.Inlet = {txtQQ_req1.Text(),   txtQQ_r1.Text(),     txtv_r1.Text(),           txtdeltap_r1.Text(),
                txtdeltap_m1.Text(), txtdeltap_t1.Text(), txttotaldeltap_j1.Text(), txtCC_2.Text(),
                cmbJetModel1.Text(), txtZZ_j1.Text(),     txteta1.Text(),           txtdeltap_j1.Text(),
                txtPower1.Text(),    txtjetcount1.Text()};
    sj.Outlet = {txtQQ_req2.Text(),   txtQQ_r2.Text(),     txtv_r2.Text(),           txtdeltap_r2.Text(),
                 txtdeltap_m2.Text(), txtdeltap_t2.Text(), txttotaldeltap_j2.Text(), txtCC_3.Text(),
                 cmbJetModel2.Text(), txtZZ_j2.Text(),     txteta2.Text(),           txtdeltap_j2.Text(),
                 txtPower2.Text(),    txtjetcount2.Text()};
    std::vector<shaft::SjGroupRow> rows;
    for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
        platform::ListItem& item = lstJet.ListItems(i);
        rows.push_back({item.Text(), item.SubItems(1), item.SubItems(2)});
    }
    sj.Groups = std::move(rows);
    sj.Step2 = computedUnder_;
    return app::SaveCompanionFile(shaft::WriteSjFile(sj), path, "单竖井送排式通风方案文件");
}

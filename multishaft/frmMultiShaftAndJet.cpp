// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/hint_line.h"
#include "app/finite_box.h"
#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/guarded.h"
#include "app/companion_file.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "jetfan/jet_group_list.h"
#include "multishaft/multishaft.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/step2_shown.h"

#include <cmath>
#include <utility>

namespace {

using app::guarded;
using platform::ComboBox;
using platform::Forms;
using platform::ListItem;
using platform::TextBox;

constexpr int kHeaderWidth = 80 * 15; // 80 pixels
constexpr int kLastSectionWidth = 40 * 15;
constexpr int kNarrowWidth = 60 * 15;
constexpr int kWideWidth = 130 * 15;

const char* const kShaftHeaders[multishaft::kShaftFields] = {"桩号(m)",
                                                             "排风量Qe(m^3/s)",
                                                             "面积Ae(m^2)",
                                                             "风速ve(m/s)",
                                                             "升压动量系数Ke",
                                                             "升压力Δpe(Pa)",
                                                             "总压力损失pde(Pa)",
                                                             "总升压力pse(Pa)",
                                                             "设计风压ptote(Pa)",
                                                             "风机处环境温度t1(℃)",
                                                             "风机环境大气压p1(kPa)",
                                                             "风机效率η",
                                                             "风机功率Skw(kW)",
                                                             "电机效率ηm",
                                                             "电机容量安全系数k",
                                                             "电机功率M1(kW)",
                                                             "分叉损失系数",
                                                             "送风量Qb(m^3/s)",
                                                             "面积Ab(m^2)",
                                                             "风速vb(m/s)",
                                                             "升压动量系数Kb",
                                                             "喷流角β(度)",
                                                             "升压力Δpb(Pa)",
                                                             "总压力损失pdb(Pa)",
                                                             "总升压力psb(Pa)",
                                                             "送风机设计风压ptotb(Pa)",
                                                             "风机处环境温度t1(℃)",
                                                             "风机环境大气压p1(kPa)",
                                                             "风机效率η",
                                                             "风机功率Skw(kW)",
                                                             "电机效率ηm",
                                                             "电机容量安全系数k(1.5)",
                                                             "电机功率M1(kW)",
                                                             "合流损失系数",
                                                             "短道长度ds(m)",
                                                             "每台排风机排量(m^3/s)",
                                                             "排风机数量",
                                                             "每台送风机排量(m^3/s)",
                                                             "送风机数量"};

const char* const kSectionHeaders[multishaft::kSectionFields] = {
    "起始桩号(m)",         "终止桩号(m)",     "需风量Qreq(m^3/s)",  "设计风量Qr(m^3/s)",
    "新鲜空气两Qf(m^3/s)", "设计风速vr(m/s)", "起点浓度C1",         "终点浓度C2",
    "起点压强P1",          "终点压强P2",      "通风阻抗力Δpr(Pa)",  "自然风阻力Δpm(Pa)",
    "交通通风力Δpt(Pa)",   "射流风机型号",    "射流风机升压力(Pa)", "射流风机台数(台)"};

/// A box of page 1 that mirrors a column of lstShaft: a text box or one of the fan-count combos.
struct ShaftBox {
    TextBox* text = nullptr;
    ComboBox* combo = nullptr;
    std::string get() const { return text != nullptr ? text->Text() : combo->Text(); }
    void set(const std::string& value) const {
        if (text != nullptr) {
            text->set(value);
        } else {
            combo->setText(value);
        }
    }
};

constexpr const char* kExtension = ".msj";

/// What of step 2 the sections' demands, flows and pressures, the openings and the fans are computed with.
constexpr unsigned kResultsStep2Inputs = ventparam::kStep2Case | ventparam::kStep2Exchange |
                                         ventparam::kStep2ZetaE | ventparam::kStep2Lambda |
                                         ventparam::kStep2Vn | ventparam::kStep2Am | ventparam::kStep2Am2;

frmReq& mainWindow() {
    return Forms::instance<frmReq>();
}

frmVentParam& step2() {
    return Forms::instance<frmVentParam>();
}

} // namespace

frmMultiShaftAndJet::frmMultiShaftAndJet() {
    platform::Layout::window(*this, "Step 3: 多竖井送排式与射流风机组合通风方式", 15600, 10200);
    buildControls();
    imgJet.setInstalledPicture("jet_section_wide.svg");
    imgScheme.setInstalledPicture("multishaft_scheme.svg");
    connectEvents();
    // The design-time texts: the boxes show them until a shaft row is clicked.
    const std::pair<TextBox*, const char*> initial[] = {
        {&txtQQ_e, "280"},     {&txtv_e, "6"},    {&txtKK_e, "0.9"},         {&txtSSkw_e, "210"},
        {&txtetam_e, "0.925"}, {&txtk_e, "1.15"}, {&txtZeta_fencha, "0.28"}, {&txtv_b, "25"},
        {&txtKK_b, "1"},       {&txtbeta, "5"},   {&txtdeltap_b, "5"},       {&txtSSkw_b, "400"},
        {&txtetam_b, "0.925"}, {&txtk_b, "1.15"}, {&txtZeta_heliu, "0.7"},   {&txtds, "60"},
        {&txtQe, "120"},       {&txtQb, "120"}};
    for (const auto& [box, text] : initial) {
        box->setSilently(text);
    }
}

frmMultiShaftAndJet::~frmMultiShaftAndJet() = default;

// ---- Layout ----

void frmMultiShaftAndJet::buildControls() {
    using platform::Layout;
    const Layout::Column rows{.pitch = 330, .labelDrop = 30};

    pgMain.place(*this, 120, 120, 15240, 9000);
    platform::Page& shaftPage = pgMain.AddPage("竖井及风机信息");
    platform::Page& sectionPage = pgMain.AddPage("通风区段");
    platform::Page& layoutPage = pgMain.AddPage("射流风机布置");

    Layout::buttons(*this, 120, 9240, 1800, 420, 0, {{&cmdBack, "<-- 上一步"}});
    Layout::buttons(*this, 11400, 9240, 1800, 420, 120,
                    {{&cmdDrawPressCurve, "绘制曲线"}, {&cmdReport, "计算报告书"}});
    // Two lines beside the buttons: the groups' words and a changed catalogue's can stand together.
    Layout::captioned(lblTip, *this, "", 2040, 9150, 9240, 510);
    lblTip.setWordWrap(true);
    lblTip.setForeColor(platform::vbRed);

    // ---- Page 1: shafts and their fans ----
    lstShaft.place(shaftPage, 120, 120, 10800, 2300);
    lstShaft.setGridLines(true);
    layout_.column(shaftPage, rows.at(11040, 1700, 1000), 120,
                   {{"竖井中心桩号(m)", &txtShaftPile}, {"短道长度ds(m)", &txtds}});
    Layout::buttons(shaftPage, 11040, 840, 1000, 360, 60,
                    {{&cmdAddShaft, "添加"}, {&cmdDeleteShaft, "删除"}, {&cmdUpdateShaft, "更新"}});
    Layout::buttons(shaftPage, 11040, 1320, 3120, 420, 0, {{&cmdShaftSection, "形成通风区段"}});

    // Right of each opening's rise: its design pressure, fan power and motor power, laid out alike.
    struct OpeningGroups {
        platform::Frame* side;
        const char *lossCaption, *riseCaption, *totalCaption, *motorCaption;
        TextBox *loss, *rise, *total;
        platform::CommandButton* calculate;
        TextBox *t1, *p1, *eta, *fanPower, *etam, *k, *motorPower;
    };
    const auto openingGroups = [&](const OpeningGroups& o) {
        platform::Frame& design = layout_.group(*o.side, "设计风压计算", 3900, 240, 3420, 2300);
        // The loss caption is too long for one line: it takes two, and its box sits beside the second.
        layout_.caption(design, o.lossCaption, 100, 260, 2100, 540);
        o.loss->place(design, 2200, 440, 800, platform::kBoxHeight);
        // The duct-loss button beside its box, next on the keyboard.
        Layout::buttons(design, 3020, 440, 330, platform::kBoxHeight, 0, {{o.calculate, "..."}});
        layout_.column(design, rows.at(100, 2100, 800), 260 + 540,
                       {{o.riseCaption, o.rise}, {o.totalCaption, o.total}});
        platform::Frame& fan = layout_.group(*o.side, "风机功率计算", 3900, 2600, 3420, 1640);
        layout_.column(fan, rows.at(100, 2100, 1000), 260,
                       {{"环境温度t1(℃)", o.t1},
                        {"环境大气压p1(kPa)", o.p1},
                        {"风机效率η", o.eta},
                        {"风机功率Skw(kW)", o.fanPower}});
        platform::Frame& motor = layout_.group(*o.side, "电机功率计算", 3900, 4300, 3420, 1340);
        layout_.column(motor, rows.at(100, 2100, 1000), 260,
                       {{"电机效率ηm(0.90-0.95)", o.etam},
                        {"电机容量安全系数k(1.5)", o.k},
                        {o.motorCaption, o.motorPower}});
    };

    const int sideTop = 2520, sideHeight = 5900, sideWidth = 7440;
    Layout::frame(fraExhaust, shaftPage, "排风", 120, sideTop, sideWidth, sideHeight);
    platform::Frame& riseE = layout_.group(fraExhaust, "升压力计算", 120, 240, 3700, 3000);
    layout_.column(riseE, rows.at(100, 2300, 1100), 260,
                   {{"每台风机排风量Qe(m^3/s):", &txtQe},
                    {"风机台数(台):", &cmbCounte},
                    {"总排风量Qe(m^3/s):", &txtQQ_e},
                    {"面积Ae(m^2)", &txtAA_e},
                    {"风速ve(m/s)", &txtv_e},
                    {"升压动量系数Ke", &txtKK_e},
                    {"升压力Δpe(Pa)", &txtdeltap_e},
                    {"分叉损失系数", &txtZeta_fencha}});
    openingGroups({&fraExhaust, "排风口,排风井及连接风道总压力损失pde(Pa)", "排风口处总升压力pse(Pa)",
                   "排风机设计风压ptote(Pa)", "电机功率M1(kW):", &txtp_de, &txtp_se, &txtp_tote, &cmdCalpde,
                   &txtt1_e, &txtp1_e, &txteta_e, &txtSSkw_e, &txtetam_e, &txtk_e, &txtMM1_e});
    Layout::buttons(fraExhaust, 120, 3400, 3700, 420, 0, {{&cmdAxialFanDesign, "轴流风机动力设计"}});

    Layout::frame(fraSupply, shaftPage, "送风", 7680, sideTop, sideWidth, sideHeight);
    platform::Frame& riseB = layout_.group(fraSupply, "升压力计算", 120, 240, 3700, 3400);
    layout_.column(riseB, rows.at(100, 2300, 1100), 260,
                   {{"每台风机送风量Qb(m^3/s):", &txtQb},
                    {"风机台数(台):", &cmbCountb},
                    {"总送风量Qb(m^3/s):", &txtQQ_b},
                    {"面积Ab(m^2)", &txtAA_b},
                    {"风速vb(m/s)", &txtv_b},
                    {"升压动量系数Kb", &txtKK_b},
                    {"喷流角β(度)", &txtbeta},
                    {"升压力Δpb(Pa)", &txtdeltap_b},
                    {"合流损失系数", &txtZeta_heliu}});
    openingGroups({&fraSupply, "送风口,送风井及连接风道总压力损失pdb(Pa)", "送风口处总升压力psb(Pa)",
                   "送风机设计风压ptotb(Pa):", "电机功率M1(kW)", &txtp_db, &txtp_sb, &txtp_totb, &cmdCalpdb,
                   &txtt1_b, &txtp1_b, &txteta_b, &txtSSkw_b, &txtetam_b, &txtk_b, &txtMM1_b});
    Layout::frame(fraPassage, fraSupply, "短道回流", 120, 3720, 3700, 1000);
    layout_.column(fraPassage, rows.at(100, 1600, 1100), 260,
                   {{"Qe/Qr1≤1.0", &txtratio_Qe_Qr1}, {"Qb/Qr2≤1.0", &txtratio_Qb_Qr2}});

    // ---- Page 2: sections ----
    lstShaftSection.place(sectionPage, 120, 120, 15000, 2600);
    lstShaftSection.setGridLines(true);
    const int left = 120;
    layout_.column(sectionPage, rows.at(left, 1800, 1100), 2840,
                   {{"起始桩号:", &txtPile1},
                    {"终止桩号:", &txtPile2},
                    {"需风量Qreq(m^3/s):", &txtQQ_req},
                    {"设计风量Qr(m^3/s):", &txtQQ_r},
                    {"新鲜空气量Qf(m^3/s)", &txtQQ_f},
                    {"设计风速vr(m/s):", &txtv_r},
                    {"起点浓度C1:", &txtCC_1}});
    layout_.column(sectionPage, rows.at(left + 3000, 1800, 1100), 2840,
                   {{"终点浓度C2:", &txtCC_2},
                    {"起点压力P1(Pa):", &txtPP_1},
                    {"终点压力P2(Pa):", &txtPP_2},
                    {"通风阻抗力Δpr(Pa):", &txtdeltap_r},
                    {"自然风阻力Δpm(Pa):", &txtdeltap_m},
                    {"交通通风力Δpt(Pa):", &txtdeltap_t}});
    Layout::captioned(chkKnowQr1, sectionPage, "第I区段设计风量已知", left, 5300, 2700);
    txtCertanQr1.place(sectionPage, left + 2800, 5300, 1100, platform::kBoxHeight);
    layout_.column(sectionPage, rows.at(left, 2700, 1100), 5800, {{"该工况总耗电功率(kW):", &txtTotalPower}});

    Layout::frame(fraJet, sectionPage, "射流风机配置", 6300, 2760, 8820, 5400);
    const int fanBottom =
        jetfan::FanDataColumn(layout_, fraJet, rows.at(120, 1800, 2200), 300,
                              {cmbJetModel, txtFlow, txtDD_j, txtAA_j, txtvj, txtPower, txtdeltap_j});
    layout_.column(fraJet, rows.at(120, 1800, 2200), fanBottom, {{"风机数量(台)", &txtjetcount}});
    lblJetNote.place(fraJet, 120, 3400, 8500, 300);
    lblJetNote.setForeColor(platform::vbRed);
    Layout::frame(fraJetPosition, fraJet, "", 4300, 240, 4400, 3000);
    layout_.column(fraJetPosition, rows.at(120, 2300, 1000), 240,
                   {{"悬挂高度Z(m)", &txtZZ_j}, {"位置摩阻损失折减系数η", &txteta}});
    imgJet.place(fraJetPosition, 120, 960, 4100, 1900);

    // ---- Page 3: jet-fan groups ----
    lstJet.place(layoutPage, 120, 120, 4200, 5000);
    lstJet.setGridLines(true);
    layout_.column(
        layoutPage, rows.at(4440, 1500, 1200), 120,
        {{"桩号(m):", &txtPile}, {"本组台数(台):", &txtJetNumPerTeam}, {"升压力(Pa):", &txtPress}});
    Layout::buttonColumn(layoutPage, 4440, 1260, 2700, 400, 80,
                         {{&cmdAdd, "添加"},
                          {&cmdDelete, "删除"},
                          {&cmdUpdate, "更新"},
                          {&cmdAutoLayout, "自动布置"},
                          {&cmdClearAll, "全部清除"}});
    imgScheme.place(layoutPage, 7400, 120, 7700, 5000);

    Layout::inputs({&txtShaftPile, &txtds,          &txtQe,    &cmbCounte, &txtQb,    &cmbCountb,   &txtv_e,
                    &txtKK_e,      &txtZeta_fencha, &txtv_b,   &txtKK_b,   &txtbeta,  &txtp_de,     &txtp_se,
                    &txtp_db,      &txtp_sb,        &txtt1_e,  &txtp1_e,   &txteta_e, &txtetam_e,   &txtk_e,
                    &txtt1_b,      &txtp1_b,        &txteta_b, &txtetam_b, &txtk_b,   &cmbJetModel, &txtFlow,
                    &txtDD_j,      &txtPower,       &txtZZ_j});
}

void frmMultiShaftAndJet::connectEvents() {
    // The shaft editor starts empty and is filled by a click on a shaft.
    platform::Layout::entries(
        {.optionalNumbers = {&txtShaftPile, &txtp_de, &txtp_se, &txtt1_e, &txtp1_e, &txteta_e, &txtp_db,
                             &txtp_sb, &txtt1_b, &txtp1_b, &txteta_b},
         .numberLists = {&cmbCounte, &cmbCountb}});
    // What the window computes into the shaft editor goes into the shaft's row as it stands, and the
    // jet-group editor is typed into outside the input colour; both editors start empty.
    const std::vector<TextBox*> editors = {&txtQQ_e,       &txtAA_e,   &txtdeltap_e,      &txtp_tote,
                                           &txtSSkw_e,     &txtMM1_e,  &txtQQ_b,          &txtAA_b,
                                           &txtdeltap_b,   &txtp_totb, &txtSSkw_b,        &txtMM1_b,
                                           &txtZeta_heliu, &txtPile,   &txtJetNumPerTeam, &txtPress};
    platform::Layout::entries({.optionalNumbers = editors, .numbers = editors});
    // A station far beyond any tunnel is a typo: marked where it is typed.
    for (platform::TextBox* box : {&txtShaftPile, &txtPile}) {
        box->setRangeCheck(app::station_range_problem);
    }
    platform::Connect(cmdBack.Click, this, &frmMultiShaftAndJet::cmdBack_Click);
    platform::Connect(cmdDrawPressCurve.Click, this, &frmMultiShaftAndJet::cmdDrawPressCurve_Click);
    platform::Connect(cmdReport.Click, this, &frmMultiShaftAndJet::cmdReport_Click);
    platform::Connect(txtQe.Change, this, &frmMultiShaftAndJet::txtQe_Change);
    platform::Connect(txtQb.Change, this, &frmMultiShaftAndJet::txtQb_Change);
    platform::Connect(cmbCounte.Change, this, &frmMultiShaftAndJet::cmbCounte_Change);
    platform::Connect(cmbCountb.Change, this, &frmMultiShaftAndJet::cmbCountb_Change);
    // A pick from the list is a change of the count as much as a typed one.
    platform::Connect(cmbCounte.Click, this, &frmMultiShaftAndJet::cmbCounte_Change);
    platform::Connect(cmbCountb.Click, this, &frmMultiShaftAndJet::cmbCountb_Change);
    platform::Connect(cmdAddShaft.Click, this, &frmMultiShaftAndJet::cmdAddShaft_Click);
    platform::Connect(cmdUpdateShaft.Click, this, &frmMultiShaftAndJet::cmdUpdateShaft_Click);
    platform::Connect(cmdDeleteShaft.Click, this, &frmMultiShaftAndJet::cmdDeleteShaft_Click);
    platform::Connect(lstShaft.ItemClick, this, &frmMultiShaftAndJet::lstShaft_ItemClick);
    platform::Connect(cmdShaftSection.Click, this, &frmMultiShaftAndJet::cmdShaftSection_Click);
    platform::Connect(cmdAxialFanDesign.Click, this, &frmMultiShaftAndJet::cmdAxialFanDesign_Click);
    platform::Connect(cmdCalpde.Click, this, &frmMultiShaftAndJet::cmdCalpde_Click);
    platform::Connect(cmdCalpdb.Click, this, &frmMultiShaftAndJet::cmdCalpdb_Click);
    platform::Connect(lstShaftSection.ItemClick, this, &frmMultiShaftAndJet::lstShaftSection_ItemClick);
    platform::Connect(cmbJetModel.Change, this, &frmMultiShaftAndJet::cmbJetModel_Change);
    // A model picked from the list is chosen as much as a typed one.
    platform::Connect(cmbJetModel.Click, this, &frmMultiShaftAndJet::cmbJetModel_Change);
    platform::Connect(txtZZ_j.Change, this, &frmMultiShaftAndJet::txtZZ_j_Change);
    platform::Connect(lstJet.ItemClick, this, &frmMultiShaftAndJet::lstJet_ItemClick);
    platform::Connect(cmdAdd.Click, this, &frmMultiShaftAndJet::cmdAdd_Click);
    platform::Connect(cmdUpdate.Click, this, &frmMultiShaftAndJet::cmdUpdate_Click);
    platform::Connect(cmdDelete.Click, this, &frmMultiShaftAndJet::cmdDelete_Click);
    platform::Connect(cmdClearAll.Click, this, &frmMultiShaftAndJet::cmdClearAll_Click);
    platform::Connect(cmdAutoLayout.Click, this, &frmMultiShaftAndJet::cmdAutoLayout_Click);
}

// ---- Lifecycle ----

void frmMultiShaftAndJet::UserForm_Initialize() {
    // A group's rise and a section's model are listed whole: the rise as the layout computes it, to 15
    // digits ("28.4427288827322"), the model by its full name. The fan count needs less.
    guarded([this] {
        lstJet.ColumnHeaders.Clear();
        lstJet.ColumnHeaders.Add("桩号", kHeaderWidth);
        lstJet.ColumnHeaders.Add("台数", kNarrowWidth);
        lstJet.ColumnHeaders.Add("升压力", kWideWidth);
    });
    guarded([this] {
        lstShaft.ColumnHeaders.Clear();
        for (const char* text : kShaftHeaders) {
            lstShaft.ColumnHeaders.Add(text, kHeaderWidth);
        }
    });
    guarded([this] {
        lstShaftSection.ColumnHeaders.Clear();
        for (int k = 0; k < multishaft::kSectionFields; ++k) {
            lstShaftSection.ColumnHeaders.Add(kSectionHeaders[k], k + 1 == multishaft::kSectionFields
                                                                      ? kLastSectionWidth
                                                                  : k == 13 ? kWideWidth
                                                                            : kHeaderWidth);
        }
    });
    guarded([this] {
        for (int i = 0; i <= 4; ++i) {
            cmbCounte.AddItem(std::to_string(i));
            cmbCountb.AddItem(std::to_string(i));
        }
    });
    guarded([this] { jetfan::FillJetModelBox(cmbJetModel); });
    guarded([this] { OpenFile(); });
    guarded([this] { ShowStoredSection(); });
    guarded([this] {
        showGroupsTip();
        app::AppendHint(lblTip, openingStep2Hint_);
    });
}

void frmMultiShaftAndJet::UserForm_QueryClose() {
    guarded([this] { SaveFile(); });
}

void frmMultiShaftAndJet::cmdBack_Click() {
    guarded([this] { SaveFile(); });
    Hide();
}

// ---- The scheme file ----

void frmMultiShaftAndJet::OpenFile() {
    scheme::SchemeReader in;
    const app::CompanionSource source = app::OpenCompanionOrTemplateFrom(
        in, app::ProjectCompanionPath(kExtension), app::TemplateCompanionPath(kExtension));
    if (source == app::CompanionSource::None) {
        return;
    }
    multishaft::MsjFile msj = multishaft::ReadMsjFile(in);
    // The template's shafts, sections and groups stand at the stations of the template's tunnel, and its
    // results were computed for that tunnel: another tunnel takes what was typed, and no figure of them.
    if (app::TemplateIsForAnotherTunnel(source)) {
        OpenTemplateInputs(msj);
        return;
    }
    const std::string step2Hint = forgetResultsOfOtherStep2(msj, !app::TemplateIsForAnotherTunnel(source));
    for (const auto& cells : msj.Shafts) {
        guarded([&] {
            ListItem& item = lstShaft.ListItems.Add(cells[0]);
            for (int k = 1; k < multishaft::kShaftFields; ++k) {
                item.setSubItems(k, cells[static_cast<std::size_t>(k)]);
            }
        });
    }
    for (const auto& cells : msj.Sections) {
        guarded([&] {
            ListItem& item = lstShaftSection.ListItems.Add(cells[0]);
            for (int k = 1; k < multishaft::kSectionFields; ++k) {
                item.setSubItems(k, cells[static_cast<std::size_t>(k)]);
            }
        });
    }
    if (msj.HasBoxes) {
        guarded([&] { txtZZ_j.set(msj.ZZ_j); });
        guarded([&] { txtTotalPower.set(msj.TotalPower); });
    }
    if (msj.HasKnownFlow) {
        guarded([&] { chkKnowQr1.set(msj.KnowQr1 ? 1 : 0); });
        guarded([&] { txtCertanQr1.set(msj.CertanQr1); });
    }
    if (msj.HasJetBoxes) {
        guarded([&] { txtdeltap_j.set(msj.Deltap_j); });
        guarded([&] { txtjetcount.set(msj.JetCount); });
    }
    if (msj.HasGroups) {
        guarded([&] {
            lstJet.ListItems.Clear();
            for (const auto& cells : msj.Groups) {
                ListItem& item = lstJet.ListItems.Add(cells[0]);
                item.setSubItems(1, cells[1]);
                item.setSubItems(2, cells[2]);
            }
        });
    }
    storedSection_ = msj.ShownSection;
    sectionModels_ = msj.SectionModels;
    openingStep2Hint_ = step2Hint;
}

std::string frmMultiShaftAndJet::forgetResultsOfOtherStep2(multishaft::MsjFile& msj, bool resultsShown) {
    computedUnder_ = msj.Step2;
    std::string hint = ventparam::ResultsOfOtherStep2(computedUnder_, kResultsStep2Inputs, resultsShown);
    if (!hint.empty()) {
        multishaft::ForgetResults(msj);
    }
    return hint;
}

bool frmMultiShaftAndJet::SaveFile() {
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty()) {
        return false;
    }
    multishaft::MsjFile msj;
    for (int i = 1; i <= lstShaft.ListItems.Count(); ++i) {
        ListItem& item = lstShaft.ListItems(i);
        std::array<std::string, multishaft::kShaftFields> cells;
        cells[0] = item.Text();
        for (int k = 1; k < multishaft::kShaftFields; ++k) {
            cells[static_cast<std::size_t>(k)] = item.SubItems(k);
        }
        msj.Shafts.push_back(std::move(cells));
    }
    for (int i = 1; i <= lstShaftSection.ListItems.Count(); ++i) {
        ListItem& item = lstShaftSection.ListItems(i);
        std::array<std::string, multishaft::kSectionFields> cells;
        cells[0] = item.Text();
        for (int k = 1; k < multishaft::kSectionFields; ++k) {
            cells[static_cast<std::size_t>(k)] = item.SubItems(k);
        }
        msj.Sections.push_back(std::move(cells));
    }
    msj.ZZ_j = txtZZ_j.Text();
    msj.TotalPower = txtTotalPower.Text();
    msj.KnowQr1 = chkKnowQr1.Value() == 1;
    msj.CertanQr1 = txtCertanQr1.Text();
    msj.Deltap_j = txtdeltap_j.Text();
    msj.JetCount = txtjetcount.Text();
    for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
        ListItem& item = lstJet.ListItems(i);
        msj.Groups.push_back({item.Text(), item.SubItems(1), item.SubItems(2)});
    }
    msj.ShownSection = lstShaftSection.SelectedIndex();
    msj.Step2 = computedUnder_;
    msj.SectionModels = sectionModels_;
    msj.SectionModels.resize(msj.Sections.size());
    return app::SaveCompanionFile(multishaft::WriteMsjFile(msj), path, "多竖井通风方案文件");
}

// ---- Shaft list editing ----

void frmMultiShaftAndJet::txtQe_Change() {
    app::SetFiniteBox(txtQQ_e, vb::Val(txtQe.Text()) * vb::Val(cmbCounte.Text()));
}

void frmMultiShaftAndJet::txtQb_Change() {
    app::SetFiniteBox(txtQQ_b, vb::Val(txtQb.Text()) * vb::Val(cmbCountb.Text()));
}

void frmMultiShaftAndJet::cmbCounte_Change() {
    txtQe_Change();
}

void frmMultiShaftAndJet::cmbCountb_Change() {
    txtQb_Change();
}

namespace {

/// The boxes of page 1 in the column order of lstShaft, columns 1 to 38.
std::vector<ShaftBox> shaftBoxes(frmMultiShaftAndJet& w) {
    std::vector<ShaftBox> boxes;
    for (TextBox* box :
         {&w.txtQQ_e,   &w.txtAA_e,   &w.txtv_e,        &w.txtKK_e,        &w.txtdeltap_e, &w.txtp_de,
          &w.txtp_se,   &w.txtp_tote, &w.txtt1_e,       &w.txtp1_e,        &w.txteta_e,    &w.txtSSkw_e,
          &w.txtetam_e, &w.txtk_e,    &w.txtMM1_e,      &w.txtZeta_fencha, &w.txtQQ_b,     &w.txtAA_b,
          &w.txtv_b,    &w.txtKK_b,   &w.txtbeta,       &w.txtdeltap_b,    &w.txtp_db,     &w.txtp_sb,
          &w.txtp_totb, &w.txtt1_b,   &w.txtp1_b,       &w.txteta_b,       &w.txtSSkw_b,   &w.txtetam_b,
          &w.txtk_b,    &w.txtMM1_b,  &w.txtZeta_heliu, &w.txtds,          &w.txtQe}) {
        boxes.push_back({box, nullptr});
    }
    boxes.push_back({nullptr, &w.cmbCounte});
    boxes.push_back({&w.txtQb, nullptr});
    boxes.push_back({nullptr, &w.cmbCountb});
    return boxes;
}

} // namespace

std::vector<TextBox*> frmMultiShaftAndJet::fanDesignBoxes() {
    const std::vector<ShaftBox> boxes = shaftBoxes(*this);
    std::vector<TextBox*> design;
    for (const int column : multishaft::kFanDesignColumns) {
        design.push_back(boxes[static_cast<std::size_t>(column) - 1].text);
    }
    return design;
}

void frmMultiShaftAndJet::OpenTemplateInputs(const multishaft::MsjFile& msj) {
    if (!msj.Shafts.empty()) {
        const auto& cells = msj.Shafts.front();
        const std::vector<ShaftBox> boxes = shaftBoxes(*this);
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            const int column = static_cast<int>(k) + 1;
            const bool typed = !multishaft::IsShaftResultColumn(column) && column != 1 && column != 17;
            guarded([&] { boxes[k].set(typed ? cells[k + 1] : ""); });
        }
        txtQe_Change();
        txtQb_Change();
    }
    if (msj.HasBoxes) {
        guarded([&] { txtZZ_j.set(msj.ZZ_j); });
    }
    if (msj.HasKnownFlow) {
        guarded([&] { chkKnowQr1.set(msj.KnowQr1 ? 1 : 0); });
        guarded([&] { txtCertanQr1.set(msj.CertanQr1); });
    }
    for (const auto& cells : msj.Sections) {
        if (!cells[13].empty()) {
            guarded([&] { cmbJetModel.setTextSilently(cells[13]); });
            ShowJetModelData();
            break;
        }
    }
    modelsFromFrame_ = true;
}

void frmMultiShaftAndJet::shaftRowFromBoxes(ListItem& row) {
    guarded([&] { row.setText(txtShaftPile.Text()); });
    const std::vector<ShaftBox> boxes = shaftBoxes(*this);
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        guarded([&] { row.setSubItems(static_cast<int>(k) + 1, boxes[k].get()); });
    }
}

void frmMultiShaftAndJet::cmdAddShaft_Click() {
    guarded([this] { shaftRowFromBoxes(lstShaft.ListItems.Add(txtShaftPile.Text())); });
}

void frmMultiShaftAndJet::cmdUpdateShaft_Click() {
    guarded([this] {
        if (ListItem* row = lstShaft.SelectedItem()) {
            shaftRowFromBoxes(*row);
        }
    });
}

void frmMultiShaftAndJet::cmdDeleteShaft_Click() {
    guarded([this] {
        const int i = lstShaft.SelectedIndex();
        if (i >= 1 && i <= lstShaft.ListItems.Count()) {
            lstShaft.ListItems.Remove(i);
        }
    });
}

void frmMultiShaftAndJet::lstShaft_ItemClick(ListItem& Item) {
    guarded([&] { txtShaftPile.set(Item.Text()); });
    const std::vector<ShaftBox> boxes = shaftBoxes(*this);
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        guarded([&] { boxes[k].set(Item.SubItems(static_cast<int>(k) + 1)); });
    }
    guarded([&] {
        const bool leftLine = mainWindow().optLeftLine.Value();
        const auto [before, after] = multishaft::PassageRatioRows(Item.Index(), leftLine);
        auto ratio = [this](TextBox& box, const TextBox& flow, int r) {
            if (r < 1 || r > lstShaftSection.ListItems.Count()) {
                return;
            }
            const double qr = vb::Val(lstShaftSection.ListItems(r).SubItems(3));
            if (qr != 0) {
                app::SetFiniteBox(box, vb::Val(flow.Text()) / qr);
            }
        };
        ratio(txtratio_Qe_Qr1, txtQQ_e, before);
        ratio(txtratio_Qb_Qr2, txtQQ_b, after);
    });
}

// ---- Sections and their air demand ----

void frmMultiShaftAndJet::cmdShaftSection_Click() {
    computedUnder_ = ventparam::Step2Shown();
    std::vector<std::string> models;
    guarded([&] { models = RememberSectionModels(); });
    bool formed = false;
    guarded([&] { formed = FormSections(); });
    if (!formed) {
        return;
    }
    if (models.empty() && modelsFromFrame_) {
        // Written into the rows at once, so that a search that fails below does not lose them.
        for (int r = 1; r <= lstShaftSection.ListItems.Count(); ++r) {
            models.push_back(r % 2 == 1 ? cmbJetModel.Text() : "");
            guarded([&] { lstShaftSection.ListItems(r).setSubItems(13, models.back()); });
        }
    }
    guarded([this] { DropGroupsOutsideSections(); });
    double total = 0;
    guarded([&] { total = SectionDemands(); });
    bool found = false;
    guarded([&] { found = FindDesignFlow(total); });
    if (!found) {
        // The sections formed anew hold no fans, so the last total no longer adds up what is shown.
        guarded([this] { txtTotalPower.set(""); });
        return;
    }
    guarded([this] { SectionPressures(); });
    guarded([this] { OpeningRises(); });
    guarded([&] { SectionJetFans(models); });
}

bool frmMultiShaftAndJet::FormSections() {
    std::vector<multishaft::Shaft> shafts;
    for (int i = 1; i <= lstShaft.ListItems.Count(); ++i) {
        ListItem& item = lstShaft.ListItems(i);
        shafts.push_back({vb::Val(item.Text()), vb::Val(item.SubItems(multishaft::kColumnDs))});
    }
    frmReq& req = mainWindow();
    const double start = vb::Val(req.txtStartPile.Text());
    const double length = req.GetTunnelLength();
    // Sections of shafts out of order, overlapping or outside the tunnel end before they start and every
    // later pressure would rest on them: the shaft is named and the earlier sections stay.
    if (const auto problem = multishaft::CheckShafts(start, start + length, shafts)) {
        platform::MsgBox(multishaft::ShaftProblemText(*problem), platform::vbOKOnly, "出错！");
        return false;
    }
    lstShaftSection.ListItems.Clear();
    sectionModels_.clear();
    for (const multishaft::Stretch& stretch : multishaft::FormStretches(start, length, shafts)) {
        guarded([&] {
            ListItem& item = lstShaftSection.ListItems.Add(vb::CStr(stretch.Start));
            item.setSubItems(1, vb::CStr(stretch.End));
        });
    }
    return true;
}

double frmMultiShaftAndJet::SectionDemands() {
    frmReq& req = mainWindow();
    vb::Integer caseId = 1;
    guarded([&] {
        const int position = step2().lstCase.ListIndex();
        if (position >= 0 && position <= 3) {
            caseId = static_cast<vb::Integer>(position + 1);
        }
    });
    const int rows = lstShaftSection.ListItems.Count();
    double total = 0;
    auto write = [this](int r, double q) {
        if (std::isfinite(q)) {
            guarded([&] { lstShaftSection.ListItems(r).setSubItems(2, vb::Format(q, "0.00")); });
        }
    };
    for (int r = 1; r <= rows; ++r) {
        guarded([&] {
            ListItem& item = lstShaftSection.ListItems(r);
            double dsp = vb::Val(item.Text());
            double dep = vb::Val(item.SubItems(1));
            const double q = req.GetSectionQreq(dsp, dep, caseId);
            write(r, q);
            total += q;
        });
    }
    double tunnelExchange = 0;
    guarded([&] { tunnelExchange = req.GetExchangeSectionQreq(modPublic::StartPile, modPublic::EndPile); });
    bool exchangeSwitch = false;
    guarded([&] { exchangeSwitch = step2().chkExchange.Value() == 1; });
    if (multishaft::ExchangeGoverns(exchangeSwitch, total, tunnelExchange)) {
        total = 0;
        for (int r = 1; r <= rows; ++r) {
            guarded([&] {
                ListItem& item = lstShaftSection.ListItems(r);
                const double q = req.GetExchangeSectionQreq(vb::Val(item.Text()), vb::Val(item.SubItems(1)));
                write(r, q);
                total += q;
            });
        }
    }
    return total;
}

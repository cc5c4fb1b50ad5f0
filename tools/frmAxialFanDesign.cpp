// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmAxialFanDesign.h"

#include "app/companion_file.h"
#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/scheme_output.h"
#include "platform/close_box.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "tools/axial_fan_report.h"
#include "ventparam/duct_list.h"
#include "ventparam/duct_section_layout.h"
#include "ventparam/frmZeta.h"
#include "ventparam/loss_coefficients.h"

#include <optional>
#include <string>

using app::guarded;
using platform::ListItem;
using platform::TextBox;

namespace {

constexpr const char* kCaption = "轴流风机动力设计";
constexpr int kButtonHeight = 360;
constexpr int kSectionCells = 7;
constexpr platform::Layout::Heading kPieceHeads[] = {{"长度(m)", 600}, {"渐扩|缩", 800}, {"Ar(m^2)", 800},
                                                     {"Pr(m)", 800},   {"Dr(m)", 800},   {"Δ(mm)", 800},
                                                     {"λ", 800},       {"备注", 2000}};

// The two columns are as wide as the lists in them need for their columns' headers.
constexpr int kLeftWidth = 5500;
constexpr int kRight = kLeftWidth + 240;
constexpr int kRightWidth = 12160;
constexpr int kHalfWidth = (kRightWidth - 60) / 2;

constexpr const char* kExtension = ".afd";

} // namespace

frmAxialFanDesign::frmAxialFanDesign() : DuctEditor({&txtlambdra, &txtSectionDisc}, {&txtZetaDisc}) {
    buildControls();
    connectEvents();
    txtRHO.setSilently("1.2");
    txtp_s.setSilently("300");
    // A fan alone loses nothing to parallel running; the engineer enters the factor of several fans.
    txtDisc.setSilently("1");
    txtt.setSilently("273");
    txtP.setSilently("101.32");
    txteta.setSilently("0.8");
    txtetam.setSilently("0.925");
    txtk.setSilently("1.15");
    optFanType1.setSilently(true);
    udN.setMin(1);
    udN.setMax(4);
    udN.setIncrement(1);
    udN.setSilently(1);
    txtN.setSilently("1");
}

void frmAxialFanDesign::buildControls() {
    using platform::Layout;
    Layout::window(*this, kCaption, kRight + kRightWidth + 200, 10400);

    Layout::frame(Frame1, *this, "选择轴流风机编号", 120, 60, kLeftWidth, 4200);
    lstFanNo.place(Frame1, 120, 300, kLeftWidth - 240, 2900);
    lstFanNo.setGridLines(true);
    layout_.column(
        Frame1,
        {.left = 120, .labelWidth = 1030, .boxWidth = kLeftWidth - 1270, .labelHeight = platform::kBoxHeight},
        3300, {{"风机编号:", &txtFanNo}});
    Layout::buttons(Frame1, 120, 3720, 1200, kButtonHeight, 280,
                    {{&cmdAddFan, "添加"}, {&cmdUpdateFan, "更新"}, {&cmdDeleteFan, "删除"}});

    Layout::frame(Frame2, *this, "基本参数", kRight, 60, kRightWidth, 1500);
    layout_.column(Frame2,
                   {.left = 120, .labelWidth = 1330, .boxWidth = 1100, .labelHeight = platform::kBoxHeight},
                   300, {{"流量(m^3/s):", &txtQ}});
    layout_.column(Frame2,
                   {.left = 2700, .labelWidth = 1400, .boxWidth = 700, .labelHeight = platform::kBoxHeight},
                   300, {{"风机数量(台):", &txtN}});
    udN.place(Frame2, 4800, 300, 255, platform::kBoxHeight);
    layout_.column(Frame2,
                   {.left = 5300, .labelWidth = 1700, .boxWidth = 900, .labelHeight = platform::kBoxHeight},
                   300, {{"空气密度(kg/m^3)", &txtRHO}});
    Layout::captioned(optFanType1, Frame2, "送风机", 8100, 300, 1000);
    Layout::captioned(optFanType2, Frame2, "排风机", 9200, 300, 1000);
    const Layout::Column flowRow{
        .left = 120, .labelWidth = 2030, .boxWidth = 1100, .labelHeight = platform::kBoxHeight};
    Layout::row(Frame2, flowRow, 750, lbl1, "送风口风速vb(m/s):", txtv);
    Layout::row(Frame2,
                {.left = 3500, .labelWidth = 2650, .boxWidth = 1100, .labelHeight = platform::kBoxHeight},
                750, lbltemp, "多台风机并列运行效率损失", txtDisc);

    Layout::frame(Frame3, *this, "沿程损失计算(含渐扩,渐缩管段)", kRight, 1620, kRightWidth, 3900);
    lstSection.place(Frame3, 4500, 300, kRightWidth - 4620, 3480);
    lstSection.setGridLines(true);
    layout_.column(Frame3,
                   {.left = 120, .labelWidth = 1330, .boxWidth = 1100, .labelHeight = platform::kBoxHeight},
                   300, {{"区段长度(m):", &txtSectionPile}});
    Layout::captioned(chkKS, Frame3, "渐扩,减缩管段", 2650, 300, 1700);
    Layout::frame(frmSectionData, Frame3, "直管段断面参数", 120, 700, 4250, 2640);
    const Layout::Column section{
        .left = 120, .labelWidth = 1730, .boxWidth = 1100, .pitch = 340, .labelHeight = platform::kBoxHeight};
    const int belowSection = ventparam::PlaceDuctSection(
        layout_,
        {frmSectionData, txtSectionArea, txtSectionPerimeter, txtSectionD, txtSectionDelta, cmdSectionDelta},
        section, 280);
    layout_.column(frmSectionData, section, belowSection,
                   {{"摩阻力λ:", &txtlambdra}, {"备注:", &txtSectionDisc}});
    txtSectionDisc.setWidth(2250);
    Layout::buttons(Frame3, 120, 3420, 950, kButtonHeight, 100,
                    {{&cmdAddSection, "添加"},
                     {&cmdInsertSection, "插入"},
                     {&cmdUpdateSection, "更新"},
                     {&cmdDeleteSection, "删除"}});

    Layout::frame(Frame4, *this, "局部损失计算", 120, 4320, kLeftWidth, 3300);
    lstzeta.place(Frame4, 120, 1800, kLeftWidth - 240, 1380);
    lstzeta.setGridLines(true);
    const Layout::Column loss{
        .left = 120, .labelWidth = 2030, .boxWidth = 1100, .pitch = 340, .labelHeight = platform::kBoxHeight};
    layout_.column(Frame4, loss, 300, {{"位置(距起点长度)(m):", &txtzetapile}, {"损失系数ξ:", &txtzeta}});
    Layout::captioned(cmdZeta, Frame4, ">>", 3300, 640, 450);
    layout_.column(Frame4, loss, 300 + 2 * 340, {{"备注:", &txtZetaDisc}});
    txtZetaDisc.setWidth(2100);
    Layout::buttons(Frame4, 120, 1360, 1200, kButtonHeight, 280,
                    {{&cmdAddZeta, "添加"}, {&cmdUpdateZeta, "更新"}, {&cmdDeleteZeta, "删除"}});

    Layout::frame(Frame5, *this, "设计风压计算", kRight, 5580, kRightWidth, 1380);
    const Layout::Column pressure{
        .left = 120, .labelWidth = 4430, .boxWidth = 1300, .pitch = 340, .labelHeight = platform::kBoxHeight};
    Layout::row(Frame5, pressure, 270, lbl2, "送风口,送风井及连接风道总压力损失pdb(Pa):", txtp_d);
    Layout::row(Frame5, pressure, 610, lbl3, "送风口处总升压力psb(Pa):", txtp_s);
    Layout::row(Frame5, pressure, 950, lbl4, "送风机设计风压ptotb(Pa):", txtp_tot);

    const Layout::Column power{
        .left = 120, .labelWidth = 2280, .pitch = 340, .labelHeight = platform::kBoxHeight};
    Layout::frame(Frame6, *this, "风机功率计算", kRight, 7020, kHalfWidth, 1750);
    // The pressure box holds kPa, which the power formula divides by 101.325.
    layout_.column(Frame6, power, 300,
                   {{"环境温度t1(K):", &txtt},
                    {"环境大气压p1(kPa):", &txtP},
                    {"风机效率η", &txteta},
                    {"风机功率Skw(kW)", &txtSSkw}});
    Layout::frame(Frame7, *this, "电机功率计算", kRight + kHalfWidth + 60, 7020, kHalfWidth, 1750);
    layout_.column(
        Frame7, power, 300,
        {{"效率ηm(0.90-0.95)", &txtetam}, {"容量安全系数k(1.15)", &txtk}, {"电机功率M1(kW)", &txtMM}});

    Layout::buttons(*this, 120, 7800, 1300, kButtonHeight, 180,
                    {{&cmdCalculate, "计算"}, {&cmdReport, "计算书"}, {&cmdClose, "完成"}});
    lblDuctNote.place(*this, 120, 7800 + kButtonHeight + 120, kLeftWidth, 960);
    lblDuctNote.setWordWrap(true);
    lblDuctNote.setForeColor(platform::vbRed);
    lblZetaNote.place(*this, 120, 7800 + kButtonHeight + 120 + 960, kLeftWidth, 600);
    lblZetaNote.setWordWrap(true);
    lblZetaNote.setForeColor(platform::vbRed);
    Layout::inputs({&txtFanNo, &txtQ, &txtN, &txtRHO, &txtv, &txtDisc, &txtSectionPile, &txtSectionArea,
                    &txtSectionPerimeter, &txtSectionDelta, &txtzetapile, &txtzeta, &txtp_s, &txtt, &txtP,
                    &txteta, &txtetam, &txtk});

    // Lies over the window below the "▼" button until it is asked for.
    lstWallMaterial.place(*this, kRight + 3460, 3800, 2900, 2300);
    ventparam::FillWallMaterials(lstWallMaterial);
    lstWallMaterial.setVisible(false);
}

void frmAxialFanDesign::connectEvents() {
    // A fan's number is its name ("1#"); the fan's and the duct's editors start empty.
    platform::Layout::entries(
        {.texts = {&txtFanNo},
         .optionalNumbers = {&txtQ, &txtv, &txtSectionPile, &txtSectionArea, &txtSectionPerimeter,
                             &txtSectionDelta, &txtzetapile, &txtzeta},
         .numbers = {&txtp_d, &txtp_tot, &txtSSkw}});
    platform::Connect(lstFanNo.ItemClick, this, &frmAxialFanDesign::lstFanNo_ItemClick);
    platform::Connect(cmdAddFan.Click, this, &frmAxialFanDesign::cmdAddFan_Click);
    platform::Connect(cmdUpdateFan.Click, this, &frmAxialFanDesign::cmdUpdateFan_Click);
    platform::Connect(cmdDeleteFan.Click, this, &frmAxialFanDesign::cmdDeleteFan_Click);
    platform::Connect(cmdClose.Click, this, &frmAxialFanDesign::cmdClose_Click);
    platform::Connect(optFanType1.Click, this, &frmAxialFanDesign::optFanType1_Click);
    platform::Connect(optFanType2.Click, this, &frmAxialFanDesign::optFanType2_Click);
    connectDuctEditor();
    limitRows(tools::kMaxAxialFanRows);
    platform::Connect(udN.Change, this, &frmAxialFanDesign::udN_Change);
    platform::Connect(cmdCalculate.Click, this, &frmAxialFanDesign::cmdCalculate_Click);
    platform::Connect(cmdReport.Click, this, &frmAxialFanDesign::cmdReport_Click);
}

void frmAxialFanDesign::Form_Load() {
    loadDuctEditor(kPieceHeads, Tables);
    lstzeta.ColumnHeaders.Add("备注", 2000);
    platform::Layout::headings(lstFanNo, {{"风机编号", 4000}});

    guarded([this] { modPublic::ReadTable("TabA03_1A", Tables.TabA03_1A); });
    guarded([this] { modPublic::ReadTable("TabA03_1B", Tables.TabA03_1B); });

    for (const std::string& fanNo : modPublic::AxialFanList) {
        lstFanNo.ListItems.Add(fanNo);
    }
    optFanType1_Click();
    if (lstFanNo.ListItems.Count() > 0) {
        lstFanNo_ItemClick(lstFanNo.ListItems(1));
    }
}

void frmAxialFanDesign::Form_QueryUnload(int& cancel, int unloadMode) {
    // The close box leaves the project's fan list as it was; the shown fan's changes are neither dropped
    // nor written unasked.
    if (unloadMode != platform::vbFormControlMenu) {
        return;
    }
    guarded([&] {
        const std::string path = fanFilePath();
        if (!platform::CloseBoxMayClose(path,
                                        path.empty() ? std::string() : tools::AxialFanFile(collect()).Bytes(),
                                        [this] { return SaveFile(); })) {
            cancel = 1;
        }
    });
}

// ---- Fans ----

tools::AxialFanTexts frmAxialFanDesign::collect() {
    tools::AxialFanTexts fan;
    fan.Q = txtQ.Text();
    fan.N = txtN.Text();
    fan.RHO = txtRHO.Text();
    fan.Supply = optFanType1.Value();
    fan.Exhaust = optFanType2.Value();
    fan.v = txtv.Text();
    fan.Disc = txtDisc.Text();
    for (int i = 1; i <= lstSection.ListItems.Count(); ++i) {
        ListItem& row = lstSection.ListItems(i);
        tools::AxialSectionTexts cells;
        cells[0] = row.Text();
        for (int c = 1; c <= kSectionCells; ++c) {
            cells[static_cast<std::size_t>(c)] = row.SubItems(c);
        }
        fan.Sections.push_back(cells);
    }
    for (int i = 1; i <= lstzeta.ListItems.Count(); ++i) {
        ListItem& row = lstzeta.ListItems(i);
        fan.Zetas.push_back({row.Text(), row.SubItems(1), row.SubItems(2)});
    }
    fan.p_d = txtp_d.Text();
    fan.p_s = txtp_s.Text();
    fan.p_tot = txtp_tot.Text();
    fan.t = txtt.Text();
    fan.P = txtP.Text();
    fan.eta = txteta.Text();
    fan.SSkw = txtSSkw.Text();
    fan.etam = txtetam.Text();
    fan.k = txtk.Text();
    fan.MM = txtMM.Text();
    return fan;
}

void frmAxialFanDesign::apply(const tools::AxialFanTexts& fan) {
    txtQ.set(fan.Q);
    txtN.set(fan.N);
    txtRHO.set(fan.RHO);
    if (fan.Supply.value_or(false)) {
        optFanType1.set(true);
    } else if (fan.Exhaust.value_or(false)) {
        optFanType2.set(true);
    }
    txtv.set(fan.v);
    txtDisc.set(fan.Disc);
    optFanType1_Click();
    lstSection.ListItems.Clear();
    for (const tools::AxialSectionTexts& cells : fan.Sections) {
        ListItem& row = lstSection.ListItems.Add(cells[0]);
        for (int c = 1; c <= kSectionCells; ++c) {
            row.setSubItems(c, cells[static_cast<std::size_t>(c)]);
        }
    }
    lstzeta.ListItems.Clear();
    for (const tools::AxialZetaTexts& cells : fan.Zetas) {
        ListItem& row = lstzeta.ListItems.Add(cells[0]);
        row.setSubItems(1, cells[1]);
        row.setSubItems(2, cells[2]);
    }
    txtp_d.set(fan.p_d);
    txtp_s.set(fan.p_s);
    txtp_tot.set(fan.p_tot);
    txtt.set(fan.t);
    txtP.set(fan.P);
    txteta.set(fan.eta);
    txtSSkw.set(fan.SSkw);
    txtetam.set(fan.etam);
    txtk.set(fan.k);
    txtMM.set(fan.MM);
    // The note belongs to the fan shown: a loaded fan's pieces say for themselves whether its stored
    // results could count every friction loss.
    std::vector<int> withoutLambda;
    const std::vector<tools::AxialDuctRow> rows = ductRows(&withoutLambda);
    markRowsWithoutLambda(withoutLambda);
    markLossesOutsideDuct(rows);
}

std::string frmAxialFanDesign::fanFilePath() const {
    // Only a shown fan has a file: the window's content never goes to a file of a number nobody chose.
    if (modPublic::ProjectFile.empty() || shownFanNo_.empty()) {
        return "";
    }
    const std::string name = tools::AxialFanFilePath(modPublic::ProjectFile, shownFanNo_);
    return name.empty() ? "" : platform::ResolvePath(name);
}

bool frmAxialFanDesign::SaveFile() {
    const std::string path = fanFilePath();
    if (path.empty()) {
        return true;
    }
    const scheme::SchemeWriter file = tools::AxialFanFile(collect());
    if (refusedFile_ && refusedFile_->first == path && refusedFile_->second == file.Bytes()) {
        return true;
    }
    if (!platform::ConfirmUnstorableTexts(file.UnstorableTexts())) {
        return false;
    }
    if (!textfile::WriteAtomically(path, file.Bytes())) {
        platform::MsgBox("风机文件未能写入：" + path, platform::vbExclamation, kCaption);
        return false;
    }
    return true;
}

void frmAxialFanDesign::OpenFile() {
    const std::string fanNo = txtFanNo.Text();
    std::optional<std::string> bytes;
    if (!modPublic::ProjectFile.empty() && !tools::FanNoProblem(fanNo)) {
        const std::string name = tools::AxialFanFilePath(modPublic::ProjectFile, fanNo);
        if (!name.empty()) {
            bytes = textfile::ReadBytes(platform::ResolvePath(name));
        }
    }
    if (!bytes) {
        bytes = textfile::ReadBytes(app::TemplateCompanionPath(kExtension));
    }
    const tools::AxialFanTexts fan = tools::ParseAxialFanFile(bytes.value_or(""));
    apply(fan);
    shownFanNo_ = tools::FanNoProblem(fanNo) ? "" : fanNo;
    refusedFile_.reset();
    if (fan.Refused) {
        platform::CountWithinLimit(fan.Refused->count, tools::kMaxAxialFanRows,
                                   fan.Refused->losses ? "局部损失" : "风道分段");
        guarded([this] { refusedFile_.emplace(fanFilePath(), tools::AxialFanFileBytes(collect())); });
    }
}

void frmAxialFanDesign::lstFanNo_ItemClick(ListItem& item) {
    const std::string fanNo = item.Text();
    SaveFile();
    txtFanNo.set(fanNo);
    OpenFile();
}

bool frmAxialFanDesign::acceptFanNo(const std::string& fanNo, int except) {
    if (const auto problem = tools::FanNoProblem(fanNo)) {
        platform::MsgBox(*problem, platform::vbExclamation, kCaption);
        return false;
    }
    for (int i = 1; i <= lstFanNo.ListItems.Count(); ++i) {
        if (i != except && lstFanNo.ListItems(i).Text() == fanNo) {
            // Two fans of one number would share one file and overwrite each other's data.
            platform::MsgBox("风机编号" + fanNo + "已存在，请换一个编号。", platform::vbExclamation,
                             kCaption);
            return false;
        }
    }
    return true;
}

void frmAxialFanDesign::cmdAddFan_Click() {
    const std::string fanNo = txtFanNo.Text();
    if (!acceptFanNo(fanNo, 0)) {
        return;
    }
    // The shown fan keeps its edits in its own file; the new fan starts as a copy of them.
    SaveFile();
    lstFanNo.ListItems.Add(fanNo);
    lstFanNo.select(lstFanNo.ListItems.Count());
    shownFanNo_ = fanNo;
    SaveFile();
}

void frmAxialFanDesign::cmdUpdateFan_Click() {
    const int selected = lstFanNo.SelectedIndex();
    if (selected < 1) {
        return;
    }
    const std::string fanNo = txtFanNo.Text();
    if (!acceptFanNo(fanNo, selected)) {
        return;
    }
    lstFanNo.ListItems(selected).setText(fanNo);
    shownFanNo_ = fanNo;
    SaveFile();
}

void frmAxialFanDesign::cmdDeleteFan_Click() {
    const int selected = lstFanNo.SelectedIndex();
    if (selected >= 1) {
        lstFanNo.ListItems.Remove(selected);
    }
}

void frmAxialFanDesign::closeSteps() {
    guarded([this] { SaveFile(); });
    guarded([this] {
        // An emptied list empties the project's fan list: deleted fans must not come back.
        std::vector<std::string> fans;
        for (int i = 1; i <= lstFanNo.ListItems.Count(); ++i) {
            fans.push_back(lstFanNo.ListItems(i).Text());
        }
        modPublic::AxialFanList.items = std::move(fans);
    });
}

void frmAxialFanDesign::cmdClose_Click() {
    closeSteps();
    platform::Forms::unload(*this);
}

void frmAxialFanDesign::optFanType1_Click() {
    const tools::FanTypeCaptions& captions = tools::CaptionsOf(optFanType1.Value());
    lbl1.setCaption(captions[0]);
    lbl2.setCaption(captions[1]);
    lbl3.setCaption(captions[2]);
    lbl4.setCaption(captions[3]);
}

void frmAxialFanDesign::optFanType2_Click() {
    optFanType1_Click();
}

// ---- Duct pieces ----

void frmAxialFanDesign::cmdUpdateSection_Click() {
    if (!pieceBoxes().UpdateRow()) {
        return;
    }
    // Only the shown fan is saved: a row edit never renames a fan of the list.
    SaveFile();
}

void frmAxialFanDesign::lstWallMaterial_Click() {
    const ventparam::WallMaterial* chosen = ventparam::WallMaterialAt(lstWallMaterial.ListIndex());
    if (chosen == nullptr) {
        return;
    }
    const ventparam::WallMaterial& material = *chosen;
    if (material.roughness) {
        txtSectionDelta.set(vb::CStr(*material.roughness));
    }
    // A λ that cannot be formed (no diameter, no roughness) is shown as none rather than as the old one.
    const auto lambda =
        ventparam::RoughWallFrictionFactor(vb::Val(txtSectionDelta.Text()), vb::Val(txtSectionD.Text()));
    txtlambdra.set(lambda ? vb::Format(*lambda, "0.000") : "");
    if (material.roughness) {
        ventparam::CloseWallMaterials(lstWallMaterial);
    }
}

// ---- Local losses ----

void frmAxialFanDesign::cmdUpdateZeta_Click() {
    if (!ventparam::UpdateRowOf(lstzeta, zetaBoxes())) {
        return;
    }
    SaveFile();
}

void frmAxialFanDesign::cmdZeta_Click() {
    frmZeta::ShowFor(txtzeta, nullptr);
}

void frmAxialFanDesign::udN_Change() {
    txtN.set(std::to_string(udN.Value()));
}

// ---- Calculation and report ----

std::vector<tools::AxialDuctRow> frmAxialFanDesign::ductRows(std::vector<int>* withoutLambda) {
    int index = 0;
    return ventparam::ReadDuctRows<tools::AxialDuctRow>(
        lstSection, [&](tools::AxialDuctRow& row, ListItem& item) {
            ++index;
            const std::string lambda = item.SubItems(6);
            if (tools::HasLeadingNumber(lambda) || row.Tapered) {
                row.Lambda = vb::Val(lambda);
                return;
            }
            // A blank λ is no frictionless duct: the row's roughness gives it, as choosing a wall would.
            if (const auto fromRoughness =
                    tools::AxialLambdaFromRoughness(vb::Val(item.SubItems(5)), row.Diameter)) {
                row.Lambda = *fromRoughness;
                row.LambdaFromRoughness = true;
            } else if (withoutLambda != nullptr) {
                withoutLambda->push_back(index);
            }
        });
}

double frmAxialFanDesign::GetSpeedAtPosition(double x) {
    return tools::AxialSpeedAtPosition(ductRows(nullptr), vb::Val(txtQ.Text()), x);
}

void frmAxialFanDesign::markRowsWithoutLambda(const std::vector<int>& rows) {
    ventparam::MarkRowsRed(lstSection, rows);
    if (rows.empty()) {
        lblDuctNote.setCaption("");
        return;
    }
    std::string named;
    for (const int row : rows) {
        named += (named.empty() ? "第" : "、第") + std::to_string(row) + "行";
    }
    lblDuctNote.setCaption(
        "沿程损失" + named +
        "直管段既无摩阻力λ也无可用的平均壁面粗糙度，其摩擦损失未能计入：本次计算结果不能作为设计依据。");
}

void frmAxialFanDesign::markLossesOutsideDuct(const std::vector<tools::AxialDuctRow>& rows) {
    const std::vector<int> outside =
        tools::AxialLossesOutsideDuct(rows, ventparam::ReadLocalLosses<tools::AxialLocalLoss>(lstzeta));
    ventparam::MarkRowsRed(lstzeta, outside);
    lblZetaNote.setCaption(tools::AxialOutsideDuctNote(rows, outside));
}

std::vector<tools::AxialFrictionUsed> frmAxialFanDesign::frictionFromRoughness() {
    const std::vector<tools::AxialDuctRow> rows = ductRows(nullptr);
    const double Q = vb::Val(txtQ.Text());
    const double rho = vb::Val(txtRHO.Text());
    std::vector<tools::AxialFrictionUsed> used;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].LambdaFromRoughness) {
            used.push_back({i, rows[i].Lambda, tools::AxialPieceLoss(rows, i, Q, rho, Tables)});
        }
    }
    return used;
}

void frmAxialFanDesign::calculate(bool quiet) {
    const double Q = vb::Val(txtQ.Text());
    const double rho = vb::Val(txtRHO.Text());
    const auto losses = ventparam::ReadLocalLosses<tools::AxialLocalLoss>(lstzeta);
    std::vector<int> withoutLambda;
    const std::vector<tools::AxialDuctRow> rows = ductRows(&withoutLambda);
    const double p_d = tools::AxialDuctLoss(rows, losses, Q, rho, Tables);
    txtp_d.set(vb::Format(p_d, "0.00"));
    markRowsWithoutLambda(withoutLambda);
    markLossesOutsideDuct(rows);

    // Each step reads the one before back from its two-decimal box. A step that cannot be formed leaves
    // no result, and none after it, so that no earlier figure passes for a result of these inputs.
    TextBox* const results[3] = {&txtp_tot, &txtSSkw, &txtMM};
    auto fail = [&](int from, const char* why) {
        for (int k = from; k < 3; ++k) {
            results[k]->set("");
        }
        if (!quiet) {
            platform::MsgBox(why, platform::vbExclamation, kCaption);
        }
    };
    const double Disc = vb::Val(txtDisc.Text());
    const auto p_tot = tools::AxialDesignPressure(vb::Val(txtv.Text()), rho, vb::Val(txtp_d.Text()),
                                                  vb::Val(txtp_s.Text()), Disc, optFanType1.Value());
    if (!p_tot) {
        fail(0, "多台风机并列运行效率损失不能为0或空，设计风压无法计算。");
        return;
    }
    txtp_tot.set(vb::Format(*p_tot, "0.00"));
    if (vb::Val(txtp_tot.Text()) < 0) {
        // The opening's pressure already drives the air this way: a power worked from a negative
        // pressure would read as a fan to buy.
        fail(1, "设计风压为负：风道在该方向不需要风机升压，不计算风机功率和电机功率。");
        return;
    }

    const double N = vb::Val(txtN.Text());
    const double t = vb::Val(txtt.Text());
    const double eta = vb::Val(txteta.Text());
    const auto Skw = tools::AxialShaftPower(Q, N, vb::Val(txtp_tot.Text()), t, vb::Val(txtP.Text()), eta);
    if (!Skw) {
        fail(1, N == 0     ? "风机数量不能为0或空，风机功率无法计算。"
                : eta == 0 ? "风机效率η不能为0或空，风机功率无法计算。"
                : t == 0   ? "环境温度t1不能为0或空，风机功率无法计算。"
                           : "风机功率无法计算。");
        return;
    }
    txtSSkw.set(vb::Format(*Skw, "0.00"));

    const auto M1 =
        tools::AxialMotorPower(vb::Val(txtSSkw.Text()), vb::Val(txtk.Text()), vb::Val(txtetam.Text()));
    if (!M1) {
        fail(2, "电机效率ηm不能为0或空，电机功率无法计算。");
        return;
    }
    txtMM.set(vb::Format(*M1, "0.00"));
}

void frmAxialFanDesign::cmdCalculate_Click() {
    guarded([this] { calculate(false); });
}

void frmAxialFanDesign::cmdReport_Click() {
    guarded([this] {
        const auto path = jetfan::ProjectOutputPath(tools::kAxialFanReportName, ".rpt");
        if (!path) {
            return;
        }
        std::vector<tools::AxialFanReportFan> fans;
        const int count = lstFanNo.ListItems.Count();
        for (int i = 1; i <= count; ++i) {
            lstFanNo_ItemClick(lstFanNo.ListItems(i));
            // Each fan is recalculated, so that its results belong to the inputs printed beside them.
            calculate(true);
            fans.push_back({txtFanNo.Text(), optFanType1.Value(), collect(), lblDuctNote.Caption(),
                            lblZetaNote.Caption(), frictionFromRoughness()});
        }
        if (count > 0) {
            // The highlighted fan is the one shown, so that "更新" renames the fan it shows.
            lstFanNo.select(count);
            SaveFile();
        }
        const std::string projectName = frmReq::ReportProjectName();
        jetfan::PublishSchemeText(*path, tools::AxialFanReportLines(projectName, fans), true, "计算书",
                                  kCaption);
    });
}

// ---- The main window's menu entry ----

void frmReq::mnuToolsmnuFanPowerAnalysis_Click() {
    platform::Forms::instance<frmAxialFanDesign>().ShowModal(this);
}

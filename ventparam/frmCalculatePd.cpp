// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/frmCalculatePd.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "ventparam/frmZeta.h"

#include <optional>
#include <string>

using app::guarded;
using platform::CommandButton;
using platform::Container;
using platform::ListItem;
using platform::TextBox;

namespace {

constexpr platform::Color kInputColor = platform::RGB(255, 255, 192);
constexpr int kBoxHeight = 300;
constexpr int kButtonHeight = 360;

struct WallMaterial {
    const char* entry;
    std::optional<double> roughness; ///< [mm]; none for a separator line
};

const WallMaterial kWallMaterials[9] = {
    {"混凝土壁面(抹平度良好)", 0.5},
    {"混凝土壁面(抹平度一般)", 2.5},
    {"混凝土壁面(粗糙)", 6},
    {"----------------------", std::nullopt},
    {"水泥浆壁面(抹平度良好)", 0.5},
    {"水泥浆壁面(抹平度一般)", 1.5},
    {"水泥浆壁面(粗糙)", 4.7},
    {"--------------------", std::nullopt},
    {"陶瓷贴面", 1.4},
};

void inputBox(TextBox& box, Container& parent, int left, int top, int width) {
    box.place(parent, left, top, width, kBoxHeight);
    box.setBackColor(kInputColor);
}

template <class Captioned>
void captioned(Captioned& control, Container& parent, const char* text, int left, int top, int width,
               int height) {
    control.place(parent, left, top, width, height);
    control.setCaption(text);
}

/// Copies the row text and the five cells of one piece row into another.
void copySectionRow(ListItem& from, ListItem& to) {
    to.setText(from.Text());
    for (int c = 1; c <= 5; ++c) {
        to.setSubItems(c, from.SubItems(c));
    }
}

} // namespace

frmCalculatePd::frmCalculatePd() {
    setCaption("风道压力损失计算");
    buildControls();
    connectEvents();
    txtRHO.setSilently("1.2");
}

void frmCalculatePd::label(Container& parent, const char* text, int left, int top, int width) {
    labels_.push_back(std::make_unique<platform::Label>());
    labels_.back()->place(parent, left, top + 30, width, kBoxHeight);
    labels_.back()->setCaption(text);
}

void frmCalculatePd::buildControls() {
    setWidth(9900);
    setHeight(8300);

    captioned(Frame6, *this, "基本参数", 120, 60, 9540, 720);
    label(Frame6, "流量(m^3/s):", 150, 300, 1300);
    inputBox(txtQ, Frame6, 1500, 300, 1500);
    label(Frame6, "空气密度(kg/m^3)", 3400, 300, 1700);
    inputBox(txtRHO, Frame6, 5200, 300, 1200);

    captioned(Frame1, *this, "沿程损失计算(含渐扩,渐缩管段)", 120, 900, 9540, 3700);
    label(Frame1, "区段长度(m):", 150, 300, 1300);
    inputBox(txtSectionPile, Frame1, 1500, 300, 1200);
    // The tapered-piece box has a row of its own: beside the length it would run under the list.
    captioned(chkKS, Frame1, "渐扩,减缩管段", 150, 660, 2400, kBoxHeight);
    captioned(frmSectionData, Frame1, "直管段断面参数", 150, 1020, 3600, 1860);
    label(frmSectionData, "面积(m^2):", 120, 300, 1900);
    inputBox(txtSectionArea, frmSectionData, 2050, 300, 1050);
    label(frmSectionData, "周长(m):", 120, 660, 1900);
    inputBox(txtSectionPerimeter, frmSectionData, 2050, 660, 1050);
    label(frmSectionData, "当量直径(m):", 120, 1020, 1900);
    txtSectionD.place(frmSectionData, 2050, 1020, 1050, kBoxHeight);
    label(frmSectionData, "平均壁面粗糙度(mm)", 120, 1380, 1900);
    inputBox(txtSectionDelta, frmSectionData, 2050, 1380, 1050);
    captioned(cmdSectionDelta, frmSectionData, "▼", 3120, 1380, 300, kBoxHeight);
    captioned(cmdAddSection, Frame1, "添加", 150, 3060, 820, kButtonHeight);
    captioned(cmdDeleteSection, Frame1, "删除", 1050, 3060, 820, kButtonHeight);
    captioned(cmdUpdateSection, Frame1, "更新", 1950, 3060, 820, kButtonHeight);
    captioned(cmdInsertSection, Frame1, "插入", 2850, 3060, 820, kButtonHeight);
    lstSection.place(Frame1, 3900, 300, 5500, 3250);
    lstSection.setGridLines(true);

    captioned(Frame2, *this, "局部损失计算", 120, 4700, 9540, 2400);
    label(Frame2, "位置(距起点长度)(m):", 150, 300, 1900);
    inputBox(txtzetapile, Frame2, 2100, 300, 1200);
    label(Frame2, "损失系数ξ:", 150, 690, 1900);
    inputBox(txtzeta, Frame2, 2100, 690, 1200);
    captioned(cmdZeta, Frame2, ">>", 3350, 690, 450, kBoxHeight);
    captioned(cmdAddZeta, Frame2, "添加", 150, 1200, 1000, kButtonHeight);
    captioned(cmdDeleteZeta, Frame2, "删除", 1300, 1200, 1000, kButtonHeight);
    captioned(cmdUpdateZeta, Frame2, "更新", 2450, 1200, 1000, kButtonHeight);
    lstzeta.place(Frame2, 3900, 300, 5500, 1950);
    lstzeta.setGridLines(true);

    captioned(cmdCalculate, *this, "计算", 120, 7250, 1200, kButtonHeight);
    label(*this, "总压力损失pde(Pa)", 1500, 7250, 1800);
    txtp_d.place(*this, 3350, 7250, 1500, kBoxHeight);
    captioned(cmdClose, *this, "完成", 8460, 7250, 1200, kButtonHeight);

    // Lies over the dialog below the "▼" button until it is asked for.
    lstWallMaterial.place(*this, 2320, 3600, 2900, 2300);
    for (const WallMaterial& m : kWallMaterials) {
        lstWallMaterial.AddItem(m.entry);
    }
    lstWallMaterial.setVisible(false);
}

void frmCalculatePd::connectEvents() {
    txtSectionArea.Change = [this] { txtSectionArea_Change(); };
    txtSectionPerimeter.Change = [this] { txtSectionPerimeter_Change(); };
    chkKS.Click = [this] { chkKS_Click(); };
    cmdSectionDelta.Click = [this] { cmdSectionDelta_Click(); };
    lstWallMaterial.Click = [this] { lstWallMaterial_Click(); };
    cmdAddSection.Click = [this] { cmdAddSection_Click(); };
    cmdInsertSection.Click = [this] { cmdInsertSection_Click(); };
    cmdUpdateSection.Click = [this] { cmdUpdateSection_Click(); };
    cmdDeleteSection.Click = [this] { cmdDeleteSection_Click(); };
    lstSection.ItemClick = [this](ListItem& item) { lstSection_ItemClick(item); };
    cmdAddZeta.Click = [this] { cmdAddZeta_Click(); };
    cmdUpdateZeta.Click = [this] { cmdUpdateZeta_Click(); };
    cmdDeleteZeta.Click = [this] { cmdDeleteZeta_Click(); };
    lstzeta.ItemClick = [this](ListItem& item) { lstzeta_ItemClick(item); };
    cmdZeta.Click = [this] { cmdZeta_Click(); };
    cmdCalculate.Click = [this] { cmdCalculate_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
}

void frmCalculatePd::Form_Load() {
    lstSection.ColumnHeaders.Clear();
    lstSection.ColumnHeaders.Add("区段长度(m)", 1200);
    lstSection.ColumnHeaders.Add("是否渐扩,渐缩段", 800);
    lstSection.ColumnHeaders.Add("面积(m^2)", 800);
    lstSection.ColumnHeaders.Add("周长(m)", 800);
    lstSection.ColumnHeaders.Add("当量直径(m)", 800);
    lstSection.ColumnHeaders.Add("平均壁面粗糙度(mm)", 800);
    lstzeta.ColumnHeaders.Clear();
    lstzeta.ColumnHeaders.Add("位置(距起点长度)(m)", 2000);
    lstzeta.ColumnHeaders.Add("损失系数ξ:", 1200);
    guarded([this] { modPublic::ReadTable("TabA03_1", DuctTables.TabA03_1); });
    guarded([this] { modPublic::ReadTable("TabA03_2", DuctTables.TabA03_2); });
    guarded([this] { modPublic::ReadTable("TabA03_3", DuctTables.TabA03_3); });
}

void frmCalculatePd::updateDiameter() {
    const auto d =
        ventparam::EquivalentDiameter(vb::Val(txtSectionArea.Text()), vb::Val(txtSectionPerimeter.Text()));
    if (d) {
        txtSectionD.set(vb::Format(*d, "0.000"));
    }
}

void frmCalculatePd::txtSectionArea_Change() {
    updateDiameter();
}

void frmCalculatePd::txtSectionPerimeter_Change() {
    updateDiameter();
}

void frmCalculatePd::chkKS_Click() {
    // A tapered piece has no section of its own: it takes its neighbours'.
    frmSectionData.setEnabled(chkKS.Value() != 1);
}

void frmCalculatePd::cmdSectionDelta_Click() {
    lstWallMaterial.setVisible(true);
}

void frmCalculatePd::lstWallMaterial_Click() {
    const int index = lstWallMaterial.ListIndex();
    if (index < 0 || index >= static_cast<int>(std::size(kWallMaterials)) ||
        !kWallMaterials[index].roughness) {
        return;
    }
    txtSectionDelta.set(vb::CStr(*kWallMaterials[index].roughness));
    lstWallMaterial.setVisible(false);
    // Nothing stays chosen, so that the same entry can be chosen again next time.
    lstWallMaterial.setListIndexSilently(-1);
}

void frmCalculatePd::fillSectionRow(ListItem& row) {
    row.setText(txtSectionPile.Text());
    row.setSubItems(1, std::to_string(chkKS.Value()));
    const bool tapered = chkKS.Value() == 1;
    row.setSubItems(2, tapered ? "" : txtSectionArea.Text());
    row.setSubItems(3, tapered ? "" : txtSectionPerimeter.Text());
    row.setSubItems(4, tapered ? "" : txtSectionD.Text());
    row.setSubItems(5, tapered ? "" : txtSectionDelta.Text());
}

void frmCalculatePd::cmdAddSection_Click() {
    fillSectionRow(lstSection.ListItems.Add());
}

void frmCalculatePd::cmdInsertSection_Click() {
    const int selected = lstSection.SelectedIndex();
    if (selected < 1) {
        return;
    }
    platform::ListItems& rows = lstSection.ListItems;
    rows.Add();
    for (int k = rows.Count(); k > selected; --k) {
        copySectionRow(rows(k - 1), rows(k));
    }
    fillSectionRow(rows(selected));
}

void frmCalculatePd::cmdUpdateSection_Click() {
    if (ListItem* row = lstSection.SelectedItem()) {
        fillSectionRow(*row);
    }
}

void frmCalculatePd::cmdDeleteSection_Click() {
    const int selected = lstSection.SelectedIndex();
    if (selected >= 1) {
        lstSection.ListItems.Remove(selected);
    }
}

void frmCalculatePd::lstSection_ItemClick(ListItem& item) {
    // Read everything first: the boxes' own events must not see a half-copied row.
    const std::string length = item.Text();
    const std::string cells[5] = {item.SubItems(1), item.SubItems(2), item.SubItems(3), item.SubItems(4),
                                  item.SubItems(5)};
    txtSectionPile.set(length);
    if (const auto value = vb::CInt(vb::Val(cells[0])); value && *value >= 0 && *value <= 2) {
        chkKS.set(*value);
    }
    txtSectionArea.set(cells[1]);
    txtSectionPerimeter.set(cells[2]);
    txtSectionD.set(cells[3]);
    txtSectionDelta.set(cells[4]);
}

void frmCalculatePd::cmdAddZeta_Click() {
    ListItem& row = lstzeta.ListItems.Add(txtzetapile.Text());
    row.setSubItems(1, txtzeta.Text());
}

void frmCalculatePd::cmdUpdateZeta_Click() {
    if (ListItem* row = lstzeta.SelectedItem()) {
        row->setText(txtzetapile.Text());
        row->setSubItems(1, txtzeta.Text());
    }
}

void frmCalculatePd::cmdDeleteZeta_Click() {
    const int selected = lstzeta.SelectedIndex();
    if (selected >= 1) {
        lstzeta.ListItems.Remove(selected);
    }
}

void frmCalculatePd::lstzeta_ItemClick(ListItem& item) {
    const std::string position = item.Text();
    const std::string zeta = item.SubItems(1);
    txtzetapile.set(position);
    txtzeta.set(zeta);
}

void frmCalculatePd::cmdZeta_Click() {
    frmZeta::ShowFor(txtzeta, this);
}

std::vector<ventparam::DuctPiece> frmCalculatePd::ductPieces() {
    std::vector<ventparam::DuctPiece> pieces;
    for (int i = 1; i <= lstSection.ListItems.Count(); ++i) {
        ListItem& row = lstSection.ListItems(i);
        ventparam::DuctPiece piece;
        piece.Length = vb::Val(row.Text());
        piece.Tapered = vb::Val(row.SubItems(1)) == 1;
        piece.Area = vb::Val(row.SubItems(2));
        piece.Diameter = vb::Val(row.SubItems(4));
        piece.Roughness = vb::Val(row.SubItems(5));
        piece.StrictArea = vb::StrictNumber(row.SubItems(2));
        piece.StrictDiameter = vb::StrictNumber(row.SubItems(4));
        pieces.push_back(piece);
    }
    return pieces;
}

void frmCalculatePd::cmdCalculate_Click() {
    guarded([this] {
        std::vector<ventparam::DuctLocalLoss> losses;
        for (int i = 1; i <= lstzeta.ListItems.Count(); ++i) {
            ListItem& row = lstzeta.ListItems(i);
            losses.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1))});
        }
        const double total = ventparam::DuctPressureLoss(ductPieces(), losses, vb::Val(txtQ.Text()),
                                                         vb::Val(txtRHO.Text()), DuctTables);
        txtp_d.set(vb::Format(total, "0.00"));
    });
}

void frmCalculatePd::cmdClose_Click() {
    Hide();
}

bool frmCalculatePd::ShowFor(platform::TextBox& target, platform::Form* owner) {
    platform::Forms::instance<frmCalculatePd>().ShowModal(owner);
    // Closed with its close box, the dialog is gone and has nothing to give.
    if (!platform::Forms::isLoaded<frmCalculatePd>()) {
        return false;
    }
    const std::string text = platform::Forms::instance<frmCalculatePd>().txtp_d.Text();
    platform::Forms::unload<frmCalculatePd>();
    if (text.empty()) {
        return false;
    }
    target.set(text);
    return true;
}

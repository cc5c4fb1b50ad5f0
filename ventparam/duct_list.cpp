// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/duct_list.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/MsgBox.h"
#include "ventparam/loss_coefficients.h"

#include <algorithm>
#include <string>
#include <utility>

using platform::ListItem;
using platform::TextBox;

namespace ventparam {

namespace {

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

void copyRow(ListItem& from, ListItem& to, int cells) {
    to.setText(from.Text());
    for (int c = 1; c <= cells; ++c) {
        to.setSubItems(c, from.SubItems(c));
    }
}

} // namespace

std::span<const WallMaterial> WallMaterials() {
    return kWallMaterials;
}

void FillWallMaterials(platform::ListBox& list) {
    for (const WallMaterial& m : kWallMaterials) {
        list.AddItem(m.entry);
    }
}

const WallMaterial* WallMaterialAt(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kWallMaterials))) {
        return nullptr;
    }
    return &kWallMaterials[index];
}

void CloseWallMaterials(platform::ListBox& list) {
    list.setVisible(false);
    list.setListIndexSilently(-1);
}

void DuctPieceBoxes::FillRow(ListItem& row) const {
    row.setText(length.Text());
    row.setSubItems(1, std::to_string(tapered.Value()));
    const bool isTapered = tapered.Value() == 1;
    int cell = 2;
    for (TextBox* box : {&area, &perimeter, &diameter, &roughness}) {
        row.setSubItems(cell++, isTapered ? "" : box->Text());
    }
    for (TextBox* box : more) {
        row.setSubItems(cell++, isTapered ? "" : box->Text());
    }
}

void DuctPieceBoxes::AddRow() const {
    FillRow(list.ListItems.Add());
}

void DuctPieceBoxes::InsertRow() const {
    const int selected = list.SelectedIndex();
    if (selected < 1) {
        return;
    }
    platform::ListItems& rows = list.ListItems;
    rows.Add();
    for (int k = rows.Count(); k > selected; --k) {
        copyRow(rows(k - 1), rows(k), Cells());
    }
    FillRow(rows(selected));
}

bool DuctPieceBoxes::UpdateRow() const {
    ListItem* row = list.SelectedItem();
    if (row == nullptr) {
        return false;
    }
    FillRow(*row);
    return true;
}

void DuctPieceBoxes::ShowRow(ListItem& item) const {
    // Read everything first: the boxes' own events must not see a half-copied row.
    const std::string text = item.Text();
    std::vector<std::string> cells;
    for (int c = 1; c <= Cells(); ++c) {
        cells.push_back(item.SubItems(c));
    }
    length.set(text);
    if (const auto value = vb::CInt(vb::Val(cells[0])); value && *value >= 0 && *value <= 2) {
        tapered.set(*value);
    }
    std::size_t cell = 1;
    for (TextBox* box : {&area, &perimeter, &diameter, &roughness}) {
        box->set(cells[cell++]);
    }
    for (TextBox* box : more) {
        box->set(cells[cell++]);
    }
}

void DuctPieceBoxes::UpdateDiameter() const {
    const auto d = EquivalentDiameter(vb::Val(area.Text()), vb::Val(perimeter.Text()));
    if (d) {
        diameter.set(vb::Format(*d, "0.000"));
    }
}

void RemoveSelectedRow(platform::ListView& list) {
    const int selected = list.SelectedIndex();
    if (selected >= 1) {
        list.ListItems.Remove(selected);
    }
}

void AddRowOf(platform::ListView& list, const std::vector<TextBox*>& boxes) {
    auto box = boxes.begin();
    ListItem& row = list.ListItems.Add((*box)->Text());
    int cell = 1;
    for (++box; box != boxes.end(); ++box) {
        row.setSubItems(cell++, (*box)->Text());
    }
}

bool UpdateRowOf(platform::ListView& list, const std::vector<TextBox*>& boxes) {
    ListItem* row = list.SelectedItem();
    if (row == nullptr) {
        return false;
    }
    auto box = boxes.begin();
    row->setText((*box)->Text());
    int cell = 1;
    for (++box; box != boxes.end(); ++box) {
        row->setSubItems(cell++, (*box)->Text());
    }
    return true;
}

void ShowRowIn(ListItem& item, const std::vector<TextBox*>& boxes) {
    // Read everything first: the boxes' own events must not see a half-copied row.
    std::vector<std::string> texts{item.Text()};
    for (int c = 1; c < static_cast<int>(boxes.size()); ++c) {
        texts.push_back(item.SubItems(c));
    }
    std::size_t k = 0;
    for (TextBox* box : boxes) {
        box->set(texts[k++]);
    }
}

DuctEditor::DuctEditor(std::vector<TextBox*> morePieceCells, std::vector<TextBox*> moreZetaCells)
    : morePieceCells_(std::move(morePieceCells)), moreZetaCells_(std::move(moreZetaCells)) {}

void DuctEditor::connectDuctEditor() {
    platform::Connect(txtSectionArea.Change, this, &DuctEditor::txtSectionArea_Change);
    platform::Connect(txtSectionPerimeter.Change, this, &DuctEditor::txtSectionPerimeter_Change);
    platform::Connect(chkKS.Click, this, &DuctEditor::chkKS_Click);
    platform::Connect(cmdSectionDelta.Click, this, &DuctEditor::cmdSectionDelta_Click);
    platform::Connect(cmdAddSection.Click, this, &DuctEditor::cmdAddSection_Click);
    platform::Connect(cmdInsertSection.Click, this, &DuctEditor::cmdInsertSection_Click);
    platform::Connect(cmdDeleteSection.Click, this, &DuctEditor::cmdDeleteSection_Click);
    platform::Connect(lstSection.ItemClick, this, &DuctEditor::lstSection_ItemClick);
    platform::Connect(cmdAddZeta.Click, this, &DuctEditor::cmdAddZeta_Click);
    platform::Connect(cmdDeleteZeta.Click, this, &DuctEditor::cmdDeleteZeta_Click);
    platform::Connect(lstzeta.ItemClick, this, &DuctEditor::lstzeta_ItemClick);
    platform::Connect(cmdUpdateSection.Click, this, &DuctEditor::cmdUpdateSection_Click);
    platform::Connect(cmdUpdateZeta.Click, this, &DuctEditor::cmdUpdateZeta_Click);
    platform::Connect(lstWallMaterial.Click, this, &DuctEditor::lstWallMaterial_Click);
    platform::Connect(cmdZeta.Click, this, &DuctEditor::cmdZeta_Click);
}

void DuctEditor::loadDuctEditor(std::span<const platform::Layout::Heading> pieceHeads, DuctTables& tables) {
    platform::Layout::headings(lstSection, pieceHeads);
    platform::Layout::headings(lstzeta, {{"位置(距起点长度)(m)", 2000}, {"损失系数ξ:", 1200}});
    app::guarded([&] { modPublic::ReadTable("TabA03_1", tables.TabA03_1); });
    app::guarded([&] { modPublic::ReadTable("TabA03_2", tables.TabA03_2); });
    app::guarded([&] { modPublic::ReadTable("TabA03_3", tables.TabA03_3); });
}

DuctPieceBoxes DuctEditor::pieceBoxes() {
    return {lstSection,          txtSectionPile, chkKS,           txtSectionArea,
            txtSectionPerimeter, txtSectionD,    txtSectionDelta, morePieceCells_};
}

std::vector<TextBox*> DuctEditor::zetaBoxes() {
    std::vector<TextBox*> boxes{&txtzetapile, &txtzeta};
    boxes.insert(boxes.end(), moreZetaCells_.begin(), moreZetaCells_.end());
    return boxes;
}

void DuctEditor::txtSectionArea_Change() {
    pieceBoxes().UpdateDiameter();
}

void DuctEditor::txtSectionPerimeter_Change() {
    pieceBoxes().UpdateDiameter();
}

void DuctEditor::chkKS_Click() {
    // A tapered piece has no section of its own: it takes its neighbours'.
    frmSectionData.setEnabled(chkKS.Value() != 1);
}

void DuctEditor::cmdSectionDelta_Click() {
    lstWallMaterial.setVisible(true);
}

bool DuctEditor::roomIn(const platform::ListView& list, const char* what) const {
    return rowLimit_ <= 0 || platform::RoomForAnotherRow(list.ListItems.Count(), rowLimit_, what);
}

void DuctEditor::cmdAddSection_Click() {
    if (roomIn(lstSection, "风道分段")) {
        pieceBoxes().AddRow();
    }
}

void DuctEditor::cmdInsertSection_Click() {
    if (roomIn(lstSection, "风道分段")) {
        pieceBoxes().InsertRow();
    }
}

void DuctEditor::cmdDeleteSection_Click() {
    RemoveSelectedRow(lstSection);
}

void DuctEditor::lstSection_ItemClick(ListItem& item) {
    pieceBoxes().ShowRow(item);
}

void DuctEditor::cmdAddZeta_Click() {
    if (roomIn(lstzeta, "局部损失")) {
        AddRowOf(lstzeta, zetaBoxes());
    }
}

void DuctEditor::cmdDeleteZeta_Click() {
    RemoveSelectedRow(lstzeta);
}

void DuctEditor::lstzeta_ItemClick(ListItem& item) {
    ShowRowIn(item, zetaBoxes());
}

void DuctEditor::cmdUpdateSection_Click() {
    pieceBoxes().UpdateRow();
}

void DuctEditor::cmdUpdateZeta_Click() {
    UpdateRowOf(lstzeta, zetaBoxes());
}

void DuctEditor::lstWallMaterial_Click() {
    const WallMaterial* material = WallMaterialAt(lstWallMaterial.ListIndex());
    if (material == nullptr || !material->roughness) {
        return;
    }
    txtSectionDelta.set(vb::CStr(*material->roughness));
    CloseWallMaterials(lstWallMaterial);
}

void MarkRowsRed(platform::ListView& list, const std::vector<int>& rows) {
    // One pass over the rows: a long list with many rows marked must not cost rows × marked lookups.
    const int count = list.ListItems.Count();
    std::vector<bool> red(static_cast<std::size_t>(count) + 1, false);
    for (const int row : rows) {
        if (row >= 1 && row <= count) {
            red[static_cast<std::size_t>(row)] = true;
        }
    }
    for (int i = 1; i <= count; ++i) {
        list.ListItems(i).setForeColor(red[static_cast<std::size_t>(i)] ? platform::vbRed
                                                                        : platform::vbWindowText);
    }
}

} // namespace ventparam

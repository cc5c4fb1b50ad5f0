// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"
#include "platform/layout.h"
#include "platform/vb.h"

#include <optional>
#include <span>
#include <vector>

/// The duct-piece and local-loss lists that the duct-loss dialog and the axial-fan window share: the row
/// editing over their boxes, the wall-material list and the reading of the rows for the loss calculation.
namespace ventparam {

struct DuctTables;

/// One entry of the wall-material list beside the roughness box.
struct WallMaterial {
    const char* entry;
    std::optional<double> roughness; ///< [mm]; none for a separator line
};

/// The wall materials in list order.
std::span<const WallMaterial> WallMaterials();

/// Fills `list` with the wall-material entries.
void FillWallMaterials(platform::ListBox& list);

/// The material at 0-based list position `index`; nullptr outside the list.
const WallMaterial* WallMaterialAt(int index);

/// Hides the wall-material list with nothing chosen, so that the same entry can be chosen again next time.
void CloseWallMaterials(platform::ListBox& list);

/// The boxes of one duct-piece row: its length, the tapered box, the four section cells and after them the
/// window's own further cells (empty, like the section cells, on a tapered piece).
struct DuctPieceBoxes {
    platform::ListView& list;
    platform::TextBox& length;
    platform::CheckBox& tapered;
    platform::TextBox& area;
    platform::TextBox& perimeter;
    platform::TextBox& diameter;
    platform::TextBox& roughness;
    std::vector<platform::TextBox*> more;

    /// The cells after the length.
    int Cells() const { return 5 + static_cast<int>(more.size()); }
    /// Writes the boxes into `row`.
    void FillRow(platform::ListItem& row) const;
    /// Appends a row of the boxes.
    void AddRow() const;
    /// Puts a row of the boxes in place of the selected one, which moves down with those after it.
    void InsertRow() const;
    /// Writes the boxes into the selected row; false when the list has none.
    bool UpdateRow() const;
    /// Shows `item` in the boxes; a tapered cell outside 0 to 2 leaves the tapered box as it is.
    void ShowRow(platform::ListItem& item) const;
    /// Shows the equivalent diameter of the area and perimeter as typed, when it can be formed.
    void UpdateDiameter() const;
};

/// Removes the selected row of `list`, when there is one.
void RemoveSelectedRow(platform::ListView& list);

/// Appends a row of the texts of `boxes`: the first as the row text, the others as its cells.
void AddRowOf(platform::ListView& list, const std::vector<platform::TextBox*>& boxes);

/// Writes the texts of `boxes` into the selected row as AddRowOf does; false when the list has none.
bool UpdateRowOf(platform::ListView& list, const std::vector<platform::TextBox*>& boxes);

/// Shows the row text and cells of `item` in `boxes`, in the order AddRowOf writes them.
void ShowRowIn(platform::ListItem& item, const std::vector<platform::TextBox*>& boxes);

/// The piece rows of `list` as the loss calculation reads them: length, tapered, area and diameter (with
/// their strict readings for a tapered neighbour) from the shared cells; `more` reads the row's own.
template <class Row, class More> std::vector<Row> ReadDuctRows(platform::ListView& list, More more) {
    std::vector<Row> rows;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        platform::ListItem& item = list.ListItems(i);
        Row row;
        row.Length = vb::Val(item.Text());
        row.Tapered = vb::Val(item.SubItems(1)) == 1;
        row.Area = vb::Val(item.SubItems(2));
        row.Diameter = vb::Val(item.SubItems(4));
        more(row, item);
        row.StrictArea = vb::StrictNumber(item.SubItems(2));
        row.StrictDiameter = vb::StrictNumber(item.SubItems(4));
        rows.push_back(row);
    }
    return rows;
}

/// The editors of a duct's piece list and local-loss list that the duct-loss dialog and the axial-fan window
/// share: their controls under the windows' names and the handlers that work alike in both. A window
/// derives from it beside platform::Form, places the controls, wires them with connectDuctEditor and
/// overrides what it does otherwise (the ξ dialog always).
class DuctEditor {
public:
    platform::TextBox txtSectionPile;
    platform::CheckBox chkKS;
    platform::Frame frmSectionData;
    platform::TextBox txtSectionArea;
    platform::TextBox txtSectionPerimeter;
    platform::TextBox txtSectionD;
    platform::TextBox txtSectionDelta;
    platform::CommandButton cmdSectionDelta;
    platform::CommandButton cmdAddSection, cmdInsertSection, cmdUpdateSection, cmdDeleteSection;
    platform::ListView lstSection;
    platform::ListBox lstWallMaterial;

    platform::TextBox txtzetapile;
    platform::TextBox txtzeta;
    platform::CommandButton cmdZeta;
    platform::CommandButton cmdAddZeta, cmdUpdateZeta, cmdDeleteZeta;
    platform::ListView lstzeta;

    void txtSectionArea_Change();
    void txtSectionPerimeter_Change();
    void chkKS_Click();
    void cmdSectionDelta_Click();
    void cmdAddSection_Click();
    void cmdInsertSection_Click();
    void cmdDeleteSection_Click();
    void lstSection_ItemClick(platform::ListItem& item);
    void cmdAddZeta_Click();
    void cmdDeleteZeta_Click();
    void lstzeta_ItemClick(platform::ListItem& item);
    /// Writes the piece in the editor into the selected row.
    virtual void cmdUpdateSection_Click();
    /// Writes the loss in the editor into the selected row.
    virtual void cmdUpdateZeta_Click();
    /// Puts the chosen material's roughness into its box and closes the list; a separator does nothing.
    virtual void lstWallMaterial_Click();
    /// Opens the ξ dialog over the window for txtzeta.
    virtual void cmdZeta_Click() = 0;

protected:
    /// `morePieceCells` follow the section cells of a piece row, `moreZetaCells` the ξ cell of a loss row.
    DuctEditor(std::vector<platform::TextBox*> morePieceCells, std::vector<platform::TextBox*> moreZetaCells);
    ~DuctEditor() = default;
    DuctEditor(const DuctEditor&) = delete;
    DuctEditor& operator=(const DuctEditor&) = delete;

    void connectDuctEditor();
    /// Heads the piece list with `pieceHeads` (length, tapered, the four section cells, then the window's
    /// own cells) and the loss list with position and ξ; reads the tables of tapered pieces into `tables`.
    void loadDuctEditor(std::span<const platform::Layout::Heading> pieceHeads, DuctTables& tables);
    DuctPieceBoxes pieceBoxes();
    /// The boxes of a loss row in row order: position, ξ, then the window's own.
    std::vector<platform::TextBox*> zetaBoxes();
    /// The most rows each list may hold, for a window whose file reads no more; none by default.
    void limitRows(long long rows) { rowLimit_ = rows; }

private:
    /// Whether `list` (named `what`) may take another row.
    bool roomIn(const platform::ListView& list, const char* what) const;

    long long rowLimit_ = 0;
    std::vector<platform::TextBox*> morePieceCells_;
    std::vector<platform::TextBox*> moreZetaCells_;
};

/// Colours the 1-based `rows` of `list` red and every other row in the window's text colour.
void MarkRowsRed(platform::ListView& list, const std::vector<int>& rows);

/// The local losses of `list`: the position as the row text and ξ in the first cell.
template <class Loss> std::vector<Loss> ReadLocalLosses(platform::ListView& list) {
    std::vector<Loss> losses;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        platform::ListItem& row = list.ListItems(i);
        losses.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1))});
    }
    return losses;
}

} // namespace ventparam

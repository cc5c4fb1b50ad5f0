// SPDX-License-Identifier: GPL-3.0-or-later
// Page 2 (slopes, cross-sections, the segment table) and the congestion-block list of page 6.
#include "app/frmReq.h"
#include "app/geometry.h"

#include "platform/vb.h"
#include "reqair/stretch_demand.h"
#include "ventparam/station_lookup.h"

#include <string>
#include <vector>

using platform::ListItem;

namespace {

// The station lists keep what the user typed: nothing is validated, sorted or selected here; every reader
// converts the cells as it needs them.
void appendRow(platform::ListView& list, const std::vector<std::string>& cells) {
    ListItem& row = list.ListItems.Add(cells.front());
    for (std::size_t i = 1; i < cells.size(); ++i) {
        row.setSubItems(static_cast<int>(i), cells[i]);
    }
}

void updateSelectedRow(platform::ListView& list, const std::vector<std::string>& cells) {
    ListItem* row = list.SelectedItem();
    if (row == nullptr) {
        return;
    }
    row->setText(cells.front());
    for (std::size_t i = 1; i < cells.size(); ++i) {
        row->setSubItems(static_cast<int>(i), cells[i]);
    }
}

void deleteSelectedRow(platform::ListView& list) {
    const int index = list.SelectedIndex();
    if (index < 1) {
        return;
    }
    list.ListItems.Remove(index);
}

} // namespace

void frmReq::lstSlope_ItemClick(ListItem& Item) {
    txtSlopePile.set(Item.Text());
    txtSlopeRatio.set(Item.SubItems(1));
}

void frmReq::showTunnelLengthWarning() {
    const std::string text = app::tunnel_length_warning(GetTunnelLength());
    lblTunnelLength.setCaption(text);
    lblTunnelLength.setVisible(!text.empty());
}

void frmReq::cmdAddSlope_Click() {
    dropLists();
    appendRow(lstSlope, {txtSlopePile.Text(), txtSlopeRatio.Text()});
    showTunnelLengthWarning();
}

void frmReq::cmdDeleteSlope_Click() {
    dropLists();
    deleteSelectedRow(lstSlope);
    showTunnelLengthWarning();
}

void frmReq::cmdUpdateSlope_Click() {
    dropLists();
    updateSelectedRow(lstSlope, {txtSlopePile.Text(), txtSlopeRatio.Text()});
    showTunnelLengthWarning();
}

void frmReq::lstSection_ItemClick(ListItem& Item) {
    txtSectionPile.set(Item.Text());
    // Area and perimeter each recompute the diameter box; the row's own diameter is written last, so a
    // diameter the user entered by hand survives the click.
    txtSectionArea.set(Item.SubItems(1));
    txtSectionPerimeter.set(Item.SubItems(2));
    txtSectionD.set(Item.SubItems(3));
}

void frmReq::cmdAddSection_Click() {
    dropLists();
    appendRow(lstSection,
              {txtSectionPile.Text(), txtSectionArea.Text(), txtSectionPerimeter.Text(), txtSectionD.Text()});
}

void frmReq::cmdDeleteSection_Click() {
    dropLists();
    deleteSelectedRow(lstSection);
}

void frmReq::cmdUpdateSection_Click() {
    dropLists();
    updateSelectedRow(lstSection, {txtSectionPile.Text(), txtSectionArea.Text(), txtSectionPerimeter.Text(),
                                   txtSectionD.Text()});
}

void frmReq::txtSectionArea_Change() {
    // Without a perimeter there is no diameter: the box is emptied rather than left showing the diameter
    // of the section edited before, which "添加" would otherwise store with the new row.
    txtSectionD.set(app::equivalent_diameter_text(txtSectionArea.Text(), txtSectionPerimeter.Text()));
}

void frmReq::txtSectionPerimeter_Change() {
    txtSectionArea_Change();
}

void frmReq::dropLists() {
    heldLayout_.reset();
    heldStations_.reset();
    heldDemands_.reset();
}

void frmReq::cmdRefreshSegment_Click() {
    app::SegmentTableInput in;
    in.StartPile = txtStartPile.Text();
    for (int i = 1; i <= lstSlope.ListItems.Count(); ++i) {
        ListItem& row = lstSlope.ListItems(i);
        in.Slopes.push_back({row.Text(), row.SubItems(1)});
    }
    for (int i = 1; i <= lstSection.ListItems.Count(); ++i) {
        ListItem& row = lstSection.ListItems(i);
        in.Sections.push_back({row.Text(), row.SubItems(1), row.SubItems(2), row.SubItems(3)});
    }
    in.DesignSpeed = cmbvt.Text();
    in.LeftLine = optLeftLine.Value();

    const std::vector<app::SegmentRowTexts> rows = app::build_segment_table(in);
    lstSegment.ListItems.Clear();
    for (const app::SegmentRowTexts& cells : rows) {
        appendRow(lstSegment, std::vector<std::string>(cells.begin(), cells.end()));
    }
}

void frmReq::lstblock_ItemClick(ListItem& Item) {
    txtBlockLen.set(Item.Text());
    txtBlockVt.setText(Item.SubItems(1));
    txtQQreq_CO_block.set(Item.SubItems(2));
    txtQQreq_VI_block.set(Item.SubItems(3));
    blockEditorRow_ = Item.Index();
}

void frmReq::cmdAddBlock_Click() {
    dropLists();
    // The demand columns are the congestion demand's to fill.
    appendRow(lstBlock, {txtBlockLen.Text(), txtBlockVt.Text()});
    blockEditorRow_ = lstBlock.ListItems.Count();
    blockRowsChanged();
    showBlockEditorDemand();
}

void frmReq::cmdDeleteBlock_Click() {
    dropLists();
    blockEditorRowRemoved(lstBlock.SelectedIndex());
    deleteSelectedRow(lstBlock);
    blockRowsChanged();
    showBlockEditorDemand();
}

void frmReq::cmdUpdateBlock_Click() {
    dropLists();
    // Only length and speed belong to the user; the demand columns keep their figures until the demand runs.
    updateSelectedRow(lstBlock, {txtBlockLen.Text(), txtBlockVt.Text()});
    blockEditorRow_ = lstBlock.SelectedIndex() > 0 ? lstBlock.SelectedIndex() : blockEditorRow_;
    blockRowsChanged();
    showBlockEditorDemand();
}

void frmReq::blockRowsChanged() {
    // The page's totals and its warning speak of the rows on it, not of those the demand last ran on.
    if (!recomputeOpenPage(6)) {
        showPage6Warning();
    }
}

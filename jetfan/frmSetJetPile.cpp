// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/frmSetJetPile.h"

#include "jetfan/jet_layout.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"

frmSetJetPile::frmSetJetPile() {
    platform::Layout::window(*this, "设置风机桩号", 6300, 3900);
    buildControls();
    connectEvents();
    txtJetNumPerTeam.setSilently("2");
    txtTeamNum1.setSilently("");
    txtSpan1.setSilently("150");
    txtTeamNum2.setSilently("");
    txtSpan2.setSilently("150");
    txtDist1.setSilently("200");
    txtDist2.setSilently("200");
}

void frmSetJetPile::buildControls() {
    using platform::Layout;
    const Layout::Column rows{
        .left = 120, .labelWidth = 2580, .boxWidth = 900, .pitch = 420, .boxHeight = 315, .labelDrop = 40};
    const Layout::Column spans = rows.at(3780, 1020, 900);
    // Row by row, each end's spacing on its count's row right after the count, so that Tab meets them
    // in that order.
    const struct {
        const char* caption;
        platform::TextBox* box;
        platform::TextBox* span;
    } lines[] = {{"每组风机台数:", &txtJetNumPerTeam, nullptr},
                 {"进口段风机组数:", &txtTeamNum1, &txtSpan1},
                 {"出口段风机组数:", &txtTeamNum2, &txtSpan2},
                 {"第一组风机距进洞口距离(m):", &txtDist1, nullptr},
                 {"最后一组风机距出洞口距离(m):", &txtDist2, nullptr}};
    int bottom = 180;
    for (const auto& line : lines) {
        const int top = bottom;
        bottom = layout_.column(*this, rows, top, {{line.caption, line.box}});
        if (line.span != nullptr) {
            layout_.column(*this, spans, top, {{"间距(m):", line.span}});
        }
    }
    Layout::buttons(*this, 2100, bottom + 120, 1100, 400, 300, {{&ccmdOK, "布置"}, {&ccmdCancel, "取消"}});
}

void frmSetJetPile::connectEvents() {
    platform::Layout::entries({.numbers = {&txtJetNumPerTeam, &txtTeamNum1, &txtSpan1, &txtTeamNum2,
                                           &txtSpan2, &txtDist1, &txtDist2}});
    platform::Connect(ccmdOK.Click, this, &frmSetJetPile::ccmdOK_Click);
    platform::Connect(ccmdCancel.Click, this, &frmSetJetPile::ccmdCancel_Click);
}

void frmSetJetPile::ccmdOK_Click() {
    // A count beyond the limit is refused here, and the dialog stays open to correct it.
    for (const platform::TextBox* count : {&txtTeamNum1, &txtTeamNum2}) {
        if (!platform::CountWithinLimit(jetfan::AskedCount(vb::Val(count->Text())),
                                        jetfan::kMaxGroupsPerSection, "射流风机组")) {
            return;
        }
    }
    bIsCancel = false;
    Hide();
}

void frmSetJetPile::ccmdCancel_Click() {
    bIsCancel = true;
    Hide();
}

void frmSetJetPile::Form_QueryUnload(int& cancel, int unloadMode) {
    // The close box is a cancel: the dialog stays loaded, hidden, so that the caller reads the flag.
    if (unloadMode == platform::vbFormControlMenu) {
        bIsCancel = true;
        cancel = 1;
        Hide();
    }
}

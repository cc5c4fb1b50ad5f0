// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/frmSetJetPile.h"

#include "jetfan/jet_layout.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"

frmSetJetPile::frmSetJetPile() {
    setCaption("设置风机桩号");
    setWidth(6300);
    setHeight(3900);
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

frmSetJetPile::~frmSetJetPile() = default;

void frmSetJetPile::buildControls() {
    const int labelLeft = 120, boxLeft = 2700, boxWidth = 900, rowHeight = 420;
    int top = 180;
    caption("每组风机台数:", labelLeft, top + 40, 2500);
    txtJetNumPerTeam.place(*this, boxLeft, top, boxWidth, 315);
    top += rowHeight;
    caption("进口段风机组数:", labelLeft, top + 40, 2500);
    txtTeamNum1.place(*this, boxLeft, top, boxWidth, 315);
    caption("间距(m):", 3780, top + 40, 1000);
    txtSpan1.place(*this, 4800, top, boxWidth, 315);
    top += rowHeight;
    caption("出口段风机组数:", labelLeft, top + 40, 2500);
    txtTeamNum2.place(*this, boxLeft, top, boxWidth, 315);
    caption("间距(m):", 3780, top + 40, 1000);
    txtSpan2.place(*this, 4800, top, boxWidth, 315);
    top += rowHeight;
    caption("第一组风机距进洞口距离(m):", labelLeft, top + 40, 2500);
    txtDist1.place(*this, boxLeft, top, boxWidth, 315);
    top += rowHeight;
    caption("最后一组风机距出洞口距离(m):", labelLeft, top + 40, 2500);
    txtDist2.place(*this, boxLeft, top, boxWidth, 315);
    top += rowHeight + 120;
    ccmdOK.place(*this, 2100, top, 1100, 400);
    ccmdOK.setCaption("布置");
    ccmdCancel.place(*this, 3500, top, 1100, 400);
    ccmdCancel.setCaption("取消");
}

void frmSetJetPile::connectEvents() {
    ccmdOK.Click = [this] { ccmdOK_Click(); };
    ccmdCancel.Click = [this] { ccmdCancel_Click(); };
}

platform::Label& frmSetJetPile::caption(const std::string& text, int left, int top, int width, int height) {
    captions_.push_back(std::make_unique<platform::Label>());
    platform::Label& label = *captions_.back();
    label.place(*this, left, top, width, height);
    label.setCaption(text);
    return label;
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

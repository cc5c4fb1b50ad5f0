// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"

/// The settings of an automatic jet-fan layout: fans per group, number and spacing of the groups from
/// either end, and the distances of the first and last group from the portals. The caller shows it
/// modally, reads `bIsCancel` and the boxes once it is hidden, and then unloads it, so that every opening
/// starts from the initial texts.
class frmSetJetPile : public platform::Form {
public:
    frmSetJetPile();

    /// False only after "布置": closing the dialog any other way lays nothing out, so that the groups
    /// already in the caller's list are never lost by dismissing the dialog.
    bool bIsCancel = true;

    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void ccmdOK_Click();
    void ccmdCancel_Click();

    platform::TextBox txtJetNumPerTeam, txtTeamNum1, txtSpan1, txtTeamNum2, txtSpan2, txtDist1, txtDist2;
    platform::CommandButton ccmdOK, ccmdCancel;

private:
    void buildControls();
    void connectEvents();
    platform::Layout layout_;
};

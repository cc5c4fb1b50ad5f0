// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"

/// Lays out evenly spaced jet-fan groups in one ventilation section of the several-shafts window at a
/// time: the section is chosen by its row number, the dialog shows where traffic enters it and proposes
/// a number of groups from the fans it needs; "布置" adds the groups through the window's entry boxes and
/// its "添加", and leaves the dialog open for the next section. "完成" or the close box ends it; neither
/// adds anything. The window shows it modally and unloads it.
class frmSetMSJetPile : public platform::UserForm {
public:
    frmSetMSJetPile();

    void UserForm_Initialize() override;
    void cmbSectionNo_Change();
    void txtJetNumPerTeam_Change();
    void ccmdOK_Click();
    void ccmdCancel_Click();

    platform::ComboBox cmbSectionNo;
    platform::TextBox txtSectionStartPile, txtJetNumPerTeam, txtTeamNum, txtSpan, txtDist;
    platform::CommandButton ccmdOK, ccmdCancel;

private:
    void buildControls();
    void connectEvents();
    /// Selects section row r of the window and shows it there; false when the list has no row r.
    bool showSection(int r);
    platform::Layout layout_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "ventparam/loss_coefficients.h"

/// The local loss coefficient of one duct or tunnel fitting, computed from its geometry. A modal dialog
/// shared by step 2, the duct pressure loss dialog and the axial-fan design window; each use loads it anew.
class frmZeta : public platform::Form {
public:
    frmZeta();

    /// The whole exchange with a caller: shows the dialog modally over `owner`, copies its coefficient
    /// into `target` and unloads it. The caller's box keeps its text when the dialog was closed with the
    /// close box or left with "OK" before anything was computed. True when `target` was written.
    static bool ShowFor(platform::TextBox& target, platform::Form* owner);

    platform::ListBox lstZetaType;
    platform::ControlArray<platform::Frame> frmZetaType;
    platform::ControlArray<platform::TextBox> txtD;
    platform::ControlArray<platform::TextBox> txtr;
    platform::ControlArray<platform::TextBox> txttheta;
    platform::ControlArray<platform::TextBox> txtVaneNum;
    platform::ControlArray<platform::ComboBox> lstVaneType;
    platform::ControlArray<platform::TextBox> txtRe;
    platform::ControlArray<platform::TextBox> txtAreaRatio;
    platform::TextBox txtDelta;
    platform::TextBox txtt1;
    platform::OptionButton optZhuanwan1, optZhuanwan2;
    platform::OptionButton optRK1, optRK2;
    platform::OptionButton optGS1, optGS2;
    platform::TextBox txtzeta;
    platform::CommandButton cmdCalculate;
    platform::CommandButton cmdOK;
    /// Says which coefficient tables the last calculation needed and the table file lacks.
    platform::Label lblTableNote;

    /// The coefficient tables, read from the default table file when the dialog loads.
    ventparam::ZetaTables ZetaTables;

    void Form_Load() override;
    void lstZetaType_Click();
    void optZhuanwan1_Click();
    void optZhuanwan2_Click();
    void txtt1_Change();
    void txtD_Change(int index);
    void txtVaneNum_Change(int index);
    void cmdCalculate_Click();
    void cmdOK_Click();

private:
    void buildControls();
    void connectEvents();

    platform::Layout layout_;
};

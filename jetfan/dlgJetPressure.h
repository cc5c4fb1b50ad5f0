// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"

/// The pressure rise of one jet fan of a chosen model at a chosen station. Shown beside the main window,
/// without an owner; its model list is filled from the model table when it opens.
class dlgJetPressure : public platform::Form {
public:
    dlgJetPressure();

    platform::ComboBox cmbJetModel;
    platform::TextBox txtQ;
    platform::TextBox txtPile;
    platform::TextBox txtZ;
    platform::CheckBox chkReverse;
    platform::TextBox txtPj;
    platform::CommandButton OKButton;
    platform::CommandButton CancelButton;

    void Form_Load() override;
    void OKButton_Click();
    void CancelButton_Click();

private:
    void buildControls();
    void connectEvents();

    platform::Layout layout_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"

/// The ventilation resistance of any stretch of the tunnel between two stations for a given air flow,
/// with or without the entrance and exit losses. Shown beside the main window, without an owner.
class dlgSectionPm : public platform::Form {
public:
    dlgSectionPm();

    platform::TextBox txtSectionSP;
    platform::TextBox txtSectionEP;
    platform::TextBox txtQ;
    platform::CheckBox chkEntrance;
    platform::CheckBox chkExit;
    platform::TextBox txtPm;
    platform::CommandButton OKButton;
    platform::CommandButton CancelButton;

    void OKButton_Click();
    void CancelButton_Click();

private:
    void connectEvents();

    platform::Layout layout_;
};

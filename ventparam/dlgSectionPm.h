// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

#include <memory>
#include <vector>

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
    void label(const char* text, int left, int top, int width);

    std::vector<std::unique_ptr<platform::Label>> labels_;
};

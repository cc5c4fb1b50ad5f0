// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

/// The about box: product line, name and the installation's about text. Read anew at every opening,
/// since closing it unloads it.
class frmAbout : public platform::UserForm {
public:
    frmAbout();

    platform::TextBox txtAbout;
    platform::Label Label1;
    platform::Label Label2;
    platform::Image Image1;
    platform::CommandButton cmdClose;

    void UserForm_Initialize() override;
    void cmdClose_Click();

private:
    void connectEvents();
};

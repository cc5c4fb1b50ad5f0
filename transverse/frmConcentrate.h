// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

/// The concentrated-supply scheme window. Step 2 shows it modally and unloads it when the modal call returns.
class frmConcentrate : public platform::Form {
public:
    frmConcentrate();

    void cmdBack_Click();

    platform::CommandButton cmdBack;
};

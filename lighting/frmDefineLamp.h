// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

/// Lighting step 2, the lamp circuits. For now only the window itself and its way back to step 1; the
/// circuits and the calculation settings are not there yet.
class frmDefineLamp : public platform::Form {
public:
    frmDefineLamp();

    void cmdPreStep_Click();

    platform::Label lblNotYet;
    platform::CommandButton cmdPreStep;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

/// Lighting step 3, the point-by-point calculation. For now only the window itself and its way back to
/// step 2; the cases and the calculation are not there yet.
class frmLighting : public platform::Form {
public:
    frmLighting();

    void cmdPreStep_Click();

    platform::Label lblNotYet;
    platform::CommandButton cmdPreStep;
};

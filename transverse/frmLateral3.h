// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

/// The full and supply semi-transverse scheme window (two-way traffic only). Step 2 shows it modally and
/// unloads it when the modal call returns.
class frmLateral3 : public platform::Form {
public:
    frmLateral3();

    void cmdClose_Click();

    platform::CommandButton cmdClose;
};

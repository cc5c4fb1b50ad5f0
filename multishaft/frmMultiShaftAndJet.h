// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

/// The scheme window of several shafts with jet fans. Step 2 shows it modally and unloads it when the modal
/// call returns.
class frmMultiShaftAndJet : public platform::Form {
public:
    frmMultiShaftAndJet();

    void cmdBack_Click();

    platform::CommandButton cmdBack;
};

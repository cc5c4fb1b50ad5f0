// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

/// The jet-fan scheme window. Step 2 shows it modally and unloads it when the modal call returns.
class frmJet : public platform::Form {
public:
    frmJet();

    void cmdBack_Click();

    platform::CommandButton cmdBack;
};

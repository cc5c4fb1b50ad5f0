// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"

/// The scheme window of one shaft with exhaust and supply openings plus jet fans. Step 2 shows it modally and
/// unloads it when the modal call returns.
class frmShaftAndJet : public platform::Form {
public:
    frmShaftAndJet();

    void cmdBack_Click();

    platform::CommandButton cmdBack;
};

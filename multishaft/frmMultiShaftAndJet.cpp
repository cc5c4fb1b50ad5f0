// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/frmMultiShaftAndJet.h"

#include "platform/Forms.h"

frmMultiShaftAndJet::frmMultiShaftAndJet() {
    setCaption("Step 3: 多竖井送排式与射流风机组合通风方式");
    setWidth(9600);
    setHeight(7200);
    cmdBack.place(*this, 7400, 6300, 1800, 420);
    cmdBack.setCaption("<-- 上一步");
    cmdBack.Click = [this] { cmdBack_Click(); };
}

// Leaving hides the window, which ends step 2's modal call; step 2 then unloads it.
void frmMultiShaftAndJet::cmdBack_Click() {
    Hide();
}

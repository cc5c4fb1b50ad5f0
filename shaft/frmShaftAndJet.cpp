// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/frmShaftAndJet.h"

#include "platform/Forms.h"

frmShaftAndJet::frmShaftAndJet() {
    setCaption("Step 3: 单竖井与射流风机组合通风方式");
    setWidth(9600);
    setHeight(7200);
    cmdBack.place(*this, 7400, 6300, 1800, 420);
    cmdBack.setCaption("<-- 上一步");
    cmdBack.Click = [this] { cmdBack_Click(); };
}

void frmShaftAndJet::cmdBack_Click() {
    platform::Forms::unload(*this);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/frmJet.h"

#include "platform/Forms.h"

frmJet::frmJet() {
    setCaption("Step 3: 射流风机通风方式");
    setWidth(9600);
    setHeight(7200);
    cmdBack.place(*this, 7400, 6300, 1800, 420);
    cmdBack.setCaption("<-- 上一步");
    cmdBack.Click = [this] { cmdBack_Click(); };
}

void frmJet::cmdBack_Click() {
    platform::Forms::unload(*this);
}

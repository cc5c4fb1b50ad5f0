// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/frmConcentrate.h"

#include "platform/Forms.h"

frmConcentrate::frmConcentrate() {
    setCaption("Step 3: 集中送入通风方式");
    setWidth(9600);
    setHeight(7200);
    cmdBack.place(*this, 7400, 6300, 1800, 420);
    cmdBack.setCaption("<-- 上一步");
    cmdBack.Click = [this] { cmdBack_Click(); };
}

void frmConcentrate::cmdBack_Click() {
    platform::Forms::unload(*this);
}

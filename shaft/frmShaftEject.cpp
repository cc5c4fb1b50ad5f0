// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/frmShaftEject.h"

#include "platform/Forms.h"

frmShaftEject::frmShaftEject() {
    setCaption("Step3: 竖井排出通风方式");
    setWidth(9600);
    setHeight(7200);
    cmdBack.place(*this, 7400, 6300, 1800, 420);
    cmdBack.setCaption("<-- 上一步");
    cmdBack.Click = [this] { cmdBack_Click(); };
}

void frmShaftEject::cmdBack_Click() {
    platform::Forms::unload(*this);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/frmLateral3.h"

#include "platform/Forms.h"

frmLateral3::frmLateral3() {
    setCaption("全横向式通风计算");
    setWidth(9600);
    setHeight(7200);
    cmdClose.place(*this, 7400, 6300, 1800, 420);
    cmdClose.setCaption("<--上一步");
    cmdClose.Click = [this] { cmdClose_Click(); };
}

void frmLateral3::cmdClose_Click() {
    platform::Forms::unload(*this);
}

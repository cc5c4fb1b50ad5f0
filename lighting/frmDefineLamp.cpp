// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/frmDefineLamp.h"

#include "app/guarded.h"

frmDefineLamp::frmDefineLamp() {
    setCaption("Step 2: 设置照明计算参数");
    setWidth(6000);
    setHeight(2400);
    lblNotYet.place(*this, 240, 300, 5400, 600);
    lblNotYet.setWordWrap(true);
    lblNotYet.setCaption("灯具回路与计算参数的设置尚未提供。");
    cmdPreStep.place(*this, 240, 1200, 1500, 420);
    cmdPreStep.setCaption("<--上一步");
    cmdPreStep.Click = [this] { cmdPreStep_Click(); };
}

void frmDefineLamp::cmdPreStep_Click() {
    app::guarded([this] { Hide(); });
}

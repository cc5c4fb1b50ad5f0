// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/frmLighting.h"

#include "app/guarded.h"

frmLighting::frmLighting() {
    setCaption("Step 3: 照明计算");
    setWidth(6000);
    setHeight(2400);
    lblNotYet.place(*this, 240, 300, 5400, 600);
    lblNotYet.setWordWrap(true);
    lblNotYet.setCaption("逐点照明计算尚未提供。");
    cmdPreStep.place(*this, 240, 1200, 1500, 420);
    cmdPreStep.setCaption("<--上一步");
    cmdPreStep.Click = [this] { cmdPreStep_Click(); };
}

void frmLighting::cmdPreStep_Click() {
    app::guarded([this] { Hide(); });
}

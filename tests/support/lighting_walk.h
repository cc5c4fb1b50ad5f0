// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmReq.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/frmLighting.h"
#include "test_stage.h"

#include <functional>

namespace test_support {

/// Walks from the main window's 照明 through steps 1 and 2 to step 3, lets `look` act on it, and walks
/// back out: step 3 and step 2 by their back buttons, step 1 by 结束. `edit` acts on step 2 first.
inline void onLightingStep3(frmReq& req, const std::function<void(frmLighting&)>& look,
                            const std::function<void(frmDefineLamp&)>& edit = {}) {
    test_stage::onModal<frmBrightness>([&](frmBrightness& w) {
        test_stage::onModal<frmDefineLamp>([&](frmDefineLamp& d) {
            if (edit) {
                edit(d);
            }
            test_stage::onModal<frmLighting>([&](frmLighting& s) {
                look(s);
                s.cmdPreStep.userClick();
            });
            d.cmdNextStep.userClick();
            d.cmdPreStep.userClick();
        });
        w.cmdClose.userClick(); // "下一步-->"
        w.cmdOK.userClick();
    });
    req.mnuLighting.userClick();
}

} // namespace test_support

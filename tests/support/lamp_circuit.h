// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lighting/frmDefineLamp.h"
#include "typed_boxes.h"

namespace test_support {

/// Lighting step 2's circuit editors after the name and the model, as the engineer fills them for the
/// circuit of most tests: 250 W, 28000 lm, M 0.7, the first light type, the second mounting, 8 m and
/// 7.5 m apart at 6 m, tilted 15°, one lamp then two 0.6 m apart.
inline void enterLampCircuitValues(frmDefineLamp& d) {
    test_support::TypeInto{{d.txtPower, "250"}, {d.txtPHI, "28000"}, {d.txtMM, "0.7"}};
    d.cmbLightType.userSelect(0);
    d.lstInstallMode.userClick(1);
    test_support::TypeInto{{d.txtLightSS1, "8"},       {d.txtLightSS2, "7.5"}, {d.txtHH, "6"},
                           {d.txtAltitudeAngle, "15"}, {d.txtAngle2, "0"},     {d.txtNum1, "1"},
                           {d.txtSpan1, "0"},          {d.txtNum2, "2"},       {d.txtSpan2, "0.6"}};
}

} // namespace test_support

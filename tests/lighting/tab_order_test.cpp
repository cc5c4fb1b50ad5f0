// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which Tab visits the controls of the three lighting steps: frame by frame, each frame's
// controls in the order the windows list them (step 2's circuit boxes in the order of the circuit list's
// columns, row by row across the grid).
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/frmLighting.h"
#include "platform/Forms.h"
#include "tests/support/focus_chain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Forms;

const std::vector<focus_chain::Window> kWindows = {
    {"frmBrightness",
     [] {
         frmBrightness& f = Forms::instance<frmBrightness>();
         focus_chain::expect(
             f,
             {FOCUS(f.cmbvt),     FOCUS(f.txtLL),         FOCUS(f.optBidirection), FOCUS(f.OptionButton1),
              FOCUS(f.chkMix),    FOCUS(f.cmbSkyRatio),   FOCUS(f.lstEnvironmnet), FOCUS(f.txtdTunnelSlope),
              FOCUS(f.txth),      FOCUS(f.txtdPreLength), FOCUS(f.txtdSpan),       FOCUS(f.txtLL_20_S),
              FOCUS(f.txtk),      FOCUS(f.txtdDiscount),  FOCUS(f.txtDD_s),        FOCUS(f.txtNN),
              FOCUS(f.lstNN),     FOCUS(f.cmdAdd),        FOCUS(f.cmdUpdate),      FOCUS(f.cmdDelete),
              FOCUS(f.lstAdjust), FOCUS(f.lstResult),     FOCUS(f.cmdCalculate),   FOCUS(f.cmdReport),
              FOCUS(f.cmdClose),  FOCUS(f.cmdOK)});
     }},
    {"frmDefineLamp",
     [] {
         frmDefineLamp& f = Forms::instance<frmDefineLamp>();
         focus_chain::expect(f, {FOCUS(f.cmbLampName),
                                 FOCUS(f.cmbLightModel),
                                 FOCUS(f.txtPower),
                                 FOCUS(f.txtPHI),
                                 FOCUS(f.txtMM),
                                 FOCUS(f.cmbLightType),
                                 FOCUS(f.lstInstallMode),
                                 FOCUS(f.txtLightSS1),
                                 FOCUS(f.txtLightSS2),
                                 FOCUS(f.txtHH),
                                 FOCUS(f.txtAltitudeAngle),
                                 FOCUS(f.txtAngle2),
                                 FOCUS(f.txtNum1),
                                 FOCUS(f.txtSpan1),
                                 FOCUS(f.txtNum2),
                                 FOCUS(f.txtSpan2),
                                 FOCUS(f.cmdAddSection),
                                 FOCUS(f.cmdDeleteSection),
                                 FOCUS(f.cmdUpdateSection),
                                 FOCUS(f.lstLamp),
                                 FOCUS(f.cmbRoadType),
                                 FOCUS(f.txtWW),
                                 FOCUS(f.txtDistanceToCalArea),
                                 FOCUS(f.txtCalPointCount1),
                                 FOCUS(f.UpDown1),
                                 FOCUS(f.txtCalPointCount2),
                                 FOCUS(f.UpDown2),
                                 FOCUS(f.optCurve),
                                 FOCUS(f.optNumeric),
                                 FOCUS(f.cmdPreStep),
                                 FOCUS(f.cmdNextStep)});
     }},
    {"frmLighting",
     [] {
         frmLighting& f = Forms::instance<frmLighting>();
         focus_chain::expect(
             f, {FOCUS(f.lstNN),       FOCUS(f.lstAdjust),   FOCUS(f.lstSegment),   FOCUS(f.lstLamp),
                 FOCUS(f.cmbLampName), FOCUS(f.txtLightSS1), FOCUS(f.txtPower),     FOCUS(f.txtLightSS3),
                 FOCUS(f.cmdAdd),      FOCUS(f.cmdDelete),   FOCUS(f.cmdUpdate),    FOCUS(f.txtSS),
                 FOCUS(f.txtEE_min),   FOCUS(f.txtEE_max),   FOCUS(f.txtEE_av),     FOCUS(f.txtLL_min),
                 FOCUS(f.txtLL_max),   FOCUS(f.txtLL_av),    FOCUS(f.txtUU_0),      FOCUS(f.txtUU_l),
                 FOCUS(f.txtResult),   FOCUS(f.chkDraw),     FOCUS(f.cmdCalculate), FOCUS(f.cmdReport),
                 FOCUS(f.cmdPreStep),  FOCUS(f.cmdClose)});
     }},
};

TEST(LightingTabOrder, EachFrameInTheOrderItsControlsAreListed) {
    focus_chain::expectEach(kWindows);
}

} // namespace

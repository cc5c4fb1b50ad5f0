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
         focus_chain::expect(f, FOCUS_ALL(f, cmbvt, txtLL, optBidirection, OptionButton1, chkMix, cmbSkyRatio,
                                          lstEnvironmnet, txtdTunnelSlope, txth, txtdPreLength, txtdSpan,
                                          txtLL_20_S, txtk, txtdDiscount, txtDD_s, txtNN, lstNN, cmdAdd,
                                          cmdUpdate, cmdDelete, lstAdjust, lstResult, cmdCalculate, cmdReport,
                                          cmdClose, cmdOK));
     }},
    {"frmDefineLamp",
     [] {
         frmDefineLamp& f = Forms::instance<frmDefineLamp>();
         focus_chain::expect(f,
                             FOCUS_ALL(f, cmbLampName, cmbLightModel, txtPower, txtPHI, txtMM, cmbLightType,
                                       lstInstallMode, txtLightSS1, txtLightSS2, txtHH, txtAltitudeAngle,
                                       txtAngle2, txtNum1, txtSpan1, txtNum2, txtSpan2, cmdAddSection,
                                       cmdDeleteSection, cmdUpdateSection, lstLamp, cmbRoadType, txtWW,
                                       txtDistanceToCalArea, txtCalPointCount1, UpDown1, txtCalPointCount2,
                                       UpDown2, optCurve, optNumeric, cmdPreStep, cmdNextStep));
     }},
    {"frmLighting",
     [] {
         frmLighting& f = Forms::instance<frmLighting>();
         focus_chain::expect(f,
                             FOCUS_ALL(f, lstNN, lstAdjust, lstSegment, lstLamp, cmbLampName, txtLightSS1,
                                       txtPower, txtLightSS3, cmdAdd, cmdDelete, cmdUpdate, txtSS, txtEE_min,
                                       txtEE_max, txtEE_av, txtLL_min, txtLL_max, txtLL_av, txtUU_0, txtUU_l,
                                       txtResult, chkDraw, cmdCalculate, cmdReport, cmdPreStep, cmdClose));
     }},
};

TEST(LightingTabOrder, EachFrameInTheOrderItsControlsAreListed) {
    focus_chain::expectEach(kWindows);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Tab visits the fire window's controls container by container: the window's own boxes, switches,
// buttons and result, then each frame's controls in the order of their rows.
#include "app/modPublic.h"
#include "fire/frmFire.h"
#include "platform/Forms.h"
#include "tests/support/focus_chain.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

namespace {

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

TEST(FireTabOrder, FollowsTheControlsOfEachContainer) {
    frmFire& f = platform::Forms::instance<frmFire>();
    focus_chain::expectEach(
        f, {
               {FOCUS(f.txtMW), FOCUS(f.udMW), FOCUS(f.txtQ), FOCUS(f.cmbJetModel), FOCUS(f.txteta),
                FOCUS(f.txtBlockVehNum), FOCUS(f.chkAirExpand), FOCUS(f.txtRatio), FOCUS(f.udRatio),
                FOCUS(f.chkTranverse), FOCUS(f.chkNaturalWind), FOCUS(f.chkUseJetOnly), FOCUS(f.cmdCollect),
                FOCUS(f.cmdControlScheme), FOCUS(f.cmdClose), FOCUS(f.txtResult)},
               {FOCUS(f.frmVentMode), FOCUS(f.Frame1), FOCUS(f.frmNaturalWind), FOCUS(f.frmExsmokeRange),
                FOCUS(f.frmLocation), FOCUS(f.frmExsmokePile)},
               {FOCUS(f.optVentMode1), FOCUS(f.optVentMode2), FOCUS(f.optVentMode3)},
               {FOCUS(f.optTrafficMode1), FOCUS(f.optTrafficMode2), FOCUS(f.frmBidirectionVent),
                FOCUS(f.optBDVentDirection1), FOCUS(f.optBDVentDirection2)},
               {FOCUS(f.optNaturalWindDirection1), FOCUS(f.optNaturalWindDirection2), FOCUS(f.txtvn),
                FOCUS(f.udvn)},
               {FOCUS(f.txtExsmokePile1), FOCUS(f.txtExsmokePile2)},
               {FOCUS(f.lstFireLoc), FOCUS(f.txtFirePile), FOCUS(f.cmdFireLocAdd), FOCUS(f.cmdFireLocDelete),
                FOCUS(f.cmdFireLocUpdate)},
               {FOCUS(f.lstExsmokePile), FOCUS(f.txtExsmokePile), FOCUS(f.cmdExsmokeAdd),
                FOCUS(f.cmdExsmokeDelete), FOCUS(f.cmdExsmokeUpdate)},
           });
}

} // namespace

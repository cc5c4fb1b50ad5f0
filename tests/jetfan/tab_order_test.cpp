// SPDX-License-Identifier: GPL-3.0-or-later
// Tab visits the jet-fan windows' controls container by container, in the order of their rows: top to
// bottom, and a box that stands beside another on the same row right after it.
#include "app/modPublic.h"
#include "jetfan/dlgJetPressure.h"
#include "jetfan/frmJet.h"
#include "jetfan/frmJetDb.h"
#include "jetfan/frmSetJetPile.h"
#include "platform/Forms.h"
#include "tests/support/focus_chain.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

const std::vector<focus_chain::Window> kWindows = {
    {"frmSetJetPile",
     [] {
         frmSetJetPile& f = Forms::instance<frmSetJetPile>();
         focus_chain::expectEach(f, {{FOCUS(f.txtJetNumPerTeam), FOCUS(f.txtTeamNum1), FOCUS(f.txtSpan1),
                                      FOCUS(f.txtTeamNum2), FOCUS(f.txtSpan2), FOCUS(f.txtDist1),
                                      FOCUS(f.txtDist2), FOCUS(f.ccmdOK), FOCUS(f.ccmdCancel)}});
     }},
    {"frmJet",
     [] {
         frmJet& f = Forms::instance<frmJet>();
         focus_chain::expectEach(
             f, {{FOCUS(f.cmbJetModel), FOCUS(f.txtFlow), FOCUS(f.txtDD_j), FOCUS(f.txtAA_j), FOCUS(f.txtvj),
                  FOCUS(f.txtPower), FOCUS(f.txtdeltap_j), FOCUS(f.txtZZ_j), FOCUS(f.txteta)},
                 {FOCUS(f.txtdeltap_m), FOCUS(f.txtdeltap_t), FOCUS(f.txtdeltap_r), FOCUS(f.txtdeltap_l),
                  FOCUS(f.txttotaldeltap_j), FOCUS(f.txti), FOCUS(f.txtTotalPower)},
                 {FOCUS(f.lstJet), FOCUS(f.txtPile), FOCUS(f.txtJetNumPerTeam), FOCUS(f.txtPress),
                  FOCUS(f.cmdAdd), FOCUS(f.cmdDelete), FOCUS(f.cmdUpdate), FOCUS(f.cmdAutoLayout)},
                 {FOCUS(f.MultiPage1), FOCUS(f.cmdCalculateJet), FOCUS(f.cmdReport),
                  FOCUS(f.cmdDrawPressCurve), FOCUS(f.cmdTable), FOCUS(f.cmdBack)}});
     }},
    {"frmJetDb",
     [] {
         frmJetDb& f = Forms::instance<frmJetDb>();
         focus_chain::expectEach(f, {{FOCUS(f.lstJet), FOCUS(f.txtJetName), FOCUS(f.txtFlow), FOCUS(f.txtDD),
                                      FOCUS(f.txtPower), FOCUS(f.txtDiscount), FOCUS(f.cmdAdd),
                                      FOCUS(f.cmdDelete), FOCUS(f.cmdUpdate), FOCUS(f.cmdOK)}});
     }},
    {"dlgJetPressure",
     [] {
         dlgJetPressure& f = Forms::instance<dlgJetPressure>();
         focus_chain::expectEach(
             f, {{FOCUS(f.cmbJetModel), FOCUS(f.txtQ), FOCUS(f.txtPile), FOCUS(f.txtZ), FOCUS(f.chkReverse),
                  FOCUS(f.txtPj), FOCUS(f.OKButton), FOCUS(f.CancelButton)}});
     }},
};

class JetTabOrder : public ::testing::TestWithParam<focus_chain::Window> {};

TEST_P(JetTabOrder, FollowsTheRowsOfEachContainer) {
    GetParam().expect();
}

INSTANTIATE_TEST_SUITE_P(Windows, JetTabOrder, ::testing::ValuesIn(kWindows), focus_chain::caseName);

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Tab in the concentrated-supply and the two transverse windows: frame by frame, each frame's controls in
// the order the window lists them, every "..." or ">>" button right after the loss box it fills, the
// window's buttons last.
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "tests/support/focus_chain.h"
#include "tests/support/test_stage.h"
#include "transverse/frmConcentrate.h"
#include "transverse/frmLateral1.h"
#include "transverse/frmLateral3.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

const std::vector<focus_chain::Window> kWindows = {
    {"frmConcentrate",
     [] {
         frmConcentrate& f = Forms::instance<frmConcentrate>();
         focus_chain::expect(
             f, {FOCUS(f.txtQQ_r),     FOCUS(f.optKnowArea),     FOCUS(f.OptionButton2), FOCUS(f.txtdeltap_m),
                 FOCUS(f.txtdeltap_r), FOCUS(f.txtdeltap_t),     FOCUS(f.txtdeltap_b),   FOCUS(f.txtdeltap_l),
                 FOCUS(f.txtv_b),      FOCUS(f.txtbeta),         FOCUS(f.txtKK_b),       FOCUS(f.txtAA_b),
                 FOCUS(f.txtQQ_b),     FOCUS(f.txtShaftPile),    FOCUS(f.txtv_1),        FOCUS(f.txtdeltap_d),
                 FOCUS(f.cmdCalPd),    FOCUS(f.txtPP_tot),       FOCUS(f.txtAA_tot),     FOCUS(f.txteta),
                 FOCUS(f.txtSS_tot),   FOCUS(f.cmdCalculateJet), FOCUS(f.cmdReport),     FOCUS(f.cmdBack)});
     }},
    {"frmLateral3",
     [] {
         frmLateral3& f = Forms::instance<frmLateral3>();
         focus_chain::expect(f, {FOCUS(f.txtv_t),          FOCUS(f.txtStartPile),
                                 FOCUS(f.txtEndPile),      FOCUS(f.txtQQ_req),
                                 FOCUS(f.txtPa),           FOCUS(f.chkTwoSect),
                                 FOCUS(f.optTranverse),    FOCUS(f.OptionButton2),
                                 FOCUS(f.txtAA_b),         FOCUS(f.txtDD_b),
                                 FOCUS(f.txtLambda_b),     FOCUS(f.txtq_b),
                                 FOCUS(f.txtv_b),          FOCUS(f.txtp_b),
                                 FOCUS(f.txtk_b),          FOCUS(f.txtpbi_pb0),
                                 FOCUS(f.txtpb0_pr0),      FOCUS(f.txtprc_prx),
                                 FOCUS(f.txtp_d),          FOCUS(f.cmdCalculatePd),
                                 FOCUS(f.txtp_tot),        FOCUS(f.txtAA_e),
                                 FOCUS(f.txtDD_e),         FOCUS(f.txtLambda_e),
                                 FOCUS(f.txtv_e0),         FOCUS(f.txtp_e),
                                 FOCUS(f.txtk_e),          FOCUS(f.txtpei_pe0),
                                 FOCUS(f.txtpri_pei),      FOCUS(f.txtp_ed),
                                 FOCUS(f.cmdCalculatePed), FOCUS(f.txtp_etot),
                                 FOCUS(f.txtPileC),        FOCUS(f.txtPC),
                                 FOCUS(f.scbPileR),        FOCUS(f.txtPileR),
                                 FOCUS(f.txtPR),           FOCUS(f.cmdCalculatePtot3),
                                 FOCUS(f.cmdReport),       FOCUS(f.cmdClose)});
     }},
    {"frmLateral1",
     [] {
         frmLateral1& f = Forms::instance<frmLateral1>();
         focus_chain::expect(f, {FOCUS(f.txtv_t), FOCUS(f.txtQQ_req), FOCUS(f.txtAA_b), FOCUS(f.txtDD_b),
                                 FOCUS(f.txtZetab), FOCUS(f.txtq_b), FOCUS(f.txtv_b), FOCUS(f.txtp_b),
                                 FOCUS(f.txtk_b), FOCUS(f.txtpbi_pb0), FOCUS(f.txtpb0_pr0),
                                 FOCUS(f.txtprc_prx), FOCUS(f.txtp_d), FOCUS(f.cmdCalculatePd),
                                 FOCUS(f.txtp_tot), FOCUS(f.cmdCalculatePtot3), FOCUS(f.cmdClose)});
     }},
};

class TransverseTabOrder : public ::testing::TestWithParam<focus_chain::Window> {};

TEST_P(TransverseTabOrder, FollowsTheFramesInTheOrderTheWindowListsItsControls) {
    GetParam().expect();
}

INSTANTIATE_TEST_SUITE_P(Windows, TransverseTabOrder, ::testing::ValuesIn(kWindows), focus_chain::caseName);

} // namespace

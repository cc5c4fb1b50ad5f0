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
         focus_chain::expect(f, FOCUS_ALL(f, txtQQ_r, optKnowArea, OptionButton2, txtdeltap_m, txtdeltap_r,
                                          txtdeltap_t, txtdeltap_b, txtdeltap_l, txtv_b, txtbeta, txtKK_b,
                                          txtAA_b, txtQQ_b, txtShaftPile, txtv_1, txtdeltap_d, cmdCalPd,
                                          txtPP_tot, txtAA_tot, txteta, txtSS_tot, cmdCalculateJet, cmdReport,
                                          cmdBack));
     }},
    {"frmLateral3",
     [] {
         frmLateral3& f = Forms::instance<frmLateral3>();
         focus_chain::expect(f, FOCUS_ALL(f, txtv_t, txtStartPile, txtEndPile, txtQQ_req, txtPa, chkTwoSect,
                                          optTranverse, OptionButton2, txtAA_b, txtDD_b, txtLambda_b, txtq_b,
                                          txtv_b, txtp_b, txtk_b, txtpbi_pb0, txtpb0_pr0, txtprc_prx, txtp_d,
                                          cmdCalculatePd, txtp_tot, txtAA_e, txtDD_e, txtLambda_e, txtv_e0,
                                          txtp_e, txtk_e, txtpei_pe0, txtpri_pei, txtp_ed, cmdCalculatePed,
                                          txtp_etot, txtPileC, txtPC, scbPileR, txtPileR, txtPR,
                                          cmdCalculatePtot3, cmdReport, cmdClose));
     }},
    {"frmLateral1",
     [] {
         frmLateral1& f = Forms::instance<frmLateral1>();
         focus_chain::expect(f, FOCUS_ALL(f, txtv_t, txtQQ_req, txtAA_b, txtDD_b, txtZetab, txtq_b, txtv_b,
                                          txtp_b, txtk_b, txtpbi_pb0, txtpb0_pr0, txtprc_prx, txtp_d,
                                          cmdCalculatePd, txtp_tot, cmdCalculatePtot3, cmdClose));
     }},
};

class TransverseTabOrder : public ::testing::TestWithParam<focus_chain::Window> {};

TEST_P(TransverseTabOrder, FollowsTheFramesInTheOrderTheWindowListsItsControls) {
    GetParam().expect();
}

INSTANTIATE_TEST_SUITE_P(Windows, TransverseTabOrder, ::testing::ValuesIn(kWindows), focus_chain::caseName);

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Tab visits the shaft windows' controls frame by frame, each frame in the order of its controls: the
// whole exhaust opening with its fan before the supply opening, the sections' boxes before their jet fans.
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"

#include "platform/Forms.h"
#include "tests/support/focus_chain.h"

#include <gtest/gtest.h>

namespace {

using platform::Forms;

TEST(ShaftTabOrder, EachWindowFrameByFrame) {
    frmShaftAndJet& f = Forms::instance<frmShaftAndJet>();
    frmShaftEject& e = Forms::instance<frmShaftEject>();
    focus_chain::expectEach(
        f, {// Shaft and fans: the exhaust opening, its design pressure, fan power and motor power, then the
            // supply opening the same way.
            {FOCUS(f.txtShaftPile),   FOCUS(f.txtQe),         FOCUS(f.cmbCounte), FOCUS(f.txtQQ_e),
             FOCUS(f.txtAA_e),        FOCUS(f.txtKK_e),       FOCUS(f.txtv_e),    FOCUS(f.txtdeltap_e),
             FOCUS(f.txtZeta_fencha), FOCUS(f.txtp_de),       FOCUS(f.cmdCalpde), FOCUS(f.txtp_se),
             FOCUS(f.txtp_tote),      FOCUS(f.txtt1_e),       FOCUS(f.txtp1_e),   FOCUS(f.txteta_e),
             FOCUS(f.txtSSkw_e),      FOCUS(f.txtetam_e),     FOCUS(f.txtk_e),    FOCUS(f.txtMM1_e),
             FOCUS(f.txtQb),          FOCUS(f.cmbCountb),     FOCUS(f.chkQb),     FOCUS(f.txtQQ_b),
             FOCUS(f.txtAA_b),        FOCUS(f.txtv_b),        FOCUS(f.txtKK_b),   FOCUS(f.txtbeta),
             FOCUS(f.txtdeltap_b),    FOCUS(f.txtZeta_heliu), FOCUS(f.txtp_db),   FOCUS(f.cmdCalpdb),
             FOCUS(f.txtp_sb),        FOCUS(f.txtp_totb),     FOCUS(f.txtt1_b),   FOCUS(f.txtp1_b),
             FOCUS(f.txteta_b),       FOCUS(f.txtSSkw_b),     FOCUS(f.txtetam_b), FOCUS(f.txtk_b),
             FOCUS(f.txtMM1_b)},
            // Ventilation sections: the short passage, its recirculation, then each section and its jet fans,
            // the case's total power last.
            {FOCUS(f.txtds),           FOCUS(f.txtQQ_req_VI),    FOCUS(f.txtQQ_s),
             FOCUS(f.txtv_rs),         FOCUS(f.txtCC_2s),        FOCUS(f.txtQQ_sf),
             FOCUS(f.txtratio_Qe_Qr1), FOCUS(f.txtratio_Qb_Qr2), FOCUS(f.txtQQ_req1),
             FOCUS(f.txtQQ_r1),        FOCUS(f.txtv_r1),         FOCUS(f.txtdeltap_r1),
             FOCUS(f.txtdeltap_m1),    FOCUS(f.txtdeltap_t1),    FOCUS(f.txttotaldeltap_j1),
             FOCUS(f.txtCC_2),         FOCUS(f.cmbJetModel1),    FOCUS(f.txtFlow1),
             FOCUS(f.txtDD_j1),        FOCUS(f.txtAA_j1),        FOCUS(f.txtvj1),
             FOCUS(f.txtZZ_j1),        FOCUS(f.txteta1),         FOCUS(f.txtdeltap_j1),
             FOCUS(f.txtPower1),       FOCUS(f.txtjetcount1),    FOCUS(f.txtQQ_req2),
             FOCUS(f.txtQQ_r2),        FOCUS(f.txtv_r2),         FOCUS(f.txtdeltap_r2),
             FOCUS(f.txtdeltap_m2),    FOCUS(f.txtdeltap_t2),    FOCUS(f.txttotaldeltap_j2),
             FOCUS(f.txtCC_3),         FOCUS(f.cmbJetModel2),    FOCUS(f.txtFlow2),
             FOCUS(f.txtDD_j2),        FOCUS(f.txtAA_j2),        FOCUS(f.txtvj2),
             FOCUS(f.txtZZ_j2),        FOCUS(f.txteta2),         FOCUS(f.txtdeltap_j2),
             FOCUS(f.txtPower2),       FOCUS(f.txtjetcount2),    FOCUS(f.txtTotalPower)},
            // Jet-fan groups, then the buttons under the pages, left to right in their use.
            {FOCUS(f.lstJet), FOCUS(f.txtPile), FOCUS(f.txtJetNumPerTeam), FOCUS(f.txtPress), FOCUS(f.cmdAdd),
             FOCUS(f.cmdUpdate), FOCUS(f.cmdDelete), FOCUS(f.cmdAutoLayout), FOCUS(f.cmdBack),
             FOCUS(f.cmdCalculateSectionQQ_req), FOCUS(f.cmdCalculatePtot3), FOCUS(f.cmdDrawPressCurve),
             FOCUS(f.cmdCalPower), FOCUS(f.cmdReport), FOCUS(f.cmdTable)}});
    focus_chain::expectEach(
        e, {// The shaft-exhaust window: the station, the model, section I, section II, the shaft with its
            // duct-loss button, the fan, then the row of buttons left to right.
            {FOCUS(e.txtShaftPile),
             FOCUS(e.txtv_t),
             FOCUS(e.optPresModel1),
             FOCUS(e.optPresModel2),
             FOCUS(e.txtdeltap_g1),
             FOCUS(e.txtzeta_13),
             FOCUS(e.txtzeta_12),
             FOCUS(e.txtQQ_req1),
             FOCUS(e.txtQQ_r1),
             FOCUS(e.txtv_1),
             FOCUS(e.txtdeltap_t1),
             FOCUS(e.txtp_tot1),
             FOCUS(e.txtdeltap_g2),
             FOCUS(e.txtzeta_23),
             FOCUS(e.txtQQ_req2),
             FOCUS(e.txtQQ_r2),
             FOCUS(e.txtv_2),
             FOCUS(e.txtdeltap_t2),
             FOCUS(e.txtp_tot21),
             FOCUS(e.txtp_tot22),
             FOCUS(e.txtp_tot23),
             FOCUS(e.txtShaftAA_r),
             FOCUS(e.txtShaftPP_r),
             FOCUS(e.txtShaftDD_r),
             FOCUS(e.txtQQ_r3),
             FOCUS(e.txtv_3),
             FOCUS(e.txtdeltap_d),
             FOCUS(e.cmdCalPd),
             FOCUS(e.txtp_tot3),
             FOCUS(e.txtp_tot3a),
             FOCUS(e.txtp_tot),
             FOCUS(e.txtAA_tot),
             FOCUS(e.txteta),
             FOCUS(e.txtSS_tot),
             FOCUS(e.cmdCalculateSectionQQ_req),
             FOCUS(e.cmdBalanceLength),
             FOCUS(e.cmdCalculatePtot3),
             FOCUS(e.cmdDrawCurve),
             FOCUS(e.cmdReport),
             FOCUS(e.cmdTable),
             FOCUS(e.cmdBack)}});
}

} // namespace

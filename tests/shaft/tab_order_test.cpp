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
            FOCUS_ALL(f, txtShaftPile, txtQe, cmbCounte, txtQQ_e, txtAA_e, txtKK_e, txtv_e, txtdeltap_e,
                      txtZeta_fencha, txtp_de, cmdCalpde, txtp_se, txtp_tote, txtt1_e, txtp1_e, txteta_e,
                      txtSSkw_e, txtetam_e, txtk_e, txtMM1_e, txtQb, cmbCountb, chkQb, txtQQ_b, txtAA_b,
                      txtv_b, txtKK_b, txtbeta, txtdeltap_b, txtZeta_heliu, txtp_db, cmdCalpdb, txtp_sb,
                      txtp_totb, txtt1_b, txtp1_b, txteta_b, txtSSkw_b, txtetam_b, txtk_b, txtMM1_b),
            // Ventilation sections: the short passage, its recirculation, then each section and its jet fans,
            // the case's total power last.
            FOCUS_ALL(f, txtds, txtQQ_req_VI, txtQQ_s, txtv_rs, txtCC_2s, txtQQ_sf, txtratio_Qe_Qr1,
                      txtratio_Qb_Qr2, txtQQ_req1, txtQQ_r1, txtv_r1, txtdeltap_r1, txtdeltap_m1,
                      txtdeltap_t1, txttotaldeltap_j1, txtCC_2, cmbJetModel1, txtFlow1, txtDD_j1, txtAA_j1,
                      txtvj1, txtZZ_j1, txteta1, txtdeltap_j1, txtPower1, txtjetcount1, txtQQ_req2, txtQQ_r2,
                      txtv_r2, txtdeltap_r2, txtdeltap_m2, txtdeltap_t2, txttotaldeltap_j2, txtCC_3,
                      cmbJetModel2, txtFlow2, txtDD_j2, txtAA_j2, txtvj2, txtZZ_j2, txteta2, txtdeltap_j2,
                      txtPower2, txtjetcount2, txtTotalPower),
            // Jet-fan groups, then the buttons under the pages, left to right in their use.
            FOCUS_ALL(f, lstJet, txtPile, txtJetNumPerTeam, txtPress, cmdAdd, cmdUpdate, cmdDelete,
                      cmdAutoLayout, cmdBack, cmdCalculateSectionQQ_req, cmdCalculatePtot3, cmdDrawPressCurve,
                      cmdCalPower, cmdReport, cmdTable)});
    focus_chain::expectEach(
        e,
        {// The shaft-exhaust window: the station, the model, section I, section II, the shaft with its
         // duct-loss button, the fan, then the row of buttons left to right.
         FOCUS_ALL(e, txtShaftPile, txtv_t, optPresModel1, optPresModel2, txtdeltap_g1, txtzeta_13,
                   txtzeta_12, txtQQ_req1, txtQQ_r1, txtv_1, txtdeltap_t1, txtp_tot1, txtdeltap_g2,
                   txtzeta_23, txtQQ_req2, txtQQ_r2, txtv_2, txtdeltap_t2, txtp_tot21, txtp_tot22, txtp_tot23,
                   txtShaftAA_r, txtShaftPP_r, txtShaftDD_r, txtQQ_r3, txtv_3, txtdeltap_d, cmdCalPd,
                   txtp_tot3, txtp_tot3a, txtp_tot, txtAA_tot, txteta, txtSS_tot, cmdCalculateSectionQQ_req,
                   cmdBalanceLength, cmdCalculatePtot3, cmdDrawCurve, cmdReport, cmdTable, cmdBack)});
}

} // namespace

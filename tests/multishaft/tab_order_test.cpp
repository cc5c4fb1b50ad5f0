// SPDX-License-Identifier: GPL-3.0-or-later
// Tab visits the several-shafts window and its group dialog frame by frame, each frame in the order of its
// controls: the shaft list and its editing, the exhaust opening with its fan before the supply opening,
// the section boxes before the jet fans, the groups.
#include "multishaft/frmMultiShaftAndJet.h"
#include "multishaft/frmSetMSJetPile.h"

#include "platform/Forms.h"
#include "tests/support/focus_chain.h"

#include <gtest/gtest.h>

namespace {

using platform::Forms;

TEST(MultiShaftTabOrder, EachWindowFrameByFrame) {
    frmMultiShaftAndJet& m = Forms::instance<frmMultiShaftAndJet>();
    frmSetMSJetPile& d = Forms::instance<frmSetMSJetPile>();
    focus_chain::expectEach(
        m, {FOCUS_ALL(m, lstShaft, txtShaftPile, txtds, cmdAddShaft, cmdDeleteShaft, cmdUpdateShaft,
                      cmdShaftSection, txtQe, cmbCounte, txtQQ_e, txtAA_e, txtv_e, txtKK_e, txtdeltap_e,
                      txtZeta_fencha, txtp_de, cmdCalpde, txtp_se, txtp_tote, txtt1_e, txtp1_e, txteta_e,
                      txtSSkw_e, txtetam_e, txtk_e, txtMM1_e, cmdAxialFanDesign, txtQb, cmbCountb, txtQQ_b,
                      txtAA_b, txtv_b, txtKK_b, txtbeta, txtdeltap_b, txtZeta_heliu, txtp_db, cmdCalpdb,
                      txtp_sb, txtp_totb, txtt1_b, txtp1_b, txteta_b, txtSSkw_b, txtetam_b, txtk_b, txtMM1_b,
                      txtratio_Qe_Qr1, txtratio_Qb_Qr2),
            FOCUS_ALL(m, lstShaftSection, txtPile1, txtPile2, txtQQ_req, txtQQ_r, txtQQ_f, txtv_r, txtCC_1,
                      txtCC_2, txtPP_1, txtPP_2, txtdeltap_r, txtdeltap_m, txtdeltap_t, chkKnowQr1,
                      txtCertanQr1, txtTotalPower, cmbJetModel, txtFlow, txtDD_j, txtAA_j, txtvj, txtPower,
                      txtdeltap_j, txtjetcount, txtZZ_j, txteta),
            FOCUS_ALL(m, lstJet, txtPile, txtJetNumPerTeam, txtPress, cmdAdd, cmdDelete, cmdUpdate,
                      cmdAutoLayout, cmdClearAll),
            FOCUS_ALL(m, cmdBack, cmdDrawPressCurve, cmdReport)});
    focus_chain::expectEach(d, {FOCUS_ALL(d, cmbSectionNo, txtSectionStartPile, txtJetNumPerTeam, txtTeamNum,
                                          txtSpan, txtDist, ccmdOK, ccmdCancel)});
}

} // namespace

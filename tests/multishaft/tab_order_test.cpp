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
        m, {{FOCUS(m.lstShaft),        FOCUS(m.txtShaftPile),   FOCUS(m.txtds),
             FOCUS(m.cmdAddShaft),     FOCUS(m.cmdDeleteShaft), FOCUS(m.cmdUpdateShaft),
             FOCUS(m.cmdShaftSection), FOCUS(m.txtQe),          FOCUS(m.cmbCounte),
             FOCUS(m.txtQQ_e),         FOCUS(m.txtAA_e),        FOCUS(m.txtv_e),
             FOCUS(m.txtKK_e),         FOCUS(m.txtdeltap_e),    FOCUS(m.txtZeta_fencha),
             FOCUS(m.txtp_de),         FOCUS(m.cmdCalpde),      FOCUS(m.txtp_se),
             FOCUS(m.txtp_tote),       FOCUS(m.txtt1_e),        FOCUS(m.txtp1_e),
             FOCUS(m.txteta_e),        FOCUS(m.txtSSkw_e),      FOCUS(m.txtetam_e),
             FOCUS(m.txtk_e),          FOCUS(m.txtMM1_e),       FOCUS(m.cmdAxialFanDesign),
             FOCUS(m.txtQb),           FOCUS(m.cmbCountb),      FOCUS(m.txtQQ_b),
             FOCUS(m.txtAA_b),         FOCUS(m.txtv_b),         FOCUS(m.txtKK_b),
             FOCUS(m.txtbeta),         FOCUS(m.txtdeltap_b),    FOCUS(m.txtZeta_heliu),
             FOCUS(m.txtp_db),         FOCUS(m.cmdCalpdb),      FOCUS(m.txtp_sb),
             FOCUS(m.txtp_totb),       FOCUS(m.txtt1_b),        FOCUS(m.txtp1_b),
             FOCUS(m.txteta_b),        FOCUS(m.txtSSkw_b),      FOCUS(m.txtetam_b),
             FOCUS(m.txtk_b),          FOCUS(m.txtMM1_b),       FOCUS(m.txtratio_Qe_Qr1),
             FOCUS(m.txtratio_Qb_Qr2)},
            {FOCUS(m.lstShaftSection), FOCUS(m.txtPile1),    FOCUS(m.txtPile2),   FOCUS(m.txtQQ_req),
             FOCUS(m.txtQQ_r),         FOCUS(m.txtQQ_f),     FOCUS(m.txtv_r),     FOCUS(m.txtCC_1),
             FOCUS(m.txtCC_2),         FOCUS(m.txtPP_1),     FOCUS(m.txtPP_2),    FOCUS(m.txtdeltap_r),
             FOCUS(m.txtdeltap_m),     FOCUS(m.txtdeltap_t), FOCUS(m.chkKnowQr1), FOCUS(m.txtCertanQr1),
             FOCUS(m.txtTotalPower),   FOCUS(m.cmbJetModel), FOCUS(m.txtFlow),    FOCUS(m.txtDD_j),
             FOCUS(m.txtAA_j),         FOCUS(m.txtvj),       FOCUS(m.txtPower),   FOCUS(m.txtdeltap_j),
             FOCUS(m.txtjetcount),     FOCUS(m.txtZZ_j),     FOCUS(m.txteta)},
            {FOCUS(m.lstJet), FOCUS(m.txtPile), FOCUS(m.txtJetNumPerTeam), FOCUS(m.txtPress), FOCUS(m.cmdAdd),
             FOCUS(m.cmdDelete), FOCUS(m.cmdUpdate), FOCUS(m.cmdAutoLayout), FOCUS(m.cmdClearAll)},
            {FOCUS(m.cmdBack), FOCUS(m.cmdDrawPressCurve), FOCUS(m.cmdReport)}});
    focus_chain::expectEach(
        d, {{FOCUS(d.cmbSectionNo), FOCUS(d.txtSectionStartPile), FOCUS(d.txtJetNumPerTeam),
             FOCUS(d.txtTeamNum), FOCUS(d.txtSpan), FOCUS(d.txtDist), FOCUS(d.ccmdOK), FOCUS(d.ccmdCancel)}});
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shaft/frmShaftAndJet.h"

namespace test_support {

/// The shaft-and-jet window filled as for a level tunnel 1000–3000 of one 60 m² section: shaft 2200,
/// Qe 150 (one fan), Qb 250 given (two fans of 125), ds 60; the section demand worked out, then the
/// demands 200, 300 and 10 of the short passage typed over it. The main window's tunnel is set first.
inline void enterShaftJetFlatTunnel(frmShaftAndJet& w) {
    w.MultiPage1.userClick(0);
    w.txtShaftPile.userType("2200");
    w.txtQe.userType("150");
    w.cmbCounte.userType("1");
    w.txtQb.userType("125");
    w.cmbCountb.userType("2");
    w.txtKK_e.userType("0.9");
    w.txtv_e.userType("6");
    w.txtKK_b.userType("1");
    w.txtv_b.userType("25");
    w.txtbeta.userType("5");
    w.txtZeta_fencha.userType("0.28");
    w.txtZeta_heliu.userType("0.7");
    if (w.chkQb.Value() != 1) {
        w.chkQb.userClick();
    }
    w.MultiPage1.userClick(1);
    w.txtds.userType("60");
    w.cmdCalculateSectionQQ_req.userClick();
    w.QQ_req1 = 200;
    w.QQ_req2 = 300;
    w.QQ_req_VI = 10;
    w.txtQQ_req1.userType("200.00");
    w.txtQQ_req2.userType("300.00");
    w.txtQQ_req_VI.userType("10.0000000");
}

} // namespace test_support

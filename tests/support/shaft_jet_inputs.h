// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shaft/frmShaftAndJet.h"
#include "tunnel_stage.h"
#include "typed_boxes.h"

namespace test_support {

/// The level tunnel of the shaft-and-jet tests: 1000–3000, one section of 60 m², perimeter 30 m, height
/// 8 m, no friction, no natural wind, entrance loss 0.6.
inline FlatTunnel shaftJetTunnel() {
    return FlatTunnel{.start = 1000,
                      .end = 3000,
                      .area = "60",
                      .perimeter = "30",
                      .height = "8",
                      .lambda = 0,
                      .vn = 0,
                      .zetaE = 0.6};
}

/// The shaft-and-jet window filled as for a level tunnel 1000–3000 of one 60 m² section: shaft 2200,
/// Qe 150 (one fan), Qb 250 given (two fans of 125), ds 60; the section demand worked out, then the
/// demands 200, 300 and 10 of the short passage typed over it. The main window's tunnel is set first.
inline void enterShaftJetFlatTunnel(frmShaftAndJet& w) {
    w.MultiPage1.userClick(0);
    test_support::TypeInto{{w.txtShaftPile, "2200"}, {w.txtQe, "150"},           {w.cmbCounte, "1"},
                           {w.txtQb, "125"},         {w.cmbCountb, "2"},         {w.txtKK_e, "0.9"},
                           {w.txtv_e, "6"},          {w.txtKK_b, "1"},           {w.txtv_b, "25"},
                           {w.txtbeta, "5"},         {w.txtZeta_fencha, "0.28"}, {w.txtZeta_heliu, "0.7"}};
    if (w.chkQb.Value() != 1) {
        w.chkQb.userClick();
    }
    w.MultiPage1.userClick(1);
    w.txtds.userType("60");
    w.cmdCalculateSectionQQ_req.userClick();
    w.QQ_req1 = 200;
    w.QQ_req2 = 300;
    w.QQ_req_VI = 10;
    test_support::TypeInto{
        {w.txtQQ_req1, "200.00"}, {w.txtQQ_req2, "300.00"}, {w.txtQQ_req_VI, "10.0000000"}};
}

} // namespace test_support

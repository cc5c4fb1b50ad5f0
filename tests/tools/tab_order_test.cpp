// SPDX-License-Identifier: GPL-3.0-or-later
// Tab in the tool windows walks each frame in the order its controls are listed, frame by frame.
#include "tools/frmAxialFanDesign.h"
#include "tools/frmConstructionVent.h"
#include "tools/frmSelectP.h"

#include "platform/Forms.h"
#include "tests/support/focus_chain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::Forms;

namespace {

void axialFan() {
    frmAxialFanDesign& f = Forms::instance<frmAxialFanDesign>();
    focus_chain::expect(
        f, focus_chain::join({{FOCUS(f.lstFanNo), FOCUS(f.txtFanNo), FOCUS(f.cmdAddFan),
                               FOCUS(f.cmdUpdateFan), FOCUS(f.cmdDeleteFan), FOCUS(f.txtQ), FOCUS(f.txtN),
                               FOCUS(f.udN), FOCUS(f.txtRHO), FOCUS(f.optFanType1), FOCUS(f.optFanType2),
                               FOCUS(f.txtv), FOCUS(f.txtDisc), FOCUS(f.lstSection)},
                              focus_chain::sectionEditor(f),
                              {FOCUS(f.txtlambdra),
                               FOCUS(f.txtSectionDisc),
                               FOCUS(f.cmdAddSection),
                               FOCUS(f.cmdInsertSection),
                               FOCUS(f.cmdUpdateSection),
                               FOCUS(f.cmdDeleteSection),
                               FOCUS(f.lstzeta),
                               FOCUS(f.txtzetapile),
                               FOCUS(f.txtzeta),
                               FOCUS(f.cmdZeta),
                               FOCUS(f.txtZetaDisc),
                               FOCUS(f.cmdAddZeta),
                               FOCUS(f.cmdUpdateZeta),
                               FOCUS(f.cmdDeleteZeta),
                               FOCUS(f.txtp_d),
                               FOCUS(f.txtp_s),
                               FOCUS(f.txtp_tot),
                               FOCUS(f.txtt),
                               FOCUS(f.txtP),
                               FOCUS(f.txteta),
                               FOCUS(f.txtSSkw),
                               FOCUS(f.txtetam),
                               FOCUS(f.txtk),
                               FOCUS(f.txtMM),
                               FOCUS(f.cmdCalculate),
                               FOCUS(f.cmdReport),
                               FOCUS(f.cmdClose)}}));
}

void construction() {
    frmConstructionVent& f = Forms::instance<frmConstructionVent>();
    focus_chain::expect(
        f, {FOCUS(f.txtA),          FOCUS(f.txtTunnelL), FOCUS(f.txtRHO),         FOCUS(f.optType(0)),
            FOCUS(f.optType(1)),    FOCUS(f.optType(2)), FOCUS(f.txtG),           FOCUS(f.txtt),
            FOCUS(f.txtQ(0)),       FOCUS(f.lstMethod1), FOCUS(f.txtPHI(0)),      FOCUS(f.txtb(0)),
            FOCUS(f.txtk),          FOCUS(f.txtLF),      FOCUS(f.cmdP100),        FOCUS(f.txtP),
            FOCUS(f.txtL(0)),       FOCUS(f.lstMethod2), FOCUS(f.optLeiGuan1),    FOCUS(f.optLeiGuan2),
            FOCUS(f.txtb(1)),       FOCUS(f.lstMethod3), FOCUS(f.txtPHI(1)),      FOCUS(f.txtb(2)),
            FOCUS(f.txtL(1)),       FOCUS(f.lstMethod4), FOCUS(f.txtHP),          FOCUS(f.optHY),
            FOCUS(f.optHP),         FOCUS(f.txtv),       FOCUS(f.txtQ(1)),        FOCUS(f.txtN),
            FOCUS(f.txtqperperson), FOCUS(f.txtQ(2)),    FOCUS(f.lstNR),          FOCUS(f.txtqperkW),
            FOCUS(f.txtNi),         FOCUS(f.txtNum),     FOCUS(f.txtTi),          FOCUS(f.txtwi),
            FOCUS(f.cmdAdd),        FOCUS(f.cmdUpdate),  FOCUS(f.cmdDelete),      FOCUS(f.txtQ(3)),
            FOCUS(f.cmbgasname),    FOCUS(f.txtC),       FOCUS(f.txtgas),         FOCUS(f.txtQ(4)),
            FOCUS(f.txtptot),       FOCUS(f.cmdPtot),    FOCUS(f.txtXZ),          FOCUS(f.txtQ(5)),
            FOCUS(f.txtTubeL),      FOCUS(f.txtD),       FOCUS(f.txtlambdra),     FOCUS(f.cmdLambda),
            FOCUS(f.txtH1),         FOCUS(f.txtzeta),    FOCUS(f.txtH2),          FOCUS(f.txth),
            FOCUS(f.txtFanNum),     FOCUS(f.udFanNum),   FOCUS(f.optLayoutType1), FOCUS(f.optLayoutType2),
            FOCUS(f.txtRatio),      FOCUS(f.udRatio),    FOCUS(f.txtQf),          FOCUS(f.txtPf),
            FOCUS(f.cmdCal),        FOCUS(f.cmdReport),  FOCUS(f.cmdClose),       FOCUS(f.lstTubeType),
            FOCUS(f.lstRe)});
}

void leakageDialog() {
    frmSelectP& f = Forms::instance<frmSelectP>();
    focus_chain::expect(f, {FOCUS(f.txtL), FOCUS(f.txtD), FOCUS(f.lstType), FOCUS(f.lstK0), FOCUS(f.opt3m),
                            FOCUS(f.opt4m), FOCUS(f.txtP), FOCUS(f.cmdOK)});
}

} // namespace

TEST(ToolsTabOrder, EachFrameInTheOrderItsControlsAreListed) {
    const std::vector<focus_chain::Window> windows = {
        {"frmAxialFanDesign", axialFan},
        {"frmConstructionVent", construction},
        {"frmSelectP", leakageDialog},
    };
    focus_chain::expectEach(windows);
}

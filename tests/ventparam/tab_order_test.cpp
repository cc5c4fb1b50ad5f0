// SPDX-License-Identifier: GPL-3.0-or-later
// Tab through step 2 and the loss dialogs, frame by frame, each frame in the order its controls stand.
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "tests/support/focus_chain.h"
#include "tests/support/test_stage.h"
#include "ventparam/dlgSectionPm.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/frmZeta.h"

#include <gtest/gtest.h>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

const std::vector<focus_chain::Window> kWindows = {
    {"frmVentParam",
     [] {
         frmVentParam& f = Forms::instance<frmVentParam>();
         focus_chain::expect(f, {FOCUS(f.txtzeta_e),
                                 FOCUS(f.txtlambda_r),
                                 FOCUS(f.txtv_n),
                                 FOCUS(f.txtAA_cs),
                                 FOCUS(f.txtxi_cs),
                                 FOCUS(f.txtAA_cl),
                                 FOCUS(f.txtxi_cl),
                                 FOCUS(f.txtr_1),
                                 FOCUS(f.txtAA_m),
                                 FOCUS(f.txtr_1_Bidirection),
                                 FOCUS(f.txtAA_m_Bidirection),
                                 FOCUS(f.lstCase),
                                 FOCUS(f.txtQQ_req),
                                 FOCUS(f.txtv_r),
                                 FOCUS(f.chkExchange),
                                 FOCUS(f.lstzeta),
                                 FOCUS(f.txtzetapile),
                                 FOCUS(f.txtzeta),
                                 FOCUS(f.cmdZeta),
                                 FOCUS(f.cmdAdd),
                                 FOCUS(f.cmdDelete),
                                 FOCUS(f.cmdUpdate),
                                 FOCUS(f.cmbNextStep),
                                 FOCUS(f.cmdReturn),
                                 FOCUS(f.cmdNextStep)});
     }},
    {"frmZeta",
     [] {
         frmZeta& f = Forms::instance<frmZeta>();
         focus_chain::expect(f, {FOCUS(f.lstZetaType),     FOCUS(f.txtD(0)),
                                 FOCUS(f.txtr(0)),         FOCUS(f.txttheta(0)),
                                 FOCUS(f.txttheta(1)),     FOCUS(f.txtD(2)),
                                 FOCUS(f.txtr(2)),         FOCUS(f.txttheta(2)),
                                 FOCUS(f.txtVaneNum(2)),   FOCUS(f.lstVaneType(2)),
                                 FOCUS(f.txtRe(2)),        FOCUS(f.txtD(3)),
                                 FOCUS(f.txtr(3)),         FOCUS(f.txttheta(3)),
                                 FOCUS(f.txtVaneNum(3)),   FOCUS(f.lstVaneType(3)),
                                 FOCUS(f.txtRe(3)),        FOCUS(f.txtD(4)),
                                 FOCUS(f.txtt1),           FOCUS(f.txtVaneNum(4)),
                                 FOCUS(f.lstVaneType(4)),  FOCUS(f.txtRe(4)),
                                 FOCUS(f.txtDelta),        FOCUS(f.optZhuanwan1),
                                 FOCUS(f.optZhuanwan2),    FOCUS(f.optRK1),
                                 FOCUS(f.optRK2),          FOCUS(f.optGS1),
                                 FOCUS(f.optGS2),          FOCUS(f.txtAreaRatio(6)),
                                 FOCUS(f.txtAreaRatio(7)), FOCUS(f.txtzeta),
                                 FOCUS(f.cmdCalculate),    FOCUS(f.cmdOK)});
     }},
    {"frmCalculatePd",
     [] {
         frmCalculatePd& f = Forms::instance<frmCalculatePd>();
         focus_chain::expect(
             f, focus_chain::join(
                    {{FOCUS(f.txtQ), FOCUS(f.txtRHO)},
                     focus_chain::sectionEditor(f),
                     {FOCUS(f.cmdAddSection), FOCUS(f.cmdDeleteSection), FOCUS(f.cmdUpdateSection),
                      FOCUS(f.cmdInsertSection), FOCUS(f.lstSection), FOCUS(f.txtzetapile), FOCUS(f.txtzeta),
                      FOCUS(f.cmdZeta), FOCUS(f.cmdAddZeta), FOCUS(f.cmdDeleteZeta), FOCUS(f.cmdUpdateZeta),
                      FOCUS(f.lstzeta), FOCUS(f.cmdCalculate), FOCUS(f.txtp_d), FOCUS(f.cmdClose)}}));
     }},
    {"dlgSectionPm",
     [] {
         dlgSectionPm& f = Forms::instance<dlgSectionPm>();
         focus_chain::expect(f, {FOCUS(f.txtSectionSP), FOCUS(f.txtSectionEP), FOCUS(f.txtQ),
                                 FOCUS(f.chkEntrance), FOCUS(f.chkExit), FOCUS(f.txtPm), FOCUS(f.OKButton),
                                 FOCUS(f.CancelButton)});
     }},
};

TEST(TabOrder, EveryWindowTabsThroughItsFramesInTheirListedOrder) {
    focus_chain::expectEach(kWindows);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Tab through the windows of the main window's folder: each frame in the order its controls are listed,
// frame by frame.
#include "app/dlgSectionQreq.h"
#include "app/frmAbout.h"
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "tests/support/focus_chain.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

const std::vector<focus_chain::Window> kWindows = {
    {"frmReq",
     [] {
         frmReq& f = Forms::instance<frmReq>();
         focus_chain::expectEach(
             f, {// tab strip, pages, pickers, next step
                 {FOCUS(f.pgMain), FOCUS(f.txtProjectName), FOCUS(f.txtStartPile), FOCUS(f.lstTraffic),
                  FOCUS(f.txtq_co_at_Year), FOCUS(f.cmbWorkVt_Bidirection), FOCUS(f.lstBlock),
                  FOCUS(f.txtExchangeNum), FOCUS(f.lstYear), FOCUS(f.lstCalSegment), FOCUS(f.sclVt),
                  FOCUS(f.cmdNextStep)},
                 // page 1
                 {FOCUS(f.txtProjectName), FOCUS(f.txtProjectDiscribe), FOCUS(f.optLeftLine),
                  FOCUS(f.optRightLine), FOCUS(f.cmbRoadClass), FOCUS(f.txtElevation), FOCUS(f.txtRHO),
                  FOCUS(f.txtTT), FOCUS(f.cmbvt), FOCUS(f.txtP), FOCUS(f.txtCO_in_Air), FOCUS(f.txtq_co),
                  FOCUS(f.txtDescRatio), FOCUS(f.txtDescYear), FOCUS(f.txtq_VI), FOCUS(f.txtName1),
                  FOCUS(f.txtName2), FOCUS(f.txtName3)},
                 // page 2
                 {FOCUS(f.txtStartPile), FOCUS(f.lstSlope), FOCUS(f.txtSlopePile), FOCUS(f.txtSlopeRatio),
                  FOCUS(f.cmdAddSlope), FOCUS(f.cmdDeleteSlope), FOCUS(f.cmdUpdateSlope), FOCUS(f.lstSection),
                  FOCUS(f.txtSectionPile), FOCUS(f.txtSectionArea), FOCUS(f.txtSectionPerimeter),
                  FOCUS(f.txtSectionD), FOCUS(f.cmdAddSection), FOCUS(f.cmdDeleteSection),
                  FOCUS(f.cmdUpdateSection), FOCUS(f.lstSegment), FOCUS(f.cmdRefreshSegment)},
                 // page 3
                 {FOCUS(f.lstTraffic),
                  FOCUS(f.txtYear),
                  FOCUS(f.txtPcu),
                  FOCUS(f.cmdAdd),
                  FOCUS(f.cmdDelete),
                  FOCUS(f.cmdUpdate),
                  FOCUS(f.txtTrafficRatio),
                  FOCUS(f.txtMainDirectionRatio),
                  FOCUS(f.txtPCUVeh),
                  FOCUS(f.txtTraffic1),
                  FOCUS(f.txtTraffic2),
                  FOCUS(f.txtNN),
                  FOCUS(f.chkTrafficTotal),
                  FOCUS(f.chkPetrol),
                  FOCUS(f.txtPetrol),
                  FOCUS(f.chkRatioNotSame),
                  FOCUS(f.lstTrafficAnalysis),
                  FOCUS(f.txtRatio1),
                  FOCUS(f.txtRatio2),
                  FOCUS(f.txtRatio3),
                  FOCUS(f.cmdRefreshTraffic),
                  FOCUS(f.cmdCalculateTraffic)},
                 // page 4
                 {FOCUS(f.txtq_co_at_Year),
                  FOCUS(f.lstCOModel),
                  FOCUS(f.chkDelta),
                  FOCUS(f.txtDelta),
                  FOCUS(f.txtworkv_t),
                  FOCUS(f.txtq_VI_at_Year),
                  FOCUS(f.lstLightModel),
                  FOCUS(f.chkKK),
                  FOCUS(f.txtKK),
                  FOCUS(f.txtf_a),
                  FOCUS(f.txtf_d),
                  FOCUS(f.txtf_h),
                  FOCUS(f.txtf_iv),
                  FOCUS(f.txtQQ_CO_SEGMENT),
                  FOCUS(f.txtQQ_req_CO_SEGMENT),
                  FOCUS(f.txtf_a_VI),
                  FOCUS(f.txtf_h_VI),
                  FOCUS(f.txtf_iv_VI),
                  FOCUS(f.txtQQ_VI_SEGMENT),
                  FOCUS(f.txtQQ_req_VI_SEGMENT),
                  FOCUS(f.txtQQ_CO),
                  FOCUS(f.txtQQ_req_CO),
                  FOCUS(f.txtQQ_VI),
                  FOCUS(f.txtQQ_req_VI)},
                 // page 5
                 {FOCUS(f.cmbWorkVt_Bidirection), FOCUS(f.chkDeltaBi), FOCUS(f.txtDelta_Bi), FOCUS(f.chkKKBi),
                  FOCUS(f.txtKK_Bi), FOCUS(f.optBiDirectionMethod1), FOCUS(f.txtBiDirection),
                  FOCUS(f.optBiDirectionMethod2), FOCUS(f.lstAllowVechileType), FOCUS(f.txtNN_bidirection),
                  FOCUS(f.txtQQ_req_CO_Bidirection_SEGMENT), FOCUS(f.txtQQ_req_VI_Bidirection_SEGMENT),
                  FOCUS(f.txtQQ_req_CO_Bidirection), FOCUS(f.txtQQ_req_VI_Bidirection)},
                 // page 6
                 {FOCUS(f.lstBlock), FOCUS(f.txtBlockLen), FOCUS(f.txtBlockVt), FOCUS(f.txtQQreq_CO_block),
                  FOCUS(f.txtQQreq_VI_block), FOCUS(f.cmdAddBlock), FOCUS(f.cmdDeleteBlock),
                  FOCUS(f.cmdUpdateBlock), FOCUS(f.chkDeltaBlock), FOCUS(f.txtDelta_block),
                  FOCUS(f.chkKKBlock), FOCUS(f.txtKK_block), FOCUS(f.txtQQ_req_CO_block),
                  FOCUS(f.txtQQ_req_VI_block), FOCUS(f.chkBlock), FOCUS(f.txtBlockStartPile),
                  FOCUS(f.txtBlockEndPile), FOCUS(f.txtQQ_req_CO_1kmblock), FOCUS(f.txtQQ_req_VI_1kmblock)},
                 // page 7
                 {FOCUS(f.txtExchangeNum),
                  FOCUS(f.txtQQ_req_exchange),
                  FOCUS(f.cmdCalQQ_req_exchange),
                  FOCUS(f.txtHRR),
                  FOCUS(f.txtAT),
                  FOCUS(f.optQsMethod1(0)),
                  FOCUS(f.optQsMethod1(1)),
                  FOCUS(f.optCrMehthod(0)),
                  FOCUS(f.optCrMehthod(1)),
                  FOCUS(f.optCrMehthod(2)),
                  FOCUS(f.txtTunnelH),
                  FOCUS(f.txtvcr),
                  FOCUS(f.txtFireSize),
                  FOCUS(f.txtPerimeter),
                  FOCUS(f.txtCH),
                  FOCUS(f.txtDSL),
                  FOCUS(f.txtHOR),
                  FOCUS(f.txtMPRS),
                  FOCUS(f.txtPRL),
                  FOCUS(f.txtCHO),
                  FOCUS(f.txtTSLA),
                  FOCUS(f.txtST),
                  FOCUS(f.txtAD),
                  FOCUS(f.txtQs)}});
     }},
    {"frmAbout",
     [] {
         frmAbout& f = Forms::instance<frmAbout>();
         focus_chain::expect(f, {FOCUS(f.txtAbout), FOCUS(f.cmdClose)});
     }},
    {"dlgSectionQreq",
     [] {
         dlgSectionQreq& f = Forms::instance<dlgSectionQreq>();
         focus_chain::expect(
             f, {FOCUS(f.txtSectionSP), FOCUS(f.txtSectionEP), FOCUS(f.txtSectionQreq), FOCUS(f.cmdClose)});
     }},
};

TEST(TabOrder, EveryWindowTabsThroughItsFramesInTheirListedOrder) {
    focus_chain::expectEach(kWindows);
}

} // namespace

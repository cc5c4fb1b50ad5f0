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
             f,
             {// tab strip, pages, pickers, next step
              FOCUS_ALL(f, pgMain, txtProjectName, txtStartPile, lstTraffic, txtq_co_at_Year,
                        cmbWorkVt_Bidirection, lstBlock, txtExchangeNum, lstYear, lstCalSegment, sclVt,
                        cmdNextStep),
              // page 1
              FOCUS_ALL(f, txtProjectName, txtProjectDiscribe, optLeftLine, optRightLine, cmbRoadClass,
                        txtElevation, txtRHO, txtTT, cmbvt, txtP, txtCO_in_Air, txtq_co, txtDescRatio,
                        txtDescYear, txtq_VI, txtName1, txtName2, txtName3),
              // page 2
              FOCUS_ALL(f, txtStartPile, lstSlope, txtSlopePile, txtSlopeRatio, cmdAddSlope, cmdDeleteSlope,
                        cmdUpdateSlope, lstSection, txtSectionPile, txtSectionArea, txtSectionPerimeter,
                        txtSectionD, cmdAddSection, cmdDeleteSection, cmdUpdateSection, lstSegment,
                        cmdRefreshSegment),
              // page 3
              FOCUS_ALL(f, lstTraffic, txtYear, txtPcu, cmdAdd, cmdDelete, cmdUpdate, txtTrafficRatio,
                        txtMainDirectionRatio, txtPCUVeh, txtTraffic1, txtTraffic2, txtNN, chkTrafficTotal,
                        chkPetrol, txtPetrol, chkRatioNotSame, lstTrafficAnalysis, txtRatio1, txtRatio2,
                        txtRatio3, cmdRefreshTraffic, cmdCalculateTraffic),
              // page 4
              FOCUS_ALL(f, txtq_co_at_Year, lstCOModel, chkDelta, txtDelta, txtworkv_t, txtq_VI_at_Year,
                        lstLightModel, chkKK, txtKK, txtf_a, txtf_d, txtf_h, txtf_iv, txtQQ_CO_SEGMENT,
                        txtQQ_req_CO_SEGMENT, txtf_a_VI, txtf_h_VI, txtf_iv_VI, txtQQ_VI_SEGMENT,
                        txtQQ_req_VI_SEGMENT, txtQQ_CO, txtQQ_req_CO, txtQQ_VI, txtQQ_req_VI),
              // page 5
              FOCUS_ALL(f, cmbWorkVt_Bidirection, chkDeltaBi, txtDelta_Bi, chkKKBi, txtKK_Bi,
                        optBiDirectionMethod1, txtBiDirection, optBiDirectionMethod2, lstAllowVechileType,
                        txtNN_bidirection, txtQQ_req_CO_Bidirection_SEGMENT, txtQQ_req_VI_Bidirection_SEGMENT,
                        txtQQ_req_CO_Bidirection, txtQQ_req_VI_Bidirection),
              // page 6
              FOCUS_ALL(f, lstBlock, txtBlockLen, txtBlockVt, txtQQreq_CO_block, txtQQreq_VI_block,
                        cmdAddBlock, cmdDeleteBlock, cmdUpdateBlock, chkDeltaBlock, txtDelta_block,
                        chkKKBlock, txtKK_block, txtQQ_req_CO_block, txtQQ_req_VI_block, chkBlock,
                        txtBlockStartPile, txtBlockEndPile, txtQQ_req_CO_1kmblock, txtQQ_req_VI_1kmblock),
              // page 7
              FOCUS_ALL(f, txtExchangeNum, txtQQ_req_exchange, cmdCalQQ_req_exchange, txtHRR, txtAT,
                        optQsMethod1(0), optQsMethod1(1), optCrMehthod(0), optCrMehthod(1), optCrMehthod(2),
                        txtTunnelH, txtvcr, txtFireSize, txtPerimeter, txtCH, txtDSL, txtHOR, txtMPRS, txtPRL,
                        txtCHO, txtTSLA, txtST, txtAD, txtQs)});
     }},
    {"frmAbout",
     [] {
         frmAbout& f = Forms::instance<frmAbout>();
         focus_chain::expect(f, FOCUS_ALL(f, txtAbout, cmdClose));
     }},
    {"dlgSectionQreq",
     [] {
         dlgSectionQreq& f = Forms::instance<dlgSectionQreq>();
         focus_chain::expect(f, FOCUS_ALL(f, txtSectionSP, txtSectionEP, txtSectionQreq, cmdClose));
     }},
};

TEST(TabOrder, EveryWindowTabsThroughItsFramesInTheirListedOrder) {
    focus_chain::expectEach(kWindows);
}

} // namespace

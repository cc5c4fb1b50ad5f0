// SPDX-License-Identifier: GPL-3.0-or-later
// A shaft fan of the several-shafts scheme whose opening's tunnel pressure alone moves its flow has no
// duty: its design pressure stays in view, no power is put beside it, and the total counts none for it.
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_project.h"
#include "tests/support/test_stage.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

TEST(MultiShaftFanDuty, AFanWithoutDutyGetsNoPower) {
    frmReq& req = test_support::savedTemplate();
    EXPECT_TRUE(
        test_support::openScheme<frmMultiShaftAndJet>(req, 4, [](frmMultiShaftAndJet& w, frmVentParam&) {
            w.cmdShaftSection.userClick();
            w.lstJet.ListItems.Add("10500").setSubItems(1, "2");
            w.lstJet.ListItems(1).setSubItems(2, "20");
            // Temperature, pressure and efficiency of both fans of every shaft, the exhaust ducts losing 300
            // Pa.
            for (int i = 1; i <= w.lstShaft.ListItems.Count(); ++i) {
                for (const auto& [column, text] : {std::pair{9, "20"},
                                                   {26, "20"},
                                                   {10, "101.325"},
                                                   {27, "101.325"},
                                                   {11, "0.8"},
                                                   {28, "0.8"},
                                                   {6, "300"}}) {
                    w.lstShaft.ListItems(i).setSubItems(column, text);
                }
            }
            platform::ListItem& shaft = w.lstShaft.ListItems(1);
            w.cmdAxialFanDesign.userClick();
            ASSERT_GT(vb::Val(shaft.SubItems(12)), 0);
            const double before = vb::Val(w.txtTotalPower.Text());
            // A duct loss 5 Pa below what the tunnel pressure at the opening, less the opening's velocity
            // pressure, leaves.
            const double ve = vb::Val(shaft.SubItems(3));
            shaft.setSubItems(6, vb::CStr(vb::Val(shaft.SubItems(7)) - 0.5 * modPublic::rho * ve * ve - 5));
            platform::msgbox::script(platform::vbOK);
            w.cmdAxialFanDesign.userClick();
            EXPECT_EQ(shaft.SubItems(8), "-5.50");
            EXPECT_EQ(shaft.SubItems(12), "");
            EXPECT_EQ(shaft.SubItems(15), "");
            EXPECT_NE(shaft.SubItems(29), "");
            EXPECT_LT(vb::Val(w.txtTotalPower.Text()), before);
            test_support::expectOneMessage(
                {.prompt =
                     "第1个竖井(桩号11800)"
                     "排风机设计风压不大于0，风口处隧道压力已足以形成该风量，不计算其风机功率和电机功率。",
                 .title = "提示"});
        }));
}

} // namespace

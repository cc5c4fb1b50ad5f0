// SPDX-License-Identifier: GPL-3.0-or-later
// Step 2's note on the working speed that needs more air, on a two-way bore typed in from 新建: in the
// two-way case it speaks of page 5's speeds, never of the one-way speeds of page 4.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/test_stage.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

// A two-way bore of 3.6 km, K5+000–K8+600, +0.5 % then −1.5 %, 70 m², 600 m above sea level, 60 km/h.
const test_support::NewTunnel kBore{.elevation = "600",
                                    .designSpeed = "60",
                                    .start = "5000",
                                    .slopes = {{"6800", "0.5"}, {"8600", "-1.5"}},
                                    .area = "70",
                                    .perimeter = "32.6",
                                    .years = {{"2030", "18000"}, {"2045", "24000"}}};

/// Page 5 recomputed at the speed at position `i` of its list, as the engineer asks for it: the speed
/// picked, then the design year clicked in the picker. The larger of the two demands it shows.
double pageFiveDemandAt(frmReq& req, int i) {
    req.cmbWorkVt_Bidirection.userSelect(i);
    req.lstYear.userItemClick(1);
    return modPublic::MaxOf(vb::Val(req.txtQQ_req_CO_Bidirection.Text()),
                            vb::Val(req.txtQQ_req_VI_Bidirection.Text()));
}

struct Note {
    std::string demand, caption, tip;
};

/// Step 2 opened from the main window, on the two-way case (picked there when the hand-off chose
/// another), then `position` of the case list; what the note beside the demand says.
Note stepTwoNote(frmReq& req, int position) {
    Note seen;
    test_stage::onModal<frmVentParam>([&](frmVentParam& w) {
        if (w.lstCase.ListIndex() != position) {
            w.lstCase.userClick(position);
        }
        seen = {w.txtQQ_req.Text(), w.lblSpeedTip.Caption(), w.lblSpeedTip.ToolTipText()};
        w.cmdReturn.userClick();
    });
    req.cmdNextStep.userClick();
    return seen;
}

TEST(TwoWaySpeedNote, NamesPageFivesSpeedThatNeedsMoreAirOrNothing) {
    frmReq& req = platform::Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, kBore);
    platform::filedialog::script(test_stage::appFolder() + "/双向隧道.vnt");
    req.mnuFileSaveAs_Click();
    ASSERT_FALSE(modPublic::ProjectFile.empty());
    const std::size_t boxesBefore = platform::msgbox::log().size();

    req.pgMain.userClick(5);
    const int speeds = req.cmbWorkVt_Bidirection.ListCount();
    ASSERT_GT(speeds, 1);
    int most = 0, least = 0;
    std::vector<double> demand;
    for (int i = 0; i < speeds; ++i) {
        demand.push_back(pageFiveDemandAt(req, i));
        most = demand[i] > demand[most] ? i : most;
        least = demand[i] < demand[least] ? i : least;
    }
    ASSERT_LT(demand[least], demand[most]);
    const std::string governing = req.cmbWorkVt_Bidirection.List(most);

    // On a speed that needs less air, the note names page 5's governing speed and its demand.
    pageFiveDemandAt(req, least);
    const Note atLeast = stepTwoNote(req, 1);
    EXPECT_EQ(vb::Val(atLeast.demand), demand[least]);
    const std::string note = "车速" + governing + "km/h时需风量更大:" + vb::CStr(demand[most]) + "m^3/s！";
    EXPECT_EQ(atLeast.caption, note);
    EXPECT_EQ(atLeast.tip, note + "请回到第5页选择该工况车速。");

    // On the governing speed itself there is nothing to say, whatever the one-way speeds would need.
    pageFiveDemandAt(req, most);
    const Note atMost = stepTwoNote(req, 1);
    EXPECT_EQ(vb::Val(atMost.demand), demand[most]);
    EXPECT_EQ(atMost.caption, "");
    EXPECT_EQ(atMost.tip, "");

    // The congestion cases take their speeds from the blocks: no note either.
    EXPECT_EQ(stepTwoNote(req, 2).caption, "");
    EXPECT_EQ(platform::msgbox::log().size(), boxesBefore);
}

TEST(TwoWaySpeedNote, ASpeedOrAnotherInputChangedAloneRecomputesItsPageAndStepTwoTakesItsDemand) {
    frmReq& req = platform::Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, kBore, test_stage::appFolder() + "/双向隧道.vnt");
    const auto totals = [&] {
        return req.txtQQ_req_CO_Bidirection.Text() + " " + req.txtQQ_req_VI_Bidirection.Text();
    };
    req.pgMain.userClick(5);
    ASSERT_EQ(totals(), "36.85 85.17") << "at the template's 40 km/h";
    // 80 km/h picked, then 20 typed, with no year or segment picked after: the CO and smoke demand of the
    // bore's 2030 traffic at that speed, as the engine gives them; step 2's two-way case takes the larger.
    req.cmbWorkVt_Bidirection.userSelect(1);
    EXPECT_EQ(totals(), "18.88 102.38");
    EXPECT_EQ(stepTwoNote(req, 1).demand, "102.38");
    req.cmbWorkVt_Bidirection.userType("20");
    EXPECT_EQ(totals(), "64.48 114.11");
    EXPECT_EQ(stepTwoNote(req, 1).demand, "114.11");

    // Every other input a page's totals depend on recomputes the page too: a year picked after its change
    // changes nothing (each change below changes the smoke total).
    platform::TextBox* const smokeTotal[] = {&req.txtQQ_req_VI, &req.txtQQ_req_VI_Bidirection,
                                             &req.txtQQ_req_VI_block};
    const std::tuple<int, const char*, std::function<void()>> inputs[] = {
        {5, "factor", [&] { req.txtBiDirection.userType("0.9"); }},
        {5, "method", [&] { req.optBiDirectionMethod2.userClick(); }},
        {5, "allowed class", [&] { req.lstAllowVechileType.userClick(2); }},
        {4, "light model", [&] { req.lstLightModel.userClick(1); }},
        {6, "block row", [&] { req.cmdDeleteBlock.userClick(); }}};
    for (const auto& [page, input, change] : inputs) {
        req.pgMain.userClick(page);
        change();
        const std::string changed = smokeTotal[page - 4]->Text();
        req.lstYear.userItemClick(1);
        EXPECT_EQ(smokeTotal[page - 4]->Text(), changed) << input;
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's hand-off to step 2: the design case and demand preset, the caption, the refusal of an
// unsaved project, and the .par file that step 2 leaves for the main window.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/list_rows.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using platform::Forms;

/// What step 2 showed when it opened.
struct Opened {
    int position = -2;
    std::string demand, speed, note, caption;
};

// A tunnel from station 1000 to 2000 with one 90 m² cross-section. The air-change demand is set through
// the number of air changes, because every change of the case recomputes it: 90 000 m³ · n / 3600.
class HandOff : public ::testing::Test {
protected:
    void SetUp() override {
        req.txtStartPile.setSilently("1000");
        test_support::setRows(req.lstSlope, {{"2000", "0"}});
        test_support::setRows(req.lstSection, {{"2000", "90", "36", "10.000"}});
        // No calculation segments: no page computes its totals, so the demands set below are handed over.
        req.lstSegment.ListItems.Clear();
        req.txtYear.setSilently("2030");
        modPublic::ProjectFile = test_stage::appFolder() + "/proj.vnt";
    }

    /// Demands of the one-way, two-way and full-length congestion cases (CO; smoke below it) and the
    /// number of air changes an hour.
    void demands(const char* oneWay, const char* twoWay, const char* block, const char* airChanges) {
        req.txtQQ_req_CO.setSilently(oneWay);
        req.txtQQ_req_VI.setSilently("1");
        req.txtQQ_req_CO_Bidirection.setSilently("2");
        req.txtQQ_req_VI_Bidirection.setSilently(twoWay);
        req.txtQQ_req_CO_block.setSilently(block);
        req.txtQQ_req_VI_block.setSilently("3");
        req.txtExchangeNum.setSilently(airChanges);
    }

    void exchangeAllowed() {
        ASSERT_TRUE(textfile::WriteLines(test_stage::appFolder() + "/proj.par",
                                         {"\"[通风计算]\"", "\"0.6\",\"0.02\",\"\",\"2.5\"",
                                          "\"0\",\"0\",\"2.13\",\"0.5\",\"5.37\",\"1\",\"0\",\"0\"", "0",
                                          "\"0\",\"0\"", "0", "#TRUE#"}));
    }

    /// Presses Next and records what step 2 shows; step 2 is left by Return.
    Opened next() {
        Opened seen;
        test_stage::onModal<frmVentParam>([&](frmVentParam& w) {
            seen.position = w.lstCase.ListIndex();
            seen.demand = w.txtQQ_req.Text();
            seen.speed = w.txtv_r.Text();
            seen.note = w.lblQreqTip.Caption();
            seen.caption = w.Caption();
            w.cmdReturn.userClick();
        });
        req.cmdNextStep.userClick();
        return seen;
    }

    frmReq& req = Forms::instance<frmReq>();
};

TEST_F(HandOff, AnUnsavedProjectIsRefusedAfterPublishing) {
    modPublic::ProjectFile.clear();
    platform::msgbox::script(platform::vbOK);
    req.cmdNextStep.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt, "请先保存项目！");
    EXPECT_EQ(platform::msgbox::log()[0].title, "保存");
    EXPECT_EQ(platform::msgbox::log()[0].buttons, platform::vbOKOnly);
    EXPECT_FALSE(Forms::isLoaded<frmVentParam>());
    EXPECT_DOUBLE_EQ(modPublic::StartPile, 1000);
    EXPECT_DOUBLE_EQ(modPublic::EndPile, 2000);
}

TEST_F(HandOff, OpensOnTheCaseWithTheLargestDemand) {
    // One-way 50, two-way 60, congestion 40, air changes 1.8 → 45.
    demands("50", "60", "40", "1.8");
    const Opened seen = next();
    EXPECT_EQ(seen.position, 1);
    EXPECT_EQ(seen.demand, "60");
    EXPECT_EQ(seen.speed, "0.667"); // 60 / 90
    EXPECT_EQ(seen.note, "");
    EXPECT_EQ(seen.caption, "Step 2: 通风分析参数设置,特征年:2030");
    EXPECT_EQ(req.txtQQ_req_exchange.Text(), "45.00");
    EXPECT_FALSE(Forms::isLoaded<frmVentParam>());
}

TEST_F(HandOff, OnATieTheEarlierCaseStays) {
    demands("50", "50", "50", "1");
    const Opened seen = next();
    EXPECT_EQ(seen.position, 0);
    EXPECT_EQ(seen.demand, "50");
    EXPECT_EQ(seen.speed, "0.556");
}

TEST_F(HandOff, FullLengthCongestionGovernsWhenLargest) {
    demands("50", "60", "75.5", "1");
    const Opened seen = next();
    EXPECT_EQ(seen.position, 2);
    EXPECT_EQ(seen.demand, "75.5");
}

TEST_F(HandOff, AllowedAirChangesGovernUnderTheOneWayCaseWithTheirNote) {
    // Air changes 2.8 → 70.00; step 2 lets them govern.
    exchangeAllowed();
    demands("50", "60", "40", "2.8");
    const Opened seen = next();
    EXPECT_EQ(seen.position, 0);
    EXPECT_EQ(seen.demand, "70.00");
    EXPECT_EQ(seen.note, "由换气次数要求需风量控制！");
    EXPECT_EQ(seen.speed, "0.778"); // 70 / 90
}

TEST_F(HandOff, LargerAirChangesAreNeverLostToTheOneWayDemand) {
    // Switches clear. Two-way governs the traffic (60) and the air changes are larger (70): moving back to
    // the one-way case rewrites its own 50, which must neither stand nor fall below the two-way 60.
    demands("50", "60", "40", "2.8");
    Opened seen = next();
    EXPECT_EQ(seen.position, 0);
    EXPECT_EQ(seen.demand, "70");
    EXPECT_EQ(seen.speed, "0.778");
    EXPECT_EQ(seen.note, "");

    // One-way governs the traffic: the case stays and the air-change demand replaces its figure alike.
    demands("65", "60", "40", "2.8");
    seen = next();
    EXPECT_EQ(seen.position, 0);
    EXPECT_EQ(seen.demand, "70");
}

TEST_F(HandOff, StepTwoIsCreatedAnewFromItsFileAtEveryPress) {
    demands("50", "60", "40", "1");
    modPublic::lambda_r = 0.025;
    test_stage::onModal<frmVentParam>([](frmVentParam& w) {
        test_support::TypeInto{
            {w.txtlambda_r, "0.03"}, {w.txtv_n, "1.2"}, {w.txtzetapile, "1500"}, {w.txtzeta, "0.7"}};
        w.cmdAdd.userClick();
        w.txtAA_cs.userType("2.0");
        // Left by the close box: nothing published, the file still written.
        platform::Forms::unload(w, platform::vbFormControlMenu);
    });
    req.cmdNextStep.userClick();
    EXPECT_FALSE(Forms::isLoaded<frmVentParam>());
    EXPECT_DOUBLE_EQ(modPublic::lambda_r, 0.025);

    std::string lambda, am, amTwoWay;
    int rows = 0;
    test_stage::onModal<frmVentParam>([&](frmVentParam& w) {
        lambda = w.txtlambda_r.Text();
        rows = w.lstzeta.ListItems.Count();
        am = w.txtAA_m.Text();
        amTwoWay = w.txtAA_m_Bidirection.Text();
        w.cmdReturn.userClick();
    });
    req.cmdNextStep.userClick();
    EXPECT_EQ(lambda, "0.03");
    EXPECT_EQ(rows, 1);

    // What the main window reads of the file when it opens the project: λr, vn and the two Am.
    modPublic::lambda_r = modPublic::v_n = modPublic::AA_m = modPublic::AA_m_Bidirection = -1;
    req.ReadParameter();
    EXPECT_DOUBLE_EQ(modPublic::lambda_r, 0.03);
    EXPECT_DOUBLE_EQ(modPublic::v_n, 1.2);
    EXPECT_DOUBLE_EQ(modPublic::AA_m, std::stod(am));
    EXPECT_DOUBLE_EQ(modPublic::AA_m_Bidirection, std::stod(amTwoWay));
    EXPECT_GT(modPublic::AA_m, 0);
}

} // namespace

namespace {

// The shipped template, saved under a name, with page 4 set to another working speed than the one that
// needs the most air: step 2 names that speed and its demand beside the demand it was handed; after the
// engineer picks that speed on page 4 the note is gone.
TEST(HandOffSpeeds, Step2NamesTheWorkingSpeedThatNeedsMoreAir) {
    frmReq& req = Forms::instance<frmReq>();
    platform::filedialog::script(test_stage::appFolder() + "/模板.vnt");
    req.mnuFileSaveAs_Click();
    ASSERT_FALSE(modPublic::ProjectFile.empty());

    vb::Integer governing = 0;
    double most = -1;
    for (const vb::Integer v : modPublic::WorkSpeeds) {
        const double q = req.OneWayDemandAt(v);
        if (q > most) {
            governing = v;
            most = q;
        }
    }
    ASSERT_EQ(governing, 10);
    const auto next = [&req] {
        std::pair<std::string, std::string> seen;
        test_stage::onModal<frmVentParam>([&](frmVentParam& w) {
            // The note speaks of page 4's speeds in the one-way case only.
            if (w.lstCase.ListIndex() != 0) {
                w.lstCase.userClick(0);
            }
            seen = {w.txtQQ_req.Text(), w.lblSpeedTip.Caption()};
            w.cmdReturn.userClick();
        });
        req.cmdNextStep.userClick();
        return seen;
    };

    req.pgMain.userClick(4);
    req.sclVt.userSet(100);
    const auto at100 = next();
    EXPECT_LT(vb::Val(at100.first), most);
    EXPECT_EQ(at100.second, "车速10km/h时需风量更大:" + vb::CStr(most) + "m^3/s！");

    req.sclVt.userSet(governing);
    const auto at10 = next();
    EXPECT_EQ(vb::Val(at10.first), most);
    EXPECT_EQ(at10.second, "");
    EXPECT_TRUE(platform::msgbox::log().empty());
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The basic-information page, the input switches, the publication of the project values and the design
// concentrations, through the main window as a user works it. Tables are the shipped ones:
//   daqiya: 0 m 101.33, 250 m 98.36, 500 m 95.46, 1250 m 87.18, 1500 m 84.56 kPa
//   K: 20 and 40 km/h 0.0090, 50 and 60 km/h 0.0075, 70 and 80 km/h 0.0070, 100 km/h 0.0065, 120 km/h 0.0050
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/Forms.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class BasicWindow : public ::testing::Test {
protected:
    void SetUp() override {
        modPublic::Reset();
        w = &platform::Forms::instance<frmReq>();
    }
    void TearDown() override { modPublic::Reset(); }

    // The user reaches only the page on show; the one-way page is frame 3.
    void showOneWayPage() { w->frmList(3).setVisible(true); }

    // A tunnel from `start` whose slope rows end at the given stations (the last is the tunnel end).
    void tunnel(const std::string& start, const std::vector<std::string>& slopePiles) {
        w->txtStartPile.setSilently(start);
        w->lstSlope.ListItems.Clear();
        for (const auto& pile : slopePiles) {
            w->lstSlope.ListItems.Add(pile);
        }
    }

    // The emission inputs without running anything; the rate typed last triggers the refresh.
    void emissionInputs(const std::string& qco, const std::string& qvi, const std::string& startYear,
                        const std::string& year) {
        w->txtq_co.setSilently(qco);
        w->txtq_VI.setSilently(qvi);
        w->txtDescYear.setSilently(startYear);
        w->txtYear.setSilently(year);
        w->txtDescRatio.setSilently("");
    }

    frmReq* w = nullptr;
};

// ---- Road class, design speed, elevation ----

TEST_F(BasicWindow, RoadClassSetsVehicleConditionCoefficientsByPosition) {
    struct Case {
        const char* roadClass;
        const char* fa;
        const char* faVI;
    };
    // Motorway and first class, and a class that is no list entry, keep 1.00; the lower classes 1.15/1.35.
    const Case cases[] = {{"二级公路", "1.15", "1.35"}, {"一级公路", "1.00", "1.00"},
                          {"四级公路", "1.15", "1.35"}, {"高速公路", "1.00", "1.00"},
                          {"三级公路", "1.15", "1.35"}, {"城市道路", "1.00", "1.00"}};
    for (const Case& c : cases) {
        w->cmbRoadClass.userType(c.roadClass);
        EXPECT_EQ(w->txtf_a.Text(), c.fa) << c.roadClass;
        EXPECT_EQ(w->txtf_a_VI.Text(), c.faVI) << c.roadClass;
    }
    w->cmbRoadClass.userType("二级公路");
    EXPECT_DOUBLE_EQ(w->f_a, 1.15);
    EXPECT_DOUBLE_EQ(w->f_a_vi, 1.35);
}

TEST_F(BasicWindow, PickingRoadClassAndSpeedFromTheListRefreshesTheirValues) {
    w->cmbRoadClass.userType("一级公路");
    w->cmbRoadClass.userSelect(3); // "三级公路"
    EXPECT_EQ(w->txtf_a.Text(), "1.15");
    EXPECT_EQ(w->txtf_a_VI.Text(), "1.35");

    w->cmbvt.userType("100");
    w->cmbvt.userSelect(1); // "80"
    EXPECT_EQ(w->txtworkv_t.Text(), "80");
    EXPECT_DOUBLE_EQ(modPublic::DesignSpeed, 80);
}

TEST_F(BasicWindow, DesignSpeedIsPublishedAndShownAsPlainNumber) {
    w->cmbvt.userType("62.5");
    EXPECT_EQ(w->txtworkv_t.Text(), "62.5");
    EXPECT_DOUBLE_EQ(modPublic::DesignSpeed, 62.5);
    EXPECT_DOUBLE_EQ(w->workv_t, 62.5);

    w->cmbvt.userType("快");
    EXPECT_EQ(w->txtworkv_t.Text(), "0");
    EXPECT_DOUBLE_EQ(modPublic::DesignSpeed, 0);
}

TEST_F(BasicWindow, ElevationSetsAltitudeCoefficientsAndSitePressure) {
    struct Case {
        const char* elevation;
        const char* fh;
        const char* fhVI;
        const char* p;
    };
    const Case cases[] = {
        {"0", "1.00", "1.00", "101.33"},
        {"399", "1.00", "1.00", "96.6316"}, // 98.36 + 149/250 × (95.46 − 98.36); fh stays 1 below 400
        {"400", "1.00", "1.00", "96.62"},   // both formulas give 1 at 400 m; p = 98.36 − 0.6 × 2.90
        // fh = 2700/1800 = 1.5, fh(VI) = 900 × 0.62/1800 + 1 = 1.31; p = 87.18 + 0.2 × (84.56 − 87.18)
        // = 86.656
        {"1300", "1.50", "1.31", "86.656"},
    };
    for (const Case& c : cases) {
        w->txtElevation.userType(c.elevation);
        EXPECT_EQ(w->txtf_h.Text(), c.fh) << c.elevation;
        EXPECT_EQ(w->txtf_h_VI.Text(), c.fhVI) << c.elevation;
        EXPECT_EQ(w->txtP.Text(), c.p) << c.elevation;
    }
    EXPECT_DOUBLE_EQ(modPublic::Elevation, 1300);
    EXPECT_DOUBLE_EQ(w->f_h, 1.5);

    // The member keeps the exact value; the box the demand reads back is rounded.
    w->txtElevation.userType("2000");
    EXPECT_DOUBLE_EQ(w->f_h, 3400.0 / 1800.0);
    EXPECT_EQ(w->txtf_h.Text(), "1.89");
    EXPECT_EQ(w->txtf_h_VI.Text(), "1.55"); // 1600 × 0.62/1800 + 1 = 1.5511
}

TEST_F(BasicWindow, TypedPressureLastsUntilTheElevationChanges) {
    w->txtElevation.userType("0");
    w->txtP.userType("100");
    EXPECT_EQ(w->txtP.Text(), "100");
    w->txtElevation.userType("250");
    EXPECT_EQ(w->txtP.Text(), "98.36");
}

// ---- Emission decline ----

TEST_F(BasicWindow, EmissionsAreBroughtToTheDesignYear) {
    // 0.01 × 0.98^10 = 0.008170728 → 0.0082; 2.5 × 0.98^10 = 2.042682 → 2.0427
    emissionInputs("0.01", "2.5", "2010", "2020");
    w->txtDescRatio.userType("2");
    EXPECT_EQ(w->txtq_co_at_Year.Text(), "0.0082");
    EXPECT_EQ(w->txtq_VI_at_Year.Text(), "2.0427");

    // The start year drives the same refresh: from 2015 it is 0.01 × 0.98^5 = 0.0090392 → 0.0090.
    w->txtDescYear.userType("2015");
    EXPECT_EQ(w->txtq_co_at_Year.Text(), "0.0090");
}

TEST_F(BasicWindow, DesignYearBeforeTheStartYearCopiesTheBaseTextUnformatted) {
    emissionInputs("0.010", "2.50 ", "2010", "2005");
    w->txtDescRatio.userType("2");
    EXPECT_EQ(w->txtq_co_at_Year.Text(), "0.010");
    EXPECT_EQ(w->txtq_VI_at_Year.Text(), "2.50 ");
}

TEST_F(BasicWindow, ZeroRateReformatsTheBaseFactors) {
    emissionInputs("0.007", "2.5", "2010", "2010");
    w->txtDescRatio.userType("0");
    EXPECT_EQ(w->txtq_co_at_Year.Text(), "0.0070");
    EXPECT_EQ(w->txtq_VI_at_Year.Text(), "2.5000");
}

TEST_F(BasicWindow, EditingTheBaseFactorAloneDoesNotRefreshTheYearFactor) {
    emissionInputs("0.01", "2.5", "2010", "2010");
    w->txtDescRatio.userType("2");
    w->txtq_co.userType("0.02");
    EXPECT_EQ(w->txtq_co_at_Year.Text(), "0.0100");
    w->RefreshEmissionAtYear();
    EXPECT_EQ(w->txtq_co_at_Year.Text(), "0.0200");
}

TEST_F(BasicWindow, ImpossibleRateOrUnreadableYearShowsNoFactor) {
    // A reduction above 100 % would turn the factor negative (or undefined for a part year).
    emissionInputs("0.01", "2.5", "2010", "2020.5");
    w->txtDescRatio.userType("2");
    ASSERT_FALSE(w->txtq_co_at_Year.Text().empty());
    w->txtDescRatio.userType("150");
    EXPECT_EQ(w->txtq_co_at_Year.Text(), "");
    EXPECT_EQ(w->txtq_VI_at_Year.Text(), "");

    emissionInputs("0.01", "2.5", "2010", "2020");
    w->txtDescRatio.userType("2");
    w->txtDescYear.userType("起算年");
    EXPECT_EQ(w->txtq_co_at_Year.Text(), "");
    EXPECT_EQ(w->txtq_VI_at_Year.Text(), "");
}

// ---- Input switches ----

TEST_F(BasicWindow, InputSwitchesEnableTheirBoxesWithTheRightPolarity) {
    struct Switch {
        platform::CheckBox& check;
        std::vector<platform::TextBox*> boxes;
        bool enabledWhenSet;
        const char* name;
    };
    const Switch switches[] = {
        {w->chkPetrol, {&w->txtPetrol}, true, "chkPetrol"},
        {w->chkTrafficTotal, {&w->txtMainDirectionRatio}, true, "chkTrafficTotal"},
        {w->chkDelta, {&w->txtDelta}, false, "chkDelta"},
        {w->chkKK, {&w->txtKK}, false, "chkKK"},
        {w->chkDeltaBi, {&w->txtDelta_Bi}, false, "chkDeltaBi"},
        {w->chkKKBi, {&w->txtKK_Bi}, false, "chkKKBi"},
        {w->chkDeltaBlock, {&w->txtDelta_block}, false, "chkDeltaBlock"},
        {w->chkKKBlock, {&w->txtKK_block}, false, "chkKKBlock"},
        {w->chkBlock, {&w->txtBlockStartPile, &w->txtBlockEndPile}, false, "chkBlock"},
    };
    for (const Switch& s : switches) {
        for (platform::TextBox* box : s.boxes) {
            box->setSilently("12.5");
        }
        s.check.set(1);
        for (platform::TextBox* box : s.boxes) {
            EXPECT_EQ(box->Enabled(), s.enabledWhenSet) << s.name << " set";
        }
        s.check.set(0);
        for (platform::TextBox* box : s.boxes) {
            EXPECT_EQ(box->Enabled(), !s.enabledWhenSet) << s.name << " cleared";
            EXPECT_EQ(box->Text(), "12.5") << s.name;
        }
    }
}

TEST_F(BasicWindow, UserTickingComputedDeltaLocksTheTypedBox) {
    showOneWayPage();
    w->chkDelta.set(0);
    w->chkDelta.userClick();
    EXPECT_FALSE(w->txtDelta.Enabled());
    w->chkDelta.userClick();
    EXPECT_TRUE(w->txtDelta.Enabled());
}

// ---- Design concentrations ----

TEST_F(BasicWindow, ComputedDeltaFollowsTunnelLengthAndVentilationMode) {
    w->chkDelta.set(1);
    struct Case {
        const char* end; // tunnel from 1000
        double longitudinal, transverse, pedestrian;
    };
    const Case cases[] = {
        {"1800", 300, 250, 150},     // 800 m: short-tunnel values
        {"2000", 300, 250, 150},     // 1000 m
        {"2500", 287.5, 237.5, 125}, // 1500 m: 300 − 500 × 50/2000; 150 − 500 × 50/1000
        {"3000", 275, 225, 100},     // 2000 m: the pedestrian line reaches its floor without a jump
        {"4000", 250, 200, 100},     // 3000 m
        {"9000", 250, 200, 100},
    };
    for (const Case& c : cases) {
        tunnel("1000", {"1200", c.end});
        w->lstCOModel.setListIndexSilently(0);
        EXPECT_DOUBLE_EQ(w->GetDelta(1), c.longitudinal) << c.end;
        w->lstCOModel.setListIndexSilently(1);
        EXPECT_DOUBLE_EQ(w->GetDelta(1), c.transverse) << c.end;
        w->lstCOModel.setListIndexSilently(2);
        EXPECT_DOUBLE_EQ(w->GetDelta(1), c.pedestrian) << c.end;
    }
    w->lstCOModel.setListIndexSilently(-1);
    EXPECT_DOUBLE_EQ(w->GetDelta(1), 0);
}

TEST_F(BasicWindow, TunnelLengthEndsAtTheLastSlopeRowNotTheLargest) {
    tunnel("1000", {"1800", "2500", "2000"});
    EXPECT_DOUBLE_EQ(w->GetTunnelLength(), 1000);
    tunnel("2050", {"1600", "1200"}); // stations falling: the distance counts
    EXPECT_DOUBLE_EQ(w->GetTunnelLength(), 850);
    tunnel("1000", {});
    EXPECT_DOUBLE_EQ(w->GetTunnelLength(), 0);
    w->chkDelta.set(1);
    w->lstCOModel.setListIndexSilently(0);
    EXPECT_DOUBLE_EQ(w->GetDelta(1), 300); // an empty slope list counts as a short tunnel
}

TEST_F(BasicWindow, DeltaIsTypedUnlessItsCaseIsTicked) {
    tunnel("1000", {"2500"}); // 1500 m
    w->lstCOModel.setListIndexSilently(0);
    w->txtDelta.setSilently("210");
    w->txtDelta_Bi.setSilently("220");
    w->txtDelta_block.setSilently("230abc");
    w->chkDelta.set(0);
    w->chkDeltaBi.set(0);
    w->chkDeltaBlock.set(0);
    EXPECT_DOUBLE_EQ(w->GetDelta(1), 210);
    EXPECT_DOUBLE_EQ(w->GetDelta(2), 220);
    EXPECT_DOUBLE_EQ(w->GetDelta(3), 230);
    EXPECT_DOUBLE_EQ(w->GetDelta(7), 287.5); // an unknown case always computes

    // Congestion unticked stays typed even with the one-way box ticked; ticked it is 300 in every mode.
    w->chkDelta.set(1);
    EXPECT_DOUBLE_EQ(w->GetDelta(3), 230);
    w->chkDeltaBlock.set(1);
    for (int mode = -1; mode <= 2; ++mode) {
        w->lstCOModel.setListIndexSilently(mode);
        EXPECT_DOUBLE_EQ(w->GetDelta(3), 300) << mode;
    }
    w->chkDeltaBi.set(1);
    w->lstCOModel.setListIndexSilently(1);
    EXPECT_DOUBLE_EQ(w->GetDelta(2), 237.5);
}

TEST_F(BasicWindow, SmokeConcentrationBySpeedAndLampType) {
    w->lstLightModel.setListIndexSilently(0);
    w->txtKK.setSilently("0.0123");
    w->chkKK.set(0);
    // One-way below 40 km/h always comes from the table; from 40 on the typed value serves.
    EXPECT_DOUBLE_EQ(w->GetKK(30, 1), 0.0090);
    EXPECT_DOUBLE_EQ(w->GetKK(40, 1), 0.0123);
    w->chkKK.set(1);
    EXPECT_DOUBLE_EQ(w->GetKK(60, 1), 0.0075);
    EXPECT_NEAR(w->GetKK(45, 1), 0.00825, 1e-12); // halfway between 40 (0.0090) and 50 (0.0075)

    // Fluorescent lamps look the speed up 20 km/h higher: 60 → K(80) = 0.0070; 90 → K(110) = 0.00575.
    w->lstLightModel.setListIndexSilently(1);
    EXPECT_DOUBLE_EQ(w->GetKK(60, 1), 0.0070);
    EXPECT_NEAR(w->GetKK(90, 1), 0.00575, 1e-12);

    w->txtKK_Bi.setSilently("0.0081");
    w->txtKK_block.setSilently("");
    w->chkKKBi.set(0);
    w->chkKKBlock.set(0);
    EXPECT_DOUBLE_EQ(w->GetKK(20, 2), 0.0081); // two-way typed even at low speed
    EXPECT_DOUBLE_EQ(w->GetKK(20, 3), 0);      // an empty typed box counts 0
    w->chkKKBi.set(1);
    w->chkKKBlock.set(1);
    EXPECT_DOUBLE_EQ(w->GetKK(60, 2), 0.0070);
    EXPECT_DOUBLE_EQ(w->GetKK(60, 3), 0.0070);
}

TEST_F(BasicWindow, ClickingModeAndLampShowsTheComputedOneWayValues) {
    showOneWayPage();
    tunnel("1000", {"2500"}); // 1500 m
    w->chkDelta.set(1);
    w->chkKK.set(1);
    w->cmbvt.userType("60");
    w->lstCOModel.setListIndexSilently(0);
    w->lstLightModel.setListIndexSilently(0);

    w->lstCOModel.userClick(1);
    EXPECT_EQ(w->txtDelta.Text(), "237.50");
    w->lstCOModel.userClick(2);
    EXPECT_EQ(w->txtDelta.Text(), "125.00");

    w->lstLightModel.userClick(1);
    EXPECT_EQ(w->txtKK.Text(), "0.0070");
    w->lstLightModel.userClick(0);
    EXPECT_EQ(w->txtKK.Text(), "0.0075");
}

TEST_F(BasicWindow, UphillShareIsOneHalfOnEitherLine) {
    w->optRightLine.set(true);
    tunnel("1000", {"1500", "2000"});
    EXPECT_DOUBLE_EQ(w->GetUpRatio(), 0.5);
    w->optLeftLine.set(true);
    EXPECT_DOUBLE_EQ(w->GetUpRatio(), 0.5);
}

// ---- Publication ----

TEST_F(BasicWindow, PublicationEndsTheTunnelAboveItsStartOnBothLines) {
    w->cmbvt.setTextSilently("80");
    w->txtElevation.setSilently("1300");
    w->txtNN.setSilently("1234.5");
    w->txtP.setSilently("86.656");
    w->txtRHO.setSilently("1.2");
    w->txtTT.setSilently("303");
    modPublic::p0 = 1;
    modPublic::T0 = 1;

    tunnel("1200", {"1500", "2050"});
    w->optRightLine.set(true);
    w->RefreshData(true);
    EXPECT_DOUBLE_EQ(modPublic::TunnelLength, 850);
    EXPECT_DOUBLE_EQ(modPublic::StartPile, 1200);
    EXPECT_DOUBLE_EQ(modPublic::EndPile, 2050);
    EXPECT_EQ(modPublic::PileDirection, 1);
    EXPECT_DOUBLE_EQ(modPublic::DesignSpeed, 80);
    EXPECT_DOUBLE_EQ(modPublic::Elevation, 1300);
    EXPECT_DOUBLE_EQ(modPublic::DesignTraffic, 1234.5);
    EXPECT_DOUBLE_EQ(modPublic::p, 86.656);
    EXPECT_DOUBLE_EQ(modPublic::p0, 101.325);
    EXPECT_DOUBLE_EQ(modPublic::T0, 273);
    EXPECT_DOUBLE_EQ(modPublic::rho, 1.2);
    EXPECT_DOUBLE_EQ(modPublic::TT, 303);

    // On the left line traffic drives from the end towards the start; the stations still rise.
    tunnel("1200", {"1500", "350"});
    w->optLeftLine.set(true);
    w->RefreshData(true);
    EXPECT_DOUBLE_EQ(modPublic::EndPile, 2050);
    EXPECT_EQ(modPublic::PileDirection, -1);
}

TEST_F(BasicWindow, PublicationReadsTheResultBoxesIntoTheMembers) {
    w->txtDelta.setSilently("12.345");
    w->txtKK.setSilently("abc");
    w->txtQQ_CO.setSilently("0.01234567");
    w->txtq_co.setSilently("0.007");
    w->txtQQ_req_VI.setSilently("123.4567");
    w->txtStartPile.setSilently("起点");
    w->lstLightModel.setListIndexSilently(1);
    w->RefreshData(true);
    EXPECT_DOUBLE_EQ(w->delta, 12.345);
    EXPECT_DOUBLE_EQ(w->KK, 0);
    EXPECT_DOUBLE_EQ(w->QQ_CO, 0.01234567);
    EXPECT_DOUBLE_EQ(w->q_CO, 0.007);
    EXPECT_DOUBLE_EQ(w->QQ_req_VI, 123.4567);
    EXPECT_DOUBLE_EQ(modPublic::StartPile, 0);
    EXPECT_EQ(w->lightmode, 1);
    // Publishing writes no control.
    EXPECT_EQ(w->txtDelta.Text(), "12.345");

    w->RefreshData(false);
    EXPECT_EQ(w->txtDelta.Text(), "12.35");
    EXPECT_EQ(w->txtKK.Text(), "0.0000");
    EXPECT_EQ(w->txtQQ_CO.Text(), "0.01234567");
    EXPECT_EQ(w->txtq_co.Text(), "0.01");
    EXPECT_EQ(w->txtQQ_req_VI.Text(), "123.457");
}

TEST_F(BasicWindow, WritingZeroMembersBackShowsEachBoxInItsFormat) {
    w->delta = w->KK = w->QQ_CO = w->q_CO = w->f_a = w->f_d = w->QQ_req_CO = 0;
    w->f_h = w->f_iv = w->q_vi = w->f_a_vi = w->f_h_vi = w->f_iv_VI = w->QQ_VI = w->QQ_req_VI = 0;
    modPublic::StartPile = 77;
    w->RefreshData(false);
    EXPECT_EQ(w->txtDelta.Text(), "0.00");
    EXPECT_EQ(w->txtKK.Text(), "0.0000");
    EXPECT_EQ(w->txtQQ_CO.Text(), "0.00000000");
    EXPECT_EQ(w->txtQQ_req_CO.Text(), "0.000");
    EXPECT_EQ(w->txtQQ_req_VI.Text(), "0.000");
    for (platform::TextBox* box : {&w->txtq_co, &w->txtf_a, &w->txtf_d, &w->txtf_h, &w->txtf_iv, &w->txtq_VI,
                                   &w->txtf_a_VI, &w->txtf_h_VI, &w->txtf_iv_VI, &w->txtQQ_VI}) {
        EXPECT_EQ(box->Text(), "0.00");
    }
    EXPECT_DOUBLE_EQ(modPublic::StartPile, 77); // no global is set
}

} // namespace

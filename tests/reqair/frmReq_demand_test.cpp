// SPDX-License-Identifier: GPL-3.0-or-later
// Required air of the one-way and two-way pages, the pickers that recompute them, and the calculation
// segments cut from the page-2 lists, driven through the main window.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "tests/support/list_rows.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_support::addRow;

// The small project of these tests, at standard air (p = p0, T = T0, so the air factors are 1), with
// fa = fh = 1, no CO in the fresh air, qco = 0.01 m³/(veh·km), qvi = 2.5 m²/(veh·km), δ = 250 ppm and
// K = 0.007 1/m typed for both traffic cases, one-way equivalent traffic 1000 (CO) and 200 (smoke) veh/h:
//   segment 1: 0 .. 600 m, slope 0 %, 60 km/h
//   segment 2: 600 .. 1000 m, slope +1 %, 60 km/h
// Shipped tables at 60 km/h: fd 1.0; fiv(CO) 1.0 at -1, 0 and +1 %; fiv(VI) 0.75 at -1 %, 1.00 at 0 %,
// 1.45 at +1 %. At 40 km/h: fd 1.5; fiv(CO) 1.0; fiv(VI) 0.85 at 0 %, 1.10 at +1 %.
class DemandWindow : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::clearRows(
            {w.lstSlope, w.lstSection, w.lstSegment, w.lstBlock, w.lstTraffic, w.lstYear, w.lstCalSegment});

        test_support::SetSilently{{w.txtP, "101.325"},   {w.txtTT, "273"},      {w.txtCO_in_Air, "0"},
                                  {w.txtf_a, "1.00"},    {w.txtf_a_VI, "1.00"}, {w.txtf_h, "1.00"},
                                  {w.txtf_h_VI, "1.00"}, {w.txtYear, "2020"},   {w.txtDescYear, "2020"},
                                  {w.txtq_co, "0.01"},   {w.txtq_VI, "2.5"},    {w.txtDescRatio, "0"}};
        w.txtDescRatio_Change();

        w.chkDelta.setSilently(0);
        w.txtDelta.setSilently("250");
        w.chkKK.setSilently(0);
        w.txtKK.setSilently("0.0070");
        w.chkDeltaBi.setSilently(0);
        w.txtDelta_Bi.setSilently("250");
        w.chkKKBi.setSilently(0);
        w.txtKK_Bi.setSilently("0.0070");

        w.nn_co = 1000;
        w.nn_vi = 200;
        w.workv_t = 80;
        w.txtworkv_t.setSilently("80");

        w.cmbWorkVt_Bidirection.setTextSilently("60");
        w.optBiDirectionMethod1.setSilently(true);
        w.txtBiDirection.setSilently("0.5");
        w.txtMainDirectionRatio.setSilently("0.5");

        addRow(w.lstSegment, "1", {"0", "600", "0", "60", "8", "60"});
        addRow(w.lstSegment, "2", {"600", "1000", "1", "60", "8", "60"});
    }

    void setClass(int row, const std::string& vehicles, const std::string& co, const std::string& vi) {
        platform::ListItem& item = w.lstTrafficAnalysis.ListItems(row);
        item.setSubItems(3, vehicles);
        item.setSubItems(7, co);
        item.setSubItems(8, vi);
    }

    // Every segment's CO demand counts zero and the page says why; the smoke demand stands.
    void expectCODemandIncomputable() {
        w.cmdCalculateQQ_CO_Click(-1, 60);
        EXPECT_EQ(w.txtQQ_req_CO.Text(), "0.000");
        EXPECT_EQ(w.txtQQ_req_VI.Text(), "23.413");
        EXPECT_EQ(w.lblWarning4.Caption(), "区段1、2: δ、气压、气温或新风CO浓度不可用, CO需风量按0计.");
    }

    void markResults(const std::string& mark) {
        for (platform::TextBox* box :
             {&w.txtQQ_CO, &w.txtQQ_VI, &w.txtQQ_req_CO, &w.txtQQ_req_VI, &w.txtf_d, &w.txtf_iv,
              &w.txtf_iv_VI, &w.txtQQ_CO_SEGMENT, &w.txtQQ_VI_SEGMENT, &w.txtQQ_req_CO_SEGMENT,
              &w.txtQQ_req_VI_SEGMENT, &w.txtQQ_req_CO_Bidirection, &w.txtQQ_req_VI_Bidirection,
              &w.txtQQ_req_CO_Bidirection_SEGMENT, &w.txtQQ_req_VI_Bidirection_SEGMENT}) {
            box->setSilently(mark);
        }
    }

    frmReq& w = platform::Forms::instance<frmReq>();
};

// ---- One-way demand ----

TEST_F(DemandWindow, OneWayTotalsAndPickedSegmentOfAHandCheckedProject) {
    // Segment 1, L = 600: Qco = 0.01 × 1 × 600 × 1000 / 3.6e6 = 0.0016667, Qreq(CO) = Qco / 250 × 1e6 =
    //   6.6667; Qvi = 2.5 × 1.00 × 600 × 200 / 3.6e6 = 0.0833333, Qreq(VI) = Qvi / 0.007 = 11.904762.
    // Segment 2, L = 400: Qco = 0.0011111, Qreq(CO) = 4.4444; Qvi = 2.5 × 1.45 × 400 × 200 / 3.6e6 =
    //   0.0805556, Qreq(VI) = 11.507937.
    // Emission boxes: "0.0017" + 0.0011111 → "0.0028"; "0.0833" + 0.0805556 → "0.1639".
    // Totals: 11.1111 → "11.111"; 23.412698 → "23.413".
    w.cmdCalculateQQ_CO_Click(2, 60);

    test_support::ExpectTexts{{w.txtQQ_CO, "0.0028"},
                              {w.txtQQ_VI, "0.1639"},
                              {w.txtQQ_req_CO, "11.111"},
                              {w.txtQQ_req_VI, "23.413"},
                              {w.txtf_d, "1.00"},
                              {w.txtf_iv, "1.00"},
                              {w.txtf_iv_VI, "1.45"},
                              {w.txtQQ_CO_SEGMENT, "0.0011"},
                              {w.txtQQ_VI_SEGMENT, "0.0806"},
                              {w.txtQQ_req_CO_SEGMENT, "4.4444"},
                              {w.txtQQ_req_VI_SEGMENT, "11.5079"}};
    EXPECT_EQ(w.workv_t, 60);
    EXPECT_EQ(w.txtworkv_t.Text(), "60");
    // The members hold the last segment's values.
    EXPECT_NEAR(w.QQ_req_CO, 4.444444, 1e-6);
    EXPECT_NEAR(w.QQ_req_VI, 11.507937, 1e-6);
    EXPECT_DOUBLE_EQ(w.f_iv_VI, 1.45);
    EXPECT_EQ(w.lblWarning4.Caption(), "");
    EXPECT_FALSE(w.lblWarning4.Visible());
}

TEST_F(DemandWindow, WorkingSpeedServesEverySegmentAndEmissionTotalsAreReadBackRounded) {
    // At 40 km/h: segment 1 Qco = 0.01 × 1.5 × 600 × 1000 / 3.6e6 = 0.0025 → Qreq 10; Qvi = 2.5 × 1.5 ×
    // 0.85 × 600 × 200 / 3.6e6 = 0.10625 → Qreq 15.178571. Segment 2 Qco = 0.0016667 → 6.666667; Qvi =
    // 2.5 × 1.5 × 1.10 × 400 × 200 / 3.6e6 = 0.0916667 → 13.095238.
    // Smoke box: "0.1063" (0.10625 rounds up) + 0.0916667 = 0.1979667 → "0.1980", not the "0.1979" of the
    // unrounded sum.
    w.cmdCalculateQQ_CO_Click(-1, 40);

    test_support::ExpectTexts{{w.txtQQ_CO, "0.0042"},
                              {w.txtQQ_VI, "0.1980"},
                              {w.txtQQ_req_CO, "16.667"},
                              {w.txtQQ_req_VI, "28.274"},
                              {w.txtworkv_t, "40"}};
}

TEST_F(DemandWindow, WithoutAWorkingSpeedEachSegmentKeepsItsOwnAndThePageSpeedStays) {
    markResults("x");
    w.cmdCalculateQQ_CO_Click();

    EXPECT_EQ(w.workv_t, 80);
    EXPECT_EQ(w.txtworkv_t.Text(), "80");
    // Both segments at their own 60 km/h, as in the hand-checked project.
    EXPECT_EQ(w.txtQQ_req_CO.Text(), "11.111");
    EXPECT_EQ(w.txtQQ_req_VI.Text(), "23.413");
    // No segment picked: the detail boxes stay.
    EXPECT_EQ(w.txtf_d.Text(), "x");
    EXPECT_EQ(w.txtQQ_req_CO_SEGMENT.Text(), "x");
}

TEST_F(DemandWindow, OneWayPublishesThePressureAndTemperatureFirst) {
    // Published at 273 K; the engineer then types 300 K. The CO demand follows T / T0 = 300 / 273:
    // 11.1111 × 300 / 273 = 12.2100.
    w.RefreshData(true);
    ASSERT_EQ(modPublic::TT, 273);
    w.txtTT.userType("300");
    w.cmdCalculateQQ_CO_Click(-1, 60);

    EXPECT_EQ(modPublic::TT, 300);
    EXPECT_EQ(w.txtQQ_req_CO.Text(), "12.210");
    EXPECT_EQ(w.txtQQ_req_VI.Text(), "23.413");
}

TEST_F(DemandWindow, AnIncomputableGasCountsZeroAndThePageSaysSo) {
    // δ = 0: no segment's CO demand can be computed. Without the warning the previous segment's value
    // would be added again; here each counts 0 and the smoke demand is unaffected.
    w.txtDelta.set("0");
    w.cmdCalculateQQ_CO_Click(1, 60);

    EXPECT_EQ(w.txtQQ_req_CO.Text(), "0.000");
    EXPECT_EQ(w.txtQQ_req_CO_SEGMENT.Text(), "0.0000");
    EXPECT_EQ(w.txtQQ_req_VI.Text(), "23.413");
    EXPECT_TRUE(w.lblWarning4.Visible());
    EXPECT_EQ(w.lblWarning4.Caption(), "区段1、2: δ、气压、气温或新风CO浓度不可用, CO需风量按0计.");

    // K = 0 as well, then both usable again: the warning goes with the cause.
    w.txtKK.set("0");
    w.cmdCalculateQQ_CO_Click(1, 60);
    EXPECT_EQ(w.txtQQ_req_VI.Text(), "0.000");
    EXPECT_EQ(
        w.lblWarning4.Caption(),
        "区段1、2: δ、气压、气温或新风CO浓度不可用, CO需风量按0计; 区段1、2: K不可用, 烟雾需风量按0计.");

    w.txtDelta.set("250");
    w.txtKK.set("0.007");
    w.cmdCalculateQQ_CO_Click(1, 60);
    EXPECT_EQ(w.txtQQ_req_CO.Text(), "11.111");
    EXPECT_FALSE(w.lblWarning4.Visible());
}

TEST_F(DemandWindow, AZeroPressureMakesTheCODemandIncomputable) {
    w.txtP.userType("0");
    expectCODemandIncomputable();
}

TEST_F(DemandWindow, ABlankDesignTemperatureMakesTheCODemandIncomputable) {
    // T = 0 K turns Qreq(CO) = p0·Qco·T·10⁶ / (p·δ·T0) into 0 for every segment: the page must say so
    // rather than show 0.000 as a result. The smoke demand does not depend on the temperature.
    w.txtTT.userType("");
    expectCODemandIncomputable();
}

TEST_F(DemandWindow, AnEmptySegmentTableLeavesTheEmissionBoxesEmpty) {
    w.lstSegment.ListItems.Clear();
    markResults("x");
    w.cmdCalculateQQ_CO_Click(1, 60);
    // No emission to show, no demand, and the coefficient boxes keep what they held.
    test_support::ExpectTexts{{w.txtQQ_CO, ""}, {w.txtQQ_VI, ""}, {w.txtf_d, "x"}};
    test_support::ExpectTexts{{w.txtQQ_req_CO, "0.000"}, {w.txtQQ_req_VI, "0.000"}};
}

TEST_F(DemandWindow, ASegmentCellWithoutANumberCountsZero) {
    // Segment 2's end station is blank: it reads 0, so L = |0 - 600| = 600, never the previous row's value
    // (which would give L = 0). Segment 2 then: Qco = 0.0016667 → 6.6667; Qvi = 2.5 × 1.45 × 600 × 200 /
    // 3.6e6 = 0.1208333 → 17.261905. Totals 13.333 and 29.167.
    w.lstSegment.ListItems(2).setSubItems(2, "");
    w.cmdCalculateQQ_CO_Click(-1, 60);
    EXPECT_EQ(w.txtQQ_req_CO.Text(), "13.333");
    EXPECT_EQ(w.txtQQ_req_VI.Text(), "29.167");
}

// ---- Two-way demand ----

TEST_F(DemandWindow, TwoWayControlTrafficMethodOfAHandCheckedProject) {
    // k = 0.5: nCO = 500, nVI = 100, half of each in either direction at 60 km/h.
    // Segment 1 (0 %): Qco = 0.01 × 600 × 500 / 3.6e6 = 0.00083333 → 3.333333; Qvi = 2.5 × 600 × 100 ×
    //   1.00 / 3.6e6 = 0.0416667 → 5.952381.
    // Segment 2 (+1 %): Qco = 0.01 × 400 × 500 / 3.6e6 → 2.222222; Qvi = 2.5 × 400 × (50 × 0.75 + 50 ×
    //   1.45) / 3.6e6 = 0.0305556 → 4.365079.
    // Totals 5.555556 → "5.56", 10.317460 → "10.32"; segment 2 "2.22", "4.37".
    w.txtNN_bidirection.setSilently("400.00");
    w.cmdCalculateQQ_bidrection_Click(2);

    test_support::ExpectTexts{{w.txtQQ_req_CO_Bidirection, "5.56"},
                              {w.txtQQ_req_VI_Bidirection, "10.32"},
                              {w.txtQQ_req_CO_Bidirection_SEGMENT, "2.22"},
                              {w.txtQQ_req_VI_Bidirection_SEGMENT, "4.37"}};
    // The design traffic stays as the factor handler wrote it.
    EXPECT_EQ(w.txtNN_bidirection.Text(), "400.00");
    EXPECT_NEAR(w.QQ_req_VI, 4.365079, 1e-6);
    EXPECT_FALSE(w.lblWarning5.Visible());
}

TEST_F(DemandWindow, TwoWayAllowedClassesMethodOfAHandCheckedProject) {
    // Classes 1 and 3 allowed, directional factor 0.5: CO-eq (150 + 50) / 0.5 = 400, smoke-eq
    // (40 + 75) / 0.5 = 230, vehicles 150 / 0.5 = 300 ("300.00"); class 2 is not allowed.
    // Segment 1: Qco = 0.01 × 600 × 400 / 3.6e6 → 2.666667; Qvi = 2.5 × 600 × 230 / 3.6e6 = 0.0958333 →
    //   13.690476.
    // Segment 2: Qco = 0.01 × 400 × 400 / 3.6e6 → 1.777778; Qvi = 2.5 × 400 × 115 × (0.75 + 1.45) / 3.6e6
    //   = 0.0702778 → 10.039683.
    // Totals 4.444444 → "4.44", 23.730159 → "23.73"; segment 1 "2.67", "13.69".
    setClass(1, "100", "150", "40");
    setClass(2, "999", "999", "999");
    setClass(3, "50", "50", "75");
    w.lstAllowVechileType.setSelectedSilently(0, true);
    w.lstAllowVechileType.setSelectedSilently(2, true);
    w.optBiDirectionMethod2.setSilently(true);
    w.cmdCalculateQQ_bidrection_Click(1);
    EXPECT_EQ(w.txtNN_bidirection.Text(), "300.00");
    // The tunnel's totals, then segment 1's.
    test_support::ExpectTexts{{w.txtQQ_req_CO_Bidirection, "4.44"}, {w.txtQQ_req_VI_Bidirection, "23.73"}};
    test_support::ExpectTexts{{w.txtQQ_req_CO_Bidirection_SEGMENT, "2.67"},
                              {w.txtQQ_req_VI_Bidirection_SEGMENT, "13.69"}};
}

TEST_F(DemandWindow, TwoWayWarnsOfAZeroDirectionalFactorAndAZeroConcentration) {
    setClass(1, "100", "150", "40");
    w.lstAllowVechileType.setSelectedSilently(0, true);
    w.optBiDirectionMethod2.setSilently(true);
    w.txtMainDirectionRatio.set("0");
    w.txtDelta_Bi.setSilently("0");
    markResults("x");
    w.cmdCalculateQQ_bidrection_Click();

    test_support::ExpectTexts{{w.txtNN_bidirection, "0.00"},
                              {w.txtQQ_req_CO_Bidirection, "0.00"},
                              {w.txtQQ_req_VI_Bidirection, "0.00"},
                              {w.txtQQ_req_CO_Bidirection_SEGMENT, "x"}};
    EXPECT_EQ(w.lblWarning5.Caption(), "方向不均匀系数不大于0, 允许通行车型的交通量按0计. 区段1、2: "
                                       "δ、气压、气温或新风CO浓度不可用, CO需风量按0计.");
}

// ---- Pickers and the page dispatcher ----

class DemandPages : public DemandWindow {
protected:
    void SetUp() override {
        DemandWindow::SetUp();
        w.lstSegment.select(2);
    }
};

TEST_F(DemandPages, ArrivingOnPage4ComputesThePickedSegmentAtTheWorkingSpeed) {
    // The bar takes the working speed; without design years the current year stays.
    w.workv_t = 60;
    w.pgMain.userClick(4);

    EXPECT_EQ(w.lblSegment.Caption(), "选择计算区段:2");
    EXPECT_EQ(w.sclVt.Value(), 60);
    EXPECT_EQ(w.txtQQ_req_CO.Text(), "11.111");
    EXPECT_EQ(w.txtQQ_req_VI.Text(), "23.413");
    EXPECT_EQ(w.txtQQ_req_VI_SEGMENT.Text(), "11.5079");
}

TEST_F(DemandPages, ClickingTheOpenTabAgainComputesNothing) {
    // At the page's 80 km/h: fd 0.75, fiv(CO) 1.0, fiv(VI) 1.30 at 0 % and 2.60 at +1 %.
    // Qreq(CO) = 0.00125 / 250e-6 + 0.00083333 / 250e-6 = 5 + 3.333333 = 8.333.
    w.pgMain.userClick(4);
    ASSERT_EQ(w.txtQQ_req_CO.Text(), "8.333");
    markResults("x");
    w.pgMain.userClick(4);
    test_support::ExpectTexts{{w.txtQQ_req_CO, "x"}, {w.txtQQ_VI, "x"}};
}

TEST_F(DemandPages, PickingASegmentShowsItsDetails) {
    w.pgMain.userClick(4);
    w.sclVt.userSet(60);
    markResults("x");
    w.lstCalSegment.userItemClick(1);

    EXPECT_EQ(w.lblSegment.Caption(), "选择计算区段:1");
    test_support::ExpectTexts{{w.txtQQ_req_CO_SEGMENT, "6.6667"},
                              {w.txtQQ_req_VI_SEGMENT, "11.9048"},
                              {w.txtf_iv_VI, "1.00"},
                              {w.txtQQ_req_CO, "11.111"}};
}

TEST_F(DemandPages, PickingASpeedRecomputesEverySegmentAtIt) {
    w.pgMain.userClick(4);
    markResults("x");
    w.sclVt.userSet(40);

    EXPECT_EQ(w.lblvt.Caption(), "选择工况车速vt(km/h):40");
    EXPECT_EQ(w.workv_t, 40);
    test_support::ExpectTexts{
        {w.txtworkv_t, "40"}, {w.txtQQ_req_CO, "16.667"}, {w.txtQQ_req_VI, "28.274"}, {w.txtQQ_VI, "0.1980"}};
}

TEST_F(DemandPages, PickingAYearMakesItCurrentAndRecomputesThePage) {
    // Page 3: only class 1 (share 1, one pcu per vehicle, all diesel, fm(VI) 0.4), design hour factor
    // 0.1. 2020 has 10000 pcu/d: N = 1000, CO-eq 1000, smoke-eq 400. 2030 has 20000 pcu/d: N = 2000,
    // CO-eq 2000, smoke-eq 800; with a decline of 2 % a year, qco = 0.01 × 0.98^10 → "0.0082" and
    // qvi = 2.5 × 0.98^10 → "2.0427".
    // 2030 at 60 km/h: Qreq(CO) = 0.0082 × (600 + 400) × 2000 / 3.6e6 / 250e-6 = 18.222;
    // Qreq(VI) = 2.0427 × (1.00 × 600 + 1.45 × 400) × 800 / 3.6e6 / 0.007 = 76.520.
    w.VehicleMixes.clear();
    for (int k = 1; k <= 7; ++k) {
        platform::ListItem& row = w.lstTrafficAnalysis.ListItems(k);
        const std::string share = k == 1 ? "1" : "0";
        row.setSubItems(1, share);
        row.setSubItems(2, share);
        row.setSubItems(4, share);
    }
    w.txtTrafficRatio.setSilently("1");
    w.chkTrafficTotal.setSilently(0);
    w.txtTraffic2.setSilently("0.1");
    w.chkPetrol.setSilently(0);
    w.txtDescRatio.userType("2");
    addRow(w.lstTraffic, "2020", {"10000"});
    addRow(w.lstTraffic, "2030", {"20000"});
    w.workv_t = 60;
    w.pgMain.userClick(4);
    ASSERT_EQ(w.lblYear.Caption(), "选择特征年:2020");
    markResults("x");
    w.lstYear.userItemClick(2);

    EXPECT_EQ(w.lblYear.Caption(), "选择特征年:2030");
    EXPECT_EQ(w.txtYear.Text(), "2030");
    EXPECT_EQ(w.txtq_co_at_Year.Text(), "0.0082");
    EXPECT_EQ(w.nn_co, 2000);
    EXPECT_EQ(w.txtQQ_req_CO.Text(), "18.222");
    EXPECT_EQ(w.txtQQ_req_VI.Text(), "76.520");

    // Back to 2020 (no decline yet): 0.01 × 1000 × 1000 / 3.6e6 / 250e-6 = 11.111; smoke 46.825.
    w.lstYear.userItemClick(1);
    EXPECT_EQ(w.txtQQ_req_CO.Text(), "11.111");
    EXPECT_EQ(w.txtQQ_req_VI.Text(), "46.825");
}

TEST_F(DemandPages, WithNoSegmentPickedThePageStillComputesItsTotals) {
    w.pgMain.userClick(4);
    w.lstCalSegment.ListItems.Clear();
    markResults("x");
    w.sclVt.userSet(60);

    EXPECT_EQ(w.txtQQ_req_CO.Text(), "11.111");
    EXPECT_EQ(w.txtQQ_req_VI.Text(), "23.413");
    EXPECT_EQ(w.txtQQ_req_CO_SEGMENT.Text(), "x");

    w.pgMain.userClick(5);
    w.lstCalSegment.ListItems.Clear();
    markResults("x");
    w.RefreshQQ();
    EXPECT_EQ(w.txtQQ_req_CO_Bidirection.Text(), "5.56");
    EXPECT_EQ(w.txtQQ_req_CO_Bidirection_SEGMENT.Text(), "x");
}

TEST_F(DemandPages, Page5ComputesTheTwoWayDemandOfThePickedSegment) {
    w.pgMain.userClick(5);
    EXPECT_FALSE(w.sclVt.Enabled());
    EXPECT_EQ(w.txtQQ_req_CO_Bidirection.Text(), "5.56");
    EXPECT_EQ(w.txtQQ_req_VI_Bidirection.Text(), "10.32");
    EXPECT_EQ(w.txtQQ_req_VI_Bidirection_SEGMENT.Text(), "4.37");
}

TEST_F(DemandPages, OtherPagesOnlyRefreshTheYearInputs) {
    w.pgMain.userClick(3);
    w.txtq_co.setSilently("0.02");
    markResults("x");
    w.RefreshQQ();
    EXPECT_EQ(w.txtq_co_at_Year.Text(), "0.0200");
    EXPECT_EQ(w.txtQQ_req_CO.Text(), "x");
    EXPECT_EQ(w.txtQQ_req_CO_Bidirection.Text(), "x");
}

// ---- Calculation segments ----

class SegmentWindow : public DemandWindow {
protected:
    void SetUp() override {
        DemandWindow::SetUp();
        w.txtStartPile.setSilently("1000");
        w.optRightLine.setSilently(true);
        addRow(w.lstSlope, "1400", {"2"});
        addRow(w.lstSlope, "2000", {"-1"});
        addRow(w.lstSection, "1400", {"60", "30", "8"});
        addRow(w.lstSection, "2000", {"70", "32", "8.75"});
        addRow(w.lstBlock, "300", {"10"});
        addRow(w.lstBlock, "200", {"20"});
    }

    std::vector<double> starts() const {
        std::vector<double> v;
        for (const reqair::CalSegment& s : w.CalSegments) {
            v.push_back(s.StartPile);
        }
        return v;
    }
};

TEST_F(SegmentWindow, WholeTunnelIsCutAtSlopeSectionAndBlockStations) {
    // Start 1000, tunnel end 2000 (last slope row). Breaks 1000, 1300 (block 1), 1400 (slope and section
    // together), 1500 (block 2), 2000. Congestion case: speeds 10, 20 in the blocks, 0 beyond them.
    double dsp = -1;
    double dep = -1;
    w.BuildSegments({}, 3, dsp, dep, 0, false);

    EXPECT_EQ(dsp, 1000);
    EXPECT_EQ(dep, 2000);
    ASSERT_EQ(w.CalSegments.UBound(), 4u);
    EXPECT_EQ(starts(), (std::vector<double>{1000, 1300, 1400, 1500}));
    EXPECT_EQ(w.CalSegments(4).EndPile, 2000);
    EXPECT_EQ(w.CalSegments(1).Speed, 10);
    EXPECT_EQ(w.CalSegments(2).Speed, 20);
    EXPECT_EQ(w.CalSegments(3).Speed, 20);
    EXPECT_EQ(w.CalSegments(4).Speed, 0);
    EXPECT_EQ(w.CalSegments(1).Slope, 2);
    EXPECT_EQ(w.CalSegments(3).Slope, -1);
    EXPECT_EQ(w.CalSegments(3).Area, 70);
    EXPECT_EQ(w.CalSegments(3).Diameter, 8.75);
    EXPECT_EQ(w.BlockPiles.items, (std::vector<double>{1000, 1300, 1500}));
    EXPECT_EQ(w.BreakPiles.items, (std::vector<double>{1000, 1300, 1400, 1500, 2000}));
}

TEST_F(SegmentWindow, AStretchTakesItsSpeedFromThePageAndItsVelocityFromTheFlow) {
    // Stretch 1350 .. 1450 at 120 m³/s, one-way speed from txtworkv_t (80): pieces 1350-1400 (area 60,
    // 2 m/s) and 1400-1450 (area 70, 1.714 m/s). On the left line the slopes change sign.
    w.optLeftLine.setSilently(true);
    double dsp = 1350;
    double dep = 1450;
    w.BuildSegments({1350, 1450}, 1, dsp, dep, 120, false);

    ASSERT_EQ(w.CalSegments.UBound(), 2u);
    EXPECT_EQ(starts(), (std::vector<double>{1350, 1400}));
    EXPECT_EQ(w.CalSegments(1).Speed, 80);
    EXPECT_DOUBLE_EQ(w.CalSegments(1).Velocity, 2.0);
    EXPECT_DOUBLE_EQ(w.CalSegments(2).Velocity, 120.0 / 70);
    EXPECT_EQ(w.CalSegments(1).Slope, -2);
    EXPECT_EQ(w.CalSegments(2).Slope, 1);
}

TEST_F(SegmentWindow, AnEmptyStretchGivesOneZeroRecord) {
    double dsp = 1400;
    double dep = 1400;
    w.BuildSegments({}, 2, dsp, dep, 0, false);
    ASSERT_EQ(w.CalSegments.UBound(), 1u);
    EXPECT_EQ(w.CalSegments(1).EndPile, 0);
    EXPECT_EQ(w.CalSegments(1).Area, 0);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Station lookups, stretch resistance and traffic piston force read from the main window's lists.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/Forms.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/test_stage.h"
#include "tests/support/list_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_support::addRow;

// Tunnel from station 1000, 600 m (right line):
//   slopes:   .. 1200 +2 %;  .. 1600 -1.5 %
//   sections: .. 1300 A 60 m², U 30 m, D 8 m;  .. 1600 A 70 m², U 32 m, D 8.75 m
// Design hour traffic 1800 veh/h, one-way working speed 72 km/h (20 m/s), two-way speed 36 km/h (10 m/s).
class PressureWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w.lstBlock.ListItems.Clear();
        w.optRightLine.setSilently(true);
        w.txtStartPile.setSilently("1000");
        test_support::setRows(w.lstSlope, {{"1200", "2"}, {"1600", "-1.5"}});
        test_support::setRows(w.lstSection, {{"1300", "60", "30", "8"}, {"1600", "70", "32", "8.75"}});
        w.txtNN.setSilently("1800");
        w.workv_t = 72;
        w.txtworkv_t.setSilently("72");
        w.cmbWorkVt_Bidirection.setTextSilently("36");
        w.optBiDirectionMethod1.setSilently(true);
        w.txtBiDirection.setSilently("0.5");
        w.txtMainDirectionRatio.setSilently("0.5");
    }

    frmReq& w = platform::Forms::instance<frmReq>();
};

TEST_F(PressureWindow, LookupsFollowTheListsAsTheyStandAtEachCall) {
    double d = -1;
    EXPECT_EQ(w.GetAA_r(1000, &d), 60);
    EXPECT_EQ(d, 8);
    EXPECT_EQ(w.GetAA_r(1600, &d), 70);
    EXPECT_EQ(d, 8.75);
    EXPECT_EQ(w.GetUU_r(1300), 32);
    EXPECT_EQ(w.GetSlope_i(1100), 2);

    w.lstSection.ListItems(1).setSubItems(1, "65");
    EXPECT_EQ(w.GetAA_r(1100), 65);
    w.optLeftLine.setSilently(true);
    EXPECT_EQ(w.GetSlope_i(1100), -2);
    EXPECT_EQ(w.GetSlope_i(1600), 0);

    // The parsed rows are kept between calls: every kind of row change must still be seen.
    w.lstSection.ListItems(1).setText("900");
    EXPECT_EQ(w.GetAA_r(1000), 70);
    w.lstSection.ListItems.Remove(1);
    w.lstSection.ListItems.Insert(1, "1200").setSubItems(1, "61");
    EXPECT_EQ(w.GetAA_r(1100), 61);
    w.lstSection.ListItems.Clear();
    EXPECT_EQ(w.GetAA_r(1100), 0);
}

TEST_F(PressureWindow, ColumnsAreReadStrictlyAndStationsByTheirLeadingNumber) {
    w.lstSection.ListItems(1).setText("1300 m");
    w.lstSection.ListItems(1).setSubItems(1, "60abc");
    w.lstSection.ListItems(1).setSubItems(2, "");
    double d = 5;
    EXPECT_EQ(w.GetAA_r(1100, &d), 0);
    EXPECT_EQ(d, 8);
    EXPECT_EQ(w.GetUU_r(1100), 0);
    EXPECT_EQ(w.GetAA_r(1300), 70);
}

TEST_F(PressureWindow, VehicleSpeedOfTheCongestionBlocks) {
    addRow(w.lstBlock, "300", {"20"});
    addRow(w.lstBlock, "500", {"10"});
    EXPECT_EQ(w.GetWorkv_t(1350, 3), 10);
    EXPECT_EQ(w.GetWorkv_t(1300, 3), 20);
    EXPECT_EQ(w.GetWorkv_t(1300, 1), 72);
    EXPECT_EQ(w.GetWorkv_t(1300, 2), 36);
    EXPECT_EQ(w.GetWorkv_t(1300, 4), 0);
}

TEST_F(PressureWindow, StretchResistanceAndItsBreakStations) {
    // 1100 .. 1200 in the first section: 100 · 0.02 / 8 · 0.6 · (100 / 60)² = 0.4166667; type 4: no end loss.
    EXPECT_NEAR(w.GetYANCHENGDeltap_r_m(1200, 1100, 0.02, 1.2, 100, 4), 0.4166667, 1e-6);
    EXPECT_EQ(w.BlockPiles.items, (std::vector<double>{1000, 1100, 1200, 1300, 1600}));
    // Default type 1: + 0.6 · (0.6 + 0.28) · (100 / 60)² = 1.4666667
    EXPECT_NEAR(w.GetYANCHENGDeltap_r_m(1100, 1200, 0.02, 1.2, 100), 0.4166667 + 1.4666667, 1e-6);
    // Closed forms: Σ λ·L/D = 0.02 · 300 / 8 + 0.02 · 300 / 8.75 = 1.4357143; (1 + 0.5 + 1.4357143) · 0.6 · 4
    EXPECT_NEAR(w.GetTotalDeltap_m(0.5, 0.02, 1.2, 2), 7.0457143, 1e-6);
    EXPECT_NEAR(w.GetTotalDeltap_r(0.5, 0.02, 1.2, 2), 7.0457143, 1e-6);
    EXPECT_NEAR(w.GetRUKOUDeltap_m(0.5, 1.2, 2), 3.6, 1e-12);
    EXPECT_NEAR(w.GetRUKOUDeltap_r(0.5, 1.2, 2), 3.6, 1e-12);
}

TEST_F(PressureWindow, LargeVehicleShareFromTheTrafficAnalysis) {
    const std::vector<std::string> shares = {"0.1", "0.2", "0.15", "0.3", "0.05", "0.1", "0.1"};
    for (int j = 1; j <= 7; ++j) {
        w.lstTrafficAnalysis.ListItems(j).setSubItems(1, shares[static_cast<std::size_t>(j - 1)]);
    }
    for (int j = 0; j < 7; ++j) {
        w.lstAllowVechileType.setSelectedSilently(j, j == 0 || j == 2);
    }
    EXPECT_NEAR(w.Getr_1(1), 0.4, 1e-12);
    EXPECT_NEAR(w.Getr_1(2), 0.4, 1e-12);
    w.optBiDirectionMethod2.setSilently(true);
    EXPECT_NEAR(w.Getr_1(2), 0.6, 1e-12); // 0.15 / (0.1 + 0.15)
}

TEST_F(PressureWindow, OneWayPistonForceOverTheCutSegments) {
    // Q = 0, vt = 20 m/s: Σ k · L · N / 3600 · vt over 1000 .. 1600 (cut at 1200 and 1300):
    //   A 60: 0.025 · 300 · 0.5 · 20 = 75;  A 70: 1.5 / 70 · 300 · 0.5 · 20 = 64.285714
    EXPECT_NEAR(w.GetYANCHENGDeltap_t1(1600, 1000, 0, 2.5, 1.2), 139.285714, 1e-6);
    EXPECT_EQ(w.CalSegments.items.size(), 3u);
    EXPECT_NEAR(w.GetYANCHENGDeltap_t1(1000, 1600, 0, 2.5, 1.2, 1, true), -139.285714, 1e-6);
}

TEST_F(PressureWindow, TwoWayPistonForceOverTheCutSegments) {
    // N = 0.5 · 1800 = 900 split 450 / 450; in still air the two streams cancel.
    EXPECT_NEAR(w.GetYANCHENGDeltap_t2(1000, 1600, 0, 2.5, 1.2), 0, 1e-9);
    // 1000 .. 1300, Q = 600: vr = 10 = vt, so the up stream adds 0; the down stream n = 300 · 450 / 3600 / 10
    // = 3.75 brakes with 0.025 · 3.75 · 20² = 37.5.
    EXPECT_NEAR(w.GetYANCHENGDeltap_t2(1300, 1000, 600, 2.5, 1.2), -37.5, 1e-9);
    // Allowed classes: class 1 (400) and class 3 (cell not a number: nothing) over 0.5 → N = 800, 400 / 400;
    // down stream 300 · 400 / 3600 / 10 = 3.3333333 → -0.025 · 3.3333333 · 400 = -33.333333
    w.optBiDirectionMethod2.setSilently(true);
    for (int j = 0; j < 7; ++j) {
        w.lstAllowVechileType.setSelectedSilently(j, j == 0 || j == 2);
    }
    w.lstTrafficAnalysis.ListItems(1).setSubItems(3, "400");
    w.lstTrafficAnalysis.ListItems(3).setSubItems(3, "n/a");
    EXPECT_NEAR(w.GetYANCHENGDeltap_t2(1300, 1000, 600, 2.5, 1.2), -33.333333, 1e-6);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/twoway_demand.h"

#include "tests/reqair/test_tables.h"

#include <gtest/gtest.h>

using namespace reqair;

namespace {

// Flat fd = 1; fiv (CO) over slopes −2, 0, 2: 0.5, 1, 1.5; fiv (VI): 0.8, 1, 1.2; at every speed.
using Tables = reqair_test::DemandTables;

CalSegment seg(double from, double to, double slope) {
    CalSegment s;
    s.StartPile = from;
    s.EndPile = to;
    s.Slope = slope;
    s.Area = 60;
    s.Speed = 80; // the table's own speed is not used in two-way traffic
    return s;
}

// Segment A 0–1000 m at +2 %, B 1000–1500 m flat; two-way speed 60 km/h; qco 0.01, qvi 1;
// fa = fh = 1, p = p0, T = T0, clean fresh air; two-way δ typed 250, K typed 0.005.
// One-way equivalents nn_co 1200, nn_vi 600. Classes 1 and 4 allowed: class 1 100 vehicles, 150 CO-eq,
// 120 VI-eq; class 4 500, 450, 30; class 2 (999 each) not allowed. Directional factor 0.5.
TwoWayInput project() {
    TwoWayInput in;
    in.Segments = {seg(0, 1000, 2), seg(1000, 1500, 0)};
    in.Speed = 60;
    in.qco = 0.01;
    in.qvi = 1;
    in.Site.TT = in.Site.T0;
    in.Concentrations.Cases[1].DeltaTyped = 250;
    in.Concentrations.Cases[1].KKTyped = 0.005;
    in.nn_co = 1200;
    in.nn_vi = 600;
    in.BiDirectionFactor = 0.5;
    in.Classes[0] = {100, 150, 120};
    in.Classes[1] = {999, 999, 999};
    in.Classes[3] = {500, 450, 30};
    in.AllowedClasses[0] = true;
    in.AllowedClasses[3] = true;
    in.MainDirectionRatio = 0.5;
    return in;
}

} // namespace

TEST(TwoWayDemand, ControlTrafficMethodByHand) {
    // nCO = 0.5·1200 = 600 (300 each way), nVI = 0.5·600 = 300 (150 each way).
    // A: Qco = 0.01·1000·(0.5·300 + 1.5·300)/3.6e6 = 0.0016667 → Qreq(CO) = Qco/250·10⁶ = 6.6667
    //    Qvi = 1000·(0.8·150 + 1.2·150)/3.6e6 = 0.083333 → Qreq(VI) = Qvi/0.005 = 16.6667
    // B: Qco = 0.01·500·600/3.6e6 → 3.3333;  Qvi = 500·300/3.6e6 → 8.3333
    // Totals 10.00 and 25.00.
    const Tables t;
    TwoWayInput in = project();
    in.iSegmentIndex = 1;
    const TwoWayResult r = CalculateTwoWay(in, t.ref(), t.K);
    EXPECT_DOUBLE_EQ(r.nnCO, 600);
    EXPECT_DOUBLE_EQ(r.nnVI, 300);
    EXPECT_NEAR(r.SCO, 10, 1e-9);
    EXPECT_NEAR(r.SVI, 25, 1e-9);
    EXPECT_EQ(r.QQ_req_CO, "10.00");
    EXPECT_EQ(r.QQ_req_VI, "25.00");
    EXPECT_EQ(r.SegmentQQ_req_CO, "6.67");
    EXPECT_EQ(r.SegmentQQ_req_VI, "16.67");
    // The design traffic box keeps what the factor handler wrote.
    EXPECT_FALSE(r.NN_bidirection.has_value());
    EXPECT_FALSE(r.BadDirectionRatio);
}

TEST(TwoWayDemand, AllowedClassesMethodByHand) {
    // ACO = (150 + 450)/0.5 = 1200, AVI = (120 + 30)/0.5 = 300, AN = (100 + 500)/0.5 = 1200.
    // A: Qco = 0.01·1000·(0.5·600 + 1.5·600)/3.6e6 = 0.0033333 → 13.3333; B: 0.01·500·1200/3.6e6 → 6.6667
    // A: Qvi = 1000·(0.8·150 + 1.2·150)/3.6e6 → 16.6667;             B: 500·300/3.6e6 → 8.3333
    const Tables t;
    TwoWayInput in = project();
    in.Method = TwoWayMethod::AllowedClasses;
    in.iSegmentIndex = 2;
    const TwoWayResult r = CalculateTwoWay(in, t.ref(), t.K);
    EXPECT_DOUBLE_EQ(r.nnCO, 1200);
    EXPECT_DOUBLE_EQ(r.nnVI, 300);
    EXPECT_EQ(r.QQ_req_CO, "20.00");
    EXPECT_EQ(r.QQ_req_VI, "25.00");
    EXPECT_EQ(r.SegmentQQ_req_CO, "6.67");
    EXPECT_EQ(r.SegmentQQ_req_VI, "8.33");
    EXPECT_EQ(r.NN_bidirection, "1200.00");
}

TEST(TwoWayDemand, NoAllowedClassGivesZero) {
    const Tables t;
    TwoWayInput in = project();
    in.Method = TwoWayMethod::AllowedClasses;
    in.AllowedClasses = {};
    const TwoWayResult r = CalculateTwoWay(in, t.ref(), t.K);
    EXPECT_EQ(r.QQ_req_CO, "0.00");
    EXPECT_EQ(r.QQ_req_VI, "0.00");
    EXPECT_EQ(r.NN_bidirection, "0.00");
    EXPECT_FALSE(r.BadDirectionRatio);
}

TEST(TwoWayDemand, ZeroDirectionalFactorIsRefusedNotIgnored) {
    // Undivided sums would be a different formula; the allowed traffic counts 0 and the window warns.
    const Tables t;
    TwoWayInput in = project();
    in.Method = TwoWayMethod::AllowedClasses;
    in.MainDirectionRatio = 0;
    const TwoWayResult r = CalculateTwoWay(in, t.ref(), t.K);
    EXPECT_TRUE(r.BadDirectionRatio);
    EXPECT_EQ(r.QQ_req_CO, "0.00");
    EXPECT_EQ(r.NN_bidirection, "0.00");
    // The control-traffic method does not use the factor.
    in.Method = TwoWayMethod::ControlTraffic;
    const TwoWayResult m1 = CalculateTwoWay(in, t.ref(), t.K);
    EXPECT_FALSE(m1.BadDirectionRatio);
    EXPECT_EQ(m1.QQ_req_CO, "10.00");
}

TEST(TwoWayDemand, FailedSegmentsAndEmptyTablesNeverAddStaleDemand) {
    const Tables t;
    TwoWayInput in = project();
    in.Concentrations.Cases[1].KKTyped = 0;
    const TwoWayResult r = CalculateTwoWay(in, t.ref(), t.K);
    EXPECT_EQ(r.FailedRows, (std::vector<int>{1, 2}));
    EXPECT_EQ(r.QQ_req_VI, "0.00");
    EXPECT_EQ(r.QQ_req_CO, "10.00");

    in.Segments.clear();
    in.iSegmentIndex = 1;
    const TwoWayResult empty = CalculateTwoWay(in, t.ref(), t.K);
    EXPECT_EQ(empty.QQ_req_CO, "0.00");
    EXPECT_FALSE(empty.SegmentQQ_req_CO.has_value());
}

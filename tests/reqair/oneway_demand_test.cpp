// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/oneway_demand.h"

#include "tests/reqair/test_tables.h"

#include <gtest/gtest.h>

using namespace reqair;
using reqair_test::Table1D;

namespace {

// Flat fd = 1; fiv (CO) over slopes −2, 0, 2: 0.5, 1, 1.5; fiv (VI): 0.8, 1, 1.2; at every speed.
using Tables = reqair_test::DemandTables;

CalSegment seg(double from, double to, double slope, double speed) {
    CalSegment s;
    s.StartPile = from;
    s.EndPile = to;
    s.Slope = slope;
    s.Area = 60;
    s.Diameter = 8;
    s.Speed = speed;
    return s;
}

// Segment A 0–1000 m flat at 60 km/h, B 1000–1500 m at +2 % and 40 km/h. qco 0.01, qvi 1,
// nn_co 600, nn_vi 300; fa = fh = 1, p = p0, T = T0, clean fresh air; δ typed 250, K typed 0.005.
OneWayInput project() {
    OneWayInput in;
    in.Segments = {seg(0, 1000, 0, 60), seg(1000, 1500, 2, 40)};
    in.qco = 0.01;
    in.qvi = 1;
    in.nn_co = 600;
    in.nn_vi = 300;
    in.Site.TT = in.Site.T0;
    in.Concentrations.Cases[0].DeltaTyped = 250;
    in.Concentrations.Cases[0].KKTyped = 0.005;
    return in;
}

} // namespace

TEST(OneWayDemand, SmallProjectByHand) {
    // A: Qco = 0.01·1000·600/3.6e6 = 0.0016667; Qreq(CO) = Qco/250·10⁶ = 6.6667
    //    Qvi = 1·1000·300/3.6e6 = 0.083333;    Qreq(VI) = Qvi/0.005 = 16.6667
    // B: Qco = 0.01·1.5·500·600/3.6e6 = 0.00125; Qreq(CO) = 5
    //    Qvi = 1.2·500·300/3.6e6 = 0.05;          Qreq(VI) = 10
    // Required air 11.6667 → "11.667" and 26.6667 → "26.667".
    const Tables t;
    OneWayInput in = project();
    in.iSegmentIndex = 2;
    const OneWayResult r = CalculateOneWay(in, t.ref(), t.K);
    ASSERT_EQ(r.Segments.size(), 2u);
    EXPECT_NEAR(r.SCO, 35.0 / 3, 1e-9);
    EXPECT_NEAR(r.SVI, 80.0 / 3, 1e-9);
    EXPECT_EQ(r.QQ_req_CO, "11.667");
    EXPECT_EQ(r.QQ_req_VI, "26.667");
    ASSERT_TRUE(r.Detail.has_value());
    EXPECT_EQ(r.Detail->f_d, "1.00");
    EXPECT_EQ(r.Detail->f_iv, "1.50");
    EXPECT_EQ(r.Detail->f_iv_VI, "1.20");
    EXPECT_EQ(r.Detail->QQ_CO, "0.0013"); // 0.00125, half away from zero
    EXPECT_EQ(r.Detail->QQ_VI, "0.0500");
    EXPECT_EQ(r.Detail->QQ_req_CO, "5.0000");
    EXPECT_EQ(r.Detail->QQ_req_VI, "10.0000");
    EXPECT_NEAR(r.Last.QQ_req_VI, 10, 1e-9);
    EXPECT_TRUE(r.FailedRows.empty());
}

TEST(OneWayDemand, EmissionTotalIsTheSumOfTheRoundedTexts) {
    // The box holds "0.0017" after A; 0.0017 + 0.00125 = 0.00295 → "0.0030", while the unrounded sum
    // 0.0029167 would show "0.0029".
    const Tables t;
    const OneWayResult r = CalculateOneWay(project(), t.ref(), t.K);
    EXPECT_EQ(r.QQ_CO, "0.0030");
    EXPECT_EQ(r.QQ_VI, "0.1333"); // "0.0833" + 0.05

    // Three segments of 21.6 m at 1000 CO-vehicles: Qco = 0.01·21.6·1000/3.6e6 = 0.00006 each.
    // The box reads 0.0001, 0.0002, 0.0003; the true sum 0.00018 would round to 0.0002.
    OneWayInput small = project();
    small.nn_co = 1000;
    small.Segments = {seg(0, 21.6, 0, 60), seg(21.6, 43.2, 0, 60), seg(43.2, 64.8, 0, 60)};
    const OneWayResult s = CalculateOneWay(small, t.ref(), t.K);
    EXPECT_EQ(s.QQ_CO, "0.0003");
    double unrounded = 0;
    for (const SegmentDemand& d : s.Segments) {
        unrounded += d.QQ_CO;
    }
    EXPECT_NEAR(unrounded, 0.00018, 1e-15);
}

TEST(OneWayDemand, WorkingSpeedOverridesEverySegmentsOwnSpeed) {
    // At 30 km/h the one-way K comes from the table (0.0075), not from the typed 0.005:
    // Qreq(VI) = 0.083333/0.0075 + 0.05/0.0075 = 11.1111 + 6.6667 = 17.778.
    const Tables t;
    OneWayInput in = project();
    in.dvt = 30;
    const OneWayResult r = CalculateOneWay(in, t.ref(), t.K);
    EXPECT_EQ(r.QQ_req_VI, "17.778");
    EXPECT_EQ(r.QQ_req_CO, "11.667");
    // Without an override (-1) each segment keeps its own speed: segment B at 30 km/h takes the table K.
    in.dvt = kOwnSpeed;
    in.Segments[1].Speed = 30;
    EXPECT_EQ(CalculateOneWay(in, t.ref(), t.K).QQ_req_VI, "23.333"); // 16.6667 + 6.6667
}

TEST(OneWayDemand, AFailedSegmentCountsZeroAndIsReportedNotRepeated) {
    // K from the table, 0 at 10 km/h: the middle segment's smoke demand cannot be computed. It counts 0;
    // the total is the two outer segments (16.6667 each with K 0.005 → 33.333), not three.
    Tables t;
    t.K = Table1D({10, 20, 100}, {0, 0.005, 0.005});
    OneWayInput in = project();
    in.Concentrations.Cases[0].KKComputed = true;
    in.Segments = {seg(0, 1000, 0, 60), seg(1000, 2000, 0, 10), seg(2000, 3000, 0, 60)};
    const OneWayResult r = CalculateOneWay(in, t.ref(), t.K);
    EXPECT_EQ(r.FailedRows, std::vector<int>{2});
    EXPECT_TRUE(r.Segments[1].VIFailed);
    EXPECT_EQ(r.Segments[1].QQ_req_VI, 0);
    EXPECT_EQ(r.QQ_req_VI, "33.333");
    EXPECT_EQ(r.QQ_req_CO, "20.000"); // CO is unaffected: 3 × 6.6667

    // δ = 0 for the whole case: every CO demand fails, smoke still stands.
    in.Concentrations.Cases[0].DeltaTyped = 0;
    const OneWayResult noDelta = CalculateOneWay(in, t.ref(), t.K);
    EXPECT_EQ(noDelta.QQ_req_CO, "0.000");
    EXPECT_EQ(noDelta.FailedRows, (std::vector<int>{1, 2, 3}));
}

TEST(OneWayDemand, PickedRowOutsideTheTableShowsNoDetail) {
    const Tables t;
    OneWayInput in = project();
    in.iSegmentIndex = -1;
    EXPECT_FALSE(CalculateOneWay(in, t.ref(), t.K).Detail.has_value());
    in.iSegmentIndex = 3;
    EXPECT_FALSE(CalculateOneWay(in, t.ref(), t.K).Detail.has_value());
    in.iSegmentIndex = 0;
    EXPECT_FALSE(CalculateOneWay(in, t.ref(), t.K).Detail.has_value());
}

TEST(OneWayDemand, EmptySegmentTableLeavesEmissionsEmptyAndTotalsZero) {
    const Tables t;
    OneWayInput in = project();
    in.Segments.clear();
    in.iSegmentIndex = 1;
    const OneWayResult r = CalculateOneWay(in, t.ref(), t.K);
    EXPECT_EQ(r.QQ_CO, "");
    EXPECT_EQ(r.QQ_VI, "");
    EXPECT_EQ(r.QQ_req_CO, "0.000");
    EXPECT_EQ(r.QQ_req_VI, "0.000");
    EXPECT_FALSE(r.Detail.has_value());
    EXPECT_EQ(r.Last.Qreq, 0);
}

TEST(OneWayDemand, ZeroAreaAndEmptyTablesNeverCrash) {
    // The area plays no part in the demand; with no tables every coefficient is 0 and so is the demand.
    OneWayInput in = project();
    in.Segments[0].Area = 0;
    const CoefTable none;
    const OneWayResult r = CalculateOneWay(in, {none, none, none}, none);
    EXPECT_EQ(r.QQ_req_CO, "0.000");
    EXPECT_EQ(r.QQ_CO, "0.0000");
}

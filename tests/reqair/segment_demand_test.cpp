// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/segment_demand.h"

#include "tests/reqair/test_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

using namespace reqair;
using reqair_test::Table1D;
using reqair_test::Table2D;

namespace {

// fd: 20 → 3.0, 60 → 1.5, 100 → 1.0.
// fiv (CO), slope −2, 0, 2 over the columns, speed 20, 60, 100 over the rows; at 60 km/h: 0.8, 1.0, 1.4,
// so slope +1 gives 1.2 and slope −1 gives 0.9.
// fiv (VI) at 60 km/h: 0.6, 1.0, 1.5, so slope +1 gives 1.25 and slope −1 gives 0.8.
struct Tables {
    CoefTable f_d = Table1D({20, 60, 100}, {3.0, 1.5, 1.0});
    CoefTable f_iv = Table2D({-2, 0, 2}, {20, 60, 100}, {{1.0, 1.0, 1.2}, {0.8, 1.0, 1.4}, {0.9, 1.1, 1.6}});
    CoefTable f_iv_VI =
        Table2D({-2, 0, 2}, {20, 60, 100}, {{0.7, 1.0, 1.3}, {0.6, 1.0, 1.5}, {0.7, 1.1, 1.7}});
    EmissionTables ref() const { return {f_d, f_iv, f_iv_VI}; }
};

// Segment 1000–1500 (L = 500 m), slope +1 %, 60 km/h; qco 0.01, qvi 2.5, nnCO 1000, nnVI 400;
// fa 1.1, fh 1.2, fa(VI) 1.0, fh(VI) 1.3; δ 250 ppm, K 0.0075 1/m, CO in fresh air 1 ppm;
// p 90 kPa, p0 101.325 kPa, T0 273 K, T 293 K.
SegmentDemandInput handSegment() {
    SegmentDemandInput in;
    in.Segment.StartPile = 1000;
    in.Segment.EndPile = 1500;
    in.Segment.Slope = 1.0;
    in.Segment.Speed = 60;
    in.qco = 0.01;
    in.qvi = 2.5;
    in.nnCO = 1000;
    in.nnVI = 400;
    in.dK = 0.0075;
    in.dDelta = 250;
    in.dCOAir = 1;
    in.Site.fa = 1.1;
    in.Site.fh = 1.2;
    in.Site.fa_VI = 1.0;
    in.Site.fh_VI = 1.3;
    in.Site.p = 90;
    in.Site.p0 = 101.325;
    in.Site.T0 = 273;
    in.Site.TT = 293;
    return in;
}

void expectRel(double actual, double expected) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-9) << "expected " << expected;
}

} // namespace

TEST(SegmentDemand, OneWayDemandOfAHandWorkedSegment) {
    // Qco = 1.1·0.01·1.5·1.2·1.2·500·1000 / 3.6 / 10⁶ = 11880 / 3.6e6 = 0.0033 m³/s
    // Qvi = 1.0·2.5·1.5·1.3·1.25·500·400 / 3.6 / 10⁶ = 1218750 / 3.6e6 = 0.338541666… m²/s
    // D = 90·250·273 = 6142500; p0·T = 101.325·293 = 29688.225
    // Qreq(CO) = 29688.225·0.0033·10⁶ / 6142500 / (1 − 29688.225·1 / 6142500)
    //          = 15.94979975… / 0.99516675… = 16.0271812884 m³/s
    // Qreq(VI) = 0.338541666… / 0.0075 = 45.1388888889 m³/s → smoke governs.
    const Tables t;
    const SegmentDemand d = GetSegmentQreq(handSegment(), t.ref());
    expectRel(d.fd, 1.5);
    expectRel(d.fiv, 1.2);
    expectRel(d.fiv_VI, 1.25);
    expectRel(d.QQ_CO, 0.0033);
    expectRel(d.QQ_VI, 0.33854166666666667);
    expectRel(d.QQ_req_CO, 16.0271812884342);
    expectRel(d.QQ_req_VI, 45.1388888888889);
    expectRel(d.Qreq, 45.1388888888889);
    EXPECT_FALSE(d.COFailed);
    EXPECT_FALSE(d.VIFailed);
}

TEST(SegmentDemand, TwoWayDemandSplitsTheTrafficOverBothSlopeDirections) {
    // r = 0.5: 500 CO-equivalent vehicles each way, 200 smoke-equivalent.
    // Qco = 1.1·0.01·1.5·1.2·500·(0.9·500 + 1.2·500) / 3.6e6 = 0.0028875 m³/s
    // Qvi = 2.5·1.5·1.3·500·(0.8·200 + 1.25·200) / 3.6e6 = 0.2776041666… m²/s
    // Qreq(CO) = 0.0028875 / 0.0033 · 16.0271812884 = 14.0237836274; Qreq(VI) = Qvi / 0.0075 = 37.0138888889
    const Tables t;
    SegmentDemandInput in = handSegment();
    in.dUpRatio = 0.5;
    const SegmentDemand d = GetSegmentQreqBidirectional(in, t.ref());
    // The along-slope coefficients are reported with the flows.
    const struct {
        const char* name;
        double got, want;
    } checks[] = {{"fiv", d.fiv, 1.2},
                  {"fiv_VI", d.fiv_VI, 1.25},
                  {"QQ_CO", d.QQ_CO, 0.0028875},
                  {"QQ_VI", d.QQ_VI, 0.27760416666666665},
                  {"QQ_req_CO", d.QQ_req_CO, 14.0237836273799},
                  {"QQ_req_VI", d.QQ_req_VI, 37.0138888888889}};
    for (const auto& c : checks) {
        SCOPED_TRACE(c.name);
        expectRel(c.got, c.want);
    }
}

TEST(SegmentDemand, TwoWayMatchesOneWayOnAFlatSegmentOrWithAllTrafficUphill) {
    const Tables t;
    SegmentDemandInput flat = handSegment();
    flat.Segment.Slope = 0;
    flat.dUpRatio = 0.5;
    const SegmentDemand one = GetSegmentQreq(flat, t.ref());
    const SegmentDemand two = GetSegmentQreqBidirectional(flat, t.ref());
    expectRel(two.QQ_CO, one.QQ_CO);
    expectRel(two.QQ_VI, one.QQ_VI);

    SegmentDemandInput up = handSegment();
    up.dUpRatio = 1;
    expectRel(GetSegmentQreqBidirectional(up, t.ref()).QQ_req_CO, GetSegmentQreq(up, t.ref()).QQ_req_CO);
    // r = 0 takes the reversed slope only: fiv(−1) = 0.9 instead of 1.2.
    up.dUpRatio = 0;
    expectRel(GetSegmentQreqBidirectional(up, t.ref()).QQ_CO, 0.0033 * 0.9 / 1.2);
}

TEST(SegmentDemand, LengthIsAbsoluteAndAZeroSegmentGivesZero) {
    const Tables t;
    SegmentDemandInput reversed = handSegment();
    std::swap(reversed.Segment.StartPile, reversed.Segment.EndPile);
    expectRel(GetSegmentQreq(reversed, t.ref()).QQ_CO, 0.0033);

    SegmentDemandInput zero = handSegment();
    zero.Segment = CalSegment{};
    const SegmentDemand d = GetSegmentQreq(zero, t.ref());
    // CO, VI, their required air and the governing demand.
    EXPECT_EQ(std::tuple(d.QQ_CO, d.QQ_VI, d.QQ_req_CO, d.QQ_req_VI, d.Qreq), std::tuple(0, 0, 0, 0, 0));
}

TEST(SegmentDemand, CleanFreshAirDropsTheCorrection) {
    // CO in fresh air 0: Qreq(CO) = Qco / δ · (p0 / p) · (T / T0) · 10⁶ =
    // 0.0033/250·(101.325/90)·(293/273)·10⁶
    const Tables t;
    SegmentDemandInput in = handSegment();
    in.dCOAir = 0;
    const SegmentDemand d = GetSegmentQreq(in, t.ref());
    expectRel(d.QQ_req_CO, 0.0033 / 250 * (101.325 / 90) * (293.0 / 273) * 1e6);
}

TEST(SegmentDemand, UnusableConcentrationOrAirStateCountsZeroAndIsFlagged) {
    const Tables t;
    // δ = 0: no CO demand can be computed; smoke is unaffected.
    SegmentDemandInput in = handSegment();
    in.dDelta = 0;
    SegmentDemand d = GetSegmentQreq(in, t.ref());
    EXPECT_TRUE(d.COFailed);
    EXPECT_FALSE(d.VIFailed);
    EXPECT_EQ(d.QQ_req_CO, 0);
    expectRel(d.QQ_req_VI, 45.1388888888889);
    expectRel(d.QQ_CO, 0.0033); // the emission itself is still known

    // K = 0: smoke fails, CO stands.
    in = handSegment();
    in.dK = 0;
    d = GetSegmentQreqBidirectional(in, t.ref());
    EXPECT_TRUE(d.VIFailed);
    EXPECT_FALSE(d.COFailed);
    EXPECT_EQ(d.QQ_req_VI, 0);
    EXPECT_EQ(d.Qreq, d.QQ_req_CO);

    // Pressure 0 or standard temperature 0.
    in = handSegment();
    in.Site.p = 0;
    EXPECT_TRUE(GetSegmentQreq(in, t.ref()).COFailed);
    in = handSegment();
    in.Site.T0 = 0;
    EXPECT_TRUE(GetSegmentQreq(in, t.ref()).COFailed);

    // Fresh air already at the design concentration (corrected to site air): 1 − share = 0.
    in = handSegment();
    in.dCOAir = in.Site.p * in.dDelta * in.Site.T0 / (in.Site.p0 * in.Site.TT);
    d = GetSegmentQreq(in, t.ref());
    EXPECT_TRUE(d.COFailed);
    EXPECT_EQ(d.QQ_req_CO, 0);
    // …and above it, which would give a negative demand.
    in.dCOAir *= 2;
    EXPECT_TRUE(GetSegmentQreq(in, t.ref()).COFailed);

    // Non-finite inputs never leak out.
    in = handSegment();
    in.nnCO = std::numeric_limits<double>::infinity();
    in.dK = std::numeric_limits<double>::quiet_NaN();
    d = GetSegmentQreq(in, t.ref());
    EXPECT_TRUE(std::isfinite(d.QQ_CO));
    EXPECT_TRUE(std::isfinite(d.QQ_req_VI));
    EXPECT_TRUE(d.VIFailed);
}

TEST(SegmentDemand, DesignTemperatureNotAboveZeroKelvinIsFlaggedNotCounted) {
    const Tables t;
    // T = −20 K (a Celsius reading with a sign): p0·T = 101.325·(−20) = −2026.5, so
    // Qreq(CO) = −2026.5·0.0033·10⁶ / 6142500 / (1 + 2026.5 / 6142500) = −1.08836 m³/s, a negative demand
    // that would lower the tunnel's total. It must count 0 and be flagged, smoke unaffected.
    SegmentDemandInput in = handSegment();
    in.Site.TT = -20;
    SegmentDemand d = GetSegmentQreq(in, t.ref());
    EXPECT_TRUE(d.COFailed);
    EXPECT_EQ(d.QQ_req_CO, 0);
    expectRel(d.QQ_req_VI, 45.1388888888889);
    d = GetSegmentQreqBidirectional(in, t.ref());
    EXPECT_TRUE(d.COFailed);
    EXPECT_EQ(d.QQ_req_CO, 0);

    // A blank temperature box publishes T = 0: Qreq(CO) = 0·… = 0 by the formula, which is no demand at
    // all rather than a small one; it must be flagged too.
    in.Site.TT = 0;
    d = GetSegmentQreq(in, t.ref());
    EXPECT_TRUE(d.COFailed);
    EXPECT_EQ(d.QQ_req_CO, 0);
}

TEST(SegmentDemand, AnEmissionTooLargeToRepresentIsFlaggedNotCountedAsZeroSilently) {
    // 1e300 CO-equivalent vehicles overflow Qco to infinity; the emission shows 0 and the CO demand must
    // be reported as not computed instead of passing as a genuine 0.
    const Tables t;
    SegmentDemandInput in = handSegment();
    in.nnCO = 1e300;
    in.Segment.EndPile = 1e300;
    const SegmentDemand d = GetSegmentQreq(in, t.ref());
    EXPECT_EQ(d.QQ_CO, 0);
    EXPECT_TRUE(d.COFailed);
    EXPECT_FALSE(d.VIFailed);
}

TEST(SegmentDemand, EmptyTablesGiveZeroDemandWithoutFailure) {
    const CoefTable none;
    const SegmentDemand d = GetSegmentQreq(handSegment(), {none, none, none});
    EXPECT_EQ(d.QQ_CO, 0);
    EXPECT_EQ(d.Qreq, 0);
    EXPECT_FALSE(d.COFailed);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/traffic_force.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using reqair::CalSegment;

// Two segments: 0 .. 600 m of A 60 m² and 600 .. 1000 m of A 80 m²; N = 1800 veh/h, Am = 2.5 m², ρ = 1.2.
// k = Am·ρ/2/A: 0.025 in segment 1, 0.01875 in segment 2.
std::vector<CalSegment> segments(double Q, double speed1 = 0, double speed2 = 0) {
    CalSegment a;
    a.StartPile = 0;
    a.EndPile = 600;
    a.Area = 60;
    a.Speed = speed1;
    a.Velocity = Q / 60;
    CalSegment b;
    b.StartPile = 600;
    b.EndPile = 1000;
    b.Area = 80;
    b.Speed = speed2;
    b.Velocity = Q / 80;
    return {a, b};
}

ventparam::OneWayPiston oneWay(int iCaseID, bool reverse = false) {
    ventparam::OneWayPiston in;
    in.N = 1800;
    in.WorkSpeed = 72; // 20 m/s
    in.AA_m = 2.5;
    in.rho = 1.2;
    in.iCaseID = iCaseID;
    in.bIsReverse = reverse;
    return in;
}

TEST(OneWayPistonForce, WorkingSpeedWithAndWithoutAirFlow) {
    // vt = 20 m/s; n1 = 600 · 1800 / 3600 / 20 = 15, n2 = 10.
    // Q = 0:   0.025 · 15 · 400 + 0.01875 · 10 · 400 = 150 + 75 = 225
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t1(segments(0), oneWay(1)), 225, 1e-9);
    // Q = 600: vr 10 and 7.5: 0.025 · 15 · 100 + 0.01875 · 10 · 156.25 = 37.5 + 29.296875
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t1(segments(600), oneWay(1)), 66.796875, 1e-9);
    // Q = 1800: vr 30 and 22.5 outrun the vehicles: -0.025 · 15 · 100 - 0.01875 · 10 · 6.25 = -38.671875
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t1(segments(1800), oneWay(1)), -38.671875, 1e-9);
}

TEST(OneWayPistonForce, ReverseTrafficIsSubtractedEverywhere) {
    // vt = -20, vr 10 and 7.5: -0.025 · 15 · 900 - 0.01875 · 10 · 756.25 = -337.5 - 141.796875
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t1(segments(600), oneWay(1, true)), -479.296875, 1e-9);
}

TEST(OneWayPistonForce, CongestionCasesUseTheirOwnSpeeds) {
    // Case 4: 10 km/h whatever the segments say; with vr = 0, k·n·vt² = k · L · N / 3600 · vt:
    //   0.025 · 300 · 2.7777778 + 0.01875 · 200 · 2.7777778 = 20.833333 + 10.416667 = 31.25
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t1(segments(0, 80, 80), oneWay(4)), 31.25, 1e-9);
    // Case 3: segment 1 in a 36 km/h block (n = 30): 0.025 · 30 · 100 = 75; segment 2 lies outside every
    // block (speed 0) and adds nothing, not segment 1's count again.
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t1(segments(0, 36, 0), oneWay(3)), 75, 1e-9);
}

TEST(OneWayPistonForce, UnknownCaseAndSegmentsWithoutAreaAddNothing) {
    EXPECT_EQ(ventparam::GetYANCHENGDeltap_t1(segments(0, 60, 60), oneWay(5)), 0);
    std::vector<CalSegment> segs = segments(0);
    segs[1].Area = 0;
    segs[1].Velocity = 0;
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t1(segs, oneWay(1)), 150, 1e-9);
}

TEST(TwoWayPistonForce, BalancedStreamsInStillAirCancel) {
    ventparam::TwoWayPiston in{900, 900, 2.5, 1.2, true};
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t2(segments(0, 60, 60), in), 0, 1e-9);
}

TEST(TwoWayPistonForce, TheStreamWithTheAirDrivesAndTheOtherBrakes) {
    // One segment 0 .. 600, A 60, 60 km/h (vt = 16.666667), vr = 5; N_up 600, N_down 1200:
    // n_up = 600 · 600 / 3600 / 16.666667 = 6, n_down = 12, k = 0.025.
    // Air with the up stream: +0.025 · 6 · 11.666667² - 0.025 · 12 · 21.666667² = 20.416667 - 140.833333
    // Air with the down stream: +0.025 · 12 · 11.666667² - 0.025 · 6 · 21.666667² = 40.833333 - 70.416667
    std::vector<CalSegment> segs = segments(300, 60);
    segs.pop_back();
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t2(segs, {600, 1200, 2.5, 1.2, true}), -120.416667, 1e-6);
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_t2(segs, {600, 1200, 2.5, 1.2, false}), -29.583333, 1e-6);
}

TEST(TwoWayPistonForce, SegmentsWithoutSpeedOrAreaAddNothing) {
    std::vector<CalSegment> segs = segments(300, 60, 0);
    segs.front().Area = 0;
    EXPECT_EQ(ventparam::GetYANCHENGDeltap_t2(segs, {600, 1200, 2.5, 1.2, true}), 0);
}

TEST(LargeVehicleShare, OneWayAndTwoWayByAllowedClasses) {
    // Classes 3, 5, 6, 7 are large: 0.15 + 0.05 + 0.1 + 0.1 = 0.4.
    const ventparam::ClassShares shares{0.1, 0.2, 0.15, 0.3, 0.05, 0.1, 0.1};
    ventparam::AllowedClasses allowed{true, false, true, false, false, false, false};
    EXPECT_NEAR(ventparam::Getr_1(shares, allowed, 1, true), 0.4, 1e-12);
    EXPECT_NEAR(ventparam::Getr_1(shares, allowed, 2, false), 0.4, 1e-12);
    // Only classes 1 and 3 allowed: 0.15 / (0.1 + 0.15) = 0.6
    EXPECT_NEAR(ventparam::Getr_1(shares, allowed, 2, true), 0.6, 1e-12);
    EXPECT_EQ(ventparam::Getr_1(shares, ventparam::AllowedClasses{}, 2, true), 0);
}

TEST(TwoWayTrafficVolume, ControlRatioOrAllowedClassesOverTheDirectionFactor) {
    ventparam::TwoWayVolume in;
    in.BiDirection = 0.5;
    in.NN = 2000;
    EXPECT_EQ(ventparam::TwoWayTraffic(in), 1000);
    in.ControlTraffic = false;
    in.Allowed = {true, false, true, false, false, false, false};
    in.Vehicles = {100.0, 200.0, 300.0, 400.0, 500.0, 600.0, 700.0};
    in.MainDirectionRatio = 0.5;
    EXPECT_EQ(ventparam::TwoWayTraffic(in), 800); // (100 + 300) / 0.5
    in.Vehicles[2].reset();
    EXPECT_EQ(ventparam::TwoWayTraffic(in), 200);
    in.MainDirectionRatio = 0;
    EXPECT_EQ(ventparam::TwoWayTraffic(in), 0);
}

} // namespace

TEST(PistonForce, TheSpeedDifferenceIsSquaredBeforeItMultiplies) {
    // One segment 0 .. 1000, A 60 (k = 0.025), 72 km/h (vt = 20 m/s), N 1800 (n = 25), so k·n = 0.625.
    std::vector<CalSegment> segs = segments(3, 72);
    segs.pop_back();
    segs.front().EndPile = 1000;
    // One-way, Q 3 (vr = 0.05): 0.625 × 19.95² = 0.625 × 398.0025 = 248.7515625 Pa exactly.
    EXPECT_EQ(ventparam::GetYANCHENGDeltap_t1(segs, oneWay(1)), 248.7515625);
    // Two-way, only the stream against the air, Q 20 (vr = 1/3): −0.625 × (61/3)² = −2325.625 / 9 Pa.
    segs.front().Velocity = 20.0 / 60;
    EXPECT_EQ(ventparam::GetYANCHENGDeltap_t2(segs, {0, 1800, 2.5, 1.2, true}), -(2325.625 / 9));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The zone calculation against hand calculations. The tables below are those of the shipped table file
// (JTJ 026.1-1999 structure); the 80 km/h cases are the worked examples the values were checked with.

#include "lighting/zone_luminance.h"

#include <gtest/gtest.h>

namespace lighting {
namespace {

CoefTable Table(std::vector<double> x, std::vector<double> y, std::vector<std::vector<double>> v) {
    CoefTable t;
    t.x = std::move(x);
    t.y = std::move(y);
    t.v = std::move(v);
    return t;
}

ZoneTables ShippedTables() {
    ZoneTables t;
    const std::vector<double> speeds = {40, 60, 80, 100};
    const std::vector<std::vector<double>> lin = {{1.5, 1.5}, {1.5, 2.5}, {2.0, 4.5}, {4.0, 9.0}};
    const std::vector<std::vector<double>> k = {{0.010, 0.015, 0.025, 0.035}, {0.012, 0.022, 0.035, 0.045}};
    t.LL_in1 = Table({700, 2400}, speeds, lin);
    t.LL_in2 = Table({360, 1300}, speeds, lin);
    t.k1 = Table(speeds, {360, 1300}, k);
    t.k2 = Table(speeds, {700, 2400}, k);
    t.DD_s = Table({-4, -3, -2, -1, 0, 1, 2, 3, 4}, speeds,
                   {{29, 28, 27, 27, 26, 26, 25, 25, 25},
                    {62, 60, 58, 57, 56, 55, 54, 53, 52},
                    {112, 110, 106, 103, 100, 98, 95, 93, 90},
                    {179, 173, 168, 163, 158, 154, 149, 145, 142}});
    t.DD_tr = Table({1, 2, 3}, speeds, {{26, 44, 67}, {44, 67, 100}, {72, 89, 133}, {106, 111, 167}});
    return t;
}

// 80 km/h, one-way, N = 1200 veh/h, slope +0.5 %, h = 5.5 m, L = 3000 m, L20 = 4000, clear sky, no
// preceding tunnel.
ZoneInputs Example() {
    return ZoneInputs{.N = 1200, .vt = 80, .L = 3000, .mode = 0, .h = 5.5, .slope = 0.5, .L20 = 4000};
}

constexpr double kTol = 1e-6;

TEST(ZoneLuminance, OneWayClearSkyAt80KmH) {
    ZoneValues v;
    const ZoneNotes notes = CalculateZones(Example(), ShippedTables(), v);
    EXPECT_TRUE(notes.MissingTables.empty());
    // Lin = 2.0 + (1200 − 700) / 1700 × (4.5 − 2.0) = 2.7352941; Lexit = 5 Lin = 13.6764706.
    EXPECT_NEAR(v.LL_in, 2.7352941176, kTol);
    EXPECT_NEAR(v.LL_exit, 13.676470588, kTol);
    // k = 0.025 + 500/1700 × 0.010 = 0.0279412; Lth = k × 4000 = 111.764706.
    EXPECT_NEAR(v.k, 0.0279411765, kTol);
    EXPECT_NEAR(v.LL_th, 111.76470588, kTol);
    EXPECT_EQ(v.dDiscount, 0);
    // 0.3, 0.1, 0.035 × Lth: 33.529412, 11.176471, 3.911765.
    EXPECT_NEAR(v.LL_tr1, 33.529411765, kTol);
    EXPECT_NEAR(v.LL_tr2, 11.176470588, kTol);
    EXPECT_NEAR(v.LL_tr3, 3.9117647059, kTol);
    // Ds between 100 (0 %) and 98 (+1 %) = 99; Dth = 1.154 × 99 − 4 / tan 10° = 114.246 − 22.685127
    // = 91.560873.
    EXPECT_NEAR(v.DD_s, 99, kTol);
    EXPECT_NEAR(v.DD_th, 91.560873, 1e-5);
    EXPECT_EQ(v.DD_exit, 60);
    EXPECT_EQ(v.DD_tr1, 72);
    EXPECT_EQ(v.DD_tr2, 89);
    EXPECT_EQ(v.DD_tr3, 133);
    // The six lengths add up to L: 3000 − 91.560873 − 60 − 294 = 2554.439127.
    EXPECT_NEAR(v.DD_in, 2554.439127, 1e-5);
}

TEST(ZoneLuminance, HighTrafficExampleWithDownhillEntrance) {
    // N = 2760 (above the 2400 key), slope −2 %, h = 5 m: k = 0.035, Lin = 4.5, Lexit = 22.5,
    // Ds = 106, Dth = 1.154 × 106 − 3.5 / tan 10° = 122.324 − 19.849486 = 102.474514.
    ZoneInputs in = Example();
    in.N = 2760;
    in.slope = -2;
    in.h = 5;
    ZoneValues v;
    CalculateZones(in, ShippedTables(), v);
    EXPECT_NEAR(v.k, 0.035, kTol);
    EXPECT_NEAR(v.LL_in, 4.5, kTol);
    EXPECT_NEAR(v.LL_exit, 22.5, kTol);
    EXPECT_NEAR(v.LL_th, 140, kTol);
    EXPECT_NEAR(v.DD_th, 102.474514, 1e-5);
    EXPECT_NEAR(TanTenDegrees(), 0.176326977, 1e-9);
}

TEST(ZoneLuminance, DaylightAndNightModes) {
    const ZoneTables t = ShippedTables();
    const double factors[4] = {1.0, 0.5, 0.25, 0.13};
    for (int mode = 0; mode < 4; ++mode) {
        ZoneInputs in = Example();
        in.mode = mode;
        ZoneValues v;
        CalculateZones(in, t, v);
        EXPECT_NEAR(v.LL_th, 111.76470588 * factors[mode], kTol) << mode;
    }
    // Mode 4: every zone at Lin, the exit zone included.
    ZoneInputs in = Example();
    in.mode = 4;
    ZoneValues v;
    CalculateZones(in, t, v);
    for (int z = 0; z < kZoneCount; ++z) {
        EXPECT_NEAR(v.Luminance(z), 2.7352941176, kTol) << z;
    }
    // Mode 5: m = max(0.5 × 2.7352941, 1) = 1.3676471 everywhere, Lin too.
    in.mode = 5;
    CalculateZones(in, t, v);
    for (int z = 0; z < kZoneCount; ++z) {
        EXPECT_NEAR(v.Luminance(z), 1.3676470588, kTol) << z;
    }
    // Mode 5 at 40 km/h: Lin = 1.5 gives m = 1.0 for every zone.
    in.vt = 40;
    CalculateZones(in, t, v);
    for (int z = 0; z < kZoneCount; ++z) {
        EXPECT_DOUBLE_EQ(v.Luminance(z), 1.0) << z;
    }
}

TEST(ZoneLuminance, WithoutAModeTheClearSkyDayHolds) {
    ZoneInputs in = Example();
    in.mode = -1;
    ZoneValues v;
    v.LL_th = 999; // an earlier calculation's value must not survive
    CalculateZones(in, ShippedTables(), v);
    EXPECT_NEAR(v.LL_th, 111.76470588, kTol);
}

TEST(ZoneLuminance, TwoWayTrafficHasNoExitZoneAndUsesItsOwnTables) {
    // Two-way: Lin from LL_in2 (keys 360/1300): N = 1200 gives 2.0 + 840/940 × 2.5 = 4.2340426;
    // k from k1: 0.025 + 840/940 × 0.010 = 0.0339362.
    ZoneInputs in = Example();
    in.twoWay = true;
    ZoneValues v;
    CalculateZones(in, ShippedTables(), v);
    EXPECT_NEAR(v.LL_in, 4.2340425532, kTol);
    EXPECT_NEAR(v.k, 0.0339361702, kTol);
    EXPECT_NEAR(v.LL_exit, 21.170212766, kTol);
    EXPECT_EQ(v.DD_exit, 0);
    EXPECT_NEAR(v.DD_in, 3000 - 91.560873 - 294, 1e-5);
}

TEST(ZoneLuminance, ShortTunnelsShareTheLengthFromTheEntrance) {
    const ZoneTables t = ShippedTables();
    ZoneValues v;
    // Not longer than the threshold zone: all of it is threshold.
    ZoneInputs in = Example();
    in.L = 80;
    CalculateZones(in, t, v);
    EXPECT_EQ(v.DD_th, 80);
    EXPECT_EQ(v.DD_exit, 0);
    EXPECT_EQ(v.DD_tr1 + v.DD_tr2 + v.DD_tr3 + v.DD_in, 0);
    // 130 m: 38.439127 m after the threshold all go to the exit zone.
    in.L = 130;
    CalculateZones(in, t, v);
    EXPECT_NEAR(v.DD_exit, 38.439127, 1e-5);
    EXPECT_EQ(v.DD_tr1 + v.DD_tr2 + v.DD_tr3 + v.DD_in, 0);
    // 300 m: exit 60, transition 1 72, transition 2 the remaining 76.439127, transition 3 and interior 0.
    in.L = 300;
    CalculateZones(in, t, v);
    EXPECT_EQ(v.DD_exit, 60);
    EXPECT_EQ(v.DD_tr1, 72);
    EXPECT_NEAR(v.DD_tr2, 76.439127, 1e-5);
    EXPECT_EQ(v.DD_tr3, 0);
    EXPECT_EQ(v.DD_in, 0);
}

TEST(ZoneLuminance, WhatIsLeftForATransitionIsTakenOffTheLengthZoneByZone) {
    // 80 km/h on the level (Ds = 100), h = 4.5 m, L = 160 m, one-way:
    // Dth = 1.154 × 100 − 3 / tan 10° = 115.4 − 17.013846 = 98.386154; exit = min(60, 61.613846) = 60;
    // transition 1 = min(72, 160 − Dth − 60) = 1.613846, the threshold taken off first, then the exit
    // zone: (160 − 98.386154) − 60. Adding the two zones first and taking the sum off gives another last
    // digit (1.6138457550567864 against 1.6138457550567722).
    ZoneInputs in = Example();
    in.slope = 0;
    in.h = 4.5;
    in.L = 160;
    ZoneValues v;
    CalculateZones(in, ShippedTables(), v);
    const double th = 1.154 * 100 - (4.5 - 1.5) / TanTenDegrees();
    EXPECT_EQ(v.DD_th, th);
    EXPECT_EQ(v.DD_exit, 60);
    EXPECT_EQ(v.DD_tr1, (160 - th) - 60);
    EXPECT_EQ(v.DD_tr2, 0);
    EXPECT_EQ(v.DD_tr3, 0);
    EXPECT_EQ(v.DD_in, 0);
}

TEST(ZoneLuminance, ClearHeightSetsTheThresholdLength) {
    ZoneInputs in = Example();
    in.h = 1.5; // 1.154 × 99
    ZoneValues v;
    CalculateZones(in, ShippedTables(), v);
    EXPECT_NEAR(v.DD_th, 114.246, 1e-9);
    // A clear height of 30 m would give 114.246 − 161.63 < 0: the threshold zone has no length, not a
    // negative one, and the lengths still add up to L.
    in.h = 30;
    CalculateZones(in, ShippedTables(), v);
    EXPECT_EQ(v.DD_th, 0);
    EXPECT_NEAR(v.DD_th + v.DD_tr1 + v.DD_tr2 + v.DD_tr3 + v.DD_in + v.DD_exit, 3000, 1e-9);
}

TEST(ZoneLuminance, ConsecutiveTunnels) {
    ZoneTables t = ShippedTables();
    // A hand table: 50 % at 0 s down to 0 % at 30 s.
    t.kdiscount = Table({0, 30}, {0}, {{50, 0}});
    ZoneInputs in = Example();
    in.span = 10 * 80 / 3.6; // 10 s at 80 km/h
    in.preLength = 1000;     // 45 s at 80 km/h
    ZoneValues v;
    CalculateZones(in, t, v);
    // 50 − 10/30 × 50 = 33.333 %: Lth = 111.764706 × 0.666667 = 74.509804.
    EXPECT_NEAR(v.dDiscount, 33.333333333, kTol);
    EXPECT_NEAR(v.LL_th, 74.509803922, kTol);
    // Exactly 30 s between the tunnels, or a preceding tunnel passed in exactly 30 s: no reduction.
    in.span = 30 * 80 / 3.6;
    CalculateZones(in, t, v);
    EXPECT_EQ(v.dDiscount, 0);
    in.span = 10 * 80 / 3.6;
    in.preLength = 80 * 30 / 3.6;
    CalculateZones(in, t, v);
    EXPECT_EQ(v.dDiscount, 0);
    // A reduction of 100 % leaves no threshold luminance; the transitions fall to Lin.
    t.kdiscount = Table({0, 30}, {0}, {{100, 100}});
    in.preLength = 1000;
    CalculateZones(in, t, v);
    EXPECT_EQ(v.LL_th, 0);
    EXPECT_NEAR(v.LL_tr1, v.LL_in, kTol);
    EXPECT_NEAR(v.LL_tr3, v.LL_in, kTol);
}

TEST(ZoneLuminance, MissingReductionTableGivesNoReductionAndSaysSo) {
    ZoneInputs in = Example();
    in.span = 100;
    in.preLength = 1000;
    ZoneValues v;
    v.dDiscount = 20; // as a stored box would give it
    const ZoneNotes notes = CalculateZones(in, ShippedTables(), v);
    EXPECT_TRUE(notes.DiscountNotApplied);
    EXPECT_EQ(notes.MissingTables, std::vector<std::string>{"kdiscount"});
    EXPECT_EQ(v.dDiscount, 0);
    EXPECT_NEAR(v.LL_th, 111.76470588, kTol);
    // Without a preceding tunnel the table is not needed and nothing is said.
    in.preLength = 0;
    EXPECT_TRUE(CalculateZones(in, ShippedTables(), v).MissingTables.empty());
}

TEST(ZoneLuminance, MissingTablesLeaveTheirValuesAndAreNamed) {
    ZoneValues v;
    v.LL_in = 7;
    v.k = 0.05;
    v.DD_s = 50;
    v.DD_tr1 = 1, v.DD_tr2 = 2, v.DD_tr3 = 3;
    const ZoneNotes notes = CalculateZones(Example(), ZoneTables{}, v);
    EXPECT_EQ(notes.MissingTables, (std::vector<std::string>{"LL_in1", "k2", "DD_s", "DD_tr"}));
    EXPECT_EQ(v.LL_in, 7);
    EXPECT_EQ(v.LL_exit, 35);
    EXPECT_NEAR(v.LL_th, 0.05 * 4000, kTol);
    // Dth from the old Ds: 1.154 × 50 − 22.685127.
    EXPECT_NEAR(v.DD_th, 57.7 - 22.685127, 1e-5);
    EXPECT_EQ(v.DD_tr1 + v.DD_tr2 + v.DD_tr3, 6);
}

TEST(ZoneLuminance, ZeroSpeedSkipsTheReductionStepOnly) {
    ZoneInputs in = Example();
    in.vt = 0;
    in.span = 100;
    in.preLength = 1000;
    ZoneValues v;
    v.dDiscount = 12.5;
    const ZoneNotes notes = CalculateZones(in, ShippedTables(), v);
    EXPECT_EQ(v.dDiscount, 12.5);
    EXPECT_TRUE(notes.MissingTables.empty());
    // 40 km/h row (edge): Lin at N = 1200 is 1.5, Ds at +0.5 % is 26.
    EXPECT_NEAR(v.LL_in, 1.5, kTol);
    EXPECT_NEAR(v.DD_s, 26, kTol);
}

TEST(ZoneLuminance, AccessLuminanceRows) {
    EXPECT_EQ(AccessLuminanceRow(0, 0), 1);
    EXPECT_EQ(AccessLuminanceRow(1, 1), 4);
    EXPECT_EQ(AccessLuminanceRow(3, 1), 8);
    EXPECT_EQ(AccessLuminanceRow(2, -1), 4); // no surroundings chosen
}

TEST(ZoneLuminance, TheEntranceGradeIsTheOneDrivenIntoFirst) {
    const std::optional<CoefTable> ds = ShippedTables().DD_s;
    // +1.2 % then −0.8 %: entered uphill from either portal; two-way traffic takes the gentler climb.
    EXPECT_EQ(EntranceGrade({1.2, -0.8}, true, false, ds, 80), 1.2);
    EXPECT_EQ(EntranceGrade({1.2, -0.8}, false, false, ds, 80), 0.8);
    EXPECT_EQ(EntranceGrade({1.2, -0.8}, true, true, ds, 80), 0.8);
    // A table in which the steeper climb asks the longer distance: the distance decides, not the grade.
    EXPECT_EQ(EntranceGrade({1.2, -0.8}, true, true, Table({-4, 4}, {40, 100}, {{50, 60}, {50, 60}}), 80),
              1.2);
    // Both beyond the table's −4 %: the steeper descent.
    EXPECT_EQ(EntranceGrade({-5, 6}, true, true, ds, 80), -6);
    EXPECT_EQ(EntranceGrade({}, true, false, ds, 80), std::nullopt);
}

} // namespace
} // namespace lighting

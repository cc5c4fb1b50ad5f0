// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/design_concentration.h"

#include "tests/reqair/test_tables.h"

#include <gtest/gtest.h>

#include <vector>

using namespace reqair;
using reqair_test::Table1D;

namespace {

DesignConcentrationInput computedDelta(int mode, double length) {
    DesignConcentrationInput in;
    for (CaseConcentration& c : in.Cases) {
        c.DeltaComputed = true;
    }
    in.COModelIndex = mode;
    in.TunnelLength = length;
    return in;
}

// K by speed: 10 → 0.0090, 20 → 0.0085, …, falling 0.0005 every 10 km/h up to 120 → 0.0035.
CoefTable tableK() {
    std::vector<double> keys;
    std::vector<double> values;
    for (int s = 10; s <= 120; s += 10) {
        keys.push_back(s);
        values.push_back(0.0090 - (s - 10) / 10 * 0.0005);
    }
    return Table1D(keys, values);
}

} // namespace

TEST(DesignConcentration, DeltaFallsLinearlyWithLengthForEachMode) {
    // Longitudinal: 300 − (L − 1000)·50/2000; transverse 250 − …; pedestrian 150 − (L − 1000)·50/1000.
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModeLongitudinal, 1000), 1), 300.0);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModeLongitudinal, 1500), 1), 287.5);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModeLongitudinal, 3000), 1), 250.0);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModeLongitudinal, 8000), 1), 250.0);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModeTransverse, 1000), 2), 250.0);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModeTransverse, 1500), 2), 237.5);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModeTransverse, 3000), 2), 200.0);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModePedestrian, 1000), 1), 150.0);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModePedestrian, 1500), 1), 125.0);
    // No jump where the pedestrian line meets its floor.
    EXPECT_NEAR(GetDelta(computedDelta(kModePedestrian, 1999.999), 1), 100.0, 1e-3);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModePedestrian, 2000), 1), 100.0);
    // Short tunnels, and an empty slope list (length 0), take the short-tunnel values.
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModeLongitudinal, 800), 1), 300.0);
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(kModeTransverse, 0), 1), 250.0);
    // No mode selected.
    EXPECT_DOUBLE_EQ(GetDelta(computedDelta(-1, 1500), 1), 0.0);
}

TEST(DesignConcentration, DeltaIsTypedUnlessTickedAndCongestionComputesThreeHundred) {
    DesignConcentrationInput in = computedDelta(kModeTransverse, 1500);
    in.Cases[2].DeltaComputed = true;
    EXPECT_DOUBLE_EQ(GetDelta(in, kCaseCongestion), 300.0);

    // Congestion unticked gives its own typed value even with the one-way box ticked.
    in.Cases[2].DeltaComputed = false;
    in.Cases[2].DeltaTyped = 222;
    EXPECT_DOUBLE_EQ(GetDelta(in, kCaseCongestion), 222.0);
    EXPECT_DOUBLE_EQ(GetDelta(in, kCaseOneWay), 237.5);

    in.Cases[1].DeltaComputed = false;
    in.Cases[1].DeltaTyped = 180;
    EXPECT_DOUBLE_EQ(GetDelta(in, kCaseTwoWay), 180.0);
    // Other case numbers always compute, by mode and length.
    EXPECT_DOUBLE_EQ(GetDelta(in, 4), 237.5);
}

TEST(DesignConcentration, KBySpeedAndLampType) {
    const CoefTable K = tableK();
    DesignConcentrationInput in;
    in.Cases[0].KKTyped = 0.0065;
    in.LightModelIndex = 0; // sodium

    // One-way, unticked: below 40 km/h the table serves (30 → 0.0080), from 40 the typed value.
    EXPECT_DOUBLE_EQ(GetKK(in, K, 30, kCaseOneWay), 0.0080);
    EXPECT_DOUBLE_EQ(GetKK(in, K, 40, kCaseOneWay), 0.0065);
    // Ticked: always the table; 45 km/h lies halfway between 0.0075 and 0.0070.
    in.Cases[0].KKComputed = true;
    EXPECT_NEAR(GetKK(in, K, 45, kCaseOneWay), 0.00725, 1e-15);

    // Fluorescent lamps at 60 km/h read the table at 80 km/h: 0.0055 instead of 0.0065.
    in.LightModelIndex = kLightFluorescent;
    EXPECT_DOUBLE_EQ(GetKK(in, K, 60, kCaseOneWay), 0.0055);
    EXPECT_DOUBLE_EQ(ComputedKK(K, 0, 60), 0.0065);

    // Two-way and congestion: typed unless ticked, whatever the speed.
    in.Cases[1].KKTyped = 0.007;
    EXPECT_DOUBLE_EQ(GetKK(in, K, 10, kCaseTwoWay), 0.007);
    in.Cases[2].KKComputed = true;
    EXPECT_DOUBLE_EQ(GetKK(in, K, 10, kCaseCongestion), 0.0080); // fluorescent: 10 + 20 → 30 km/h
    // Above the last key the table clamps (fluorescent 110 → 130 → value at 120).
    EXPECT_DOUBLE_EQ(GetKK(in, K, 110, 4), 0.0035);
}

TEST(DesignConcentration, KFromAnEmptyTableIsZero) {
    DesignConcentrationInput in;
    in.Cases[0].KKComputed = true;
    EXPECT_EQ(GetKK(in, CoefTable{}, 60, kCaseOneWay), 0.0);
}

TEST(DesignConcentration, TunnelLengthIsMeasuredToTheLastSlopeRow) {
    // The last row, not the largest station: start 1000, rows 3500, 2800 → 1800.
    const std::vector<double> piles{3500, 2800};
    EXPECT_DOUBLE_EQ(GetTunnelLength(1000, piles), 1800.0);
    // A last row before the start still gives a positive length.
    const std::vector<double> before{500};
    EXPECT_DOUBLE_EQ(GetTunnelLength(1000, before), 500.0);
    EXPECT_DOUBLE_EQ(GetTunnelLength(1000, {}), 0.0);
}

TEST(DesignConcentration, UpRatioIsOneHalf) {
    EXPECT_DOUBLE_EQ(GetUpRatio(), 0.5);
}

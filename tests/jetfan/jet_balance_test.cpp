// SPDX-License-Identifier: GPL-3.0-or-later
// Pressure balance of the jet-fan scheme and the number of fans, by hand.
#include "jetfan/jet_balance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using jetfan::FanCount;
using jetfan::FanCountFault;
using jetfan::FanCountResult;
using jetfan::FanRiseInputs;

// A fan that can be rated: outlet 34.305 m/s over 0.985 m², tunnel 63.96 m² at 3 m/s, η 0.91.
FanRiseInputs ratedFan() {
    return FanRiseInputs{.vj = 34.305, .Aj = 0.985, .Ar = 63.96, .vr = 3, .eta = 0.91};
}

TEST(JetBalance, TrafficForceByCasePosition) {
    EXPECT_EQ(jetfan::TrafficForceFor(0).Kind, jetfan::TrafficForceKind::OneWay);
    EXPECT_EQ(jetfan::TrafficForceFor(0).CaseID, 1);
    EXPECT_EQ(jetfan::TrafficForceFor(2).Kind, jetfan::TrafficForceKind::OneWay);
    EXPECT_EQ(jetfan::TrafficForceFor(2).CaseID, 3);
    EXPECT_EQ(jetfan::TrafficForceFor(3).Kind, jetfan::TrafficForceKind::Block1km);
    EXPECT_EQ(jetfan::TrafficForceFor(3).CaseID, 4);
    // Two-way traffic, and no case chosen at all, both take the two-way force.
    EXPECT_EQ(jetfan::TrafficForceFor(1).Kind, jetfan::TrafficForceKind::TwoWay);
    EXPECT_EQ(jetfan::TrafficForceFor(-1).Kind, jetfan::TrafficForceKind::TwoWay);
}

TEST(JetBalance, LocalLossesAndTotalRise) {
    // ρ = 1.2: 0.5·1.2·0.5·5² = 7.5 and 0.5·1.2·1·4² = 9.6, together 17.1 Pa.
    EXPECT_NEAR(jetfan::LocalLosses(1.2, {{0.5, 5}, {1.0, 4}}), 17.1, 1e-12);
    EXPECT_EQ(jetfan::LocalLosses(1.2, {}), 0);
    // A loss at a station without a cross-section has no finite speed, and neither has the sum.
    EXPECT_FALSE(std::isfinite(jetfan::LocalLosses(1.2, {{0.5, std::numeric_limits<double>::infinity()}})));
    // Δpm 30 + Δpr 120 + Δpl 17.1 − Δpt 40 = 127.1 Pa; a traffic force larger than the rest gives less than
    // 0.
    EXPECT_NEAR(jetfan::RequiredTotalRise(30, 120, 17.1, 40), 127.1, 1e-12);
    EXPECT_NEAR(jetfan::RequiredTotalRise(10, 20, 0, 50), -20, 1e-12);
}

TEST(JetBalance, FanCountIsTheFewestFansThatMeetTheRise) {
    // n is the least whole number with n · Δpj ≥ ΣΔpj; power 42 kW a fan.
    const struct {
        double total, dpj;
        int count;
    } cases[] = {
        {250, 100, 3},          // 2.5: two fans give 200 of 250 Pa
        {21.09, 15.403, 2},     // 1.37: one fan gives 15.403 of 21.09 Pa
        {275.10, 13.617, 21},   // 20.2: the template's balance
        {350, 100, 4},          // 3.5
        {260, 100, 3},          // 2.6
        {300, 100, 3},          // exactly 3
        {2.1, 0.3, 7},          // 7.000000000000001 counts as 7
        {300.00000005, 100, 3}, // 3.0000000005 lies within 1e-9 of 3
        {300.000001, 100, 4},   // 3.00000001 does not
        {0.01, 100, 1},         // any rise at all needs a fan
    };
    for (const auto& c : cases) {
        const FanCountResult r = FanCount(c.total, c.dpj, 42, ratedFan());
        EXPECT_EQ(r.Fault, FanCountFault::None) << c.total << " / " << c.dpj;
        EXPECT_EQ(r.Count, c.count) << c.total << " / " << c.dpj;
        EXPECT_DOUBLE_EQ(r.TotalPower, 42.0 * c.count) << c.total << " / " << c.dpj;
        EXPECT_GE(r.Count * c.dpj, c.total - 1e-6) << c.total << " / " << c.dpj;
    }
}

TEST(JetBalance, TrafficForceThatCarriesTheAirNeedsNoFan) {
    const FanCountResult r = FanCount(-700, 100, 42, ratedFan());
    EXPECT_EQ(r.Fault, FanCountFault::None);
    EXPECT_EQ(r.Count, 0);
    EXPECT_DOUBLE_EQ(r.TotalPower, 0);
}

TEST(JetBalance, FanCountThatCannotBeGivenNamesItsReason) {
    FanRiseInputs noModel = ratedFan();
    noModel.vj = 0;
    EXPECT_EQ(FanCount(250, std::numeric_limits<double>::quiet_NaN(), 42, noModel).Fault,
              FanCountFault::NoFanModel);
    FanRiseInputs noArea = ratedFan();
    noArea.Ar = 0;
    EXPECT_EQ(FanCount(250, std::numeric_limits<double>::infinity(), 42, noArea).Fault,
              FanCountFault::NoTunnelArea);
    // η = 0 gives a rise of 0; a tunnel speed above the outlet speed a negative rise.
    EXPECT_EQ(FanCount(250, 0, 42, ratedFan()).Fault, FanCountFault::RiseNotPositive);
    EXPECT_EQ(FanCount(250, -3, 42, ratedFan()).Fault, FanCountFault::RiseNotPositive);
    EXPECT_EQ(FanCount(std::numeric_limits<double>::quiet_NaN(), 100, 42, ratedFan()).Fault,
              FanCountFault::TotalNotComputed);
    // 10 000 000 / 100 = 100 000 fans do not fit a count.
    const FanCountResult huge = FanCount(1e7, 100, 42, ratedFan());
    EXPECT_EQ(huge.Fault, FanCountFault::CountTooLarge);
    EXPECT_EQ(huge.Count, 0);
}

} // namespace

TEST(JetBalance, LocalLossSquaresTheSpeedFirst) {
    // 0.5 × 1.2 × 0.1 × 1.18² = 0.06 × 1.3924 = 0.083544 Pa, to the last digit.
    EXPECT_EQ(jetfan::LocalLosses(1.2, {{0.1, 1.18}}), 0.083544);
    // 0.06 × 1.24² = 0.06 × 1.5376 = 0.092256 Pa
    EXPECT_EQ(jetfan::LocalLosses(1.2, {{0.1, 1.24}}), 0.092256);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The pressure rise of one jet fan, its position factor, the station air speed and the row sort.
#include "jetfan/jet_helpers.h"

#include "jetfan/modPublic_jet.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Aj = 0.25·3.1415926·1² = 0.78539815 m²; a flow of 30·Aj = 23.5619445 m³/s gives vj = 30 m/s.
jetfan::JetFanAtStation fanOfOutletSpeed30() {
    return jetfan::JetFanAtStation{
        .Flow = 23.5619445, .DD = 1, .Discount = 0.8, .Z = 1.2, .Ar = 60, .vr = 5, .rho = 1.2};
}

} // namespace

TEST(JetWallFactor, FollowsItsFourBranchesWithBoundariesInTheLowerOne) {
    // D = 1, so r = Z.
    EXPECT_DOUBLE_EQ(jetfan::JetWallFactor(0.5, 1), 0.85);
    EXPECT_DOUBLE_EQ(jetfan::JetWallFactor(0.7, 1), 0.85);
    EXPECT_NEAR(jetfan::JetWallFactor(0.85, 1), 0.86, 1e-12); // (−0.15)·0.02/0.3 + 0.87
    EXPECT_NEAR(jetfan::JetWallFactor(1, 1), 0.87, 1e-12);    // third line at r = 1
    EXPECT_NEAR(jetfan::JetWallFactor(1.2, 1), 0.886, 1e-12); // (−0.3)·0.08 + 0.91
    EXPECT_NEAR(jetfan::JetWallFactor(1.5, 1), 0.91, 1e-12);  // second line at r = 1.5
    EXPECT_DOUBLE_EQ(jetfan::JetWallFactor(3, 1), 0.91);
    // Only the ratio counts: Z 2.4 over D 2 is r = 1.2.
    EXPECT_NEAR(jetfan::JetWallFactor(2.4, 2), 0.886, 1e-12);
    // No diameter: the factor of a fan far from the wall.
    EXPECT_DOUBLE_EQ(jetfan::JetWallFactor(0, 0), 0.91);
    EXPECT_DOUBLE_EQ(jetfan::JetWallFactor(1.2, 0), 0.91);
    EXPECT_DOUBLE_EQ(modPublic::GetJetWallFactor(1.2, 0), 0.91);
    EXPECT_NEAR(modPublic::GetJetWallFactor(0.85, 1), 0.86, 1e-12);
}

TEST(JetPressureRise, StepFourByHand) {
    // 30²·1.2·0.5/50·(1 − 6/30)·0.9 = 10.8·0.8·0.9 = 7.776 Pa
    EXPECT_NEAR(jetfan::JetPressureRise(30, 1.2, 0.5, 50, 6, 0.9), 7.776, 1e-12);
    // Tunnel air faster than the outlet: 10.8·(1 − 40/30)·0.9 = −3.24 Pa, a negative rise.
    EXPECT_NEAR(jetfan::JetPressureRise(30, 1.2, 0.5, 50, 40, 0.9), -3.24, 1e-12);
    // Still air: 10.8·0.9 = 9.72 Pa
    EXPECT_NEAR(jetfan::JetPressureRise(30, 1.2, 0.5, 50, 0, 0.9), 9.72, 1e-12);
}

TEST(JetPressureRise, OneFanOfAModelByHand) {
    EXPECT_NEAR(jetfan::JetOutletArea(1), 0.78539815, 1e-15);
    EXPECT_NEAR(jetfan::JetOutletArea(0.9), 0.6361725015, 1e-12); // 0.78539815·0.81

    // vj = 30, η(1.2, 1) = 0.886: Δpj = vj·Flow·ρ/Ar·(1 − vr/vj)·η
    //   = 23.5619445·1.2·25/60·0.886 = 10.4379414135 Pa
    jetfan::JetFanAtStation fan = fanOfOutletSpeed30();
    EXPECT_NEAR(jetfan::JetPressureRise(fan), 10.4379414135, 1e-9);

    // Reversed: times the Discount 0.8 → 8.3503531308 Pa
    fan.Reversed = true;
    EXPECT_NEAR(jetfan::JetPressureRise(fan), 8.3503531308, 1e-9);

    // A shipped model, 1000型: Flow 26.96, Dj 1 → vj = 26.96/0.78539815 = 34.3265387; at Ar 60, vr 5,
    // Z 1.2, ρ 1.2: 26.96·1.2·29.3265387/60·0.886 = 14.0102025 Pa
    jetfan::JetFanAtStation shipped;
    shipped.Flow = 26.96;
    shipped.DD = 1;
    shipped.Z = 1.2;
    shipped.Ar = 60;
    shipped.vr = 5;
    shipped.rho = 1.2;
    EXPECT_NEAR(jetfan::JetPressureRise(shipped), 14.0102025305, 1e-9);
}

TEST(JetPressureRise, WithoutDiameterFlowOrAreaIsNotFinite) {
    jetfan::JetFanAtStation fan = fanOfOutletSpeed30();
    fan.DD = 0;
    EXPECT_FALSE(std::isfinite(jetfan::JetPressureRise(fan)));
    fan = fanOfOutletSpeed30();
    fan.Flow = 0;
    EXPECT_FALSE(std::isfinite(jetfan::JetPressureRise(fan)));
    fan = fanOfOutletSpeed30();
    fan.Ar = 0;
    EXPECT_FALSE(std::isfinite(jetfan::JetPressureRise(fan)));
}

TEST(StationVelocity, FlowOverTheAreaAtTheStation) {
    double askedAt = -1;
    int designAsked = 0;
    const auto area = [&](double pile) {
        askedAt = pile;
        return pile < 1300 ? 60.0 : 70.0;
    };
    const auto design = [&] {
        ++designAsked;
        return 120.0;
    };
    // 300 / 60 = 5 m/s at station 1100; 350 / 70 = 5 m/s at 1400.
    EXPECT_DOUBLE_EQ(jetfan::StationVelocity(1100, 300, design, area), 5);
    EXPECT_DOUBLE_EQ(askedAt, 1100);
    EXPECT_DOUBLE_EQ(jetfan::StationVelocity(1400, 350, design, area), 5);
    EXPECT_EQ(designAsked, 0);
    // −100 stands for the design demand: 120 / 60 = 2 m/s.
    EXPECT_DOUBLE_EQ(jetfan::StationVelocity(1100, jetfan::kDesignDemandMarker, design, area), 2);
    EXPECT_EQ(designAsked, 1);
    // Only −100 exactly is the marker.
    EXPECT_DOUBLE_EQ(jetfan::StationVelocity(1100, -100.5, design, area), -100.5 / 60);
    EXPECT_DOUBLE_EQ(jetfan::StationVelocity(1100, 0, design, area), 0);
    // No area known at the station.
    EXPECT_FALSE(std::isfinite(jetfan::StationVelocity(1100, 300, design, [](double) { return 0.0; })));
}

TEST(SortByFirstColumn, AscendingDescendingOrLeftAlone) {
    using Rows = std::vector<std::array<double, 2>>;
    // (3, a), (1, b), (2, c) with the second column standing for a, b, c as 10, 20, 30.
    const Rows start{{3, 10}, {1, 20}, {2, 30}};
    Rows a = start;
    jetfan::SortByFirstColumn(a, 1);
    EXPECT_EQ(a, (Rows{{1, 20}, {2, 30}, {3, 10}}));
    a = start;
    jetfan::SortByFirstColumn(a, -1);
    EXPECT_EQ(a, (Rows{{3, 10}, {2, 30}, {1, 20}}));
    for (int order : {0, 2, -2}) {
        Rows left = start;
        jetfan::SortByFirstColumn(left, order);
        EXPECT_EQ(left, start) << order;
    }
    Rows empty;
    jetfan::SortByFirstColumn(empty, 1);
    EXPECT_TRUE(empty.empty());
}

TEST(SortByFirstColumn, ExchangesPastEqualKeysAsTheCurveBuildersExpect) {
    // (2, a), (2, b), (1, c): row 1 exchanges with row 3 → (1, c), (2, b), (2, a); equal keys are never
    // exchanged with each other, so a and b end up the other way round (a stable sort keeps a before b).
    std::vector<std::array<double, 2>> a{{2, 1}, {2, 2}, {1, 3}};
    modPublic::SortByFirstColumn(a, vb::Integer{1});
    EXPECT_EQ(a, (std::vector<std::array<double, 2>>{{1, 3}, {2, 2}, {2, 1}}));

    // A point row of three columns moves whole.
    std::vector<std::array<double, 3>> points{{1500, 12.5, 0}, {1000, -3, 0}, {1200, 4, 0}};
    modPublic::SortByFirstColumn(points, vb::Integer{-1});
    EXPECT_EQ(points, (std::vector<std::array<double, 3>>{{1500, 12.5, 0}, {1200, 4, 0}, {1000, -3, 0}}));
}

TEST(JetOutletArea, SquaresTheDiameterBeforeTakingTheConstants) {
    // Aj = 0.78539815 × Dj², the square formed first: the last digit depends on it.
    // Dj = 1.2: 0.78539815 × 1.44 = 1.130973336; Dj = 0.6: 0.78539815 × 0.36 = 0.282743334.
    EXPECT_EQ(jetfan::JetOutletArea(1.2), 1.130973336);
    EXPECT_EQ(jetfan::JetOutletArea(0.6), 0.282743334);
}

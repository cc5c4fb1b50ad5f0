// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/resistance.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ventparam::EndLosses;
using ventparam::StationLists;

// Tunnel 0 .. 1000 m: sections .. 400 A 50 m², D 7 m; .. 1000 A 80 m², D 9 m.
// λ = 0.02, ρ = 1.2, Q = 100 m³/s: (Q/A)² = 4 in row 1, 1.5625 in row 2.
// Friction per metre: row 1 0.02/7 · 0.6 · 4 = 0.0068571 Pa; row 2 0.02/9 · 0.6 · 1.5625 = 0.0020833 Pa.
StationLists tunnel() {
    return StationLists{
        .StartPile = 0, .TunnelLength = 1000, .Sections = {{400, 50.0, 28.0, 7.0}, {1000, 80.0, 35.0, 9.0}}};
}

constexpr double kLambda = 0.02;
constexpr double kRho = 1.2;
constexpr double kQ = 100;
const EndLosses kNone{4, 0, 0, 0};

TEST(StretchResistance, FrictionInsideOneRowInEitherOrderAndWithEitherSignOfTheFlow) {
    // 200 · 0.02 / 7 · 0.6 · 4 = 1.3714286
    const StationLists lists = tunnel();
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 100, 300, kLambda, kRho, kQ, kNone), 1.3714286, 1e-6);
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 300, 100, kLambda, kRho, kQ, kNone), 1.3714286, 1e-6);
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 100, 300, kLambda, kRho, -kQ, kNone), 1.3714286,
                1e-6);
    EXPECT_EQ(ventparam::GetYANCHENGDeltap_r_m(lists, 100, 300, kLambda, kRho, 0), 0);
}

TEST(StretchResistance, DefaultEndLossesAreEntranceAndBranch) {
    // 1.3714286 + 0.6 · (0.6 · 4 + 0.28 · 4) = 1.3714286 + 2.112 = 3.4834286
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(tunnel(), 300, 100, kLambda, kRho, kQ), 3.4834286, 1e-6);
}

TEST(StretchResistance, AStretchIsSplitAtASectionChangeAndCountsNothingOutsideTheList) {
    const StationLists lists = tunnel();
    // 100 m in row 1 (0.6857143) + 200 m in row 2 (0.4166667) = 1.1023810
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 300, 600, kLambda, kRho, kQ, kNone), 1.1023810, 1e-6);
    // -200 .. 1200: only 0 .. 1000 counts: 400 · 0.0068571 + 600 · 0.0020833 = 2.7428571 + 1.25
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, -200, 1200, kLambda, kRho, kQ, kNone), 3.9928571,
                1e-6);
}

TEST(StretchResistance, EndLossesBySectionType) {
    const StationLists lists = tunnel();
    // dsp = dep = 200, type 3: no friction; 0.6 · (0.7 · 4 + 1 · 4) = 4.08
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 200, 200, kLambda, kRho, kQ, {3, 0.6, 0.28, 0.7}),
                4.08, 1e-9);
    // 100 .. 600, type 2: A1 = 50, A2 = 80; friction 300 · 0.0068571 + 200 · 0.0020833 = 2.4738095;
    // ends 0.6 · (0.7 · 4 + 0.28 · 1.5625) = 1.9425
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 600, 100, kLambda, kRho, kQ, {2, 0.6, 0.28, 0.7}),
                2.4738095 + 1.9425, 1e-6);
    // Entrance and exit at once, type 1 with 1.6: 1.6 · 0.6 · 4 = 3.84 at the smaller station.
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 600, 100, kLambda, kRho, kQ, {1, 1.6, 0, 0}),
                2.4738095 + 3.84, 1e-6);
    for (int type : {0, 4, 5}) {
        EXPECT_NEAR(
            ventparam::GetYANCHENGDeltap_r_m(lists, 100, 600, kLambda, kRho, kQ, {type, 0.6, 0.28, 0.7}),
            2.4738095, 1e-6)
            << "type " << type;
    }
}

TEST(StretchResistance, RowsWithoutAreaOrDiameterAddNothing) {
    StationLists lists = tunnel();
    lists.Sections[0].Diameter = 0.0;
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 0, 1000, kLambda, kRho, kQ, kNone), 1.25, 1e-9);
    lists.Sections[0].Diameter.reset();
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 0, 1000, kLambda, kRho, kQ, kNone), 1.25, 1e-9);
    lists.Sections[0].Diameter = 7.0;
    lists.Sections[1].Area.reset();
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 0, 1000, kLambda, kRho, kQ, kNone), 2.7428571, 1e-6);
}

TEST(StretchResistance, AnUnknownExitAreaKeepsTheEntranceLoss) {
    // Sections end at 400 in a 1000 m tunnel: the exit area at 600 reads 0. The friction of 100 .. 400
    // (2.0571429) and the entrance 1.6 · 0.6 · 4 = 3.84 still count; only the exit term is dropped.
    StationLists lists = tunnel();
    lists.Sections.pop_back();
    EXPECT_NEAR(ventparam::GetYANCHENGDeltap_r_m(lists, 100, 600, kLambda, kRho, kQ, {1, 1.6, 0.28, 0}),
                2.0571429 + 3.84, 1e-6);
}

TEST(StretchResistance, BreakStationsKeepTheirDuplicates) {
    std::vector<double> breaks;
    ventparam::GetYANCHENGDeltap_r_m(tunnel(), 1000, 400, kLambda, kRho, kQ, {}, &breaks);
    EXPECT_EQ(breaks, (std::vector<double>{0, 400, 400, 1000, 1000}));
}

TEST(StretchResistance, WholeTunnelLossesInClosedForm) {
    // Σ λ·L/D = 0.02 · 400 / 7 + 0.02 · 600 / 9 = 2.4761905; (1 + 0.5 + 2.4761905) · 0.6 · 2² = 9.5428571
    EXPECT_NEAR(ventparam::GetTotalDeltap(tunnel(), 0.5, kLambda, kRho, 2), 9.5428571, 1e-6);
    // (1 + 0.5) · 0.6 · 4 = 3.6
    EXPECT_NEAR(ventparam::GetRUKOUDeltap(0.5, kRho, 2), 3.6, 1e-12);
    StationLists lists = tunnel();
    lists.Sections[1].Diameter.reset();
    // Only row 1: (1.5 + 1.1428571) · 2.4 = 6.3428571
    EXPECT_NEAR(ventparam::GetTotalDeltap(lists, 0.5, kLambda, kRho, 2), 6.3428571, 1e-6);
}

} // namespace

TEST(StretchResistance, SpeedsAreSquaredBeforeTheyMultiply) {
    // One section 0 .. 1000 m, A 80 m², D 8 m; Q 102 m³/s, so Q/A = 1.275 and (Q/A)² = 1.625625.
    // Friction: 1000 × 0.02 / 8 × 0.5 × 1.2 × 1.625625 = 1.5 × 1.625625 = 2.4384375 Pa exactly.
    StationLists lists;
    lists.StartPile = 0;
    lists.TunnelLength = 1000;
    lists.Sections = {{1000, 80.0, 36.0, 8.0}};
    EXPECT_EQ(ventparam::GetYANCHENGDeltap_r_m(lists, 0, 1000, kLambda, kRho, 102, kNone), 2.4384375);
    // End losses of the whole-tunnel pattern (1, 1.6, 0, 0) at one station, A 55 m², Q 100 m³/s:
    // ρ/2 × (1.6 × (100/55)² + 0 × (100/55)²) = 0.6 × 1.6 × 10000 / 3025 = 9600 / 3025 Pa (3.17355372)
    lists.Sections = {{1000, 55.0, 30.0, 8.0}};
    EXPECT_EQ(ventparam::GetYANCHENGDeltap_r_m(lists, 500, 500, kLambda, kRho, kQ, {1, 1.6, 0, 0}),
              9600.0 / 3025.0);
}

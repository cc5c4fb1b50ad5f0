// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/loss_coefficients.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace ventparam;

namespace {

CoefTable table1D(std::vector<double> x, std::vector<double> v) {
    return CoefTable{std::move(x), {0}, {std::move(v)}};
}

// ζ0 of a rectangular bend: r/D 0.5 and 1.0 (columns), vane-count type 1, 2, 3 (rows).
CoefTable vaneTable() {
    return CoefTable{{0.5, 1.0}, {1, 2, 3}, {{0.4, 0.3}, {0.5, 0.4}, {0.6, 0.5}}};
}

ZetaTables fullTables() {
    return ZetaTables{.TabA02_3 = vaneTable(),
                      .TabA02_4 = vaneTable(),
                      .TabA02_6 = table1D({0.2, 1.0}, {1.5, 1.0}),
                      .TabA05_2 = CoefTable{{1, 2}, {50, 80}, {{1.0, 2.0}, {0.4, 0.8}}},
                      .TabA05_3 = table1D({40, 50}, {3.030, 1.650})};
}

// The tapered-piece tables with the values of the shipped table file.
DuctTables ductTables() {
    DuctTables t;
    t.TabA03_1 = table1D({4, 5, 6, 7.5, 10, 12.5, 15, 20, 30, 45, 90},
                         {0.14, 0.16, 0.22, 0.30, 0.42, 0.62, 0.65, 0.92, 1.15, 1.10, 1.02});
    t.TabA03_2 = table1D({5, 10, 20, 30, 40, 50, 70}, {0.40, 0.25, 0.20, 0.20, 0.30, 0.40, 0.60});
    t.TabA03_3 = table1D({0.1, 0.3, 0.5, 0.7, 0.9, 1.0}, {0.40, 0.36, 0.30, 0.20, 0.10, 0.00});
    return t;
}

ZetaInput ofType(int type) {
    ZetaInput in;
    in.Type = type;
    return in;
}

DuctPiece straight(double length, double area, double diameter, double roughness = 0) {
    DuctPiece p;
    p.Length = length;
    p.Area = area;
    p.Diameter = diameter;
    p.Roughness = roughness;
    p.StrictArea = area;
    p.StrictDiameter = diameter;
    return p;
}

DuctPiece tapered(double length) {
    DuctPiece p;
    p.Length = length;
    p.Tapered = true;
    return p;
}

} // namespace

TEST(LocalLossCoefficient, BendsWithoutVanesByTheirFormulas) {
    // Smooth bend, D = r, θ = 90: (0.131 + 0.1623·1)·1 = 0.2933.
    ZetaInput in = ofType(kCircularBend);
    in.D = 1;
    in.r = 1;
    in.theta = 90;
    EXPECT_NEAR(LocalLossCoefficient(in, {}).Zeta, 0.2933, 1e-12);
    // D = 1, r = 2, θ = 45: (0.131 + 0.1623·0.5^3.5)·√0.5 = (0.131 + 0.0143454)·0.7071068 = 0.1027747.
    in.r = 2;
    in.theta = 45;
    EXPECT_NEAR(LocalLossCoefficient(in, {}).Zeta, 0.1027747, 1e-7);

    // Mitred elbow, θ = 60: s = sin(30°) ≈ 0.5, 0.946·0.25 + 2.05·0.0625 = 0.364625.
    ZetaInput elbow = ofType(kMitredElbow);
    elbow.theta = 60;
    EXPECT_NEAR(LocalLossCoefficient(elbow, {}).Zeta, 0.364625, 1e-7);
    // θ = 90: s² = 0.5, 0.946·0.5 + 2.05·0.25 = 0.9855.
    elbow.theta = 90;
    EXPECT_NEAR(LocalLossCoefficient(elbow, {}).Zeta, 0.9855, 1e-7);
    // θ = 35: s = sin(17.5°) = 0.3007058, s² = 0.0904240, s⁴ = 0.0081765;
    // 0.946·0.0904240 + 2.05·0.0081765 = 0.1023029. The square is one factor: 0.946·s·s taken from the
    // left rounds differently in the last digit.
    elbow.theta = 35;
    const double s = std::sin(0.5 * 35 * kZetaPi / 180);
    EXPECT_NEAR(LocalLossCoefficient(elbow, {}).Zeta, 0.1023029, 1e-7);
    EXPECT_EQ(LocalLossCoefficient(elbow, {}).Zeta, 0.946 * (s * s) + 2.05 * std::pow(s, 4));
}

TEST(LocalLossCoefficient, MissingInputsGiveZeroRatherThanAFailure) {
    EXPECT_EQ(LocalLossCoefficient(ofType(kCircularBend), {}).Zeta, 0); // r = 0: D/r not formed
    ZetaInput negative = ofType(kCircularBend);
    negative.D = 1;
    negative.r = 1;
    negative.theta = -90; // √ of a negative ratio
    EXPECT_EQ(LocalLossCoefficient(negative, {}).Zeta, 0);
    EXPECT_EQ(LocalLossCoefficient(ofType(kMitredElbow), {}).Zeta, 0);
    EXPECT_EQ(LocalLossCoefficient(ofType(-1), fullTables()).Zeta, 0);
    EXPECT_EQ(LocalLossCoefficient(ofType(8), fullTables()).Zeta, 0);
}

TEST(NearestVaneType, FirstNearestCandidateWinsAndTiesKeepTheEarlier) {
    // D/r = 2: normal 3.26, reduced 2.8, minimum 1.8.
    EXPECT_EQ(NearestVaneType(3.3, 2, 1), 1);
    EXPECT_EQ(NearestVaneType(2.7, 2, 1), 2);
    EXPECT_EQ(NearestVaneType(1.8, 2, 1), 3);
    // D/r = 1: 1.265 lies 0.135 from normal 1.13 and from reduced 1.4.
    EXPECT_EQ(NearestVaneType(1.265, 1, 1), 1);
    // D/r = 10: 11.5 lies 2.5 from reduced 14 and from minimum 9.
    EXPECT_EQ(NearestVaneType(11.5, 10, 1), 2);
    // Every candidate 100000 or more away: no type.
    EXPECT_EQ(NearestVaneType(200000, 2, 1), 0);
    // r = 0: no candidate can be formed, all stay 0 and the first is nearest.
    EXPECT_EQ(NearestVaneType(5, 1, 0), 1);
    // D = 1.5, r = 0.69 (D/r = 50/23): reduced 1.4·1.5/0.69 = 70/23 = 3.0434783, minimum 0.9·1.5/0.69 =
    // 45/23 = 1.9565217; n = 2.5 lies 12.5/23 = 0.5434783 from both, so the earlier (reduced) wins. The
    // counts are taken as written, 1.4·D first and then /r: forming D/r first puts the tie the other way.
    EXPECT_EQ(NearestVaneType(2.5, 1.5, 0.69), 2);
    // D = 3, r = 0.69: reduced 140/23 = 6.0869565, minimum 90/23 = 3.9130435; n = 5 lies 25/23 from both.
    EXPECT_EQ(NearestVaneType(5, 3, 0.69), 2);
}

TEST(LocalLossCoefficient, RectangularBendsWithVanesReadTheirTableAndScale) {
    // D = 2, r = 1, n = 1.8 → minimum (type 3); r/D = 0.5 → ζ0 = 0.6 in both tables.
    for (int type : {kRectBendAirfoilVanes, kRectBendThinVanes}) {
        ZetaInput in = ofType(type);
        in.D = 2;
        in.r = 1;
        in.VaneNum = 1.8;
        in.theta = 90;
        in.Re = 2;
        ZetaResult r = LocalLossCoefficient(in, fullTables());
        EXPECT_EQ(r.VaneType, 3);
        EXPECT_NEAR(r.Zeta, 0.6, 1e-12);
        EXPECT_TRUE(r.MissingTables.empty());
        in.theta = 60; // not scaled at 60
        EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.6, 1e-12);
        in.theta = 45; // 0.6·45/90
        EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.3, 1e-12);
        in.theta = 90;
        in.Re = 1; // not corrected at Re = 1
        EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.6, 1e-12);
        in.Re = 0.5; // kRe(0.5) = 1.5 − 0.5·0.3/0.8 = 1.3125; 0.6·1.3125 = 0.7875
        EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.7875, 1e-12);
        in.Re = 2;
        in.VaneNum = 200000; // no vane-count type: read at y = 0, clamped to row 1 → 0.4
        r = LocalLossCoefficient(in, fullTables());
        EXPECT_EQ(r.VaneType, 0);
        EXPECT_NEAR(r.Zeta, 0.4, 1e-12);
    }
}

TEST(LocalLossCoefficient, TablesTheFileLacksAreNamedAndLeaveTheValueAsItWas) {
    ZetaTables tables = fullTables();
    tables.TabA02_3 = {};
    tables.TabA02_6 = {};
    ZetaInput in = ofType(kRectBendAirfoilVanes);
    in.D = 2;
    in.r = 1;
    in.VaneNum = 1.8;
    in.theta = 90;
    in.Re = 0.5;
    ZetaResult r = LocalLossCoefficient(in, tables);
    EXPECT_EQ(r.Zeta, 0);
    EXPECT_EQ(r.VaneType, 3);
    EXPECT_EQ(r.MissingTables, (std::vector<std::string>{"TabA02_3", "TabA02_6"}));

    // Type 3 still has its table; the missing Reynolds table leaves 0.6 uncorrected instead of 0.
    in.Type = kRectBendThinVanes;
    r = LocalLossCoefficient(in, tables);
    EXPECT_NEAR(r.Zeta, 0.6, 1e-12);
    EXPECT_EQ(r.MissingTables, (std::vector<std::string>{"TabA02_6"}));

    EXPECT_EQ(LocalLossCoefficient(ofType(kGrille), ZetaTables{}).MissingTables,
              (std::vector<std::string>{"TabA05_2"}));
    EXPECT_EQ(LocalLossCoefficient(ofType(kWireScreen), ZetaTables{}).MissingTables,
              (std::vector<std::string>{"TabA05_3"}));
    EXPECT_TRUE(LocalLossCoefficient(ofType(kEntrance), ZetaTables{}).MissingTables.empty());
}

TEST(LocalLossCoefficient, RoundBendWithVanesAddsFrictionToTheVaneTerm) {
    // Δ = 1 mm, D = 1 m: λ = 1/(1.1138 + 6)² = 0.0197604; kRe at Re = 2 clamps to 1.0.
    ZetaInput in = ofType(kRoundBendAirfoilVanes);
    in.D = 1;
    in.Delta = 1;
    in.Re = 2;
    in.VanePosition = 0;
    EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.23 + 1.28 * 0.0197604, 1e-7);
    in.VanePosition = 1; // smooth turn, any other position: 0.15
    EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.15 + 0.0252934, 1e-7);
    in.VanePosition = -1;
    EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.15 + 0.0252934, 1e-7);
    in.EdgeChamfered = true;
    in.VanePosition = 2;
    EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.21 + 0.0252934, 1e-7);
    in.VanePosition = 0;
    EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.3 + 0.0252934, 1e-7);
    in.VanePosition = -1; // chamfered edge with no selection: stays 0
    EXPECT_EQ(LocalLossCoefficient(in, fullTables()).Zeta, 0);

    // Without the Reynolds table kRe stays 0 and only the friction term 1.28λ is left.
    in.VanePosition = 0;
    ZetaTables noKRe = fullTables();
    noKRe.TabA02_6 = {};
    ZetaResult r = LocalLossCoefficient(in, noKRe);
    EXPECT_NEAR(r.Zeta, 0.0252934, 1e-7);
    EXPECT_EQ(r.MissingTables, (std::vector<std::string>{"TabA02_6"}));
    // Without roughness λ cannot be formed and counts 0: 0.3·1.
    in.Delta = 0;
    EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.3, 1e-12);
}

TEST(LocalLossCoefficient, EntranceGrilleAndScreen) {
    ZetaInput in = ofType(kEntrance);
    EXPECT_EQ(LocalLossCoefficient(in, {}).Zeta, 0.55);
    in.SharpEntrance = false;
    EXPECT_EQ(LocalLossCoefficient(in, {}).Zeta, 0.04);
    // Grille at 65 %: inlet midway 1.0 → 0.4 = 0.7; outlet midway 2.0 → 0.8 = 1.4.
    in = ofType(kGrille);
    in.AreaRatio = 65;
    EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 0.7, 1e-12);
    in.GrilleInlet = false;
    EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 1.4, 1e-12);
    // Screen at 45 %: midway 3.030 → 1.650 = 2.34.
    in = ofType(kWireScreen);
    in.AreaRatio = 45;
    EXPECT_NEAR(LocalLossCoefficient(in, fullTables()).Zeta, 2.34, 1e-12);
}

TEST(PreselectRoundBendVanes, NearerToNormalSelectsItTiesSelectReduced) {
    // D = 1, t1 = 0.25: normal 11, reduced 8.
    EXPECT_EQ(PreselectRoundBendVanes(10, 1, 0.25), 0);
    EXPECT_EQ(PreselectRoundBendVanes(9.5, 1, 0.25), 1);
    EXPECT_EQ(PreselectRoundBendVanes(8, 1, 0.25), 1);
    EXPECT_EQ(PreselectRoundBendVanes(5, 1, 0), 1); // t1 = 0: both counts 0, a tie
    // D = 0.52, t1 = 0.65: normal 3·0.52/0.65 − 1 = 1.4, reduced 2·0.52/0.65 = 1.6; n = 1.5 lies 0.1 from
    // both, a tie, so reduced. The counts are taken as written (3·D first, then /t1).
    EXPECT_EQ(PreselectRoundBendVanes(1.5, 0.52, 0.65), 1);
    // D = 0.5, t1 = 2.5: normal −0.4, reduced 0.4; n = 0 is a tie.
    EXPECT_EQ(PreselectRoundBendVanes(0, 0.5, 2.5), 1);
}

TEST(DuctFormulas, FrictionFactorAndEquivalentDiameter) {
    EXPECT_NEAR(*RoughWallFrictionFactor(1, 1), 0.0197604, 1e-7);
    EXPECT_FALSE(RoughWallFrictionFactor(0, 1));
    EXPECT_FALSE(RoughWallFrictionFactor(1, 0));
    EXPECT_FALSE(RoughWallFrictionFactor(-1, 1));
    EXPECT_NEAR(DuctFrictionFactor(1.6, 1.6), 0.0197604, 1e-7);
    EXPECT_EQ(DuctFrictionFactor(0, 1.6), kDuctFrictionDefault);
    EXPECT_EQ(DuctFrictionFactor(1, 0), kDuctFrictionDefault);
    EXPECT_NEAR(*EquivalentDiameter(10, 12), 3.3333333, 1e-7);
    EXPECT_FALSE(EquivalentDiameter(10, 0));
    EXPECT_FALSE(EquivalentDiameter(0, 0));
}

TEST(DuctPressureLoss, StraightPiecesByWallFriction) {
    // l = 100, A = 2, D = 1.6, Q = 10, ρ = 1.2: v = 5.
    // No roughness: 0.022·100·0.6·25/1.6 = 20.625 Pa.
    const DuctTables t = ductTables();
    EXPECT_NEAR(DuctPressureLoss({straight(100, 2, 1.6)}, {}, 10, 1.2, t), 20.625, 1e-9);
    // Δ = 1.6 mm: λ = 0.0197604, 0.0197604·100·0.6·25/1.6 = 18.52542 Pa.
    EXPECT_NEAR(DuctPressureLoss({straight(100, 2, 1.6, 1.6)}, {}, 10, 1.2, t), 18.52542, 1e-5);
    // A piece without area or diameter adds nothing, and does not repeat its neighbour's loss.
    EXPECT_NEAR(
        DuctPressureLoss({straight(100, 2, 1.6), straight(50, 0, 1.6), straight(50, 2, 0)}, {}, 10, 1.2, t),
        20.625, 1e-9);
    EXPECT_EQ(DuctPressureLoss({}, {}, 10, 1.2, t), 0);
    EXPECT_EQ(DuctPressureLoss({straight(100, 2, 1.6)}, {{50, 1}}, 0, 1.2, t), 0);
}

TEST(DuctPressureLoss, TaperedPiecesTakeTheirShapeFromTheirNeighbours) {
    const DuctTables t = ductTables();
    // Narrowing over 5 m from D 2 (A 4) to D 1 (A 1): θ = atan(0.1) = 5.7106°;
    // TabA03_2(5.7106) = 0.40 − 0.15·0.7106/5 = 0.378682, TabA03_3(0.25) = 0.37, ζ = 0.140112;
    // v = 10/1 = 10, Δp = 0.140112·0.6·100 = 8.40674 Pa.
    const std::vector<DuctPiece> narrowing = {straight(10, 4, 2), tapered(5), straight(10, 1, 1)};
    EXPECT_NEAR(DuctPieceLoss(narrowing, 1, 10, 1.2, t), 8.40674, 1e-5);
    // Widening from D 1 (A 1) to D 2 (A 4): θ = −5.7106°; TabA03_1(5.7106) = 0.16 + 0.06·0.7106 = 0.202636,
    // ζ = 0.202636·(4 − 1)² = 1.823720; v = 10/4 = 2.5, Δp = 1.823720·0.6·6.25 = 6.83895 Pa.
    const std::vector<DuctPiece> widening = {straight(10, 1, 1), tapered(5), straight(10, 4, 2)};
    EXPECT_NEAR(DuctPieceLoss(widening, 1, 10, 1.2, t), 6.83895, 1e-5);
}

TEST(DuctPressureLoss, TaperedPiecesThatCannotBeEvaluatedAddNothing) {
    const DuctTables t = ductTables();
    EXPECT_EQ(DuctPieceLoss({tapered(5), straight(10, 1, 1)}, 0, 10, 1.2, t), 0);
    EXPECT_EQ(DuctPieceLoss({straight(10, 1, 1), tapered(5)}, 1, 10, 1.2, t), 0);
    EXPECT_EQ(DuctPieceLoss({straight(10, 1, 1), tapered(5), tapered(5), straight(10, 4, 2)}, 1, 10, 1.2, t),
              0);
    EXPECT_EQ(DuctPieceLoss({straight(10, 1, 1), tapered(0), straight(10, 4, 2)}, 1, 10, 1.2, t), 0);
    DuctPiece notANumber = straight(10, 4, 2);
    notANumber.StrictArea.reset(); // a cell that does not convert strictly
    EXPECT_EQ(DuctPieceLoss({straight(10, 1, 1), tapered(5), notANumber}, 1, 10, 1.2, t), 0);
    EXPECT_EQ(DuctPieceLoss({straight(10, 0, 1), tapered(5), straight(10, 4, 2)}, 1, 10, 1.2, t), 0);
    EXPECT_EQ(DuctPieceLoss({}, 3, 10, 1.2, t), 0);
}

TEST(DuctPressureLoss, LocalLossesUseTheSpeedAtTheirPosition) {
    // Pieces: [0, 100) A 2, [100, 150) tapered, [150, 250) A 4; Q = 10.
    const std::vector<DuctPiece> duct = {straight(100, 2, 1.6), tapered(50), straight(100, 4, 2.2)};
    EXPECT_EQ(DuctSpeedAt(duct, 10, 0), 5);
    EXPECT_EQ(DuctSpeedAt(duct, 10, 50), 5);
    EXPECT_NEAR(DuctSpeedAt(duct, 10, 100), 10.0 / 3, 1e-12); // mean area (2 + 4)/2 = 3
    EXPECT_EQ(DuctSpeedAt(duct, 10, 150), 2.5);               // end of a piece belongs to the next
    EXPECT_EQ(DuctSpeedAt(duct, 10, 250), 2.5);               // the exact end belongs to the last piece
    EXPECT_EQ(DuctSpeedAt(duct, 10, 250.5), 0);               // beyond the duct
    EXPECT_EQ(DuctSpeedAt(duct, 10, -1), 0);
    EXPECT_EQ(DuctSpeedAt({tapered(50)}, 10, 10), 0);

    // ζ = 1 at 50 m in the piece of 2 m²: 1·0.6·5² = 15 Pa; beyond the duct adds 0.
    const std::vector<DuctPiece> one = {straight(100, 2, 0)};
    EXPECT_NEAR(DuctPressureLoss(one, {{50, 1}, {400, 3}}, 10, 1.2, ductTables()), 15, 1e-12);
}

TEST(DuctPressureLoss, TheEndOfTheDuctBelongsToItsLastPiece) {
    // The typed end is the end whichever side of the floating sum of the lengths it falls: 0.1 + 0.2 sums
    // to 0.30000000000000004, above 0.3, which the last piece holds anyway; 0.1 + 0.7 sums to
    // 0.7999999999999999, below 0.8, which only the end rule gives to the last piece.
    const struct { double last, end; } ducts[] = {{0.2, 0.3}, {0.7, 0.8}};
    for (const auto& d : ducts) {
        SCOPED_TRACE(d.end);
        const std::vector<DuctPiece> duct = {straight(0.1, 2, 1), straight(d.last, 4, 1)};
        EXPECT_EQ(DuctSpeedAt(duct, 10, d.end), 2.5);
        EXPECT_EQ(DuctLossesOutside(duct, {0.1, d.end + 0.01, d.end, -0.01}), (std::vector<int>{2, 4}));
    }
    EXPECT_TRUE(DuctOutside({}, 0)); // no duct holds no loss
}

TEST(StretchEndLosses, ChecksChooseTheSectionType) {
    const EndLosses both = StretchEndLosses(true, true);
    EXPECT_EQ(both.SectionType, 1);
    EXPECT_EQ(both.ZetaRukou, 1.6);
    EXPECT_EQ(both.ZetaFencha, 0);
    EXPECT_EQ(both.ZetaHeliu, 0);
    const EndLosses entrance = StretchEndLosses(true, false);
    EXPECT_EQ(entrance.SectionType, 1);
    EXPECT_EQ(entrance.ZetaRukou, 0.6);
    EXPECT_EQ(StretchEndLosses(false, true).SectionType, 3);
    EXPECT_EQ(StretchEndLosses(false, true).ZetaRukou, 0);
    EXPECT_EQ(StretchEndLosses(false, false).SectionType, 4);
}

TEST(DuctPressureLoss, SpeedIsSquaredBeforeItMultiplies) {
    // The speed is squared first and enters as one factor; the last digit depends on it.
    // Straight l 100, A 10, D 3.5, no roughness (λ 0.022), Q 91, ρ 1.2: v = 9.1, v² = 82.81;
    // 0.022·100·0.5·1.2·82.81/3.5 = 31.2312 Pa.
    const DuctTables t = ductTables();
    const double v = 91.0 / 10;
    EXPECT_EQ(DuctPressureLoss({straight(100, 10, 3.5)}, {}, 91, 1.2, t),
              kDuctFrictionDefault * 100 * 0.5 * 1.2 * (v * v) / 3.5);
    // With a local loss ζ 0.5 at 50 m: 0.5·0.5·1.2·82.81 = 24.843 Pa on top of the friction.
    EXPECT_EQ(DuctPressureLoss({straight(100, 10, 3.5)}, {{50, 0.5}}, 91, 1.2, t),
              kDuctFrictionDefault * 100 * 0.5 * 1.2 * (v * v) / 3.5 + 0.5 * 0.5 * 1.2 * (v * v));
}

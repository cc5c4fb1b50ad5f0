// SPDX-License-Identifier: GPL-3.0-or-later
// Photometry of one lamp by hand: the aiming of tilted lamps, γ and C towards points around the aiming
// point, the intensity lookup, the illuminance and the luminance with the observation angle β. Degrees and
// radians are converted with 3.1415926, so an angle of exactly 45° comes out as 45 × π / 3.1415926 =
// 45.0000008; the tolerances allow for that.

#include "lighting/lamp_photometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace lighting {
namespace {

constexpr double kAngleTol = 1e-5;

LampCircuit Lamp(double H, double a1 = 0, double a2 = 0, int mounting = 0) {
    LampCircuit c;
    c.Model = "T1";
    c.Flux = 10000;
    c.Maintenance = 0.7;
    c.Mounting = mounting;
    c.Height = H;
    c.TiltAcross = a1;
    c.TiltAlong = a2;
    return c;
}

/// A table of one value everywhere (cd/klm or r × 1000).
CoefTable Flat(double value) {
    return CoefTable{{0, 360}, {0, 180}, {{value, value}, {value, value}}};
}

TEST(LampDirection, AnUntiltedLampSeesThePointAtTheAngleFromTheVertical) {
    // Lamp at (0, 5), H = 6. Point (8, 5): d = 8, LA = 6, LP = 10, AP = 8,
    // k = (36 + 100 − 64) / (2 × 6 × 10) = 0.6 = H / √(H² + d²), γ = arccos 0.6 = 53.130102°;
    // dx = 8 > 0, dy = 0: C = 180.
    const LampDirection far = DirectionToPoint(Lamp(6), 0, 5, 8, 5);
    EXPECT_TRUE(far.Defined);
    EXPECT_NEAR(far.Gamma, 53.130102, kAngleTol);
    EXPECT_NEAR(std::cos(far.Gamma * kLightingPi / 180), 0.6, 1e-12);
    EXPECT_NEAR(far.C, 180, kAngleTol);
    // Straight under the lamp: k = 1, γ = 0, and dx = 0 gives C = 90.
    const LampDirection under = DirectionToPoint(Lamp(6), 0, 5, 0, 5);
    EXPECT_EQ(under.Gamma, 0);
    EXPECT_EQ(under.C, 90);
}

TEST(LampDirection, ALampTiltedAboutTheTunnelAxisAimsTowardsTheCentreLine) {
    // H = 6, a1 = 15°: t = 6 tan 15° = 1.607695, s = 6 / cos 15° = 6.211657. Lamp at y = 5 aims at
    // y = 3.392305: there γ = 0. Under the lamp AP = t, LP = 6: k = (s² + 36 − t²) / (2 × s × 6) = cos 15°,
    // γ = 15°. The point as far beyond the foot (y = 6.607695) is 15° + 15° = 30° off the axis.
    const LampCircuit c = Lamp(6, 15);
    EXPECT_NEAR(DirectionToPoint(c, 0, 5, 0, 3.392305).Gamma, 0, 1e-3);
    EXPECT_NEAR(DirectionToPoint(c, 0, 5, 0, 5).Gamma, 15, kAngleTol);
    EXPECT_NEAR(DirectionToPoint(c, 0, 5, 0, 6.607695).Gamma, 30, 1e-3);
    // The same lamp at y = −5 aims at y = −3.392305, again towards the centre line.
    EXPECT_NEAR(DirectionToPoint(c, 0, -5, 0, -3.392305).Gamma, 0, 1e-3);
    EXPECT_NEAR(DirectionToPoint(c, 0, -5, 0, -6.607695).Gamma, 30, 1e-3);
    // A lamp on the centre line tilts towards +y: aiming point y = 1.607695.
    EXPECT_NEAR(DirectionToPoint(c, 0, 0, 0, 1.607695).Gamma, 0, 1e-3);
}

TEST(LampDirection, ALampTiltedAboutTheCrossSectionAimsAlongPlusX) {
    // H = 6, a2 = 30°: t = 0, s = 6, u = 6 tan 30° = 3.464102, aiming point x = 3.464102; under the lamp
    // γ = 30°, at the aiming point γ = 0 and C = 90 (dx = 0).
    const LampCircuit c = Lamp(6, 0, 30);
    EXPECT_NEAR(DirectionToPoint(c, 0, 5, 0, 5).Gamma, 30, kAngleTol);
    EXPECT_NEAR(DirectionToPoint(c, 0, 5, 3.464102, 5).Gamma, 0, 1e-3);
    EXPECT_EQ(DirectionToPoint(c, 0, 5, 6 * std::tan(30 * kLightingPi / 180), 5).C, 90);
}

TEST(LampDirection, CRunsAroundTheAimingPoint) {
    const LampCircuit c = Lamp(6);
    // Along +x 180, along −x 0 (360 taken off), across in either direction 90.
    EXPECT_NEAR(DirectionToPoint(c, 0, 0, 10, 0).C, 180, kAngleTol);
    EXPECT_NEAR(DirectionToPoint(c, 0, 0, -10, 0).C, 0, kAngleTol);
    EXPECT_EQ(DirectionToPoint(c, 0, 0, 0, 3).C, 90);
    EXPECT_EQ(DirectionToPoint(c, 0, 0, 0, -3).C, 90);
    // (10, 10): 180 − 45 = 135; (−10, 10): 360 − (−45) = 405 → 45.
    EXPECT_NEAR(DirectionToPoint(c, 0, 0, 10, 10).C, 135, kAngleTol);
    EXPECT_NEAR(DirectionToPoint(c, 0, 0, -10, 10).C, 45, kAngleTol);
    // Just off the −y direction: (−0.001, −3): 360 − arctan(3000) = 270.019; (0.001, −3): 269.981.
    EXPECT_NEAR(DirectionToPoint(c, 0, 0, -0.001, -3).C, 270.019099, 1e-4);
    EXPECT_NEAR(DirectionToPoint(c, 0, 0, 0.001, -3).C, 269.980901, 1e-4);
}

TEST(LampDirection, ACentreLineLampTurnsCBy90) {
    const LampCircuit centre = Lamp(6, 0, 0, kCentreLineMounting);
    // (−1, −√3): 360 − 60 = 300, turned: 390 → 30. (0, 3): 90 → 180.
    EXPECT_NEAR(DirectionToPoint(centre, 0, 0, -1, -std::sqrt(3.0)).C, 30, kAngleTol);
    EXPECT_NEAR(DirectionToPoint(centre, 0, 0, 0, 3).C, 180, kAngleTol);
    // The other mountings keep C.
    EXPECT_NEAR(DirectionToPoint(Lamp(6, 0, 0, 1), 0, 0, -1, -std::sqrt(3.0)).C, 300, kAngleTol);
}

TEST(LampDirection, ALampAtRoadLevelLightsNothing) {
    // H = 0: no axis (LA = 0); the direction is undefined, γ = 90 and the intensity 0, never NaN.
    const LampDirection d = DirectionToPoint(Lamp(0), 0, 5, 8, 5);
    EXPECT_FALSE(d.Defined);
    EXPECT_EQ(d.Gamma, 90);
    EXPECT_EQ(IntensityOf(Flat(200), d), 0);
    EXPECT_FALSE(DirectionToPoint(Lamp(0), 0, 5, 0, 5).Defined);
}

TEST(LampIntensity, TheTableIsReadBilinearlyWithCAsColumnAndGammaAsRow) {
    // C keys 0, 90, 180; γ keys 0, 60. Row γ = 0: 100, 200, 300; row γ = 60: 50, 100, 150.
    // (C 45, γ 30): 150 and 75 at C = 45, then 112.5. (C 270, γ 0) holds the edge column: 300.
    const CoefTable t{{0, 90, 180}, {0, 60}, {{100, 200, 300}, {50, 100, 150}}};
    LampDirection d;
    d.C = 45;
    d.Gamma = 30;
    EXPECT_DOUBLE_EQ(IntensityOf(t, d), 112.5);
    d.C = 270;
    d.Gamma = 0;
    EXPECT_DOUBLE_EQ(IntensityOf(t, d), 300);
    EXPECT_EQ(IntensityOf(CoefTable{}, d), 0);
}

TEST(LampIlluminance, ScalesTheTableWithFluxAndMaintenanceFactor) {
    // I = 200 cd/klm, Φ = 10000 lm, M = 0.7, z = 6. At γ = 53.130102 (cos = 0.6):
    // E = 0.216 × 200 × 10000 × 0.7 × 0.001 / 36 = 8.4 lx. Under the lamp: 1400 / 36 = 38.888889 lx.
    EXPECT_NEAR(PointIlluminance(200, 53.130102, 10000, 0.7, 6), 8.4, 1e-5);
    EXPECT_NEAR(PointIlluminance(200, 0, 10000, 0.7, 6), 38.888889, 1e-6);
    // Doubling Φ doubles E; no height or no flux gives 0.
    EXPECT_NEAR(PointIlluminance(200, 0, 20000, 0.7, 6), 77.777778, 1e-6);
    EXPECT_EQ(PointIlluminance(200, 0, 10000, 0.7, 0), 0);
    EXPECT_EQ(PointIlluminance(200, 0, 0, 0.7, 6), 0);
}

TEST(LampLuminance, ObservationAngleFromThePlanPositions) {
    // Observer (−60, 0), point (0, 0). Lamp beyond the point on the line of sight (10, 0): m = 1, β = 0;
    // lamp on the observer's side (−5, 0): m = −1, β = 180; lamp across (0, 5): m = 0, β = 90.
    EXPECT_EQ(ObservationAngle(10, 0, 0, 0, -60, 0), 0);
    EXPECT_EQ(ObservationAngle(-5, 0, 0, 0, -60, 0), 180);
    EXPECT_NEAR(ObservationAngle(0, 5, 0, 0, -60, 0), 90, kAngleTol);
    // Lamp (10, 5): FO² = 4925, OP = 60, FP² = 125: m = 1200 / (120 × 11.180340) = 0.894427,
    // β = 26.565051 (far side, below 90); lamp (−10, 5): FO² = 2525, m = −0.894427, β = 153.434949.
    EXPECT_NEAR(ObservationAngle(10, 5, 0, 0, -60, 0), 26.565051, kAngleTol);
    EXPECT_NEAR(ObservationAngle(-10, 5, 0, 0, -60, 0), 153.434949, kAngleTol);
    // The lamp's foot on the point, or the observer on it: 0.
    EXPECT_EQ(ObservationAngle(0, 0, 0, 0, -60, 0), 0);
    EXPECT_EQ(ObservationAngle(10, 5, 0, 0, 0, 0), 0);
}

TEST(LampLuminance, CountsFluxAndMaintenanceFactorLikeTheIlluminance) {
    // Road table: β keys 0, 180; tan γ keys 0, 2; r × 1000 = 100 at tan γ 0 and 300 at tan γ 2.
    // γ = 53.130102: tan γ = 4/3, r × 1000 = 100 + 200 × 2/3 = 233.333, r = 0.233333.
    // L = I × Φ × M × 0.001 × r / z² = 200 × 10000 × 0.7 × 0.001 × 0.233333 / 36 = 9.074074 cd/m².
    const CoefTable road{{0, 180}, {0, 2}, {{100, 100}, {300, 300}}};
    EXPECT_NEAR(PointLuminance(200, 53.130102, 30, 10000, 0.7, road, 6), 9.074074, 1e-5);
    // The intensities are per 1000 lm: twice the flux gives twice the luminance, as it gives twice the
    // illuminance, so that the average luminance compares with the required zone luminance.
    EXPECT_NEAR(PointLuminance(200, 53.130102, 30, 20000, 0.7, road, 6), 18.148148, 1e-5);
    EXPECT_EQ(PointLuminance(200, 53.130102, 30, 10000, 0.7, road, 0), 0);
    EXPECT_EQ(PointLuminance(200, 53.130102, 30, 10000, 0.7, CoefTable{}, 6), 0);
}

TEST(LampLuminance, StraightUnderTheLampTheRoadReturnsRTimesTheIlluminance) {
    // At γ = 0 (cos³γ = 1, tan γ = 0) the reduced luminance coefficient is the luminance per lux:
    // L = r(β, 0) × E. Concrete road r(β, 0) × 1000 = 77: lamp I = 200 cd/klm, Φ = 10000 lm, M = 0.7,
    // z = 6 m: E = 200 × 10000 × 0.7 × 0.001 / 36 = 38.888889 lx, L = 0.077 × 38.888889 = 2.994444 cd/m².
    // A luminance without Φ × M × 0.001 would be 200 × 0.077 / 36 = 0.427778 cd/m², the luminance of a
    // 1000 lm lamp and seven times too low for this one.
    const CoefTable road{{0, 180}, {0, 12}, {{77, 77}, {0, 0}}};
    const double E = PointIlluminance(200, 0, 10000, 0.7, 6);
    EXPECT_NEAR(E, 38.888889, 1e-6);
    EXPECT_NEAR(PointLuminance(200, 0, 90, 10000, 0.7, road, 6), 2.994444, 1e-6);
    EXPECT_NEAR(PointLuminance(200, 0, 90, 10000, 0.7, road, 6), 0.077 * E, 1e-12);
}

TEST(LampCircuitRow, TakesTheLeadingNumbersOfItsColumns) {
    // Columns: 1 name, 2 model, 3 power, 4 flux, 5 M, 6 type, 7 mounting, 8–9 spacings, 10 H, 11 a1, 12 a2.
    const LampCircuit c = CircuitFromRow(
        {"回路A", "T-400", "400", "48000lm", "0.7", "0", "2.5", "8", "", "6.5 m", "abc", "-10"});
    EXPECT_EQ(c.Model, "T-400");
    EXPECT_EQ(c.Flux, 48000);
    EXPECT_EQ(c.Maintenance, 0.7);
    EXPECT_EQ(c.Mounting, 2); // 2.5 rounds half to even
    EXPECT_EQ(c.Height, 6.5);
    EXPECT_EQ(c.TiltAcross, 0);
    EXPECT_EQ(c.TiltAlong, -10);
    // A short row counts its missing cells as empty.
    const LampCircuit shortRow = CircuitFromRow({"回路B"});
    EXPECT_EQ(shortRow.Model, "");
    EXPECT_EQ(shortRow.Flux, 0);
    EXPECT_EQ(shortRow.Height, 0);
}

// The table lookup of the sum gives the bits of Interpolate2D: at the keys, between them, outside them,
// at infinities and NaN, on rising keys (by bisection) and on falling or single keys (by Interpolate2D).
TEST(KeyedTable, GivesTheBitsOfInterpolate2D) {
    CoefTable rising;
    rising.x = {0, 2.5, 90, 177.5, 360};
    rising.y = {0, 0.25, 1, 3.5, 12};
    rising.v = {{166, 150, 206, 151, 166},
                {140, 130.3, 352, 118, 136.5},
                {90, 94, 333, 77.7, 92},
                {12, 5, 44, 1, 3},
                {0, 0.5, 2, 0, 1}};
    CoefTable falling = rising;
    falling.y = {12, 3.5, 1, 0.25, 0};
    CoefTable single;
    single.x = {0};
    single.y = {0};
    single.v = {{77}};
    CoefTable ragged = rising;
    ragged.v[2].resize(3);
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> keys = {-inf,   -1, 0,     1e-300, 0.25,  0.3, 1,   2.5, 3,           3.5,
                                      89.999, 90, 177.5, 200,    359.9, 360, 361, inf, std::nan("")};
    for (const CoefTable* t : {&rising, &falling, &single, &ragged}) {
        const KeyedTable keyed(*t);
        for (double cx : keys) {
            for (double cy : keys) {
                const double a = keyed(cx, cy);
                const double b = modPublic::Interpolate2D(*t, cx, cy);
                EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << cx << " " << cy;
            }
        }
    }
}

} // namespace
} // namespace lighting

// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/fire_demand.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace reqair;

namespace {

// A 50 MW fire in a 60 m², 5 m high tunnel at 308 K, ρ = 1.2 kg/m³, level.
CriticalVelocityInput fiftyMegawatts() {
    return CriticalVelocityInput{.HRR = 50, .rho = 1.2, .T = 308, .H = 5, .A = 60, .Kg = 1};
}

} // namespace

// ---- Air changes ----

TEST(AirChanges, VolumeOfTheSectionRowsAndItsDemand) {
    // Start 1000; 60 m² up to 1500, 80 m² up to 2000: V = 500·60 + 500·80 = 70 000 m³.
    // 4 changes an hour: 70 000·4/3600 = 77.777… m³/s.
    const double v = tunnel_volume(1000, {{1500, 60}, {2000, 80}});
    EXPECT_DOUBLE_EQ(v, 70000);
    EXPECT_NEAR(air_change_demand(v, 4), 77.7778, 1e-4);
    // No rows: no volume.
    EXPECT_EQ(tunnel_volume(1000, {}), 0);
}

// ---- Critical velocity ----

TEST(CriticalVelocity, GradeFactorOfTheSteepestSlope) {
    // imax = |−3| = 3: Kg = 1 + 0.0374·3^0.8 = 1 + 0.0374·2.40822 = 1.090067.
    EXPECT_NEAR(grade_factor({1.5, -3, 2}), 1.090067, 1e-6);
    // A level tunnel and an empty slope list both give Kg = 1.
    EXPECT_EQ(grade_factor({0, 0}), 1);
    EXPECT_EQ(grade_factor({}), 1);
}

TEST(CriticalVelocity, KennedyOfALevelTunnelByHand) {
    // B = Q/(ρ·cp·A) = 50e6/(1.2·1010·60) = 687.569; C = 0.61³·9.8·5·B = 0.226981·49·687.569 = 7647.19.
    // f(V) = 308V³ + 687.569V² − 7647.19 = 0 near V = 2.3322 (f(2.3322) ≈ −0.07). Closed form check:
    // Tf = 308 + 50e6/(72720·2.3322) = 602.81 K, Vc = 0.61·(9.8·5·50e6/(72720·602.81))^(1/3) = 2.3322.
    const std::optional<double> v = kennedy_critical_velocity(fiftyMegawatts());
    ASSERT_TRUE(v);
    EXPECT_NEAR(*v, 2.3322, 5e-4);
    const double b = 50e6 / (1.2 * 1010 * 60);
    const double c = std::pow(0.61, 3) * 9.8 * 5 * b;
    EXPECT_LE(std::fabs(*v * *v * *v * 308 + *v * *v * b - c), 0.1);
}

TEST(CriticalVelocity, KennedyGrowsWithTheGradeFactor) {
    // Kg = 1.090067 (3 %): C = 1.090067³·7647.19 = 9905.17; root near V = 2.5840.
    CriticalVelocityInput in = fiftyMegawatts();
    in.Kg = grade_factor({3});
    const std::optional<double> v = kennedy_critical_velocity(in);
    ASSERT_TRUE(v);
    EXPECT_NEAR(*v, 2.5840, 5e-4);
}

TEST(CriticalVelocity, KennedyWithoutARootStopsInsteadOfHanging) {
    // T = −308 K: f(V) = −308V³ + 687.6V² − 7647 < 0 over the whole bracket, so the tolerance is never
    // met; each halving moves lo up, and the bounded halving ends at the top of the bracket.
    CriticalVelocityInput in = fiftyMegawatts();
    in.T = -308;
    const std::optional<double> v = kennedy_critical_velocity(in);
    ASSERT_TRUE(v);
    EXPECT_NEAR(*v, 100, 1e-9);
}

TEST(CriticalVelocity, KennedyWithoutSectionOrAirGivesNothing) {
    CriticalVelocityInput in = fiftyMegawatts();
    in.A = 0;
    EXPECT_FALSE(kennedy_critical_velocity(in));
    in = fiftyMegawatts();
    in.rho = 0;
    EXPECT_FALSE(kennedy_critical_velocity(in));
}

TEST(CriticalVelocity, OkaAtkinsonAndWuBakarBelowAndAboveTheirLimits) {
    // 5 MW, H = 5: Q* = 5e6/(1.2·1010·308·√9.8·5^2.5) = 5e6/(373296·3.130495·55.9017) = 0.0765383.
    //   Oka:  V* = 0.35·(0.0765383/0.124)^0.3333 = 0.35·0.851450 = 0.298008; Vc = V*·√49 = 2.086053.
    //   Wu:   V* = 0.4·(0.0765383/0.2)^0.3333 = 0.4·0.726045 = 0.290418; Vc = 2.032926.
    CriticalVelocityInput in = fiftyMegawatts();
    in.HRR = 5;
    EXPECT_NEAR(*oka_atkinson_critical_velocity(in), 2.086053, 1e-5);
    EXPECT_NEAR(*wu_bakar_critical_velocity(in), 2.032926, 1e-5);

    // 50 MW: Q* = 0.765 is above both limits, V* is the constant: Vc = 0.35·7 = 2.45 and 0.4·7 = 2.8,
    // which then grow only with √(g·H): H = 7.2 gives 0.35·√70.56 = 0.35·8.4 = 2.94.
    in.HRR = 50;
    EXPECT_NEAR(*oka_atkinson_critical_velocity(in), 2.45, 1e-12);
    EXPECT_NEAR(*wu_bakar_critical_velocity(in), 2.8, 1e-12);
    in.H = 7.2;
    EXPECT_NEAR(*oka_atkinson_critical_velocity(in), 2.94, 1e-12);

    // 20 MW, H = 6: Q* = 0.194082 lies between the two limits: Oka takes the constant 0.35·√58.8 =
    // 2.683841, Wu still the power: 0.4·(0.194082/0.2)^0.3333·√58.8 = 3.036693.
    in.HRR = 20;
    in.H = 6;
    EXPECT_NEAR(*oka_atkinson_critical_velocity(in), 2.683841, 1e-5);
    EXPECT_NEAR(*wu_bakar_critical_velocity(in), 3.036693, 1e-5);
}

TEST(CriticalVelocity, FormulasThatCannotBeEvaluated) {
    CriticalVelocityInput in = fiftyMegawatts();
    in.H = 0; // Q* divides by H^2.5
    EXPECT_FALSE(oka_atkinson_critical_velocity(in));
    EXPECT_FALSE(wu_bakar_critical_velocity(in));
    in.H = -2; // a fractional power of a negative height
    EXPECT_FALSE(oka_atkinson_critical_velocity(in));
    in = fiftyMegawatts();
    in.HRR = -5; // a negative Q* has no 0.3333 power
    EXPECT_FALSE(wu_bakar_critical_velocity(in));
}

TEST(CriticalVelocity, DispatchByMethodNumber) {
    const CriticalVelocityInput in = fiftyMegawatts();
    EXPECT_EQ(*critical_velocity(0, in), *kennedy_critical_velocity(in));
    EXPECT_EQ(*critical_velocity(1, in), *oka_atkinson_critical_velocity(in));
    EXPECT_EQ(*critical_velocity(2, in), *wu_bakar_critical_velocity(in));
    EXPECT_EQ(*critical_velocity(3, in), 0);
    EXPECT_EQ(*critical_velocity(-1, in), 0);
}

// ---- Plume of a large fire ----

TEST(Plume, StepsOfTheDefaultFireByHand) {
    // HRR 50 MW on 45 m²: 1.1111 MW/m². Ceiling 5.4, layer 1.5: y = 1.95.
    // M = √9.8·(3.9^1.5·(0.05·36)·1.2) = 3.130495·(7.701883·2.16) = 52.0791 kg/s.
    // Convective heat (1 − 0.05)·50 = 47.5 MW. Rise from the two-decimal M: 1e6·47.5/52.08/1020 = 894.175 K.
    // Smoke 894.17 + 308 = 1202.17 K; ρ·273/T = 1.2·273/1202.17 = 0.272507; Qs = 52.08/0.27 = 192.889.
    EXPECT_NEAR(*heat_release_per_area(50, 45), 1.111111, 1e-6);
    const double y = plume_height(5.4, 1.5);
    EXPECT_NEAR(y, 1.95, 1e-12);
    EXPECT_NEAR(*smoke_production(y, 36), 52.0791, 1e-4);
    EXPECT_NEAR(*convective_heat_release(5, 50), 47.5, 1e-12);
    EXPECT_NEAR(*smoke_temperature_rise(47.5, 52.08), 894.1749, 1e-4);
    EXPECT_NEAR(*smoke_temperature(894.17, 308), 1202.17, 1e-9);
    EXPECT_NEAR(*smoke_air_density(1.2, 1202.17), 0.272507, 1e-6);
    EXPECT_NEAR(*smoke_flow(52.08, 0.27), 192.8889, 1e-4);
}

TEST(Plume, StepsThatCannotBeEvaluated) {
    // A smoke duct below the smoke layer: (2y)^1.5 of a negative number.
    EXPECT_FALSE(smoke_production(plume_height(1.0, 1.5), 36));
    // A layer that fills the duct: no plume height, no smoke production.
    EXPECT_EQ(*smoke_production(plume_height(1.5, 1.5), 36), 0);
    EXPECT_FALSE(heat_release_per_area(50, 0));
    EXPECT_FALSE(smoke_temperature_rise(47.5, 0));
    EXPECT_FALSE(smoke_air_density(1.2, 0));
    EXPECT_FALSE(smoke_flow(52.08, 0));
}

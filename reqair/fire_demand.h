// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

/// Air-change demand and the smoke flow of the fire case: the critical velocity by three formulas and
/// the smoke production of a large fire plume. A formula that cannot be evaluated (a division by zero,
/// a fractional power of a negative number) gives nullopt, so that the window keeps what it held.
namespace reqair {

inline constexpr double kFireGravity = 9.8;             ///< g [m/s²]
inline constexpr double kCriticalAirCp = 1010;          ///< cp of air for the critical velocity [J/(kg·K)]
inline constexpr double kPlumeAirCp = 1.02;             ///< cp of air for the plume [kJ/(kg·K)]
inline constexpr double kCriticalFroude = 0.61;         ///< critical Froude constant of Kennedy's formula
inline constexpr double kKennedyTolerance = 0.1;        ///< the root is taken where |f(V)| ≤ this
inline constexpr double kKennedyUpperVelocity = 100;    ///< upper end of the bisection bracket [m/s]
inline constexpr int kKennedyMaxHalvings = 200;         ///< the bisection stops here whatever |f(V)| is
inline constexpr double kOkaAtkinsonQStarLimit = 0.124; ///< Q* from which V* stays constant
inline constexpr double kOkaAtkinsonVStarMax = 0.35;
inline constexpr double kWuBakarQStarLimit = 0.2;
inline constexpr double kWuBakarVStarMax = 0.4;
inline constexpr double kCubeRootExponent = 0.3333; ///< the formulas' "cube root", deliberately not 1/3

/// One row of the cross-section list: the station that ends the stretch [m] and its area [m²].
struct SectionVolumeRow {
    double Pile = 0;
    double Area = 0;
};

/// Tunnel volume [m³]: each row's area holds from the previous row's station (the first from the start
/// station) up to its own, in list order.
double tunnel_volume(double startPile, const std::vector<SectionVolumeRow>& rows);

/// Air-change demand [m³/s] of a volume [m³] renewed changesPerHour times an hour.
double air_change_demand(double volume, double changesPerHour);

/// Grade factor Kg = 1 + 0.0374 · imax^0.8 of Kennedy's formula, imax the largest absolute slope [%].
/// An empty slope list is a level tunnel: Kg = 1.
double grade_factor(const std::vector<double>& slopes);

/// What the critical velocity depends on.
struct CriticalVelocityInput {
    double HRR = 0; ///< heat release of the fire [MW]
    double rho = 0; ///< air density [kg/m³]
    double T = 0;   ///< ambient temperature [K]
    double H = 0;   ///< tunnel height, or the equivalent diameter for Wu-Bakar [m]
    double A = 0;   ///< section area at the fire [m²]
    double Kg = 1;  ///< grade factor (Kennedy only)
};

/// Kennedy (Heselden, Danziger): the root of V³·T + V²·B − C, with B = Q/(ρ·cp·A) and
/// C = Kg³·0.61³·g·H·B, by halving the bracket 0 … 100 m/s from 50 until |f(V)| ≤ 0.1. When the
/// bracket holds no root the tolerance is never met: the halving stops after kKennedyMaxHalvings and
/// the last V is the result. nullopt when ρ or A is 0 (no section or no air to carry the smoke).
std::optional<double> kennedy_critical_velocity(const CriticalVelocityInput& in);

/// Oka-Atkinson: Q* = Q/(ρ·cp·T·g^0.5·H^2.5); V* = 0.35·(Q*/0.124)^0.3333 below 0.124, else 0.35;
/// Vc = V*·√(g·H) [m/s].
std::optional<double> oka_atkinson_critical_velocity(const CriticalVelocityInput& in);

/// Wu-Bakar: as Oka-Atkinson with 0.4 and 0.2 in place of 0.35 and 0.124 [m/s].
std::optional<double> wu_bakar_critical_velocity(const CriticalVelocityInput& in);

/// Critical velocity by formula method (0 Kennedy, 1 Oka-Atkinson, 2 Wu-Bakar); any other number gives
/// 0 [m/s].
std::optional<double> critical_velocity(int method, const CriticalVelocityInput& in);

// ---- Plume of a large fire: one step per result box, each taking the boxes' values as read back ----

/// Heat release per area [MW/m²].
std::optional<double> heat_release_per_area(double hrr, double fireSize);

/// Height y of the plume below the smoke layer [m]: half the clear height under the layer.
double plume_height(double ceilingHeight, double smokeLayer);

/// Smoke production M = √9.8·((2y)^1.5·(0.05·perimeter)·1.2) [kg/s]; nullopt when 2y is negative.
std::optional<double> smoke_production(double y, double perimeter);

/// Convective heat release [MW]: the heat release less its radiated share [%].
std::optional<double> convective_heat_release(double radiatedPercent, double hrr);

/// Temperature rise of the smoke [K]: convective heat in W over smoke mass flow times cp.
std::optional<double> smoke_temperature_rise(double convectiveHeat, double smokeProduction);

/// Smoke temperature [K].
std::optional<double> smoke_temperature(double rise, double ambient);

/// Air density at the smoke temperature [kg/m³]: ρ scaled by 273 K over the smoke temperature.
std::optional<double> smoke_air_density(double rho, double smokeTemperature);

/// Smoke volume flow Qs [m³/s].
std::optional<double> smoke_flow(double smokeProduction, double smokeDensity);

} // namespace reqair

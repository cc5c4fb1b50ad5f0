// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>

#include "app/coef_table.h"

namespace reqair {

/// Traffic cases that carry their own design concentrations.
inline constexpr int kCaseOneWay = 1;
inline constexpr int kCaseTwoWay = 2;
inline constexpr int kCaseCongestion = 3;

/// Positions of the ventilation-mode list (`lstCOModel`); -1 is no selection.
inline constexpr int kModeLongitudinal = 0;
inline constexpr int kModeTransverse = 1;
inline constexpr int kModePedestrian = 2;

/// Position of fluorescent lamps in the light-source list (`lstLightModel`).
inline constexpr int kLightFluorescent = 1;
/// Fluorescent lighting reads the smoke table at a speed this much higher [km/h].
inline constexpr double kFluorescentSpeedShift = 20.0;
/// Below this one-way speed [km/h] the smoke concentration always comes from the table.
inline constexpr double kTypedKMinSpeed = 40.0;
/// CO design concentration of full-length congestion [ppm].
inline constexpr double kCongestionDelta = 300.0;
/// Share of two-way traffic that drives uphill.
inline constexpr double kUpRatio = 0.5;

/// The switches and typed values of one traffic case's design concentrations.
struct CaseConcentration {
    bool DeltaComputed = false; ///< "由软件计算CO设计浓度δ(ppm)" ticked
    double DeltaTyped = 0;      ///< leading number of the typed δ [ppm]
    bool KKComputed = false;    ///< "由软件计算VI设计浓度K(1/m):" ticked
    double KKTyped = 0;         ///< leading number of the typed K [1/m]
};

/// What the design concentrations depend on; the window gathers it from its pages.
struct DesignConcentrationInput {
    /// Index 0 one-way, 1 two-way, 2 full-length congestion.
    std::array<CaseConcentration, 3> Cases{};
    int COModelIndex = -1;    ///< position in the ventilation-mode list, -1 none
    int LightModelIndex = -1; ///< position in the light-source list, -1 none
    double TunnelLength = 0;  ///< [m]
};

/// CO design concentration computed from the ventilation mode and the tunnel length [ppm].
/// Full-length congestion is always 300; no mode selected gives 0.
double ComputedDelta(int iCaseID, int coModelIndex, double tunnelLength);

/// CO design concentration δ of a traffic case [ppm]: typed unless its box is ticked.
/// Case numbers outside 1..3 always compute.
double GetDelta(const DesignConcentrationInput& in, int iCaseID = kCaseOneWay);

/// Smoke design concentration K looked up in table `K` at a vehicle speed [1/m]; fluorescent lamps
/// look the speed up 20 km/h higher.
double ComputedKK(const CoefTable& tableK, int lightModelIndex, double dv);

/// Smoke design concentration K of a traffic case at vehicle speed dv [km/h], in 1/m. One-way traffic
/// below 40 km/h always takes the table value, ticked or not.
double GetKK(const DesignConcentrationInput& in, const CoefTable& tableK, double dv,
             int iCaseID = kCaseOneWay);

/// Tunnel length [m]: distance from the start station to the station of the last slope row (list
/// order, not the largest). No slope rows give 0.
double GetTunnelLength(double startPile, std::span<const double> slopePiles);

/// Share of two-way traffic that drives along the slope: one half, whatever the line and the slopes.
double GetUpRatio();

} // namespace reqair

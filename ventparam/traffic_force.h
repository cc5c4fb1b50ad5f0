// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reqair/segments.h"
#include "reqair/traffic_analysis.h"

#include <array>
#include <optional>
#include <span>

namespace ventparam {

/// Vehicle speed of the 1 km congestion window [km/h].
inline constexpr double kCongestionWindowSpeed = 10.0;

/// Class shares (fractions) of the traffic analysis, classes 1 to 7 in order.
using ClassShares = std::array<double, reqair::kVehicleClasses>;
/// Classes allowed in two-way traffic, classes 1 to 7 in order.
using AllowedClasses = std::array<bool, reqair::kVehicleClasses>;

/// Share of the large classes (3, 5, 6, 7) r1. For the two-way case (2) with the allowed-classes method
/// it is their share among the allowed classes; 0 when no allowed class has a share.
double Getr_1(const ClassShares& shares, const AllowedClasses& allowed, int iCaseID,
              bool allowedClassesMethod);

/// Inputs of the two-way traffic volume.
struct TwoWayVolume {
    bool ControlTraffic = true; ///< share of the one-way traffic, else the allowed classes
    double BiDirection = 0;     ///< two-way traffic ratio
    double NN = 0;              ///< design hour traffic [veh/h]
    AllowedClasses Allowed{};
    /// Vehicles per hour of each class; empty where the cell is not a number (the class then adds nothing).
    std::array<std::optional<double>, reqair::kVehicleClasses> Vehicles{};
    double MainDirectionRatio = 0; ///< direction factor
};

/// Two-way design traffic N [veh/h]: BiDirection · NN, or the allowed classes' vehicles divided by the
/// direction factor. A direction factor of 0 or less has no meaning: the allowed classes then count 0, as
/// the two-way demand counts them.
double TwoWayTraffic(const TwoWayVolume& in);

/// One-way piston force inputs.
struct OneWayPiston {
    double N = 0;            ///< design hour traffic [veh/h]
    double WorkSpeed = 0;    ///< one-way working speed [km/h], used by case 1
    double AA_m = 0;         ///< mean vehicle resistance area [m²]
    double rho = 1.2;        ///< air density [kg/m³]
    int iCaseID = 1;         ///< 1 one-way, 3 full-length congestion, 4 the 1 km congestion window
    bool bIsReverse = false; ///< the vehicles drive against the positive flow direction
};

/// Traffic pressure of one-way traffic over the segments [Pa]: per segment k · n · (vt − vr)², k = Am·ρ/2/A,
/// n = |L · N / 3600 / vt|, added where vt ≥ vr and subtracted otherwise. A segment without vehicle speed
/// (a case other than 1, 3, 4, or a congestion segment outside every block) or without area adds nothing.
double GetYANCHENGDeltap_t1(std::span<const reqair::CalSegment> segments, const OneWayPiston& in);

/// Two-way piston force inputs.
struct TwoWayPiston {
    double NUp = 0;               ///< up stream [veh/h]
    double NDown = 0;             ///< down stream [veh/h]
    double AA_m = 0;              ///< mean vehicle resistance area, two-way [m²]
    double rho = 1.2;             ///< air density [kg/m³]
    bool bIsVrUpDirection = true; ///< the air flows with the up stream
};

/// Traffic pressure of two-way traffic over the segments [Pa], each at its own vehicle speed: the stream
/// that drives with the air adds or subtracts k · n · (vt − vr)², the one against it subtracts
/// k · n · (vt + vr)². A segment without vehicle speed or without area adds nothing.
double GetYANCHENGDeltap_t2(std::span<const reqair::CalSegment> segments, const TwoWayPiston& in);

} // namespace ventparam

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"
#include "jetfan/jet_curve.h"

#include <functional>
#include <vector>

/// The pressure, air-speed and concentration curves of the shaft-exhaust scheme: a walk from the entrance
/// portal to the exit portal in the direction of travel over the pressure steps of the shaft zone and the
/// local losses.
namespace shaft {

/// Half the length of the shaft zone, centred on the shaft station [m].
inline constexpr double kShaftZoneHalf = 2.5;
/// Loss coefficient of both portals in the curve.
inline constexpr double kCurvePortalLoss = 0.6;
/// How far to either side of a cross-section change the air speed is taken [m].
inline constexpr double kSpeedOffset = 0.0001;

struct EjectCurveInputs {
    bool Merge = false;                       ///< merge-type shaft (two-way traffic); else the split type
    double Entrance = 0, Exit = 0, Shaft = 0; ///< stations of the portals and the shaft [m]
    int Dir = 1;                              ///< +1 on the right line, −1 on the left line
    double v1 = 0, v3 = 0;                    ///< section-I and shaft speeds as the window shows them [m/s]
    double zeta_13 = 0, zeta_23 = 0, zeta_12 = 0;
    double deltap_g1 = 0, deltap_g2 = 0;          ///< meteorological differences [Pa]
    double deltap_t1 = 0, deltap_t2 = 0;          ///< traffic forces of the sections [Pa]
    double Qreq1 = 0, Qr1 = 0;                    ///< section-I demand and design flow [m³/s]
    double rho = 0;                               ///< air density [kg/m³]
    std::vector<jetfan::LocalLossAt> LocalLosses; ///< step 2's local losses in list order
    double StartPile = 0;                         ///< tunnel start station [m]
    std::vector<double> SectionStations;          ///< end station of every cross-section row, in list order
    std::function<double(double)> FlowAt;         ///< flow at a station [m³/s]
    std::function<double(double)> AreaAt;         ///< tunnel cross-section area at a station [m²]
    /// Wall friction of a stretch for a flow, no end losses [Pa]; stations in either order.
    std::function<double(double, double, double)> Friction;
};

struct EjectCurves {
    jetfan::CurvePointArray Press; ///< 2n + 6 points for n local losses
    jetfan::CurvePointArray V;     ///< 2m + 4 points for m cross-section rows
    jetfan::CurvePointArray C;     ///< 3 points
};

/// The three curves, every one in ascending station order on both lines. The steps: at the zone start
/// −ζ1-3·ρ/2·v3² (merge) or −ζ1-2·ρ/2·v1² (split), at the zone end +ζ2-3·ρ/2·v3² (merge) or +Δpt2 (split),
/// at each local loss −ζ·ρ/2·v² with the speed at its station, sorted in the direction of travel. The walk
/// starts at Δpg1 + Δpt1 − 0.6·ρ/2·v² at the entrance and loses each stretch's friction for the flow of its
/// midpoint; in the merge type the stretches from the shaft on gain it instead (their air flows against
/// the walk) and the exit takes Δpg2 + Δpt2 − 0.6·ρ/2·v², while the split type walks on to the exit.
EjectCurves BuildEjectCurves(const EjectCurveInputs& in);

} // namespace shaft

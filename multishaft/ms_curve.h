// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"
#include "jetfan/jet_curve.h"

#include <array>
#include <functional>
#include <vector>

/// The pressure, air-speed and concentration curves of the several-shafts scheme: a walk from the entrance
/// portal to the exit portal in the direction of travel over the jet-fan groups, the two openings of every
/// shaft and the local losses, each stretch losing the friction of the flow at its midpoint.
namespace multishaft {

/// One row of the section list as the curve reads it.
struct CurveSection {
    double Start = 0, End = 0; ///< stations of the row [m], in either order
    double Qr = 0;             ///< design flow [m³/s]
    double C1 = 0, C2 = 0;     ///< relative concentration at the row's start and end station [-]
    double TrafficForce = 0;   ///< Δpt [Pa]
};

/// One row of the shaft list as the curve reads it.
struct CurveShaft {
    double Station = 0;    ///< shaft centre [m]
    double Qe = 0, Qb = 0; ///< exhaust and supply flow [m³/s]; only their being 0 counts
    double DeltaPe = 0;    ///< rise of the exhaust opening [Pa]
    double DeltaPb = 0;    ///< rise of the supply opening [Pa]
    double ZetaBranch = 0; ///< branch loss coefficient at the exhaust opening [-]
    double ZetaMerge = 0;  ///< merge loss coefficient at the supply opening [-]
    double ds = 0;         ///< length of the short passage [m]
};

/// Design flow [m³/s] at a station: that of the last row whose stations enclose it (borders count, so at
/// a border shared by two rows the row with the higher stations wins); 0 when no row does.
double FlowAtPile(const std::vector<CurveSection>& sections, double station);

/// What one build reads, as the window and its neighbours show it.
struct MsCurveInputs {
    bool RightLine = true;                        ///< traffic towards larger stations
    double TunnelStart = 0, TunnelLength = 0;     ///< [m]
    double Rho = 0, Lambda = 0;                   ///< air density [kg/m³], wall friction [-]
    double ZetaE = 0;                             ///< entrance loss coefficient [-]
    double NaturalWind = 0;                       ///< v_n [m/s]
    std::vector<jetfan::PressureStep> Groups;     ///< fan groups in list order: station and rise of the group
    std::vector<CurveShaft> Shafts;               ///< shaft list order
    std::vector<CurveSection> Sections;           ///< section list order (ascending stations)
    std::vector<jetfan::LocalLossAt> LocalLosses; ///< step 2's local losses in list order
    std::vector<double> CrossSectionStations;     ///< station of every cross-section row of the main window
};

/// The neighbours' lookups a build asks.
struct MsCurveLookups {
    std::function<double(double)> Area;                 ///< tunnel cross-section at a station [m²]
    std::function<double(double, double)> LossVelocity; ///< air speed of a flow at a local loss [m/s]
    jetfan::StretchFriction Friction;                   ///< wall friction of a stretch [Pa]
};

struct MsCurves {
    double Entrance = 0, Exit = 0; ///< portal stations [m]
    double P0 = 0;                 ///< static pressure just inside the entrance [Pa]
    /// The events in the order of travel: station, pressure change [Pa].
    std::vector<std::array<double, 2>> Events;
    /// Pressure just before and just after each event [Pa].
    std::vector<std::array<double, 2>> WorkPoints;
    double ZetaBranch = 0, ZetaMerge = 0;  ///< the coefficients of the last shaft as taken
    jetfan::CurvePointArray Pressure;      ///< 2N + 2 points for N events
    jetfan::CurvePointArray Velocity;      ///< 2M − 2 points for M breakpoints
    jetfan::CurvePointArray Concentration; ///< two points per section row
    /// Every point of the three curves is a finite number.
    bool Finite() const;
};

/// The three curves. Entrance pressure Δpt(first section) − (1 + ζe)·ρ/2·(v_in² + v_n²); events: every
/// group's rise, at the exhaust opening a of every shaft Δpe − ζb·ρ/2·va², at its supply opening b
/// Δpb − ζm·ρ/2·vs² + Δpt of the section the traffic enters after the shaft, at every local loss
/// −ζ·ρ/2·v²; each stretch loses the friction of the flow at its midpoint and of the natural wind's flow
/// through the entrance cross-section; no exit loss. Every curve reads in ascending stations.
MsCurves BuildMsCurves(const MsCurveInputs& in, const MsCurveLookups& look);

} // namespace multishaft

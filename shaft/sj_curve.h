// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"
#include "jetfan/jet_curve.h"

#include <array>
#include <functional>
#include <vector>

/// The pressure, air-speed and concentration curves of the shaft-and-jet scheme: a walk from the entrance
/// portal to the exit portal in the direction of travel over the jet-fan groups, the two openings of the
/// shaft and the local losses, each stretch losing the friction of the flow at its midpoint.
namespace shaft {

/// What the curves are built from, as the window shows it.
struct SjCurveInputs {
    bool RightLine = true;                    ///< traffic enters at the start station
    double TunnelStart = 0, TunnelLength = 0; ///< start station and length of the tunnel [m]
    int PileDirection = 1;                    ///< order of the steps: +1 ascending, −1 descending
    double ShaftPile = 0, ds = 0;             ///< shaft station, length of the short passage [m]
    double Qr1 = 0, Qr2 = 0, Qe = 0, Qb = 0;  ///< section flows, exhaust and supply flows [m³/s]
    double deltap_e = 0, deltap_b = 0;        ///< rises of the openings [Pa]
    double deltap_t1 = 0, deltap_t2 = 0;      ///< traffic forces of the inlet and the outlet section [Pa]
    double CC_2 = 0, CC_2s = 0, CC_2b = 0, CC_3 = 0; ///< relative concentrations [-]
    double Zeta_fencha = 0, Zeta_heliu = 0;          ///< branch and merge loss of the openings [-]
    double zeta_e = 0;                               ///< entrance loss [-]
    double rho = 0, lambda = 0, v_n = 0;             ///< density, wall friction, natural wind speed
    std::vector<jetfan::PressureStep> Groups;        ///< groups in list order: station and rise
    std::vector<jetfan::LocalLossAt> LocalLosses;    ///< step 2's local losses in list order
    std::vector<double> SectionStations; ///< end station of every cross-section row, in list order
};

/// The window's and the main window's lookups the build asks.
struct SjCurveLookups {
    std::function<double(double)> FlowAt;     ///< design flow at a station [m³/s]
    std::function<double(double)> VelocityAt; ///< air speed for the local loss at a station [m/s]
    std::function<double(double)> Area;       ///< tunnel cross-section area at a station [m²]
    jetfan::StretchFriction Friction;         ///< wall friction of a stretch, no end losses [Pa]
};

struct SjCurves {
    double Entrance = 0, Exit = 0;          ///< portal stations [m]
    double Exhaust = 0, Supply = 0;         ///< opening stations [m]
    double v_r1 = 0, v_r2 = 0;              ///< speeds at the exhaust and at the supply opening [m/s]
    double Zeta_fencha = 0, Zeta_heliu = 0; ///< the losses as taken: 0 at an opening without flow
    /// The pressure steps in the direction of travel: station, signed change [Pa].
    std::vector<std::array<double, 2>> StepPoints;
    /// Pressure just before and just after each step [Pa].
    std::vector<std::array<double, 2>> WorkPoints;
    /// Stations of the air-speed curve, ascending [m].
    std::vector<double> SpeedStations;
    jetfan::CurvePointArray Pressure;      ///< 2n + 2 points for n steps, ascending stations
    jetfan::CurvePointArray Velocity;      ///< 2m − 2 points for m speed stations
    jetfan::CurvePointArray Concentration; ///< 6 points, ascending stations
    /// Every point of the three curves is a finite number.
    bool Finite() const;
};

/// Every point of the three curves of one build is a finite number.
bool CurvesFinite(const jetfan::CurvePointArray& press, const jetfan::CurvePointArray& v,
                  const jetfan::CurvePointArray& c);

/// The steps in list order before the sort: the groups as listed with each opening just before the first
/// group at or beyond it in the direction of travel (after the last group when none is), the exhaust
/// opening before the supply opening; then the local losses.
std::vector<std::array<double, 2>> SjUnsortedSteps(const std::vector<jetfan::PressureStep>& groups,
                                                   std::array<double, 2> exhaust,
                                                   std::array<double, 2> supply, int dir,
                                                   const std::vector<std::array<double, 2>>& losses);

/// The three curves. Entrance pressure Δpt1 − ζe·0.5·ρ·vin² (vin = Qr1 over the area 1 mm inside the
/// entrance); steps: each group's rise, at the exhaust opening Δpe − ζf·0.5·ρ·vr1², at the supply opening
/// Δpb − ζh·0.5·ρ·vr2² + Δpt2, at each local loss −0.5·ζ·ρ·v²; each stretch loses the friction of the flow
/// at its midpoint and of the natural wind over the midpoint's area; no exit loss.
SjCurves BuildSjCurves(const SjCurveInputs& in, const SjCurveLookups& look);

/// Flow that carries the local losses at station s: Qr1 up to the exhaust end of the short passage, Qr1 − Qe
/// inside it, Qr2 from its supply end on (a = shaft − ds/2, b = shaft + ds/2; mirrored on the left line).
double SjLossFlow(double s, double shaftPile, double ds, bool leftLine, double qr1, double qr2, double qe);

} // namespace shaft

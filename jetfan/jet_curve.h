// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"

#include <functional>
#include <optional>
#include <vector>

/// The curves along the tunnel of a scheme: the static pressure walked from the entrance portal in the
/// direction of travel, the mean air speed as a step curve over the cross-sections, and the relative
/// concentration. The pieces every scheme's walk shares come first; the jet-fan scheme's build follows.
namespace jetfan {

/// Section type of the stretch losses of a walk: wall friction only, no entrance, branch or merge loss.
inline constexpr int kWalkSectionType = 4;
/// How far inside its stretch the air speed on either side of a station is looked up [m].
inline constexpr double kVelocityInset = 0.0001;

/// Pressure loss [Pa] of the flow q [m³/s] over the stretch between two stations, with wall friction
/// lambda and air density rho (the main window's stretch resistance, section type 4). The first station
/// is the far end of the stretch in the direction of travel, the second the near one.
using StretchFriction =
    std::function<double(double toStation, double fromStation, double lambda, double rho, double q)>;

/// End-loss coefficients every walk hands to the stretch friction; its section type applies none of them.
inline constexpr double kWalkEntranceLoss = 0.6;
inline constexpr double kWalkBranchLoss = 0.28;
inline constexpr double kWalkMergeLoss = 0.7;
/// How far from a portal or an opening the air speed next to it is looked up [m].
inline constexpr double kSpeedLookupOffset = 0.001;

/// A pressure step along the walk: a jet-fan group's rise (positive) or a local loss (negative).
struct PressureStep {
    double Station = 0; ///< [m]
    double Jump = 0;    ///< [Pa]
};

/// The pressure just before and just after one step [Pa].
struct StepPressures {
    double Before = 0;
    double After = 0;
};

/// The result of a walk: one pair per step in walking order, and the pressure at the exit portal [Pa].
struct PressureWalk {
    std::vector<StepPressures> Steps;
    double Exit = 0;
};

/// Walks the pressure from p0 at the entrance over the steps (already in the order of travel) to the exit:
/// each stretch loses the friction of the design flow q and then that of the natural wind's flow
/// qNatural, each step adds its jump. No exit loss.
PressureWalk WalkPressure(double p0, double entrance, double exit, const std::vector<PressureStep>& steps,
                          const StretchFriction& friction, double lambda, double rho, double q,
                          double qNatural);

/// Appends the two points of a step on its station, the value before the step first.
void AddStepPoints(CurvePointArray& points, double station, double before, double after);

/// Reverses the order of the points (station and value move together), so that a curve walked on the
/// left line, in descending stations, reads in ascending stations.
void ReversePoints(CurvePointArray& points);

/// The pressure points of a walk: (entrance, p0), the two points of every step, (exit, walk.Exit);
/// reversed when the walk ran on the left line.
CurvePointArray PressurePoints(double entrance, double p0, const std::vector<PressureStep>& steps,
                               const PressureWalk& walk, double exit, bool leftLine);

/// The air-speed step curve over the stations (sorted here in ascending order): the speed on either side
/// of every inner station, each taken kVelocityInset inside its stretch; the first and last station give
/// one point each. Fewer than two stations give no points.
CurvePointArray VelocityStepPoints(std::vector<double> stations,
                                   const std::function<double(double)>& speedAt);

// ---- The jet-fan scheme ----

/// A local loss of step 2's list.
struct LocalLossAt {
    double Station = 0; ///< [m]
    double Zeta = 0;    ///< loss coefficient ζ [-]
};

/// What the jet-fan scheme's curve is built from, as the windows show it when the button is clicked.
struct JetCurveInputs {
    bool RightLine = true;   ///< traffic enters at the start station
    double StartPile = 0;    ///< [m]
    double EndPile = 0;      ///< start station + tunnel length, the larger end on either line [m]
    int PileDirection = 1;   ///< +1 right line, −1 left line; orders the steps and the concentration
    double Rho = 0;          ///< air density [kg/m³]
    double Lambda = 0;       ///< wall friction coefficient [-]
    double ZetaE = 0;        ///< entrance loss coefficient [-]
    double NaturalWind = 0;  ///< natural wind speed v_n [m/s]
    double TrafficForce = 0; ///< traffic force Δpt of the whole tunnel [Pa]
    double DesignFlow = 0;   ///< design air flow Q [m³/s]
    std::vector<PressureStep> Groups;     ///< fan groups in list order: station and rise (the jump)
    std::vector<LocalLossAt> LocalLosses; ///< local losses in list order
    std::vector<double> SpeedStations;    ///< the start station, then every cross-section's station
};

/// The main window's lookups the build asks.
struct JetCurveLookups {
    std::function<double(double)> Velocity; ///< design flow over the area at the station [m/s]
    std::function<double(double)> Area;     ///< cross-section area at the station [m²]
    StretchFriction Friction;
};

struct JetCurves {
    CurvePointArray Pressure;
    CurvePointArray Velocity;
    CurvePointArray Concentration;
    /// The first station at which the air speed could not be found (no cross-section there); the curves
    /// are then not to be drawn.
    std::optional<double> NoSectionAt;
    /// Every point of the three curves is a finite number.
    bool Finite() const;
};

/// Why the jet-fan curve is not built.
enum class JetCurveCheck {
    Ok,
    NoGroups,          ///< no fan group
    GroupOutsideTunnel ///< a group lies outside the portals (a group on a portal passes)
};

/// The checks before a build, on the groups' stations in list order.
JetCurveCheck CheckJetGroups(const std::vector<double>& groupStations, double startPile, double endPile);

/// Entrance pressure [Pa]: Δpt − (v_n² + v_e²) × (1 + ζe) × 0.5 × ρ, with v_e the air speed at the
/// entrance portal.
double JetEntrancePressure(double trafficForce, double naturalWind, double entranceSpeed, double zetaE,
                           double rho);

/// The three curves of the jet-fan scheme: the fan groups (steps up) and local losses (steps down, by
/// 0.5 × ζ × ρ × v² at their station) walked in the direction of travel with the design flow's and the
/// natural wind's friction (the natural wind's flow over the entrance area throughout); the air speed
/// over the cross-sections; the concentration rising from 0 at the entrance portal to 1 at the exit.
/// Every curve reads in ascending stations.
JetCurves BuildJetCurves(const JetCurveInputs& in, const JetCurveLookups& look);

} // namespace jetfan

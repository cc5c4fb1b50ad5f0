// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/jet_models.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Fire ventilation: the pressure rise of one jet fan, the fire pressure of the hot smoke and the control
/// scheme of one fire location (where the smoke goes, which portal's fans run, which way and how many).
namespace fire {

inline constexpr double kPi = 3.1415926;
/// Specific heat of air [J/(kg·K)].
inline constexpr double kAirHeat = 1006;
/// Heat transfer coefficient of the tunnel wall [W/(m²·K)].
inline constexpr double kWallTransfer = 20;
inline constexpr double kGravity = 9.8;
/// How far beyond the exhaust-duct stretch the smoke is driven when the fire lies before it [m].
inline constexpr double kDuctReach = 300;
/// End loss coefficient of the cold and half stretches.
inline constexpr double kColdEndLoss = 1.6;

/// A number as the scheme lines print it, the pattern "######.##": 850 gives "850.", 0.25 gives ".25".
std::string SchemeNumber(double value);

/// The last model of the table whose name equals `name` exactly (case-sensitive); nullopt when none.
std::optional<JetFanModel> FindJetModel(const std::vector<JetFanModel>& models, std::string_view name);

struct JetRiseInput {
    double q = 0; ///< tunnel air flow [m³/s]
    bool reversed = false;
    double area = 0; ///< tunnel area just inside the start [m²]
    double rho = 0;  ///< air density [kg/m³]
    double eta = 0;  ///< position reduction factor [-]
    std::optional<JetFanModel> model;
};

/// Rise of one jet fan [Pa]: ρ·vj²·Aj/A·(1 − vr/vj)·η with Aj = 0.25·π·Dj², vj = Flow/Aj, vr = q/A, times
/// Discount when reversed. nullopt when no model is given or the rise is not a finite number.
std::optional<double> JetFanRise(const JetRiseInput& in);

/// Where the grade changes along the hot stretch: the station, and the slope from there on in the smoke's
/// direction [%], signed as the slope at the fire.
struct GradeChange {
    double pile = 0;
    double slope = 0;
};

struct FirePressureInput {
    double slope = 0; ///< slope at the fire [%], signed in the direction of traffic
    /// The grade changes between the fire and e, in the order the smoke meets them; none when the whole
    /// stretch lies on the slope at the fire.
    std::vector<GradeChange> changes;
    bool rightLine = true; ///< traffic toward larger stations
    double T = 0;          ///< design air temperature [K]
    double rho = 0;        ///< air density [kg/m³]
    double Q = 0;          ///< air demand of the fire [m³/s]
    double W = 0;          ///< fire size [MW]
    double ratio = 0;      ///< share of the fire size that heats the air [%]
    double perimeter = 0;  ///< perimeter at the fire [m]
    double s = 0;          ///< fire station [m]
    double e = 0;          ///< end station of the hot stretch [m]
    bool toLarger = true;  ///< the smoke moves toward larger stations
};

/// Fire pressure of the hot stretch [Pa], the smoke cooling exponentially along the wall: positive when it
/// adds to the resistance the fans overcome. nullopt when it cannot be computed (Q, T or the perimeter 0).
/// Over several grades the buoyancy is summed piece by piece, the piece from the distances a to b from the
/// fire giving 9.8·ρ·σ·ln(Tx(a)/Tx(b))/k, Tx(x) = T + (Tf − T)·e^(−kx), signed by its own slope; the
/// cooling follows the perimeter at the fire throughout.
std::optional<double> FirePressure(const FirePressureInput& in);

/// Sets the slope at the fire and the grade changes of the stretch from in.s to in.e: `slopeAt` is the
/// main window's slope lookup (a row holds its start station, not its end), `changes` the stations
/// between s and e where the slope may change. A change to an equal slope is no change.
void SetStretchGrades(FirePressureInput& in, const std::function<double(double)>& slopeAt,
                      const std::vector<double>& changes);

/// Hot smoke flow [m³/s] and density [kg/m³].
struct HotSmoke {
    double Qh = 0;
    double rhoh = 0;
};

/// With the expansion considered: ΔT = W·r·0.01·10⁶/(ρ·Q·1006), Th = T + ΔT, Qh = Th·Q/T, ρh = ρ·Q/Qh; a
/// step that cannot be computed keeps 0 (Q = 0 gives Qh = 0 and ρh = 0). Without it: Q and ρ.
HotSmoke HotSmokeOf(bool expand, double W, double ratio, double rho, double T, double Q);

/// Resistance of the blocked vehicles [Pa]: Am·0.5·ρ·k·nb·(q/A)²/A, the square of the speed one factor.
double BlockedResistance(double Am, double rho, double q, double k, double nb, double A);

/// Fans to run for the sum Σ [Pa] of a side, one fan giving `rise` [Pa]: 1 + |Σ|/rise rounded half to
/// even. A braking need (Σ < 0) takes as many fans as an equal driving need. nullopt when the rise is
/// missing or not above 0, or the count leaves the 16-bit range: no count can be given.
std::optional<int> FanCount(double sum, const std::optional<double>& rise);

/// The first station of the list, in list order, at or beyond s; nullopt when none.
std::optional<double> FirstPortAtOrBeyond(const std::vector<double>& ports, double s);
/// The last station of the list, in list order, at or before s; nullopt when none.
std::optional<double> LastPortAtOrBefore(const std::vector<double>& ports, double s);

/// The main window's lookups that the scheme needs, at the moment of the call.
struct SchemeTunnel {
    /// Resistance of a stretch [Pa]: (dsp, dep, λ, ρ, Q, section type, ζ entrance, ζ branch, ζ merge).
    std::function<double(double, double, double, double, double, int, double, double, double)> Resistance;
    std::function<double(double)> Area;      ///< cross-section area at a station [m²]
    std::function<double(double)> Perimeter; ///< perimeter at a station [m]
    std::function<double(double)> Slope;     ///< slope at a station [%], signed in the direction of traffic
    /// The stations strictly between two stations where the slope may change; none when not given.
    std::function<std::vector<double>(double, double)> SlopeChanges;
};

/// The settings of the fire window and the project values for one fire location.
struct SchemeInput {
    double s = 0; ///< fire station [m]

    bool naturalWind = false;
    double vn = 0;               ///< natural wind speed [m/s]
    bool windDirection1 = true;  ///< the option "toward larger stations" is selected
    bool windDirection2 = false; ///< the option "toward smaller stations" is selected
    bool airExpand = false;
    double ratio = 0; ///< [%]
    double W = 0;     ///< [MW]
    double Q = 0;     ///< [m³/s]
    double nb = 0;    ///< blocked vehicles
    bool oneWay = true;
    bool twoWayToLarger = true; ///< two-way normal ventilation toward larger stations
    bool transverse = false;    ///< exhaust duct
    double X1 = 0, X2 = 0;      ///< exhaust-duct stretch [m]
    std::vector<double> ports;  ///< exhaust openings in list order [m]
    bool rightLine = true;

    double rhoBefore = 0, TBefore = 0; ///< density and temperature before the republication
    double rho = 0, T = 0;             ///< after it
    double S = 0, E = 0;               ///< tunnel start and end station [m]
    double lambda_r = 0;
    double AA_m = 0, AA_m_Bidirection = 0; ///< vehicle resistance areas [m²]

    std::optional<JetFanModel> model;
    double eta = 0;
};

struct SchemeResult {
    /// Line 1 goes into the control table as well, in the table's number format.
    std::string Line1;
    /// Line 2 is shown in the window only: plain numbers, and words for a term that was not asked for
    /// ("未考虑自然风", "无阻塞车辆") or that cannot be computed ("无法计算…").
    std::string Line2;
    std::string Case; ///< "L1" … "L14", "D1" … "D4"
};

/// The control scheme of one fire location: the case, the exhaust station, the fans of each running portal
/// and the pressures they rest on, as two lines. A term that cannot be computed counts 0 in the sums.
SchemeResult ControlScheme(const SchemeInput& in, const SchemeTunnel& tunnel);

} // namespace fire

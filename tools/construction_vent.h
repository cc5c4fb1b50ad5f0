// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Ventilation of a tunnel heading while it is driven: the fresh-air demand by five criteria, the
/// resistance of the ventilation duct, the duty of each fan, and the duct's tables.
namespace tools {

/// One row of the diesel-equipment list, as the texts of its five cells.
struct DieselRowTexts {
    std::string k;   ///< air per kW [m³/min/kW]
    std::string Ni;  ///< rated power [kW]
    std::string Num; ///< number of machines
    std::string Ti;  ///< time utilisation [-]
    std::string wi;  ///< mean load factor [-]
};

/// Ventilation type, as the position of the option that is selected.
enum class VentType { None = -1, Forced = 0, Exhaust = 1, Mixed = 2 };

/// Every box of the construction-ventilation window as it shows it (texts as typed, list positions
/// 0-based with -1 for none). The calculation reads the inputs, the report prints them all.
struct ConstructionBoxes {
    std::string ProjectName;
    VentType Type = VentType::Forced;
    int Method1 = -1;        ///< forced: 0..4
    int Method2 = -1;        ///< exhaust: 0..1
    int Method3 = -1;        ///< mixed, forced part: 0..2
    int Method4 = -1;        ///< mixed, exhaust part: 0..1
    bool FireFuse = false;   ///< fire-fuse detonators ("火雷管起爆"); otherwise electric
    bool MixedForced = true; ///< mixed ventilation shows the forced part ("计算混压风量")
    bool Parallel = true;    ///< fans in parallel ("并联布置"); otherwise in series

    std::string A, TunnelL, TubeL, D, RHO, lambda;
    std::string G, t;
    std::string PHI0, b0, k, LF, P, L0; ///< forced
    std::string b1;                     ///< exhaust
    std::string PHI1, b2, L1, HP;       ///< mixed
    std::string v, N, qPerPerson;
    std::vector<DieselRowTexts> Diesel;
    std::string GasName, C, gas;
    std::string ptot, XZ;
    std::string zeta;
    std::string FanNum, Ratio;
    /// Result boxes: Q(0) .. Q(5), friction, local and total loss, flow and pressure of one fan.
    std::string Q[6];
    std::string H1, H2, H, Qf, Pf;
};

/// What one press of "计算" writes. A box whose member is nullopt is not the business of this run and
/// keeps its text; "" empties a box whose value could not be computed, so that no earlier number is ever
/// taken for a result of these inputs.
struct ConstructionResults {
    std::optional<std::string> P, L0; ///< forced method 1 (p), methods 1 and 3 (critical length)
    std::optional<std::string> Q[6];
    std::optional<std::string> H1, H2, H, Qf, Pf;
    /// One line per input that stopped a step, in step order; empty when everything was computed.
    std::vector<std::string> Problems;
};

/// The whole calculation. Every result goes through the text its box shows ("0.000", "0.00" or plain
/// number text) and later steps read that text back, so they work with the shown decimals. A step that
/// would divide by zero, take a fractional power of a negative number, overflow or convert a non-number
/// empties its box and every box that depends on it, and names the input in Problems.
ConstructionResults CalculateConstructionVent(const ConstructionBoxes& in);

/// The blasting formulas take the explosive's gas yield b in L/kg, commonly 40 (5·G·b is the air that
/// dilutes the fumes of G kg to 0.02 % CO only in that unit). A b below 1 is one typed in m³/kg, which
/// gives a demand a thousand times too small.
inline bool GasYieldBelowLitreScale(double b) {
    return b < 1;
}

/// Fume throw length Lo of exhaust ventilation [m] from the charge G [kg]: G + 15 with fire-fuse
/// detonators, 0.2 G + 15 with electric ones.
double ExhaustThrowLength(double G, bool fireFuse);

/// Name of the construction-ventilation report in its file name.
inline constexpr std::string_view kConstructionReportName = "施工通风计算";

/// Every line of the construction-ventilation report, printing the boxes as they stand.
std::vector<std::string> ConstructionReportLines(const ConstructionBoxes& boxes);

// ---- Duct tables ----

/// Keys of the duct friction tables by duct type position: metal, PVC, rubber.
inline constexpr const char* kFrictionTableKeys[3] = {"TabA12_4_1", "TabA12_4_2", "TabA12_4_3"};
/// Names of the duct types of the friction panel, in list order.
inline constexpr const char* kFrictionDuctNames[3] = {"金属风管", "聚氯乙稀风管", "胶质风管"};

/// The items of the friction panel's second list for a duct type (diameters in mm, or Re multiples).
std::vector<std::string> FrictionItems(int ductType);
/// The key at which the friction table of `ductType` is read for item `position` of its list: the
/// diameter in mm for metal and PVC, position + 1 for rubber. nullopt for a position outside the list.
std::optional<double> FrictionKey(int ductType, int position);

/// Keys of the whole-duct leakage tables.
inline constexpr const char* kLeakageRubberKey = "Tab12_2";
inline constexpr const char* kLeakagePvcKey = "Tab12_4";
/// Metal ducts by joint coefficient (0.001, 0.003) and segment length (3 m, 4 m).
const char* LeakageMetalKey(int jointPosition, bool threeMetreSegments);

/// Duct types of the leakage dialog, in list order.
enum class LeakageDuct { None = -1, Rubber = 0, Metal = 1, Pvc = 2 };

/// The table a leakage lookup needs: its key, or "" when none is needed (no type or no joint
/// coefficient chosen).
std::string LeakageTableKey(LeakageDuct duct, int jointPosition, bool threeMetreSegments);

/// Whole-duct leakage coefficient P from the table the key names, at duct length L [m] and diameter D
/// [m] (the rubber table by length only). nullopt when the table is empty, so that a missing table is
/// never taken for a coefficient of 0.
std::optional<double> LeakageCoefficient(LeakageDuct duct, const CoefTable& table, double L, double D);

} // namespace tools

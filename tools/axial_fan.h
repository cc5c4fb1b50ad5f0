// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"
#include "ventparam/loss_coefficients.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Duct loss, design pressure and shaft and motor power of one axial fan.
namespace tools {

/// One piece of the fan's duct, in flow order, as the calculation reads its row.
struct AxialDuctRow {
    double Length = 0;    ///< [m]
    bool Tapered = false; ///< a gradual expansion or contraction between its two neighbours
    double Area = 0;      ///< [m²], leading number of the cell
    double Diameter = 0;  ///< equivalent diameter [m], leading number of the cell
    double Lambda = 0;    ///< friction coefficient λ of the piece [-]
    /// λ was taken from the roughness, the piece's λ cell holding no number.
    bool LambdaFromRoughness = false;
    /// Area and diameter as a tapered neighbour reads them: nullopt when the cell is empty or not a number.
    std::optional<double> StrictArea, StrictDiameter;
};

/// A local loss at a position along the duct.
struct AxialLocalLoss {
    double Position = 0; ///< from the start of the duct [m]
    double Zeta = 0;     ///< loss coefficient ξ [-]
};

/// The three tables of tapered pieces and two of abrupt changes, each used along its column keys; an empty
/// table gives 0.
struct AxialFanTables : ventparam::DuctTables {
    CoefTable TabA03_1A; ///< abrupt contraction coefficient by v_before / v_after (≤ 1)
    CoefTable TabA03_1B; ///< abrupt expansion coefficient by v_after / v_before (< 1)
};

/// True when `text` begins with a number, as the leading-number rule reads it (blanks passed over, a sign,
/// then a digit or a point and a digit): an empty or worded λ cell holds no λ at all, while "0" holds one.
bool HasLeadingNumber(std::string_view text);

/// λ of a straight piece whose λ cell holds no number: the rough-wall formula of the window's wall
/// materials from its roughness Δ [mm] and equivalent diameter D [m], to the three decimals that choosing a
/// wall material writes into the λ box. nullopt when Δ or D is missing or not above zero.
std::optional<double> AxialLambdaFromRoughness(double delta_mm, double D);

/// Pressure loss of one piece [Pa]. A straight piece: λ·L·ρ/2·(Q/A)²/D with its own λ. A tapered piece:
/// ζ·ρ/2·v² with v the speed after it and ζ from its half-angle and the area ratio of its neighbours.
/// 0 when the loss cannot be formed: no area or diameter, a tapered piece in the first or last place or
/// beside another tapered piece (its end sections must be straight rows), a tapered piece of no length.
double AxialPieceLoss(const std::vector<AxialDuctRow>& rows, std::size_t index, double Q, double rho,
                      const AxialFanTables& tables);

/// Loss of the abrupt change between two straight neighbours of areas A1 then A2 [Pa]: narrowing or equal
/// areas TabA03_1A(v1/v2)·ρ/2·v2², widening TabA03_1B(v2/v1)·ρ/2·v1². 0 when an area is 0.
double AbruptChangeLoss(double A1, double A2, double Q, double rho, const AxialFanTables& tables);

/// Air speed Q/A at position x along the duct [m/s]: pieces lie end to end from 0, each holding
/// [s, s + L), a tapered piece taking the mean area of its neighbours. 0 outside the duct or where the
/// area is 0 or unknown.
double AxialSpeedAtPosition(const std::vector<AxialDuctRow>& rows, double Q, double x);

/// The 1-based rows of `losses` whose position lies outside the duct (before its start or past its end):
/// they add nothing, and the window and the report name them.
std::vector<int> AxialLossesOutsideDuct(const std::vector<AxialDuctRow>& rows,
                                        const std::vector<AxialLocalLoss>& losses);

/// The note that names the local-loss `outside` rows and the duct's extent; "" when there are none.
std::string AxialOutsideDuctNote(const std::vector<AxialDuctRow>& rows, const std::vector<int>& outside);

/// Total pressure loss of the duct [Pa]: every piece, then the abrupt change of every pair of straight
/// neighbours, then every local loss ξ·ρ/2·v(x)².
double AxialDuctLoss(const std::vector<AxialDuctRow>& rows, const std::vector<AxialLocalLoss>& losses,
                     double Q, double rho, const AxialFanTables& tables);

/// Fan design pressure [Pa]: (v_o²·ρ/2 + p_d ± p_s)·1.1/Disc, plus for a supply fan, minus for an exhaust
/// fan. nullopt when Disc is 0.
std::optional<double> AxialDesignPressure(double v_o, double rho, double p_d, double p_s, double Disc,
                                          bool supply);

/// Shaft power of one of N fans [kW]: Q/N·p_tot·293·P/(1000·η·t·101.325), P the ambient pressure [kPa] and
/// t the absolute temperature [K]. nullopt when N, η or t is 0.
std::optional<double> AxialShaftPower(double Q, double N, double p_tot, double t, double P, double eta);

/// Motor power [kW]: Skw·k/ηm. nullopt when ηm is 0.
std::optional<double> AxialMotorPower(double Skw, double k, double eta_m);

} // namespace tools

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"
#include "ventparam/resistance.h"

#include <optional>
#include <string>
#include <vector>

namespace ventparam {

/// π as the loss formulas of the fittings take it.
inline constexpr double kZetaPi = 3.1415926;
/// Friction factor of a straight duct piece whose roughness or diameter is not given [-].
inline constexpr double kDuctFrictionDefault = 0.022;
/// A vane count this far or farther from every candidate count gets no vane-count type.
inline constexpr double kVaneDistanceStart = 100000;

/// The fittings of the local loss coefficient dialog, in the order of its type list.
enum ZetaType {
    kCircularBend = 0,          ///< smooth circular bend
    kMitredElbow = 1,           ///< mitred circular elbow
    kRectBendAirfoilVanes = 2,  ///< rectangular bend with airfoil guide vanes
    kRectBendThinVanes = 3,     ///< rectangular bend with thin circular-arc guide vanes
    kRoundBendAirfoilVanes = 4, ///< circular bend with airfoil guide vanes
    kEntrance = 5,
    kGrille = 6,
    kWireScreen = 7,
};

/// The coefficient tables of the fittings; a table the table file lacks is empty.
struct ZetaTables {
    CoefTable TabA02_3; ///< ζ0 of type 2 by r/D (columns) and vane-count type 1..3 (rows)
    CoefTable TabA02_4; ///< ζ0 of type 3, same axes
    CoefTable TabA02_6; ///< Reynolds correction kRe by Re [10^5]
    CoefTable TabA05_2; ///< grille ζ by 1 inlet / 2 outlet (columns) and effective area ratio [%] (rows)
    CoefTable TabA05_3; ///< wire-screen ζ by effective area ratio [%]
};

/// What one press of "计算" reads. Lengths in m, angles in degrees.
struct ZetaInput {
    int Type = -1;              ///< ZetaType, -1 when none is chosen
    double D = 0;               ///< equivalent duct diameter [m]
    double r = 0;               ///< inner wall radius [m]
    double theta = 0;           ///< turning angle [°]
    double VaneNum = 0;         ///< number of guide vanes
    double Re = 0;              ///< Reynolds number [10^5]
    double Delta = 0;           ///< mean wall roughness [mm]
    int VanePosition = -1;      ///< type 4: the selected vane-count entry, -1 for none
    bool EdgeChamfered = false; ///< type 4: "转弯边缘削边" rather than "平滑转弯"
    bool SharpEntrance = true;  ///< type 5: "直角锐缘" rather than "圆缘,倒角"
    bool GrilleInlet = true;    ///< type 6: "入口" rather than "出口"
    double AreaRatio = 0;       ///< effective area ratio [%]
};

struct ZetaResult {
    double Zeta = 0; ///< the loss coefficient [-]; a step that cannot be evaluated leaves it as it was
    /// Types 2 and 3: the vane-count type used, 1 normal, 2 reduced, 3 minimum, 0 none.
    int VaneType = 0;
    /// Keys of the tables the calculation needed and found empty, in the order they were needed.
    std::vector<std::string> MissingTables;
};

/// Local loss coefficient of one fitting. Each step whose arithmetic fails (a zero divisor, the logarithm
/// of a non-positive number, a lookup in an empty table) is passed over and the rest goes on, so missing
/// inputs give 0.
ZetaResult LocalLossCoefficient(const ZetaInput& in, const ZetaTables& tables);

/// Vane-count type of a rectangular bend with vanes: the candidate counts normal 2.13·D/r − 1, reduced
/// 1.4·D/r and minimum 0.9·D/r are tried in this order and the first nearest to n wins; 1, 2, 3, or 0
/// when every candidate is kVaneDistanceStart or more away. A candidate that cannot be computed counts 0.
int NearestVaneType(double n, double D, double r);

/// Preselected vane-count entry of a circular bend with vanes: 0 (normal, 3·D/t1 − 1) when n is strictly
/// nearer to it than to the reduced count 2·D/t1, else 1. A count that cannot be computed counts 0.
int PreselectRoundBendVanes(double n, double D, double t1);

/// Friction factor 1 / (1.1138 − 2·log10(0.001·Δ/D))² of a wall of mean roughness Δ [mm] in a duct of
/// diameter D [m]; nullopt when it cannot be evaluated (Δ or D zero or negative).
std::optional<double> RoughWallFrictionFactor(double delta_mm, double D);

/// Equivalent diameter 4·A/P [m]; nullopt when P is 0 (the diameter box then keeps its text).
std::optional<double> EquivalentDiameter(double area, double perimeter);

/// One piece of a duct, in duct order.
struct DuctPiece {
    double Length = 0;    ///< [m]
    bool Tapered = false; ///< a widening or narrowing piece between its two neighbours
    double Area = 0;      ///< [m²], 0 when not given
    double Diameter = 0;  ///< equivalent diameter [m], 0 when not given
    double Roughness = 0; ///< mean wall roughness [mm], 0 when not given
    /// Area and diameter as a tapered neighbour reads them: nullopt when the cell is empty or not a number.
    std::optional<double> StrictArea, StrictDiameter;
};

/// A local loss at a position along the duct.
struct DuctLocalLoss {
    double Position = 0; ///< distance from the start of the duct [m]
    double Zeta = 0;     ///< loss coefficient [-]
};

/// The tables of tapered pieces; an empty table gives 0.
struct DuctTables {
    CoefTable TabA03_1; ///< expansion coefficient by half-angle [°]
    CoefTable TabA03_2; ///< contraction coefficient by half-angle [°]
    CoefTable TabA03_3; ///< contraction factor by the area ratio A_after / A_before
};

/// Friction factor of a straight duct piece: from its roughness and diameter where both are given,
/// otherwise kDuctFrictionDefault.
double DuctFrictionFactor(double roughness_mm, double D);

/// Mean air speed Q/A [m/s] at position x of the duct: pieces lie end to end from 0, each covering
/// [s, s + l), and the duct's end belongs to its last piece; a tapered piece takes the mean area of its
/// neighbours. 0 outside the duct, at a piece of no area, or at a tapered piece without a neighbour on
/// both sides.
double DuctSpeedAt(const std::vector<DuctPiece>& pieces, double Q, double x);

/// True when x lies outside the duct (before its start or past its end), or there is no duct at all: a
/// local loss there adds nothing.
bool DuctOutside(const std::vector<DuctPiece>& pieces, double x);

/// The 1-based rows of the local losses at `positions` that lie outside the duct.
std::vector<int> DuctLossesOutside(const std::vector<DuctPiece>& pieces,
                                   const std::vector<double>& positions);

/// The note that names the local-loss `rows` outside the duct and its extent; "" when there are none.
std::string DuctOutsideNote(const std::vector<DuctPiece>& pieces, const std::vector<int>& rows);

/// Pressure loss of one piece for the flow Q and air density ρ [Pa]: wall friction λ·l/D·ρ/2·v² of a
/// straight piece, or ζ·ρ/2·v² of a tapered piece with the speed of the piece after it. A piece whose
/// loss cannot be evaluated (no area or diameter, a missing neighbour, a neighbour without numbers, a
/// zero length of a tapered piece) contributes 0.
double DuctPieceLoss(const std::vector<DuctPiece>& pieces, std::size_t index, double Q, double rho,
                     const DuctTables& tables);

/// Total pressure loss of the duct [Pa]: every piece, then every local loss ζ·ρ/2·v(x)².
double DuctPressureLoss(const std::vector<DuctPiece>& pieces, const std::vector<DuctLocalLoss>& losses,
                        double Q, double rho, const DuctTables& tables);

/// End losses of the stretch resistance calculator: entrance and exit → type 1 with 1.6; entrance only →
/// type 1 with 0.6; exit only → type 3; neither → type 4 (no end loss). Branch and merge are 0 throughout.
EndLosses StretchEndLosses(bool entrance, bool exit);

} // namespace ventparam

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

/// Full transverse ventilation (a supply duct and an exhaust duct along the section, each with its fan) and
/// supply semi-transverse ventilation (a supply duct only; the air leaves through the portals) of a
/// two-way tunnel: ducts with uniform lateral outflow and inflow, the fan pressures, and in the
/// semi-transverse case the neutral point from which the tunnel air flows towards both portals.
namespace transverse {

inline constexpr double kSupplyEndPressure = 150.0; ///< required pressure of the supply duct's far end [Pa]
inline constexpr double kExhaustEndPressure =
    100.0; ///< required pressure of the tunnel over the exhaust duct [Pa]
inline constexpr double kLateralFanMargin = 1.1;    ///< margin on both fan pressures
inline constexpr double kNeutralTolerance = 0.1;    ///< balance tolerance of the neutral-point search [Pa]
inline constexpr double kNeutralSmallestStep = 1.0; ///< the search stops once its step is this small [m]

/// The supply duct's part of a calculation's input.
struct SupplyDuctInput {
    double Q = 0;                            ///< design air demand of what the ducts serve [m³/s]
    double AA_b = 0, DD_b = 0, Lambda_b = 0; ///< supply duct area [m²], equivalent diameter [m], friction
    double p_d = 0;                          ///< loss of the supply fan's connecting duct [Pa]
    double rho = 0;                          ///< air density [kg/m³]
};

/// Inputs of the ducts and fans of one calculation; Q is the demand of the whole section.
struct LateralDuctInput : SupplyDuctInput {
    double L = 0;             ///< section length [m], the whole section
    bool TwoSections = false; ///< each half of the section has its own fans and ducts
    bool FullTransverse = true;
    double AA_e = 0, DD_e = 0, Lambda_e = 0; ///< exhaust duct area [m²], equivalent diameter [m], friction
    double p_ed = 0;                         ///< loss of the exhaust fan's connecting duct [Pa]
    double v_n = 0;                          ///< natural wind [m/s]
    double zeta_e = 0;                       ///< entrance loss coefficient of the tunnel
    double lambda_r = 0;                     ///< wall friction coefficient of the tunnel
    double DD_r = 0;                         ///< equivalent diameter of the tunnel at its start [m]
};

/// The supply duct and fan of one calculation.
struct SupplyDuctResult {
    double LL_b = 0;    ///< supply duct length [m]
    double q_b = 0;     ///< supply air per metre [m³/(s·m)]
    double v_b = 0;     ///< air speed at the start of the supply duct [m/s]
    double p_b = 0;     ///< dynamic pressure there [Pa]
    double k_b = 0;     ///< pressure loss coefficient of the supply duct
    double pbi_pb0 = 0; ///< static pressure difference along the supply duct [Pa]
    double pb0_pr0 = 0; ///< required pressure of the supply duct's far end [Pa]
    double p_tot = 0;   ///< total pressure of the supply fan [Pa]
};

/// Ducts and fans of one fan's share of the section. A zero length, area or diameter makes what divides
/// by it infinite or not a number; the other results are still computed.
struct LateralDuctResult : SupplyDuctResult {
    double QQ_b = 0, QQ_e = 0, LL_e = 0; ///< flows of one fan [m³/s], exhaust duct length [m]
    double Pn = 0;      ///< natural-wind pressure the semi-transverse supply fan overcomes [Pa]
    double v_e0 = 0;    ///< air speed at the fan end of the exhaust duct [m/s]
    double p_e = 0;     ///< dynamic pressure there [Pa]
    double k_e = 0;     ///< pressure loss coefficient of the exhaust duct
    double pei_pe0 = 0; ///< static pressure difference along the exhaust duct [Pa]
    double pri_pei = 0; ///< required pressure of the tunnel over the exhaust duct's far end [Pa]
    double p_etot = 0;  ///< total pressure of the exhaust fan [Pa]
};

LateralDuctResult LateralDucts(const LateralDuctInput& in);

/// Pressure difference between the two portals from the natural wind [Pa]:
/// v_n² · (−ρ/2) · (L·λr/Dr + ζe + 1), L signed as the station boxes give it.
double PortalPressureDifference(double v_n, double rho, double L, double lambda_r, double DD_r,
                                double zeta_e);

/// What the tunnel pressure of semi-transverse ventilation reads.
struct TunnelPressureInput {
    double L = 0;        ///< section length [m]
    double q_b = 0;      ///< supply air per metre [m³/(s·m)]
    double AA_r = 0;     ///< tunnel area at the start [m²]
    double DD_r = 0;     ///< tunnel equivalent diameter at the start [m]
    double lambda_r = 0; ///< wall friction coefficient of the tunnel
    double rho = 0;      ///< air density [kg/m³]
    double AA_m = 0;     ///< vehicle resistance area of two-way traffic [m²]
    double N = 0;        ///< two-way traffic [veh/h]
    double vt = 0;       ///< working speed of two-way traffic [km/h]
};

/// Vehicle resistance term C = Am·N·L·3.6/Ar/vt/3600 (Am/Ar times the vehicles in the section).
double VehicleTerm(const TunnelPressureInput& in);

/// Pressure drop between the neutral point and a point `x` metres from it [Pa]:
/// 0.5·ρ·((λr·x/3/Dr + 2)·v² + C·(x/L)·(vt/3.6)·v), v = x·q_b/Ar.
double NeutralPressureDrop(const TunnelPressureInput& in, double x);

struct NeutralPoint {
    double x1 = 0;  ///< distance of the neutral point from the start station [m]
    double P1 = 0;  ///< pressure of the start station relative to the neutral point [Pa]
    double P2 = 0;  ///< the same for the end station [Pa]
    int Passes = 0; ///< passes of the search
    /// Set when the search ran into an end of the section without balancing and the balance lies beyond
    /// that end: the pressure difference left over with the neutral point at the end itself,
    /// D(L − xe) − D(xe) − Pa [Pa], always more than the tolerance. The search's x1 is then no neutral
    /// point.
    std::optional<double> Unbalanced;
};

/// Neutral point where D(L − x1) − D(x1) balances `Pa` (start minus end pressure) within 0.1 Pa, by a
/// halving step that starts at L/4; it ends once the step would fall to 1 m or below, so it always ends
/// (also on numbers that are not finite), after at most ⌊log2 L⌋ + 1 passes. When even the end the search
/// moved towards cannot balance `Pa`, `Unbalanced` says by how much.
NeutralPoint FindNeutralPoint(const TunnelPressureInput& in, double Pa);

// ---- The .tra file ----

/// The boxes of the .tra file as texts; a field missing from a short file stays empty (nullopt).
struct TraFile {
    std::optional<bool> TwoSect, Tranverse;
    std::array<std::optional<std::string>, 3> Supply;       ///< txtAA_b, txtDD_b, txtLambda_b
    std::array<std::optional<std::string>, 9> SupplyResult; ///< txtq_b … txtp_tot
    std::array<std::optional<std::string>, 10> Exhaust;     ///< txtAA_e … txtp_etot
    std::optional<std::string> PileC, PC;
    std::optional<long long> ScrollPosition; ///< leading number rounded half to even
    std::optional<std::string> PR;
};

inline constexpr int kTraReserveRecords = 4;
inline constexpr int kTraReserveFields = 10;

/// Reads the fields in order; what the file does not hold stays nullopt. A first or second field that is
/// no Boolean leaves its control.
TraFile ReadTraFile(scheme::SchemeReader& in);
/// Records 1 to 5 and the four reserve records of ten empty texts. Missing texts are written empty.
scheme::SchemeWriter WriteTraFile(const TraFile& file);
/// The template as a tunnel other than the template's own takes it: the variant, the ducts' areas,
/// diameters and friction and the connecting ducts' losses stay; every result of the template's
/// calculation is emptied, and its chosen station, which lies on the template's tunnel, is not taken.
void KeepTemplateInputs(TraFile& file);

// ---- Report ----

/// Texts of the window's boxes as the report prints them.
struct LateralReportBoxes {
    std::string ProjectName;
    bool FullTransverse = true, TwoSections = false;
    std::string v_t, StartPile, EndPile, QQ_req, Pa;
    std::string AA_b, DD_b, Lambda_b, q_b, v_b, p_b, k_b, pbi_pb0, pb0_pr0, p_d, p_tot;
    std::string AA_e, DD_e, Lambda_e, v_e0, p_e, k_e, pei_pe0, pri_pei, p_ed, p_etot;
    std::string PileC, PC, PR;
    long long ScrollPosition = 0;
};

inline constexpr const char* kLateralReportName = "横向通风";

/// The 43 lines of the transverse report; the supply semi-transverse variant, which has no exhaust fan,
/// leaves out the exhaust block (31 lines).
std::vector<std::string> LateralReportLines(const LateralReportBoxes& b);

} // namespace transverse

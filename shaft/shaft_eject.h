// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <utility>

/// The shaft-exhaust scheme: one exhaust shaft between section I (entrance portal to shaft) and section II
/// (shaft to exit portal). The merge-type shaft of two-way traffic draws both sections' air towards the
/// shaft; the split-type shaft of one-way traffic draws part of the air running from entrance to exit.
namespace shaft {

/// Loss coefficient of the entrance portal that the section resistances and the curve take.
inline constexpr double kEjectEntranceLoss = 0.6;
/// Merge loss coefficient handed to the section resistances (type 1 does not use it).
inline constexpr double kEjectMergeLoss = 0.7;
/// Branch loss handed to the split type's section-II resistance (type 4 does not use it).
inline constexpr double kEjectBranchLoss = 0.28;
/// Air density of the traffic forces [kg/m³].
inline constexpr double kTrafficForceDensity = 1.2;
/// Margin of the exhaust fan's design pressure over the pressure it must overcome.
inline constexpr double kFanPressureMargin = 1.1;
/// Difference between the pressure the exit portal requires and the one section II delivers above which
/// the window warns [Pa].
inline constexpr double kExitImbalanceLimit = 10;
/// The shaft-position search stops when the two shaft-bottom pressures differ by less than this [Pa].
inline constexpr double kBalanceTolerance = 0.1;
/// The search also stops when the bracket is narrower than this [m]: stations are computed at 0.01 m.
inline constexpr double kBalanceMinBracket = 0.001;
/// Upper bound of halvings, whatever the tunnel length.
inline constexpr int kBalanceMaxHalvings = 60;

/// Equivalent diameter Dr = 4·Ar / Pr [m] of a shaft of area Ar [m²] and perimeter Pr [m]; not finite for
/// Pr = 0.
double ShaftDiameter(double area, double perimeter);

/// Design flows of section I, section II and the shaft [m³/s].
struct DesignFlows {
    double Qr1 = 0;
    double Qr2 = 0;
    double Qr3 = 0;
};
/// Merge type: each section carries its own demand towards the shaft, the shaft exhausts both.
DesignFlows MergeFlows(double qreq1, double qreq2);
/// Split type with the shaft flow qr3 given: Qr1 is the larger root of x² − S·x + Qreq1·Qr3 = 0 with
/// S = Qreq1 + Qreq2 + Qr3, Qr2 = Qr1 − Qr3 (the fresh air left after the shaft meets section II's demand).
DesignFlows SplitFlows(double qreq1, double qreq2, double qr3);

/// Flow at a station: q1 strictly between the entrance portal and the shaft, q2 everywhere else (at the
/// shaft, at the entrance portal, in section II and outside the tunnel).
double FlowAtPile(double pile, double shaft, double entrance, double q1, double q2);

/// Shaft-bottom pressures of the merge type [Pa] (formulas 3.5.7-1 and 3.5.7-1a): each section's
/// meteorological difference plus traffic force, less its resistance and its junction loss
/// ζ·ρ/2·v3² at the shaft speed v3.
struct MergePressures {
    double p_tot3 = 0;
    double p_tot3a = 0;
};
MergePressures MergeShaftPressures(double deltap_g1, double deltap_t1, double deltap_r1, double deltap_g2,
                                   double deltap_t2, double deltap_r2, double v3, double rho, double zeta_13,
                                   double zeta_23);

/// Pressures of the split type [Pa].
struct SplitInputs {
    double deltap_g1 = 0, deltap_g2 = 0; ///< meteorological differences [Pa]
    double deltap_t1 = 0, deltap_t2 = 0; ///< traffic forces [Pa]
    double deltap_r1 = 0, deltap_r2 = 0; ///< section resistances [Pa]
    double zeta_12 = 0, zeta_13 = 0;     ///< branch and shaft junction loss coefficients
    double v1 = 0, v2 = 0;               ///< section speeds [m/s]
    double rho = 0;                      ///< air density [kg/m³]
};
struct SplitPressures {
    double p_tot1 = 0;  ///< end of section I: Δpg1 + Δpt1 − Δpr1
    double p_tot21 = 0; ///< start of section II, after the branch loss ρ·ζ1-2/2·v1²
    double p_tot22 = 0; ///< end of section II: p_tot21 − Δpr2 + Δpt2
    double p_tot23 = 0; ///< what the exit portal requires: ρ/2·v2² + Δpg2
    double p_tot3 = 0;  ///< shaft bottom: p_tot1 − ζ1-3·ρ/2·v1²
};
SplitPressures SplitShaftPressures(const SplitInputs& in);

/// True when the pressure the exit portal requires and the one section II delivers differ by more than
/// kExitImbalanceLimit (strictly).
bool ExitImbalance(double p_tot22, double p_tot23);

/// The exhaust fan. The shaft bottom stands at p_tot3 against the outside air at the shaft top (below zero
/// when section I leaves it under suction); the fan lifts the shaft flow from there through the shaft and its
/// duct, which lose Δpd, to the outside air, so it must give Δpd − p_tot3, with its margin:
/// p_tot = (Δpd − p_tot3)·1.1 [Pa]. Theoretical power Qr3·p_tot/1000 [kW] and motor shaft power Atot / η
/// [kW] (not finite for η = 0). A design pressure not above zero means the tunnel pressure alone drives the
/// flow out of the shaft: no fan power is worked from it (Powered false, both powers 0).
struct FanPower {
    double p_tot = 0;
    double AA_tot = 0;
    double SS_tot = 0;
    bool Powered = false;
};
FanPower ExhaustFan(double p_tot3, double deltap_d, double qr3, double eta);
/// Whether a design pressure is a duty: above zero as its box shows it ("0.00").
bool FanHasDuty(double p_tot);

/// Stretches of the split type's traffic forces in the 1 km congestion case, the window running from a to
/// b: section I takes the part of the window between the entrance portal and the shaft, section II the
/// part from the shaft on. On the right line (dir = +1) section I is (min(a, shaft), min(shaft, b)) and
/// section II (max(a, shaft), max(shaft, b)); on the left line section I lies at the larger stations, so
/// the two are exchanged.
struct EjectStretch {
    double sp = 0;
    double ep = 0;
};
struct TrafficStretches {
    EjectStretch Section1;
    EjectStretch Section2;
};
TrafficStretches CongestionTrafficStretches(double a, double b, double shaft, int dir);

/// Result of the shaft-position search.
struct BalanceResult {
    double x = 0;       ///< last distance from the entrance portal tried [m]
    bool found = false; ///< the two pressures came within kBalanceTolerance
    int steps = 0;      ///< stations tried
};
/// Bisection of the distance x from the entrance portal in [0, length]: `evaluate` runs the scheme with
/// the shaft at x and returns (p_tot3, p_tot3a); it stops when they differ by less than kBalanceTolerance,
/// and otherwise moves the upper end to x when p_tot3 < p_tot3a, the lower end else. Without a balance it
/// stops after kBalanceMaxHalvings stations or when the bracket is narrower than kBalanceMinBracket, a
/// difference that is not a number stops it at once; the last x tried is returned either way.
BalanceResult BalanceShaftPosition(double length,
                                   const std::function<std::pair<double, double>(double)>& evaluate);

} // namespace shaft

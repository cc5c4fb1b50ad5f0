// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"
#include "ventparam/step2_inputs.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

/// Concentrated supply: one opening near a portal blows the supply flow Qb along the tunnel through a
/// nozzle. The supply stretch (entrance portal to the opening) carries Qr − Qb through Ar − Ab at v1, the
/// main stretch (opening to exit portal) carries the design flow Qr at vr.
namespace transverse {

// Constants of the balance.
inline constexpr double kEntranceLoss = 0.6;   ///< ζ of the portal entrance
inline constexpr double kBranchLoss = 0.28;    ///< ζ of a branch
inline constexpr double kMergeLoss = 0.7;      ///< ζ of a merge
inline constexpr int kMainStretchType = 3;     ///< merge and exit losses
inline constexpr int kSupplyStretchType = 1;   ///< entrance and branch losses
inline constexpr double kTrafficDensity = 1.2; ///< air density of the traffic forces [kg/m³]
inline constexpr int kBlockCase = 4;           ///< case number of the 1 km congestion window
inline constexpr double kPi = 3.1416;          ///< degrees to radians, as the designers take it
/// The passes end when the supply-stretch speed and the supply flow have settled well below the two
/// decimals the window shows, so that the start values (the last calculation's supply flow) no longer
/// show in the result.
inline constexpr double kSpeedSettled = 1e-6;     ///< change of the supply-stretch speed [m/s]
inline constexpr double kFlowSettled = 1e-6;      ///< change of the supply flow between passes [m³/s]
inline constexpr double kFanPressureMargin = 1.1; ///< margin on the fan's total pressure
inline constexpr int kMaxPasses = 1000;           ///< passes before the balance gives up

/// Which of the opening's two quantities the designer gives.
enum class OpeningMode { KnownArea, KnownSpeed };

/// One row of step 2's local losses.
struct LocalLoss {
    double Station = 0; ///< [m]
    double Zeta = 0;    ///< loss coefficient [-]
};

/// What the balance reads of the tunnel, the traffic and the opening.
struct ConcentrateScheme {
    double Qr = 0;         ///< design flow [m³/s]
    double Ar = 0;         ///< tunnel area at the start station [m²]
    double rho = 1.2;      ///< air density [kg/m³]
    double vn = 0;         ///< natural wind [m/s]
    double Am = 0;         ///< vehicle resistance area, one-way traffic [m²]
    double Am2 = 0;        ///< vehicle resistance area, two-way traffic [m²]
    double S = 0;          ///< station of the supply opening [m]
    bool RightLine = true; ///< portals: entrance at the start station on the right line
    double StartPile = 0;  ///< [m]
    double EndPile = 0;    ///< [m]
    int PileDirection = 1; ///< +1 right line, −1 left line (for the speed at a station)
    int CaseIndex = 0;     ///< step 2's case position: 0 one-way, 1 two-way, 2 full congestion, 3 1 km
    double BlockStart = 0; ///< congestion window as typed [m]
    double BlockEnd = 0;   ///< [m]
    std::vector<LocalLoss> Losses;
    OpeningMode Mode = OpeningMode::KnownArea;
    double beta = 5; ///< jet angle to the tunnel axis [°]
    double Kb = 0.9; ///< momentum coefficient of the opening's pressure rise [-]

    double vr() const { return Qr / Ar; }
    double Ein() const { return RightLine ? StartPile : EndPile; }
    double Eout() const { return RightLine ? EndPile : StartPile; }
};

/// The main window's pressure engine, as the balance calls it.
struct TunnelServices {
    /// Friction and end losses of the stretch a–b for the flow Q [Pa] (type, entrance, branch, merge ζ).
    std::function<double(double a, double b, double Q, int type, double z1, double z2, double z3)> Resistance;
    /// Traffic force of one-way traffic of case `caseId` [Pa].
    std::function<double(double a, double b, double Q, double Am, int caseId)> OneWayTraffic;
    /// Traffic force of two-way traffic [Pa].
    std::function<double(double a, double b, double Q, double Am)> TwoWayTraffic;
};

/// The four pressures of one pass [Pa].
struct PassPressures {
    double dpm = 0; ///< natural-wind resistance
    double dpt = 0; ///< traffic force
    double dpr = 0; ///< tunnel resistance corrected for the supply stretch
    double dpl = 0; ///< local losses
};

/// Air speed at a station [m/s]: v1 on the supply side of the opening (below S on the right line, above
/// it on the left line), vr elsewhere and at the opening itself.
double VelocityAtPile(double station, double S, int pileDirection, double v1, double vr);

/// Whether the balance holds only with the supply stretch's air running out of the entrance portal: v1
/// not above zero as its box shows it ("0.00"), so that the figure read back from the file says the same.
bool SupplyStretchBlowsOut(double v1);

/// One stretch of the 1 km congestion window with the flow of its side of the opening.
struct BlockStretch {
    double From = 0, To = 0, Q = 0;
};
/// The stretches of the congestion window JS–JE (as typed) about the opening S: wholly at or below S,
/// wholly at or above S, or across S (two stretches). Qlow and Qhigh are the flows on the side with the
/// smaller and the larger stations.
std::vector<BlockStretch> BlockStretches(double JS, double JE, double S, double Qlow, double Qhigh);

/// Δpm, Δpt, Δpr and Δpl of one pass for the current supply flow Qb, nozzle area Ab and speed v1.
PassPressures ComputePass(const ConcentrateScheme& s, const TunnelServices& t, double v1, double Qb,
                          double Ab);

/// Pressure rise the opening must give [Pa]: Δpr − Δpt + Δpm + Δpl.
double RequiredRise(const PassPressures& p);

/// The opening for a required rise: x = Qb / Qr from ρ·vr²·x·(Kb·cosβ·vb/vr − 2 + x) = Δpb, the larger root.
struct OpeningResult {
    bool Solved = false; ///< false when the quadratic has no real root, or only a negative share
    double x = 0;
    double Qb = 0; ///< [m³/s]
    double Ab = 0; ///< [m²] given (known area) or computed (known speed)
    double vb = 0; ///< [m/s] computed (known area) or given (known speed)
};
OpeningResult SolveOpening(const ConcentrateScheme& s, double dpb, double Ab, double vb);

/// Why the balance could not be run or finished.
enum class BalanceFault {
    None,
    NoTunnelArea,  ///< Ar not positive
    NoDesignFlow,  ///< Qr not positive
    BadNozzleArea, ///< known area: Ab not within (0, Ar)
    BadJetSpeed,   ///< known speed: vb not positive
    BadEfficiency, ///< η not positive
    BadStation,    ///< the opening is not strictly between the portals
    NotComputed,   ///< a pass gave a pressure that is not a number
    NoRoot,        ///< the required rise cannot be given by any supply flow
    NotConverged,  ///< the supply-stretch speed or the supply flow did not settle within kMaxPasses
};

/// The supply fan [Pa, kW].
struct FanDuty {
    double Ptot = 0, Atot = 0, Stot = 0;
};
/// Ptot = (ρ·vb²/2 + Δpd)·1.1; Atot = Qb·Ptot/1000; Stot = Atot/η.
FanDuty SupplyFan(double rho, double vb, double dpd, double Qb, double eta);

struct BalanceResult {
    BalanceFault Fault = BalanceFault::None;
    PassPressures Pressures;
    double dpb = 0;
    double Qb = 0, Ab = 0, vb = 0, v1 = 0;
    int Passes = 0;
};

/// Checks the inputs before any pass: the fault that would give a number that is not one.
BalanceFault CheckInputs(const ConcentrateScheme& s, double Ab, double vb, double eta);

/// Repeats the passes from v1 = vr and the given Qb until the supply-stretch speed v1′ of a pass differs
/// from v1 by less than kSpeedSettled and its supply flow from the previous pass's by less than
/// kFlowSettled (v1 averaged in every pass, the last included), or until the stop test cannot be
/// evaluated (Ar = Ab). A pass without a real root or with a pressure that is not a number stops with its
/// fault; the results are those of the last whole pass (or the start values). Reaching the cap gives
/// NotConverged, whose results are not to be shown as a result.
BalanceResult Balance(const ConcentrateScheme& s, const TunnelServices& t, double Qb, double Ab, double vb,
                      int maxPasses = kMaxPasses);

// ---- The .con file ----

/// Record 1: Δpm, Δpt, Δpr, Δpb, Qr (skipped on reading), Qb, station, v1, β, Kb, Δpl.
enum ConRecord1 {
    kCon_deltap_m,
    kCon_deltap_t,
    kCon_deltap_r,
    kCon_deltap_b,
    kCon_QQ_r,
    kCon_QQ_b,
    kCon_ShaftPile,
    kCon_v_1,
    kCon_beta,
    kCon_KK_b,
    kCon_deltap_l,
    kConRecord1Fields
};
/// Record 2 after its Boolean: Ab, vb, Δpd, Ptot, Atot, η, Stot.
enum ConRecord2 {
    kCon_AA_b,
    kCon_v_b,
    kCon_deltap_d,
    kCon_PP_tot,
    kCon_AA_tot,
    kCon_eta,
    kCon_SS_tot,
    kConRecord2Texts
};

/// The file's fields; after reading, a field the file does not hold is nullopt.
struct ConFileContents {
    std::array<std::optional<std::string>, kConRecord1Fields> Record1;
    std::optional<bool> KnownArea;
    std::array<std::optional<std::string>, kConRecord2Texts> Record2;
    /// Step 2's inputs the results were computed with; nullopt in a file written before they were kept.
    std::optional<ventparam::Step2Inputs> Step2;
};
/// Reads the fields in order; a Boolean field that is not one gives nullopt and the texts after it are
/// still read.
ConFileContents ReadConFile(scheme::SchemeReader& in);
/// The two records: texts quoted, the Boolean bare (#FALSE# when unknown), a missing text written empty.
scheme::SchemeWriter WriteConFile(const ConFileContents& con);

// ---- The report ----

inline constexpr const char* kConReportName = "集中送入式通风";
inline constexpr const char* kConReportTitle = "集中送入通风计算报告";

/// Texts of the boxes the report prints, as the window shows them.
struct ConReportBoxes {
    std::string ProjectName;
    bool KnownArea = true;
    std::string deltap_m, deltap_t, deltap_r, deltap_l;
    std::string deltap_b, QQ_r, QQ_b, ShaftPile, v_1, beta, KK_b, AA_b, v_b;
    std::string deltap_d, PP_tot, AA_tot, eta, SS_tot;
};
/// Every line of the report: label with its blanks, a tab, the box's text.
std::vector<std::string> ConReportLines(const ConReportBoxes& b);

} // namespace transverse

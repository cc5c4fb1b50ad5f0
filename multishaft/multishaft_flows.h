// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

/// Design flows, fresh air and concentrations of the several-shafts scheme's sections, the search of the
/// first section's design flow, the loss coefficients and types of the section resistances, and the
/// total power of the scheme. Flows in m³/s, stations in m, pressures in Pa.
namespace multishaft {

/// What the flow trial reads of one row of the section list, as the numbers of its cells.
struct TrialRow {
    double Qreq = 0; ///< required fresh air of the row
    double Area = 0; ///< cross-section area at the row's middle station [m²]
};

/// The two flows of one shaft the trial reads.
struct TrialShaft {
    double Qe = 0; ///< total exhaust flow
    double Qb = 0; ///< total supply flow
};

/// What the trial writes into one row: the texts of its design flow, fresh air, design air speed and
/// the concentrations at its start and end station. An empty text is a value that could not be computed.
struct TrialCells {
    std::string Qr, Qf, Vr, C1, C2;
};

struct TrialResult {
    std::vector<TrialCells> Rows;
    /// True when every row has a positive design flow and both its concentrations are known and, as
    /// written with two decimals, at most 1.
    bool Accepted = true;
};

/// The section flow trial for the candidate design flow of the first section in the direction of
/// traffic (row 1 on the right line, the last row on the left line). Row 2i is the short passage of
/// shaft i. The candidate is written as plain text, every other flow and the speeds and concentrations
/// "0.00", and each step computes with what the step before wrote. A design flow that is not positive
/// (an exhaust larger than the arriving air) or a value that cannot be computed (a zero flow or area, a
/// row that no shaft reaches) refuses the candidate; the values that rest on it are left empty rather
/// than kept from an earlier trial.
TrialResult TrySectionFlows(const std::vector<TrialRow>& rows, const std::vector<TrialShaft>& shafts,
                            double candidate, bool leftLine);

/// The first flow of the search: the larger of (total required air − the shafts' total supply) and the
/// required air of the first two rows of the list; 0 when the list has fewer than two rows.
double SearchStart(double totalQreq, double sumQb, int rows, double qreq1, double qreq2);

inline constexpr int kMaxTrials = 1000;
inline constexpr double kTrialStep = 2;

/// Walks up from `start` in steps of 2 m³/s until `trial` accepts a flow, at most 1000 trials (the
/// last one start + 1998). nullopt when every trial refused.
std::optional<double> SearchDesignFlow(double start, const std::function<bool(double)>& trial);

/// The loss coefficients of one shaft that the section resistances use.
struct ShaftLosses {
    double Qe = 0;         ///< total exhaust flow; 0 means no exhaust opening
    double Qb = 0;         ///< total supply flow; 0 means no supply opening
    double ZetaFencha = 0; ///< branch loss at the exhaust off-take
    double ZetaHeliu = 0;  ///< merge loss at the supply inflow
};

/// Type and end-loss coefficients of the resistance of one row (1-based, of `rows`).
struct SectionEnds {
    int Type = 2;          ///< 1 entrance row, 3 exit row, 2 any other
    double ZetaFencha = 0; ///< branch loss of the shaft the air reaches at the row's end
    double ZetaHeliu = 0;  ///< merge loss of the shaft the air left at the row's start
    /// Entrance coefficient of the natural-wind resistance: 0.6 for the entrance row, else 0.
    double NaturalEntrance = 0;
};

/// The short passages (even rows) have no branch or merge loss. An odd row lies between the shaft it
/// leaves and the shaft it reaches in the direction of traffic; a shaft that does not exist, or whose
/// exhaust (supply) flow is 0, gives no branch (merge) loss.
SectionEnds SectionEndsOf(int row, int rows, bool leftLine, const std::vector<ShaftLosses>& shafts);

/// The part of a row in the 1 km congestion window (window ends as typed): {from, to} when
/// min(end, blockEnd) > max(start, blockStart), otherwise nullopt (no traffic force).
std::optional<std::pair<double, double>> CongestionPart(double start, double end, double blockStart,
                                                        double blockEnd);

/// Pressure rise of a shaft's exhaust opening [Pa]: 2·(Qe/Qr1)·(2 − Ke·ve/vr1 − Qe/Qr1)·0.5·ρ·vr1², the
/// square of the speed taken as one factor.
double ExhaustRise(double qe, double qr1, double ke, double ve, double vr1, double rho);

/// Pressure rise of a shaft's supply opening [Pa]: 2·(Qb/Qr2)·(Kb·vb·cos β/vr2 − 2 + Qb/Qr2)·0.5·ρ·vr2²,
/// β in degrees turned to radians with π = 3.1415926.
double SupplyRise(double qb, double qr2, double kb, double vb, double betaDeg, double vr2, double rho);

/// The pressure rise of an opening, guarded: 0 for an opening without flow, nullopt when the rise
/// cannot be computed (not finite).
std::optional<double> OpeningRise(double flow, double rise);

/// Fan power of the scheme: for every shaft one exhaust fan's shaft power × the exhaust fans plus the
/// same for the supply, then for every section its jet fans (the whole part, never below 0) × the power
/// of one jet fan.
struct ShaftPower {
    double SkwE = 0, CountE = 0, SkwB = 0, CountB = 0;
};
double TotalPower(const std::vector<ShaftPower>& shafts, const std::vector<double>& jetCounts,
                  double jetPower);
/// The same with the power of one jet fan of each section's own model.
double TotalPower(const std::vector<ShaftPower>& shafts, const std::vector<double>& jetCounts,
                  const std::vector<double>& jetPowers);

/// GetPressureValue's answer for a station that no pair of curve points encloses.
inline constexpr double kOffCurve = 10000000;

} // namespace multishaft

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

/// The formulas of the scheme with one shaft that has an exhaust and a supply opening, combined with jet
/// fans in the inlet and the outlet section. Flows in m³/s, stations in m, pressures in Pa.
namespace shaft {

/// π as the opening rise takes it.
inline constexpr double kOpeningPi = 3.1415926;

/// The two openings of the shaft: the exhaust opening lies ds/2 before the shaft station in the direction
/// of travel, the supply opening ds/2 after it. dir is +1 on the right line, −1 on the left line.
struct ShaftOpenings {
    double Exhaust = 0; ///< station of the exhaust opening [m]
    double Supply = 0;  ///< station of the supply opening [m]
};
ShaftOpenings OpeningsOf(double shaftPile, double ds, int dir);

/// Inlet design flow Qr1 when the supply flow Qb is given: the larger root of
/// x² + (Qb − Qe − Qreq1 − Qreq2)·x + Qreq1·Qe = 0 when Qreq2 > Qb, otherwise Qreq1. nullopt when the root
/// is not real (possible only with negative inputs).
std::optional<double> InletFlowForSupply(double qreq1, double qreq2, double qe, double qb);

/// Supply flow Qb that the inlet design flow Qr1 needs: (Qreq − Qr1) + (Qr1 − Qreq1)·Qe/Qr1 with
/// Qreq = Qreq1 + Qreq2. Not finite for Qr1 = 0.
double SupplyFlowForInlet(double qreq1, double qreq2, double qr1, double qe);

/// Pressure rise of the exhaust opening: (2·Qe/Qr1)·((2 − Ke·ve/vr1) − Qe/Qr1)·0.5·ρ·vr1².
double ExhaustOpeningRise(double qe, double qr1, double ke, double ve, double vr1, double rho);

/// Pressure rise of the supply opening, β in degrees:
/// (2·Qb/Qr2)·((Kb·vb·cos(β·3.1415926/180)/vr2 − 2) + Qb/Qr2)·0.5·ρ·vr2².
double SupplyOpeningRise(double qb, double qr2, double kb, double vb, double betaDeg, double vr2, double rho);

/// The short passage between the openings and the relative concentrations.
struct ShortPassage {
    double QQ_s = 0;  ///< flow of the short passage Qr1 − Qe
    double QQ_sf = 0; ///< equivalent fresh air at the shaft bottom (Qr1 − Qe − Qreq1) + Qe·Qreq1/Qr1
    double CC_2 = 0;  ///< concentration at the shaft bottom Qreq1/Qr1
    double ratio_Qe_Qr1 = 0; ///< Qe/Qr1
    double ratio_Qb_Qr2 = 0; ///< Qb/Qr2
};
ShortPassage ShortPassageOf(double qr1, double qe, double qb, double qr2, double qreq1);

/// Relative concentrations downstream of the shaft, from the short passage's own demand Qvi: with
/// P = Qvi + (1 − Qe/Qr1)·Qreq1, C2s = P/(Qr1 − Qe), C2b = P/(Qr1 − Qe + Qb), C3 = (P + Qreq2)/(Qr1 − Qe +
/// Qb).
struct Concentrations {
    double CC_2s = 0;
    double CC_2b = 0;
    double CC_3 = 0;
};
Concentrations ConcentrationsOf(double qvi, double qr1, double qe, double qb, double qreq1, double qreq2);

/// The traffic force F of a 1 km congestion split between the sections by the congestion window, the
/// 1000 m that end at blockEnd: all in the inlet when it ends at or before the shaft, all in the outlet
/// when it starts at or after the shaft, otherwise the outlet takes (blockEnd − shaft)/1000 of F. dir is
/// +1 on the right line, −1 on the left line, where the inlet lies at the higher stations and the window
/// is mirrored.
std::pair<double, double> CongestionSplit(double force, double blockEnd, double shaftPile, int dir);

/// Why a balance is no state the tunnel can be in, or fails its exit concentration. The exhaust opening
/// cannot draw more than section I brings: then the short passage would carry air against the traffic
/// (Qs = Qr1 − Qe below 0), and the concentrations and rises downstream are figures of no tunnel; a
/// negative C3 at the exit means the outlet section would carry no air. Both are impossible. A C3 above
/// kC3Limit is a real state whose outlet gets less fresh air than its traffic needs: said, not hidden.
/// The limit allows what the balance itself leaves above 1 (it meets the sections' demands, and the
/// short passage's own smoke comes on top) and is the limit the control table accepts a fan pair by.
inline constexpr double kC3Limit = 1.02;
struct BalanceState {
    bool PassageReversed = false; ///< Qe > Qr1, Qs < 0
    bool C3Outside = false;       ///< C3, rounded as shown, below 0 or above kC3Limit
    bool Impossible = false;      ///< reversed passage or negative C3: nothing is to be sized on it
    /// The hint naming the quantity and the opening flow to change; "" when there is nothing to say.
    std::string Hint;
};
BalanceState CheckBalanceState(double qr1, double qe, double qs, double qb, double c3);

/// The same judgement of a balance read back from its boxes, where Qs stands rounded as shown. A Qs the
/// box shows is the one the balance judged (a reversed passage empties it), so it is taken as it stands and
/// only an emptied one is worked again from the flows: an accepted balance never turns refused by the
/// rounding of its texts.
BalanceState CheckStoredBalanceState(double qr1, double qe, double qb, double c3,
                                     std::optional<double> shownQs);

/// Pressure rise the jet fans of a section must give: resistance + natural wind − opening rise − traffic.
double RequiredJetRise(double dpr, double dpm, double openingRise, double dpt);

/// Design flow at station s: Qr1 on [start, a], Qs on [a, b], Qr2 on [b, end] (a, b = shaft ∓ ds/2; the
/// last interval that holds s wins; Qr1 and Qr2 exchange places on the left line); 0 outside the tunnel.
double FlowAtPile(double s, double start, double end, double shaftPile, double ds, bool leftLine, double qr1,
                  double qs, double qr2);

/// Jet fans of a section for the required rise R and the rise of one fan dpj: Int(R/dpj) + 1, never below
/// 0 (a traffic force that carries the air needs no fan). nullopt when dpj is not positive or not finite,
/// or the count is beyond a 16-bit count.
std::optional<int> SectionJetCount(double required, double dpj);

/// Design pressure of an exhaust fan: (ve²·0.5ρ + pde − pse)·1.1 [Pa].
double ExhaustFanPressure(double ve, double rho, double pde, double pse);
/// Design pressure of a supply fan: (vb²·0.5ρ + pdb + psb)·1.1 [Pa].
double SupplyFanPressure(double vb, double rho, double pdb, double psb);
/// Shaft power of one fan [kW] for its flow q, design pressure ptot, ambient pressure p1 [kPa], fan
/// efficiency eta and ambient temperature t1 [°C]: q·ptot·293·p1/(1000·η·(273 + t1)·101.325).
double FanShaftPower(double q, double ptot, double p1, double eta, double t1);
/// Motor power of one fan [kW]: Skw·k/ηm.
double FanMotorPower(double skw, double k, double etam);
/// Jet fans counted in a section's power from the count shown: the whole part, never below 0.
double CountedJetFans(double countShown);
/// Power of the operating case [kW]: the axial fans of both openings by the shaft power of one fan, the jet
/// fans of both sections as CountedJetFans counts the count shown by the power of one; the motor powers
/// do not enter.
double CaseTotalPower(double exhaustFans, double exhaustSkw, double supplyFans, double supplySkw,
                      double jetCount1, double jetPower1, double jetCount2, double jetPower2);

/// Position of a new group among the stations of the list (0-based place to insert it at): the first i
/// whose neighbours bracket s strictly along the line direction gives i + 1; otherwise the end.
int GroupInsertPosition(const std::vector<double>& stations, double s, bool leftLine);

/// One laid-out group: its station and the section it serves (1 inlet, 2 outlet).
struct LaidGroup {
    double Station = 0;
    int Section = 0;
};
/// The settings of the automatic layout, read as numbers.
struct ShaftJetLayoutSettings {
    double StartPile = 0; ///< tunnel start station S0 [m]
    double Length = 0;    ///< tunnel length L [m]
    bool LeftLine = false;
    int G1 = 0, G2 = 0;          ///< groups of the inlet and the outlet section
    double Span1 = 0, Span2 = 0; ///< spacing of the inlet and the outlet groups [m]
    double Dist1 = 0;            ///< first group from the entrance portal [m]
    double Dist2 = 0;            ///< last group from the exit portal [m]
};
/// Groups along the direction of travel: the inlet groups from the entrance portal, then the outlet groups
/// up to the last one before the exit portal. A count of 0 or below lays no group in that section.
std::vector<LaidGroup> ShaftJetLayout(const ShaftJetLayoutSettings& s);

} // namespace shaft

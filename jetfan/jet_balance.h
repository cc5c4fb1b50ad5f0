// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/vb.h"

#include <optional>
#include <vector>

/// Pressure balance of a tunnel ventilated by jet fans only, and the number of fans it needs.
namespace jetfan {

/// Area offset [m] inside the tunnel start at which the natural wind's flow takes its cross-section.
inline constexpr double kNaturalWindAreaOffset = 0.001;
/// Area offset [m] inside the tunnel start at which one fan's rise takes the tunnel area Ar.
inline constexpr double kFanAreaOffset = 0.0001;
/// Entrance loss coefficient of the natural-wind and ventilation resistances of the whole tunnel.
inline constexpr double kBalanceEntranceLoss = 1.6;
/// Air density [kg/m³] the traffic force is computed with, whatever the project's density.
inline constexpr double kTrafficForceDensity = 1.2;

/// Which traffic force the balance takes, by the position of step 2's case list.
enum class TrafficForceKind {
    OneWay,   ///< one-way traffic over the whole tunnel, case number = position + 1 (1 or 3)
    Block1km, ///< one-way traffic, case 4, over the 1 km congestion window only
    TwoWay,   ///< two-way traffic over the whole tunnel with the two-way vehicle resistance area
};

struct TrafficForceChoice {
    TrafficForceKind Kind = TrafficForceKind::TwoWay;
    vb::Integer CaseID = 0; ///< case number handed to the one-way force; 0 for two-way traffic
};

/// Positions 0 and 2: one-way (cases 1 and 3); 3: 1 km congestion (case 4); anything else, "no case
/// chosen" (−1) included: two-way traffic.
TrafficForceChoice TrafficForceFor(int listPosition);

/// One local loss along the tunnel.
struct LocalLossRow {
    double Zeta = 0; ///< loss coefficient ζ [-]
    double v = 0;    ///< mean air speed at its station [m/s]
};

/// Sum of 0.5 × rho × ζ × v² over the rows, in row order [Pa]; no rows give 0. A row whose speed is not
/// finite (no cross-section at its station) makes the sum not finite.
double LocalLosses(double rho, const std::vector<LocalLossRow>& rows);

/// Rise the fans must give together [Pa]: Δpm + Δpr + Δpl − Δpt. Negative when the traffic force alone
/// carries the air.
double RequiredTotalRise(double dpm, double dpr, double dpl, double dpt);

/// Why no fan count could be given.
enum class FanCountFault {
    None,
    NoFanModel,       ///< outlet speed or outlet area of the fan is 0 (no model chosen)
    NoTunnelArea,     ///< no cross-section at the tunnel start
    RiseNotPositive,  ///< one fan's rise is 0 or negative: the fan cannot drive the design air
    TotalNotComputed, ///< the required total rise is not finite
    CountTooLarge,    ///< more fans than a count can hold (above 32767)
};

/// One fan's inputs as the window shows them.
struct FanRiseInputs {
    double vj = 0;  ///< outlet speed [m/s]
    double Aj = 0;  ///< outlet area [m²]
    double Ar = 0;  ///< tunnel area at the start [m²]
    double vr = 0;  ///< design air speed [m/s]
    double eta = 0; ///< position factor [-]
};

struct FanCountResult {
    FanCountFault Fault = FanCountFault::None;
    vb::Integer Count = 0; ///< number of fans, never negative
    double TotalPower = 0; ///< Count × power of one fan [kW]
};

/// A quotient this close to a whole number counts as that number: the rises it is formed from carry
/// rounding far coarser than this, and a design that balances exactly needs no extra fan.
inline constexpr double kWholeCountTolerance = 1e-9;

/// The one rule of every window that counts jet fans: the least whole number n with n × dpj ≥ rise, for
/// rise > 0 and dpj > 0 (250 / 100 gives 3, 4.99 fans' worth gives 5, where 4 would leave the rise short);
/// a quotient within kWholeCountTolerance of a whole number counts as that number (0.3 / 0.1 gives 3).
/// nullopt when the quotient is not finite.
std::optional<double> LeastFansForRise(double rise, double dpj);

/// LeastFansForRise as a count (250 / 100 gives 3, 21.09 / 15.403 gives 2). nullopt when n does not fit a
/// count (above 32767) or the quotient is not finite.
std::optional<vb::Integer> FansToMeetRise(double totalRise, double dpj);

/// Number of fans for the required total rise and one fan's rise dpj: the fewest fans whose rises
/// together reach the total (FansToMeetRise). A total at or below 0 needs no fan (count 0, power 0). The
/// fault names the first reason no count can be given; the count and power are 0 then and are not to be
/// shown as a result.
FanCountResult FanCount(double totalRise, double dpj, double powerOfOneFan, const FanRiseInputs& fan);

} // namespace jetfan

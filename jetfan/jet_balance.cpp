// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/jet_balance.h"

#include <cmath>

namespace jetfan {

TrafficForceChoice TrafficForceFor(int listPosition) {
    switch (listPosition) {
    case 0:
    case 2:
        return {TrafficForceKind::OneWay, static_cast<vb::Integer>(listPosition + 1)};
    case 3:
        return {TrafficForceKind::Block1km, 4};
    default:
        return {TrafficForceKind::TwoWay, 0};
    }
}

double LocalLosses(double rho, const std::vector<LocalLossRow>& rows) {
    double sum = 0;
    for (const LocalLossRow& row : rows) {
        sum += 0.5 * rho * row.Zeta * (row.v * row.v);
    }
    return sum;
}

double RequiredTotalRise(double dpm, double dpr, double dpl, double dpt) {
    return dpm + dpr + dpl - dpt;
}

std::optional<double> LeastFansForRise(double rise, double dpj) {
    const double quotient = rise / dpj;
    if (!std::isfinite(quotient)) {
        return std::nullopt;
    }
    const double nearest = std::round(quotient);
    // Rounding to the nearest would leave the fans short of the rise by up to half a fan.
    return std::abs(quotient - nearest) <= kWholeCountTolerance ? nearest : std::ceil(quotient);
}

std::optional<vb::Integer> FansToMeetRise(double totalRise, double dpj) {
    const std::optional<double> fans = LeastFansForRise(totalRise, dpj);
    if (!fans) {
        return std::nullopt;
    }
    return vb::CInt(*fans);
}

FanCountResult FanCount(double totalRise, double dpj, double powerOfOneFan, const FanRiseInputs& fan) {
    FanCountResult r;
    if (!(fan.vj > 0) || !(fan.Aj > 0)) {
        r.Fault = FanCountFault::NoFanModel;
        return r;
    }
    if (!(fan.Ar > 0)) {
        r.Fault = FanCountFault::NoTunnelArea;
        return r;
    }
    if (!std::isfinite(dpj) || !(dpj > 0)) {
        r.Fault = FanCountFault::RiseNotPositive;
        return r;
    }
    if (!std::isfinite(totalRise)) {
        r.Fault = FanCountFault::TotalNotComputed;
        return r;
    }
    if (totalRise <= 0) {
        // The traffic force carries the design air by itself: no fan, rather than a negative count.
        return r;
    }
    const std::optional<vb::Integer> count = FansToMeetRise(totalRise, dpj);
    if (!count) {
        r.Fault = FanCountFault::CountTooLarge;
        return r;
    }
    r.Count = *count;
    r.TotalPower = *count * powerOfOneFan;
    return r;
}

} // namespace jetfan

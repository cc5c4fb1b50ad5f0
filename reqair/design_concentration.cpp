// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/design_concentration.h"

#include "app/coef_table.h"
#include "app/geometry.h"

#include <cmath>

namespace reqair {

namespace {

/// Short-tunnel δ and the length where it has fallen by 50 ppm to its floor.
struct DeltaLine {
    double ShortValue;
    double MaxLength;
};

constexpr double kShortTunnel = 1000.0;
constexpr double kDeltaDrop = 50.0;

const CaseConcentration* caseOf(const DesignConcentrationInput& in, int iCaseID) {
    if (iCaseID >= kCaseOneWay && iCaseID <= kCaseCongestion) {
        return &in.Cases[static_cast<std::size_t>(iCaseID - 1)];
    }
    return nullptr;
}

} // namespace

double ComputedDelta(int iCaseID, int coModelIndex, double tunnelLength) {
    if (iCaseID == kCaseCongestion) {
        return kCongestionDelta;
    }
    DeltaLine line{};
    switch (coModelIndex) {
    case kModeLongitudinal:
        line = {300.0, 3000.0};
        break;
    case kModeTransverse:
        line = {250.0, 3000.0};
        break;
    case kModePedestrian:
        line = {150.0, 2000.0};
        break;
    default:
        return 0.0;
    }
    const double L = tunnelLength;
    if (!(L > kShortTunnel)) {
        return line.ShortValue;
    }
    if (L >= line.MaxLength) {
        return line.ShortValue - kDeltaDrop;
    }
    const double span = line.MaxLength - kShortTunnel;
    return line.ShortValue - (L - kShortTunnel) * kDeltaDrop / span;
}

double GetDelta(const DesignConcentrationInput& in, int iCaseID) {
    const CaseConcentration* c = caseOf(in, iCaseID);
    if (c != nullptr && !c->DeltaComputed) {
        return c->DeltaTyped;
    }
    return ComputedDelta(iCaseID, in.COModelIndex, in.TunnelLength);
}

double ComputedKK(const CoefTable& tableK, int lightModelIndex, double dv) {
    const double speed = lightModelIndex == kLightFluorescent ? dv + kFluorescentSpeedShift : dv;
    return modPublic::Interpolate1D(tableK, speed);
}

double GetKK(const DesignConcentrationInput& in, const CoefTable& tableK, double dv, int iCaseID) {
    const CaseConcentration* c = caseOf(in, iCaseID);
    if (c != nullptr && !c->KKComputed) {
        // One-way traffic below 40 km/h is congested: the typed value is meant for free flow only.
        if (iCaseID != kCaseOneWay || dv >= kTypedKMinSpeed) {
            return c->KKTyped;
        }
    }
    return ComputedKK(tableK, in.LightModelIndex, dv);
}

double GetTunnelLength(double startPile, std::span<const double> slopePiles) {
    if (slopePiles.empty()) {
        return 0.0;
    }
    // A station out of range is a typo, and far out of range the stations' sums are no longer numbers:
    // no length is taken from one.
    if (app::station_range_problem(startPile) || app::station_range_problem(slopePiles.back())) {
        return 0.0;
    }
    const double length = std::fabs(slopePiles.back() - startPile);
    return std::isfinite(length) ? length : 0.0;
}

double GetUpRatio() {
    return kUpRatio;
}

} // namespace reqair

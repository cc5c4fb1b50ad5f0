// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/jet_helpers.h"

namespace jetfan {

double JetOutletArea(double dj) {
    return 0.25 * kJetPi * (dj * dj);
}

double JetWallFactor(double dZ, double dD) {
    if (dD == 0) {
        return 0.91;
    }
    const double r = dZ / dD;
    if (r > 1.5) {
        return 0.91;
    }
    if (r > 1) {
        return (r - 1.5) * 0.08 + 0.91;
    }
    if (r > 0.7) {
        return (r - 1) * 0.02 / 0.3 + 0.87;
    }
    return 0.85;
}

double JetPressureRise(double vj, double rho, double aj, double ar, double vr, double eta) {
    return vj * vj * rho * aj / ar * (1 - vr / vj) * eta;
}

double JetPressureRise(const JetFanAtStation& fan) {
    const double aj = JetOutletArea(fan.DD);
    const double vj = fan.Flow / aj;
    const double eta = JetWallFactor(fan.Z, fan.DD);
    double rise = JetPressureRise(vj, fan.rho, aj, fan.Ar, fan.vr, eta);
    if (fan.Reversed) {
        rise = rise * fan.Discount;
    }
    return rise;
}

double StationVelocity(double dPile, double dQ, const std::function<double()>& designFlow,
                       const std::function<double(double)>& areaAt) {
    const double q = dQ == kDesignDemandMarker ? (designFlow ? designFlow() : 0.0) : dQ;
    const double area = areaAt ? areaAt(dPile) : 0.0;
    return q / area;
}

} // namespace jetfan

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/traffic_force.h"

#include <cmath>

namespace ventparam {

namespace {

constexpr std::array<int, 4> kLargeClasses = {3, 5, 6, 7};

bool isLarge(std::size_t index) {
    for (int c : kLargeClasses) {
        if (static_cast<std::size_t>(c - 1) == index) {
            return true;
        }
    }
    return false;
}

/// + k·n·(vt − vr)² when the vehicles outrun the air, − otherwise.
double drivingTerm(double k, double n, double vt, double vr) {
    const double d = vt - vr;
    return vt >= vr ? k * n * (d * d) : -(k * n * (d * d));
}

/// A result that cannot be formed (an overflow) adds nothing.
double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

} // namespace

double Getr_1(const ClassShares& shares, const AllowedClasses& allowed, int iCaseID,
              bool allowedClassesMethod) {
    if (iCaseID == 2 && allowedClassesMethod) {
        double large = 0.0;
        double all = 0.0;
        for (std::size_t i = 0; i < shares.size(); ++i) {
            if (!allowed[i]) {
                continue;
            }
            all += shares[i];
            if (isLarge(i)) {
                large += shares[i];
            }
        }
        if (all == 0) {
            return 0.0;
        }
        return finiteOrZero(large / all);
    }
    double large = 0.0;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        if (isLarge(i)) {
            large += shares[i];
        }
    }
    return large;
}

double TwoWayTraffic(const TwoWayVolume& in) {
    if (in.ControlTraffic) {
        return finiteOrZero(in.BiDirection * in.NN);
    }
    if (!(in.MainDirectionRatio > 0) || !std::isfinite(in.MainDirectionRatio)) {
        return 0.0;
    }
    double n = 0.0;
    for (std::size_t i = 0; i < in.Vehicles.size(); ++i) {
        if (in.Allowed[i] && in.Vehicles[i]) {
            n += *in.Vehicles[i];
        }
    }
    return finiteOrZero(n / in.MainDirectionRatio);
}

double GetYANCHENGDeltap_t1(std::span<const reqair::CalSegment> segments, const OneWayPiston& in) {
    double sum = 0.0;
    for (const reqair::CalSegment& seg : segments) {
        double vt = 0.0;
        switch (in.iCaseID) {
        case 1:
            vt = in.WorkSpeed / 3.6;
            break;
        case 3:
            vt = seg.Speed / 3.6;
            break;
        case 4:
            vt = kCongestionWindowSpeed / 3.6;
            break;
        default:
            break;
        }
        if (in.bIsReverse) {
            vt = -vt;
        }
        // No moving vehicles, or no section to move the air in: the segment drives nothing.
        if (vt == 0 || seg.Area == 0) {
            continue;
        }
        const double n = std::fabs((seg.EndPile - seg.StartPile) * in.N / 3600.0 / vt);
        const double k = in.AA_m * in.rho * 0.5 / seg.Area;
        sum += finiteOrZero(drivingTerm(k, n, vt, seg.Velocity));
    }
    return sum;
}

double GetYANCHENGDeltap_t2(std::span<const reqair::CalSegment> segments, const TwoWayPiston& in) {
    double sum = 0.0;
    for (const reqair::CalSegment& seg : segments) {
        const double vt = seg.Speed / 3.6;
        const double vt2 = vt;
        if (vt == 0 || seg.Area == 0) {
            continue;
        }
        const double length = seg.EndPile - seg.StartPile;
        const double nUp = std::fabs(length * in.NUp / 3600.0 / vt);
        const double nDown = std::fabs(length * in.NDown / 3600.0 / vt);
        const double k = in.AA_m * in.rho * 0.5 / seg.Area;
        const double vr = seg.Velocity;
        if (in.bIsVrUpDirection) {
            sum += finiteOrZero(drivingTerm(k, nUp, vt, vr));
            sum -= finiteOrZero(k * nDown * ((vt2 + vr) * (vt2 + vr)));
        } else {
            sum += finiteOrZero(drivingTerm(k, nDown, vt2, vr));
            sum -= finiteOrZero(k * nUp * ((vt + vr) * (vt + vr)));
        }
    }
    return sum;
}

} // namespace ventparam

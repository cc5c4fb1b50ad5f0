// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/fire_demand.h"

#include "app/finite.h"

#include <cmath>

namespace reqair {

namespace {

using app::finite;

// Q* of Oka-Atkinson and Wu-Bakar; nullopt where the old runtime stopped the statement (a zero divisor,
// a fractional power of a negative height).
std::optional<double> dimensionless_heat_release(const CriticalVelocityInput& in) {
    const double q = 1e6 * in.HRR;
    const double divisor = in.rho * kCriticalAirCp * in.T * std::pow(kFireGravity, 0.5) * std::pow(in.H, 2.5);
    if (divisor == 0 || !std::isfinite(divisor)) {
        return std::nullopt;
    }
    return finite(q / divisor);
}

std::optional<double> velocity_from_qstar(const CriticalVelocityInput& in, double limit, double vStarMax) {
    const std::optional<double> qStar = dimensionless_heat_release(in);
    if (!qStar) {
        return std::nullopt;
    }
    const double vStar = *qStar < limit ? vStarMax * std::pow(*qStar / limit, kCubeRootExponent) : vStarMax;
    if (!std::isfinite(vStar) || kFireGravity * in.H < 0) {
        return std::nullopt;
    }
    return finite(vStar * std::sqrt(kFireGravity * in.H));
}

} // namespace

double tunnel_volume(double startPile, const std::vector<SectionVolumeRow>& rows) {
    double x = startPile;
    double volume = 0;
    for (const SectionVolumeRow& row : rows) {
        volume += (row.Pile - x) * row.Area;
        x = row.Pile;
    }
    return volume;
}

double air_change_demand(double volume, double changesPerHour) {
    return volume * changesPerHour / 3600;
}

double grade_factor(const std::vector<double>& slopes) {
    double imax = 0;
    for (double slope : slopes) {
        if (std::fabs(slope) > imax) {
            imax = std::fabs(slope);
        }
    }
    return 1 + 0.0374 * std::pow(imax, 0.8);
}

std::optional<double> kennedy_critical_velocity(const CriticalVelocityInput& in) {
    if (in.rho == 0 || in.A == 0) {
        return std::nullopt;
    }
    const double q = 1e6 * in.HRR;
    const double b = q / in.rho / kCriticalAirCp / in.A;
    const double c = std::pow(in.Kg, 3) * std::pow(kCriticalFroude, 3) * kFireGravity * in.H * b;
    if (!std::isfinite(b) || !std::isfinite(c)) {
        return std::nullopt;
    }
    const auto f = [&](double v) { return v * v * v * in.T + v * v * b - c; };

    double lo = 0;
    double hi = kKennedyUpperVelocity;
    double v = kKennedyUpperVelocity / 2;
    // A bracket without a sign change (a non-positive ambient temperature, say) never meets the
    // tolerance; the halvings are bounded so that the window cannot hang on it.
    for (int halving = 0; halving < kKennedyMaxHalvings; ++halving) {
        const double fv = f(v);
        if (std::fabs(fv) <= kKennedyTolerance) {
            break;
        }
        if (f(lo) * fv <= 0) {
            hi = v;
        } else {
            lo = v;
        }
        v = (lo + hi) * 0.5;
    }
    return finite(v);
}

std::optional<double> oka_atkinson_critical_velocity(const CriticalVelocityInput& in) {
    return velocity_from_qstar(in, kOkaAtkinsonQStarLimit, kOkaAtkinsonVStarMax);
}

std::optional<double> wu_bakar_critical_velocity(const CriticalVelocityInput& in) {
    return velocity_from_qstar(in, kWuBakarQStarLimit, kWuBakarVStarMax);
}

std::optional<double> critical_velocity(int method, const CriticalVelocityInput& in) {
    switch (method) {
    case 0:
        return kennedy_critical_velocity(in);
    case 1:
        return oka_atkinson_critical_velocity(in);
    case 2:
        return wu_bakar_critical_velocity(in);
    default:
        return 0.0;
    }
}

std::optional<double> heat_release_per_area(double hrr, double fireSize) {
    if (fireSize == 0) {
        return std::nullopt;
    }
    return finite(hrr / fireSize);
}

double plume_height(double ceilingHeight, double smokeLayer) {
    return (ceilingHeight - smokeLayer) * 0.5;
}

std::optional<double> smoke_production(double y, double perimeter) {
    if (2 * y < 0) {
        return std::nullopt;
    }
    return finite(std::sqrt(kFireGravity) * (std::pow(2 * y, 1.5) * (0.05 * perimeter) * 1.2));
}

std::optional<double> convective_heat_release(double radiatedPercent, double hrr) {
    return finite((1 - radiatedPercent * 0.01) * hrr);
}

std::optional<double> smoke_temperature_rise(double convectiveHeat, double smokeProduction) {
    if (smokeProduction == 0) {
        return std::nullopt;
    }
    return finite(1e6 * convectiveHeat / smokeProduction / (1e3 * kPlumeAirCp));
}

std::optional<double> smoke_temperature(double rise, double ambient) {
    return finite(rise + ambient);
}

std::optional<double> smoke_air_density(double rho, double smokeTemperature) {
    if (smokeTemperature == 0) {
        return std::nullopt;
    }
    return finite(rho * 273 / smokeTemperature);
}

std::optional<double> smoke_flow(double smokeProduction, double smokeDensity) {
    if (smokeDensity == 0) {
        return std::nullopt;
    }
    return finite(smokeProduction / smokeDensity);
}

} // namespace reqair

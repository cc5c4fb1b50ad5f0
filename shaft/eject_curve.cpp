// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/eject_curve.h"

#include "jetfan/jet_helpers.h"

#include <algorithm>
#include <array>

namespace shaft {

namespace {

/// Runs a lookup; one that fails gives `fallback`, as a skipped statement leaves a fresh element at 0.
template <class F> double value(F&& f, double fallback = 0) noexcept {
    try {
        return f();
    } catch (...) {
        return fallback;
    }
}

} // namespace

EjectCurves BuildEjectCurves(const EjectCurveInputs& in) {
    const double rho = in.rho;
    const double dir = in.Dir < 0 ? -1 : 1;
    const double zoneStart = in.Shaft - kShaftZoneHalf * dir;
    const double zoneEnd = in.Shaft + kShaftZoneHalf * dir;
    auto flow = [&](double x) { return value([&] { return in.FlowAt ? in.FlowAt(x) : 0; }); };
    auto speed = [&](double x) { return value([&] { return flow(x) / in.AreaAt(x); }); };
    auto friction = [&](double a, double b, double q) {
        return value([&] { return in.Friction ? in.Friction(a, b, q) : 0; });
    };

    // Pressure steps: the shaft zone first, then the local losses, sorted in the direction of travel.
    std::vector<std::array<double, 2>> steps;
    if (in.Merge) {
        steps.push_back({zoneStart, -in.zeta_13 * rho / 2 * (in.v3 * in.v3)});
        steps.push_back({zoneEnd, in.zeta_23 * rho / 2 * (in.v3 * in.v3)});
    } else {
        steps.push_back({zoneStart, -in.zeta_12 * rho / 2 * (in.v1 * in.v1)});
        steps.push_back({zoneEnd, in.deltap_t2});
    }
    for (const auto& [station, zeta] : in.LocalLosses) {
        const double v = speed(station);
        steps.push_back({station, -zeta * rho / 2 * (v * v)});
    }
    jetfan::SortByFirstColumn(steps, in.Dir < 0 ? -1 : 1);

    const double vIn = speed(in.Entrance + jetfan::kSpeedLookupOffset * dir);
    const double pIn = in.deltap_g1 + in.deltap_t1 - kCurvePortalLoss * rho / 2 * (vIn * vIn);

    EjectCurves c;
    c.Press.push_back({in.Entrance, pIn, 0});
    double p = pIn;
    double prev = in.Entrance;
    for (const auto& [x, step] : steps) {
        const double m = (prev + x) / 2;
        const double dpr = friction(x, prev, flow(m));
        double sigma = 1;
        if (in.Merge && (m - in.Shaft) * dir >= 0) {
            sigma = -1;
        }
        const double before = p - sigma * dpr;
        const double after = before + step;
        c.Press.push_back({x, before, 0});
        c.Press.push_back({x, after, 0});
        p = after;
        prev = x;
    }
    double pOut = 0;
    if (in.Merge) {
        const double vOut = speed(in.Exit - jetfan::kSpeedLookupOffset * dir);
        pOut = in.deltap_g2 + in.deltap_t2 - kCurvePortalLoss * rho / 2 * (vOut * vOut);
    } else {
        pOut = p - friction(in.Exit, prev, flow((prev + in.Exit) / 2));
    }
    c.Press.push_back({in.Exit, pOut, 0});
    if (in.Dir < 0) {
        std::reverse(c.Press.begin(), c.Press.end());
    }

    // Air speed: a step at every cross-section change and across the shaft zone, none at the shaft.
    std::vector<std::array<double, 2>> stations;
    stations.push_back({in.StartPile, 0});
    for (double s : in.SectionStations) {
        stations.push_back({s, 0});
    }
    stations.push_back({zoneEnd, 0});
    stations.push_back({zoneStart, 0});
    jetfan::SortByFirstColumn(stations, 1);
    const std::size_t k = stations.size();
    c.V.push_back({stations.front()[0], speed(stations.front()[0] + kSpeedOffset), 0});
    for (std::size_t i = 1; i + 1 < k; ++i) {
        const double x = stations[i][0];
        c.V.push_back({x, speed(x - kSpeedOffset), 0});
        c.V.push_back({x, speed(x + kSpeedOffset), 0});
    }
    c.V.push_back({stations.back()[0], speed(stations.back()[0] - kSpeedOffset), 0});

    // Concentration relative to the design concentration.
    const double atShaft = in.Merge ? 1 : in.Qreq1 / in.Qr1;
    const double atExit = in.Merge ? 0 : 1;
    c.C = {{in.Entrance, 0, 0}, {in.Shaft, atShaft, 0}, {in.Exit, atExit, 0}};
    if (in.Dir < 0) {
        std::reverse(c.C.begin(), c.C.end());
    }
    return c;
}

} // namespace shaft

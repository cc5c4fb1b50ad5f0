// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/jet_curve.h"

#include "jetfan/jet_helpers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace jetfan {

PressureWalk WalkPressure(double p0, double entrance, double exit, const std::vector<PressureStep>& steps,
                          const StretchFriction& friction, double lambda, double rho, double q,
                          double qNatural) {
    PressureWalk walk;
    walk.Steps.reserve(steps.size());
    double p = p0;
    double prev = entrance;
    for (const PressureStep& step : steps) {
        const double dpr = friction(step.Station, prev, lambda, rho, q);
        const double dpm = friction(step.Station, prev, lambda, rho, qNatural);
        StepPressures at;
        at.Before = p - dpr - dpm;
        at.After = at.Before + step.Jump;
        walk.Steps.push_back(at);
        p = at.After;
        prev = step.Station;
    }
    const double dpr = friction(exit, prev, lambda, rho, q);
    const double dpm = friction(exit, prev, lambda, rho, qNatural);
    walk.Exit = p - dpr - dpm;
    return walk;
}

void AddStepPoints(CurvePointArray& points, double station, double before, double after) {
    points.push_back({station, before, 0});
    points.push_back({station, after, 0});
}

void ReversePoints(CurvePointArray& points) {
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n / 2; ++i) {
        CurvePoint& a = points[i];
        CurvePoint& b = points[n - 1 - i];
        std::swap(a.station, b.station);
        std::swap(a.value, b.value);
    }
}

CurvePointArray PressurePoints(double entrance, double p0, const std::vector<PressureStep>& steps,
                               const PressureWalk& walk, double exit, bool leftLine) {
    CurvePointArray points;
    points.reserve(2 * steps.size() + 2);
    points.push_back({entrance, p0, 0});
    for (std::size_t k = 0; k < steps.size() && k < walk.Steps.size(); ++k) {
        AddStepPoints(points, steps[k].Station, walk.Steps[k].Before, walk.Steps[k].After);
    }
    points.push_back({exit, walk.Exit, 0});
    if (leftLine) {
        ReversePoints(points);
    }
    return points;
}

CurvePointArray VelocityStepPoints(std::vector<double> stations,
                                   const std::function<double(double)>& speedAt) {
    CurvePointArray points;
    const std::size_t m = stations.size();
    if (m < 2) {
        return points;
    }
    std::vector<std::array<double, 1>> rows;
    rows.reserve(m);
    for (double s : stations) {
        rows.push_back({s});
    }
    SortByFirstColumn(rows, 1);
    points.reserve(2 * m - 2);
    points.push_back({rows[0][0], speedAt(rows[0][0] + kVelocityInset), 0});
    for (std::size_t i = 1; i + 1 < m; ++i) {
        const double x = rows[i][0];
        AddStepPoints(points, x, speedAt(x - kVelocityInset), speedAt(x + kVelocityInset));
    }
    points.push_back({rows[m - 1][0], speedAt(rows[m - 1][0] - kVelocityInset), 0});
    return points;
}

bool JetCurves::Finite() const {
    for (const CurvePointArray* curve : {&Pressure, &Velocity, &Concentration}) {
        for (const CurvePoint& p : *curve) {
            if (!std::isfinite(p.station) || !std::isfinite(p.value)) {
                return false;
            }
        }
    }
    return true;
}

JetCurveCheck CheckJetGroups(const std::vector<double>& groupStations, double startPile, double endPile) {
    if (groupStations.empty()) {
        return JetCurveCheck::NoGroups;
    }
    for (double s : groupStations) {
        if ((s - startPile) * (s - endPile) > 0) {
            return JetCurveCheck::GroupOutsideTunnel;
        }
    }
    return JetCurveCheck::Ok;
}

double JetEntrancePressure(double trafficForce, double naturalWind, double entranceSpeed, double zetaE,
                           double rho) {
    return trafficForce -
           (naturalWind * naturalWind + entranceSpeed * entranceSpeed) * (1 + zetaE) * 0.5 * rho;
}

JetCurves BuildJetCurves(const JetCurveInputs& in, const JetCurveLookups& look) {
    JetCurves out;
    // The speed lookups name the first station without a cross-section.
    auto speed = [&](double station) {
        const double v = look.Velocity(station);
        if (!std::isfinite(v) && !out.NoSectionAt) {
            out.NoSectionAt = station;
        }
        return v;
    };

    const double entrance = in.RightLine ? in.StartPile : in.EndPile;
    const double exit = in.RightLine ? in.EndPile : in.StartPile;
    const double ve = speed(entrance);
    const double p0 = JetEntrancePressure(in.TrafficForce, in.NaturalWind, ve, in.ZetaE, in.Rho);

    // Groups first, then local losses, sorted into the direction of travel: two steps on one station keep
    // the order the exchange sort leaves them in.
    std::vector<std::array<double, 2>> events;
    events.reserve(in.Groups.size() + in.LocalLosses.size());
    for (const PressureStep& g : in.Groups) {
        events.push_back({g.Station, g.Jump});
    }
    for (const LocalLossAt& loss : in.LocalLosses) {
        const double v = speed(loss.Station);
        events.push_back({loss.Station, loss.Zeta * -0.5 * in.Rho * (v * v)});
    }
    SortByFirstColumn(events, in.PileDirection);
    std::vector<PressureStep> steps;
    steps.reserve(events.size());
    for (const auto& e : events) {
        steps.push_back({e[0], e[1]});
    }

    // The natural wind's flow is taken over the entrance area on every stretch.
    const double qNatural = look.Area(entrance) * in.NaturalWind;
    const PressureWalk walk =
        WalkPressure(p0, entrance, exit, steps, look.Friction, in.Lambda, in.Rho, in.DesignFlow, qNatural);
    out.Pressure = PressurePoints(entrance, p0, steps, walk, exit, !in.RightLine);

    out.Velocity = VelocityStepPoints(in.SpeedStations, look.Velocity);
    for (const CurvePoint& p : out.Velocity) {
        if (!std::isfinite(p.value) && !out.NoSectionAt) {
            out.NoSectionAt = p.station;
        }
    }

    if (in.PileDirection == 1) {
        out.Concentration = {{in.StartPile, 0, 0}, {in.EndPile, 1, 0}};
    } else {
        out.Concentration = {{in.StartPile, 1, 0}, {in.EndPile, 0, 0}};
    }
    return out;
}

} // namespace jetfan

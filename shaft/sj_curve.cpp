// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/sj_curve.h"

#include "jetfan/jet_helpers.h"
#include "shaft/shaft_and_jet.h"

#include <algorithm>
#include <cmath>

namespace shaft {

bool CurvesFinite(const jetfan::CurvePointArray& press, const jetfan::CurvePointArray& v,
                  const jetfan::CurvePointArray& c) {
    for (const jetfan::CurvePointArray* curve : {&press, &v, &c}) {
        for (const jetfan::CurvePoint& p : *curve) {
            if (!std::isfinite(p.station) || !std::isfinite(p.value)) {
                return false;
            }
        }
    }
    return true;
}

bool SjCurves::Finite() const {
    return CurvesFinite(Pressure, Velocity, Concentration);
}

std::vector<std::array<double, 2>> SjUnsortedSteps(const std::vector<jetfan::PressureStep>& groups,
                                                   std::array<double, 2> exhaust,
                                                   std::array<double, 2> supply, int dir,
                                                   const std::vector<std::array<double, 2>>& losses) {
    // Where an opening goes among the groups: before the first group it does not lie beyond.
    const auto placeOf = [&](double station) {
        for (std::size_t k = 0; k < groups.size(); ++k) {
            if ((groups[k].Station - station) * dir >= 0) {
                return k;
            }
        }
        return groups.size();
    };
    const std::size_t atExhaust = placeOf(exhaust[0]);
    const std::size_t atSupply = std::max(placeOf(supply[0]), atExhaust);
    std::vector<std::array<double, 2>> rows;
    rows.reserve(groups.size() + 2 + losses.size());
    for (std::size_t k = 0; k <= groups.size(); ++k) {
        if (k == atExhaust) {
            rows.push_back(exhaust);
        }
        if (k == atSupply) {
            rows.push_back(supply);
        }
        if (k < groups.size()) {
            rows.push_back({groups[k].Station, groups[k].Jump});
        }
    }
    rows.insert(rows.end(), losses.begin(), losses.end());
    return rows;
}

SjCurves BuildSjCurves(const SjCurveInputs& in, const SjCurveLookups& look) {
    SjCurves out;
    const int d = in.RightLine ? 1 : -1;
    const double s0 = in.TunnelStart;
    out.Entrance = in.RightLine ? s0 : s0 + in.TunnelLength;
    out.Exit = in.RightLine ? s0 + in.TunnelLength : s0;
    const ShaftOpenings openings = OpeningsOf(in.ShaftPile, in.ds, d);
    out.Exhaust = openings.Exhaust;
    out.Supply = openings.Supply;
    // An opening without flow has no branch or merge loss.
    out.Zeta_fencha = in.Qe == 0 ? 0 : in.Zeta_fencha;
    out.Zeta_heliu = in.Qb == 0 ? 0 : in.Zeta_heliu;

    const double rho = in.rho;
    out.v_r1 = in.Qr1 / look.Area(out.Exhaust);
    out.v_r2 = in.Qr2 / look.Area(out.Supply);
    const double vin = in.Qr1 / look.Area(out.Entrance + d * jetfan::kSpeedLookupOffset);

    // The outlet section's traffic force enters at its upstream end, the supply opening.
    const std::array<double, 2> exhaust{out.Exhaust,
                                        in.deltap_e - out.Zeta_fencha * 0.5 * rho * (out.v_r1 * out.v_r1)};
    const std::array<double, 2> supply{
        out.Supply, in.deltap_b - out.Zeta_heliu * 0.5 * rho * (out.v_r2 * out.v_r2) + in.deltap_t2};
    std::vector<std::array<double, 2>> losses;
    losses.reserve(in.LocalLosses.size());
    for (const jetfan::LocalLossAt& loss : in.LocalLosses) {
        const double v = look.VelocityAt(loss.Station);
        losses.push_back({loss.Station, -0.5 * loss.Zeta * rho * (v * v)});
    }
    out.StepPoints = SjUnsortedSteps(in.Groups, exhaust, supply, d, losses);
    jetfan::SortByFirstColumn(out.StepPoints, in.PileDirection);

    // The inlet section's traffic force enters at the entrance together with the entrance loss.
    const double p0 = in.deltap_t1 - in.zeta_e * 0.5 * rho * (vin * vin);
    // The pressure at the end of a stretch: the friction of the flow at its midpoint and that of the natural
    // wind are taken off one after the other, as an engineer checks the walk by hand.
    const auto afterStretch = [&](double p, double to, double from) {
        const double m = (from + to) / 2;
        const double q = look.FlowAt(m);
        const double dpf = look.Friction(to, from, in.lambda, rho, q);
        const double qn = in.v_n * look.Area(m);
        const double dpn = look.Friction(to, from, in.lambda, rho, qn);
        return p - dpf - dpn;
    };
    jetfan::PressureWalk walk;
    std::vector<jetfan::PressureStep> steps;
    double p = p0;
    double x = out.Entrance;
    for (const auto& [station, change] : out.StepPoints) {
        jetfan::StepPressures at;
        at.Before = afterStretch(p, station, x);
        at.After = at.Before + change;
        walk.Steps.push_back(at);
        out.WorkPoints.push_back({at.Before, at.After});
        steps.push_back({station, change});
        p = at.After;
        x = station;
    }
    walk.Exit = afterStretch(p, out.Exit, x);
    out.Pressure = jetfan::PressurePoints(out.Entrance, p0, steps, walk, out.Exit, !in.RightLine);

    // The air speed on either side of every cross-section change and of both openings.
    std::vector<std::array<double, 1>> stations;
    stations.push_back({s0});
    for (double s : in.SectionStations) {
        stations.push_back({s});
    }
    stations.push_back({out.Supply});
    stations.push_back({out.Exhaust});
    jetfan::SortByFirstColumn(stations, 1);
    for (const auto& row : stations) {
        out.SpeedStations.push_back(row[0]);
    }
    out.Velocity = jetfan::VelocityStepPoints(out.SpeedStations,
                                              [&](double s) { return look.FlowAt(s) / look.Area(s); });

    out.Concentration = {{out.Entrance, 0, 0},      {out.Exhaust, in.CC_2, 0}, {out.Exhaust, in.CC_2, 0},
                         {out.Supply, in.CC_2s, 0}, {out.Supply, in.CC_2b, 0}, {out.Exit, in.CC_3, 0}};
    if (!in.RightLine) {
        jetfan::ReversePoints(out.Concentration);
    }
    return out;
}

double SjLossFlow(double s, double shaftPile, double ds, bool leftLine, double qr1, double qr2, double qe) {
    const double a = shaftPile - ds / 2;
    const double b = shaftPile + ds / 2;
    if (!leftLine) {
        if (s <= a) {
            return qr1;
        }
        return s >= b ? qr2 : qr1 - qe;
    }
    if (s >= b) {
        return qr1;
    }
    return s <= a ? qr2 : qr1 - qe;
}

} // namespace shaft

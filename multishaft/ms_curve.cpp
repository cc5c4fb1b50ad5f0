// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/ms_curve.h"

#include "jetfan/jet_helpers.h"
#include "shaft/sj_curve.h"

#include <cmath>
#include <cstddef>

namespace multishaft {

double FlowAtPile(const std::vector<CurveSection>& sections, double station) {
    double q = 0;
    // No early exit: at a border the later row, the one with the higher stations, gives the flow.
    for (const CurveSection& row : sections) {
        if ((row.Start - station) * (row.End - station) <= 0) {
            q = row.Qr;
        }
    }
    return q;
}

bool MsCurves::Finite() const {
    return shaft::CurvesFinite(Pressure, Velocity, Concentration);
}

namespace {

/// Traffic force of section row r (1-based); a row the list does not hold counts 0.
double trafficForceOf(const std::vector<CurveSection>& sections, long long r) {
    if (r < 1 || r > static_cast<long long>(sections.size())) {
        return 0;
    }
    return sections[static_cast<std::size_t>(r - 1)].TrafficForce;
}

} // namespace

MsCurves BuildMsCurves(const MsCurveInputs& in, const MsCurveLookups& look) {
    MsCurves out;
    const double dir = in.RightLine ? 1 : -1;
    if (in.RightLine) {
        out.Entrance = in.TunnelStart;
        out.Exit = in.TunnelStart + in.TunnelLength;
    } else {
        out.Exit = in.TunnelStart;
        out.Entrance = in.TunnelStart + in.TunnelLength;
    }
    const auto speedAt = [&](double x) { return FlowAtPile(in.Sections, x) / look.Area(x); };
    const double halfRho = in.Rho / 2;

    // The whole traffic force of the first section counts at the entrance.
    const long long rows = static_cast<long long>(in.Sections.size());
    const double firstTraffic = trafficForceOf(in.Sections, in.RightLine ? 1 : rows);
    const double vIn = speedAt(out.Entrance + dir * jetfan::kSpeedLookupOffset);
    out.P0 = firstTraffic - (1 + in.ZetaE) * halfRho * (vIn * vIn) -
             (1 + in.ZetaE) * halfRho * (in.NaturalWind * in.NaturalWind);

    for (const jetfan::PressureStep& group : in.Groups) {
        out.Events.push_back({group.Station, group.Jump});
    }
    for (std::size_t k = 0; k < in.Shafts.size(); ++k) {
        const CurveShaft& shaft = in.Shafts[k];
        const long long i = static_cast<long long>(k) + 1;
        const double a = shaft.Station - dir * shaft.ds / 2;
        const double b = shaft.Station + dir * shaft.ds / 2;
        out.ZetaBranch = shaft.Qe == 0 ? 0 : shaft.ZetaBranch;
        out.ZetaMerge = shaft.Qb == 0 ? 0 : shaft.ZetaMerge;
        const double va = speedAt(a - dir * jetfan::kSpeedLookupOffset);
        // The merge loss takes the speed in the short passage, just past the exhaust opening.
        const double vs = speedAt(a + dir * jetfan::kSpeedLookupOffset);
        const double nextTraffic = trafficForceOf(in.Sections, in.RightLine ? 2 * i + 1 : 2 * i - 1);
        out.Events.push_back({a, shaft.DeltaPe - out.ZetaBranch * halfRho * (va * va)});
        out.Events.push_back({b, shaft.DeltaPb - out.ZetaMerge * halfRho * (vs * vs) + nextTraffic});
    }
    for (const jetfan::LocalLossAt& loss : in.LocalLosses) {
        const double v = look.LossVelocity(loss.Station, FlowAtPile(in.Sections, loss.Station));
        out.Events.push_back({loss.Station, -loss.Zeta * halfRho * (v * v)});
    }
    jetfan::SortByFirstColumn(out.Events, in.RightLine ? 1 : -1);

    // The natural wind's flow is that of the entrance cross-section throughout.
    const double qNatural = look.Area(out.Entrance + dir * jetfan::kSpeedLookupOffset) * in.NaturalWind;
    double p = out.P0;
    double prev = out.Entrance;
    std::vector<jetfan::PressureStep> steps;
    jetfan::PressureWalk walk;
    for (const auto& [station, change] : out.Events) {
        const double q = FlowAtPile(in.Sections, (prev + station) / 2);
        // The design flow's friction and the natural wind's are taken off one after the other.
        const double before = p - look.Friction(station, prev, in.Lambda, in.Rho, q) -
                              look.Friction(station, prev, in.Lambda, in.Rho, qNatural);
        const double after = before + change;
        out.WorkPoints.push_back({before, after});
        steps.push_back({station, change});
        walk.Steps.push_back({before, after});
        p = after;
        prev = station;
    }
    const double qLast = FlowAtPile(in.Sections, (prev + out.Exit) / 2);
    walk.Exit = p - look.Friction(out.Exit, prev, in.Lambda, in.Rho, qLast) -
                look.Friction(out.Exit, prev, in.Lambda, in.Rho, qNatural);
    out.Pressure = jetfan::PressurePoints(out.Entrance, out.P0, steps, walk, out.Exit, !in.RightLine);

    std::vector<double> breakpoints{in.TunnelStart};
    breakpoints.insert(breakpoints.end(), in.CrossSectionStations.begin(), in.CrossSectionStations.end());
    for (const CurveShaft& shaft : in.Shafts) {
        breakpoints.push_back(shaft.Station + shaft.ds / 2);
        breakpoints.push_back(shaft.Station - shaft.ds / 2);
    }
    out.Velocity = jetfan::VelocityStepPoints(breakpoints, speedAt);

    for (const CurveSection& row : in.Sections) {
        out.Concentration.push_back({row.Start, row.C1, 0});
        out.Concentration.push_back({row.End, row.C2, 0});
    }
    return out;
}

} // namespace multishaft

// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/segment_demand.h"

#include "app/coef_table.h"

#include <cmath>

namespace reqair {

namespace {

/// The fresh air must leave at least this share of the design concentration for the traffic; below it
/// the demand is rounding noise on a division by (almost) zero.
constexpr double kMinDilutionMargin = 1e-9;

/// An emission too large to represent shows 0 and flags its gas, so that it never passes as a genuine 0.
double finiteOrFlagged(double value, bool& failed) {
    if (std::isfinite(value)) {
        return value;
    }
    failed = true;
    return 0.0;
}

/// Emission of one stream of traffic over a segment: CO [m³/s] or smoke [m²/s]. The factors stand in the
/// order of the hand formula so that results agree to the last digit.
double emission(double fa, double q, double fd, double fh, double fiv, double L, double n) {
    return fa * q * fd * fh * fiv * L * n / 3.6 / 1000000;
}

/// Required air from the two emissions. A gas whose design concentration, pressure or temperature
/// makes the dilution meaningless contributes nothing and is flagged, so that a caller adding up the
/// segments never counts a stale or infinite value.
void finish(const SegmentDemandInput& in, SegmentDemand& out) {
    const double D = in.Site.p * in.dDelta * in.Site.T0;
    const double freshShare = (in.Site.p0 * in.dCOAir * in.Site.TT) / D;
    const double reqCO = (in.Site.p0 * out.QQ_CO * in.Site.TT * 1000000) / D / (1 - freshShare);
    // Fresh air at or above the design concentration cannot dilute anything: the demand is not finite
    // or turns negative.
    // A design temperature (or standard pressure) at or below zero would give no demand or a negative one
    // that lowers the tunnel's total.
    if (!(in.dDelta > 0) || !(in.Site.p > 0) || !(in.Site.T0 > 0) || !(in.Site.TT > 0) || !(in.Site.p0 > 0) ||
        !(1 - freshShare > kMinDilutionMargin) || !std::isfinite(reqCO)) {
        out.QQ_req_CO = 0;
        out.COFailed = true;
    } else {
        out.QQ_req_CO = reqCO;
    }
    const double reqVI = out.QQ_VI / in.dK;
    if (!(in.dK > 0) || !std::isfinite(reqVI)) {
        out.QQ_req_VI = 0;
        out.VIFailed = true;
    } else {
        out.QQ_req_VI = reqVI;
    }
    out.Qreq = out.QQ_req_VI > out.QQ_req_CO ? out.QQ_req_VI : out.QQ_req_CO;
}

/// What both traffic directions share on a segment: length [m], speed [km/h], slope [%] and the
/// density factor at that speed, which the segment's result also shows.
struct SegmentConditions {
    double L, v, i, fd;
};

SegmentConditions conditions(const SegmentDemandInput& in, const EmissionTables& tables, SegmentDemand& out) {
    const double v = in.Segment.Speed;
    out.fd = modPublic::Interpolate1D(tables.f_d, v);
    return {std::fabs(in.Segment.EndPile - in.Segment.StartPile), v, in.Segment.Slope, out.fd};
}

} // namespace

SegmentDemand GetSegmentQreq(const SegmentDemandInput& in, const EmissionTables& tables) {
    SegmentDemand out;
    const auto [L, v, i, fd] = conditions(in, tables, out);
    out.fiv = modPublic::Interpolate2D(tables.f_iv, i, v);
    out.fiv_VI = modPublic::Interpolate2D(tables.f_iv_VI, i, v);
    out.QQ_CO =
        finiteOrFlagged(emission(in.Site.fa, in.qco, fd, in.Site.fh, out.fiv, L, in.nnCO), out.COFailed);
    out.QQ_VI = finiteOrFlagged(emission(in.Site.fa_VI, in.qvi, fd, in.Site.fh_VI, out.fiv_VI, L, in.nnVI),
                                out.VIFailed);
    finish(in, out);
    return out;
}

SegmentDemand GetSegmentQreqBidirectional(const SegmentDemandInput& in, const EmissionTables& tables) {
    SegmentDemand out;
    const auto [L, v, i, fd] = conditions(in, tables, out);

    const double r = in.dUpRatio;
    const double nCOUp = r * in.nnCO;
    const double nCODown = (1 - r) * in.nnCO;
    const double nVIUp = r * in.nnVI;
    const double nVIDown = (1 - r) * in.nnVI;

    const double fivDown = modPublic::Interpolate2D(tables.f_iv, -i, v);
    const double fivUp = modPublic::Interpolate2D(tables.f_iv, i, v);
    const double fivVIDown = modPublic::Interpolate2D(tables.f_iv_VI, -i, v);
    const double fivVIUp = modPublic::Interpolate2D(tables.f_iv_VI, i, v);
    out.fiv = fivUp;
    out.fiv_VI = fivVIUp;

    // Traffic of the down direction meets the slope as −i.
    out.QQ_CO = finiteOrFlagged(emission(in.Site.fa, in.qco, fd, in.Site.fh, fivDown, L, nCODown) +
                                    emission(in.Site.fa, in.qco, fd, in.Site.fh, fivUp, L, nCOUp),
                                out.COFailed);
    out.QQ_VI = finiteOrFlagged(emission(in.Site.fa_VI, in.qvi, fd, in.Site.fh_VI, fivVIDown, L, nVIDown) +
                                    emission(in.Site.fa_VI, in.qvi, fd, in.Site.fh_VI, fivVIUp, L, nVIUp),
                                out.VIFailed);
    finish(in, out);
    return out;
}

} // namespace reqair

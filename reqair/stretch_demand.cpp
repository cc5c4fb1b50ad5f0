// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/stretch_demand.h"

#include <cmath>
#include <utility>

namespace reqair {

namespace {

bool insideStretch(const CalSegment& seg, double dsp, double dep) {
    const double m = (seg.StartPile + seg.EndPile) * 0.5;
    return (m - dsp) * (m - dep) < 0;
}

} // namespace

WindowClip ClipToWindow(double dsp, double dep, double ws, double we) {
    WindowClip clip;
    if (dsp > dep) {
        std::swap(dsp, dep);
    }
    clip.dsp = dsp;
    clip.dep = dep;
    if (ws >= dep || we <= dsp) {
        return clip;
    }
    clip.Overlaps = true;
    clip.dsp = modPublic::MaxOf(dsp, ws);
    clip.dep = modPublic::MinOf(dep, we);
    return clip;
}

AllowedTraffic AllowedClassTraffic(const std::array<bool, kVehicleClasses>& allowed,
                                   const std::array<ClassTraffic, kVehicleClasses>& classes,
                                   double mainDirectionRatio) {
    AllowedTraffic out;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        if (allowed[c]) {
            out.CO += classes[c].EquivCO;
            out.VI += classes[c].EquivVI;
        }
    }
    // Undivided sums would be a different formula, not a fallback: count nothing and say so.
    if (mainDirectionRatio > 0 && std::isfinite(mainDirectionRatio)) {
        out.CO /= mainDirectionRatio;
        out.VI /= mainDirectionRatio;
    } else {
        out.CO = 0;
        out.VI = 0;
        out.Valid = false;
    }
    return out;
}

StretchDemand GetStretchDemand(const StretchDemandInput& in, const EmissionTables& tables,
                               const CoefTable& tableK) {
    StretchDemand out;
    const int c = in.iCaseID;
    if (c < kCaseOneWay || c > kCaseOneKmCongestion) {
        // No routine belongs to such a case; whatever a previous run left must not be counted.
        return out;
    }
    // The 1 km window takes its design concentrations from full-length congestion.
    const int concentrationCase = c == kCaseOneKmCongestion ? kCaseCongestion : c;
    const double delta = GetDelta(in.Concentrations, concentrationCase);
    out.Segments.reserve(in.Segments.size());
    for (const CalSegment& seg : in.Segments) {
        SegmentDemandInput s;
        s.Segment = seg;
        if (c == kCaseOneKmCongestion) {
            s.Segment.Speed = kOneKmCongestionSpeed;
        }
        s.qco = in.qco;
        s.qvi = in.qvi;
        s.nnCO = c == kCaseTwoWay ? in.nnCOBi : in.nnCO;
        s.nnVI = c == kCaseTwoWay ? in.nnVIBi : in.nnVI;
        s.dK = GetKK(in.Concentrations, tableK, s.Segment.Speed, concentrationCase);
        s.dDelta = delta;
        s.dCOAir = in.COAir;
        s.Site = in.Site;
        SegmentDemand d;
        if (c == kCaseTwoWay) {
            s.dUpRatio = GetUpRatio();
            d = GetSegmentQreqBidirectional(s, tables);
        } else {
            d = GetSegmentQreq(s, tables);
        }
        if (insideStretch(seg, in.dsp, in.dep)) {
            out.QreqCO += d.QQ_req_CO;
            out.QreqVI += d.QQ_req_VI;
        }
        out.SumCO += d.QQ_req_CO;
        out.SumVI += d.QQ_req_VI;
        out.Segments.push_back(d);
    }
    return out;
}

double GoverningDemand(double sumCO, double sumVI, double stretchCO, double stretchVI) {
    return sumCO >= sumVI ? stretchCO : stretchVI;
}

double ExchangeDemand(const std::vector<CalSegment>& segments, double dsp, double dep, double exchangeNum) {
    double volume = 0;
    for (const CalSegment& seg : segments) {
        if (insideStretch(seg, dsp, dep)) {
            volume += std::fabs(seg.EndPile - seg.StartPile) * seg.Area;
        }
    }
    const double q = exchangeNum * volume / 3600;
    return std::isfinite(q) ? q : 0.0;
}

} // namespace reqair

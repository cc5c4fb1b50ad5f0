// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/stretch_demand.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace reqair {

namespace {

// Every member is a double, so equal bytes are equal inputs to the last bit.
static_assert(sizeof(SegmentDemandInput) == sizeof(double) * 23);
static_assert(sizeof(CalSegment) == sizeof(double) * 7);
template <typename T> bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

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
                               const CoefTable& tableK, SegmentDemandMemo* memo) {
    StretchDemand out;
    const int c = in.iCaseID;
    if (c < kCaseOneWay || c > kCaseOneKmCongestion) {
        // No routine belongs to such a case; whatever a previous run left must not be counted.
        return out;
    }
    // The 1 km window takes its design concentrations from full-length congestion.
    const int concentrationCase = c == kCaseOneKmCongestion ? kCaseCongestion : c;
    const bool twoWay = c == kCaseTwoWay;
    SegmentDemandInput shared;
    shared.qco = in.qco;
    shared.qvi = in.qvi;
    shared.nnCO = twoWay ? in.nnCOBi : in.nnCO;
    shared.nnVI = twoWay ? in.nnVIBi : in.nnVI;
    shared.dDelta = GetDelta(in.Concentrations, concentrationCase);
    shared.dCOAir = in.COAir;
    shared.Site = in.Site;
    if (twoWay) {
        shared.dUpRatio = GetUpRatio();
    }

    std::vector<SegmentDemandMemo::Entry> remembered;
    std::vector<SegmentDemandMemo::Entry> entries;
    if (memo != nullptr) {
        if (memo->TwoWay == twoWay && memo->f_d == &tables.f_d && memo->f_iv == &tables.f_iv &&
            memo->f_iv_VI == &tables.f_iv_VI && sameBits(memo->Shared, shared)) {
            remembered = std::move(memo->Entries);
        }
        entries = std::move(memo->Spare);
        entries.clear();
        entries.reserve(in.Segments.size());
    }
    std::size_t next = 0;
    // K depends on the speed alone, which most segments share.
    double lastSpeed = 0;
    double lastK = 0;
    bool haveK = false;
    out.Segments.reserve(in.Segments.size());
    for (const CalSegment& seg : in.Segments) {
        CalSegment handed = seg;
        if (c == kCaseOneKmCongestion) {
            handed.Speed = kOneKmCongestionSpeed;
        }
        if (!haveK || !sameBits(lastSpeed, handed.Speed)) {
            lastSpeed = handed.Speed;
            lastK = GetKK(in.Concentrations, tableK, handed.Speed, concentrationCase);
            haveK = true;
        }
        // Segments come in station order in both lists; the memo's segment at the same start is the
        // only one that can match.
        while (next < remembered.size() && remembered[next].Segment.StartPile < handed.StartPile) {
            ++next;
        }
        SegmentDemand d;
        if (next < remembered.size() && sameBits(remembered[next].Segment, handed) &&
            sameBits(remembered[next].dK, lastK)) {
            d = remembered[next].Demand;
            ++next;
        } else {
            SegmentDemandInput s = shared;
            s.Segment = handed;
            s.dK = lastK;
            d = twoWay ? GetSegmentQreqBidirectional(s, tables) : GetSegmentQreq(s, tables);
        }
        if (insideStretch(seg, in.dsp, in.dep)) {
            out.QreqCO += d.QQ_req_CO;
            out.QreqVI += d.QQ_req_VI;
        }
        out.SumCO += d.QQ_req_CO;
        out.SumVI += d.QQ_req_VI;
        out.Segments.push_back(d);
        if (memo != nullptr) {
            entries.push_back({handed, lastK, d});
        }
    }
    if (memo != nullptr) {
        memo->Shared = shared;
        memo->TwoWay = twoWay;
        memo->f_d = &tables.f_d;
        memo->f_iv = &tables.f_iv;
        memo->f_iv_VI = &tables.f_iv_VI;
        memo->Entries = std::move(entries);
        memo->Spare = std::move(remembered);
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

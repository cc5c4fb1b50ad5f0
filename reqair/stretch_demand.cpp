// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/stretch_demand.h"

#include <algorithm>
#include <cmath>
#include <limits>
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

// The 1 km window takes its design concentrations from full-length congestion.
int concentrationCaseOf(int iCaseID) {
    return iCaseID == kCaseOneKmCongestion ? kCaseCongestion : iCaseID;
}

// What every segment of a stretch shares: its inputs but the segment and K.
SegmentDemandInput sharedSegmentInput(const StretchDemandInput& in) {
    const bool twoWay = in.iCaseID == kCaseTwoWay;
    SegmentDemandInput shared;
    shared.qco = in.qco;
    shared.qvi = in.qvi;
    shared.nnCO = twoWay ? in.nnCOBi : in.nnCO;
    shared.nnVI = twoWay ? in.nnVIBi : in.nnVI;
    shared.dDelta = GetDelta(in.Concentrations, concentrationCaseOf(in.iCaseID));
    shared.dCOAir = in.COAir;
    shared.Site = in.Site;
    if (twoWay) {
        shared.dUpRatio = GetUpRatio();
    }
    return shared;
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
    const int concentrationCase = concentrationCaseOf(c);
    const bool twoWay = c == kCaseTwoWay;
    const SegmentDemandInput shared = sharedSegmentInput(in);

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

OneKmWindowDemand::OneKmWindowDemand(const TunnelLayout& layout, const StretchDemandInput& in,
                                     const EmissionTables& tables, const CoefTable& tableK)
    : layout_(layout), in_(in), tables_(tables), tableK_(tableK) {
    in_.iCaseID = kCaseOneKmCongestion;
    in_.Segments.clear();
    SegmentCut cut = BuildSegments(layout_, {}, kCaseOneKmCongestion, kTunnelEnd, kTunnelEnd, 0);
    StretchDemandInput whole = in_;
    whole.Segments = cut.Segments;
    whole.dsp = cut.dsp;
    whole.dep = cut.dep;
    StretchDemand d = GetStretchDemand(whole, tables_, tableK_);
    segments_ = std::move(cut.Segments);
    demands_ = std::move(d.Segments);
    sumCO_ = d.SumCO;
    sumVI_ = d.SumVI;
    shared_ = sharedSegmentInput(in_);
    shared_.dK = GetKK(in_.Concentrations, tableK_, kOneKmCongestionSpeed, kCaseCongestion);

    // The pieces of a split segment take its slope and section only when the segments are real ones,
    // laid end to end, at finite stations.
    tunnelStart_ = cut.dsp;
    tunnelEnd_ = cut.dep;
    shortcut_ = demands_.size() == segments_.size() && !segments_.empty() && std::isfinite(sumCO_) &&
                std::isfinite(sumVI_) && tunnelStart_ < tunnelEnd_ &&
                segments_.front().StartPile == tunnelStart_ && segments_.back().EndPile == tunnelEnd_;
    for (std::size_t i = 0; shortcut_ && i < segments_.size(); ++i) {
        const CalSegment& seg = segments_[i];
        shortcut_ = std::isfinite(seg.StartPile) && std::isfinite(seg.EndPile) &&
                    seg.StartPile < seg.EndPile && (i == 0 || segments_[i - 1].EndPile == seg.StartPile);
    }
    if (!shortcut_) {
        return;
    }
    starts_.reserve(segments_.size());
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        starts_.push_back(segments_[i].StartPile);
        absCO_ += std::fabs(demands_[i].QQ_req_CO);
        absVI_ += std::fabs(demands_[i].QQ_req_VI);
        failedCO_ += demands_[i].COFailed ? 1 : 0;
        failedVI_ += demands_[i].VIFailed ? 1 : 0;
    }
}

SegmentDemand OneKmWindowDemand::pieceDemand(const CalSegment& piece) const {
    SegmentDemandInput s = shared_;
    s.Segment = piece;
    s.Segment.Speed = kOneKmCongestionSpeed;
    return GetSegmentQreq(s, tables_);
}

OneKmWindowDemand::Result OneKmWindowDemand::cutAgain(double dsp, double dep) const {
    StretchDemandInput in = in_;
    in.dsp = dsp;
    in.dep = dep;
    const double extra[] = {dsp, dep};
    in.Segments = BuildSegments(layout_, extra, kCaseOneKmCongestion, kTunnelEnd, kTunnelEnd, 0).Segments;
    const StretchDemand d = GetStretchDemand(in, tables_, tableK_);
    Result r;
    r.QreqCO = d.QreqCO;
    r.QreqVI = d.QreqVI;
    r.Governing = GoverningDemand(d.SumCO, d.SumVI, 0.0 + d.QreqCO, 0.0 + d.QreqVI);
    for (const SegmentDemand& s : d.Segments) {
        r.COFailed = r.COFailed || s.COFailed;
        r.VIFailed = r.VIFailed || s.VIFailed;
    }
    return r;
}

OneKmWindowDemand::Result OneKmWindowDemand::operator()(double dsp, double dep) const {
    // A window reaching out of the tunnel adds pieces outside it, which the cut leaves out or not by their
    // midpoints: it is cut as it comes.
    if (!shortcut_ || !(dsp < dep) || !(dsp >= tunnelStart_) || !(dep <= tunnelEnd_)) {
        return cutAgain(dsp, dep);
    }
    // A cut segment: a segment of the tunnel, or a piece of one that the window splits.
    struct Piece {
        CalSegment Segment;
        SegmentDemand Demand;
    };
    // The segments the window's stations fall strictly inside, each with its pieces.
    struct Split {
        std::size_t Index = 0;
        std::vector<Piece> Pieces;
    };
    std::vector<Split> splits;
    auto splitAt = [&](double x) {
        const auto it = std::upper_bound(starts_.begin(), starts_.end(), x);
        if (it == starts_.begin()) {
            return;
        }
        const auto k = static_cast<std::size_t>(it - starts_.begin() - 1);
        const CalSegment& seg = segments_[k];
        // Both stations in one segment: its pieces are cut below, once.
        if (x > seg.StartPile && x < seg.EndPile && (splits.empty() || splits.back().Index != k)) {
            splits.push_back({k, {}});
        }
    };
    splitAt(dsp);
    splitAt(dep);
    for (Split& split : splits) {
        const CalSegment& seg = segments_[split.Index];
        std::vector<double> piles{seg.StartPile};
        for (double x : {dsp, dep}) {
            if (x > seg.StartPile && x < seg.EndPile) {
                piles.push_back(x);
            }
        }
        piles.push_back(seg.EndPile);
        for (std::size_t p = 1; p < piles.size(); ++p) {
            // The cut looks the slope and section up at the piece's midpoint: they are the segment's as long
            // as the midpoint lies strictly inside it.
            const double mid = (piles[p] + piles[p - 1]) * 0.5;
            if (!(mid > seg.StartPile && mid < seg.EndPile)) {
                return cutAgain(dsp, dep);
            }
            Piece piece{seg, {}};
            piece.Segment.StartPile = piles[p - 1];
            piece.Segment.EndPile = piles[p];
            piece.Demand = pieceDemand(piece.Segment);
            split.Pieces.push_back(piece);
        }
    }

    Result r;
    // Walks the cut segments from `first` on, in order, while they start below `until`.
    auto walk = [&](std::size_t first, double until, const auto& visit) {
        std::size_t next = 0;
        for (std::size_t k = first; k < segments_.size() && segments_[k].StartPile < until; ++k) {
            while (next < splits.size() && splits[next].Index < k) {
                ++next;
            }
            if (next < splits.size() && splits[next].Index == k) {
                for (const Piece& piece : splits[next].Pieces) {
                    visit(piece.Segment, piece.Demand);
                }
            } else {
                visit(segments_[k], demands_[k]);
            }
        }
    };
    // Only segments between the window's stations can lie inside it.
    const auto from = std::upper_bound(starts_.begin(), starts_.end(), dsp);
    const std::size_t first =
        from == starts_.begin() ? 0 : static_cast<std::size_t>(from - starts_.begin() - 1);
    walk(first, dep, [&](const CalSegment& seg, const SegmentDemand& d) {
        if (insideStretch(seg, dsp, dep)) {
            r.QreqCO += d.QQ_req_CO;
            r.QreqVI += d.QQ_req_VI;
        }
    });

    // The tunnel totals only choose the governing gas. The cut's totals differ from the whole tunnel's by
    // the split segments and by rounding, which is bounded: when the bound cannot tell the gases apart the
    // totals are summed as the cut sums them.
    double co = sumCO_;
    double vi = sumVI_;
    double absCO = absCO_;
    double absVI = absVI_;
    long failedCO = failedCO_;
    long failedVI = failedVI_;
    std::size_t count = segments_.size();
    for (const Split& split : splits) {
        const SegmentDemand& whole = demands_[split.Index];
        co -= whole.QQ_req_CO;
        vi -= whole.QQ_req_VI;
        absCO += std::fabs(whole.QQ_req_CO);
        absVI += std::fabs(whole.QQ_req_VI);
        failedCO -= whole.COFailed ? 1 : 0;
        failedVI -= whole.VIFailed ? 1 : 0;
        for (const Piece& piece : split.Pieces) {
            co += piece.Demand.QQ_req_CO;
            vi += piece.Demand.QQ_req_VI;
            absCO += std::fabs(piece.Demand.QQ_req_CO);
            absVI += std::fabs(piece.Demand.QQ_req_VI);
            failedCO += piece.Demand.COFailed ? 1 : 0;
            failedVI += piece.Demand.VIFailed ? 1 : 0;
        }
        count += split.Pieces.size();
    }
    r.COFailed = failedCO > 0;
    r.VIFailed = failedVI > 0;
    bool coGoverns = sumCO_ >= sumVI_;
    if (!splits.empty()) {
        const double ulps = 4.0 * (static_cast<double>(count) + 16.0) * std::ldexp(1.0, -53);
        const double boundCO = ulps * absCO;
        const double boundVI = ulps * absVI;
        if (co - boundCO >= vi + boundVI) {
            coGoverns = true;
        } else if (co + boundCO < vi - boundVI) {
            coGoverns = false;
        } else {
            double sumCO = 0;
            double sumVI = 0;
            walk(0, std::numeric_limits<double>::infinity(), [&](const CalSegment&, const SegmentDemand& d) {
                sumCO += d.QQ_req_CO;
                sumVI += d.QQ_req_VI;
            });
            coGoverns = sumCO >= sumVI;
        }
    }
    r.Governing = coGoverns ? 0.0 + r.QreqCO : 0.0 + r.QreqVI;
    return r;
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

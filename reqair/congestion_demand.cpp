// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/congestion_demand.h"

#include "app/coef_table.h"
#include "app/geometry.h"
#include "platform/vb.h"

#include <cmath>

namespace reqair {

std::vector<double> BlockBoundaries(double startPile, std::span<const double> blockLengths) {
    return app::congestion_block_piles(startPile, {blockLengths.begin(), blockLengths.end()});
}

std::string BlockFitWarning(double tunnelLength, std::span<const BlockRow> blocks) {
    double total = 0;
    for (const BlockRow& block : blocks) {
        total += block.Length;
    }
    if (!std::isfinite(total) || !std::isfinite(tunnelLength) ||
        std::fabs(total - tunnelLength) <= kBlockFitTolerance) {
        return {};
    }
    std::string text = "阻塞区段总长" + vb::CStr(total) + "m与隧道长度" + vb::CStr(tunnelLength) + "m不符";
    double from = 0;
    int number = 0;
    for (const BlockRow& block : blocks) {
        ++number;
        const double to = from + block.Length;
        const std::string name = "第" + vb::CStr(number) + "段(" + vb::CStr(block.Length) + "m, " +
                                 vb::CStr(block.Speed) + "km/h)";
        if (block.Length > 0 && from >= tunnelLength - kBlockFitTolerance) {
            text += "; " + name + "在隧道以外, 按0计";
        } else if (to > tunnelLength + kBlockFitTolerance) {
            text += "; " + name + "有" + vb::CStr(to - tunnelLength) + "m超出隧道终点";
        }
        from = to;
    }
    if (total < tunnelLength) {
        text += "; 隧道最后" + vb::CStr(tunnelLength - total) + "m不在任何阻塞区段内";
    }
    return text + ".";
}

BlockDemand SumBlockDemand(const std::vector<CalSegment>& segments, const std::vector<SegmentDemand>& demands,
                           const std::vector<double>& blockPiles) {
    BlockDemand out;
    const std::size_t blocks = blockPiles.empty() ? 0 : blockPiles.size() - 1;
    out.BlockCO.assign(blocks, "0");
    out.BlockVI.assign(blocks, "0");
    const std::size_t n = segments.size() < demands.size() ? segments.size() : demands.size();
    for (std::size_t i = 0; i < n; ++i) {
        const CalSegment& seg = segments[i];
        const SegmentDemand& d = demands[i];
        const double m = (seg.StartPile + seg.EndPile) * 0.5;
        for (std::size_t j = 0; j < blocks; ++j) {
            if ((m - blockPiles[j]) * (m - blockPiles[j + 1]) < 0) {
                // The list cell is the running sum, so each addition starts from its two-decimal text.
                out.BlockCO[j] = vb::Format(vb::Val(out.BlockCO[j]) + d.QQ_req_CO, "0.00");
                out.BlockVI[j] = vb::Format(vb::Val(out.BlockVI[j]) + d.QQ_req_VI, "0.00");
            }
        }
        out.SumCO += d.QQ_req_CO;
        out.SumVI += d.QQ_req_VI;
    }
    out.QQ_req_CO = vb::Format(out.SumCO, "0.00");
    out.QQ_req_VI = vb::Format(out.SumVI, "0.00");
    return out;
}

CongestionWindow SearchCongestionWindow(double startPile, double tunnelLength,
                                        const std::function<double(double start, double end)>& windowDemand) {
    // A short tunnel jams as a whole; a search would find no window that fits and report no demand.
    if (!(tunnelLength > kCongestionWindowLength)) {
        return {startPile, startPile + kCongestionWindowLength};
    }
    double best = kCoarseWindowStartBest;
    double bestStart = startPile;
    const double lastStart = startPile + tunnelLength - kCongestionWindowLength;
    // Stations are stepped by count, so a station the steps cannot move (or no station at all) ends the
    // search instead of hanging it.
    if (!std::isfinite(lastStart)) {
        return {};
    }
    for (long k = 0; k < kMaxWindowCandidates; ++k) {
        const double s = startPile + static_cast<double>(k) * kCoarseWindowStep;
        if (!(s <= lastStart)) {
            break;
        }
        const double q = windowDemand(s, s + kCongestionWindowLength);
        if (q > best + kCoarseWindowMargin) {
            best = q;
            bestStart = s;
        }
    }

    CongestionWindow fine;
    best = 0;
    const double fineFirst = modPublic::MaxOf(bestStart - kFineWindowRange, startPile);
    const double fineLast = bestStart + kFineWindowRange;
    for (long k = 0; k < kMaxWindowCandidates; ++k) {
        const double s = fineFirst + static_cast<double>(k) * kFineWindowStep;
        if (!(s <= fineLast)) {
            break;
        }
        const double e = s + kCongestionWindowLength;
        const double q = windowDemand(s, e);
        if (q > best) {
            best = q;
            fine = {s, e};
        }
    }
    return fine;
}

} // namespace reqair

// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/segments.h"

#include "platform/vb.h"

#include <algorithm>
#include <cmath>

namespace reqair {

namespace {

void addBreak(std::vector<double>& piles, double pile) {
    // Exact comparison: a slope change and a section change at one station make a single break.
    if (std::find(piles.begin(), piles.end(), pile) == piles.end()) {
        piles.push_back(pile);
    }
}

/// Index of the first row, in list order, whose stretch (previous qualifying-walk station .. its own
/// station, both strict) holds the midpoint; -1 when none does.
template <typename Row> long findRow(const std::vector<Row>& rows, double startPile, double mid) {
    double prev = startPile;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double x = rows[r].Pile;
        if (mid > prev && x > mid) {
            return static_cast<long>(r);
        }
        prev = x;
    }
    return -1;
}

double blockSpeed(const TunnelLayout& layout, double mid) {
    double from = layout.StartPile;
    for (const BlockRow& block : layout.Blocks) {
        const double to = from + block.Length;
        if ((mid - from) * (mid - to) < 0) {
            return block.Speed;
        }
        from = to;
    }
    return 0.0;
}

} // namespace

SegmentCut BuildSegments(const TunnelLayout& layout, std::span<const double> extraPiles, int iCaseID,
                         double dsp, double dep, double dQ) {
    SegmentCut cut;
    if (dsp == kTunnelEnd) {
        dsp = layout.StartPile;
    }
    if (dep == kTunnelEnd) {
        dep = layout.TunnelLength + layout.StartPile;
    }
    cut.dsp = dsp;
    cut.dep = dep;

    std::vector<double>& piles = cut.BreakPiles;
    piles.push_back(layout.StartPile);
    for (const SlopeRow& row : layout.Slopes) {
        addBreak(piles, row.Pile);
    }
    for (const SectionRow& row : layout.Sections) {
        addBreak(piles, row.Pile);
    }
    double blockEnd = layout.StartPile;
    for (const BlockRow& block : layout.Blocks) {
        blockEnd += block.Length;
        addBreak(piles, blockEnd);
    }
    for (double pile : extraPiles) {
        addBreak(piles, pile);
    }
    addBreak(piles, dsp);
    addBreak(piles, dep);
    // A NaN station cannot be ordered; it would make the sort undefined and cut nonsense pieces.
    std::erase_if(piles, [](double pile) { return std::isnan(pile); });
    std::sort(piles.begin(), piles.end());

    for (std::size_t i = 1; i < piles.size(); ++i) {
        const double mid = (piles[i] + piles[i - 1]) * 0.5;
        if ((mid - dsp) * (mid - dep) > 0) {
            continue;
        }
        CalSegment seg;
        seg.StartPile = piles[i - 1];
        seg.EndPile = piles[i];
        if (const long r = findRow(layout.Slopes, layout.StartPile, mid); r >= 0) {
            const double slope = layout.Slopes[static_cast<std::size_t>(r)].Slope;
            seg.Slope = layout.LeftLine ? -slope : slope;
        }
        if (const long r = findRow(layout.Sections, layout.StartPile, mid); r >= 0) {
            const SectionRow& section = layout.Sections[static_cast<std::size_t>(r)];
            seg.Area = section.Area;
            seg.Diameter = section.Diameter;
        }
        if (seg.Area != 0) {
            const double velocity = dQ / seg.Area;
            seg.Velocity = std::isfinite(velocity) ? velocity : 0.0;
        }
        switch (iCaseID) {
        case 1:
            seg.Speed = layout.OneWaySpeed;
            break;
        case 2:
            seg.Speed = layout.TwoWaySpeed;
            break;
        case 3:
            seg.Speed = blockSpeed(layout, mid);
            break;
        default:
            break;
        }
        cut.Segments.push_back(seg);
    }
    if (cut.Segments.empty()) {
        cut.Segments.emplace_back();
    }
    return cut;
}

CalSegment SegmentFromCells(const std::array<std::string, 6>& cells) {
    CalSegment seg;
    seg.StartPile = vb::Val(cells[0]);
    seg.EndPile = vb::Val(cells[1]);
    seg.Slope = vb::Val(cells[2]);
    seg.Area = vb::Val(cells[3]);
    seg.Diameter = vb::Val(cells[4]);
    seg.Speed = vb::Val(cells[5]);
    return seg;
}

} // namespace reqair

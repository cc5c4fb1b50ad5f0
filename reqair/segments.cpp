// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/segments.h"

#include "app/station_rows.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace reqair {

namespace {

template <typename Row> app::StationRows stationRows(const std::vector<Row>& rows, double startPile) {
    std::vector<double> piles;
    piles.reserve(rows.size());
    for (const Row& row : rows) {
        piles.push_back(row.Pile);
    }
    return {startPile, std::move(piles)};
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

    std::vector<double> stations;
    stations.reserve(1 + layout.Slopes.size() + layout.Sections.size() + layout.Blocks.size() +
                     extraPiles.size() + 2);
    stations.push_back(layout.StartPile);
    for (const SlopeRow& row : layout.Slopes) {
        stations.push_back(row.Pile);
    }
    for (const SectionRow& row : layout.Sections) {
        stations.push_back(row.Pile);
    }
    double blockEnd = layout.StartPile;
    for (const BlockRow& block : layout.Blocks) {
        blockEnd += block.Length;
        stations.push_back(blockEnd);
    }
    stations.insert(stations.end(), extraPiles.begin(), extraPiles.end());
    stations.push_back(dsp);
    stations.push_back(dep);
    // Exact comparison: a slope change and a section change at one station make a single break. A NaN
    // station cannot be ordered; it would cut nonsense pieces.
    cut.BreakPiles = app::DistinctSorted(std::move(stations));
    const std::vector<double>& piles = cut.BreakPiles;
    const app::StationRows slopeRows = stationRows(layout.Slopes, layout.StartPile);
    const app::StationRows sectionRows = stationRows(layout.Sections, layout.StartPile);
    std::size_t slopeCursor = 0;
    std::size_t sectionCursor = 0;
    cut.Segments.reserve(piles.size());

    for (std::size_t i = 1; i < piles.size(); ++i) {
        const double mid = (piles[i] + piles[i - 1]) * 0.5;
        if ((mid - dsp) * (mid - dep) > 0) {
            continue;
        }
        CalSegment seg;
        seg.StartPile = piles[i - 1];
        seg.EndPile = piles[i];
        // The first row, in list order, whose stretch holds the midpoint strictly inside.
        if (const long r = slopeRows.FindOpenAscending(mid, slopeCursor); r >= 0) {
            const double slope = layout.Slopes[static_cast<std::size_t>(r)].Slope;
            seg.Slope = layout.LeftLine ? -slope : slope;
        }
        if (const long r = sectionRows.FindOpenAscending(mid, sectionCursor); r >= 0) {
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/geometry.h"

#include "app/station_rows.h"

#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace app {

std::optional<double> equivalent_diameter(double area, double perimeter) {
    if (perimeter == 0.0 || !std::isfinite(perimeter) || !std::isfinite(area)) {
        return std::nullopt;
    }
    const double d = 4.0 * area / perimeter;
    if (!std::isfinite(d)) {
        return std::nullopt;
    }
    return d;
}

std::string equivalent_diameter_text(std::string_view areaText, std::string_view perimeterText) {
    const auto d = equivalent_diameter(vb::Val(areaText), vb::Val(perimeterText));
    if (!d) {
        return {};
    }
    return vb::Format(*d, "0.000");
}

namespace {

// A row ends its stretch, which begins at the previous row's station (the start station for the first
// row). Rows are searched in list order, so a row entered out of order covers only what lies between its
// list predecessor and itself.
template <typename Row> StationRows station_rows(const std::vector<Row>& rows, double startPile) {
    std::vector<double> piles;
    piles.reserve(rows.size());
    for (const Row& row : rows) {
        piles.push_back(vb::Val(row.Pile));
    }
    return {startPile, std::move(piles)};
}

} // namespace

std::vector<double> segment_break_piles(const SegmentTableInput& in) {
    std::vector<double> piles{vb::Val(in.StartPile)};
    piles.reserve(1 + in.Slopes.size() + in.Sections.size());
    for (const SlopeRow& row : in.Slopes) {
        piles.push_back(vb::Val(row.Pile));
    }
    for (const SectionRow& row : in.Sections) {
        piles.push_back(vb::Val(row.Pile));
    }
    return DistinctSorted(std::move(piles));
}

std::vector<SegmentRecord> build_segment_records(const SegmentTableInput& in) {
    const std::vector<double> piles = segment_break_piles(in);
    const double startPile = vb::Val(in.StartPile);
    const double speed = vb::Val(in.DesignSpeed);
    const StationRows slopeRows = station_rows(in.Slopes, startPile);
    const StationRows sectionRows = station_rows(in.Sections, startPile);
    std::size_t slopeCursor = 0;
    std::size_t sectionCursor = 0;

    std::vector<SegmentRecord> segments;
    segments.reserve(piles.size());
    for (std::size_t k = 1; k < piles.size(); ++k) {
        SegmentRecord seg;
        seg.StartPile = piles[k - 1];
        seg.EndPile = piles[k];
        const double mid = (seg.StartPile + seg.EndPile) / 2.0;

        if (const long r = slopeRows.FindOpenAscending(mid, slopeCursor); r >= 0) {
            seg.Slope = vb::Val(in.Slopes[static_cast<std::size_t>(r)].Slope);
            if (in.LeftLine) {
                seg.Slope = -seg.Slope;
            }
        }
        if (const long r = sectionRows.FindOpenAscending(mid, sectionCursor); r >= 0) {
            const SectionRow& row = in.Sections[static_cast<std::size_t>(r)];
            seg.Area = vb::Val(row.Area);
            seg.Diameter = vb::Val(row.Diameter);
        }
        seg.Speed = speed;
        segments.push_back(seg);
    }
    return segments;
}

std::vector<SegmentRowTexts> build_segment_table(const SegmentTableInput& in) {
    std::vector<SegmentRowTexts> rows;
    for (const SegmentRecord& seg : build_segment_records(in)) {
        const double number = static_cast<double>(rows.size() + 1);
        rows.push_back({vb::CStr(number), vb::CStr(seg.StartPile), vb::CStr(seg.EndPile), vb::CStr(seg.Slope),
                        vb::CStr(seg.Area), vb::CStr(seg.Diameter), vb::CStr(seg.Speed)});
    }
    return rows;
}

std::vector<double> congestion_block_piles(double startPile, const std::vector<double>& blockLengths) {
    std::vector<double> piles{startPile};
    piles.reserve(blockLengths.size() + 1);
    for (double length : blockLengths) {
        piles.push_back(piles.back() + length);
    }
    return piles;
}

std::vector<double> congestion_block_piles(std::string_view startPileText,
                                           const std::vector<std::string>& blockLengthTexts) {
    std::vector<double> lengths;
    lengths.reserve(blockLengthTexts.size());
    for (const std::string& text : blockLengthTexts) {
        lengths.push_back(vb::Val(text));
    }
    return congestion_block_piles(vb::Val(startPileText), lengths);
}

std::string tunnel_length_warning(double tunnelLength) {
    if (!(tunnelLength > kMaxTunnelLength)) {
        return {};
    }
    const std::string length = std::isfinite(tunnelLength) ? " " + vb::CStr(tunnelLength) + " m," : "";
    return "隧道长度" + length + " 超过 100 km, 请检查桩号是否输错";
}

std::optional<std::string> station_range_problem(double value) {
    if (std::fabs(value) > kMaxStation) {
        return std::string("桩号超出范围");
    }
    return std::nullopt;
}

} // namespace app

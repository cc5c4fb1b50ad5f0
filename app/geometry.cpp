// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/geometry.h"

#include "platform/vb.h"

#include <algorithm>
#include <cmath>

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

void append_distinct(std::vector<double>& piles, double pile) {
    if (std::find(piles.begin(), piles.end(), pile) == piles.end()) {
        piles.push_back(pile);
    }
}

// A row ends its stretch, which begins at the previous row's station (the start station for the first
// row). Rows are walked in list order, so a row entered out of order covers only what lies between its
// list predecessor and itself.
template <typename Row, typename PileOf>
const Row* row_covering(const std::vector<Row>& rows, double startPile, double mid, PileOf pileOf) {
    double prev = startPile;
    for (const Row& row : rows) {
        const double pile = pileOf(row);
        if (prev < mid && mid < pile) {
            return &row;
        }
        prev = pile;
    }
    return nullptr;
}

} // namespace

std::vector<double> segment_break_piles(const SegmentTableInput& in) {
    std::vector<double> piles{vb::Val(in.StartPile)};
    for (const SlopeRow& row : in.Slopes) {
        append_distinct(piles, vb::Val(row.Pile));
    }
    for (const SectionRow& row : in.Sections) {
        append_distinct(piles, vb::Val(row.Pile));
    }
    std::sort(piles.begin(), piles.end());
    return piles;
}

std::vector<SegmentRecord> build_segment_records(const SegmentTableInput& in) {
    const std::vector<double> piles = segment_break_piles(in);
    const double startPile = vb::Val(in.StartPile);
    const double speed = vb::Val(in.DesignSpeed);

    std::vector<SegmentRecord> segments;
    for (std::size_t k = 1; k < piles.size(); ++k) {
        SegmentRecord seg;
        seg.StartPile = piles[k - 1];
        seg.EndPile = piles[k];
        const double mid = (seg.StartPile + seg.EndPile) / 2.0;

        if (const SlopeRow* row =
                row_covering(in.Slopes, startPile, mid, [](const SlopeRow& r) { return vb::Val(r.Pile); })) {
            seg.Slope = vb::Val(row->Slope);
            if (in.LeftLine) {
                seg.Slope = -seg.Slope;
            }
        }
        if (const SectionRow* row = row_covering(in.Sections, startPile, mid,
                                                 [](const SectionRow& r) { return vb::Val(r.Pile); })) {
            seg.Area = vb::Val(row->Area);
            seg.Diameter = vb::Val(row->Diameter);
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

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Geometry of the tunnel along its length: the equivalent diameter of a cross-section, the segment table
/// of page 2 and the stations of the congestion blocks. Every input is the text of a cell or box as the
/// user typed it; numbers are read by their leading number, text without one counting as 0.
namespace app {

/// One row of the slope list `lstSlope`: the station that ends the stretch and its slope [%].
struct SlopeRow {
    std::string Pile;
    std::string Slope;
};

/// One row of the cross-section list `lstSection`, in column order.
struct SectionRow {
    std::string Pile;
    std::string Area;      ///< [m²]
    std::string Perimeter; ///< [m]
    std::string Diameter;  ///< equivalent diameter [m]
};

/// Equivalent diameter 4A/U [m]; nullopt when the perimeter is 0 (no cross-section to speak of).
std::optional<double> equivalent_diameter(double area, double perimeter);

/// Text of the diameter box `txtSectionD` from the texts of the area and perimeter boxes, in "0.000".
/// A perimeter that reads as 0 gives "", so that adding the row never stores a diameter left over from
/// the previously edited section.
std::string equivalent_diameter_text(std::string_view areaText, std::string_view perimeterText);

/// What the rebuild of the segment table reads from the main window.
struct SegmentTableInput {
    std::string StartPile; ///< `txtStartPile`
    std::vector<SlopeRow> Slopes;
    std::vector<SectionRow> Sections;
    std::string DesignSpeed; ///< text of `cmbvt` [km/h]
    bool LeftLine = false;   ///< `optLeftLine`: slopes are given against the driving direction
};

/// One calculation segment of the table, in the units of its columns.
struct SegmentRecord {
    double StartPile = 0; ///< [m]
    double EndPile = 0;   ///< [m]
    double Slope = 0;     ///< [%] in the driving direction
    double Area = 0;      ///< [m²]
    double Diameter = 0;  ///< [m]
    double Speed = 0;     ///< [km/h]
};

/// Most rows one list of the project file (slopes, sections, segments, design years, congestion blocks)
/// may ask for: a 20 km tunnel with a row every two metres stays far below it.
inline constexpr long long kMaxProjectListRows = 10000;
/// Most axial fans a project's fan list may ask for.
inline constexpr long long kMaxAxialFans = 1000;

/// Columns of `lstSegment`: number, start, end, slope, area, diameter, speed.
inline constexpr int kSegmentColumnCount = 7;
using SegmentRowTexts = std::array<std::string, kSegmentColumnCount>;

/// Distinct break stations of the segment table, ascending: the start station, every slope station and
/// every cross-section station, equal numbers merged (exact equality only).
std::vector<double> segment_break_piles(const SegmentTableInput& in);

/// Segments between neighbouring break stations. Each takes the slope of the first slope row, in list
/// order, whose stretch holds its midpoint strictly inside (negated on the left line), and likewise the
/// area and diameter of the cross-section rows; no such row gives 0. A lone start station gives no segment.
std::vector<SegmentRecord> build_segment_records(const SegmentTableInput& in);

/// The rows of `lstSegment` as the window shows them, numbered from 1, every cell in plain number text.
std::vector<SegmentRowTexts> build_segment_table(const SegmentTableInput& in);

/// Boundary stations of the congestion blocks [m]: the start station, then start + L1, start + L1 + L2, …
/// The result has one element more than there are blocks; block j (from 0) runs from element j to j + 1.
std::vector<double> congestion_block_piles(double startPile, const std::vector<double>& blockLengths);

/// The same from the texts of the start box and the length column of `lstBlock`.
std::vector<double> congestion_block_piles(std::string_view startPileText,
                                           const std::vector<std::string>& blockLengthTexts);

/// No road tunnel is longer than this: a longer one is taken for a station typed wrong [m].
inline constexpr double kMaxTunnelLength = 100000.0;
/// The red line page 2 shows for a tunnel longer than kMaxTunnelLength; "" for any other length.
std::string tunnel_length_warning(double tunnelLength);

/// No station or length of a tunnel reaches this far [m]: beyond it a number is a typo, and far beyond
/// it sums of stations are no longer numbers.
inline constexpr double kMaxStation = 1.0e8;
/// The mark of a box whose station or length lies beyond ±kMaxStation ("桩号超出范围"); nullopt within.
std::optional<std::string> station_range_problem(double value);

} // namespace app

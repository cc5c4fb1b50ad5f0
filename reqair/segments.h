// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

namespace reqair {

/// One calculation segment: a piece of the tunnel with one slope, one cross-section and one speed.
struct CalSegment {
    double StartPile = 0; ///< [m]
    double EndPile = 0;   ///< [m]
    double Slope = 0;     ///< [%], signed in the direction of travel (negated on the left line)
    double Area = 0;      ///< cross-section area [m²]
    double Diameter = 0;  ///< equivalent diameter [m]
    double Speed = 0;     ///< vehicle speed [km/h]
    double Velocity = 0;  ///< mean air velocity, flow / area [m/s]; 0 where the area is 0
};

/// One row of the slope list: the slope holds from the previous row's station up to this one.
struct SlopeRow {
    double Pile = 0;  ///< [m]
    double Slope = 0; ///< [%]
};

/// One row of the cross-section list: the section holds from the previous row's station up to this one.
struct SectionRow {
    double Pile = 0;      ///< [m]
    double Area = 0;      ///< [m²]
    double Perimeter = 0; ///< [m]
    double Diameter = 0;  ///< equivalent diameter [m]
};

/// One congestion block; blocks lie one after the other from the tunnel start, in list order.
struct BlockRow {
    double Length = 0; ///< [m]
    double Speed = 0;  ///< [km/h]
};

/// The main window's lists and boxes that the segments are cut from, as numbers (leading number of
/// each text).
struct TunnelLayout {
    double StartPile = 0;    ///< tunnel start station [m]
    double TunnelLength = 0; ///< [m], from GetTunnelLength
    std::vector<SlopeRow> Slopes;
    std::vector<SectionRow> Sections;
    std::vector<BlockRow> Blocks;
    bool LeftLine = false;  ///< left line: slopes change sign
    double OneWaySpeed = 0; ///< one-way working speed [km/h]
    double TwoWaySpeed = 0; ///< two-way working speed [km/h]
};

/// Stands for the tunnel start (as dsp) or the tunnel end (as dep).
inline constexpr double kTunnelEnd = -1.0;

/// The result of cutting a stretch.
struct SegmentCut {
    /// 1st element = segment 1. Never empty: when no piece qualifies it holds one all-zero record.
    std::vector<CalSegment> Segments;
    /// The distinct break stations, ascending.
    std::vector<double> BreakPiles;
    double dsp = 0; ///< the stretch start with -1 resolved [m]
    double dep = 0; ///< the stretch end with -1 resolved [m]
};

/// Cuts the stretch dsp..dep (either order; -1 for the tunnel start or end) at every slope,
/// cross-section and congestion-block station and at the extra stations. The speed follows iCaseID:
/// 1 the one-way speed, 2 the two-way speed, 3 the speed of the congestion block around the segment's
/// midpoint; any other case leaves it 0. dQ [m³/s] gives the mean air velocity.
SegmentCut BuildSegments(const TunnelLayout& layout, std::span<const double> extraPiles, int iCaseID,
                         double dsp, double dep, double dQ);

/// A row of the segment table (sub-items 1 to 6: start, end, slope, area, equivalent diameter, speed) as a
/// segment. A cell without a number counts 0, never the previous row's value.
CalSegment SegmentFromCells(const std::array<std::string, 6>& cells);

} // namespace reqair

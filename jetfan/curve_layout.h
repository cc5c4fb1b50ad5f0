// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The curves along the tunnel (static pressure, mean air speed, relative concentration): their point
/// arrays, the pressure lookup and the layout of the charts that the curve plotter draws.
namespace jetfan {

/// One row of a curve's point array.
struct CurvePoint {
    double station = 0; ///< [m]
    double value = 0;   ///< static pressure [Pa], mean air speed [m/s] or relative concentration [-]
    double spare = 0;   ///< left 0 by every builder; copied, never read
};

/// The points of one curve in drawing order (ascending station). A jump is two consecutive points on the
/// same station, the value before the jump first.
using CurvePointArray = std::vector<CurvePoint>;

/// What the pressure lookup gives for a station the curve does not cover [Pa].
constexpr double kNoPressure = 10000000;
/// What the maximum of a curve without points is.
constexpr double kNoMaximum = -1000000000;

/// Static pressure at `station` [Pa]: over every pair of consecutive points that brackets the station
/// (an end point counts), the smallest linear interpolation; a jump pair (both points on one station)
/// gives no value, so at a jump the smaller side wins. kNoPressure when no pair brackets the station.
double PressureAt(const CurvePointArray& points, double station);

/// Largest value of the curve; kNoMaximum without points.
double MaxValue(const CurvePointArray& points);

/// Whole-number division of the classic runtime: both operands rounded to whole numbers (halves to
/// even), the quotient truncated towards zero. nullopt for a divisor that rounds to 0, a value that is
/// not finite, or operands beyond a 32-bit whole number (the statement fails then).
std::optional<long long> WholeDiv(double a, double b);

/// Label of a station tick: "K" + kilometres at a whole kilometre, else the hundreds digit
/// ((station − kilometres × 1000) / pileStep in plain number text).
std::string StationTickLabel(double station, double pileStep);

/// Label of a curve point: "K" + kilometres + "+" + metres "0.000" + ":" + value in `valueFormat`.
/// The kilometres are those of the station rounded to the millimetre, so that 1999.7 reads K1+999.700
/// and 1999.9996 reads K2+0.000. Empty when the station or the value is not a finite number.
std::string PointLabel(double station, double value, std::string_view valueFormat);

/// Colour indices of the charts.
constexpr int kAxisColor = 1;  ///< axes, arrowheads, ticks, titles, tick labels (red)
constexpr int kCurveColor = 2; ///< curve segments and point labels (yellow)

/// How a chart counts its value ticks from its maximum.
enum class TickRule {
    WholeQuotient,  ///< max \ step, both rounded first (pressure, air speed)
    RoundedQuotient ///< max / step rounded to a whole number, halves to even (concentration)
};

/// What distinguishes the three charts.
struct ChartStyle {
    double valueScale = 5; ///< drawing units per unit of value
    double valueStep = 50; ///< value-tick interval
    TickRule ticks = TickRule::WholeQuotient;
    std::string title;       ///< value-axis title, UTF-8
    std::string valueFormat; ///< number format of the values in the point labels
};

ChartStyle PressureChart(double valueScale, double valueStep); ///< "压力(Pa)", "0.00"
ChartStyle VelocityChart(double valueScale);                   ///< "速度(m/s)", step 1, "0.00"
ChartStyle ConcentrationChart(double valueScale);              ///< "浓度C(%)", step 0.1, "0.000"

/// Sizes shared by every chart [drawing units].
struct ChartSizes {
    double arrowSize = 20;  ///< arrowhead length; also the base of tick sizes and label offsets
    double textHeight = 20; ///< height of every text
    double pileStep = 100;  ///< station-tick interval [m]
};

/// A line or a text of a chart, in drawing units (z = 0).
struct ChartItem {
    enum class Kind { Line, Text };
    Kind kind = Kind::Line;
    double x1 = 0; ///< line start, text insertion point
    double y1 = 0;
    double x2 = 0; ///< line end
    double y2 = 0;
    std::string text;
    int color = kAxisColor;
};

struct ChartLayout {
    std::vector<ChartItem> items; ///< in drawing order
    double titleY = 0;            ///< y of the value-axis title
    /// How far the chart reaches above the top of its value-axis title (a text stands textHeight above
    /// its insertion point): 0 unless a curve, a point label or a tick reaches higher, as when every
    /// value is negative and the value axis runs downwards.
    double above = 0;
    /// How far the chart reaches below the station-tick labels under its origin: 0 unless the curve or
    /// its labels reach lower, as negative values do.
    double below = 0;
};

/// Distance from one chart's value-axis title to the origin of the chart stacked on it, when neither
/// reaches past its usual extent: the next chart's tick labels then stand 50 above the title's top.
inline constexpr double kChartStackGap = 100;

/// Origin y of the chart stacked on `lower`, for a chart that reaches `nextBelow` below its own
/// station-tick labels: kChartStackGap above the title, moved up by what either chart reaches beyond its
/// usual extent, so that no two charts overlap whatever the sign of their values.
double NextChartOrigin(const ChartLayout& lower, double nextBelow);

/// One chart with its origin at (ox, oy): station axis with arrowhead, title and ticks; value axis with
/// arrowhead, title and ticks; the curve with a label at every point but the first. The value-axis title
/// stands above the axis's upper end (above the origin when the axis runs downwards). A text that would
/// stand on a line of the chart, or on a text before it, moves to the nearest free place: a point label
/// also to the left of its point, a station-tick label to end at its tick, a value-tick label to end short
/// of its tick; the texts themselves never change. A line or text with a coordinate that is not finite is
/// left out (no CAD program takes it). No points: no items, titleY = oy.
ChartLayout LayoutChart(const CurvePointArray& points, double ox, double oy, const ChartStyle& style,
                        const ChartSizes& sizes = {});

} // namespace jetfan

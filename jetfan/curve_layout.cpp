// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/curve_layout.h"

#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace jetfan {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A tick count is a 16-bit count; a count beyond it would have failed, leaving no ticks.
int tickCount(std::optional<long long> count) {
    if (!count || *count > std::numeric_limits<std::int16_t>::max()) {
        return 0;
    }
    return static_cast<int>(*count);
}

bool finite(double a, double b, double c = 0, double d = 0) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

void line(ChartLayout& out, double x1, double y1, double x2, double y2, int color) {
    if (finite(x1, y1, x2, y2)) {
        out.items.push_back({ChartItem::Kind::Line, x1, y1, x2, y2, {}, color});
    }
}

void text(ChartLayout& out, double x, double y, std::string s, int color) {
    if (finite(x, y) && !s.empty()) {
        out.items.push_back({ChartItem::Kind::Text, x, y, 0, 0, std::move(s), color});
    }
}

} // namespace

double PressureAt(const CurvePointArray& points, double station) {
    double result = kNoPressure;
    for (std::size_t k = 1; k < points.size(); ++k) {
        const double x1 = points[k - 1].station;
        const double y1 = points[k - 1].value;
        const double x2 = points[k].station;
        const double y2 = points[k].value;
        if ((station - x1) * (station - x2) > 0) {
            continue;
        }
        if (x1 == x2) {
            continue;
        }
        const double y = y1 + (y2 - y1) * (station - x1) / (x2 - x1);
        if (y < result) {
            result = y;
        }
    }
    return result;
}

double MaxValue(const CurvePointArray& points) {
    double result = kNoMaximum;
    for (const CurvePoint& p : points) {
        if (p.value > result) {
            result = p.value;
        }
    }
    return result;
}

std::optional<long long> WholeDiv(double a, double b) {
    const std::optional<std::int32_t> ra = vb::CLng(a);
    const std::optional<std::int32_t> rb = vb::CLng(b);
    if (!ra || !rb || *rb == 0) {
        return std::nullopt;
    }
    return static_cast<long long>(*ra) / static_cast<long long>(*rb); // C++ truncates towards zero too
}

std::string StationTickLabel(double station, double pileStep) {
    const std::optional<long long> km = WholeDiv(station, 1000);
    const double whole = vb::RoundHalfEven(station);
    if (!km) {
        return {};
    }
    if (std::fmod(whole, 1000.0) == 0) {
        return "K" + std::to_string(*km);
    }
    return vb::CStr((station - static_cast<double>(*km) * 1000) / pileStep);
}

std::string PointLabel(double station, double value, std::string_view valueFormat) {
    if (!finite(station, value)) {
        return {};
    }
    const double mm = std::round(station * 1000) / 1000;
    const double km = std::trunc(mm / 1000);
    const std::string kmText = vb::CStr(km);
    const std::string metres = vb::Format(mm - km * 1000, "0.000");
    const std::string valueText = vb::Format(value, valueFormat);
    if (kmText.empty() || metres.empty() || valueText.empty()) {
        return {};
    }
    return "K" + kmText + "+" + metres + ":" + valueText;
}

ChartStyle PressureChart(double valueScale, double valueStep) {
    return {valueScale, valueStep, TickRule::WholeQuotient, "压力(Pa)", "0.00"};
}

ChartStyle VelocityChart(double valueScale) {
    return {valueScale, 1, TickRule::WholeQuotient, "速度(m/s)", "0.00"};
}

ChartStyle ConcentrationChart(double valueScale) {
    return {valueScale, 0.1, TickRule::RoundedQuotient, "浓度C(%)", "0.000"};
}

ChartLayout LayoutChart(const CurvePointArray& points, double ox, double oy, const ChartStyle& style,
                        const ChartSizes& sizes) {
    ChartLayout out;
    out.titleY = oy;
    if (points.empty()) {
        return out;
    }
    const double A = sizes.arrowSize;
    const double T = sizes.textHeight;
    const double P = sizes.pileStep;
    const double S = style.valueScale;
    const double D = style.valueStep;
    const double x1 = points.front().station;
    const double xn = points.back().station;
    const double spread = A * std::tan(kPi / 6);

    // Station axis, arrowhead, title.
    const double ex = ox + xn - x1 + 100;
    line(out, ox - 10, oy, ex, oy, kAxisColor);
    line(out, ex, oy, ex - A, oy + spread, kAxisColor);
    line(out, ex, oy, ex - A, oy - spread, kAxisColor);
    text(out, ex + A, oy - T / 2, "桩号(m)", kAxisColor);

    // Station ticks at every whole pileStep inside the curve's range.
    const int J = tickCount(WholeDiv(xn - x1, P));
    const std::optional<long long> firstStep = WholeDiv(x1, P);
    for (int j = 1; firstStep && j <= J; ++j) {
        const double s = static_cast<double>(*firstStep + j) * P;
        const double x = s - x1 + ox;
        line(out, x, oy + A / 4, x, oy - A / 4, kAxisColor);
        text(out, x, oy - A / 2 - T, StationTickLabel(s, P), kAxisColor);
    }

    // Value axis, arrowhead, title.
    const double max = MaxValue(points);
    const double vy = oy + 1.1 * S * max;
    line(out, ox, oy - 10, ox, vy, kAxisColor);
    line(out, ox, vy, ox + spread, vy - A, kAxisColor);
    line(out, ox, vy, ox - spread, vy - A, kAxisColor);
    text(out, ox - 2 * A, vy + A, style.title, kAxisColor);
    out.titleY = vy + A;

    // Value ticks.
    int K = 0;
    if (style.ticks == TickRule::WholeQuotient) {
        K = tickCount(WholeDiv(max, D));
    } else {
        const std::optional<vb::Integer> rounded = vb::CInt(max / D);
        K = rounded ? *rounded : 0;
    }
    for (int k = 1; k <= K; ++k) {
        const double y = oy + k * D * S;
        line(out, ox - A / 2, y, ox + A / 2, y, kAxisColor);
        text(out, ox - A / 2 - 2 * A, y, vb::CStr(k * D), kAxisColor);
    }

    // The curve, a label at every point but the first.
    double px = ox;
    double py = oy + points.front().value * S;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double x = points[i].station - x1 + ox;
        const double y = oy + points[i].value * S;
        line(out, px, py, x, y, kCurveColor);
        text(out, x + A, y, PointLabel(points[i].station, points[i].value, style.valueFormat), kCurveColor);
        px = x;
        py = y;
    }

    // The chart's own extent, measured against the title's top and the station-tick labels' foot, which
    // bound every chart whose values are not negative.
    const double top = out.titleY + T;
    const double foot = oy - A / 2 - T;
    for (const ChartItem& item : out.items) {
        const bool isText = item.kind == ChartItem::Kind::Text;
        const double high = isText ? item.y1 + T : std::max(item.y1, item.y2);
        const double low = isText ? item.y1 : std::min(item.y1, item.y2);
        if (high > top) {
            out.above = std::max(out.above, high - top);
        }
        if (low < foot) {
            out.below = std::max(out.below, foot - low);
        }
    }
    return out;
}

double NextChartOrigin(const ChartLayout& lower, double nextBelow) {
    return lower.titleY + kChartStackGap + lower.above + nextBelow;
}

} // namespace jetfan

// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/curve_layout.h"

#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <unordered_map>

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

bool text(ChartLayout& out, double x, double y, std::string s, int color) {
    if (finite(x, y) && !s.empty()) {
        out.items.push_back({ChartItem::Kind::Text, x, y, 0, 0, std::move(s), color});
        return true;
    }
    return false;
}

struct TextBox {
    double left, bottom, right, top;
};

// The box a text takes in the program's face, its capitals as high as `height`, standing on (x, y): from the
// advances of its characters, and from its feet to its tops, parentheses, slashes and Chinese characters
// reaching below the line and above the capitals.
TextBox textBox(const std::string& s, double x, double y, double height) {
    double width = 0;
    bool tall = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            if ((c & 0xC0) != 0x80) {
                width += 1.37; // one character of several bytes
            }
            tall = true;
        } else if (c == 'm' || c == 'M' || c == 'W' || c == '%') {
            width += 1.27;
        } else if (c >= 'A' && c <= 'Z') {
            width += 0.89;
        } else if (c == '.' || c == ':') {
            width += 0.38;
        } else if (c == '(' || c == ')' || c == '-') {
            width += 0.47;
            tall = tall || c != '-';
        } else if (c == '/') {
            width += 0.54;
            tall = true;
        } else {
            width += 0.77;
        }
    }
    return {x, y - (tall ? 0.27 : 0.0) * height, x + width * height, y + (tall ? 1.16 : 1.02) * height};
}

// Whether the line runs into the box.
bool runsInto(const ChartItem& line, const TextBox& box) {
    double from = 0, to = 1;
    const auto within = [&](double start, double step, double low, double high) {
        if (step == 0) {
            return start > low && start < high;
        }
        double t1 = (low - start) / step, t2 = (high - start) / step;
        if (t1 > t2) {
            std::swap(t1, t2);
        }
        from = std::max(from, t1), to = std::min(to, t2);
        return from < to;
    };
    return within(line.x1, line.x2 - line.x1, box.left, box.right) &&
           within(line.y1, line.y2 - line.y1, box.bottom, box.top);
}

bool overlap(const TextBox& a, const TextBox& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// Where a text may stand besides the place the chart gives it: other x (each with its own y), and whether
// it may also move up or down.
struct TextPlaces {
    std::size_t item = 0;
    std::vector<double> xs;
    bool vertical = true;
};

// Boxes found by the grid cells they cover, so that a text looks only at what stands near it.
class BoxGrid {
public:
    explicit BoxGrid(double cell) : cell_(cell > 0 && std::isfinite(cell) ? cell : 1) {}

    void add(const TextBox& box, std::size_t id) {
        const long long x0 = at(box.left), x1 = at(box.right), y0 = at(box.bottom), y1 = at(box.top);
        if ((x1 - x0 + 1) * (y1 - y0 + 1) > kWide) {
            wide_.push_back(id);
            return;
        }
        for (long long x = x0; x <= x1; ++x) {
            for (long long y = y0; y <= y1; ++y) {
                cells_[key(x, y)].push_back(id);
            }
        }
    }

    /// Whether `hit` holds for one of the boxes near `box` (some may be offered twice).
    template <class Hit> bool any(const TextBox& box, const Hit& hit) const {
        if (std::any_of(wide_.begin(), wide_.end(), hit)) {
            return true;
        }
        for (long long x = at(box.left); x <= at(box.right); ++x) {
            for (long long y = at(box.bottom); y <= at(box.top); ++y) {
                const auto found = cells_.find(key(x, y));
                if (found != cells_.end() && std::any_of(found->second.begin(), found->second.end(), hit)) {
                    return true;
                }
            }
        }
        return false;
    }

    /// How many boxes lie in the cells `box` covers (beside those looked at by every text).
    std::size_t near(const TextBox& box) const {
        std::size_t n = 0;
        for (long long x = at(box.left); x <= at(box.right); ++x) {
            for (long long y = at(box.bottom); y <= at(box.top); ++y) {
                const auto found = cells_.find(key(x, y));
                n += found != cells_.end() ? found->second.size() : 0;
            }
        }
        return n;
    }

private:
    static constexpr long long kWide = 1024; // cells beyond which a box is looked at by every text
    long long at(double v) const {
        return static_cast<long long>(std::clamp(std::floor(v / cell_), -1e9, 1e9));
    }
    static long long key(long long x, long long y) { return x * 4000000007LL + y; }

    double cell_;
    std::unordered_map<long long, std::vector<std::size_t>> cells_;
    std::vector<std::size_t> wide_;
};

constexpr std::size_t kCrowded = 64;

// Moves each text that stands on a line of the chart, or on a text placed before it, to the nearest free
// place among its own: its x or another of `places`, then up or down in steps of half its height. A text
// keeps a gap of a tenth of its height to every line; one with no free place near keeps its own.
void placeTexts(std::vector<ChartItem>& items, const std::vector<TextPlaces>& places, double height) {
    const double gap = 0.1 * height;
    BoxGrid lines(4 * height), texts(4 * height);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ChartItem& l = items[i];
        if (l.kind == ChartItem::Kind::Line) {
            lines.add(
                {std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::max(l.x1, l.x2), std::max(l.y1, l.y2)}, i);
        }
    }
    std::vector<TextBox> placed;
    for (const TextPlaces& place : places) {
        ChartItem& item = items[place.item];
        const auto freeAt = [&](double x, double y) {
            const TextBox box = textBox(item.text, x, y, height);
            const TextBox clear = {box.left - gap, box.bottom - gap, box.right + gap, box.top + gap};
            return !lines.any(clear, [&](std::size_t i) { return runsInto(items[i], clear); }) &&
                   !texts.any(box, [&](std::size_t i) { return overlap(placed[i], box); });
        };
        // In a thick cloud of texts and lines (thousands of points along a short drawing) no near place is
        // worth the search: the text stays as the chart puts it.
        const TextBox own = textBox(item.text, item.x1, item.y1, height);
        const int steps = lines.near(own) + texts.near(own) > kCrowded ? -1 : place.vertical ? 16 : 0;
        bool found = false;
        for (int step = 0; step <= steps && !found; ++step) {
            const double dy = (step % 2 == 1 ? 1 : -1) * ((step + 1) / 2) * 0.5 * height;
            for (const double x : place.xs) {
                if (freeAt(x, item.y1 + dy)) {
                    item.x1 = x;
                    item.y1 += dy;
                    found = true;
                    break;
                }
            }
        }
        placed.push_back(textBox(item.text, item.x1, item.y1, height));
        texts.add(placed.back(), placed.size() - 1);
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
    // Each text with the other places it may take, found from its width.
    std::vector<TextPlaces> places;
    const auto label = [&](double x, double y, std::string s, int color, bool vertical,
                           const std::function<double(double)>& otherX = {}) {
        if (!text(out, x, y, std::move(s), color)) {
            return;
        }
        TextPlaces place{out.items.size() - 1, {x}, vertical};
        if (otherX) {
            const TextBox box = textBox(out.items.back().text, x, y, T);
            place.xs.push_back(otherX(box.right - box.left));
        }
        places.push_back(std::move(place));
    };
    label(ex + A, oy - T / 2, "桩号(m)", kAxisColor, true);

    // Station ticks at every whole pileStep inside the curve's range.
    const int J = tickCount(WholeDiv(xn - x1, P));
    const std::optional<long long> firstStep = WholeDiv(x1, P);
    for (int j = 1; firstStep && j <= J; ++j) {
        const double s = static_cast<double>(*firstStep + j) * P;
        const double x = s - x1 + ox;
        line(out, x, oy + A / 4, x, oy - A / 4, kAxisColor);
        // Standing on its tick, or ending there.
        label(x, oy - A / 2 - T, StationTickLabel(s, P), kAxisColor, true, [x](double w) { return x - w; });
    }

    // Value axis, arrowhead, title.
    const double max = MaxValue(points);
    const double vy = oy + 1.1 * S * max;
    line(out, ox, oy - 10, ox, vy, kAxisColor);
    line(out, ox, vy, ox + spread, vy - A, kAxisColor);
    line(out, ox, vy, ox - spread, vy - A, kAxisColor);
    // The title stands above the axis's upper end: above its arrowhead, or, on an axis that runs
    // downwards, above the origin, where the axis does not run through it.
    const double titleY = std::max(vy, oy) + A;
    label(ox - 2 * A, titleY, style.title, kAxisColor, true);
    out.titleY = titleY;

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
        // On its tick's line, ending short of the tick when it is too wide to begin where the others do.
        label(ox - A / 2 - 2 * A, y, vb::CStr(k * D), kAxisColor, false,
              [&](double w) { return ox - A / 2 - 0.1 * T - w; });
    }

    // The curve, a label at every point but the first.
    double px = ox;
    double py = oy + points.front().value * S;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double x = points[i].station - x1 + ox;
        const double y = oy + points[i].value * S;
        line(out, px, py, x, y, kCurveColor);
        // Right of its point, or as far left of it.
        label(x + A, y, PointLabel(points[i].station, points[i].value, style.valueFormat), kCurveColor, true,
              [&](double w) { return x - A - w; });
        px = x;
        py = y;
    }
    placeTexts(out.items, places, T);

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

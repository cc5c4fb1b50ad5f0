// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/point_lighting.h"

#include "platform/vb.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <system_error>
#include <thread>

namespace lighting {

namespace {

std::string Cell(const std::vector<std::string>& cells, std::size_t i) {
    return i < cells.size() ? cells[i] : std::string{};
}

std::optional<int> Whole(const std::string& text) {
    const std::optional<double> n = vb::StrictNumber(text);
    if (!n || !std::isfinite(*n)) {
        return std::nullopt;
    }
    const double r = vb::RoundHalfEven(*n);
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(r);
}

/// A whole number as the layout divides it: rounded half to even; nullopt beyond the 32-bit range.
std::optional<long long> Rounded(double v) {
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    const double r = vb::RoundHalfEven(v);
    if (std::fabs(r) > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<long long>(r);
}

} // namespace

CircuitLayout LayoutFromRow(const std::vector<std::string>& cells) {
    CircuitLayout c;
    c.Mounting = Whole(Cell(cells, 6));
    c.Transverse = vb::Val(Cell(cells, 8));
    c.Height = vb::Val(Cell(cells, 9));
    c.CountAlong = Whole(Cell(cells, 12));
    c.SpanAlong = vb::Val(Cell(cells, 13));
    c.CountAcross = Whole(Cell(cells, 14));
    c.SpanAcross = vb::Val(Cell(cells, 15));
    return c;
}

namespace {

/// Where the lamp positions of a circuit lie along the road: nBefore positions before the reference lamp,
/// `count` in all, `step` apart. `count` is 0 when the circuit gets no lamps.
struct Positions {
    long long nBefore = 0;
    long long count = 0;
    double step = 0;
    bool stepTooSmall = false;
};

Positions PositionsOf(double spacing, double distance, double areaLength, const CircuitLayout& layout) {
    Positions p;
    if (!layout.Mounting || *layout.Mounting < 0 || *layout.Mounting > kCentreLineMounting ||
        !layout.CountAlong || !layout.CountAcross || *layout.CountAlong < 1 || *layout.CountAcross < 1) {
        return p;
    }
    p.step = *layout.Mounting == kStaggeredMounting ? spacing / 2 : spacing;
    const std::optional<long long> divisor = Rounded(p.step);
    const std::optional<long long> before = Rounded(areaLength + distance);
    const std::optional<long long> after = Rounded(2 * areaLength - distance);
    if (!divisor || *divisor == 0) {
        p.stepTooSmall = true;
        return p;
    }
    if (!before || !after) {
        return p;
    }
    p.nBefore = *before / *divisor; // truncating, as the whole-number division does
    const long long nAfter = *after / *divisor;
    const long long positions = p.nBefore + nAfter + 1;
    if (positions >= 1) {
        p.count = positions;
    }
    return p;
}

} // namespace

long long CircuitLampCount(double spacing, double distance, double areaLength, const CircuitLayout& layout) {
    const Positions p = PositionsOf(spacing, distance, areaLength, layout);
    if (p.count == 0) {
        return 0;
    }
    const long long rows = *layout.Mounting == kSymmetricMounting ? 2 : 1;
    // Both counts fit in 31 bits, so their product fits; the rest saturates rather than wraps.
    const long long perPosition = static_cast<long long>(*layout.CountAlong) * *layout.CountAcross;
    if (perPosition > std::numeric_limits<long long>::max() / (p.count * rows)) {
        return std::numeric_limits<long long>::max();
    }
    return p.count * rows * perPosition;
}

CircuitLamps LayOutCircuit(const std::string& name, double spacing, double distance, double areaLength,
                           const CircuitLayout& layout) {
    CircuitLamps out;
    const Positions where = PositionsOf(spacing, distance, areaLength, layout);
    out.StepTooSmall = where.stepTooSmall;
    // More positions than a layout may hold lamps are left to the count guard of the caller.
    if (where.count == 0 || where.count > kMaxLamps) {
        return out;
    }
    const int mode = *layout.Mounting;
    const double step = where.step;
    const long long nBefore = where.nBefore;
    const long long positions = where.count;

    const double t = layout.Transverse;
    const int na = *layout.CountAlong;
    const int nt = *layout.CountAcross;
    auto addRow = [&](double X, double Y) {
        for (int m = 1; m <= na; ++m) {
            for (int n = 1; n <= nt; ++n) {
                LampPoint p;
                p.Name = name;
                p.Pos = {X - (na - 1) * layout.SpanAlong / 2 + (m - 1) * layout.SpanAlong,
                         Y - (nt - 1) * layout.SpanAcross / 2 + (n - 1) * layout.SpanAcross, layout.Height};
                out.Lamps.push_back(p);
            }
        }
    };

    // Staggered: the side of the first position is chosen so that the reference lamp lands on +t/2.
    double y = nBefore % 2 != 0 ? -t / 2 : t / 2;
    double sign = nBefore % 2 != 0 ? 1 : -1;
    for (long long k = 1; k <= positions; ++k) {
        const double X = distance - static_cast<double>(nBefore) * step + static_cast<double>(k - 1) * step;
        if (mode == kStaggeredMounting) {
            addRow(X, y);
            y += sign * t;
            sign = -sign;
        } else if (mode == kSymmetricMounting) {
            addRow(X, -t / 2);
            addRow(X, t / 2);
        } else {
            addRow(X, 0);
        }
    }
    return out;
}

GridCheck CheckGrid(double areaLength, int pointsAlong, int pointsAcross) {
    // The points along must lie at most 1 m apart; their spacing is SS / (nL − 1).
    if (pointsAlong < 2 || pointsAcross < 5 || !(areaLength / (pointsAlong - 1) <= 1)) {
        return GridCheck::Spacing;
    }
    if (pointsAcross % 2 == 0) {
        return GridCheck::EvenAcross;
    }
    return GridCheck::Ok;
}

std::vector<Point3> GridPoints(double areaLength, double roadWidth, int pointsAlong, int pointsAcross) {
    std::vector<Point3> points;
    if (pointsAlong < 2 || pointsAcross < 2) {
        return points;
    }
    const double dx = areaLength / (pointsAlong - 1);
    const double dy = roadWidth / (pointsAcross - 1);
    points.reserve(static_cast<std::size_t>(pointsAlong) * static_cast<std::size_t>(pointsAcross));
    for (int j = 1; j <= pointsAcross; ++j) {
        for (int i = 1; i <= pointsAlong; ++i) {
            points.push_back({(i - 1) * dx, -roadWidth / 2 + (j - 1) * dy, 0});
        }
    }
    return points;
}

Point3 Observer(double distanceToArea, double roadWidth) {
    return {-distanceToArea, -0.25 * roadWidth, kObserverHeight};
}

std::vector<PointValue>
SumOverPoints(const std::vector<LampPoint>& lamps, const std::vector<Point3>& points, const Point3& observer,
              const std::function<double(const LampPoint&, const Point3&)>& illuminance,
              const std::function<double(const LampPoint&, const Point3&, const Point3&)>& luminance,
              const std::function<void(int)>& progress) {
    std::vector<PointValue> values;
    values.reserve(points.size());
    int done = 0;
    for (const Point3& P : points) {
        PointValue v;
        v.y = P[1];
        for (const LampPoint& lamp : lamps) {
            v.E += illuminance(lamp, P);
            v.L += luminance(lamp, P, observer);
        }
        values.push_back(v);
        ++done;
        if (progress) {
            progress(done);
        }
    }
    return values;
}

namespace {

/// A lamp as the sum reads it at every point: its aim and its table formed once.
struct ReadyLamp {
    const PlacedLamp* lamp;
    LampAim aim;
    std::optional<KeyedTable> table;
};

ReadyLamp Ready(const PlacedLamp& lamp) {
    ReadyLamp r{&lamp, {}, std::nullopt};
    if (lamp.Source != nullptr) {
        r.aim = AimOf(lamp.Source->Circuit, lamp.Pos[0], lamp.Pos[1]);
        if (lamp.Source->HasTable) {
            r.table.emplace(lamp.Source->Table);
        }
    }
    return r;
}

PointValue ReadyLampAtPoint(const ReadyLamp& ready, const Point3& P, const Point3& O,
                            const KeyedTable& road) {
    PointValue v;
    v.y = P[1];
    const PlacedLamp& lamp = *ready.lamp;
    if (lamp.Source == nullptr) {
        return v;
    }
    const LampCircuit& circuit = lamp.Source->Circuit;
    const LampDirection dir = DirectionFromAim(ready.aim, P[0], P[1]);
    const double I = ready.table ? IntensityOf(*ready.table, dir) : 0;
    v.E = PointIlluminance(I, dir.Gamma, circuit.Flux, circuit.Maintenance, lamp.Pos[2]);
    const double beta = ObservationAngle(lamp.Pos[0], lamp.Pos[1], P[0], P[1], O[0], O[1]);
    v.L = PointLuminance(I, dir.Gamma, beta, circuit.Flux, circuit.Maintenance, road, lamp.Pos[2]);
    return v;
}

} // namespace

PointValue LampAtPoint(const PlacedLamp& lamp, const Point3& P, const Point3& O, const CoefTable& road) {
    return ReadyLampAtPoint(Ready(lamp), P, O, KeyedTable(road));
}

unsigned AllThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

std::vector<PointValue> SumOverLamps(const std::vector<PlacedLamp>& lamps, const std::vector<Point3>& points,
                                     const Point3& observer, const CoefTable& road, unsigned threads,
                                     const std::function<void(int)>& progress) {
    const std::size_t n = points.size();
    std::vector<PointValue> values(n);
    std::vector<ReadyLamp> ready;
    ready.reserve(lamps.size());
    for (const PlacedLamp& lamp : lamps) {
        ready.push_back(Ready(lamp));
    }
    const KeyedTable roadTable(road);
    // Points are handed out in small chunks, so that threads finishing early take more work; the value of
    // a point is always the sum over the lamps in their order by one thread.
    constexpr std::size_t kChunk = 16;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    auto work = [&](bool report) {
        for (;;) {
            const std::size_t start = next.fetch_add(kChunk);
            if (start >= n) {
                return;
            }
            const std::size_t end = std::min(n, start + kChunk);
            for (std::size_t i = start; i < end; ++i) {
                PointValue v;
                v.y = points[i][1];
                for (const ReadyLamp& lamp : ready) {
                    const PointValue one = ReadyLampAtPoint(lamp, points[i], observer, roadTable);
                    v.E += one.E;
                    v.L += one.L;
                }
                values[i] = v;
            }
            const std::size_t total = done.fetch_add(end - start) + (end - start);
            if (report && progress) {
                progress(static_cast<int>(total));
            }
        }
    };
    const unsigned wanted = threads == 0 ? AllThreads() : threads;
    const std::size_t helpers = std::min<std::size_t>(wanted - 1, n / kChunk);
    std::vector<std::thread> pool;
    pool.reserve(helpers);
    for (std::size_t t = 0; t < helpers; ++t) {
        try {
            pool.emplace_back(work, false);
        } catch (const std::system_error&) {
            break; // no more threads to be had: the ones running and this one share the points
        }
    }
    work(true);
    for (std::thread& t : pool) {
        t.join();
    }
    if (progress) {
        progress(static_cast<int>(n));
    }
    return values;
}

std::optional<long long> AskedCount(const std::string& text) {
    const std::optional<double> n = vb::StrictNumber(text);
    if (!n || std::isnan(*n)) {
        return std::nullopt;
    }
    constexpr double kCap = 1e15;
    const double r = vb::RoundHalfEven(std::max(-kCap, std::min(kCap, *n)));
    return static_cast<long long>(r);
}

long long AskedProduct(long long a, long long b, long long limit) {
    return a > limit || b > limit ? std::max(a, b) : a * b;
}

LightingSummary Summarise(const std::vector<PointValue>& values) {
    LightingSummary s;
    if (values.empty()) {
        return s;
    }
    s.EE_min = std::numeric_limits<double>::infinity();
    s.LL_min = std::numeric_limits<double>::infinity();
    double centreMin = std::numeric_limits<double>::infinity();
    double centreMax = 0;
    bool centre = false;
    double sumE = 0, sumL = 0;
    for (const PointValue& v : values) {
        s.EE_min = std::min(s.EE_min, v.E);
        s.EE_max = std::max(s.EE_max, v.E);
        s.LL_min = std::min(s.LL_min, v.L);
        s.LL_max = std::max(s.LL_max, v.L);
        sumE += v.E;
        sumL += v.L;
        if (std::fabs(v.y) < 0.0001) {
            centre = true;
            centreMin = std::min(centreMin, v.L);
            centreMax = std::max(centreMax, v.L);
        }
    }
    const double n = static_cast<double>(values.size());
    s.EE_av = sumE / n;
    s.LL_av = sumL / n;
    if (centre) {
        s.LL_min_p = centreMin;
        s.LL_max_p = centreMax;
    }
    if (s.LL_av != 0) {
        s.UU_0 = s.LL_min / s.LL_av;
    }
    if (centre && centreMax != 0) {
        s.UU_l = centreMin / centreMax;
    }
    return s;
}

RequiredUniformity RequiredUniformityFor(double volume, bool twoWay) {
    // Two-way traffic asks the stricter uniformities at the lower volumes, as the threshold factors do.
    const double high = twoWay ? 1300 : 2400;
    const double low = twoWay ? 360 : 700;
    if (volume >= high) {
        return {0.4, 0.6};
    }
    if (volume <= low) {
        return {0.3, 0.5};
    }
    const double share = (volume - low) * 0.1 / (high - low);
    return {share + 0.3, share + 0.5};
}

std::string ResultText(double LL_av, double LL_zone, const std::optional<double>& UU_0,
                       const std::optional<double>& UU_l, const RequiredUniformity& required) {
    auto f = [](double v) { return vb::Format(v, "0.00"); };
    std::string text = "计算平均亮度: " + f(LL_av) +
                       (LL_av >= LL_zone ? " > 规范要求值: " : " < 规范要求值: ") + f(LL_zone) + "\r\n";
    text += "路面亮度总均匀度:";
    if (UU_0) {
        text += f(*UU_0) + (*UU_0 >= required.Uo ? " > 规范要求值:" : " < 规范要求值:");
    } else {
        text += "无法计算(平均亮度为0), 规范要求值:";
    }
    text += f(required.Uo) + "\r\n";
    text += "亮度纵向  均匀度:";
    if (UU_l) {
        text += f(*UU_l) + (*UU_l >= required.Ul ? " > 规范要求值:" : " < 规范要求值:");
    } else {
        text += "无法计算(中线上最大亮度为0), 规范要求值:";
    }
    text += f(required.Ul);
    return text;
}

} // namespace lighting

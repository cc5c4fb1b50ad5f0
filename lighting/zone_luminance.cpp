// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/zone_luminance.h"

#include "app/finite.h"
#include "platform/vb.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using app::assign_if_finite;
using modPublic::Interpolate1D;
using modPublic::Interpolate2D;
using modPublic::MaxOf;
using modPublic::MinOf;

namespace lighting {

int AccessLuminanceRow(int skyPosition, int surroundingsPosition) {
    return 2 * skyPosition + surroundingsPosition + 1;
}

double TanTenDegrees() {
    return std::tan(10 * 3.1415926 / 180);
}

double ZoneValues::Luminance(int z) const {
    const double l[kZoneCount] = {LL_th, LL_tr1, LL_tr2, LL_tr3, LL_in, LL_exit};
    return z >= 0 && z < kZoneCount ? l[z] : 0;
}

double ZoneValues::Length(int z) const {
    const double d[kZoneCount] = {DD_th, DD_tr1, DD_tr2, DD_tr3, DD_in, DD_exit};
    return z >= 0 && z < kZoneCount ? d[z] : 0;
}

namespace {

/// The table, or nullptr after noting its key as missing.
const CoefTable* need(const std::optional<CoefTable>& table, const char* key, ZoneNotes& notes) {
    if (table && !table->empty()) {
        return &*table;
    }
    notes.MissingTables.emplace_back(key);
    return nullptr;
}

} // namespace

std::optional<double> EntranceGrade(const std::vector<double>& slopes, bool rightLine, bool twoWay,
                                    const std::optional<CoefTable>& DD_s, double vt) {
    if (slopes.empty()) {
        return std::nullopt;
    }
    // Traffic entering at the larger station drives the list backwards, down what the rows call up.
    const double atStart = slopes.front();
    const double atEnd = slopes.back() == 0 ? 0 : -slopes.back();
    if (!twoWay) {
        return rightLine ? atStart : atEnd;
    }
    if (DD_s && !DD_s->empty()) {
        const double dsStart = Interpolate2D(*DD_s, atStart, vt);
        const double dsEnd = Interpolate2D(*DD_s, atEnd, vt);
        if (std::isfinite(dsStart) && std::isfinite(dsEnd) && dsStart != dsEnd) {
            return dsStart > dsEnd ? atStart : atEnd;
        }
    }
    return atEnd < atStart ? atEnd : atStart;
}

ZoneNotes CalculateZones(const ZoneInputs& in, const ZoneTables& tables, ZoneValues& v) {
    ZoneNotes notes;
    const double L = in.L;

    // Interior and exit luminance.
    if (const CoefTable* t =
            in.twoWay ? need(tables.LL_in2, "LL_in2", notes) : need(tables.LL_in1, "LL_in1", notes)) {
        assign_if_finite(v.LL_in, Interpolate2D(*t, in.N, in.vt));
    }
    assign_if_finite(v.LL_exit, 5 * v.LL_in);

    // Threshold factor: k1 belongs to two-way traffic, k2 to one-way traffic.
    if (const CoefTable* t = in.twoWay ? need(tables.k1, "k1", notes) : need(tables.k2, "k2", notes)) {
        assign_if_finite(v.k, Interpolate2D(*t, in.vt, in.N));
    }
    assign_if_finite(v.LL_20_S, in.L20);

    // Threshold luminance by daylight; the clear-sky day stands in for a missing mode.
    const int mode = in.mode < 0 ? 0 : in.mode;
    static constexpr double kDaylight[4] = {1.0, 0.5, 0.25, 0.13};
    if (mode < 4) {
        assign_if_finite(v.LL_th, v.k * v.LL_20_S * kDaylight[mode]);
    }

    // Consecutive tunnels: a reduction only when the gap is driven in under 30 s and the preceding tunnel
    // takes longer than 30 s to pass.
    if (in.vt != 0) {
        const double t = in.span * 3.6 / in.vt;
        if (std::isfinite(t)) {
            if (t >= 30 || in.vt * 30 / 3.6 >= in.preLength) {
                v.dDiscount = 0;
            } else if (const CoefTable* kd = need(tables.kdiscount, "kdiscount", notes)) {
                assign_if_finite(v.dDiscount, Interpolate1D(*kd, t));
            } else {
                // A reduction from a table we do not have would be a guess; full threshold luminance is
                // the safe side.
                v.dDiscount = 0;
                notes.DiscountNotApplied = true;
            }
        }
    }
    assign_if_finite(v.LL_th, v.LL_th * (1 - 0.01 * v.dDiscount));

    // Transitions, never below the interior luminance.
    v.LL_tr1 = MaxOf(0.3 * v.LL_th, v.LL_in);
    v.LL_tr2 = MaxOf(0.1 * v.LL_th, v.LL_in);
    v.LL_tr3 = MaxOf(0.035 * v.LL_th, v.LL_in);

    // Night.
    if (mode == 4) {
        v.LL_th = v.LL_tr1 = v.LL_tr2 = v.LL_tr3 = v.LL_exit = v.LL_in;
    } else if (mode == 5) {
        const double m = MaxOf(0.5 * v.LL_in, 1.0);
        v.LL_th = v.LL_tr1 = v.LL_tr2 = v.LL_tr3 = v.LL_exit = m;
        v.LL_in = m;
    }

    // Lengths: threshold, then the exit zone, the transitions in turn, and the interior takes the rest.
    if (const CoefTable* t = need(tables.DD_s, "DD_s", notes)) {
        assign_if_finite(v.DD_s, Interpolate2D(*t, in.slope, in.vt));
    }
    assign_if_finite(v.DD_th, MaxOf(0, MinOf(1.154 * v.DD_s - (in.h - 1.5) / TanTenDegrees(), L)));
    assign_if_finite(v.DD_exit, in.twoWay ? 0 : MaxOf(0, MinOf(60, L - v.DD_th)));
    if (const CoefTable* t = need(tables.DD_tr, "DD_tr", notes)) {
        // What is left is the length less each earlier zone taken off in turn, from the entrance.
        double* tr[3] = {&v.DD_tr1, &v.DD_tr2, &v.DD_tr3};
        double left = L - v.DD_th - v.DD_exit;
        for (int z = 1; z <= 3; ++z) {
            assign_if_finite(*tr[z - 1], MaxOf(0, MinOf(Interpolate2D(*t, z, in.vt), left)));
            left -= *tr[z - 1];
        }
    }
    assign_if_finite(v.DD_in, MaxOf(0, L - v.DD_th - v.DD_exit - v.DD_tr1 - v.DD_tr2 - v.DD_tr3));
    return notes;
}

std::vector<std::string> SortVolumes(const std::vector<std::string>& volumes) {
    const std::size_t n = volumes.size();
    std::vector<double> value(n);
    for (std::size_t i = 0; i < n; ++i) {
        value[i] = vb::Val(volumes[i]);
    }
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return value[a] < value[b]; });
    // Equal values of the same text are indistinguishable, so the stable order is the exchange's. Equal
    // values written differently ("1000", "1000.0") may come out otherwise from the exchange, which moves
    // volumes past each other: those are ordered by the exchange itself, on the numbers read once.
    bool writtenDifferently = false;
    for (std::size_t i = 1; i < n && !writtenDifferently; ++i) {
        writtenDifferently =
            value[order[i]] == value[order[i - 1]] && volumes[order[i]] != volumes[order[i - 1]];
    }
    if (writtenDifferently) {
        std::iota(order.begin(), order.end(), std::size_t{0});
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i + 1; j < n; ++j) {
                if (value[order[j]] < value[order[i]]) {
                    std::swap(order[i], order[j]);
                }
            }
        }
    }
    std::vector<std::string> sorted;
    sorted.reserve(n);
    for (std::size_t i : order) {
        sorted.push_back(volumes[i]);
    }
    return sorted;
}

} // namespace lighting

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// One named coefficient table of the table file.
///
/// The table is 1-based in its meaning and 0-based in storage: column key x(j) is x[j - 1], row key y(i)
/// is y[i - 1], value v(i, j) is v[i - 1][j - 1]. The accessors X(j), Y(i) and V(i, j) take the 1-based
/// indices and give 0 for an index outside the table, so a hand-built ragged table cannot be read past
/// its end. A table that was never loaded has all three arrays empty; every lookup in it gives 0.
struct CoefTable {
    std::vector<double> x;              ///< column keys x(1..nx), strictly monotonic
    std::vector<double> y;              ///< row keys y(1..ny); a one-row table holds y(1) = 0, never read
    std::vector<std::vector<double>> v; ///< v(i, j) belongs to row key y(i) and column key x(j)

    int nx() const { return static_cast<int>(x.size()); }
    int ny() const { return static_cast<int>(y.size()); }
    bool empty() const { return x.empty(); }

    double X(int j) const;
    double Y(int i) const;
    double V(int i, int j) const;
};

namespace modPublic {

/// Up to this many values (ny × nx) a count line is taken; no table of an installation comes near it, and
/// a larger count is a damaged line that must not allocate gigabytes.
inline constexpr long long kMaxTableValues = 1LL << 22;

/// How reading one table went.
enum class TableRead {
    Loaded,    ///< the whole table was read
    CutShort,  ///< the file ended inside the table: what was read is filled in, the rest is 0
    NotFound,  ///< no line "[key]" (or the file could not be read): the caller's arrays stay as they were
    BadCounts, ///< the count line is missing, not two whole numbers of 1 or more, or too large: unchanged
};

/// A table parsed from the lines of a table file; `table` is meaningful for Loaded and CutShort only.
struct ParsedTable {
    TableRead status = TableRead::NotFound;
    CoefTable table;
};

/// Finds the first section "[key]" (exact, case-sensitive, nothing around it) in the lines of a table file
/// and parses its table: the count line (ny, then nx; commas or blanks separate them, each a 16-bit whole
/// number), the nx column keys, the ny row keys only when ny > 1, then ny value lines.
ParsedTable ParseTable(const std::vector<std::string>& lines, std::string_view key);

/// Fills `values` (already sized) from the comma-separated pieces of `line`: piece k (from 1) goes to
/// values(k) as its leading number (0 for an empty piece or text). Pieces beyond the array are dropped;
/// slots the line has no piece for keep their value.
void SplitNumbers(std::vector<double>& values, std::string_view line);

/// Linear lookup of `key` in row 1 of `v` along the column keys `x`. Outside the keys it gives the value
/// at the nearer end (never extrapolates), for ascending and descending keys; a single key always gives
/// its value. Gives 0 for an empty table, a NaN key, and a key that no pair brackets on a non-monotonic
/// axis.
double Interpolate1D(const std::vector<double>& x, const std::vector<std::vector<double>>& v, double key);
double Interpolate1D(const CoefTable& table, double key);

/// Bilinear lookup: `dx` along the column keys `x`, `dy` along the row keys `y`, each axis clamped to its
/// ends independently. A one-row table gives what Interpolate1D gives. 0 for an empty table.
double Interpolate2D(const std::vector<double>& x, const std::vector<double>& y,
                     const std::vector<std::vector<double>>& v, double dx, double dy);
double Interpolate2D(const CoefTable& table, double dx, double dy);

/// Lower and upper key positions (1-based) that bracket a key on one axis; lo = hi where the key holds at
/// one key (an end it is clamped to, or a one-key axis).
struct KeySpan {
    int lo;
    int hi;
};

/// The straight line through (x0, v0) and (x1, v1) at `key`. A key on either end gives that end's value
/// exactly (a table's own keys must give its own values), and a pair of repeated keys gives the first.
inline double Lerp(double x0, double x1, double v0, double v1, double key) {
    if (key == x0 || x1 == x0) {
        return v0;
    }
    if (key == x1) {
        return v1;
    }
    return v0 + (key - x0) * (v1 - v0) / (x1 - x0);
}

/// v(i, j) of the 1-based indices; 0 for an index outside the table.
inline double ValueAt(const std::vector<std::vector<double>>& v, int i, int j) {
    if (i < 1 || static_cast<std::size_t>(i) > v.size()) {
        return 0.0;
    }
    const std::vector<double>& row = v[static_cast<std::size_t>(i - 1)];
    return (j >= 1 && static_cast<std::size_t>(j) <= row.size()) ? row[static_cast<std::size_t>(j - 1)] : 0.0;
}

/// Row `row` of `v` at `key` between the column keys of `s`.
inline double AlongRow(const std::vector<double>& x, const std::vector<std::vector<double>>& v, int row,
                       KeySpan s, double key) {
    if (s.lo == s.hi) {
        return ValueAt(v, row, s.lo);
    }
    return Lerp(x[static_cast<std::size_t>(s.lo - 1)], x[static_cast<std::size_t>(s.hi - 1)],
                ValueAt(v, row, s.lo), ValueAt(v, row, s.hi), key);
}

/// The bilinear step of Interpolate2D once each axis has its bracketing key positions: `dx` between the
/// column keys of `sx`, then `dy` between the row keys of `sy`. Inline: the lamp tables take it for every
/// lamp and point.
inline double InterpolateBetween(const std::vector<double>& x, const std::vector<double>& y,
                                 const std::vector<std::vector<double>>& v, KeySpan sx, KeySpan sy, double dx,
                                 double dy) {
    const double a = AlongRow(x, v, sy.lo, sx, dx);
    if (sy.lo == sy.hi) {
        return a;
    }
    const double b = AlongRow(x, v, sy.hi, sx, dx);
    return Lerp(y[static_cast<std::size_t>(sy.lo - 1)], y[static_cast<std::size_t>(sy.hi - 1)], a, b, dy);
}

/// `a` when a > b, else `b` (equal arguments give the second).
double MaxOf(double a, double b);
/// `a` when a < b, else `b` (equal arguments give the second).
double MinOf(double a, double b);

} // namespace modPublic

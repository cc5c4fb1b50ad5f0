// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace app {

/// The stations of a slope or cross-section list in list order. Each row ends the stretch that begins
/// at the previous row's station (the start station for the first row), and a search takes the first
/// row, in list order, whose stretch holds the station. The lists keep what the user typed, so the rows
/// may come in any order; when their stations never decrease from the start station the stretches lie
/// one after the other, at most one row can hold a station, and it is found by bisection. Otherwise each
/// search walks the rows from the first, which gives the same row.
class StationRows {
public:
    StationRows() = default;
    StationRows(double startPile, std::vector<double> piles);

    /// First row (0-based) with previous station < pile < own station; -1 when none.
    long FindOpen(double pile) const;
    /// First row (0-based) with previous station <= pile < own station; -1 when none.
    long FindHalfOpen(double pile) const;
    /// FindOpen for stations looked up in ascending order, as the midpoints of a segment cut come:
    /// `cursor` (0 before the first look-up) carries the place of the last one, so that a whole cut
    /// walks the rows once. A station below the last one is searched afresh.
    long FindOpenAscending(double pile, std::size_t& cursor) const;

    /// Whether the stations never decrease from the start station (and none is NaN).
    bool InOrder() const { return inOrder_; }
    double StartPile() const { return startPile_; }
    /// Station of row r (0-based).
    double Pile(std::size_t r) const { return piles_[r]; }
    /// The station the stretch of row r begins at.
    double PreviousPile(std::size_t r) const { return r == 0 ? startPile_ : piles_[r - 1]; }
    std::size_t size() const { return piles_.size(); }

private:
    double startPile_ = 0;
    std::vector<double> piles_;
    bool inOrder_ = true;
};

/// The distinct stations of `piles` (exact comparison; NaN dropped), ascending. Of equal stations the
/// first in `piles` is kept, which tells 0 from -0.
std::vector<double> DistinctSorted(std::vector<double> piles);

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/station_rows.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace app {

namespace {

/// The first row, in list order, whose stretch (previous station .. own station) holds the pile by
/// `holds`. Over stations in order only the first row whose station lies beyond the pile can hold it.
template <typename Holds>
long findRow(const std::vector<double>& piles, double startPile, bool inOrder, double pile, Holds holds) {
    if (!inOrder) {
        double prev = startPile;
        for (std::size_t r = 0; r < piles.size(); ++r) {
            if (holds(prev, piles[r])) {
                return static_cast<long>(r);
            }
            prev = piles[r];
        }
        return -1;
    }
    const auto r =
        static_cast<std::size_t>(std::upper_bound(piles.begin(), piles.end(), pile) - piles.begin());
    if (r == piles.size()) {
        return -1;
    }
    return holds(r == 0 ? startPile : piles[r - 1], piles[r]) ? static_cast<long>(r) : -1;
}

} // namespace

StationRows::StationRows(double startPile, std::vector<double> piles)
    : startPile_(startPile), piles_(std::move(piles)) {
    // `<=` is false for NaN, so a NaN anywhere also sends the searches down the walk.
    double prev = startPile_;
    for (double pile : piles_) {
        if (!(prev <= pile)) {
            inOrder_ = false;
            break;
        }
        prev = pile;
    }
}

long StationRows::FindOpen(double pile) const {
    return findRow(piles_, startPile_, inOrder_, pile,
                   [pile](double prev, double x) { return pile > prev && x > pile; });
}

long StationRows::FindOpenAscending(double pile, std::size_t& cursor) const {
    if (!inOrder_) {
        return FindOpen(pile);
    }
    if (cursor > piles_.size() || (cursor > 0 && !(piles_[cursor - 1] <= pile))) {
        cursor =
            static_cast<std::size_t>(std::upper_bound(piles_.begin(), piles_.end(), pile) - piles_.begin());
    } else {
        while (cursor < piles_.size() && piles_[cursor] <= pile) {
            ++cursor;
        }
    }
    if (cursor == piles_.size()) {
        return -1;
    }
    return pile > PreviousPile(cursor) ? static_cast<long>(cursor) : -1;
}

long StationRows::FindHalfOpen(double pile) const {
    return findRow(piles_, startPile_, inOrder_, pile,
                   [pile](double prev, double x) { return x > pile && pile >= prev; });
}

std::vector<double> DistinctSorted(std::vector<double> piles) {
    // 0 and -0 compare equal: the one met first is the one kept.
    const auto firstZero = std::find(piles.begin(), piles.end(), 0.0);
    const std::optional<double> zero =
        firstZero != piles.end() ? std::optional<double>(*firstZero) : std::nullopt;
    std::erase_if(piles, [](double pile) { return std::isnan(pile); });

    // Lists typed in order come as a few ascending runs, which are merged rather than sorted.
    constexpr std::size_t kMaxRuns = 16;
    std::vector<std::size_t> runs{0};
    for (std::size_t i = 1; i < piles.size() && runs.size() <= kMaxRuns; ++i) {
        if (piles[i] < piles[i - 1]) {
            runs.push_back(i);
        }
    }
    if (runs.size() > kMaxRuns) {
        std::sort(piles.begin(), piles.end());
    } else {
        runs.push_back(piles.size());
        while (runs.size() > 2) {
            std::vector<std::size_t> merged{0};
            for (std::size_t k = 2; k < runs.size(); k += 2) {
                std::inplace_merge(piles.begin() + static_cast<std::ptrdiff_t>(runs[k - 2]),
                                   piles.begin() + static_cast<std::ptrdiff_t>(runs[k - 1]),
                                   piles.begin() + static_cast<std::ptrdiff_t>(runs[k]));
                merged.push_back(runs[k]);
            }
            if (runs.size() % 2 == 0) {
                merged.push_back(runs.back());
            }
            runs = std::move(merged);
        }
    }
    piles.erase(std::unique(piles.begin(), piles.end()), piles.end());
    if (zero) {
        const auto it = std::lower_bound(piles.begin(), piles.end(), 0.0);
        if (it != piles.end() && *it == 0.0) {
            *it = *zero;
        }
    }
    return piles;
}

} // namespace app

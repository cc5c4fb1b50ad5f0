// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/station_lookup.h"

#include <algorithm>
#include <utility>

namespace ventparam {

namespace {

template <typename Row> std::vector<double> pilesOf(const std::vector<Row>& rows) {
    std::vector<double> piles;
    piles.reserve(rows.size());
    for (const Row& row : rows) {
        piles.push_back(row.Pile);
    }
    return piles;
}

} // namespace

IndexedStations::IndexedStations(StationLists lists)
    : Lists(std::move(lists)), SectionRows(Lists.StartPile, pilesOf(Lists.Sections)),
      SlopeRows(Lists.StartPile, pilesOf(Lists.Slopes)) {}

double ClampToTunnel(double pile, double startPile, double tunnelLength) {
    if (startPile >= pile) {
        pile = startPile + kClampInset;
    }
    if (startPile + tunnelLength <= pile) {
        pile = startPile + tunnelLength - kClampInset;
    }
    return pile;
}

// Half-open row search: a station equal to a row's end station belongs to the next row.
long FindSectionRow(const IndexedStations& stations, double pile) {
    return stations.SectionRows.FindHalfOpen(pile);
}

long FindSectionRow(const StationLists& lists, double pile) {
    return app::StationRows(lists.StartPile, pilesOf(lists.Sections)).FindHalfOpen(pile);
}

double GetAA_r(const IndexedStations& stations, double dPile, double* dDr) {
    const StationLists& lists = stations.Lists;
    const long r = FindSectionRow(stations, ClampToTunnel(dPile, lists.StartPile, lists.TunnelLength));
    if (r < 0) {
        return 0.0;
    }
    const SectionCells& row = lists.Sections[static_cast<std::size_t>(r)];
    if (dDr != nullptr && row.Diameter) {
        *dDr = *row.Diameter;
    }
    return row.Area.value_or(0.0);
}

double GetAA_r(const StationLists& lists, double dPile, double* dDr) {
    return GetAA_r(IndexedStations(lists), dPile, dDr);
}

double GetUU_r(const IndexedStations& stations, double dPile) {
    const StationLists& lists = stations.Lists;
    const long r = FindSectionRow(stations, ClampToTunnel(dPile, lists.StartPile, lists.TunnelLength));
    if (r < 0) {
        return 0.0;
    }
    return lists.Sections[static_cast<std::size_t>(r)].Perimeter.value_or(0.0);
}

double GetUU_r(const StationLists& lists, double dPile) {
    return GetUU_r(IndexedStations(lists), dPile);
}

double GetSlope_i(const IndexedStations& stations, double dPile) {
    const StationLists& lists = stations.Lists;
    const long r = stations.SlopeRows.FindHalfOpen(dPile);
    if (r < 0) {
        return 0.0;
    }
    const double slope = lists.Slopes[static_cast<std::size_t>(r)].Slope.value_or(0.0);
    // A slope of 0 stays 0 rather than becoming -0 on the left line.
    return lists.LeftLine && slope != 0 ? -slope : slope;
}

double GetSlope_i(const StationLists& lists, double dPile) {
    return GetSlope_i(IndexedStations(lists), dPile);
}

std::vector<double> SlopeChanges(const IndexedStations& stations, double from, double to) {
    const double lo = std::min(from, to), hi = std::max(from, to);
    const app::StationRows& rows = stations.SlopeRows;
    std::vector<double> inside;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (const double pile : {rows.PreviousPile(r), rows.Pile(r)}) {
            if (lo < pile && pile < hi) {
                inside.push_back(pile);
            }
        }
    }
    return app::DistinctSorted(std::move(inside));
}

double GetWorkv_t(const StationLists& lists, double dPile, int iCaseID, double oneWaySpeed,
                  double twoWaySpeed) {
    switch (iCaseID) {
    case 1:
        return oneWaySpeed;
    case 2:
        return twoWaySpeed;
    case 3: {
        double s = lists.StartPile;
        for (const BlockCells& block : lists.Blocks) {
            const double e = s + block.Length;
            if (s < dPile && dPile <= e) {
                return block.Speed.value_or(0.0);
            }
            s = e;
        }
        return 0.0;
    }
    default:
        return 0.0;
    }
}

} // namespace ventparam

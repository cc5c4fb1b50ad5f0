// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/station_lookup.h"

namespace ventparam {

namespace {

/// Half-open row search: a station equal to a row's end station belongs to the next row.
template <typename Row> long findRow(const std::vector<Row>& rows, double startPile, double pile) {
    double prev = startPile;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double x = rows[r].Pile;
        if (x > pile && pile >= prev) {
            return static_cast<long>(r);
        }
        prev = x;
    }
    return -1;
}

} // namespace

double ClampToTunnel(double pile, double startPile, double tunnelLength) {
    if (startPile >= pile) {
        pile = startPile + kClampInset;
    }
    if (startPile + tunnelLength <= pile) {
        pile = startPile + tunnelLength - kClampInset;
    }
    return pile;
}

long FindSectionRow(const StationLists& lists, double pile) {
    return findRow(lists.Sections, lists.StartPile, pile);
}

double GetAA_r(const StationLists& lists, double dPile, double* dDr) {
    const long r = FindSectionRow(lists, ClampToTunnel(dPile, lists.StartPile, lists.TunnelLength));
    if (r < 0) {
        return 0.0;
    }
    const SectionCells& row = lists.Sections[static_cast<std::size_t>(r)];
    if (dDr != nullptr && row.Diameter) {
        *dDr = *row.Diameter;
    }
    return row.Area.value_or(0.0);
}

double GetUU_r(const StationLists& lists, double dPile) {
    const long r = FindSectionRow(lists, ClampToTunnel(dPile, lists.StartPile, lists.TunnelLength));
    if (r < 0) {
        return 0.0;
    }
    return lists.Sections[static_cast<std::size_t>(r)].Perimeter.value_or(0.0);
}

double GetSlope_i(const StationLists& lists, double dPile) {
    const long r = findRow(lists.Slopes, lists.StartPile, dPile);
    if (r < 0) {
        return 0.0;
    }
    const double slope = lists.Slopes[static_cast<std::size_t>(r)].Slope.value_or(0.0);
    // A slope of 0 stays 0 rather than becoming -0 on the left line.
    return lists.LeftLine && slope != 0 ? -slope : slope;
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

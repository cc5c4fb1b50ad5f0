// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/station_rows.h"

#include <optional>
#include <vector>

namespace ventparam {

/// One row of the cross-section list: its station (the leading number of the row text) ends the stretch
/// the row describes. A column that does not read as a number is empty.
struct SectionCells {
    double Pile = 0;                 ///< [m]
    std::optional<double> Area;      ///< column 1 [m²]
    std::optional<double> Perimeter; ///< column 2 [m]
    std::optional<double> Diameter;  ///< column 3, equivalent diameter [m]
};

/// One row of the slope list; the station ends the stretch of the row.
struct SlopeCells {
    double Pile = 0;             ///< [m]
    std::optional<double> Slope; ///< column 1 [%]
};

/// One congestion block; blocks lie end to end from the tunnel start, in list order.
struct BlockCells {
    double Length = 0;           ///< the row text [m]
    std::optional<double> Speed; ///< column 1, vehicle speed [km/h]
};

/// The main window's station lists as they stand at the moment of a call.
struct StationLists {
    double StartPile = 0;    ///< tunnel start station [m]
    double TunnelLength = 0; ///< start to the last slope station [m]
    std::vector<SectionCells> Sections;
    std::vector<SlopeCells> Slopes;
    std::vector<BlockCells> Blocks;
    bool LeftLine = false; ///< stations decrease in the driving direction
};

/// The lists with their row searches prepared once, for the many lookups of one calculation. The row
/// searches follow the stations and the start station the lists held when this was made.
struct IndexedStations {
    IndexedStations() = default;
    explicit IndexedStations(StationLists lists);
    StationLists Lists;
    app::StationRows SectionRows; ///< stations of Lists.Sections
    app::StationRows SlopeRows;   ///< stations of Lists.Slopes
};

/// How far inside the tunnel a station at or beyond one of its ends is looked up [m].
inline constexpr double kClampInset = 0.01;

/// The station moved 0.01 m inside the tunnel when it lies at or before the start, or at or beyond the
/// end (start + length).
double ClampToTunnel(double pile, double startPile, double tunnelLength);

/// 0-based index of the first cross-section row whose stretch holds the station (previous station
/// included, own station excluded); -1 when none does.
long FindSectionRow(const StationLists& lists, double pile);
long FindSectionRow(const IndexedStations& stations, double pile);

/// Cross-section area at the station, clamped to the tunnel [m²]; *dDr receives the equivalent diameter
/// of the row found (left alone when no row holds the station or its diameter is not a number). 0 when
/// no row holds the station or its area is not a number.
double GetAA_r(const StationLists& lists, double dPile, double* dDr = nullptr);
double GetAA_r(const IndexedStations& stations, double dPile, double* dDr = nullptr);

/// Wetted perimeter at the station, clamped to the tunnel [m]; 0 as GetAA_r gives 0.
double GetUU_r(const StationLists& lists, double dPile);
double GetUU_r(const IndexedStations& stations, double dPile);

/// Longitudinal slope at the station in the driving direction [%]; no clamp: 0 before the start, at or
/// beyond the last slope station, or when the slope is not a number.
double GetSlope_i(const StationLists& lists, double dPile);
double GetSlope_i(const IndexedStations& stations, double dPile);

/// The stations strictly between `from` and `to` (either order) where a slope row begins or ends,
/// ascending and distinct: the slope GetSlope_i gives can change only there.
std::vector<double> SlopeChanges(const IndexedStations& stations, double from, double to);

/// Vehicle speed of a traffic case at the station [km/h]: case 1 the one-way speed, case 2 the two-way
/// speed, case 3 the speed of the congestion block that holds the station (near end excluded, far end
/// included); any other case, or no block, gives 0.
double GetWorkv_t(const StationLists& lists, double dPile, int iCaseID, double oneWaySpeed,
                  double twoWaySpeed);

} // namespace ventparam

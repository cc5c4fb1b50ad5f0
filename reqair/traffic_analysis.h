// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"

#include <array>
#include <string>

namespace reqair {

/// Number of vehicle classes.
inline constexpr int kVehicleClasses = 7;

/// One vehicle class row of the class table, as the leading numbers of its cells.
struct VehicleClassInput {
    double Share = 0;       ///< share of the class in the traffic ("比例")
    double Conversion = 0;  ///< standard vehicles per vehicle ("换算比例")
    double DieselShare = 0; ///< diesel share of the class ("柴油车占有率")
};

/// The page's inputs, as the leading numbers of their texts.
struct TrafficAnalysisInput {
    std::array<VehicleClassInput, kVehicleClasses> Classes{};
    double Pcu = 0;                ///< forecast traffic of the design year [pcu/d]
    double TrafficRatio = 0;       ///< forecast traffic scale factor
    double MainDirectionRatio = 0; ///< directional factor
    bool TrafficTotal = false;     ///< the forecast is the total of both directions
    double DesignHourFactor = 0;   ///< design hour factor
    bool Petrol = false;           ///< petrol smoke counted
    double PetrolFactor = 0;       ///< smoke factor of petrol vehicles
};

/// The texts written into one class row (sub-items 3, 5, 6, 7, 8), each "0.00000".
struct VehicleClassCells {
    std::string Vehicles; ///< vehicles per hour
    std::string Diesel;   ///< diesel vehicles per hour
    std::string Petrol;   ///< petrol vehicles per hour
    std::string EquivCO;  ///< CO-equivalent vehicles per hour
    std::string EquivVI;  ///< smoke-equivalent vehicles per hour
};

/// Every text and number the traffic analysis writes.
struct TrafficAnalysisResult {
    std::array<VehicleClassCells, kVehicleClasses> Rows;
    /// Sum row, sub-items 1 to 8 (index 0 = sub-item 1), each "0.000".
    std::array<std::string, 8> SumRow;
    std::string PCUVeh;       ///< standard vehicles per vehicle, "0.0000"
    std::string Traffic1;     ///< mixed traffic [veh/d], plain number text
    std::string NN;           ///< design hourly traffic N [veh/h], plain number text
    double DesignTraffic = 0; ///< N [veh/h]
    double nn_co = 0;         ///< CO-equivalent traffic, the sum row read back [veh/h]
    double nn_vi = 0;         ///< smoke-equivalent traffic, the sum row read back [veh/h]
    /// No standard vehicles per vehicle (no shares entered): the mixed traffic is set to 0 rather than
    /// kept from an earlier year.
    bool NoVehicleMix = false;
};

/// Design hourly traffic split over the vehicle classes. Every cell is formatted and read back before
/// the next cell uses it, so the results carry the rounding of the texts the page shows.
/// f_m is the CO class factor and f_m_VI the smoke class factor, both keyed by class number 1..7.
TrafficAnalysisResult AnalyseTraffic(const TrafficAnalysisInput& in, const CoefTable& f_m,
                                     const CoefTable& f_m_VI);

} // namespace reqair

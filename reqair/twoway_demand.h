// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"
#include "reqair/design_concentration.h"
#include "reqair/segment_demand.h"
#include "reqair/segments.h"
#include "reqair/traffic_analysis.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace reqair {

/// How the two-way design traffic is found.
enum class TwoWayMethod {
    ControlTraffic, ///< a share of the one-way equivalent traffic ("按控制交通量计算")
    AllowedClasses, ///< the vehicle classes allowed in the tunnel ("按控制通行车辆类型计算")
};

/// One vehicle class of the analysed traffic, as the leading numbers of its cells.
struct ClassTraffic {
    double Vehicles = 0; ///< vehicles per hour
    double EquivCO = 0;  ///< CO-equivalent vehicles per hour
    double EquivVI = 0;  ///< smoke-equivalent vehicles per hour
};

/// The two-way page's inputs, as numbers read from its boxes and tables.
struct TwoWayInput {
    /// Rows of the segment table: start, end, slope, area, equivalent diameter (their speeds are not used).
    std::vector<CalSegment> Segments;
    TwoWayMethod Method = TwoWayMethod::ControlTraffic;
    double BiDirectionFactor = 0; ///< share k of the one-way traffic (control-traffic method)
    std::array<bool, kVehicleClasses> AllowedClasses{}; ///< classes allowed (allowed-classes method)
    std::array<ClassTraffic, kVehicleClasses> Classes{};
    double MainDirectionRatio = 0; ///< directional factor
    double nn_co = 0;              ///< one-way CO-equivalent traffic [veh/h]
    double nn_vi = 0;              ///< one-way smoke-equivalent traffic [veh/h]
    double Speed = 0;              ///< two-way working speed for every segment [km/h]
    double qco = 0;                ///< CO base emission at the design year, as read back
    double qvi = 0;                ///< smoke base emission at the design year, as read back
    double COAir = 0;              ///< CO in the fresh air [ppm]
    SiteFactors Site;
    DesignConcentrationInput Concentrations;
    int iSegmentIndex = -1; ///< 1-based row whose demand is wanted; anything else: none
};

/// What the two-way calculation writes.
struct TwoWayResult {
    std::vector<SegmentDemand> Segments;
    double SCO = 0;                              ///< required air of the tunnel by CO [m³/s]
    double SVI = 0;                              ///< required air of the tunnel by smoke [m³/s]
    std::string QQ_req_CO;                       ///< SCO, "0.00"
    std::string QQ_req_VI;                       ///< SVI, "0.00"
    std::optional<std::string> SegmentQQ_req_CO; ///< picked row, "0.00"
    std::optional<std::string> SegmentQQ_req_VI; ///< picked row, "0.00"
    /// Two-way design traffic of the allowed classes, "0.00"; the control-traffic method leaves the box
    /// as its factor handler wrote it (nullopt).
    std::optional<std::string> NN_bidirection;
    double nnCO = 0;    ///< CO-equivalent traffic the segments were computed with [veh/h]
    double nnVI = 0;    ///< smoke-equivalent traffic the segments were computed with [veh/h]
    SegmentDemand Last; ///< the last segment's values (all 0 without segments)
    /// The allowed-classes method met a directional factor that is not above 0: its traffic is 0.
    bool BadDirectionRatio = false;
    /// 1-based rows whose CO or smoke demand could not be computed and counts 0.
    std::vector<int> FailedRows;
};

/// Two-way traffic demand of the tunnel: every row of the segment table at the two-way speed, the
/// traffic split by GetUpRatio between the directions, with δ and K of the two-way case.
TwoWayResult CalculateTwoWay(const TwoWayInput& in, const EmissionTables& tables, const CoefTable& tableK);

} // namespace reqair

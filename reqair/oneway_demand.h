// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"
#include "reqair/design_concentration.h"
#include "reqair/segment_demand.h"
#include "reqair/segments.h"

#include <optional>
#include <string>
#include <vector>

namespace reqair {

/// Working speed that stands for "each segment's own speed column".
inline constexpr double kOwnSpeed = -1.0;

/// The one-way page's inputs, as numbers read from its boxes and the segment table.
struct OneWayInput {
    /// Rows of the segment table: start, end, slope, area, equivalent diameter, speed.
    std::vector<CalSegment> Segments;
    double dvt = kOwnSpeed; ///< working speed for every segment [km/h], or kOwnSpeed
    double qco = 0;         ///< CO base emission at the design year, as read back [m³/(veh·km)]
    double qvi = 0;         ///< smoke base emission at the design year, as read back [m²/(veh·km)]
    double nn_co = 0;       ///< CO-equivalent traffic of the design year [veh/h]
    double nn_vi = 0;       ///< smoke-equivalent traffic of the design year [veh/h]
    double COAir = 0;       ///< CO in the fresh air [ppm]
    SiteFactors Site;
    DesignConcentrationInput Concentrations;
    int iSegmentIndex = -1; ///< 1-based row whose details are wanted; anything else: none
};

/// The detail boxes of the picked segment.
struct OneWaySegmentTexts {
    std::string f_d;       ///< "0.00"
    std::string f_iv;      ///< "0.00"
    std::string f_iv_VI;   ///< "0.00"
    std::string QQ_CO;     ///< "0.0000"
    std::string QQ_VI;     ///< "0.0000"
    std::string QQ_req_CO; ///< "0.0000"
    std::string QQ_req_VI; ///< "0.0000"
};

/// What the one-way calculation writes.
struct OneWayResult {
    std::vector<SegmentDemand> Segments; ///< one per row, in table order
    /// Emission totals of the tunnel as the boxes hold them: each addition is rounded to four decimals
    /// and read back before the next segment is added. Empty when there is no segment.
    std::string QQ_CO;
    std::string QQ_VI;
    double SCO = 0;                           ///< required air of the tunnel by CO, unrounded sum [m³/s]
    double SVI = 0;                           ///< required air of the tunnel by smoke, unrounded sum [m³/s]
    std::string QQ_req_CO;                    ///< SCO, "0.000"
    std::string QQ_req_VI;                    ///< SVI, "0.000"
    std::optional<OneWaySegmentTexts> Detail; ///< only when iSegmentIndex names a row
    SegmentDemand Last;                       ///< the last segment's values (all 0 without segments)
    /// 1-based rows whose CO or smoke demand could not be computed and counts 0.
    std::vector<int> FailedRows;
};

/// One-way traffic demand of the tunnel: every row of the segment table at its own speed (or at dvt),
/// with δ and K of the one-way case.
OneWayResult CalculateOneWay(const OneWayInput& in, const EmissionTables& tables, const CoefTable& tableK);

} // namespace reqair

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reqair/segments.h"

#include "app/coef_table.h"

namespace reqair {

/// The emission tables of the required-air calculation.
struct EmissionTables {
    const CoefTable& f_d;     ///< vehicle-density coefficient fd by speed [km/h]
    const CoefTable& f_iv;    ///< CO slope-speed coefficient: slope [%] on the columns, speed on the rows
    const CoefTable& f_iv_VI; ///< smoke slope-speed coefficient, laid out as f_iv
};

/// Vehicle-condition and altitude coefficients (as read back from their two-decimal boxes) and the air
/// state of the site.
struct SiteFactors {
    double fa = 1;       ///< vehicle-condition coefficient for CO
    double fa_VI = 1;    ///< vehicle-condition coefficient for smoke
    double fh = 1;       ///< altitude coefficient for CO
    double fh_VI = 1;    ///< altitude coefficient for smoke
    double p = 101.325;  ///< site design pressure [kPa]
    double p0 = 101.325; ///< standard pressure [kPa]
    double T0 = 273;     ///< standard temperature [K]
    double TT = 273;     ///< design air temperature [K]
};

/// Everything one segment's demand depends on besides the tables.
struct SegmentDemandInput {
    CalSegment Segment;    ///< start and end station, slope and speed are used
    double qco = 0;        ///< CO base emission at the design year [m³/(veh·km)]
    double qvi = 0;        ///< smoke base emission at the design year [m²/(veh·km)]
    double nnCO = 0;       ///< CO-equivalent traffic [veh/h]
    double nnVI = 0;       ///< smoke-equivalent traffic [veh/h]
    double dK = 0;         ///< smoke design concentration K [1/m]
    double dDelta = 0;     ///< CO design concentration δ [ppm]
    double dCOAir = 0;     ///< CO concentration of the fresh air [ppm]
    double dUpRatio = 0.5; ///< two-way only: share driving along the segment's slope sign
    SiteFactors Site;
};

/// The emission and required air of one segment.
struct SegmentDemand {
    double fd = 0;        ///< vehicle-density coefficient
    double fiv = 0;       ///< CO slope-speed coefficient (along the slope, for two-way traffic)
    double fiv_VI = 0;    ///< smoke slope-speed coefficient (along the slope, for two-way traffic)
    double QQ_CO = 0;     ///< CO emission [m³/s]
    double QQ_req_CO = 0; ///< required air by CO [m³/s]
    double QQ_VI = 0;     ///< smoke emission [m²/s]
    double QQ_req_VI = 0; ///< required air by smoke [m³/s]
    double Qreq = 0;      ///< the larger required air (CO on a tie) [m³/s]
    /// The CO demand could not be computed (δ, pressure or temperature not usable, or fresh air at or
    /// above the design concentration); QQ_req_CO is 0 and the window must warn.
    bool COFailed = false;
    /// The smoke demand could not be computed (K not usable); QQ_req_VI is 0 and the window must warn.
    bool VIFailed = false;
};

/// One-way traffic: emission and required air of one segment.
SegmentDemand GetSegmentQreq(const SegmentDemandInput& in, const EmissionTables& tables);

/// Two-way traffic: dUpRatio of the traffic drives along the segment's slope, the rest against it.
SegmentDemand GetSegmentQreqBidirectional(const SegmentDemandInput& in, const EmissionTables& tables);

} // namespace reqair

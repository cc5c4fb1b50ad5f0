// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"
#include "reqair/design_concentration.h"
#include "reqair/segment_demand.h"
#include "reqair/segments.h"
#include "reqair/traffic_analysis.h"
#include "reqair/twoway_demand.h"

#include <array>
#include <vector>

namespace reqair {

/// Traffic case of congestion within the 1 km window.
inline constexpr int kCaseOneKmCongestion = 4;
/// Vehicles jammed in the 1 km window crawl at this speed [km/h].
inline constexpr double kOneKmCongestionSpeed = 10.0;

/// A stretch put in ascending order and cut to the 1 km congestion window.
struct WindowClip {
    bool Overlaps = false; ///< false: the stretch has no part in the window
    double dsp = 0;        ///< ordered start, cut to the window when it overlaps [m]
    double dep = 0;        ///< ordered end, cut to the window when it overlaps [m]
};

/// Orders dsp..dep and cuts it to the window ws..we. The window is taken as its boxes hold it (not
/// ordered), and a stretch that only touches it has no part in it.
WindowClip ClipToWindow(double dsp, double dep, double ws, double we);

/// CO- and smoke-equivalent traffic of the vehicle classes allowed in two-way traffic, divided by the
/// directional factor. A factor of 0 or less has no meaning: the traffic is then 0 and Valid is false.
struct AllowedTraffic {
    double CO = 0;     ///< [veh/h]
    double VI = 0;     ///< [veh/h]
    bool Valid = true; ///< false when the directional factor was not above 0
};
AllowedTraffic AllowedClassTraffic(const std::array<bool, kVehicleClasses>& allowed,
                                   const std::array<ClassTraffic, kVehicleClasses>& classes,
                                   double mainDirectionRatio);

/// Everything the demand of a stretch depends on besides the tables.
struct StretchDemandInput {
    /// The whole tunnel cut for the case, with the stretch ends among the break stations.
    std::vector<CalSegment> Segments;
    int iCaseID = kCaseOneWay; ///< 1 one-way, 2 two-way, 3 full-length congestion, 4 1 km congestion
    double dsp = 0;            ///< stretch start [m] (either order)
    double dep = 0;            ///< stretch end [m]
    double qco = 0;            ///< CO base emission at the design year, as read back
    double qvi = 0;            ///< smoke base emission at the design year, as read back
    double COAir = 0;          ///< CO in the fresh air [ppm]
    double nnCO = 0;           ///< one-way CO-equivalent traffic (cases 1, 3 and 4) [veh/h]
    double nnVI = 0;           ///< one-way smoke-equivalent traffic (cases 1, 3 and 4) [veh/h]
    double nnCOBi = 0;         ///< two-way CO-equivalent traffic (case 2) [veh/h]
    double nnVIBi = 0;         ///< two-way smoke-equivalent traffic (case 2) [veh/h]
    SiteFactors Site;
    DesignConcentrationInput Concentrations;
};

/// The demand of a stretch and of the whole tunnel in one traffic case.
struct StretchDemand {
    double QreqCO = 0; ///< required air by CO of the segments inside the stretch [m³/s]
    double QreqVI = 0; ///< required air by smoke of the segments inside the stretch [m³/s]
    double SumCO = 0;  ///< required air by CO of the whole tunnel [m³/s]
    double SumVI = 0;  ///< required air by smoke of the whole tunnel [m³/s]
    /// One per segment, in order; empty for a case number outside 1..4, which computes nothing.
    std::vector<SegmentDemand> Segments;
};

/// The demands of the segments of the last stretch computed with it. The 1 km search cuts the same tunnel
/// for every candidate window, and most segments come again with the very same inputs: their demand is
/// taken from here instead of being computed anew. Only inputs equal to the last bit are matched, so a
/// memo never changes a result.
struct SegmentDemandMemo {
    struct Entry {
        CalSegment Segment; ///< as handed to the per-segment routine
        double dK = 0;
        SegmentDemand Demand;
    };
    /// What every segment of the last stretch shared: its inputs but the segment and K.
    SegmentDemandInput Shared;
    bool TwoWay = false;
    /// The tables the demands were computed with.
    const CoefTable* f_d = nullptr;
    const CoefTable* f_iv = nullptr;
    const CoefTable* f_iv_VI = nullptr;
    std::vector<Entry> Entries; ///< in segment order
    std::vector<Entry> Spare;   ///< room for the next call's entries
};

/// Demand of every segment under the case (case 4: at 10 km/h with the congestion concentrations), of
/// the segments whose midpoint lies strictly inside dsp..dep, and of the whole tunnel. A memo, when given,
/// supplies the segments it holds and keeps this call's segments for the next.
StretchDemand GetStretchDemand(const StretchDemandInput& in, const EmissionTables& tables,
                               const CoefTable& tableK, SegmentDemandMemo* memo = nullptr);

/// The 1 km congestion demand of the candidate windows of one search, each to the last bit what
/// GetStretchDemand gives for the tunnel cut at the window's two stations (BuildSegments with the window
/// as its extra stations, whole tunnel, case 4), but from one cut of the tunnel made here: a window splits
/// at most two segments, and only their pieces are computed for it. Where that cannot be shown to give
/// the same bits (stations that are not finite, a piece too short for its midpoint to lie inside it, or
/// the two gases' tunnel totals too close to tell apart), the tunnel is cut again for the window.
class OneKmWindowDemand {
public:
    /// `in` without segments or stretch; its case is taken as 4.
    OneKmWindowDemand(const TunnelLayout& layout, const StretchDemandInput& in, const EmissionTables& tables,
                      const CoefTable& tableK);

    struct Result {
        double Governing = 0;  ///< the window's figure of the gas that governs the whole tunnel [m³/s]
        double QreqCO = 0;     ///< the window's demand by CO [m³/s]
        double QreqVI = 0;     ///< the window's demand by smoke [m³/s]
        bool COFailed = false; ///< a segment of the cut could not compute its CO demand and counts 0
        bool VIFailed = false; ///< the same for smoke
    };
    /// The window dsp..dep, in ascending order as ClipToWindow gives it.
    Result operator()(double dsp, double dep) const;

private:
    Result cutAgain(double dsp, double dep) const;
    SegmentDemand pieceDemand(const CalSegment& piece) const;

    TunnelLayout layout_;
    StretchDemandInput in_;
    EmissionTables tables_;
    const CoefTable& tableK_;
    bool shortcut_ = false;            ///< false: every window cuts the tunnel again
    std::vector<CalSegment> segments_; ///< the tunnel cut without a window
    std::vector<double> starts_;       ///< their start stations, ascending
    std::vector<SegmentDemand> demands_;
    SegmentDemandInput shared_;
    double tunnelStart_ = 0, tunnelEnd_ = 0; ///< [m]
    double sumCO_ = 0, sumVI_ = 0;           ///< the tunnel totals, summed in segment order
    double absCO_ = 0, absVI_ = 0;           ///< the same of the magnitudes
    long failedCO_ = 0, failedVI_ = 0;       ///< segments that count 0 for the gas
};

/// The stretch figure of the gas that governs the whole tunnel: CO when its tunnel demand is at least the
/// smoke demand, even when smoke is larger within the stretch.
double GoverningDemand(double sumCO, double sumVI, double stretchCO, double stretchVI);

/// Air-change demand of the stretch dsp..dep [m³/s]: the volume of the segments whose midpoint lies
/// strictly inside it, changed exchangeNum times an hour.
double ExchangeDemand(const std::vector<CalSegment>& segments, double dsp, double dep, double exchangeNum);

} // namespace reqair

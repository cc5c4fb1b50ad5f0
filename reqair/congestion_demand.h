// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reqair/segment_demand.h"
#include "reqair/segments.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace reqair {

/// Length of the congestion window [m].
inline constexpr double kCongestionWindowLength = 1000.0;
/// Step of the coarse window search [m].
inline constexpr double kCoarseWindowStep = 100.0;
/// A later coarse window must beat the best by more than this to replace it [m³/s].
inline constexpr double kCoarseWindowMargin = 1.0;
/// Best demand the coarse search starts from [m³/s].
inline constexpr double kCoarseWindowStartBest = -10000000.0;
/// The fine search covers the coarse best this far on either side [m].
inline constexpr double kFineWindowRange = 50.0;
/// Step of the fine window search [m].
inline constexpr double kFineWindowStep = 5.0;
/// No search tries more windows than this, whatever stations are typed (10 000 km of tunnel).
inline constexpr long kMaxWindowCandidates = 100000;

/// Boundary stations of the congestion blocks: the start station, then each block's end in list order
/// (k blocks give k + 1 stations).
std::vector<double> BlockBoundaries(double startPile, std::span<const double> blockLengths);

/// Blocks whose total differs from the tunnel length by no more than this fit it [m].
inline constexpr double kBlockFitTolerance = 0.005;

/// How the congestion blocks, laid end to end from the tunnel start, fit a tunnel of `tunnelLength` m:
/// empty when their total is the tunnel length; otherwise a warning that names both lengths, each block
/// that lies outside the tunnel whole or in part, and the end of the tunnel that no block covers.
/// The blocks are only described, never changed: the segments beyond the tunnel simply do not exist.
std::string BlockFitWarning(double tunnelLength, std::span<const BlockRow> blocks);

/// The congestion blocks' share of the full-length congestion demand.
struct BlockDemand {
    /// Per block, as its list cells hold them: "0" for a block that no segment falls in, otherwise the
    /// running sum kept as two-decimal text, each segment added to the text read back.
    std::vector<std::string> BlockCO;
    std::vector<std::string> BlockVI;
    double SumCO = 0;      ///< whole tunnel by CO, every segment whether in a block or not [m³/s]
    double SumVI = 0;      ///< whole tunnel by smoke [m³/s]
    std::string QQ_req_CO; ///< SumCO, "0.00"
    std::string QQ_req_VI; ///< SumVI, "0.00"
};

/// Adds each segment's demand into every block that holds its midpoint strictly inside, and every
/// segment into the tunnel totals. `demands` runs parallel to `segments`; blockPiles are the k + 1
/// boundary stations of BlockBoundaries.
BlockDemand SumBlockDemand(const std::vector<CalSegment>& segments, const std::vector<SegmentDemand>& demands,
                           const std::vector<double>& blockPiles);

/// A 1 km congestion window [m].
struct CongestionWindow {
    double Start = 0;
    double End = 0;
};

/// Searches the window of largest demand: coarse windows from the start station in steps of 100 m while
/// they fit in the tunnel (a later one must win by more than 1 m³/s), then 5 m steps within 50 m of the
/// coarse best, not below the start station (the first largest wins; a window reaching past the tunnel
/// end only counts its part inside). When no fine window has a demand above 0 the result is 0 to 0.
/// A tunnel of 1000 m or less has only one window, the tunnel from its start: it is returned without a
/// search. windowDemand(start, end) gives the demand of a candidate window [m³/s].
CongestionWindow SearchCongestionWindow(double startPile, double tunnelLength,
                                        const std::function<double(double start, double end)>& windowDemand);

} // namespace reqair

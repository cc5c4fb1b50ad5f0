// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/vb.h"

#include <vector>

/// Automatic layout of the jet-fan groups of the pure jet-fan scheme.
namespace jetfan {

/// The settings of the layout dialog, read as numbers.
struct JetLayoutSettings {
    double StartPile = 0; ///< smaller end station of the tunnel [m]
    double EndPile = 0;   ///< larger end station of the tunnel [m]
    vb::Integer N1 = 0;   ///< groups counted from the start end
    vb::Integer N2 = 0;   ///< groups counted from the end end
    double S1 = 0;        ///< spacing of the start-end groups [m]
    double S2 = 0;        ///< spacing of the end-end groups [m]
    double D1 = 0;        ///< distance of the first group from the start end [m]
    double D2 = 0;        ///< distance of the last group from the end end [m]
};

/// Most groups the layout dialog lays out from either end.
inline constexpr int kMaxGroupsPerSection = 1000;

/// A count of groups asked for by a box, as the whole number it is taken as (halves to even), held within
/// the range of a long long so that any text can be named in a refusal.
long long AskedCount(double value);

/// Stations of the groups [m], in the order they are listed: the start-end groups upwards from
/// StartPile + D1 in steps of S1, then the end-end groups, the last of which stands D2 before EndPile,
/// also upwards. The line direction is not consulted; stations are not checked against the tunnel.
/// A count of 0 or below gives no group at that end.
std::vector<double> JetLayoutStations(const JetLayoutSettings& s);

} // namespace jetfan

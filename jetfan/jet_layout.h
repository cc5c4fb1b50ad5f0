// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/vb.h"

#include <cstddef>
#include <string>
#include <vector>

/// Automatic layout of the jet-fan groups of the pure jet-fan scheme.
namespace jetfan {

/// The settings of the layout dialog, read as numbers.
struct JetLayoutSettings {
    double StartPile = 0; ///< smaller end station of the tunnel [m]
    double EndPile = 0;   ///< larger end station of the tunnel [m]
    vb::Integer N1 = 0;   ///< groups counted from the entrance portal (inlet section)
    vb::Integer N2 = 0;   ///< groups counted from the exit portal (outlet section)
    double S1 = 0;        ///< spacing of the inlet groups [m]
    double S2 = 0;        ///< spacing of the outlet groups [m]
    double D1 = 0;        ///< distance of the first group from the entrance portal [m]
    double D2 = 0;        ///< distance of the last group from the exit portal [m]
    /// Traffic runs towards the smaller station: the entrance portal is EndPile, the exit StartPile.
    bool LeftLine = false;
};

/// Most groups the layout dialog lays out from either end.
inline constexpr int kMaxGroupsPerSection = 1000;

/// A count of groups asked for by a box, as the whole number it is taken as (halves to even), held within
/// the range of a long long so that any text can be named in a refusal.
long long AskedCount(double value);

/// Stations of the groups [m], in the direction of travel: the inlet groups from D1 inside the entrance
/// portal in steps of S1, then the outlet groups, the last of which stands D2 before the exit portal. On
/// the right line the entrance is StartPile, so the stations rise; on the left line it is EndPile and they
/// fall. Stations are not checked against the tunnel. A count of 0 or below gives no group at that end.
std::vector<double> JetLayoutStations(const JetLayoutSettings& s);

/// The hint on a layout: the fans placed in the groups against the count the balance shows (its text,
/// "21.0"), "自动布置的射流风机共…台，与所需射流风机台数…台不符！" when they differ; empty when they agree or
/// the balance shows no count.
std::string LayoutHint(double placed, const std::string& countShown);

/// The fans a balance asks of one stretch of the tunnel, as its boxes show them.
struct StretchShown {
    std::string Name;  ///< put before the stretch's lines ("进口区段"); "" for the whole tunnel
    std::string Count; ///< text of the fans required
    std::string Rise;  ///< text of one fan's rise Δpj [Pa]
};

/// One group of the list as it stands, with the stretch it hangs in.
struct GroupShown {
    std::size_t Stretch = 0; ///< position in the stretches
    std::string Station, Fans, Rise;
};

/// What the groups hold against the balance beside them, stretch by stretch: the fans placed against the
/// fans required, and the groups whose rise, to the hundredth of a pascal, is not their fans × the Δpj shown
/// (to three decimals). The whole tunnel (a stretch without a name) says LayoutHint's line, then how many
/// groups differ, the first named with its rise and the rise it ought to have; a named section says both in
/// one short sentence after its name. A stretch without a count or a Δpj is not judged on it. "" when
/// everything agrees or no group is listed yet.
std::string LayoutJudgement(const std::vector<StretchShown>& stretches,
                            const std::vector<GroupShown>& groups);

} // namespace jetfan

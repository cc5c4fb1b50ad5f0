// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/jet_helpers.h"
#include "platform/vb.h"

/// The jet-fan helpers of the shared module under the names the jet-fan and shaft windows call.
namespace modPublic {

/// Position factor η of a jet fan (see jetfan::JetWallFactor).
inline double GetJetWallFactor(double dZ, double dD) {
    return jetfan::JetWallFactor(dZ, dD);
}

/// Sorts rows by their first cell in place: 1 ascending, −1 descending (see jetfan::SortByFirstColumn).
template <class Rows> void SortByFirstColumn(Rows& a, vb::Integer iOrder) {
    jetfan::SortByFirstColumn(a, iOrder);
}

/// Mean air speed [m/s] at station dPile for the flow dQ [m³/s]; dQ = −100 stands for the design air
/// demand in step 2's box. The area is the main window's cross-section at the station; where it knows
/// none the result is not finite. Window side: it reads the main window and step 2.
double GetStationVelocity(double dPile, double dQ);

} // namespace modPublic

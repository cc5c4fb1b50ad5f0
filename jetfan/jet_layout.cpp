// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/jet_layout.h"

namespace jetfan {

std::vector<double> JetLayoutStations(const JetLayoutSettings& s) {
    std::vector<double> stations;
    for (int k = 1; k <= s.N1; ++k) {
        stations.push_back((s.StartPile + s.D1) + (k - 1) * s.S1);
    }
    for (int k = s.N2; k >= 1; --k) {
        stations.push_back((s.EndPile - s.D2) - (k - 1) * s.S2);
    }
    return stations;
}

} // namespace jetfan

// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/jet_layout.h"

#include <algorithm>
#include <cmath>

namespace jetfan {

long long AskedCount(double value) {
    // Beyond 2^62 every count is refused alike; the bound keeps the conversion defined.
    constexpr double kBound = 4611686018427387904.0;
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<long long>(std::clamp(vb::RoundHalfEven(value), -kBound, kBound));
}

std::vector<double> JetLayoutStations(const JetLayoutSettings& s) {
    std::vector<double> stations;
    // The dialog counts from the portals as the driver meets them; on the left line the entrance is the
    // larger station.
    for (int k = 1; k <= s.N1; ++k) {
        stations.push_back(s.LeftLine ? (s.EndPile - s.D1) - (k - 1) * s.S1
                                      : (s.StartPile + s.D1) + (k - 1) * s.S1);
    }
    for (int k = s.N2; k >= 1; --k) {
        stations.push_back(s.LeftLine ? (s.StartPile + s.D2) + (k - 1) * s.S2
                                      : (s.EndPile - s.D2) - (k - 1) * s.S2);
    }
    return stations;
}

std::string LayoutHint(double placed, const std::string& countShown) {
    const double required = vb::Val(countShown);
    if (countShown.empty() || placed == required) {
        return {};
    }
    return "自动布置的射流风机共" + vb::CStr(placed) + "台，与所需射流风机台数" + vb::CStr(required) +
           "台不符！";
}

} // namespace jetfan

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

std::string LayoutJudgement(const std::vector<StretchShown>& stretches,
                            const std::vector<GroupShown>& groups) {
    // No groups yet is no layout to judge.
    if (groups.empty()) {
        return {};
    }
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < stretches.size(); ++k) {
        const StretchShown& stretch = stretches[k];
        double placed = 0;
        int wrong = 0;
        std::string first;
        for (const GroupShown& group : groups) {
            if (group.Stretch != k) {
                continue;
            }
            placed += vb::Val(group.Fans);
            if (stretch.Rise.empty()) {
                continue;
            }
            // The layout writes each rise to the hundredth; a rise typed or laid out from another Δpj
            // differs there.
            const std::string ought = vb::Format(vb::Val(group.Fans) * vb::Val(stretch.Rise), "0.00");
            const std::string held = vb::Format(vb::Val(group.Rise), "0.00");
            if (held != ought && ++wrong == 1) {
                first = "桩号" + group.Station + "处" + held + "Pa，应为" + ought + "Pa";
            }
        }
        const std::string dpj = vb::Format(vb::Val(stretch.Rise), "0.000");
        const std::string rise = std::to_string(wrong) + "组升压力与本组台数×Δpj=" + dpj + "Pa不符";
        if (stretch.Name.empty()) {
            // The whole tunnel: each finding on its own, the first group that differs named.
            if (const std::string count = LayoutHint(placed, stretch.Count); !count.empty()) {
                lines.push_back(count);
            }
            if (wrong > 0) {
                lines.push_back(rise + "（" + first + "）！");
            }
            continue;
        }
        // A section of several: its findings in one short sentence, so that every section's fits the line.
        std::vector<std::string> found;
        if (!LayoutHint(placed, stretch.Count).empty()) {
            found.push_back("布置" + vb::CStr(placed) + "台与所需" + vb::CStr(vb::Val(stretch.Count)) +
                            "台不符");
        }
        if (wrong > 0) {
            found.push_back(rise);
        }
        if (!found.empty()) {
            lines.push_back(stretch.Name + "：" + found[0] + (found.size() > 1 ? "，" + found[1] : "") +
                            "！");
        }
    }
    std::string joined;
    for (const std::string& line : lines) {
        joined += (joined.empty() ? "" : " ") + line;
    }
    return joined;
}

} // namespace jetfan

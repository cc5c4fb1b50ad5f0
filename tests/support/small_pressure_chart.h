// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"

#include <cmath>
#include <vector>

namespace test_support {

/// The pressure chart of the points (0, 10) and (100, 60) at the origin (0, 0) with scale 5, value tick
/// 50, arrowhead and text height 20 and station tick 100, item by item as worked by hand: station axis
/// -10..200 with arrowheads to 180 ± 20·tan 30° = ±11.547, one station tick at 100 labelled "1", value
/// axis to 1.1·5·60 = 330 titled at (-40, 350), one value tick at 250 labelled "50", the curve from
/// (0, 50) to (100, 300) labelled at (120, 300).
inline std::vector<jetfan::ChartItem> smallPressureChart() {
    const double t = 20 * std::tan(std::atan(1.0) * 4 / 6);
    using K = jetfan::ChartItem::Kind;
    return {
        {K::Line, -10, 0, 200, 0, "", 1},    {K::Line, 200, 0, 180, t, "", 1},
        {K::Line, 200, 0, 180, -t, "", 1},   {K::Text, 220, -10, 0, 0, "桩号(m)", 1},
        {K::Line, 100, 5, 100, -5, "", 1},   {K::Text, 100, -30, 0, 0, "1", 1},
        {K::Line, 0, -10, 0, 330, "", 1},    {K::Line, 0, 330, t, 310, "", 1},
        {K::Line, 0, 330, -t, 310, "", 1},   {K::Text, -40, 350, 0, 0, "压力(Pa)", 1},
        {K::Line, -10, 250, 10, 250, "", 1}, {K::Text, -50, 250, 0, 0, "50", 1},
        {K::Line, 0, 50, 100, 300, "", 2},   {K::Text, 120, 300, 0, 0, "K0+100.000:60.00", 2},
    };
}

} // namespace test_support

// SPDX-License-Identifier: GPL-3.0-or-later
// The neutral-point search of semi-transverse ventilation when the portals' pressure difference is more
// than the whole section can take up: the search runs into an end, and the end is no neutral point.
#include "transverse/lateral.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

using transverse::FindNeutralPoint;
using transverse::TunnelPressureInput;

/// 2000 m, q_b 0.1, Ar 60, Dr 8, λr 0.02, ρ 1.2, Am 2.0, N 1000, vt 60: the whole section drops
/// D(2000) = 0.6·((0.02·2000/24 + 2)·(10/3)² + (10/9)·(60/3.6)·(10/3)) = 61.48 Pa.
TunnelPressureInput Section(double q_b = 0.1) {
    TunnelPressureInput in;
    in.L = 2000;
    in.q_b = q_b;
    in.AA_r = 60;
    in.DD_r = 8;
    in.lambda_r = 0.02;
    in.rho = 1.2;
    in.AA_m = 2.0;
    in.N = 1000;
    in.vt = 60;
    return in;
}

struct Case {
    double q_b, Pa;
    double x1;                        // where the search stops
    std::optional<double> unbalanced; // D(L − end) − D(end) − Pa at the end it ran into
};

TEST(NeutralBalance, AnEndTheSearchRunsIntoIsNoNeutralPointWhenPaIsBeyondTheSection) {
    const Case cases[] = {
        // Balanced: the worked example, the middle, and a Pa just inside what the section can take.
        {0.1, -10, 1169.921875, std::nullopt},
        {0.1, 0, 1000, std::nullopt},
        {0.1, -61.4, 1998.046875, std::nullopt},
        // Beyond: 70 − 61.48 = 8.52 Pa are left at the end station, and at the start station for +70.
        {0.1, -70, 1999.0234375, 70 - 61.481481},
        {0.1, 70, 0.9765625, -(70 - 61.481481)},
        {0.1, -10000, 1999.0234375, 10000 - 61.481481},
        // A steep section: the last step leaves 0.22 Pa inside the section, where the balance lies; that
        // is a neutral point within a metre, not an end.
        {1.0, -1000, 1387.6953125, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "q_b " << c.q_b << ", Pa " << c.Pa);
        const transverse::NeutralPoint n = FindNeutralPoint(Section(c.q_b), c.Pa);
        EXPECT_NEAR(n.x1, c.x1, 1e-9);
        ASSERT_EQ(n.Unbalanced.has_value(), c.unbalanced.has_value());
        if (c.unbalanced) {
            EXPECT_NEAR(*n.Unbalanced, *c.unbalanced, 1e-5);
        }
    }
}

TEST(NeutralBalance, NumbersThatAreNotFiniteAreNoUnbalance) {
    TunnelPressureInput in = Section();
    in.AA_r = 0;
    EXPECT_FALSE(FindNeutralPoint(in, -70).Unbalanced.has_value());
}

} // namespace

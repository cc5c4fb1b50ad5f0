// SPDX-License-Identifier: GPL-3.0-or-later
// How the congestion blocks fit the tunnel they are laid into.
#include "reqair/congestion_demand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FitCase {
    const char* name;
    double tunnelLength;
    std::vector<reqair::BlockRow> blocks;
    std::string warning;
};

TEST(BlockFit, NamesBothLengthsAndEveryBlockOutsideTheTunnel) {
    const std::vector<FitCase> cases = {
        {"exact fit", 5235, {{4235, 40}, {1000, 10}}, ""},
        {"within a centimetre", 5235, {{4235.004, 40}, {1000, 10}}, ""},
        {"template blocks in a 4200 m tunnel",
         4200,
         {{4235, 40}, {1000, 10}},
         "阻塞区段总长5235m与隧道长度4200m不符; 第1段(4235m, 40km/h)有35m超出隧道终点; "
         "第2段(1000m, 10km/h)在隧道以外, 按0计."},
        {"a block ending at the tunnel end, the next beyond",
         3000,
         {{3000, 40}, {500, 10}},
         "阻塞区段总长3500m与隧道长度3000m不符; 第2段(500m, 10km/h)在隧道以外, 按0计."},
        {"blocks short of the tunnel end",
         4200,
         {{3000, 40}, {1000, 10}},
         "阻塞区段总长4000m与隧道长度4200m不符; 隧道最后200m不在任何阻塞区段内."},
        {"no blocks", 4200, {}, "阻塞区段总长0m与隧道长度4200m不符; 隧道最后4200m不在任何阻塞区段内."},
    };
    for (const FitCase& c : cases) {
        EXPECT_EQ(reqair::BlockFitWarning(c.tunnelLength, c.blocks), c.warning) << c.name;
    }
}

} // namespace

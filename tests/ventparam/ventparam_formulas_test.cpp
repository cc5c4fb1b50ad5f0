// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/ventparam_formulas.h"

#include <gtest/gtest.h>

namespace {

TEST(ResistanceArea, MixesSmallAndLargeVehiclesByTheLargeShare) {
    // Acs 2.13, ξcs 0.5, Acl 5.37, ξcl 1.0, r1 0.3: 0.7·1.065 + 0.3·5.37 = 0.7455 + 1.611 = 2.3565.
    EXPECT_NEAR(ventparam::ResistanceArea(0.3, 2.13, 0.5, 5.37, 1.0), 2.3565, 1e-12);
    // Only small vehicles, only large vehicles.
    EXPECT_NEAR(ventparam::ResistanceArea(0, 2.13, 0.5, 5.37, 1.0), 1.065, 1e-12);
    EXPECT_NEAR(ventparam::ResistanceArea(1, 2.13, 0.5, 5.37, 1.0), 5.37, 1e-12);
    EXPECT_EQ(ventparam::ResistanceArea(0.3, 0, 0, 0, 0), 0);
}

TEST(DesignAirSpeed, DemandOverAreaAndNothingForAZeroArea) {
    // 60 m³/s through 68.5 m²: 0.875912… m/s.
    ASSERT_TRUE(ventparam::DesignAirSpeed(60, 68.5));
    EXPECT_NEAR(*ventparam::DesignAirSpeed(60, 68.5), 0.8759124087591241, 1e-12);
    EXPECT_FALSE(ventparam::DesignAirSpeed(60, 0));
    EXPECT_FALSE(ventparam::DesignAirSpeed(1e308, 1e-308));
}

TEST(OutsideTunnel, EndStationsBelongToTheTunnel) {
    EXPECT_FALSE(ventparam::OutsideTunnel(1000, 1000, 3000));
    EXPECT_FALSE(ventparam::OutsideTunnel(3000, 1000, 3000));
    EXPECT_FALSE(ventparam::OutsideTunnel(2000, 1000, 3000));
    EXPECT_TRUE(ventparam::OutsideTunnel(999.99, 1000, 3000));
    EXPECT_TRUE(ventparam::OutsideTunnel(3000.01, 1000, 3000));
    // Stations given from the larger end work alike.
    EXPECT_FALSE(ventparam::OutsideTunnel(2000, 3000, 1000));
    EXPECT_TRUE(ventparam::OutsideTunnel(500, 3000, 1000));
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/station_lookup.h"

#include <gtest/gtest.h>

namespace {

using ventparam::StationLists;

// Tunnel from station 1000, 600 m long:
//   sections: .. 1300 A 60 m², U 30 m, D 8 m;  .. 1600 A 70 m², U 32 m, D 8.75 m
//   slopes:   .. 1200 +2 %;  .. 1600 -1.5 %
//   blocks:   300 m at 20 km/h (1000 .. 1300), 500 m at 10 km/h (1300 .. 1800)
StationLists tunnel() {
    return StationLists{.StartPile = 1000,
                        .TunnelLength = 600,
                        .Sections = {{1300, 60.0, 30.0, 8.0}, {1600, 70.0, 32.0, 8.75}},
                        .Slopes = {{1200, 2.0}, {1600, -1.5}},
                        .Blocks = {{300, 20.0}, {500, 10.0}}};
}

TEST(StationLookup, AreaAndDiameterAtTheTunnelEndsAreTakenJustInside) {
    const StationLists lists = tunnel();
    double d = -1;
    EXPECT_EQ(ventparam::GetAA_r(lists, 1000, &d), 60); // looked up at 1000.01
    EXPECT_EQ(d, 8);
    EXPECT_EQ(ventparam::GetAA_r(lists, 900, &d), 60);  // before the start: 1000.01
    EXPECT_EQ(ventparam::GetAA_r(lists, 1600, &d), 70); // the end: 1599.99
    EXPECT_EQ(d, 8.75);
    EXPECT_EQ(ventparam::GetAA_r(lists, 2000), 70); // beyond the end, no diameter wanted
    EXPECT_EQ(ventparam::GetUU_r(lists, 1000), 30);
    EXPECT_EQ(ventparam::GetUU_r(lists, 1600), 32);
}

TEST(StationLookup, AStationOnARowEndBelongsToTheNextRow) {
    const StationLists lists = tunnel();
    EXPECT_EQ(ventparam::GetAA_r(lists, 1299.99), 60);
    EXPECT_EQ(ventparam::GetAA_r(lists, 1300), 70);
    EXPECT_EQ(ventparam::GetUU_r(lists, 1300), 32);
    EXPECT_EQ(ventparam::GetSlope_i(lists, 1200), -1.5);
}

TEST(StationLookup, SectionListShortOfTheTunnelEndGivesZeroAndLeavesTheDiameter) {
    StationLists lists = tunnel();
    lists.Sections.pop_back();
    double d = 99;
    EXPECT_EQ(ventparam::GetAA_r(lists, 1450, &d), 0);
    EXPECT_EQ(d, 99);
    EXPECT_EQ(ventparam::GetUU_r(lists, 1450), 0);
}

TEST(StationLookup, CellsThatAreNotNumbersGiveZeroAndKeepTheDiameter) {
    StationLists lists = tunnel();
    lists.Sections[0].Area.reset();
    lists.Sections[0].Perimeter.reset();
    lists.Sections[1].Diameter.reset();
    lists.Slopes[0].Slope.reset();
    double d = 5;
    EXPECT_EQ(ventparam::GetAA_r(lists, 1100, &d), 0);
    EXPECT_EQ(d, 8); // the row's diameter still reads
    EXPECT_EQ(ventparam::GetUU_r(lists, 1100), 0);
    d = 5;
    EXPECT_EQ(ventparam::GetAA_r(lists, 1400, &d), 70);
    EXPECT_EQ(d, 5);
    EXPECT_EQ(ventparam::GetSlope_i(lists, 1100), 0);
}

TEST(StationLookup, SlopeHasNoClampAndChangesSignOnTheLeftLine) {
    StationLists lists = tunnel();
    EXPECT_EQ(ventparam::GetSlope_i(lists, 1000), 2);
    EXPECT_EQ(ventparam::GetSlope_i(lists, 999), 0);
    EXPECT_EQ(ventparam::GetSlope_i(lists, 1600), 0);
    lists.LeftLine = true;
    EXPECT_EQ(ventparam::GetSlope_i(lists, 1100), -2);
    EXPECT_EQ(ventparam::GetSlope_i(lists, 1500), 1.5);
    EXPECT_EQ(ventparam::GetSlope_i(lists, 1600), 0);
}

TEST(StationLookup, VehicleSpeedByCaseWithBlocksClosedAtTheirFarEnd) {
    StationLists lists = tunnel();
    EXPECT_EQ(ventparam::GetWorkv_t(lists, 1350, 3, 80, 60), 10);
    EXPECT_EQ(ventparam::GetWorkv_t(lists, 1300, 3, 80, 60), 20);
    EXPECT_EQ(ventparam::GetWorkv_t(lists, 1000, 3, 80, 60), 0); // the near end is open
    EXPECT_EQ(ventparam::GetWorkv_t(lists, 1800, 3, 80, 60), 10);
    EXPECT_EQ(ventparam::GetWorkv_t(lists, 1800.5, 3, 80, 60), 0);
    EXPECT_EQ(ventparam::GetWorkv_t(lists, 1350, 1, 80, 60), 80);
    EXPECT_EQ(ventparam::GetWorkv_t(lists, 1350, 2, 80, 60), 60);
    EXPECT_EQ(ventparam::GetWorkv_t(lists, 1350, 4, 80, 60), 0);
    lists.Blocks[1].Speed.reset();
    EXPECT_EQ(ventparam::GetWorkv_t(lists, 1350, 3, 80, 60), 0);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Automatic layout of the jet-fan groups, by hand.
#include "jetfan/jet_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(JetLayout, GroupsFromBothEndsInIncreasingStations) {
    // Tunnel 1000 to 3000, two groups at each end 200 m in, 150 m apart:
    // 1200, 1350; then 3000 − 200 − 150 = 2650, 2800.
    jetfan::JetLayoutSettings s{1000, 3000, 2, 2, 150, 150, 200, 200};
    EXPECT_EQ(jetfan::JetLayoutStations(s), (std::vector<double>{1200, 1350, 2650, 2800}));
}

TEST(JetLayout, EachEndOnItsOwn) {
    // Only the exit end: 3 groups 100 m apart ending 200 m before 3000: 2600, 2700, 2800.
    jetfan::JetLayoutSettings exitOnly{1000, 3000, 0, 3, 150, 100, 200, 200};
    EXPECT_EQ(jetfan::JetLayoutStations(exitOnly), (std::vector<double>{2600, 2700, 2800}));
    // Only the entrance end, 250 m in, 80 m apart: 1250, 1330, 1410.
    jetfan::JetLayoutSettings entranceOnly{1000, 3000, 3, 0, 80, 150, 250, 200};
    EXPECT_EQ(jetfan::JetLayoutStations(entranceOnly), (std::vector<double>{1250, 1330, 1410}));
}

TEST(JetLayout, NoGroupsForCountsOfZeroOrBelow) {
    EXPECT_TRUE(jetfan::JetLayoutStations({1000, 3000, 0, 0, 150, 150, 200, 200}).empty());
    EXPECT_TRUE(jetfan::JetLayoutStations({1000, 3000, -2, -1, 150, 150, 200, 200}).empty());
}

TEST(JetLayout, StationsAreNotCheckedAgainstTheTunnel) {
    // Overlapping ends and a group beyond the portal are laid out as set: 1200, 1700, 2200; 1800.
    jetfan::JetLayoutSettings s{1000, 2000, 3, 1, 500, 150, 200, 200};
    EXPECT_EQ(jetfan::JetLayoutStations(s), (std::vector<double>{1200, 1700, 2200, 1800}));
}

} // namespace

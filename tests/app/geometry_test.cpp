// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/geometry.h"

#include <gtest/gtest.h>

using app::SegmentRowTexts;
using app::SegmentTableInput;

TEST(EquivalentDiameter, FourTimesAreaOverPerimeterWithThreeDecimals) {
    // 4 × 60 / 30 = 8
    EXPECT_EQ(app::equivalent_diameter_text("60", "30"), "8.000");
    // 4 × 68.35 / 31.2 = 8.762820… → 8.763
    EXPECT_EQ(app::equivalent_diameter_text("68.35", "31.2"), "8.763");
    // an area that reads as 0 with a perimeter gives a diameter of 0
    EXPECT_EQ(app::equivalent_diameter_text("", "30"), "0.000");
    EXPECT_EQ(app::equivalent_diameter_text("abc", "30"), "0.000");
}

TEST(EquivalentDiameter, PerimeterOfZeroClearsTheDiameter) {
    // No stale diameter may be left in the box for the next Add to store.
    EXPECT_EQ(app::equivalent_diameter_text("60", "0"), "");
    EXPECT_EQ(app::equivalent_diameter_text("60", ""), "");
    EXPECT_EQ(app::equivalent_diameter_text("60", "m"), "");
    EXPECT_FALSE(app::equivalent_diameter(60, 0).has_value());
    EXPECT_DOUBLE_EQ(*app::equivalent_diameter(60, 30), 8.0);
}

namespace {

SegmentTableInput two_stretches(bool leftLine) {
    SegmentTableInput in;
    in.StartPile = "1000";
    in.Slopes = {{"1250", "2.5"}, {"1800", "-1.5"}};
    in.Sections = {{"1250", "68.35", "31.2", "8.763"}, {"1800", "70", "32", "8.75"}};
    in.DesignSpeed = "80";
    in.LeftLine = leftLine;
    return in;
}

} // namespace

TEST(SegmentTable, OneRowPerStretchInPlainNumberText) {
    // Breaks 1000, 1250, 1800; the 1000-1250 midpoint 1125 lies in the first rows' stretches, 1525 in the
    // second ones'.
    const auto rows = app::build_segment_table(two_stretches(false));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (SegmentRowTexts{"1", "1000", "1250", "2.5", "68.35", "8.763", "80"}));
    EXPECT_EQ(rows[1], (SegmentRowTexts{"2", "1250", "1800", "-1.5", "70", "8.75", "80"}));
}

TEST(SegmentTable, LeftLineSlopesAreOppositeInSignAndNothingElseChanges) {
    const auto right = app::build_segment_table(two_stretches(false));
    const auto left = app::build_segment_table(two_stretches(true));
    ASSERT_EQ(left.size(), right.size());
    EXPECT_EQ(left[0], (SegmentRowTexts{"1", "1000", "1250", "-2.5", "68.35", "8.763", "80"}));
    EXPECT_EQ(left[1], (SegmentRowTexts{"2", "1250", "1800", "1.5", "70", "8.75", "80"}));

    // A level stretch on the left line is 0, never "-0".
    SegmentTableInput level = two_stretches(true);
    level.Slopes = {{"1800", "0"}};
    const auto rows = app::build_segment_table(level);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][3], "0");
    EXPECT_EQ(rows[1][3], "0");
}

TEST(SegmentTable, SlopeRowsOutOfOrderAreSearchedInListOrder) {
    // Start 0, slope rows 500 (1 %), 300 (2 %), 1000 (3 %) in that order. Breaks sort to 0, 300, 500, 1000.
    // Midpoint 150: 0 < 150 < 500, first row. Midpoint 400: 0 < 400 < 500, first row.
    // Midpoint 750: first row misses (p := 500), second misses (500 < 750 < 300 fails; p := 300), third
    // 300 < 750 < 1000 matches. The second row serves no segment.
    SegmentTableInput in;
    in.StartPile = "0";
    in.Slopes = {{"500", "1"}, {"300", "2"}, {"1000", "3"}};
    in.DesignSpeed = "60";
    const auto rows = app::build_segment_table(in);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (SegmentRowTexts{"1", "0", "300", "1", "0", "0", "60"}));
    EXPECT_EQ(rows[1], (SegmentRowTexts{"2", "300", "500", "1", "0", "0", "60"}));
    EXPECT_EQ(rows[2], (SegmentRowTexts{"3", "500", "1000", "3", "0", "0", "60"}));
}

TEST(SegmentTable, EqualStationsMergeAndCloseOnesDoNot) {
    // Start 100 also listed as a slope station, 600 in both lists: breaks 100 and 600 only.
    SegmentTableInput in;
    in.StartPile = "100";
    in.Slopes = {{"100", "1"}, {"600", "2"}};
    in.Sections = {{"600", "50", "28", "7.143"}};
    in.DesignSpeed = "80km/h";
    auto rows = app::build_segment_table(in);
    ASSERT_EQ(rows.size(), 1u);
    // Midpoint 350: the first row's stretch 100-100 is empty, the second 100-600 holds it.
    EXPECT_EQ(rows[0], (SegmentRowTexts{"1", "100", "600", "2", "50", "7.143", "80"}));

    // Stations half a metre apart give a segment of half a metre.
    in.Slopes = {{"600", "2"}, {"600.5", "3"}};
    in.Sections.clear();
    rows = app::build_segment_table(in);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][1], "600");
    EXPECT_EQ(rows[1][2], "600.5");
    EXPECT_EQ(rows[1][3], "3");
}

TEST(SegmentTable, MidpointOutsideEveryRowGivesZeros) {
    // Slope list ends at 500, cross-sections at 800: 500-800 has no slope.
    SegmentTableInput in;
    in.StartPile = "0";
    in.Slopes = {{"500", "2"}};
    in.Sections = {{"800", "60", "30", "8"}};
    in.DesignSpeed = "80";
    auto rows = app::build_segment_table(in);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (SegmentRowTexts{"2", "500", "800", "0", "60", "8", "80"}));

    // Cross-sections end at 400, slopes at 1000: 400-1000 has no area and no diameter.
    in.Slopes = {{"1000", "2"}};
    in.Sections = {{"400", "60", "30", "8"}};
    rows = app::build_segment_table(in);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (SegmentRowTexts{"2", "400", "1000", "2", "0", "0", "80"}));

    // A station before the start: the segment 500-1000 has its midpoint 750 below the start 1000.
    in.StartPile = "1000";
    in.Slopes = {{"500", "2"}};
    in.Sections.clear();
    rows = app::build_segment_table(in);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (SegmentRowTexts{"1", "500", "1000", "0", "0", "0", "80"}));
}

TEST(SegmentTable, LoneStartStationAndUnreadableCells) {
    SegmentTableInput in;
    in.StartPile = "0";
    in.DesignSpeed = "80";
    EXPECT_TRUE(app::build_segment_table(in).empty());

    // A station without a number counts as 0 and merges with the start.
    in.Slopes = {{"abc", "2"}};
    EXPECT_TRUE(app::build_segment_table(in).empty());

    // A slope without a number counts 0; an empty speed box gives speed 0.
    in.Slopes = {{"300", "steep"}};
    in.DesignSpeed = "";
    const auto rows = app::build_segment_table(in);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (SegmentRowTexts{"1", "0", "300", "0", "0", "0", "0"}));

    // Rebuilding gives the same table, numbered from 1.
    EXPECT_EQ(app::build_segment_table(in), rows);
}

TEST(CongestionBlocks, BlocksLieEndToEndFromTheStart) {
    // 500 m and 300 m from 1000: 1000-1500 and 1500-1800.
    EXPECT_EQ(app::congestion_block_piles(1000, {500, 300}), (std::vector<double>{1000, 1500, 1800}));
    // Deleting the first shifts the second towards the start by 500 m.
    EXPECT_EQ(app::congestion_block_piles(1000, {300}), (std::vector<double>{1000, 1300}));
    EXPECT_EQ(app::congestion_block_piles(1000, {}), (std::vector<double>{1000}));
    // From texts: an unreadable length counts 0.
    EXPECT_EQ(app::congestion_block_piles("1000", {"500", "x", "250.5"}),
              (std::vector<double>{1000, 1500, 1500, 1750.5}));
}

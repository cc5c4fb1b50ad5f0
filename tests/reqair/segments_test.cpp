// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/segments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

using namespace reqair;

namespace {

// Tunnel from 1000 to 3000: slopes change at 1800 and 3000, sections at 1500 and 3000.
TunnelLayout tunnel() {
    return TunnelLayout{.StartPile = 1000,
                        .TunnelLength = 2000,
                        .Slopes = {{1800, 2.0}, {3000, -1.5}},
                        .Sections = {{1500, 60, 30, 8.0}, {3000, 70, 32, 8.75}},
                        .OneWaySpeed = 60,
                        .TwoWaySpeed = 40};
}

std::vector<double> starts(const SegmentCut& cut) {
    std::vector<double> s;
    for (const CalSegment& seg : cut.Segments) {
        s.push_back(seg.StartPile);
    }
    return s;
}

} // namespace

TEST(Segments, WholeTunnelIsCutAtEverySlopeAndSectionStation) {
    const SegmentCut cut = BuildSegments(tunnel(), {}, 1, kTunnelEnd, kTunnelEnd, 120);
    EXPECT_DOUBLE_EQ(cut.dsp, 1000);
    EXPECT_DOUBLE_EQ(cut.dep, 3000);
    // 3000 stands in both lists and gives one break.
    EXPECT_EQ(cut.BreakPiles, (std::vector<double>{1000, 1500, 1800, 3000}));
    ASSERT_EQ(cut.Segments.size(), 3u);
    const CalSegment& a = cut.Segments[0];
    EXPECT_EQ(a.StartPile, 1000);
    EXPECT_EQ(a.EndPile, 1500);
    EXPECT_EQ(a.Slope, 2.0);
    EXPECT_EQ(a.Area, 60);
    EXPECT_EQ(a.Diameter, 8.0);
    EXPECT_EQ(a.Speed, 60);
    EXPECT_DOUBLE_EQ(a.Velocity, 2.0); // 120 / 60
    const CalSegment& c = cut.Segments[2];
    EXPECT_EQ(c.StartPile, 1800);
    EXPECT_EQ(c.EndPile, 3000);
    EXPECT_EQ(c.Slope, -1.5);
    EXPECT_EQ(c.Area, 70);
    EXPECT_EQ(c.Diameter, 8.75);
}

TEST(Segments, OutOfOrderRowsAreSearchedInListOrder) {
    // Start 0, slope rows 500, 300, 1000 in that order: 0-300 and 300-500 take the first row's slope,
    // 500-1000 the third row's; the second row serves no segment.
    TunnelLayout t;
    t.StartPile = 0;
    t.TunnelLength = 1000;
    t.Slopes = {{500, 1.0}, {300, 2.0}, {1000, 3.0}};
    t.Sections = {{1000, 50, 28, 7.1}};
    const SegmentCut cut = BuildSegments(t, {}, 2, kTunnelEnd, kTunnelEnd, 0);
    ASSERT_EQ(cut.Segments.size(), 3u);
    EXPECT_EQ(starts(cut), (std::vector<double>{0, 300, 500}));
    EXPECT_EQ(cut.Segments[0].Slope, 1.0);
    EXPECT_EQ(cut.Segments[1].Slope, 1.0);
    EXPECT_EQ(cut.Segments[2].Slope, 3.0);
    for (const CalSegment& seg : cut.Segments) {
        EXPECT_EQ(seg.Area, 50);
        EXPECT_EQ(seg.Speed, 0); // the two-way speed is 0 here
        EXPECT_EQ(seg.Velocity, 0);
    }
}

TEST(Segments, CoincidentAndUnsortedExtraStationsGiveOneBreakEach) {
    // Extra stations 2500, 1500 (already a section station), 2500 again and the start station.
    const std::vector<double> extra{2500, 1500, 2500, 1000};
    const SegmentCut cut = BuildSegments(tunnel(), extra, 1, kTunnelEnd, kTunnelEnd, 0);
    EXPECT_EQ(cut.BreakPiles, (std::vector<double>{1000, 1500, 1800, 2500, 3000}));
    EXPECT_EQ(starts(cut), (std::vector<double>{1000, 1500, 1800, 2500}));
    // Stations half a metre apart still cut a segment.
    const std::vector<double> close{2000, 2000.5};
    const SegmentCut fine = BuildSegments(tunnel(), close, 1, kTunnelEnd, kTunnelEnd, 0);
    EXPECT_EQ(fine.Segments[3].StartPile, 2000);
    EXPECT_EQ(fine.Segments[3].EndPile, 2000.5);
}

TEST(Segments, StretchIsTheSameInEitherOrderAndKeepsOnlyItsPieces) {
    const SegmentCut forward = BuildSegments(tunnel(), {}, 1, 1200, 2000, 0);
    const SegmentCut backward = BuildSegments(tunnel(), {}, 1, 2000, 1200, 0);
    EXPECT_EQ(starts(forward), (std::vector<double>{1200, 1500, 1800}));
    EXPECT_EQ(starts(backward), starts(forward));
    EXPECT_EQ(forward.Segments.back().EndPile, 2000);
    // An extra station outside the stretch adds no segment.
    const std::vector<double> outside{2900};
    EXPECT_EQ(BuildSegments(tunnel(), outside, 1, 1200, 2000, 0).Segments.size(), 3u);
}

TEST(Segments, EmptyStretchGivesOneZeroRecord) {
    const SegmentCut cut = BuildSegments(tunnel(), {}, 1, 1500, 1500, 100);
    ASSERT_EQ(cut.Segments.size(), 1u);
    const CalSegment& z = cut.Segments[0];
    // Start, end, area, speed, velocity.
    EXPECT_EQ(std::tuple(z.StartPile, z.EndPile, z.Area, z.Speed, z.Velocity), std::tuple(0, 0, 0, 0, 0));
}

TEST(Segments, LeftLineReversesSlopesOnly) {
    TunnelLayout t = tunnel();
    t.LeftLine = true;
    const SegmentCut cut = BuildSegments(t, {}, 1, kTunnelEnd, kTunnelEnd, 0);
    ASSERT_EQ(cut.Segments.size(), 3u);
    EXPECT_EQ(cut.Segments[0].Slope, -2.0);
    EXPECT_EQ(cut.Segments[2].Slope, 1.5);
    EXPECT_EQ(starts(cut), (std::vector<double>{1000, 1500, 1800}));
}

TEST(Segments, PiecesBeyondTheListsHaveNoSlopeNoAreaAndNoVelocity) {
    // The stretch runs 500 m past the last rows: slope 0, area 0, and the velocity stays 0 rather than
    // becoming infinite.
    const SegmentCut cut = BuildSegments(tunnel(), {}, 1, 1000, 3500, 100);
    ASSERT_EQ(cut.Segments.size(), 4u);
    const CalSegment& beyond = cut.Segments[3];
    // Start, slope, area, diameter, velocity, speed.
    EXPECT_EQ(std::tuple(beyond.StartPile, beyond.Slope, beyond.Area, beyond.Diameter, beyond.Velocity,
                         beyond.Speed),
              std::tuple(3000, 0, 0, 0, 0, 60));
}

TEST(Segments, CongestionBlocksCutTheTunnelAndGiveTheirSpeeds) {
    // Blocks of 300 m and 200 m from start 1000 add the breaks 1300 and 1500 (the latter already a
    // section station).
    TunnelLayout t = tunnel();
    t.Blocks = {{300, 10}, {200, 20}};
    const SegmentCut cut = BuildSegments(t, {}, 3, kTunnelEnd, kTunnelEnd, 0);
    EXPECT_EQ(cut.BreakPiles, (std::vector<double>{1000, 1300, 1500, 1800, 3000}));
    ASSERT_EQ(cut.Segments.size(), 4u);
    EXPECT_EQ(cut.Segments[0].Speed, 10);
    EXPECT_EQ(cut.Segments[1].Speed, 20);
    EXPECT_EQ(cut.Segments[2].Speed, 0); // beyond the last block
    // Case 4 (and any other number) has no speed; the blocks still cut.
    const SegmentCut other = BuildSegments(t, {}, 4, kTunnelEnd, kTunnelEnd, 0);
    EXPECT_EQ(other.Segments.size(), 4u);
    EXPECT_EQ(other.Segments[0].Speed, 0);
}

TEST(Segments, EmptyListsAndBadNumbersNeverCrash) {
    TunnelLayout empty;
    const SegmentCut cut = BuildSegments(empty, {}, 1, kTunnelEnd, kTunnelEnd, 50);
    ASSERT_EQ(cut.Segments.size(), 1u);
    EXPECT_EQ(cut.Segments[0].EndPile, 0);

    // A stretch given without lists is one piece with no slope and no area.
    const SegmentCut bare = BuildSegments(empty, {}, 2, 0, 100, 50);
    ASSERT_EQ(bare.Segments.size(), 1u);
    EXPECT_EQ(bare.Segments[0].EndPile, 100);
    EXPECT_EQ(bare.Segments[0].Velocity, 0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> bad{nan, 2000};
    const SegmentCut withNan = BuildSegments(tunnel(), bad, 1, kTunnelEnd, kTunnelEnd, nan);
    EXPECT_EQ(withNan.BreakPiles, (std::vector<double>{1000, 1500, 1800, 2000, 3000}));
    for (const CalSegment& seg : withNan.Segments) {
        EXPECT_TRUE(std::isfinite(seg.Velocity));
    }
}

TEST(Segments, TableRowWithABlankCellReadsZeroThere) {
    const CalSegment s = SegmentFromCells({"1000", "1500.5", "-2.5", "", "abc", "60 "});
    EXPECT_EQ(s.StartPile, 1000);
    EXPECT_EQ(s.EndPile, 1500.5);
    EXPECT_EQ(s.Slope, -2.5);
    EXPECT_EQ(s.Area, 0);
    EXPECT_EQ(s.Diameter, 0);
    EXPECT_EQ(s.Speed, 60);
    EXPECT_EQ(s.Velocity, 0);
}

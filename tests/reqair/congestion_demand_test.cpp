// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/congestion_demand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace reqair;

namespace {

CalSegment seg(double from, double to) {
    CalSegment s;
    s.StartPile = from;
    s.EndPile = to;
    return s;
}

SegmentDemand demand(double co, double vi) {
    SegmentDemand d;
    d.QQ_req_CO = co;
    d.QQ_req_VI = vi;
    return d;
}

// Records the candidate windows and answers with a demand profile.
struct Probe {
    std::vector<double> starts;
    std::function<double(double)> profile;
    double operator()(double s, double e) {
        EXPECT_EQ(e - s, 1000);
        starts.push_back(s);
        return profile(s);
    }
};

} // namespace

TEST(CongestionDemand, BlockBoundariesFollowTheListFromTheStart) {
    const std::vector<double> lengths = {500, 300, 0};
    EXPECT_EQ(BlockBoundaries(1000, lengths), (std::vector<double>{1000, 1500, 1800, 1800}));
    EXPECT_EQ(BlockBoundaries(1000, {}), (std::vector<double>{1000}));
}

TEST(CongestionDemand, BlockSumsAreKeptAsTwoDecimalTextAndTotalsCountEverySegment) {
    // Blocks 1000–1500, 1500–2000 and an empty one at 2000; segment 2000–2300 lies beyond the blocks.
    // Block 1 CO: "0" + 1.004 → "1.00"; "1.00" + 2.004 = 3.004 → "3.00" (the unrounded 3.008 would be 3.01).
    // Block 1 VI: 0.125 → "0.13"; 0.13 + 0.125 = 0.255 → "0.26" (unrounded 0.25).
    // Block 2: "3.33", "1.00". Block 3 has no segment: "0".
    // Totals: CO 1.004 + 2.004 + 3.333 + 5 = 11.341 → "11.34"; VI 3.25 → "3.25".
    const std::vector<CalSegment> segs = {seg(1000, 1200), seg(1200, 1500), seg(1500, 2000), seg(2000, 2300)};
    const std::vector<SegmentDemand> d = {demand(1.004, 0.125), demand(2.004, 0.125), demand(3.333, 1),
                                          demand(5, 2)};
    const BlockDemand b = SumBlockDemand(segs, d, {1000, 1500, 2000, 2000});
    EXPECT_EQ(b.BlockCO, (std::vector<std::string>{"3.00", "3.33", "0"}));
    EXPECT_EQ(b.BlockVI, (std::vector<std::string>{"0.26", "1.00", "0"}));
    EXPECT_NEAR(b.SumCO, 11.341, 1e-12);
    EXPECT_EQ(b.QQ_req_CO, "11.34");
    EXPECT_EQ(b.QQ_req_VI, "3.25");
}

TEST(CongestionDemand, NoBlocksGiveNoRowsButTheTotals) {
    const BlockDemand b = SumBlockDemand({seg(0, 100)}, {demand(1.5, 2.5)}, {0});
    EXPECT_TRUE(b.BlockCO.empty());
    EXPECT_EQ(b.QQ_req_CO, "1.50");
    EXPECT_EQ(b.QQ_req_VI, "2.50");
}

TEST(CongestionDemand, SearchFindsThePeakInTwoPasses) {
    // 3000 m from 10000: coarse 10000 … 12000 (21 windows); demand 100 − |s − 11230| / 10 rises by 10 a
    // step up to 11200 (97) and falls after, so the coarse best is 11200; fine 11150 … 11250 (21 windows)
    // peaks at 11230.
    Probe p;
    p.profile = [](double s) { return 100 - std::fabs(s - 11230) / 10; };
    const CongestionWindow w = SearchCongestionWindow(10000, 3000, std::ref(p));
    EXPECT_EQ(w.Start, 11230);
    EXPECT_EQ(w.End, 12230);
    ASSERT_EQ(p.starts.size(), 42u);
    EXPECT_EQ(p.starts[0], 10000);
    EXPECT_EQ(p.starts[20], 12000);
    EXPECT_EQ(p.starts[21], 11150);
    EXPECT_EQ(p.starts[41], 11250);
}

TEST(CongestionDemand, NearTiesKeepTheWindowNearerTheStart) {
    // Equal demand: the coarse search stays at the start; the fine search cannot go below it (10000 …
    // 10050, 11 windows) and the first stays best.
    Probe flat;
    flat.profile = [](double) { return 50.0; };
    CongestionWindow w = SearchCongestionWindow(10000, 3000, std::ref(flat));
    EXPECT_EQ(w.Start, 10000);
    EXPECT_EQ(w.End, 11000);
    EXPECT_EQ(flat.starts.size(), 21u + 11u);
    EXPECT_EQ(flat.starts[21], 10000);

    // A coarse window 1 m³/s better does not replace the best; one just above does.
    Probe margin;
    margin.profile = [](double s) { return s == 10100 ? 51.0 : (s == 10200 ? 51.01 : 50.0); };
    w = SearchCongestionWindow(10000, 3000, std::ref(margin));
    EXPECT_EQ(w.Start, 10200);
}

TEST(CongestionDemand, NoDemandGivesTheWindowZeroToZero) {
    Probe none;
    none.profile = [](double) { return 0.0; };
    const CongestionWindow w = SearchCongestionWindow(10000, 3000, std::ref(none));
    EXPECT_EQ(w.Start, 0);
    EXPECT_EQ(w.End, 0);
}

TEST(CongestionDemand, ATunnelOfOneKilometreOrLessIsItsOwnWindow) {
    for (double length : {800.0, 1000.0, 0.0}) {
        Probe p;
        p.profile = [](double) { return 10.0; };
        const CongestionWindow w = SearchCongestionWindow(2500, length, std::ref(p));
        EXPECT_EQ(w.Start, 2500) << length;
        EXPECT_EQ(w.End, 3500) << length;
        EXPECT_TRUE(p.starts.empty());
    }
}

TEST(CongestionDemand, ABoundlessTunnelLengthEndsTheSearch) {
    Probe p;
    p.profile = [](double) { return 1.0; };
    const CongestionWindow w =
        SearchCongestionWindow(0, std::numeric_limits<double>::infinity(), std::ref(p));
    EXPECT_TRUE(p.starts.empty());
    EXPECT_EQ(w.Start, 0);
    EXPECT_EQ(w.End, 0);
    // A huge but finite length is cut at the candidate limit instead of running for ever.
    Probe huge;
    huge.profile = [](double) { return 1.0; };
    SearchCongestionWindow(0, 1e300, std::ref(huge));
    EXPECT_LE(huge.starts.size(), static_cast<std::size_t>(2 * kMaxWindowCandidates));
}

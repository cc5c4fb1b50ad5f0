// SPDX-License-Identifier: GPL-3.0-or-later
// The point-by-point calculation worked by hand: the lamp layout of each mounting, the checks of the grid,
// the grid itself, the summary and uniformities, the required uniformities and the comparison lines; the
// .lgh case records; the lines of the lighting report.
#include "lighting/lgh_file.h"
#include "lighting/lighting_report.h"
#include "lighting/point_lighting.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

using namespace lighting;

CircuitLayout Layout(int mounting, double t = 7, int na = 1, int nt = 1) {
    CircuitLayout c;
    c.Mounting = mounting;
    c.Transverse = t;
    c.Height = 6;
    c.CountAlong = na;
    c.CountAcross = nt;
    return c;
}

std::vector<double> Xs(const std::vector<LampPoint>& lamps) {
    std::vector<double> x;
    for (const LampPoint& l : lamps) {
        x.push_back(l.Pos[0]);
    }
    return x;
}
std::vector<double> Ys(const std::vector<LampPoint>& lamps) {
    std::vector<double> y;
    for (const LampPoint& l : lamps) {
        y.push_back(l.Pos[1]);
    }
    return y;
}

// Symmetric, s = 30, d0 = 0, SS = 30: Δ = 30, n_before = 30 div 30 = 1, n_after = 60 div 30 = 2;
// positions −30, 0, 30, 60, each at −t/2 then +t/2 (t = 7): eight lamps at H = 6.
TEST(LampLayout, SymmetricCircuitCoversAnAreaLengthBeforeAndAfter) {
    const CircuitLamps c = LayOutCircuit("回路A", 30, 0, 30, Layout(1));
    ASSERT_EQ(c.Lamps.size(), 8u);
    EXPECT_EQ(Xs(c.Lamps), (std::vector<double>{-30, -30, 0, 0, 30, 30, 60, 60}));
    EXPECT_EQ(Ys(c.Lamps), (std::vector<double>{-3.5, 3.5, -3.5, 3.5, -3.5, 3.5, -3.5, 3.5}));
    for (const LampPoint& l : c.Lamps) {
        EXPECT_EQ(l.Name, "回路A");
        EXPECT_EQ(l.Pos[2], 6);
    }
}

// Staggered: Δ = 15, n_before = 30 div 15 = 2 (even, so the first lamp is on +t/2), n_after = 60 div 15 = 4;
// positions −30 … 60 every 15 m on the sides +, −, +, −, +, −, +; the reference lamp at 0 is on +t/2.
TEST(LampLayout, StaggeredCircuitAlternatesWithTheReferenceLampOnThePlusSide) {
    const CircuitLamps c = LayOutCircuit("A", 30, 0, 30, Layout(0));
    EXPECT_EQ(Xs(c.Lamps), (std::vector<double>{-30, -15, 0, 15, 30, 45, 60}));
    EXPECT_EQ(Ys(c.Lamps), (std::vector<double>{3.5, -3.5, 3.5, -3.5, 3.5, -3.5, 3.5}));
    // d0 = 15: n_before = 45 div 15 = 3 (odd, first lamp on −t/2), n_after = 45 div 15 = 3; the reference
    // lamp, fourth, at x = 15 and +t/2.
    const CircuitLamps odd = LayOutCircuit("A", 30, 15, 30, Layout(0));
    EXPECT_EQ(Xs(odd.Lamps), (std::vector<double>{-30, -15, 0, 15, 30, 45, 60}));
    EXPECT_EQ(Ys(odd.Lamps), (std::vector<double>{-3.5, 3.5, -3.5, 3.5, -3.5, 3.5, -3.5}));
}

// s = 7 staggered: Δ = 3.5 rounds to 4 (half to even) as the divisor: n_before = round(7) div 4 = 1,
// n_after = round(14) div 4 = 3, while the positions advance by 3.5: −3.5, 0, 3.5, 7, 10.5.
TEST(LampLayout, TheDivisorIsTheRoundedStepButPositionsUseTheStep) {
    const CircuitLamps c = LayOutCircuit("A", 7, 0, 7, Layout(0));
    EXPECT_EQ(Xs(c.Lamps), (std::vector<double>{-3.5, 0, 3.5, 7, 10.5}));
}

// Centre line, 2 × 3 lamps per position, sa = 1, st = 0.5: along −0.5, +0.5 around X, across −0.5, 0, 0.5.
TEST(LampLayout, CentreLineGroupsAlongOuterAcrossInner) {
    CircuitLayout l = Layout(2, 0, 2, 3);
    l.SpanAlong = 1;
    l.SpanAcross = 0.5;
    const CircuitLamps c = LayOutCircuit("A", 10, 0, 10, l); // positions −10, 0, 10, 20
    ASSERT_EQ(c.Lamps.size(), 24u);
    EXPECT_EQ(Xs(c.Lamps).front(), -10.5);
    const std::vector<double> ys = Ys(c.Lamps);
    EXPECT_EQ(std::vector<double>(ys.begin(), ys.begin() + 6),
              (std::vector<double>{-0.5, 0, 0.5, -0.5, 0, 0.5}));
    EXPECT_EQ(c.Lamps[3].Pos[0], -9.5);
}

TEST(LampLayout, InvalidMountingCountsOrATooSmallStepGiveNoLamps) {
    EXPECT_TRUE(LayOutCircuit("A", 30, 0, 30, Layout(3)).Lamps.empty());
    CircuitLayout none = Layout(1);
    none.Mounting.reset();
    EXPECT_TRUE(LayOutCircuit("A", 30, 0, 30, none).Lamps.empty());
    EXPECT_TRUE(LayOutCircuit("A", 30, 0, 30, Layout(1, 7, 0, 1)).Lamps.empty());
    EXPECT_TRUE(LayOutCircuit("A", 30, 0, 30, Layout(1, 7, 1, 0)).Lamps.empty());
    // s = 1 staggered: Δ = 0.5 rounds to 0; the count of positions cannot be formed and is said.
    const CircuitLamps dense = LayOutCircuit("A", 1, 0, 1, Layout(0));
    EXPECT_TRUE(dense.Lamps.empty());
    EXPECT_TRUE(dense.StepTooSmall);
    EXPECT_FALSE(LayOutCircuit("A", 2, 0, 2, Layout(0)).StepTooSmall); // Δ = 1
}

TEST(LampLayout, RowTextsAreReadByColumn) {
    const std::vector<std::string> row = {"回路A", "T", "250", "28000", "0.7", "0", "1", "8",
                                          "7.5",   "6", "15",  "0",     "2",   "1", "3", "0.6"};
    const CircuitLayout l = LayoutFromRow(row);
    EXPECT_EQ(l.Mounting, 1);
    EXPECT_EQ(l.Transverse, 7.5);
    EXPECT_EQ(l.Height, 6);
    EXPECT_EQ(l.CountAlong, 2);
    EXPECT_EQ(l.SpanAlong, 1);
    EXPECT_EQ(l.CountAcross, 3);
    EXPECT_EQ(l.SpanAcross, 0.6);
    EXPECT_FALSE(LayoutFromRow({"A", "", "", "", "", "", "x"}).Mounting.has_value());
    EXPECT_EQ(LayoutFromRow({"A", "", "", "", "", "", "2.5"}).Mounting, 2); // half to even
}

// The count a layout will give, known before any lamp is placed: equal to the lamps placed for every
// mounting, and a count asked for by a damaged file is told without allocating it.
TEST(LampLayout, TheLampCountIsKnownBeforeLayingOut) {
    const struct {
        double s, d0, SS;
        CircuitLayout layout;
    } cases[] = {{30, 0, 30, Layout(1)},
                 {30, 0, 30, Layout(0)},
                 {7, 2, 30, Layout(0)},
                 {30, 5, 30, Layout(2, 0, 3, 2)},
                 {30, 0, 30, Layout(1, 7, 0, 1)},
                 {1, 0, 1, Layout(0)},
                 {30, 0, 30, Layout(3)},
                 // 60,001 positions, more than a 16-bit count: laid out and counted alike.
                 {1, 0, 20000, Layout(2)}};
    for (const auto& c : cases) {
        EXPECT_EQ(CircuitLampCount(c.s, c.d0, c.SS, c.layout),
                  static_cast<long long>(LayOutCircuit("A", c.s, c.d0, c.SS, c.layout).Lamps.size()));
    }
    // 4 positions × 2 sides × 999,999,999 lamps along; 2e9 × 2e9 saturates.
    EXPECT_EQ(CircuitLampCount(30, 0, 30, Layout(1, 7, 999999999, 1)), 7999999992LL);
    EXPECT_EQ(CircuitLampCount(30, 0, 30, Layout(1, 7, 2000000000, 2000000000)),
              std::numeric_limits<long long>::max());
}

TEST(LampLayout, AskedCountsKeepWhatTheSixteenBitCountsCannotHold) {
    EXPECT_EQ(AskedCount("20"), 20);
    EXPECT_EQ(AskedCount("2.5"), 2);
    EXPECT_EQ(AskedCount("999999999"), 999999999);
    EXPECT_EQ(AskedCount("1e300"), 1000000000000000LL);
    EXPECT_EQ(AskedCount("-3"), -3);
    EXPECT_FALSE(AskedCount("").has_value());
    EXPECT_FALSE(AskedCount("x1").has_value());
    EXPECT_EQ(AskedProduct(20001, 5, 100000), 100005);
    EXPECT_EQ(AskedProduct(5, 1000000, 100000), 1000000);
    EXPECT_EQ(AskedProduct(1000000000000000LL, 1000000000000000LL, 100000),
              1000000000000000LL); // no overflow
}

// The points along must lie at most 1 m apart: SS / (nL − 1). 30 points on 30 m are 30/29 m apart.
TEST(GridChecks, SpacingCountsAndParity) {
    EXPECT_EQ(CheckGrid(30, 31, 5), GridCheck::Ok);
    EXPECT_EQ(CheckGrid(30, 30, 5), GridCheck::Spacing);
    EXPECT_EQ(CheckGrid(1, 1, 5), GridCheck::Spacing);
    EXPECT_EQ(CheckGrid(0, 0, 5), GridCheck::Spacing); // no division by zero
    EXPECT_EQ(CheckGrid(4, 5, 4), GridCheck::Spacing);
    EXPECT_EQ(CheckGrid(4, 5, 6), GridCheck::EvenAcross);
    EXPECT_EQ(CheckGrid(4, 5, 5), GridCheck::Ok);
    // The point count is held to its limit before the checks, so more than 32767 points pass them.
    EXPECT_EQ(CheckGrid(100, 6554, 5), GridCheck::Ok); // 32770 points
    EXPECT_EQ(CheckGrid(100, 6553, 5), GridCheck::Ok); // 32765
}

// nL = 3 on SS = 2, nT = 5 on W = 8: x = 0, 1, 2; y = −4, −2, 0, 2, 4, across outer.
TEST(GridChecks, PointsAndObserver) {
    const std::vector<Point3> p = GridPoints(2, 8, 3, 5);
    ASSERT_EQ(p.size(), 15u);
    EXPECT_EQ(p[0], (Point3{0, -4, 0}));
    EXPECT_EQ(p[2], (Point3{2, -4, 0}));
    EXPECT_EQ(p[3], (Point3{0, -2, 0}));
    EXPECT_EQ(p[7], (Point3{1, 0, 0}));
    EXPECT_EQ(p[14], (Point3{2, 4, 0}));
    EXPECT_EQ(Observer(60, 8), (Point3{-60, -2, 1.5}));
}

// Sum with stand-in photometry: E = 10 per lamp, L = 1 per lamp at y = 0 and 2 elsewhere, two lamps.
TEST(Summary, SumsEveryLampAndReportsProgress) {
    const std::vector<LampPoint> lamps(2);
    const std::vector<Point3> points = {{0, 0, 0}, {0, 2, 0}};
    std::vector<int> progress;
    const std::vector<PointValue> v = SumOverPoints(
        lamps, points, {-60, -2, 1.5}, [](const LampPoint&, const Point3&) { return 10.0; },
        [](const LampPoint&, const Point3& P, const Point3& O) {
            EXPECT_EQ(O[0], -60);
            return P[1] == 0 ? 1.0 : 2.0;
        },
        [&](int done) { progress.push_back(done); });
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].E, 20);
    EXPECT_EQ(v[0].L, 2);
    EXPECT_EQ(v[1].L, 4);
    EXPECT_EQ(progress, (std::vector<int>{1, 2}));
}

// The sum over lamps with real photometry (a table that varies with C and γ, a road table) on one, three
// and eight threads gives the same bits at every point, and each point is the sum of its lamps in order.
TEST(Summary, TheSumDoesNotDependOnTheThreadCount) {
    LampSource source;
    source.Circuit.Model = "T";
    source.Circuit.Flux = 16000;
    source.Circuit.Maintenance = 0.7;
    source.Circuit.Height = 6;
    source.Circuit.TiltAcross = 10;
    source.Table.x = {0, 90, 180, 270, 360};
    source.Table.y = {0, 30, 60, 90};
    source.Table.v = {
        {166, 166, 166, 166, 166}, {175, 250, 175, 120, 175}, {300, 380, 300, 60, 300}, {5, 8, 5, 1, 5}};
    source.HasTable = true;
    CoefTable road;
    road.x = {0, 90, 180};
    road.y = {0, 1, 2, 12};
    road.v = {{77, 77, 77}, {60, 55, 50}, {30, 25, 20}, {1, 1, 1}};

    std::vector<PlacedLamp> lamps;
    for (int k = 0; k < 120; ++k) {
        lamps.push_back({{-60.0 + 1.7 * k, k % 2 == 0 ? -3.5 : 3.5, 6}, &source});
    }
    lamps.push_back({{0, 0, 6}, nullptr}); // a lamp of no circuit gives nothing
    const std::vector<Point3> points = GridPoints(100, 7.5, 101, 5);
    const Point3 O = Observer(60, 7.5);

    std::vector<int> progress;
    const std::vector<PointValue> one =
        SumOverLamps(lamps, points, O, road, 1, [&](int done) { progress.push_back(done); });
    ASSERT_EQ(one.size(), points.size());
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), static_cast<int>(points.size()));
    for (unsigned threads : {3u, 8u, 0u}) {
        const std::vector<PointValue> many = SumOverLamps(lamps, points, O, road, threads, {});
        ASSERT_EQ(many.size(), one.size());
        for (std::size_t i = 0; i < one.size(); ++i) {
            ASSERT_EQ(many[i].E, one[i].E) << threads << " threads, point " << i;
            ASSERT_EQ(many[i].L, one[i].L) << threads << " threads, point " << i;
            ASSERT_EQ(many[i].y, one[i].y);
        }
    }
    PointValue byHand;
    for (const PlacedLamp& lamp : lamps) {
        const PointValue v = LampAtPoint(lamp, points[57], O, road);
        byHand.E += v.E;
        byHand.L += v.L;
    }
    EXPECT_EQ(one[57].E, byHand.E);
    EXPECT_EQ(one[57].L, byHand.L);
    EXPECT_GT(byHand.E, 0);
    EXPECT_GT(byHand.L, 0);
}

// Values (y, E, L): (−2, 10, 1), (0, 20, 2), (0, 30, 4), (2, 40, 3):
// Emin 10, Emax 40, Eav 25; Lmin 1, Lmax 4, Lav 2.5; centre line 2 … 4; Uo = 1/2.5 = 0.4, Ul = 2/4 = 0.5.
TEST(Summary, AveragesAndUniformities) {
    const LightingSummary s = Summarise({{-2, 10, 1}, {0, 20, 2}, {0.00005, 30, 4}, {2, 40, 3}});
    EXPECT_EQ(s.EE_min, 10);
    EXPECT_EQ(s.EE_max, 40);
    EXPECT_EQ(s.EE_av, 25);
    EXPECT_EQ(s.LL_min, 1);
    EXPECT_EQ(s.LL_max, 4);
    EXPECT_EQ(s.LL_av, 2.5);
    EXPECT_EQ(s.LL_min_p, 2);
    EXPECT_EQ(s.LL_max_p, 4);
    EXPECT_DOUBLE_EQ(*s.UU_0, 0.4);
    EXPECT_DOUBLE_EQ(*s.UU_l, 0.5);
    // No light at all: no uniformity can be formed (rather than the previous case's).
    const LightingSummary dark = Summarise({{0, 0, 0}, {2, 0, 0}});
    EXPECT_FALSE(dark.UU_0.has_value());
    EXPECT_FALSE(dark.UU_l.has_value());
    EXPECT_FALSE(Summarise({{1, 1, 1}}).UU_l.has_value()); // no centre-line point
    EXPECT_FALSE(Summarise({}).UU_0.has_value());
}

// One-way N = 1550: (1550 − 700)·0.1/1700 = 0.05 → 0.35, 0.55. Two-way N = 830: (830 − 360)·0.1/940 = 0.05.
TEST(Requirements, UniformitiesByTraffic) {
    EXPECT_NEAR(RequiredUniformityFor(1550, false).Uo, 0.35, 1e-12);
    EXPECT_NEAR(RequiredUniformityFor(1550, false).Ul, 0.55, 1e-12);
    EXPECT_NEAR(RequiredUniformityFor(830, true).Uo, 0.35, 1e-12);
    EXPECT_NEAR(RequiredUniformityFor(830, true).Ul, 0.55, 1e-12);
    EXPECT_EQ(RequiredUniformityFor(2400, false).Uo, 0.4);
    EXPECT_EQ(RequiredUniformityFor(700, false).Ul, 0.5);
    EXPECT_EQ(RequiredUniformityFor(1300, true).Ul, 0.6);
    EXPECT_EQ(RequiredUniformityFor(1300, false).Uo, (1300 - 700) * 0.1 / 1700 + 0.3);
    EXPECT_EQ(RequiredUniformityFor(0, false).Uo, 0.3);
}

TEST(Requirements, ComparisonLines) {
    // Equal counts as meeting the requirement.
    EXPECT_EQ(ResultText(4.5, 4.5, 0.4, 0.5, {0.4, 0.6}),
              "计算平均亮度: 4.50 > 规范要求值: 4.50\r\n路面亮度总均匀度:0.40 > 规范要求值:0.40\r\n"
              "亮度纵向  均匀度:0.50 < 规范要求值:0.60");
    EXPECT_EQ(
        ResultText(2.345, 4.5, std::nullopt, std::nullopt, {0.35, 0.55}),
        "计算平均亮度: 2.35 < 规范要求值: 4.50\r\n路面亮度总均匀度:无法计算(平均亮度为0), 规范要求值:0.35\r\n"
        "亮度纵向  均匀度:无法计算(中线上最大亮度为0), 规范要求值:0.55");
}

// ---- Case files ----

TEST(CaseFile, RecordsRoundTrip) {
    const std::vector<CaseRow> rows = {{"回路A", "12", "250", "0"}, {"回路B, 夜间", "", "400", "6"}};
    const std::array<std::string, kCaseResults> results = {"1.00", "2.00", "3.00", "4.00",
                                                           "5.00", "6.00", "0.40", "0.50"};
    const std::string bytes = WriteLgh(rows, "12.00", results, true).Bytes();
    scheme::SchemeReader in;
    in.Parse(bytes);
    const LghContents c = ReadLgh(in);
    ASSERT_TRUE(c.Rows.has_value());
    EXPECT_EQ(*c.Rows, rows);
    EXPECT_EQ(c.AreaLength, "12.00");
    for (std::size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(c.Results[i], results[i]);
    }
    EXPECT_EQ(c.Draw, true);
    // Seven records after the rows: length, results, switch, three reserve records of 15 fields.
    EXPECT_EQ(in.FieldCount(), 1 + 8 + 1 + 8 + 1 + 45u);
    EXPECT_NE(bytes.find("\r\n#TRUE#\r\n"), std::string::npos);
}

TEST(CaseFile, DamagedFilesKeepWhatCannotBeRead) {
    scheme::SchemeReader a;
    a.Parse("x\r\n\"A\",\"1\",\"2\",\"3\"\r\n");
    EXPECT_FALSE(ReadLgh(a).Rows.has_value()); // count unreadable: nothing after it is taken
    scheme::SchemeReader b;
    b.Parse("2\r\n\"A\",\"1\",\"2\",\"3\"\r\n\"B\",\"1\"\r\n");
    const LghContents cb = ReadLgh(b);
    ASSERT_TRUE(cb.Rows.has_value());
    EXPECT_EQ(cb.Rows->size(), 1u); // the cut row is dropped
    EXPECT_FALSE(cb.AreaLength.has_value());
    scheme::SchemeReader c;
    c.Parse("0\r\n\"30\"\r\n\"1\",\"2\",\"3\"\r\n");
    const LghContents cc = ReadLgh(c);
    EXPECT_TRUE(cc.Rows->empty());
    EXPECT_EQ(cc.AreaLength, "30");
    EXPECT_EQ(cc.Results[2], "3");
    EXPECT_FALSE(cc.Results[3].has_value());
    EXPECT_FALSE(cc.Draw.has_value());
    scheme::SchemeReader d;
    d.Parse("0\r\n\"\"\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\nmaybe\r\n");
    EXPECT_FALSE(ReadLgh(d).Draw.has_value());
}

// Only a case not set up writes a record after the reserve, and only #FALSE#: a file cut inside it is
// damaged and still a case not set up, so that no report takes its circuits for the zone's design.
TEST(CaseFile, ACutNotSetUpRecordIsDamagedAndNotSetUp) {
    const std::string whole = WriteLgh({{"回路A", "12", "250", "0"}}, "12.00", {}, true, false).Bytes();
    for (const std::size_t cut : {2u, 3u, 6u}) { // "#FALSE#", "#FALSE", "#FA"
        SCOPED_TRACE(cut);
        const LghContents c = ReadLghBytes(whole.substr(0, whole.size() - cut));
        EXPECT_EQ(c.Whole, cut == 2);
        EXPECT_FALSE(c.SetUp);
        ASSERT_TRUE(c.Rows.has_value());
        EXPECT_EQ(c.Rows->size(), 1u);
    }
}

TEST(CaseFile, NamesByPositions) {
    EXPECT_EQ(CaseFileName("D:\\T\\tunnel.vnt", 2, 5, 4), "D:\\T\\tunnel_2_5_4.lgh");
    EXPECT_EQ(CaseFileName("a.vnt", 0, 0, 0), "a_0_0_0.lgh");
    EXPECT_EQ(CaseFileName("", 0, 0, 0), "");
}

// ---- Report ----

TEST(LightingReport, HeadAndZoneBlock) {
    EXPECT_EQ(LightingReportHead("雁门关隧道"),
              (std::vector<std::string>{"", "", std::string(16, ' ') + "雁门关隧道照明计算书", "", ""}));
    EXPECT_EQ(CircuitLine({"回路A", "12", "250", "0"}), "回路A      12.0      0250.0      00.00");
    EXPECT_EQ(CircuitLine({"回路B", "abc", "", "3.456"}), "回路B      abc            03.46");

    LightingZoneBlock b;
    b.Zone = "入口段";
    b.Rows = {{"回路A", "12", "250", "0"}};
    b.Results = {"1.00", "2.00", "3.00", "4.00", "5.00", "6.00", "0.40", "0.50"};
    const std::vector<std::string> lines = LightingZoneLines(b);
    const std::string stars(93, '*');
    const std::vector<std::string> expected = {stars,
                                               stars,
                                               std::string(24, ' ') + "入口段",
                                               stars,
                                               stars,
                                               "",
                                               "■■  灯具开启回路  ■■",
                                               "回路名称  纵向间距(m) 功率(w) 与计算域起点距离(m)",
                                               "回路A      12.0      0250.0      00.00",
                                               "",
                                               "■■照明计算结果■■",
                                               "             计算方法: 数值法",
                                               "     最小照度Emin(lx):1.00",
                                               "     最大照度Emax(lx):2.00",
                                               "      平均照度Eav(lx):3.00",
                                               " 最小亮度Lmin(cd/m^2):4.00",
                                               " 最大亮度Lmax(cd/m^2):5.00",
                                               "  平均亮度Lav(cd/m^2):6.00",
                                               "           总均匀度Uo:0.40",
                                               "         纵向均匀度Ul:0.50"};
    EXPECT_EQ(lines, expected);

    // A refused zone says why and prints no results of an earlier calculation.
    b.Numeric = false;
    b.Rows.clear();
    b.Refused = "没有开启的灯具回路";
    const std::vector<std::string> refused = LightingZoneLines(b);
    ASSERT_EQ(refused.size(), 12u);
    EXPECT_EQ(refused[7], "回路名称  纵向间距(m) 功率(w) 与计算域起点距离(m)");
    EXPECT_EQ(refused[10], "         计算方法: 系数曲线图法");
    EXPECT_EQ(refused[11], "     本区段未计算: 没有开启的灯具回路");
}

} // namespace

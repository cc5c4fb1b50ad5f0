// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/axial_fan.h"
#include "tools/axial_fan_file.h"
#include "tools/axial_fan_report.h"

#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tools;

namespace {

CoefTable row(std::vector<double> x, std::vector<double> v) {
    CoefTable t;
    t.x = std::move(x);
    t.y = {0};
    t.v = {std::move(v)};
    return t;
}

// The tables as the shipped table file holds them.
AxialFanTables shippedTables() {
    AxialFanTables t;
    t.TabA03_1 = row({4, 5, 6, 7.5, 10, 12.5, 15, 20, 30, 45, 90},
                     {0.14, 0.16, 0.22, 0.30, 0.42, 0.62, 0.65, 0.92, 1.15, 1.10, 1.02});
    t.TabA03_2 = row({5, 10, 20, 30, 40, 50, 70}, {0.40, 0.25, 0.20, 0.20, 0.30, 0.40, 0.60});
    t.TabA03_3 = row({0.1, 0.3, 0.5, 0.7, 0.9, 1.0}, {0.40, 0.36, 0.30, 0.20, 0.10, 0.00});
    t.TabA03_1A = row({0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0},
                      {0.50, 0.45, 0.40, 0.35, 0.30, 0.25, 0.20, 0.15, 0.10, 0.05, 0.00});
    t.TabA03_1B = row({0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0},
                      {1.00, 0.81, 0.64, 0.49, 0.36, 0.25, 0.16, 0.09, 0.04, 0.01, 0.00});
    return t;
}

AxialDuctRow straight(double L, double A, double D, double lambda) {
    AxialDuctRow r;
    r.Length = L;
    r.Area = A;
    r.Diameter = D;
    r.Lambda = lambda;
    r.StrictArea = A;
    r.StrictDiameter = D;
    return r;
}

AxialDuctRow tapered(double L) {
    AxialDuctRow r;
    r.Length = L;
    r.Tapered = true;
    return r;
}

constexpr double kPi = 3.1415926;

} // namespace

TEST(AxialFan, StraightPieceAndThePowerChain) {
    const AxialFanTables tables = shippedTables();
    // L 100, A 10, D 3.5, λ 0.02, Q 100, ρ 1.2: v = 10; 0.02·100·0.6·100/3.5 = 34.2857 Pa.
    const std::vector<AxialDuctRow> rows{straight(100, 10, 3.5, 0.02)};
    EXPECT_NEAR(AxialDuctLoss(rows, {}, 100, 1.2, tables), 120.0 / 3.5, 1e-9);
    // Supply: (10²·1.2/2 + 34.29 + 300)·1.1 = 433.719; exhaust (60 + 34.29 − 300)·1.1 = −226.281.
    EXPECT_NEAR(*AxialDesignPressure(10, 1.2, 34.29, 300, 1, true), 433.719, 1e-9);
    EXPECT_NEAR(*AxialDesignPressure(10, 1.2, 34.29, 300, 1, false), -226.281, 1e-9);
    // Q 100, N 2, p_tot 433.72, t 273, P 101.32, η 0.8: 50·433.72·293·101.32/(1000·0.8·273·101.325)
    // = 643787077.4/22129380 = 29.09196 kW; motor 29.09·1.15/0.925 = 33.4535/0.925 = 36.16595 kW.
    EXPECT_NEAR(*AxialShaftPower(100, 2, 433.72, 273, 101.32, 0.8), 29.09196, 1e-5);
    EXPECT_NEAR(*AxialMotorPower(29.09, 1.15, 0.925), 36.16595, 1e-5);
}

TEST(AxialFan, ZeroDivisorsGiveNoResult) {
    EXPECT_FALSE(AxialDesignPressure(10, 1.2, 34.29, 300, 0, true));
    EXPECT_FALSE(AxialShaftPower(100, 0, 433.72, 273, 101.32, 0.8));
    EXPECT_FALSE(AxialShaftPower(100, 2, 433.72, 0, 101.32, 0.8));
    EXPECT_FALSE(AxialShaftPower(100, 2, 433.72, 273, 101.32, 0));
    EXPECT_FALSE(AxialMotorPower(29.09, 1.15, 0));
}

TEST(AxialFan, TaperedPieceTakesItsNeighboursSections) {
    const AxialFanTables tables = shippedTables();
    // Narrowing from D 2.0 (A 3.14) to D 1.0 (A 0.785) over 5 m, Q 10, ρ 1.2, neighbours of no length:
    // θ = atan((2 − 1)·0.5/5)·180/3.1415926 = 5.7106°; TabA03_2(5.7106) = 0.40 − 0.15·0.7106/5 = 0.37868;
    // ratio 0.785/3.14 = 0.25, TabA03_3(0.25) = 0.37; ζ = 0.14011; v = 10/0.785 = 12.739; Δp = ζ·0.6·v².
    const double theta = std::atan(0.1) * 180 / kPi;
    EXPECT_NEAR(theta, 5.7106, 1e-4);
    std::vector<AxialDuctRow> rows{straight(0, 3.14, 2.0, 0), tapered(5), straight(0, 0.785, 1.0, 0)};
    const double v = 10 / 0.785;
    const double narrowing = (0.40 - 0.15 * (theta - 5) / 5) * 0.37;
    EXPECT_NEAR(AxialPieceLoss(rows, 1, 10, 1.2, tables), narrowing * 0.6 * v * v, 1e-9);

    // Widening 1.0 → 2.0: θ = −5.7106°, ζ = TabA03_1(5.7106) · (3.14/0.785 − 1)² = (0.16 + 0.06·0.7106)·9
    // = 1.8237; v = 10/3.14.
    std::vector<AxialDuctRow> wide{straight(0, 0.785, 1.0, 0), tapered(5), straight(0, 3.14, 2.0, 0)};
    const double v2 = 10 / 3.14;
    const double widening = (0.16 + 0.06 * (theta - 5)) * 9;
    EXPECT_NEAR(AxialPieceLoss(wide, 1, 10, 1.2, tables), widening * 0.6 * v2 * v2, 1e-9);
    // A tapered pair adds no abrupt change: the whole duct is the tapered piece alone.
    EXPECT_NEAR(AxialDuctLoss(wide, {}, 10, 1.2, tables), widening * 0.6 * v2 * v2, 1e-9);
}

TEST(AxialFan, TaperedPieceWithoutTwoStraightNeighboursAddsNothing) {
    const AxialFanTables tables = shippedTables();
    const std::vector<AxialDuctRow> first{tapered(5), straight(10, 1, 1, 0.02)};
    EXPECT_EQ(AxialPieceLoss(first, 0, 10, 1.2, tables), 0);
    const std::vector<AxialDuctRow> last{straight(10, 1, 1, 0.02), tapered(5)};
    EXPECT_EQ(AxialPieceLoss(last, 1, 10, 1.2, tables), 0);
    const std::vector<AxialDuctRow> pair{straight(0, 2, 1.6, 0), tapered(5), tapered(5),
                                         straight(0, 1, 1.1, 0)};
    EXPECT_EQ(AxialPieceLoss(pair, 1, 10, 1.2, tables), 0);
    EXPECT_EQ(AxialPieceLoss(pair, 2, 10, 1.2, tables), 0);
    const std::vector<AxialDuctRow> noLength{straight(0, 2, 1.6, 0), tapered(0), straight(0, 1, 1.1, 0)};
    EXPECT_EQ(AxialPieceLoss(noLength, 1, 10, 1.2, tables), 0);
    // A straight piece without area or diameter.
    EXPECT_EQ(AxialPieceLoss({straight(10, 0, 1, 0.02)}, 0, 10, 1.2, tables), 0);
    EXPECT_EQ(AxialPieceLoss({straight(10, 1, 0, 0.02)}, 0, 10, 1.2, tables), 0);
}

TEST(AxialFan, AbruptChangesBetweenStraightNeighbours) {
    const AxialFanTables tables = shippedTables();
    // Q 100, ρ 1.2. Areas 10 then 5: v1 = 10, v2 = 20, TabA03_1A(0.5) = 0.25, Δp = 0.25·0.6·400 = 60.
    EXPECT_NEAR(AbruptChangeLoss(10, 5, 100, 1.2, tables), 60, 1e-9);
    // Areas 5 then 10: v1 = 20, v2 = 10, TabA03_1B(0.5) = 0.25, Δp = 0.25·0.6·400 = 60.
    EXPECT_NEAR(AbruptChangeLoss(5, 10, 100, 1.2, tables), 60, 1e-9);
    // Equal areas go to the contraction table at 1, which is 0.
    EXPECT_EQ(AbruptChangeLoss(5, 5, 100, 1.2, tables), 0);
    EXPECT_EQ(AbruptChangeLoss(0, 5, 100, 1.2, tables), 0);
    // Two frictionless pieces 10 then 5: the duct's loss is the change alone.
    const std::vector<AxialDuctRow> rows{straight(10, 10, 3, 0), straight(10, 5, 2, 0)};
    EXPECT_NEAR(AxialDuctLoss(rows, {}, 100, 1.2, tables), 60, 1e-9);
}

TEST(AxialFan, LocalLossesTakeTheSpeedOfTheirPiece) {
    const AxialFanTables tables = shippedTables();
    // Pieces 0–10 m of area 10 and 10–20 m of area 5, no friction, Q 100: speeds 10 and 20 m/s.
    const std::vector<AxialDuctRow> rows{straight(10, 10, 3, 0), straight(10, 5, 2, 0)};
    EXPECT_EQ(AxialSpeedAtPosition(rows, 100, 0), 10);
    EXPECT_EQ(AxialSpeedAtPosition(rows, 100, 10), 20); // the border belongs to the later piece
    EXPECT_EQ(AxialSpeedAtPosition(rows, 100, 20), 20); // the exact end belongs to the last piece
    EXPECT_EQ(AxialSpeedAtPosition(rows, 100, -1), 0);
    // ξ 0.5 at 15 m: 0.5·0.6·400 = 120, plus the change 60, plus ξ 1 at the end: 1·0.6·400 = 240;
    // before the start nothing.
    EXPECT_NEAR(AxialDuctLoss(rows, {{15, 0.5}, {20, 1}, {-1, 1}}, 100, 1.2, tables), 420, 1e-9);
    // A tapered piece takes the mean area of its neighbours: (10 + 5)/2 = 7.5.
    const std::vector<AxialDuctRow> taper{straight(10, 10, 3, 0), tapered(4), straight(10, 5, 2, 0)};
    EXPECT_NEAR(AxialSpeedAtPosition(taper, 100, 12), 100 / 7.5, 1e-12);
}

TEST(AxialFanFile, WrittenRecordByRecord) {
    AxialFanTexts fan;
    fan.Q = "100";
    fan.N = "2";
    fan.RHO = "1.2";
    fan.Supply = false;
    fan.Exhaust = true;
    fan.v = "10";
    fan.Disc = "1";
    fan.Sections = {{"100", "0", "10", "12", "3.333", "0.5", "0.012", "主风道"},
                    {"5", "1", "", "", "", "", "", ""}};
    fan.p_d = "34.29";
    fan.p_s = "300";
    fan.p_tot = "-226.28";
    fan.t = "273";
    fan.P = "101.32";
    fan.eta = "0.8";
    fan.SSkw = "";
    fan.etam = "0.925";
    fan.k = "1.15";
    fan.MM = "";
    const std::string empty10 = "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    const std::string expected = "\"100\",\"2\",\"1.2\",#FALSE#,#TRUE#,\"10\",\"1\"\r\n"
                                 "\"[沿程损失计算]\"\r\n2\r\n"
                                 "\"100\",\"0\",\"10\",\"12\",\"3.333\",\"0.5\",\"0.012\",\"主风道\"\r\n"
                                 "\"5\",\"1\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
                                 "\"[局部损失计算]\"\r\n0\r\n"
                                 "\"34.29\",\"300\",\"-226.28\"\r\n"
                                 "\"273\",\"101.32\",\"0.8\",\"\"\r\n"
                                 "\"0.925\",\"1.15\",\"\"\r\n" +
                                 empty10 + empty10;
    EXPECT_EQ(textcodec::FromGbk(AxialFanFileBytes(fan)), expected);

    fan.Zetas = {{"15", "0.5", "弯头"}};
    const AxialFanTexts back = ParseAxialFanFile(AxialFanFileBytes(fan));
    EXPECT_EQ(back.Q, "100");
    EXPECT_EQ(back.N, "2");
    EXPECT_EQ(back.Supply, false);
    EXPECT_EQ(back.Exhaust, true);
    EXPECT_EQ(back.Disc, "1");
    EXPECT_EQ(back.Sections, fan.Sections);
    EXPECT_EQ(back.Zetas, fan.Zetas);
    EXPECT_EQ(back.p_tot, "-226.28");
    EXPECT_EQ(back.SSkw, "");
    EXPECT_EQ(back.k, "1.15");
    EXPECT_EQ(back.MM, "");
}

TEST(AxialFanFile, BadFilesGiveWhatTheyHold) {
    // Cut inside the second piece row: the first row stays, nothing after the cut.
    const AxialFanTexts cut =
        ParseAxialFanFile("\"9\",\"1\",\"1.2\",#TRUE#,#FALSE#,\"\",\"\"\r\n\"[x]\"\r\n3\r\n"
                          "\"1\",\"0\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\"\r\n\"8\",\"0\"");
    EXPECT_EQ(cut.Q, "9");
    ASSERT_EQ(cut.Sections.size(), 1u);
    EXPECT_EQ(cut.Sections[0][7], "7");
    EXPECT_TRUE(cut.Zetas.empty());
    EXPECT_EQ(cut.k, "");
    // Text where a count belongs, a negative count, a huge count: no rows, no crash.
    EXPECT_TRUE(ParseAxialFanFile("\"1\",,,,,,\r\n\"h\"\r\nabc\r\n").Sections.empty());
    EXPECT_TRUE(ParseAxialFanFile("\"1\",,,,,,\r\n\"h\"\r\n-3\r\n").Sections.empty());
    EXPECT_TRUE(ParseAxialFanFile("\"1\",,,,,,\r\n\"h\"\r\n99999999999\r\n\"a\"").Sections.empty());
    // Flags that are no Booleans leave the fan type to the window.
    const AxialFanTexts flags = ParseAxialFanFile("\"1\",\"2\",\"3\",\"x\",\"y\"");
    EXPECT_FALSE(flags.Supply);
    EXPECT_FALSE(flags.Exhaust);
    const AxialFanTexts nothing = ParseAxialFanFile("");
    EXPECT_EQ(nothing.Q, "");
    EXPECT_EQ(nothing.p_s, "");
}

TEST(AxialFanFile, FileNamesAndFanNumbers) {
    EXPECT_EQ(AxialFanFilePath("D:\\p\\tunnel.vnt", "2"), "D:\\p\\tunnel_2.afd");
    EXPECT_EQ(AxialFanFilePath("", "2"), "");
    EXPECT_TRUE(FanNoProblem(""));
    EXPECT_TRUE(FanNoProblem(".."));
    EXPECT_TRUE(FanNoProblem("..\\x"));
    EXPECT_TRUE(FanNoProblem("a/b"));
    EXPECT_TRUE(FanNoProblem("c:"));
    EXPECT_FALSE(FanNoProblem("1#"));
    EXPECT_FALSE(FanNoProblem("北-2"));
}

TEST(AxialFanReport, RowLinesAndBlocks) {
    // 4 blanks, 012.50, 10 blanks, 0, 10 blanks, 45.600, 4 blanks, 25.100, 6 blanks, 07.267, 6 blanks,
    // 02.500, 10 blanks, 00.025, 6 blanks, R.
    EXPECT_EQ(
        AxialSectionLine({"12.5", "0", "45.6", "25.1", "7.267", "2.5", "0.025", "R"}),
        "    012.50          0          45.600    25.100      07.267      02.500          00.025      R");
    EXPECT_EQ(
        AxialSectionLine({"5", "1", "", "", "", "", "", ""}),
        "    005.00          1          00.000    00.000      00.000      00.000          00.000      ");
    EXPECT_EQ(AxialZetaLine({"15", "0.5", "弯头"}), "      015.00            0.500      弯头");

    AxialFanReportFan supply{"1", true, {}};
    supply.Texts.Q = "100";
    supply.Texts.p_tot = "433.72";
    supply.Texts.t = "273";
    supply.Texts.P = "101.32";
    AxialFanReportFan exhaust{"2", false, {}};
    exhaust.Texts.v = "8";
    const auto lines = AxialFanReportLines("某隧道", {supply, exhaust});
    ASSERT_EQ(lines.size(), 1u + 2 * 32);
    EXPECT_EQ(lines[0], std::string(16, ' ') + "某隧道轴流风机动力设计计算书");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "风机编号:1");
    EXPECT_EQ(lines[4], "■■基本参数■■");
    EXPECT_EQ(lines[5], "流量(m^3/s):     \t100");
    EXPECT_EQ(lines[8], "风机类型:        \t送风机");
    EXPECT_EQ(lines[21], "送风机设计风压ptotb(Pa):\t433.72");
    EXPECT_EQ(lines[24], "环境温度t1(K):   273");
    EXPECT_EQ(lines[25], "环境大气压p1(kPa):101.32");
    EXPECT_EQ(lines[34], "风机编号:2");
    EXPECT_EQ(lines[40], "风机类型:        \t排风机");
    EXPECT_EQ(lines[41], "排风口风速ve(m/s):\t8");
    EXPECT_EQ(lines[51], "排风口,排风井及连接风道总压力损失pde(Pa):\t");
    EXPECT_EQ(AxialFanReportLines("X", {}).size(), 1u);
}

TEST(AxialFan, SpeedsAreSquaredBeforeTheyMultiply) {
    // The engineer squares the speed first and multiplies by it as one factor; the last digit of the
    // loss depends on it. ρ 1.2 throughout.
    const AxialFanTables tables = shippedTables();
    // Straight: L 100, A 10, D 3.5, λ 0.02, Q 91: v = 9.1, v² = 82.81; 0.02·100·0.5·1.2·82.81/3.5 = 28.392.
    const double v = 91.0 / 10;
    const double v2 = v * v;
    EXPECT_EQ(AxialPieceLoss({straight(100, 10, 3.5, 0.02)}, 0, 91, 1.2, tables),
              0.02 * 100 * 0.5 * 1.2 * v2 / 3.5);
    // Narrowing 10 → 8, Q 84: v1/v2 = 0.8, TabA03_1A(0.8) = 0.10; v2 = 10.5, v2² = 110.25;
    // 0.10·0.5·1.2·110.25 = 6.615 Pa.
    const double vn = 84.0 / 8;
    const double zc = modPublic::Interpolate1D(tables.TabA03_1A, (84.0 / 10) / vn);
    EXPECT_NEAR(zc, 0.10, 1e-12);
    EXPECT_EQ(AbruptChangeLoss(10, 8, 84, 1.2, tables), zc * 0.5 * 1.2 * (vn * vn));
    // Widening 8 → 10, Q 86: v2/v1 = 0.8, TabA03_1B(0.8) = 0.04; v1 = 10.75, v1² = 115.5625;
    // 0.04·0.5·1.2·115.5625 = 2.7735 Pa.
    const double vw = 86.0 / 8;
    const double ze = modPublic::Interpolate1D(tables.TabA03_1B, (86.0 / 10) / vw);
    EXPECT_NEAR(ze, 0.04, 1e-12);
    EXPECT_EQ(AbruptChangeLoss(8, 10, 86, 1.2, tables), ze * 0.5 * 1.2 * (vw * vw));
    // Local loss ξ 0.5 in a piece of area 10, Q 81: v = 8.1, v² = 65.61; 0.5·0.5·1.2·65.61 = 19.683 Pa.
    const std::vector<AxialDuctRow> plain{straight(10, 10, 3, 0)};
    const double vl = 81.0 / 10;
    EXPECT_EQ(AxialDuctLoss(plain, {{5, 0.5}}, 81, 1.2, tables), 0.5 * 0.5 * 1.2 * (vl * vl));
}

TEST(AxialFan, TaperedPieceSquaresItsSpeedAndAreaRatioFirst) {
    const AxialFanTables tables = shippedTables();
    const double theta = std::atan(0.1) * 180 / kPi; // 5.7106°
    // Narrowing D 2.0 (A 3.14) → D 1.0 (A 0.785), Q 13: ζ = 0.37868·0.37 = 0.14011; v = 13/0.785 = 16.561,
    // v² = 274.26; Δp = 0.14011·0.5·1.2·274.26 = 23.056 Pa.
    const std::vector<AxialDuctRow> narrow{straight(0, 3.14, 2.0, 0), tapered(5), straight(0, 0.785, 1.0, 0)};
    const double zn = modPublic::Interpolate1D(tables.TabA03_2, theta) *
                      modPublic::Interpolate1D(tables.TabA03_3, 0.785 / 3.14);
    const double vn = 13 / 0.785;
    EXPECT_EQ(AxialPieceLoss(narrow, 1, 13, 1.2, tables), zn * 0.5 * 1.2 * (vn * vn));
    // Widening D 1.0 (A 0.785) → D 2.0 (A 3.14), Q 6: ζ = TabA03_1(5.7106)·(4 − 1)², the square of the
    // area term formed first: 0.20264·9 = 1.8237; v = 6/3.14 = 1.9108, v² = 3.6513; Δp = 3.9955 Pa.
    const std::vector<AxialDuctRow> wide{straight(0, 0.785, 1.0, 0), tapered(5), straight(0, 3.14, 2.0, 0)};
    const double ratio = 3.14 / 0.785;
    const double zw = modPublic::Interpolate1D(tables.TabA03_1, theta) * ((ratio - 1) * (ratio - 1));
    const double vw = 6 / 3.14;
    EXPECT_EQ(AxialPieceLoss(wide, 1, 6, 1.2, tables), zw * 0.5 * 1.2 * (vw * vw));
}

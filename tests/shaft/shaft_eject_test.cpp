// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-exhaust scheme's formulas, curve walk, scheme file and report, worked by hand.
#include "platform/textcodec.h"
#include "platform/vb.h"
#include "shaft/eject_curve.h"
#include "shaft/eject_file.h"
#include "shaft/eject_report.h"
#include "shaft/shaft_eject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace shaft;

// ---- Flows, pressures and the fan ----

TEST(ShaftEject, DiameterAndDesignFlows) {
    // 4 · 60 / 32 = 7.5; a perimeter of 0 gives no number.
    EXPECT_DOUBLE_EQ(ShaftDiameter(60, 32), 7.5);
    EXPECT_FALSE(std::isfinite(ShaftDiameter(60, 0)));
    // Merge: 120 + 90 = 210 through the shaft.
    const DesignFlows m = MergeFlows(120, 90);
    EXPECT_DOUBLE_EQ(m.Qr1, 120);
    EXPECT_DOUBLE_EQ(m.Qr2, 90);
    EXPECT_DOUBLE_EQ(m.Qr3, 210);
    // Split 100, 50, 60: S = 210, S² − 4·100·60 = 20100, √ = 141.7745; Qr1 = 175.887, Qr2 = 115.887.
    const DesignFlows s = SplitFlows(100, 50, 60);
    EXPECT_EQ(vb::Format(s.Qr1, "0.00"), "175.89");
    EXPECT_EQ(vb::Format(s.Qr2, "0.00"), "115.89");
    EXPECT_DOUBLE_EQ(s.Qr3, 60);
    // 80, 40, 80: S = 200, 40000 − 25600 = 14400, √ = 120: Qr1 = 160, Qr2 = 80.
    const DesignFlows t = SplitFlows(80, 40, 80);
    EXPECT_DOUBLE_EQ(t.Qr1, 160);
    EXPECT_DOUBLE_EQ(t.Qr2, 80);
}

TEST(ShaftEject, FlowAtAStationBelongsToSectionTwoFromTheShaftOn) {
    // Left line: entrance 3000, shaft 2200.
    EXPECT_EQ(FlowAtPile(2500, 2200, 3000, 1, 2), 1);
    EXPECT_EQ(FlowAtPile(2200, 2200, 3000, 1, 2), 2);
    EXPECT_EQ(FlowAtPile(3000, 2200, 3000, 1, 2), 2);
    EXPECT_EQ(FlowAtPile(1500, 2200, 3000, 1, 2), 2);
    // Right line: entrance 1000, shaft 2200.
    EXPECT_EQ(FlowAtPile(1500, 2200, 1000, 1, 2), 1);
    EXPECT_EQ(FlowAtPile(3500, 2200, 1000, 1, 2), 2);
}

TEST(ShaftEject, ShaftBottomPressuresOfBothModels) {
    // Merge: 10 + 20 − 15 − 10²·1.2·0.5·0.5 = −15; 5 + 8 − 3 − 10²·1.2·1·0.5 = −50.
    const MergePressures m = MergeShaftPressures(10, 20, 15, 5, 8, 3, 10, 1.2, 0.5, 1);
    EXPECT_DOUBLE_EQ(m.p_tot3, -15);
    EXPECT_DOUBLE_EQ(m.p_tot3a, -50);
    // Split: p1 = 10 + 30 − 20 = 20; p21 = 20 − 1.2·0.5·0.5·25 = 12.5; p22 = 12.5 − 4 + 6 = 14.5;
    // p23 = 0.5·1.2·16 + 3 = 12.6; p3 = 20 − 1·0.5·1.2·25 = 5.
    SplitInputs in;
    in.deltap_g1 = 10;
    in.deltap_t1 = 30;
    in.deltap_r1 = 20;
    in.zeta_12 = 0.5;
    in.v1 = 5;
    in.rho = 1.2;
    in.deltap_r2 = 4;
    in.deltap_t2 = 6;
    in.v2 = 4;
    in.deltap_g2 = 3;
    in.zeta_13 = 1;
    const SplitPressures p = SplitShaftPressures(in);
    EXPECT_DOUBLE_EQ(p.p_tot1, 20);
    EXPECT_DOUBLE_EQ(p.p_tot21, 12.5);
    EXPECT_DOUBLE_EQ(p.p_tot22, 14.5);
    EXPECT_NEAR(p.p_tot23, 12.6, 1e-12);
    EXPECT_DOUBLE_EQ(p.p_tot3, 5);
    // The exit hint: a difference of exactly 10 Pa is no imbalance, 10.01 is.
    EXPECT_FALSE(ExitImbalance(100, 110));
    EXPECT_FALSE(ExitImbalance(110, 100));
    EXPECT_TRUE(ExitImbalance(100, 110.01));
}

TEST(ShaftEject, SplitPressuresSquareTheSpeedFirst) {
    // The speeds are squared before they multiply, so the last digit is the hand-calculated one.
    // v1 = v2 = 2.1, ρ 1.2, ζ1-2 = ζ1-3 = 0.5, no pressure otherwise: p21 = −1.2·0.5·0.5·4.41 = −1.323,
    // p23 = 0.5·1.2·4.41 = 2.646, p3 = −0.5·0.5·1.2·4.41 = −1.323 Pa.
    SplitInputs in;
    in.zeta_12 = 0.5;
    in.zeta_13 = 0.5;
    in.v1 = 2.1;
    in.v2 = 2.1;
    in.rho = 1.2;
    const SplitPressures p = SplitShaftPressures(in);
    EXPECT_EQ(p.p_tot21, -1.323);
    EXPECT_EQ(p.p_tot23, 2.646);
    EXPECT_EQ(p.p_tot3, -1.323);
}

TEST(ShaftEject, ExhaustFanPressureAndPower) {
    // A shaft bottom under 500 Pa of suction: (300 + 500) · 1.1 = 880 Pa; 210 · 880 / 1000 = 184.8 kW;
    // / 0.8 = 231 kW.
    const FanPower f = ExhaustFan(-500, 300, 210, 0.8);
    EXPECT_EQ(vb::Format(f.p_tot, "0.00"), "880.00");
    EXPECT_EQ(vb::Format(f.AA_tot, "0.00"), "184.80");
    EXPECT_EQ(vb::Format(f.SS_tot, "0.00"), "231.00");
    EXPECT_FALSE(std::isfinite(ExhaustFan(-500, 300, 210, 0).SS_tot));
}

TEST(ShaftEject, CongestionWindowSplitFollowsTheDirectionOfTravel) {
    // Right line, shaft 2200, window 1500-2500: section I 1500-2200, section II 2200-2500.
    TrafficStretches r = CongestionTrafficStretches(1500, 2500, 2200, 1);
    EXPECT_EQ(r.Section1.sp, 1500);
    EXPECT_EQ(r.Section1.ep, 2200);
    EXPECT_EQ(r.Section2.sp, 2200);
    EXPECT_EQ(r.Section2.ep, 2500);
    // Window 2300-2800 lies beyond the shaft: section I gets nothing (2200-2200).
    r = CongestionTrafficStretches(2300, 2800, 2200, 1);
    EXPECT_EQ(r.Section1.sp, 2200);
    EXPECT_EQ(r.Section1.ep, 2200);
    EXPECT_EQ(r.Section2.sp, 2300);
    EXPECT_EQ(r.Section2.ep, 2800);
    // Left line: section I lies at the larger stations, so it is the part from the shaft up.
    r = CongestionTrafficStretches(2300, 2800, 2200, -1);
    EXPECT_EQ(r.Section1.sp, 2300);
    EXPECT_EQ(r.Section1.ep, 2800);
    EXPECT_EQ(r.Section2.sp, 2200);
    EXPECT_EQ(r.Section2.ep, 2200);
}

TEST(ShaftEject, ShaftPositionSearchHalvesUntilThePressuresMeet) {
    // p3 = 100 − 0.1·x falls, p3a = 0.1·x − 20 rises: they meet at x = 600 of a 2000 m tunnel.
    std::vector<double> tried;
    const BalanceResult r = BalanceShaftPosition(2000, [&](double x) {
        tried.push_back(x);
        return std::make_pair(100 - 0.1 * x, 0.1 * x - 20);
    });
    ASSERT_GE(tried.size(), 3U);
    EXPECT_EQ(tried[0], 1000); // p3 = 0 < p3a = 80: the upper end moves to 1000
    EXPECT_EQ(tried[1], 500);  // p3 = 50 > 30: the lower end moves to 500
    EXPECT_EQ(tried[2], 750);
    EXPECT_TRUE(r.found);
    EXPECT_LT(std::fabs(0.2 * r.x - 120), 0.1);
    EXPECT_EQ(r.x, tried.back());

    // Pressures that never meet: the search stops at a bracket under a millimetre, not found.
    const BalanceResult never = BalanceShaftPosition(2000, [](double) { return std::make_pair(0.0, 100.0); });
    EXPECT_FALSE(never.found);
    EXPECT_LE(never.steps, kBalanceMaxHalvings);
    EXPECT_LT(never.x, 0.001);
    // A pressure that is no number stops at once.
    const BalanceResult nan = BalanceShaftPosition(2000, [](double) { return std::make_pair(NAN, 0.0); });
    EXPECT_FALSE(nan.found);
    EXPECT_EQ(nan.steps, 1);
}

// ---- Curves ----

/// Tunnel 0-1000, one cross-section row ending at 1000 of area 50, shaft at 500, no local loss, friction
/// 0.001 · length · flow, flows 100 in section I and 50 in section II.
EjectCurveInputs smallTunnel(bool merge, int dir) {
    EjectCurveInputs in;
    in.Merge = merge;
    in.Dir = dir;
    in.Entrance = dir > 0 ? 0 : 1000;
    in.Exit = dir > 0 ? 1000 : 0;
    in.Shaft = 500;
    in.v1 = 2;
    in.v3 = 5;
    in.zeta_12 = 0.5;
    in.zeta_13 = 1;
    in.zeta_23 = 2;
    in.deltap_g1 = 5;
    in.deltap_t1 = 20;
    in.deltap_g2 = 3;
    in.deltap_t2 = 10;
    in.Qreq1 = 80;
    in.Qr1 = 100;
    in.rho = 1.2;
    in.StartPile = 0;
    in.SectionStations = {1000};
    const double entrance = in.Entrance;
    in.FlowAt = [entrance](double x) { return FlowAtPile(x, 500, entrance, 100, 50); };
    in.AreaAt = [](double) { return 50.0; };
    in.Friction = [](double a, double b, double q) { return std::fabs(a - b) * q * 0.001; };
    return in;
}

TEST(EjectCurve, SplitTypeWalksOnToTheExit) {
    const EjectCurves c = BuildEjectCurves(smallTunnel(false, 1));
    // p_in = 5 + 20 − 0.6·0.6·2² = 23.56. Zone start 497.5: friction 497.5·100·0.001 = 49.75, before −26.19,
    // step −0.5·0.6·2² = −1.2. Zone end 502.5: midpoint 500 is the shaft, flow 50: 0.25, then +Δpt2 = 10.
    // Exit: 497.5·50·0.001 = 24.875.
    ASSERT_EQ(c.Press.size(), 6U);
    const double expected[6][2] = {{0, 23.56},      {497.5, -26.19}, {497.5, -27.39},
                                   {502.5, -27.64}, {502.5, -17.64}, {1000, -42.515}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(c.Press[i].station, expected[i][0]) << i;
        EXPECT_NEAR(c.Press[i].value, expected[i][1], 1e-9) << i;
    }
    // Speeds at 0, 497.5, 502.5, 1000 (2m + 4 = 6 points): 2 before the zone end, 1 after it.
    ASSERT_EQ(c.V.size(), 6U);
    const double v[6][2] = {{0, 2}, {497.5, 2}, {497.5, 2}, {502.5, 1}, {502.5, 1}, {1000, 1}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(c.V[i].station, v[i][0]) << i;
        EXPECT_DOUBLE_EQ(c.V[i].value, v[i][1]) << i;
    }
    // Concentration 0 at the entrance, 80/100 at the shaft, 1 at the exit.
    ASSERT_EQ(c.C.size(), 3U);
    EXPECT_DOUBLE_EQ(c.C[1].value, 0.8);
    EXPECT_DOUBLE_EQ(c.C[2].value, 1);
}

TEST(EjectCurve, StepsAndPortalPressuresSquareTheSpeedFirst) {
    // No friction and no pressure but the steps; air moves only at the two stations 1 mm inside the portals
    // and at a local loss at 100, each 105 m³/s over 50 m², 2.1 m/s; v1 = v3 = 2.1, every ζ 0.5, ρ 1.2.
    // Entrance −0.6·0.6·4.41 = −1.5876; local loss −0.5·0.6·4.41 = −1.323; zone start (split −ζ1-2, merge
    // −ζ1-3) −1.323; merge exit −0.6·0.6·4.41 = −1.5876 Pa: each to the hand-calculated last digit.
    for (const bool merge : {false, true}) {
        EjectCurveInputs in;
        in.Merge = merge;
        in.Entrance = 0;
        in.Exit = 1000;
        in.Shaft = 500;
        in.v1 = 2.1;
        in.v3 = 2.1;
        in.zeta_12 = 0.5;
        in.zeta_13 = 0.5;
        in.zeta_23 = 0.5;
        in.rho = 1.2;
        in.Qr1 = 1;
        in.LocalLosses = {{100, 0.5}};
        in.SectionStations = {1000};
        in.FlowAt = [](double x) { return x == 0.001 || x == 1000.0 - 0.001 || x == 100 ? 105.0 : 0.0; };
        in.AreaAt = [](double) { return 50.0; };
        in.Friction = [](double, double, double) { return 0.0; };
        const EjectCurves c = BuildEjectCurves(in);
        ASSERT_EQ(c.Press.size(), 8U) << merge;
        EXPECT_EQ(c.Press[0].value, -1.5876) << merge;
        // The local loss after an entrance of −1.5876: the step itself is −1.323.
        EXPECT_EQ(c.Press[2].value, -1.5876 + -1.323) << merge;
        EXPECT_EQ(c.Press[4].value, (-1.5876 + -1.323) + -1.323) << merge;
        if (merge) {
            EXPECT_EQ(c.Press[7].value, -1.5876);
        }
    }
}

TEST(EjectCurve, MergeTypeGainsTowardsTheShaftAndEndsAtTheExitPressure) {
    const EjectCurves c = BuildEjectCurves(smallTunnel(true, 1));
    // Zone start: −1·0.6·25 = −15; the stretch across the zone gains its 0.25 (σ = −1); zone end
    // +2·0.6·25 = +30. Exit: 3 + 10 − 0.6·0.6·1² = 12.64, straight from the last walk point.
    ASSERT_EQ(c.Press.size(), 6U);
    EXPECT_NEAR(c.Press[2].value, 23.56 - 49.75 - 15, 1e-9);
    EXPECT_NEAR(c.Press[3].value, 23.56 - 49.75 - 15 + 0.25, 1e-9);
    EXPECT_NEAR(c.Press[4].value, 23.56 - 49.75 - 15 + 0.25 + 30, 1e-9);
    EXPECT_NEAR(c.Press[5].value, 12.64, 1e-9);
    EXPECT_DOUBLE_EQ(c.C[0].value, 0);
    EXPECT_DOUBLE_EQ(c.C[1].value, 1);
    EXPECT_DOUBLE_EQ(c.C[2].value, 0);
}

TEST(EjectCurve, LeftLineArraysAscendAndLocalLossesSortInTheDirectionOfTravel) {
    EjectCurveInputs in = smallTunnel(false, -1);
    in.LocalLosses = {{200, 1}, {800, 2}};
    const EjectCurves c = BuildEjectCurves(in);
    ASSERT_EQ(c.Press.size(), 10U); // 2n + 6
    for (std::size_t i = 1; i < c.Press.size(); ++i) {
        EXPECT_LE(c.Press[i - 1].station, c.Press[i].station) << i;
    }
    // Walked from 1000: the entrance point is last, and the loss at 800 (section I, v = 2) comes first:
    // p_in 23.56, friction 200·100·0.001 = 20, step −2·0.6·4 = −4.8.
    EXPECT_DOUBLE_EQ(c.Press.back().station, 1000);
    EXPECT_NEAR(c.Press.back().value, 23.56, 1e-9);
    EXPECT_NEAR(c.Press[8].value, 3.56, 1e-9);
    EXPECT_NEAR(c.Press[7].value, -1.24, 1e-9);
    EXPECT_DOUBLE_EQ(c.C.front().station, 0);
    EXPECT_DOUBLE_EQ(c.C.back().station, 1000);
    EXPECT_DOUBLE_EQ(c.C.front().value, 1);
}

TEST(EjectCurve, EmptySectionListAndZeroAreaNeverThrow) {
    EjectCurveInputs in = smallTunnel(false, 1);
    in.SectionStations.clear();
    in.AreaAt = [](double) { return 0.0; };
    in.Qr1 = 0;
    const EjectCurves c = BuildEjectCurves(in);
    EXPECT_EQ(c.V.size(), 4U);
    EXPECT_FALSE(std::isfinite(c.V[0].value));
    EXPECT_FALSE(std::isfinite(c.C[1].value));
    in.FlowAt = [](double) -> double { throw std::runtime_error("no flow"); };
    EXPECT_NO_THROW(BuildEjectCurves(in));
}

// ---- The .se file ----

SeFileContents numbered() {
    SeFileContents se;
    for (std::size_t i = 0; i < kSeBoxCount; ++i) {
        se.Boxes[i] = "v" + std::to_string(i);
    }
    se.Merge = true;
    return se;
}

TEST(EjectFile, RecordsInOrderWithTheReserveFieldsAndEveryValueQuoted) {
    const std::string bytes = WriteSeFile(numbered()).Bytes();
    const std::string expected =
        "\"[计算行车速度vt(m/s)]\"\r\n"
        "\"v0\",\"v1\"\r\n"
        "\"[第I区段]\"\r\n"
        "\"v2\",\"v3\",\"v4\",\"v5\",\"v6\",\"v7\",\"\",\"\",\"v8\",\"v9\"\r\n"
        "\"[第II区段]\"\r\n"
        "\"v10\",\"v11\",\"v12\",\"v13\",\"v14\",\"\",\"\",\"v15\",\"v16\",\"v17\",\"v18\"\r\n"
        "\"[压力模式]\"\r\n"
        "#TRUE#\r\n"
        "\"[竖井]\"\r\n"
        "\"v19\",\"v20\",\"v21\",\"v22\",\"v23\",\"v24\",\"v25\",\"v26\"\r\n"
        "\"[计算结果]\"\r\n"
        "\"v27\",\"v28\",\"v29\",\"v30\"\r\n";
    EXPECT_EQ(textcodec::FromGbk(bytes), expected);
    // Round trip.
    scheme::SchemeReader in;
    in.Parse(bytes);
    const SeFileContents back = ReadSeFile(in);
    for (std::size_t i = 0; i < kSeBoxCount; ++i) {
        EXPECT_EQ(back.Boxes[i], "v" + std::to_string(i)) << i;
    }
    EXPECT_EQ(back.Merge, true);
}

TEST(EjectFile, TruncatedAndFuzzedFilesGiveWhatTheyHold) {
    const std::string bytes = WriteSeFile(numbered()).Bytes();
    // Cut inside section II: the boxes before the cut come back, those after it are missing.
    const std::size_t cut = bytes.find("v13");
    scheme::SchemeReader in;
    in.Parse(bytes.substr(0, cut - 1));
    const SeFileContents se = ReadSeFile(in);
    EXPECT_EQ(se.Boxes[kSeDeltap_t1], "v8");
    EXPECT_EQ(se.Boxes[kSeQQ_req2], "v12");
    EXPECT_FALSE(se.Boxes[kSeShaftAA_r]);
    EXPECT_FALSE(se.Merge);
    // An empty file gives nothing; random bytes never throw.
    scheme::SchemeReader empty;
    empty.Parse("");
    EXPECT_FALSE(ReadSeFile(empty).Boxes[kSe_v_t]);
    std::mt19937 rng(7);
    for (int n = 0; n < 200; ++n) {
        std::string junk(static_cast<std::size_t>(rng() % 400), '\0');
        for (char& ch : junk) {
            ch = static_cast<char>(rng() % 256);
        }
        scheme::SchemeReader r;
        r.Parse(junk);
        EXPECT_NO_THROW(ReadSeFile(r));
    }
}

// ---- The report ----

TEST(EjectReport, ValuesStartInColumn55AndTheFormulaLinesAfterTheirLabels) {
    EjectReportBoxes b;
    b.ProjectName = "隧道";
    b.Merge = true;
    b.ShaftPile = "2200.00";
    for (std::string* s :
         {&b.deltap_g1, &b.zeta_13,   &b.zeta_12,   &b.QQ_r1, &b.v_1,       &b.deltap_t1, &b.p_tot1,
          &b.deltap_g2, &b.zeta_23,   &b.QQ_r2,     &b.v_2,   &b.deltap_t2, &b.p_tot21,   &b.p_tot22,
          &b.ShaftAA_r, &b.ShaftPP_r, &b.ShaftDD_r, &b.QQ_r3, &b.v_3,       &b.deltap_d,  &b.p_tot3,
          &b.p_tot3a,   &b.p_tot,     &b.AA_tot,    &b.eta,   &b.SS_tot}) {
        *s = "X";
    }
    const std::vector<std::string> lines = EjectReportLines(b);
    ASSERT_EQ(lines.size(), 44U);
    EXPECT_EQ(lines[0], std::string(29, ' ') + "隧道竖井排出通风方式计算报告");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "压力模式:" + std::string(9, ' ') + "双向交通隧道合流型竖井");
    EXPECT_EQ(lines[3], "竖井桩号(m):" + std::string(9, ' ') + "2200.00");
    EXPECT_EQ(vb::DisplayWidth(lines[3]) - 7, 21); // the value from column 22
    EXPECT_EQ(lines[5], "■■通风区段计算■■");
    EXPECT_EQ(lines[7], ">>  第I区段<<");
    EXPECT_EQ(lines[17], ">>  第II区段  <<");
    EXPECT_EQ(lines[27], ">>  竖井  <<");
    EXPECT_EQ(lines[38], "■■轴流风机动力设计■■");
    for (int n : {10, 11, 12, 13, 14, 15, 20, 21, 22, 23, 24, 30, 31, 32, 33, 34, 35, 41, 42, 43, 44}) {
        const std::string& line = lines[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(vb::DisplayWidth(line), 55) << "line " << n << ": " << line;
        EXPECT_EQ(line.back(), 'X') << n;
    }

    EXPECT_EQ(vb::DisplayWidth(lines[35]), 59);
    EXPECT_EQ(vb::DisplayWidth(lines[36]), 60);
    EXPECT_EQ(lines[9], " 隧道口与竖井出口之间的气象压力差Δpg1(Pa):  " + std::string(9, ' ') + "X");
    // Any other model, and an empty box printing its label and the gap alone.
    b.Merge = false;
    b.eta.clear();
    const std::vector<std::string> split = EjectReportLines(b);
    EXPECT_EQ(split[2], "压力模式:" + std::string(9, ' ') + "单向交通隧道分流型竖井");

    EXPECT_EQ(vb::DisplayWidth(split[42]), 54);
}

TEST(EjectReport, EachTypePrintsNotComputedForWhatItDoesNotComputeAndForAnEmptyResult) {
    // Lines 16, 25 and 26 are ptot1, ptot21 and ptot22, line 37 ptot3a, line 44 Stot.
    struct Case {
        bool merge;
        std::string stot;
        std::vector<int> notComputed, shown;
    } const cases[] = {{true, "X", {16, 25, 26}, {36, 37, 44}},
                       {false, "X", {37}, {16, 25, 26, 36, 44}},
                       {false, "", {37, 44}, {16}}};
    for (const Case& c : cases) {
        EjectReportBoxes b;
        b.Merge = c.merge;
        for (std::string* s : {&b.p_tot1, &b.p_tot21, &b.p_tot22, &b.p_tot3, &b.p_tot3a}) {
            *s = "X";
        }
        b.SS_tot = c.stot;
        const std::vector<std::string> lines = EjectReportLines(b);
        ASSERT_EQ(lines.size(), 44U);
        for (int n : c.notComputed) {
            EXPECT_TRUE(lines[static_cast<std::size_t>(n - 1)].ends_with(std::string(9, ' ') + "未计算"))
                << c.merge << " line " << n << ": " << lines[static_cast<std::size_t>(n - 1)];
        }
        for (int n : c.shown) {
            EXPECT_EQ(lines[static_cast<std::size_t>(n - 1)].back(), 'X') << c.merge << " line " << n;
        }
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The concentrated-supply balance worked by hand: the opening's quadratic, the speed at a station, the
// congestion stretches, one pass over a recording tunnel, the repetition, the fan, the .con records and
// the report lines.
#include "transverse/concentrate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace transverse;

/// ρ 1.2, Qr 300, Ar 60 (vr 5), β 5°, Kb 0.9, opening at 1200 in a tunnel 1000–2000 on the right line.
ConcentrateScheme Example() {
    ConcentrateScheme s;
    s.Qr = 300;
    s.Ar = 60;
    s.rho = 1.2;
    s.beta = 5;
    s.Kb = 0.9;
    s.S = 1200;
    s.StartPile = 1000;
    s.EndPile = 2000;
    return s;
}

/// A tunnel whose pressures do not depend on the flow: every main stretch resists 10 Pa, every supply
/// stretch 5 Pa, every traffic force 5 Pa; so Δpm = Δpr = 15, Δpt = 10 and Δpb = 20 Pa.
TunnelServices Constant() {
    TunnelServices t;
    t.Resistance = [](double, double, double, int type, double, double, double) {
        return type == 3 ? 10.0 : 5.0;
    };
    t.OneWayTraffic = [](double, double, double, double, int) { return 5.0; };
    t.TwoWayTraffic = [](double, double, double, double) { return 5.0; };
    return t;
}

TEST(ConcentrateOpening, WorkedExamplesOfBothModes) {
    ConcentrateScheme s = Example();
    // Known area Ab 12: m = 60·0.9·cos 5°/12 = 4.4829, a = 10.9658, c = −40/30 = −1.3333,
    // x = (√(16 + 4·10.9658·1.3333) + 4)·0.5/10.9658 = (8.6304 + 4)/21.9316 = 0.5759; Qb 172.77, vb 14.40.
    OpeningResult a = SolveOpening(s, 20, 12, 0);
    ASSERT_TRUE(a.Solved);
    EXPECT_NEAR(a.x, 0.5759, 5e-5);
    EXPECT_NEAR(a.Qb, 172.77, 0.01);
    EXPECT_NEAR(a.vb, 14.40, 0.005);
    EXPECT_DOUBLE_EQ(a.Ab, 12);
    EXPECT_NEAR((s.Qr - a.Qb) / (s.Ar - a.Ab), 2.65, 0.005);
    // Known speed vb 25: b = 0.9·25·0.996195/5 − 2 = 2.4829, c = −0.6667,
    // x = (√(6.1648 + 2.6667) − 2.4829)·0.5 = 0.2444; Qb 73.33, Ab 2.93.
    s.Mode = OpeningMode::KnownSpeed;
    OpeningResult v = SolveOpening(s, 20, 0, 25);
    ASSERT_TRUE(v.Solved);
    EXPECT_NEAR(v.x, 0.2444, 5e-5);
    EXPECT_NEAR(v.Qb, 73.33, 0.01);
    EXPECT_NEAR(v.Ab, 2.93, 0.005);
    EXPECT_NEAR((s.Qr - v.Qb) / (s.Ar - v.Ab), 3.97, 0.005);
}

TEST(ConcentrateOpening, NoRequiredRiseAndNoRealRoot) {
    ConcentrateScheme s = Example();
    // Δpb = 0: known area x = 2/(1 + m) = 2/5.4829 = 0.36477.
    EXPECT_NEAR(SolveOpening(s, 0, 12, 0).x, 2 / (1 + 60 * 0.9 * std::cos(5 * 3.1416 / 180) / 12), 1e-12);
    s.Mode = OpeningMode::KnownSpeed;
    // Kb·vb·c0/vr = 4.4829 > 2: no supply flow.
    EXPECT_DOUBLE_EQ(SolveOpening(s, 0, 0, 25).x, 0);
    // vb 5: 0.9·5·0.996195/5 = 0.89658 ≤ 2: x = 2 − 0.89658 = 1.10342.
    EXPECT_NEAR(SolveOpening(s, 0, 0, 5).x, 2 - 0.9 * std::cos(5 * 3.1416 / 180), 1e-12);
    // Known area, a = 10.9658: no real root once c > 4/a = 0.3648, i.e. Δpb < −0.3648·30/2 = −5.47 Pa.
    s.Mode = OpeningMode::KnownArea;
    EXPECT_TRUE(SolveOpening(s, -5.4, 12, 0).Solved);
    EXPECT_FALSE(SolveOpening(s, -5.6, 12, 0).Solved);
    // Known speed vb 25 (b = 2.4829) with Δpb = −3: c = 0.1, x = (√(6.1648 − 0.4) − 2.4829)/2 = −0.0409,
    // a fan drawing air out: no solution.
    s.Mode = OpeningMode::KnownSpeed;
    EXPECT_FALSE(SolveOpening(s, -3, 0, 25).Solved);
}

TEST(ConcentrateStations, SpeedOnEitherSideOfTheOpening) {
    // Right line: below S the supply stretch (v1 = 2), at and above S the main stretch (vr = 5).
    EXPECT_DOUBLE_EQ(VelocityAtPile(1100, 1200, 1, 2, 5), 2);
    EXPECT_DOUBLE_EQ(VelocityAtPile(1200, 1200, 1, 2, 5), 5);
    EXPECT_DOUBLE_EQ(VelocityAtPile(1300, 1200, 1, 2, 5), 5);
    // Left line: the supply stretch lies above S.
    EXPECT_DOUBLE_EQ(VelocityAtPile(1300, 1200, -1, 2, 5), 2);
    EXPECT_DOUBLE_EQ(VelocityAtPile(1200, 1200, -1, 2, 5), 5);
    EXPECT_DOUBLE_EQ(VelocityAtPile(1100, 1200, -1, 2, 5), 5);
    // The supply stretch blows out where its speed as shown is not above 0, on reopening as well.
    EXPECT_TRUE(SupplyStretchBlowsOut(0.004) && SupplyStretchBlowsOut(-3.26) &&
                !SupplyStretchBlowsOut(0.005));
}

TEST(ConcentrateStations, CongestionWindowBelowAboveAndAcrossTheOpening) {
    // Flows: 100 on the low side, 300 on the high side.
    auto below = BlockStretches(1000, 1200, 1200, 100, 300); // end at S counts as below
    ASSERT_EQ(below.size(), 1u);
    EXPECT_DOUBLE_EQ(below[0].Q, 100);
    auto above = BlockStretches(1200, 1900, 1200, 100, 300); // start at S counts as above
    ASSERT_EQ(above.size(), 1u);
    EXPECT_DOUBLE_EQ(above[0].Q, 300);
    auto across = BlockStretches(1100, 1600, 1200, 100, 300);
    ASSERT_EQ(across.size(), 2u);
    EXPECT_EQ((std::vector<double>{across[0].From, across[0].To, across[0].Q}),
              (std::vector<double>{1200, 1600, 300}));
    EXPECT_EQ((std::vector<double>{across[1].From, across[1].To, across[1].Q}),
              (std::vector<double>{1100, 1200, 100}));
}

/// Records every call of the pressure engine.
struct Recorder {
    std::vector<std::string> calls;
    TunnelServices services() {
        TunnelServices t;
        t.Resistance = [this](double a, double b, double Q, int type, double z1, double z2, double z3) {
            calls.push_back("R " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(Q) +
                            " " + std::to_string(type) + " " + std::to_string(z1) + " " + std::to_string(z2) +
                            " " + std::to_string(z3));
            return 1.0;
        };
        t.OneWayTraffic = [this](double a, double b, double Q, double Am, int c) {
            calls.push_back("T1 " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(Q) +
                            " " + std::to_string(Am) + " " + std::to_string(c));
            return 2.0;
        };
        t.TwoWayTraffic = [this](double a, double b, double Q, double Am) {
            calls.push_back("T2 " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(Q) +
                            " " + std::to_string(Am));
            return 3.0;
        };
        return t;
    }
};

TEST(ConcentratePass, StretchesFlowsAndTrafficByCase) {
    ConcentrateScheme s = Example();
    s.vn = 2;
    s.Am = 2.5;
    s.Am2 = 3.5;
    s.CaseIndex = 2; // full congestion: case number 3
    Recorder rec;
    // v1 4, Qb 100, Ab 12: natural wind 2·60 = 120 and 120·60/48 = 150; supply stretch 48·4 = 192.
    PassPressures p = ComputePass(s, rec.services(), 4, 100, 12);
    ASSERT_EQ(rec.calls.size(), 6u);
    EXPECT_EQ(rec.calls[0], "R 2000.000000 1200.000000 120.000000 3 0.600000 0.280000 0.700000");
    EXPECT_EQ(rec.calls[1], "R 1000.000000 1200.000000 150.000000 1 0.600000 0.000000 0.000000");
    EXPECT_EQ(rec.calls[2], "T1 2000.000000 1200.000000 300.000000 2.500000 3");
    EXPECT_EQ(rec.calls[3], "T1 1000.000000 1200.000000 200.000000 2.500000 3");
    EXPECT_EQ(rec.calls[4], "R 2000.000000 1200.000000 300.000000 3 0.600000 0.280000 0.700000");
    EXPECT_EQ(rec.calls[5], "R 1000.000000 1200.000000 192.000000 1 0.600000 0.000000 0.700000");
    EXPECT_DOUBLE_EQ(p.dpm, 2);
    EXPECT_DOUBLE_EQ(p.dpt, 4);
    EXPECT_DOUBLE_EQ(p.dpr, 2);
    EXPECT_DOUBLE_EQ(RequiredRise(p), 2 - 4 + 2 + 0);

    // Two-way traffic: T2 with Am2 on both stretches. Left line: the entrance is the end station.
    rec.calls.clear();
    s.CaseIndex = 1;
    s.RightLine = false;
    ComputePass(s, rec.services(), 4, 100, 12);
    EXPECT_EQ(rec.calls[2], "T2 1000.000000 1200.000000 300.000000 3.500000");
    EXPECT_EQ(rec.calls[3], "T2 2000.000000 1200.000000 200.000000 3.500000");

    // 1 km congestion across S on the left line: the low side carries Qr, the high side Qr − Qb.
    rec.calls.clear();
    s.CaseIndex = 3;
    s.BlockStart = 1100;
    s.BlockEnd = 1600;
    p = ComputePass(s, rec.services(), 4, 100, 12);
    EXPECT_EQ(rec.calls[2], "T1 1200.000000 1600.000000 200.000000 2.500000 4");
    EXPECT_EQ(rec.calls[3], "T1 1100.000000 1200.000000 300.000000 2.500000 4");
    EXPECT_DOUBLE_EQ(p.dpt, 4);
}

TEST(ConcentratePass, LocalLossesTakeTheSpeedOfTheirSide) {
    ConcentrateScheme s = Example();
    s.Losses = {{1100, 0.5}, {1500, 1.0}};
    // v1 2 below S, vr 5 above: 0.5·1.2·0.5·4 + 0.5·1.2·1·25 = 1.2 + 15 = 16.2 Pa.
    EXPECT_NEAR(ComputePass(s, Constant(), 2, 0, 12).dpl, 16.2, 1e-12);
}

TEST(ConcentrateBalance, SupplyStretchSpeedSettlesByHalves) {
    // Δpb = 20 in every pass: x = 0.5759, Qb 172.77, v1′ = 127.23/48 = 2.6506 each pass. From v1 = 5 the
    // gap halves: 2.349, 1.175, 0.587, … The supply flow is the same from the second pass on; the passes
    // go on until the gap is below 1e-6 m/s (2.349 / 2^22 = 5.6e-7 in pass 23), so v1 is v1′ itself
    // rather than the 2.6873 a 0.1 m/s test would leave, which depended on where the passes started.
    const BalanceResult r = Balance(Example(), Constant(), 0, 12, 25);
    EXPECT_EQ(r.Fault, BalanceFault::None);
    EXPECT_EQ(r.Passes, 23);
    EXPECT_NEAR(r.dpb, 20, 1e-12);
    EXPECT_NEAR(r.Qb, 172.77, 0.01);
    EXPECT_NEAR(r.vb, 14.40, 0.005);
    EXPECT_NEAR(r.v1, 2.6506, 5e-5);
    // Any start value of the supply flow gives the same result.
    const BalanceResult fromLast = Balance(Example(), Constant(), r.Qb, 12, 25);
    EXPECT_NEAR(fromLast.Qb, r.Qb, 1e-9);
    EXPECT_NEAR(fromLast.v1, r.v1, 1e-6);

    // The same with two passes allowed: not settled, the second pass's results kept (v1 3.2380).
    const BalanceResult capped = Balance(Example(), Constant(), 0, 12, 25, 2);
    EXPECT_EQ(capped.Fault, BalanceFault::NotConverged);
    EXPECT_NEAR(capped.v1, 3.2380, 5e-4);
    EXPECT_NEAR(capped.Qb, 172.77, 0.01);
}

TEST(ConcentrateBalance, FaultsStopWithoutResults) {
    TunnelServices broken = Constant();
    broken.Resistance = [](double, double, double, int, double, double, double) {
        return std::numeric_limits<double>::quiet_NaN();
    };
    BalanceResult r = Balance(Example(), broken, 7, 12, 25);
    EXPECT_EQ(r.Fault, BalanceFault::NotComputed);
    EXPECT_DOUBLE_EQ(r.Qb, 7); // the start value stays
    // Traffic force 30 Pa per stretch: Δpb = 15 − 60 + 15 = −30 < −5.47: no real root.
    TunnelServices strongTraffic = Constant();
    strongTraffic.OneWayTraffic = [](double, double, double, double, int) { return 30.0; };
    r = Balance(Example(), strongTraffic, 0, 12, 25);
    EXPECT_EQ(r.Fault, BalanceFault::NoRoot);
    EXPECT_EQ(r.Passes, 0);
}

TEST(ConcentrateBalance, InputsCheckedBeforeAnyPass) {
    ConcentrateScheme s = Example();
    EXPECT_EQ(CheckInputs(s, 12, 0, 0.8), BalanceFault::None);
    EXPECT_EQ(CheckInputs(s, 0, 25, 0.8), BalanceFault::BadNozzleArea);
    EXPECT_EQ(CheckInputs(s, 60, 25, 0.8), BalanceFault::BadNozzleArea);
    EXPECT_EQ(CheckInputs(s, 12, 25, 0), BalanceFault::BadEfficiency);
    s.Mode = OpeningMode::KnownSpeed;
    EXPECT_EQ(CheckInputs(s, 0, 25, 0.8), BalanceFault::None);
    EXPECT_EQ(CheckInputs(s, 12, 0, 0.8), BalanceFault::BadJetSpeed);
    s.S = 1000; // at the portal: no supply stretch
    EXPECT_EQ(CheckInputs(s, 0, 25, 0.8), BalanceFault::BadStation);
    s.S = 2500;
    EXPECT_EQ(CheckInputs(s, 0, 25, 0.8), BalanceFault::BadStation);
    s.Qr = 0;
    EXPECT_EQ(CheckInputs(s, 0, 25, 0.8), BalanceFault::NoDesignFlow);
    s.Ar = 0;
    EXPECT_EQ(CheckInputs(s, 0, 25, 0.8), BalanceFault::NoTunnelArea);
}

TEST(ConcentrateFan, WorkedExample) {
    // (0.6·14.4² + 300)·1.1 = (124.416 + 300)·1.1 = 466.8576 Pa; 172.77·466.8576/1000 = 80.6590 kW;
    // /0.8 = 100.8237 kW.
    const FanDuty d = SupplyFan(1.2, 14.4, 300, 172.77, 0.8);
    EXPECT_NEAR(d.Ptot, 466.8576, 1e-9);
    EXPECT_NEAR(d.Atot, 80.6590, 1e-4);
    EXPECT_NEAR(d.Stot, 100.8237, 1e-4);
}

TEST(ConcentrateFan, JetSpeedSquaredAsOneFactor) {
    // vb 10.004, no duct loss: (0.5·1.2·10.004²)·1.1 = 0.6·100.080016·1.1 = 66.05281056 Pa, the square one
    // factor; (0.6·vb)·vb differs in the last digit.
    const double vb = 10.004;
    const double want = (0.5 * 1.2 * (vb * vb) + 0) * 1.1;
    EXPECT_NEAR(want, 66.05281056, 1e-9);
    EXPECT_EQ(SupplyFan(1.2, vb, 0, 100, 0.8).Ptot, want);
}

TEST(ConcentrateFile, RecordsRoundTripAndShortFiles) {
    ConFileContents con;
    con.Record1 = {"1.00", "2.00", "3.00", "4.00", "300.00", "172.77",
                   "1200", "2.69", "5.00", "0.90", "0.00"};
    con.KnownArea = false;
    con.Record2 = {"12.00", "14.40", "300.00", "466.86", "80.66", "0.85", "100.82"};
    const std::string bytes = WriteConFile(con).Bytes();
    EXPECT_EQ(
        bytes,
        "\"1.00\",\"2.00\",\"3.00\",\"4.00\",\"300.00\",\"172.77\",\"1200\",\"2.69\",\"5.00\",\"0.90\","
        "\"0.00\"\r\n#FALSE#,\"12.00\",\"14.40\",\"300.00\",\"466.86\",\"80.66\",\"0.85\",\"100.82\"\r\n");
    scheme::SchemeReader in;
    in.Parse(bytes);
    const ConFileContents back = ReadConFile(in);
    EXPECT_EQ(back.Record1, con.Record1);
    EXPECT_EQ(back.KnownArea, false);
    EXPECT_EQ(back.Record2, con.Record2);

    // Cut inside record 2 before its comma: the fields after the cut are missing, those before are kept.
    scheme::SchemeReader cut;
    cut.Parse(bytes.substr(0, bytes.find("\"300.00\",\"466") - 1));
    const ConFileContents part = ReadConFile(cut);
    EXPECT_EQ(part.Record1[kCon_deltap_l], "0.00");
    EXPECT_EQ(part.KnownArea, false);
    EXPECT_EQ(part.Record2[kCon_v_b], "14.40");
    EXPECT_FALSE(part.Record2[kCon_deltap_d].has_value());

    // A text where the Boolean belongs: no mode, the texts after it still read.
    scheme::SchemeReader bad;
    bad.Parse("\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\",\"i\",\"j\",\"k\"\r\n\"yes\",\"12.00\"\r\n");
    const ConFileContents badMode = ReadConFile(bad);
    EXPECT_FALSE(badMode.KnownArea.has_value());
    EXPECT_EQ(badMode.Record2[kCon_AA_b], "12.00");
}

TEST(ConcentrateReport, LinesWithTheirBlanksAndTabs) {
    ConReportBoxes b;
    b.ProjectName = "雁门关";
    b.KnownArea = false;
    b.deltap_m = "17.37";
    b.deltap_r = "8.00";
    b.ShaftPile = "1200";
    b.eta = "0.85";
    b.SS_tot = "100.82";
    const std::vector<std::string> l = ConReportLines(b);
    ASSERT_EQ(l.size(), 29u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[2], std::string(29, ' ') + "雁门关集中送入通风计算报告");
    EXPECT_EQ(l[4], "根据已知送风口喷出风速计算");
    EXPECT_EQ(l[6], "■■压力平衡分析■■");
    EXPECT_EQ(l[7], std::string(13, ' ') + "自然风阻力Δpm(Pa): \t17.37");
    EXPECT_EQ(l[9], "通风阻抗力Δpr(经送风段修正)(Pa):\t8.00");
    EXPECT_EQ(l[12], "■■送风有关参数■■");
    EXPECT_EQ(l[16], std::string(17, ' ') + "送风口桩号(m):  \t1200");
    EXPECT_EQ(l[18], " 喷流方向与隧道轴向的夹角β(度): \t");
    EXPECT_EQ(l[23], "■■风机动力设计■■");
    EXPECT_EQ(l[27], std::string(17, ' ') + "送风机效率η:   \t0.85");
    EXPECT_EQ(l[28], std::string(5, ' ') + "送风机电机轴功率Stot(kw):   \t100.82");
    b.ProjectName.clear();
    b.KnownArea = true;
    const std::vector<std::string> k = ConReportLines(b);
    EXPECT_EQ(k[2], std::string(29, ' ') + "集中送入通风计算报告");
    EXPECT_EQ(k[4], "根据已知送风口面积计算");
}

} // namespace

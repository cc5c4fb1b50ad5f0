// SPDX-License-Identifier: GPL-3.0-or-later
// Transverse ventilation worked by hand: the ducts and fans of full and supply semi-transverse ventilation,
// the portal pressure difference, the neutral-point search, the .tra records and the report lines.
#include "transverse/lateral.h"

#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace transverse;

/// ρ 1.2, Q 200 m³/s, L 2000 m, both ducts 10 m² and 3 m with λ 0.02, no connecting-duct loss.
LateralDuctInput Ducts() {
    LateralDuctInput in;
    in.L = 2000;
    in.Q = 200;
    in.AA_b = in.AA_e = 10;
    in.DD_b = in.DD_e = 3;
    in.Lambda_b = in.Lambda_e = 0.02;
    in.rho = 1.2;
    in.v_n = 2;
    in.zeta_e = 0.5;
    in.lambda_r = 0.02;
    in.DD_r = 8;
    return in;
}

TEST(LateralDucts, FullTransverseOneSectionByHand) {
    // q_b = 200/2000 = 0.1; v_b = 200/10 = 20; p_b = 0.6·400 = 240; k_b = 0.02·2000/3/3 − 1 = 3.4444;
    // pbi−pb0 = 3.4444·240 = 826.667; p_tot = (150 + 826.667 + 240 + 0)·1.1 = 1338.333.
    // v_e0 = 20; p_e = 240; k_e = 4.4444 + 2 = 6.4444; pei−pe0 = 1546.667;
    // p_etot = (100 + 1546.667 − 240 + 0)·1.1 = 1547.333.
    const LateralDuctResult r = LateralDucts(Ducts());
    EXPECT_DOUBLE_EQ(r.q_b, 0.1);
    EXPECT_DOUBLE_EQ(r.v_b, 20);
    EXPECT_NEAR(r.p_b, 240, 1e-9);
    EXPECT_NEAR(r.k_b, 40.0 / 9 - 1, 1e-12);
    EXPECT_NEAR(r.pbi_pb0, 826.6667, 1e-4);
    EXPECT_DOUBLE_EQ(r.pb0_pr0, 150);
    EXPECT_NEAR(r.p_tot, 1338.3333, 1e-4);
    EXPECT_DOUBLE_EQ(r.Pn, 0);
    EXPECT_DOUBLE_EQ(r.v_e0, 20);
    EXPECT_NEAR(r.k_e, 40.0 / 9 + 2, 1e-12);
    EXPECT_NEAR(r.pei_pe0, 1546.6667, 1e-4);
    EXPECT_DOUBLE_EQ(r.pri_pei, 100);
    EXPECT_NEAR(r.p_etot, 1547.3333, 1e-4);
}

TEST(LateralDucts, TwoSectionsHalveFlowsAndLengthsButNotTheAirPerMetre) {
    // One fan: QQ_b = 100, LL_b = 1000; q_b = 0.1; v_b = 10; p_b = 60; k_b = 0.02·1000/9 − 1 = 1.2222;
    // pbi−pb0 = 73.333; p_tot = (150 + 73.333 + 60)·1.1 = 311.667.
    // Exhaust: v_e0 = 10; p_e = 60; k_e = 4.2222; pei−pe0 = 253.333; p_etot = (100 + 253.333 − 60 + 5)·1.1 =
    // 328.167.
    LateralDuctInput in = Ducts();
    in.TwoSections = true;
    in.p_ed = 5;
    const LateralDuctResult r = LateralDucts(in);
    EXPECT_DOUBLE_EQ(r.QQ_b, 100);
    EXPECT_DOUBLE_EQ(r.QQ_e, 100);
    EXPECT_DOUBLE_EQ(r.LL_b, 1000);
    EXPECT_DOUBLE_EQ(r.LL_e, 1000);
    EXPECT_DOUBLE_EQ(r.q_b, 0.1);
    EXPECT_DOUBLE_EQ(r.v_b, 10);
    EXPECT_NEAR(r.p_b, 60, 1e-9);
    EXPECT_NEAR(r.k_b, 1.2222, 1e-4);
    EXPECT_NEAR(r.pbi_pb0, 73.3333, 1e-4);
    EXPECT_NEAR(r.p_tot, 311.6667, 1e-4);
    EXPECT_NEAR(r.k_e, 4.2222, 1e-4);
    EXPECT_NEAR(r.p_etot, 328.1667, 1e-4);
}

TEST(LateralDucts, SemiTransverseAddsTheNaturalWindOverTheWholeSectionShared) {
    // Pn = 0.6·4·(1 + 0.5 + 0.02·2000/8) = 2.4·6.5 = 15.6; p_tot = (15.6 + 1216.667)·1.1 = 1355.493.
    // Two sections: Pn halves to 7.8 (L stays 2000 in it); p_tot = (7.8 + 283.333)·1.1 = 320.247.
    LateralDuctInput in = Ducts();
    in.FullTransverse = false;
    LateralDuctResult r = LateralDucts(in);
    EXPECT_NEAR(r.Pn, 15.6, 1e-9);
    EXPECT_NEAR(r.p_tot, 1355.4933, 1e-4);
    // The exhaust is computed in both variants.
    EXPECT_NEAR(r.p_etot, 1547.3333, 1e-4);
    in.TwoSections = true;
    r = LateralDucts(in);
    EXPECT_NEAR(r.Pn, 7.8, 1e-9);
    EXPECT_NEAR(r.p_tot, 320.2467, 1e-4);
}

TEST(LateralDucts, ZeroLengthAreaOrDiameterSpoilOnlyWhatDividesByThem) {
    LateralDuctInput in = Ducts();
    in.AA_b = 0;
    in.DD_e = 0;
    LateralDuctResult r = LateralDucts(in);
    EXPECT_FALSE(std::isfinite(r.v_b));
    EXPECT_FALSE(std::isfinite(r.p_tot));
    EXPECT_DOUBLE_EQ(r.q_b, 0.1);
    EXPECT_DOUBLE_EQ(r.v_e0, 20);
    EXPECT_FALSE(std::isfinite(r.k_e));
    in = Ducts();
    in.L = 0;
    r = LateralDucts(in);
    EXPECT_FALSE(std::isfinite(r.q_b));
    EXPECT_DOUBLE_EQ(r.v_b, 20);
    EXPECT_NEAR(r.k_b, -1, 1e-12);
}

TEST(LateralDucts, DuctSpeedsAndNaturalWindSquaredAsOneFactor) {
    // Q 101 in one section: v_b = v_e0 = 10.1; p_b = p_e = 0.6·10.1² = 61.206 with the square one factor.
    // Semi-transverse with v_n 2.002: Pn = 0.6·2.002²·(1 + 0.5 + 0.02·2000/8) = 0.6·4.008004·6.5 = 15.63122.
    LateralDuctInput in = Ducts();
    in.Q = 101;
    in.FullTransverse = false;
    in.v_n = 2.002;
    const LateralDuctResult r = LateralDucts(in);
    const double v = 101.0 / 10;
    EXPECT_NEAR(r.p_b, 61.206, 1e-9);
    EXPECT_EQ(r.p_b, 0.5 * 1.2 * (v * v));
    EXPECT_EQ(r.p_e, 0.5 * 1.2 * (v * v));
    EXPECT_EQ(r.pei_pe0, r.k_e * 0.5 * 1.2 * (v * v));
    EXPECT_NEAR(r.Pn, 15.631216, 1e-6);
    EXPECT_EQ(r.Pn, 0.5 * 1.2 * (2.002 * 2.002) * (1 + 0.5 + 0.02 * 2000 / 8) * 1.0);
}

/// L 2000, q_b 0.1, Ar 60, Dr 8, λr 0.02, ρ 1.2, Am 2, N 1000, vt 60: C = 2·1000·2000·3.6/60/60/3600
/// = 1.1111.
TunnelPressureInput Tunnel(double L = 2000) {
    return TunnelPressureInput{.L = L,
                               .q_b = 0.1,
                               .AA_r = 60,
                               .DD_r = 8,
                               .lambda_r = 0.02,
                               .rho = 1.2,
                               .AA_m = 2,
                               .N = 1000,
                               .vt = 60};
}

TEST(NeutralPoint, DropSquaresTheSpeedFirst) {
    // L 2000, q_b 0.1, Ar 60, Dr 8, λr 0.02, ρ 1.2, Am 2, N 1000, vt 60 (C = 1.1111), x = 2: v = 0.2/60;
    // D = 0.6·((0.02·2/3/8 + 2)·v² + C·(2/2000)·(60/3.6)·v) = 0.6·(2.224e-5 + 6.173e-5) = 5.0381e-5, the
    // square one factor; (…·v)·v differs in the last digit.
    const TunnelPressureInput t = Tunnel();
    const double c = 2.0 * 1000 * 2000 * 3.6 / 60 / 60 / 3600;
    const double v = 2 * 0.1 / 60;
    const double want = 0.5 * 1.2 * ((0.02 * 2 / 3 / 8 + 2) * (v * v) + c * (2.0 / 2000) * (60 / 3.6) * v);
    EXPECT_NEAR(want, 5.03814814815e-05, 1e-15);
    EXPECT_EQ(NeutralPressureDrop(t, 2), want);
}

TEST(PortalPressure, NaturalWindOverTheSectionWithEntranceAndExit) {
    // 2² · (−0.6) · (2000·0.02/8 + 0.5 + 1) = −2.4 · 6.5 = −15.6; a negative length turns the friction term.
    EXPECT_NEAR(PortalPressureDifference(2, 1.2, 2000, 0.02, 8, 0.5), -15.6, 1e-12);
    EXPECT_NEAR(PortalPressureDifference(2, 1.2, -2000, 0.02, 8, 0.5), 8.4, 1e-12);
    EXPECT_DOUBLE_EQ(PortalPressureDifference(0, 1.2, 2000, 0.02, 8, 0.5), 0.0);
}

TEST(NeutralPoint, BalancedEndsFindTheMiddleOnTheFirstPass) {
    // D(1000): v = 1.6667, v² = 2.7778; (0.02·1000/24 + 2)·v² = 7.8704; C·0.5·16.667·1.6667 = 15.432;
    // 0.6·23.302 = 13.98. PR at 500 m from it: v = 0.8333; (0.4167 + 2)·0.6944 = 1.6782; C·0.25·16.667·0.8333
    // = 3.858; 0.6·5.536 = 3.322; 13.98 − 3.32 = 10.66.
    const TunnelPressureInput t = Tunnel();
    EXPECT_NEAR(VehicleTerm(t), 1.1111, 1e-4);
    const NeutralPoint n = FindNeutralPoint(t, 0);
    EXPECT_EQ(n.Passes, 1);
    EXPECT_DOUBLE_EQ(n.x1, 1000);
    EXPECT_NEAR(-n.P1, 13.98, 0.005);
    EXPECT_NEAR(-n.P1 - NeutralPressureDrop(t, 500), 10.66, 0.005);
}

TEST(NeutralPoint, HigherStartPressureMovesTheNeutralPointTowardsTheEnd) {
    // Pa = −10 (the end is higher): 10 passes, x1 = 1169.92; PC = D(1169.92) = 19.46; at station 10500 with
    // the section from 10000, d = 669.92 and PR = 13.39. At the balance D(x2) − D(x1) = Pa within 0.1 Pa.
    const TunnelPressureInput t = Tunnel();
    const NeutralPoint n = FindNeutralPoint(t, -10);
    EXPECT_EQ(n.Passes, 10);
    EXPECT_NEAR(n.x1, 1169.92, 0.005);
    EXPECT_NEAR(-n.P1, 19.46, 0.005);
    EXPECT_NEAR(-n.P1 - NeutralPressureDrop(t, std::fabs(10500 - (10000 + 1169.92))), 13.39, 0.005);
    EXPECT_LE(std::fabs(n.P1 - (-10) - n.P2), 0.1);
}

TEST(NeutralPoint, UnbalanceableEndsStopWithinAMetreOfAPortal) {
    // Step bound: L = 2000 gives at most ⌊log2 2000⌋ + 1 = 11 passes, the last move 2000/2048 = 0.977 m.
    NeutralPoint n = FindNeutralPoint(Tunnel(), -10000);
    EXPECT_EQ(n.Passes, 11);
    EXPECT_NEAR(n.x1, 1999.02, 0.005);
    n = FindNeutralPoint(Tunnel(3000), 10000);
    EXPECT_EQ(n.Passes, 12);
    EXPECT_NEAR(n.x1, 0.73, 0.005);
}

TEST(NeutralPoint, ShortOrBrokenSectionsEndOnTheFirstPass) {
    EXPECT_EQ(FindNeutralPoint(Tunnel(2), -50).Passes, 1);
    EXPECT_EQ(FindNeutralPoint(Tunnel(1.5), 50).Passes, 1);
    TunnelPressureInput t = Tunnel();
    t.AA_r = 0;
    EXPECT_LE(FindNeutralPoint(t, -10).Passes, 11);
    t = Tunnel();
    t.vt = 0;
    EXPECT_LE(FindNeutralPoint(t, -10).Passes, 11);
    t = Tunnel(0);
    const NeutralPoint n = FindNeutralPoint(t, -10);
    EXPECT_EQ(n.Passes, 1);
    EXPECT_DOUBLE_EQ(n.x1, 0);
}

// ---- The .tra file ----

TraFile Sample() {
    return TraFile{
        .TwoSect = true,
        .Tranverse = false,
        .Supply = {"10", "3.5", "0.02"},
        .SupplyResult = {"0.10", "20.00", "240.00", "3.44", "826.67", "150.00", "0.00", "12.345", "1338.33"},
        .Exhaust = {"9", "3", "0.025", "20.00", "240.00", "6.44", "1546.67", "100.00", "0.00", "1547.33"},
        .PileC = "11169.92",
        .PC = "19.46",
        .ScrollPosition = 12350,
        .PR = "13.39"};
}

TEST(TraFile, RecordsAsWrittenAndReadBack) {
    const std::string bytes = WriteTraFile(Sample()).Bytes();
    const std::string text = textcodec::FromGbk(bytes);
    const std::string reserve = std::string(R"("","","","","","","","","","")") + "\r\n";
    EXPECT_EQ(text, "#TRUE#,#FALSE#\r\n"
                    R"("10","3.5","0.02")"
                    "\r\n"
                    R"("0.10","20.00","240.00","3.44","826.67","150.00","0.00","12.345","1338.33")"
                    "\r\n"
                    R"("9","3","0.025","20.00","240.00","6.44","1546.67","100.00","0.00","1547.33")"
                    "\r\n"
                    R"("11169.92","19.46",12350,"13.39")"
                    "\r\n" +
                        reserve + reserve + reserve + reserve);
    scheme::SchemeReader in;
    in.Parse(bytes);
    const TraFile back = ReadTraFile(in);
    const TraFile f = Sample();
    EXPECT_EQ(back.TwoSect, f.TwoSect);
    EXPECT_EQ(back.Tranverse, f.Tranverse);
    EXPECT_EQ(back.Supply, f.Supply);
    EXPECT_EQ(back.SupplyResult, f.SupplyResult);
    EXPECT_EQ(back.Exhaust, f.Exhaust);
    EXPECT_EQ(back.PileC, f.PileC);
    EXPECT_EQ(back.PC, f.PC);
    EXPECT_EQ(back.ScrollPosition, f.ScrollPosition);
    EXPECT_EQ(back.PR, f.PR);
}

TEST(TraFile, ShortOrOddFilesLeaveWhatTheyDoNotHold) {
    scheme::SchemeReader in;
    in.Parse("yes,#TRUE#\r\n\"10\",\"3\"");
    TraFile f = ReadTraFile(in);
    EXPECT_FALSE(f.TwoSect);
    EXPECT_EQ(f.Tranverse, true);
    EXPECT_EQ(f.Supply[0], "10");
    EXPECT_EQ(f.Supply[1], "3");
    EXPECT_FALSE(f.Supply[2]);
    EXPECT_FALSE(f.SupplyResult[0]);
    EXPECT_FALSE(f.ScrollPosition);
    EXPECT_FALSE(f.PR);

    // The position is the leading number of its field, halves to even.
    const std::string head = "#FALSE#,#TRUE#\r\n" + std::string(22, ',') + "\"a\",\"b\",";
    for (auto [field, expected] : {std::pair{"12350.5", 12350LL}, {"12351.5xyz", 12352LL}, {"abc", 0LL}}) {
        in = scheme::SchemeReader();
        in.Parse(head + field + ",\"p\"\r\n");
        f = ReadTraFile(in);
        EXPECT_EQ(f.PileC, "a");
        EXPECT_EQ(f.ScrollPosition, expected) << field;
        EXPECT_EQ(f.PR, "p");
    }
    in = scheme::SchemeReader();
    in.Parse(head + "1e300,\"p\"");
    EXPECT_FALSE(ReadTraFile(in).ScrollPosition);
}

// ---- Report ----

TEST(LateralReport, LinesWithTheirLabelsTitleAndScrollPosition) {
    LateralReportBoxes b;
    b.ProjectName = "雁门关";
    b.FullTransverse = false;
    b.TwoSections = true;
    b.Pa = "-15.60";
    b.AA_e = "9";
    b.ScrollPosition = 12350;
    b.PR = "13.39";
    b.p_ed = "12.35";
    const std::vector<std::string> l = LateralReportLines(b);
    ASSERT_EQ(l.size(), 31u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[2], std::string(29, ' ') + "雁门关送风型半横向通风计算报告");
    EXPECT_EQ(l[5], "■■基本信息■■");
    EXPECT_EQ(l[10], "           两端气压差(Pa):   -15.60注:进洞口>出洞口时为正。");
    EXPECT_EQ(l[11], "分两个区段送风(排风)");
    EXPECT_EQ(l[13], "■■送风机的参数与全风压■■");
    EXPECT_EQ(l[26], "■■隧道内风压计算■■");
    EXPECT_EQ(l[29], "                 任意点桩号: 12350");
    EXPECT_EQ(l[30], "             任意点压力(Pa): 13.39");
    b.FullTransverse = true;
    b.TwoSections = false;
    const std::vector<std::string> full = LateralReportLines(b);
    ASSERT_EQ(full.size(), 43u);
    EXPECT_EQ(full[2], std::string(29, ' ') + "雁门关全横向通风计算报告");
    EXPECT_EQ(full[11], "单个区段送风(排风)");
    EXPECT_EQ(full[26], "■■排风机的参数与全风压■■");
    EXPECT_EQ(full[27], "     排风道断面积Ae(m^2):    9");
    EXPECT_EQ(full[35], "     连接风道损失Ped(Pa):12.35");
    EXPECT_EQ(full[38], "■■隧道内风压计算■■");
    EXPECT_EQ(full[41], "                 任意点桩号: 12350");
    EXPECT_EQ(full[42], "             任意点压力(Pa): 13.39");
}

TEST(LateralReport, TheSupplyVariantLeavesOutTheExhaustFan) {
    // The boxes a supply semi-transverse section shows greyed still hold exhaust figures.
    LateralReportBoxes b;
    b.ProjectName = "P";
    b.v_e0 = "48.77";
    b.p_etot = "11930";
    const std::vector<std::string> full = LateralReportLines(b);
    b.FullTransverse = false;
    const std::vector<std::string> semi = LateralReportLines(b);
    // The supply report is the full one with its own title and without the exhaust heading, its ten
    // lines and the empty line after them.
    std::vector<std::string> expected = full;
    expected[2] = std::string(29, ' ') + "P送风型半横向通风计算报告";
    expected.erase(expected.begin() + 26, expected.begin() + 38);
    EXPECT_EQ(semi, expected);
}

} // namespace

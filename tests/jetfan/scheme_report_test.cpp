// SPDX-License-Identifier: GPL-3.0-or-later
// The report frame, the jet-fan report's lines and the control table's lines, worked by hand.
#include "jetfan/scheme_report.h"

#include "platform/vb.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace jetfan;

TEST(SchemeOutputPath, ProjectFileLessItsExtensionThenTheName) {
    EXPECT_EQ(SchemeOutputPath("D:\\T\\A.vnt", kJetReportName, ".rpt"), "D:\\T\\A_纯射流风机通风.rpt");
    EXPECT_EQ(SchemeOutputPath("/t/隧道 A.vnt", kJetControlTableName, ".tab"),
              "/t/隧道 A_纯射流风机通风运营控制表.tab");
    // An unnamed project has no base; a bare extension is no name either.
    EXPECT_EQ(SchemeOutputPath("", kJetReportName, ".rpt"), "");
    EXPECT_EQ(SchemeOutputPath(".vnt", kJetReportName, ".rpt"), "");
}

TEST(SchemeReport, PrintZonesEveryFourteenColumns) {
    EXPECT_EQ(NextPrintZone(0), 15);
    EXPECT_EQ(NextPrintZone(9), 15);
    EXPECT_EQ(NextPrintZone(13), 15);
    // A line already at a zone's first column goes on to the next zone.
    EXPECT_EQ(NextPrintZone(14), 29);
    EXPECT_EQ(NextPrintZone(20), 29);
    EXPECT_EQ(NextPrintZone(28), 43);
}

TEST(SchemeReport, FrameElements) {
    SchemeReport r;
    r.BlankLine();
    r.Title("X1", "纯射流风机通风计算报告");
    r.Section("风机升压力计算");
    r.Section("压力平衡分析", " ");
    r.Value("   所需射流风机台数i:    ", "7.0");
    r.Value("     总耗电功率(kw):     ", "");
    // "桩号" takes four columns, so ten blanks bring "02" to column 15 and twelve more "台数" to 29.
    r.ZoneRow({"桩号", "02", "台数"});
    const std::vector<std::string> expected = {
        "",
        std::string(29, ' ') + "X1纯射流风机通风计算报告",
        "■■风机升压力计算■■",
        " ■■压力平衡分析■■",
        "   所需射流风机台数i:    7.0",
        "     总耗电功率(kw):     ",
        "桩号" + std::string(10, ' ') + "02" + std::string(12, ' ') + "台数",
    };
    EXPECT_EQ(r.Lines(), expected);
}

TEST(SchemeReport, StationRowsOnTheirPictures) {
    // 1200 → 001200.00, 2 → 02, 93.5 → 93.500; 1234.5 m is 001234.50; 12.3456 Pa is 12.346 (rounded).
    EXPECT_EQ(StationRowItems({"1200", "2", "93.5"}),
              (std::vector<std::string>{"001200.00", "02", "93.500"}));
    EXPECT_EQ(StationRowItems({"1234.5", "4", "12.3456"}),
              (std::vector<std::string>{"001234.50", "04", "12.346"}));
    // Integer parts longer than the picture are written in full; empty text reads as 0.
    EXPECT_EQ(StationRowItems({"1234567.891", "123", "103.17"}),
              (std::vector<std::string>{"1234567.89", "123", "103.170"}));
    EXPECT_EQ(StationRowItems({"", "", ""}), (std::vector<std::string>{"000000.00", "00", "00.000"}));

    SchemeReport r;
    r.ZoneRow(StationRowItems({"1200", "2", "93.5"}));
    // A ten-column station (one over its picture) still leaves its count at column 15.
    r.ZoneRow(StationRowItems({"1234567.891", "7", "103.17"}));
    EXPECT_EQ(r.Lines(), (std::vector<std::string>{
                             "001200.00" + std::string(5, ' ') + "02" + std::string(12, ' ') + "93.500",
                             "1234567.89" + std::string(4, ' ') + "07" + std::string(12, ' ') + "103.170",
                         }));
}

JetReportBoxes sampleBoxes() {
    return JetReportBoxes{.ProjectName = "X1",
                          .JetModel = "SDS(R)-11.2-4P-30-37",
                          .Flow = "34.7",
                          .DD_j = "1.12",
                          .AA_j = "0.985",
                          .vj = "35.228",
                          .Power = "30",
                          .ZZ_j = "0.8",
                          .eta = "0.85",
                          .deltap_j = "12.34",
                          .deltap_r = "20.11",
                          .deltap_m = "8.02",
                          .deltap_t = "-5.10",
                          .deltap_l = "3.30",
                          .totaldeltap_j = "86.53",
                          .i = "7.0",
                          .TotalPower = "210.00",
                          .Stations = {{"1200", "2", "24.68"}, {"1450", "3", "37.02"}}};
}

TEST(JetReport, EveryLineInOrder) {
    const std::vector<std::string> expected = {
        "",
        "",
        std::string(29, ' ') + "X1纯射流风机通风计算报告",
        "",
        "",
        "■■风机升压力计算■■",
        "            风机型号:    SDS(R)-11.2-4P-30-37",
        "     风机流量(m^3/s):    34.7",
        "     出口直径Dj(m):      1.12",
        "     出口面积Aj(m^2):    0.985",
        "     出口风速vj(m/s):    35.228",
        "        风机功率(kW):    30",
        "         悬挂高度Z(m):   0.8",
        "位置摩阻损失折减系数η:  0.85",
        "       升压力Δpj(Pa)：  12.34",
        "",
        " ■■压力平衡分析■■",
        " 通风阻抗力Δpr(Pa):     20.11",
        " 自然风阻力Δpm(Pa):     8.02",
        " 交通通风力Δpt(Pa):     -5.10",
        " 局部压力损失Δpl(Pa)    :3.30",
        " 射流风机群总升压力ΣΔpj(Pa):86.53",
        "   所需射流风机台数i:    7.0",
        "     总耗电功率(kw):     210.00",
        "",
        "■■射流风机布置■■",
        "射流风机布置桩号",
        "桩号\t台数\t升压力(Pa):",
        "001200.00     02            24.680",
        "001450.00     03            37.020",
    };
    EXPECT_EQ(JetReportLines(sampleBoxes()), expected);
}

TEST(JetReport, LabelsLineTheirValuesUp) {
    // Counting a Chinese character or Δ, Σ, η, "：" as two columns, the values of lines 7-15 and 18-24
    // start in column 26, the local losses in column 27 and the fans' total rise in column 31.
    JetReportBoxes b = sampleBoxes();
    b.Stations.clear();
    const std::vector<std::string> lines = JetReportLines(b);
    ASSERT_EQ(lines.size(), 28u);
    const std::pair<std::size_t, std::string> values[] = {
        {6, b.JetModel},  {7, b.Flow},      {8, b.DD_j}, {9, b.AA_j},       {10, b.vj},
        {11, b.Power},    {12, b.ZZ_j},     {13, b.eta}, {14, b.deltap_j},  {17, b.deltap_r},
        {18, b.deltap_m}, {19, b.deltap_t}, {22, b.i},   {23, b.TotalPower}};
    for (const auto& [k, value] : values) {
        EXPECT_EQ(vb::DisplayWidth(lines[k]) - vb::DisplayWidth(value), 25) << lines[k];
    }
    EXPECT_EQ(vb::DisplayWidth(lines[20]) - vb::DisplayWidth(b.deltap_l), 26);
    EXPECT_EQ(vb::DisplayWidth(lines[21]) - vb::DisplayWidth(b.totaldeltap_j), 30);
    // An empty station list ends on the column heads; empty boxes print their labels alone.
    EXPECT_EQ(lines.back(), "桩号\t台数\t升压力(Pa):");
    const std::vector<std::string> empty = JetReportLines({});
    EXPECT_EQ(empty[2], std::string(29, ' ') + "纯射流风机通风计算报告");
    EXPECT_EQ(empty[6], "            风机型号:    ");
}

TEST(ControlTable, LinesOfABlock) {
    EXPECT_EQ(ControlYearHead("2030"), "特征年:2030");
    EXPECT_EQ(ControlTrafficLine("1520"), "混合车:1520");
    EXPECT_EQ(ControlSpeedLine("80", "S"), "工况车速:80km/h,   S");
    EXPECT_EQ(ControlFullCongestionLine("S"), "工况车速:分段组合, S");
    EXPECT_EQ(ControlKmCongestionLine("S"), "工况车速:10km/h, S");
    EXPECT_EQ(ControlSeparator(), std::string(113, '*'));
}

TEST(ControlTable, JetSummaryCountsWholeFansNeverBelowZero) {
    // Twelve fans of 30 kW: 需射流风机台数:12, 总功率:360kW.
    EXPECT_EQ(JetControlSummary("95.26", "12.0", "30"),
              "Qreq:95.26,  运营控制:需射流风机台数:12,  总功率:360kW");
    // 7.9 fans are 7 whole fans (rounded down): 7 × 37.5 = 262.5 kW.
    EXPECT_EQ(JetControlSummary("60", "7.9", "37.5"), "Qreq:60,  运营控制:需射流风机台数:7,  总功率:262.5kW");
    // A negative or empty count is no fan and no power; the demand's text is printed as it stands.
    EXPECT_EQ(JetControlSummary("", "-3.0", "30"), "Qreq:,  运营控制:需射流风机台数:0,  总功率:0kW");
    EXPECT_EQ(JetControlSummary("48.00", "", "30"), "Qreq:48.00,  运营控制:需射流风机台数:0,  总功率:0kW");
}

} // namespace

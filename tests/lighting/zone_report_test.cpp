// SPDX-License-Identifier: GPL-3.0-or-later
// The zone report's text: the head as the window shows it, zone lines on print zones 1, 15 and 29.

#include "lighting/zone_report.h"

#include <gtest/gtest.h>

namespace lighting {
namespace {

ZoneReportHead Head() {
    return ZoneReportHead{.ProjectName = "雁门关隧道",
                          .Speed = "80",
                          .Length = "5235",
                          .SkyRatio = "25%",
                          .Surroundings = "北洞口",
                          .Slope = "-1.84",
                          .Height = "5",
                          .PreLength = "0",
                          .Span = "0",
                          .k = "0.028",
                          .Discount = "0.00",
                          .L20 = "5000.00",
                          .Ds = "107.52"};
}

TEST(ZoneReport, ZoneLinesOnPrintZones) {
    EXPECT_EQ(ZoneLine({"1 入口段", "85.5", "102.4"}), "01            0085.50       102.40");
    // Five integer digits still start in column 15, and the length in column 29.
    EXPECT_EQ(ZoneLine({"5 中间段", "12345.6", "2554.44"}), "05            12345.60      2554.44");
    EXPECT_EQ(ZoneLine({"6 出口段", "13.68", "0.00"}), "06            0013.68       000.00");
}

TEST(ZoneReport, HeadAndBlocks) {
    ZoneReportBlock b;
    b.Volume = "1200";
    b.Mode = "白天-晴天";
    b.Rows = {ZoneRowTexts{"1 入口段", "139.71", "91.56"},
              {"2 过渡段1", "41.91", "72.00"},
              {"3 过渡段2", "13.97", "89.00"},
              {"4 过渡段3", "4.89", "133.00"},
              {"5 中间段", "2.74", "2554.44"},
              {"6 出口段", "13.68", "60.00"}};
    const std::vector<std::string> lines = ZoneReportLines(Head(), {b});
    const std::vector<std::string> expected = {
        "                雁门关隧道照明区段亮度与长度计算书",
        "",
        "■■基本信息■■",
        "  设计时速vt (km / h):   80",
        "         隧道长度L(m):   5235",
        "交通方式：单向交通",
        "             天空百分比: 25%",
        "     洞口朝向或洞外环境: 北洞口",
        "          纵坡坡度i(%):  -1.84",
        "       洞内净空高度h(m): 5",
        "      前一隧道的长度(m): 0",
        "        两隧道的间距(m): 0",
        "              折减系数k: 0.028",
        "                 折减率: 0.00",
        " 洞外亮度L20(S)(cd/m^2): 5000.00",
        "          停车视距Ds(m): 107.52",
        "",
        "■■隧道单向交通照明工况表■■",
        "",
        "      设计交通量N(辆/h): 1200",
        "               照明工况: 白天-晴天",
        "区段      亮度(cd/m^2)    长度(m)",
        "01            0139.71       091.56",
        "02            0041.91       072.00",
        "03            0013.97       089.00",
        "04            0004.89       133.00",
        "05            0002.74       2554.44",
        "06            0013.68       060.00",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ZoneReport, TwoWayMixedTrafficWithoutSurroundingsAndNotes) {
    ZoneReportHead h = Head();
    h.TwoWay = true;
    h.Mixed = true;
    h.Surroundings.reset();
    const std::vector<std::string> lines = ZoneReportLines(h, {}, {"表文件缺少连续隧道折减率表 kdiscount"});
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[5], "交通方式：双向交通");
    EXPECT_EQ(lines[6], "人车混行");
    EXPECT_EQ(lines[7], "             天空百分比: 25%");
    EXPECT_EQ(lines[8], "          纵坡坡度i(%):  -1.84");
    // The head names the traffic the table is for.
    EXPECT_EQ(lines[17], "■■隧道双向交通照明工况表■■");
    EXPECT_EQ(lines[18], "");
    EXPECT_EQ(lines[19], "■■说明■■");
    EXPECT_EQ(lines[20], "表文件缺少连续隧道折减率表 kdiscount");
}

TEST(ZoneReport, EmptyTrafficListEndsAfterTheTableHead) {
    const std::vector<std::string> lines = ZoneReportLines(Head(), {});
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines.back(), "■■隧道单向交通照明工况表■■");
}

} // namespace
} // namespace lighting

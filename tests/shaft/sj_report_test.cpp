// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-and-jet report lines and the least-power search of its control table, worked by hand.
#include "shaft/sj_report.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---- Report ----

/// Every box holds its own name, so that each line shows which box it prints.
shaft::SjBoxTexts namedBoxes() {
    shaft::SjBoxTexts b;
    for (const char* name : {"txtShaftPile",
                             "txtQe",
                             "cmbCounte",
                             "txtQQ_e",
                             "txtAA_e",
                             "txtKK_e",
                             "txtv_e",
                             "txtZeta_fencha",
                             "txtp_de",
                             "txtp_se",
                             "txtp_tote",
                             "txtt1_e",
                             "txtMM1_e",
                             "txtQb",
                             "txtQQ_b",
                             "txtv_b",
                             "txtbeta",
                             "txtMM1_b",
                             "txtt1_b",
                             "txtQQ_req1",
                             "txttotaldeltap_j1",
                             "cmbJetModel1",
                             "txtjetcount1",
                             "txtCC_2",
                             "txtQQ_req2",
                             "txttotaldeltap_j2",
                             "cmbJetModel2",
                             "txtjetcount2",
                             "txtCC_3",
                             "txtds",
                             "txtQQ_req_VI",
                             "txtratio_Qb_Qr2",
                             "txtTotalPower"}) {
        b[name] = name;
    }
    b["txtdeltap_e"] = "12.5";
    b["txtdeltap_b"] = "30";
    return b;
}

TEST(SjReport, LinesInOrderWithTheirBoxes) {
    const std::vector<std::string> lines = shaft::SjReportLines("隧道A", namedBoxes(), {});
    // 111 lines, the total-flow lines of both openings printed twice, and eight labels too wide for
    // column 26 whose values go on a line of their own; no station rows.
    ASSERT_EQ(lines.size(), 121u);
    EXPECT_EQ(lines[0], std::string(29, ' ') + "隧道A单竖井送排式结合射流风机通风方式计算报告");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "■■竖井及轴流风机信息■■");
    EXPECT_EQ(lines[5], "         竖井桩号(m):txtShaftPile");
    EXPECT_EQ(lines[7], "  排风机流量(m^3/台):    txtQe");
    EXPECT_EQ(lines[8], "        配置台数(台):    cmbCounte");
    EXPECT_EQ(lines[9], "     排风量Qe(m^3/s):    txtQQ_e");
    EXPECT_EQ(lines[10], lines[9]);
    EXPECT_EQ(lines[11], "   排风口面积Ae(m^2):    txtAA_e");
    // A label wider than 25 columns: the value on the next line from column 26.
    EXPECT_EQ(lines[13], "与Qe相应的排风口风速ve(m/s):");
    EXPECT_EQ(lines[14], std::string(25, ' ') + "txtv_e");
    EXPECT_EQ(lines[15], "      升压力Δpe(Pa):    12.5");
    EXPECT_EQ(lines[18], "排风口,排风井及连接风道总压力损失pde(Pa):");
    EXPECT_EQ(lines[19], std::string(25, ' ') + "txtp_de");
    EXPECT_EQ(lines[22], "         环境温度t1(℃): txtt1_e");
    // The ambient pressure is typed and used in kPa (101.325).
    EXPECT_EQ(lines[23], "      环境大气压p1(kPa): ");
    EXPECT_EQ(lines[28], "         电机功率M1(kW): txtMM1_e");
    EXPECT_EQ(lines[30], "  >>  送风有关参数  <<  ");
    EXPECT_EQ(lines[33], "        送风量Qb(m^3/s): txtQQ_b");
    EXPECT_EQ(lines[34], lines[33]);
    // A box the window does not fill prints empty.
    EXPECT_EQ(lines[36], "     送风口升压动量系数Kb:   ");
    EXPECT_EQ(lines[38], std::string(25, ' ') + "txtv_b");
    EXPECT_EQ(lines[39], "喷流方向与隧道轴向的夹角β(度):txtbeta");
    // The supply fan's seven lines with its own boxes, then the sections.
    EXPECT_EQ(lines[46], "         环境温度t1(℃): txtt1_b");
    EXPECT_EQ(lines[52], "         电机功率M1(kW): txtMM1_b");
    EXPECT_EQ(lines[53], "■■ 区段分析 ■■");
    EXPECT_EQ(lines[55], "     需风量Qreq1(m^3/s):txtQQ_req1");
    EXPECT_EQ(lines[62], "进口区段所需压力Δp1(Pa):txttotaldeltap_j1");
    EXPECT_EQ(lines[64], "   射流风机选择常用型号: cmbJetModel1");
    EXPECT_EQ(lines[73], "          风机数量(台):  txtjetcount1");
    EXPECT_EQ(lines[75], std::string(25, ' ') + "txtCC_2");
    EXPECT_EQ(lines[79], "   需风量Qreq2(m^3/s):   txtQQ_req2");
    EXPECT_EQ(lines[86], "出口区段所需压力Δp2(Pa):txttotaldeltap_j2");
    // 12.5 + 30 as a number item: a blank, the sum, a blank.
    EXPECT_EQ(lines[87], "          Δpe+Δpb(Pa): 42.5 ");
    EXPECT_EQ(lines[89], " 射流风机选择常用型号:   cmbJetModel2");
    EXPECT_EQ(lines[98], "        风机数量(台):    txtjetcount2");
    EXPECT_EQ(lines[100], std::string(25, ' ') + "txtCC_3");
    EXPECT_EQ(lines[102], ">>  短道  <<");
    EXPECT_EQ(lines[104], "       短道长度ds(m):    txtds");
    EXPECT_EQ(lines[105], "稀释烟雾的需风量Qreq(VI)(m^3/s):");
    EXPECT_EQ(lines[106], std::string(25, ' ') + "txtQQ_req_VI");
    // A result no calculation filled says so.
    EXPECT_EQ(lines[107], "   短道风量Qs(m^3/s):    未计算");
    EXPECT_EQ(lines[113], "         Qb/Qr2≤1.0     txtratio_Qb_Qr2");
    EXPECT_EQ(lines[115], "该工况总耗电功率(kW):txtTotalPower");
    EXPECT_EQ(lines[117], "■■射流流风机桩号列表■■");
    // An empty station list ends the report with its two heads.
    EXPECT_EQ(lines[119], "射流风机布置桩号");
    EXPECT_EQ(lines[120], "     桩号      台数   升压力(Pa) ");
}

TEST(SjReport, StationListAndTheRiseSum) {
    shaft::SjBoxTexts boxes = namedBoxes();
    boxes["txtdeltap_e"] = "-80";
    boxes["txtdeltap_b"] = "abc";
    const std::vector<std::string> lines =
        shaft::SjReportLines("", boxes, {{"1200", "2", "93.5"}, {"1234.5", "10", "x"}});
    ASSERT_EQ(lines.size(), 123u);
    EXPECT_EQ(lines[0], std::string(29, ' ') + "单竖井送排式结合射流风机通风方式计算报告");
    // A text without a number counts 0: −80 + 0 prints with its minus sign.
    EXPECT_EQ(lines[87], "          Δpe+Δpb(Pa):-80 ");
    EXPECT_EQ(lines[121], "001200.000      02      93.500");
    EXPECT_EQ(lines[122], "001234.500      10      00.000");
}

// ---- Least-power search ----

shaft::SjPairBoxes pair(const char* count1, const char* count2, const char* c3 = "1.00") {
    shaft::SjPairBoxes b;
    b.QQ_req1 = "200.00";
    b.QQ_req2 = "300.5";
    b.QQ_r1 = "300.00";
    b.QQ_r2 = "400.00";
    b.SSkw_e = "30.4";
    b.SSkw_b = "20.25";
    b.jetcount1 = count1;
    b.Power1 = "22";
    b.jetcount2 = count2;
    b.Power2 = "22";
    b.ratio_Qe_Qr1 = "0.50";
    b.ratio_Qb_Qr2 = "0.60";
    b.CC_2 = "0.90";
    b.CC_3 = c3;
    return b;
}

TEST(SjControlSearch, LimitsAndPowerOfAPair) {
    shaft::SjPairBoxes b = pair("2", "1");
    EXPECT_TRUE(shaft::SjPairMeetsLimits(b));
    b.CC_3 = "1.02";
    EXPECT_TRUE(shaft::SjPairMeetsLimits(b));
    b.CC_3 = "1.03";
    EXPECT_FALSE(shaft::SjPairMeetsLimits(b));
    b = pair("2", "1");
    b.ratio_Qe_Qr1 = "1.00";
    EXPECT_TRUE(shaft::SjPairMeetsLimits(b));
    b.ratio_Qb_Qr2 = "1.01";
    EXPECT_FALSE(shaft::SjPairMeetsLimits(b));
    b = pair("2", "1");
    b.CC_2 = "1.01";
    EXPECT_FALSE(shaft::SjPairMeetsLimits(b));

    // 1·30.4 + 2·20.25 + 2·22 + 1·22 = 136.9 → 137.
    EXPECT_EQ(shaft::SjPairPower(1, 2, pair("2", "1")), 137);
    // 0·30.4 + 1·20.25 + 1·22 + 0 = 42.25 → 42; a count 1.9 is 1 fan, a negative count none.
    EXPECT_EQ(shaft::SjPairPower(0, 1, pair("1.9", "-3")), 42);
    // 2·20.25 + 22 = 62.5: halves to even → 62.
    EXPECT_EQ(shaft::SjPairPower(0, 2, pair("1", "0")), 62);
    // Beyond a 16-bit count: 2000 fans of 22 kW.
    EXPECT_EQ(shaft::SjPairPower(0, 0, pair("2000", "0")), 44000);
    shaft::SjPairBoxes huge = pair("0", "0");
    huge.SSkw_e = "1e300";
    EXPECT_EQ(shaft::SjPairPower(1, 0, huge), std::nullopt);

    EXPECT_EQ(
        shaft::SjControlSummary(1, 2, 137, pair("2", "1")),
        "Qreq:500.5,  Qr1:300.00,  Qr2:400.00,  运营控制:  进口区段射:2,  轴排:1,  轴送:2,  出口区段射:1,  "
        "总功率:137kW");
}

TEST(SjControlSearch, LeastPowerPairOfASmallCase) {
    // E 1, B 2. Powers: (0,0) 3·22 + 2·22 = 110 but C3 1.03; (0,1) 20.25 + 2·22 + 22 = 86.25 → 86;
    // (0,2) 40.5 + 22 = 62.5 → 62 but Qb/Qr2 1.01; (1,0) 30.4 + 2·22 = 74.4 → 74; (1,1) 30.4 + 20.25 + 22
    // = 72.65 → 73; (1,2) would be 70.9 → 71 but its balance failed.
    std::map<std::pair<int, int>, std::optional<shaft::SjPairBoxes>> boxes;
    boxes[{0, 0}] = pair("3", "2", "1.03");
    boxes[{0, 1}] = pair("2", "1");
    boxes[{0, 2}] = pair("1", "0");
    boxes[{0, 2}]->ratio_Qb_Qr2 = "1.01";
    boxes[{1, 0}] = pair("2", "0");
    boxes[{1, 1}] = pair("1", "0");
    boxes[{1, 2}] = std::nullopt;
    std::vector<std::pair<int, int>> order;
    const shaft::SjSearchResult r = shaft::LeastPowerSearch(1, 2, [&](int i, int j) {
        order.emplace_back(i, j);
        return boxes[{i, j}];
    });
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}));
    EXPECT_EQ(r.Exhaust, 1);
    EXPECT_EQ(r.Supply, 1);
    EXPECT_EQ(r.Power, 73);
    EXPECT_EQ(r.Summary, shaft::SjControlSummary(1, 1, 73, pair("1", "0")));
}

TEST(SjControlSearch, TiesNoPairAndNoFans) {
    // Equal power 22 for (0,0) and (0,1) with Skw_b 0: the earlier pair is kept.
    const shaft::SjSearchResult tie = shaft::LeastPowerSearch(0, 1, [](int, int j) {
        shaft::SjPairBoxes b = pair("1", "0");
        b.SSkw_b = "0";
        b.QQ_r2 = j == 0 ? "first" : "second";
        return std::optional<shaft::SjPairBoxes>(b);
    });
    EXPECT_EQ(tie.Supply, 0);
    EXPECT_NE(tie.Summary.find("Qr2:first"), std::string::npos);
    // No pair meets the limits: no pair, no summary.
    const shaft::SjSearchResult none =
        shaft::LeastPowerSearch(1, 1, [](int, int) { return std::optional(pair("1", "1", "1.5")); });
    EXPECT_FALSE(none.Exhaust);
    EXPECT_TRUE(none.Summary.empty());
    // Counts 0 and 0: the single pair (0, 0); a negative count: no pair is balanced.
    int runs = 0;
    const shaft::SjSearchResult single = shaft::LeastPowerSearch(0, 0, [&](int, int) {
        ++runs;
        return std::optional(pair("0", "0"));
    });
    EXPECT_EQ(runs, 1);
    EXPECT_NE(single.Summary.find("轴排:0,  轴送:0"), std::string::npos);
    EXPECT_NE(single.Summary.find("总功率:0kW"), std::string::npos);
    runs = 0;
    EXPECT_FALSE(shaft::LeastPowerSearch(-1, 2, [&](int, int) {
                     ++runs;
                     return std::optional(pair("0", "0"));
                 }).Exhaust);
    EXPECT_EQ(runs, 0);
}

} // namespace

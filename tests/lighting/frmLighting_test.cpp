// SPDX-License-Identifier: GPL-3.0-or-later
// Lighting step 3 driven as a user would: its controls and the circuit editor, the cases with their .lgh
// files, the calculation refused with its reasons (the shipped data hold no lamp intensity table) and
// worked by hand with a test lamp, the drawing of the grid, the report, and the way back and out.
#include "lighting/frmLighting.h"
#include "lighting/lgh_file.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/modPublic_lighting.h"
#include "platform/Cad.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/scheme_file.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "tests/support/list_rows.h"
#include "tests/support/shown_texts.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"
#include "tests/support/text_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;
using test_support::readUtf8;
using test_support::Row;

const test_stage::Reset resetGlobals([] {
    modPublic::Reset();
    modPublic::ClearMissingLampModels();
});

std::string folder() {
    return test_stage::appFolder();
}
std::string casePath(const std::string& suffix) {
    return folder() + "/proj_" + suffix + ".lgh";
}

// A test lamp, invented for the tests only: 100 cd/klm from γ = 0 to 1°, nothing from 2° on, the same at
// every C. A point thus gets light only from the lamp straight above it.
const std::string kTestLamp =
    "# test data\r\n[T-1]\r\n3,2\r\n0,360\r\n0,1,2\r\n100,100\r\n100,100\r\n0,0\r\n";

// Circuit 回路A of step 2: model T-1, 100 W, 10000 lm, M = 1, centre line, spacing 4 m, H = 5 m, untilted,
// one lamp per position.
const Row kCircuitA = {"回路A", "T-1", "100", "10000", "1", "0", "2", "4",
                       "0",     "5",   "0",   "0",     "1", "0", "1", "0"};

// The templates of these tests: no circuit in step 2 and none switched on, so that every circuit of a
// test is its own.
const std::string kEmptyLmp = "0\r\n0,\"7.5\"\r\n\"60\",\"20\",\"5\"\r\n#TRUE#,#FALSE#\r\n";
const std::string kEmptyLgh = "0\r\n\"\"\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n#FALSE#\r\n";

class Step3 : public ::testing::Test {
protected:
    void SetUp() override {
        modPublic::ProjectFile = folder() + "/proj.vnt";
        test_support::writeGbk(folder() + "/ConfigFiles/Normal.lmp", kEmptyLmp);
        test_support::writeGbk(folder() + "/ConfigFiles/normal.lgh", kEmptyLgh);
        frmDefineLamp& s2 = Forms::instance<frmDefineLamp>();
        test_support::addRow(s2.lstLamp, kCircuitA[0], Row(kCircuitA.begin() + 1, kCircuitA.end()));
        s2.cmbRoadType.setListIndex(0); // 水泥混凝土路面
        s2.txtWW.set("8");
        s2.txtDistanceToCalArea.set("60");
        s2.txtCalPointCount1.set("5");
        s2.txtCalPointCount2.set("5");
    }
    void installTestLamp() { test_support::writeGbk(folder() + "/ConfigFiles/Icr.txt", kTestLamp); }
    frmLighting& step3() { return Forms::instance<frmLighting>(); }
    /// Switches on 回路A with its reference lamp at the start of the area.
    void switchOnA(frmLighting& w) {
        w.cmbLampName.userType("回路A");
        w.txtLightSS3.userType("0");
        w.cmdAdd.userClick();
    }
    std::vector<std::string> results(frmLighting& w) {
        return {w.txtEE_min.Text(), w.txtEE_max.Text(), w.txtEE_av.Text(), w.txtLL_min.Text(),
                w.txtLL_max.Text(), w.txtLL_av.Text(),  w.txtUU_0.Text(),  w.txtUU_l.Text()};
    }
};

TEST_F(Step3, OpensTheFirstCaseWithItsControlsAndSavesNothing) {
    frmLighting& w = step3();
    EXPECT_EQ(w.Caption().rfind(" Step 3: 入口段照明计算    亮度(cd/m^2):", 0), 0u);
    EXPECT_NE(w.Caption().find("  长度(m):"), std::string::npos);
    ASSERT_EQ(w.lstAdjust.ListCount(), 6);
    EXPECT_EQ(w.lstAdjust.List(0), "白天-晴天");
    EXPECT_EQ(w.lstAdjust.List(5), "夜间-交通量较小");
    ASSERT_EQ(w.lstSegment.ListCount(), 6);
    EXPECT_EQ(w.lstSegment.List(1), "过渡段1");
    EXPECT_EQ(w.lstSegment.List(4), "中间段");
    platform::ListView& volumes = Forms::instance<frmBrightness>().lstNN;
    ASSERT_EQ(w.lstNN.ListCount(), volumes.ListItems.Count());
    EXPECT_EQ(w.lstNN.List(0), volumes.ListItems(1).Text());
    EXPECT_EQ(w.lstNN.ListIndex(), 0);
    EXPECT_EQ(w.lstAdjust.ListIndex(), 0);
    EXPECT_EQ(w.lstSegment.ListIndex(), 0);
    ASSERT_EQ(w.lstLamp.ColumnHeaders.Count(), 4);
    EXPECT_EQ(w.lstLamp.ColumnHeaders(1).Text(), "回路名称");
    EXPECT_EQ(w.lstLamp.ColumnHeaders(4).Text(), "与计算域起点距离(m)");
    EXPECT_EQ(w.lstLamp.ColumnHeaders(2).Width(), 1100);
    EXPECT_EQ(w.Frame1.Caption(), "选择开启回路");
    EXPECT_EQ(w.Frame2.Caption(), "计算区域设置");
    EXPECT_EQ(w.Frame3.Caption(), "计算结果");
    EXPECT_EQ(w.lblUU_l.Caption(), "纵向均匀度Ul");
    EXPECT_EQ(w.lblLL_av.Caption(), "平均亮度Lav(cd/m^2)");
    EXPECT_EQ(w.cmdClose.Caption(), "完成");
    EXPECT_EQ(w.cmdPreStep.Caption(), "<--上一步");
    EXPECT_EQ(w.cmdReport.Caption(), "计算书");
    EXPECT_EQ(w.chkDraw.Caption(), "绘图");
    EXPECT_FALSE(w.pgrBar.Visible());
    for (platform::Control* c : std::initializer_list<platform::Control*>{&w.cmbLampName, &w.txtLightSS1,
                                                                          &w.txtPower, &w.txtLightSS3}) {
        EXPECT_EQ(c->BackColor(), platform::RGB(255, 255, 192));
    }
    // The circuit names of step 2; choosing the first copied its spacing and power.
    ASSERT_EQ(w.cmbLampName.ListCount(), 1);
    EXPECT_EQ(w.txtLightSS1.Text(), "4");
    EXPECT_EQ(w.txtPower.Text(), "100");
    // The template: no circuit, nothing calculated, no drawing.
    EXPECT_EQ(w.lstLamp.ListItems.Count(), 0);
    EXPECT_EQ(results(w), std::vector<std::string>(8, ""));
    EXPECT_EQ(w.chkDraw.Value(), 0);
    for (const auto& entry : fs::directory_iterator(folder())) {
        EXPECT_NE(entry.path().extension(), ".lgh");
    }
}

// No header of the switched-on circuits is cut in the font the program runs with.
TEST_F(Step3, ShowsEveryHeaderOfTheCircuitsWhole) {
    const test_support::ProgramFont font;
    auto* list = qobject_cast<QTreeWidget*>(step3().lstLamp.widget());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(test_support::cutHeaders(*list), std::vector<std::string>{});
}

// The uniformities the traffic asks, by its direction, for N = 1200: two-way (1200 − 360)·0.1/940 + 0.3
// = 0.389 and + 0.5 = 0.589; one-way (1200 − 700)·0.1/1700 + 0.3 = 0.329 and 0.529.
TEST_F(Step3, TheRequiredUniformitiesFollowTheDirectionOfTraffic) {
    installTestLamp();
    frmBrightness& step1 = Forms::instance<frmBrightness>();
    test_support::TypeInto{{step1.txtNN, "1200"}};
    step1.cmdAdd.userClick(); // after the template's 780 and 1158
    frmLighting& w = step3();
    w.lstNN.userClick(2);
    switchOnA(w);
    for (const auto& [twoWay, uo, ul] :
         {std::tuple{true, "0.39", "0.59"}, std::tuple{false, "0.33", "0.53"}}) {
        (twoWay ? step1.optBidirection : step1.OptionButton1).userClick();
        w.cmdCalculate.userClick();
        const std::string text = w.txtResult.Text();
        EXPECT_NE(text.find(std::string("规范要求值:") + uo + "\r\n"), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with(std::string("规范要求值:") + ul)) << text;
    }
}

TEST_F(Step3, TheCircuitEditorCopiesAddsUpdatesAndDeletes) {
    frmLighting& w = step3();
    w.cmbLampName.userType("回路X"); // no such circuit: the boxes keep their texts
    EXPECT_EQ(w.txtLightSS1.Text(), "4");
    w.txtLightSS1.userType("6");
    w.txtPower.userType("150");
    w.txtLightSS3.userType("1");
    w.cmdAdd.userClick();
    w.cmdAdd.userClick(); // the same twice: two rows
    ASSERT_EQ(w.lstLamp.ListItems.Count(), 2);
    EXPECT_EQ(test_support::rowsOf(w.lstLamp, 4)[1], (Row{"回路X", "6", "150", "1"}));
    // A row's own values come back in the editors, even against step 2's.
    w.cmbLampName.userType("回路A");
    EXPECT_EQ(w.txtLightSS1.Text(), "4");
    w.txtLightSS1.userType("8");
    w.cmdUpdate.userClick(); // the selected (first) row
    EXPECT_EQ(test_support::rowsOf(w.lstLamp, 4)[0], (Row{"回路A", "8", "100", "1"}));
    w.lstLamp.userItemClick(2);
    EXPECT_EQ(w.cmbLampName.Text(), "回路X");
    EXPECT_EQ(w.txtLightSS1.Text(), "6");
    EXPECT_EQ(w.txtPower.Text(), "150");
    w.lstLamp.userItemClick(1);
    EXPECT_EQ(w.txtLightSS1.Text(), "8"); // the row's, not step 2's 4
    w.cmdDelete.userClick();
    w.cmdDelete.userClick();
    w.cmdDelete.userClick(); // nothing left to delete
    EXPECT_EQ(w.lstLamp.ListItems.Count(), 0);
    w.cmdUpdate.userClick();
    EXPECT_EQ(w.lstLamp.ListItems.Count(), 0);
}

TEST_F(Step3, WithTheShippedDataTheMissingLampTableIsNamedAndNoZerosShown) {
    frmLighting& w = step3();
    switchOnA(w);
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    test_support::expectOneMessage(
        {.prompt =
             "下列灯具型号在灯具光强表文件 ConfigFiles\\Icr.txt 中没有光强表, 无法计算照度和亮度:\r\nT-1\r\n"
             "请先在该文件中加入这些型号的光强表.",
         .title = "错误提示"});
    EXPECT_EQ(results(w), std::vector<std::string>(8, ""));
    EXPECT_EQ(w.txtResult.Text(), "");
    EXPECT_FALSE(w.pgrBar.Visible());
}

// 回路A, spacing 4, d0 = 0: SS = 4, Δ = 4, n_before = 4 div 4 = 1, n_after = 8 div 4 = 2: lamps at x = −4,
// 0, 4, 8 on the centre line, 5 m high. Grid 5 × 5: x = 0 … 4, y = −4, −2, 0, 2, 4. Only the points (0, 0)
// and (4, 0) are straight below a lamp (γ = 0, I = 100); every other lamp is 11° or more off (I = 0).
// There E = cos³0 × 100 × 10000 × 1 × 0.001 / 5² = 40 lx and L = 100 × 10000 × 1 × 0.001 × r / 25 with
// r = 77 × 0.001 (C1 at tan γ = 0): 1000 × 0.077 / 25 = 3.08 cd/m². Eav = 80/25 = 3.2,
// Lav = 6.16/25 = 0.2464, Uo = 0/0.2464 = 0, Ul = 0/3.08 = 0 (the centre line has dark points).
TEST_F(Step3, CalculatesTheCaseByHandWithATestLamp) {
    installTestLamp();
    frmLighting& w = step3();
    switchOnA(w);
    w.chkDraw.set(0);
    w.cmdCalculate.userClick();
    EXPECT_TRUE(platform::msgbox::log().empty());
    EXPECT_EQ(results(w),
              (std::vector<std::string>{"0.00", "40.00", "3.20", "0.00", "3.08", "0.25", "0.00", "0.00"}));
    EXPECT_EQ(w.txtSS.Text(), "4.00");
    EXPECT_EQ(w.SS, 4);
    EXPECT_EQ(w.WW, 8);
    EXPECT_EQ(w.CalPointCount1, 5);
    EXPECT_EQ(w.CalPointCount2, 5);
    EXPECT_DOUBLE_EQ(w.EE_av, 3.2);
    EXPECT_NEAR(w.LL_max, 3.08, 1e-12);
    EXPECT_NEAR(w.LL_av, 0.2464, 1e-12);
    EXPECT_NEAR(w.LL_max_p, 3.08, 1e-12);
    EXPECT_EQ(w.LL_min_p, 0);
    const std::string text = w.txtResult.Text();
    EXPECT_EQ(text.rfind("计算平均亮度: 0.25 < 规范要求值: ", 0), 0u);
    EXPECT_NE(text.find("\r\n路面亮度总均匀度:0.00 < 规范要求值:"), std::string::npos);
    EXPECT_NE(text.find("\r\n亮度纵向  均匀度:0.00 < 规范要求值:"), std::string::npos);
    EXPECT_NE(text.substr(text.size() - 2), "\r\n");
    EXPECT_FALSE(w.pgrBar.Visible());
    EXPECT_EQ(w.pgrBar.Max(), 25);
    EXPECT_EQ(w.pgrBar.Value(), 25);
}

TEST_F(Step3, RefusedCalculationsSayWhyAndEmptyTheShownResults) {
    installTestLamp();
    frmLighting& w = step3();
    // No switched-on circuit.
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt.rfind("没有开启的灯具回路", 0), 0u);

    switchOnA(w);
    w.chkDraw.set(0);
    w.cmdCalculate.userClick();
    ASSERT_EQ(w.txtEE_max.Text(), "40.00");
    frmDefineLamp& s2 = Forms::instance<frmDefineLamp>();
    // 4 points on 4 m are 1.33 m apart; 3 across are fewer than 5; 6 across are even.
    s2.txtCalPointCount1.set("4");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    EXPECT_EQ(results(w), std::vector<std::string>(8, ""));
    // 13 points on the 12 m of a 12 m spacing lie a metre apart, 12 points 1.09 m: refused, Uo/Ul emptied.
    w.lstLamp.ListItems(1).setSubItems(1, "12");
    s2.txtCalPointCount1.set("13");
    w.cmdCalculate.userClick();
    ASSERT_FALSE(w.txtUU_0.Text().empty() || w.txtUU_l.Text().empty());
    s2.txtCalPointCount1.set("12");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    EXPECT_EQ(results(w), std::vector<std::string>(8, ""));
    s2.txtCalPointCount1.set("13");
    s2.txtCalPointCount2.set("3");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    s2.txtCalPointCount2.set("6");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    const auto& log = platform::msgbox::log();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[1].prompt, "4.11.3-1-2 计算区域内纵向计算点间距不宜大于1.0m,横向计算点应不少于5点.");
    EXPECT_EQ(log[1].title, "错误提示");
    EXPECT_EQ(log[2].prompt, log[1].prompt);
    EXPECT_EQ(log[3].prompt, log[1].prompt);
    EXPECT_EQ(log[4].prompt, "横向计算点个数宜为奇数.");
    EXPECT_EQ(results(w), std::vector<std::string>(8, ""));

    // No drawing can be made.
    s2.txtCalPointCount2.set("5");
    w.cmdCalculate.userClick();
    ASSERT_EQ(w.txtEE_max.Text(), "40.00");
    platform::cad::setUnavailable(true);
    w.chkDraw.set(1);
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[5].prompt, "创建AutoCAD文档失败，请手动打开AutoCAD软件，并新建文档后，再试！");
    EXPECT_EQ(log[5].title, "创建AutoCAD文档出错");
    EXPECT_EQ(results(w), std::vector<std::string>(8, ""));
    platform::cad::setUnavailable(false);
}

// A count asked for beyond its limit is refused with one box before any lamp or point is allocated: a
// damaged .lmp asking for 999,999,999 lamps side by side, and a box asking for a million points along
// (too many also for the 16-bit count, which would otherwise keep its previous value).
TEST_F(Step3, HugeCountsOfLampsOrPointsAreRefusedBeforeAnythingIsAllocated) {
    installTestLamp();
    Forms::unload<frmDefineLamp>();
    test_support::writeGbk(folder() + "/proj.lmp",
                           "1\r\n\"回路A\",\"T-1\",\"100\",\"10000\",\"1\",\"0\",\"2\",\"4\",\"0\",\"5\","
                           "\"0\",\"0\",\"999999999\",\"0\",\"1\",\"0\"\r\n0,\"8\"\r\n\"60\",\"5\",\"5\"\r\n"
                           "#TRUE#,#FALSE#\r\n");
    frmLighting& w = step3();
    switchOnA(w);
    w.chkDraw.set(0);
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    const auto& log = platform::msgbox::log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].title, "出错");
    EXPECT_EQ(log[0].prompt, "回路 回路A 每个灯位的灯具的数量 999999999 超过上限 10000，请检查输入或文件。");
    EXPECT_TRUE(w.txtEE_max.Text().empty());

    // 10,000 side by side at the same place pass: 4 positions of 10,000 lamps, 40 lx each below them.
    frmDefineLamp& s2 = Forms::instance<frmDefineLamp>();
    s2.lstLamp.ListItems(1).setSubItems(12, "10000");
    w.cmdCalculate.userClick();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(w.txtEE_max.Text(), "400000.00");
    s2.lstLamp.ListItems(1).setSubItems(12, "1");
    s2.txtCalPointCount1.set("1000000");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].prompt, "计算点的数量 1000000 超过上限 100000，请检查输入或文件。");
    EXPECT_EQ(results(w), std::vector<std::string>(8, "")); // and none of the earlier results
    s2.txtCalPointCount1.set("20001");                      // 20001 × 5 = 100,005
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculate.userClick();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2].prompt, "计算点的数量 100005 超过上限 100000，请检查输入或文件。");
    s2.txtCalPointCount1.set("5");
    w.cmdCalculate.userClick();
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(w.txtEE_max.Text(), "40.00");
}

// 4 lamps (circle + label each), 25 points, then per point its E above and its L below: 8 + 25 + 50.
TEST_F(Step3, DrawsTheLampsThePointsAndTheirValues) {
    installTestLamp();
    frmLighting& w = step3();
    switchOnA(w);
    w.chkDraw.set(1);
    w.cmdCalculate.userClick();
    platform::cad::Application* cad = platform::cad::Application::Attach();
    ASSERT_NE(cad, nullptr);
    const auto& e = cad->activeDocument().modelSpace().entities();
    using T = platform::cad::Entity::Type;
    ASSERT_EQ(e.size(), 83u);
    EXPECT_EQ(e[0].type, T::Circle);
    EXPECT_EQ(e[0].a.x, -400);
    EXPECT_EQ(e[0].a.z, 500);
    EXPECT_EQ(e[0].radius, 10);
    EXPECT_EQ(e[1].type, T::Text);
    EXPECT_EQ(e[1].text, "A");
    EXPECT_EQ(e[1].a.x, -380);
    EXPECT_EQ(e[1].height, 20);
    EXPECT_EQ(e[8].type, T::Point);
    EXPECT_EQ(e[8].a.y, -400);
    EXPECT_EQ(e[32].type, T::Point);
    // Point 11 (x = 0, y = 0, third row) is below the lamp at 0.
    EXPECT_EQ(e[33 + 2 * 10].text, "40.00");
    EXPECT_EQ(e[33 + 2 * 10].a.x, 20);
    EXPECT_EQ(e[33 + 2 * 10].a.y, 20);
    EXPECT_EQ(e[33 + 2 * 10 + 1].text, "3.08");
    EXPECT_EQ(e[33 + 2 * 10 + 1].a.y, -20);
    for (const auto& entity : e) {
        EXPECT_EQ(entity.layer, "LIGHTING");
    }
    EXPECT_EQ(e[0].color, 1);
}

TEST_F(Step3, EachCaseKeepsItsOwnFile) {
    installTestLamp();
    frmLighting& w = step3();
    switchOnA(w);
    w.chkDraw.set(0);
    w.cmdCalculate.userClick();
    w.lstSegment.userClick(1);
    // The entrance zone was written first, then the first transition zone read from the template.
    ASSERT_TRUE(fs::exists(casePath("0_0_0")));
    EXPECT_EQ(
        readUtf8(casePath("0_0_0")),
        "1\r\n\"回路A\",\"4\",\"100\",\"0\"\r\n\"4.00\"\r\n"
        "\"0.00\",\"40.00\",\"3.20\",\"0.00\",\"3.08\",\"0.25\",\"0.00\",\"0.00\"\r\n#FALSE#\r\n" +
            [] {
                std::string reserve;
                for (int r = 0; r < 3; ++r) {
                    for (int f = 0; f < 15; ++f) {
                        reserve += f == 0 ? "\"\"" : ",\"\"";
                    }
                    reserve += "\r\n";
                }
                return reserve;
            }());
    EXPECT_EQ(w.lstLamp.ListItems.Count(), 0);
    EXPECT_EQ(w.Caption().rfind(" Step 3: 过渡段1照明计算", 0), 0u);
    w.lstLamp.ListItems.Add("回路B");
    w.chkDraw.set(1);
    w.lstSegment.userClick(0);
    EXPECT_TRUE(fs::exists(casePath("0_0_1")));
    EXPECT_EQ(test_support::rowsOf(w.lstLamp, 4), (std::vector<Row>{{"回路A", "4", "100", "0"}}));
    EXPECT_EQ(w.txtEE_max.Text(), "40.00");
    EXPECT_EQ(w.chkDraw.Value(), 0);
    w.lstAdjust.userClick(5);
    EXPECT_TRUE(fs::exists(casePath("0_0_0")));
    w.lstSegment.userClick(4);
    EXPECT_TRUE(fs::exists(casePath("0_5_0")));
    w.cmdPreStep.userClick();
    EXPECT_TRUE(fs::exists(casePath("0_5_4")));
    EXPECT_FALSE(w.Visible());
}

// Step 1 without a traffic volume leaves the volume list with no entry chosen: the case is saved and read
// back under the first position, so a circuit survives a switch of zones.
TEST_F(Step3, WithoutATrafficVolumeACaseKeepsItsCircuitsOverASwitch) {
    Forms::instance<frmBrightness>().lstNN.ListItems.Clear();
    frmLighting& w = step3();
    ASSERT_EQ(w.lstNN.ListIndex(), -1);
    switchOnA(w);
    w.lstSegment.userClick(1);
    EXPECT_TRUE(fs::exists(casePath("0_0_0")));
    EXPECT_EQ(w.lstLamp.ListItems.Count(), 0);
    w.lstSegment.userClick(0);
    EXPECT_EQ(test_support::rowsOf(w.lstLamp, 4), (std::vector<Row>{{"回路A", "4", "100", "0"}}));
    EXPECT_TRUE(fs::exists(casePath("0_0_1")));
    for (const auto& entry : fs::directory_iterator(folder())) {
        EXPECT_EQ(entry.path().filename().string().find("proj_-1"), std::string::npos);
    }
}

TEST_F(Step3, ADamagedCaseFileKeepsWhatCannotBeRead) {
    test_support::writeGbk(casePath("0_0_0"), "2\r\n\"回路A\",\"4\",\"100\",\"0\"\r\n\"回路B\"\r\n");
    platform::msgbox::script(platform::vbOK);
    frmLighting& w = step3();
    test_support::expectOneMessage({.title = "出错"});
    EXPECT_EQ(test_support::rowsOf(w.lstLamp, 4), (std::vector<Row>{{"回路A", "4", "100", "0"}}));
    EXPECT_EQ(w.txtSS.Text(), "");
    fs::remove(folder() + "/ConfigFiles/normal.lgh");
    w.lstSegment.userClick(3); // neither case nor template: the case starts empty
    EXPECT_EQ(w.lstLamp.ListItems.Count(), 0);
    EXPECT_TRUE(fs::exists(casePath("0_0_0")));
}

TEST_F(Step3, ACaseFileCutInACircuitRowIsNamedOnceAndStaysAsItIsUntilTheCaseIsChanged) {
    // Cut inside the second circuit's distance: that row is no circuit; the area length and results are
    // not in the file and show empty, not as the case shown before.
    const std::string cut = "2\r\n\"回路A\",\"4\",\"100\",\"0\"\r\n\"回路A\",\"4\",\"100\",\"1";
    const std::string path = casePath("0_0_1");
    test_support::writeGbk(path, cut);
    frmLighting& w = step3();
    w.txtSS.set("99");
    test_support::expectOneMessageOf(
        [&w] { w.lstSegment.userClick(1); },
        {.prompt = "照明计算文件不完整或已损坏:\r\n" + path + "\r\n文件中未能读入的数据为空.",
         .title = "出错"});
    EXPECT_EQ(test_support::rowsOf(w.lstLamp, 4), (std::vector<Row>{{"回路A", "4", "100", "0"}}));
    EXPECT_EQ(w.txtSS.Text(), "");

    // Neither moving on, nor the close box, nor Finish offers to write what was read over the file.
    w.lstSegment.userClick(2);
    w.lstSegment.userClick(1);
    Forms::unload(w, platform::vbFormControlMenu);
    EXPECT_EQ(platform::msgbox::log().size(), 1u) << "named once, no save question";
    platform::msgbox::script(platform::vbOK); // named again as the window opens again
    step3().lstSegment.userClick(1);
    step3().cmdClose.userClick();
    EXPECT_EQ(readUtf8(path), cut);

    // A change of the engineer's is saved as any other.
    platform::msgbox::script(platform::vbOK);
    frmLighting& again = step3();
    again.lstSegment.userClick(1);
    again.txtSS.userType("120");
    again.cmdClose.userClick();
    EXPECT_NE(readUtf8(path).find("\"120\""), std::string::npos);
}

TEST_F(Step3, ACaseFileAskingForMoreCircuitsThanTheCapIsRefusedInTheErrorBox) {
    std::string file = "1001\r\n";
    for (int r = 0; r < 1001; ++r) {
        file += "\"回路A\",\"4\",\"100\",\"0\"\r\n";
    }
    test_support::writeGbk(casePath("0_0_0"), file);
    platform::msgbox::script(platform::vbOK);
    const std::size_t read = scheme::FieldsRead();
    frmLighting& w = step3();
    EXPECT_LT(scheme::FieldsRead() - read, 1001u) << "no field of the refused rows read";
    test_support::expectOneMessage({.prompt = "开启回路的数量 1001 超过上限 1000，请检查输入或文件。"});
    EXPECT_EQ(w.lstLamp.ListItems.Count(), 0);
    w.cmdClose.userClick();
    EXPECT_EQ(readUtf8(casePath("0_0_0")), file);
}

TEST_F(Step3, AFullCircuitListTakesNoRowThatItsFileCouldNotReadBack) {
    const std::vector<lighting::CaseRow> rows(1000, {"回路A", "4", "100", "0"});
    ASSERT_TRUE(lighting::WriteLgh(rows, "", {}, false).Save(casePath("0_0_0")));
    const std::size_t read = scheme::FieldsRead();
    frmLighting& w = step3();
    EXPECT_LT(scheme::FieldsRead() - read, 2u * 4000) << "the case read once as the window opens";
    test_support::expectOneMessageOf([&w] { w.cmdAdd.userClick(); },
                                     {.prompt = "开启回路的数量已达上限 1000，不能再添加。"});
    EXPECT_EQ(w.lstLamp.ListItems.Count(), 1000);
}

TEST_F(Step3, TheCloseBoxKeepsTheCaseAndFinishClosesTheWizard) {
    frmLighting& w = step3();
    switchOnA(w);
    platform::msgbox::script(platform::vbYes);
    Forms::unload(w, platform::vbFormControlMenu);
    EXPECT_TRUE(fs::exists(casePath("0_0_0")));
    frmLighting& again = step3();
    EXPECT_EQ(again.lstLamp.ListItems.Count(), 1);
    again.txtLightSS3.userType("2");
    again.cmdAdd.userClick();
    again.cmdClose.userClick();
    EXPECT_FALSE(Forms::isLoaded<frmLighting>());
    EXPECT_FALSE(Forms::isLoaded<frmDefineLamp>());
    EXPECT_FALSE(Forms::isLoaded<frmBrightness>());
    EXPECT_NE(readUtf8(casePath("0_0_0")).find("\"回路A\",\"4\",\"100\",\"2\""), std::string::npos);
}

TEST_F(Step3, TheReportCoversTheSixZonesOfTheVolumeAndMode) {
    installTestLamp();
    Forms::instance<frmReq>().txtProjectName.set("测试隧道");
    modPublic::ProjectFile = folder() + "/proj.vnt"; // the main window started on its template
    frmLighting& w = step3();
    switchOnA(w);
    w.lstSegment.userClick(4); // pressed while 中间段 is shown
    w.cmdReport.userClick();
    const std::string path = folder() + "/proj_照明计算.rpt";
    ASSERT_EQ(platform::textviewer::log(), (std::vector<std::string>{path}));
    const std::string bytes = textfile::ReadBytes(path).value_or("");
    const std::string text = textcodec::FromGbk(bytes);
    EXPECT_EQ(text.rfind("\r\n\r\n" + std::string(16, ' ') + "测试隧道照明计算书\r\n\r\n\r\n", 0), 0u);
    EXPECT_EQ(bytes.find("照明"), std::string::npos); // GBK, not UTF-8
    EXPECT_NE(text.find("回路A      04.0      0100.0      00.00\r\n"), std::string::npos);
    EXPECT_NE(text.find("     最大照度Emax(lx):40.00\r\n"), std::string::npos);
    EXPECT_NE(text.find("             计算方法: 数值法\r\n"), std::string::npos);
    std::size_t at = 0;
    for (const char* zone : {"入口段", "过渡段1", "过渡段2", "过渡段3", "中间段", "出口段"}) {
        at = text.find(std::string(24, ' ') + zone + "\r\n", at);
        ASSERT_NE(at, std::string::npos) << zone;
    }
    EXPECT_NE(text.find("     本照明区段未设置灯具, 未作照明计算."), std::string::npos);
    EXPECT_EQ(w.lstSegment.ListIndex(), 5);
    EXPECT_EQ(w.chkDraw.Value(), 0);
    EXPECT_TRUE(fs::exists(casePath("0_0_4")));

    // An unnamed project has nowhere to write: refused, nothing calculated or opened.
    modPublic::ProjectFile.clear();
    platform::msgbox::script(platform::vbOK);
    w.cmdReport.userClick();
    EXPECT_EQ(platform::msgbox::log().back().prompt, "请先保存项目！");
    EXPECT_EQ(platform::textviewer::log().size(), 1u);
}

// Only the interior zone designed, on a template that switches 回路A on every 8 m: the other five zones
// say that they were not set up, and print neither the template's circuit nor results, also in a report
// written again after the first has walked through their cases.
TEST_F(Step3, TheReportSaysWhichZonesWereNotSetUp) {
    installTestLamp();
    test_support::writeGbk(folder() + "/ConfigFiles/normal.lgh",
                           "1\r\n\"回路A\",\"8\",\"150\",\"0\"\r\n\"\"\r\n" + kEmptyLgh.substr(7));
    (void)Forms::instance<frmReq>();
    modPublic::ProjectFile = folder() + "/proj.vnt"; // the main window started on its template
    frmLighting& w = step3();
    w.lstSegment.userClick(4);
    w.cmdDelete.userClick();
    switchOnA(w);
    w.cmdCalculate.userClick();
    for (int press = 0; press < 2; ++press) {
        w.cmdReport.userClick();
        const std::string text =
            textcodec::FromGbk(textfile::ReadBytes(folder() + "/proj_照明计算.rpt").value());
        const std::size_t interior = text.find(std::string(24, ' ') + "中间段\r\n");
        const std::size_t exit = text.find(std::string(24, ' ') + "出口段\r\n");
        ASSERT_LT(interior, exit);
        EXPECT_EQ(text.find("回路A      04.0      0100.0      00.00", interior),
                  text.find("回路A", interior));
        EXPECT_LT(text.find("     最大照度Emax(lx):40.00", interior), exit);
        EXPECT_EQ(text.find("08.0"), std::string::npos);
        EXPECT_EQ(text.find("最大照度Emax"), text.find("最大照度Emax", interior));
        std::size_t notes = 0;
        for (std::size_t at = 0; (at = text.find("本照明区段未设置灯具", at)) != std::string::npos; ++at) {
            ++notes;
        }
        EXPECT_EQ(notes, 5u) << press;
    }
}

} // namespace

namespace {

std::vector<std::string> shownResults(frmLighting& w) {
    return {w.txtEE_min.Text(), w.txtEE_max.Text(), w.txtEE_av.Text(), w.txtLL_min.Text(),
            w.txtLL_max.Text(), w.txtLL_av.Text(),  w.txtUU_0.Text(),  w.txtUU_l.Text()};
}

// The template project as the program ships it: 回路A of the example lamp of Icr.txt (GE M-250R2, 150 W
// HPS, Φ = 16000 lm, M = 0.7) every 8 m on the centre line at H = 6 m, switched on in every case; a 7.5 m
// concrete road, 20 × 5 points over the 8 m area. Every zone computes the same grid (the area is one
// lamp spacing); only the required luminance of the comparison differs.
// Hand check of the point (0, 0) under the reference lamp: that lamp sees it at γ = 0, where the table
// gives 166 cd/klm at every C, so it alone gives E = cos³0 × 166 × 16000 × 0.7 × 0.001 / 6² = 51.6444 lx;
// the other lamps add their share, so the window's Emax is above it.
TEST(TemplateProject, Step3ComputesEveryZoneWithTheShippedLamp) {
    modPublic::ProjectFile.clear();
    frmLighting& w = Forms::instance<frmLighting>();
    ASSERT_EQ(test_support::rowsOf(w.lstLamp, 4), (std::vector<Row>{{"回路A", "8", "150", "0"}}));
    const std::vector<std::string> figures = {"33.18", "109.78", "57.22", "2.71",
                                              "9.20",  "4.94",   "0.55",  "0.69"};
    const char* required[] = {"140.09", "42.03", "14.01", "4.90", "2.12", "10.59"};
    for (int zone = 0; zone < 6; ++zone) {
        w.lstSegment.userClick(zone);
        w.cmdCalculate.userClick();
        ASSERT_TRUE(platform::msgbox::log().empty()) << platform::msgbox::log()[0].prompt;
        EXPECT_EQ(shownResults(w), figures) << zone;
        for (double v : {w.EE_min, w.EE_max, w.EE_av, w.LL_min, w.LL_max, w.LL_av, w.LL_min_p, w.LL_max_p}) {
            EXPECT_TRUE(std::isfinite(v));
            EXPECT_GT(v, 0);
        }
        EXPECT_NE(w.txtResult.Text().find(std::string("规范要求值: ") + required[zone]), std::string::npos);
    }
    // The interior zone: enough light, and both uniformities above what the traffic requires.
    w.lstSegment.userClick(4);
    w.cmdCalculate.userClick();
    const std::string text = w.txtResult.Text();
    EXPECT_EQ(text.rfind("计算平均亮度: 4.94 > 规范要求值: 2.12\r\n", 0), 0u);
    EXPECT_NE(text.find("路面亮度总均匀度:0.55 > 规范要求值:"), std::string::npos);
    EXPECT_NE(text.find("亮度纵向  均匀度:0.69 > 规范要求值:"), std::string::npos);

    EXPECT_DOUBLE_EQ(modPublic::GetPointIlluminance({"回路A", {0, 0, 6}}, {0, 0, 0}),
                     166 * 16000 * 0.7 * 0.001 / 36);
    EXPECT_NEAR(166 * 16000 * 0.7 * 0.001 / 36, 51.6444, 1e-4);
    EXPECT_GT(w.EE_max, 51.6444);

    // One thread or every core: the same grid to the last digit.
    w.CalculationThreads = 1;
    w.cmdCalculate.userClick();
    const std::vector<double> single = {w.EE_min, w.EE_max, w.EE_av,    w.LL_min,
                                        w.LL_max, w.LL_av,  w.LL_min_p, w.LL_max_p};
    w.CalculationThreads = 0;
    w.cmdCalculate.userClick();
    const std::vector<double> all = {w.EE_min, w.EE_max, w.EE_av,    w.LL_min,
                                     w.LL_max, w.LL_av,  w.LL_min_p, w.LL_max_p};
    EXPECT_EQ(all, single);
    Forms::destroyAll();
}

} // namespace

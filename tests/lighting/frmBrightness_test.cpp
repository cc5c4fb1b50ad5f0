// SPDX-License-Identifier: GPL-3.0-or-later
// Lighting step 1 driven as a user would: the template, the zone calculation, the traffic list, the .bgh
// file, the report, Next into step 2, and the main window's menu entry with the values it publishes.
#include "lighting/frmBrightness.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "lighting/frmDefineLamp.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "tests/support/list_rows.h"
#include "tests/support/refused_report.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;
using test_support::Row;

std::string projectPath() {
    return test_stage::appFolder() + "/proj.vnt";
}
std::string bghPath() {
    return test_stage::appFolder() + "/proj.bgh";
}
std::string reportPath() {
    return test_stage::appFolder() + "/proj_照明区段亮度与长度计算.rpt";
}

std::vector<std::string> texts(platform::ListView& list) {
    std::vector<std::string> t;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        t.push_back(list.ListItems(i).Text());
    }
    return t;
}

std::vector<Row> zoneRows(frmBrightness& w) {
    return test_support::rowsOf(w.lstResult, 3);
}

class Step1 : public ::testing::Test {
protected:
    void SetUp() override { modPublic::ProjectFile = projectPath(); }
    frmBrightness& step1() { return Forms::instance<frmBrightness>(); }
    frmReq& req = Forms::instance<frmReq>();
};

// The template: the 雁门关 right line at 80 km/h, 5235 m, its 2014 and 2024 design-hour volumes, a north
// portal under a 30 %~50 % sky (L20 = 5500), entrance slope +1.56 %, clear height 5 m, calculated for
// 1158 pcu/h under a clear sky.
const std::vector<Row> kTemplateZones = {
    {"1 入口段", "152.32", "91.30"}, {"2 过渡段1", "45.70", "72.00"}, {"3 过渡段2", "15.23", "89.00"},
    {"4 过渡段3", "5.33", "133.00"}, {"5 中间段", "2.67", "4789.70"}, {"6 出口段", "13.37", "60.00"},
};

TEST_F(Step1, AnUnnamedProjectOpensWithTheTemplate) {
    modPublic::ProjectFile.clear();
    frmBrightness& w = step1();
    EXPECT_EQ(w.Caption(), "Step 1: 照明亮度及长度计算");
    EXPECT_EQ(texts(w.lstNN), (std::vector<std::string>{"780", "1158"}));
    EXPECT_EQ(w.cmbvt.Text(), "80");
    EXPECT_EQ(w.txtLL.Text(), "5235");
    EXPECT_FALSE(w.optBidirection.Value());
    EXPECT_TRUE(w.OptionButton1.Value());
    EXPECT_EQ(w.chkMix.Value(), 0);
    EXPECT_EQ(w.cmbSkyRatio.Text(), "30%~50%");
    ASSERT_EQ(w.lstEnvironmnet.ListCount(), 2);
    EXPECT_EQ(w.lstEnvironmnet.ListIndex(), 1);
    test_support::ExpectTexts{
        {w.txtdTunnelSlope, "1.56"}, {w.txth, "5"}, {w.txtLL_20_S, "5500.00"}, {w.txtDD_s, "96.32"}};
    EXPECT_EQ(w.lstAdjust.ListIndex(), 0);
    // The design traffic the zone table was calculated for comes back with it, and so does its k.
    EXPECT_EQ(w.txtNN.Text(), "1158");
    EXPECT_EQ(w.txtk.Text(), "0.028");
    EXPECT_EQ(zoneRows(w), kTemplateZones);
    // Next and OK of an unnamed project write nothing.
    w.cmdOK.userClick();
    EXPECT_FALSE(Forms::isLoaded<frmBrightness>());
    EXPECT_FALSE(fs::exists(test_stage::appFolder() + "/.bgh"));
}

TEST_F(Step1, ControlsCaptionsAndColours) {
    frmBrightness& w = step1();
    const platform::Color yellow = platform::RGB(255, 255, 192);
    for (platform::Control* c : std::vector<platform::Control*>{
             &w.cmbvt, &w.txtLL, &w.cmbSkyRatio, &w.lstEnvironmnet, &w.txtdTunnelSlope, &w.txth,
             &w.txtdPreLength, &w.txtdSpan, &w.txtNN}) {
        EXPECT_EQ(c->BackColor(), yellow);
    }
    for (platform::Control* c :
         std::vector<platform::Control*>{&w.txtk, &w.txtdDiscount, &w.txtLL_20_S, &w.txtDD_s}) {
        EXPECT_NE(c->BackColor(), yellow);
    }
    EXPECT_EQ(w.Frame1.Caption(), "基本信息");
    EXPECT_EQ(w.Frame2.Caption(), "交通量分级:");
    EXPECT_EQ(w.cmdClose.Caption(), "下一步-->");
    EXPECT_EQ(w.cmdOK.Caption(), "结束");
    EXPECT_EQ(w.cmdReport.Caption(), "计算书");
    // The volumes of the list are the volume N of the box (辆/h), not passenger-car units.
    EXPECT_EQ(w.lstNN.ColumnHeaders(1).Text(), "分级交通量(辆/h)");
    // The slope is looked up by its percentage; a label in metres would be read as a height.
    std::vector<std::string> labels;
    for (const QLabel* l : w.window()->findChildren<QLabel*>()) {
        labels.push_back(l->text().toStdString());
    }
    EXPECT_NE(std::find(labels.begin(), labels.end(), "纵坡坡度i(%):"), labels.end());
    EXPECT_EQ(std::find(labels.begin(), labels.end(), "纵坡坡度i(m):"), labels.end());
    EXPECT_EQ(w.lstResult.ColumnHeaders(2).Text(), "亮度(cd/m^2)");
    ASSERT_EQ(w.cmbvt.ListCount(), 8);
    EXPECT_EQ(w.cmbvt.List(7), "20");
    ASSERT_EQ(w.lstAdjust.ListCount(), 6);
    EXPECT_EQ(w.lstAdjust.List(4), "夜间-交通量较大");
}

TEST_F(Step1, AVolumeClickCalculatesAndPublishesTheStepsOwnValues) {
    frmBrightness& w = step1();
    w.lstNN.userItemClick(2);
    EXPECT_EQ(w.txtNN.Text(), "1158");
    // vt 80, N 1158, one-way: Lin = 2.0 + 458/1700 × 2.5 = 2.6735; k = 0.025 + 458/1700 × 0.010 = 0.027694;
    // Lth = 0.027694 × 5500 = 152.318; Ds = 98 − 0.56 × 3 = 96.32; Dth = 1.154 × 96.32 − 3.5 / tan 10°
    // = 91.304; interior 5235 − 91.304 − 60 − 294 = 4789.696.
    EXPECT_EQ(zoneRows(w), kTemplateZones);
    EXPECT_EQ(w.txtk.Text(), "0.028");
    EXPECT_EQ(w.txtdDiscount.Text(), "0.00");
    EXPECT_EQ(w.txtDD_s.Text(), "96.32");
    EXPECT_NEAR(w.LL_th, 152.3176, 1e-3);
    EXPECT_EQ(modPublic::TunnelLength, 5235);
    EXPECT_EQ(modPublic::DesignTraffic, 1158);
    EXPECT_EQ(modPublic::DesignSpeed, 80);

    // Night with heavy traffic: every zone at Lin, the exit zone included.
    w.lstAdjust.userClick(4);
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(w.lstResult.ListItems(r).SubItems(1), "2.67") << r;
    }
    // Two-way: no exit zone, the interior takes its 60 m; k and Lin from the two-way tables.
    w.optBidirection.userClick();
    w.lstAdjust.userClick(0);
    EXPECT_EQ(w.lstResult.ListItems(6).SubItems(2), "0.00");
    EXPECT_EQ(w.lstResult.ListItems(5).SubItems(2), "4849.70");
}

TEST_F(Step1, AMissingReductionTableIsSaidAndNothingIsReduced) {
    frmBrightness& w = step1();
    w.txtNN.userType("1158");
    w.txtdPreLength.userType("2000");
    w.txtdSpan.userType("100");
    w.cmdCalculate.userClick();
    EXPECT_EQ(w.txtdDiscount.Text(), "0.00");
    EXPECT_EQ(w.lstResult.ListItems(1).SubItems(1), "152.32");
    EXPECT_NE(w.lblTableNote.Caption().find("kdiscount"), std::string::npos);
    // Far enough apart: the table is not needed and the note goes.
    w.txtdSpan.userType("1000");
    w.cmdCalculate.userClick();
    EXPECT_EQ(w.lblTableNote.Caption(), "");
}

TEST_F(Step1, SkyShareAndSurroundingsSetTheAccessLuminance) {
    frmBrightness& w = step1();
    w.cmbSkyRatio.userSelect(2);
    ASSERT_EQ(w.lstEnvironmnet.ListCount(), 2);
    EXPECT_EQ(w.lstEnvironmnet.List(0), "暗环境");
    EXPECT_EQ(w.lstEnvironmnet.ListIndex(), -1);
    EXPECT_EQ(w.txtLL_20_S.Text(), "5500.00"); // kept until an entry is chosen
    w.lstEnvironmnet.userClick(1);             // row 6, 80 km/h
    EXPECT_EQ(w.txtLL_20_S.Text(), "4000.00");
    w.cmbvt.userType("90"); // between 4000 (80) and 5000 (100)
    EXPECT_EQ(w.txtLL_20_S.Text(), "4500.00");
    // A typo keeps its mark over the rewrite of the value used, until the engineer types again. Clear sky:
    // Lth = k × 5 = 0.163, k of 1158 veh/h at 90 km/h being 0.030 + 458/1700 × 0.010 = 0.032694.
    w.txtLL_20_S.userType("5O00");
    w.cmdCalculate.userClick();
    EXPECT_EQ(w.txtLL_20_S.Text() + " " + w.lstResult.ListItems(1).SubItems(1), "5.00 0.16");
    EXPECT_EQ(w.txtLL_20_S.NumberMark(), "不是数，按 5 计算");
    // Another value written ends it: the lookup at 80 km/h.
    w.cmbvt.userType("80");
    EXPECT_EQ(w.txtLL_20_S.Text() + w.txtLL_20_S.NumberMark(), "4000.00");
    // The value read is kept at the decimals written back.
    w.txtLL_20_S.userType("4512.345x");
    w.cmdCalculate.userClick();
    EXPECT_EQ(w.txtLL_20_S.Text() + " " + w.txtLL_20_S.NumberMark(), "4512.35 不是数，按 4512.345 计算");
    // A typed L20 is used as typed.
    w.txtLL_20_S.userType("6000");
    w.txtNN.userType("1158");
    w.cmdCalculate.userClick();
    EXPECT_EQ(w.txtLL_20_S.Text(), "6000.00");
    EXPECT_EQ(w.txtLL_20_S.NumberMark(), "");
    // A sky share that is none of the four leaves no surroundings.
    w.cmbSkyRatio.userType("40%");
    EXPECT_EQ(w.lstEnvironmnet.ListCount(), 0);
}

TEST_F(Step1, TrafficVolumesAreKeptInOrder) {
    frmBrightness& w = step1();
    w.txtNN.userType("1000");
    w.cmdAdd.userClick();
    EXPECT_EQ(texts(w.lstNN), (std::vector<std::string>{"780", "1000", "1158"}));
    EXPECT_EQ(w.lstNN.SelectedIndex(), 2);
    EXPECT_EQ(modPublic::DesignTraffic, 1000); // calculated for the added volume
    // A duplicate is a second item; the first of them is selected.
    w.cmdAdd.userClick();
    EXPECT_EQ(texts(w.lstNN), (std::vector<std::string>{"780", "1000", "1000", "1158"}));
    EXPECT_EQ(w.lstNN.SelectedIndex(), 2);
    // Update renames the selected item and sorts.
    w.txtNN.userType("1500");
    w.cmdUpdate.userClick();
    EXPECT_EQ(texts(w.lstNN), (std::vector<std::string>{"780", "1000", "1158", "1500"}));
    EXPECT_EQ(w.lstNN.SelectedIndex(), 4);
    // Delete removes the selected item and keeps the zone table.
    const std::vector<Row> before = zoneRows(w);
    w.cmdDelete.userClick();
    EXPECT_EQ(texts(w.lstNN), (std::vector<std::string>{"780", "1000", "1158"}));
    EXPECT_EQ(zoneRows(w), before);
    // An empty list: delete and update do nothing.
    while (w.lstNN.ListItems.Count() > 0) {
        w.cmdDelete.userClick();
    }
    w.cmdUpdate.userClick();
    w.cmdDelete.userClick();
    EXPECT_EQ(w.lstNN.ListItems.Count(), 0);
}

TEST_F(Step1, OkWritesTheFileAndOpeningReadsItBack) {
    frmBrightness& w = step1();
    w.txtNN.userType("2400");
    w.cmdAdd.userClick();
    w.cmbvt.userSelect(3); // 60
    w.txtLL.userType("1800");
    w.optBidirection.userClick();
    w.chkMix.userClick();
    w.cmbSkyRatio.userSelect(3);
    w.lstEnvironmnet.userClick(0);
    test_support::TypeInto{
        {w.txtdTunnelSlope, "-2"}, {w.txth, "5.5"}, {w.txtdPreLength, "300"}, {w.txtdSpan, "50"}};
    w.lstAdjust.userClick(3);
    const std::vector<Row> zones = zoneRows(w);
    const std::string k = w.txtk.Text(), l20 = w.txtLL_20_S.Text(), ds = w.txtDD_s.Text();
    w.cmdOK.userClick();
    ASSERT_FALSE(Forms::isLoaded<frmBrightness>());
    Forms::collectGarbage();

    const auto bytes = textfile::ReadBytes(bghPath());
    ASSERT_TRUE(bytes.has_value());
    const std::string text = textcodec::FromGbk(*bytes);
    EXPECT_TRUE(
        text.starts_with("3\r\n\"780\"\r\n\"1158\"\r\n\"2400\"\r\n\"60\",\"1800\",#TRUE#,#FALSE#,#TRUE#\r\n"
                         "\"0%\",0,\"-2\",\"5.5\",\"300\",\"50\","))
        << text;

    frmBrightness& again = step1();
    EXPECT_EQ(texts(again.lstNN), (std::vector<std::string>{"780", "1158", "2400"}));
    EXPECT_EQ(again.cmbvt.Text(), "60");
    EXPECT_EQ(again.txtLL.Text(), "1800");
    EXPECT_TRUE(again.optBidirection.Value());
    EXPECT_FALSE(again.OptionButton1.Value());
    EXPECT_EQ(again.chkMix.Value(), 1);
    EXPECT_EQ(again.cmbSkyRatio.Text(), "0%");
    EXPECT_EQ(again.lstEnvironmnet.ListIndex(), 0);
    test_support::ExpectTexts{{again.txtdTunnelSlope, "-2"},
                              {again.txth, "5.5"},
                              {again.txtdPreLength, "300"},
                              {again.txtdSpan, "50"},
                              {again.txtLL_20_S, l20}};
    EXPECT_EQ(again.lstAdjust.ListIndex(), 3);
    EXPECT_EQ(zoneRows(again), zones);
    (void)k;
    (void)ds;
}

TEST_F(Step1, TheCloseBoxKeepsTheInputs) {
    frmBrightness& w = step1();
    w.txtLL.userType("4321");
    platform::msgbox::script(platform::vbYes);
    ASSERT_TRUE(Forms::unload(w, platform::vbFormControlMenu));
    const auto lines = textfile::ReadLines(bghPath());
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ((*lines)[3], "\"80\",\"4321\",#FALSE#,#TRUE#,#FALSE#");
}

// Every input retyped as the engineer does it (its last character typed again, another entry or option
// picked and its own picked back): no other input changes, and the close box finds nothing to save.
TEST_F(Step1, RetypingAnInputLeavesTheOthersAndNothingToSave) {
    using W = frmBrightness;
    std::vector<std::function<void(W&)>> inputs = {
        [](W& w) { w.optBidirection.userClick(), w.OptionButton1.userClick(); },
        [](W& w) { w.chkMix.userClick(), w.chkMix.userClick(); },
        [](W& w) { w.lstNN.userItemClick(1), w.lstNN.userItemClick(2); }};
    auto retype = [](auto& box) {
        const std::string text = box.Text();
        box.userType(text.empty() ? "1" : text.substr(0, text.size() - 1));
        box.userType(text);
    };
    for (auto box : {&W::txtLL, &W::txtdTunnelSlope, &W::txth, &W::txtdPreLength, &W::txtdSpan,
                     &W::txtLL_20_S, &W::txtNN}) {
        inputs.push_back([=](W& w) { retype(w.*box); });
    }
    for (auto box : {&W::cmbvt, &W::cmbSkyRatio}) {
        inputs.push_back([=](W& w) { retype(w.*box); });
    }
    for (auto list : {&W::lstEnvironmnet, &W::lstAdjust}) {
        inputs.push_back([=](W& w) {
            const int own = (w.*list).ListIndex();
            (w.*list).userClick(own == 0 ? 1 : 0);
            (w.*list).userClick(own);
        });
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        platform::msgbox::reset();
        platform::msgbox::setAutoAnswer(true);
        step1().cmdOK.userClick(); // the project's file as the window holds it
        W& w = step1();
        inputs[i](w);
        // The file holds every input: bytes as on disk are inputs as the engineer set them.
        Forms::unload(w, platform::vbFormControlMenu);
        EXPECT_TRUE(platform::msgbox::log().empty()) << "input " << i;
    }
    // A sky share that offers the chosen surroundings keeps them, and L20 follows: 25 %, north, 80 km/h.
    step1().cmbSkyRatio.userSelect(1);
    test_support::ExpectTexts{{step1().lstEnvironmnet, "北洞口"}, {step1().txtLL_20_S, "5000.00"}};
}

TEST_F(Step1, AFileThatCannotBeWrittenIsSaid) {
    modPublic::ProjectFile = test_stage::appFolder() + "/no such folder/proj.vnt";
    frmBrightness& w = step1();
    platform::msgbox::script(platform::vbOK);
    w.cmdOK.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
    EXPECT_NE(platform::msgbox::log()[0].prompt.find("照明亮度计算文件未能保存"), std::string::npos);
}

TEST_F(Step1, ShortAndDamagedFilesNeverStopTheWindow) {
    // Ends after the speed: the volumes and the speed are read, the rest stays as the window starts.
    ASSERT_TRUE(textfile::WriteLines(bghPath(), {"1", "\"500\"", "\"60\""}));
    frmBrightness& w = step1();
    EXPECT_EQ(texts(w.lstNN), std::vector<std::string>{"500"});
    EXPECT_EQ(w.cmbvt.Text(), "60");
    EXPECT_EQ(w.txtLL.Text(), "");
    EXPECT_EQ(w.lstAdjust.ListIndex(), -1);
    Forms::destroyAll();

    // Positions outside their lists and a huge zone count are passed over.
    ASSERT_TRUE(textfile::WriteLines(bghPath(), {"0", "\"80\",\"900\",#TRUE#,#FALSE#,#FALSE#",
                                                 "\"25%\",7,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"", "9",
                                                 "99999999", "\"1.00\",\"2.00\""}));
    frmBrightness& w2 = step1();
    EXPECT_EQ(w2.lstEnvironmnet.ListIndex(), -1);
    EXPECT_EQ(w2.lstAdjust.ListIndex(), -1);
    EXPECT_EQ(w2.lstResult.ListItems.Count(), 6);
    EXPECT_EQ(w2.lstResult.ListItems(1).SubItems(1), "1.00");
    Forms::destroyAll();

    // Not a record file at all.
    ASSERT_TRUE(textfile::WriteAtomically(bghPath(), std::string("\x00\xff\"\x81,,\r\n\x01", 9)));
    frmBrightness& w3 = step1();
    EXPECT_EQ(w3.lstResult.ListItems.Count(), 6);
    w3.cmdCalculate.userClick();
}

TEST_F(Step1, TheReportCoversEveryVolumeAndMode) {
    frmBrightness& w = step1();
    req.txtProjectName.setSilently("雁门关隧道右线");
    w.txtNN.userType("780");
    w.cmdReport.userClick();
    ASSERT_EQ(platform::textviewer::log().size(), 1u);
    EXPECT_EQ(fs::path(platform::textviewer::log()[0]), fs::path(reportPath()));
    const auto bytes = textfile::ReadBytes(reportPath());
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->find('\n'), bytes->find("\r\n") + 1);
    const auto lines = textfile::ReadLines(reportPath());
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 18u + 2 * 6 * 10);
    EXPECT_EQ((*lines)[0], "                雁门关隧道右线照明区段亮度与长度计算书");
    EXPECT_EQ((*lines)[7], "     洞口朝向或洞外环境: 北洞口");
    EXPECT_EQ((*lines)[17], "■■隧道单向交通照明工况表■■");
    // Last block: 1158 under "夜间-交通量较小": m = max(0.5 × 2.6735, 1) = 1.34 in every zone.
    EXPECT_EQ((*lines)[18 + 11 * 10 + 1], "      设计交通量N(辆/h): 1158");
    EXPECT_EQ((*lines)[18 + 11 * 10 + 2], "               照明工况: 夜间-交通量较小");
    EXPECT_EQ((*lines)[18 + 11 * 10 + 4], "01            0001.34       091.30");
    // First block: 780 under a clear sky, Lth = (0.025 + 80/1700 × 0.010) × 5500 = 140.088.
    EXPECT_EQ((*lines)[18 + 4], "01            0140.09       091.30");
    // The window is left on the last volume and mode.
    EXPECT_EQ(w.txtNN.Text(), "1158");
    EXPECT_EQ(w.lstAdjust.ListIndex(), 5);
    EXPECT_EQ((*lines)[12], "              折减系数k: 0.025"); // of the volume shown: 0.025 + 80/1700 × 0.010
    // −4 % typed since: Ds 112 in the head as in the entrance zone, 1.154 × 112 − 3.5 / tan 10° = 109.40.
    w.txtdTunnelSlope.userType("-4");
    w.cmdReport.userClick();
    const auto retyped = textfile::ReadLines(reportPath());
    ASSERT_TRUE(retyped.has_value());
    EXPECT_EQ((*retyped)[15], "          停车视距Ds(m): 112.00");
    EXPECT_EQ((*retyped)[18 + 4], "01            0140.09       109.40");
}

TEST_F(Step1, AnUnnamedProjectsReportIsRefused) {
    modPublic::ProjectFile.clear();
    frmBrightness& w = step1();
    const std::vector<Row> before = zoneRows(w);
    refused_report::expectAskedToSaveFirst(w.cmdReport);
    EXPECT_EQ(zoneRows(w), before);
}

TEST_F(Step1, NextSavesAndShowsStep2AboveStep1) {
    frmBrightness& w = step1();
    w.txtLL.userType("2222");
    bool shown = false;
    test_stage::onModal<frmDefineLamp>([&](frmDefineLamp& d) {
        shown = true;
        EXPECT_EQ(d.Caption(), "Step 2: 设置照明计算参数");
        EXPECT_TRUE(Forms::isLoaded<frmBrightness>());
        EXPECT_TRUE(fs::exists(bghPath()));
        EXPECT_EQ(d.cmdPreStep.Caption(), "<--上一步");
        d.cmdPreStep.userClick();
    });
    w.cmdClose.userClick();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Forms::isLoaded<frmBrightness>());
    EXPECT_TRUE(Forms::isLoaded<frmDefineLamp>());
    EXPECT_FALSE(Forms::instance<frmDefineLamp>().Visible());
}

TEST_F(Step1, TheMenuShowsStep1AndThePublishedValuesComeBack) {
    req.RefreshData(true);
    const double length = modPublic::TunnelLength, traffic = modPublic::DesignTraffic,
                 speed = modPublic::DesignSpeed;
    bool shown = false;
    test_stage::onModal<frmBrightness>([&](frmBrightness& w) {
        shown = true;
        w.cmbvt.userSelect(3); // 60
        w.txtLL.userType("1234");
        w.txtNN.userType("777");
        w.cmdCalculate.userClick();
        EXPECT_EQ(modPublic::TunnelLength, 1234);
        EXPECT_EQ(modPublic::DesignTraffic, 777);
        EXPECT_EQ(modPublic::DesignSpeed, 60);
        w.cmdOK.userClick();
    });
    req.mnuLighting.userClick();
    EXPECT_TRUE(shown);
    EXPECT_EQ(modPublic::TunnelLength, length);
    EXPECT_EQ(modPublic::DesignTraffic, traffic);
    EXPECT_EQ(modPublic::DesignSpeed, speed);
}

/// Writes the template `Normal.bgh` into the folder named by ARIDANE_TEMPLATE_OUT (else the test's own
/// folder) through the window's own controls and SaveFile, and holds it to the shipped file:
///   ARIDANE_TEMPLATE_OUT=ConfigFiles lighting_window_tests --gtest_filter='*MakeTemplate*'
TEST(BrightnessTemplate, MakeTemplate) {
    (void)Forms::instance<frmReq>();
    const std::string dir = test_support::templateOutFolder("Normal.bgh");
    frmBrightness& w = Forms::instance<frmBrightness>();
    // The 雁门关 right line: 80 km/h, 5235 m, one-way, design-hour volumes 15 300 and 22 700 pcu/d × 0.51
    // × 0.1 of 2014 and 2024; entrance slope +1.56 %, clear height 5 m; the brighter north portal.
    w.lstNN.ListItems.Clear();
    for (const char* v : {"780", "1158"}) {
        w.txtNN.userType(v);
        w.cmdAdd.userClick();
    }
    w.cmbvt.userSelect(1);
    w.txtLL.userType("5235");
    w.OptionButton1.userClick();
    w.cmbSkyRatio.userSelect(0);
    w.lstEnvironmnet.userClick(1);
    test_support::TypeInto{{w.txtdTunnelSlope, "1.56"},
                           {w.txth, "5"},
                           {w.txtdPreLength, "0"},
                           {w.txtdSpan, "0"},
                           {w.txtNN, "1158"}};
    w.lstAdjust.userClick(0);
    ASSERT_EQ(w.txtLL_20_S.Text(), "5500.00");
    w.cmdOK.userClick();
    Forms::destroyAll();
    test_support::expectShippedTemplate(dir, "Normal.bgh");
}

} // namespace

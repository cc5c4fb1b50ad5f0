// SPDX-License-Identifier: GPL-3.0-or-later
// The fire window on the template project saved into the test folder, as an engineer drives it.
#include "fire/frmFire.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "fire/fire_file.h"
#include "jetfan/jet_file.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "shaft/sj_file.h"
#include "tests/support/list_rows.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/written_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace {

namespace fs = std::filesystem;
using platform::Forms;

std::vector<std::string> rows(platform::ListView& list) {
    std::vector<std::string> out;
    for (const auto& r : test_support::rowsOf(list, 1)) {
        out.push_back(r[0]);
    }
    return out;
}

class FireWindow : public ::testing::Test {
protected:
    void SetUp() override { test_support::saveTemplateProject(req); }

    std::string file(const std::string& ext) const { return test_stage::appFolder() + "/proj" + ext; }

    void writeJet(const std::string& model, const std::string& eta) {
        jetfan::JetFileContents jet;
        jet.Record2 = {model, "34.305", "0.985", "1.12", "1.2", eta, "", "33.79", "42"};
        ASSERT_TRUE(jetfan::WriteJetFile(jet).Save(file(".jet")));
    }

    frmFire& open() { return Forms::instance<frmFire>(); }

    /// The window with the template's fire points deleted by its Delete button (a list with rows always
    /// has one selected).
    frmFire& openWithoutFirePoints() {
        frmFire& w = open();
        while (w.lstFireLoc.ListItems.Count() > 0) {
            w.cmdFireLocDelete.userClick();
        }
        return w;
    }

    /// Closes and opens the window again, as the menu does it twice.
    frmFire& reopen(frmFire& w) {
        w.cmdClose.userClick();
        Forms::collectGarbage();
        EXPECT_FALSE(Forms::isLoaded<frmFire>());
        return open();
    }

    frmReq& req = Forms::instance<frmReq>();
};

// ---- The window itself ----

TEST_F(FireWindow, OpensFromTheTemplateWithItsInitialStates) {
    frmFire& w = open();
    EXPECT_EQ(w.Caption(), "火灾分析模块(适用于纵向排烟和半横向集中排烟模式)");
    EXPECT_EQ(w.lstFireLoc.ColumnHeaders(1).Text(), "火灾点桩号");
    EXPECT_EQ(w.lstExsmokePile.ColumnHeaders(1).Text(), "排烟口桩号");
    EXPECT_EQ(w.cmbJetModel.ListCount(), static_cast<int>(modPublic::JetModels.UBound()));
    EXPECT_EQ(w.cmbJetModel.List(0), "630型射流风机");
    EXPECT_EQ(w.cmbJetModel.Text(), "1120型射流风机");
    EXPECT_EQ(w.txteta.Text(), "0.876");
    EXPECT_EQ(w.chkUseJetOnly.Value(), 1);
    EXPECT_FALSE(w.chkUseJetOnly.Enabled());
    EXPECT_FALSE(w.txtRatio.Enabled());
    EXPECT_EQ(w.txtRatio.Text(), "70");
    EXPECT_EQ(w.udRatio.Value(), 70);
    EXPECT_TRUE(w.optVentMode1.Value());
    EXPECT_TRUE(w.optTrafficMode1.Value());
    EXPECT_FALSE(w.frmBidirectionVent.Enabled());
    EXPECT_FALSE(w.frmNaturalWind.Enabled());
    EXPECT_FALSE(w.frmExsmokeRange.Enabled());
    EXPECT_EQ(rows(w.lstFireLoc), (std::vector<std::string>{"10200", "12617.5", "15035"}));
}

TEST_F(FireWindow, EnablingRulesFollowTheSwitches) {
    frmFire& w = open();
    w.chkAirExpand.userClick();
    EXPECT_TRUE(w.txtRatio.Enabled());
    EXPECT_TRUE(w.lblRatio.Enabled());
    w.chkTranverse.userClick();
    EXPECT_TRUE(w.frmExsmokeRange.Enabled());
    EXPECT_FALSE(w.chkAirExpand.Enabled());
    EXPECT_EQ(w.chkAirExpand.Value(), 1) << "the tick is kept while disabled";
    w.chkTranverse.userClick();
    EXPECT_FALSE(w.frmExsmokeRange.Enabled());
    EXPECT_TRUE(w.chkAirExpand.Enabled());
    w.chkNaturalWind.userClick();
    EXPECT_TRUE(w.frmNaturalWind.Enabled());
    w.optTrafficMode2.userClick();
    EXPECT_TRUE(w.frmBidirectionVent.Enabled());
    w.optTrafficMode1.userClick();
    EXPECT_FALSE(w.frmBidirectionVent.Enabled());
}

TEST_F(FireWindow, SpinnersWriteTheirBoxes) {
    frmFire& w = open();
    w.udvn.set(25);
    EXPECT_EQ(w.txtvn.Text(), "2.5");
    w.udvn.set(3);
    EXPECT_EQ(w.txtvn.Text(), "0.3");
    w.udMW.set(35);
    EXPECT_EQ(w.txtMW.Text(), "35");
    EXPECT_EQ(req.txtHRR.Text(), "35");
}

TEST_F(FireWindow, FireSizeWithoutFirePointsOnlyCopiesTheSmokeFlow) {
    frmFire& w = openWithoutFirePoints();
    req.txtQs.set("123.45");
    w.txtMW.userType("30");
    EXPECT_EQ(req.txtHRR.Text(), "30");
    EXPECT_EQ(req.txtQs.Text(), "123.45") << "no station to recompute for";
    EXPECT_EQ(w.txtQ.Text(), "123.45");
}

TEST_F(FireWindow, StationListEditors) {
    frmFire& w = openWithoutFirePoints();
    w.txtFirePile.userType("12000");
    w.cmdFireLocAdd.userClick();
    w.cmdFireLocAdd.userClick();
    w.txtFirePile.userType("");
    w.cmdFireLocAdd.userClick();
    w.txtFirePile.userType("11000");
    w.cmdFireLocAdd.userClick();
    EXPECT_EQ(rows(w.lstFireLoc), (std::vector<std::string>{"12000", "12000", "", "11000"}));
    w.lstFireLoc.select(3);
    w.cmdFireLocDelete.userClick();
    w.lstFireLoc.select(2);
    w.txtFirePile.userType("13000");
    w.cmdFireLocUpdate.userClick();
    EXPECT_EQ(rows(w.lstFireLoc), (std::vector<std::string>{"12000", "13000", "11000"}));

    // The exhaust ports keep ascending order, so that the nearest port beyond a fire is found first.
    for (const char* p : {"15235", "10000", "12500"}) {
        w.txtExsmokePile.userType(p);
        w.cmdExsmokeAdd.userClick();
    }
    EXPECT_EQ(rows(w.lstExsmokePile), (std::vector<std::string>{"10000", "12500", "15235"}));
    w.lstExsmokePile.userItemClick(2);
    EXPECT_EQ(w.txtExsmokePile.Text(), "12500");
    w.txtExsmokePile.userType("15500");
    w.cmdExsmokeUpdate.userClick();
    EXPECT_EQ(rows(w.lstExsmokePile), (std::vector<std::string>{"10000", "15235", "15500"}));
    EXPECT_EQ(w.lstExsmokePile.SelectedItem()->Text(), "15500");
    w.cmdExsmokeDelete.userClick();
    w.cmdExsmokeDelete.userClick();
    w.cmdExsmokeDelete.userClick();
    w.cmdExsmokeDelete.userClick(); // on an empty list: nothing
    w.cmdExsmokeUpdate.userClick();
    EXPECT_EQ(w.lstExsmokePile.ListItems.Count(), 0);
}

// ---- Collecting the inputs ----

TEST_F(FireWindow, CollectTakesTheProjectAndTheJetScheme) {
    writeJet("900型射流风机", "0.85");
    frmFire& w = open();
    req.txtHRR.set("30");
    w.cmdCollect.userClick();
    EXPECT_EQ(w.txtMW.Text(), "30");
    EXPECT_EQ(w.udMW.Value(), 30);
    EXPECT_EQ(w.txtQ.Text(), req.txtQs.Text());
    EXPECT_EQ(w.chkTranverse.Value(), 0) << "the template has one cross-section row";
    EXPECT_EQ(rows(w.lstExsmokePile), (std::vector<std::string>{"10000", "15235"}));
    EXPECT_TRUE(w.optBDVentDirection1.Value());
    EXPECT_TRUE(w.optNaturalWindDirection2.Value());
    EXPECT_EQ(w.cmbJetModel.Text(), "900型射流风机");
    EXPECT_EQ(w.txteta.Text(), "0.85");
    // A second click appends the portals again.
    w.cmdCollect.userClick();
    EXPECT_EQ(rows(w.lstExsmokePile), (std::vector<std::string>{"10000", "10000", "15235", "15235"}));
}

TEST_F(FireWindow, CollectKeepsAFractionalFireSizeAndWindAsTheProjectHoldsThem) {
    frmFire& w = open();
    req.txtHRR.set("12.5");
    modPublic::v_n = 2.53;
    w.cmdCollect.userClick();
    EXPECT_EQ(w.txtMW.Text(), "12.5");
    EXPECT_EQ(req.txtHRR.Text(), "12.5");
    EXPECT_EQ(w.udMW.Value(), 12);
    EXPECT_EQ(w.txtvn.Text(), "2.53");
    EXPECT_EQ(w.udvn.Value(), 25);
}

TEST_F(FireWindow, CollectOnTheLeftLineWithOneShaft) {
    shaft::SjFileContents sj;
    sj.ShaftPile = "2000";
    sj.Passage[0] = "30";
    sj.Inlet[8] = "1000型射流风机";
    sj.Inlet[10] = "0.9";
    ASSERT_TRUE(shaft::WriteSjFile(sj).Save(file(".sj")));
    frmFire& w = open();
    req.optLeftLine.set(true);
    w.optVentMode2.userClick();
    w.cmdCollect.userClick();
    EXPECT_TRUE(w.optBDVentDirection2.Value());
    EXPECT_TRUE(w.optNaturalWindDirection1.Value());
    EXPECT_EQ(rows(w.lstExsmokePile)[0], "1970");
    EXPECT_EQ(w.cmbJetModel.Text(), "1000型射流风机");
    EXPECT_EQ(w.txteta.Text(), "0.9");
}

TEST_F(FireWindow, CollectWithAMissingSchemeFileKeepsModelEtaAndPorts) {
    frmFire& w = open();
    w.optVentMode3.userClick();
    w.cmdCollect.userClick();
    EXPECT_EQ(w.cmbJetModel.Text(), "1120型射流风机");
    EXPECT_EQ(w.txteta.Text(), "0.876");
    EXPECT_EQ(rows(w.lstExsmokePile), (std::vector<std::string>{"10000", "15235"}));
    w.optVentMode2.userClick();
    w.cmdCollect.userClick();
    EXPECT_EQ(rows(w.lstExsmokePile).size(), 4u) << "no port at station 0";
}

TEST_F(FireWindow, CollectDoesNothingForAnUnnamedProject) {
    frmFire& w = open();
    modPublic::ProjectFile.clear();
    w.cmdCollect.userClick();
    EXPECT_EQ(w.lstExsmokePile.ListItems.Count(), 0);
}

// ---- The scheme of a fire point ----

TEST_F(FireWindow, ClickingFirePointsShowsTheirSchemes) {
    writeJet("1120型射流风机", "0.876");
    frmFire& w = openWithoutFirePoints();
    req.txtHRR.set("20");
    w.cmdCollect.userClick();
    for (const char* p : {"11000", "14000.5"}) {
        w.txtFirePile.userType(p);
        w.cmdFireLocAdd.userClick();
    }
    req.txtQs.set("");
    w.lstFireLoc.userItemClick(2);
    EXPECT_EQ(w.txtFirePile.Text(), "14000.5");
    EXPECT_FALSE(req.txtQs.Text().empty()) << "the smoke flow is recomputed for the station";
    EXPECT_EQ(w.txtQ.Text(), req.txtQs.Text());
    const std::string result = w.txtResult.Text();
    const std::size_t crlf = result.find("\r\n");
    ASSERT_NE(crlf, std::string::npos) << result;
    // One-way, right line, no duct: case L3, the end portal is the first port beyond the fire.
    EXPECT_TRUE(std::regex_match(result.substr(0, crlf),
                                 std::regex("火灾点桩号:14000\\.5    排烟口桩号:15235\\.    "
                                            "进洞口风机开启台数(:      |\\(逆转\\):)[0-9][0-9]")))
        << result;
    EXPECT_EQ(result.substr(crlf + 2).rfind("通风阻抗力:", 0), 0u);
    EXPECT_NE(result.find("    火风压:"), std::string::npos);

    // A model the table lacks gives no count instead of 00.
    w.cmbJetModel.userType("无此型号");
    w.lstFireLoc.userItemClick(1);
    EXPECT_NE(w.txtResult.Text().find("进洞口风机开启台数:      ??"), std::string::npos)
        << w.txtResult.Text();
}

// ---- The .fir file ----

TEST_F(FireWindow, SettingsSurviveClosingAndOpening) {
    frmFire& w = openWithoutFirePoints();
    for (const char* p : {"12000", "11000"}) {
        w.txtFirePile.userType(p);
        w.cmdFireLocAdd.userClick();
    }
    w.txtExsmokePile.userType("10000");
    w.cmdExsmokeAdd.userClick();
    w.chkAirExpand.userClick();
    w.txtRatio.userType("65");
    w.chkTranverse.userClick();
    w.chkNaturalWind.userClick();
    w.optVentMode2.userClick();
    w.optTrafficMode2.userClick();
    w.optBDVentDirection2.userClick();
    w.optNaturalWindDirection2.userClick();
    test_support::TypeInto{{w.txtMW, "12.5"},
                           {w.txtQ, "180.5"},
                           {w.cmbJetModel, "900型射流风机"},
                           {w.txtBlockVehNum, "20"},
                           {w.txteta, "0.85"},
                           {w.txtExsmokePile1, "11000"},
                           {w.txtExsmokePile2, "12000"},
                           {w.txtvn, "2.53"}};

    frmFire& again = reopen(w);
    ASSERT_TRUE(fs::exists(file(".fir")));
    EXPECT_EQ(rows(again.lstFireLoc), (std::vector<std::string>{"12000", "11000"}));
    EXPECT_EQ(rows(again.lstExsmokePile), (std::vector<std::string>{"10000"}));
    EXPECT_EQ(again.chkTranverse.Value(), 1);
    EXPECT_EQ(again.chkAirExpand.Value(), 1);
    EXPECT_FALSE(again.chkAirExpand.Enabled());
    EXPECT_EQ(again.chkNaturalWind.Value(), 1);
    EXPECT_TRUE(again.frmNaturalWind.Enabled());
    EXPECT_TRUE(again.optVentMode2.Value());
    EXPECT_TRUE(again.optTrafficMode2.Value());
    EXPECT_TRUE(again.frmBidirectionVent.Enabled());
    EXPECT_TRUE(again.optBDVentDirection2.Value()) << "the two-way direction is stored";
    EXPECT_TRUE(again.optNaturalWindDirection2.Value());
    EXPECT_EQ(again.txtMW.Text(), "12.5");
    EXPECT_EQ(again.udMW.Value(), 12);
    test_support::ExpectTexts{{req.txtHRR, "12.5"},
                              {again.txtQ, "180.5"},
                              {again.cmbJetModel, "900型射流风机"},
                              {again.txtBlockVehNum, "20"},
                              {again.txteta, "0.85"},
                              {again.txtExsmokePile1, "11000"},
                              {again.txtExsmokePile2, "12000"},
                              {again.txtvn, "2.53"}};
    EXPECT_EQ(again.udvn.Value(), 25);
    EXPECT_EQ(again.txtRatio.Text(), "65");
    EXPECT_EQ(again.udRatio.Value(), 65);
    const std::string bytes = textfile::ReadBytes(file(".fir")).value_or("");
    EXPECT_EQ(bytes.rfind(textcodec::ToGbk("\"[火灾位置]\"\r\n2\r\n\"12000\"\r\n"), 0), 0u);
}

TEST_F(FireWindow, AnUnnamedProjectWritesNoFileAndOpensTheTemplateAgain) {
    modPublic::ProjectFile.clear();
    frmFire& w = open();
    w.txtFirePile.userType("12000");
    w.cmdFireLocAdd.userClick();
    frmFire& again = reopen(w);
    EXPECT_EQ(rows(again.lstFireLoc), (std::vector<std::string>{"10200", "12617.5", "15035"}));
    EXPECT_FALSE(fs::exists(file(".fir")));
}

TEST_F(FireWindow, BrokenSettingsFilesNeverStopTheWindow) {
    // Truncated after the fire points: the points are read, the rest stays as the window starts.
    test_support::writeGbk(file(".fir"), "\"[火灾位置]\"\r\n5\r\n\"11000\"\r\n");
    platform::msgbox::script(platform::vbOK);
    frmFire& w = open();
    EXPECT_EQ(rows(w.lstFireLoc), (std::vector<std::string>{"11000"}));
    EXPECT_EQ(w.txtRatio.Text(), "");
    EXPECT_EQ(w.chkUseJetOnly.Value(), 1);
    Forms::destroyAll();

    // Text in numbers and Booleans; a missing template as well.
    test_support::writeGbk(file(".fir"), "x\r\nx\r\nx\r\nx\r\nx,x,x,x\r\nx,x,x\r\nx,x\r\n");
    fs::remove(fs::path(test_stage::appFolder()) / "ConfigFiles" / "Normal.fir");
    platform::msgbox::script(platform::vbOK);
    frmFire& w2 = open();
    EXPECT_TRUE(w2.optVentMode1.Value());
    EXPECT_EQ(w2.chkTranverse.Value(), 0);
    Forms::destroyAll();
    fs::remove(file(".fir"));
    frmFire& w3 = open();
    EXPECT_EQ(w3.lstFireLoc.ListItems.Count(), 0);
    EXPECT_EQ(w3.txtMW.Text(), "");
    EXPECT_EQ(platform::msgbox::log().size(), 2u) << "neither file to read: nothing to name";
}

// A file cut inside a record is named in one box, and a station cut in two is not taken for another.
TEST_F(FireWindow, ACutSettingsFileIsNamedAndItsWholeRecordsRead) {
    const std::string bytes = fire::WriteFirFile({.FireLocs = {"11000", "12500.5"}}).Bytes();
    ASSERT_TRUE(textfile::WriteAtomically(file(".fir"), bytes.substr(0, bytes.find("12500") + 3)));
    platform::msgbox::script(platform::vbOK);
    frmFire& w = open();
    test_support::expectOneMessage({.prompt = "火灾工况设置文件不完整或已损坏:\r\n" + file(".fir") +
                                              "\r\n文件中未能读入的数据为窗口的初始值.",
                                    .title = "出错"});
    EXPECT_EQ(rows(w.lstFireLoc), std::vector<std::string>{"11000"});
}

TEST_F(FireWindow, AnUnwritableSettingsFileIsSaid) {
    fs::create_directory(file(".fir"));
    frmFire& w = open();
    platform::msgbox::script(platform::vbOK);
    w.cmdClose.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
    EXPECT_NE(platform::msgbox::log()[0].prompt.find("火灾工况设置文件未能保存"), std::string::npos);
}

TEST_F(FireWindow, TheMenuShowsTheWindowModallyAndUnloadsIt) {
    bool shown = false;
    test_stage::onModal<frmFire>([&](frmFire& w) {
        shown = true;
        w.txtFirePile.userType("12000");
        w.cmdFireLocAdd.userClick();
    });
    req.mnuToolsmnuFire_Click();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(Forms::isLoaded<frmFire>());
    EXPECT_TRUE(fs::exists(file(".fir")));
}

// ---- The control table ----

class FireTable : public FireWindow {
protected:
    std::string table() const { return test_stage::appFolder() + "/proj_火灾设备控制表.rpt"; }
    std::vector<std::string> lines() const {
        return textfile::ReadLines(table()).value_or(std::vector<std::string>{});
    }
};

TEST_F(FireTable, WithoutNaturalWindTheTableEndsAfterItsHead) {
    req.txtProjectName.set("A");
    frmFire& w = openWithoutFirePoints();
    w.cmdCollect.userClick();
    w.chkTranverse.userClick();
    w.txtExsmokePile1.userType("1000");
    w.txtExsmokePile2.userType("1500");
    const std::vector<std::string> want = {std::string(16, ' ') + "A火灾设备控制表(不考虑洞内自然风)",
                                           "",
                                           "■■基本设计参数■■",
                                           "火灾规模(MW):\t" + w.txtMW.Text(),
                                           "火灾需风量(m^3/s):\t" + w.txtQ.Text(),
                                           "射流风机型号:\t1120型射流风机",
                                           "阻塞车辆数:\t0",
                                           "",
                                           "排烟方式: 采用独立排烟道横向排烟",
                                           "排烟道起始桩号:\t1000\t终止桩号:\t1500",
                                           "",
                                           "交通模式: 单向交通",
                                           "",
                                           "不考虑空气升温后体积膨胀",
                                           "",
                                           "仅利用射流风机进行气流控制",
                                           "可用的排烟口桩号(包括进出洞口桩号)",
                                           "1\t10000",
                                           "2\t15235",
                                           "",
                                           "",
                                           "",
                                           "■■各火灾点的设备控制表■■",
                                           "不考虑洞内自然风(洞口两端气压差)",
                                           "火灾位置列表中没有火灾点，火灾设备控制表未列出设备控制方案。"};
    platform::msgbox::script(platform::vbOK);
    w.cmdControlScheme.userClick();
    EXPECT_EQ(lines(), want);
    ASSERT_EQ(platform::msgbox::log().size(), 1u) << "a table without a fire point is said in one box";
    EXPECT_EQ(platform::msgbox::log()[0].prompt, want.back() + "请在火灾位置列表中添加火灾点桩号后再生成。");
    ASSERT_EQ(platform::textviewer::log().size(), 1u);
    EXPECT_EQ(platform::textviewer::log()[0], table());
    const std::string bytes = textfile::ReadBytes(table()).value_or("");
    EXPECT_NE(bytes.find(textcodec::ToGbk("火灾设备控制表(不考虑洞内自然风)\r\n")), std::string::npos);
    EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1);
}

TEST_F(FireTable, EveryFirePointAtEverySpeedInBothDirectionsAndTheWindSettingsComeBack) {
    writeJet("1120型射流风机", "0.876");
    frmFire& w = openWithoutFirePoints();
    w.cmdCollect.userClick();
    for (const char* p : {"11000", "14000"}) {
        w.txtFirePile.userType(p);
        w.cmdFireLocAdd.userClick();
    }
    w.chkNaturalWind.userClick();
    w.txtvn.userType("2.5");
    w.optNaturalWindDirection2.userClick();
    w.cmdControlScheme.userClick();
    const std::vector<std::string> got = lines();
    const auto head = std::find(got.begin(), got.end(), "考虑洞内自然风(洞口两端气压差)");
    ASSERT_NE(head, got.end());
    std::vector<std::string> prefixes;
    for (auto it = head + 1; it != got.end(); ++it) {
        prefixes.push_back(it->substr(0, it->find("    火灾点桩号:")));
    }
    const std::string up = "洞内自然风方向:从小桩号到大桩号; 风速(m/s):";
    const std::string down = "洞内自然风方向:从大桩号到小桩号; 风速(m/s):";
    EXPECT_EQ(prefixes, (std::vector<std::string>{"", "火灾点：1", up + "2.5", up + "1.5", up + "0.5",
                                                  down + "1.0", down + "2.0", "", "火灾点：2", up + "2.5",
                                                  up + "1.5", up + "0.5", down + "1.0", down + "2.0"}));
    EXPECT_NE(got.back().find("    火灾点桩号:14000.    排烟口桩号:15235."), std::string::npos) << got.back();
    // The engineer's speed and direction are back, so closing stores them and not the table's last ones.
    EXPECT_EQ(w.txtvn.Text(), "2.5");
    EXPECT_TRUE(w.optNaturalWindDirection2.Value());
    // A second run overwrites the first.
    w.lstFireLoc.select(2);
    w.cmdFireLocDelete.userClick();
    w.cmdControlScheme.userClick();
    EXPECT_EQ(lines().size(), got.size() - 7);
}

// A tunnel of two cross-sections: each fire point's line in the table is the one clicking it shows, with
// the smoke flow of its own section (Q* > 0.2, by hand 0.4·√(9.8·8.197)·63.96 = 229.30 and
// 0.4·√(9.8·8.72)·71.5 = 264.39 m³/s); both windows show afterwards what they showed before.
TEST_F(FireTable, EachFirePointIsComputedWithItsOwnSmokeFlow) {
    test_support::setRows(req.lstSection,
                          {{"12600", "63.96", "31.21", "8.197"}, {"15235", "71.5", "32.8", "8.72"}});
    frmFire& w = openWithoutFirePoints();
    w.cmdCollect.userClick();
    std::vector<std::string> flows, clicked;
    for (const char* p : {"11000", "14000"}) {
        w.txtFirePile.userType(p);
        w.cmdFireLocAdd.userClick();
        w.lstFireLoc.userItemClick(w.lstFireLoc.ListItems.Count());
        flows.push_back(w.txtQ.Text());
        clicked.push_back(w.txtResult.Text().substr(0, w.txtResult.Text().find("\r\n")));
    }
    EXPECT_EQ(flows, (std::vector<std::string>{"229.30", "264.39"}));
    w.lstFireLoc.userItemClick(1);
    const std::string shown = w.txtQ.Text() + req.txtQs.Text() + req.txtTunnelH.Text();
    w.cmdControlScheme.userClick();
    const std::vector<std::string> got = lines();
    // The heading gives the flow shown in the window (point 1's); point 2 names its own.
    const std::vector<std::string> heads{"火灾点：1", "火灾点：2    火灾需风量(m^3/s):264.39"};
    for (std::size_t i = 0; i < clicked.size(); ++i) {
        const auto at = std::find(got.begin(), got.end(), heads[i]);
        ASSERT_NE(at, got.end());
        EXPECT_EQ(*(at + 1), "洞内自然风风速(m/s):0.0    " + clicked[i]);
    }
    EXPECT_EQ(w.txtQ.Text() + req.txtQs.Text() + req.txtTunnelH.Text(), shown);
}

TEST_F(FireTable, AFirePointOutsideThePortalsIsNamedAndGetsNoFans) {
    frmFire& w = openWithoutFirePoints();
    w.cmdCollect.userClick();
    for (const char* p : {"9990", "12000", "15300"}) {
        w.txtFirePile.userType(p);
        w.cmdFireLocAdd.userClick();
    }
    const std::string outside = "    火灾点不在隧道内(10000至15235)，未计算设备控制方案。";
    w.lstFireLoc.userItemClick(3);
    EXPECT_EQ(w.txtResult.Text(), "火灾点桩号:15300." + outside + "\r\n");
    w.cmdControlScheme.userClick();
    const std::vector<std::string> got = lines();
    for (const char* p : {"9990.", "15300."}) {
        EXPECT_NE(std::find(got.begin(), got.end(), "洞内自然风风速(m/s):0.0    火灾点桩号:" + (p + outside)),
                  got.end());
    }
    const auto inside = std::find(got.begin(), got.end(), "火灾点：2");
    ASSERT_NE(inside, got.end());
    EXPECT_NE((inside + 1)->find("进洞口风机开启台数"), std::string::npos);
}

TEST_F(FireTable, AWindBeyondTheSpinnerRangeAndAnUnnamedProjectAreRefused) {
    frmFire& w = open();
    w.chkNaturalWind.userClick();
    w.txtvn.userType("1e17");
    platform::msgbox::script(platform::vbOK);
    w.cmdControlScheme.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt, "洞内自然风速超出0～10m/s，未生成火灾设备控制表！");
    EXPECT_FALSE(fs::exists(table()));

    modPublic::ProjectFile.clear();
    platform::msgbox::script(platform::vbOK);
    w.cmdControlScheme.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 2u);
    EXPECT_EQ(platform::msgbox::log()[1].prompt, "请先保存项目！");
    EXPECT_TRUE(platform::textviewer::log().empty());
}

/// Writes the template `Normal.fir` into the folder named by ARIDANE_TEMPLATE_OUT (else the test's own
/// folder) through the window's own controls and SaveFile, and holds it to the shipped file:
///   ARIDANE_TEMPLATE_OUT=<source>/ConfigFiles firevent_window_tests --gtest_filter='*MakeTemplate*'
TEST(FireTemplate, MakeTemplate) {
    Forms::instance<frmReq>();
    const std::string dir = test_support::templateOutFolder("Normal.fir");
    frmFire& w = Forms::instance<frmFire>();
    // No fire size and no smoke flow of its own: a new project's fire window takes them from the main
    // window by 收集信息, or from the first fire size typed. The model and η are those of Normal.jet.
    w.txtMW.setSilently("");
    w.txtQ.setSilently("");
    w.cmbJetModel.setText("1120型射流风机");
    w.txteta.set("0.876");
    w.txtBlockVehNum.set("0");
    w.txtvn.set("0");
    w.txtRatio.set("70");
    // The fire points an engineer checks first on the template tunnel (10000–15235, +1.56 % to 10420, then
    // −1.84 %), with the smoke driven to the exit portal: 10200 on the entrance's rising grade, where the
    // smoke runs almost the whole tunnel; 12617.5, the middle of the falling grade, where the hot smoke
    // flows downhill against its own buoyancy and the most fans must run; 15035, 200 m before the exit,
    // the shortest way out. The exhaust ports are left to 收集信息, which adds the two portals.
    for (const char* p : {"10200", "12617.5", "15035"}) {
        w.txtFirePile.userType(p);
        w.cmdFireLocAdd.userClick();
    }
    w.txtFirePile.userType("");
    ASSERT_TRUE(w.SaveFile());
    Forms::destroyAll();
    test_support::expectShippedTemplate(dir, "Normal.fir");
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Lighting step 2 driven as a user would: its controls, the lamp models of the intensity file and the
// plain word when none is installed, the circuit list edited, the .lmp file with its template and its
// damaged copies, the way on to step 3 and back, and the photometry that reads the circuit list.
#include "lighting/frmDefineLamp.h"

#include "app/modPublic.h"
#include "lighting/frmLighting.h"
#include "lighting/modPublic_lighting.h"
#include "lighting/point_lighting.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "tests/support/list_rows.h"
#include "tests/support/lamp_circuit.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/written_files.h"
#include "tests/support/text_fit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;
using test_support::readUtf8;
using test_support::Row;
using test_support::writeGbk;

const test_stage::Reset resetGlobals([] {
    modPublic::Reset();
    modPublic::ClearMissingLampModels();
});

std::string projectPath() {
    return test_stage::appFolder() + "/proj.vnt";
}
std::string lmpPath() {
    return test_stage::appFolder() + "/proj.lmp";
}
std::string configFile(const std::string& name) {
    return test_stage::appFolder() + "/ConfigFiles/" + name;
}

/// The items of a combo box or list box, in list order.
template <class List> std::vector<std::string> items(List& c) {
    std::vector<std::string> t;
    for (int i = 0; i < c.ListCount(); ++i) {
        t.push_back(c.List(i));
    }
    return t;
}

std::vector<Row> circuits(frmDefineLamp& w) {
    return test_support::rowsOf(w.lstLamp, 16);
}

// Two lamp models of a test office, invented for the tests only: 2 γ rows × 3 C columns, in cd/klm.
const std::string kTestLamps = "# test data\r\n"
                               "[T-250]\r\n"
                               "2,3\r\n"
                               "0,180,360\r\n"
                               "0,90\r\n"
                               "200,200,200\r\n"
                               "100,100,100\r\n"
                               "[LED 120W]\r\n"
                               "1,2\r\n"
                               "0,360\r\n"
                               "50,50\r\n"
                               "[A,B]\r\n";

// The template of these tests: no circuit, so that every circuit of a test is its own.
const std::string kEmptyTemplate = "0\r\n0,\"7.5\"\r\n\"60\",\"20\",\"5\"\r\n#TRUE#,#FALSE#\r\n";

class Step2 : public ::testing::Test {
protected:
    void SetUp() override {
        modPublic::ProjectFile = projectPath();
        writeGbk(configFile("Normal.lmp"), kEmptyTemplate);
    }
    frmDefineLamp& step2() { return Forms::instance<frmDefineLamp>(); }

    /// Fills the editors with one circuit.
    void enter(frmDefineLamp& w, const std::string& name, const std::string& model) {
        w.cmbLampName.userType(name);
        w.cmbLightModel.userType(model);
        test_support::enterLampCircuitValues(w);
    }
};

const Row kRowA = {"回路A", "T-250", "250", "28000", "0.7", "0", "1", "8",
                   "7.5",   "6",     "15",  "0",     "1",   "0", "2", "0.6"};

TEST_F(Step2, ShowsItsControlsAndTheTemplateOfAnUnnamedProject) {
    modPublic::ProjectFile.clear();
    writeGbk(configFile("Normal.lmp"), readUtf8(std::string(CONFIGFILES_DIR) + "/Normal.lmp"));
    frmDefineLamp& w = step2();
    EXPECT_EQ(w.Caption(), "Step 2: 设置照明计算参数");
    EXPECT_EQ(w.Frame1.Caption(), "定义灯具回路");
    EXPECT_EQ(w.Frame2.Caption(), "路面");
    EXPECT_EQ(w.Frame3.Caption(), "计算区域部分设置");
    EXPECT_EQ(w.Frame4.Caption(), "照度计算方法");
    EXPECT_EQ(w.lblLightSS2.Caption(), "横向间距(m)");
    EXPECT_EQ(w.lblAltitudeAngle.Caption(), "绕隧道轴线转角(°)");
    EXPECT_EQ(w.cmdAddSection.Caption(), "添加");
    EXPECT_EQ(w.cmdDeleteSection.Caption(), "删除");
    EXPECT_EQ(w.cmdUpdateSection.Caption(), "更新");
    EXPECT_EQ(w.optCurve.Caption(), "系数曲线图法");
    EXPECT_EQ(w.optNumeric.Caption(), "数值法(逐点法)");
    EXPECT_EQ(w.cmdPreStep.Caption(), "<--上一步");
    EXPECT_EQ(w.cmdNextStep.Caption(), "下一步-->");

    const std::vector<std::pair<std::string, int>> headers = {{"回路名称", 1200},
                                                              {"灯具型号", 2550},
                                                              {"功率(W)", 800},
                                                              {"光通量Φ(lm)", 1200},
                                                              {"养护系数M", 1000},
                                                              {"光源类型", 800},
                                                              {"安装方式", 800},
                                                              {"纵向间距(m)", 1100},
                                                              {"横向间距(m)", 1100},
                                                              {"高度H(m)", 900},
                                                              {"绕隧道轴线转角(°)", 1600},
                                                              {"绕横断面转角(°)", 1400},
                                                              {"纵向并排灯数", 1200},
                                                              {"间距(m)", 800},
                                                              {"横向并排灯数", 1200},
                                                              {"间距(m)", 800}};
    ASSERT_EQ(w.lstLamp.ColumnHeaders.Count(), 16);
    for (int i = 1; i <= 16; ++i) {
        EXPECT_EQ(w.lstLamp.ColumnHeaders(i).Text(), headers[static_cast<std::size_t>(i - 1)].first);
        EXPECT_EQ(w.lstLamp.ColumnHeaders(i).Width(), headers[static_cast<std::size_t>(i - 1)].second);
    }

    EXPECT_EQ(items(w.lstInstallMode),
              (std::vector<std::string>{"两侧交错布置", "两侧对称布置", "中线布置"}));
    EXPECT_EQ(w.lstInstallMode.ListIndex(), 0);
    EXPECT_EQ(items(w.cmbLightType),
              (std::vector<std::string>{"高压钠灯", "低压钠灯", "荧光高压汞灯", "荧光灯", "白炽灯"}));
    EXPECT_EQ(w.cmbLightType.Text(), "高压钠灯");
    ASSERT_EQ(w.cmbLampName.ListCount(), 14);
    EXPECT_EQ(w.cmbLampName.List(0), "回路A");
    EXPECT_EQ(w.cmbLampName.List(13), "回路N");
    EXPECT_EQ(w.cmbLampName.Text(), "回路A");
    EXPECT_EQ(items(w.cmbRoadType), (std::vector<std::string>{"水泥混凝土路面", "沥青混凝土路面"}));
    EXPECT_EQ(w.UpDown1.Min(), 1);
    EXPECT_EQ(w.UpDown1.Max(), 20);
    EXPECT_EQ(w.UpDown1.Increment(), 1);
    EXPECT_EQ(w.UpDown2.Min(), 1);
    EXPECT_EQ(w.UpDown2.Max(), 19);
    EXPECT_EQ(w.UpDown2.Increment(), 2);
    EXPECT_FALSE(w.optCurve.Enabled());

    const platform::Color yellow = platform::RGB(255, 255, 192);
    for (platform::Control* c : std::initializer_list<platform::Control*>{&w.cmbLampName,
                                                                          &w.cmbLightModel,
                                                                          &w.txtPower,
                                                                          &w.txtPHI,
                                                                          &w.txtMM,
                                                                          &w.cmbLightType,
                                                                          &w.lstInstallMode,
                                                                          &w.txtLightSS1,
                                                                          &w.txtLightSS2,
                                                                          &w.txtHH,
                                                                          &w.txtAltitudeAngle,
                                                                          &w.txtAngle2,
                                                                          &w.txtNum1,
                                                                          &w.txtSpan1,
                                                                          &w.txtNum2,
                                                                          &w.txtSpan2,
                                                                          &w.cmbRoadType,
                                                                          &w.txtWW,
                                                                          &w.txtDistanceToCalArea,
                                                                          &w.txtCalPointCount1,
                                                                          &w.txtCalPointCount2}) {
        EXPECT_EQ(c->BackColor(), yellow);
    }

    // The shipped template: one circuit of the example lamp on the centre line, 8 m apart at 6 m, a 7.5 m
    // concrete road, the observer 60 m before the area, 20 × 5 points, the numeric method.
    EXPECT_EQ(circuits(w), (std::vector<Row>{{"回路A", "GE M-250R2 150W HPS MS2", "150", "16000", "0.7", "0",
                                              "2", "8", "0", "6", "0", "0", "1", "0", "1", "0"}}));
    EXPECT_EQ(items(w.cmbLightModel), (std::vector<std::string>{"GE M-250R2 150W HPS MS2"}));
    test_support::ExpectTexts{{w.cmbRoadType, "水泥混凝土路面"},
                              {w.txtWW, "7.5"},
                              {w.txtDistanceToCalArea, "60"},
                              {w.txtCalPointCount1, "20"},
                              {w.txtCalPointCount2, "5"}};
    EXPECT_EQ(w.UpDown1.Value(), 20);
    EXPECT_EQ(w.UpDown2.Value(), 5);
    EXPECT_TRUE(w.optNumeric.Value());
    EXPECT_FALSE(w.optCurve.Value());
}

TEST_F(Step2, SaysPlainlyThatNoLampIntensityTableIsInstalled) {
    writeGbk(configFile("Icr.txt"), "# 本文件没有任何灯具型号\r\n");
    frmDefineLamp& w = step2();
    EXPECT_EQ(w.cmbLightModel.ListCount(), 0);
    EXPECT_EQ(w.lblLampData.Caption(), "灯具光强表文件 ConfigFiles\\Icr.txt 中没有任何灯具型号: "
                                       "未安装灯具光强数据, 照明计算无法求出照度和亮度。"
                                       "请先将所用灯具的光强表 (cd/1000 lm, 按型号分节) 加入该文件。");
}

TEST_F(Step2, SaysSoWhenTheIntensityFileIsMissing) {
    fs::remove(configFile("Icr.txt"));
    frmDefineLamp& w = step2();
    EXPECT_EQ(w.cmbLightModel.ListCount(), 0);
    EXPECT_EQ(w.lblLampData.Caption(),
              "找不到灯具光强表文件 ConfigFiles\\Icr.txt: 未安装灯具光强数据, 照明计算无法求出照度和亮度。"
              "请先将所用灯具的光强表 (cd/1000 lm, 按型号分节) 加入该文件。");
    EXPECT_EQ(w.txtWW.Text(), "7.5"); // loading went on
}

TEST_F(Step2, ListsTheModelsOfTheIntensityFile) {
    writeGbk(configFile("Icr.txt"), kTestLamps);
    frmDefineLamp& w = step2();
    // "[A,B]" is split by the comma into two fields and names no model.
    EXPECT_EQ(items(w.cmbLightModel), (std::vector<std::string>{"T-250", "LED 120W"}));
    EXPECT_EQ(w.cmbLightModel.Text(), "T-250");
    EXPECT_EQ(w.lblLampData.Caption(), "");
}

// The shipped lamp's name shows whole in the model box and in the circuit list, and no header of the
// list is cut, in the font the program runs with: a cut model name reads as another lamp.
TEST_F(Step2, ShowsTheShippedLampAndEveryHeaderWhole) {
    const test_support::ProgramFont font;
    writeGbk(configFile("Normal.lmp"), readUtf8(std::string(CONFIGFILES_DIR) + "/Normal.lmp"));
    writeGbk(configFile("Icr.txt"), readUtf8(std::string(CONFIGFILES_DIR) + "/Icr.txt"));
    frmDefineLamp& w = step2();
    const std::string lamp = "GE M-250R2 150W HPS MS2";
    ASSERT_EQ(w.cmbLightModel.Text(), lamp);
    ASSERT_EQ(circuits(w).at(0).at(1), lamp);

    auto* box = qobject_cast<QComboBox*>(w.cmbLightModel.widget());
    ASSERT_NE(box, nullptr);
    EXPECT_GE(box->width(), test_support::comboWidthFor(*box, lamp));
    auto* list = qobject_cast<QTreeWidget*>(w.lstLamp.widget());
    ASSERT_NE(list, nullptr);
    EXPECT_GE(list->columnWidth(1), test_support::cellWidthFor(*list, lamp));
    EXPECT_EQ(test_support::cutHeaders(*list), std::vector<std::string>{});
}

TEST_F(Step2, CircuitsAreAddedUpdatedAndDeletedAsTyped) {
    frmDefineLamp& w = step2();
    enter(w, "回路A", "T-250");
    w.cmdAddSection.userClick();
    ASSERT_EQ(circuits(w), (std::vector<Row>{kRowA}));

    // A typed name, a typed model and a typed light source are stored as typed; the source gives -1.
    enter(w, "入口加强1", "无此型号");
    w.cmbLightType.userType("LED");
    w.lstInstallMode.userClick(2);
    // Centre-line mounting greys out the transverse spacing and the tilt about the axis, texts kept.
    EXPECT_FALSE(w.txtLightSS2.Enabled());
    EXPECT_FALSE(w.lblLightSS2.Enabled());
    EXPECT_FALSE(w.txtAltitudeAngle.Enabled());
    EXPECT_FALSE(w.lblAltitudeAngle.Enabled());
    w.cmdAddSection.userClick();
    Row second = {"入口加强1", "无此型号", "250", "28000", "0.7", "-1", "2", "8",
                  "7.5",       "6",        "15",  "0",     "1",   "0",  "2", "0.6"};
    ASSERT_EQ(circuits(w).size(), 2u);
    EXPECT_EQ(circuits(w)[1], second);

    // A name already in the list gives a second row with it.
    enter(w, "回路A", "T-250");
    w.cmdAddSection.userClick();
    ASSERT_EQ(circuits(w).size(), 3u);
    EXPECT_EQ(circuits(w)[2], kRowA);

    // Clicking the second row brings it back into the editors, the mounting with its greying.
    w.lstInstallMode.userClick(0);
    w.lstLamp.userItemClick(2);
    EXPECT_EQ(w.cmbLampName.Text(), "入口加强1");
    EXPECT_EQ(w.cmbLightModel.Text(), "无此型号");
    EXPECT_EQ(w.lstInstallMode.ListIndex(), 2);
    EXPECT_EQ(w.cmbLightType.ListIndex(), -1);
    EXPECT_FALSE(w.txtAltitudeAngle.Enabled());
    EXPECT_EQ(w.txtHH.Text(), "6");
    EXPECT_EQ(w.txtSpan2.Text(), "0.6");

    // Update writes into the selected row only.
    w.txtHH.userType("6.5");
    w.cmdUpdateSection.userClick();
    second[9] = "6.5";
    EXPECT_EQ(circuits(w)[1], second);
    EXPECT_EQ(circuits(w)[0], kRowA);

    // Delete removes the selected row; the others keep their order.
    w.cmdDeleteSection.userClick();
    EXPECT_EQ(circuits(w), (std::vector<Row>{kRowA, kRowA}));
    w.lstLamp.userItemClick(1);
    EXPECT_TRUE(w.txtAltitudeAngle.Enabled());
    w.cmdDeleteSection.userClick();
    w.cmdDeleteSection.userClick();
    EXPECT_TRUE(circuits(w).empty());
    // With nothing left, Update and Delete change nothing.
    w.cmdUpdateSection.userClick();
    w.cmdDeleteSection.userClick();
    EXPECT_TRUE(circuits(w).empty());
}

TEST_F(Step2, ARowWithoutValidPositionsLeavesTheListsAsTheyAre) {
    frmDefineLamp& w = step2();
    platform::ListItem& item = w.lstLamp.ListItems.Add("回路X");
    item.setSubItems(5, "abc");
    item.setSubItems(6, "7");
    w.cmbLightType.userSelect(3);
    w.lstInstallMode.userClick(1);
    w.lstLamp.userItemClick(1);
    EXPECT_EQ(w.cmbLightType.ListIndex(), 3);
    EXPECT_EQ(w.lstInstallMode.ListIndex(), 1);
    EXPECT_EQ(w.cmbLampName.Text(), "回路X");
}

TEST_F(Step2, TheSpinnersWriteTheirCounts) {
    frmDefineLamp& w = step2();
    w.UpDown1.userUp();
    EXPECT_EQ(w.txtCalPointCount1.Text(), "20"); // at its top already: unchanged
    w.UpDown1.userDown();
    EXPECT_EQ(w.txtCalPointCount1.Text(), "19");
    w.UpDown2.userUp();
    EXPECT_EQ(w.txtCalPointCount2.Text(), "7");
}

TEST_F(Step2, NextWritesTheFileAndShowsStep3WhichLeadsBack) {
    frmDefineLamp& w = step2();
    enter(w, "回路A", "T-250");
    w.cmdAddSection.userClick();
    w.cmbRoadType.userClick(1);
    test_support::TypeInto{{w.txtWW, "8.25"},
                           {w.txtDistanceToCalArea, "55"},
                           {w.txtCalPointCount1, "12"},
                           {w.txtCalPointCount2, "7"}};
    bool shown = false;
    test_stage::onModal<frmLighting>([&](frmLighting& s) {
        shown = true;
        EXPECT_EQ(s.Caption().rfind(" Step 3: 入口段照明计算", 0), 0u); // the first case is open
        EXPECT_TRUE(fs::exists(lmpPath()));
        EXPECT_TRUE(Forms::isLoaded<frmDefineLamp>());
        EXPECT_EQ(s.cmdPreStep.Caption(), "<--上一步");
        s.cmdPreStep.userClick();
    });
    w.cmdNextStep.userClick();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Forms::isLoaded<frmLighting>());
    EXPECT_FALSE(Forms::instance<frmLighting>().Visible());

    const std::string reserve = R"("","","","","","","","","","","","","","","")"
                                "\r\n";
    EXPECT_EQ(readUtf8(lmpPath()),
              "1\r\n"
              R"("回路A","T-250","250","28000","0.7","0","1","8","7.5","6","15","0","1","0","2","0.6")"
              "\r\n"
              R"(1,"8.25")"
              "\r\n"
              R"("55","12","7")"
              "\r\n#TRUE#,#FALSE#\r\n" +
                  reserve + reserve + reserve);

    // The next opening of the wizard reads it back whole.
    Forms::destroyAll();
    frmDefineLamp& again = step2();
    EXPECT_EQ(circuits(again), (std::vector<Row>{kRowA}));
    EXPECT_EQ(again.cmbRoadType.ListIndex(), 1);
    test_support::ExpectTexts{{again.txtWW, "8.25"},
                              {again.txtDistanceToCalArea, "55"},
                              {again.txtCalPointCount1, "12"},
                              {again.txtCalPointCount2, "7"}};
    EXPECT_EQ(again.UpDown1.Value(), 12);
    EXPECT_EQ(again.UpDown2.Value(), 7);
    EXPECT_TRUE(again.optNumeric.Value());
}

TEST_F(Step2, PreviousWritesTheFileAndHidesTheWindowWithItsList) {
    frmDefineLamp& w = step2();
    enter(w, "回路C", "T-250");
    w.cmdAddSection.userClick();
    w.cmdPreStep.userClick();
    EXPECT_FALSE(w.Visible());
    EXPECT_TRUE(Forms::isLoaded<frmDefineLamp>());
    EXPECT_NE(readUtf8(lmpPath()).find("\"回路C\""), std::string::npos);
    // Shown again, it holds the list as it was left.
    EXPECT_EQ(circuits(step2()).size(), 1u);
}

TEST_F(Step2, TheCloseBoxKeepsTheCircuitsButFinishingStep3WritesNothing) {
    frmDefineLamp& w = step2();
    enter(w, "回路D", "T-250");
    w.cmdAddSection.userClick();
    platform::msgbox::script(platform::vbYes);
    ASSERT_TRUE(Forms::unload(w, platform::vbFormControlMenu));
    EXPECT_NE(readUtf8(lmpPath()).find("\"回路D\""), std::string::npos);

    fs::remove(lmpPath());
    frmDefineLamp& again = step2();
    enter(again, "回路E", "T-250");
    again.cmdAddSection.userClick();
    ASSERT_TRUE(Forms::unload<frmDefineLamp>());
    EXPECT_FALSE(fs::exists(lmpPath()));
}

TEST_F(Step2, AnUnnamedProjectReadsTheTemplateAndWritesNothing) {
    modPublic::ProjectFile.clear();
    frmDefineLamp& w = step2();
    enter(w, "回路A", "T-250");
    w.cmdAddSection.userClick();
    w.cmdPreStep.userClick();
    test_stage::onModal<frmLighting>([](frmLighting& s) { s.cmdPreStep.userClick(); });
    w.cmdNextStep.userClick();
    for (const auto& e : fs::directory_iterator(test_stage::appFolder())) {
        EXPECT_NE(e.path().extension(), ".lmp") << e.path();
    }
}

TEST_F(Step2, AProjectWithoutItsFileStartsFromTheTemplate) {
    writeGbk(configFile("Normal.lmp"),
             "1\r\n" + std::string(R"("回路A","T","1","2","3","0","0","8","","6","0","0","1","0","1","0")") +
                 "\r\n0,\"9\"\r\n\"30\",\"8\",\"9\"\r\n#TRUE#,#FALSE#\r\n");
    frmDefineLamp& w = step2();
    ASSERT_EQ(w.lstLamp.ListItems.Count(), 1);
    EXPECT_EQ(w.txtWW.Text(), "9");
    EXPECT_FALSE(fs::exists(lmpPath()));
    w.cmdPreStep.userClick();
    EXPECT_TRUE(fs::exists(lmpPath()));
}

TEST_F(Step2, WithoutProjectFileAndTemplateTheControlsKeepTheirStart) {
    fs::remove(configFile("Normal.lmp"));
    frmDefineLamp& w = step2();
    EXPECT_EQ(w.lstLamp.ListItems.Count(), 0);
    EXPECT_EQ(w.txtWW.Text(), "");
    EXPECT_EQ(w.txtCalPointCount1.Text(), "");
    EXPECT_EQ(w.UpDown1.Value(), 1);
    EXPECT_EQ(w.UpDown2.Value(), 1);
    EXPECT_EQ(w.cmbRoadType.ListIndex(), 0);
    EXPECT_TRUE(w.optNumeric.Value());
}

TEST_F(Step2, ATruncatedFileKeepsWhatWasReadAndTheRestAsItWas) {
    // Whole first row, second row cut off: one circuit, the road and area keep the start.
    writeGbk(lmpPath(),
             "2\r\n" + std::string(R"("回路A","T","1","2","3","0","0","8","","6","0","0","1","0","1","0")") +
                 "\r\n\"回路B\",\"T\"");
    frmDefineLamp& w = step2();
    ASSERT_EQ(w.lstLamp.ListItems.Count(), 1);
    EXPECT_EQ(w.lstLamp.ListItems(1).Text(), "回路A");
    EXPECT_EQ(w.txtWW.Text(), "");
    EXPECT_TRUE(w.optNumeric.Value());
}

TEST_F(Step2, DamagedFilesNeverStopTheWindow) {
    for (const std::string& bytes :
         {std::string(""), std::string("abc\r\n"), std::string("99999999999\r\n"),
          std::string("1\r\n\"A\"\r\n"), std::string("0\r\n\"x\",\"7\"\r\n"),
          std::string("0\r\n5,\"7\"\r\n\"1\",\"25\",\"abc\"\r\nmaybe,#TRUE#\r\n")}) {
        SCOPED_TRACE(bytes);
        writeGbk(lmpPath(), bytes);
        frmDefineLamp& w = step2();
        EXPECT_EQ(w.cmbRoadType.ListCount(), 2);
        Forms::destroyAll();
    }
    // Counts outside the spinners' ranges stay as stored; the spinner stands at its nearer end.
    writeGbk(lmpPath(), "0\r\n1,\"7\"\r\n\"60\",\"25\",\"abc\"\r\n#TRUE#,#FALSE#\r\n");
    frmDefineLamp& w = step2();
    EXPECT_EQ(w.cmbRoadType.ListIndex(), 1);
    EXPECT_EQ(w.txtCalPointCount1.Text(), "25");
    EXPECT_EQ(w.UpDown1.Value(), 20);
    EXPECT_EQ(w.txtCalPointCount2.Text(), "abc");
    EXPECT_EQ(w.UpDown2.Value(), 1);
}

TEST_F(Step2, AFileThatCannotBeWrittenIsSaid) {
    modPublic::ProjectFile = test_stage::appFolder() + "/no-such-folder/proj.vnt";
    frmDefineLamp& w = step2();
    platform::msgbox::script(platform::vbOK);
    w.cmdPreStep.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
    EXPECT_EQ(platform::msgbox::log()[0].prompt.rfind("灯具回路文件未能保存:\r\n", 0), 0u);
}

// ---- The photometry reading the circuit list ----

class Photometry : public Step2 {
protected:
    void SetUp() override {
        Step2::SetUp();
        writeGbk(configFile("Icr.txt"), kTestLamps);
    }
    /// A circuit row: name, model, flux, M, mounting, H, a1, a2.
    void circuit(const std::string& name, const std::string& model, const std::string& flux,
                 const std::string& M, const std::string& H) {
        frmDefineLamp& w = step2();
        enter(w, name, model);
        test_support::TypeInto{{w.txtPHI, flux}, {w.txtMM, M}, {w.txtHH, H}, {w.txtAltitudeAngle, "0"}};
        w.cmdAddSection.userClick();
    }
};

TEST_F(Photometry, TheFirstCircuitOfTheNameGivesTheLamp) {
    // Lamp (0, 5, 6) untilted; point (8, 5): γ = 53.130102 (cos 0.6). T-250 is 200 cd/klm at γ 0 and
    // 100 at γ 90, the same for every C: I = 200 − 100 × 53.130102 / 90 = 140.966553.
    circuit("回路A", "T-250", "10000", "0.7", "6");
    circuit("回路A", "T-250", "99999", "1", "9");
    const modPublic::LampPoint lamp{"回路A", {0, 5, 6}};
    double Phi = -1, M = -1, gamma = -1;
    const double I = modPublic::GetLampIntensity(lamp, {8, 5, 0}, Phi, M, gamma);
    EXPECT_NEAR(I, 140.966553, 1e-5);
    EXPECT_EQ(Phi, 10000);
    EXPECT_EQ(M, 0.7);
    EXPECT_NEAR(gamma, 53.130102, 1e-5);
    EXPECT_EQ(modPublic::LampIntensityTable.nx(), 3);
    EXPECT_EQ(modPublic::LampIntensityTable.ny(), 2);
    // E = 0.216 × 140.966553 × 10000 × 0.7 × 0.001 / 36 = 5.920595 lx.
    EXPECT_NEAR(modPublic::GetPointIlluminance(lamp, {8, 5, 0}), 5.920595, 1e-5);
    EXPECT_TRUE(modPublic::MissingLampModels().empty());
}

TEST_F(Photometry, ALuminanceCarriesFluxAndMaintenanceFactor) {
    // Straight under the lamp: γ = 0, I = 200, FP = 0 so β = 0; road r × 1000 = 50 everywhere, r = 0.05.
    // L = 200 × 10000 × 0.7 × 0.001 × 0.05 / 36 = 1.944444 cd/m².
    circuit("回路A", "T-250", "10000", "0.7", "6");
    modPublic::RoadLuminanceTable = CoefTable{{0, 180}, {0, 12}, {{50, 50}, {50, 50}}};
    const modPublic::LampPoint lamp{"回路A", {0, 5, 6}};
    EXPECT_NEAR(modPublic::GetPointLuminance(lamp, {0, 5, 0}, {-60, 5, 1.5}), 1.944444, 1e-5);
}

TEST_F(Photometry, NoCircuitOfTheNameGivesNothingAndLeavesTheOutputs) {
    circuit("回路A", "T-250", "10000", "0.7", "6");
    double Phi = -1, M = -1, gamma = -1;
    EXPECT_EQ(modPublic::GetLampIntensity({"回路a", {0, 5, 6}}, {8, 5, 0}, Phi, M, gamma), 0);
    EXPECT_EQ(Phi, -1);
    EXPECT_EQ(M, -1);
    EXPECT_EQ(gamma, -1);
    EXPECT_EQ(modPublic::GetPointIlluminance({"回路Z", {0, 5, 6}}, {8, 5, 0}), 0);
}

TEST_F(Photometry, AModelWithoutTableGivesNoLightAndIsNamed) {
    // The lamp asked for first has a table; the next one must not borrow it.
    circuit("回路A", "T-250", "10000", "0.7", "6");
    circuit("回路B", "无此型号", "10000", "0.7", "6");
    EXPECT_GT(modPublic::GetPointIlluminance({"回路A", {0, 5, 6}}, {0, 5, 0}), 0);
    EXPECT_EQ(modPublic::GetPointIlluminance({"回路B", {0, 5, 6}}, {0, 5, 0}), 0);
    EXPECT_TRUE(modPublic::LampIntensityTable.empty());
    EXPECT_EQ(modPublic::GetPointIlluminance({"回路B", {0, 5, 6}}, {1, 5, 0}), 0);
    EXPECT_EQ(modPublic::MissingLampModels(), (std::vector<std::string>{"无此型号"}));
    modPublic::ClearMissingLampModels();
    EXPECT_TRUE(modPublic::MissingLampModels().empty());
}

TEST_F(Photometry, WithTheShippedFileEveryLampIsNamedAsMissing) {
    writeGbk(configFile("Icr.txt"), readUtf8(std::string(CONFIGFILES_DIR) + "/Icr.txt"));
    circuit("回路A", "T-250", "10000", "0.7", "6");
    EXPECT_EQ(modPublic::GetPointIlluminance({"回路A", {0, 5, 6}}, {0, 5, 0}), 0);
    EXPECT_EQ(modPublic::MissingLampModels(), (std::vector<std::string>{"T-250"}));
}

// The calculation reads circuits and tables once and sums on all cores; lamp by lamp and point by point
// it gives the same bits as the photometry that looks the circuit and table up at every call: the shipped
// lamp, tilted and untilted, on the walls and on the centre line, a model without table and a lamp of no
// circuit, at points under, beside and far from the lamps.
TEST_F(Photometry, TheCalculationGivesTheBitsOfTheCallByCallPhotometry) {
    writeGbk(configFile("Icr.txt"), readUtf8(std::string(CONFIGFILES_DIR) + "/Icr.txt") + kTestLamps);
    frmDefineLamp& w = step2();
    circuit("回路A", "GE M-250R2 150W HPS MS2", "16000", "0.7", "6");
    circuit("回路B", "GE M-250R2 150W HPS MS2", "16000", "0.65", "5.5");
    w.txtAltitudeAngle.userType("15");
    w.txtAngle2.userType("5");
    w.lstInstallMode.userClick(2);
    w.cmdUpdateSection.userClick(); // 回路B tilted, on the centre line
    circuit("回路C", "T-250", "28000", "0.7", "6");
    circuit("回路D", "无此型号", "10000", "0.7", "6");
    modPublic::ReadTable("沥青混凝土路面", modPublic::RoadLuminanceTable, "");
    ASSERT_FALSE(modPublic::RoadLuminanceTable.empty());

    std::vector<lighting::LampPoint> lamps;
    for (int k = -3; k <= 6; ++k) {
        for (const char* name : {"回路A", "回路B", "回路C", "回路D", "回路Z"}) {
            lamps.push_back({name, {4.0 * k, k % 2 == 0 ? 3.75 : -3.75, 6}});
        }
    }
    lamps.push_back({"回路B", {0, 0, 5.5}});
    const std::vector<lighting::Point3> points = lighting::GridPoints(12, 7.5, 13, 5);
    const lighting::Point3 O = lighting::Observer(60, 7.5);

    const std::vector<lighting::PointValue> callByCall = lighting::SumOverPoints(
        lamps, points, O,
        [](const lighting::LampPoint& l, const lighting::Point3& P) {
            return modPublic::GetPointIlluminance(l, P);
        },
        [](const lighting::LampPoint& l, const lighting::Point3& P, const lighting::Point3& obs) {
            return modPublic::GetPointLuminance(l, P, obs);
        },
        {});
    const std::vector<std::string> missing = modPublic::MissingLampModels();
    modPublic::ClearMissingLampModels();
    const modPublic::PreparedLamps prepared = modPublic::PrepareLamps(lamps);
    EXPECT_EQ(modPublic::MissingLampModels(), missing);
    EXPECT_EQ(missing, (std::vector<std::string>{"无此型号"}));
    const std::vector<lighting::PointValue> once =
        lighting::SumOverLamps(prepared.Lamps, points, O, modPublic::RoadLuminanceTable, 0, {});
    ASSERT_EQ(once.size(), callByCall.size());
    for (std::size_t i = 0; i < once.size(); ++i) {
        EXPECT_EQ(once[i].E, callByCall[i].E) << i;
        EXPECT_EQ(once[i].L, callByCall[i].L) << i;
    }
    EXPECT_GT(once[20].E, 0);
    EXPECT_GT(once[20].L, 0);
}

TEST_F(Photometry, ALampWithoutHeightGivesNoLight) {
    circuit("回路A", "T-250", "10000", "0.7", "");
    double Phi = 0, M = 0, gamma = 0;
    EXPECT_EQ(modPublic::GetLampIntensity({"回路A", {0, 5, 0}}, {8, 5, 0}, Phi, M, gamma), 0);
    EXPECT_EQ(gamma, 90);
    EXPECT_EQ(modPublic::GetPointIlluminance({"回路A", {0, 5, 0}}, {8, 5, 0}), 0);
    EXPECT_EQ(modPublic::GetPointLuminance({"回路A", {0, 5, 0}}, {8, 5, 0}, {-60, 0, 1.5}), 0);
}

/// Writes the template `Normal.lmp` into the folder named by ARIDANE_TEMPLATE_OUT (else the test's own
/// folder) through the window's own controls and SaveFile, and holds it to the shipped file:
///   ARIDANE_TEMPLATE_OUT=ConfigFiles lamp_window_tests --gtest_filter='*MakeTemplate*'
TEST(LampTemplate, MakeTemplate) {
    const std::string dir = test_support::templateOutFolder("Normal.lmp");
    frmDefineLamp& w = Forms::instance<frmDefineLamp>();
    // One circuit of the example lamp of Icr.txt, a road lantern whose road side is at C = 90: on the
    // centre line, where the angle rule turns C by 90° and the lamp lights both halves of the road alike
    // (on the walls, the lamps of the +y side would light the road with their house side). 8 m apart at
    // 6 m, M = 0.7. Two 3.75 m lanes; the observer 60 m before the calculation area (CIE 140); 20 points
    // along the area, the most the spinner allows, so that spacings up to 19 m keep points at most 1 m
    // apart, and 5 odd points across.
    w.lstLamp.ListItems.Clear();
    test_support::TypeInto{{w.cmbLampName, "回路A"},
                           {w.cmbLightModel, "GE M-250R2 150W HPS MS2"},
                           {w.txtPower, "150"},
                           {w.txtPHI, "16000"},
                           {w.txtMM, "0.7"}};
    w.cmbLightType.userSelect(0);
    for (platform::TextBox* box : {&w.txtLightSS1, &w.txtLightSS2, &w.txtHH, &w.txtAltitudeAngle,
                                   &w.txtAngle2, &w.txtNum1, &w.txtSpan1, &w.txtNum2, &w.txtSpan2}) {
        box->userType("0");
    }
    test_support::TypeInto{{w.txtLightSS1, "8"}, {w.txtHH, "6"}, {w.txtNum1, "1"}, {w.txtNum2, "1"}};
    w.lstInstallMode.userClick(2); // after the boxes it greys out
    w.cmdAddSection.userClick();
    w.cmbRoadType.userClick(0);
    test_support::TypeInto{{w.txtWW, "7.5"},
                           {w.txtDistanceToCalArea, "60"},
                           {w.txtCalPointCount1, "20"},
                           {w.txtCalPointCount2, "5"}};
    w.optNumeric.userClick();
    w.SaveFile();
    Forms::destroyAll();
    test_support::expectShippedTemplate(dir, "Normal.lmp");
}

} // namespace

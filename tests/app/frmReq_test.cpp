// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/fonts.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/textcodec.h"
#include "tests/support/list_rows.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"

#include <QApplication>
#include <QFont>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using platform::Forms;
namespace msgbox = platform::msgbox;

namespace {

using test_support::bytesOf;
using test_support::writeBytes;

/// Every test runs on the test stage: a program folder of its own with a fresh copy of ConfigFiles.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        modPublic::Reset();
        folder_ = test_stage::appFolder();
        modPublic::AppFolder = folder_.string();
    }

    void TearDown() override { modPublic::Reset(); }

    fs::path config(const std::string& name) const { return folder_ / "ConfigFiles" / name; }

    frmReq& start() {
        frmReq& f = Forms::instance<frmReq>();
        f.Show();
        return f;
    }

    /// Two design years and two calculation segments, so that pages 4 to 6 can be shown.
    static void fillSegments(frmReq& f) {
        test_support::setRows(f.lstTraffic, {{"2020", "12000"}, {"2030", "18000"}});
        f.txtYear.setSilently("2030");
        test_support::setRows(f.lstSegment, {{"1", "11", "12", "13", "14", "15", "16"},
                                             {"2", "21", "22", "23", "24", "25", "26"}});
        f.lstSegment.select(2);
    }

    fs::path folder_;
};

TEST_F(MainWindow, StartsOnPageOneWithTheFrameAndFixedListsInPlace) {
    frmReq& f = start();
    EXPECT_EQ(f.Caption(), "Kelvora-Aridane");
    EXPECT_EQ(f.Width(), frmReq::kWidth);
    EXPECT_EQ(f.Height(), 9300);
    EXPECT_EQ(f.iCurrentPage, 0);
    EXPECT_TRUE(modPublic::ProjectFile.empty());

    const char* tabs[7] = {"基本信息(&1)", "通风区段(&2)", "交通量分析(&3)", "单向交通(&4)",
                           "双向交通(&5)", "阻滞(&6)",     "换气/火灾(&7)"};
    ASSERT_EQ(f.pgMain.Tabs.Count(), 7);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(f.pgMain.Tabs(k).Caption(), tabs[k - 1]);
        EXPECT_EQ(f.frmList(k - 1).Visible(), k == 1) << "page " << k;
    }

    const char* speeds[9] = {"100", "80", "70", "60", "50", "40", "30", "20", "10"};
    for (platform::ComboBox* box : {&f.cmbvt, &f.txtBlockVt, &f.cmbWorkVt_Bidirection}) {
        ASSERT_EQ(box->ListCount(), 9);
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(box->List(i), speeds[i]);
        }
    }

    const char* classes[5] = {"高速公路", "一级公路", "二级公路", "三级公路", "四级公路"};
    ASSERT_EQ(f.cmbRoadClass.ListCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f.cmbRoadClass.List(i), classes[i]);
    }

    // The blanks inside the captions belong to them.
    const char* rows[8] = {"1 小型货车", "2 中型货车", "3 大型货车", "4 小    客",
                           "5 大    客", "6 挂    车", "7 集装箱车", "合      计"};
    ASSERT_EQ(f.lstTrafficAnalysis.ListItems.Count(), 8);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(f.lstTrafficAnalysis.ListItems(i).Text(), rows[i - 1]);
    }
    EXPECT_EQ(f.lstTrafficAnalysis.ColumnHeaders.Count(), 9);
    EXPECT_EQ(f.lstSegment.ColumnHeaders.Count(), 7);
    EXPECT_EQ(f.lstBlock.ColumnHeaders(3).Text(), " Qreq(CO)");

    const char* twoWay[7] = {"1 小型货车", "2 中型货车", "3 大型货车", "4 小客",
                             "5 大客",     "6 挂车",     "7 集装箱车"};
    ASSERT_EQ(f.lstAllowVechileType.ListCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(f.lstAllowVechileType.List(i), twoWay[i]);
    }

    EXPECT_EQ(f.sbStatusBar.PanelCount(), 3);
    EXPECT_EQ(f.sbStatusBar.Panels(1).Text(), "状态");
    EXPECT_EQ(f.mnuHelpAbout.Caption(), "关于(&A) ");
    EXPECT_EQ(f.mnuFileSaveAs.Caption(), "另存为...(&A)");
    EXPECT_TRUE(msgbox::log().empty());
}

TEST_F(MainWindow, LabelBoxesHoldOneEntryPerBoxSeparatedByAnEmptyLine) {
    frmReq& f = start();
    EXPECT_EQ(f.Text1.Text(), "项目名称:\r\n\r\n工程概况:");
    // The qvi caption on one line; the percent sign of the reduction rate two lines below it.
    EXPECT_EQ(f.Text5.Text(), "烟雾基准排放量qvi(m^2/辆.km)\r\n\r\n %(\"-\"号不用填)");
    EXPECT_EQ(f.txtFireLabel2.Text(), "火灾释热量(MW):\r\n\r\n环境温度(K):");
    // Each entry stands beside its box: the boxes are two text lines apart.
    EXPECT_EQ(f.txtPCUVeh.Top() - f.txtMainDirectionRatio.Top(),
              f.txtMainDirectionRatio.Top() - f.txtTrafficRatio.Top());
    EXPECT_EQ(f.txtST.Top() - f.txtFireSize.Top(), 9 * (f.txtPerimeter.Top() - f.txtFireSize.Top()));
}

TEST_F(MainWindow, PagesFourToSixWithoutSegmentsSayHowToDivideAndKeepTheWidth) {
    frmReq& f = start();
    f.lstSegment.ListItems.Clear();
    msgbox::script(platform::vbOK);
    f.pgMain.userClick(4);
    ASSERT_EQ(msgbox::log().size(), 1u);
    EXPECT_EQ(msgbox::log()[0].prompt, "尚未划分区段,请在第二个表单正确划分计算区段.");
    EXPECT_EQ(msgbox::log()[0].title, "");
    EXPECT_EQ(msgbox::log()[0].buttons, platform::vbOKOnly);
    EXPECT_TRUE(f.frmList(3).Visible());
    EXPECT_FALSE(f.frmList(0).Visible());
    EXPECT_EQ(f.iCurrentPage, 3);
    EXPECT_EQ(f.Width(), frmReq::kWidth);
    EXPECT_EQ(f.lstYear.ListItems.Count(), 0);
}

TEST_F(MainWindow, PickersAreRefilledWithExactlyTheirColumnsOnEveryArrival) {
    frmReq& f = start();
    fillSegments(f);
    for (int k : {4, 5, 4, 6, 1, 4}) {
        f.pgMain.userClick(k);
        EXPECT_EQ(f.lstYear.ColumnHeaders.Count(), 2) << "page " << k;
    }
    EXPECT_EQ(f.lstYear.ColumnHeaders(1).Text(), "特征年");
    EXPECT_EQ(f.lstYear.ColumnHeaders(2).Text(), "pcu/d");
    ASSERT_EQ(f.lstYear.ListItems.Count(), 2);
    EXPECT_EQ(f.lstYear.ListItems(2).SubItems(1), "18000");
    // The current design year and the segment selected on page 2 are picked.
    EXPECT_EQ(f.lstYear.SelectedIndex(), 2);
    EXPECT_EQ(f.lblYear.Caption(), "选择特征年:2030");
    ASSERT_EQ(f.lstCalSegment.ColumnHeaders.Count(), 7);
    EXPECT_EQ(f.lstCalSegment.ColumnHeaders(2).Text(), "起始桩号(m)");
    EXPECT_EQ(f.lstCalSegment.ColumnHeaders(2).Width(), 1200);
    ASSERT_EQ(f.lstCalSegment.ListItems.Count(), 2);
    EXPECT_EQ(f.lstCalSegment.ListItems(2).SubItems(6), "26");
    EXPECT_EQ(f.lstCalSegment.SelectedIndex(), 2);
    EXPECT_EQ(f.lblSegment.Caption(), "选择计算区段:2");
}

TEST_F(MainWindow, KeepsOneSizeWithThePickersBesidePagesFourToSixOnly) {
    frmReq& f = start();
    fillSegments(f);
    for (int k : {1, 4, 2, 5, 3, 6, 7}) {
        f.pgMain.userClick(k);
        const bool pickers = k >= 4 && k <= 6;
        EXPECT_EQ(f.Width(), frmReq::kWidth) << "page " << k;
        for (platform::Control* c :
             std::initializer_list<platform::Control*>{&f.lblYear, &f.lstYear, &f.lstCalSegment, &f.sclVt}) {
            EXPECT_EQ(c->Visible(), pickers) << "page " << k;
        }
        // The page stops short of the pickers, or takes their room when they are hidden.
        const platform::Frame& page = f.frmList(k - 1);
        const int right = page.Left() + page.Width();
        if (pickers) {
            EXPECT_LE(right, f.lstCalSegment.Left()) << "page " << k;
        } else {
            EXPECT_GE(right, f.lstCalSegment.Left() + f.lstCalSegment.Width()) << "page " << k;
        }
        EXPECT_LE(f.lstCalSegment.Left() + f.lstCalSegment.Width(), f.pgMain.Left() + f.pgMain.Width());
    }
}

TEST_F(MainWindow, SpeedAndSegmentPickersFollowThePage) {
    frmReq& f = start();
    fillSegments(f);
    f.pgMain.userClick(4);
    EXPECT_TRUE(f.sclVt.Enabled());
    EXPECT_TRUE(f.lstCalSegment.Enabled());
    f.pgMain.userClick(5);
    EXPECT_FALSE(f.sclVt.Enabled());
    EXPECT_TRUE(f.lstCalSegment.Enabled());
    f.pgMain.userClick(6);
    EXPECT_FALSE(f.sclVt.Enabled());
    EXPECT_FALSE(f.lstCalSegment.Enabled());
    f.pgMain.userClick(7);
    f.pgMain.userClick(4);
    EXPECT_TRUE(f.sclVt.Enabled());
    EXPECT_TRUE(f.lstCalSegment.Enabled());
}

TEST_F(MainWindow, TheWorkingSpeedIsShownOnTheSpeedBarWhenItFits) {
    frmReq& f = start();
    fillSegments(f);
    f.workv_t = 59.5; // the nearest whole number, halves to even: 60
    f.pgMain.userClick(4);
    EXPECT_EQ(f.sclVt.Value(), 60);
    f.pgMain.userClick(1);
    f.workv_t = -1; // outside the bar: it keeps its value
    f.pgMain.userClick(4);
    EXPECT_EQ(f.sclVt.Value(), 60);
}

TEST_F(MainWindow, ClickingTheTabOfThePageShownChangesNothing) {
    frmReq& f = start();
    fillSegments(f);
    f.pgMain.userClick(4);
    f.lstTraffic.ListItems.Add("2040").setSubItems(1, "25000");
    f.lstCalSegment.select(1);
    f.pgMain.userClick(4);
    EXPECT_EQ(f.lstYear.ListItems.Count(), 2);
    EXPECT_EQ(f.lstCalSegment.SelectedIndex(), 1);
    EXPECT_EQ(f.iCurrentPage, 3);
    EXPECT_TRUE(f.frmList(3).Visible());
    EXPECT_TRUE(msgbox::log().empty());
}

TEST_F(MainWindow, TheCriticalVelocityFormulaDecidesWhetherTheHeightIsAnInput) {
    frmReq& f = start();
    f.pgMain.userClick(7);
    f.optCrMehthod(2).userClick();
    EXPECT_FALSE(f.txtTunnelH.Enabled());
    EXPECT_EQ(f.txtTunnelH.BackColor(), f.txtQs.BackColor());
    f.optCrMehthod(0).userClick();
    EXPECT_TRUE(f.txtTunnelH.Enabled());
    EXPECT_EQ(f.txtTunnelH.BackColor(), platform::RGB(255, 255, 192));
    f.optCrMehthod(1).userClick();
    EXPECT_TRUE(f.txtTunnelH.Enabled());
    f.optCrMehthod(2).userClick();
    EXPECT_FALSE(f.txtTunnelH.Enabled());
    EXPECT_EQ(f.txtTunnelH.BackColor(), f.txtQs.BackColor());
}

TEST_F(MainWindow, TheSmokeFlowMethodEnablesOnlyItsOwnFrame) {
    frmReq& f = start();
    f.pgMain.userClick(7);
    f.optQsMethod1(0).userClick();
    EXPECT_TRUE(f.frmQsMethod(0).Enabled());
    EXPECT_FALSE(f.frmQsMethod(1).Enabled());
    f.optQsMethod1(1).userClick();
    EXPECT_FALSE(f.frmQsMethod(0).Enabled());
    EXPECT_TRUE(f.frmQsMethod(1).Enabled());
    f.optQsMethod1(0).userClick();
    EXPECT_TRUE(f.frmQsMethod(0).Enabled());
    EXPECT_FALSE(f.frmQsMethod(1).Enabled());
}

TEST_F(MainWindow, StatusHelpShowsTheLineAfterTheExactKey) {
    writeBytes(config("help.txt"),
               textcodec::ToGbk("REQ_3_1 \r\n带空格的键\r\nREQ_3_2\r\n方向系数提示\r\nREQ_4_1\r\n"));
    frmReq& f = start();
    f.pgMain.userClick(3);
    // A key line with a trailing blank is not the key.
    f.cmdAdd.userMouseMove();
    EXPECT_EQ(f.sbStatusBar.Panels(1).Text(), "状态");
    f.txtMainDirectionRatio.userMouseMove();
    EXPECT_EQ(f.sbStatusBar.Panels(1).Text(), "方向系数提示");
    // A key on the last line has no hint; a key the file lacks shows nothing: the hint stays.
    modPublic::ShowStatusHelp("REQ_4_1");
    EXPECT_EQ(f.sbStatusBar.Panels(1).Text(), "方向系数提示");
    f.chkPetrol.userMouseMove();
    EXPECT_EQ(f.sbStatusBar.Panels(1).Text(), "方向系数提示");
    fs::remove(config("help.txt"));
    f.pgMain.userClick(2);
    f.txtStartPile.userMouseMove();
    EXPECT_EQ(f.sbStatusBar.Panels(1).Text(), "方向系数提示");
}

TEST_F(MainWindow, AMissingJetFanTableLeavesAnEmptyModelTable) {
    fs::remove(config("Jet.db"));
    frmReq& f = start();
    EXPECT_TRUE(modPublic::JetModels.empty());
    EXPECT_EQ(f.pgMain.Tabs.Count(), 7);
    EXPECT_TRUE(msgbox::log().empty());
}

TEST_F(MainWindow, AMissingTableFileIsReportedOnceWithEveryKey) {
    fs::remove(config("autocadconfig.txt"));
    msgbox::script(platform::vbOK);
    frmReq& f = start();
    ASSERT_EQ(msgbox::log().size(), 1u);
    const auto& box = msgbox::log()[0];
    EXPECT_EQ(box.title, "出错");
    for (const char* key : {"f_d", "f_iv", "f_iv_VI", "f_m", "f_m_VI", "K", "daqiya"}) {
        EXPECT_NE(box.prompt.find(key), std::string::npos) << key;
    }
    // Start-up went on to the end.
    EXPECT_EQ(f.lstTrafficAnalysis.ListItems.Count(), 8);
    EXPECT_EQ(f.Text1.Text(), "项目名称:\r\n\r\n工程概况:");
}

TEST_F(MainWindow, OneMissingTableIsNamedAlone) {
    std::string tables = bytesOf(config("autocadconfig.txt"));
    const auto at = tables.find("[daqiya]");
    ASSERT_NE(at, std::string::npos);
    tables.replace(at, 8, "[daqiya_old]");
    writeBytes(config("autocadconfig.txt"), tables);
    msgbox::script(platform::vbOK);
    start();
    ASSERT_EQ(msgbox::log().size(), 1u);
    EXPECT_NE(msgbox::log()[0].prompt.find("daqiya"), std::string::npos);
    EXPECT_EQ(msgbox::log()[0].prompt.find("f_m"), std::string::npos);
    EXPECT_FALSE(modPublic::CoefTableOf("f_d").x.empty());
}

TEST_F(MainWindow, HelpContentsPointsToTheManual) {
    frmReq& f = start();
    msgbox::script(platform::vbOK);
    f.mnuHelpContents.userClick();
    ASSERT_EQ(msgbox::log().size(), 1u);
    EXPECT_EQ(msgbox::log()[0].prompt, "请参阅安装目录下的<<Kelvora-Aridane用户文件.pdf>>");
    EXPECT_EQ(msgbox::log()[0].title, "");
}

// Saves a picture of every page when ARIDANE_GRAB_DIR names a folder, so that the layout can be looked at.
TEST_F(MainWindow, PagesCanBePictured) {
    const char* dir = std::getenv("ARIDANE_GRAB_DIR");
    if (dir == nullptr) {
        GTEST_SKIP() << "ARIDANE_GRAB_DIR not set";
    }
    QApplication::setFont(
        QFont(QString::fromUtf8(platform::kProgramFontFamily), platform::kProgramFontPoints));
    frmReq& f = start();
    for (int k = 1; k <= 7; ++k) {
        f.pgMain.userClick(k);
        QApplication::processEvents();
        f.window()->grab().save(
            QString::fromStdString(std::string(dir) + "/page" + std::to_string(k) + ".png"));
    }
}

} // namespace

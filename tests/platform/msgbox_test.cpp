// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/scripted.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(MsgBox, AScriptedAnswerIsReturnedAndTheBoxLoggedWithItsExactText) {
    msgbox::script(vbNo);
    const int answer = MsgBox("项目已修改，是否保存？", vbYesNo + vbQuestion, "保存提示！");
    EXPECT_EQ(answer, vbNo);
    ASSERT_EQ(msgbox::log().size(), 1u);
    EXPECT_EQ(msgbox::log()[0].prompt, "项目已修改，是否保存？");
    EXPECT_EQ(msgbox::log()[0].title, "保存提示！");
    EXPECT_EQ(msgbox::log()[0].buttons, vbYesNo + vbQuestion);
}

TEST(MsgBox, AnUnscriptedBoxIsReportedAndAnswersItsDefaultButton) {
    EXPECT_EQ(MsgBox("请先保存项目！", vbOKOnly, "保存"), vbOK);
    EXPECT_EQ(MsgBox("是否继续？", vbYesNoCancel + vbDefaultButton3, "警告"), vbCancel);
    const auto faults = scripted::takeFaults();
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_NE(faults[0].find("请先保存项目！"), std::string::npos);
    EXPECT_EQ(msgbox::log().size(), 2u);
}

TEST(MsgBox, AScriptedAnswerTheBoxDoesNotOfferIsReported) {
    msgbox::script(vbYes);
    EXPECT_EQ(MsgBox("尚未划分区段,请在第二个表单正确划分计算区段."), vbOK);
    EXPECT_EQ(scripted::takeFaults().size(), 1u);
}

TEST(MsgBox, DefaultAnswersFollowTheDefaultButtonFlag) {
    EXPECT_EQ(DefaultAnswer(vbOKCancel), vbOK);
    EXPECT_EQ(DefaultAnswer(vbYesNo + vbDefaultButton2 + vbExclamation), vbNo);
    // A default beyond the box's buttons falls on its last.
    EXPECT_EQ(DefaultAnswer(vbOKOnly + vbDefaultButton3), vbOK);
}

TEST(FileDialog, TheScriptedPathOrCancelIsTheUsersChoiceAndTheDialogIsLogged) {
    filedialog::script("/tmp/隧道.vnt");
    filedialog::scriptCancel();
    FileDialog dlg;
    dlg.DialogTitle = "打开工程文件";
    dlg.Filter = "通风分析工程文件|*.vnt";
    EXPECT_EQ(dlg.ShowOpen(), std::optional<std::string>("/tmp/隧道.vnt"));
    EXPECT_EQ(dlg.FileName, "/tmp/隧道.vnt");
    EXPECT_EQ(dlg.ShowSave(), std::nullopt);
    ASSERT_EQ(filedialog::log().size(), 2u);
    EXPECT_FALSE(filedialog::log()[0].save);
    EXPECT_TRUE(filedialog::log()[1].save);
    EXPECT_EQ(filedialog::log()[1].filter, "通风分析工程文件|*.vnt");
}

TEST(FileDialog, TheWindowsFilterBecomesQtsFilter) {
    EXPECT_EQ(QtFilter("通风分析工程文件|*.vnt"), "通风分析工程文件 (*.vnt)");
    EXPECT_EQ(QtFilter("文本|*.txt;*.rpt|所有文件|*.*"), "文本 (*.txt *.rpt);;所有文件 (*.*)");
}

TEST(TextViewer, ReportsOpenedUnderTheTestStageAreLogged) {
    OpenTextViewer("/tmp/a_需风量计算.rpt");
    ASSERT_EQ(textviewer::log().size(), 1u);
    EXPECT_EQ(textviewer::log()[0], "/tmp/a_需风量计算.rpt");
}

TEST(MsgBox, ACountAboveItsLimitIsRefusedWithOneBoxNamingCountAndLimit) {
    EXPECT_TRUE(CountWithinLimit(1000, 1000, "射流风机组"));
    EXPECT_TRUE(msgbox::log().empty());
    msgbox::script(vbOK);
    EXPECT_FALSE(CountWithinLimit(999999999, 10000, "灯具"));
    ASSERT_EQ(msgbox::log().size(), 1u);
    EXPECT_EQ(msgbox::log()[0].prompt, "灯具的数量 999999999 超过上限 10000，请检查输入或文件。");
    EXPECT_EQ(msgbox::log()[0].title, "出错");
}

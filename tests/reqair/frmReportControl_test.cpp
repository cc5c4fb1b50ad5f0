// SPDX-License-Identifier: GPL-3.0-or-later
// The report options dialog: its controls, the options file kept by list position, and the close box.
#include "reqair/frmReportControl.h"

#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using platform::Forms;

namespace {

// Fills the dialog as a caller does: `years` design years and the nine working speeds.
frmReportControl& prepared(int years) {
    frmReportControl& d = Forms::instance<frmReportControl>();
    d.lstYear.Clear();
    for (int i = 0; i < years; ++i) {
        d.lstYear.AddItem(std::to_string(2020 + 10 * i));
    }
    for (const char* speed : {"100", "80", "70", "60", "50", "40", "30", "20", "10"}) {
        d.lstvt.AddItem(speed);
    }
    return d;
}

std::vector<bool> selected(const platform::ListBox& list) {
    std::vector<bool> flags;
    for (int i = 0; i < list.ListCount(); ++i) {
        flags.push_back(list.Selected(i));
    }
    return flags;
}

std::vector<std::string> optionsFile() {
    return textfile::ReadLines(frmReportControl::OptionsPath()).value_or(std::vector<std::string>{});
}

} // namespace

TEST(ReportOptionsDialog, ControlsAndCaptions) {
    frmReportControl& d = Forms::instance<frmReportControl>();
    EXPECT_EQ(d.Caption(), "需风量计算报告输出控制");
    EXPECT_EQ(d.Label1.Caption(), "选择特征年:");
    EXPECT_EQ(d.Label2.Caption(), "选择工况:");
    EXPECT_EQ(d.Label3.Caption(), "选择单向交通的工况时速:");
    EXPECT_EQ(d.chkOutputSegment.Caption(), "输出各区段的计算结果");
    EXPECT_EQ(d.chkOpenReport.Caption(), "打开计算报告");
    EXPECT_EQ(d.cmdOK.Caption(), "确定");
    ASSERT_EQ(d.lstCase.ListCount(), 6);
    const std::vector<std::string> cases{"单向交通", "双向交通", "全程阻滞", "1km阻滞", "换气次数", "火灾"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(d.lstCase.List(i), cases[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(d.lstYear.ListCount(), 0);
    EXPECT_EQ(d.chkOutputSegment.Value(), 0);
    EXPECT_EQ(d.chkOpenReport.Value(), 0);
}

TEST(ReportOptionsDialog, FirstUseWithoutAFileSelectsNothingAndSavesTheUsersChoiceOnUnload) {
    std::remove(frmReportControl::OptionsPath().c_str());
    frmReportControl& d = prepared(2);
    test_stage::onModal<frmReportControl>([](frmReportControl& f) {
        EXPECT_EQ(selected(f.lstYear), (std::vector<bool>{false, false}));
        EXPECT_EQ(selected(f.lstCase), std::vector<bool>(6, false));
        EXPECT_EQ(f.chkOpenReport.Value(), 0);
        f.lstYear.userClick(1);
        f.lstCase.userClick(0);
        f.lstCase.userClick(5);
        f.lstvt.userClick(8);
        f.chkOpenReport.userClick();
        f.cmdOK.userClick();
    });
    ASSERT_TRUE(frmReportControl::ShowOptions(nullptr));
    EXPECT_TRUE(d.lstYear.Selected(1));
    ASSERT_TRUE(Forms::unload<frmReportControl>());

    const std::vector<std::string> expected{"2",       "#FALSE#", "#TRUE#",  "6",       "#TRUE#",  "#FALSE#",
                                            "#FALSE#", "#FALSE#", "#FALSE#", "#TRUE#",  "9",       "#FALSE#",
                                            "#FALSE#", "#FALSE#", "#FALSE#", "#FALSE#", "#FALSE#", "#FALSE#",
                                            "#FALSE#", "#TRUE#",  "#FALSE#", "#TRUE#"};
    EXPECT_EQ(optionsFile(), expected);
    const std::string bytes = textfile::ReadBytes(frmReportControl::OptionsPath()).value_or("");
    EXPECT_EQ(bytes.substr(0, 11), "2\r\n#FALSE#\r");
}

TEST(ReportOptionsDialog, ShippedSelectionsComeBackByPosition) {
    // The shipped file: years 1 and 2, every case but 双向交通, every speed but 100, 打开计算报告 ticked.
    frmReportControl& d = prepared(3);
    test_stage::onModal<frmReportControl>([](frmReportControl& f) {
        // Three years against two stored flags: the third starts unselected.
        EXPECT_EQ(selected(f.lstYear), (std::vector<bool>{true, true, false}));
        EXPECT_EQ(selected(f.lstCase), (std::vector<bool>{true, false, true, true, true, true}));
        EXPECT_EQ(selected(f.lstvt),
                  (std::vector<bool>{false, true, true, true, true, true, true, true, true}));
        EXPECT_EQ(f.chkOutputSegment.Value(), 0);
        EXPECT_EQ(f.chkOpenReport.Value(), 1);
        f.cmdOK.userClick();
    });
    EXPECT_TRUE(frmReportControl::ShowOptions(nullptr));
    EXPECT_FALSE(d.Visible());
    Forms::unload<frmReportControl>();

    // One year against the three now stored: the extra flags are read and dropped.
    prepared(1);
    test_stage::onModal<frmReportControl>([](frmReportControl& f) {
        EXPECT_EQ(selected(f.lstYear), (std::vector<bool>{true}));
        EXPECT_TRUE(f.lstCase.Selected(5));
        f.cmdOK.userClick();
    });
    EXPECT_TRUE(frmReportControl::ShowOptions(nullptr));
    Forms::unload<frmReportControl>();
    EXPECT_EQ(optionsFile().at(0), "1");
}

TEST(ReportOptionsDialog, SpeedsAreOfferedOnShowAndFollowTheOneWayCaseOnClicks) {
    ASSERT_TRUE(
        textfile::WriteLines(frmReportControl::OptionsPath(), {"0", "6", "#FALSE#", "#TRUE#", "#FALSE#",
                                                               "#FALSE#", "#FALSE#", "#FALSE#", "9"}));
    prepared(0);
    test_stage::onModal<frmReportControl>([](frmReportControl& f) {
        // 单向交通 is not selected, yet the speeds are enabled when the dialog opens.
        EXPECT_TRUE(f.lstvt.Enabled());
        EXPECT_TRUE(f.Label3.Enabled());
        f.lstCase.userClick(2);
        EXPECT_FALSE(f.lstvt.Enabled());
        EXPECT_FALSE(f.Label3.Enabled());
        f.lstCase.userClick(0);
        EXPECT_TRUE(f.lstvt.Enabled());
        EXPECT_TRUE(f.Label3.Enabled());
        f.lstCase.userClick(0);
        EXPECT_FALSE(f.lstvt.Enabled());
        f.cmdOK.userClick();
    });
    EXPECT_TRUE(frmReportControl::ShowOptions(nullptr));
    Forms::unload<frmReportControl>();
}

TEST(ReportOptionsDialog, TheCloseBoxCancelsAndKeepsTheSelectionsMadeSoFar) {
    prepared(2);
    test_stage::onModal<frmReportControl>([](frmReportControl& f) {
        f.lstYear.userClick(0); // deselects the shipped first year
        f.lstCase.userClick(1); // selects 双向交通
        Forms::unload(f, platform::vbFormControlMenu);
    });
    EXPECT_FALSE(frmReportControl::ShowOptions(nullptr));
    EXPECT_FALSE(Forms::isLoaded<frmReportControl>());
    // A later unload by the caller must not overwrite the file with a fresh, empty dialog.
    EXPECT_TRUE(Forms::unload<frmReportControl>());
    const std::vector<std::string> lines = optionsFile();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[1], "#FALSE#");
    EXPECT_EQ(lines[2], "#TRUE#");
    EXPECT_EQ(lines[5], "#TRUE#");

    // The next showing restores them.
    prepared(2);
    test_stage::onModal<frmReportControl>([](frmReportControl& f) {
        EXPECT_EQ(selected(f.lstYear), (std::vector<bool>{false, true}));
        EXPECT_TRUE(f.lstCase.Selected(1));
        f.cmdOK.userClick();
    });
    EXPECT_TRUE(frmReportControl::ShowOptions(nullptr));
    Forms::unload<frmReportControl>();
}

TEST(ReportOptionsDialog, AMissingOptionsFolderLosesOnlyTheChoices) {
    std::remove(frmReportControl::OptionsPath().c_str());
    // Without ConfigFiles the save fails quietly and nothing is restored next time.
    platform::setAppPath(test_stage::appFolder() + "/nowhere");
    prepared(1);
    test_stage::onModal<frmReportControl>([](frmReportControl& f) {
        EXPECT_FALSE(f.lstYear.Selected(0));
        f.lstYear.userClick(0);
        f.cmdOK.userClick();
    });
    EXPECT_TRUE(frmReportControl::ShowOptions(nullptr));
    EXPECT_TRUE(Forms::unload<frmReportControl>());
    EXPECT_FALSE(textfile::ReadBytes(frmReportControl::OptionsPath()));
    platform::setAppPath(test_stage::appFolder());
}

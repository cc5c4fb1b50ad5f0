// SPDX-License-Identifier: GPL-3.0-or-later
// The required-air report of the template project, written through the main window.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "platform/vb.h"
#include "reqair/frmReportControl.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/temp_folder.h"
#include "tests/support/report_options.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/text_fit.h"
#include "tests/support/written_files.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class RequiredAirReport : public test_support::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        project = path("隧道 A.vnt");
        platform::filedialog::script(project);
        w.mnuFileSaveAs_Click();
        report = path("隧道 A_需风量.rpt");
    }

    // The options the user picks: every year row listed in `years`, the cases and the speed rows.
    void choose(std::vector<int> years, std::vector<int> cases, std::vector<int> speeds, bool open) {
        test_stage::onModal<frmReportControl>([=](frmReportControl& d) {
            // The speeds can be clicked only while 单向交通 is selected.
            test_support::clearSelection(d.lstvt);
            test_support::clearSelection(d.lstYear);
            test_support::clearSelection(d.lstCase);
            for (int i : years) {
                d.lstYear.userClick(i);
            }
            for (int i : cases) {
                d.lstCase.userClick(i);
            }
            for (int i : speeds) {
                d.lstvt.userClick(i);
            }
            if ((d.chkOpenReport.Value() == 1) != open) {
                d.chkOpenReport.userClick();
            }
            d.cmdOK.userClick();
        });
    }

    std::vector<std::string> reportLines() {
        return textfile::ReadLines(report).value_or(std::vector<std::string>{});
    }

    static int count(const std::vector<std::string>& lines, const std::string& line) {
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }

    // The line after the last one that starts with `label`, less the label.
    static std::string valueAfter(const std::vector<std::string>& lines, const std::string& label) {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
            if (it->rfind(label, 0) == 0) {
                return it->substr(label.size());
            }
        }
        return "<no line " + label + ">";
    }

    frmReq& w = platform::Forms::instance<frmReq>();
    std::string project, report;
};

// Each speed block prints the factors of one segment at its own speed: the segment picked on page 4, or
// the first without a pick. The labels name what they print.
TEST_F(RequiredAirReport, EverySpeedBlockPrintsItsOwnSegmentFactors) {
    for (const int picked : {0, 2}) {
        SCOPED_TRACE(picked);
        if (picked > 0) {
            w.pgMain.userClick(4);
            w.lstCalSegment.userItemClick(picked);
        }
        choose({0}, {0}, {0, 8}, false);
        w.mnuToolReport_Click();
        const std::vector<std::string> lines = reportLines();
        const auto at100 = std::find(lines.begin(), lines.end(), ">>  工况车速:100km/h  <<");
        const auto at10 = std::find(lines.begin(), lines.end(), ">>  工况车速:10km/h  <<");
        ASSERT_NE(at100, lines.end());
        ASSERT_NE(at10, lines.end());
        const std::vector<std::string> block100(at100, at10), block10(at10, lines.end());
        const vb::Integer segment = static_cast<vb::Integer>(picked > 0 ? picked : 1);
        for (const auto& [block, speed] : {std::pair{&block100, 100}, std::pair{&block10, 10}}) {
            w.cmdCalculateQQ_CO_Click(segment, speed);
            EXPECT_EQ(valueAfter(*block, "                车密度系数fd:"), w.txtf_d.Text()) << speed;
            EXPECT_EQ(valueAfter(*block, "         纵坡-车速系数fiv:   "), w.txtf_iv.Text()) << speed;
            EXPECT_EQ(valueAfter(*block, "     纵坡-车速系数fiv(vi):   "), w.txtf_iv_VI.Text()) << speed;
            EXPECT_EQ(valueAfter(*block, "     需风量Qreq(VI)(m^3/s):  "), w.txtQQ_req_VI.Text()) << speed;
        }
        // The congested speed has its own density factor.
        EXPECT_NE(valueAfter(block100, "                车密度系数fd:"),
                  valueAfter(block10, "                车密度系数fd:"));
        EXPECT_EQ(std::count(lines.begin(), lines.end(), ">>  稀释CO需风量计算结果  <<"), 2);
        EXPECT_NE(valueAfter(lines, "当量标准车/辆(PCU/Veh):              "),
                  "<no line 当量标准车/辆(PCU/Veh):              >");
        EXPECT_NE(valueAfter(lines, "     烟雾排放量Qvi(m^2/s):   "),
                  "<no line      烟雾排放量Qvi(m^2/s):   >");
    }
}

// The first design year (2014) of the template, every case, the speeds 80 and 60 km/h.
TEST_F(RequiredAirReport, WritesEverySectionFromTheBoxesTheCalculationsLeave) {
    choose({0}, {0, 1, 2, 3, 4, 5}, {1, 3}, true);
    w.mnuToolReport_Click();

    // GBK with CR LF: every line feed follows a carriage return; the title reads back from its GBK bytes.
    test_support::expectGbkCrLf(report, "需风量计算报告");
    EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{report});

    const std::vector<std::string> lines = reportLines();
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], std::string(29, ' ') + w.txtProjectName.Text() + "需风量计算报告");

    for (const char* head : {"■■    基本信息    ■■", "■■交通量分析■■", "■■交通量■■",
                             "■■单向正常交通工况的需风量计算■■", "■■双向交通工况的需风量计算■■",
                             "■■阻塞交通工况需风量计算■■", "■■按《规范》1km阻塞交通工况需风量计算■■",
                             "■■按换气次数要求的需风量计算■■", "■■按火灾工况的需风量计算■■"}) {
        EXPECT_EQ(count(lines, head), 1) << head;
    }
    EXPECT_EQ(count(lines, std::string(39, ' ') + "2014年"), 1);
    EXPECT_EQ(count(lines, std::string(91, '*')), 4);

    // Basic information: the published stations as station text, the length in plain number text.
    EXPECT_EQ(valueAfter(lines, "隧道起点桩号:                "), "K10+0");
    EXPECT_EQ(valueAfter(lines, "隧道终点桩号:                "), "K15+235");
    EXPECT_EQ(valueAfter(lines, "隧道长度L(m):                "), "5235");
    EXPECT_EQ(count(lines, "桩号" + std::string(13, ' ') + "坡度"), 1);
    EXPECT_EQ(count(lines, "2014" + std::string(16, ' ') + "15300"), 1);

    // The run leaves the window on the last year and speed, and each section shows what its box then held.
    EXPECT_EQ(w.txtYear.Text(), "2014");
    EXPECT_EQ(w.txtPcu.Text(), "15300");
    EXPECT_EQ(w.txtworkv_t.Text(), "60");
    EXPECT_EQ(valueAfter(lines, "设计交通量N(辆/h):"), std::string(2, ' ') + w.txtNN.Text());
    EXPECT_EQ(valueAfter(lines, "       需风量Qreq(co)(m^3/s):"), w.txtQQ_req_CO.Text());
    EXPECT_EQ(valueAfter(lines, "     需风量Qreq(VI)(m^3/s):  "), w.txtQQ_req_VI.Text());
    EXPECT_EQ(valueAfter(lines, "双向行车设计交通量N(辆/h):       "), w.txtNN_bidirection.Text());
    EXPECT_EQ(valueAfter(lines, "按CO浓度计算的全阻塞需风量Qreq(m^3/s):"), w.txtQQ_req_CO_block.Text());
    EXPECT_EQ(valueAfter(lines, "                     起始桩号:   "), w.txtBlockStartPile.Text());
    EXPECT_EQ(valueAfter(lines, "按VI浓度计算的需风量Qreq(m^3/s): "), w.txtQQ_req_VI_1kmblock.Text());
    EXPECT_EQ(valueAfter(lines, "火灾规模(MW):"), "50");
    EXPECT_EQ(valueAfter(lines, "计算:"), w.txtName1.Text());

    // The 80 km/h section holds the page's own result at 80 km/h, computed again here.
    const auto at80 = std::find(lines.begin(), lines.end(), ">>  工况车速:80km/h  <<");
    const auto at60 = std::find(lines.begin(), lines.end(), ">>  工况车速:60km/h  <<");
    ASSERT_NE(at80, lines.end());
    ASSERT_NE(at60, lines.end());
    ASSERT_LT(at80, at60);
    const std::vector<std::string> section80(at80, at60);
    w.txtworkv_t.set("80");
    w.cmdCalculateQQ_CO_Click(-1, 80);
    EXPECT_EQ(valueAfter(section80, "       需风量Qreq(co)(m^3/s):"), w.txtQQ_req_CO.Text());
    EXPECT_EQ(valueAfter(section80, "     需风量Qreq(VI)(m^3/s):  "), w.txtQQ_req_VI.Text());
    EXPECT_EQ(valueAfter(section80, "         CO排放量Qco(m^3/s): "), w.txtQQ_CO.Text());
    EXPECT_NE(valueAfter(section80, "       需风量Qreq(co)(m^3/s):"),
              valueAfter(lines, "       需风量Qreq(co)(m^3/s):"));

    // The vehicle composition: the caption row, and the total row with its share of 1 in "0.0000" and
    // its conversion sum in "00.0000".
    const std::string header = std::string(5, ' ') + w.lstTrafficAnalysis.ColumnHeaders(1).Text() +
                               std::string(12, ' ') + w.lstTrafficAnalysis.ColumnHeaders(2).Text();
    const auto startsWith = [&](const std::string& prefix) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    EXPECT_TRUE(startsWith(header));
    platform::ListItem& total = w.lstTrafficAnalysis.ListItems(8);
    const std::string pcu = vb::Format(vb::Val(total.SubItems(2)), "00.0000");
    EXPECT_EQ(pcu, "13.5000");
    EXPECT_TRUE(startsWith(total.Text() + std::string(10, ' ') + "1.0000" + std::string(10, ' ') + pcu));
}

TEST_F(RequiredAirReport, AirChangesAndFireOnceAfterTheLastOfSeveralYears) {
    choose({0, 1}, {4, 5}, {}, false);
    w.mnuToolReport_Click();
    const std::vector<std::string> lines = reportLines();
    EXPECT_EQ(count(lines, std::string(91, '*')), 8);
    EXPECT_EQ(count(lines, "■■交通量■■"), 2);
    EXPECT_EQ(count(lines, "■■单向正常交通工况的需风量计算■■"), 0);
    const auto lastYear = std::find(lines.begin(), lines.end(), std::string(39, ' ') + "2024年");
    const auto exchange = std::find(lines.begin(), lines.end(), "■■按换气次数要求的需风量计算■■");
    ASSERT_NE(lastYear, lines.end());
    ASSERT_NE(exchange, lines.end());
    EXPECT_LT(lastYear, exchange);
    EXPECT_EQ(count(lines, "■■按火灾工况的需风量计算■■"), 1);
    EXPECT_EQ(w.txtYear.Text(), "2024");
    EXPECT_EQ(w.txtPcu.Text(), "22700");
    // Not asked to open it: nothing is started.
    EXPECT_TRUE(platform::textviewer::log().empty());

    // A second run overwrites the first report.
    choose({}, {0}, {}, false);
    w.mnuToolReport_Click();
    const std::vector<std::string> again = reportLines();
    EXPECT_EQ(count(again, "■■按火灾工况的需风量计算■■"), 0);
    EXPECT_EQ(count(again, std::string(91, '*')), 0);
    EXPECT_EQ(count(again, "■■交通量分析■■"), 1);
}

// A tunnel whose 1 km window moves between its design years: the later year's section shows the window and
// demand page 6 shows with that year picked, though the page showed the other year when the report began.
TEST_F(RequiredAirReport, EachYearsOneKmWindowIsPage6sWindowOfThatYear) {
    // Smoke governs over the +2 % climb in 2030; in 2045 class 6 burns no diesel and CO, even along the
    // tunnel, governs from its start.
    test_support::NewTunnel t = test_support::OneWayBore("31.5", {{"2030", "15300"}, {"2045", "22700"}});
    t.slopes = {{"11500", "-1"}, {"12500", "2"}, {"14200", "0"}};
    test_support::TypeNewTunnel(w, t, path("B.vnt"));
    report = path("B_需风量.rpt");
    w.pgMain.userClick(3);
    w.chkRatioNotSame.userClick();
    w.lstTraffic.userItemClick(2);
    w.lstTrafficAnalysis.userItemClick(6);
    w.txtRatio3.userType("0");
    w.cmdRefreshTraffic.userClick();

    const auto shown = [&] {
        return std::vector<std::string>{w.txtBlockStartPile.Text(), w.txtBlockEndPile.Text(),
                                        w.txtQQ_req_CO_1kmblock.Text(), w.txtQQ_req_VI_1kmblock.Text()};
    };
    w.pgMain.userClick(6);
    w.lstYear.userItemClick(2);
    const std::vector<std::string> page6Of2045 = shown();
    EXPECT_EQ(page6Of2045, (std::vector<std::string>{"10000", "11000", "54.8", "35.2"}));
    w.lstYear.userItemClick(1);
    EXPECT_EQ(shown(), (std::vector<std::string>{"11500", "12500", "27.7", "81.9"}));

    choose({0, 1}, {3}, {}, false);
    w.mnuToolReport_Click();
    const std::vector<std::string> lines = reportLines();
    // The last of each line is 2045's.
    std::vector<std::string> printed;
    for (const char* label : {"                     起始桩号:   ", "                     终止桩号:   ",
                              "按CO浓度计算的需风量Qreq(m^3/s): ", "按VI浓度计算的需风量Qreq(m^3/s): "}) {
        printed.push_back(valueAfter(lines, label));
    }
    EXPECT_EQ(printed, page6Of2045);
}

TEST_F(RequiredAirReport, OneWayCaseWithoutASpeedWritesOnlyItsHeading) {
    choose({0}, {0}, {}, false);
    w.mnuToolReport_Click();
    const std::vector<std::string> lines = reportLines();
    EXPECT_EQ(count(lines, "■■单向正常交通工况的需风量计算■■"), 1);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.rfind(">>  工况车速:", 0), std::string::npos) << line;
    }
}

TEST_F(RequiredAirReport, TheCloseBoxCancelsTheReport) {
    const std::string speed = w.txtworkv_t.Text();
    test_stage::onModal<frmReportControl>(
        [](frmReportControl& d) { platform::Forms::unload(d, platform::vbFormControlMenu); });
    w.mnuToolReport_Click();
    EXPECT_FALSE(textfile::ReadBytes(report));
    EXPECT_EQ(w.txtworkv_t.Text(), speed);
    EXPECT_TRUE(platform::textviewer::log().empty());
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(RequiredAirReport, AReportThatCannotBeWrittenIsSaidSoAndNotOpened) {
    // A folder stands where the report would go.
    std::filesystem::create_directory(report);
    choose({0}, {5}, {}, true);
    platform::msgbox::script(platform::vbOK);
    w.mnuToolReport_Click();
    test_support::expectOneMessage({.prompt = "计算报告未能写入：" + report, .title = "需风量计算报告"});
    EXPECT_TRUE(platform::textviewer::log().empty());
}

// A desktop without a text viewer: the report opens in the program's own window, in a monospaced font
// that keeps its columns, and the status bar names the file whether it opens or not.
TEST_F(RequiredAirReport, ReachesTheEngineerWithoutADesktopViewer) {
    platform::textviewer::hideDesktopLauncher(true);
    choose({0}, {0, 1}, {1}, false);
    w.mnuToolReport_Click();
    EXPECT_TRUE(platform::textviewer::openWindows().empty());
    EXPECT_EQ(w.sbStatusBar.Panels(1).Text(), "文件已写入：" + report);

    w.sbStatusBar.Panels(1).setText("状态");
    choose({0}, {0, 1}, {1}, true);
    w.mnuToolReport_Click();
    EXPECT_EQ(w.sbStatusBar.Panels(1).Text(), "文件已写入：" + report);
    ASSERT_EQ(platform::textviewer::openWindows().size(), 1u);
    platform::TextViewerWindow& v = *platform::textviewer::openWindows()[0];
    EXPECT_EQ(v.path(), report);
    EXPECT_TRUE(v.isVisible());
    std::string written = textcodec::FromGbk(textfile::ReadBytes(report).value_or(""));
    std::erase(written, '\r');
    EXPECT_EQ(v.text()->toPlainText().toStdString(), written);
    EXPECT_NE(written.find("需风量计算报告"), std::string::npos);
    EXPECT_TRUE(v.text()->isReadOnly());
    // The columns line up as written: every line's characters start where their GBK width puts them.
    const QFontMetricsF cell(v.text()->font());
    const double one = cell.horizontalAdvance(QLatin1Char('W'));
    int checked = 0;
    for (QTextBlock b = v.text()->document()->begin(); b.isValid() && checked < 30; b = b.next()) {
        const QTextLayout* layout = b.layout();
        if (b.text().isEmpty() || layout == nullptr || layout->lineCount() == 0) {
            continue;
        }
        ++checked;
        const double left = layout->lineAt(0).cursorToX(0);
        int columns = 0;
        for (int i = 0; i <= b.text().size(); ++i) {
            ASSERT_NEAR(layout->lineAt(0).cursorToX(i), left + columns * one, 0.5)
                << b.text().toStdString() << " at " << i;
            columns += i < b.text().size() && b.text()[i].unicode() < 0x80 ? 1 : 2;
        }
    }
    EXPECT_GT(checked, 10);
    {
        const test_support::ProgramFont font;
        for (const std::string& cut : test_support::cutTexts(v)) {
            ADD_FAILURE() << cut;
        }
        if (const char* dir = std::getenv("ARIDANE_GRAB_DIR"); dir != nullptr && *dir != '\0') {
            v.grab().save(QString::fromStdString(std::string(dir) + "/TextViewerWindow.png"));
        }
    }

    // Without a desktop to show the folder, a box says where it is.
    platform::msgbox::script(platform::vbOK);
    v.openFolderButton()->click();
    const std::string folder = std::filesystem::path(report).parent_path().string();
    EXPECT_EQ(platform::textviewer::foldersLog(), std::vector<std::string>{folder});
    test_support::expectOneMessage({.prompt = "文件所在文件夹：" + folder});

    // A second report of the same file reloads the same window.
    choose({0}, {5}, {}, true);
    w.mnuToolReport_Click();
    ASSERT_EQ(platform::textviewer::openWindows().size(), 1u);
    EXPECT_EQ(v.text()->toPlainText().toStdString().find(">>  工况车速:"), std::string::npos);
}

TEST(RequiredAirReportUnnamed, AnUnsavedProjectIsRefusedBeforeAnything) {
    frmReq& w = platform::Forms::instance<frmReq>();
    ASSERT_TRUE(modPublic::ProjectFile.empty());
    const std::string year = w.txtYear.Text();
    platform::msgbox::script(platform::vbOK);
    w.mnuToolReport_Click();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt, "请先保存项目！");
    EXPECT_EQ(platform::msgbox::log()[0].title, "保存");
    EXPECT_EQ(platform::msgbox::log()[0].buttons, platform::vbOKOnly);
    EXPECT_FALSE(platform::Forms::isLoaded<frmReportControl>());
    EXPECT_EQ(w.txtYear.Text(), year);
}

} // namespace

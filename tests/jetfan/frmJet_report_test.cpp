// SPDX-License-Identifier: GPL-3.0-or-later
// The jet-fan report and operation control table of the template project, written through the window
// as a designer reaches it: the project saved into the test folder, step 2 from the main window, Next
// with the jet-fan scheme.
#include "jetfan/frmJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/scheme_report.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "platform/vb.h"
#include "reqair/frmReportControl.h"
#include "tests/support/scheme_step.h"
#include "tests/support/report_options.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;
using test_support::expectGbkCrLf;
using test_support::linesOf;

const std::string kStars(113, '*');

class JetReport : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::saveTemplateProject(req);
        report = test_stage::appFolder() + "/proj_纯射流风机通风.rpt";
        table = test_stage::appFolder() + "/proj_纯射流风机通风运营控制表.tab";
    }

    /// Opens step 2 from the main window and the jet-fan window from step 2; `script` acts on the jet-fan
    /// window, which is then left by its back button and step 2 by Return.
    void open(const std::function<void(frmJet&, frmVentParam&)>& script) {
        EXPECT_TRUE(test_support::openScheme<frmJet>(req, 0, script));
    }

    static void choose(std::vector<int> years, std::vector<int> cases, std::vector<int> speeds, bool open) {
        test_stage::onModal<frmReportControl>(
            [=](frmReportControl& d) { test_support::pickReportOptions(d, years, cases, speeds, open); });
    }

    frmReq& req = Forms::instance<frmReq>();
    std::string report, table;
};

// ---- The report ----

TEST_F(JetReport, PrintsTheBoxesOfTheBalanceAndTheGroups) {
    open([&](frmJet& w, frmVentParam&) {
        w.cmdCalculateJet.userClick();
        w.MultiPage1.userClick(2);
        const auto add = [&w](const char* pile, const char* count, const char* press) {
            w.txtPile.userType(pile);
            w.txtJetNumPerTeam.userType(count);
            w.txtPress.userType(press);
            w.cmdAdd.userClick();
        };
        add("1200", "2", "93.5");
        add("1234.5", "4", "12.3456");
        w.cmdReport.userClick();
        expectGbkCrLf(report, "纯射流风机通风计算报告");
        EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{report});
        EXPECT_EQ(req.sbStatusBar.Panels(1).Text(), "文件已写入：" + report);

        const std::vector<std::string> lines = linesOf(report);
        // The template's seven groups, then the two added.
        ASSERT_EQ(lines.size(), 38u);
        EXPECT_EQ(lines[2], std::string(29, ' ') + req.txtProjectName.Text() + "纯射流风机通风计算报告");
        EXPECT_EQ(lines[5], "■■风机升压力计算■■");
        EXPECT_EQ(lines[16], " ■■压力平衡分析■■");
        EXPECT_EQ(lines[25], "■■射流风机布置■■");
        // Values as the window shows them.
        EXPECT_EQ(lines[6], "            风机型号:    " + w.cmbJetModel.Text());
        EXPECT_EQ(lines[6], "            风机型号:    1120型射流风机");
        EXPECT_EQ(lines[12], "         悬挂高度Z(m):   " + w.txtZZ_j.Text());
        EXPECT_EQ(lines[14], "       升压力Δpj(Pa)：  " + w.txtdeltap_j.Text());
        EXPECT_EQ(lines[17], " 通风阻抗力Δpr(Pa):     " + w.txtdeltap_r.Text());
        EXPECT_EQ(lines[21], " 射流风机群总升压力ΣΔpj(Pa):" + w.txttotaldeltap_j.Text());
        EXPECT_EQ(lines[22], "   所需射流风机台数i:    " + w.txti.Text());
        EXPECT_EQ(lines[23], "     总耗电功率(kw):     " + w.txtTotalPower.Text());
        EXPECT_FALSE(w.txti.Text().empty());
        EXPECT_EQ(lines[27], "桩号\t台数\t升压力(Pa):");
        EXPECT_EQ(lines[28], "010200.00     03            40.850");
        EXPECT_EQ(lines[35], "001200.00     02            93.500");
        EXPECT_EQ(lines[36], "001234.50     04            12.346");
        EXPECT_EQ(lines[37], "自动布置的射流风机共27台，与所需射流风机台数21台不符！ "
                             "2组升压力与本组台数×Δpj=13.617Pa不符（桩号1200处93.50Pa，应为27.23Pa）！");

        // A snapshot: written again without a calculation, the same file, replaced.
        const std::string first = textfile::ReadBytes(report).value_or("");
        w.cmdReport.userClick();
        EXPECT_EQ(textfile::ReadBytes(report).value_or(""), first);
        EXPECT_EQ(platform::textviewer::log().size(), 2u);
        EXPECT_EQ(w.lstJet.ListItems.Count(), 9);
    });
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(JetReport, AnUnnamedProjectIsRefused) {
    open([&](frmJet& w, frmVentParam&) {
        modPublic::ProjectFile = "";
        platform::msgbox::script(platform::vbOK);
        w.cmdReport.userClick();
        test_support::expectOneMessage({.prompt = "请先保存项目！", .title = "保存"});
        platform::msgbox::script(platform::vbOK);
        w.cmdTable.userClick(); // refused before the options are asked
        EXPECT_EQ(platform::msgbox::log().size(), 2u);
        EXPECT_FALSE(Forms::isLoaded<frmReportControl>());
        modPublic::ProjectFile = test_stage::appFolder() + "/proj.vnt";
    });
    EXPECT_FALSE(fs::exists(report));
    EXPECT_FALSE(fs::exists(table));
    EXPECT_TRUE(platform::textviewer::log().empty());
}

TEST_F(JetReport, AReportThatCannotBeWrittenIsSaidAndNotOpened) {
    // A folder in the report's place: the file cannot be created.
    fs::create_directory(report);
    open([&](frmJet& w, frmVentParam&) {
        platform::msgbox::script(platform::vbOK);
        w.cmdReport.userClick();
    });
    test_support::expectOneMessage(
        {.prompt = "计算报告未能写入：" + report, .title = "纯射流风机通风计算报告"});
    EXPECT_TRUE(platform::textviewer::log().empty());
}

// 275.10 / 13.617 = 20.2 fans: twenty would give 272.34 Pa of the 275.10 the template's tunnel needs, so
// the window, the report and the control table all count twenty-one (882 kW at 42 kW a fan).
TEST_F(JetReport, TheTemplateCountsTheFansThatMeetItsRiseEverywhere) {
    open([&](frmJet& w, frmVentParam&) {
        w.cmdCalculateJet.userClick();
        test_support::ExpectTexts{{w.txttotaldeltap_j, "275.10"},
                                  {w.txtdeltap_j, "13.617"},
                                  {w.txti, "21.0"},
                                  {w.txtTotalPower, "882.00"}};
        w.cmdReport.userClick();
        const std::vector<std::string> lines = linesOf(report);
        ASSERT_GE(lines.size(), 24u);
        EXPECT_EQ(lines[22], "   所需射流风机台数i:    21.0");
        EXPECT_EQ(lines[23], "     总耗电功率(kw):     882.00");
        // The design year's one-way case at 10 km/h, the combination the design demand comes from.
        int year = -1;
        for (int i = 1; i <= req.lstTraffic.ListItems.Count(); ++i) {
            year = req.lstTraffic.ListItems(i).Text() == req.txtYear.Text() ? i - 1 : year;
        }
        choose({year}, {0}, {8}, false);
        w.cmdTable.userClick();
        const std::vector<std::string> table = linesOf(this->table);
        ASSERT_EQ(table.size(), 6u);
        EXPECT_EQ(table[3], "工况车速:10km/h,   Qreq:330.89,  运营控制:需射流风机台数:21,  总功率:882kW");
    });
    EXPECT_TRUE(platform::msgbox::log().empty());
}

// ---- The operation control table ----

TEST_F(JetReport, TableOfEveryCaseForTheChosenYearAndSpeeds) {
    open([&](frmJet& w, frmVentParam& step2) {
        ASSERT_GE(req.lstTraffic.ListItems.Count(), 2);
        const std::string year = req.lstTraffic.ListItems(2).Text();
        test_stage::onModal<frmReportControl>([&](frmReportControl& d) {
            // The dialog as the table shows it.
            EXPECT_EQ(d.Caption(), "运营控制表设置");
            EXPECT_EQ(d.chkOpenReport.Caption(), "打开运营控制表");
            EXPECT_FALSE(d.chkOutputSegment.Visible());
            ASSERT_EQ(d.lstYear.ListCount(), req.lstTraffic.ListItems.Count());
            EXPECT_EQ(d.lstYear.List(1), year);
            ASSERT_EQ(d.lstvt.ListCount(), 9);
            EXPECT_EQ(d.lstvt.List(0), "100");
            EXPECT_EQ(d.lstvt.List(8), "10");
            // Speeds picked 60 before 80; the second design year; all four cases and the two that are
            // not the table's.
            test_support::pickReportOptions(d, {1}, {0, 1, 2, 3, 4, 5}, {3, 1}, true);
        });
        w.cmdTable.userClick();
        EXPECT_FALSE(Forms::isLoaded<frmReportControl>());
        expectGbkCrLf(table, "特征年:");
        EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{table});

        const std::vector<std::string> lines = linesOf(table);
        ASSERT_EQ(lines.size(), 13u);
        EXPECT_EQ(lines[0], "特征年:" + year);
        EXPECT_EQ(lines[1], "单向正常交通工况:");
        EXPECT_EQ(lines[2].rfind("混合车:", 0), 0u);
        EXPECT_EQ(lines[3].rfind("工况车速:80km/h,   Qreq:", 0), 0u) << lines[3];
        EXPECT_EQ(lines[4].rfind("工况车速:60km/h,   Qreq:", 0), 0u) << lines[4];
        // Each speed is balanced on its own demand.
        EXPECT_NE(lines[3].substr(lines[3].find("Qreq:")), lines[4].substr(lines[4].find("Qreq:")));
        EXPECT_EQ(lines[5], "双向交通工况:");
        EXPECT_EQ(lines[6].rfind("工况车速:" + req.cmbWorkVt_Bidirection.Text() + "km/h,   Qreq:", 0), 0u)
            << lines[6];
        EXPECT_EQ(lines[7], "全阻滞工况:");
        EXPECT_EQ(lines[8].rfind("工况车速:分段组合, Qreq:", 0), 0u) << lines[8];
        EXPECT_EQ(lines[9], "1km阻塞工况:");
        EXPECT_EQ(lines[11], kStars);
        EXPECT_EQ(lines[12], kStars);

        // The last line is the balance of the 1 km case, as the window computes it on that case.
        const std::string tableYear = req.txtYear.Text();
        req.lstTraffic_ItemClick(req.lstTraffic.ListItems(2));
        EXPECT_EQ(lines[2], "混合车:" + req.txtNN.Text());
        req.cmdCalculateQQ_block_Click();
        step2.lstCase.userClick(3);
        w.cmdCalculateJet.userClick();
        EXPECT_FALSE(w.txti.Text().empty());
        EXPECT_EQ(lines[10],
                  "工况车速:10km/h, " +
                      jetfan::JetControlSummary(step2.txtQQ_req.Text(), w.txti.Text(), w.txtPower.Text()));
        EXPECT_NE(tableYear, year) << "the table leaves the engineer's design year";
    });
    EXPECT_TRUE(platform::msgbox::log().empty());
}

// The table records other combinations; the design on screen stays the engineer's, and so does what Save
// stores.
TEST_F(JetReport, TheTableLeavesTheDesignAsItWas) {
    open([&](frmJet& w, frmVentParam& step2) {
        ASSERT_GE(req.lstTraffic.ListItems.Count(), 2);
        w.cmdCalculateJet.userClick();
        ASSERT_FALSE(w.txti.Text().empty());
        const auto shown = [&] {
            std::vector<std::string> t;
            for (const platform::TextBox* box :
                 {&req.txtYear, &req.txtPcu, &req.txtNN, &req.txtworkv_t, &req.txtQQ_req_CO,
                  &req.txtQQ_req_VI, &req.txtQQ_req_CO_Bidirection, &req.txtQQ_req_CO_block,
                  &req.txtQQ_req_CO_1kmblock, &step2.txtQQ_req, &step2.txtv_r, &w.txti, &w.txtTotalPower,
                  &w.txtdeltap_t, &w.txttotaldeltap_j}) {
                t.push_back(box->Text());
            }
            t.push_back(std::to_string(step2.lstCase.ListIndex()));
            t.push_back(step2.lblQreqTip.Caption() + "|" + step2.lblSpeedTip.Caption());
            t.push_back(vb::CStr(req.workv_t) + " " + vb::CStr(req.nn_co));
            return t;
        };
        const auto saved = [&] {
            req.SaveFile();
            step2.SaveFile();
            w.SaveFile();
            std::string bytes;
            for (const char* ext : {".vnt", ".req", ".par", ".jet"}) {
                bytes += textfile::ReadBytes(test_stage::appFolder() + "/proj" + ext).value_or("<none>");
            }
            return bytes;
        };
        const std::vector<std::string> before = shown();
        const std::string filesBefore = saved();
        // Every case of the last design year at three speeds.
        choose({req.lstTraffic.ListItems.Count() - 1}, {0, 1, 2, 3}, {0, 4, 8}, false);
        w.cmdTable.userClick();
        ASSERT_EQ(linesOf(table).size(), 14u);
        EXPECT_EQ(shown(), before);
        EXPECT_EQ(saved(), filesBefore);
        // The design goes on from where the engineer left it.
        w.cmdCalculateJet.userClick();
        EXPECT_EQ(shown(), before);
    });
    EXPECT_TRUE(platform::msgbox::log().empty());
}

// A combination whose balance gives no fan count says why on its line; no box per combination, one at
// the end with how many could not be computed.
TEST_F(JetReport, CombinationsWithoutACountSayWhyAndAreCountedOnce) {
    open([&](frmJet& w, frmVentParam&) {
        // No model: no outlet speed or area.
        w.txtvj.setSilently("");
        w.txtAA_j.setSilently("");
        choose({0}, {0, 1}, {0, 8}, false);
        platform::msgbox::script(platform::vbOK);
        w.cmdTable.userClick();
        const std::vector<std::string> lines = linesOf(table);
        ASSERT_EQ(lines.size(), 9u);
        for (const int k : {3, 4, 6}) {
            EXPECT_NE(lines[k].find(",  运营控制:无法计算：请选择射流风机型号！"), std::string::npos)
                << lines[k];
            EXPECT_EQ(lines[k].find("需射流风机台数:0"), std::string::npos) << lines[k];
        }
        ASSERT_EQ(platform::msgbox::log().size(), 1u);
        EXPECT_EQ(platform::msgbox::log()[0].prompt,
                  "运营控制表中有3个组合无法计算风机台数，其行已注明原因。");
        EXPECT_EQ(platform::msgbox::log()[0].title, "运营控制表");
        // Outside the table the balance speaks again.
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculateJet.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 2u);
        EXPECT_EQ(platform::msgbox::log()[1].prompt, "请选择射流风机型号！");
    });
}

TEST_F(JetReport, YearsInListOrderAndEmptyBlocks) {
    open([&](frmJet& w, frmVentParam&) {
        ASSERT_GE(req.lstTraffic.ListItems.Count(), 2);
        // Years picked last first, no case: the heads and separators in the main window's order.
        choose({1, 0}, {}, {}, false);
        w.cmdTable.userClick();
        EXPECT_EQ(linesOf(table),
                  (std::vector<std::string>{"特征年:" + req.lstTraffic.ListItems(1).Text(), kStars, kStars,
                                            "特征年:" + req.lstTraffic.ListItems(2).Text(), kStars, kStars}));
        // The one-way case without a speed: its head and traffic line only. Not opened when not asked.
        choose({0}, {0}, {}, false);
        w.cmdTable.userClick();
        const std::vector<std::string> lines = linesOf(table);
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines[1], "单向正常交通工况:");
        EXPECT_EQ(lines[2].rfind("混合车:", 0), 0u);
        // Nothing chosen: an empty table replaces the last one.
        choose({}, {}, {}, true);
        w.cmdTable.userClick();
        EXPECT_EQ(textfile::ReadBytes(table).value_or("<none>"), "");
        EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{table});
    });
}

TEST_F(JetReport, ATableThatCannotBeWrittenIsSaidAndNotOpened) {
    fs::create_directory(table);
    open([&](frmJet& w, frmVentParam&) {
        choose({0}, {}, {}, true);
        platform::msgbox::script(platform::vbOK);
        w.cmdTable.userClick();
        EXPECT_FALSE(Forms::isLoaded<frmReportControl>());
    });
    test_support::expectOneMessage(
        {.prompt = "运营控制表未能写入：" + table, .title = "纯射流风机通风运营控制表"});
    EXPECT_TRUE(platform::textviewer::log().empty());
}

TEST_F(JetReport, ClosingTheOptionsDialogWritesAndChangesNothing) {
    open([&](frmJet& w, frmVentParam& step2) {
        w.cmdCalculateJet.userClick();
        const std::string count = w.txti.Text(), demand = step2.txtQQ_req.Text(), year = req.txtYear.Text();
        test_stage::onModal<frmReportControl>([](frmReportControl& d) {
            d.lstYear.userClick(1);
            d.lstCase.userClick(1);
            Forms::unload(d, platform::vbFormControlMenu);
        });
        w.cmdTable.userClick();
        EXPECT_FALSE(Forms::isLoaded<frmReportControl>());
        EXPECT_EQ(w.txti.Text(), count);
        EXPECT_EQ(step2.txtQQ_req.Text(), demand);
        EXPECT_EQ(req.txtYear.Text(), year);
    });
    EXPECT_FALSE(fs::exists(table));
    EXPECT_TRUE(platform::textviewer::log().empty());
    EXPECT_TRUE(platform::msgbox::log().empty());
}

} // namespace

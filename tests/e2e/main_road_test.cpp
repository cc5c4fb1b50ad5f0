// SPDX-License-Identifier: GPL-3.0-or-later
// The main road as an engineer walks it, through the real windows from a fresh program folder: start-up
// with the shipped template project, the seven pages, Save As, the required-air report, step 2, the
// jet-fan scheme with its balance, groups, curve, report and control table, then Open and Exit. Each test
// breaks at the first link of the chain that no longer holds; values are checked against what the windows
// themselves show, and every file the road leaves is read back.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "jetfan/frmJet.h"
#include "platform/Cad.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "platform/vb.h"
#include "reqair/frmReportControl.h"
#include "tests/support/list_rows.h"
#include "tests/support/scheme_step.h"
#include "tests/support/report_options.h"
#include "tests/support/drawn_texts.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace cad = platform::cad;
using platform::Forms;
using test_support::expectGbkCrLf;
using test_support::hasLine;
using test_support::linesOf;
using test_support::Row;
using test_support::rowsOf;

/// A box the window computed: it shows a number, not an empty or broken text.
void expectNumber(const platform::TextBox& box, const char* name) {
    EXPECT_TRUE(vb::StrictNumber(box.Text()).has_value()) << name << " shows \"" << box.Text() << "\"";
}

/// A computed demand or count that must be above zero on the template tunnel.
void expectPositive(const platform::TextBox& box, const char* name) {
    expectNumber(box, name);
    EXPECT_GT(vb::Val(box.Text()), 0) << name;
}

struct NamedBox {
    const platform::TextBox& box;
    const char* name;
};

/// `BOX(w.txtA)` names a box by its member name for expectPositive.
#define BOX(member)                                                                                          \
    NamedBox {                                                                                               \
        member, #member                                                                                      \
    }

/// Several boxes of a page, each as expectPositive above.
void expectPositive(std::initializer_list<NamedBox> boxes) {
    for (const NamedBox& named : boxes) {
        expectPositive(named.box, named.name);
    }
}

class MainRoad : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path dir = fs::path(test_stage::appFolder()) / "工程";
        fs::create_directories(dir);
        base = (dir / "雁门关隧道右线").string();
        project = base + ".vnt";
    }

    void saveAs() {
        platform::filedialog::script(project);
        req().mnuFileSaveAs_Click();
    }

    /// Pages 1 to 7 in turn, each checked for the boxes its calculations fill.
    void visitPages() {
        frmReq& w = req();
        w.pgMain.userClick(1);
        expectPositive(w.txtP, "txtP");
        expectPositive(w.txtRHO, "txtRHO");

        w.pgMain.userClick(2);
        ASSERT_GE(w.lstSegment.ListItems.Count(), 1);
        for (const Row& row : rowsOf(w.lstSegment, 7)) {
            for (const std::string& cell : row) {
                EXPECT_TRUE(vb::StrictNumber(cell).has_value()) << "segment cell \"" << cell << "\"";
            }
        }

        w.pgMain.userClick(3);
        expectPositive(w.txtNN, "txtNN");

        w.pgMain.userClick(4);
        expectPositive({BOX(w.txtq_co_at_Year), BOX(w.txtf_a), BOX(w.txtf_h), BOX(w.txtQQ_req_CO_SEGMENT),
                        BOX(w.txtQQ_req_CO), BOX(w.txtQQ_req_VI)});
        EXPECT_EQ(w.lblWarning4.Caption(), "");

        w.pgMain.userClick(5);
        expectPositive(
            {BOX(w.txtNN_bidirection), BOX(w.txtQQ_req_CO_Bidirection), BOX(w.txtQQ_req_VI_Bidirection)});
        EXPECT_EQ(w.lblWarning5.Caption(), "");

        w.pgMain.userClick(6);
        expectPositive({BOX(w.txtQQ_req_CO_block), BOX(w.txtQQ_req_VI_block), BOX(w.txtQQ_req_CO_1kmblock),
                        BOX(w.txtQQ_req_VI_1kmblock)});
        EXPECT_EQ(w.lblWarning6.Caption(), "");

        w.pgMain.userClick(7);
        // The template names no air changes; the engineer asks for five an hour.
        w.txtExchangeNum.userType("5");
        w.cmdCalQQ_req_exchange.userClick();
        expectPositive(w.txtQQ_req_exchange, "txtQQ_req_exchange");
        expectPositive(w.txtQs, "txtQs");
        EXPECT_EQ(w.iCurrentPage, 6);
    }

    static frmReq& req() { return Forms::instance<frmReq>(); }

    std::string base, project;
};

// ---- Start-up and the pages ----

TEST_F(MainRoad, StartUpShowsTheTemplateAndEveryPageComputes) {
    frmReq& w = req();
    EXPECT_EQ(w.Caption(), "Kelvora-Aridane");
    EXPECT_TRUE(modPublic::ProjectFile.empty()) << "the template is shown unnamed";
    EXPECT_EQ(w.txtProjectName.Text(), "雁门关隧道右线");
    EXPECT_EQ(w.lstTraffic.ListItems.Count(), 2);
    EXPECT_EQ(w.lstSegment.ListItems.Count(), 2);
    EXPECT_TRUE(platform::msgbox::log().empty()) << "start-up found every shipped table";

    visitPages();
    // Back to page 1 and round again: the computed boxes come back the same.
    const std::string oneWay = w.txtQQ_req_CO.Text(), twoWay = w.txtQQ_req_VI_Bidirection.Text();
    visitPages();
    EXPECT_EQ(w.txtQQ_req_CO.Text(), oneWay);
    EXPECT_EQ(w.txtQQ_req_VI_Bidirection.Text(), twoWay);
    EXPECT_TRUE(platform::msgbox::log().empty());
}

// ---- Save As and the required-air report ----

TEST_F(MainRoad, SaveAsWritesTheProjectAndTheRequiredAirReportFollows) {
    frmReq& w = req();
    visitPages();
    saveAs();
    EXPECT_EQ(modPublic::ProjectFile, project);
    EXPECT_NE(w.Caption().find(project), std::string::npos) << w.Caption();
    ASSERT_TRUE(fs::exists(project));
    expectGbkCrLf(base + ".req", w.txtProjectName.Text());

    const std::string year = w.lstTraffic.ListItems(1).Text();
    test_stage::onModal<frmReportControl>([](frmReportControl& d) {
        // The first design year, every case, 80 km/h; the report opened afterwards.
        test_support::pickReportOptions(d, {0}, {0, 1, 2, 3, 4, 5}, {1}, true);
    });
    w.mnuToolReport_Click();
    const std::string report = base + "_需风量.rpt";
    expectGbkCrLf(report, "需风量计算报告");
    EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{report});

    const std::vector<std::string> lines = linesOf(report);
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[2], std::string(29, ' ') + w.txtProjectName.Text() + "需风量计算报告");
    EXPECT_TRUE(hasLine(lines, std::string(39, ' ') + year + "年"));
    // The run leaves the boxes on the last year and speed; the report prints what they hold.
    EXPECT_EQ(w.txtYear.Text(), year);
    EXPECT_EQ(w.txtworkv_t.Text(), "80");
    expectPositive(w.txtQQ_req_CO, "txtQQ_req_CO");
    EXPECT_TRUE(hasLine(lines, "       需风量Qreq(co)(m^3/s):" + w.txtQQ_req_CO.Text()));
    EXPECT_TRUE(platform::msgbox::log().empty());
}

// ---- Step 2 and the jet-fan scheme ----

TEST_F(MainRoad, StepTwoAndTheJetFanSchemeLeaveTheirFilesAndReadThemBack) {
    frmReq& w = req();
    visitPages();
    saveAs();

    std::string lambda, demand, fans, power;
    std::vector<Row> groups;
    const bool opened = test_support::openScheme<frmJet>(
        w, 0,
        [&](frmJet& jet, frmVentParam& step2) {
            demand = step2.txtQQ_req.Text();
            // The balance of the whole tunnel.
            jet.cmdCalculateJet.userClick();
            expectPositive(
                {BOX(jet.txtdeltap_j), BOX(jet.txtdeltap_r), BOX(jet.txti), BOX(jet.txtTotalPower)});
            fans = jet.txti.Text();
            power = jet.txtTotalPower.Text();

            // Two groups from each portal laid out by the dialog.
            jet.MultiPage1.userClick(2);
            test_support::layJetGroups("2");
            jet.cmdAutoLayout.userClick();
            groups = rowsOf(jet.lstJet, 3);
            ASSERT_EQ(groups.size(), 4u);
            for (const Row& g : groups) {
                const double pile = vb::Val(g[0]);
                EXPECT_TRUE(pile > modPublic::StartPile && pile < modPublic::EndPile) << g[0];
            }

            // The curve is drawn into the drawing.
            jet.cmdDrawPressCurve.userClick();
            EXPECT_EQ(test_support::drawnTexts("压力(Pa)"), 1);
            EXPECT_EQ(test_support::drawnTexts("速度(m/s)"), 1);
            EXPECT_EQ(test_support::drawnTexts("浓度C(%)"), 1);

            // The report prints the window's own boxes.
            jet.cmdReport.userClick();
            const std::string report = base + "_纯射流风机通风.rpt";
            expectGbkCrLf(report, "纯射流风机通风计算报告");
            const std::vector<std::string> lines = linesOf(report);
            EXPECT_TRUE(hasLine(lines, "   所需射流风机台数i:    " + jet.txti.Text()));
            EXPECT_TRUE(hasLine(lines, "     总耗电功率(kw):     " + jet.txtTotalPower.Text()));
            EXPECT_TRUE(hasLine(lines, "            风机型号:    " + jet.cmbJetModel.Text()));

            // The control table of the first design year, one-way traffic at 80 km/h, not opened.
            const std::string year = w.lstTraffic.ListItems(1).Text();
            test_stage::onModal<frmReportControl>(
                [](frmReportControl& d) { test_support::pickReportOptions(d, {0}, {0}, {1}, false); });
            jet.cmdTable.userClick();
            const std::string table = base + "_纯射流风机通风运营控制表.tab";
            expectGbkCrLf(table, "特征年:");
            const std::vector<std::string> rows = linesOf(table);
            ASSERT_GE(rows.size(), 3u);
            EXPECT_EQ(rows[0], "特征年:" + year);
            EXPECT_EQ(rows[1], "单向正常交通工况:");
            EXPECT_EQ(rows[2].rfind("混合车:", 0), 0u) << rows[2];
            EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{report});

            // The table re-balanced the window on its case; the groups stay as laid out.
            EXPECT_EQ(rowsOf(jet.lstJet, 3), groups);
            fans = jet.txti.Text();
            power = jet.txtTotalPower.Text();
        },
        [&](frmVentParam& step2) {
            EXPECT_EQ(step2.Caption(), "Step 2: 通风分析参数设置,特征年:" + w.txtYear.Text());
            expectPositive(step2.txtQQ_req, "step 2 txtQQ_req");
            expectPositive(step2.txtlambda_r, "step 2 txtlambda_r");
            lambda = step2.txtlambda_r.Text();
        });
    ASSERT_TRUE(opened);
    EXPECT_FALSE(Forms::isLoaded<frmJet>());
    EXPECT_FALSE(Forms::isLoaded<frmVentParam>());
    EXPECT_TRUE(platform::msgbox::log().empty());

    // Back on the main window: every file of the project is there.
    for (const char* ext : {".vnt", ".req", ".par", ".jet"}) {
        EXPECT_TRUE(fs::exists(base + ext)) << ext;
    }
    expectGbkCrLf(base + ".par", "[通风计算]");
    expectGbkCrLf(base + ".jet", "[风机布置]");
    EXPECT_TRUE(hasLine(linesOf(base + ".jet"), "4"));

    // Opened again, step 2 and the scheme read what they left: a fresh step 2 from the .par, a fresh
    // jet-fan window from the .jet.
    const bool again = test_support::openScheme<frmJet>(
        w, 0,
        [&](frmJet& jet, frmVentParam&) {
            EXPECT_EQ(rowsOf(jet.lstJet, 3), groups);
            EXPECT_EQ(jet.txti.Text(), fans);
            EXPECT_EQ(jet.txtTotalPower.Text(), power);
        },
        [&](frmVentParam& step2) {
            EXPECT_EQ(step2.txtlambda_r.Text(), lambda);
            EXPECT_EQ(step2.txtQQ_req.Text(), demand);
        });
    EXPECT_TRUE(again);
    EXPECT_TRUE(platform::msgbox::log().empty());
}

// ---- Open and Exit ----

TEST_F(MainRoad, AnEditedProjectComesBackWholeAfterExitAndOpen) {
    {
        frmReq& w = req();
        // The engineer makes the project their own: a name, a third design year, the long downhill stretch
        // split at 13000 with a gentler slope after it.
        w.pgMain.userClick(1);
        w.txtProjectName.userType("雁门关隧道右线（复核）");
        w.pgMain.userClick(2);
        w.lstSlope.userItemClick(2);
        w.txtSlopePile.userType("13000");
        w.cmdUpdateSlope.userClick();
        w.txtSlopePile.userType("15235");
        w.txtSlopeRatio.userType("-1.2");
        w.cmdAddSlope.userClick();
        w.cmdRefreshSegment.userClick();
        ASSERT_EQ(w.lstSegment.ListItems.Count(), 3);
        w.pgMain.userClick(3);
        w.txtYear.userType("2034");
        w.txtPcu.userType("30100");
        w.cmdAdd.userClick();
        ASSERT_EQ(w.lstTraffic.ListItems.Count(), 3);
        // Back on the first design year, which is where an opened project starts.
        w.lstTraffic.userItemClick(1);
        visitPages();
        saveAs();
        expectGbkCrLf(base + ".req", "雁门关隧道右线（复核）");
    }
    const std::string name = req().txtProjectName.Text();
    const std::vector<Row> years = rowsOf(req().lstTraffic, 2);
    const std::vector<Row> segments = rowsOf(req().lstSegment, 7);
    const std::string descYear = req().txtDescYear.Text();
    const std::string oneWay = req().txtQQ_req_CO.Text();
    const std::string savedReq = textfile::ReadBytes(base + ".req").value_or("");

    // A change not saved, then Exit: asked once, No, the program ends and the file keeps the saved project.
    req().pgMain.userClick(1);
    req().txtProjectName.userType("未保存的修改");
    platform::msgbox::script(platform::vbNo);
    req().mnuFileExit_Click();
    test_support::expectOneMessage({.prompt = "退出之前需要保存吗?", .title = "保存提示！"});
    EXPECT_FALSE(Forms::isLoaded<frmReq>());
    EXPECT_EQ(textfile::ReadBytes(base + ".req").value_or(""), savedReq);
    Forms::collectGarbage();

    // The program started again shows the template; Open brings the project back.
    frmReq& w = req();
    ASSERT_EQ(w.lstSegment.ListItems.Count(), 2);
    platform::filedialog::script(project); // the untouched template: nothing to keep, nothing asked
    w.mnuFileOpen_Click();
    EXPECT_EQ(modPublic::ProjectFile, project);
    EXPECT_NE(w.Caption().find(project), std::string::npos) << w.Caption();
    EXPECT_EQ(w.txtProjectName.Text(), name);
    EXPECT_EQ(rowsOf(w.lstTraffic, 2), years);
    EXPECT_EQ(rowsOf(w.lstSegment, 7), segments);
    EXPECT_EQ(w.txtDescYear.Text(), descYear);
    ASSERT_EQ(platform::msgbox::log().size(), 1u) << "Open had nothing to ask";

    // The pages compute on the reopened project as they did before it was saved.
    visitPages();
    EXPECT_EQ(w.txtQQ_req_CO.Text(), oneWay);
    EXPECT_EQ(platform::msgbox::log().size(), 1u);
}

} // namespace

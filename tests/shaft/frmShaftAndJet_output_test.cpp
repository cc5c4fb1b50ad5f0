// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-and-jet window's curves, report and operation control table, reached as a designer reaches
// them: the template project saved into the test folder, step 2 opened from the main window, Next with
// the shaft-and-jet scheme; the demand, the balance and the groups before them.
#include "shaft/frmShaftAndJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "platform/Cad.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "platform/vb.h"
#include "reqair/frmReportControl.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shaft_jet_inputs.h"
#include "tests/support/report_options.h"
#include "tests/support/drawn_texts.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"
#include "tests/support/tunnel_stage.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace cad = platform::cad;
namespace fs = std::filesystem;
using platform::Forms;
using test_support::countTexts;
using test_support::drawnEntities;
using test_support::expectGbkCrLf;
using test_support::linesOf;

const std::string kStars(113, '*');

void addGroup(frmShaftAndJet& w, const char* station, const char* count, const char* rise) {
    w.MultiPage1.userClick(2);
    w.txtPile.userType(station);
    w.txtJetNumPerTeam.userType(count);
    w.txtPress.userType(rise);
    w.cmdAdd.userClick();
}

/// Whether two point arrays hold the same points.
bool samePoints(const jetfan::CurvePointArray& a, const jetfan::CurvePointArray& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (a[k].station != b[k].station || a[k].value != b[k].value || a[k].spare != b[k].spare) {
            return false;
        }
    }
    return true;
}

class ShaftJetOutput : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::saveTemplateProject(req);
        report = test_stage::appFolder() + "/proj_单竖井送排式结合射流风机通风.rpt";
        table = test_stage::appFolder() + "/proj_单竖井送排式通风+射流风机运营控制表.tab";
    }

    /// Step 2 from the main window, this window from step 2 with Next and scheme 3; `script` acts on the
    /// window and leaves it; step 2 is then left by Return.
    void open(const std::function<void(frmShaftAndJet&, frmVentParam&)>& script) {
        EXPECT_TRUE(test_support::openScheme<frmShaftAndJet>(req, 3, script));
    }

    frmReq& req = Forms::instance<frmReq>();
    std::string report, table;
};

/// A flat tunnel 1000–3000 with one 60 m² section, no friction, no natural wind, no vehicle resistance
/// and no local loss; shaft 2200, ds 60, Qe 150 (one fan), Qb 250 given (two fans of 125); the demands 200
/// and 300 and 10 of the short passage; then the balance: Qr1 300, Qr2 400, Qs 150, Δpe 6.30, Δpb 78.69,
/// no traffic force.
void balancedFlatTunnel(frmShaftAndJet& w) {
    frmVentParam& step2 = Forms::instance<frmVentParam>();
    test_support::FlatTunnel tunnel = test_support::shaftJetTunnel();
    tunnel.pileDirection = 1;
    test_support::setFlatTunnel(tunnel);
    step2.chkExchange.setSilently(0);
    step2.lstzeta.ListItems.Clear();
    step2.txtv_n.setSilently("0");
    step2.txtzeta_e.setSilently("0.6");
    test_support::enterShaftJetFlatTunnel(w);
    w.cmdCalculatePtot3.userClick();
    ASSERT_EQ(w.txtQQ_r1.Text(), "300.00");
    ASSERT_EQ(w.txtdeltap_e.Text(), "6.30");
    ASSERT_EQ(w.txtdeltap_b.Text(), "78.69");
    ASSERT_EQ(w.txtdeltap_t1.Text(), "0.00");
    w.lstJet.ListItems.Clear();
    addGroup(w, "1500", "2", "20");
    addGroup(w, "2600", "1", "10");
}

// ---- Curves ----

// p0 = −ζe·0.5·ρ·vin² = −0.6·0.6·25 = −9 (vin = 300/60); no friction anywhere. Steps: group 1500 +20;
// exhaust opening 2170: 6.30 − 0.28·0.6·5² = 2.1; supply opening 2230: 78.69 − 0.7·0.6·(400/60)² =
// 60.023333; group 2600 +10.
TEST_F(ShaftJetOutput, CurvesOfAFlatTunnelByHandAndThePowerFromThem) {
    open([](frmShaftAndJet& w, frmVentParam&) {
        balancedFlatTunnel(w);
        w.cmdDrawPressCurve.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        const std::vector<cad::Entity> entities = drawnEntities();
        EXPECT_EQ(countTexts(entities, "压力(Pa)"), 1);
        EXPECT_EQ(countTexts(entities, "速度(m/s)"), 1);
        EXPECT_EQ(countTexts(entities, "浓度C(%)"), 1);

        ASSERT_NE(w.PressCurve, nullptr);
        const double supply = 78.69 - 0.42 * (400.0 / 60) * (400.0 / 60);
        const std::vector<std::pair<double, double>> want = {{1000, -9},
                                                             {1500, -9},
                                                             {1500, 11},
                                                             {2170, 11},
                                                             {2170, 13.1},
                                                             {2230, 13.1},
                                                             {2230, 13.1 + supply},
                                                             {2600, 13.1 + supply},
                                                             {2600, 23.1 + supply},
                                                             {3000, 23.1 + supply}};
        const jetfan::CurvePointArray& p = w.PressCurve->pressPoints();
        ASSERT_EQ(p.size(), want.size());
        for (std::size_t k = 0; k < want.size(); ++k) {
            EXPECT_NEAR(p[k].station, want[k].first, 1e-9) << k;
            EXPECT_NEAR(p[k].value, want[k].second, 1e-9) << k;
        }
        EXPECT_TRUE(samePoints(p, w.dPressPoints));
        EXPECT_NEAR(w.v_r1, 5, 1e-12);
        EXPECT_NEAR(w.v_r2, 400.0 / 60, 1e-12);
        // Speeds 5, 150/60 in the short passage, 400/60; concentration 0, C2, C2, C2s, C2b, C3.
        const jetfan::CurvePointArray& v = w.PressCurve->vPoints();
        ASSERT_EQ(v.size(), 6u);
        EXPECT_NEAR(v[2].value, 2.5, 1e-12);
        EXPECT_NEAR(v[5].value, 400.0 / 60, 1e-12);
        const jetfan::CurvePointArray& c = w.PressCurve->cPoints();
        ASSERT_EQ(c.size(), 6u);
        EXPECT_EQ(c[1].value, 0.67);
        EXPECT_EQ(c[3].value, 0.73);
        EXPECT_DOUBLE_EQ(c[4].value, 0.275);
        EXPECT_EQ(c[5].value, 1.03);

        // "动力计算" takes the pressures at the openings from the curve: the smaller side of each step.
        w.cmdCalPower.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        EXPECT_EQ(w.txtp_se.Text(), "11.000");
        EXPECT_EQ(w.txtp_sb.Text(), "13.100");
        EXPECT_EQ(countTexts(drawnEntities(), "压力(Pa)"), 1);
    });
}

TEST_F(ShaftJetOutput, RefusedCurvesKeepTheLastOneAndStopThePower) {
    open([](frmShaftAndJet& w, frmVentParam&) {
        balancedFlatTunnel(w);
        w.MultiPage1.userClick(0);
        w.txtp_se.userType("keep");
        w.lstJet.ListItems.Clear();
        platform::msgbox::script(platform::vbOK);
        w.cmdCalPower.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 1u);
        EXPECT_EQ(platform::msgbox::log()[0].prompt, "绘制曲线或提取压力值前，请设置风机信息！");
        EXPECT_EQ(platform::msgbox::log()[0].title, "出错！");
        EXPECT_EQ(w.PressCurve, nullptr);
        // Nor does a pressure of an earlier power step stay.
        EXPECT_EQ(w.txtp_se.Text(), "");

        // A group on the portal passes; one a millimetre outside is said.
        addGroup(w, "1000", "1", "20");
        w.cmdDrawPressCurve.userClick();
        ASSERT_NE(w.PressCurve, nullptr);
        const jetfan::CurvePointArray last = w.PressCurve->pressPoints();
        addGroup(w, "3000.001", "1", "20");
        platform::msgbox::script(platform::vbOK);
        w.cmdDrawPressCurve.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 2u);
        EXPECT_EQ(platform::msgbox::log()[1].prompt, "射流风机桩号超出隧道桩号范围，请检查！");
        EXPECT_TRUE(samePoints(w.PressCurve->pressPoints(), last));

        // No cross-section past 2210: the supply opening has no area; said, and the last curve stays.
        w.lstJet.ListItems.Remove(w.lstJet.ListItems.Count());
        Forms::instance<frmReq>().lstSection.ListItems(1).setText("2210");
        platform::msgbox::script(platform::vbOK);
        w.cmdDrawPressCurve.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 3u);
        EXPECT_EQ(platform::msgbox::log()[2].prompt,
                  "压力曲线无法计算(除数为零或断面数据缺失)，请检查断面数据、风量与通风参数！");
        EXPECT_TRUE(samePoints(w.PressCurve->pressPoints(), last));
        EXPECT_EQ(countTexts(drawnEntities(), "压力(Pa)"), 1);
    });
}

TEST_F(ShaftJetOutput, ARefusedBalanceLeavesNoFansOrPowerOfTheLastOneAndTheReportSaysSo) {
    open([&](frmShaftAndJet& w, frmVentParam&) {
        balancedFlatTunnel(w);
        w.cmdCalPower.userClick();
        ASSERT_NE(w.txtTotalPower.Text(), "");
        w.MultiPage1.userClick(0);
        w.txtQe.userType("-150");
        test_support::expectOneMessageOf([&w] { w.cmdCalculatePtot3.userClick(); },
                                         {.prompt = "排风量Qe和送风量Qb不能为负值，请检查！"});
        // The report's lines below say the flow, the count and the power are gone.
        for (const platform::TextBox* box :
             {&w.txtdeltap_e, &w.txttotaldeltap_j1, &w.txtCC_3, &w.txtp_tote, &w.txtSSkw_b}) {
            EXPECT_EQ(box->Text(), "");
        }
        w.cmdReport.userClick();
    });
    const std::vector<std::string> lines = linesOf(report);
    for (const char* label : {"     设计风量Qr1(m^3/s):", "          风机数量(台):  ", "      Δpe+Δpb(Pa):",
                              "该工况总耗电功率(kW):"}) {
        const std::string* line = test_support::lineWith(lines, label);
        ASSERT_NE(line, nullptr) << label;
        EXPECT_TRUE(line->ends_with("未计算")) << *line;
    }
}

// ---- Report ----

TEST_F(ShaftJetOutput, ReportPrintsWhatTheWindowShows) {
    open([&](frmShaftAndJet& w, frmVentParam&) {
        balancedFlatTunnel(w);
        w.cmdReport.userClick();
        expectGbkCrLf(report, "单竖井送排式结合射流风机通风方式计算报告");
        EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{report});
        const std::vector<std::string> lines = linesOf(report);
        ASSERT_EQ(lines.size(), 124u);
        EXPECT_TRUE(w.lblTip.Caption().ends_with(" " + lines.back())) << w.lblTip.Caption();
        EXPECT_TRUE(lines.back().ends_with("，1组升压力与本组台数×Δpj=16.362Pa不符！")) << lines.back();
        EXPECT_EQ(lines[0], std::string(29, ' ') + req.txtProjectName.Text() +
                                "单竖井送排式结合射流风机通风方式计算报告");
        EXPECT_EQ(lines[5], "         竖井桩号(m):2200");
        EXPECT_EQ(lines[9], "     排风量Qe(m^3/s):    150");
        EXPECT_EQ(lines[15], "      升压力Δpe(Pa):    6.30");
        EXPECT_EQ(lines[33], "        送风量Qb(m^3/s): 250");
        EXPECT_EQ(lines[56], "     设计风量Qr1(m^3/s):300.00");
        EXPECT_EQ(lines[65], "       风机流量(m^3/s):  " + w.txtFlow1.Text());
        EXPECT_EQ(lines[80], "   设计风量Qr2(m^3/s):   400.00");
        // 6.30 + 78.69.
        EXPECT_EQ(lines[87], "          Δpe+Δpb(Pa): 84.99 ");
        EXPECT_EQ(lines[107], "   短道风量Qs(m^3/s):    150.00");
        EXPECT_EQ(lines[121], "001500.000      02      20.000");
        EXPECT_EQ(lines[122], "002600.000      01      10.000");
    });
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(ShaftJetOutput, UnnamedProjectIsRefused) {
    open([&](frmShaftAndJet& w, frmVentParam&) {
        modPublic::ProjectFile = "";
        platform::msgbox::script(platform::vbOK);
        w.cmdReport.userClick();
        platform::msgbox::script(platform::vbOK);
        w.cmdTable.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 2u);
        EXPECT_EQ(platform::msgbox::log()[0].prompt, "请先保存项目！");
        EXPECT_EQ(platform::msgbox::log()[1].prompt, "请先保存项目！");
        EXPECT_FALSE(Forms::isLoaded<frmReportControl>());
        modPublic::ProjectFile = test_stage::appFolder() + "/proj.vnt";
    });
    EXPECT_FALSE(fs::exists(report));
    EXPECT_FALSE(fs::exists(table));
    EXPECT_TRUE(platform::textviewer::log().empty());
}

// ---- Control table ----

void pickAndOk(frmReportControl& d, int year, const std::vector<int>& cases, int speed) {
    test_support::pickReportOptions(d, {year}, cases, {speed}, true);
}

TEST_F(ShaftJetOutput, TableBlocksWithTheLeastPowerPairAndTheWindowOnIt) {
    open([&](frmShaftAndJet& w, frmVentParam& step2) {
        w.MultiPage1.userClick(0);
        w.cmbCounte.userType("1");
        w.cmbCountb.userType("2");
        w.chkQb.userClick();
        ASSERT_EQ(w.chkQb.Value(), 0);
        const std::string year = req.lstTraffic.ListItems(1).Text();
        const int caseBefore = step2.lstCase.ListIndex();
        const std::string qeBefore = w.txtQQ_e.Text(), qbBefore = w.txtQQ_b.Text();
        test_stage::onModal<frmReportControl>([](frmReportControl& d) { pickAndOk(d, 0, {0, 2}, 1); });
        w.cmdTable.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        expectGbkCrLf(table, "特征年:");
        EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{table});
        const std::vector<std::string> lines = linesOf(table);
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[0], "特征年:" + year);
        EXPECT_EQ(lines[1], "单向正常交通工况:");
        EXPECT_EQ(lines[2], "混合车:" + req.txtNN.Text());
        EXPECT_EQ(lines[3].rfind("工况车速:80km/h,   ", 0), 0u) << lines[3];
        EXPECT_EQ(lines[4], "全阻滞工况:");
        EXPECT_EQ(lines[5].rfind("工况车速:分段组合, ", 0), 0u) << lines[5];
        EXPECT_EQ(lines[6], kStars);
        EXPECT_EQ(lines[7], kStars);
        // The table leaves the engineer's design as it was: the box unticked, step 2 on its case.
        EXPECT_EQ(w.chkQb.Value(), 0);
        EXPECT_EQ(step2.lstCase.ListIndex(), caseBefore);
        // The counts chosen stay, and the flows they give.
        EXPECT_EQ(w.cmbCounte.Text(), "1");
        EXPECT_EQ(w.cmbCountb.Text(), "2");
        EXPECT_EQ(w.txtQQ_e.Text(), qeBefore);
        EXPECT_EQ(w.txtQQ_b.Text(), qbBefore);
        const std::string& last = lines[5];
        if (last.find("Qreq:") == std::string::npos) {
            EXPECT_EQ(last, "工况车速:分段组合, 无满足条件的风机组合");
        }
    });
}

TEST_F(ShaftJetOutput, TableOfAFailingDemandIsQuietAndSaysWhy) {
    open([&](frmShaftAndJet& w, frmVentParam&) {
        w.MultiPage1.userClick(0);
        w.txtShaftPile.userType("1");
        test_stage::onModal<frmReportControl>([](frmReportControl& d) { pickAndOk(d, 0, {0}, 1); });
        w.cmdTable.userClick();
        // Not a box per balance: the line names the reason.
        EXPECT_TRUE(platform::msgbox::log().empty());
        const std::vector<std::string> lines = linesOf(table);
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_EQ(lines[3], "工况车速:80km/h,   需风量无法计算：竖井桩号不在隧道桩号范围内，请检查！");
        // Quiet only while the table runs: the demand speaks again.
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculateSectionQQ_req.userClick();
        test_support::expectOneMessage({.prompt = "竖井桩号不在隧道桩号范围内，请检查！"});
    });
}

TEST_F(ShaftJetOutput, ClosingTheOptionsDialogWritesAndChangesNothing) {
    open([&](frmShaftAndJet& w, frmVentParam& step2) {
        w.MultiPage1.userClick(0);
        w.chkQb.userClick();
        const int ticked = w.chkQb.Value();
        const std::string qe = w.txtQQ_e.Text(), year = req.txtYear.Text();
        const int caseRow = step2.lstCase.ListIndex();
        test_stage::onModal<frmReportControl>([](frmReportControl& d) {
            d.lstYear.userClick(1);
            d.lstCase.userClick(0);
            Forms::unload(d, platform::vbFormControlMenu);
        });
        w.cmdTable.userClick();
        EXPECT_FALSE(Forms::isLoaded<frmReportControl>());
        EXPECT_EQ(w.chkQb.Value(), ticked);
        EXPECT_EQ(w.txtQQ_e.Text(), qe);
        EXPECT_EQ(req.txtYear.Text(), year);
        EXPECT_EQ(step2.lstCase.ListIndex(), caseRow);
    });
    EXPECT_FALSE(fs::exists(table));
    EXPECT_TRUE(platform::textviewer::log().empty());
    EXPECT_TRUE(platform::msgbox::log().empty());
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The several-shafts window's curve, jet fans, group dialog and report, reached as a designer reaches
// them: the template project saved into the test folder, step 2 opened from the main window, Next with
// the several-shafts scheme, the sections formed from the template's two shafts.
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "multishaft/frmSetMSJetPile.h"
#include "platform/Cad.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "tests/support/list_rows.h"
#include "tests/support/scheme_step.h"
#include "tests/support/drawn_texts.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/written_files.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace cad = platform::cad;
using platform::Forms;
using test_support::drawnTexts;
using test_support::Row;
using test_support::rowsOf;

class MultiShaftOutput : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::saveTemplateProject(req);
        report = test_stage::appFolder() + "/proj_多竖井送排式结合射流风机通风.rpt";
    }

    /// Step 2 from the main window, this window from step 2 (scheme 4) with its sections formed from the
    /// template's shafts; `script` acts on the window, which is then left by "<-- 上一步".
    void open(const std::function<void(frmMultiShaftAndJet&)>& script) {
        EXPECT_TRUE(
            test_support::openScheme<frmMultiShaftAndJet>(req, 4, [&](frmMultiShaftAndJet& w, frmVentParam&) {
                w.cmdShaftSection.userClick();
                script(w);
            }));
    }

    static void addGroup(frmMultiShaftAndJet& w, const std::string& station, const std::string& count,
                         const std::string& rise) {
        w.pgMain.userClick(2);
        w.txtPile.userType(station);
        w.txtJetNumPerTeam.userType(count);
        w.txtPress.userType(rise);
        w.cmdAdd.userClick();
    }

    frmReq& req = Forms::instance<frmReq>();
    std::string report;
};

// ---- Curve ----

TEST_F(MultiShaftOutput, CurveFromTheFormedSectionsAndItsRefusals) {
    open([&](frmMultiShaftAndJet& w) {
        ASSERT_EQ(w.lstShaftSection.ListItems.Count(), 5);
        // No group yet: said, nothing built.
        w.lstJet.ListItems.Clear();
        platform::msgbox::script(platform::vbOK);
        w.cmdDrawPressCurve.userClick();
        test_support::expectOneMessage(
            {.prompt = "绘制曲线或提取压力值前，请设置风机信息！", .title = "出错！"});
        EXPECT_EQ(w.PressionCurve, nullptr);

        // A group on the entrance portal passes.
        w.lstJet.ListItems.Clear();
        addGroup(w, vb::CStr(modPublic::StartPile), "2", "40");
        w.cmdDrawPressCurve.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 1u);
        ASSERT_NE(w.PressionCurve, nullptr);
        const int zetas = Forms::instance<frmVentParam>().lstzeta.ListItems.Count();
        const std::size_t events = 1 + 2 * 2 + static_cast<std::size_t>(zetas);
        EXPECT_EQ(w.EventPoints.size(), events);
        EXPECT_EQ(w.PressionCurve->pressPoints().size(), 2 * events + 2);
        EXPECT_EQ(w.PressionCurve->cPoints().size(), 10u);
        const std::size_t m = static_cast<std::size_t>(req.lstSection.ListItems.Count()) + 2 * 2 + 1;
        EXPECT_EQ(w.PressionCurve->vPoints().size(), 2 * m - 2);
        for (const jetfan::CurvePointArray* curve :
             {&w.PressionCurve->pressPoints(), &w.PressionCurve->vPoints(), &w.PressionCurve->cPoints()}) {
            for (std::size_t k = 1; k < curve->size(); ++k) {
                EXPECT_LE((*curve)[k - 1].station, (*curve)[k].station) << k;
            }
        }
        // The entrance and the exit of the right line close the pressure curve.
        EXPECT_EQ(w.PressionCurve->pressPoints().front().station, modPublic::StartPile);
        EXPECT_EQ(w.PressionCurve->pressPoints().back().station, modPublic::EndPile);
        EXPECT_EQ(drawnTexts("压力(Pa)"), 1);
        EXPECT_EQ(drawnTexts("速度(m/s)"), 1);
        EXPECT_EQ(drawnTexts("浓度C(%)"), 1);

        // A group a millimetre past the exit: said, the last curve stays.
        const jetfan::CurvePointArray last = w.PressionCurve->pressPoints();
        addGroup(w, vb::CStr(modPublic::EndPile + 0.001), "2", "40");
        platform::msgbox::script(platform::vbOK);
        w.cmdDrawPressCurve.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 2u);
        EXPECT_EQ(platform::msgbox::log()[1].prompt, "射流风机桩号超出隧道桩号范围，请检查！");
        EXPECT_EQ(w.PressionCurve->pressPoints().size(), last.size());
        EXPECT_EQ(drawnTexts("压力(Pa)"), 1);
    });
}

// ---- Jet fans of a section and the group list ----

namespace {

/// The first section on the section page with its stations, a design speed of 2 m/s, the resistance,
/// natural-wind and traffic pressures given, and fans hung at 1.2 m.
void showFirstSection(frmMultiShaftAndJet& w, const char* dpr, const char* dpm, const char* dpt) {
    w.pgMain.userClick(1);
    w.lstShaftSection.select(1);
    test_support::TypeInto{{w.txtPile1, w.lstShaftSection.ListItems(1).Text()},
                           {w.txtPile2, w.lstShaftSection.ListItems(1).SubItems(1)},
                           {w.txtv_r, "2"},
                           {w.txtdeltap_r, dpr},
                           {w.txtdeltap_m, dpm},
                           {w.txtdeltap_t, dpt},
                           {w.txtZZ_j, "1.2"}};
}

} // namespace

TEST_F(MultiShaftOutput, ModelChoiceSizesTheSelectedSectionAndWritesItsRow) {
    ASSERT_GE(modPublic::JetModels.UBound(), 1u);
    open([&](frmMultiShaftAndJet& w) {
        showFirstSection(w, "200", "10", "20");
        const std::string row3 = w.lstShaftSection.ListItems(3).SubItems(15);
        w.cmbJetModel.userSelect(0);
        const JetFanModel& model = modPublic::JetModels(1);
        EXPECT_EQ(w.txtFlow.Text(), vb::CStr(model.Flow));
        EXPECT_EQ(w.txtDD_j.Text(), vb::CStr(model.DD));
        // The speed is taken over the area as shown, three decimals.
        EXPECT_EQ(w.txtvj.Text(), vb::Format(model.Flow / vb::Val(w.txtAA_j.Text()), "0.000"));
        EXPECT_EQ(w.txteta.Text().size(), 5u);
        const double dpj = vb::Val(w.txtdeltap_j.Text());
        ASSERT_GT(dpj, 0);
        // Row 1 on the right line: the first shaft's exhaust rise counts (its cell reads 0 in the template).
        const double need = 200 + 10 - 20 - vb::Val(w.lstShaft.ListItems(1).SubItems(5));
        const double fans = vb::Val(w.txtjetcount.Text());
        // The count is the least whole number of fans that make up the need.
        EXPECT_GE(fans * dpj, need - 1e-9);
        EXPECT_LT((fans - 1) * dpj, need);
        const Row row = test_support::rowOf(w.lstShaftSection, 1, 16);
        EXPECT_EQ(row[13], model.JetName);
        EXPECT_EQ(row[14], w.txtdeltap_j.Text());
        EXPECT_EQ(row[15], w.txtjetcount.Text());
        // Another row is not touched.
        EXPECT_EQ(w.lstShaftSection.ListItems(3).SubItems(15), row3);

        // The hanging height changes η alone.
        const std::string count = w.txtjetcount.Text();
        w.txtZZ_j.userType("0.3");
        EXPECT_EQ(w.txteta.Text(), "0.850");
        EXPECT_EQ(w.txtjetcount.Text(), count);
    });
}

TEST_F(MultiShaftOutput, ASectionTheTrafficCarriesNeedsNoFanAndSaysWhy) {
    ASSERT_GE(modPublic::JetModels.UBound(), 1u);
    open([&](frmMultiShaftAndJet& w) {
        // The traffic force exceeds the losses by several fans' rise: 0 fans, not a negative count.
        showFirstSection(w, "20", "0", "200");
        w.cmbJetModel.userSelect(0);
        ASSERT_GT(vb::Val(w.txtdeltap_j.Text()), 0);
        EXPECT_EQ(w.txtjetcount.Text(), "0");
        EXPECT_EQ(w.lstShaftSection.ListItems(1).SubItems(15), "0");
        EXPECT_EQ(w.lblJetNote.Caption(), "交通通风力与竖井风口升压力已足以克服本区段阻力，不需要射流风机。");
        // A section that needs fans shows no such note.
        w.txtdeltap_t.userType("20");
        w.txtdeltap_r.userType("200");
        w.cmbJetModel.userSelect(0);
        EXPECT_GT(vb::Val(w.txtjetcount.Text()), 0);
        EXPECT_EQ(w.lblJetNote.Caption(), "");
        // A design speed above the outlet speed gives a fan no rise: no count, and why.
        w.txtv_r.userType("100");
        w.cmbJetModel.userSelect(0);
        EXPECT_EQ(w.txtjetcount.Text(), "");
        EXPECT_EQ(w.lblJetNote.Caption(),
                  "单台射流风机升压力Δpj不大于0（设计风速不低于出口风速或未选型号），不能确定风机数量。");
    });
}

TEST_F(MultiShaftOutput, TheFansOfASectionMakeUpItsWholeNeedInTheBoxesRowDialogAndReport) {
    open([&](frmMultiShaftAndJet& w) {
        // The template's first section with the 1120 model: 62.48 Pa over 14.221 Pa a fan is 4.39; four
        // fans would leave it 5.6 Pa short.
        w.pgMain.userClick(1);
        w.lstShaftSection.userItemClick(1);
        w.cmbJetModel.userType("1120型射流风机");
        const double need = vb::Val(w.txtdeltap_r.Text()) + vb::Val(w.txtdeltap_m.Text()) -
                            vb::Val(w.txtdeltap_t.Text()) - vb::Val(w.lstShaft.ListItems(1).SubItems(5));
        EXPECT_NEAR(need / vb::Val(w.txtdeltap_j.Text()), 4.39, 0.01);
        EXPECT_EQ(w.txtjetcount.Text(), "5");
        EXPECT_EQ(w.lstShaftSection.ListItems(1).SubItems(15), "5");
        test_stage::onModal<frmSetMSJetPile>([&](frmSetMSJetPile& d) {
            d.cmbSectionNo.userSelect(0);
            EXPECT_EQ(d.txtTeamNum.Text(), "3"); // five fans, two a group
            d.ccmdCancel.userClick();
        });
        w.pgMain.userClick(2);
        w.cmdAutoLayout.userClick();
        w.cmdReport.userClick();
        const std::vector<std::string> lines =
            textfile::ReadLines(report).value_or(std::vector<std::string>{});
        const auto block = std::find(lines.begin(), lines.end(), "■ 区段1 ■");
        ASSERT_NE(block, lines.end());
        EXPECT_NE(std::find(block, block + 22, "      风机数量(台):      5"), block + 22);
    });
}

TEST_F(MultiShaftOutput, GroupListKeepsTheOrderOfTravel) {
    open([&](frmMultiShaftAndJet& w) {
        w.lstJet.ListItems.Clear();
        addGroup(w, "12500", "2", "30");
        addGroup(w, "11300", "2", "31");
        addGroup(w, "11400", "1", "32");
        EXPECT_EQ(rowsOf(w.lstJet, 3),
                  (std::vector<Row>{{"11300", "2", "31"}, {"11400", "1", "32"}, {"12500", "2", "30"}}));
        w.lstJet.userItemClick(2);
        EXPECT_EQ(w.txtPile.Text(), "11400");
        EXPECT_EQ(w.txtPress.Text(), "32");
        // Updating with a new station does not move the row.
        w.txtPile.userType("13000");
        w.cmdUpdate.userClick();
        EXPECT_EQ(w.lstJet.ListItems(2).Text(), "13000");
        w.cmdDelete.userClick();
        EXPECT_EQ(w.lstJet.ListItems.Count(), 2);
        w.cmdClearAll.userClick();
        EXPECT_EQ(w.lstJet.ListItems.Count(), 0);
        EXPECT_TRUE(platform::msgbox::log().empty());
    });
}

// ---- Group dialog ----

TEST_F(MultiShaftOutput, GroupDialogLaysOutASectionAndItsCloseBoxAddsNothing) {
    open([&](frmMultiShaftAndJet& w) {
        w.lstJet.ListItems.Clear();
        w.pgMain.userClick(1);
        w.txtjetcount.userType("7");
        w.txtdeltap_j.userType("12.5");
        const std::string start = w.lstShaftSection.ListItems(3).Text();
        test_stage::onModal<frmSetMSJetPile>([&](frmSetMSJetPile& d) {
            EXPECT_EQ(d.Caption(), "设置风机桩号");
            ASSERT_EQ(d.cmbSectionNo.ListCount(), 3);
            EXPECT_EQ(d.cmbSectionNo.List(0), "1");
            EXPECT_EQ(d.cmbSectionNo.List(2), "5");
            EXPECT_EQ(d.txtTeamNum.Text(), "7");
            // Nothing chosen, or a row that is no section of the list: "布置" places nothing rather than
            // groups from station 0, and names the box to fill.
            for (const char* typed : {"", "9"}) {
                d.cmbSectionNo.setText(typed);
                test_support::expectOneMessageOf(
                    [&d] { d.ccmdOK.userClick(); },
                    {.prompt = "请先在\"选择区段\"中选择要布置射流风机的区段！", .title = "出错！"});
                EXPECT_EQ(w.lstJet.ListItems.Count(), 0) << typed;
            }
            platform::msgbox::reset();

            d.cmbSectionNo.userSelect(1);
            EXPECT_EQ(d.txtSectionStartPile.Text(), start);
            EXPECT_EQ(w.lstShaftSection.SelectedIndex(), 3);
            // Showing the section sized its fans; the proposal follows the fans per group.
            w.txtjetcount.setSilently("7");
            d.txtJetNumPerTeam.userType("3");
            EXPECT_EQ(d.txtTeamNum.Text(), "3");
            d.txtJetNumPerTeam.userType("2");
            EXPECT_EQ(d.txtTeamNum.Text(), "4"); // 7 fans, 2 a group: odd, one more
            w.txtjetcount.setSilently("8");
            d.txtJetNumPerTeam.userType("3");
            EXPECT_EQ(d.txtTeamNum.Text(), "2");
            d.txtJetNumPerTeam.userType("2");
            d.txtTeamNum.userType("3");
            d.ccmdOK.userClick();
            // Each group rises by the section's rise of one fan times 2, at full precision.
            const std::string rise = vb::CStr(vb::Val(w.txtdeltap_j.Text()) * 2);
            const double s = vb::Val(start);
            EXPECT_EQ(rowsOf(w.lstJet, 3), (std::vector<Row>{{vb::CStr(s + 203), "2", rise},
                                                             {vb::CStr(s + 333), "2", rise},
                                                             {vb::CStr(s + 463), "2", rise}}));
            EXPECT_TRUE(Forms::isLoaded(d));
            d.ccmdCancel.userClick();
        });
        w.pgMain.userClick(2);
        w.cmdAutoLayout.userClick();
        EXPECT_FALSE(Forms::isLoaded<frmSetMSJetPile>());
        EXPECT_EQ(w.lstJet.ListItems.Count(), 3);

        // The close box is a cancel: a section chosen, nothing laid out.
        test_stage::onModal<frmSetMSJetPile>([&](frmSetMSJetPile& d) {
            d.cmbSectionNo.userSelect(0);
            Forms::unload(d, platform::vbFormControlMenu);
        });
        w.pgMain.userClick(2);
        w.cmdAutoLayout.userClick();
        EXPECT_FALSE(Forms::isLoaded<frmSetMSJetPile>());
        EXPECT_EQ(w.lstJet.ListItems.Count(), 3);
        EXPECT_TRUE(platform::msgbox::log().empty());
    });
}

TEST_F(MultiShaftOutput, GroupDialogOnTheLeftLineStartsAtTheHigherStation) {
    req.optLeftLine.set(true);
    open([&](frmMultiShaftAndJet& w) {
        w.lstJet.ListItems.Clear();
        w.pgMain.userClick(1);
        w.txtdeltap_j.userType("10");
        const std::string end = w.lstShaftSection.ListItems(1).SubItems(1);
        test_stage::onModal<frmSetMSJetPile>([&](frmSetMSJetPile& d) {
            d.cmbSectionNo.userSelect(0);
            EXPECT_EQ(d.txtSectionStartPile.Text(), end);
            d.txtTeamNum.userType("2");
            d.ccmdOK.userClick();
            d.ccmdOK.userClick(); // twice: the groups twice
            d.ccmdCancel.userClick();
        });
        w.pgMain.userClick(2);
        w.cmdAutoLayout.userClick();
        const double e = vb::Val(end);
        const std::string rise = vb::CStr(vb::Val(w.txtdeltap_j.Text()) * 2);
        EXPECT_EQ(rowsOf(w.lstJet, 3), (std::vector<Row>{{vb::CStr(e - 203), "2", rise},
                                                         {vb::CStr(e - 203), "2", rise},
                                                         {vb::CStr(e - 333), "2", rise},
                                                         {vb::CStr(e - 333), "2", rise}}));
    });
}

TEST_F(MultiShaftOutput, GroupDialogKeepsTheOrderOfAddingOneByOneAndRefusesTooManyGroups) {
    open([&](frmMultiShaftAndJet& w) {
        w.lstJet.ListItems.Clear();
        w.pgMain.userClick(1);
        w.txtdeltap_j.userType("10");
        const double s = vb::Val(w.lstShaftSection.ListItems(3).Text());
        // Two groups typed at the station of the dialog's second group.
        addGroup(w, vb::CStr(s + 333), "1", "X");
        addGroup(w, vb::CStr(s + 333), "1", "Y");
        test_stage::onModal<frmSetMSJetPile>([&](frmSetMSJetPile& d) {
            d.cmbSectionNo.userSelect(1);
            d.txtJetNumPerTeam.userType("2");
            d.txtTeamNum.userType("3");
            d.ccmdOK.userClick();
            // The first group arrives before the typed pair, and the list's exchange sort turns the pair.
            const std::string rise = vb::CStr(vb::Val(w.txtdeltap_j.Text()) * 2);
            EXPECT_EQ(rowsOf(w.lstJet, 3), (std::vector<Row>{{vb::CStr(s + 203), "2", rise},
                                                             {vb::CStr(s + 333), "1", "Y"},
                                                             {vb::CStr(s + 333), "1", "X"},
                                                             {vb::CStr(s + 333), "2", rise},
                                                             {vb::CStr(s + 463), "2", rise}}));
            EXPECT_EQ(w.txtPile.Text(), vb::CStr(s + 463));
            EXPECT_TRUE(platform::msgbox::log().empty());

            // Beyond the limit: said once, nothing laid out; at the limit every group is laid out.
            d.txtTeamNum.userType("1001");
            platform::msgbox::script(platform::vbOK);
            d.ccmdOK.userClick();
            test_support::expectOneMessage(
                {.prompt = "射流风机组的数量 1001 超过上限 1000，请检查输入或文件。", .title = "出错"});
            EXPECT_EQ(w.lstJet.ListItems.Count(), 5);
            d.txtTeamNum.userType("1000");
            d.ccmdOK.userClick();
            EXPECT_EQ(platform::msgbox::log().size(), 1u);
            ASSERT_EQ(w.lstJet.ListItems.Count(), 1005);
            for (int i = 2; i <= w.lstJet.ListItems.Count(); ++i) {
                ASSERT_LE(vb::Val(w.lstJet.ListItems(i - 1).Text()), vb::Val(w.lstJet.ListItems(i).Text()));
            }
            d.ccmdCancel.userClick();
        });
        w.pgMain.userClick(2);
        w.cmdAutoLayout.userClick();
    });
}

// ---- Report ----

TEST_F(MultiShaftOutput, ReportPrintsWhatTheWindowShowsInGbkWithCrLf) {
    open([&](frmMultiShaftAndJet& w) {
        w.lstJet.ListItems.Clear();
        addGroup(w, "11850", "2", "23.5");
        w.pgMain.userClick(1);
        w.txtTotalPower.userType("812.5");
        w.lstShaft.select(1);
        w.cmdReport.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{report});
        test_support::expectGbkCrLf(report, "■■竖井及轴流风机信息■■");
        const std::vector<std::string> lines =
            textfile::ReadLines(report).value_or(std::vector<std::string>{});
        // Two shaft blocks of 53 lines; the three sections with a model in blocks of 21 lines, the two
        // short passages without one in blocks of 12.
        ASSERT_EQ(lines.size(), 4u + 2 * 53 + 3 + 3 * 21 + 2 * 12 + 7 + 1 + 1);
        EXPECT_EQ(lines.back(), w.lblTip.Caption());
        EXPECT_EQ(lines[0], std::string(29, ' ') + req.txtProjectName.Text() +
                                "多竖井送排式结合射流风机通风方式计算报告");
        EXPECT_EQ(lines[8], "             竖井桩号(m):" + w.lstShaft.ListItems(1).Text());
        EXPECT_EQ(lines[61], "             竖井桩号(m):" + w.lstShaft.ListItems(2).Text());
        EXPECT_EQ(lines[4 + 2 * 53 + 3 + 1], "■ 区段1 ■");
        EXPECT_EQ(lines[4 + 2 * 53 + 3 + 11], "射流风机选择常用型号:    1120型射流风机");
        EXPECT_EQ(lines[4 + 2 * 53 + 3 + 21 + 1], "■ 区段2 ■");
        EXPECT_EQ(lines[4 + 2 * 53 + 3 + 21 + 11], "未配置射流风机调压！");
        EXPECT_EQ(lines[lines.size() - 8], "该工况总耗电功率(kW):812.5");
        EXPECT_EQ(lines[lines.size() - 2], "011850.0000223.500");
        // The boxes show the last shaft, and it is the selected one: "更新" writes it onto itself.
        EXPECT_EQ(w.txtShaftPile.Text(), w.lstShaft.ListItems(2).Text());
        EXPECT_EQ(w.lstShaft.SelectedIndex(), 2);
        EXPECT_EQ(w.lstShaftSection.SelectedIndex(), 5);

        // Written again, the same file is replaced, not appended to.
        w.cmdReport.userClick();
        EXPECT_EQ(textfile::ReadLines(report).value_or(std::vector<std::string>{}).size(), lines.size());
    });
}

TEST_F(MultiShaftOutput, TheFansAmbientPressureIsCaptionedInKpaAsItIsUsed) {
    open([&](frmMultiShaftAndJet& w) {
        std::vector<std::string> shown;
        for (const QLabel* label : w.window()->findChildren<QLabel*>()) {
            if (label->text().contains("大气压p1")) {
                shown.push_back(label->text().toStdString());
            }
        }
        for (int column : {11, 28}) {
            shown.push_back(w.lstShaft.ColumnHeaders(column).Text());
        }
        w.cmdReport.userClick();
        for (const std::string& line : textfile::ReadLines(report).value_or(std::vector<std::string>{})) {
            if (line.find("大气压p1") != std::string::npos) {
                shown.push_back(line);
            }
        }
        // Two boxes, two headers, and a line for each fan of the template's two shafts.
        ASSERT_EQ(shown.size(), 2u + 2 + 4);
        for (const std::string& text : shown) {
            EXPECT_NE(text.find("p1(kPa)"), std::string::npos) << text;
        }
    });
}

TEST_F(MultiShaftOutput, ReportOfAnUnnamedProjectIsRefused) {
    open([&](frmMultiShaftAndJet& w) {
        modPublic::ProjectFile = "";
        platform::msgbox::script(platform::vbOK);
        w.cmdReport.userClick();
        test_support::expectOneMessage({.prompt = "请先保存项目！"});
        EXPECT_TRUE(platform::textviewer::log().empty());
    });
    EXPECT_FALSE(textfile::ReadBytes(report).has_value());
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The several-shafts window reached as a designer reaches it: the template project saved into the test
// folder, step 2 opened from the main window, Next with the several-shafts scheme. The shaft list, the
// sections and their air demand, and the .msj file.
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "multishaft/frmSetMSJetPile.h"
#include "multishaft/multishaft.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "tests/support/list_rows.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;
using test_support::Row;
using test_support::rowsOf;

std::string msjPath() {
    return test_stage::appFolder() + "/proj.msj";
}

std::string templatePath() {
    return test_stage::appFolder() + "/ConfigFiles/Normal.msj";
}

class MultiShaftWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // The template project (start 10000, end 15235), saved under a name.
        test_support::saveTemplateProject(req);
    }

    /// Opens step 2 from the main window and this window from step 2 with its Next (scheme 4); `before`
    /// acts on step 2 first, `script` on the window, which is then left by "<-- 上一步".
    void open(const std::function<void(frmMultiShaftAndJet&)>& script,
              const std::function<void(frmVentParam&)>& before = {}) {
        EXPECT_TRUE(test_support::openScheme<frmMultiShaftAndJet>(
            req, 4, [&](frmMultiShaftAndJet& w, frmVentParam&) { script(w); }, before));
        EXPECT_FALSE(Forms::isLoaded<frmMultiShaftAndJet>());
    }

    /// Adds a shaft through the boxes of page 1.
    static void addShaft(frmMultiShaftAndJet& w, const std::string& station, const std::string& ds) {
        w.txtShaftPile.userType(station);
        w.txtds.userType(ds);
        w.cmdAddShaft.userClick();
    }

    static std::vector<Row> sections(frmMultiShaftAndJet& w) { return rowsOf(w.lstShaftSection, 3); }

    frmReq& req = Forms::instance<frmReq>();
};

// ---- Opening ----

TEST_F(MultiShaftWindow, OpensFromTheTemplateAndLeavesItsOwnFile) {
    ASSERT_FALSE(fs::exists(msjPath()));
    open([](frmMultiShaftAndJet& w) {
        EXPECT_EQ(w.Caption(), "Step 3: 多竖井送排式与射流风机组合通风方式");
        EXPECT_TRUE(w.IsModal());
        ASSERT_EQ(w.lstShaft.ColumnHeaders.Count(), 39);
        EXPECT_EQ(w.lstShaft.ColumnHeaders(1).Text(), "桩号(m)");
        EXPECT_EQ(w.lstShaft.ColumnHeaders(35).Text(), "短道长度ds(m)");
        EXPECT_EQ(w.lstShaft.ColumnHeaders(39).Text(), "送风机数量");
        ASSERT_EQ(w.lstShaftSection.ColumnHeaders.Count(), 16);
        EXPECT_EQ(w.lstShaftSection.ColumnHeaders(5).Text(), "新鲜空气两Qf(m^3/s)");
        EXPECT_EQ(w.lstShaftSection.ColumnHeaders(16).Width(),
                  w.lstShaftSection.ColumnHeaders(15).Width() / 2);
        ASSERT_EQ(w.lstJet.ColumnHeaders.Count(), 3);
        EXPECT_EQ(w.lstJet.ColumnHeaders(3).Text(), "升压力");
        for (platform::ComboBox* box : {&w.cmbCounte, &w.cmbCountb}) {
            ASSERT_EQ(box->ListCount(), 5);
            EXPECT_EQ(box->List(0), "0");
            EXPECT_EQ(box->List(4), "4");
            EXPECT_EQ(box->Text(), "");
        }
        ASSERT_EQ(w.cmbJetModel.ListCount(), static_cast<int>(modPublic::JetModels.UBound()));
        // The template's two shafts are listed; the boxes keep their design-time texts.
        ASSERT_EQ(w.lstShaft.ListItems.Count(), 2);
        EXPECT_EQ(w.lstShaft.ListItems(1).Text(), "11800");
        EXPECT_EQ(w.lstShaft.ListItems(2).SubItems(34), "60");
        test_support::ExpectTexts{{w.txtShaftPile, ""}, {w.txtQQ_e, "280"},   {w.txtv_e, "6"},
                                  {w.txtKK_e, "0.9"},   {w.txtdeltap_b, "5"}, {w.txtSSkw_b, "400"},
                                  {w.txtQe, "120"},     {w.txtds, "60"},      {w.txtZZ_j, "1.2"}};
        EXPECT_EQ(w.chkKnowQr1.Value(), 0);
        EXPECT_EQ(w.txtShaftPile.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_EQ(w.cmbJetModel.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_NE(w.txtQQ_e.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_EQ(w.pgMain.Pages(0).Caption(), "竖井及风机信息");
        EXPECT_EQ(w.pgMain.Pages(1).Caption(), "通风区段");
        EXPECT_EQ(w.pgMain.Pages(2).Caption(), "射流风机布置");
        EXPECT_EQ(w.cmdShaftSection.Caption(), "形成通风区段");
        EXPECT_EQ(w.cmdAxialFanDesign.Caption(), "轴流风机动力设计");
        EXPECT_EQ(w.chkKnowQr1.Caption(), "第I区段设计风量已知");
    });
    // Leaving wrote the template's content under the project's name.
    EXPECT_EQ(textfile::ReadBytes(msjPath()), textfile::ReadBytes(templatePath()));
    EXPECT_TRUE(platform::msgbox::log().empty());
}

// The template's three groups of two, as the dialog proposes them, hold one fan more than section 1's five.
TEST_F(MultiShaftWindow, TheGroupsAreJudgedAgainstTheirSection) {
    open([](frmMultiShaftAndJet& w) {
        EXPECT_EQ(w.lblTip.Caption(), "区段1：布置6台与所需5台不符！");
        w.pgMain.userClick(1);
        w.lstShaftSection.userItemClick(1);
        w.cmbJetModel.userSelect(1);
        // The 900 fan gives 9.395 Pa: 62.48 / 9.395 asks 7 fans of groups laid out for 14.22 Pa each.
        EXPECT_EQ(w.lblTip.Caption(), "区段1：布置6台与所需7台不符，3组升压力与本组台数×Δpj=9.395Pa不符！");
    });
}

// ---- Shaft list editing ----

TEST_F(MultiShaftWindow, TotalFlowFromOneFanAndTheCount) {
    open([](frmMultiShaftAndJet& w) {
        w.cmbCounte.userType("2");
        EXPECT_EQ(w.txtQQ_e.Text(), "240");
        w.cmbCounte.userSelect(3);
        EXPECT_EQ(w.txtQQ_e.Text(), "360");
        w.cmbCounte.userType("");
        EXPECT_EQ(w.txtQQ_e.Text(), "0");
        w.txtQb.userType("33.5");
        w.cmbCountb.userType("3");
        EXPECT_EQ(w.txtQQ_b.Text(), "100.5");
    });
}

TEST_F(MultiShaftWindow, AddUpdateDeleteKeepTheOrderTyped) {
    open([](frmMultiShaftAndJet& w) {
        w.lstShaft.ListItems.Clear();
        // Every box empty: a row of empty cells.
        w.txtShaftPile.userType("");
        w.txtds.userType("");
        w.txtQQ_e.userType("");
        w.cmdAddShaft.userClick();
        ASSERT_EQ(w.lstShaft.ListItems.Count(), 1);
        EXPECT_EQ(w.lstShaft.ListItems(1).Text(), "");
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(1), "");
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(34), "");
        w.lstShaft.ListItems.Clear();
        // An empty list has no selected row: update and delete change nothing.
        w.cmdUpdateShaft.userClick();
        w.cmdDeleteShaft.userClick();
        EXPECT_EQ(w.lstShaft.ListItems.Count(), 0);

        w.cmbCounte.userType("2");
        addShaft(w, "3000", "40");
        w.cmbCounte.userType("3");
        addShaft(w, "2000", "60");
        ASSERT_EQ(w.lstShaft.ListItems.Count(), 2);
        EXPECT_EQ(w.lstShaft.ListItems(1).Text(), "3000");
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(1), "240");
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(36), "2");
        EXPECT_EQ(w.lstShaft.ListItems(2).Text(), "2000");
        EXPECT_EQ(w.lstShaft.ListItems(2).SubItems(1), "360");
        EXPECT_EQ(w.lstShaft.ListItems(2).SubItems(3), "6");
        EXPECT_EQ(w.lstShaft.ListItems(2).SubItems(35), "120");

        // Showing row 1 copies it back; the count and flow give the total again.
        w.lstShaft.userItemClick(1);
        test_support::ExpectTexts{
            {w.txtShaftPile, "3000"}, {w.txtds, "40"}, {w.cmbCounte, "2"}, {w.txtQQ_e, "240"}};
        w.txtv_e.userType("7");
        w.cmdUpdateShaft.userClick();
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(3), "7");
        EXPECT_EQ(w.lstShaft.ListItems(2).SubItems(3), "6");
        w.cmdDeleteShaft.userClick();
        ASSERT_EQ(w.lstShaft.ListItems.Count(), 1);
        EXPECT_EQ(w.lstShaft.ListItems(1).Text(), "2000");
    });
}

TEST_F(MultiShaftWindow, PassageRatiosByLineDirection) {
    auto check = [&](bool leftLine, const char* qe, const char* qb) {
        open([&](frmMultiShaftAndJet& w) {
            // Before any section: the ratios keep their text.
            w.lstShaftSection.ListItems.Clear();
            w.txtratio_Qe_Qr1.set("x");
            w.lstShaft.userItemClick(1);
            EXPECT_EQ(w.txtratio_Qe_Qr1.Text(), "x");
            for (int r = 1; r <= 5; ++r) {
                w.lstShaftSection.ListItems.Add(std::to_string(r));
            }
            w.lstShaftSection.ListItems(1).setSubItems(3, "480.00");
            w.lstShaftSection.ListItems(3).setSubItems(3, "500.00");
            w.lstShaft.ListItems(1).setSubItems(1, "240");
            w.lstShaft.ListItems(1).setSubItems(17, "250");
            // 120 × 2 and 125 × 2: the copied counts differ from the empty combos, so the totals are their
            // products, 240 and 250.
            w.lstShaft.ListItems(1).setSubItems(35, "120");
            w.lstShaft.ListItems(1).setSubItems(36, "2");
            w.lstShaft.ListItems(1).setSubItems(37, "125");
            w.lstShaft.ListItems(1).setSubItems(38, "2");
            w.lstShaft.userItemClick(1);
            EXPECT_EQ(w.txtratio_Qe_Qr1.Text(), qe);
            EXPECT_EQ(w.txtratio_Qb_Qr2.Text(), qb);
            // Shaft 2 on the right line: row 5 has Qr 0, so Qb/Qr2 keeps its text.
            w.lstShaftSection.ListItems.Clear();
        });
    };
    req.optRightLine.set(true);
    check(false, "0.5", "0.5");
    req.optLeftLine.set(true);
    // Qr1 from row 3 (500) and Qr2 from row 1 (480).
    check(true, "0.48", "0.520833333333333");
}

// ---- Sections and their air demand ----

TEST_F(MultiShaftWindow, SectionsFromTheShaftsOfTheTemplateTunnel) {
    for (bool leftLine : {false, true}) {
        (leftLine ? req.optLeftLine : req.optRightLine).set(true);
        open([](frmMultiShaftAndJet& w) {
            w.lstShaft.ListItems.Clear();
            addShaft(w, "12000", "40");
            addShaft(w, "13000", "60");
            w.cmdShaftSection.userClick();
            const std::vector<Row> rows = rowsOf(w.lstShaftSection, 2);
            const std::vector<Row> want = {{"10000", "11980"},
                                           {"11980", "12020"},
                                           {"12020", "12970"},
                                           {"12970", "13030"},
                                           {"13030", "15235"}};
            EXPECT_EQ(rows, want);
            EXPECT_EQ(w.lstShaftSection.ListItems(2).SubItems(8), "");
        });
        EXPECT_TRUE(platform::msgbox::log().empty());
    }
}

TEST_F(MultiShaftWindow, ShaftsThatCannotFormSectionsAreNamed) {
    open([](frmMultiShaftAndJet& w) {
        w.lstShaft.ListItems.Clear();
        addShaft(w, "12000", "40");
        w.cmdShaftSection.userClick();
        const std::vector<Row> formed = rowsOf(w.lstShaftSection, 3);
        ASSERT_EQ(formed.size(), 3u);
        addShaft(w, "11000", "40");
        platform::msgbox::script(platform::vbOK);
        w.cmdShaftSection.userClick();
        test_support::expectOneMessage(
            {.prompt = "第2个竖井的桩号不大于前一个竖井的桩号，请按桩号从小到大的顺序输入竖井！",
             .title = "出错！"});
        // The sections of the last sound shaft list stay.
        EXPECT_EQ(rowsOf(w.lstShaftSection, 3), formed);
    });
}

TEST_F(MultiShaftWindow, DemandOfEveryRowByTheCaseOfStep2) {
    std::vector<Row> normal;
    open(
        [&](frmMultiShaftAndJet& w) {
            w.cmdShaftSection.userClick();
            normal = sections(w);
            ASSERT_EQ(normal.size(), 5u);
            for (const Row& row : normal) {
                double dsp = vb::Val(row[0]);
                double dep = vb::Val(row[1]);
                EXPECT_EQ(row[2], vb::Format(req.GetSectionQreq(dsp, dep, 1), "0.00"));
            }
            EXPECT_GT(vb::Val(normal[0][2]), 0);
        },
        [](frmVentParam& step2) {
            step2.lstCase.setListIndex(0);
            step2.chkExchange.set(0);
        });
    // 1 km congestion from 10100 to 11100, typed instead of searched: only the first row (10000 to 11770)
    // holds part of it.
    req.chkBlock.set(0);
    req.txtBlockStartPile.set("10100");
    req.txtBlockEndPile.set("11100");
    open(
        [&](frmMultiShaftAndJet& w) {
            w.cmdShaftSection.userClick();
            const std::vector<Row> rows = sections(w);
            ASSERT_EQ(rows.size(), 5u);
            EXPECT_EQ(rows[0][2], vb::Format(req.GetSectionQreq(10100.0, 11100.0, 4), "0.00"));
            EXPECT_NE(rows[0][2], "0.00");
            for (std::size_t r = 1; r < rows.size(); ++r) {
                EXPECT_EQ(rows[r][2], "0.00");
            }
            // The rows keep their own stations.
            EXPECT_EQ(rows[0][0], "10000");
        },
        [](frmVentParam& step2) { step2.lstCase.setListIndex(3); });
}

TEST_F(MultiShaftWindow, AirChangeDemandReplacesEveryRowOnlyWhenLarger) {
    // A high air-change rate makes the tunnel's air-change demand govern.
    std::vector<Row> rows;
    open(
        [&](frmMultiShaftAndJet& w) {
            const double exchange = req.GetExchangeSectionQreq(modPublic::StartPile, modPublic::EndPile);
            w.cmdShaftSection.userClick();
            rows = sections(w);
            double traffic = 0;
            for (const Row& row : rows) {
                traffic += req.GetSectionQreq(vb::Val(row[0]), vb::Val(row[1]), 1);
            }
            const bool governs = traffic < exchange;
            for (const Row& row : rows) {
                const double q = governs ? req.GetExchangeSectionQreq(vb::Val(row[0]), vb::Val(row[1]))
                                         : req.GetSectionQreq(vb::Val(row[0]), vb::Val(row[1]), 1);
                EXPECT_EQ(row[2], vb::Format(q, "0.00"));
            }
        },
        [](frmVentParam& step2) {
            step2.lstCase.setListIndex(0);
            step2.chkExchange.set(1);
        });
}

// ---- The scheme file ----

TEST_F(MultiShaftWindow, EverythingComesBackAndIsWrittenAgainUnchanged) {
    open([](frmMultiShaftAndJet& w) {
        w.cmbCountb.userType("3");
        addShaft(w, "14000", "");
        w.cmdShaftSection.userClick();
        w.txtTotalPower.set("812.5");
        w.pgMain.userClick(1);
        w.chkKnowQr1.userClick();
        w.txtCertanQr1.userType("480");
        w.txtdeltap_j.set("12.25");
        w.txtjetcount.set("4");
        test_support::setRows(w.lstJet, {{"10500", "2", "24.5"}});
    });
    const auto first = textfile::ReadBytes(msjPath());
    ASSERT_TRUE(first);
    open([](frmMultiShaftAndJet& w) {
        ASSERT_EQ(w.lstShaft.ListItems.Count(), 3);
        EXPECT_EQ(w.lstShaft.ListItems(3).Text(), "14000");
        EXPECT_EQ(w.lstShaft.ListItems(3).SubItems(34), "");
        EXPECT_EQ(w.lstShaft.ListItems(3).SubItems(17), "360");
        ASSERT_EQ(w.lstShaftSection.ListItems.Count(), 7);
        EXPECT_EQ(w.lstShaftSection.ListItems(6).Text(), "14000");
        EXPECT_EQ(w.txtTotalPower.Text(), "812.5");
        EXPECT_EQ(w.chkKnowQr1.Value(), 1);
        EXPECT_EQ(w.txtCertanQr1.Text(), "480");
        EXPECT_EQ(w.txtdeltap_j.Text(), "12.25");
        EXPECT_EQ(w.txtjetcount.Text(), "4");
        ASSERT_EQ(w.lstJet.ListItems.Count(), 1);
        EXPECT_EQ(w.lstJet.ListItems(1).SubItems(2), "24.5");
        w.pgMain.userClick(1);
        w.chkKnowQr1.userClick();
    });
    open([](frmMultiShaftAndJet& w) { EXPECT_EQ(w.chkKnowQr1.Value(), 0); });
    open([](frmMultiShaftAndJet& w) {
        w.pgMain.userClick(1);
        w.chkKnowQr1.userClick();
    });
    EXPECT_EQ(textfile::ReadBytes(msjPath()), first);
}

TEST_F(MultiShaftWindow, AReopenedWindowShowsTheStoredDesign) {
    std::string eta, rise;
    open([&](frmMultiShaftAndJet& w) {
        // The 1120 model chosen in the three sections, the short passages left without one, then the
        // sections formed again.
        w.cmdShaftSection.userClick();
        w.pgMain.userClick(1);
        for (int r : {1, 3, 5}) {
            w.lstShaftSection.userItemClick(r);
            w.cmbJetModel.userType("1120型射流风机");
        }
        w.pgMain.userClick(0);
        w.cmdShaftSection.userClick();
        for (int r : {2, 4}) {
            EXPECT_EQ(w.lstShaftSection.ListItems(r).SubItems(13), "") << r;
            EXPECT_NE(w.lstShaftSection.ListItems(r).SubItems(15), "1") << r;
        }
        eta = w.txteta.Text();
        rise = w.lstShaftSection.ListItems(5).SubItems(14);
        ASSERT_EQ(w.txtdeltap_j.Text(), rise);
    });
    const auto saved = textfile::ReadBytes(msjPath());
    open([&](frmMultiShaftAndJet& w) {
        // The last section shown, as it was computed: its model, position factor and rise.
        EXPECT_EQ(w.lstShaftSection.SelectedIndex(), 5);
        test_support::ExpectTexts{{w.txtPile1, w.lstShaftSection.ListItems(5).Text()},
                                  {w.cmbJetModel, "1120型射流风机"},
                                  {w.txtDD_j, "1.12"},
                                  {w.txteta, eta},
                                  {w.txtdeltap_j, rise}};
        EXPECT_EQ(eta, "0.876");
    });
    EXPECT_EQ(textfile::ReadBytes(msjPath()), saved);
}

TEST_F(MultiShaftWindow, AReopenedWindowShowsTheSectionItWasLeftOn) {
    // Sections 3 and 5 of the template hold the same rise and count: the figures alone cannot tell them.
    for (int shown : {3, 5, 1}) {
        open([&](frmMultiShaftAndJet& w) {
            w.pgMain.userClick(1);
            w.lstShaftSection.userItemClick(shown);
        });
        open([&](frmMultiShaftAndJet& w) {
            EXPECT_EQ(w.lstShaftSection.SelectedIndex(), shown);
            EXPECT_EQ(w.txtPile1.Text(), w.lstShaftSection.ListItems(shown).Text()) << shown;
        });
    }
    // A file written before the shown section was stored ends with the groups: its section is found by
    // the figures in the jet-fan boxes, as before.
    std::string older = textfile::ReadBytes(templatePath()).value();
    older.erase(older.rfind("1\r\n"));
    ASSERT_TRUE(textfile::WriteAtomically(msjPath(), older));
    open([](frmMultiShaftAndJet& w) { EXPECT_EQ(w.lstShaftSection.SelectedIndex(), 1); });
}

TEST_F(MultiShaftWindow, TheCloseBoxWritesTheFileToo) {
    test_stage::onModal<frmVentParam>([&](frmVentParam& step2) {
        step2.cmbNextStep.setListIndex(4);
        test_stage::onModal<frmMultiShaftAndJet>([&](frmMultiShaftAndJet& w) {
            addShaft(w, "14500", "30");
            Forms::unload(w);
        });
        step2.cmdNextStep.userClick();
        step2.cmdReturn.userClick();
    });
    req.cmdNextStep.userClick();
    open([](frmMultiShaftAndJet& w) {
        ASSERT_EQ(w.lstShaft.ListItems.Count(), 3);
        EXPECT_EQ(w.lstShaft.ListItems(3).Text(), "14500");
    });
}

TEST_F(MultiShaftWindow, AMissingTemplateLeavesTheListsEmpty) {
    fs::remove(templatePath());
    open([](frmMultiShaftAndJet& w) {
        EXPECT_EQ(w.lstShaft.ListItems.Count(), 0);
        EXPECT_EQ(w.lstShaftSection.ListItems.Count(), 0);
        EXPECT_EQ(w.txtQQ_e.Text(), "280");
    });
    // Leaving writes the empty scheme: eight records.
    const auto bytes = textfile::ReadBytes(msjPath());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::count(bytes->begin(), bytes->end(), '\n'), 8);
}

TEST_F(MultiShaftWindow, ShortAndDamagedFilesNeverStopTheWindow) {
    const std::string whole = textfile::ReadBytes(templatePath()).value();
    std::mt19937 random(20240612);
    std::vector<std::string> damaged;
    for (std::size_t n = 0; n < whole.size(); n += 23) {
        damaged.push_back(whole.substr(0, n));
    }
    for (int k = 0; k < 20; ++k) {
        std::string bytes = whole;
        for (int j = 0; j < 8; ++j) {
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        }
        damaged.push_back(bytes);
    }
    damaged.push_back("\"t\"\r\n30000\r\n\"1\"\r\n");
    damaged.push_back(std::string(3000, '"'));
    for (const std::string& bytes : damaged) {
        ASSERT_TRUE(textfile::WriteAtomically(msjPath(), bytes));
        open([](frmMultiShaftAndJet& w) { EXPECT_LE(w.lstShaft.ListItems.Count(), 2); });
        platform::msgbox::reset();
    }
}

TEST_F(MultiShaftWindow, AFileThatCannotBeWrittenIsSaid) {
    fs::create_directory(msjPath());
    platform::msgbox::script(platform::vbOK);
    platform::msgbox::script(platform::vbOK);
    open([](frmMultiShaftAndJet&) {});
    ASSERT_FALSE(platform::msgbox::log().empty());
    EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
    EXPECT_NE(platform::msgbox::log()[0].prompt.find("多竖井通风方案文件未能保存"), std::string::npos);
}

/// Writes the template `Normal.msj` through the window's own controls and SaveFile, from step 2 as the
/// engineer comes, into the folder named by ARIDANE_TEMPLATE_OUT (else the test's own folder), and holds
/// it to the shipped file. To regenerate the shipped file:
///   ARIDANE_TEMPLATE_OUT=<source>/ConfigFiles multishaft_window_tests --gtest_filter='*MakeTemplate*'
TEST(MultiShaftTemplate, MakeTemplate) {
    frmReq& req = Forms::instance<frmReq>();
    const std::string dir = test_support::templateOutFolder("Normal.msj");
    // The scheme is worked in a folder of its own, so that the window starts from nothing and only the
    // scheme file reaches `dir` (step 2 writes its own file beside the project).
    const fs::path work = fs::path(test_stage::appFolder()) / "msj_template";
    fs::create_directories(work);
    modPublic::ProjectFile = (work / "Normal.vnt").string();
    ASSERT_TRUE(
        test_support::openScheme<frmMultiShaftAndJet>(req, 4, [&](frmMultiShaftAndJet& w, frmVentParam&) {
            // Two shafts with two exhaust and two supply fans of 120 m³/s each, 250 Pa of opening, shaft and
            // duct loss on either side (as the shaft-exhaust template has), fans at 20 °C and 101.325 kPa
            // with an efficiency of 0.8; the other boxes as the window offers them.
            for (const char* station : {"11800", "13500"}) {
                test_support::TypeInto{{w.txtShaftPile, station}, {w.txtp_de, "250"},  {w.txtp_db, "250"},
                                       {w.txtt1_e, "20"},         {w.txtt1_b, "20"},   {w.txtp1_e, "101.325"},
                                       {w.txtp1_b, "101.325"},    {w.txteta_e, "0.8"}, {w.txteta_b, "0.8"}};
                w.cmbCounte.userType("2");
                w.cmbCountb.userType("2");
                w.cmdAddShaft.userClick();
            }
            ASSERT_EQ(w.lstShaft.ListItems(1).SubItems(1), "240");
            // The sections, then the 1120 model 1.2 m below the crown in each of the three sections; the
            // short passages between the openings of a shaft hold no jet fan and get no model.
            w.cmdShaftSection.userClick();
            w.pgMain.userClick(1);
            w.txtZZ_j.userType("1.2");
            for (int r : {1, 3, 5}) {
                w.lstShaftSection.userItemClick(r);
                w.cmbJetModel.userType("1120型射流风机");
            }
            // Only the first section needs fans: 5 of 14.22 Pa for its 62.48 Pa. The dialog lays them out in
            // the groups it proposes, three of two fans, as it offers them: the first 203 m past the
            // entrance, 130 m apart. The traffic and the first shaft's supply opening carry the other two.
            ASSERT_EQ(w.lstShaftSection.ListItems(1).SubItems(15), "5");
            ASSERT_EQ(w.lstShaftSection.ListItems(3).SubItems(15), "0");
            ASSERT_EQ(w.lstShaftSection.ListItems(5).SubItems(15), "0");
            test_stage::onModal<frmSetMSJetPile>([](frmSetMSJetPile& d) {
                d.cmbSectionNo.userSelect(0);
                ASSERT_EQ(d.txtTeamNum.Text(), "3");
                d.ccmdOK.userClick();
                d.ccmdCancel.userClick();
            });
            w.pgMain.userClick(2);
            w.cmdAutoLayout.userClick();
            ASSERT_EQ(w.lstJet.ListItems.Count(), 3);
            // The shafts' fans on the curve of this layout, and the scheme's total power.
            w.pgMain.userClick(0);
            w.cmdAxialFanDesign.userClick();
            EXPECT_TRUE(platform::msgbox::log().empty());
        }));
    EXPECT_TRUE(platform::msgbox::log().empty());
    fs::copy_file(work / "Normal.msj", fs::path(dir) / "Normal.msj", fs::copy_options::overwrite_existing);
    test_support::expectShippedTemplate(dir, "Normal.msj");
    Forms::destroyAll();
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The several-shafts window reached through step 2 on the template project: the design flow found by the
// search, the section pressures and opening rises, the jet-fan models kept over a rebuild, and the design
// of the shafts' axial fans.
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "tests/support/written_files.h"
#include "platform/vb.h"
#include "shaft/shaft_and_jet.h"
#include "tests/support/duct_loss_dialog.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/test_stage.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace {

using platform::Forms;
using platform::ListItem;

double cell(platform::ListView& list, int row, int column) {
    return vb::Val(column == 0 ? list.ListItems(row).Text() : list.ListItems(row).SubItems(column));
}

class MultiShaftFlows : public ::testing::Test {
protected:
    void SetUp() override { test_support::saveTemplateProject(req); }

    void open(const std::function<void(frmMultiShaftAndJet&)>& script,
              const std::function<void(frmVentParam&)>& before = {}) {
        EXPECT_TRUE(test_support::openScheme<frmMultiShaftAndJet>(
            req, 4, [&](frmMultiShaftAndJet& w, frmVentParam&) { script(w); }, before));
    }

    /// The fan data a design needs on every shaft row: temperature, pressure and both efficiencies.
    static void fanData(frmMultiShaftAndJet& w) {
        for (int i = 1; i <= w.lstShaft.ListItems.Count(); ++i) {
            ListItem& row = w.lstShaft.ListItems(i);
            for (int c : {9, 26}) {
                row.setSubItems(c, "20");
            }
            for (int c : {10, 27}) {
                row.setSubItems(c, "101.325");
            }
            for (int c : {11, 28}) {
                row.setSubItems(c, "0.8");
            }
        }
    }

    frmReq& req = Forms::instance<frmReq>();
};

// ---- Design flow ----

TEST_F(MultiShaftFlows, TheSearchFindsTheFirstAcceptedFlowOfTheTemplate) {
    for (bool leftLine : {false, true}) {
        (leftLine ? req.optLeftLine : req.optRightLine).set(true);
        open(
            [&](frmMultiShaftAndJet& w) {
                w.cmdShaftSection.userClick();
                platform::ListView& s = w.lstShaftSection;
                const int m = s.ListItems.Count();
                ASSERT_EQ(m, 5);
                // The start of the search from the unrounded demands and the shafts' supply.
                double total = 0;
                for (int r = 1; r <= m; ++r) {
                    total += req.GetSectionQreq(cell(s, r, 0), cell(s, r, 1), 1);
                }
                const double sumQb = cell(w.lstShaft, 1, 17) + cell(w.lstShaft, 2, 17);
                const double q12 = cell(s, 1, 2) + cell(s, 2, 2);
                const double start = total - sumQb > q12 ? total - sumQb : q12;
                const int first = leftLine ? m : 1;
                const std::string flow = s.ListItems(first).SubItems(3);
                const double x = vb::Val(flow);
                const double steps = (x - start) / 2;
                EXPECT_NEAR(steps, std::round(steps), 1e-6) << flow;
                EXPECT_GE(steps, -1e-9);
                // Qr through the shafts in the direction of traffic, two decimals.
                const int passage1 = 2, after1 = leftLine ? 1 : 3, before1 = leftLine ? 3 : 1;
                EXPECT_EQ(s.ListItems(passage1).SubItems(3),
                          vb::Format(cell(s, before1, 3) - cell(w.lstShaft, 1, 1), "0.00"));
                EXPECT_EQ(s.ListItems(after1).SubItems(3),
                          vb::Format(cell(s, passage1, 3) + cell(w.lstShaft, 1, 17), "0.00"));
                for (int r = 1; r <= m; ++r) {
                    EXPECT_GT(cell(s, r, 3), 0);
                    EXPECT_LE(cell(s, r, 6), 1);
                    EXPECT_LE(cell(s, r, 7), 1);
                    EXPECT_EQ(s.ListItems(r).SubItems(5),
                              vb::Format(cell(s, r, 3) / req.GetAA_r((cell(s, r, 0) + cell(s, r, 1)) * 0.5),
                                         "0.00"));
                }
                // The flow 2 m³/s below was refused (unless the search accepted its first trial).
                if (steps > 0.5) {
                    EXPECT_FALSE(w.TrySectionFlows(x - 2));
                    EXPECT_TRUE(w.TrySectionFlows(x));
                }
            },
            [](frmVentParam& step2) {
                step2.lstCase.setListIndex(0);
                step2.chkExchange.set(0);
            });
        EXPECT_TRUE(platform::msgbox::log().empty());
    }
}

TEST_F(MultiShaftFlows, ASearchRefusedAThousandTimesStopsTheCalculation) {
    open([](frmMultiShaftAndJet& w) {
        // An exhaust no trial flow can feed: the short passage's air would run backwards.
        w.lstShaft.ListItems(1).setSubItems(1, "100000");
        const std::string dpe = w.lstShaft.ListItems(1).SubItems(5);
        ASSERT_NE(w.txtTotalPower.Text(), "");
        platform::msgbox::script(platform::vbOK);
        w.cmdShaftSection.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 1u);
        EXPECT_EQ(platform::msgbox::log()[0].prompt,
                  "二分法迭代失败，计算结果不能作为设计依据。请检查输入条件是否正确！");
        EXPECT_EQ(platform::msgbox::log()[0].title, "");
        EXPECT_EQ(platform::msgbox::log()[0].buttons, platform::vbOKOnly);
        for (int r = 1; r <= w.lstShaftSection.ListItems.Count(); ++r) {
            EXPECT_NE(w.lstShaftSection.ListItems(r).SubItems(3), "");
            for (int c = 10; c <= 15; ++c) {
                EXPECT_EQ(w.lstShaftSection.ListItems(r).SubItems(c), "") << r << "," << c;
            }
        }
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(5), dpe);
        EXPECT_EQ(w.txtTotalPower.Text(), ""); // its sections' fans are gone
        // The last trial was the start value + 1998.
        EXPECT_LT(w.lstShaftSection.ListItems(2).SubItems(3).front(), '0');
    });
}

TEST_F(MultiShaftFlows, AGivenFlowIsComputedThroughAndARefusalIsSaid) {
    open([](frmMultiShaftAndJet& w) {
        w.pgMain.userClick(1);
        w.chkKnowQr1.userClick();
        w.txtCertanQr1.userType("1.5");
        w.pgMain.userClick(0);
        platform::msgbox::script(platform::vbOK);
        w.cmdShaftSection.userClick();
        EXPECT_EQ(w.lstShaftSection.ListItems(1).SubItems(3), "1.5");
        ASSERT_GE(platform::msgbox::log().size(), 1u);
        EXPECT_NE(platform::msgbox::log()[0].prompt.find("不能作为设计依据"), std::string::npos);
        // The pressures are computed with it all the same.
        EXPECT_NE(w.lstShaftSection.ListItems(1).SubItems(10), "");
    });
}

// ---- Section pressures and opening rises ----

TEST_F(MultiShaftFlows, SectionPressuresAndOpeningRisesOfTheTemplate) {
    for (bool leftLine : {false, true}) {
        (leftLine ? req.optLeftLine : req.optRightLine).set(true);
        open(
            [&](frmMultiShaftAndJet& w) {
                w.cmdShaftSection.userClick();
                EXPECT_DOUBLE_EQ(w.zeta_rukou, modPublic::zeta_e);
                platform::ListView& s = w.lstShaftSection;
                platform::ListView& sh = w.lstShaft;
                const double rho = modPublic::rho;
                const double qn = modPublic::v_n * req.GetAA_r(vb::Val(req.txtStartPile.Text()) +
                                                               modPublic::PileDirection * 0.0001);
                // Right line: row 1 entrance reaching shaft 1, row 3 between shafts 1 and 2, row 5 exit.
                // Left line: row 5 entrance reaching shaft 2, row 3 between 2 and 1, row 1 exit.
                struct Expect {
                    int row, type, fencha, heliu; // shafts giving the branch and merge loss, 0 none
                };
                const Expect right[] = {{1, 1, 1, 0}, {2, 2, 0, 0}, {3, 2, 2, 1}, {4, 2, 0, 0}, {5, 3, 0, 2}};
                const Expect left[] = {{5, 1, 2, 0}, {4, 2, 0, 0}, {3, 2, 1, 2}, {2, 2, 0, 0}, {1, 3, 0, 1}};
                for (const Expect& e : leftLine ? left : right) {
                    const double a = cell(s, e.row, 0), b = cell(s, e.row, 1), qr = cell(s, e.row, 3);
                    const double zf = e.fencha != 0 ? cell(sh, e.fencha, 16) : 0;
                    const double zh = e.heliu != 0 ? cell(sh, e.heliu, 33) : 0;
                    EXPECT_EQ(s.ListItems(e.row).SubItems(10),
                              vb::Format(req.GetYANCHENGDeltap_r_m(a, b, modPublic::lambda_r, rho, qr,
                                                                   static_cast<vb::Integer>(e.type),
                                                                   modPublic::zeta_e, zf, zh),
                                         "0.00"))
                        << e.row;
                    EXPECT_EQ(s.ListItems(e.row).SubItems(11),
                              vb::Format(req.GetYANCHENGDeltap_r_m(a, b, modPublic::lambda_r, rho, qn,
                                                                   static_cast<vb::Integer>(e.type),
                                                                   e.type == 1 ? 0.6 : 0, 0, 0),
                                         "0.00"))
                        << e.row;
                    EXPECT_EQ(s.ListItems(e.row).SubItems(12),
                              vb::Format(req.GetYANCHENGDeltap_t1(a, b, qr, modPublic::AA_m, rho, 1, false),
                                         "0.00"))
                        << e.row;
                }
                // The rises at both openings of every shaft, from the rows around its passage.
                const int dir = leftLine ? -1 : 1;
                for (int i = 1; i <= 2; ++i) {
                    const double st = cell(sh, i, 0), ds = cell(sh, i, 34);
                    const int u = leftLine ? 2 * i + 1 : 2 * i - 1, d = leftLine ? 2 * i - 1 : 2 * i + 1;
                    const double qr1 = cell(s, u, 3), qr2 = cell(s, d, 3);
                    const double vr1 = qr1 / req.GetAA_r(st - dir * ds / 2);
                    const double vr2 = qr2 / req.GetAA_r(st + dir * ds / 2);
                    EXPECT_EQ(sh.ListItems(i).SubItems(5),
                              vb::Format(shaft::ExhaustOpeningRise(cell(sh, i, 1), qr1, cell(sh, i, 4),
                                                                   cell(sh, i, 3), vr1, rho),
                                         "0.00"));
                    EXPECT_EQ(sh.ListItems(i).SubItems(22),
                              vb::Format(shaft::SupplyOpeningRise(cell(sh, i, 17), qr2, cell(sh, i, 20),
                                                                  cell(sh, i, 19), cell(sh, i, 21), vr2, rho),
                                         "0.00"));
                }
                EXPECT_NE(sh.ListItems(1).SubItems(5), "");
                // After the jet fans of every row the last row is the selected one.
                EXPECT_EQ(s.SelectedIndex(), 5);
            },
            [](frmVentParam& step2) { step2.lstCase.setListIndex(0); });
    }
}

TEST_F(MultiShaftFlows, ARiseThatCannotBeComputedIsEmptiedAndSaid) {
    open([](frmMultiShaftAndJet& w) {
        w.lstShaft.ListItems(1).setSubItems(21, "五度");
        w.lstShaft.ListItems(1).setSubItems(22, "12.00");
        platform::msgbox::script(platform::vbOK);
        w.cmdShaftSection.userClick();
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(22), "");
        EXPECT_NE(w.lstShaft.ListItems(2).SubItems(22), "");
        ASSERT_EQ(platform::msgbox::log().size(), 1u);
        EXPECT_EQ(platform::msgbox::log()[0].title, "出错！");
        EXPECT_NE(platform::msgbox::log()[0].prompt.find("喷流角β不是数值"), std::string::npos);
    });
}

TEST_F(MultiShaftFlows, EveryRowGetsItsRememberedModelBack) {
    open([](frmMultiShaftAndJet& w) {
        ASSERT_GE(w.cmbJetModel.ListCount(), 3);
        w.cmdShaftSection.userClick();
        const std::string third = w.cmbJetModel.List(2);
        w.lstShaftSection.ListItems(1).setSubItems(13, third);
        w.lstShaftSection.ListItems(3).setSubItems(13, "no such model");
        // The shafts move: row 1 covers another stretch, and keeps its model.
        w.lstShaft.ListItems(1).setText("11700");
        w.cmdShaftSection.userClick();
        EXPECT_EQ(w.lstShaftSection.ListItems(1).SubItems(13), third);
        // A name the list lacks stays as it was; a row without a model gets none.
        EXPECT_EQ(w.lstShaftSection.ListItems(3).SubItems(13), "no such model");
        EXPECT_EQ(w.lstShaftSection.ListItems(2).SubItems(13), "");
        // A click shows the row and sizes its fans into that same row.
        w.pgMain.userClick(1);
        w.lstShaftSection.userItemClick(1);
        EXPECT_EQ(w.txtPile1.Text(), w.lstShaftSection.ListItems(1).Text());
        EXPECT_EQ(w.txtdeltap_t.Text(), w.lstShaftSection.ListItems(1).SubItems(12));
        EXPECT_EQ(w.cmbJetModel.Text(), third);
        EXPECT_EQ(w.lstShaftSection.ListItems(1).SubItems(15), w.txtjetcount.Text());
    });
}

// ---- Shaft fan design ----

TEST_F(MultiShaftFlows, TheAxialFansOfEveryShaftFromThePressureCurve) {
    for (bool leftLine : {false, true}) {
        (leftLine ? req.optLeftLine : req.optRightLine).set(true);
        open([&](frmMultiShaftAndJet& w) {
            w.cmdShaftSection.userClick();
            w.lstJet.ListItems.Add("10500").setSubItems(1, "2");
            w.lstJet.ListItems(1).setSubItems(2, "20");
            fanData(w);
            w.lstShaft.ListItems(1).setSubItems(6, "300");
            w.lstShaft.select(1);
            w.cmdAxialFanDesign.userClick();
            EXPECT_TRUE(platform::msgbox::log().empty());
            ASSERT_TRUE(w.PressionCurve);
            platform::ListView& sh = w.lstShaft;
            const int dir = leftLine ? -1 : 1;
            const double rho = modPublic::rho;
            double total = 0;
            for (int i = 1; i <= 2; ++i) {
                const double st = cell(sh, i, 0), ds = cell(sh, i, 34);
                EXPECT_EQ(sh.ListItems(i).SubItems(7),
                          vb::Format(w.PressionCurve->GetPressureValue(st - dir * ds / 2), "0.000"));
                EXPECT_EQ(sh.ListItems(i).SubItems(24),
                          vb::Format(w.PressionCurve->GetPressureValue(st + dir * ds / 2), "0.000"));
                const double ve = cell(sh, i, 3), vb_ = cell(sh, i, 19);
                EXPECT_EQ(sh.ListItems(i).SubItems(8),
                          vb::Format((ve * ve * rho * 0.5 + cell(sh, i, 6) - cell(sh, i, 7)) * 1.1, "0.00"));
                EXPECT_EQ(
                    sh.ListItems(i).SubItems(25),
                    vb::Format((vb_ * vb_ * rho * 0.5 + cell(sh, i, 23) + cell(sh, i, 24)) * 1.1, "0.00"));
                // 20 °C and 101.325 kPa: the scaling is 1, Skw = Q1 × ptot / (1000 × 0.8).
                EXPECT_EQ(sh.ListItems(i).SubItems(12),
                          vb::Format(cell(sh, i, 35) * cell(sh, i, 8) / 800, "0.00"));
                EXPECT_EQ(sh.ListItems(i).SubItems(15),
                          vb::Format(cell(sh, i, 14) * cell(sh, i, 12) / cell(sh, i, 13), "0.00"));
                EXPECT_EQ(sh.ListItems(i).SubItems(2), vb::CStr(cell(sh, i, 1) / ve));
                EXPECT_EQ(sh.ListItems(i).SubItems(18), vb::CStr(cell(sh, i, 17) / vb_));
                total += cell(sh, i, 12) * cell(sh, i, 36) + cell(sh, i, 29) * cell(sh, i, 38);
            }
            for (int r = 1; r <= w.lstShaftSection.ListItems.Count(); ++r) {
                total += shaft::CountedJetFans(cell(w.lstShaftSection, r, 15)) * vb::Val(w.txtPower.Text());
            }
            EXPECT_EQ(w.txtTotalPower.Text(), vb::CStr(total));
            // The boxes show the last shaft, and it is the selected one: 更新 writes it back onto itself.
            EXPECT_EQ(w.txtShaftPile.Text(), sh.ListItems(2).Text());
            EXPECT_EQ(sh.SelectedIndex(), 2);
            EXPECT_EQ(sh.ListItems(1).SubItems(6), "300");
        });
    }
}

TEST_F(MultiShaftFlows, TheTemplateDesignsItsFansAndDrawsItsCurveWithoutABox) {
    open([&](frmMultiShaftAndJet& w) {
        const std::string stored = w.txtTotalPower.Text();
        w.cmdShaftSection.userClick();
        w.cmdAxialFanDesign.userClick();
        w.cmdDrawPressCurve.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        // The calculation gives again the design the template holds: five fans of 42 kW in the first
        // section, the shafts' fans on the curve of its three groups.
        EXPECT_EQ(w.txtTotalPower.Text(), stored);
        EXPECT_EQ(stored, "760.02");
    });
}

TEST_F(MultiShaftFlows, EachSectionsJetFansCountAtTheirOwnModelsPower) {
    open([&](frmMultiShaftAndJet& w) {
        // The 1120 model (42 kW) in the first section only: five fans there, none elsewhere, and the
        // last section shown has no model.
        w.cmdShaftSection.userClick();
        w.pgMain.userClick(1);
        for (int r : {5, 3, 1}) {
            w.lstShaftSection.userItemClick(r);
            w.cmbJetModel.userType(r == 1 ? "1120型射流风机" : "");
        }
        w.pgMain.userClick(0);
        w.cmdShaftSection.userClick();
        ASSERT_EQ(w.lstShaftSection.ListItems(1).SubItems(15), "5");
        ASSERT_EQ(w.cmbJetModel.Text(), "");
        w.lstJet.ListItems.Add("10500").setSubItems(1, "2");
        w.lstJet.ListItems(1).setSubItems(2, "20");
        fanData(w);
        w.cmdAxialFanDesign.userClick();
        double shafts = 0;
        for (int i = 1; i <= 2; ++i) {
            shafts += cell(w.lstShaft, i, 12) * cell(w.lstShaft, i, 36) +
                      cell(w.lstShaft, i, 29) * cell(w.lstShaft, i, 38);
        }
        EXPECT_NEAR(vb::Val(w.txtTotalPower.Text()) - shafts, 5 * 42, 1e-9);
    });
}

TEST_F(MultiShaftFlows, APowerThatCannotBeComputedIsSaidAndLeftEmpty) {
    open([&](frmMultiShaftAndJet& w) {
        w.cmdShaftSection.userClick();
        w.lstJet.ListItems.Add("10500").setSubItems(1, "2");
        w.lstJet.ListItems(1).setSubItems(2, "20");
        fanData(w);
        w.lstShaft.ListItems(1).setSubItems(11, "0");
        w.lstShaft.ListItems(1).setSubItems(12, "210");
        w.lstShaft.ListItems(1).setSubItems(15, "261.08");
        platform::msgbox::script(platform::vbOK);
        w.cmdAxialFanDesign.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 1u);
        EXPECT_EQ(platform::msgbox::log()[0].title, "出错！");
        EXPECT_NE(platform::msgbox::log()[0].prompt.find("第1个竖井"), std::string::npos);
        EXPECT_NE(platform::msgbox::log()[0].prompt.find("风机效率η为0"), std::string::npos);
        // The shaft's earlier powers are gone, and with them the total they would have entered.
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(12), "");
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(15), "");
        EXPECT_EQ(w.txtTotalPower.Text(), "");
        // The rest of the shaft is designed.
        EXPECT_NE(w.lstShaft.ListItems(1).SubItems(8), "");
        EXPECT_NE(w.lstShaft.ListItems(1).SubItems(29), "");
    });
}

TEST_F(MultiShaftFlows, WithoutACurveNoFanIsDesigned) {
    open([&](frmMultiShaftAndJet& w) {
        w.cmdShaftSection.userClick();
        w.lstJet.ListItems.Clear();
        w.lstShaft.userItemClick(2);
        ASSERT_EQ(w.txtp_se.Text(), "38.349"); // the template's design
        platform::msgbox::script(platform::vbOK);
        platform::msgbox::script(platform::vbOK);
        w.cmdAxialFanDesign.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 2u);
        EXPECT_EQ(platform::msgbox::log()[1].title, "出错！");
        // Nothing of the earlier design stays in the rows, the boxes or the total, and the report says so.
        for (int i : {1, 2}) {
            for (int column : {2, 7, 8, 12, 15, 18, 24, 25, 29, 32}) {
                EXPECT_EQ(w.lstShaft.ListItems(i).SubItems(column), "") << i << ":" << column;
            }
        }
        for (platform::TextBox* box : {&w.txtp_se, &w.txtp_tote, &w.txtSSkw_e, &w.txtMM1_b}) {
            EXPECT_EQ(box->Text(), "");
        }
        w.cmdReport.userClick();
        const std::vector<std::string> lines =
            test_support::linesOf(test_stage::appFolder() + "/proj_多竖井送排式结合射流风机通风.rpt");
        EXPECT_EQ(std::ranges::count(lines, " 排风口处总升压力pse(Pa):    未计算"), 2);
        EXPECT_EQ(std::ranges::count(lines, "该工况总耗电功率(kW):未计算"), 1);
    });
}

TEST_F(MultiShaftFlows, DuctLossOfBothOpeningsFromTheDuctDialog) {
    open([](frmMultiShaftAndJet& w) {
        w.lstShaft.userItemClick(1);
        const std::string stored = w.lstShaft.ListItems(1).SubItems(6);
        test_support::lossFromDuctDialog(w.cmdCalpde, w.txtp_de, w.txtQQ_e.Text(), "123.45");
        // Only the box: the row keeps its loss until it is updated.
        EXPECT_EQ(w.lstShaft.ListItems(1).SubItems(6), stored);
        test_support::lossFromDuctDialog(w.cmdCalpdb, w.txtp_db, w.txtQQ_b.Text(), "88.00");
    });
}

} // namespace

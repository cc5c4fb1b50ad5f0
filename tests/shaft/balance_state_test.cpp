// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-and-jet window on a new two-way bore typed from 新建: a balance the tunnel cannot be in is
// said in the hint line, and no jet fan or power is sized on it.
#include "shaft/frmShaftAndJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "reqair/frmReportControl.h"
#include "shaft/shaft_and_jet.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/scheme_step.h"
#include "tests/support/test_stage.h"
#include "tests/support/text_fit.h"
#include "tests/support/typed_boxes.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

constexpr const char* kNoFans = "不给出射流风机台数和功率。";

TEST(ShaftJetBalanceState, ReversedPassageAndC3OutsideItsLimitAreNamed) {
    struct Case {
        double qr1, qe, qs, qb, c3;
        bool reversed, c3Outside, impossible;
        const char* hint; // the start of the hint, or "" when there is nothing to say
    };
    const Case cases[] = {
        {39.2, 300, -260.8, 300, -5.22, true, true, true,
         "Qe=300.00大于Qr1=39.20，短道风量Qs=-260.80为负，工况不成立：请减小排风量Qe至不大于Qr1，"
         "不给出射流风机台数和功率。"},
        // Qe equal to Qr1 is a short passage without flow, not a reversed one.
        {100, 100, 0, 50, 1, false, false, false, ""},
        // The balance itself leaves C3 a little above 1 (the short passage's own smoke): 1.02 passes.
        {100, 50, 50, 100, 1.02, false, false, false, ""},
        // Above it the state is real but short of fresh air: said, the fans still sized.
        {100, 50, 50, 100, 1.03, false, true, false,
         "隧道出口内侧处的浓度C3=1.03大于1.02，出口区段新鲜空气不足：请增大送风量Qb=100.00("
         "送风机台数或每台流量)。"},
        {100, 50, 50, 100, -0.1, false, true, true,
         "出口内侧浓度C3=-0.10为负，出口区段无风，工况不成立：请减小排风量Qe=50.00或增大送风量Qb=100.00，"
         "不给出射流风机台数和功率。"},
    };
    for (const Case& c : cases) {
        const shaft::BalanceState s = shaft::CheckBalanceState(c.qr1, c.qe, c.qs, c.qb, c.c3);
        EXPECT_EQ(s.PassageReversed, c.reversed) << c.qe << " " << c.c3;
        EXPECT_EQ(s.C3Outside, c.c3Outside) << c.qe << " " << c.c3;
        EXPECT_EQ(s.Impossible, c.impossible) << c.qe << " " << c.c3;
        EXPECT_EQ(s.Hint, c.hint);
    }
}

class ShaftJetOnTheTwoWayBore : public ::testing::Test {
protected:
    /// The bore from 新建, step 2 on the two-way case, the shaft-and-jet window with the shaft at 6800 and
    /// its section demand; `script` then acts on the window.
    void open(const std::function<void(frmShaftAndJet&)>& script) {
        test_support::TypeNewTunnel(req, test_support::TwoWayBore(), test_stage::appFolder() + "/bore.vnt");
        saidBefore_ = platform::msgbox::log().size();
        EXPECT_TRUE(test_support::openScheme<frmShaftAndJet>(
            req, 3,
            [&](frmShaftAndJet& w, frmVentParam&) {
                w.txtShaftPile.userType("6800");
                w.cmdCalculateSectionQQ_req.userClick();
                script(w);
            },
            [](frmVentParam& step2) { step2.lstCase.setSelected(1, true); }));
    }

    /// Sizes the shaft's fans as set on the first page, lays two jet groups on the third and works the
    /// fan power.
    static void layAndPower(frmShaftAndJet& w) {
        w.cmdCalculatePtot3.userClick();
        w.MultiPage1.userClick(2);
        test_support::layJetGroups("2");
        w.cmdAutoLayout.userClick();
        w.cmdCalPower.userClick();
    }

    /// Boxes shown by the window, beyond the save question of 新建.
    std::size_t said() const { return platform::msgbox::log().size() - saidBefore_; }

    frmReq& req = Forms::instance<frmReq>();
    std::size_t saidBefore_ = 0;
};

TEST_F(ShaftJetOnTheTwoWayBore, AnExhaustAboveSectionIsFlowIsSaidAndNothingIsSizedOnIt) {
    struct Case {
        const char *qe, *counte, *qb, *countb;
        bool possible;
    };
    const Case cases[] = {
        // The template's openings: 300 m³/s drawn out of a section that brings some 40.
        {"150", "2", "150", "2", false},
        // Without the exhaust fans the passage carries section I's air.
        {"150", "0", "150", "2", true},
        // One small exhaust fan below Qr1.
        {"30", "1", "150", "2", true},
        // And back to the impossible pair: the figures of the possible one do not stay.
        {"150", "2", "150", "2", false},
    };
    open([&](frmShaftAndJet& w) {
        // Groups in both sections, so that the fan power has its curve.
        w.MultiPage1.userClick(2);
        test_support::layJetGroups("2");
        w.cmdAutoLayout.userClick();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string("Qe ") + c.qe + "×" + c.counte + ", Qb " + c.qb + "×" + c.countb);
            w.MultiPage1.userClick(0);
            w.txtQe.userType(c.qe);
            w.cmbCounte.userType(c.counte);
            w.txtQb.userType(c.qb);
            w.cmbCountb.userType(c.countb);
            w.cmdCalculatePtot3.userClick();
            w.cmdCalPower.userClick();
            if (c.possible) {
                EXPECT_EQ(w.lblTip.Caption().find(kNoFans), std::string::npos) << w.lblTip.Caption();
                EXPECT_NE(w.txtjetcount1.Text(), "");
                EXPECT_NE(w.txtjetcount2.Text(), "");
                EXPECT_GT(vb::Val(w.txtQQ_s.Text()), 0);
                EXPECT_NE(w.txtTotalPower.Text(), "");
                continue;
            }
            const std::string tip = w.lblTip.Caption();
            {
                // The engineer reads the whole hint.
                const test_support::ProgramFont font;
                for (const std::string& cut : test_support::cutTexts(*w.window())) {
                    EXPECT_EQ(cut.find(kNoFans), std::string::npos) << cut;
                }
            }
            EXPECT_EQ(tip.rfind("Qe=300.00大于Qr1=" + w.txtQQ_r1.Text() + "，短道风量Qs=", 0), 0u) << tip;
            EXPECT_TRUE(tip.ends_with(kNoFans)) << tip;
            // No figure of the state is shown as a result: no flow, speed, concentration or rise of the
            // reversed passage, no jet fans, no fan power.
            for (const platform::TextBox* box :
                 {&w.txtQQ_s, &w.txtv_rs, &w.txtCC_2s, &w.txtQQ_sf, &w.txttotaldeltap_j1,
                  &w.txttotaldeltap_j2, &w.txtjetcount1, &w.txtjetcount2, &w.txtTotalPower, &w.txtSSkw_e,
                  &w.txtSSkw_b, &w.txtMM1_e, &w.txtMM1_b, &w.txtp_tote, &w.txtp_totb}) {
                EXPECT_EQ(box->Text(), "");
            }
            EXPECT_FALSE(vb::Val(w.txtCC_3.Text()) < 0) << w.txtCC_3.Text();
        }
    });
    EXPECT_EQ(said(), 0u);
}

TEST_F(ShaftJetOnTheTwoWayBore, AnOpeningWhoseTunnelPressureMovesItsFlowGetsNoFanPower) {
    open([&](frmShaftAndJet& w) {
        w.MultiPage1.userClick(0);
        test_support::TypeInto{{w.txtQe, "30"}, {w.cmbCounte, "1"}, {w.txtp_de, "300"}};
        layAndPower(w);
        ASSERT_GT(vb::Val(w.txtSSkw_e.Text()), 0) << w.txtp_tote.Text() << " " << w.lblTip.Caption();
        const double withExhaust = vb::Val(w.txtTotalPower.Text());
        // No opening speed and a duct loss no larger than the pressure the tunnel holds at the opening: the
        // fan has nothing to lift. Its design pressure shows; its powers stay empty and count nothing.
        w.MultiPage1.userClick(0);
        w.txtv_e.userType("0");
        w.txtp_de.userType(vb::CStr(vb::Val(w.txtp_se.Text()) - 5));
        w.cmdCalPower.userClick();
        EXPECT_EQ(w.txtp_tote.Text(), "-5.50");
        EXPECT_EQ(w.txtSSkw_e.Text(), "");
        EXPECT_EQ(w.txtMM1_e.Text(), "");
        EXPECT_NE(w.txtSSkw_b.Text(), "");
        const std::string more = "进口区段：布置4台与所需2台不符！";
        EXPECT_EQ(w.lblTip.Caption(),
                  "排风机设计风压不大于0：风口处隧道压力已足以形成该风量，不计算其风机功率和电机功率。 " +
                      more);
        EXPECT_LT(vb::Val(w.txtTotalPower.Text()), withExhaust);
        // Back to a duty: the powers return and the hint goes.
        w.txtv_e.userType("6");
        w.txtp_de.userType("300");
        w.cmdCalPower.userClick();
        EXPECT_NE(w.txtSSkw_e.Text(), "");
        EXPECT_EQ(w.lblTip.Caption(), more);
    });
    EXPECT_EQ(said(), 0u);
}

/// Ticks every item of a list of the options dialog (or only those listed).
void pickOnly(platform::ListBox& list, const std::vector<int>& wanted) {
    for (int i = 0; i < list.ListCount(); ++i) {
        bool want = wanted.empty();
        for (int k : wanted) {
            want = want || k == i;
        }
        if (list.Selected(i) != want) {
            list.userClick(i);
        }
    }
}

TEST_F(ShaftJetOnTheTwoWayBore, TheControlTableLeavesTheDesignAndItsFileAsTheyWere) {
    open([&](frmShaftAndJet& w) {
        frmVentParam& step2 = Forms::instance<frmVentParam>();
        // A design the engineer would keep: one small exhaust fan, two supply fans, the groups laid, the
        // balance and the fan power.
        w.MultiPage1.userClick(0);
        test_support::TypeInto{{w.txtQe, "30"}, {w.cmbCounte, "1"}, {w.txtQb, "150"}, {w.cmbCountb, "2"}};
        layAndPower(w);
        ASSERT_NE(w.txtTotalPower.Text(), "");
        const std::string sj = test_stage::appFolder() + "/bore.sj";
        ASSERT_TRUE(w.SaveFile());
        const auto fileBefore = textfile::ReadBytes(sj);

        // What the engineer sees, in the three windows.
        const std::vector<const platform::TextBox*> shown = {&req.txtYear,
                                                             &req.txtNN,
                                                             &req.txtworkv_t,
                                                             &req.txtQQ_req_CO,
                                                             &req.txtQQ_req_VI,
                                                             &req.txtQQ_req_CO_Bidirection,
                                                             &req.txtQQ_req_VI_Bidirection,
                                                             &step2.txtQQ_req,
                                                             &step2.txtv_r,
                                                             &w.txtQQ_e,
                                                             &w.txtQQ_b,
                                                             &w.txtQQ_r1,
                                                             &w.txtQQ_r2,
                                                             &w.txtjetcount1,
                                                             &w.txtjetcount2,
                                                             &w.txtSSkw_e,
                                                             &w.txtSSkw_b,
                                                             &w.txtp_tote,
                                                             &w.txtTotalPower,
                                                             &w.txtCC_3,
                                                             &w.txttotaldeltap_j2};
        const auto texts = [&] {
            std::vector<std::string> t;
            for (const platform::TextBox* box : shown) {
                t.push_back(box->Text());
            }
            t.push_back(std::to_string(step2.lstCase.ListIndex()));
            t.push_back(std::to_string(w.chkQb.Value()));
            t.push_back(w.lblTip.Caption());
            return t;
        };
        const std::vector<std::string> before = texts();
        // The project as the main window would save it.
        const std::string vnt = test_stage::appFolder() + "/bore.vnt";
        const auto projectFile = [&] {
            req.SaveFile();
            return std::pair{textfile::ReadBytes(vnt),
                             textfile::ReadBytes(test_stage::appFolder() + "/bore.req")};
        };
        const auto projectBefore = projectFile();
        ASSERT_TRUE(projectBefore.first && projectBefore.second);

        // Every design year, every case, two one-way speeds.
        test_stage::onModal<frmReportControl>([](frmReportControl& d) {
            pickOnly(d.lstYear, {});
            pickOnly(d.lstCase, {0, 1, 2, 3});
            pickOnly(d.lstvt, {1, 3});
            if (d.chkOpenReport.Value() == 1) {
                d.chkOpenReport.userClick();
            }
            d.cmdOK.userClick();
        });
        w.cmdTable.userClick();
        EXPECT_EQ(texts(), before);
        ASSERT_TRUE(w.SaveFile());
        EXPECT_EQ(textfile::ReadBytes(sj), fileBefore);
        EXPECT_TRUE(projectFile() == projectBefore);

        // And the design goes on from there as if no table had run.
        w.cmdCalculatePtot3.userClick();
        w.cmdCalPower.userClick();
        EXPECT_EQ(texts(), before);
    });
    EXPECT_EQ(said(), 0u);
}

} // namespace

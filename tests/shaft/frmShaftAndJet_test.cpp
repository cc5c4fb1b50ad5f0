// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-and-jet window reached as a designer reaches it: the template project saved into the test
// folder, step 2 opened from the main window, Next with the shaft-and-jet scheme. Fan flows, the section
// air demand, the pressure balance, the jet fans of the sections, the fan groups and the .sj file.
#include "shaft/frmShaftAndJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/frmSetJetPile.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "shaft/sj_file.h"
#include "tests/support/duct_loss_dialog.h"
#include "tests/support/reopened_tunnel.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shaft_jet_inputs.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/tunnel_stage.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using platform::Forms;

std::string sjPath() {
    return test_stage::appFolder() + "/proj.sj";
}

std::string templatePath() {
    return (fs::path(test_stage::appFolder()) / "ConfigFiles" / "Normal.sj").string();
}

/// Deletes the template's groups row by row, as the engineer starts a layout of his own.
void emptyGroups(frmShaftAndJet& w) {
    while (w.lstJet.ListItems.Count() > 0) {
        w.lstJet.userItemClick(1);
        w.cmdDelete.userClick();
    }
}

class ShaftJetWindow : public ::testing::Test {
protected:
    void SetUp() override { test_support::saveTemplateProject(req); }

    /// Opens step 2 from the main window and this window from step 2 with Next and scheme 3; `script` acts
    /// on the window and leaves it; step 2 is then left by Return.
    void open(const std::function<void(frmShaftAndJet&)>& script) {
        EXPECT_TRUE(test_support::openScheme<frmShaftAndJet>(
            Forms::instance<frmReq>(), 3, [&](frmShaftAndJet& w, frmVentParam&) { script(w); }));
        EXPECT_FALSE(Forms::isLoaded<frmShaftAndJet>());
    }

    shaft::SjFileContents stored() {
        scheme::SchemeReader in;
        EXPECT_TRUE(in.Open(sjPath()));
        return shaft::ReadSjFile(in);
    }

    frmReq& req = Forms::instance<frmReq>();
};

/// A flat tunnel 1000–3000 with one 60 m² section, no friction, no natural wind, no vehicle resistance;
/// shaft 2200, ds 60, Qe 150 (one fan), Qb 250 given (two fans of 125); the demands 200, 300 and 10 of
/// the short passage set after the demand has run.
void flatTunnel(frmShaftAndJet& w) {
    test_support::setFlatTunnel(test_support::shaftJetTunnel());
    Forms::instance<frmVentParam>().chkExchange.setSilently(0);
    test_support::enterShaftJetFlatTunnel(w);
}

// ---- Opening, fan flows ----

TEST_F(ShaftJetWindow, OpensFromTheTemplateAndLeavesItsOwnFile) {
    ASSERT_FALSE(fs::exists(sjPath()));
    open([](frmShaftAndJet& w) {
        EXPECT_EQ(w.Caption(), "Step 3: 单竖井与射流风机组合通风方式");
        EXPECT_TRUE(w.IsModal());
        ASSERT_EQ(w.MultiPage1.PageCount(), 3);
        EXPECT_EQ(w.MultiPage1.Pages(0).Caption(), "竖井及风机信息(S)");
        EXPECT_EQ(w.MultiPage1.Pages(1).Caption(), "通风区段(V)");
        EXPECT_EQ(w.MultiPage1.Pages(2).Caption(), "射流风机布置(J)");
        ASSERT_EQ(w.lstJet.ColumnHeaders.Count(), 3);
        EXPECT_EQ(w.lstJet.ColumnHeaders(3).Text(), "升压力");
        ASSERT_EQ(w.cmbCounte.ListCount(), 5);
        EXPECT_EQ(w.cmbCountb.List(4), "4");
        ASSERT_EQ(w.cmbJetModel1.ListCount(), static_cast<int>(modPublic::JetModels.UBound()));
        EXPECT_EQ(w.cmbJetModel2.List(0), modPublic::JetModels(1).JetName);
        EXPECT_EQ(w.cmdCalculateSectionQQ_req.Caption(), "需风量计算");
        EXPECT_EQ(w.cmdCalculatePtot3.Caption(), "通风计算");
        EXPECT_EQ(w.cmdCalPower.Caption(), "动力计算");
        EXPECT_EQ(w.cmdReport.Caption(), "计算报告书");
        EXPECT_EQ(w.cmdTable.Caption(), "运营控制表");
        EXPECT_EQ(w.Frame1.Caption(), "排风");
        EXPECT_EQ(w.Frame21.Caption(), "射流风机配置");
        EXPECT_EQ(w.chkQb.Caption(), "送风量已知");
        EXPECT_EQ(w.txtShaftPile.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_FALSE(w.txtv_r2.Enabled());
        // The template's texts; its models fill their data from the model table.
        EXPECT_EQ(w.txtShaftPile.Text(), "12600");
        EXPECT_EQ(w.txtQQ_e.Text(), "150");
        EXPECT_EQ(w.chkQb.Value(), 1);
        test_support::ExpectTexts{{w.cmbJetModel1, "1120型射流风机"},
                                  {w.txtFlow1, "33.79"},
                                  {w.txtAA_j2, "0.985"},
                                  {w.txtvj2, "34.305"},
                                  {w.txtetam_b, "0.925"}};
        ASSERT_EQ(w.lstJet.ListItems.Count(), 4);
        EXPECT_EQ(w.lstJet.ListItems(1).Text(), "10200.00");
        EXPECT_EQ(w.lstJet.ListItems(4).SubItems(2), "27.31");
        EXPECT_EQ(w.QQ_req1, 0);
    });
    ASSERT_TRUE(fs::exists(sjPath()));
    EXPECT_EQ(stored().ShaftPile, "12600");
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(ShaftJetWindow, TheTemplateBalancesWithTheFansItsGroupsHold) {
    open([](frmShaftAndJet& w) {
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        // The exhaust stays within what the inlet section brings: the short passage flows forward.
        EXPECT_EQ(w.lblTip.Caption(), "");
        test_support::ExpectTexts{{w.txtQQ_r1, "175.62"}, {w.txtratio_Qe_Qr1, "0.85"}, {w.txtQQ_s, "25.62"}};
        // Each section's groups hold the fans its balance asks for, each group the rise of its fans.
        const double shaft = vb::Val(w.txtShaftPile.Text());
        int fans[2] = {0, 0};
        for (int i = 1; i <= w.lstJet.ListItems.Count(); ++i) {
            platform::ListItem& group = w.lstJet.ListItems(i);
            const int k = vb::Val(group.Text()) < shaft ? 0 : 1;
            const double n = vb::Val(group.SubItems(1));
            fans[k] += static_cast<int>(n);
            const double dpj = vb::Val((k == 0 ? w.txtdeltap_j1 : w.txtdeltap_j2).Text());
            EXPECT_EQ(group.SubItems(2), vb::Format(n * dpj, "0.00")) << group.Text();
        }
        EXPECT_EQ(w.txtjetcount1.Text(), vb::CStr(fans[0]));
        EXPECT_EQ(w.txtjetcount2.Text(), vb::CStr(fans[1]));
        // The fans lift their openings' 250 Pa of duct loss: (0.5·1.01·6² + 250 − 6.644)·1.1 and
        // (0.5·1.01·25² + 250 + 6.170)·1.1; 53.94 + 2·117.93 + 8·42 kW.
        w.cmdCalPower.userClick();
        test_support::ExpectTexts{
            {w.txtp_tote, "287.69"}, {w.txtp_totb, "628.97"}, {w.txtTotalPower, "625.8"}};
    });
    // The file keeps every count and power of the total but not the total itself.
    open([](frmShaftAndJet& w) { EXPECT_EQ(w.txtTotalPower.Text(), "625.8"); });
    // An exhaust fan without duty (no opening speed, no duct loss: (0 + 0 − 6.644)·1.1) counts no power,
    // reopened as well: 2·117.93 + 8·42.
    open([](frmShaftAndJet& w) {
        test_support::TypeInto{{w.txtv_e, "0"}, {w.txtp_de, "0"}};
        w.cmdCalPower.userClick();
        test_support::ExpectTexts{{w.txtp_tote, "-7.31"}, {w.txtSSkw_e, ""}, {w.txtTotalPower, "571.86"}};
    });
    open([](frmShaftAndJet& w) { EXPECT_EQ(w.txtTotalPower.Text(), "571.86"); });
    // Qe 2×100 is more than the inlet section brings: refused, and so again in a new program, unsized.
    const auto refused = [](frmShaftAndJet& w) {
        w.cmdCalPower.userClick();
        EXPECT_EQ(w.lblTip.Caption(), "Qe=200.00大于Qr1=175.62，短道风量Qs=-24.38为负，工况不成立："
                                      "请减小排风量Qe至不大于Qr1，不给出射流风机台数和功率。");
        test_support::ExpectTexts{{w.txtjetcount1, ""}, {w.txtjetcount2, ""}, {w.txtTotalPower, ""}};
    };
    open([&](frmShaftAndJet& w) {
        test_support::TypeInto{{w.txtQe, "100"}, {w.cmbCounte, "2"}, {w.txtv_e, "6"}};
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        refused(w);
    });
    test_support::reopenProgram(test_support::projectFile(".vnt"));
    open(refused);
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(ShaftJetWindow, AStoredBalanceReopensJudgedAsTheCalculationJudgedItAndItsFileStays) {
    // Qr1 0.002 above Qe, hidden by two decimals: typed, found from Qb 0.001 below Qreq2, stored rounded.
    // Qe 2×100 is refused; a file less a figure the judgement needs is one refused before it.
    using Sj = shaft::SjFileContents;
    const struct Case {
        const char *qr1, *qe, *counte;
        std::function<void(Sj&)> edit = [](Sj&) {};
    } cases[] = {{"175.624", "175.622", "1"},
                 {"180.004", "90.0015", "2"},
                 {"", "351.2401", "1"},
                 {"175.624", "175.622", "1", [](Sj& sj) { sj.Inlet[1] = "175.62"; }},
                 {"175.62", "100", "2", [](Sj& sj) { sj.Inlet[0] = ""; }},
                 {"175.62", "100", "2", [](Sj& sj) { sj.Outlet[0] = ""; }},
                 {"175.62", "100", "2", [](Sj& sj) { sj.Supply[2] = ""; }},
                 {"175.62", "100", "2", [](Sj& sj) { sj.Inlet[1] = "0"; }}};
    for (const Case& c : cases) {
        const bool refused = std::string(c.qe) == "100";
        fs::remove(sjPath());
        open([&](frmShaftAndJet& w) {
            w.cmdCalculateSectionQQ_req.userClick();
            test_support::TypeInto{{w.txtQe, c.qe}, {w.cmbCounte, c.counte}};
            if (*c.qr1 == '\0') {
                w.txtQQ_b.userType(vb::CStr(vb::Val(w.txtQQ_req2.Text()) - 0.001));
            } else {
                w.chkQb.userClick();
                w.MultiPage1.userClick(1);
                w.txtQQ_r1.userType(c.qr1);
            }
            for (int run = 0; run < 2; ++run) {
                w.cmdCalculatePtot3.userClick();
                w.cmdCalPower.userClick();
                EXPECT_EQ(w.lblTip.Caption().find("工况不成立") != std::string::npos, refused) << run;
            }
        });
        Sj sj = stored();
        c.edit(sj);
        const std::string saved = shaft::WriteSjFile(sj).Bytes();
        ASSERT_TRUE(textfile::WriteAtomically(sjPath(), saved));
        test_support::reopenProgram(test_support::projectFile(".vnt"));
        open([](frmShaftAndJet& w) { EXPECT_EQ(w.lblTip.Caption().find("工况不成立"), std::string::npos); });
        EXPECT_EQ(textfile::ReadBytes(sjPath()).value(), saved);
    }
}

TEST_F(ShaftJetWindow, FanFlowsOfTheOpeningsAndTheOutletFlow) {
    open([](frmShaftAndJet& w) {
        w.txtQe.userType("150");
        w.cmbCounte.userSelect(2);
        EXPECT_EQ(w.txtQQ_e.Text(), "300");
        w.txtQe.userType("150.5");
        w.cmbCounte.userType("3");
        EXPECT_EQ(w.txtQQ_e.Text(), "451.5");
        w.cmbCounte.userSelect(0);
        EXPECT_EQ(w.txtQQ_e.Text(), "0");
        w.cmbCounte.userType("2");
        w.txtQe.userType("abc");
        EXPECT_EQ(w.txtQQ_e.Text(), "0");
        // Qr2 = Qb − Qe + Qr1 from the boxes.
        w.txtQQ_e.userType("280");
        w.MultiPage1.userClick(1);
        w.txtQQ_r1.userType("300");
        w.MultiPage1.userClick(0);
        w.txtQQ_b.userType("100");
        EXPECT_EQ(w.txtQQ_r2.Text(), "120.00");
        w.MultiPage1.userClick(1);
        w.txtQQ_r1.userType("");
        w.MultiPage1.userClick(0);
        w.txtQQ_b.userType("101");
        EXPECT_EQ(w.txtQQ_r2.Text(), "-179.00");
        // The supply fans run the same chain into Qr2.
        w.MultiPage1.userClick(1);
        w.txtQQ_r1.userType("300");
        w.MultiPage1.userClick(0);
        w.txtQb.userType("50");
        w.cmbCountb.userType("4");
        EXPECT_EQ(w.txtQQ_b.Text(), "200");
        EXPECT_EQ(w.txtQQ_r2.Text(), "220.00");
    });
}

// ---- Section air demand and the pressure balance ----

TEST_F(ShaftJetWindow, SectionDemandOfTheTemplateByItsStretches) {
    open([this](frmShaftAndJet& w) {
        frmVentParam& step2 = Forms::instance<frmVentParam>();
        step2.lstCase.setListIndexSilently(0);
        step2.chkExchange.setSilently(0);
        w.cmdCalculateSectionQQ_req.userClick();
        // Right line from 10000 to 15235, shaft 12600, ds 60.
        const double inlet = req.GetSectionQreq(10000.0, 12600.0, 1);
        const double outlet = req.GetSectionQreq(12600.0, 15235.0, 1);
        const double passage = req.GetSectionQreq(12570.0, 12630.0, 1);
        EXPECT_GT(inlet, 0);
        EXPECT_EQ(w.txtQQ_req1.Text(), vb::Format(inlet, "0.00"));
        EXPECT_EQ(w.txtQQ_req2.Text(), vb::Format(outlet, "0.00"));
        EXPECT_EQ(w.txtQQ_req_VI.Text(), vb::Format(passage, "0.00"));
        EXPECT_DOUBLE_EQ(w.QQ_req_VI, passage);
        // The left line exchanges the sections.
        req.optLeftLine.set(true);
        w.cmdCalculateSectionQQ_req.userClick();
        EXPECT_EQ(w.txtQQ_req1.Text(), vb::Format(req.GetSectionQreq(12600.0, 15235.0, 1), "0.00"));
        EXPECT_EQ(w.txtQQ_req2.Text(), vb::Format(req.GetSectionQreq(10000.0, 12600.0, 1), "0.00"));
        req.optRightLine.set(true);
        // A larger air-change demand governs all three stretches where step 2 allows it.
        req.txtExchangeNum.setSilently("100");
        step2.chkExchange.setSilently(1);
        w.cmdCalculateSectionQQ_req.userClick();
        EXPECT_EQ(w.txtQQ_req1.Text(), vb::Format(req.GetExchangeSectionQreq(10000, 12600), "0.00"));
        EXPECT_EQ(w.txtQQ_req_VI.Text(), vb::Format(req.GetExchangeSectionQreq(12570, 12630), "0.00"));
        step2.chkExchange.setSilently(0);
        w.cmdCalculateSectionQQ_req.userClick();
        EXPECT_EQ(w.txtQQ_req1.Text(), vb::Format(inlet, "0.00"));
        // A shaft outside the tunnel is refused, and the demands of the shaft before it go.
        w.txtShaftPile.userType("9000");
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculateSectionQQ_req.userClick();
        EXPECT_EQ(platform::msgbox::log().back().prompt, "竖井桩号不在隧道桩号范围内，请检查！");
        EXPECT_EQ(platform::msgbox::log().back().title, "出错！");
        EXPECT_EQ(w.txtQQ_req1.Text(), "");
        // So is a shaft inside whose passage reaches beyond a portal (its supply opening at 15250).
        w.txtShaftPile.userType("15200");
        w.MultiPage1.userClick(1);
        w.txtds.userType("100");
        w.MultiPage1.userClick(0);
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculateSectionQQ_req.userClick();
        EXPECT_EQ(platform::msgbox::log().back().prompt,
                  "短道两端的排风口、送风口不在隧道桩号范围内，请检查竖井桩号与短道长度ds！");
        EXPECT_EQ(w.txtQQ_req1.Text(), "");
    });
}

TEST_F(ShaftJetWindow, BalanceRefusedBeforeTheSectionDemand) {
    open([](frmShaftAndJet& w) {
        const std::string r1 = w.txtQQ_r1.Text();
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculatePtot3.userClick();
        test_support::expectOneMessage({.prompt = "请先进行需风量计算！"});
        EXPECT_EQ(w.txtQQ_r1.Text(), r1);
    });
}

TEST_F(ShaftJetWindow, BalanceOfAFlatTunnelByHand) {
    open([](frmShaftAndJet& w) {
        flatTunnel(w);
        w.cmdCalculatePtot3.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        // Qr1 300 (root of the fresh-air balance), Qr2 = 250 − 150 + 300 = 400, Qs 150, Qsf 50.
        test_support::ExpectTexts{{w.txtQQ_r1, "300.00"},     {w.txtQQ_r2, "400.00"},
                                  {w.txtQQ_s, "150.00"},      {w.txtQQ_sf, "50.00"},
                                  {w.txtCC_2, "0.67"},        {w.txtratio_Qe_Qr1, "0.50"},
                                  {w.txtratio_Qb_Qr2, "0.63"}};
        // vr1 = 300/60, Δpe 6.30; vr2 = 400/60, Δpb 78.69; Ab = 250/25, Ae = 150/6.
        test_support::ExpectTexts{{w.txtv_r1, "5.00"},      {w.txtdeltap_e, "6.30"}, {w.txtv_r2, "6.67"},
                                  {w.txtdeltap_b, "78.69"}, {w.txtAA_b, "10.000"},   {w.txtAA_e, "25.00"}};
        // P = 10 + 0.5·200 = 110: C2s 110/150 = 0.73, C3 = 410/400 = 1.025 shown 1.03; C2b kept.
        EXPECT_EQ(w.txtCC_2s.Text(), "0.73");
        EXPECT_EQ(w.txtCC_3.Text(), "1.03");
        EXPECT_DOUBLE_EQ(w.CC_2b, 0.275);
        EXPECT_EQ(w.txtQQ_req_VI.Text(), "10.0000000");
        // No friction: Δpr1 = 0.6·(0.6 + 0.28)·25 = 13.20 (entrance and branch); Δpr2 = 0.6·(0.7 + 1)·44.44
        // = 45.33 (merge and exit). No wind, no traffic.
        test_support::ExpectTexts{{w.txtdeltap_r1, "13.20"},
                                  {w.txtdeltap_r2, "45.33"},
                                  {w.txtdeltap_m1, "0.00"},
                                  {w.txtdeltap_t2, "0.00"}};
        // Δpj1 = 13.2 − 6.3 = 6.90; Δpj2 = 45.33 − 78.69 = −33.36: the supply opening carries the outlet.
        EXPECT_EQ(w.txttotaldeltap_j1.Text(), "6.90");
        EXPECT_EQ(w.txttotaldeltap_j2.Text(), "-33.36");
        // The 1120 model at Z 1.2 (η 0.876) against vr 5 in 60 m²: one fan gives 17.35 Pa.
        EXPECT_NEAR(vb::Val(w.txtdeltap_j1.Text()), 17.35, 0.01);
        EXPECT_EQ(w.txtjetcount1.Text(), "1");
        EXPECT_EQ(w.txtjetcount2.Text(), "0");
        // The same balance again gives the same counts.
        w.cmdCalculatePtot3.userClick();
        EXPECT_EQ(w.txtjetcount1.Text(), "1");
        EXPECT_EQ(w.txtQQ_r1.Text(), "300.00");
        // The supply alone covering Qreq2: Qr1 = Qreq1.
        w.MultiPage1.userClick(0);
        w.cmbCountb.userType("3");
        EXPECT_EQ(w.txtQQ_b.Text(), "375");
        w.cmdCalculatePtot3.userClick();
        EXPECT_EQ(w.txtQQ_r1.Text(), "200.00");
        EXPECT_EQ(w.txtQQ_r2.Text(), "425.00");
    });
}

TEST_F(ShaftJetWindow, SupplyFlowFoundFromTheTypedInletFlow) {
    open([](frmShaftAndJet& w) {
        flatTunnel(w);
        w.MultiPage1.userClick(0);
        w.chkQb.userClick();
        ASSERT_EQ(w.chkQb.Value(), 0);
        w.MultiPage1.userClick(1);
        // The inlet flow typed is used at once: Qb = (500 − 300) + 100·150/300 = 250.
        w.txtQQ_r1.userType("300");
        w.cmdCalculatePtot3.userClick();
        EXPECT_EQ(w.txtQQ_b.Text(), "250.00");
        EXPECT_EQ(w.txtQQ_r2.Text(), "400.00");
        EXPECT_DOUBLE_EQ(modPublic::QQ_req, 500);
        EXPECT_EQ(w.txtdeltap_b.Text(), "78.69");
        // Without an inlet flow there is nothing to balance.
        w.txtQQ_r1.userType("");
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculatePtot3.userClick();
        test_support::expectOneMessage({.prompt = "送风量未知时，请输入大于零的进口区段设计风量Qr1！"});
        EXPECT_EQ(w.txtQQ_b.Text(), "");
    });
}

TEST_F(ShaftJetWindow, AZeroAreaIsSaidAndShownEmpty) {
    open([](frmShaftAndJet& w) {
        flatTunnel(w);
        // The section ends before the supply opening: no area there.
        Forms::instance<frmReq>().lstSection.ListItems(1).setText("2210");
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculatePtot3.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 1U);
        EXPECT_NE(platform::msgbox::log()[0].prompt.find("设计风速vr2"), std::string::npos);
        EXPECT_EQ(w.txtv_r2.Text(), "");
        EXPECT_EQ(w.txtv_r1.Text(), "5.00");
    });
}

// ---- Jet fans of a section ----

TEST_F(ShaftJetWindow, HangingHeightChangesOnlyThePositionFactor) {
    open([](frmShaftAndJet& w) {
        w.MultiPage1.userClick(1);
        w.txtdeltap_j1.userType("55.5");
        w.txtjetcount1.userType("7");
        w.txtZZ_j1.userType("2");
        EXPECT_EQ(w.txteta1.Text(), "0.910");
        EXPECT_EQ(w.txtdeltap_j1.Text(), "55.5");
        EXPECT_EQ(w.txtjetcount1.Text(), "7");
        // 900 model: 21.81 m³/s, 0.9 m: Aj 0.636, vj 21.81/0.636 = 34.292.
        w.cmbJetModel2.userSelect(1);
        EXPECT_EQ(w.txtFlow2.Text(), "21.81");
        EXPECT_EQ(w.txtAA_j2.Text(), "0.636");
        EXPECT_EQ(w.txtvj2.Text(), "34.292");
    });
}

// ---- Jet-fan groups ----

TEST_F(ShaftJetWindow, GroupsInsertedInOrderAndLaidOutFromBothPortals) {
    open([](frmShaftAndJet& w) {
        w.MultiPage1.userClick(2);
        emptyGroups(w);
        auto add = [&w](const char* s) {
            w.txtPile.userType(s);
            w.txtJetNumPerTeam.userType("2");
            w.txtPress.userType("50");
            w.cmdAdd.userClick();
        };
        add("100");
        add("300");
        add("200");
        add("50");
        ASSERT_EQ(w.lstJet.ListItems.Count(), 4);
        EXPECT_EQ(w.lstJet.ListItems(2).Text(), "200");
        EXPECT_EQ(w.lstJet.ListItems(4).Text(), "50");
        // The layout dialog closed with its close box keeps every group.
        test_stage::onModal<frmSetJetPile>(
            [](frmSetJetPile& d) { Forms::unload(d, platform::vbFormControlMenu); });
        w.cmdAutoLayout.userClick();
        EXPECT_EQ(w.lstJet.ListItems.Count(), 4);
        // Template tunnel 10000–15235, right line: two inlet groups from 10200 by 150, one outlet group
        // 300 before the exit; 2 fans of the rise shown.
        w.MultiPage1.userClick(1);
        w.txtdeltap_j1.userType("35.5");
        w.txtdeltap_j2.userType("20");
        w.MultiPage1.userClick(2);
        test_stage::onModal<frmSetJetPile>([](frmSetJetPile& d) {
            test_support::TypeInto{{d.txtJetNumPerTeam, "2"}, {d.txtTeamNum1, "2.5"}, {d.txtSpan1, "150"},
                                   {d.txtDist1, "200"},       {d.txtTeamNum2, "1"},   {d.txtSpan2, "100"},
                                   {d.txtDist2, "300"}};
            d.ccmdOK.userClick();
        });
        w.cmdAutoLayout.userClick();
        ASSERT_EQ(w.lstJet.ListItems.Count(), 3);
        EXPECT_EQ(w.lstJet.ListItems(1).Text(), "10200.00");
        EXPECT_EQ(w.lstJet.ListItems(2).Text(), "10350.00");
        EXPECT_EQ(w.lstJet.ListItems(2).SubItems(2), "71.00");
        EXPECT_EQ(w.lstJet.ListItems(3).Text(), "14935.00");
        EXPECT_EQ(w.lstJet.ListItems(3).SubItems(1), "2");
        EXPECT_EQ(w.lstJet.ListItems(3).SubItems(2), "40.00");
        EXPECT_FALSE(Forms::isLoaded<frmSetJetPile>());
    });
}

TEST_F(ShaftJetWindow, DuctLossOfAnOpeningFromTheDuctDialog) {
    open(
        [](frmShaftAndJet& w) { test_support::lossFromDuctDialog(w.cmdCalpde, w.txtp_de, "150", "123.45"); });
}

// ---- The .sj file ----

TEST_F(ShaftJetWindow, EveryStoredBoxComesBackAsItWas) {
    open([](frmShaftAndJet& w) {
        test_support::TypeInto{{w.txtShaftPile, "12345.5"},
                               {w.txtQe, "120"},
                               {w.cmbCounte, "3"},
                               {w.txtQQ_e, "355"},
                               {w.txtp1_b, "101.325"}};
        w.chkQb.userClick();
        w.MultiPage1.userClick(1);
        test_support::TypeInto{{w.txtQQ_r1, "412.5"},
                               {w.txtQQ_r2, "1.234"},
                               {w.txteta2, "0.777"},
                               {w.txtdeltap_j1, "18.136690569543"},
                               {w.txtjetcount2, "-2"}};
        w.MultiPage1.userClick(2);
        emptyGroups(w);
        w.txtPile.userType("10200.00");
        w.cmdAdd.userClick();
        w.txtPile.userType("10400");
        w.cmdAdd.userClick();
    });
    const std::string first = textfile::ReadBytes(sjPath()).value();
    open([](frmShaftAndJet& w) {
        test_support::ExpectTexts{{w.txtShaftPile, "12345.5"}, {w.txtQe, "120"},
                                  {w.cmbCounte, "3"},          {w.txtQQ_e, "355"},
                                  {w.txtQQ_r1, "412.5"},       {w.txtQQ_r2, "1.234"},
                                  {w.txteta2, "0.777"},        {w.txtdeltap_j1, "18.136690569543"},
                                  {w.txtjetcount2, "-2"},      {w.txtp1_b, "101.325"}};
        EXPECT_EQ(w.chkQb.Value(), 0);
        ASSERT_EQ(w.lstJet.ListItems.Count(), 2);
        EXPECT_EQ(w.lstJet.ListItems(1).Text(), "10200.00");
        EXPECT_EQ(w.lstJet.ListItems(2).Text(), "10400");
    });
    EXPECT_EQ(textfile::ReadBytes(sjPath()).value(), first);
    EXPECT_EQ(stored().SupplyGiven, false);
}

TEST_F(ShaftJetWindow, ATruncatedFileKeepsTheOpeningTextsPastItsEnd) {
    const std::string full = shaft::WriteSjFile([] {
                                 shaft::SjFileContents sj;
                                 sj.ShaftPile = "11111";
                                 sj.Exhaust[0] = "99";
                                 sj.Exhaust[1] = "2";
                                 return sj;
                             }())
                                 .Bytes();
    // Cut after the exhaust fan's first field.
    ASSERT_TRUE(textfile::WriteAtomically(sjPath(), full.substr(0, full.find("\r\n\"\",\"\",\"\"") + 2 + 3)));
    open([](frmShaftAndJet& w) {
        test_support::ExpectTexts{
            {w.txtShaftPile, "11111"}, {w.txtQe, "99"}, {w.txtds, "60"}, {w.txtKK_b, "1"}};
        EXPECT_EQ(w.lstJet.ListItems.Count(), 0);
    });
}

TEST_F(ShaftJetWindow, FuzzedFilesNeverStopTheWindow) {
    std::mt19937 random(20240611);
    const std::string good = textfile::ReadBytes(templatePath()).value();
    for (int round = 0; round < 20; ++round) {
        std::string bytes = good;
        std::uniform_int_distribution<std::size_t> at(0, bytes.size() - 1);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int k = 0; k < 12; ++k) {
            bytes[at(random)] = static_cast<char>(byte(random));
        }
        bytes.resize(at(random));
        ASSERT_TRUE(textfile::WriteAtomically(sjPath(), bytes));
        open([](frmShaftAndJet& w) { EXPECT_GE(w.lstJet.ListItems.Count(), 0); });
    }
}

TEST_F(ShaftJetWindow, WithoutFileAndTemplateTheBoxesAreEmpty) {
    fs::remove(templatePath());
    open([](frmShaftAndJet& w) {
        EXPECT_EQ(w.txtShaftPile.Text(), "");
        EXPECT_EQ(w.txtQe.Text(), "");
        EXPECT_EQ(w.txtds.Text(), "");
        EXPECT_EQ(w.cmbJetModel1.ListIndex(), -1);
        EXPECT_EQ(w.chkQb.Value(), 1);
        EXPECT_EQ(w.lstJet.ListItems.Count(), 0);
    });
}

/// Writes the template `Normal.sj` into the folder named by ARIDANE_TEMPLATE_OUT (else the test's own
/// folder) through the window's own controls and SaveFile, and holds it to the shipped file:
///   ARIDANE_TEMPLATE_OUT=.../ConfigFiles shaftjet_window_tests --gtest_filter='*MakeTemplate*'
TEST(ShaftJetTemplate, MakeTemplate) {
    frmReq& req = Forms::instance<frmReq>();
    const std::string dir = test_support::templateOutFolder("Normal.sj");
    // From step 2 as the engineer comes, so that the balance has the template's section demand.
    ASSERT_TRUE(test_support::openScheme<frmShaftAndJet>(req, 3, [&](frmShaftAndJet& w, frmVentParam&) {
        // The middle of the template tunnel. One exhaust fan of 150 m³/s: the inlet section brings its
        // demand of about 176 m³/s to the shaft, so Qe/Qr1 is about 0.85 and the short passage still flows
        // forward (two fans, 300 m³/s, would draw more than the section brings). Two supply fans of
        // 150 m³/s, the supply flow given. 250 Pa of duct loss behind each opening, so that its fan lifts
        // a real pressure. The 1120 model 1.2 m below the crown in both sections; the results are left to
        // the designer. Typed again after the layout, as the balance rewrites some of them in its own
        // format.
        const auto typeInputs = [&w] {
            for (platform::TextBox* box :
                 {&w.txtShaftPile, &w.txtQe,     &w.txtQQ_e,  &w.txtKK_e, &w.txtv_e,  &w.txtZeta_fencha,
                  &w.txtQb,        &w.txtQQ_b,   &w.txtKK_b,  &w.txtv_b,  &w.txtbeta, &w.txtZeta_heliu,
                  &w.txtds,        &w.txtZZ_j1,  &w.txtZZ_j2, &w.txtp_de, &w.txtt1_e, &w.txtp1_e,
                  &w.txteta_e,     &w.txtetam_e, &w.txtk_e,   &w.txtp_db, &w.txtt1_b, &w.txtp1_b,
                  &w.txteta_b,     &w.txtetam_b, &w.txtk_b}) {
                box->set("");
            }
            w.txtShaftPile.set("12600");
            w.txtQe.set("150");
            w.cmbCounte.setText("1");
            w.txtKK_e.set("0.9");
            w.txtv_e.set("6");
            w.txtZeta_fencha.set("0.28");
            w.txtQb.set("150");
            w.cmbCountb.setText("2");
            w.txtKK_b.set("1");
            w.txtv_b.set("25");
            w.txtbeta.set("5");
            w.txtZeta_heliu.set("0.7");
            w.txtds.set("60");
            w.chkQb.set(1);
            for (auto* pd : {&w.txtp_de, &w.txtp_db}) {
                pd->set("250");
            }
            for (auto* t1 : {&w.txtt1_e, &w.txtt1_b}) {
                t1->set("20");
            }
            for (auto* p1 : {&w.txtp1_e, &w.txtp1_b}) {
                p1->set("101.325");
            }
            for (auto* eta : {&w.txteta_e, &w.txteta_b}) {
                eta->set("0.8");
            }
            for (auto* etam : {&w.txtetam_e, &w.txtetam_b}) {
                etam->set("0.925");
            }
            for (auto* k : {&w.txtk_e, &w.txtk_b}) {
                k->set("1.15");
            }
            w.cmbJetModel1.setText("1120型射流风机");
            w.cmbJetModel2.setText("1120型射流风机");
            w.txtZZ_j1.set("1.2");
            w.txtZZ_j2.set("1.2");
        };
        typeInputs();
        // Two groups of two fans in each section, laid out by the dialog on the per-fan rise of the balance:
        // the four fans each section's balance asks for, side by side in a cross-section, 150 m apart, the
        // outer groups 200 m inside the portals.
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        ASSERT_EQ(w.lblTip.Caption(), "");
        ASSERT_EQ(w.txtjetcount1.Text(), "4");
        ASSERT_EQ(w.txtjetcount2.Text(), "4");
        w.MultiPage1.userClick(2);
        test_support::layJetGroups({"2", "2", "2", "150", "150", "200", "200"});
        w.cmdAutoLayout.userClick();
        ASSERT_EQ(w.lstJet.ListItems.Count(), 4);
        for (platform::TextBox* box : {&w.txtAA_e,           &w.txtdeltap_e,     &w.txtAA_b,
                                       &w.txtdeltap_b,       &w.txtQQ_req_VI,    &w.txtQQ_s,
                                       &w.txtQQ_sf,          &w.txtv_rs,         &w.txtCC_2s,
                                       &w.txtratio_Qe_Qr1,   &w.txtratio_Qb_Qr2, &w.txtQQ_req1,
                                       &w.txtQQ_r1,          &w.txtv_r1,         &w.txtdeltap_r1,
                                       &w.txtdeltap_m1,      &w.txtdeltap_t1,    &w.txttotaldeltap_j1,
                                       &w.txtCC_2,           &w.txtQQ_req2,      &w.txtv_r2,
                                       &w.txtdeltap_r2,      &w.txtdeltap_m2,    &w.txtdeltap_t2,
                                       &w.txttotaldeltap_j2, &w.txtCC_3}) {
            box->set("");
        }
        typeInputs();
        for (platform::TextBox* box :
             {&w.txtdeltap_j1, &w.txtdeltap_j2, &w.txtjetcount1, &w.txtjetcount2, &w.txtQQ_r2}) {
            box->set("");
        }
        ASSERT_EQ(w.txtQQ_e.Text(), "150");
        ASSERT_TRUE(w.SaveFile());
    }));
    Forms::destroyAll();
    test_support::expectShippedTemplate(dir, "Normal.sj");
}

} // namespace

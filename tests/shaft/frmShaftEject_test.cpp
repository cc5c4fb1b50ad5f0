// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-exhaust window reached as a designer reaches it: the template project saved into the test
// folder, step 2 opened from the main window, Next with the shaft-exhaust scheme. Section flows, pressures,
// the balancing shaft station, the .se file, the report and the curves.
#include "shaft/frmShaftEject.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Cad.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "platform/vb.h"
#include "shaft/eject_file.h"
#include "shaft/shaft_eject.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"
#include "ventparam/frmVentParam.h"
#include "jetfan/CPressionCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;

std::string sePath() {
    return test_stage::appFolder() + "/proj.se";
}

class ShaftEjectWindow : public ::testing::Test {
protected:
    void SetUp() override { test_support::saveTemplateProjectWithDemand(req); }

    /// Step 2 from the main window with the case at `casePosition`, Next with the shaft-exhaust scheme;
    /// `script` acts on the window, which is then left by its back button.
    void open(const std::function<void(frmShaftEject&)>& script, int casePosition = 0) {
        EXPECT_TRUE(test_support::openScheme<frmShaftEject>(
            req, 2, [&](frmShaftEject& w, frmVentParam&) { script(w); },
            [&](frmVentParam& step2) { step2.lstCase.setSelected(casePosition, true); }));
        EXPECT_FALSE(Forms::isLoaded<frmShaftEject>());
    }

    shaft::SeFileContents stored() {
        scheme::SchemeReader in;
        EXPECT_TRUE(in.Open(sePath()));
        return shaft::ReadSeFile(in);
    }

    frmReq& req = Forms::instance<frmReq>();
};

// Writes the template ConfigFiles/Normal.se (ARIDANE_TEMPLATE_OUT names the folder) and holds it to the
// shipped file.
TEST(ShaftEjectTemplate, MakeTemplate) {
    frmReq& req = Forms::instance<frmReq>();
    const std::string dir = test_support::templateOutFolder("Normal.se");
    modPublic::StartPile = vb::Val(req.txtStartPile.Text());
    frmShaftEject& w = Forms::instance<frmShaftEject>();
    // A shaft in the middle of the tunnel, calm weather at both portals, junction losses of a shaft drawn
    // off the tunnel crown, a shaft of 40 m² and 26 m perimeter, 250 Pa of shaft and duct loss, a fan
    // efficiency of 0.8; the results are left to the calculations.
    // No shaft flow Qr3 and no shaft station of this tunnel closes the exit balance within 10 Pa. A
    // scratch program drove this window on the template (one-way traffic at 10 km/h, calm weather) with
    // the station every 20 m from 10010 to 15230 and Qr3 every 5 m³/s from 0 to 700, pressing
    // 求各区段的需风量 and 计算 each time: p_tot22 stayed at least 222 Pa below the p_tot23 the exit portal
    // asks for (closest 5 m inside the exit portal with Qr3 245), and 233.52 Pa below it with no shaft
    // flow at all. The traffic, slower than the design flow, brakes the air, calm weather drives none,
    // and no fan of this scheme pushes the flow through 5.2 km. So the template keeps the shaft in the
    // middle with 100 m³/s, and the manual says why the window's hint stays.
    w.txtShaftPile.set(vb::Format(vb::Val(req.txtStartPile.Text()) + req.GetTunnelLength() / 2, "0.00"));
    w.txtdeltap_g1.set("0");
    w.txtdeltap_g2.set("0");
    w.txtzeta_13.set("0.8");
    w.txtzeta_23.set("0.8");
    w.txtzeta_12.set("0.28");
    w.txtShaftAA_r.set("40");
    w.txtShaftPP_r.set("26");
    w.txtQQ_r3.set("100");
    w.txtdeltap_d.set("250");
    w.txteta.set("0.8");
    ASSERT_EQ(w.txtShaftDD_r.Text(), "6.15");
    ASSERT_TRUE(w.SaveFile());
    Forms::destroyAll();
    test_support::expectShippedTemplate(dir, "Normal.se");
}

TEST_F(ShaftEjectWindow, OneWayOpensAsSplitTypeFromTheTemplateAndLeavesItsOwnFile) {
    ASSERT_FALSE(fs::exists(sePath()));
    open([](frmShaftEject& w) {
        EXPECT_EQ(w.Caption(), "Step3: 竖井排出通风方式");
        EXPECT_TRUE(w.IsModal());
        EXPECT_FALSE(w.optPresModel1.Value());
        EXPECT_TRUE(w.optPresModel2.Value());
        EXPECT_EQ(w.optPresModel1.Caption(), "双向交通隧道合流型竖井");
        EXPECT_FALSE(w.optPresModel1.Enabled());
        EXPECT_FALSE(w.cmdBalanceLength.Enabled());
        EXPECT_TRUE(w.txtzeta_12.Enabled());
        EXPECT_TRUE(w.lblp_tot23.Enabled());
        EXPECT_FALSE(w.txtp_tot3a.Enabled());
        EXPECT_FALSE(w.lblp_tot3a.Enabled());
        EXPECT_FALSE(w.txtv_t.Enabled());
        EXPECT_EQ(w.txtShaftPile.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_EQ(w.txteta.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_EQ(w.txtQQ_r3.BackColor(), w.txtShaftPile.BackColor());
        EXPECT_NE(w.txtp_tot.BackColor(), platform::RGB(255, 255, 192));
        // The picture of the model, from the installation.
        EXPECT_TRUE(w.Image1.Picture().ends_with("/图片/shaft2.bmp")) << w.Image1.Picture();
        EXPECT_EQ(w.cmdCalculateSectionQQ_req.Caption(), "求各区段的需风量");
        EXPECT_EQ(w.cmdTable.Caption(), "运营控制表");
        EXPECT_EQ(w.lblp_tot3.Caption(), "竖井底部合流全压力(按照规范公式3.5.7-1)ptot3(Pa):");
        // The template's boxes, the stored diameter standing.
        test_support::ExpectTexts{
            {w.txtShaftPile, "12617.50"}, {w.txtShaftAA_r, "40"}, {w.txtShaftDD_r, "6.15"}, {w.txtQQ_r1, ""}};
        w.txtShaftPP_r.userType("32");
        w.txtShaftAA_r.userType("60");
        EXPECT_EQ(w.txtShaftDD_r.Text(), "7.50");
        // A perimeter of 0 gives no diameter, and no figure for it.
        w.txtShaftPP_r.userType("0");
        EXPECT_EQ(w.txtShaftDD_r.Text(), "");
        w.txtShaftPP_r.userType("32");
    });
    ASSERT_TRUE(fs::exists(sePath()));
    const shaft::SeFileContents se = stored();
    EXPECT_EQ(se.Boxes[shaft::kSeShaftPile], "12617.50");
    EXPECT_EQ(se.Boxes[shaft::kSeShaftDD_r], "7.50");
    EXPECT_EQ(se.Merge, false);
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(ShaftEjectWindow, SplitTypeFlowsPressuresAndFanFromTheBoxes) {
    open([&](frmShaftEject& w) {
        w.txtQQ_r3.userType("60");
        w.cmdCalculateSectionQQ_req.userClick();
        ASSERT_GT(w.QQ_req1, 0);
        const shaft::DesignFlows f = shaft::SplitFlows(w.QQ_req1, w.QQ_req2, 60);
        test_support::ExpectTexts{{w.txtQQ_req1, vb::Format(w.QQ_req1, "0.00")},
                                  {w.txtQQ_r1, vb::Format(f.Qr1, "0.00")},
                                  {w.txtQQ_r2, vb::Format(f.Qr2, "0.00")},
                                  {w.txtQQ_r3, "60.00"}};
        const double area = req.GetAA_r(12617.5);
        EXPECT_EQ(w.txtv_1.Text(), vb::Format(f.Qr1 / area, "0.00"));
        EXPECT_EQ(w.txtv_3.Text(), vb::Format(60.0 / 40, "0.00"));
        EXPECT_EQ(w.txtv_t.Text(), vb::Format(req.workv_t / 3.6, "0.00"));
        EXPECT_DOUBLE_EQ(w.QQ_r1, f.Qr1);
        // A flow typed after the section calculation is kept by the pressure calculation.
        w.txtQQ_r3.userType("65");
        w.cmdCalculatePtot3.userClick();
        EXPECT_EQ(w.txtQQ_r3.Text(), "65.00");
        // The fan from the shaft-bottom pressure and the 250 Pa duct loss at 0.8.
        const shaft::FanPower fan = shaft::ExhaustFan(w.p_tot3, 250, 65, 0.8);
        test_support::ExpectTexts{{w.txtp_tot, vb::Format(fan.p_tot, "0.00")},
                                  {w.txtAA_tot, vb::Format(fan.AA_tot, "0.00")},
                                  {w.txtSS_tot, vb::Format(fan.SS_tot, "0.00")},
                                  {w.txtp_tot3a, "0.00"}};
        EXPECT_EQ(w.txtp_tot3.Text(),
                  vb::Format(w.p_tot1 - 0.8 * 0.5 * modPublic::rho * w.v_1 * w.v_1, "0.00"));
        EXPECT_EQ(w.lblTip.Caption(),
                  shaft::ExitImbalance(w.p_tot22, w.p_tot23) ? "提示：出口端压力不平衡，请检查！" : "");
        EXPECT_NE(w.txtdeltap_t1.Text(), "");
    });
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(ShaftEjectWindow, PressuresBeforeTheFlowsComputeTheFlowsFirst) {
    open([](frmShaftEject& w) {
        w.cmdCalculatePtot3.userClick();
        EXPECT_NE(w.txtQQ_r1.Text(), "0.00");
        EXPECT_NE(w.txtQQ_req1.Text(), "0.00");
        EXPECT_GT(w.QQ_r1, 0);
    });
}

TEST_F(ShaftEjectWindow, AShaftOutsideTheTunnelAndAZeroEfficiencyAreSaid) {
    platform::msgbox::script(platform::vbOK);
    platform::msgbox::script(platform::vbOK);
    open([](frmShaftEject& w) {
        w.txtShaftPile.userType("9000");
        w.cmdCalculateSectionQQ_req.userClick();
        EXPECT_EQ(w.txtQQ_r1.Text(), "");
        w.txtShaftPile.userType("12000");
        w.txteta.userType("0");
        w.cmdCalculatePtot3.userClick();
        EXPECT_EQ(w.txtSS_tot.Text(), "");
        EXPECT_NE(w.txtAA_tot.Text(), "");
    });
    const auto& log = platform::msgbox::log();
    ASSERT_EQ(log.size(), 2U);
    EXPECT_EQ(log[0].prompt, "竖井桩号9000超出隧道桩号范围，请检查！");
    EXPECT_EQ(log[0].title, "出错！");
    EXPECT_EQ(log[1].prompt, "以下结果无法计算: Stot\r\n请检查隧道断面、竖井断面积、送风机效率等输入数据！");
}

TEST_F(ShaftEjectWindow, TwoWayCaseIsTheMergeTypeAndFindsTheBalancingShaft) {
    open(
        [&](frmShaftEject& w) {
            EXPECT_TRUE(w.optPresModel1.Value());
            EXPECT_FALSE(w.optPresModel2.Value());
            EXPECT_TRUE(w.cmdBalanceLength.Enabled());
            EXPECT_TRUE(w.txtp_tot3a.Enabled());
            EXPECT_FALSE(w.txtzeta_12.Enabled());
            EXPECT_FALSE(w.lblp_tot1.Enabled());
            EXPECT_EQ(w.txtQQ_r3.BackColor(), w.txtv_t.BackColor());
            w.txtp_tot1.set("999");
            w.cmdCalculateSectionQQ_req.userClick();
            EXPECT_EQ(w.txtQQ_r1.Text(), vb::Format(w.QQ_req1, "0.00"));
            EXPECT_EQ(w.txtQQ_r3.Text(), vb::Format(w.QQ_req1 + w.QQ_req2, "0.00"));
            w.cmdCalculatePtot3.userClick();
            EXPECT_EQ(w.txtp_tot1.Text(), "0.00");
            EXPECT_EQ(w.txtp_tot23.Text(), "0.00");
            w.cmdBalanceLength.userClick();
            const double station = vb::Val(w.txtShaftPile.Text());
            EXPECT_GT(station, modPublic::StartPile);
            EXPECT_LT(station, modPublic::EndPile);
            EXPECT_EQ(w.txtShaftPile.Text(), vb::Format(station, "0.00"));
            if (platform::msgbox::log().empty()) {
                EXPECT_LT(std::fabs(w.p_tot3 - w.p_tot3a), 0.1);
            }
        },
        1);
    EXPECT_EQ(stored().Merge, true);
}

TEST_F(ShaftEjectWindow, BoxesComeBackFromTheSeFile) {
    open([](frmShaftEject& w) {
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        w.txtShaftDD_r.userType("7.00");
    });
    const shaft::SeFileContents first = stored();
    open([&](frmShaftEject& w) {
        test_support::ExpectTexts{{w.txtShaftDD_r, "7.00"},
                                  {w.txtQQ_req2, *first.Boxes[shaft::kSeQQ_req2]},
                                  {w.txtp_tot23, *first.Boxes[shaft::kSeP_tot23]},
                                  {w.txtSS_tot, *first.Boxes[shaft::kSeSS_tot]}};
    });
    EXPECT_EQ(stored().Boxes, first.Boxes);
}

TEST_F(ShaftEjectWindow, MissingTruncatedAndFuzzedSeFilesNeverStopTheWindow) {
    // A truncated file: the boxes it holds, the rest empty; the template is not read in its place.
    textfile::WriteAtomically(sePath(), textcodec::ToGbk("\"[x]\"\r\n\"\",\"11000\"\r\n\"[y]\"\r\n\"5\""));
    open([](frmShaftEject& w) {
        EXPECT_EQ(w.txtShaftPile.Text(), "11000");
        EXPECT_EQ(w.txtdeltap_g1.Text(), "5");
        EXPECT_EQ(w.txteta.Text(), "");
    });
    std::mt19937 rng(11);
    for (int n = 0; n < 5; ++n) {
        std::string junk(static_cast<std::size_t>(rng() % 600), '\0');
        for (char& ch : junk) {
            ch = static_cast<char>(rng() % 256);
        }
        textfile::WriteAtomically(sePath(), junk);
        open([](frmShaftEject& w) { EXPECT_EQ(w.Caption(), "Step3: 竖井排出通风方式"); });
    }
    // Neither the project's file nor the template: every box empty.
    fs::remove(sePath());
    fs::remove(fs::path(test_stage::appFolder()) / "ConfigFiles" / "Normal.se");
    open([](frmShaftEject& w) {
        EXPECT_EQ(w.txtShaftPile.Text(), "");
        EXPECT_EQ(w.txtShaftAA_r.Text(), "");
    });
}

TEST_F(ShaftEjectWindow, ReportPrintsTheBoxesInGbkAndOpensInTheViewer) {
    const std::string rpt = test_stage::appFolder() + "/proj_竖井排出式通风.rpt";
    open([](frmShaftEject& w) {
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        w.cmdReport.userClick();
    });
    const auto bytes = textfile::ReadBytes(rpt);
    ASSERT_TRUE(bytes);
    const std::string text = textcodec::FromGbk(*bytes);
    EXPECT_NE(
        text.find("\r\n\r\n压力模式:         单向交通隧道分流型竖井\r\n竖井桩号(m):         12617.50\r\n"),
        std::string::npos);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    EXPECT_NE(text.find("竖井排出通风方式计算报告"), std::string::npos);
    ASSERT_FALSE(platform::textviewer::log().empty());
    EXPECT_EQ(platform::textviewer::log().back(), rpt);
    // An unnamed project is refused.
    platform::msgbox::script(platform::vbOK);
    open([](frmShaftEject& w) {
        modPublic::ProjectFile.clear();
        w.cmdReport.userClick();
    });
    ASSERT_FALSE(platform::msgbox::log().empty());
    EXPECT_EQ(platform::msgbox::log().back().prompt, "请先保存项目！");
}

TEST_F(ShaftEjectWindow, AStepRefusedForAShaftOutsideTheTunnelLeavesNoEarlierResult) {
    // Both steps, each refused after a calculation at the template's shaft: what they write goes, and
    // the report says it is not computed.
    struct Step {
        const char* name;
        platform::CommandButton frmShaftEject::*press;
        std::vector<platform::TextBox frmShaftEject::*> boxes;
        /// The report's lines that say 未计算, by label, in order: the step's own results and what is
        /// derived from them, and the split type's second ptot3, which it never computes.
        std::vector<std::string> notComputed;
    } const steps[] = {
        {"求各区段的需风量",
         &frmShaftEject::cmdCalculateSectionQQ_req,
         {&frmShaftEject::txtQQ_req1, &frmShaftEject::txtQQ_r1, &frmShaftEject::txtv_1,
          &frmShaftEject::txtQQ_r2},
         {"设计风量Qr1(m^3/s):", "①-①断面平均风速v1(m/s):", "设计风量Qr2(m^3/s):", "②-②断面平均风速v2(m/s):",
          "③-③断面平均风速v3(m/s):", "竖井底部合流全压力(按照规范公式3.5.7-1a)ptot3(Pa):"}},
        {"计算",
         &frmShaftEject::cmdCalculatePtot3,
         {&frmShaftEject::txtdeltap_t1, &frmShaftEject::txtp_tot3, &frmShaftEject::txtp_tot,
          &frmShaftEject::txtSS_tot},
         {"交通通风力Δpt1(Pa):", "末端的全压力ptot1(Pa):", "交通通风力Δpt2(Pa):", "始端的全压力ptot21(Pa):",
          "末端的全压力ptot22(Pa):", "竖井底部合流全压力(按照规范公式3.5.7-1)ptot3(Pa):",
          "竖井底部合流全压力(按照规范公式3.5.7-1a)ptot3(Pa):", "排风机设计风压ptot(Pa):",
          "理论功率Atot(kw):", "送风机电机轴功率Stot(kw):"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        fs::remove(sePath());
        open([&](frmShaftEject& w) {
            w.cmdCalculateSectionQQ_req.userClick();
            w.cmdCalculatePtot3.userClick();
            for (auto box : step.boxes) {
                ASSERT_NE((w.*box).Text(), "");
            }
            w.txtShaftPile.userType("9000");
            test_support::expectOneMessageOf([&] { (w.*step.press).userClick(); },
                                             {.prompt = "竖井桩号9000超出隧道桩号范围，请检查！"});
            for (auto box : step.boxes) {
                EXPECT_EQ((w.*box).Text(), "");
            }
            w.cmdReport.userClick();
        });
        platform::msgbox::reset();
        // The labels hold no blank: each line is its label, the gap, and what it prints.
        std::vector<std::string> labels;
        for (const std::string& line : test_support::viewedReport()) {
            if (line.ends_with("未计算")) {
                std::istringstream(line) >> labels.emplace_back();
            }
        }
        EXPECT_EQ(labels, step.notComputed);
    }
}

TEST_F(ShaftEjectWindow, CurveDrawsThreeChartsFromTheWalk) {
    int losses = 0;
    open([&](frmShaftEject& w) {
        losses = Forms::instance<frmVentParam>().lstzeta.ListItems.Count();
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        w.cmdDrawCurve.userClick();
        EXPECT_EQ(w.dPressPoints.size(), static_cast<std::size_t>(2 * losses + 6));
        EXPECT_EQ(w.dCPoints.size(), 3U);
        EXPECT_DOUBLE_EQ(w.dPressPoints.front().station, modPublic::StartPile);
        EXPECT_DOUBLE_EQ(w.dPressPoints.back().station, modPublic::EndPile);
        ASSERT_TRUE(w.PressCurve);
        EXPECT_TRUE(w.PressCurve->bIsCanDraw);
    });
    platform::cad::Application* app = platform::cad::Application::Attach();
    ASSERT_NE(app, nullptr);
    const auto& entities = app->activeDocument().modelSpace().entities();
    int titles = 0;
    for (const auto& e : entities) {
        if (e.type == platform::cad::Entity::Type::Text &&
            (e.text == "压力(Pa)" || e.text == "速度(m/s)" || e.text == "浓度C(%)")) {
            ++titles;
        }
    }
    EXPECT_EQ(titles, 3);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The concentrated-supply window reached as a designer reaches it: the template project saved into the
// test folder, step 2 opened from the main window, Next with the concentrated-supply scheme. Opening from
// the template, the two input modes, the balance, the .con file through every close, and the report.
#include "transverse/frmConcentrate.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/scheme_file.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/tunnel_stage.h"
#include "tests/support/written_files.h"
#include "transverse/concentrate.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using test_support::writeBytes;
namespace fs = std::filesystem;
using platform::Forms;

std::string conPath() {
    return test_stage::appFolder() + "/proj.con";
}

class ConcentrateWindow : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::saveTemplateProjectWithDemand(req);
        // The other cases computed none, so the hand-off opens step 2 on the one-way case.
        for (platform::TextBox* box :
             {&req.txtQQ_req_CO_Bidirection, &req.txtQQ_req_VI_Bidirection, &req.txtQQ_req_CO_block,
              &req.txtQQ_req_VI_block, &req.txtQQ_req_exchange}) {
            box->setSilently("");
        }
    }

    /// Opens step 2 and the concentrated-supply window from its Next; `script` acts on the window; unless
    /// it left the window, "<-- 上一步" leaves it; step 2 is then left by Return.
    void open(const std::function<void(frmConcentrate&)>& script, int caseIndex = -1) {
        EXPECT_TRUE(test_support::openScheme<frmConcentrate>(
            req, 1, [&](frmConcentrate& w, frmVentParam&) { script(w); },
            [&](frmVentParam& step2) {
                if (caseIndex >= 0) {
                    step2.lstCase.userClick(caseIndex);
                }
            }));
        EXPECT_FALSE(Forms::isLoaded<frmConcentrate>());
    }

    static std::string conBytes() { return textfile::ReadBytes(conPath()).value_or("<missing>"); }

    frmReq& req = Forms::instance<frmReq>();
};

/// A tunnel from 1000 to 2000 with one 90 m² section (D 10 m), ρ 1.2, λ 0.02, natural wind 2.5 m/s, no
/// vehicle resistance, no local losses, 180 m³/s; the opening at 1200 on the right line.
void flatTunnel(frmConcentrate& w) {
    frmVentParam& step2 = Forms::instance<frmVentParam>();
    Forms::instance<frmReq>().optRightLine.setSilently(true);
    test_support::setFlatTunnel({.pileDirection = 1});
    step2.lstzeta.ListItems.Clear();
    w.txtQQ_r.userType("180");
    w.txtShaftPile.userType("1200");
    w.txteta.userType("0.8");
}

// ---- Opening ----

TEST_F(ConcentrateWindow, OpensFromTheTemplateWithStep2sDemand) {
    ASSERT_FALSE(fs::exists(conPath()));
    std::string demand;
    open([&](frmConcentrate& w) {
        demand = Forms::instance<frmVentParam>().txtQQ_req.Text();
        EXPECT_EQ(w.Caption(), "Step 3: 集中送入通风方式");
        EXPECT_TRUE(w.IsModal());
        test_support::ExpectTexts{{w.txtQQ_r, vb::Format(vb::Val(demand), "0.00")},
                                  {w.txtdeltap_d, "300.00"},
                                  {w.txtv_b, "25.00"},
                                  {w.txtbeta, "5.00"},
                                  {w.txtKK_b, "0.90"},
                                  {w.txtAA_b, "12.00"}};
        for (const platform::TextBox* box :
             {&w.txtdeltap_m, &w.txtdeltap_t, &w.txtdeltap_r, &w.txtdeltap_b, &w.txtdeltap_l, &w.txtQQ_b,
              &w.txtv_1, &w.txtPP_tot, &w.txtAA_tot, &w.txtSS_tot}) {
            EXPECT_EQ(box->Text(), "0.00");
        }
        EXPECT_EQ(w.txtShaftPile.Text(), "10100"); // the template's opening, 100 m inside the entrance
        EXPECT_EQ(w.txteta.Text(), "0.8");
        EXPECT_TRUE(w.optKnowArea.Value());
        EXPECT_FALSE(w.OptionButton2.Value());
        EXPECT_TRUE(w.txtAA_b.Enabled());
        EXPECT_TRUE(w.lblAA_b.Enabled());
        EXPECT_FALSE(w.txtv_b.Enabled());
        EXPECT_FALSE(w.lblv_b.Enabled());
        EXPECT_EQ(w.Frame1.Caption(), "计算模式");
        EXPECT_EQ(w.Frame2.Caption(), "压力平衡分析");
        EXPECT_EQ(w.Frame3.Caption(), "送风参数");
        EXPECT_EQ(w.Frame4.Caption(), "风机动力设计");
        EXPECT_EQ(w.optKnowArea.Caption(), "已知送风口面积");
        EXPECT_EQ(w.OptionButton2.Caption(), "已知送风口喷出风速");
        EXPECT_EQ(w.lblv_b.Caption(), "送风口喷出风速vb(m/s)");
        EXPECT_EQ(w.lblAA_b.Caption(), "送风口面积Ab(m^2):");
        EXPECT_EQ(w.cmdCalculateJet.Caption(), "计算");
        EXPECT_EQ(w.cmdReport.Caption(), "计算报告");
        EXPECT_EQ(w.cmdBack.Caption(), "<-- 上一步");
        EXPECT_EQ(w.cmdCalPd.Caption(), ">>");
        EXPECT_EQ(w.txtShaftPile.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_EQ(w.txteta.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_NE(w.txtdeltap_b.BackColor(), platform::RGB(255, 255, 192));
    });
    EXPECT_TRUE(fs::exists(conPath()));
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(ConcentrateWindow, OpensWithoutAnyFileOnTheDefaults) {
    fs::remove(fs::path(test_stage::appFolder()) / "ConfigFiles" / "Normal.con");
    open([](frmConcentrate& w) {
        test_support::ExpectTexts{{w.txtdeltap_d, "300.00"},
                                  {w.txtAA_b, "12.00"},
                                  {w.txtdeltap_b, "0.00"},
                                  {w.txteta, ""},
                                  {w.txtShaftPile, ""}};
        EXPECT_TRUE(w.optKnowArea.Value());
        EXPECT_TRUE(w.txtAA_b.Enabled());
    });
}

TEST_F(ConcentrateWindow, ModeSwitchEnablesTheGivenQuantity) {
    open([](frmConcentrate& w) {
        w.OptionButton2.userClick();
        EXPECT_FALSE(w.optKnowArea.Value());
        EXPECT_TRUE(w.txtv_b.Enabled());
        EXPECT_TRUE(w.lblv_b.Enabled());
        EXPECT_FALSE(w.txtAA_b.Enabled());
        EXPECT_FALSE(w.lblAA_b.Enabled());
        w.optKnowArea.userClick();
        EXPECT_TRUE(w.txtAA_b.Enabled());
        EXPECT_FALSE(w.txtv_b.Enabled());
    });
}

// ---- The balance ----

TEST_F(ConcentrateWindow, BalanceOfAFlatTunnel) {
    open([](frmConcentrate& w) {
        flatTunnel(w);
        w.cmdCalculateJet.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        // Shared module: Ar at the start station, D of the first section, vr = 180 / 90.
        EXPECT_DOUBLE_EQ(modPublic::AA_r, 90);
        EXPECT_DOUBLE_EQ(modPublic::DD_r, 10);
        EXPECT_DOUBLE_EQ(modPublic::v_r, 2);
        // Δpm does not depend on v1 with a given area. Main stretch, 225 m³/s at 2.5 m/s (0.6·6.25 =
        // 3.75 Pa dynamic): 800·0.02/10·3.75 = 6.0 + (0.7 + 1)·3.75 = 6.375. Supply stretch,
        // 225·90/78 = 259.615 m³/s at 2.88462 m/s (4.99260 Pa): 200·0.002·4.99260 = 1.99704 + 0.6·4.99260
        // = 2.99556. Sum 17.3676.
        EXPECT_EQ(w.txtdeltap_m.Text(), "17.37");
        EXPECT_EQ(w.txtdeltap_t.Text(), "0.00");
        EXPECT_EQ(w.txtdeltap_l.Text(), "0.00");
        // Δpr: main stretch 180 m³/s at 2 m/s (2.4 Pa): 1.6·2.4 + 1.7·2.4 = 7.92, plus the supply stretch
        // (0.4 + 0.6)·0.6·(78·v1/90)² with v1 of the last pass, close to the shown one.
        const double v1 = vb::Val(w.txtv_1.Text());
        EXPECT_NEAR(vb::Val(w.txtdeltap_r.Text()), 7.92 + 0.6 * std::pow(78 * v1 / 90, 2), 0.1);
        // Δpb = Δpr − Δpt + Δpm + Δpl, and the fan from the jet speed.
        const double dpb = vb::Val(w.txtdeltap_b.Text());
        EXPECT_NEAR(dpb, vb::Val(w.txtdeltap_r.Text()) + 17.3676, 0.011);
        const double qb = vb::Val(w.txtQQ_b.Text()), vbShown = vb::Val(w.txtv_b.Text());
        EXPECT_EQ(w.txtAA_b.Text(), "12.00");
        EXPECT_NEAR(vbShown, qb / 12, 0.006);
        // The settled v1 is the supply stretch's own speed within the stop test.
        EXPECT_NEAR(v1, (180 - qb) / 78, 0.1);
        const double ptot = (0.6 * vbShown * vbShown + 300) * 1.1;
        EXPECT_NEAR(vb::Val(w.txtPP_tot.Text()), ptot, 0.1);
        EXPECT_NEAR(vb::Val(w.txtAA_tot.Text()), qb * ptot / 1000, 0.05);
        EXPECT_NEAR(vb::Val(w.txtSS_tot.Text()), qb * ptot / 1000 / 0.8, 0.07);
        // The station and the efficiency keep their text; the flow is rewritten with two decimals.
        EXPECT_EQ(w.txtShaftPile.Text(), "1200");
        EXPECT_EQ(w.txteta.Text(), "0.8");
        EXPECT_EQ(w.txtQQ_r.Text(), "180.00");
        // On the right line v1 lies below the opening.
        EXPECT_NEAR(w.GetVelocityAtPile(1100), v1, 0.005);
        EXPECT_DOUBLE_EQ(w.GetVelocityAtPile(1200), 2);
    });
}

TEST_F(ConcentrateWindow, KnownSpeedWritesTheAreaThatTheOtherModeThenReads) {
    open([](frmConcentrate& w) {
        flatTunnel(w);
        w.OptionButton2.userClick();
        w.cmdCalculateJet.userClick();
        EXPECT_EQ(w.txtv_b.Text(), "25.00");
        const double qb = vb::Val(w.txtQQ_b.Text());
        EXPECT_NEAR(vb::Val(w.txtAA_b.Text()), qb / 25, 0.006);
        // Known-speed b = 0.9·25·0.996195/2 − 2 = 9.21 > 0 with Δpb > 0: a small positive share.
        EXPECT_GT(qb, 0);
        const std::string area = w.txtAA_b.Text();
        w.optKnowArea.userClick();
        w.cmdCalculateJet.userClick();
        EXPECT_EQ(w.txtAA_b.Text(), area);
        EXPECT_TRUE(platform::msgbox::log().empty());
    });
}

TEST_F(ConcentrateWindow, TheBalanceOnTheTemplateProject) {
    // One-way traffic at 80 km/h drives more air than the design flow needs: no supply flow balances, said
    // so.
    req.txtworkv_t.setSilently("80");
    req.workv_t = 80;
    req.UpdateTotals(); // the template's totals at that speed, then the fixture's demand again
    SetUp();
    open([](frmConcentrate& w) {
        const double start = modPublic::StartPile, end = modPublic::EndPile;
        w.txtShaftPile.userType(vb::CStr(std::floor(start + (end - start) / 5)));
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculateJet.userClick();
        test_support::expectOneMessage({.prompt = "送风口所需升压力Δpb为负（交通通风力大于各项阻力），任何"
                                                  "送风量都不能使压力平衡，请检查输入数据！"});
        // No supply flow of an earlier state is shown for this one.
        EXPECT_EQ(w.txtQQ_b.Text(), "");
    });
    platform::msgbox::reset();
    // Two-way traffic opposes the air: the opening has to give the rise.
    req.txtQQ_req_CO_Bidirection.setSilently("300");
    req.txtQQ_req_VI_Bidirection.setSilently("250");
    open(
        [](frmConcentrate& w) {
            const double start = modPublic::StartPile, end = modPublic::EndPile;
            ASSERT_LT(start, end);
            w.txtShaftPile.userType(vb::CStr(std::floor(start + (end - start) / 5)));
            w.cmdCalculateJet.userClick();
            EXPECT_TRUE(platform::msgbox::log().empty());
            const double sum = vb::Val(w.txtdeltap_r.Text()) - vb::Val(w.txtdeltap_t.Text()) +
                               vb::Val(w.txtdeltap_m.Text()) + vb::Val(w.txtdeltap_l.Text());
            EXPECT_NEAR(vb::Val(w.txtdeltap_b.Text()), sum, 0.021);
            EXPECT_NE(w.txtQQ_b.Text(), "0.00");
            EXPECT_NE(w.txtSS_tot.Text(), "0.00");
            EXPECT_DOUBLE_EQ(modPublic::v_r, vb::Val(w.txtQQ_r.Text()) / modPublic::AA_r);
        },
        1);
}

std::vector<std::string> shownBoxes(frmConcentrate& w) {
    std::vector<std::string> texts;
    for (const platform::TextBox* box :
         {&w.txtdeltap_m, &w.txtdeltap_t, &w.txtdeltap_r, &w.txtdeltap_b, &w.txtdeltap_l, &w.txtQQ_b,
          &w.txtv_1, &w.txtAA_b, &w.txtv_b, &w.txtPP_tot, &w.txtAA_tot, &w.txtSS_tot, &w.txtQQ_r}) {
        texts.push_back(box->Text());
    }
    return texts;
}

TEST_F(ConcentrateWindow, SamePressesGiveTheSameFiguresInBothModesOnBothLines) {
    // Two-way traffic on the template opposes the air, so the opening has to give the rise. The first
    // press starts from no supply flow, the second from the first one's, the third after reopening
    // from the file: all three show the same figures.
    req.txtQQ_req_CO_Bidirection.setSilently("200");
    req.txtQQ_req_VI_Bidirection.setSilently("150");
    for (const bool rightLine : {true, false}) {
        for (const bool knownArea : {true, false}) {
            SCOPED_TRACE(std::string(rightLine ? "right line" : "left line") +
                         (knownArea ? ", known area" : ", known speed"));
            (rightLine ? req.optRightLine : req.optLeftLine).setSilently(true);
            (rightLine ? req.optLeftLine : req.optRightLine).setSilently(false);
            std::vector<std::string> first;
            open(
                [&](frmConcentrate& w) {
                    const double start = std::min(modPublic::StartPile, modPublic::EndPile);
                    const double end = std::max(modPublic::StartPile, modPublic::EndPile);
                    const double entrance = rightLine ? start : end;
                    w.txtShaftPile.userType(
                        vb::CStr(std::floor(entrance + (end - start) / 5 * (rightLine ? 1 : -1))));
                    (knownArea ? w.optKnowArea : w.OptionButton2).userClick();
                    (knownArea ? w.txtAA_b : w.txtv_b).userType(knownArea ? "12" : "40");
                    w.cmdCalculateJet.userClick();
                    first = shownBoxes(w);
                    EXPECT_NE(w.txtQQ_b.Text(), "0.00");
                    w.cmdCalculateJet.userClick();
                    EXPECT_EQ(shownBoxes(w), first);
                },
                1);
            open(
                [&](frmConcentrate& w) {
                    w.cmdCalculateJet.userClick();
                    EXPECT_EQ(shownBoxes(w), first);
                },
                1);
            EXPECT_TRUE(platform::msgbox::log().empty());
        }
    }
}

TEST_F(ConcentrateWindow, ABalanceThatNeverSettlesShowsNoResult) {
    // 300 m³/s against two-way traffic through 25 m/s jets: the nozzle grows with every pass until the
    // supply stretch closes. No figure of any pass is shown, and the window says why.
    req.txtQQ_req_CO_Bidirection.setSilently("300");
    req.txtQQ_req_VI_Bidirection.setSilently("250");
    open(
        [](frmConcentrate& w) {
            const double start = modPublic::StartPile, end = modPublic::EndPile;
            w.txtShaftPile.userType(vb::CStr(std::floor(start + (end - start) / 5)));
            w.OptionButton2.userClick();
            platform::msgbox::script(platform::vbOK);
            w.cmdCalculateJet.userClick();
            test_support::expectOneMessage(
                {.prompt = "送风段风速与送风量迭代1000次仍未稳定，没有计算结果，请检查输入数据！"});
            for (const platform::TextBox* box :
                 {&w.txtdeltap_m, &w.txtdeltap_t, &w.txtdeltap_r, &w.txtdeltap_b, &w.txtdeltap_l, &w.txtQQ_b,
                  &w.txtv_1, &w.txtAA_b, &w.txtPP_tot, &w.txtAA_tot, &w.txtSS_tot}) {
                EXPECT_EQ(box->Text(), "");
            }
            EXPECT_EQ(w.txtv_b.Text(), "25.00");
            // The report says so of each, the area this mode finds too.
            w.cmdReport.userClick();
            const std::vector<std::string> lines = test_support::viewedReport();
            ASSERT_EQ(lines.size(), 29u);
            EXPECT_EQ(
                test_support::notComputedLines(lines),
                (std::vector<std::string>{
                    "             自然风阻力Δpm(Pa): \t未计算", "             交通通风力Δpt(Pa): \t未计算",
                    "通风阻抗力Δpr(经送风段修正)(Pa):\t未计算", "           局部压力损失Δpl(Pa): \t未计算",
                    "     送风机送风口升压力Δpb(Pa): \t未计算", "           送风机风量Qb(m^3/s):  \t未计算",
                    "             送风段风速v1(m/s):  \t未计算", "             送风口面积Ab(m^2):  \t未计算",
                    "      送风机所需全风压Ptot(Pa):  \t未计算", "             理论功率Atot(kw):   \t未计算",
                    "     送风机电机轴功率Stot(kw):   \t未计算"}));
        },
        1);
}

TEST_F(ConcentrateWindow, InputsThatCannotBalanceAreNamedAndLeaveNoResult) {
    open([](frmConcentrate& w) {
        flatTunnel(w);
        const auto refused = [&w](const std::string& prompt) {
            platform::msgbox::script(platform::vbOK);
            w.cmdCalculateJet.userClick();
            ASSERT_FALSE(platform::msgbox::log().empty());
            EXPECT_EQ(platform::msgbox::log().back().prompt, prompt);
            EXPECT_EQ(platform::msgbox::log().back().title, "出错！");
            // What the window showed before is no result of these inputs.
            EXPECT_EQ(w.txtdeltap_b.Text(), "");
            EXPECT_EQ(w.txtQQ_b.Text(), "");
        };
        w.txtShaftPile.userType("");
        refused("送风口桩号必须位于隧道起点与终点之间，请检查！");
        w.txtShaftPile.userType("1200");
        w.txtAA_b.userType("90");
        refused("送风口面积Ab必须大于零且小于隧道断面面积，请检查！");
        w.txtAA_b.userType("0");
        refused("送风口面积Ab必须大于零且小于隧道断面面积，请检查！");
        w.txtAA_b.userType("12");
        w.txteta.userType("");
        refused("送风机效率η必须大于零，请检查！");
        w.txteta.userType("0.8");
        w.OptionButton2.userClick();
        w.txtv_b.userType("0");
        refused("送风口喷出风速vb必须大于零，请检查！");
        w.txtQQ_r.userType("");
        refused("隧道设计风量Qr必须大于零，请检查！");
    });
}

/// A start station no tunnel reaches (a typo with extra digits) leaves no section at the stations: the
/// window refuses the zero area and the design speed it publishes stays a number.
TEST_F(ConcentrateWindow, AStationBeyondAnyTunnelPublishesNoInfiniteSpeed) {
    platform::msgbox::setAutoAnswer(true);
    for (const char* start : {"1e18", "1e300"}) {
        modPublic::v_r = 2.5;
        req.txtStartPile.set(start);
        open([&](frmConcentrate& w) {
            w.cmdCalculateJet.userClick();
            EXPECT_TRUE(std::isfinite(modPublic::v_r)) << start;
        });
    }
    for (const auto& box : platform::msgbox::log()) {
        EXPECT_EQ(box.prompt, "隧道起点处断面面积为零，无法计算，请检查断面数据！");
    }
    platform::msgbox::setAutoAnswer(false);
}

// ---- The .con file ----

TEST_F(ConcentrateWindow, FileKeepsTheModeAndTheTypedTextsThroughReopening) {
    std::string written;
    open([&](frmConcentrate& w) {
        flatTunnel(w);
        w.txteta.userType("0.85");
        w.OptionButton2.userClick();
        w.cmdCalculateJet.userClick();
        written = w.txtQQ_b.Text();
    });
    const std::string first = conBytes();
    EXPECT_NE(first.find("\"1200\""), std::string::npos);
    EXPECT_NE(first.find("#FALSE#"), std::string::npos);
    // Step 2's demand is shown, not the file's flow; the results of the file stand only beside the flow
    // they were computed with, at the rounding shown: a file holding the flow as typed, "180", holds 180.00.
    const struct {
        const char *stored, *demand, *Qr, *QQ_b, *tip;
    } reopenings[] = {
        {"\"180\"", "180", "180.00", written.c_str(), ""},
        {"", "180", "180.00", written.c_str(), ""},
        {"", "420.5", "420.50", "", "隧道设计风量Qr已由180.00变为420.50，原计算结果已清空，请重新计算。"},
    };
    for (const auto& r : reopenings) {
        SCOPED_TRACE(r.demand);
        if (*r.stored != '\0') {
            std::string bytes = first;
            writeBytes(conPath(), bytes.replace(bytes.find("\"180.00\""), 8, r.stored));
        }
        req.UpdateTotals(); // the flat tunnel's totals, then the fixture's cases and this demand
        SetUp();
        req.txtQQ_req_CO.setSilently(r.demand);
        req.txtQQ_req_VI.setSilently("100");
        open([&](frmConcentrate& w) {
            EXPECT_EQ(w.txtQQ_r.Text(), r.Qr);
            EXPECT_EQ(w.txtShaftPile.Text(), "1200");
            EXPECT_EQ(w.txteta.Text(), "0.85");
            EXPECT_EQ(w.txtQQ_b.Text(), r.QQ_b);
            EXPECT_EQ(w.lblTip.Caption(), r.tip);
            EXPECT_FALSE(w.optKnowArea.Value());
            EXPECT_TRUE(w.OptionButton2.Value());
            EXPECT_TRUE(w.txtv_b.Enabled());
            EXPECT_FALSE(w.txtAA_b.Enabled());
            EXPECT_FALSE(w.lblAA_b.Enabled());
        });
    }
}

TEST_F(ConcentrateWindow, BackAndCloseBoxLeaveTheSameFile) {
    open([](frmConcentrate& w) {
        w.txtShaftPile.userType("1234.5");
        w.txteta.userType("0.75");
    });
    const std::string byBack = conBytes();
    fs::remove(conPath());
    open([](frmConcentrate& w) {
        // The file of the first opening was removed: the template, then the same typing.
        w.txtShaftPile.userType("1234.5");
        w.txteta.userType("0.75");
        Forms::unload(w, platform::vbFormControlMenu);
    });
    EXPECT_EQ(conBytes(), byBack);
    EXPECT_NE(byBack.find("\"1234.5\""), std::string::npos);
    EXPECT_NE(byBack.find("\"0.75\""), std::string::npos);
}

TEST_F(ConcentrateWindow, AFileThatCannotBeWrittenIsSaidSo) {
    fs::create_directory(conPath()); // a folder where the file belongs
    platform::msgbox::script(platform::vbOK);
    platform::msgbox::script(platform::vbOK);
    open([](frmConcentrate&) {});
    ASSERT_EQ(platform::msgbox::log().size(), 2u); // once by Back, once by the close request
    EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
    EXPECT_NE(platform::msgbox::log()[0].prompt.find("集中送入通风方案文件未能保存"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(conPath()));
}

TEST_F(ConcentrateWindow, TruncatedBadAndFuzzedFilesNeverStopTheWindow) {
    // Cut after the Boolean: record 1 and the mode are read, record 2 keeps the defaults. The results of
    // record 1 are of a flow of 999, not step 2's.
    writeBytes(conPath(),
               "\"1.00\",\"2.00\",\"3.00\",\"4.00\",\"999\",\"55.00\",\"1500\",\"2.50\",\"7.00\",\"0.80\","
               "\"6.00\"\r\n#FALSE#");
    open([](frmConcentrate& w) {
        test_support::ExpectTexts{{w.txtdeltap_m, ""},
                                  {w.txtdeltap_l, ""},
                                  {w.txtQQ_b, ""},
                                  {w.txtShaftPile, "1500"},
                                  {w.txtbeta, "7.00"}};
        EXPECT_NE(w.txtQQ_r.Text(), "999");
        EXPECT_FALSE(w.optKnowArea.Value());
        EXPECT_TRUE(w.txtv_b.Enabled());
        EXPECT_EQ(w.txtdeltap_d.Text(), "300.00");
    });
    // Text where numbers belong: the boxes show it, a calculation reads 0 and names the input.
    writeBytes(conPath(),
               "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\",\"i\",\"j\",\"k\"\r\n\"x\",\"y\"\r\n");
    open([](frmConcentrate& w) {
        EXPECT_EQ(w.txtShaftPile.Text(), "g");
        EXPECT_TRUE(w.optKnowArea.Value());
        EXPECT_EQ(w.txtAA_b.Text(), "y");
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculateJet.userClick();
        EXPECT_EQ(platform::msgbox::log().size(), 1u);
    });
    // Random bytes: the window opens, calculates or refuses, and closes.
    std::mt19937 random(20240607);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 400), '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() % 256);
        }
        writeBytes(conPath(), bytes);
        open([](frmConcentrate& w) {
            for (int i = 0; i < 3; ++i) {
                platform::msgbox::script(platform::vbOK);
            }
            w.cmdCalculateJet.userClick();
            platform::msgbox::reset();
        });
        platform::msgbox::reset();
    }
}

// ---- The duct-loss dialog ----

TEST_F(ConcentrateWindow, DuctLossDialogOpensWithAnEmptyFlow) {
    open([](frmConcentrate& w) {
        test_stage::onModal<frmCalculatePd>([](frmCalculatePd& d) {
            EXPECT_EQ(d.txtQ.Text(), "");
            d.txtp_d.setSilently("123.45");
            d.Hide();
        });
        w.cmdCalPd.userClick();
        EXPECT_EQ(w.txtdeltap_d.Text(), "123.45");
        EXPECT_FALSE(Forms::isLoaded<frmCalculatePd>());
    });
}

// ---- The report ----

TEST_F(ConcentrateWindow, ReportPrintsTheBoxesAsShown) {
    const std::string report = test_stage::appFolder() + "/proj_集中送入式通风.rpt";
    open([&](frmConcentrate& w) {
        // Right after opening: the template's values and the mode of the moment.
        w.OptionButton2.userClick();
        w.cmdReport.userClick();
        EXPECT_EQ(platform::textviewer::log(), std::vector<std::string>{report});
        test_support::expectGbkCrLf(report, "集中送入通风计算报告");
        std::vector<std::string> lines = textfile::ReadLines(report).value_or(std::vector<std::string>{});
        ASSERT_EQ(lines.size(), 29u);
        EXPECT_EQ(lines[2], std::string(29, ' ') + Forms::instance<frmReq>().txtProjectName.Text() +
                                "集中送入通风计算报告");
        EXPECT_EQ(lines[4], "根据已知送风口喷出风速计算");
        EXPECT_EQ(lines[25], std::string(6, ' ') + "送风机所需全风压Ptot(Pa):  \t0.00");
        EXPECT_EQ(lines[27], std::string(17, ' ') + "送风机效率η:   \t0.8");

        // After a calculation, written again over the first.
        flatTunnel(w);
        w.cmdCalculateJet.userClick();
        w.cmdReport.userClick();
        lines = textfile::ReadLines(report).value_or(std::vector<std::string>{});
        ASSERT_EQ(lines.size(), 29u);
        EXPECT_EQ(lines[7], std::string(13, ' ') + "自然风阻力Δpm(Pa): \t" + w.txtdeltap_m.Text());
        EXPECT_EQ(lines[16], std::string(17, ' ') + "送风口桩号(m):  \t1200");
        EXPECT_EQ(lines[14], std::string(9, ' ') + "隧道设计风量Qr(m^3/s):  \t180.00");
        EXPECT_EQ(platform::textviewer::log().size(), 2u);
    });
}

/// Writes the template `Normal.con` into the folder named by ARIDANE_TEMPLATE_OUT (else the test's own
/// folder) through the window's own close, and holds it to the shipped file:
///   ARIDANE_TEMPLATE_OUT=.../ConfigFiles concentrate_window_tests --gtest_filter='*MakeTemplate*'
TEST(ConcentrateTemplate, MakeTemplate) {
    frmReq& req = Forms::instance<frmReq>();
    (void)req;
    const std::string dir = test_support::templateOutFolder("Normal.con");
    frmConcentrate& w = Forms::instance<frmConcentrate>();
    // The opening defaults, a usual fan efficiency, and the supply opening of the template tunnel 100 m
    // inside its entrance portal.
    w.txteta.set("0.8");
    w.txtShaftPile.set("10100");
    ASSERT_EQ(w.txtAA_b.Text(), "12.00");
    Forms::unload(w);
    Forms::destroyAll();
    test_support::expectShippedTemplate(dir, "Normal.con");
}

} // namespace

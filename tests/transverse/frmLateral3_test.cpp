// SPDX-License-Identifier: GPL-3.0-or-later
// The transverse window reached as a designer reaches it: the template project saved into the test folder,
// step 2 on two-way traffic, Next with the transverse scheme. Opening, the calculation on the template,
// the neutral point, the connecting-duct dialogs, the .tra file and the report.
#include "transverse/frmLateral3.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/scheme_file.h"
#include "platform/scripted.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "platform/vb.h"
#include "tests/support/duct_loss_dialog.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/written_files.h"
#include "transverse/lateral.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

namespace {

using test_support::bytesOf;
using test_support::writeBytes;
namespace fs = std::filesystem;
using platform::Forms;

std::string traPath() {
    return test_stage::appFolder() + "/proj.tra";
}

class LateralWindow : public ::testing::Test {
protected:
    void SetUp() override { test_support::saveTemplateProject(req); }

    /// Step 2 from the main window with the case at `casePosition`, Next with the transverse scheme;
    /// `script` acts on the window, which is then left by "<--上一步" unless the script closed it.
    bool open(const std::function<void(frmLateral3&)>& script, int casePosition = 1) {
        bool opened = false;
        test_stage::onModal<frmVentParam>([&](frmVentParam& step2) {
            step2.lstCase.setSelected(casePosition, true);
            step2.cmbNextStep.setListIndex(5);
            if (casePosition == 1) {
                test_stage::onModal<frmLateral3>([&](frmLateral3& w) {
                    opened = true;
                    script(w);
                    if (Forms::isLoaded(w)) {
                        w.cmdClose.userClick();
                    }
                });
            }
            step2.cmdNextStep.userClick();
            step2.cmdReturn.userClick();
        });
        req.cmdNextStep.userClick();
        EXPECT_FALSE(Forms::isLoaded<frmLateral3>());
        return opened;
    }

    transverse::TraFile stored() {
        scheme::SchemeReader in;
        EXPECT_TRUE(in.Open(traPath()));
        return transverse::ReadTraFile(in);
    }

    frmReq& req = Forms::instance<frmReq>();
};

// Writes the template ConfigFiles/Normal.tra (ARIDANE_TEMPLATE_OUT names the folder) and holds it to the
// shipped file.
TEST(LateralTemplate, MakeTemplate) {
    frmReq& req = Forms::instance<frmReq>();
    const std::string dir = test_support::templateOutFolder("Normal.tra");
    modPublic::StartPile = vb::Val(req.txtStartPile.Text());
    frmLateral3& w = Forms::instance<frmLateral3>();
    // Both ducts of 12 m² and 3.5 m in smooth concrete (λ 0.02), connecting ducts still to be worked out,
    // the chosen station in the middle of the tunnel; the results are left to the calculation.
    w.txtAA_b.set("12");
    w.txtDD_b.set("3.5");
    w.txtLambda_b.set("0.02");
    w.txtp_d.set("0");
    w.txtAA_e.set("12");
    w.txtDD_e.set("3.5");
    w.txtLambda_e.set("0.02");
    w.txtp_ed.set("0.00");
    w.scbPileR.setSilently(
        vb::CInt(vb::Val(req.txtStartPile.Text()) + req.GetTunnelLength() / 2).value_or(0));
    ASSERT_TRUE(w.SaveFile());
    Forms::destroyAll();
    test_support::expectShippedTemplate(dir, "Normal.tra");
}

TEST_F(LateralWindow, TwoWayOpensFromTheTemplateAndComputesAtOnce) {
    ASSERT_FALSE(fs::exists(traPath()));
    const bool opened = open([](frmLateral3& w) {
        EXPECT_EQ(w.Caption(), "全横向式通风计算");
        EXPECT_TRUE(w.IsModal());
        EXPECT_EQ(w.Frame1.Caption(), "模式");
        EXPECT_EQ(w.optTranverse.Caption(), "全横向");
        EXPECT_EQ(w.OptionButton2.Caption(), "送风型半横向");
        EXPECT_EQ(w.chkTwoSect.Caption(), "区段两端送排风");
        EXPECT_EQ(w.Frame2.Caption(), "送风机的参数与全风压");
        EXPECT_EQ(w.Frame3.Caption(), "排风机的参数与全风压");
        EXPECT_EQ(w.Frame4.Caption(), "隧道内风压计算");
        EXPECT_EQ(w.cmdCalculatePtot3.Caption(), "计算");
        EXPECT_EQ(w.cmdReport.Caption(), "计算书");
        EXPECT_EQ(w.cmdClose.Caption(), "<--上一步");
        EXPECT_EQ(w.cmdCalculatePd.Caption(), "...");
        EXPECT_EQ(w.cmdCalculatePed.Caption(), "...");
        for (platform::TextBox* box : {&w.txtv_t, &w.txtStartPile, &w.txtEndPile, &w.txtAA_b, &w.txtDD_b,
                                       &w.txtLambda_b, &w.txtAA_e, &w.txtDD_e, &w.txtLambda_e}) {
            EXPECT_EQ(box->BackColor(), platform::RGB(255, 255, 192));
        }
        EXPECT_NE(w.txtp_tot.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_NE(w.txtp_d.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_FALSE(w.txtStartPile.Enabled());
        EXPECT_FALSE(w.txtEndPile.Enabled());
        // The design-time variant from the template: full transverse, a fan at each end.
        EXPECT_TRUE(w.optTranverse.Value());
        EXPECT_FALSE(w.OptionButton2.Value());
        EXPECT_EQ(w.chkTwoSect.Value(), 1);
        EXPECT_TRUE(w.Frame3.Enabled());
        // The picture of the variant, from the installation.
        EXPECT_TRUE(w.Image1.Picture().ends_with("/图片/lateral.bmp")) << w.Image1.Picture();
        // The section is the whole tunnel as the main window shows it; the natural wind of 2.5 m/s gives
        // 2.5² · (−1.01/2) · (5235 · 0.02 / 8.197 + 0.6 + 1) = −45.36 Pa between the portals.
        test_support::ExpectTexts{
            {w.txtStartPile, "10000"}, {w.txtEndPile, "15235"}, {w.txtv_t, "40"}, {w.txtPa, "-45.36"}};
        EXPECT_NEAR(modPublic::AA_r, 63.96, 1e-9);
        EXPECT_NEAR(modPublic::DD_r, 8.197, 1e-9);
        EXPECT_EQ(w.scbPileR.Min(), 10000);
        EXPECT_EQ(w.scbPileR.Max(), 15235);
        EXPECT_EQ(w.scbPileR.SmallChange(), 10);
        // The stored station moved the scroll bar, which ran the calculation on the template's ducts:
        // Q = 181.998 m³/s of two-way traffic, one fan 91.0 m³/s over 2617.5 m of 12 m² and 3.5 m ducts,
        // ρ 1.01: q_b = 181.998/5235 = 0.0348; v_b = 7.5833; p_b = 0.505 · 57.507 = 29.04;
        // k_b = 0.02 · 2617.5/3/3.5 − 1 = 3.9857; pbi−pb0 = 115.75; p_tot = (150 + 115.75 + 29.04)·1.1 =
        // 324.27; k_e = 6.9857; pei−pe0 = 202.87; p_etot = (100 + 202.87 − 29.04)·1.1 = 301.21.
        EXPECT_EQ(w.scbPileR.Value(), 12618);
        test_support::ExpectTexts{{w.txtPileR, "12618"},    {w.txtQQ_req, "181.998323693316"},
                                  {w.txtAA_b, "12"},        {w.txtq_b, "0.03"},
                                  {w.txtv_b, "7.58"},       {w.txtp_b, "29.04"},
                                  {w.txtk_b, "3.99"},       {w.txtpbi_pb0, "115.75"},
                                  {w.txtpb0_pr0, "150.00"}, {w.txtprc_prx, "0.00"},
                                  {w.txtp_d, "0"},          {w.txtp_tot, "324.27"},
                                  {w.txtv_e0, "7.58"},      {w.txtp_e, "29.04"},
                                  {w.txtk_e, "6.99"},       {w.txtpei_pe0, "202.87"},
                                  {w.txtpri_pei, "100.00"}, {w.txtp_ed, "0.00"},
                                  {w.txtp_etot, "301.21"}};
        // Full transverse computes no tunnel pressure; the stored (empty) texts stand.
        EXPECT_EQ(w.txtPileC.Text(), "");
        EXPECT_EQ(w.txtPR.Text(), "");
        EXPECT_NEAR(modPublic::QQ_req, 181.998323693316, 1e-9);
        EXPECT_DOUBLE_EQ(modPublic::Lambda_b, 0.02);
        EXPECT_DOUBLE_EQ(modPublic::Lambda_e, 0.02);

        // One section: the fan carries the whole demand over the whole length.
        w.chkTwoSect.userClick();
        w.cmdCalculatePtot3.userClick();
        test_support::ExpectTexts{{w.txtq_b, "0.03"},      {w.txtv_b, "15.17"},      {w.txtk_b, "8.97"},
                                  {w.txtp_tot, "1439.13"}, {w.txtp_etot, "1511.91"}, {w.txtPR, "0"}};
    });
    EXPECT_TRUE(opened);
    // "<--上一步" left the project's own file.
    const transverse::TraFile f = stored();
    EXPECT_EQ(f.TwoSect, false);
    EXPECT_EQ(f.Tranverse, true);
    EXPECT_EQ(f.SupplyResult[8], "1439.13");
    EXPECT_EQ(f.ScrollPosition, 12618);
    EXPECT_EQ(f.PR, "0");
}

TEST_F(LateralWindow, OtherTrafficCasesAreRefusedByStep2) {
    platform::msgbox::script(platform::vbOK);
    EXPECT_FALSE(open([](frmLateral3&) {}, 0));
    test_support::expectOneMessage({.prompt = "全(半)横向通风方式计算仅适用于双向交通工况！"});
    EXPECT_FALSE(fs::exists(traPath()));
}

TEST_F(LateralWindow, SemiTransverseFindsTheNeutralPoint) {
    open([](frmLateral3& w) {
        w.OptionButton2.userClick();
        EXPECT_FALSE(w.Frame3.Enabled());
        w.cmdCalculatePtot3.userClick();
        // Two-way traffic 522.18 veh/h at 40 km/h, Am 2.41, Ar 63.96, Dr 8.197, q_b = 0.034766: with
        // Pa = −45.36 the search ends after 7 passes at x1 = 4457.93 (the end portal is higher, the neutral
        // point moves towards it); PC = D(4457.93) = 46.50; at station 12618, d = 1839.93 and PR = 39.65.
        EXPECT_EQ(w.txtPileC.Text(), "14457.93");
        EXPECT_EQ(w.txtPC.Text(), "46.50");
        EXPECT_EQ(w.txtPR.Text(), "39.65");
        // The supply fan also overcomes the natural wind, halved per fan:
        // Pn = 0.505 · 6.25 · (1 + 0.6 + 0.02 · 5235/8.197) · 0.5 = 22.68; p_tot = (22.68 + 294.79)·1.1 =
        // 349.22.
        EXPECT_EQ(w.txtp_tot.Text(), "349.22");
        // The exhaust is computed in both variants.
        EXPECT_EQ(w.txtp_etot.Text(), "301.21");

        // The scroll bar reruns the whole calculation for its station.
        w.scbPileR.userSet(12000);
        EXPECT_EQ(w.txtPileR.Text(), "12000");
        EXPECT_EQ(w.txtPR.Text(), "33.83");
        // At the start station the pressure is that of the portal relative to the neutral point plus PC: 0.
        w.scbPileR.userSet(10000);
        EXPECT_EQ(w.txtPR.Text(), "0.00");

        // Balanced portals: the middle on the first pass, PC = D(2617.5) = 14.50; two stations 500.5 m on
        // either side of it give the same pressure.
        w.txtPa.userType("0");
        w.scbPileR.userSet(12117);
        EXPECT_EQ(w.txtPileC.Text(), "12617.50");
        EXPECT_EQ(w.txtPC.Text(), "14.50");
        const std::string before = w.txtPR.Text();
        w.scbPileR.userSet(13118);
        EXPECT_EQ(w.txtPR.Text(), before);
        EXPECT_EQ(before, "14.03");

        // One fan for the whole section: the neutral point is the same, only the fan pressure changes.
        w.chkTwoSect.userClick();
        w.cmdCalculatePtot3.userClick();
        EXPECT_EQ(w.txtPileC.Text(), "12617.50");
        EXPECT_EQ(w.txtp_tot.Text(), "1489.03");
        EXPECT_EQ(w.txtq_b.Text(), "0.03");

        // Back to full transverse: the pressure at the station is 0, the neutral point boxes stay.
        w.optTranverse.userClick();
        EXPECT_TRUE(w.Frame3.Enabled());
        w.cmdCalculatePtot3.userClick();
        EXPECT_EQ(w.txtPR.Text(), "0");
        EXPECT_EQ(w.txtPileC.Text(), "12617.50");
        EXPECT_EQ(w.txtPC.Text(), "14.50");
    });
}

TEST_F(LateralWindow, ConnectingDuctLossesReadTheirBoxesAsTheyAreWritten) {
    open([](frmLateral3& w) {
        w.txtp_d.userType("12.345");
        w.txtp_ed.userType("12.345");
        w.cmdCalculatePtot3.userClick();
        // The supply loss stays as typed; the exhaust loss shows its value rounded after the calculation.
        EXPECT_EQ(w.txtp_d.Text(), "12.345");
        EXPECT_EQ(w.txtp_ed.Text(), "12.35");
        // (150 + 115.747 + 29.040 + 12.345)·1.1 = 337.85; (100 + 202.868 − 29.040 + 12.345)·1.1 = 314.79.
        EXPECT_EQ(w.txtp_tot.Text(), "337.85");
        EXPECT_EQ(w.txtp_etot.Text(), "314.79");

        // The dialog receives the section demand: the box's text for the supply duct, the demand itself for
        // the exhaust duct.
        test_support::lossFromDuctDialog(w.cmdCalculatePd, w.txtp_d, "181.998323693316", "88.80");
        w.txtQQ_req.userType("100");
        test_support::lossFromDuctDialog(w.cmdCalculatePed, w.txtp_ed, "181.998323693316", "77.70");
        // Neither button runs the calculation.
        EXPECT_EQ(w.txtp_tot.Text(), "337.85");
    });
}

TEST_F(LateralWindow, AirChangesGovernOnlyWhenStep2AllowsIt) {
    req.txtExchangeNum.setSilently("20");
    bool checked = false;
    auto run = [&] {
        test_stage::onModal<frmVentParam>([&](frmVentParam& step2) {
            step2.lstCase.setSelected(1, true);
            step2.chkExchange.set(checked ? 1 : 0);
            step2.cmbNextStep.setListIndex(5);
            test_stage::onModal<frmLateral3>([&](frmLateral3& w) {
                w.cmdCalculatePtot3.userClick();
                if (checked) {
                    // 20 air changes of the whole tunnel exceed the traffic demand: the section's own
                    // air-change demand is taken.
                    EXPECT_GT(vb::Val(req.txtQQ_req_exchange.Text()), 181.998323693316);
                    EXPECT_NEAR(modPublic::QQ_req, req.GetExchangeSectionQreq(10000, 15235), 1e-9);
                    EXPECT_NEAR(modPublic::QQ_req, 5235 * 63.96 * 20 / 3600.0, 1.0);
                } else {
                    EXPECT_NEAR(modPublic::QQ_req, 181.998323693316, 1e-9);
                }
                EXPECT_EQ(w.txtQQ_req.Text(), vb::CStr(modPublic::QQ_req));
                w.cmdClose.userClick();
            });
            step2.cmdNextStep.userClick();
            step2.cmdReturn.userClick();
        });
        req.cmdNextStep.userClick();
    };
    run();
    checked = true;
    run();
}

TEST_F(LateralWindow, FileKeepsEveryStoredTextAndTheVariant) {
    open([](frmLateral3& w) {
        test_support::TypeInto{{w.txtAA_b, "12.50"}, {w.txtDD_b, "3.60"}, {w.txtLambda_b, "0.0200"},
                               {w.txtAA_e, "11"},    {w.txtDD_e, "3.4"},  {w.txtLambda_e, "0.025"}};
        // The exhaust frame is closed to the user in the semi-transverse variant.
        w.OptionButton2.userClick();
        w.txtp_d.userType("12.345");
        w.scbPileR.userSet(13000);
        w.txtPR.userType("by hand");
        // Not stored: recomputed at every opening.
        w.txtPa.userType("-10");
    });
    const std::string first = bytesOf(traPath());
    const transverse::TraFile f = stored();
    EXPECT_EQ(f.TwoSect, true);
    EXPECT_EQ(f.Tranverse, false);
    EXPECT_EQ(f.Supply[0], "12.50");
    EXPECT_EQ(f.SupplyResult[7], "12.345");
    EXPECT_EQ(f.ScrollPosition, 13000);
    EXPECT_EQ(f.PR, "by hand");
    EXPECT_NE(first.find("\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"), std::string::npos);

    std::vector<std::string> texts;
    open([&](frmLateral3& w) {
        EXPECT_EQ(w.chkTwoSect.Value(), 1);
        EXPECT_FALSE(w.optTranverse.Value());
        EXPECT_TRUE(w.OptionButton2.Value());
        EXPECT_FALSE(w.Frame3.Enabled());
        test_support::ExpectTexts{{w.txtPa, "-45.36"},      {w.txtv_t, "40"},          {w.txtAA_b, "12.50"},
                                  {w.txtDD_b, "3.60"},      {w.txtLambda_b, "0.0200"}, {w.txtAA_e, "11"},
                                  {w.txtLambda_e, "0.025"}, {w.txtp_d, "12.345"}};
        EXPECT_EQ(w.scbPileR.Value(), 13000);
        EXPECT_EQ(w.txtPileR.Text(), "13000");
        // The calculation the scroll bar ran shows its own pressure, not a text typed over the last one.
        // The ducts do not enter the tunnel pressure: the neutral point is the template's, 14457.93 with
        // PC = 46.495 (SemiTransverseFindsTheNeutralPoint); at 13000, d = 1457.93, v = d·q_b/Ar = 0.7925 and
        // D(d) = 0.505·((0.02·d/3/8.197 + 2)·v² + 2.575·(d/5235)·(40/3.6)·v) = 4.199: PR = 46.495 − 4.199.
        EXPECT_EQ(w.txtPR.Text(), "42.30");
    });
    std::string reopened = first;
    EXPECT_EQ(bytesOf(traPath()), reopened.replace(reopened.find("\"by hand\""), 9, "\"42.30\""));
    // At the section's start the stored station does not move the scroll bar; the reopened window still
    // shows what the traffic of this opening gives, not the file's.
    open([](frmLateral3& w) { w.scbPileR.userSet(w.scbPileR.Min()); });
    EXPECT_EQ(stored().PC, "46.50");
    req.txtNN.setSilently(vb::CStr(2 * vb::Val(req.txtNN.Text())));
    req.txtBiDirection.setSilently(vb::CStr(2 * vb::Val(req.txtBiDirection.Text())));
    open([](frmLateral3& w) {
        // N = BiDirection · NN = 2 · 1044.37 veh/h (C = 10.300) and twice the demand, q_b = 363.997/5235:
        // the search ends after 7 passes at x1 = 2903.79, where D(5235 − x1) − D(x1) = −45.29; PC = D(x1).
        test_support::ExpectTexts{{w.txtPileC, "12903.79"}, {w.txtPC, "123.15"}};
    });
}

TEST_F(LateralWindow, TheCloseBoxKeepsTheWorkToo) {
    open([](frmLateral3& w) {
        w.txtAA_b.userType("15");
        platform::msgbox::script(platform::vbYes); // the box differs from the file: asked, and kept
        Forms::unload(w, platform::vbFormControlMenu);
    });
    EXPECT_EQ(stored().Supply[0], "15");
}

TEST_F(LateralWindow, AFileThatCannotBeWrittenIsSaidAndTheWindowStillCloses) {
    fs::create_directories(traPath());
    platform::msgbox::script(platform::vbOK);
    open([](frmLateral3&) {});
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt.rfind("横向通风方案文件未能保存:", 0), 0u);
    EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
}

TEST_F(LateralWindow, WithoutAnyFileTheOpeningStateStands) {
    fs::remove(fs::path(test_stage::appFolder()) / "ConfigFiles" / "Normal.tra");
    open([](frmLateral3& w) {
        EXPECT_TRUE(w.optTranverse.Value());
        EXPECT_EQ(w.chkTwoSect.Value(), 1);
        test_support::ExpectTexts{{w.txtAA_b, ""}, {w.txtp_tot, "0.00"}, {w.txtp_ed, "0.00"}, {w.txtp_d, ""}};
        EXPECT_EQ(w.scbPileR.Value(), 10000);
        EXPECT_EQ(w.txtPileR.Text(), "10000");
        // A calculation without ducts names what is missing and leaves those results empty.
        platform::msgbox::script(platform::vbOK);
        w.cmdCalculatePtot3.userClick();
        test_support::expectOneMessage({.prompt =
                                            "部分结果无法计算, 结果框留空. "
                                            "请检查以下输入(不能为0):\r\n送风道断面积Ab\r\n送风道当量直径Db"
                                            "\r\n排风道断面积Ae\r\n排风道当量直径De"});
        EXPECT_EQ(w.txtv_b.Text(), "");
        EXPECT_EQ(w.txtq_b.Text(), "0.03");
        EXPECT_EQ(w.txtpb0_pr0.Text(), "150.00");
    });
}

TEST_F(LateralWindow, TruncatedOrFuzzedFilesNeverStopTheWindow) {
    const std::string tpl = bytesOf(test_stage::appFolder() + "/ConfigFiles/Normal.tra");
    // Cut inside record 2: the variant and the supply area are read, the rest stays as opened.
    writeBytes(traPath(), "#FALSE#,#TRUE#\r\n\"9.5\",\"3");
    open([](frmLateral3& w) {
        EXPECT_EQ(w.chkTwoSect.Value(), 0);
        EXPECT_TRUE(w.optTranverse.Value());
        test_support::ExpectTexts{
            {w.txtAA_b, "9.5"}, {w.txtDD_b, "3"}, {w.txtLambda_b, ""}, {w.txtp_tot, "0.00"}};
        EXPECT_EQ(w.scbPileR.Value(), 10000);
    });
    // A station outside the tunnel goes to the nearer end of the section.
    std::string far = tpl;
    far.replace(far.find("12618"), 5, "99999");
    writeBytes(traPath(), far);
    open([](frmLateral3& w) { EXPECT_EQ(w.scbPileR.Value(), 15235); });

    std::mt19937 random(7);
    for (int round = 0; round < 30; ++round) {
        std::string bytes = tpl;
        const int cuts = 1 + static_cast<int>(random() % 8);
        for (int k = 0; k < cuts; ++k) {
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        }
        if (round % 3 == 0) {
            bytes.resize(random() % bytes.size());
        }
        writeBytes(traPath(), bytes);
        open([](frmLateral3&) {});
        // A spoiled duct input may be named in a message; nothing else may go wrong.
        for (const std::string& fault : platform::scripted::takeFaults()) {
            EXPECT_EQ(fault.rfind("a message box nobody scripted", 0), 0u) << fault;
        }
        platform::msgbox::reset();
        EXPECT_TRUE(fs::exists(traPath()));
    }
}

TEST_F(LateralWindow, ReportPrintsTheBoxesAsShown) {
    open([this](frmLateral3& w) {
        w.OptionButton2.userClick();
        w.cmdCalculatePtot3.userClick();
        w.txtPileR.userType("11111");
        req.txtProjectName.setSilently("雁门关隧道");
        w.cmdReport.userClick();
        w.cmdReport.userClick();
    });
    const std::string report = test_stage::appFolder() + "/proj_横向通风.rpt";
    ASSERT_EQ(platform::textviewer::log().size(), 2u);
    EXPECT_EQ(platform::textviewer::log()[0], report);
    const std::string bytes = bytesOf(report);
    const std::string text = textcodec::FromGbk(bytes);
    EXPECT_EQ(textcodec::ToGbk(text), bytes);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    // The supply variant has no exhaust fan and prints none.
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines[2], std::string(29, ' ') + "雁门关隧道送风型半横向通风计算报告");
    EXPECT_EQ(lines[6], "      计算行车速度vt(km/h):  40");
    EXPECT_EQ(lines[7], "             区段起始桩号:      10000");
    EXPECT_EQ(lines[9], "    区段需风量Qreq(m^3/s):   181.998323693316");
    EXPECT_EQ(lines[10], "           两端气压差(Pa):   -45.36注:进洞口>出洞口时为正。");
    EXPECT_EQ(lines[11], "分两个区段送风(排风)");
    EXPECT_EQ(lines[24], "送风机所需全压力Pbtot(Pa):   349.22");
    EXPECT_EQ(lines[26], "■■隧道内风压计算■■");
    EXPECT_EQ(lines[27], "                 中性点桩号: 14457.93");
    // The scroll position, not the station typed by hand.
    EXPECT_EQ(lines[29], "                 任意点桩号: 12618");
    EXPECT_EQ(lines[30], "             任意点压力(Pa): 39.65");
    // The report touches no file of the scheme.
    EXPECT_EQ(stored().ScrollPosition, 12618);
}

// The two-way speed is the main window's: the box shows it as the tunnel pressure takes it, no one types
// over it here, and the report prints it.
TEST_F(LateralWindow, TheSpeedBoxAndTheReportShowTheSpeedTheResultsUse) {
    const struct {
        const char* mainWindow;
        const char* used;
        // The project's file cut before its station: no calculation runs while the window opens, so the
        // box shows what the opening itself put there.
        bool withoutStation = false;
    } speeds[] = {{"60", "60"}, {"9OO", "9"}, {"9OO", "9", true}};
    for (const auto& v : speeds) {
        SCOPED_TRACE(std::string(v.mainWindow) + (v.withoutStation ? ", no station stored" : ""));
        req.cmbWorkVt_Bidirection.setTextSilently(v.mainWindow);
        if (v.withoutStation) {
            const std::string tpl = bytesOf(test_stage::appFolder() + "/ConfigFiles/Normal.tra");
            const std::size_t station = tpl.find(",12618");
            ASSERT_NE(station, std::string::npos);
            writeBytes(traPath(), tpl.substr(0, station));
        }
        open([&](frmLateral3& w) {
            // Out of the engineer's reach the box carries no mark: what it shows is all the engineer sees.
            EXPECT_FALSE(w.txtv_t.Enabled());
            EXPECT_EQ(w.txtv_t.Text(), v.used);
            if (v.withoutStation) {
                EXPECT_EQ(w.txtp_tot.Text(), "0.00"); // the file's result: nothing computed yet
            }
            w.OptionButton2.userClick();
            w.cmdCalculatePtot3.userClick();
            EXPECT_EQ(w.txtv_t.Text(), v.used);
            w.cmdReport.userClick();
        });
        const std::vector<std::string> lines =
            textfile::ReadLines(test_stage::appFolder() + "/proj_横向通风.rpt")
                .value_or(std::vector<std::string>{});
        ASSERT_GT(lines.size(), 6u);
        EXPECT_EQ(lines[6], std::string("      计算行车速度vt(km/h):  ") + v.used);
    }
}

TEST_F(LateralWindow, AReportThatCannotBeWrittenIsSaidAndNotOpened) {
    fs::create_directories(test_stage::appFolder() + "/proj_横向通风.rpt");
    platform::msgbox::script(platform::vbOK);
    open([](frmLateral3& w) { w.cmdReport.userClick(); });
    EXPECT_TRUE(platform::textviewer::log().empty());
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt.rfind("计算报告未能写入：", 0), 0u);
}

} // namespace

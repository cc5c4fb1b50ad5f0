// SPDX-License-Identifier: GPL-3.0-or-later
// The older supply semi-transverse window opened directly on the template project: opening from the
// template, the calculation worked by hand, the duct-loss dialog, the .lt1 file and bad input.
#include "transverse/frmLateral1.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/scheme_file.h"
#include "tests/support/duct_loss_dialog.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/written_files.h"
#include "transverse/lateral1.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using test_support::bytesOf;
namespace fs = std::filesystem;
using platform::Forms;

std::string lt1Path() {
    return test_stage::appFolder() + "/proj.lt1";
}

class OlderLateralWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // The template project (tunnel 10000 to 15235, 63.96 m² and 8.197 m at the start) with what step 2
        // and the main window publish set to round values.
        modPublic::ProjectFile = test_stage::appFolder() + "/proj.vnt";
        modPublic::StartPile = 10000;
        modPublic::QQ_req = 100;
        modPublic::rho = 1.2;
        modPublic::DesignSpeed = 36;
        modPublic::DesignTraffic = 1000;
        modPublic::AA_m_Bidirection = 1.5;
    }

    frmReq& req = Forms::instance<frmReq>();
};

TEST_F(OlderLateralWindow, OpensFromItsTemplateAndComputesByHand) {
    ASSERT_FALSE(fs::exists(lt1Path()));
    frmLateral1& w = Forms::instance<frmLateral1>();
    EXPECT_EQ(w.Caption(), "送风型半横向通风计算(双向交通)(测试)");
    EXPECT_EQ(w.cmdCalculatePtot3.Caption(), "计算");
    EXPECT_EQ(w.cmdClose.Caption(), "关闭");
    EXPECT_EQ(w.cmdCalculatePd.Caption(), "...");
    for (platform::TextBox* box : {&w.txtv_t, &w.txtQQ_req, &w.txtAA_b, &w.txtDD_b, &w.txtZetab}) {
        EXPECT_EQ(box->BackColor(), platform::RGB(255, 255, 192));
    }
    EXPECT_NE(w.txtp_d.BackColor(), platform::RGB(255, 255, 192));
    EXPECT_NE(w.txtp_tot.BackColor(), platform::RGB(255, 255, 192));
    EXPECT_NEAR(modPublic::AA_r, 63.96, 1e-9);
    EXPECT_NEAR(modPublic::DD_r, 8.197, 1e-9);
    EXPECT_EQ(w.txtv_t.Text(), "36");
    EXPECT_EQ(w.txtQQ_req.Text(), "100");
    // The project has no .lt1 yet: the template's duct of 12 m², 3.5 m, λb 0.02.
    test_support::ExpectTexts{
        {w.txtAA_b, "12"}, {w.txtDD_b, "3.5"}, {w.txtZetab, "0.02"}, {w.txtp_tot, "0.00"}};

    // Duct 5 m², 2.5 m, λb 0.02, Q 100, L 5235, connecting duct 12.345 Pa:
    // q_b = 100/5235 = 0.0191; v_b = 50/5 = 10; p_b = 0.6·100 = 60; k_b = 0.02·2617.5/3/2.5 − 1 = 5.98;
    // pbi−pb0 = 100·5.98·0.6 = 358.80; vr = 50/63.96 = 0.78174;
    // C = 1.5·1000·5235·3.6/63.96/36/3600 = 3.41033;
    // prc−prx = 0.6·((0.02·2617.5/3/8.197 + 2)·0.61112 + 3.41033·0.5·10·0.78174) = 0.6·(2.52319 + 13.32995)
    // = 9.51; p_tot = (9.5119 + 150 + 358.8 + 60 + 12.345)·1.1 = 649.72.
    w.txtAA_b.userType("5");
    w.txtDD_b.userType("2.5");
    w.txtp_d.userType("12.345");
    w.cmdCalculatePtot3.userClick();
    test_support::ExpectTexts{{w.txtq_b, "0.02"},     {w.txtv_b, "10.00"},      {w.txtp_b, "60.00"},
                              {w.txtk_b, "5.98"},     {w.txtpbi_pb0, "358.80"}, {w.txtpb0_pr0, "150.00"},
                              {w.txtprc_prx, "9.51"}, {w.txtp_tot, "649.72"}};
    // The loss is not written back; the window's values reach the shared module, the demand does not.
    EXPECT_EQ(w.txtp_d.Text(), "12.345");
    EXPECT_DOUBLE_EQ(w.LL_b, 2617.5);
    EXPECT_DOUBLE_EQ(modPublic::Lambda_b, 0.02);
    EXPECT_DOUBLE_EQ(modPublic::QQ_req, 100);
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(OlderLateralWindow, TheDemandBoxFeedsOnlyTheDuctLossDialog) {
    frmLateral1& w = Forms::instance<frmLateral1>();
    test_support::TypeInto{{w.txtAA_b, "5"}, {w.txtDD_b, "2.5"}, {w.txtp_d, "0"}};
    w.cmdCalculatePtot3.userClick();
    // Half of 100 m³/s in a 5 m² duct; the box shows the shared demand the calculation took.
    EXPECT_EQ(w.txtv_b.Text(), "10.00");
    EXPECT_EQ(w.txtQQ_req.Text(), "100");
    test_support::lossFromDuctDialog(w.cmdCalculatePd, w.txtp_d, "100", "88.80");
    // Nothing is recalculated until 计算: (9.5119 + 568.8)·1.1 = 636.14 stands.
    EXPECT_EQ(w.txtp_tot.Text(), "636.14");
}

// The speed and the demand are what step 2 and the main window published: the boxes show them as the
// calculation takes them and are no inputs.
TEST_F(OlderLateralWindow, TheSpeedAndDemandBoxesShowWhatTheCalculationTakes) {
    frmLateral1& w = Forms::instance<frmLateral1>();
    EXPECT_FALSE(w.txtv_t.Enabled());
    EXPECT_FALSE(w.txtQQ_req.Enabled());
    modPublic::DesignSpeed = 50;
    modPublic::QQ_req = 120;
    w.cmdCalculatePtot3.userClick();
    test_support::ExpectTexts{{w.txtv_t, "50"}, {w.txtQQ_req, "120"}, {w.txtv_b, "5.00"}};
}

TEST_F(OlderLateralWindow, CloseWritesTwoRecordsThatTheNextOpeningReads) {
    frmLateral1& w = Forms::instance<frmLateral1>();
    test_support::TypeInto{{w.txtAA_b, "5"}, {w.txtDD_b, "2.5"}, {w.txtZetab, "0.025"}, {w.txtp_d, "7"}};
    w.cmdCalculatePtot3.userClick();
    const std::string total = w.txtp_tot.Text();
    w.cmdClose.userClick();
    EXPECT_FALSE(Forms::isLoaded<frmLateral1>());
    const std::string bytes = bytesOf(lt1Path());
    EXPECT_EQ(bytes.rfind("\"5\",\"2.5\",\"0.025\"\r\n\"0.02\",\"10.00\",\"60.00\",", 0), 0u);
    scheme::SchemeReader in;
    in.Parse(bytes);
    EXPECT_EQ(in.FieldCount(), 12u);
    const transverse::Lt1File f = transverse::ReadLt1File(in);
    EXPECT_EQ(f.Results[7], "7");
    EXPECT_EQ(f.Results[8], total);

    frmLateral1& again = Forms::instance<frmLateral1>();
    EXPECT_EQ(again.txtZetab.Text(), "0.025");
    EXPECT_EQ(again.txtp_d.Text(), "7");
    EXPECT_EQ(again.txtp_tot.Text(), total);
    // The close box keeps the work too.
    again.txtAA_b.userType("6");
    platform::msgbox::script(platform::vbYes); // the box differs from the file: asked, and kept
    Forms::unload(again, platform::vbFormControlMenu);
    scheme::SchemeReader in2;
    ASSERT_TRUE(in2.Open(lt1Path()));
    EXPECT_EQ(transverse::ReadLt1File(in2).Inputs[0], "6");
}

TEST_F(OlderLateralWindow, AnUnnamedProjectWritesNothingAndWithoutTemplateTheOpeningStands) {
    modPublic::ProjectFile.clear();
    fs::remove(fs::path(test_stage::appFolder()) / "ConfigFiles" / "Normal.lt1");
    frmLateral1& w = Forms::instance<frmLateral1>();
    test_support::ExpectTexts{{w.txtAA_b, ""}, {w.txtZetab, ""}, {w.txtq_b, "0.00"}, {w.txtp_d, ""}};
    w.cmdClose.userClick();
    for (const auto& entry : fs::directory_iterator(test_stage::appFolder())) {
        EXPECT_NE(entry.path().extension(), ".lt1");
    }
}

TEST_F(OlderLateralWindow, BadInputNeverCrashesAndNamesTheMissingValues) {
    frmLateral1& w = Forms::instance<frmLateral1>();
    // Texts that are no numbers read as 0: no duct area, no diameter.
    test_support::TypeInto{{w.txtAA_b, "abc"}, {w.txtDD_b, ""}, {w.txtZetab, "x0.02"}, {w.txtp_d, "--"}};
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculatePtot3.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt,
              "部分结果无法计算, 结果框留空. 请检查以下输入(不能为0):\r\n风道断面积Ab\r\n风道当量直径Db");
    EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
    test_support::ExpectTexts{
        {w.txtq_b, "0.02"}, {w.txtv_b, ""}, {w.txtk_b, ""}, {w.txtpb0_pr0, "150.00"}, {w.txtp_tot, ""}};
    EXPECT_DOUBLE_EQ(modPublic::Lambda_b, 0);

    // No design speed and no tunnel area: the tunnel pressure cannot be formed, the duct still can.
    modPublic::DesignSpeed = 0;
    modPublic::AA_r = 0;
    w.txtAA_b.userType("5");
    w.txtDD_b.userType("2.5");
    w.txtZetab.userType("0.02");
    platform::msgbox::script(platform::vbOK);
    w.cmdCalculatePtot3.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 2u);
    EXPECT_EQ(platform::msgbox::log()[1].prompt,
              "部分结果无法计算, 结果框留空. 请检查以下输入(不能为0):\r\n隧道断面积Ar\r\n计算行车速度vt");
    test_support::ExpectTexts{
        {w.txtv_t, "0"}, {w.txtpbi_pb0, "358.80"}, {w.txtprc_prx, ""}, {w.txtp_tot, ""}};
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The pressure-rise calculator of the Tools menu, on the shipped model table.
#include "jetfan/dlgJetPressure.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/test_stage.h"
#include "tests/support/list_rows.h"
#include "tests/support/shown_texts.h"
#include "tests/support/typed_boxes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::Forms;

namespace {

// Tunnel from station 1000: sections .. 1300 A 60 m², .. 1600 A 70 m²; ρ = 1.2 kg/m³.
class JetPressureCalculator : public ::testing::Test {
protected:
    void SetUp() override {
        w.optRightLine.setSilently(true);
        w.txtStartPile.setSilently("1000");
        test_support::setRows(w.lstSlope, {{"1600", "2"}});
        test_support::setRows(w.lstSection, {{"1300", "60", "30", "8"}, {"1600", "70", "32", "8.75"}});
        modPublic::rho = 1.2;
        w.mnuJetPressure.userClick();
    }

    dlgJetPressure& dialog() { return Forms::instance<dlgJetPressure>(); }

    std::string calculate(const std::string& model, const std::string& q, const std::string& pile,
                          const std::string& z) {
        dlgJetPressure& d = dialog();
        test_support::TypeInto{{d.cmbJetModel, model}, {d.txtQ, q}, {d.txtPile, pile}, {d.txtZ, z}};
        d.OKButton.userClick();
        return d.txtPj.Text();
    }

    frmReq& w = Forms::instance<frmReq>();
};

} // namespace

TEST_F(JetPressureCalculator, OpensBesideTheMainWindowWithTheShippedModels) {
    dlgJetPressure& d = dialog();
    EXPECT_TRUE(d.Visible());
    EXPECT_FALSE(d.IsModal());
    EXPECT_EQ(d.Caption(), "射流风机升压力计算");
    EXPECT_EQ(d.chkReverse.Caption(), "逆转");
    EXPECT_EQ(d.OKButton.Caption(), "计算");
    EXPECT_EQ(d.CancelButton.Caption(), "关闭");
    const std::vector<std::string> shipped{"630型射流风机",   "900型射流风机",  "1000型射流风机",
                                           "1120型射流风机",  "1250型射流风机", "1400型射流风机",
                                           "SDS-11.2射流风机"};
    ASSERT_EQ(d.cmbJetModel.ListCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(d.cmbJetModel.List(i), shipped[static_cast<std::size_t>(i)]);
    }
    for (platform::TextBox* box : {&d.txtQ, &d.txtPile, &d.txtZ, &d.txtPj}) {
        EXPECT_EQ(box->Text(), "");
    }
    EXPECT_EQ(d.txtQ.BackColor(), platform::RGB(255, 255, 192));
    EXPECT_EQ(d.cmbJetModel.BackColor(), platform::RGB(255, 255, 192));
}

TEST_F(JetPressureCalculator, PressureRiseOfAShippedModel) {
    // 1000型: Flow 26.96, Dj 1 → Aj 0.78539815, vj 34.3265387; station 1100 → Ar 60; vr = 300/60 = 5;
    // η(1.2, 1) = 0.886: 26.96·1.2·(34.3265387 − 5)/60·0.886 = 14.0102 → "14.01"
    EXPECT_EQ(calculate("1000型射流风机", "300", "1100", "1.2"), "14.01");
    // 900型: Flow 21.81, Dj 0.9 → Aj 0.6361725, vj 34.2831543; station 1400 → Ar 70; vr = 350/70 = 5;
    // r = 0.9/0.9 = 1 → η 0.87: 21.81·1.2·29.2831543/70·0.87 = 9.5252 → "9.53"
    EXPECT_EQ(calculate("900型射流风机", "350", "1400", "0.9"), "9.53");
    // The shipped models keep their full rise reversed (Discount 1); a factor 0.8 scales the shown value:
    // 1000型 at Z 3 (η 0.91): 26.96·1.2·29.3265387/60·0.91·0.8 = 11.5118 → "11.51"
    modPublic::JetModels(3).Discount = 0.8;
    dialog().chkReverse.userClick();
    EXPECT_EQ(calculate("1000型射流风机", "300", "1100", "3"), "11.51");
    // Faster tunnel air than the outlet: 1000型 with vr = 2400/60 = 40 m/s, unreversed at η 0.886:
    // 26.96·1.2·(34.3265387 − 40)/60·0.886 = −2.7104 → "-2.71"
    dialog().chkReverse.userClick();
    EXPECT_EQ(calculate("1000型射流风机", "2400", "1100", "1.2"), "-2.71");
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(JetPressureCalculator, TextsWithoutANumberCountAsZero) {
    // Q "abc" → vr 0: 26.96·1.2·34.3265387/60·0.886 = 16.3989 → "16.40"
    EXPECT_EQ(calculate("1000型射流风机", "abc", "1100", "1.2"), "16.40");
    // Z "x" → 0 → η 0.85; pile "" → 0, clamped into the tunnel at its start → Ar 60:
    // 26.96·1.2·29.3265387/60·0.85 = 13.4407 → "13.44"
    EXPECT_EQ(calculate("1000型射流风机", "300", "", "x"), "13.44");
}

TEST_F(JetPressureCalculator, NoModelOrNoSectionIsSaidAndNoRiseShown) {
    platform::msgbox::script(platform::vbOK);
    EXPECT_EQ(calculate("", "300", "1100", "1.2"), "");
    platform::msgbox::script(platform::vbOK);
    EXPECT_EQ(calculate("1000型", "300", "1100", "1.2"), ""); // names must match whole
    w.lstSection.ListItems.Clear();
    platform::msgbox::script(platform::vbOK);
    EXPECT_EQ(calculate("1000型射流风机", "300", "1100", "1.2"), "");
    const auto& log = platform::msgbox::log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].prompt, "请选择射流风机型号");
    EXPECT_EQ(log[0].title, "出错！");
    EXPECT_EQ(log[1].prompt, "请选择射流风机型号");
    EXPECT_EQ(log[2].prompt, "安装桩号处的断面面积为零，无法计算升压力");
}

TEST_F(JetPressureCalculator, AModelWithoutDiameterIsRefused) {
    modPublic::JetModels.items.push_back({"坏型号", 20, 0, 10, 1});
    platform::msgbox::script(platform::vbOK);
    dialog().txtPj.setSilently("1.00");
    EXPECT_EQ(calculate("坏型号", "300", "1100", "1.2"), "");
    test_support::expectOneMessage({.prompt = "该型号的风机流量或出口直径不大于零，无法计算升压力"});
}

TEST_F(JetPressureCalculator, LooksNamesUpAtTheClickAndListsThemWhenItOpens) {
    // A second entry of the same name: the last one decides. Flow 2·26.96 doubles vj and Flow:
    // 53.92·1.2·(68.6530774 − 5)/60·0.886 = 60.8163 → "60.82"
    modPublic::JetModels.items.push_back({"1000型射流风机", 53.92, 1, 67, 1});
    EXPECT_EQ(calculate("1000型射流风机", "300", "1100", "1.2"), "60.82");
    // Not listed while the calculator stays open, but found by its name.
    modPublic::JetModels.items.push_back({"新型号", 26.96, 1, 33.5, 1});
    EXPECT_EQ(dialog().cmbJetModel.ListCount(), 7);
    EXPECT_EQ(calculate("新型号", "300", "1100", "1.2"), "14.01");
    dialog().CancelButton.userClick();
    Forms::collectGarbage();
    EXPECT_FALSE(Forms::isLoaded<dlgJetPressure>());
    w.mnuJetPressure.userClick();
    ASSERT_EQ(dialog().cmbJetModel.ListCount(), 9);
    EXPECT_EQ(dialog().cmbJetModel.List(8), "新型号");
    EXPECT_EQ(dialog().txtPj.Text(), "");
}

TEST_F(JetPressureCalculator, AnEmptyTableLeavesTheListEmpty) {
    dialog().CancelButton.userClick();
    modPublic::JetModels.items.clear();
    w.mnuJetPressure.userClick();
    EXPECT_EQ(dialog().cmbJetModel.ListCount(), 0);
    platform::msgbox::script(platform::vbOK);
    EXPECT_EQ(calculate("1000型射流风机", "300", "1100", "1.2"), "");
}

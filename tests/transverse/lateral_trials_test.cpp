// SPDX-License-Identifier: GPL-3.0-or-later
// Trials in the transverse windows as an engineer makes them on the template project: a pressure
// difference the section cannot balance, and the close box of a window whose boxes differ from its file.
#include "transverse/frmLateral1.h"
#include "transverse/frmLateral3.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/shown_whole.h"
#include "tests/support/template_project.h"
#include "tests/support/test_stage.h"
#include "tests/support/text_fit.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <filesystem>
#include <functional>
#include <string>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

std::string bytesOf(const std::string& path) {
    return textfile::ReadBytes(path).value_or("<none>");
}

/// The transverse window from step 2 on two-way traffic; `script` acts on it and may leave it open.
void openLateral3(const std::function<void(frmLateral3&)>& script) {
    test_stage::onModal<frmVentParam>([&](frmVentParam& step2) {
        step2.lstCase.setSelected(1, true);
        step2.cmbNextStep.setListIndex(5);
        test_stage::onModal<frmLateral3>(script);
        step2.cmdNextStep.userClick();
        step2.cmdReturn.userClick();
    });
    Forms::instance<frmReq>().cmdNextStep.userClick();
}

class LateralTrials : public ::testing::Test {
protected:
    frmReq& req = test_support::savedTemplate();
};

TEST_F(LateralTrials, APressureDifferenceBeyondTheSectionGivesNoNeutralPointButSaysByHowMuch) {
    openLateral3([](frmLateral3& w) {
        w.OptionButton2.userClick();
        // The whole 5235 m drop from a neutral point at one portal to the other is D(5235) = 66.70 Pa
        // (two-way traffic 522.18 veh/h at 40 km/h, q_b 0.034766, Ar 63.96, Dr 8.197): 200 Pa either way
        // cannot be balanced, 133.30 Pa are left over at the portal the search runs into.
        struct Row {
            const char* Pa;
            const char* PileC;
            const char* PC;
            const char* said;
        };
        const Row rows[] = {
            {"-200", "", "", "两端气压差在本区段内无法平衡, 不平衡压力133.30Pa"},
            {"200", "", "", "两端气压差在本区段内无法平衡, 不平衡压力133.30Pa"},
            // The preset natural-wind difference balances, and so does none: the station comes back.
            {"-45.36", "14457.93", "46.50", ""},
            {"0", "12617.50", "14.50", ""},
        };
        for (const Row& r : rows) {
            SCOPED_TRACE(r.Pa);
            w.txtPa.userType(r.Pa);
            w.cmdCalculatePtot3.userClick();
            EXPECT_EQ(w.txtPileC.Text(), r.PileC);
            EXPECT_EQ(w.txtPC.Text(), r.PC);
            EXPECT_EQ(w.lblUnbalanced.Caption(), r.said);
            EXPECT_EQ(w.txtPR.Text().empty(), std::string(r.said).size() > 0);
        }
        // The report says it where the station would stand; the scroll bar's reruns ask nothing either.
        w.txtPa.userType("-200");
        w.scbPileR.userSet(12000);
        EXPECT_EQ(w.lblUnbalanced.Caption(), "两端气压差在本区段内无法平衡, 不平衡压力133.30Pa");
        // The whole message fits beside the pressure box.
        QApplication::processEvents();
        EXPECT_EQ(test_support::cutTexts(*w.lblUnbalanced.widget()), std::vector<std::string>{});
        test_support::savePicture(*w.window(), "frmLateral3_unbalanced");
        w.cmdReport.userClick();
        ASSERT_EQ(platform::textviewer::log().size(), 1u);
        const auto lines =
            textfile::ReadLines(platform::textviewer::log()[0]).value_or(std::vector<std::string>(31));
        ASSERT_EQ(lines.size(), 31u); // the supply variant prints no exhaust fan
        EXPECT_EQ(lines[27],
                  "                 中性点桩号: 无(两端气压差在本区段内无法平衡, 不平衡压力133.30Pa)");
        EXPECT_EQ(lines[28], "             中性点压力(Pa): 未计算");
        EXPECT_EQ(lines[30], "             任意点压力(Pa): 未计算");
        EXPECT_TRUE(platform::msgbox::log().empty());
        w.cmdClose.userClick();
    });
}

// A new two-way bore from 新建: K5+000 to K8+600, +0.5 % then −1.5 %, 70 m² and 32 m (Dr 8.75), 600 m
// above the sea, 60 km/h, 18,000 and 24,000 pcu/d in the template's two design years, the first of them
// taken; saved, then step 2 on two-way traffic and the semi-transverse scheme.
TEST(TwoWayBore, ThePresetNaturalWindCannotBeBalancedAndNoPortalIsShownAsTheNeutralPoint) {
    frmReq& req = Forms::instance<frmReq>();
    test_support::NewOnTheUntouchedTemplate(req);
    req.pgMain.userClick(1);
    req.txtElevation.userType("600");
    req.cmbvt.userType("60");
    req.pgMain.userClick(2);
    req.txtStartPile.userType("5000");
    req.lstSlope.ListItems.Clear();
    req.lstSection.ListItems.Clear();
    for (auto [pile, slope] : {std::pair{"6800", "0.5"}, std::pair{"8600", "-1.5"}}) {
        req.txtSlopePile.userType(pile);
        req.txtSlopeRatio.userType(slope);
        req.cmdAddSlope.userClick();
    }
    req.txtSectionPile.userType("8600");
    req.txtSectionArea.userType("70");
    req.txtSectionPerimeter.userType("32");
    req.cmdAddSection.userClick();
    req.cmdRefreshSegment.userClick();
    req.pgMain.userClick(3);
    for (auto [row, pcu] : {std::pair{2, "24000"}, std::pair{1, "18000"}}) {
        req.lstTraffic.userItemClick(row);
        req.txtPcu.userType(pcu);
        req.cmdUpdate.userClick();
    }
    req.lstTraffic.userItemClick(1);
    for (int page : {4, 5, 6, 7}) {
        req.pgMain.userClick(page);
    }
    ASSERT_EQ(req.txtNN.Text(), "614.33427");
    modPublic::ProjectFile = test_support::projectPath(".vnt");
    req.SaveFile();

    bool opened = false;
    openLateral3([&](frmLateral3& w) {
        opened = true;
        w.OptionButton2.userClick();
        // Pa = −6.25·1.01/2·(3600·0.02/8.75 + 0.6 + 1) = −31.02. Two-way traffic 614.33 veh/h at
        // 40 km/h, Q = 108.4713 m³/s, v(L) = 1.54959 m/s: the whole bore drops
        // D(3600) = 0.505·(4.742857·1.54959² + 2.41·614.33·1.54959/70) = 22.30 Pa, 8.72 Pa short of
        // Pa. The search runs into the end portal; no station there is a neutral point.
        EXPECT_EQ(w.txtPa.Text(), "-31.02");
        w.cmdCalculatePtot3.userClick();
        EXPECT_EQ(w.txtPileC.Text(), "");
        EXPECT_EQ(w.txtPC.Text(), "");
        EXPECT_EQ(w.txtPR.Text(), "");
        EXPECT_EQ(w.lblUnbalanced.Caption(), "两端气压差在本区段内无法平衡, 不平衡压力8.72Pa");
        // Balanced portals keep their neutral point in the middle of the bore.
        w.txtPa.userType("0");
        w.cmdCalculatePtot3.userClick();
        EXPECT_EQ(w.txtPileC.Text(), "6800.00");
        EXPECT_EQ(w.lblUnbalanced.Caption(), "");
        w.cmdClose.userClick();
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(platform::msgbox::log().empty())
        << "新建 on the untouched template asks nothing; no other box";
}

using Act = std::function<void(transverse::SupplyDuctView&)>;

/// A transverse window as the engineer opens it: `session` opens it, runs the act on it and returns.
struct Window {
    const char* name;
    const char* extension;
    std::function<void(const Act&)> session;
};

const Window kWindows[] = {
    {"frmLateral3", ".tra", [](const Act& act) { openLateral3([&](frmLateral3& w) { act(w); }); }},
    {"frmLateral1", ".lt1", [](const Act& act) { act(Forms::instance<frmLateral1>()); }},
};

class CloseBox : public LateralTrials, public ::testing::WithParamInterface<Window> {
protected:
    bool closeBox(transverse::SupplyDuctView& w) { return Forms::unload(w, platform::vbFormControlMenu); }

    void expectQuestions(std::size_t n) {
        ASSERT_EQ(platform::msgbox::log().size(), n);
        for (const auto& box : platform::msgbox::log()) {
            EXPECT_EQ(box.prompt, "退出之前需要保存吗?");
            EXPECT_EQ(box.title, "保存提示！");
            EXPECT_EQ(box.buttons & 0x0F, platform::vbYesNoCancel);
        }
    }
};

TEST_P(CloseBox, AsksOnlyWhenTheBoxesDifferFromTheFileAndWritesOnlyOnYes) {
    const Window& window = GetParam();
    const std::string file = test_support::projectPath(window.extension);
    window.session([](transverse::SupplyDuctView& w) { w.cmdClose.userClick(); });
    const std::string saved = bytesOf(file);
    ASSERT_NE(saved, "<none>");

    // Nothing changed since the file was written: the close box closes without a word.
    window.session([this](transverse::SupplyDuctView& w) { EXPECT_TRUE(closeBox(w)); });
    expectQuestions(0);
    EXPECT_EQ(bytesOf(file), saved);

    // A trial: Cancel keeps the window and its boxes, No drops the trial and leaves the file as it was.
    window.session([this](transverse::SupplyDuctView& w) {
        w.txtAA_b.userType("15");
        platform::msgbox::script(platform::vbCancel);
        EXPECT_FALSE(closeBox(w));
        EXPECT_TRUE(Forms::isLoaded(w));
        EXPECT_EQ(w.txtAA_b.Text(), "15");
        platform::msgbox::script(platform::vbNo);
        EXPECT_TRUE(closeBox(w));
    });
    expectQuestions(2);
    EXPECT_EQ(bytesOf(file), saved);

    // Yes keeps it.
    window.session([this](transverse::SupplyDuctView& w) {
        w.txtAA_b.userType("15");
        platform::msgbox::script(platform::vbYes);
        EXPECT_TRUE(closeBox(w));
    });
    expectQuestions(3);
    EXPECT_NE(bytesOf(file).find("\"15\","), std::string::npos);
    EXPECT_EQ(bytesOf(file).size(), saved.size()) << "\"12\" became \"15\", the rest as it was";
}

TEST_F(LateralTrials, AYesWhoseFileCannotBeWrittenKeepsTheWindowAndItsWork) {
    std::filesystem::create_directories(test_support::projectPath(".lt1"));
    frmLateral1& w = Forms::instance<frmLateral1>();
    w.txtAA_b.userType("15");
    platform::msgbox::script(platform::vbYes);
    platform::msgbox::script(platform::vbOK);
    EXPECT_FALSE(Forms::unload(w, platform::vbFormControlMenu));
    ASSERT_EQ(platform::msgbox::log().size(), 2u);
    EXPECT_EQ(platform::msgbox::log()[1].prompt.rfind("送风型半横向通风文件未能保存:", 0), 0u);
    EXPECT_EQ(w.txtAA_b.Text(), "15");
    platform::msgbox::script(platform::vbNo);
    EXPECT_TRUE(Forms::unload(w, platform::vbFormControlMenu));
}

INSTANTIATE_TEST_SUITE_P(Windows, CloseBox, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

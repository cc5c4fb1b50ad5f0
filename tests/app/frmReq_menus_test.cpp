// SPDX-License-Identifier: GPL-3.0-or-later
// The Tools and Help menus of the main window: the stretch air-demand dialog that the calculations fill
// while it is open, the about box and its text file, and the congestion page's warning.
#include "app/dlgSectionQreq.h"
#include "app/about_text.h"
#include "app/frmAbout.h"
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/text_file.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/test_stage.h"
#include "ventparam/dlgSectionPm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;

// The lines a multi-line box shows, whatever line end it keeps.
std::vector<std::string> shownLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(line);
            line.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += text[i];
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// Every test starts from the template project as start-up leaves it: stations 10000 to 15235, one
// cross-section of 63.96 m², segment 1 10000–10420 at +1.56 %, segment 2 10420–15235 at −1.84 %.
class MenusWindow : public ::testing::Test {
protected:
    void SetUp() override { modPublic::AppFolder = test_stage::appFolder(); }

    // The stretch 11000–12000 lies inside segment 2 and inside the one cross-section.
    dlgSectionQreq& openStretch(const std::string& sp = "11000", const std::string& ep = "12000") {
        w.mnuToolSectionQreq.userClick();
        dlgSectionQreq& d = Forms::instance<dlgSectionQreq>();
        d.txtSectionSP.userType(sp);
        d.txtSectionEP.userType(ep);
        return d;
    }

    fs::path aboutFile() const { return fs::path(test_stage::appFolder()) / "ConfigFiles" / "About.txt"; }

    std::string aboutText() {
        std::string text;
        test_stage::onModal<frmAbout>([&](frmAbout& a) {
            text = a.txtAbout.Text();
            a.cmdClose.userClick();
        });
        w.mnuHelpAbout.userClick();
        return text;
    }

    frmReq& w = Forms::instance<frmReq>();
};

// ---- Stretch air-demand dialog ----

TEST_F(MenusWindow, TheStretchDialogOpensOnceAndRaisesTheFlag) {
    EXPECT_FALSE(w.bShowSectionQreq);
    w.mnuToolSectionQreq.userClick();
    dlgSectionQreq* first = &Forms::instance<dlgSectionQreq>();
    w.mnuToolSectionQreq.userClick();

    EXPECT_TRUE(w.bShowSectionQreq);
    EXPECT_EQ(&Forms::instance<dlgSectionQreq>(), first);
    int dialogs = 0;
    for (platform::Form* f : Forms::loaded()) {
        dialogs += dynamic_cast<dlgSectionQreq*>(f) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(first->Visible());
    EXPECT_EQ(first->Caption(), "任意区段需风量计算");
    EXPECT_EQ(first->cmdClose.Caption(), "关闭(&C)");
    EXPECT_EQ(first->txtSectionQreq.Text(), "");
}

TEST_F(MenusWindow, PagesSevenThenFourFillTheDialogWithTheirDemandOfTheStretch) {
    w.txtExchangeNum.setSilently("5");
    dlgSectionQreq& d = openStretch();

    // Air changes: 1000 m × 63.96 m² = 63960 m³, changed 5 times an hour: 63960 × 5 / 3600 = 88.833.
    w.pgMain.userClick(7);
    EXPECT_EQ(d.txtSectionQreq.Text(), "88.83");

    // One-way: segment 2 is uniform, so the stretch carries 1000/4815 of segment 2's demand of the gas
    // that governs the whole tunnel. Segment 2 picked shows that demand on page 4.
    w.pgMain.userClick(4);
    const std::string oneWay = d.txtSectionQreq.Text();
    EXPECT_NE(oneWay, "88.83");
    w.lstCalSegment.userItemClick(2);
    const bool coGoverns = std::strtod(w.txtQQ_req_CO.Text().c_str(), nullptr) >=
                           std::strtod(w.txtQQ_req_VI.Text().c_str(), nullptr);
    const double segment2 =
        std::strtod((coGoverns ? w.txtQQ_req_CO_SEGMENT : w.txtQQ_req_VI_SEGMENT).Text().c_str(), nullptr);
    ASSERT_GT(segment2, 0);
    EXPECT_NEAR(std::strtod(d.txtSectionQreq.Text().c_str(), nullptr), segment2 * 1000 / 4815, 0.006);
    EXPECT_EQ(d.txtSectionQreq.Text(), oneWay);
    EXPECT_TRUE(w.bShowSectionQreq);
}

TEST_F(MenusWindow, TwoWayAndCongestionWriteTheirOwnCaseAndStationsThatAreNoNumbersReadZero) {
    dlgSectionQreq& d = openStretch();
    // Two-way: again 1000/4815 of segment 2's demand of the governing gas, here with segment 2 picked.
    w.cmdCalculateQQ_bidrection_Click(2);
    const bool coGoverns = std::strtod(w.txtQQ_req_CO_Bidirection.Text().c_str(), nullptr) >=
                           std::strtod(w.txtQQ_req_VI_Bidirection.Text().c_str(), nullptr);
    const double segment2 = std::strtod(
        (coGoverns ? w.txtQQ_req_CO_Bidirection_SEGMENT : w.txtQQ_req_VI_Bidirection_SEGMENT).Text().c_str(),
        nullptr);
    ASSERT_GT(segment2, 0);
    EXPECT_NEAR(std::strtod(d.txtSectionQreq.Text().c_str(), nullptr), segment2 * 1000 / 4815, 0.006);

    // Congestion writes the full-length case: the 1 km window the page searches is 10000–11000, which the
    // stretch only touches, so the 1 km case would show 0.00.
    w.cmdCalculateQQ_block_Click();
    ASSERT_EQ(w.txtBlockStartPile.Text(), "10000");
    ASSERT_EQ(w.txtBlockEndPile.Text(), "11000");
    EXPECT_GT(std::strtod(d.txtSectionQreq.Text().c_str(), nullptr), 0);

    // "abc" to "xyz" is the stretch 0 to 0, which holds no segment.
    d.txtSectionSP.userType("abc");
    d.txtSectionEP.userType("xyz");
    w.cmdCalculateQQ_bidrection_Click();
    EXPECT_EQ(d.txtSectionQreq.Text(), "0.00");
}

TEST_F(MenusWindow, AfterTheCloseBoxTheCalculationsLeaveTheDialogAlone) {
    dlgSectionQreq& d = openStretch();
    w.cmdCalculateQQ_CO_Click();
    EXPECT_NE(d.txtSectionQreq.Text(), "");

    ASSERT_TRUE(Forms::unload(d, platform::vbFormControlMenu));
    EXPECT_FALSE(w.bShowSectionQreq);
    w.cmdCalculateQQ_CO_Click();
    w.CalQQ_req_exchange(-1);
    w.cmdCalculateQQ_block_Click();
    EXPECT_FALSE(Forms::isLoaded<dlgSectionQreq>());
    EXPECT_FALSE(w.bShowSectionQreq);

    // Opened again it starts empty; its own button closes it the same way.
    w.mnuToolSectionQreq.userClick();
    dlgSectionQreq& again = Forms::instance<dlgSectionQreq>();
    EXPECT_EQ(again.txtSectionSP.Text(), "");
    EXPECT_EQ(again.txtSectionQreq.Text(), "");
    EXPECT_TRUE(w.bShowSectionQreq);
    again.cmdClose.userClick();
    Forms::collectGarbage();
    EXPECT_FALSE(Forms::isLoaded<dlgSectionQreq>());
    EXPECT_FALSE(w.bShowSectionQreq);
}

TEST_F(MenusWindow, ClosingTheDialogAfterTheMainWindowDoesNotBringTheMainWindowBack) {
    w.mnuToolSectionQreq.userClick();
    Forms::unload<frmReq>();
    Forms::collectGarbage();
    ASSERT_FALSE(Forms::isLoaded<frmReq>());
    Forms::unload<dlgSectionQreq>(platform::vbFormControlMenu);
    EXPECT_FALSE(Forms::isLoaded<frmReq>());
}

// ---- About box ----

TEST_F(MenusWindow, TheAboutBoxSplitsALineAtItsCommasUnlessItIsQuoted) {
    ASSERT_TRUE(textfile::WriteLines(aboutFile().string(),
                                     {"隧道通风,照明设计", "\"许可证:GPL, 第3版\"", "  版本 1.1  "}));
    const std::string text = aboutText();
    EXPECT_EQ(shownLines(text),
              (std::vector<std::string>{"隧道通风", "照明设计", "许可证:GPL, 第3版", "版本 1.1"}));
    // Every field ends its line, the last one too.
    EXPECT_TRUE(text.back() == '\r' || text.back() == '\n');
    EXPECT_FALSE(Forms::isLoaded<frmAbout>());

    // Each opening reads the file anew.
    ASSERT_TRUE(textfile::WriteLines(aboutFile().string(), {"新的说明"}));
    EXPECT_EQ(shownLines(aboutText()), std::vector<std::string>{"新的说明"});
}

TEST_F(MenusWindow, TheAboutBoxShowsABoundedNumberOfLinesAndSaysTheTextIsCut) {
    std::vector<std::string> lines(500'000, "x");
    lines[0] = "第一行";
    ASSERT_TRUE(textfile::WriteLines(aboutFile().string(), lines));
    const std::optional<std::string> before = textfile::ReadBytes(aboutFile().string());
    const std::vector<std::string> shown = shownLines(aboutText());
    ASSERT_EQ(shown.size(), app::kAboutMaxLines + 1);
    EXPECT_EQ(shown.front(), "第一行");
    EXPECT_EQ(shown[app::kAboutMaxLines - 1], "x");
    EXPECT_EQ(shown.back(), app::kAboutCutNote);
    EXPECT_EQ(textfile::ReadBytes(aboutFile().string()), before);
    // A text of exactly the bound is whole: no note.
    lines.resize(app::kAboutMaxLines);
    ASSERT_TRUE(textfile::WriteLines(aboutFile().string(), lines));
    EXPECT_EQ(shownLines(aboutText()), lines);
}

TEST_F(MenusWindow, TheAboutBoxShowsItsFixedLinesAndIsEmptyWithoutItsFile) {
    fs::remove(aboutFile());
    std::string label1;
    std::string label2;
    std::string close;
    std::string text = "not read";
    test_stage::onModal<frmAbout>([&](frmAbout& a) {
        label1 = a.Label1.Caption();
        label2 = a.Label2.Caption();
        close = a.cmdClose.Caption();
        text = a.txtAbout.Text();
        a.cmdClose.userClick();
    });
    w.mnuHelpAbout.userClick();
    EXPECT_EQ(label1, "Aridane      v1.1");
    EXPECT_EQ(label2, "Aridane");
    EXPECT_EQ(close, "关闭");
    EXPECT_EQ(text, "");
}

// The box's own line names the version; the shipped text must not name another.
TEST_F(MenusWindow, TheShippedAboutTextNamesTheVersionOfTheBoxsLine) {
    std::string label1;
    std::string text;
    test_stage::onModal<frmAbout>([&](frmAbout& a) {
        label1 = a.Label1.Caption();
        text = a.txtAbout.Text();
        a.cmdClose.userClick();
    });
    w.mnuHelpAbout.userClick();
    const std::regex version("Aridane\\s+v?([0-9]+(\\.[0-9]+)+)");
    std::smatch own;
    ASSERT_TRUE(std::regex_search(label1, own, version)) << label1;
    int named = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), version); it != std::sregex_iterator();
         ++it, ++named) {
        EXPECT_EQ((*it)[1].str(), own[1].str()) << it->str();
    }
    EXPECT_GT(named, 0) << text;
}

// ---- Congestion page warning ----

TEST_F(MenusWindow, TheCongestionPageNamesTheDemandsThatCountZero) {
    w.cmdCalculateQQ_block_Click();
    EXPECT_FALSE(w.lblWarning6.Visible());
    EXPECT_EQ(w.lblWarning6.Caption(), "");

    // The typed congestion δ serves the full length and the 1 km window alike.
    w.chkDeltaBlock.set(0);
    w.txtDelta_block.set("0");
    w.cmdCalculateQQ_block_Click();
    EXPECT_EQ(w.txtQQ_req_CO_block.Text(), "0.00");
    EXPECT_EQ(w.txtQQ_req_CO_1kmblock.Text(), "0.0");
    EXPECT_TRUE(w.lblWarning6.Visible());
    EXPECT_EQ(w.lblWarning6.Caption(), "全程及1km阻滞: δ、气压、气温或新风CO浓度不可用, CO需风量按0计.");

    // A design pressure of 0 and a typed K of 0: both gases, both demands. Nothing is left for the search
    // to find (the window becomes 0 to 0), and the 1 km demand is still named, since that is why.
    w.txtP.userType("0");
    w.txtDelta_block.set("300");
    w.chkKKBlock.set(0);
    w.txtKK_block.set("0");
    w.cmdCalculateQQ_block_Click();
    EXPECT_EQ(w.lblWarning6.Caption(),
              "全程及1km阻滞: δ、气压、气温或新风CO浓度不可用, CO需风量按0计; K不可用, 烟雾需风量按0计.");

    // Only the smoke concentration unusable, and a typed 1 km window of 0 to 0, which holds nothing to
    // compute: only the full length is named.
    w.txtP.userType("85.2895128");
    w.chkBlock.set(0);
    w.txtBlockStartPile.set("0");
    w.txtBlockEndPile.set("0");
    w.cmdCalculateQQ_block_Click();
    EXPECT_EQ(w.lblWarning6.Caption(), "全程阻滞: K不可用, 烟雾需风量按0计.");

    w.chkDeltaBlock.set(1);
    w.chkKKBlock.set(1);
    w.cmdCalculateQQ_block_Click();
    EXPECT_FALSE(w.lblWarning6.Visible());
}

TEST_F(MenusWindow, AStretchStationBeyondWhatATunnelReachesIsMarkedAndCountsToThePortal) {
    w.txtExchangeNum.setSilently("5");
    dlgSectionQreq& d = openStretch("11000", "15235");
    w.pgMain.userClick(7);
    const std::string toThePortal = d.txtSectionQreq.Text();
    w.mnuSectionPressure.userClick();
    dlgSectionPm& pm = Forms::instance<dlgSectionPm>();
    pm.txtQ.userType("200");
    for (const auto& [start, end] :
         {std::pair{&d.txtSectionSP, &d.txtSectionEP}, std::pair{&pm.txtSectionSP, &pm.txtSectionEP}}) {
        end->userType("1e308");
        EXPECT_EQ(end->NumberMark(), "桩号超出范围");
        start->userType("-1e18");
        EXPECT_EQ(start->NumberMark(), "桩号超出范围");
        start->userType("11000");
        EXPECT_EQ(start->NumberMark(), "");
    }
    w.pgMain.userClick(7);
    EXPECT_EQ(d.txtSectionQreq.Text(), toThePortal);
    pm.OKButton.userClick();
    EXPECT_EQ(pm.txtPm.Text(), "51.02");
}

} // namespace

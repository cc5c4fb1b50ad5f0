// SPDX-License-Identifier: GPL-3.0-or-later
// A straight duct piece of the axial fan whose λ is left blank takes λ from its wall roughness, as
// choosing a wall material would; a piece with neither is named in red.
#include "tools/frmAxialFanDesign.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "tests/support/test_stage.h"
#include "tests/support/shown_whole.h"
#include "tools/axial_fan_report.h"
#include "ventparam/loss_coefficients.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using platform::Forms;

namespace {

struct Piece {
    const char* lambda;
    const char* roughness;
};

// One fan, Q 100 m³/s, ρ 1.2, through a single straight piece of 100 m, area 10 m², perimeter 12 m.
frmAxialFanDesign& fanWith(const Piece& piece) {
    frmAxialFanDesign& w = Forms::instance<frmAxialFanDesign>();
    w.txtQ.userType("100");
    w.txtv.userType("0");
    w.txtSectionPile.userType("100");
    w.txtSectionArea.userType("10");
    w.txtSectionPerimeter.userType("12");
    w.txtSectionDelta.userType(piece.roughness);
    w.txtlambdra.userType(piece.lambda);
    w.cmdAddSection.userClick();
    w.cmdCalculate.userClick();
    return w;
}

} // namespace

TEST(AxialFanBlankLambda, TakesLambdaFromTheRoughnessOrNamesThePiece) {
    // D = 4 × 10 / 12 = 3.333; λ(Δ 1 mm) = 1 / (1.1138 − 2 log10(0.001 / 3.333))² = 0.01502, shown 0.015;
    // loss = 0.015 × 100 × 0.6 × (100 / 10)² / 3.333 = 27.00 Pa.
    const std::string fromRoughness = vb::Format(*ventparam::RoughWallFrictionFactor(1, 3.333), "0.000");
    ASSERT_EQ(fromRoughness, "0.015");
    struct Case {
        Piece piece;
        const char* loss;
        bool named;
    };
    const Case cases[] = {
        {{"", "1"}, "27.00", false},   {{"0.015", "1"}, "27.00", false},
        {{"  ", "1"}, "27.00", false}, {{"0.02", "1"}, "36.00", false}, // a typed λ holds over the roughness
        {{"0", "1"}, "0.00", false},                                    // and so does a typed 0
        {{"", ""}, "0.00", true},      {{"无", "0"}, "0.00", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("λ '") + c.piece.lambda + "', Δ '" + c.piece.roughness + "'");
        frmAxialFanDesign& w = fanWith(c.piece);
        EXPECT_EQ(w.txtp_d.Text(), c.loss);
        // The row keeps the λ as typed.
        EXPECT_EQ(w.lstSection.ListItems(1).SubItems(6), c.piece.lambda);
        EXPECT_EQ(w.lstSection.ListItems(1).ForeColor() == platform::vbRed, c.named);
        if (c.named) {
            EXPECT_NE(w.lblDuctNote.Caption().find("第1行"), std::string::npos);
            EXPECT_NE(w.lblDuctNote.Caption().find("不能作为设计依据"), std::string::npos);
        } else {
            EXPECT_EQ(w.lblDuctNote.Caption(), "");
        }
        EXPECT_EQ(w.lblDuctNote.ForeColor(), platform::vbRed);
        EXPECT_TRUE(platform::msgbox::log().empty());
        Forms::unload(w);
    }

    // Shown as the menu shows it, the note stands whole under the buttons.
    const test_support::ProgramFont programFont;
    frmReq& req = Forms::instance<frmReq>();
    test_stage::onModal<frmAxialFanDesign>([](frmAxialFanDesign& shown) {
        fanWith({"", ""});
        test_support::expectShownWhole(shown, "frmAxialFanDesign_blank_lambda");
        Forms::unload(shown);
    });
    req.mnuToolsmnuFanPowerAnalysis.userClick();
}

TEST(AxialFanBlankLambda, TheReportSaysTheResultIsNoDesignBasis) {
    Forms::instance<frmReq>();
    modPublic::ProjectFile = test_stage::appFolder() + "/tunnel.vnt";
    modPublic::AxialFanList.items = {"1"};
    frmAxialFanDesign& w = fanWith({"", ""});
    w.cmdReport.userClick();
    ASSERT_EQ(platform::textviewer::log().size(), 1u);
    const std::vector<std::string> lines = textfile::ReadLines(platform::textviewer::log()[0]).value();
    const auto note = std::find(lines.begin(), lines.end(), w.lblDuctNote.Caption());
    ASSERT_NE(note, lines.end());
    // Under the piece it names, before the local losses.
    EXPECT_EQ(*(note - 1), tools::AxialSectionLine({"100", "0", "10", "12", "3.333", "", "", ""}));
    // The note goes with its fan: a fan without such a piece shows none, the fan with it shows it again.
    w.txtFanNo.userType("2");
    w.cmdAddFan.userClick();
    w.lstSection.userItemClick(1);
    w.cmdDeleteSection.userClick();
    ASSERT_EQ(w.lstSection.ListItems.Count(), 0);
    w.cmdUpdateFan.userClick();
    w.lstFanNo.userItemClick(1);
    EXPECT_NE(w.lblDuctNote.Caption(), "");
    w.lstFanNo.userItemClick(2);
    EXPECT_EQ(w.lblDuctNote.Caption(), "");
}

TEST(AxialFanBlankLambda, TheReportPrintsTheLambdaAndFrictionTheResultUsed) {
    // λ from Δ 1 mm: 0.015, and 27.00 Pa (above), in place of the blank cell and on a line of its own.
    Forms::instance<frmReq>();
    modPublic::ProjectFile = test_stage::appFolder() + "/tunnel.vnt";
    modPublic::AxialFanList.items = {"1"};
    fanWith({"", "1"}).cmdReport.userClick();
    const std::vector<std::string> lines = textfile::ReadLines(platform::textviewer::log().at(0)).value();
    const auto piece =
        std::find(lines.begin(), lines.end(),
                  tools::AxialSectionLine({"100", "0", "10", "12", "3.333", "1", "0.015", ""}));
    ASSERT_NE(piece, lines.end());
    EXPECT_EQ(*(piece + 1), "第1行摩阻力λ未填，按平均壁面粗糙度取λ=0.015，沿程摩擦损失27.00Pa");
}

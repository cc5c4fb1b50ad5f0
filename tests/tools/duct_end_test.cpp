// SPDX-License-Identifier: GPL-3.0-or-later
// A local loss at the exact end of a duct (the outlet, ζ 1.0) counts with the speed of the last piece, in
// the axial-fan window and in the duct-loss dialog alike; a position outside the duct adds nothing and its
// row is named in red.
#include "tools/frmAxialFanDesign.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "tests/support/shown_whole.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tools/axial_fan_report.h"
#include "ventparam/dlgSectionPm.h"
#include "ventparam/frmCalculatePd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <type_traits>

using platform::Forms;

namespace {

// One straight piece of 155 m, area 2.59 m², perimeter 8.9 m (D = 4 × 2.59 / 8.9 = 1.164), Q 22 m³/s,
// ρ 1.128, and ζ 1.0 at `position`. v = 22 / 2.59 = 8.4942 m/s; ρ/2·v² = 0.564 × 72.1514 = 40.6934 Pa.
// Axial fan, λ 0.027: friction 0.027 × 155 / 1.164 × 40.6934 = 146.3073 → 146.31; with the outlet
// 146.3073 + 40.6934 = 187.0007 → 187.00.
// Duct-loss dialog, no roughness, λ 0.022: friction 0.022 × 155 / 1.164 × 40.6934 = 119.2135 → 119.21;
// with the outlet 159.9069 → 159.91.
template <class W> W& ductWithLossAt(const std::string& position) {
    W& w = Forms::instance<W>();
    test_support::TypeInto{{w.txtQ, "22"},
                           {w.txtRHO, "1.128"},
                           {w.txtSectionPile, "155"},
                           {w.txtSectionArea, "2.59"},
                           {w.txtSectionPerimeter, "8.9"}};
    if constexpr (std::is_same_v<W, frmAxialFanDesign>) {
        w.txtlambdra.userType("0.027");
    }
    w.cmdAddSection.userClick();
    test_support::TypeInto{{w.txtzetapile, position}, {w.txtzeta, "1.0"}};
    w.cmdAddZeta.userClick();
    w.cmdCalculate.userClick();
    return w;
}

struct Case {
    const char* position;
    const char* axial;
    const char* dialog;
    bool outside;
};

const Case kCases[] = {
    {"155", "187.00", "159.91", false}, // the outlet at the exact end
    {"0", "187.00", "159.91", false},   // the inlet at the start
    {"155.5", "146.31", "119.21", true},
    {"-1", "146.31", "119.21", true},
};

template <class W> void expectCase(const Case& c, const char* p_d) {
    SCOPED_TRACE(c.position);
    W& w = ductWithLossAt<W>(c.position);
    EXPECT_EQ(w.txtp_d.Text(), p_d);
    EXPECT_EQ(w.lstzeta.ListItems(1).ForeColor() == platform::vbRed, c.outside);
    EXPECT_EQ(w.lblZetaNote.Caption(),
              c.outside ? "局部损失第1行的位置不在风道内(0至155.00m)，其损失未计入。" : "");
    EXPECT_EQ(w.lblZetaNote.ForeColor(), platform::vbRed);
    Forms::unload(w);
}

} // namespace

TEST(DuctEnd, TheOutletAtTheEndCountsAndAPositionOutsideIsNamed) {
    for (const Case& c : kCases) {
        expectCase<frmAxialFanDesign>(c, c.axial);
        expectCase<frmCalculatePd>(c, c.dialog);
    }
}

TEST(DuctEnd, TheAxialFanReportNamesALossOutsideTheDuct) {
    Forms::instance<frmReq>();
    modPublic::ProjectFile = test_stage::appFolder() + "/tunnel.vnt";
    modPublic::AxialFanList.items = {"1"};
    frmAxialFanDesign& w = ductWithLossAt<frmAxialFanDesign>("160");
    w.cmdReport.userClick();
    ASSERT_EQ(platform::textviewer::log().size(), 1u);
    const std::vector<std::string> lines = textfile::ReadLines(platform::textviewer::log()[0]).value();
    const auto note = std::find(lines.begin(), lines.end(), w.lblZetaNote.Caption());
    ASSERT_NE(note, lines.end());
    EXPECT_EQ(*(note - 1), tools::AxialZetaLine({"160", "1.0", ""})); // under the row it names
}

TEST(DuctEnd, TheNoteStandsWholeBesideTheList) {
    const test_support::ProgramFont programFont;
    test_stage::onModal<frmAxialFanDesign>([](frmAxialFanDesign& shown) {
        ductWithLossAt<frmAxialFanDesign>("-1");
        // With the note on pieces without friction above it.
        test_support::TypeInto{{shown.txtSectionPile, "10"}, {shown.txtlambdra, ""}};
        shown.cmdAddSection.userClick();
        shown.cmdCalculate.userClick();
        ASSERT_NE(shown.lblDuctNote.Caption(), "");
        test_support::expectShownWhole(shown, "frmAxialFanDesign_outside_duct");
        Forms::unload(shown);
    });
    Forms::instance<frmReq>().mnuToolsmnuFanPowerAnalysis.userClick();

    test_stage::onModal<frmCalculatePd>([](frmCalculatePd& shown) {
        ductWithLossAt<frmCalculatePd>("-1");
        test_support::expectShownWhole(shown, "frmCalculatePd_outside_duct");
        Forms::unload(shown, platform::vbFormControlMenu);
    });
    frmCalculatePd::ShowFor("22", Forms::instance<dlgSectionPm>().txtPm, nullptr);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A local loss at the exact end of a duct (the outlet, ζ 1.0) counts with the speed of the last piece, in
// the axial-fan window and in the duct-loss dialog alike; a position outside the duct adds nothing and its
// row is named in red, in the axial-fan report too.
#include "tools/frmAxialFanDesign.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tools/axial_fan_report.h"
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
                           {w.txtSectionPerimeter, "8.9"},
                           {w.txtzetapile, position},
                           {w.txtzeta, "1.0"}};
    if constexpr (std::is_same_v<W, frmAxialFanDesign>) {
        w.txtlambdra.userType("0.027");
    }
    w.cmdAddSection.userClick();
    w.cmdAddZeta.userClick();
    w.cmdCalculate.userClick();
    return w;
}

template <class W> void expectLossAt(const std::string& position, const char* p_d, bool outside) {
    SCOPED_TRACE(position);
    W& w = ductWithLossAt<W>(position);
    EXPECT_EQ(w.txtp_d.Text(), p_d);
    EXPECT_EQ(w.lstzeta.ListItems(1).ForeColor() == platform::vbRed, outside);
    EXPECT_EQ(w.lblZetaNote.Caption(),
              outside ? "局部损失第1行的位置不在风道内(0至155.00m)，其损失未计入。" : "");
    Forms::unload(w);
}

} // namespace

TEST(DuctEnd, TheOutletAtTheEndCountsAndAPositionOutsideIsNamed) {
    const struct {
        const char* position;
        const char* axial;
        const char* dialog;
        bool outside;
    } cases[] = {{"155", "187.00", "159.91", false},
                 {"0", "187.00", "159.91", false},
                 {"155.5", "146.31", "119.21", true},
                 {"-1", "146.31", "119.21", true}};
    for (const auto& c : cases) {
        expectLossAt<frmAxialFanDesign>(c.position, c.axial, c.outside);
        expectLossAt<frmCalculatePd>(c.position, c.dialog, c.outside);
    }
}

TEST(DuctEnd, TheAxialFanReportNamesALossOutsideTheDuct) {
    Forms::instance<frmReq>();
    modPublic::ProjectFile = test_stage::appFolder() + "/tunnel.vnt";
    modPublic::AxialFanList.items = {"1"};
    frmAxialFanDesign& w = ductWithLossAt<frmAxialFanDesign>("160");
    w.cmdReport.userClick();
    const std::vector<std::string> lines = textfile::ReadLines(platform::textviewer::log().at(0)).value();
    const auto note = std::find(lines.begin(), lines.end(), w.lblZetaNote.Caption());
    ASSERT_NE(note, lines.end());
    EXPECT_EQ(*(note - 1), tools::AxialZetaLine({"160", "1.0", ""})); // under the row it names
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The several-shafts window on a tunnel of the engineer's own, typed into a new project: the template's
// design stays with the template's tunnel, and sections formed anew keep only the groups they hold.
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/frmReq.h"
#include "platform/Forms.h"
#include "tests/support/list_rows.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/written_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using platform::Forms;
using test_support::Row;
using test_support::rowsOf;

/// The two-way bore K5+000–K8+600 saved as the project; `script` works the several-shafts window.
void openOnTheBore(const std::function<void(frmMultiShaftAndJet&)>& script, bool withTemplateFile = false) {
    frmReq& req = Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, test_support::TwoWayBore(), test_support::projectFile(".vnt"));
    if (withTemplateFile) {
        // A file made on the template's tunnel before the tunnel was changed: it is the project's own.
        std::filesystem::copy_file(test_stage::appFolder() + "/ConfigFiles/Normal.msj",
                                   test_support::projectFile(".msj"));
    }
    EXPECT_TRUE(test_support::openScheme<frmMultiShaftAndJet>(
        req, 4, [&](frmMultiShaftAndJet& w, frmVentParam&) { script(w); }));
}

void addShaft(frmMultiShaftAndJet& w, const std::string& station) {
    w.pgMain.userClick(0);
    w.txtShaftPile.userType(station);
    w.cmdAddShaft.userClick();
}

TEST(MultiShaftNewTunnel, TheTemplatesInputsComeWithoutItsDesign) {
    openOnTheBore([](frmMultiShaftAndJet& w) {
        // Nothing of the template's tunnel or its results; what was typed for it.
        EXPECT_EQ(w.lstShaft.ListItems.Count() + w.lstShaftSection.ListItems.Count() +
                      w.lstJet.ListItems.Count(),
                  0);
        test_support::ExpectTexts{{w.txtjetcount, ""}, {w.txtSSkw_e, ""},      {w.txtdeltap_b, ""},
                                  {w.txtp_de, "250"},  {w.txtp1_b, "101.325"}, {w.txtQQ_e, "240"},
                                  {w.txtZZ_j, "1.2"},  {w.txtDD_j, "1.12"}};
        w.cmdReport.userClick();
        EXPECT_TRUE(test_support::hasLine(
            test_support::linesOf(test_support::projectFile("_多竖井送排式结合射流风机通风.rpt")),
            "该工况总耗电功率(kW):未计算"));
        // His shaft takes the template's fan data; its sections the model, the short passage none.
        addShaft(w, "6800");
        w.cmdShaftSection.userClick();
        ASSERT_EQ(w.lstShaftSection.ListItems.Count(), 3);
        for (int r : {1, 2, 3}) {
            EXPECT_EQ(w.lstShaftSection.ListItems(r).SubItems(13), r == 2 ? "" : "1120型射流风机") << r;
        }
    });
}

TEST(MultiShaftNewTunnel, SectionsFormedAnewDropTheGroupsTheyDoNotHold) {
    openOnTheBore(
        [](frmMultiShaftAndJet& w) {
            test_support::removeAllRows(w.lstShaft, w.cmdDeleteShaft);
            addShaft(w, "6800");
            w.pgMain.userClick(2);
            test_support::TypeInto{{w.txtPile, "5500"}, {w.txtJetNumPerTeam, "2"}, {w.txtPress, "30"}};
            w.cmdAdd.userClick();
            w.pgMain.userClick(0);
            w.cmdShaftSection.userClick();
            EXPECT_EQ(rowsOf(w.lstJet, 3), (std::vector<Row>{{"5500", "2", "30"}}));
            // The group typed with 30 Pa for its two fans is not 2 × the rise its section shows.
            const std::string rise = "区段1：1组升压力与本组台数×Δpj=13.174Pa不符！";
            EXPECT_EQ(w.lblTip.Caption(),
                      "以下射流风机组不在新形成的通风区段内，已删除(桩号): 10203, 10333, 10463 " + rise);
            // All groups inside: no group is named as dropped.
            w.cmdShaftSection.userClick();
            EXPECT_EQ(w.lblTip.Caption(), rise);
        },
        true);
}

} // namespace

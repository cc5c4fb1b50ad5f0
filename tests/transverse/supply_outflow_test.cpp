// SPDX-License-Identifier: GPL-3.0-or-later
// The concentrated-supply window says in red when its balance holds only with the supply stretch's air
// flowing out of the entrance portal, and shows every number of that balance all the same.
#include "transverse/frmConcentrate.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "tests/support/scheme_step.h"
#include "tests/support/test_stage.h"
#include "tests/support/text_fit.h"
#include "ventparam/frmVentParam.h"

#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

std::vector<std::string> results(const frmConcentrate& w) {
    std::vector<std::string> texts;
    for (const platform::TextBox* box :
         {&w.txtdeltap_m, &w.txtdeltap_t, &w.txtdeltap_r, &w.txtdeltap_b, &w.txtdeltap_l, &w.txtQQ_r,
          &w.txtQQ_b, &w.txtv_1, &w.txtAA_b, &w.txtv_b, &w.txtPP_tot, &w.txtAA_tot, &w.txtSS_tot}) {
        texts.push_back(box->Text());
    }
    return texts;
}

constexpr const char* kOutflow =
    "送风段风速v1不大于零：送风段的空气将从入口洞口流出，此结果不能作为设计依据。"
    "请移动送风口位置或选择其他通风方式！";

TEST(SupplyOutflow, ABalanceWithTheSupplyStretchBlowingOutIsSaidInRed) {
    const test_support::ProgramFont programFont;
    struct Case {
        const char* what;
        const char* area; // typed over the template's 12 m², or left
        std::vector<std::string> shown;
        const char* tip;
    };
    // The shipped template, opening at 10100, one-way: Δpm + Δpr − Δpt + Δpl = Δpb, Qb 500.46 above
    // Qr 330.89, so (Qr − Qb)/(Ar − Ab) is negative. A 3 m² nozzle supplies less than Qr.
    const Case cases[] = {
        {"template nozzle",
         "",
         {"48.95", "-31.31", "195.31", "275.57", "0.00", "330.89", "500.46", "-3.26", "12.00", "41.71",
          "1296.19", "648.69", "810.87"},
         kOutflow},
        {"3 m² nozzle",
         "3",
         {"47.84", "-34.51", "192.96", "275.31", "0.00", "330.89", "252.47", "1.29", "3.00", "84.16",
          "4264.30", "1076.62", "1345.77"},
         ""},
    };
    frmReq& req = Forms::instance<frmReq>();
    modPublic::ProjectFile = test_stage::appFolder() + "/模板.vnt";
    req.SaveFile();
    // Each case opens on the file the one before left: its balance, and its red words with it.
    for (const char* opened = ""; const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(test_support::openScheme<frmConcentrate>(req, 1, [&](frmConcentrate& w, frmVentParam&) {
            ASSERT_EQ(w.txtShaftPile.Text(), "10100");
            EXPECT_EQ(w.lblTip.Caption(), std::exchange(opened, c.tip));
            if (*c.area != '\0') {
                w.txtAA_b.userType(c.area);
            }
            w.lblTip.setCaption("前一次的提示");
            w.cmdCalculateJet.userClick();
            EXPECT_EQ(results(w), c.shown);
            EXPECT_EQ(w.lblTip.Caption(), c.tip);
            EXPECT_EQ(w.lblTip.ForeColor(), platform::vbRed);
            QApplication::processEvents();
            EXPECT_EQ(test_support::cutTexts(*w.window()), std::vector<std::string>{});
            if (const char* dir = std::getenv("ARIDANE_GRAB_DIR"); dir != nullptr && *c.tip != '\0') {
                w.window()->grab().save(QString::fromLocal8Bit(dir) + "/frmConcentrate_outflow.png");
            }
        }));
    }
    EXPECT_TRUE(platform::msgbox::log().empty());
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The jet-fan window's hint line after an automatic layout: it names the fans placed and the fans the
// balance counted whenever the two differ.
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/frmJet.h"
#include "jetfan/frmJetDb.h"
#include "jetfan/frmSetJetPile.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "platform/Forms.h"
#include "shaft/frmShaftAndJet.h"
#include "tests/support/lighting_walk.h"
#include "tests/support/scheme_step.h"
#include "tests/support/template_project.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "ventparam/frmVentParam.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

TEST(JetLayoutHint, NamesThePlacedAndTheCountedFansWhenTheyDiffer) {
    struct Case {
        const char* count; // as the balance shows it
        const char* perGroup;
        const char* inlet;
        const char* outlet;
        const char* hint;
    };
    const std::vector<Case> cases = {
        {"85.0", "2", "11", "11", "自动布置的射流风机共44台，与所需射流风机台数85台不符！"},
        {"12.0", "3", "2", "3", "自动布置的射流风机共15台，与所需射流风机台数12台不符！"},
        {"0.0", "2", "1", "0", "自动布置的射流风机共2台，与所需射流风机台数0台不符！"},
        {"44.0", "2", "11", "11", ""},
        {"12.0", "3", "2", "2", ""},
        // No count to compare with: the balance has not given one.
        {"", "2", "1", "1", ""},
    };
    frmReq& req = test_support::savedTemplate();
    EXPECT_TRUE(test_support::openScheme<frmJet>(req, 0, [&](frmJet& w, frmVentParam&) {
        w.MultiPage1.userClick(2);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.count) + " against " + c.perGroup + " × (" + c.inlet + " + " +
                         c.outlet + ")");
            w.lblTip.setCaption("前一次的提示");
            w.txti.set(c.count);
            test_support::layJetGroups({.perGroup = c.perGroup, .inlet = c.inlet, .outlet = c.outlet});
            w.cmdAutoLayout.userClick();
            EXPECT_EQ(w.lblTip.Caption(), c.hint);
        }

        // A cancelled layout lays nothing out and leaves the hint; a new balance judges the groups against
        // its own count, and so does every balance after it while the groups stay as they are.
        const std::string shown = "自动布置的射流风机共44台，与所需射流风机台数85台不符！";
        w.lblTip.setCaption(shown);
        test_stage::onModal<frmSetJetPile>([](frmSetJetPile& d) { d.ccmdCancel.userClick(); });
        w.cmdAutoLayout.userClick();
        EXPECT_EQ(w.lblTip.Caption(), shown);
        for (int again = 0; again < 2; ++again) {
            w.cmdCalculateJet.userClick();
            ASSERT_EQ(w.txti.Text(), "21.0");
            EXPECT_EQ(w.lblTip.Caption(), "自动布置的射流风机共4台，与所需射流风机台数21台不符！");
        }
    }));
}

// The office changes the template's fan to 29.5 m³/s and the engineer picks it again: its own rise at once,
// and the groups of the old rise named after the pick and after 计算, until a layout takes the new one.
TEST(JetLayoutHint, GroupsOfAnEarlierRiseAreNamedAgainstTheModelPicked) {
    EXPECT_TRUE(
        test_support::openScheme<frmJet>(test_support::savedTemplate(), 0, [](frmJet& w, frmVentParam&) {
            modPublic::JetModels(4).Flow = 29.5;
            w.cmbJetModel.userSelect(3);
            // 29.949 m/s where 34.305 gave 13.617 Pa at the template's 5.17 m/s; 3 × 10.110 for each group.
            EXPECT_EQ(w.txtdeltap_j.Text(), "10.110");
            const std::string rise =
                "7组升压力与本组台数×Δpj=10.110Pa不符（桩号10200.00处40.85Pa，应为30.33Pa）！";
            EXPECT_EQ(w.lblTip.Caption(), rise);
            w.cmdCalculateJet.userClick();
            const std::string count =
                "自动布置的射流风机共21台，与所需射流风机台数28台不符！"; // 275.10 / 10.110
            EXPECT_EQ(w.txtdeltap_j.Text() + w.lblTip.Caption(), "10.110" + count + " " + rise);
            w.MultiPage1.userClick(2);
            test_support::layJetGroups({"3", "4", "3", "150", "150", "200", "200"});
            w.cmdAutoLayout.userClick();
            EXPECT_EQ(w.lblTip.Caption(), count);
        }));
}

// What the hint said of the stored layout is said again when the project is opened again, before any
// new layout or balance.
TEST(JetLayoutHint, AReopenedProjectShowsWhatItsStoredLayoutHolds) {
    const struct {
        const char* count;
        const char* groupsAtEachPortal;
        const char* hint;
    } cases[] = {
        {"145.0", "4", "自动布置的射流风机共16台，与所需射流风机台数145台不符！"},
        {"8.0", "2", ""},
    };
    frmReq& req = test_support::savedTemplate();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_TRUE(test_support::openScheme<frmJet>(req, 0, [&](frmJet& w, frmVentParam&) {
            w.MultiPage1.userClick(2);
            w.txti.set(c.count);
            test_support::layJetGroups(c.groupsAtEachPortal);
            w.cmdAutoLayout.userClick();
            EXPECT_EQ(w.lblTip.Caption(), c.hint);
        }));
        EXPECT_TRUE(test_support::openScheme<frmJet>(
            req, 0, [&](frmJet& w, frmVentParam&) { EXPECT_EQ(w.lblTip.Caption(), c.hint); }));
    }
}

// The office changes a model (or a circuit) after the project used it: each window that keeps the design it
// stored under that name keeps it and says which of its values the catalogue now holds otherwise.
TEST(CatalogueChangeHint, AReopenedWindowNamesTheStoredValuesTheCatalogueNowHoldsOtherwise) {
    frmReq& req = test_support::savedTemplate();
    test_stage::onModal<frmJetDb>([](frmJetDb& e) {
        e.lstJet.userItemClick(4); // 1120型射流风机, 33.79 m³/s, 42 kW
        test_support::TypeInto{{e.txtFlow, "29.5"}, {e.txtPower, "37"}};
        e.cmdUpdate.userClick();
        e.cmdOK.userClick();
    });
    req.mnuToolsmnuJetDB.userClick();
    std::string jet, sj, msj, step3;
    test_support::openScheme<frmJet>(req, 0, [&](frmJet& w, frmVentParam&) {
        EXPECT_EQ(w.txtFlow.Text() + " " + w.txtPower.Text(), "33.79 42");
        jet = w.lblTip.Caption();
    });
    test_support::openScheme<frmShaftAndJet>(
        req, 3, [&](frmShaftAndJet& w, frmVentParam&) { sj = w.lblTip.Caption(); });
    test_support::openScheme<frmMultiShaftAndJet>(req, 4, [&](frmMultiShaftAndJet& w, frmVentParam&) {
        EXPECT_EQ(w.txtFlow.Text() + " " + w.txtPower.Text(), "33.79 42");
        msj = w.lblTip.Caption();
        w.cmdAxialFanDesign.userClick(); // the shafts again: the jet fans stay at their stored power
        EXPECT_EQ(w.txtTotalPower.Text(), "760.02");
    });
    test_support::onLightingStep3(
        req, [&](frmLighting& s) { step3 = s.txtResult.Text(); },
        [](frmDefineLamp& d) {
            d.lstLamp.userItemClick(1); // 回路A, 150 W
            d.txtPower.userType("120");
            d.cmdUpdateSection.userClick();
        });
    const std::string kept = "，本方案仍为按原数据计算的结果，采用新数据须重新选择型号并计算。";
    const std::pair<std::string, std::string> rows[] = {
        {jet,
         "射流风机数据库中1120型射流风机的风机流量已由33.79变为29.5m^3/s，风机功率已由42变为37kW" + kept},
        {sj, "射流风机数据库中1120型射流风机的风机功率已由42变为37kW" + kept},
        {msj,
         "射流风机数据库中1120型射流风机的风机流量已由33.79变为29.5m^3/s，风机功率已由42变为37kW" + kept},
        // Step 2 holds the circuits by name; the case keeps the power of those it switches on.
        {step3,
         "第2步灯具回路中回路A的功率已由150变为120W，本工况仍为原功率，采用新数据须重新选择回路并更新。"}};
    for (const auto& [shown, hint] : rows) {
        EXPECT_TRUE(shown.ends_with(hint)) << shown; // after what else the line says on opening
    }
}

} // namespace

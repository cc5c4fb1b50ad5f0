// SPDX-License-Identifier: GPL-3.0-or-later
// A new tunnel, not the template, walked from 新建 as a new user walks it (the fixture in
// tests/support/reopened_tunnel.h makes, saves, closes and reopens it): each window then gives a result the
// engineer can sign, or says why not.
#include "tests/support/reopened_tunnel.h"

#include "fire/frmFire.h"
#include "jetfan/frmJet.h"
#include "lighting/frmBrightness.h"
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "shaft/frmShaftEject.h"
#include "tests/support/list_rows.h"
#include "tests/support/scheme_step.h"
#include "tools/frmAxialFanDesign.h"
#include "tools/frmConstructionVent.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/loss_coefficients.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using test_support::Row;
using test_support::rowsOf;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

class NewTunnelWalk : public test_support::ReopenedNewTunnel {};

std::vector<std::string> linesOf(const std::string& path) {
    return textfile::ReadLines(path).value_or(std::vector<std::string>{});
}

bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(NewTunnelWalk, ReopensAsDesigned) {
    frmReq& w = req();
    EXPECT_EQ(w.txtProjectName.Text(), "新隧道");
    EXPECT_EQ(rowsOf(w.lstSegment, 7),
              (std::vector<Row>{{"1", "10000", "12100", "1.2", "65", "8.387", "80"},
                                {"2", "12100", "14200", "-0.8", "65", "8.387", "80"}}));
    EXPECT_EQ(rowsOf(w.lstTraffic, 2), (std::vector<Row>{{"2030", "16500"}, {"2045", "28000"}}));
    EXPECT_EQ(modPublic::StartPile, 10000);
    EXPECT_EQ(modPublic::EndPile, 14200);
    w.pgMain.userClick(1);
    EXPECT_EQ(w.txtRHO.Text(), "1.01");
    // The pages compute on the reopened project what they computed before it was saved.
    for (int page : {2, 3, 4, 5, 6, 7}) {
        w.pgMain.userClick(page);
    }
    ASSERT_TRUE(vb::StrictNumber(demands[0]).has_value()) << demands[0];
    EXPECT_EQ(w.txtQQ_req_CO.Text(), demands[0]);
    EXPECT_EQ(w.txtQQ_req_VI.Text(), demands[1]);
    EXPECT_EQ(w.txtQQ_req_CO_block.Text(), demands[2]);
}

TEST_F(NewTunnelWalk, Page6SaysTheTemplateBlocksDoNotFitAndKeepsThem) {
    frmReq& w = req();
    test_support::expectPage6Warning(w, test_support::kTemplateBlocksPast4200m);
    const std::vector<Row> blocks = rowsOf(w.lstBlock, 2);
    EXPECT_EQ(blocks, (std::vector<Row>{{"4235", "40"}, {"1000", "10"}}));
}

TEST_F(NewTunnelWalk, AnAltitudeThatIsNoNumberIsMarkedWithTheValueUsed) {
    // "9OO" is read as 9 m: the site pressure becomes that of 9 m until the text is a number again.
    frmReq& w = req();
    w.pgMain.userClick(1);
    const std::string pressure = w.txtP.Text();
    EXPECT_EQ(w.txtElevation.NumberMark(), "");
    w.txtElevation.userType("9OO");
    EXPECT_EQ(w.txtElevation.NumberMark(), "不是数，按 9 计算");
    const std::string at9 = w.txtP.Text();
    w.txtElevation.userType("9");
    EXPECT_EQ(w.txtElevation.NumberMark(), "");
    EXPECT_EQ(w.txtP.Text(), at9);
    w.txtElevation.userType("900");
    EXPECT_EQ(w.txtElevation.NumberMark(), "");
    EXPECT_EQ(w.txtP.Text(), pressure);
    EXPECT_NE(at9, pressure);
}

TEST_F(NewTunnelWalk, ConstructionTemplateGivesABlastFumeDemandOfHundreds) {
    // The shipped heading: 80 m², 150 kg a round, 30 min, b 40 L/kg, Φ 0.8, k 0.5, p 1.429: a critical
    // length of 229.550 m and Q1 = 2.25 × (150 × (80 × 229.55)² × 0.8 × 40 / 1.429²)^0.3333 / 30 =
    // 693.482 m³/min, where b in m³/kg gave 0.694.
    test_stage::onModal<frmConstructionVent>([](frmConstructionVent& w) {
        w.optType(0).userClick();
        w.lstMethod1.userClick(0);
        w.cmdCal.userClick();
        EXPECT_EQ(w.txtb(0).Text(), "40");
        EXPECT_EQ(w.txtL(0).Text(), "229.550");
        EXPECT_EQ(w.txtQ(0).Text(), "693.482");
        w.cmdReport.userClick();
        w.cmdClose.userClick();
    });
    req().mnuToolsmnuConstructionVent.userClick();
    ASSERT_EQ(platform::textviewer::log().size(), 1u);
    EXPECT_TRUE(hasLine(linesOf(platform::textviewer::log()[0]), "炸药爆炸时的有害气体产量b(L/kg):\t40"));
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(NewTunnelWalk, AxialFanBlankLambdaIsTheLambdaOfItsRoughness) {
    // A supply duct of the new tunnel: 40 m³/s at the site's 1.01 kg/m³ through 1000 m of 3.14 m² and
    // 6.28 m (D 2.000), wall roughness 1 mm. λ = 1 / (1.1138 − 2 log10(0.001 / 2))² = 0.0168, shown
    // 0.017; friction 0.017 × 1000 × 1.01 / 2 × (40 / 3.14)² / 2 = 696.58 Pa.
    const std::string lambda = vb::Format(*ventparam::RoughWallFrictionFactor(1, 2.0), "0.000");
    ASSERT_EQ(lambda, "0.017");
    std::vector<std::string> losses;
    for (const std::string& typed : {std::string(), lambda}) {
        test_stage::onModal<frmAxialFanDesign>([&](frmAxialFanDesign& w) {
            w.txtQ.userType("40");
            w.txtRHO.userType("1.01");
            w.txtv.userType("0");
            w.txtSectionPile.userType("1000");
            w.txtSectionArea.userType("3.14");
            w.txtSectionPerimeter.userType("6.28");
            w.txtSectionDelta.userType("1");
            w.txtlambdra.userType(typed);
            w.cmdAddSection.userClick();
            w.cmdCalculate.userClick();
            losses.push_back(w.txtp_d.Text());
            EXPECT_EQ(w.lstSection.ListItems(1).SubItems(6), typed);
            EXPECT_EQ(w.lblDuctNote.Caption(), "");
            w.cmdClose.userClick();
        });
        req().mnuToolsmnuFanPowerAnalysis.userClick();
    }
    EXPECT_EQ(losses, (std::vector<std::string>{"696.58", "696.58"}));
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(NewTunnelWalk, FireTableWithoutNaturalWindHasALinePerFirePoint) {
    const std::vector<std::string> points = {"10500", "12100", "13800"};
    test_stage::onModal<frmFire>([&](frmFire& w) {
        w.cmdCollect.userClick();
        // The template's fire points belong to the template tunnel.
        while (w.lstFireLoc.ListItems.Count() > 0) {
            w.cmdFireLocDelete.userClick();
        }
        for (const std::string& p : points) {
            w.txtFirePile.userType(p);
            w.cmdFireLocAdd.userClick();
        }
        ASSERT_EQ(w.chkNaturalWind.Value(), 0);
        w.cmdControlScheme.userClick();
        w.cmdClose.userClick();
    });
    req().mnuToolsmnuFire.userClick();
    const std::vector<std::string> lines = linesOf(base + "_火灾设备控制表.rpt");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], std::string(16, ' ') + "新隧道火灾设备控制表(不考虑洞内自然风)");
    const auto head = std::find(lines.begin(), lines.end(), "不考虑洞内自然风(洞口两端气压差)");
    ASSERT_NE(head, lines.end());
    const std::vector<std::string> table(head + 1, lines.end());
    ASSERT_EQ(table.size(), 3 * points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(points[i]);
        EXPECT_EQ(table[3 * i + 1], "火灾点：" + std::to_string(i + 1));
        EXPECT_EQ(table[3 * i + 2].rfind("洞内自然风风速(m/s):0.0    火灾点桩号:" + points[i] + ".", 0), 0u)
            << table[3 * i + 2];
    }
    EXPECT_TRUE(platform::msgbox::log().empty());
}

/// What lighting step 1 shows of its last calculation.
std::vector<Row> lightingShown(frmBrightness& w) {
    std::vector<Row> shown = {
        {w.txtNN.Text(), w.txtk.Text(), w.txtdDiscount.Text(), w.txtLL_20_S.Text(), w.txtDD_s.Text()}};
    for (const Row& zone : rowsOf(w.lstResult, 3)) {
        shown.push_back(zone);
    }
    return shown;
}

TEST_F(NewTunnelWalk, LightingStep1ReopensWithTheSameTrafficKAndLuminances) {
    // The far year's peak, 1500 veh/h, lifts k above the template's 0.025 it fell back to before.
    std::vector<Row> before;
    test_stage::onModal<frmBrightness>([&](frmBrightness& w) {
        w.txtNN.userType("1500");
        w.cmdCalculate.userClick();
        before = lightingShown(w);
        w.cmdOK.userClick();
    });
    req().mnuLighting.userClick();
    ASSERT_GE(before.size(), 2u);
    EXPECT_NE(before[0][1], "0.025");
    reopenProgram();
    for (bool calculate : {false, true}) {
        SCOPED_TRACE(calculate ? "计算 after reopening" : "as reopened");
        test_stage::onModal<frmBrightness>([&](frmBrightness& w) {
            if (calculate) {
                w.cmdCalculate.userClick();
            }
            EXPECT_EQ(lightingShown(w), before);
            w.cmdOK.userClick();
        });
        req().mnuLighting.userClick();
    }
}

TEST_F(NewTunnelWalk, JetFanHintNamesPlacedAndCountedFans) {
    EXPECT_TRUE(test_support::openScheme<frmJet>(req(), 0, [&](frmJet& w, frmVentParam&) {
        w.cmdCalculateJet.userClick();
        // 154.13 / 13.823 = 11.15: eleven fans would give 152.05 Pa, so twelve.
        EXPECT_EQ(w.txti.Text(), "12.0");
        EXPECT_EQ(w.lblTip.Caption(), "");
        // Two groups of two at each portal: 8 fans where the balance counts 12.
        w.MultiPage1.userClick(2);
        test_support::layJetGroups("2");
        w.cmdAutoLayout.userClick();
        EXPECT_EQ(rowsOf(w.lstJet, 3).size(), 4u);
        EXPECT_EQ(w.lblTip.Caption(), "自动布置的射流风机共8台，与所需射流风机台数12台不符！");
    }));
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(NewTunnelWalk, ShaftExhaustShowsNoNegativePower) {
    // The shaft at the grade change, K12+100, with the template's 250 Pa of shaft and duct loss. The bottom
    // under 94.90 Pa of suction: the fan gives (250 + 94.90) × 1.1 = 379.39 Pa, 37.94 kW for the shaft's
    // 100 m³/s, 47.42 kW at η 0.8. A 500 Pa meteorological push at the portal lifts the bottom to 405.10 Pa:
    // (250 − 405.10) × 1.1 = −170.61 Pa stays in view, with no power beside it and a word why.
    struct Case {
        const char *deltap_g1, *p_tot3, *p_tot, *AA_tot, *SS_tot;
        bool noDuty;
    };
    const Case cases[] = {
        {"0", "-94.90", "379.39", "37.94", "47.42", false},
        {"500", "405.10", "-170.61", "", "", true},
    };
    EXPECT_TRUE(test_support::openScheme<frmShaftEject>(req(), 2, [&](frmShaftEject& w, frmVentParam&) {
        w.txtShaftPile.userType("12100");
        EXPECT_EQ(w.txtdeltap_d.Text(), "250");
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string("Δpg1 ") + c.deltap_g1);
            w.txtdeltap_g1.userType(c.deltap_g1);
            w.cmdCalculateSectionQQ_req.userClick();
            w.cmdCalculatePtot3.userClick();
            EXPECT_EQ(w.txtp_tot3.Text(), c.p_tot3);
            EXPECT_EQ(w.txtQQ_r3.Text(), "100.00");
            EXPECT_EQ(w.txteta.Text(), "0.8");
            EXPECT_EQ(w.txtp_tot.Text(), c.p_tot);
            EXPECT_EQ(w.txtAA_tot.Text(), c.AA_tot);
            EXPECT_EQ(w.txtSS_tot.Text(), c.SS_tot);
            EXPECT_EQ(w.lblTip.Caption().find("排风机设计风压不大于0") != std::string::npos, c.noDuty)
                << w.lblTip.Caption();
        }
    }));
    EXPECT_TRUE(platform::msgbox::log().empty());
}

} // namespace

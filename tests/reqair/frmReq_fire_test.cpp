// SPDX-License-Identifier: GPL-3.0-or-later
// Air-change demand and fire smoke flow of page 7, driven through the main window.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/Forms.h"
#include "tests/support/list_rows.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using test_support::setRows;

// A tunnel from station 1000 to 2000: 60 m² (perimeter 32, diameter 7.5) up to 1500 and 80 m² (perimeter
// 36, diameter 8.889) up to 2000, level; ρ = 1.2 kg/m³, ambient 308 K. The plume inputs are the page's
// defaults: 50 MW on 45 m², perimeter 36 m, duct 5.4 m, layer 1.5 m, 5 % radiated.
class FireWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w.txtStartPile.setSilently("1000");
        modPublic::StartPile = 1000;
        setRows(w.lstSlope, {{"1500", "0"}, {"2000", "0"}});
        setRows(w.lstSection, {{"1500", "60", "32", "7.500"}, {"2000", "80", "36", "8.889"}});

        test_support::SetSilently{{w.txtExchangeNum, "4"}, {w.txtRHO, "1.2"},     {w.txtAT, "308"},
                                  {w.txtHRR, "50"},        {w.txtFireSize, "45"}, {w.txtPerimeter, "36"},
                                  {w.txtCH, "5.4"},        {w.txtDSL, "1.5"},     {w.txtPRL, "5"}};
        // The page's controls can be used only while it is shown. Arriving runs the default formula,
        // Wu-Bakar, which writes the diameter into the height box: the height is typed afterwards.
        w.pgMain.userClick(7);
        w.txtTunnelH.setSilently("5");
    }

    void byCriticalVelocity(int formula) {
        w.optQsMethod1(0).userClick();
        w.optCrMehthod(formula).userClick();
    }

    frmReq& w = platform::Forms::instance<frmReq>();
};

// ---- Air changes ----

TEST_F(FireWindow, AirChangeDemandOfTheCrossSections) {
    // V = (1500 − 1000)·60 + (2000 − 1500)·80 = 70 000 m³; 4 an hour: 70 000·4/3600 = 77.78 m³/s.
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtQQ_req_exchange.Text(), "77.78");

    w.lstSection.ListItems.Clear();
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtQQ_req_exchange.Text(), "0.00");
}

TEST_F(FireWindow, ArrivingOnPageSevenRecomputes) {
    w.pgMain.userClick(1);
    w.txtQQ_req_exchange.setSilently("");
    w.pgMain.userClick(7);
    EXPECT_EQ(w.txtQQ_req_exchange.Text(), "77.78");

    // The tab of the page already shown changes nothing; coming back recomputes (8 an hour: 155.56).
    w.txtExchangeNum.setSilently("8");
    w.pgMain.userClick(7);
    EXPECT_EQ(w.txtQQ_req_exchange.Text(), "77.78");
    w.pgMain.userClick(1);
    w.pgMain.userClick(7);
    EXPECT_EQ(w.txtQQ_req_exchange.Text(), "155.56");
}

// ---- Plume of a large fire ----

TEST_F(FireWindow, PlumeChainWorksWithTheTwoDecimalBoxes) {
    // HRR/area = 50/45 = 1.11; y = 1.95; M = √9.8·(3.9^1.5·1.8·1.2) = 52.079 → "52.08";
    // convective 0.95·50 = 47.50; rise 1e6·47.50/52.08/1020 = 894.17; smoke 894.17 + 308 = 1202.17 K;
    // density 1.2·273/1202.17 = 0.2725 → "0.27"; Qs = 52.08/0.27 = 192.89 (191.11 with the unrounded
    // density).
    w.optQsMethod1(1).userClick();
    w.cmdCalQQ_req_exchange.userClick();
    test_support::ExpectTexts{{w.txtHOR, "1.11"},
                              {w.txtMPRS, "52.08"},
                              {w.txtCHO, "47.50"},
                              {w.txtTSLA, "894.17"},
                              {w.txtST, "1202.17"}};
    EXPECT_EQ(w.lblAirDensity.Caption(), "1202.17K温度下空气密度(kg/m^3):");
    EXPECT_EQ(w.txtAD.Text(), "0.27");
    EXPECT_EQ(w.txtQs.Text(), "192.89");
    // The air changes are computed with the plume as well.
    EXPECT_EQ(w.txtQQ_req_exchange.Text(), "77.78");
}

TEST_F(FireWindow, PlumeStepsReadTheirBoxesBack) {
    // A smoke production typed over the box is recomputed before the later steps read it; a density box
    // typed over is recomputed too, so the run gives the same Qs as a fresh one.
    w.optQsMethod1(1).userClick();
    w.txtMPRS.setSilently("10");
    w.txtAD.setSilently("1");
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtMPRS.Text(), "52.08");
    EXPECT_EQ(w.txtQs.Text(), "192.89");
}

TEST_F(FireWindow, PlumeBelowTheSmokeLayerShowsNoSmokeAndKeepsFailedBoxes) {
    w.optQsMethod1(1).userClick();
    w.cmdCalQQ_req_exchange.userClick();
    ASSERT_EQ(w.txtTSLA.Text(), "894.17");

    // Duct 1.0 m under a 1.5 m layer: (2y)^1.5 of −0.5 fails, the smoke production shows 0; the rise
    // then divides by 0 and keeps "894.17", so the smoke temperature and density stand as before and
    // Qs = 0/0.27 = 0.
    w.txtCH.setSilently("1.0");
    w.cmdCalQQ_req_exchange.userClick();
    test_support::ExpectTexts{{w.txtMPRS, "0.00"},
                              {w.txtTSLA, "894.17"},
                              {w.txtST, "1202.17"},
                              {w.txtAD, "0.27"},
                              {w.txtQs, "0.00"}};
}

// ---- Critical velocity ----

TEST_F(FireWindow, OkaAtkinsonAtTheTunnelStart) {
    // 5 MW, H = 5: Q* = 5e6/(1.2·1010·308·√9.8·5^2.5) = 0.076538 < 0.124;
    // V* = 0.35·(0.076538/0.124)^0.3333 = 0.298008; Vc = V*·√49 = 2.086 → "2.09";
    // Qs = 2.086053·60 (the first section holds the start station) = 125.16.
    w.txtHRR.setSilently("5");
    byCriticalVelocity(1);
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtvcr.Text(), "2.09");
    EXPECT_EQ(w.txtQs.Text(), "125.16");
    EXPECT_EQ(w.txtTunnelH.Text(), "5");
}

TEST_F(FireWindow, FireStationBetweenTwoRowsTakesTheAreaThatCoversIt) {
    // As above at station 1700, in the 80 m² row: Qs = 2.086053·80 = 166.88. The station is not −1, so
    // it is looked up as given.
    w.txtHRR.setSilently("5");
    byCriticalVelocity(1);
    w.CalQQ_req_exchange(1700);
    EXPECT_EQ(w.txtQs.Text(), "166.88");
}

TEST_F(FireWindow, StartStationStandsInForMinusOne) {
    w.txtHRR.setSilently("5");
    double pile = -1;
    const double qs = w.GetCriticalVelocity(1, pile);
    EXPECT_EQ(pile, 1000);
    EXPECT_NEAR(qs, 125.1632, 1e-4);
}

TEST_F(FireWindow, WuBakarTakesTheDiameterWhichTheOtherFormulasThenUse) {
    // 20 MW; H = the diameter at the start, 7.5 m, shown "7.500". Q* = 20e6/(373296·√9.8·7.5^2.5) =
    // 0.111099 < 0.2: V* = 0.4·(0.111099/0.2)^0.3333 = 0.328823; Vc = V*·√73.5 = 2.819 → "2.82";
    // Qs = 2.819069·60 = 169.14.
    w.txtHRR.setSilently("20");
    byCriticalVelocity(2);
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtTunnelH.Text(), "7.500");
    EXPECT_EQ(w.txtvcr.Text(), "2.82");
    EXPECT_EQ(w.txtQs.Text(), "169.14");

    // Oka-Atkinson now reads H = 7.5 from the box: Q* = 0.111099 < 0.124,
    // V* = 0.35·(0.111099/0.124)^0.3333 = 0.337416, Vc = V*·√73.5 = 2.892741 → "2.89".
    byCriticalVelocity(1);
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtTunnelH.Text(), "7.500");
    EXPECT_EQ(w.txtvcr.Text(), "2.89");
}

TEST_F(FireWindow, KennedyOfALevelAndOfASlopedTunnel) {
    // Level: B = 50e6/(1.2·1010·60) = 687.569, C = 0.61³·9.8·5·B = 7647.19; root of
    // 308V³ + 687.569V² − C near 2.3322 → "2.33"; Qs = 2.332234·60 = 139.93.
    byCriticalVelocity(0);
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtvcr.Text(), "2.33");
    EXPECT_EQ(w.txtQs.Text(), "139.93");

    // A slope cell without a number counts as level.
    setRows(w.lstSlope, {{"2000", ""}});
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtQs.Text(), "139.93");

    // Steepest slope |−2| %: Kg = 1 + 0.0374·2^0.8 = 1.065117, C = 1.065117³·7647.19 = 9240.47; root
    // near 2.5141 → "2.51"; Qs = 2.514124·60 = 150.85.
    setRows(w.lstSlope, {{"1500", "-2"}, {"2000", "1"}});
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtvcr.Text(), "2.51");
    EXPECT_EQ(w.txtQs.Text(), "150.85");
}

TEST_F(FireWindow, KennedyWithoutARootEndsTheRun) {
    // A negative ambient temperature leaves f(V) < 0 over 0 … 100 m/s; the run ends with the last V of
    // the bounded halving, the top of the bracket.
    w.txtAT.setSilently("-308");
    byCriticalVelocity(0);
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtvcr.Text(), "100.00");
}

TEST_F(FireWindow, FormulaThatFailsShowsZero) {
    // H = 0: Q* divides by zero, so no critical velocity and no smoke flow.
    w.txtTunnelH.setSilently("0");
    byCriticalVelocity(1);
    w.txtvcr.setSilently("9.99");
    w.txtQs.setSilently("9.99");
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtvcr.Text(), "0.00");
    EXPECT_EQ(w.txtQs.Text(), "0.00");
}

TEST_F(FireWindow, NoFormulaChosenKeepsTheSmokeFlow) {
    w.optQsMethod1(0).userClick();
    for (int i = 0; i <= 2; ++i) {
        w.optCrMehthod(i).setSilently(false);
    }
    w.txtQs.setSilently("12.34");
    w.cmdCalQQ_req_exchange.userClick();
    EXPECT_EQ(w.txtQs.Text(), "12.34");
    EXPECT_EQ(w.txtQQ_req_exchange.Text(), "77.78");
}

} // namespace

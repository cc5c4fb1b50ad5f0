// SPDX-License-Identifier: GPL-3.0-or-later
// Congestion demand of page 6 and the required air of a stretch, driven through the main window.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "tests/support/list_rows.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"

#include <gtest/gtest.h>

#include <source_location>
#include <string>
#include <vector>

namespace {

using test_support::addRow;

// A level tunnel from station 1000 to 2000 (one slope row, one section of 60 m²) at standard air
// (p = p0, T = T0), fa = fh = 1, clean fresh air, qco = 0.01, qvi = 2.5, traffic 1000 (CO) and 200 (smoke)
// veh/h; congestion δ (300 ppm) and K (table) computed. Two blocks of 500 m at 20 and 30 km/h.
// Shipped tables at 0 %: 10 km/h fd 6, fiv(CO) 0.8, fiv(VI) 0.60; 20 km/h fd 3, 0.8, 0.60; 30 km/h fd 2,
// 0.8, 0.72; K 0.009 up to 40 km/h. At 10 km/h fiv(VI) is 0.85 at +2 %.
class CongestionWindow : public ::testing::Test {
protected:
    void SetUp() override {
        for (platform::ListView* list : {&w.lstSlope, &w.lstSection, &w.lstSegment, &w.lstBlock,
                                         &w.lstTraffic, &w.lstYear, &w.lstCalSegment}) {
            list->ListItems.Clear();
        }
        w.txtP.setSilently("101.325");
        w.txtTT.setSilently("273");
        w.txtCO_in_Air.setSilently("0");
        for (platform::TextBox* box : {&w.txtf_a, &w.txtf_a_VI, &w.txtf_h, &w.txtf_h_VI}) {
            box->setSilently("1.00");
        }
        test_support::SetSilently{{w.txtYear, "2020"},
                                  {w.txtDescYear, "2020"},
                                  {w.txtq_co, "0.01"},
                                  {w.txtq_VI, "2.5"},
                                  {w.txtDescRatio, "0"}};
        w.txtDescRatio_Change();
        w.chkDeltaBlock.setSilently(1);
        w.chkKKBlock.setSilently(1);
        w.lstLightModel.setListIndexSilently(0);
        w.nn_co = 1000;
        w.nn_vi = 200;
        w.optRightLine.setSilently(true);
        w.chkBlock.setSilently(1);
        w.txtBlockStartPile.setSilently("");
        w.txtBlockEndPile.setSilently("");
        w.txtStartPile.setSilently("1000");
        addRow(w.lstSlope, "2000", {"0"});
        addRow(w.lstSection, "2000", {"60", "30", "8"});
        addRow(w.lstBlock, "500", {"20"});
        addRow(w.lstBlock, "500", {"30"});
    }

    // The 3000 m tunnel of the search: 10000 to 13000, level but for +2 % from 11230 to 12230.
    void longTunnel() {
        w.lstBlock.ListItems.Clear();
        w.txtStartPile.setSilently("10000");
        test_support::setRows(w.lstSlope, {{"11230", "0"}, {"12230", "2"}, {"13000", "0"}});
        test_support::setRows(w.lstSection, {{"13000", "60", "30", "8"}});
    }

    /// Expects the 1 km window the page shows and the CO and smoke demands of it.
    void expectWindow(const char* start, const char* end, const char* co, const char* vi,
                      std::source_location where = std::source_location::current()) {
        test_support::ExpectTexts({{w.txtBlockStartPile, start},
                                   {w.txtBlockEndPile, end},
                                   {w.txtQQ_req_CO_1kmblock, co},
                                   {w.txtQQ_req_VI_1kmblock, vi}},
                                  where);
    }

    std::string cell(int row, int col) { return w.lstBlock.ListItems(row).SubItems(col); }

    frmReq& w = platform::Forms::instance<frmReq>();
};

} // namespace

// ---- Full-length congestion ----

TEST_F(CongestionWindow, BlockRowsAndTunnelTotalsOfAHandCheckedTunnel) {
    // Block 1, 1000–1500 at 20 km/h: Qco = 0.01 × 3 × 0.8 × 500 × 1000 / 3.6e6 = 0.0033333 → × 1e6 / 300 =
    //   11.1111; Qvi = 2.5 × 3 × 0.60 × 500 × 200 / 3.6e6 = 0.125 → / 0.009 = 13.8889.
    // Block 2, 1500–2000 at 30 km/h: Qco = 0.01 × 2 × 0.8 × 500e3 / 3.6e6 = 0.0022222 → 7.4074;
    //   Qvi = 2.5 × 2 × 0.72 × 500 × 200 / 3.6e6 = 0.1 → 11.1111.
    // Totals 18.5185 → "18.52", 25.0000 → "25.00".
    w.chkBlock.setSilently(0);
    w.cmdCalculateQQ_block_Click();

    EXPECT_EQ(cell(1, 2), "11.11");
    EXPECT_EQ(cell(1, 3), "13.89");
    EXPECT_EQ(cell(2, 2), "7.41");
    EXPECT_EQ(cell(2, 3), "11.11");
    EXPECT_EQ(w.txtQQ_req_CO_block.Text(), "18.52");
    EXPECT_EQ(w.txtQQ_req_VI_block.Text(), "25.00");
    EXPECT_EQ(w.BlockPiles.items, (std::vector<double>{1000, 1500, 2000}));
    // The members hold the last segment's demand.
    EXPECT_NEAR(w.QQ_req_CO, 7.407407, 1e-6);
    EXPECT_NEAR(w.QQ_req_VI, 11.111111, 1e-6);
}

TEST_F(CongestionWindow, SegmentsBeyondTheLastBlockCountInTheTotalsOnly) {
    // One block of 500 m at 20 km/h; 1500–2000 has no block, speed 0, so the tables clamp at 10 km/h:
    // Qco = 0.01 × 6 × 0.8 × 500e3 / 3.6e6 = 0.0066667 → 22.2222; Qvi = 2.5 × 6 × 0.6 × 1e5 / 3.6e6 =
    // 0.25 → 27.7778. Totals 11.1111 + 22.2222 = 33.33, 13.8889 + 27.7778 = 41.67.
    // A block length that is no number reads 0: that block gets no segment and keeps "0".
    w.lstBlock.ListItems(2).setText("abc");
    w.chkBlock.setSilently(0);
    w.cmdCalculateQQ_block_Click();

    EXPECT_EQ(cell(1, 2), "11.11");
    EXPECT_EQ(cell(2, 2), "0");
    EXPECT_EQ(cell(2, 3), "0");
    EXPECT_EQ(w.txtQQ_req_CO_block.Text(), "33.33");
    EXPECT_EQ(w.txtQQ_req_VI_block.Text(), "41.67");
}

// ---- The 1 km window ----

TEST_F(CongestionWindow, ATunnelOfOneKilometreIsItsOwnWindow) {
    // Window 1000–2000 at 10 km/h: Qco = 0.01 × 6 × 0.8 × 1000 × 1000 / 3.6e6 = 0.0133333 → 44.4444;
    // Qvi = 2.5 × 6 × 0.6 × 1000 × 200 / 3.6e6 = 0.5 → 55.5556.
    w.cmdCalculateQQ_block_Click();
    expectWindow("1000", "2000", "44.4", "55.6");
}

TEST_F(CongestionWindow, AShortTunnelGetsTheWindowFromItsStartNotZeroToZero) {
    // 600 m tunnel: the window 1000–2000 holds all of it: Qvi = 2.5 × 6 × 0.6 × 600 × 200 / 3.6e6 = 0.3
    // → 33.3333; Qco = 0.008 → 26.6667.
    w.lstSlope.ListItems(1).setText("1600");
    w.lstSection.ListItems(1).setText("1600");
    w.cmdCalculateQQ_block_Click();
    expectWindow("1000", "2000", "26.7", "33.3");
}

TEST_F(CongestionWindow, TheSearchFindsTheWindowOverTheSteepStretch) {
    // Smoke governs at 10 km/h (55.56 per km level against 44.44 CO). Over +2 % smoke is 78.70 per km,
    // so a window gains 0.023148 m³/s per metre of the steep stretch it holds: coarse windows gain 2.3 a
    // step up to 11200 and lose after; the fine search peaks where the window is the steep stretch, 11230.
    // Its demand: Qvi = 2.5 × 6 × 0.85 × 1000 × 200 / 3.6e6 = 0.708333 → 78.7037; CO 44.4444.
    longTunnel();
    w.cmdCalculateQQ_block_Click();
    expectWindow("11230", "12230", "44.4", "78.7");
}

TEST_F(CongestionWindow, EvenDemandKeepsTheWindowAtTheStart) {
    longTunnel();
    w.lstSlope.ListItems(2).setSubItems(1, "0");
    w.cmdCalculateQQ_block_Click();
    EXPECT_EQ(w.txtBlockStartPile.Text(), "10000");
    EXPECT_EQ(w.txtBlockEndPile.Text(), "11000");
    EXPECT_EQ(w.txtQQ_req_VI_1kmblock.Text(), "55.6");
}

TEST_F(CongestionWindow, ATypedWindowIsUsedAsItStands) {
    w.chkBlock.setSilently(0);
    w.txtBlockStartPile.setSilently("1500");
    w.txtBlockEndPile.setSilently("2500");
    // Half the tunnel lies in the window: 22.2222 and 27.7778.
    w.cmdCalculateQQ_block_Click();
    expectWindow("1500", "2500", "22.2", "27.8");

    // Outside the tunnel, or start above end: nothing.
    w.txtBlockStartPile.setSilently("5000");
    w.txtBlockEndPile.setSilently("6000");
    w.cmdCalculateQQ_block_Click();
    EXPECT_EQ(w.txtQQ_req_CO_1kmblock.Text(), "0.0");
    EXPECT_EQ(w.txtQQ_req_VI_1kmblock.Text(), "0.0");
    w.txtBlockStartPile.setSilently("2000");
    w.txtBlockEndPile.setSilently("1000");
    w.cmdCalculateQQ_block_Click();
    EXPECT_EQ(w.txtBlockStartPile.Text(), "2000");
    EXPECT_EQ(w.txtQQ_req_CO_1kmblock.Text(), "0.0");
    EXPECT_EQ(w.txtQQ_req_VI_1kmblock.Text(), "0.0");
}

TEST_F(CongestionWindow, Page6IsRecomputedByTheDispatcher) {
    // The page opens only over a segment table.
    addRow(w.lstSegment, "1", {"1000", "2000", "0", "60", "8", "80"});
    w.pgMain.userClick(6);
    EXPECT_EQ(w.txtQQ_req_CO_block.Text(), "18.52");
    EXPECT_EQ(w.txtQQ_req_VI_1kmblock.Text(), "55.6");
}

// ---- Required air of a stretch ----

TEST_F(CongestionWindow, OneKmStretchIsOrderedAndCutToTheWindowInTheCallersVariables) {
    // Window 1200–2200, stretch 2500 → 1500: the caller's stations become 1500 and 2200 and the demand
    // of 1500–2000 (the tunnel part) is added: CO 0.0066667 → 22.2222, VI 0.25 → 27.7778. CO over the
    // whole tunnel at 10 km/h (44.44) is below smoke (55.56): the smoke figure returns, caller's 1 included.
    w.txtBlockStartPile.setSilently("1200");
    w.txtBlockEndPile.setSilently("2200");
    double dsp = 2500;
    double dep = 1500;
    double co = 0;
    double vi = 1;
    const double q = w.GetSectionQreq(dsp, dep, 4, &co, &vi);
    EXPECT_EQ(dsp, 1500);
    EXPECT_EQ(dep, 2200);
    EXPECT_NEAR(co, 22.222222, 1e-6);
    EXPECT_NEAR(vi, 28.777778, 1e-6);
    EXPECT_NEAR(q, 28.777778, 1e-6);

    // Called again with the same sums, they double (plus the caller's initial value).
    w.GetSectionQreq(dsp, dep, 4, &co, &vi);
    EXPECT_NEAR(co, 44.444444, 1e-6);

    // A stretch that only touches the window returns 0 at once and leaves the sums alone.
    double a = 2200;
    double b = 2600;
    EXPECT_EQ(w.GetSectionQreq(a, b, 4, &co, &vi), 0);
    EXPECT_NEAR(co, 44.444444, 1e-6);
    // Stations passed as values are not written back; 1200–2000 lies in both: smoke 0.8 × 55.5556.
    const double from = 1000;
    EXPECT_NEAR(w.GetSectionQreq(from, 3000.0, 4), 44.444444, 1e-6);
    EXPECT_EQ(from, 1000);
}

TEST_F(CongestionWindow, ACaseOutsideOneToFourAddsNothingAndReturnsTheCallersSum) {
    double co = 2.5;
    double vi = 7;
    EXPECT_EQ(w.GetSectionQreq(1000.0, 2000.0, 0, &co, &vi), 2.5);
    EXPECT_EQ(co, 2.5);
    EXPECT_EQ(vi, 7);
}

TEST_F(CongestionWindow, FullLengthStretchAndAirChanges) {
    // Case 3, stretch 1000–1500 (block 1): 11.1111 CO, 13.8889 smoke; smoke governs (25.00 > 18.52).
    double co = 0;
    double vi = 0;
    EXPECT_NEAR(w.GetSectionQreq(1500.0, 1000.0, 3, &co, &vi), 13.888889, 1e-6);
    EXPECT_NEAR(co, 11.111111, 1e-6);
    // A stretch reaching beyond the tunnel counts its part inside: 1500–2000 is block 2.
    EXPECT_NEAR(w.GetSectionQreq(1500.0, 9000.0, 3), 11.111111, 1e-6);
    // Air changes of 1200–1800: 600 m × 60 m² × 5 / 3600 = 50 m³/s.
    w.txtExchangeNum.setSilently("5");
    EXPECT_NEAR(w.GetExchangeSectionQreq(1800, 1200), 50, 1e-9);
}

TEST_F(CongestionWindow, HeldListsAreReadAgainAfterAnEditAndWhenTheHoldEnds) {
    double s = reqair::kTunnelEnd;
    double e = reqair::kTunnelEnd;
    {
        const frmReq::HoldLists hold(w);
        EXPECT_EQ(w.GetAA_r(1500), 60);
        w.lstSection.select(1);
        w.txtSectionPile.set("2000");
        w.txtSectionArea.set("80");
        w.txtSectionPerimeter.set("32");
        w.cmdUpdateSection_Click();
        EXPECT_EQ(w.GetAA_r(1500), 80);
        w.BuildSegments({}, 1, s, e, 0, false);
        EXPECT_EQ(w.CalSegments.items.front().Area, 80);
    }
    w.lstSection.ListItems(1).setSubItems(1, "90");
    EXPECT_EQ(w.GetAA_r(1500), 90);
    w.BuildSegments({}, 1, s, e, 0, false);
    EXPECT_EQ(w.CalSegments.items.front().Area, 90);
}

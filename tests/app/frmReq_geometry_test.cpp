// SPDX-License-Identifier: GPL-3.0-or-later
// Page 2 (slope and cross-section lists, the segment table) and the congestion-block list of page 6,
// driven as a user drives them.
#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/modPublic.h"

#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "tests/support/list_rows.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/shown_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using test_support::Row;
using test_support::rowOf;
using test_support::rowsOf;

class GeometryWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // Whatever the template project put into the lists, each test starts from empty lists.
        test_support::clearRows({w.lstSlope, w.lstSection, w.lstSegment, w.lstBlock});
        onPage(1);
        w.optRightLine.userClick();
        w.cmbvt.userType("80");
        onPage(2);
    }

    void onPage(int page) { w.pgMain.userClick(page); }

    // Pages 4 to 6 tell the user once that the segment table is still empty.
    void onBlockPage() {
        if (w.lstSegment.ListItems.Count() == 0) {
            platform::msgbox::script(platform::vbOK);
        }
        onPage(6);
    }

    void addSlope(const std::string& pile, const std::string& slope) {
        w.txtSlopePile.userType(pile);
        w.txtSlopeRatio.userType(slope);
        w.cmdAddSlope.userClick();
    }

    void addSection(const std::string& pile, const std::string& area, const std::string& perimeter) {
        w.txtSectionPile.userType(pile);
        w.txtSectionArea.userType(area);
        w.txtSectionPerimeter.userType(perimeter);
        w.cmdAddSection.userClick();
    }

    void addBlock(const std::string& length, const std::string& speed) {
        w.txtBlockLen.userType(length);
        w.txtBlockVt.userType(speed);
        w.cmdAddBlock.userClick();
    }

    std::vector<Row> segments() { return rowsOf(w.lstSegment, 7); }

    frmReq& w = platform::Forms::instance<frmReq>();
};

// ---- Segment table ----

TEST_F(GeometryWindow, SlopeRowsOutOfOrderAreSearchedInListOrder) {
    // Start 0, slope rows 500 (2 %), 300 (-1 %), 1000 (0.5 %) in that order; breaks 0, 300, 500, 1000.
    // Midpoint 150 and 400 lie in 0 < m < 500 (first row); 750 misses row 1 (p := 500), misses row 2
    // (500 < 750 < 300 false, p := 300), hits row 3 (300 < 750 < 1000). Row 2 serves no segment.
    w.txtStartPile.userType("0");
    addSlope("500", "2");
    addSlope("300", "-1");
    addSlope("1000", "0.5");
    w.cmdRefreshSegment.userClick();

    EXPECT_EQ(segments(), (std::vector<Row>{{"1", "0", "300", "2", "0", "0", "80"},
                                            {"2", "300", "500", "2", "0", "0", "80"},
                                            {"3", "500", "1000", "0.5", "0", "0", "80"}}));
}

TEST_F(GeometryWindow, SegmentTableOfSlopesAndSectionsOnBothLines) {
    // Start 1000; slopes 1250 (-2.5 %), 1800 (1.8 %); sections 1250 (68.35 m², 32 m → 4·68.35/32 = 8.54375
    // → "8.544"), 1800 (60, 30 → "8.000"), 2000 (50, 28 → 7.142857 → "7.143"). Shared stations merge:
    // breaks 1000, 1250, 1800, 2000. Segment 1800-2000 lies beyond the last slope row: slope 0.
    w.txtStartPile.userType("1000");
    addSlope("1250", "-2.5");
    addSlope("1800", "1.8");
    addSection("1250", "68.35", "32");
    addSection("1800", "60", "30");
    addSection("2000", "50", "28");
    ASSERT_EQ(rowsOf(w.lstSection, 4), (std::vector<Row>{{"1250", "68.35", "32", "8.544"},
                                                         {"1800", "60", "30", "8.000"},
                                                         {"2000", "50", "28", "7.143"}}));
    onPage(1);
    w.cmbvt.userType("60");
    onPage(2);
    w.cmdRefreshSegment.userClick();
    const std::vector<Row> right = segments();
    EXPECT_EQ(right, (std::vector<Row>{{"1", "1000", "1250", "-2.5", "68.35", "8.544", "60"},
                                       {"2", "1250", "1800", "1.8", "60", "8", "60"},
                                       {"3", "1800", "2000", "0", "50", "7.143", "60"}}));

    // Left line: every slope turns sign, stations, areas and diameters stay; rebuilding renumbers from 1.
    onPage(1);
    w.optLeftLine.userClick();
    onPage(2);
    w.cmdRefreshSegment.userClick();
    const std::vector<Row> left = segments();
    ASSERT_EQ(left.size(), right.size());
    for (std::size_t i = 0; i < left.size(); ++i) {
        EXPECT_EQ(vb::Val(left[i][3]), -vb::Val(right[i][3])) << "segment " << i + 1;
        for (int c : {0, 1, 2, 4, 5, 6}) {
            EXPECT_EQ(left[i][c], right[i][c]) << "segment " << i + 1 << " column " << c;
        }
    }
    EXPECT_EQ(left[0][3], "2.5");
    EXPECT_EQ(left[1][3], "-1.8");
    EXPECT_EQ(left[2][3], "0");
}

TEST_F(GeometryWindow, RebuildIsStableAndMergesOnlyEqualStations) {
    // Start 0; slope row 100.5, section row 100 and 0 (equal to the start): breaks 0, 100, 100.5.
    w.txtStartPile.userType("0");
    addSlope("100.5", "3");
    addSection("100", "70", "35");
    addSection("0", "70", "35");
    w.cmdRefreshSegment.userClick();
    const std::vector<Row> first = segments();
    // Segment 0-100 takes the section row at 100 (its "8.000" reads back as 8); 100-100.5 finds no
    // section row (the row at 0 ends no stretch after 100): area 0, diameter 0.
    EXPECT_EQ(first, (std::vector<Row>{{"1", "0", "100", "3", "70", "8", "80"},
                                       {"2", "100", "100.5", "3", "0", "0", "80"}}));
    w.cmdRefreshSegment.userClick();
    EXPECT_EQ(segments(), first);

    // A lone start station gives no segment, and the old rows go.
    w.lstSlope.ListItems.Clear();
    w.lstSection.ListItems.Clear();
    w.cmdRefreshSegment.userClick();
    EXPECT_EQ(w.lstSegment.ListItems.Count(), 0);
}

TEST_F(GeometryWindow, TextWithoutANumberCountsAsZeroInTheRebuild) {
    w.txtStartPile.userType("起点");
    addSlope("abc", "x");
    addSlope("200", "坡");
    addSection("200", "", "");
    onPage(1);
    w.cmbvt.userType("快");
    onPage(2);
    w.cmdRefreshSegment.userClick();
    EXPECT_EQ(segments(), (std::vector<Row>{{"1", "0", "200", "0", "0", "0", "0"}}));
}

// ---- Equivalent diameter box ----

TEST_F(GeometryWindow, DiameterFollowsAreaAndPerimeter) {
    w.txtSectionArea.userType("60");
    w.txtSectionPerimeter.userType("30");
    EXPECT_EQ(w.txtSectionD.Text(), "8.000");
    w.txtSectionArea.userType("0");
    EXPECT_EQ(w.txtSectionD.Text(), "0.000");
    w.txtSectionArea.userType("abc");
    EXPECT_EQ(w.txtSectionD.Text(), "0.000");
    w.txtSectionArea.userType("1e400"); // beyond a Double: reads as 0
    EXPECT_EQ(w.txtSectionD.Text(), "0.000");
}

TEST_F(GeometryWindow, NoPerimeterClearsTheDiameterSoNoRowTakesAStaleOne) {
    addSection("500", "60", "30");
    ASSERT_EQ(w.txtSectionD.Text(), "8.000");
    for (const std::string perimeter : {"0", "", "周长", "1e-320"}) {
        w.txtSectionPerimeter.userType("30");
        w.txtSectionPile.userType("900");
        w.txtSectionPerimeter.userType(perimeter);
        EXPECT_EQ(w.txtSectionD.Text(), "") << "perimeter '" << perimeter << "'";
        w.cmdAddSection.userClick();
        EXPECT_EQ(rowOf(w.lstSection, w.lstSection.ListItems.Count(), 4), (Row{"900", "60", perimeter, ""}));
    }
    EXPECT_EQ(w.lstSection.ListItems.Count(), 5);
}

TEST_F(GeometryWindow, ClickingASectionRowKeepsItsStoredDiameter) {
    addSection("500", "60", "30");
    // A diameter taken from the drawing rather than 4A/U = 8.000, as a project file brings it back.
    w.lstSection.ListItems(1).setSubItems(3, "7.9");
    addSection("800", "50", "0");
    ASSERT_EQ(rowsOf(w.lstSection, 4),
              (std::vector<Row>{{"500", "60", "30", "7.9"}, {"800", "50", "0", ""}}));

    w.lstSection.userItemClick(2);
    test_support::ExpectTexts{{w.txtSectionPile, "800"},
                              {w.txtSectionArea, "50"},
                              {w.txtSectionPerimeter, "0"},
                              {w.txtSectionD, ""}};
    w.lstSection.userItemClick(1);
    test_support::ExpectTexts{{w.txtSectionPile, "500"},
                              {w.txtSectionArea, "60"},
                              {w.txtSectionPerimeter, "30"},
                              {w.txtSectionD, "7.9"}};
}

// ---- Editing the station lists ----

TEST_F(GeometryWindow, SlopeRowsAreAddedUpdatedAndDeletedInPlace) {
    addSlope("800", "1.5");
    addSlope("300", "-0.8"); // not sorted
    addSlope("1200", "x");   // not validated
    EXPECT_EQ(rowsOf(w.lstSlope, 2), (std::vector<Row>{{"800", "1.5"}, {"300", "-0.8"}, {"1200", "x"}}));
    EXPECT_EQ(w.lstSlope.SelectedIndex(), 1); // adding selects nothing new

    w.lstSlope.userItemClick(2);
    EXPECT_EQ(w.txtSlopePile.Text(), "300");
    EXPECT_EQ(w.txtSlopeRatio.Text(), "-0.8");
    w.txtSlopePile.userType("350");
    w.txtSlopeRatio.userType("-0.6");
    w.cmdUpdateSlope.userClick();
    EXPECT_EQ(rowsOf(w.lstSlope, 2), (std::vector<Row>{{"800", "1.5"}, {"350", "-0.6"}, {"1200", "x"}}));

    w.cmdDeleteSlope.userClick();
    EXPECT_EQ(rowsOf(w.lstSlope, 2), (std::vector<Row>{{"800", "1.5"}, {"1200", "x"}}));
    EXPECT_EQ(w.lstSlope.SelectedIndex(), 2); // the row that moved up
    w.cmdDeleteSlope.userClick();
    EXPECT_EQ(w.lstSlope.SelectedIndex(), 1); // the last row
    w.cmdDeleteSlope.userClick();
    EXPECT_EQ(w.lstSlope.ListItems.Count(), 0);

    // No row to work on: nothing changes, nothing breaks.
    w.cmdDeleteSlope.userClick();
    w.cmdUpdateSlope.userClick();
    w.cmdDeleteSection.userClick();
    w.cmdUpdateSection.userClick();
    EXPECT_EQ(w.lstSlope.ListItems.Count(), 0);
    EXPECT_EQ(w.lstSection.ListItems.Count(), 0);
}

TEST_F(GeometryWindow, SectionRowsAreDeletedAndUpdatedInPlace) {
    addSection("100", "60", "30");
    addSection("200", "64", "32");
    addSection("300", "70", "35");
    w.lstSection.userItemClick(2);
    w.cmdDeleteSection.userClick();
    EXPECT_EQ(rowsOf(w.lstSection, 4),
              (std::vector<Row>{{"100", "60", "30", "8.000"}, {"300", "70", "35", "8.000"}}));
    EXPECT_EQ(w.lstSection.SelectedIndex(), 2);

    // Update rewrites all four cells in place: 4·64/30 = 8.5333 → "8.533".
    w.lstSection.userItemClick(1);
    w.txtSectionArea.userType("64");
    w.cmdUpdateSection.userClick();
    EXPECT_EQ(rowsOf(w.lstSection, 4),
              (std::vector<Row>{{"100", "64", "30", "8.533"}, {"300", "70", "35", "8.000"}}));
}

// ---- Congestion blocks ----

TEST_F(GeometryWindow, BlockRowsKeepTheirDemandUntilTheDemandRunsAgain) {
    w.txtStartPile.userType("1000");
    onBlockPage();
    addBlock("500", "20");
    addBlock("300", "35"); // a speed outside the drop-down list is accepted
    EXPECT_EQ(rowsOf(w.lstBlock, 4), (std::vector<Row>{{"500", "20", "", ""}, {"300", "35", "", ""}}));

    // Blocks lie end to end from the start station: 1000-1500 and 1500-1800.
    auto piles = [&] {
        std::vector<std::string> lengths;
        for (int i = 1; i <= w.lstBlock.ListItems.Count(); ++i) {
            lengths.push_back(w.lstBlock.ListItems(i).Text());
        }
        return app::congestion_block_piles(w.txtStartPile.Text(), lengths);
    };
    EXPECT_EQ(piles(), (std::vector<double>{1000, 1500, 1800}));

    // As if the congestion demand had run.
    w.lstBlock.ListItems(2).setSubItems(2, "41.27");
    w.lstBlock.ListItems(2).setSubItems(3, "38.90");
    w.lstBlock.userItemClick(2);
    test_support::ExpectTexts{{w.txtBlockLen, "300"},
                              {w.txtBlockVt, "35"},
                              {w.txtQQreq_CO_block, "41.27"},
                              {w.txtQQreq_VI_block, "38.90"}};

    w.txtBlockLen.userType("400");
    w.txtBlockVt.userSelect(7); // "20"
    w.cmdUpdateBlock.userClick();
    EXPECT_EQ(rowOf(w.lstBlock, 2, 4), (Row{"400", "20", "41.27", "38.90"}));

    // Deleting the first block moves the second one to the start station.
    w.lstBlock.userItemClick(1);
    EXPECT_EQ(w.txtQQreq_CO_block.Text(), "");
    w.cmdDeleteBlock.userClick();
    EXPECT_EQ(rowsOf(w.lstBlock, 4), (std::vector<Row>{{"400", "20", "41.27", "38.90"}}));
    EXPECT_EQ(piles(), (std::vector<double>{1000, 1400}));

    w.cmdDeleteBlock.userClick();
    w.cmdDeleteBlock.userClick();
    w.cmdUpdateBlock.userClick();
    EXPECT_EQ(w.lstBlock.ListItems.Count(), 0);
}

} // namespace

// ---- Stations no tunnel has ----

TEST_F(GeometryWindow, ATunnelLongerThanAnyRoadTunnelIsNamedInRedOnPage2) {
    w.txtStartPile.userType("10000");
    const struct {
        const char* lastPile;
        std::string shown;
    } cases[] = {{"15235", ""},
                 {"110000", ""}, // 100 km exactly
                 {"110000.5", "隧道长度 100000.5 m, 超过 100 km, 请检查桩号是否输错"},
                 {"15235000", "隧道长度 15225000 m, 超过 100 km, 请检查桩号是否输错"}};
    for (const auto& c : cases) {
        test_support::clearRows({w.lstSlope});
        addSlope(c.lastPile, "1");
        EXPECT_EQ(w.lblTunnelLength.Visible(), !c.shown.empty()) << c.lastPile;
        EXPECT_EQ(w.lblTunnelLength.Caption(), c.shown) << c.lastPile;
    }
    // Typing the start station again takes the line away as soon as the length is a tunnel's.
    w.txtStartPile.userType("15230000");
    EXPECT_FALSE(w.lblTunnelLength.Visible());
}

TEST_F(GeometryWindow, AStationBeyondWhatATunnelReachesIsMarkedAndNeverComputedFrom) {
    addSlope("15235", "1");
    // The block's stations are the engineer's to type only while the program does not compute them.
    w.chkBlock.set(0);
    for (platform::TextBox* box : {&w.txtStartPile, &w.txtSlopePile, &w.txtSectionPile, &w.txtBlockLen,
                                   &w.txtBlockStartPile, &w.txtBlockEndPile}) {
        for (const auto& [text, mark] :
             {std::pair{"1e308", "桩号超出范围"}, std::pair{"-1e18", "桩号超出范围"},
              std::pair{"100000000", ""}, std::pair{"10000", ""}}) {
            box->set(text);
            EXPECT_EQ(box->NumberMark(), mark) << text;
        }
    }
    // A start station of 1e308 gives no length, and none gives an end station that is not a number.
    for (const char* start : {"1e308", "1e18", "1e400"}) {
        w.txtStartPile.userType(start);
        w.RefreshData(true);
        EXPECT_EQ(w.GetTunnelLength(), std::string(start) == "1e400" ? 15235 - vb::Val(start) : 0) << start;
        EXPECT_TRUE(std::isfinite(modPublic::EndPile)) << start;
    }
}

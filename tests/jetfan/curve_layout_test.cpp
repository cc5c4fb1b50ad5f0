// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/curve_layout.h"

#include "tests/support/small_pressure_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace jetfan;

namespace {

std::vector<std::string> texts(const ChartLayout& layout) {
    std::vector<std::string> out;
    for (const ChartItem& item : layout.items) {
        if (item.kind == ChartItem::Kind::Text) {
            out.push_back(item.text);
        }
    }
    return out;
}

const ChartItem* findText(const ChartLayout& layout, const std::string& text) {
    for (const ChartItem& item : layout.items) {
        if (item.kind == ChartItem::Kind::Text && item.text == text) {
            return &item;
        }
    }
    return nullptr;
}

int count(const ChartLayout& layout, ChartItem::Kind kind, int color) {
    int n = 0;
    for (const ChartItem& item : layout.items) {
        n += item.kind == kind && item.color == color ? 1 : 0;
    }
    return n;
}

// A curve whose values are `values` at stations 0, 100, 200, ...
CurvePointArray curve(std::initializer_list<double> values) {
    CurvePointArray points;
    double station = 0;
    for (double v : values) {
        points.push_back({station, v, 0});
        station += 100;
    }
    return points;
}

} // namespace

TEST(CurveLookup, PressureInterpolatesAndTakesTheLowerSideOfAJump) {
    // (0, -100), (500, -150), (500, 50), (1000, 0): at 250 -100 - 50 * 250/500 = -125; at 750
    // 50 - 50 * 250/500 = 25; at the jump 500 the first pair gives -150, the last 50: -150.
    const CurvePointArray up = {{0, -100, 0}, {500, -150, 0}, {500, 50, 0}, {1000, 0, 0}};
    EXPECT_DOUBLE_EQ(PressureAt(up, 250), -125);
    EXPECT_DOUBLE_EQ(PressureAt(up, 500), -150);
    EXPECT_DOUBLE_EQ(PressureAt(up, 750), 25);
    EXPECT_DOUBLE_EQ(PressureAt(up, 0), -100);
    EXPECT_DOUBLE_EQ(PressureAt(up, 1000), 0);
    EXPECT_EQ(PressureAt(up, 1200), kNoPressure);
    EXPECT_EQ(PressureAt(up, -1), kNoPressure);

    // The same points by descending station give the same answers.
    const CurvePointArray down = {up[3], up[2], up[1], up[0]};
    for (double station : {250.0, 500.0, 750.0, 0.0, 1000.0, 1200.0, -1.0}) {
        EXPECT_DOUBLE_EQ(PressureAt(down, station), PressureAt(up, station)) << station;
    }
}

TEST(CurveLookup, PressureOutsideAnyPairIsTheMarker) {
    EXPECT_EQ(PressureAt({}, 0), kNoPressure);
    EXPECT_EQ(PressureAt({{100, -20, 0}}, 100), kNoPressure);
    // A jump on the first pair gives no value of its own: (0, -50) (0, 20) (1000, 0) at 0 gives 20.
    EXPECT_DOUBLE_EQ(PressureAt({{0, -50, 0}, {0, 20, 0}, {1000, 0, 0}}, 0), 20);
    // Only a jump: nothing brackets with a value.
    EXPECT_EQ(PressureAt({{300, -50, 0}, {300, 20, 0}}, 300), kNoPressure);
}

TEST(CurveLookup, MaximumOfNegativeValuesIsTheLeastNegative) {
    EXPECT_EQ(MaxValue(curve({-30, -5, -12})), -5);
    EXPECT_EQ(MaxValue({}), kNoMaximum);
}

TEST(CurveText, WholeDivisionRoundsBothOperandsAndTruncates) {
    EXPECT_EQ(WholeDiv(2230, 100), 22);
    EXPECT_EQ(WholeDiv(2.5, 1), 2); // 2.5 rounds to 2
    EXPECT_EQ(WholeDiv(3.5, 1), 4);
    EXPECT_EQ(WholeDiv(6.6, 1), 7);
    EXPECT_EQ(WholeDiv(299.5, 50), 6);  // 300 \ 50
    EXPECT_EQ(WholeDiv(-150, 100), -1); // towards zero
    EXPECT_EQ(WholeDiv(7, 0.4), std::nullopt);
    EXPECT_EQ(WholeDiv(std::nan(""), 1), std::nullopt);
    EXPECT_EQ(WholeDiv(1e10, 1), std::nullopt);
}

TEST(CurveText, StationTicksAndPointLabels) {
    EXPECT_EQ(StationTickLabel(3000, 100), "K3");
    EXPECT_EQ(StationTickLabel(0, 100), "K0");
    EXPECT_EQ(StationTickLabel(1300, 100), "3");
    EXPECT_EQ(StationTickLabel(3400, 100), "4");

    EXPECT_EQ(PointLabel(1234.5678, -56.789, "0.00"), "K1+234.568:-56.79");
    EXPECT_EQ(PointLabel(2000, 12, "0.00"), "K2+0.000:12.00");
    EXPECT_EQ(PointLabel(2400, 0.5, "0.000"), "K2+400.000:0.500");
    // Within half a metre below a whole kilometre the label stays in its kilometre.
    EXPECT_EQ(PointLabel(1999.7, 10, "0.00"), "K1+999.700:10.00");
    EXPECT_EQ(PointLabel(1999.9996, 10, "0.00"), "K2+0.000:10.00");
    EXPECT_EQ(PointLabel(std::nan(""), 10, "0.00"), "");
    EXPECT_EQ(PointLabel(100, std::numeric_limits<double>::infinity(), "0.00"), "");
}

TEST(ChartLayout, SmallPressureChartItemByItem) {
    // Points (0, 10), (100, 60), origin (0, 0), S = 5, D = 50, A = T = 20, P = 100:
    // station axis -10..200 (0 + 100 - 0 + 100), arrowhead to 180 +- 20 tan 30deg = +-11.547;
    // one station tick (100 \ 100 = 1) at 100 labelled "1" at -10 - 20; value axis to 1.1 * 5 * 60 = 330,
    // title at
    // (-40, 350); one value tick (60 \ 50 = 1) at 250 labelled "50" at -50; curve from (0, 50) to
    // (100, 300), labelled at (120, 300).
    const ChartLayout layout = LayoutChart(curve({10, 60}), 0, 0, PressureChart(5, 50));
    const std::vector<ChartItem> expected = test_support::smallPressureChart();
    ASSERT_EQ(layout.items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ChartItem& a = layout.items[i];
        const ChartItem& e = expected[i];
        EXPECT_EQ(a.kind, e.kind) << i;
        EXPECT_NEAR(a.x1, e.x1, 1e-9) << i;
        EXPECT_NEAR(a.y1, e.y1, 1e-9) << i;
        EXPECT_NEAR(a.x2, e.x2, 1e-9) << i;
        EXPECT_NEAR(a.y2, e.y2, 1e-9) << i;
        EXPECT_EQ(a.text, e.text) << i;
        EXPECT_EQ(a.color, e.color) << i;
    }
    EXPECT_DOUBLE_EQ(layout.titleY, 350);
}

TEST(ChartLayout, PressureChartOfATunnelFrom1250To3480) {
    // Maximum 300 Pa: J = 2230 \ 100 = 22 ticks at stations 1300..3400 (x = 50..2150); value axis to
    // 1.1 * 5 * 300 = 1650; K = 300 \ 50 = 6 ticks at 250..1500; title at (-40, 1670).
    const CurvePointArray points = {{1250, -20, 0}, {2000, 300, 0}, {2000, 250, 0}, {3480, 100, 0}};
    const ChartLayout layout = LayoutChart(points, 0, 0, PressureChart(5, 50));
    const std::vector<std::string> all = texts(layout);
    const std::vector<std::string> stationLabels(all.begin() + 1, all.begin() + 23);
    EXPECT_EQ(stationLabels,
              (std::vector<std::string>{"3", "4", "5", "6", "7", "8", "9",  "K2", "1", "2", "3",
                                        "4", "5", "6", "7", "8", "9", "K3", "1",  "2", "3", "4"}));
    EXPECT_DOUBLE_EQ(layout.items[0].x2, 2330);
    EXPECT_DOUBLE_EQ(layout.items[4].x1, 50);            // first station tick
    EXPECT_DOUBLE_EQ(layout.items[4 + 2 * 21].x1, 2150); // last station tick
    const ChartItem* title = findText(layout, "压力(Pa)");
    ASSERT_NE(title, nullptr);
    EXPECT_DOUBLE_EQ(title->x1, -40);
    EXPECT_DOUBLE_EQ(title->y1, 1670);
    EXPECT_DOUBLE_EQ(layout.titleY, 1670);
    ASSERT_NE(findText(layout, "300"), nullptr);
    EXPECT_DOUBLE_EQ(findText(layout, "50")->y1, 250);
    EXPECT_DOUBLE_EQ(findText(layout, "300")->y1, 1500);
    EXPECT_EQ(findText(layout, "350"), nullptr);
    // Three curve segments and their labels, the jump drawn as a vertical segment.
    EXPECT_EQ(count(layout, ChartItem::Kind::Line, 2), 3);
    EXPECT_EQ(count(layout, ChartItem::Kind::Text, 2), 3);
    EXPECT_NE(findText(layout, "K2+0.000:250.00"), nullptr);
    EXPECT_NE(findText(layout, "K3+480.000:100.00"), nullptr);
}

TEST(ChartLayout, ValueTicksOfAirSpeedAndConcentration) {
    // 6.6 m/s: 6.6 \ 1 = 7 ticks, axis to 1.1 * 100 * 6.6 = 726, the last tick at 700 below it.
    const ChartLayout speed = LayoutChart(curve({5, 6.6}), 0, 1770, VelocityChart(100));
    EXPECT_NE(findText(speed, "7"), nullptr);
    EXPECT_EQ(findText(speed, "8"), nullptr);
    EXPECT_DOUBLE_EQ(findText(speed, "7")->y1, 1770 + 700);
    EXPECT_DOUBLE_EQ(findText(speed, "速度(m/s)")->y1, 1770 + 726 + 20);
    // 0.4 m/s rounds to 0: no value tick.
    const ChartLayout slow = LayoutChart(curve({0.4, 0.2}), 0, 0, VelocityChart(100));
    EXPECT_EQ(count(slow, ChartItem::Kind::Line, 1), 7); // two axes with their arrowheads, one station tick

    // Concentration 0 to 1: round(1 / 0.1) = 10 ticks labelled 0.1 .. 1, axis to 1100.
    const ChartLayout c = LayoutChart(curve({0, 1}), 0, 100, ConcentrationChart(1000));
    for (const char* label : {"0.1", "0.3", "0.7", "1"}) {
        EXPECT_NE(findText(c, label), nullptr) << label;
    }
    EXPECT_NEAR(findText(c, "0.3")->y1, 100 + 300, 1e-9);
    EXPECT_DOUBLE_EQ(findText(c, "浓度C(%)")->y1, 100 + 1100 + 20);
    EXPECT_NE(findText(c, "K0+100.000:1.000"), nullptr);
    // 0.95 / 0.1 is 9.4999... in binary: 9 ticks.
    const ChartLayout c95 = LayoutChart({{0, 0, 0}, {50, 0.95, 0}}, 0, 0, ConcentrationChart(1000));
    EXPECT_NE(findText(c95, "0.9"), nullptr);
    EXPECT_EQ(findText(c95, "1"), nullptr);
}

TEST(ChartLayout, OnePointNoPointsAndNonFiniteValues) {
    // One point: axes, arrowheads, titles and value ticks (100 \ 50 = 2), no curve segment, no label.
    const ChartLayout one = LayoutChart({{500, 100, 0}}, 0, 0, PressureChart(5, 50));
    EXPECT_EQ(count(one, ChartItem::Kind::Line, 1), 8);
    EXPECT_EQ(count(one, ChartItem::Kind::Text, 1), 4);
    EXPECT_EQ(count(one, ChartItem::Kind::Line, 2) + count(one, ChartItem::Kind::Text, 2), 0);

    const ChartLayout none = LayoutChart({}, 0, 300, PressureChart(5, 50));
    EXPECT_TRUE(none.items.empty());
    EXPECT_EQ(none.titleY, 300);

    // A negative maximum draws the value axis downwards without ticks; its title stands above the origin,
    // clear of the axis.
    const ChartLayout negative = LayoutChart(curve({-100, -40}), 0, 0, PressureChart(5, 50));
    EXPECT_DOUBLE_EQ(negative.titleY, 20);
    EXPECT_EQ(findText(negative, "50"), nullptr);

    // A value that is not a number: the segments to and from it and its label are left out.
    const ChartLayout broken = LayoutChart(curve({0, std::nan(""), 10, 20}), 0, 0, PressureChart(5, 50));
    EXPECT_EQ(count(broken, ChartItem::Kind::Line, 2), 1);
    EXPECT_EQ(count(broken, ChartItem::Kind::Text, 2), 2);
}

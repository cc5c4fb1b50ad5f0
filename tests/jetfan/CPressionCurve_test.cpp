// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/CPressionCurve.h"

#include "platform/Cad.h"
#include "platform/MsgBox.h"
#include "tests/support/drawn_texts.h"
#include "tests/support/ezdxf_reader.h"
#include "tests/support/small_pressure_chart.h"
#include "tests/support/test_stage.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace cad = platform::cad;
using Type = cad::Entity::Type;

namespace {

const std::vector<cad::Entity>& drawn() {
    static const std::vector<cad::Entity> none;
    cad::Application* app = cad::Application::Attach();
    return app != nullptr ? app->activeDocument().modelSpace().entities() : none;
}

const cad::Entity* findText(const std::string& text) {
    for (const cad::Entity& e : drawn()) {
        if (e.type == Type::Text && e.text == text) {
            return &e;
        }
    }
    return nullptr;
}

// A small build: pressure (0, 10) (100, 60), air speed 2 m/s, concentration 0 to 1.
CPressionCurve smallCurve() {
    CPressionCurve curve;
    curve.SetPressPointArray({{0, 10, 0}, {100, 60, 0}});
    curve.SetVPointArray({{0, 2, 0}, {100, 2, 0}});
    curve.SetCPointArray({{0, 0, 0}, {100, 1, 0}});
    return curve;
}

} // namespace

TEST(CPressionCurve, NothingChosenTouchesNoDrawing) {
    CPressionCurve curve = smallCurve();
    curve.bIsCanDraw = true;
    curve.Draw(false, false, false);
    EXPECT_EQ(cad::drawingWindow(), nullptr);
    EXPECT_TRUE(curve.bIsCanDraw);
}

TEST(CPressionCurve, NoDrawingProgramIsReported) {
    cad::setUnavailable(true);
    platform::msgbox::script(platform::vbOK);
    CPressionCurve curve = smallCurve();
    curve.bIsCanDraw = true;
    curve.Draw();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt,
              "创建AutoCAD文档失败，请手动打开AutoCAD软件，并新建文档后，再试！");
    EXPECT_EQ(platform::msgbox::log()[0].title, "创建AutoCAD文档出错");
    EXPECT_EQ(platform::msgbox::log()[0].buttons, platform::vbOKOnly);
    EXPECT_FALSE(curve.bIsCanDraw);
    cad::setUnavailable(false);
    EXPECT_TRUE(drawn().empty());
}

TEST(CPressionCurve, SmallCurveGivesTheExactEntities) {
    CPressionCurve curve = smallCurve();
    curve.Draw();
    EXPECT_TRUE(curve.bIsCanDraw);
    const auto& e = drawn();
    // Pressure chart (hand-worked in the layout test): 14 entities; the air-speed chart starts 100 above
    // the pressure title (350): Oy = 450, its axis to 450 + 1.1 * 100 * 2 = 670, title at 690; the
    // concentration chart at 790, its axis to 790 + 1100.
    const std::vector<jetfan::ChartItem> pressure = test_support::smallPressureChart();
    ASSERT_GT(e.size(), pressure.size());
    for (std::size_t i = 0; i < pressure.size(); ++i) {
        const jetfan::ChartItem& x = pressure[i];
        const Type type = x.kind == jetfan::ChartItem::Kind::Line ? Type::Line : Type::Text;
        EXPECT_EQ(e[i].type, type) << i;
        EXPECT_NEAR(e[i].a.x, x.x1, 1e-9) << i;
        EXPECT_NEAR(e[i].a.y, x.y1, 1e-9) << i;
        EXPECT_EQ(e[i].a.z, 0) << i;
        if (type == Type::Line) {
            EXPECT_NEAR(e[i].b.x, x.x2, 1e-9) << i;
            EXPECT_NEAR(e[i].b.y, x.y2, 1e-9) << i;
        } else {
            EXPECT_EQ(e[i].text, x.text) << i;
            EXPECT_EQ(e[i].height, 20) << i;
        }
        EXPECT_EQ(e[i].color, x.color) << i;
        EXPECT_EQ(e[i].layer, "0") << i;
    }
    // Air-speed chart: station axis at 450, ticks 1 and 2 at 550 and 650, the flat curve at 650.
    EXPECT_EQ(e[pressure.size()].a.y, 450);
    ASSERT_NE(findText("速度(m/s)"), nullptr);
    EXPECT_DOUBLE_EQ(findText("速度(m/s)")->a.y, 690);
    EXPECT_DOUBLE_EQ(findText("2")->a.y, 650);
    EXPECT_NE(findText("K0+100.000:2.00"), nullptr);
    ASSERT_NE(findText("浓度C(%)"), nullptr);
    EXPECT_DOUBLE_EQ(findText("浓度C(%)")->a.y, 790 + 1100 + 20);
    EXPECT_EQ(findText("浓度C(%)")->color, 1);
    EXPECT_NE(findText("K0+100.000:1.000"), nullptr);
    EXPECT_EQ(findText("K0+100.000:1.000")->color, 2);

    // Per chart: lines 9 + 10 + 18 (axes with arrowheads 6, station tick 1, value ticks 1 / 2 / 10, one
    // segment); texts 5 + 6 + 14 (titles 2, station tick label 1, value tick labels, point label 1).
    int lines = 0;
    int textCount = 0;
    for (const cad::Entity& x : e) {
        lines += x.type == Type::Line ? 1 : 0;
        textCount += x.type == Type::Text ? 1 : 0;
    }
    EXPECT_EQ(lines, 9 + 10 + 18);
    EXPECT_EQ(textCount, 5 + 6 + 14);
    EXPECT_EQ(e.size(), 62u);
}

TEST(CPressionCurve, ChartsDrawnAloneStartAbove100) {
    CPressionCurve curve = smallCurve();
    curve.Draw(false, true, false);
    ASSERT_FALSE(drawn().empty());
    EXPECT_EQ(drawn()[0].a.y, 100); // station axis of the air-speed chart
    EXPECT_EQ(findText("压力(Pa)"), nullptr);
    EXPECT_EQ(findText("浓度C(%)"), nullptr);
}

TEST(CPressionCurve, ACurveNeverSetIsLeftOutAndTheNextChartStaysInPlace) {
    CPressionCurve curve;
    curve.SetPressPointArray({{0, 10, 0}, {100, 60, 0}});
    curve.SetCPointArray({{0, 0, 0}, {100, 1, 0}});
    curve.Draw();
    EXPECT_EQ(findText("速度(m/s)"), nullptr);
    // Concentration 100 above the pressure title (350): axis to 450 + 1100, title 20 above.
    ASSERT_NE(findText("浓度C(%)"), nullptr);
    EXPECT_DOUBLE_EQ(findText("浓度C(%)")->a.y, 450 + 1100 + 20);
}

// No chart reaches into another whatever the sign of the values: every pressure negative, as in a
// tunnel whose fans only just lift the exit to the open air, and a speed whose top tick label stands above
// its axis title. The charts share their stations, so their heights must be apart.
TEST(CPressionCurve, ChartsNeverOverlapWhateverTheSignOfTheValues) {
    CPressionCurve curve;
    curve.SetPressPointArray(
        {{10000, -471, 0}, {11200, -802.5, 0}, {11200, -760.2, 0}, {13400, -1123, 0}, {15235, -640.8, 0}});
    curve.SetVPointArray({{10000, 2.51, 0}, {15235, 2.51, 0}});
    curve.SetCPointArray({{10000, 0, 0}, {15235, 1, 0}});
    curve.Draw();
    // Each chart starts with its station axis, from x −10 past the last station; a text stands its height
    // above its point.
    std::vector<std::pair<double, double>> heights;
    for (const cad::Entity& e : drawn()) {
        if (e.type == Type::Line && e.a.x == -10 && e.b.x > 5235) {
            heights.emplace_back(1e300, -1e300);
        }
        ASSERT_FALSE(heights.empty());
        const bool line = e.type == Type::Line;
        heights.back().first = std::min({heights.back().first, e.a.y, line ? e.b.y : e.a.y});
        heights.back().second = std::max({heights.back().second, e.a.y, line ? e.b.y : e.a.y + e.height});
    }
    ASSERT_EQ(heights.size(), 3u);
    for (std::size_t i = 0; i + 1 < heights.size(); ++i) {
        EXPECT_LT(heights[i].second, heights[i + 1].first) << i;
    }
}

TEST(CPressionCurve, PressureLookupReadsTheLastArraySet) {
    CPressionCurve curve;
    curve.SetPressPointArray({{0, -100, 0}, {500, -150, 0}});
    curve.SetPressPointArray({{0, -100, 0}, {500, -150, 0}, {500, 50, 0}, {1000, 0, 0}});
    EXPECT_DOUBLE_EQ(curve.GetPressureValue(500), -150);
    EXPECT_DOUBLE_EQ(curve.GetPressureValue(750), 25);
    EXPECT_EQ(curve.GetPressureValue(1200), 10000000);
    // The plotter keeps its own copy.
    jetfan::CurvePointArray points = {{0, 0, 0}, {100, 100, 0}};
    curve.SetPressPointArray(points);
    points[1].value = -100;
    EXPECT_DOUBLE_EQ(curve.GetPressureValue(50), 50);
}

namespace {

// A jet-fan tunnel from K1+250 to K3+480: two fan groups, a local loss, the speed changing at K2+400.
CPressionCurve sampleCurve() {
    CPressionCurve curve;
    curve.SetPressPointArray({{1250, -28.4, 0},
                              {1600, -41.2, 0},
                              {1600, 18.8, 0},
                              {2100, 0.6, 0},
                              {2100, 60.6, 0},
                              {2400, 49.7, 0},
                              {2400, 41.3, 0},
                              {3480, 0, 0}});
    curve.SetVPointArray({{1250, 6.12, 0}, {2400, 6.12, 0}, {2400, 5.48, 0}, {3480, 5.48, 0}});
    curve.SetCPointArray({{1250, 0, 0}, {3480, 1, 0}});
    return curve;
}

} // namespace

// No text of the charts stands on one of their lines, whatever the sign of the values: a title on its
// axis, a point label on a fan group's jump or on the station axis, a tick label on its tick or under the
// curve.
TEST(CPressionCurve, NoTextStandsOnALineOfTheCharts) {
    const jetfan::CurvePointArray pressures[] = {
        {{10000, -471, 0}, {11200, -802.5, 0}, {11200, -760.2, 0}, {13400, -1123, 0}, {15235, -640.8, 0}},
        {{1250, -20, 0}, {2000, 300, 0}, {2000, 250, 0}, {3480, 100, 0}},
        {{10000, -3, 0}, {10150, -4, 0}, {10150, 36, 0}, {10300, 33, 0}, {10300, 73, 0}, {12000, 0.4, 0}},
    };
    for (const jetfan::CurvePointArray& points : pressures) {
        CPressionCurve curve = sampleCurve();
        curve.SetPressPointArray(points);
        const std::size_t before = drawn().size();
        curve.Draw();
        EXPECT_EQ(test_support::textsOnLines(drawn(), before), std::vector<std::string>{})
            << points.front().value;
    }
}

TEST(CPressionCurve, DrawingIsReadBackFromItsDxf) {
    const auto python = ezdxf_reader::python();
    if (!python) {
        GTEST_SKIP() << "python3 with ezdxf is not installed";
    }
    CPressionCurve curve = sampleCurve();
    curve.Draw();
    std::map<std::string, int> counts;
    for (const cad::Entity& e : drawn()) {
        ++counts[e.type == Type::Line ? "LINE" : "TEXT"];
    }
    const std::string path = (std::filesystem::path(test_stage::appFolder()) / "curve.dxf").string();
    ASSERT_TRUE(cad::WriteDxf(drawn(), path));

    const std::string script = R"(
import sys, ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
print(len(msp.query('LINE')), len(msp.query('TEXT')))
for t in msp.query('TEXT'):
    text = decode_dxf_unicode(t.dxf.text)
    if not text.isascii() or text.startswith('K1+600'):
        print(text, t.dxf.color, '%g' % t.dxf.height)
)";
    std::string error;
    const auto out = ezdxf_reader::run(*python, script, path, &error);
    ASSERT_TRUE(out.has_value()) << error;
    EXPECT_EQ(*out, std::to_string(counts["LINE"]) + " " + std::to_string(counts["TEXT"]) + "\n" +
                        "桩号(m) 1 20\n"
                        "压力(Pa) 1 20\n"
                        "K1+600.000:-41.20 2 20\n"
                        "K1+600.000:18.80 2 20\n"
                        "桩号(m) 1 20\n"
                        "速度(m/s) 1 20\n"
                        "桩号(m) 1 20\n"
                        "浓度C(%) 1 20\n");
}

// Set ARIDANE_GRAB_DIR to a folder to get a picture of the drawing window with a sample curve.
TEST(CPressionCurve, SampleCurveInTheDrawingWindow) {
    CPressionCurve curve = sampleCurve();
    curve.Draw();
    QWidget* window = cad::drawingWindow();
    ASSERT_NE(window, nullptr);
    const char* dir = std::getenv("ARIDANE_GRAB_DIR");
    if (dir == nullptr || *dir == '\0') {
        return;
    }
    window->resize(1400, 900);
    cad::zoomExtents();
    const QPixmap picture = window->grab();
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(
        picture.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("pressure_curve.png"))));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cad.h"

#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "tests/support/ezdxf_reader.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"

#include <QAction>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

namespace cad = platform::cad;
using Type = cad::Entity::Type;

namespace {

cad::ModelSpace& attachedModelSpace() {
    cad::Application* app = cad::Application::Attach();
    EXPECT_NE(app, nullptr);
    return app->activeDocument().modelSpace();
}

/// The drawing window at 1000 x 700 with its view, its drawing fitted.
QGraphicsView* fittedView() {
    QWidget* window = cad::drawingWindow();
    window->resize(1000, 700);
    // A hidden window is laid out when it is shown or its picture is taken; the test stage shows none.
    window->grab();
    QCoreApplication::processEvents();
    cad::zoomExtents();
    return window->findChild<QGraphicsView*>();
}

/// The drawing point under a pixel of the view.
QPointF drawingAt(const QGraphicsView& view, QPointF pixel) {
    return view.viewportTransform().inverted().map(pixel);
}

/// Where a drawing point shows in the view [px].
QPointF pixelOf(const QGraphicsView& view, QPointF point) {
    return view.viewportTransform().map(point);
}

void wheel(QGraphicsView& view, QPointF at, int delta) {
    QWheelEvent event(at, view.viewport()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &event);
}

void drag(QGraphicsView& view, QPointF from, QPointF to) {
    QWidget* port = view.viewport();
    QMouseEvent press(QEvent::MouseButtonPress, from, port->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(port, &press);
    const QPointF half = (from + to) / 2;
    QMouseEvent move1(QEvent::MouseMove, half, port->mapToGlobal(half), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(port, &move1);
    QMouseEvent move2(QEvent::MouseMove, to, port->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(port, &move2);
    QMouseEvent release(QEvent::MouseButtonRelease, to, port->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(port, &release);
}

/// True when every item lies inside what the view shows.
bool showsEverything(const QGraphicsView& view) {
    const QRectF seen = QRectF(drawingAt(view, QPointF(0, 0)),
                               drawingAt(view, QPointF(view.viewport()->width(), view.viewport()->height())))
                            .normalized();
    for (const QGraphicsItem* item : view.scene()->items()) {
        // A horizontal line's box has no height, which QRectF never counts as contained.
        const QRectF box = item->sceneBoundingRect();
        if (!seen.contains(box.topLeft()) || !seen.contains(box.bottomRight())) {
            return false;
        }
    }
    return true;
}

/// The height of a text on screen [px].
double screenHeight(const QGraphicsView& view, const QGraphicsItem& text) {
    const QRectF box = text.sceneBoundingRect();
    return std::abs(pixelOf(view, box.topLeft()).y() - pixelOf(view, box.bottomLeft()).y());
}

std::string inAppFolder(const std::string& name) {
    return (std::filesystem::path(test_stage::appFolder()) / name).string();
}

} // namespace

TEST(Cad, ModelSpaceKeepsEveryEntityWithItsProperties) {
    cad::ModelSpace& ms = attachedModelSpace();
    ms.AddLine({0, 0, 0}, {100, 50, 0}).setColor(1);
    ms.AddText("压力(Pa)", {-40, 1670, 0}, 20).setColor(2);
    ms.AddCircle({5, 6, 0}, 10);
    ms.AddPoint({7, 8, 0}).setLayer("GRID");

    const auto& e = ms.entities();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].type, Type::Line);
    EXPECT_EQ(e[0].b.x, 100);
    EXPECT_EQ(e[0].b.y, 50);
    EXPECT_EQ(e[0].color, 1);
    EXPECT_EQ(e[0].layer, "0");
    EXPECT_EQ(e[1].type, Type::Text);
    EXPECT_EQ(e[1].text, "压力(Pa)");
    EXPECT_EQ(e[1].height, 20);
    EXPECT_EQ(e[1].a.y, 1670);
    EXPECT_EQ(e[1].color, 2);
    EXPECT_EQ(e[2].type, Type::Circle);
    EXPECT_EQ(e[2].radius, 10);
    EXPECT_EQ(e[2].color, cad::ByLayer);
    EXPECT_EQ(e[3].type, Type::Point);
    EXPECT_EQ(e[3].layer, "GRID");
}

TEST(Cad, RefusesWhatNoDrawingCanHold) {
    cad::ModelSpace& ms = attachedModelSpace();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(ms.AddLine({0, 0, 0}, {inf, 0, 0}).valid());
    EXPECT_FALSE(ms.AddText("x", {nan, 0, 0}, 20).valid());
    EXPECT_FALSE(ms.AddText("x", {0, 0, 0}, 0).valid());
    EXPECT_FALSE(ms.AddCircle({0, 0, 0}, -1).valid());
    // A refused entity's properties are set on nothing.
    ms.AddPoint({0, nan, 0}).setColor(1);
    EXPECT_TRUE(ms.entities().empty());

    // A colour index outside 0..256 and a layer name a DXF table cannot hold leave the entity as it was.
    ms.AddLine({0, 0, 0}, {1, 1, 0}).setColor(3).setColor(257).setColor(-1).setLayer("层 1").setLayer("");
    ASSERT_EQ(ms.entities().size(), 1u);
    EXPECT_EQ(ms.entities()[0].color, 3);
    EXPECT_EQ(ms.entities()[0].layer, "0");
}

TEST(Cad, AttachReusesTheDrawingAndShowsNothingUnderTheTestStage) {
    cad::Application* first = cad::Application::Attach();
    ASSERT_NE(first, nullptr);
    first->setVisible(true);
    first->activeDocument().modelSpace().AddLine({0, 0, 0}, {1, 0, 0});
    ASSERT_NE(cad::drawingWindow(), nullptr);
    EXPECT_FALSE(cad::drawingWindow()->isVisible());

    // Charts drawn later are added to what the drawing already holds.
    cad::Application* second = cad::Application::Attach();
    EXPECT_EQ(second, first);
    second->activeDocument().modelSpace().AddLine({0, 0, 0}, {0, 1, 0});
    EXPECT_EQ(second->activeDocument().modelSpace().entities().size(), 2u);

    cad::setUnavailable(true);
    EXPECT_EQ(cad::Application::Attach(), nullptr);
}

TEST(Cad, DxfTextKeepsAsciiAndEscapesEverythingElse) {
    EXPECT_EQ(cad::DxfText("K1+234.568:-56.79"), "K1+234.568:-56.79");
    // 压 U+538B, 力 U+529B.
    EXPECT_EQ(cad::DxfText("压力(Pa)"), "\\U+538B\\U+529B(Pa)");
    // ° U+00B0 (two bytes), 𝑥 U+1D465 as its UTF-16 halves D835 DC65.
    EXPECT_EQ(cad::DxfText("5°"), "5\\U+00B0");
    EXPECT_EQ(cad::DxfText("\xF0\x9D\x91\xA5"), "\\U+D835\\U+DC65");
    // A line end inside a text would end the DXF value: it becomes a blank.
    EXPECT_EQ(cad::DxfText("a\r\nb\tc"), "a  b c");
    // Bytes that are not UTF-8 (a GBK text, a cut sequence) become the replacement character.
    EXPECT_EQ(cad::DxfText("\xC4\xE3"), "\\U+FFFD\\U+FFFD");
    EXPECT_EQ(cad::DxfText("x\xE5\x8E"), "x\\U+FFFD\\U+FFFD");
    EXPECT_EQ(cad::DxfText(""), "");
}

TEST(Cad, DxfIsReadBackByAnIndependentReader) {
    const auto python = ezdxf_reader::python();
    if (!python) {
        GTEST_SKIP() << "python3 with ezdxf is not installed";
    }
    cad::ModelSpace& ms = attachedModelSpace();
    ms.AddLine({-10, 0, 0}, {2330, 0, 0}).setColor(1);
    ms.AddLine({0, 0, 0}, {50.5, -625.25, 0}).setColor(2);
    ms.AddText("桩号(m)", {2350, -10, 0}, 20).setColor(1);
    ms.AddText("K1+234.568:-56.79", {70, -625.25, 0}, 20).setColor(2);
    ms.AddCircle({100, 200, 0}, 10);
    ms.AddPoint({300, 400, 0});
    const std::string path = inAppFolder("曲线.dxf");
    ASSERT_TRUE(cad::WriteDxf(ms.entities(), path));

    const std::string script = R"(
import sys, ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    t = e.dxftype()
    if t == 'LINE':
        print('LINE', e.dxf.color, e.dxf.layer, '%g %g %g %g' % (e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y))
    elif t == 'TEXT':
        print('TEXT', e.dxf.color, e.dxf.layer, '%g %g %g' % (e.dxf.insert.x, e.dxf.insert.y, e.dxf.height), decode_dxf_unicode(e.dxf.text))
    elif t == 'CIRCLE':
        print('CIRCLE', e.dxf.color, e.dxf.layer, '%g %g %g' % (e.dxf.center.x, e.dxf.center.y, e.dxf.radius))
    else:
        print(t, e.dxf.color, e.dxf.layer, '%g %g' % (e.dxf.location.x, e.dxf.location.y))
)";
    std::string error;
    const auto out = ezdxf_reader::run(*python, script, path, &error);
    ASSERT_TRUE(out.has_value()) << error;
    EXPECT_EQ(*out, "LINE 1 0 -10 0 2330 0\n"
                    "LINE 2 0 0 0 50.5 -625.25\n"
                    "TEXT 1 0 2350 -10 20 桩号(m)\n"
                    "TEXT 2 0 70 -625.25 20 K1+234.568:-56.79\n"
                    "CIRCLE 256 0 100 200 10\n"
                    "POINT 256 0 300 400\n");
}

TEST(Cad, SaveAsWritesTheDrawingAndAFailedWriteKeepsTheOldFile) {
    cad::ModelSpace& ms = attachedModelSpace();
    ms.AddLine({0, 0, 0}, {1, 1, 0});
    const std::string path = inAppFolder("drawing.dxf");
    platform::filedialog::script(path);
    cad::SaveDrawingAs();
    const auto bytes = textfile::ReadBytes(path);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_NE(bytes->find("LINE"), std::string::npos);
    EXPECT_NE(bytes->find("EOF"), std::string::npos);
    EXPECT_TRUE(platform::msgbox::log().empty());

    // A folder that does not exist: the box says so.
    const std::string nowhere = inAppFolder("no-such-folder/drawing.dxf");
    platform::filedialog::script(nowhere);
    platform::msgbox::script(platform::vbOK);
    cad::SaveDrawingAs();
    test_support::expectOneMessage({.prompt = "无法写入文件：" + nowhere, .title = "出错"});
    EXPECT_FALSE(std::filesystem::exists(nowhere));

    // Cancelled: nothing written.
    platform::filedialog::scriptCancel();
    ms.AddLine({0, 0, 0}, {2, 2, 0});
    cad::SaveDrawingAs();
    EXPECT_EQ(textfile::ReadBytes(path), bytes);
}

TEST(Cad, WindowShowsEachEntityOnceAndFitsTheDrawingWhenItIsDone) {
    cad::ModelSpace& ms = attachedModelSpace();
    auto* view = cad::drawingWindow()->findChild<QGraphicsView*>();
    ASSERT_NE(view, nullptr);
    for (int i = 0; i < 200; ++i) {
        ms.AddLine({i * 10.0, 0, 0}, {i * 10.0 + 5, 50, 0}).setColor(1).setColor(2).setLayer("CURVE");
        ms.AddText("K1+234.568:-56.79", {i * 10.0, 60, 0}, 20).setColor(2);
    }
    // Recolouring changes the item shown, it adds none.
    EXPECT_EQ(view->scene()->items().size(), 400);
    // A model space of no drawing (a curve laid out for a test or a file) is never shown.
    cad::ModelSpace loose;
    loose.AddLine({0, 0, 0}, {1e6, 1e6, 0}).setColor(1);
    EXPECT_EQ(view->scene()->items().size(), 400);

    // Once control is back in the event loop the whole drawing is in sight.
    QCoreApplication::processEvents();
    const QRectF seen = view->mapToScene(view->viewport()->rect()).boundingRect();
    EXPECT_TRUE(seen.contains(view->scene()->itemsBoundingRect())) << seen.width() << " " << seen.height();
    ms.AddLine({0, 0, 0}, {20000, 0, 0});
    QCoreApplication::processEvents();
    EXPECT_TRUE(view->mapToScene(view->viewport()->rect())
                    .boundingRect()
                    .contains(view->scene()->itemsBoundingRect()));
}

TEST(Cad, WheelZoomsAboutTheCursorDragPansAndShowAllFitsTheDrawing) {
    cad::ModelSpace& ms = attachedModelSpace();
    ms.AddLine({0, 0, 0}, {10000, 0, 0});
    ms.AddLine({0, 0, 0}, {0, 3000, 0});
    ms.AddText("K10+200.000:-30.23", {9800, 2900, 0}, 20);
    QGraphicsView* view = fittedView();
    ASSERT_NE(view, nullptr);
    ASSERT_GT(view->viewport()->width(), 900);
    ASSERT_GT(view->viewport()->height(), 600);
    EXPECT_TRUE(showsEverything(*view));

    // The drawing point under the cursor stays under it, zooming in and out.
    for (const auto& [at, delta] : {std::pair{QPointF(150, 420), 120}, std::pair{QPointF(800, 90), 360},
                                    std::pair{QPointF(400, 300), -240}}) {
        const QPointF under = drawingAt(*view, at);
        const double before = view->transform().m11();
        wheel(*view, at, delta);
        EXPECT_NEAR(view->transform().m11() / before, std::pow(1.0015, delta), 1e-9);
        const QPointF shown = pixelOf(*view, under);
        EXPECT_NEAR(shown.x(), at.x(), 1.0) << delta;
        EXPECT_NEAR(shown.y(), at.y(), 1.0) << delta;
    }

    // A drag moves the drawing with the mouse, also far past the drawing's edge.
    for (const auto& [from, to] :
         {std::pair{QPointF(500, 350), QPointF(620, 200)}, std::pair{QPointF(900, 600), QPointF(20, 30)},
          std::pair{QPointF(10, 10), QPointF(990, 690)}}) {
        const QPointF grabbed = drawingAt(*view, from);
        drag(*view, from, to);
        const QPointF shown = pixelOf(*view, grabbed);
        EXPECT_NEAR(shown.x(), to.x(), 1.0);
        EXPECT_NEAR(shown.y(), to.y(), 1.0);
    }
    EXPECT_FALSE(showsEverything(*view));

    // "全部显示" brings the whole drawing back in sight; a later entity leaves the user's view alone.
    QAction* all = nullptr;
    for (QAction* action : cad::drawingWindow()->findChildren<QAction*>()) {
        if (action->text() == QStringLiteral("全部显示")) {
            all = action;
        }
    }
    ASSERT_NE(all, nullptr);
    all->trigger();
    EXPECT_TRUE(showsEverything(*view));
    wheel(*view, QPointF(500, 350), 600);
    const QTransform zoomed = view->viewportTransform();
    ms.AddLine({0, 0, 0}, {-5000, -5000, 0});
    QCoreApplication::processEvents();
    EXPECT_EQ(view->viewportTransform(), zoomed);
}

TEST(Cad, TextsStayLegibleWhenSmallAndGrowWithTheZoom) {
    cad::ModelSpace& ms = attachedModelSpace();
    ms.AddLine({0, 0, 0}, {20000, 0, 0});
    ms.AddText("K1+234.568:-56.79", {100, 100, 0}, 20);
    QGraphicsView* view = fittedView();
    ASSERT_NE(view, nullptr);
    const auto texts = view->scene()->items();
    const auto found = std::find_if(texts.begin(), texts.end(), [](const QGraphicsItem* item) {
        return dynamic_cast<const QGraphicsSimpleTextItem*>(item) != nullptr;
    });
    ASSERT_NE(found, texts.end());
    const QGraphicsItem& text = **found;

    // Fitted, 20 units are 1 px: the text keeps a readable size, and the fit still shows it whole.
    EXPECT_GE(screenHeight(*view, text), 9.0);
    EXPECT_TRUE(showsEverything(*view));
    const double smallest = screenHeight(*view, text);
    // Zoomed in until the drawing height is larger, it is drawn at that height and grows with the zoom.
    wheel(*view, QPointF(100, 300), 1200);
    wheel(*view, QPointF(100, 300), 1200);
    const double near = screenHeight(*view, text);
    const double drawingHeight = text.sceneBoundingRect().height();
    EXPECT_GT(near, smallest);
    EXPECT_NEAR(near, drawingHeight * view->transform().m11(), 1e-6);
    wheel(*view, QPointF(100, 300), 240);
    EXPECT_NEAR(screenHeight(*view, text) / near, std::pow(1.0015, 240), 1e-6);
    EXPECT_DOUBLE_EQ(text.sceneBoundingRect().height(), drawingHeight);
    // The insertion point stays the text's lower left corner at every zoom.
    EXPECT_NEAR(text.sceneBoundingRect().left(), 100, 1e-9);
}

TEST(Cad, TextsThatWouldPrintOverEachOtherAreMovedApartOnScreenOnly) {
    cad::ModelSpace& ms = attachedModelSpace();
    ms.AddLine({0, 0, 0}, {5000, 0, 0});
    // Two labels of a jump on one station and a third one step along, as a fan group draws them.
    ms.AddText("K14+885.000:-171.14", {4900, 100, 0}, 20).setColor(2);
    ms.AddText("K14+885.000:-148.97", {4900, 110, 0}, 20).setColor(2);
    ms.AddText("K15+35.000:-154.19", {4950, 105, 0}, 20).setColor(2);
    ms.AddText("桩号(m)", {100, 100, 0}, 20).setColor(1);
    const std::vector<cad::Entity> before = ms.entities();
    QGraphicsView* view = fittedView();
    ASSERT_NE(view, nullptr);
    std::vector<QRectF> boxes;
    for (const QGraphicsItem* item : view->scene()->items()) {
        if (dynamic_cast<const QGraphicsSimpleTextItem*>(item) != nullptr) {
            boxes.push_back(item->sceneBoundingRect());
        }
    }
    ASSERT_EQ(boxes.size(), 4u);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const QRectF both = boxes[i].intersected(boxes[j]);
            EXPECT_TRUE(both.width() * both.height() < 1e-6 * boxes[i].width() * boxes[i].height())
                << i << " " << j;
        }
    }
    EXPECT_TRUE(showsEverything(*view));
    // The drawing and so its DXF keep the texts where they were put.
    const std::vector<cad::Entity>& after = ms.entities();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].a.x, before[i].a.x);
        EXPECT_EQ(after[i].a.y, before[i].a.y);
    }
}

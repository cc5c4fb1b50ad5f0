// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cad.h"

#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
#include "platform/screen_text.h"
#include "platform/scripted.h"
#include "platform/text_file.h"

#include <QAction>
#include <QDir>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryFile>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

#include <dl_dxf.h>

#include <cmath>
#include <cctype>
#include <cstdio>
#include <memory>
#include <set>

namespace platform::cad {
namespace {

bool finite(const Point& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// A layer name a DXF table can hold without escapes.
bool plainLayerName(const std::string& name) {
    if (name.empty() || name.size() > 255) {
        return false;
    }
    for (unsigned char c : name) {
        if (!(std::isalnum(c) || c == '_' || c == '-' || c == '$')) {
            return false;
        }
    }
    return true;
}

// The screen colour of a colour index, on the dark background CAD programs use.
QColor screenColor(int index) {
    switch (index) {
    case 1:
        return Qt::red;
    case 2:
        return Qt::yellow;
    case 3:
        return Qt::green;
    case 4:
        return Qt::cyan;
    case 5:
        return Qt::blue;
    case 6:
        return Qt::magenta;
    case 0:
    case 7:
    case ByLayer: // every layer the program draws on has colour 7
        return Qt::white;
    default:
        return Qt::lightGray;
    }
}

// The drawing window's view: the wheel zooms about the cursor, dragging pans. Until the user does either,
// the view keeps the whole drawing in sight. Fitting looks at every item, so a drawing that grows by
// thousands of entities in one go is fitted once, when control is back in the event loop (or when the
// window is shown or resized, or asked to fit), not after each entity.
class DrawingView : public QGraphicsView {
public:
    explicit DrawingView(QGraphicsScene* scene) : QGraphicsView(scene) {
        setBackgroundBrush(QColor(33, 40, 48));
        setRenderHint(QPainter::Antialiasing);
        setDragMode(QGraphicsView::ScrollHandDrag);
        setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
        // Drawing y grows upwards.
        setTransform(QTransform::fromScale(1, -1));
    }

    void fitAll() {
        fitPending_ = false;
        QRectF box = scene()->itemsBoundingRect();
        if (box.isEmpty()) {
            return;
        }
        box.adjust(-box.width() * 0.03 - 1, -box.height() * 0.03 - 1, box.width() * 0.03 + 1,
                   box.height() * 0.03 + 1);
        // Generous scroll room, so that the user can pan past the drawing's edges.
        setSceneRect(
            box.adjusted(-box.width() * 10, -box.height() * 10, box.width() * 10, box.height() * 10));
        fitInView(box, Qt::KeepAspectRatio);
    }

    void keepFitted() {
        if (!userMoved_) {
            fitAll();
        }
    }

    /// The drawing changed: fit it once the additions in progress are done.
    void fitLater() {
        if (userMoved_ || fitPending_) {
            return;
        }
        fitPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (fitPending_) {
                keepFitted();
            }
        });
    }

protected:
    void wheelEvent(QWheelEvent* event) override {
        userMoved_ = true;
        const double factor = std::pow(1.0015, event->angleDelta().y());
        scale(factor, factor);
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override {
        userMoved_ = true;
        QGraphicsView::mousePressEvent(event);
    }
    void resizeEvent(QResizeEvent* event) override {
        QGraphicsView::resizeEvent(event);
        keepFitted();
    }
    void showEvent(QShowEvent* event) override {
        QGraphicsView::showEvent(event);
        if (fitPending_) {
            keepFitted();
        }
    }

private:
    bool userMoved_ = false;
    bool fitPending_ = false;
};

class DrawingWindow : public QMainWindow, public Viewer {
public:
    DrawingWindow() {
        setWindowTitle(QStringLiteral("绘图"));
        view_ = new DrawingView(&scene_);
        setCentralWidget(view_);
        QToolBar* bar = addToolBar(QStringLiteral("绘图"));
        QAction* save = bar->addAction(QStringLiteral("另存为DXF..."));
        connect(save, &QAction::triggered, this, [] { SaveDrawingAs(); });
        QAction* all = bar->addAction(QStringLiteral("全部显示"));
        connect(all, &QAction::triggered, this, [this] { view_->fitAll(); });
        resize(1000, 700);
        // Every text is drawn in one font, scaled to its height.
        textFont_.setPixelSize(100);
        const QFontMetricsF metrics(textFont_);
        capHeight_ = metrics.capHeight() > 0 ? metrics.capHeight() : 70.0;
        ascent_ = metrics.ascent();
    }
    ~DrawingWindow() override;

    void added(std::size_t index, const Entity& e) override {
        if (index >= items_.size()) {
            items_.resize(index + 1, nullptr);
        }
        if (items_[index] != nullptr) {
            scene_.removeItem(items_[index]);
            delete items_[index];
        }
        items_[index] = makeItem(e);
        if (items_[index] != nullptr) {
            scene_.addItem(items_[index]);
        }
        view_->fitLater();
    }

    void recoloured(std::size_t index, const Entity& e) override {
        if (index >= items_.size() || items_[index] == nullptr) {
            return;
        }
        const QColor color = screenColor(e.color);
        if (e.type == Entity::Type::Text) {
            static_cast<QGraphicsSimpleTextItem*>(items_[index])->setBrush(color);
            return;
        }
        if (e.type == Entity::Type::Circle) {
            auto* circle = static_cast<QGraphicsEllipseItem*>(items_[index]);
            QPen pen = circle->pen();
            pen.setColor(color);
            circle->setPen(pen);
            return;
        }
        // A line, or a point drawn as a line of no length.
        auto* line = static_cast<QGraphicsLineItem*>(items_[index]);
        QPen pen = line->pen();
        pen.setColor(color);
        line->setPen(pen);
    }

    DrawingView* view() { return view_; }

private:
    QGraphicsItem* makeItem(const Entity& e) const {
        QPen pen(screenColor(e.color), 0); // cosmetic: one pixel at every zoom
        switch (e.type) {
        case Entity::Type::Line: {
            auto* item = new QGraphicsLineItem(e.a.x, e.a.y, e.b.x, e.b.y);
            item->setPen(pen);
            return item;
        }
        case Entity::Type::Circle: {
            auto* item =
                new QGraphicsEllipseItem(e.a.x - e.radius, e.a.y - e.radius, 2 * e.radius, 2 * e.radius);
            item->setPen(pen);
            return item;
        }
        case Entity::Type::Point: {
            auto* item = new QGraphicsLineItem(e.a.x, e.a.y, e.a.x, e.a.y);
            QPen dot(screenColor(e.color), 3);
            dot.setCosmetic(true);
            dot.setCapStyle(Qt::RoundCap);
            item->setPen(dot);
            return item;
        }
        case Entity::Type::Text: {
            auto* item = new QGraphicsSimpleTextItem(ScreenText(e.text));
            item->setFont(textFont_);
            item->setBrush(screenColor(e.color));
            // The height is that of a capital letter, and the insertion point lies on the baseline.
            const double f = e.height / capHeight_;
            item->setTransform(QTransform::fromScale(f, -f));
            item->setPos(e.a.x, e.a.y + f * ascent_);
            return item;
        }
        }
        return nullptr;
    }

    QGraphicsScene scene_;
    DrawingView* view_ = nullptr;
    std::vector<QGraphicsItem*> items_;
    QFont textFont_;
    double capHeight_ = 70.0;
    double ascent_ = 0;
};

struct Program {
    Application application;
    std::unique_ptr<Document> document;
    QPointer<DrawingWindow> window;
    bool unavailable = false;
};

Program& program() {
    static Program p;
    return p;
}

DrawingWindow::~DrawingWindow() {
    Program& p = program();
    if (p.document != nullptr) {
        p.document->modelSpace().setViewer(nullptr);
    }
}

void writeTables(DL_Dxf& dxf, DL_WriterA& dw, const std::set<std::string>& layers) {
    dxf.writeHeader(dw);
    dw.sectionEnd();

    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw.tableEnd();
    dw.tableLayers(static_cast<int>(layers.size()));
    for (const std::string& layer : layers) {
        dxf.writeLayer(dw, DL_LayerData(layer, 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
    }
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 2.5, 0.625, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();

    dw.sectionBlocks();
    dxf.writeBlock(dw, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, "*Model_Space");
    dxf.writeBlock(dw, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, "*Paper_Space");
    dxf.writeBlock(dw, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, "*Paper_Space0");
    dw.sectionEnd();
}

void writeEntity(DL_Dxf& dxf, DL_WriterA& dw, const Entity& e) {
    const DL_Attributes attributes(e.layer, e.color, 0, "BYLAYER", 1.0);
    switch (e.type) {
    case Entity::Type::Line:
        dxf.writeLine(dw, DL_LineData(e.a.x, e.a.y, e.a.z, e.b.x, e.b.y, e.b.z), attributes);
        break;
    case Entity::Type::Text:
        dxf.writeText(dw,
                      DL_TextData(e.a.x, e.a.y, e.a.z, e.a.x, e.a.y, e.a.z, e.height, 1.0, 0, 0, 0,
                                  DxfText(e.text), "Standard", 0.0),
                      attributes);
        break;
    case Entity::Type::Circle:
        dxf.writeCircle(dw, DL_CircleData(e.a.x, e.a.y, e.a.z, e.radius), attributes);
        break;
    case Entity::Type::Point:
        dxf.writePoint(dw, DL_PointData(e.a.x, e.a.y, e.a.z), attributes);
        break;
    }
}

// Writes the DXF to `path` with dxflib, which writes to a file of its own.
bool writeWithDxflib(const std::vector<Entity>& entities, const std::string& path) {
    std::set<std::string> layers{"0"};
    for (const Entity& e : entities) {
        layers.insert(e.layer);
    }
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> dw(dxf.out(path.c_str(), DL_Codes::AC1015));
    if (dw == nullptr || dw->openFailed()) {
        return false;
    }
    writeTables(dxf, *dw, layers);
    dw->sectionEntities();
    for (const Entity& e : entities) {
        writeEntity(dxf, *dw, e);
    }
    dw->sectionEnd();
    dxf.writeObjects(*dw);
    dxf.writeObjectsEnd(*dw);
    dw->dxfEOF();
    dw->close();
    return true;
}

void appendEscape(std::string& out, char32_t c) {
    char buffer[12];
    std::snprintf(buffer, sizeof buffer, "\\U+%04X", static_cast<unsigned>(c));
    out += buffer;
}

} // namespace

EntityRef& EntityRef::setColor(int colorIndex) {
    if (space_ != nullptr && colorIndex >= 0 && colorIndex <= ByLayer) {
        Entity& e = space_->entities_[index_];
        e.color = colorIndex;
        if (space_->viewer_ != nullptr) {
            space_->viewer_->recoloured(index_, e);
        }
    }
    return *this;
}

EntityRef& EntityRef::setLayer(const std::string& layer) {
    if (space_ != nullptr && plainLayerName(layer)) {
        space_->entities_[index_].layer = layer;
    }
    return *this;
}

EntityRef ModelSpace::add(Entity entity) {
    if (!finite(entity.a) || !finite(entity.b) || !std::isfinite(entity.radius) ||
        !std::isfinite(entity.height)) {
        return {};
    }
    entities_.push_back(std::move(entity));
    const std::size_t index = entities_.size() - 1;
    if (viewer_ != nullptr) {
        viewer_->added(index, entities_[index]);
    }
    return {this, index};
}

EntityRef ModelSpace::AddLine(const Point& from, const Point& to) {
    Entity e;
    e.type = Entity::Type::Line;
    e.a = from;
    e.b = to;
    return add(std::move(e));
}

EntityRef ModelSpace::AddText(const std::string& text, const Point& insertion, double height) {
    if (!(height > 0)) {
        return {};
    }
    Entity e;
    e.type = Entity::Type::Text;
    e.a = insertion;
    e.text = text;
    e.height = height;
    return add(std::move(e));
}

EntityRef ModelSpace::AddCircle(const Point& centre, double radius) {
    if (!(radius > 0)) {
        return {};
    }
    Entity e;
    e.type = Entity::Type::Circle;
    e.a = centre;
    e.radius = radius;
    return add(std::move(e));
}

EntityRef ModelSpace::AddPoint(const Point& at) {
    Entity e;
    e.type = Entity::Type::Point;
    e.a = at;
    return add(std::move(e));
}

Application* Application::Attach() {
    Program& p = program();
    if (p.unavailable) {
        return nullptr;
    }
    if (p.document == nullptr) {
        p.document = std::make_unique<Document>();
    }
    if (p.window == nullptr) {
        p.window = new DrawingWindow;
        // A drawing kept from before the window was closed is shown again.
        ModelSpace& space = p.document->modelSpace();
        const auto& entities = space.entities();
        for (std::size_t i = 0; i < entities.size(); ++i) {
            p.window->added(i, entities[i]);
        }
        space.setViewer(p.window);
    }
    return &p.application;
}

void Application::setVisible(bool visible) {
    DrawingWindow* window = program().window;
    if (window == nullptr || scripted::active()) {
        return;
    }
    if (visible) {
        window->show();
        window->raise();
        window->activateWindow();
    } else {
        window->hide();
    }
}

Document& Application::activeDocument() {
    Program& p = program();
    if (p.document == nullptr) {
        p.document = std::make_unique<Document>();
        p.document->modelSpace().setViewer(p.window);
    }
    return *p.document;
}

std::string DxfText(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 < 0x80) {
            out += b0 < 0x20 || b0 == 0x7F ? ' ' : static_cast<char>(b0);
            ++i;
            continue;
        }
        int length = b0 >= 0xF0 && b0 < 0xF5 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 && b0 < 0xE0 ? 2 : 0;
        char32_t c = length == 4 ? b0 & 0x07 : length == 3 ? b0 & 0x0F : b0 & 0x1F;
        bool ok = length > 0 && i + length <= utf8.size();
        for (int k = 1; ok && k < length; ++k) {
            const auto b = static_cast<unsigned char>(utf8[i + k]);
            ok = (b & 0xC0) == 0x80;
            c = (c << 6) | (b & 0x3F);
        }
        ok = ok && !(length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) &&
             !(length == 4 && (c < 0x10000 || c > 0x10FFFF));
        if (!ok) {
            appendEscape(out, 0xFFFD);
            ++i;
            continue;
        }
        if (c > 0xFFFF) {
            const char32_t v = c - 0x10000;
            appendEscape(out, 0xD800 + (v >> 10));
            appendEscape(out, 0xDC00 + (v & 0x3FF));
        } else {
            appendEscape(out, c);
        }
        i += length;
    }
    return out;
}

bool WriteDxf(const std::vector<Entity>& entities, const std::string& path) {
    // dxflib writes to a file of its own; the bytes then go through the safe writer.
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/aridane-drawing-XXXXXX.dxf"));
    if (!scratch.open()) {
        return false;
    }
    scratch.close();
    const std::string scratchPath = scratch.fileName().toStdString();
    try {
        if (!writeWithDxflib(entities, scratchPath)) {
            return false;
        }
        const std::optional<std::string> bytes = textfile::ReadBytes(scratchPath);
        return bytes.has_value() && textfile::WriteAtomically(path, *bytes);
    } catch (...) {
        return false;
    }
}

void SaveDrawingAs() {
    FileDialog dialog;
    dialog.DialogTitle = "另存为DXF";
    dialog.Filter = "DXF图形文件|*.dxf";
    const std::optional<std::string> path = dialog.ShowSave();
    if (!path) {
        return;
    }
    const Program& p = program();
    static const std::vector<Entity> none;
    const std::vector<Entity>& entities = p.document ? p.document->modelSpace().entities() : none;
    if (!WriteDxf(entities, *path)) {
        MsgBox("无法写入文件：" + *path, vbOKOnly, "出错");
    }
}

QWidget* drawingWindow() {
    return program().window;
}

void zoomExtents() {
    if (DrawingWindow* window = program().window) {
        window->view()->fitAll();
    }
}

void reset() {
    Program& p = program();
    delete p.window.data();
    p.window = nullptr;
    p.document.reset();
    p.unavailable = false;
}

void setUnavailable(bool unavailable) {
    program().unavailable = unavailable;
}

} // namespace platform::cad

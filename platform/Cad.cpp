// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cad.h"

#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
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

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>

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
    // Indexes 1 to 7 are the standard colours; 0 and 7 draw white, as does every layer the program draws on.
    static constexpr Qt::GlobalColor kStandard[] = {Qt::white, Qt::red,  Qt::yellow,  Qt::green,
                                                    Qt::cyan,  Qt::blue, Qt::magenta, Qt::white};
    if (index == ByLayer) {
        return Qt::white;
    }
    return index >= 0 && index <= 7 ? kStandard[index] : Qt::lightGray;
}

// Texts drawn smaller than this on screen cannot be read: below it a text keeps this capital height
// [px], growing from its insertion point, and grows with the zoom once its drawing height is larger.
constexpr double kLegibleCapHeight = 6;
// How far the wheel zooms out and in from the view that fits the whole drawing.
constexpr double kZoomOutLimit = 1.0 / 50;
constexpr double kZoomInLimit = 1e4;

// A text's box on screen, in drawing units.
struct TextBox {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;
    bool overlaps(const TextBox& o) const {
        // Boxes that only touch, or overlap by a hair of rounding, leave both texts readable.
        const double tolerance = 1e-6 * (top - bottom);
        return left < o.right - tolerance && o.left < right - tolerance && bottom < o.top - tolerance &&
               o.bottom < top - tolerance;
    }
};

// The text boxes placed so far, found by the grid cells they cover.
class TextGrid {
public:
    static constexpr std::size_t kCrowded = 64;

    explicit TextGrid(double cell) : cell_(cell > 0 && std::isfinite(cell) ? cell : 1) {}

    // The boxes in the way of `box`, into `out`; false when the place is too crowded for a free spot
    // near it to be worth the search (a thick cloud of texts stays as it is drawn).
    bool colliding(const TextBox& box, std::vector<TextBox>& out) const {
        out.clear();
        std::size_t looked = 0;
        forCells(box, [&](long long key) {
            const auto found = cells_.find(key);
            if (found == cells_.end()) {
                return true;
            }
            looked += found->second.size();
            if (looked > kCrowded) {
                return false;
            }
            for (std::size_t k : found->second) {
                if (boxes_[k].overlaps(box)) {
                    out.push_back(boxes_[k]);
                }
            }
            return true;
        });
        return looked <= kCrowded;
    }

    void add(const TextBox& box) {
        const std::size_t k = boxes_.size();
        boxes_.push_back(box);
        forCells(box, [&](long long key) {
            cells_[key].push_back(k);
            return true;
        });
    }

private:
    template <typename F> void forCells(const TextBox& box, F&& f) const {
        const auto cell = [this](double v) {
            return static_cast<long long>(std::clamp(std::floor(v / cell_), -1e9, 1e9));
        };
        const long long x0 = cell(box.left);
        const long long x1 = cell(box.right);
        const long long y0 = cell(box.bottom);
        const long long y1 = cell(box.top);
        // A text far larger than the others is looked up by its corners' cells only.
        if ((x1 - x0 + 1) * (y1 - y0 + 1) > 4096) {
            if (f(x0 * 4000000000LL + y0)) {
                f(x1 * 4000000000LL + y1);
            }
            return;
        }
        for (long long x = x0; x <= x1; ++x) {
            for (long long y = y0; y <= y1; ++y) {
                if (!f(x * 4000000000LL + y)) {
                    return;
                }
            }
        }
    }

    double cell_;
    std::vector<TextBox> boxes_;
    std::unordered_map<long long, std::vector<std::size_t>> cells_;
};

// The drawing window's view, held as a scale [px per drawing unit] and the drawing point at the middle of
// the window: the wheel zooms about the cursor, dragging pans, and until the user does either the view
// keeps the whole drawing in sight. Fitting looks at every item, so a drawing that grows by thousands of
// entities in one go is fitted once, when control is back in the event loop (or when the window is shown
// or resized, or asked to fit), not after each entity.
class DrawingView : public QGraphicsView {
public:
    explicit DrawingView(QGraphicsScene* scene) : QGraphicsView(scene) {
        setBackgroundBrush(QColor(33, 40, 48));
        setRenderHint(QPainter::Antialiasing);
        setDragMode(QGraphicsView::NoDrag);
        setTransformationAnchor(QGraphicsView::NoAnchor);
        setResizeAnchor(QGraphicsView::NoAnchor);
        // The view moves without bounds, as a CAD view does: no scroll bars.
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Every text is drawn in one font, scaled to its height.
        textFont_.setPixelSize(100);
        const QFontMetricsF metrics(textFont_);
        capHeight_ = metrics.capHeight() > 0 ? metrics.capHeight() : 70.0;
        ascent_ = metrics.ascent();
        applyView();
    }

    void showEntity(std::size_t index, const Entity& e) {
        if (index >= items_.size()) {
            items_.resize(index + 1, nullptr);
            texts_.resize(index + 1);
        }
        if (items_[index] != nullptr) {
            scene()->removeItem(items_[index]);
            delete items_[index];
        }
        items_[index] = makeItem(e);
        texts_[index] = {};
        if (items_[index] == nullptr) {
            return;
        }
        scene()->addItem(items_[index]);
        if (e.type == Entity::Type::Text) {
            texts_[index] = {e.a.x, e.a.y, e.height, true};
            const TextBox box = textBox(index, 1);
            extent_ |= QRectF(QPointF(box.left, box.bottom), QPointF(box.right, box.top));
        } else {
            extent_ |= items_[index]->sceneBoundingRect();
        }
        placedScale_ = 0;
        refreshLater();
    }

    void recolourEntity(std::size_t index, const Entity& e) {
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

    void fitAll() {
        refreshPending_ = false;
        if (extent_.isNull()) {
            return;
        }
        // Texts kept legible grow past their drawing height: the fit takes in what is on screen, which
        // settles in a few rounds since a larger view enlarges the texts less.
        QRectF box = extent_;
        for (int round = 0; round < 4; ++round) {
            const double w = std::max(box.width(), 1e-9);
            const double h = std::max(box.height(), 1e-9);
            const QRectF framed = box.adjusted(-w * 0.03 - 1, -h * 0.03 - 1, w * 0.03 + 1, h * 0.03 + 1);
            const QSizeF port = viewport()->size();
            fitScale_ = std::min(port.width() / framed.width(), port.height() / framed.height());
            scale_ = fitScale_;
            centre_ = framed.center();
            applyView();
            const QRectF shown = scene()->itemsBoundingRect();
            if (framed.contains(shown)) {
                break;
            }
            box = box.united(shown);
        }
    }

    void keepFitted() {
        if (!userMoved_) {
            fitAll();
        } else {
            applyView();
        }
    }

    /// The drawing changed: fit it (or place its texts) once the additions in progress are done.
    void refreshLater() {
        if (refreshPending_) {
            return;
        }
        refreshPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (refreshPending_) {
                refreshPending_ = false;
                keepFitted();
            }
        });
    }

protected:
    void wheelEvent(QWheelEvent* event) override {
        userMoved_ = true;
        const QPointF at = event->position();
        const QPointF under = toDrawing(at);
        const double factor = std::pow(1.0015, event->angleDelta().y());
        scale_ = std::clamp(scale_ * factor, fitScale_ * kZoomOutLimit, fitScale_ * kZoomInLimit);
        // The drawing point under the cursor stays there.
        const QPointF middle = viewMiddle();
        centre_ = {under.x() + (middle.x() - at.x()) / scale_, under.y() - (middle.y() - at.y()) / scale_};
        applyView();
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton && event->button() != Qt::MiddleButton) {
            QGraphicsView::mousePressEvent(event);
            return;
        }
        userMoved_ = true;
        dragging_ = true;
        dragFrom_ = event->position();
        viewport()->setCursor(Qt::ClosedHandCursor);
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!dragging_) {
            QGraphicsView::mouseMoveEvent(event);
            return;
        }
        const QPointF moved = event->position() - dragFrom_;
        dragFrom_ = event->position();
        centre_ -= QPointF(moved.x() / scale_, -moved.y() / scale_);
        applyView();
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!dragging_) {
            QGraphicsView::mouseReleaseEvent(event);
            return;
        }
        dragging_ = false;
        viewport()->unsetCursor();
        event->accept();
    }
    void resizeEvent(QResizeEvent* event) override {
        QGraphicsView::resizeEvent(event);
        keepFitted();
    }
    void showEvent(QShowEvent* event) override {
        QGraphicsView::showEvent(event);
        if (refreshPending_) {
            refreshPending_ = false;
            keepFitted();
        }
    }

private:
    struct TextPlace {
        double x = 0;
        double y = 0;
        double height = 0;
        bool isText = false;
    };

    QPointF viewMiddle() const { return {viewport()->width() / 2.0, viewport()->height() / 2.0}; }

    QPointF toDrawing(const QPointF& at) const {
        const QPointF middle = viewMiddle();
        return {centre_.x() + (at.x() - middle.x()) / scale_, centre_.y() - (at.y() - middle.y()) / scale_};
    }

    // Shows the drawing at scale_ about centre_. The scene is kept a little larger than what is in sight, so
    // that the view can always be centred on centre_ however far the user pans.
    void applyView() {
        if (!(scale_ > 0) || !std::isfinite(scale_)) {
            scale_ = 1;
        }
        setTransform(QTransform::fromScale(scale_, -scale_));
        const QSizeF seen(viewport()->width() / scale_, viewport()->height() / scale_);
        setSceneRect(QRectF(centre_ - QPointF(1.5 * seen.width(), 1.5 * seen.height()), seen * 3.0));
        centerOn(centre_);
        // Scrolling goes by whole pixels: the rest of the way is a shift of the drawing itself, so that a
        // point under the cursor stays exactly there.
        const QPointF rest = viewMiddle() - viewportTransform().map(centre_);
        if (rest != QPointF()) {
            setTransform(QTransform::fromScale(scale_, -scale_) *
                         QTransform::fromTranslate(rest.x(), rest.y()));
        }
        placeTexts();
    }

    // Where the text of entity `index` lies on screen when drawn `grow` times its drawing height.
    TextBox textBox(std::size_t index, double grow) const {
        const TextPlace& t = texts_[index];
        const double k = t.height / capHeight_ * grow;
        const QRectF local = items_[index]->boundingRect();
        const double baseline = t.y;
        return {t.x, baseline - k * (local.height() - ascent_), t.x + k * local.width(),
                baseline + k * ascent_};
    }

    // Sizes every text for the current scale and moves a text that would print over one placed before it
    // up, down, left or right, by the least distance that clears it.
    void placeTexts() {
        if (placedScale_ == scale_) {
            return; // a pan moves no text
        }
        placedScale_ = scale_;
        double sum = 0;
        std::size_t count = 0;
        for (std::size_t i = 0; i < texts_.size(); ++i) {
            if (texts_[i].isText) {
                sum += std::max(texts_[i].height / capHeight_ * items_[i]->boundingRect().height(),
                                kLegibleCapHeight / scale_ * 1.5);
                ++count;
            }
        }
        if (count == 0) {
            return;
        }
        TextGrid grid(2 * sum / static_cast<double>(count));
        std::vector<TextBox> inTheWay;
        for (std::size_t i = 0; i < texts_.size(); ++i) {
            const TextPlace& t = texts_[i];
            if (!t.isText) {
                continue;
            }
            const double grow = std::max(1.0, kLegibleCapHeight / (t.height * scale_));
            TextBox at = textBox(i, grow);
            // Texts in a row need a gap to be told apart ("K11" and "1" must not read "K111").
            at.right += 0.5 * t.height * grow;
            const QPointF shift = clearShift(grid, at, inTheWay);
            grid.add(moved(at, shift));
            const double k = t.height / capHeight_ * grow;
            auto* item = items_[i];
            const QTransform sized = QTransform::fromScale(k, -k);
            if (item->transform() != sized) {
                item->setTransform(sized);
            }
            const QPointF pos(t.x + shift.x(), t.y + shift.y() + k * ascent_);
            if (item->pos() != pos) {
                item->setPos(pos);
            }
        }
    }

    static TextBox moved(TextBox box, QPointF by) {
        box.left += by.x();
        box.right += by.x();
        box.bottom += by.y();
        box.top += by.y();
        return box;
    }

    // The shift that frees `box` from the boxes placed before it: the shortest of the nearest free places
    // above, below and a little to either side, each found in a few steps; none when it is free or no near
    // place is.
    static QPointF clearShift(const TextGrid& grid, const TextBox& box, std::vector<TextBox>& inTheWay) {
        if (!grid.colliding(box, inTheWay) || inTheWay.empty()) {
            return {};
        }
        enum Side { Up, Down, Left, Right };
        const std::vector<TextBox> first = inTheWay;
        const auto search = [&](Side side) -> std::optional<QPointF> {
            inTheWay = first;
            QPointF shift;
            for (int step = 0; step < 8; ++step) {
                const TextBox at = moved(box, shift);
                double by = 0;
                for (const TextBox& o : inTheWay) {
                    const double clear = side == Up     ? o.top - at.bottom
                                         : side == Down ? o.bottom - at.top
                                         : side == Left ? o.left - at.right
                                                        : o.right - at.left;
                    by = side == Up || side == Right ? std::max(by, clear) : std::min(by, clear);
                }
                shift += side == Up || side == Down ? QPointF(0, by) : QPointF(by, 0);
                // Sideways a text only edges away from a neighbour in its row, never leaves its place.
                if (std::abs(shift.x()) > (box.top - box.bottom) / 2 ||
                    !grid.colliding(moved(box, shift), inTheWay)) {
                    return std::nullopt;
                }
                if (inTheWay.empty()) {
                    return shift;
                }
            }
            return std::nullopt;
        };
        QPointF best;
        double shortest = std::numeric_limits<double>::infinity();
        for (const Side side : {Up, Down, Right, Left}) {
            if (const std::optional<QPointF> shift = search(side)) {
                const double length = std::abs(shift->x()) + std::abs(shift->y());
                if (length < shortest) {
                    shortest = length;
                    best = *shift;
                }
            }
        }
        return best;
    }

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
            auto* item = new QGraphicsSimpleTextItem(QString::fromStdString(e.text));
            item->setFont(textFont_);
            item->setBrush(screenColor(e.color));
            return item;
        }
        }
        return nullptr;
    }

    std::vector<QGraphicsItem*> items_;
    std::vector<TextPlace> texts_;
    QRectF extent_; ///< the drawing, every text at its drawing height
    QFont textFont_;
    double capHeight_ = 70.0;
    double ascent_ = 0;
    double scale_ = 1;
    double fitScale_ = 1;
    double placedScale_ = 0; ///< the scale the texts were placed for; 0: not placed since the last change
    QPointF centre_;
    QPointF dragFrom_;
    bool dragging_ = false;
    bool userMoved_ = false;
    bool refreshPending_ = false;
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
    }
    ~DrawingWindow() override;

    void added(std::size_t index, const Entity& e) override { view_->showEntity(index, e); }
    void recoloured(std::size_t index, const Entity& e) override { view_->recolourEntity(index, e); }

    DrawingView* view() { return view_; }

private:
    QGraphicsScene scene_;
    DrawingView* view_ = nullptr;
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
    return add({.type = Entity::Type::Line, .a = from, .b = to});
}

EntityRef ModelSpace::AddText(const std::string& text, const Point& insertion, double height) {
    if (!(height > 0)) {
        return {};
    }
    return add({.type = Entity::Type::Text, .a = insertion, .text = text, .height = height});
}

EntityRef ModelSpace::AddCircle(const Point& centre, double radius) {
    if (!(radius > 0)) {
        return {};
    }
    return add({.type = Entity::Type::Circle, .a = centre, .radius = radius});
}

EntityRef ModelSpace::AddPoint(const Point& at) {
    return add({.type = Entity::Type::Point, .a = at});
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

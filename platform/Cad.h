// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

/// The drawing program the curves and the lighting grid are drawn into: our own drawing window in place
/// of a CAD application. Attaching opens the window (or reuses the open one); its one document holds a
/// model space that collects lines, texts, circles and points with their properties, shows them, and
/// writes them as an ASCII DXF that any CAD program reads. The window zooms about the cursor with the
/// wheel and pans by dragging; it draws each text at its drawing height, but never smaller than can be
/// read, and moves a text on screen (never in the drawing) that would print over one drawn before it.
namespace platform::cad {

/// A point in drawing units.
struct Point {
    double x = 0;
    double y = 0;
    double z = 0;
};

/// The colour index that takes the colour of the entity's layer.
constexpr int ByLayer = 256;

/// One entity of the model space, as it was added.
struct Entity {
    enum class Type { Line, Text, Circle, Point };
    Type type = Type::Line;
    Point a;             ///< start of a line, insertion point of a text, centre of a circle, the point
    Point b;             ///< end of a line
    double radius = 0;   ///< circle
    std::string text;    ///< text, UTF-8
    double height = 0;   ///< text height
    int color = ByLayer; ///< colour index (1 red, 2 yellow, ..., 256 by layer)
    std::string layer = "0";
};

class ModelSpace;

/// A new entity as the model space hands it back: its properties are set through it. Setting a
/// property the entity cannot take (a colour index outside 0..256) leaves it unchanged.
class EntityRef {
public:
    EntityRef() = default;
    EntityRef(ModelSpace* space, std::size_t index) : space_(space), index_(index) {}

    /// False when the entity was refused (a coordinate or size that is not a finite number).
    bool valid() const { return space_ != nullptr; }
    EntityRef& setColor(int colorIndex);
    EntityRef& setLayer(const std::string& layer);

private:
    ModelSpace* space_ = nullptr;
    std::size_t index_ = 0;
};

/// What shows a model space: told of each entity as it is added and of each change of its colour. A
/// layer changes nothing on screen, since every layer is drawn in the same colour.
class Viewer {
public:
    virtual ~Viewer() = default;
    virtual void added(std::size_t index, const Entity& entity) = 0;
    virtual void recoloured(std::size_t index, const Entity& entity) = 0;
};

/// The model space of the drawing: entities in the order they were added. An entity whose points or
/// sizes are not finite numbers is refused (an invalid EntityRef), as a CAD program refuses it.
class ModelSpace {
public:
    EntityRef AddLine(const Point& from, const Point& to);
    EntityRef AddText(const std::string& text, const Point& insertion, double height);
    EntityRef AddCircle(const Point& centre, double radius);
    EntityRef AddPoint(const Point& at);

    const std::vector<Entity>& entities() const { return entities_; }

    /// The viewer told of every later addition and colour change (nullptr: none).
    void setViewer(Viewer* viewer) { viewer_ = viewer; }

private:
    friend class EntityRef;
    EntityRef add(Entity entity);
    std::vector<Entity> entities_;
    Viewer* viewer_ = nullptr;
};

/// The drawing: one model space.
class Document {
public:
    ModelSpace& modelSpace() { return space_; }
    const ModelSpace& modelSpace() const { return space_; }

private:
    ModelSpace space_;
};

/// The running drawing program.
class Application {
public:
    /// Attaches to the drawing program: the open drawing window, or a new one. nullptr when no drawing can
    /// be made (only the test side makes that happen, see setUnavailable).
    static Application* Attach();

    /// Shows the drawing window (not under the test stage, where nothing is shown).
    void setVisible(bool visible);
    /// The drawing entities are added to; it lives until the program ends.
    Document& activeDocument();
};

/// A text as a DXF file holds it: ASCII, every other character as \U+nnnn (a character beyond the basic
/// plane as its two UTF-16 halves), control characters as blanks so that a text cannot break the file's
/// lines, and bytes that are not UTF-8 as U+FFFD.
std::string DxfText(std::string_view utf8);

/// Writes the entities as an ASCII DXF (AutoCAD 2000) through the program's safe writer; false when the
/// file cannot be written, and an old file of that name is then left as it was.
bool WriteDxf(const std::vector<Entity>& entities, const std::string& path);

/// The drawing window's menu command "另存为DXF...": asks for a file name and writes the drawing.
void SaveDrawingAs();

/// The drawing window (nullptr before the first attach), for a picture of it in the tests.
QWidget* drawingWindow();
/// Fits the whole drawing into the window, as it does by itself until the user zooms or pans. The window
/// fits itself once the drawing is complete (back in the event loop, or when it is shown or painted), not
/// after every entity.
void zoomExtents();

/// The test side: forgets the drawing and closes the window; makes the next attach fail.
void reset();
void setUnavailable(bool unavailable);

} // namespace platform::cad

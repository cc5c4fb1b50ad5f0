// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Cad.h"
#include "platform/fonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QRectF>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

/// What the drawing window holds after a window drew its curves.
namespace test_support {

/// The entities of the drawing's model space; none while no drawing window is open.
inline std::vector<platform::cad::Entity> drawnEntities() {
    namespace cad = platform::cad;
    if (cad::drawingWindow() == nullptr) {
        return {};
    }
    return cad::Application::Attach()->activeDocument().modelSpace().entities();
}

/// How many of `entities` are texts reading `text`.
inline int countTexts(const std::vector<platform::cad::Entity>& entities, const std::string& text) {
    int n = 0;
    for (const platform::cad::Entity& e : entities) {
        n += e.type == platform::cad::Entity::Type::Text && e.text == text ? 1 : 0;
    }
    return n;
}

/// How many texts reading `text` the drawing shows.
inline int drawnTexts(const std::string& text) {
    return countTexts(drawnEntities(), text);
}

/// The box of a text's ink in drawing units as the drawing window shows it at its drawing height: in the
/// program's face, its capitals as high as the text, standing on its insertion point.
inline QRectF textInk(const platform::cad::Entity& text) {
    QFont font(QString::fromUtf8(platform::kProgramFontFamily));
    font.setPixelSize(100);
    const double k = text.height / QFontMetricsF(font).capHeight();
    QPainterPath path;
    path.addText(0, 0, font, QString::fromStdString(text.text));
    const QRectF r = path.boundingRect();
    return {QPointF(text.a.x + k * r.left(), text.a.y - k * r.bottom()),
            QPointF(text.a.x + k * r.right(), text.a.y - k * r.top())};
}

/// Whether the line from `a` to `b` runs into `box` (touching counts).
inline bool crosses(const platform::cad::Point& a, const platform::cad::Point& b, const QRectF& box) {
    // The part of the line within the box's four edges, as a range of its parameter t in [0, 1].
    double from = 0, to = 1;
    const auto within = [&](double start, double step, double low, double high) {
        if (step == 0) {
            return start >= low && start <= high;
        }
        double t1 = (low - start) / step, t2 = (high - start) / step;
        if (t1 > t2) {
            std::swap(t1, t2);
        }
        from = std::max(from, t1);
        to = std::min(to, t2);
        return from <= to;
    };
    return within(a.x, b.x - a.x, box.left(), box.right()) && within(a.y, b.y - a.y, box.top(), box.bottom());
}

/// Each text of `entities` from `first` on that one of their lines from `first` on runs into, named with
/// the line.
inline std::vector<std::string> textsOnLines(const std::vector<platform::cad::Entity>& entities,
                                             std::size_t first = 0) {
    using platform::cad::Entity;
    std::vector<std::string> found;
    for (std::size_t i = first; i < entities.size(); ++i) {
        const Entity& text = entities[i];
        if (text.type != Entity::Type::Text) {
            continue;
        }
        const QRectF ink = textInk(text);
        for (std::size_t j = first; j < entities.size(); ++j) {
            const Entity& line = entities[j];
            if (line.type == Entity::Type::Line && crosses(line.a, line.b, ink)) {
                found.push_back(text.text + " on (" + std::to_string(line.a.x) + ", " +
                                std::to_string(line.a.y) + ")-(" + std::to_string(line.b.x) + ", " +
                                std::to_string(line.b.y) + ")");
            }
        }
    }
    return found;
}

} // namespace test_support

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Cad.h"

#include <string>
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

} // namespace test_support

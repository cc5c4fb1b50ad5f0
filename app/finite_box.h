// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/guarded.h"
#include "platform/controls.h"
#include "platform/vb.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace app {

/// Writes a result into its box as plain number text, or through `pattern` when one is given. A value
/// that is not finite is a result that could not be formed: the box is left as it was rather than show
/// "NaN" or a number that means nothing. True when written.
inline bool SetFiniteBox(platform::TextBox& box, double value, std::string_view pattern = {}) {
    if (!std::isfinite(value)) {
        return false;
    }
    guarded([&] { box.set(pattern.empty() ? vb::CStr(value) : vb::Format(value, pattern)); });
    return true;
}

/// Empties result boxes, each on its own: what an earlier state gave must not pass for a result of this
/// one.
template <class Boxes> void EmptyBoxes(const Boxes& boxes) {
    for (platform::TextBox* box : boxes) {
        guarded([&] { box->set(""); });
    }
}
inline void EmptyBoxes(std::initializer_list<platform::TextBox*> boxes) {
    EmptyBoxes<std::initializer_list<platform::TextBox*>>(boxes);
}

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/guarded.h"
#include "platform/controls.h"

#include <optional>
#include <string>

namespace app {

/// Puts a text read from a file into its box. A field the file does not hold (an older or shorter file)
/// leaves the box as it was, so that what the window already shows is not replaced by nothing.
inline void SetStoredText(platform::TextBox& box, const std::optional<std::string>& text) {
    if (text) {
        guarded([&] { box.set(*text); });
    }
}

} // namespace app

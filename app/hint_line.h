// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"

#include <string>

namespace app {

/// Adds `text` after what a window's hint line already says: the notes a window gives as it opens each keep
/// their say. The whole line stays at hand under the mouse when the label is too narrow for it.
inline void AppendHint(platform::Label& line, const std::string& text) {
    if (text.empty()) {
        return;
    }
    const std::string shown = line.Caption();
    const std::string whole = shown.empty() ? text : shown + " " + text;
    line.setCaption(whole);
    line.setToolTipText(whole);
}

} // namespace app

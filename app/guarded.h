// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace app {

/// Runs one step of a sequence of the window: a failing step is passed over so that the next one runs
/// and nothing reaches the event loop.
inline void guarded(const std::function<void()>& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

} // namespace app

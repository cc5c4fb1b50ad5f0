// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/guarded.h"
#include "platform/controls.h"
#include "platform/vb.h"

#include <optional>
#include <string>
#include <string_view>

namespace app {

/// Puts a text read from a file into its box. A field the file does not hold (an older or shorter file)
/// leaves the box as it was, so that what the window already shows is not replaced by nothing.
inline void SetStoredText(platform::TextBox& box, const std::optional<std::string>& text) {
    if (text) {
        guarded([&] { box.set(*text); });
    }
}

/// The hint line of a reopened window that takes an input from another window as it opens while its file
/// holds results computed with the value stored beside them: names the input with the stored and the new
/// value when the two differ at the rounding the box shows (`format`), "" when they agree. The window then
/// shows none of the stored results, which belong to the old value.
inline std::string ChangedInputHint(std::string_view name, const std::string& stored,
                                    const std::string& shown, std::string_view format) {
    if (vb::Format(vb::Val(stored), format) == vb::Format(vb::Val(shown), format)) {
        return {};
    }
    return std::string(name) + "已由" + (stored.empty() ? std::string("空") : stored) + "变为" + shown +
           "，原计算结果已清空，请重新计算。";
}

} // namespace app

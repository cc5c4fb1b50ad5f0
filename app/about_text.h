// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace app {

/// The about box shows at most this many lines: an about text is a few dozen, and a box of hundreds of
/// thousands takes seconds to lay out.
inline constexpr std::size_t kAboutMaxLines = 1000;

/// The last line of an about text cut at kAboutMaxLines.
inline constexpr const char* kAboutCutNote = "……（关于文字过长，仅显示前 1000 行）";

/// The about text of the file `path`: each field of the file a line ending in '\r' (a line holding commas
/// gives one line per part unless quoted), at most kAboutMaxLines lines, then kAboutCutNote when the file
/// holds more. nullopt when the file cannot be read. The file itself is never changed.
std::optional<std::string> AboutText(const std::string& path);

} // namespace app

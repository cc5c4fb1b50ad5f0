// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/// The faces the program draws its texts in (Debian's fonts-noto-cjk, installed by scripts/setup). One
/// face for every window, the report viewer and the manual, so that what the engineer reads in one looks
/// as in the others; it draws every character the windows show, "℃" included (a face that lists a
/// character in its map may still draw it empty, and then no other face is asked for it).
namespace platform {

/// The windows' face and size [points].
inline constexpr char kProgramFontFamily[] = "Noto Sans CJK SC";
inline constexpr double kProgramFontPoints = 9;

/// The report viewer's face: a letter takes one cell, a Chinese character two, as the reports pad them.
inline constexpr char kMonoFontFamily[] = "Noto Sans Mono CJK SC";

} // namespace platform

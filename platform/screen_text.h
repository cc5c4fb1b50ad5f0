// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

namespace platform {

/// A text as the screen shows it. The program's font (WenQuanYi Micro Hei) lists "℃" in its character
/// map but draws it empty, so Qt never falls back to another font for it and the sign shows as a blank;
/// on screen it is "°C", which the font draws at the same width. Only what is painted changes: what the
/// program stores, compares and writes to files keeps "℃".
QString ScreenText(const std::string& text);

/// The text a control was given, read back from what the screen shows. The program's own texts never
/// hold "°C", so every "°C" on screen was a "℃".
std::string TextFromScreen(const QString& shown);

} // namespace platform

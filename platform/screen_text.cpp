// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/screen_text.h"

namespace platform {
namespace {
const QString kCelsius = QStringLiteral("\u2103");
const QString kCelsiusShown = QStringLiteral("\u00B0C");
} // namespace

QString ScreenText(const std::string& text) {
    return QString::fromStdString(text).replace(kCelsius, kCelsiusShown);
}

std::string TextFromScreen(const QString& shown) {
    return QString(shown).replace(kCelsiusShown, kCelsius).toStdString();
}

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/screen_text.h"

namespace platform {
namespace {
const QString kCelsius = QStringLiteral("\u2103");
const QString kCelsiusShown = QStringLiteral("\u00B0C");
} // namespace

// Every list cell a calculation reads passes here: texts without the sign are handed on as they are.
QString ScreenText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    if (text.find("\u2103") != std::string::npos) {
        shown.replace(kCelsius, kCelsiusShown);
    }
    return shown;
}

std::string TextFromScreen(const QString& shown) {
    if (!shown.contains(QChar(0x00B0))) {
        return shown.toStdString();
    }
    return QString(shown).replace(kCelsiusShown, kCelsius).toStdString();
}

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "tests/support/text_fit.h"

#include <QtCore/QDir>
#include <QtCore/QString>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace test_support {

/// With ARIDANE_GRAB_DIR naming a folder, saves the picture of `widget` there as `name`.png for the eye;
/// without it, does nothing.
inline void savePicture(QWidget& widget, const std::string& name) {
    const char* dir = std::getenv("ARIDANE_GRAB_DIR");
    if (dir == nullptr || *dir == '\0')
        return;
    EXPECT_TRUE(
        widget.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromStdString(name) + ".png")))
        << name;
}

/// Expects every text of a shown window to stand whole, and saves its picture as `name`.
inline void expectShownWhole(platform::Form& form, const std::string& name) {
    QApplication::processEvents();
    EXPECT_EQ(cutTexts(*form.window()), std::vector<std::string>{}) << name;
    savePicture(*form.window(), name);
}

} // namespace test_support

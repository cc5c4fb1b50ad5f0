// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "tests/support/text_fit.h"

#include <QtCore/QString>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

/// Expects every text of a shown window to stand whole; with ARIDANE_GRAB_DIR set, saves its picture
/// there as `name`.png for the eye.
inline void expectShownWhole(platform::Form& form, const std::string& name) {
    QApplication::processEvents();
    EXPECT_EQ(test_support::cutTexts(*form.window()), std::vector<std::string>{}) << name;
    if (const char* dir = std::getenv("ARIDANE_GRAB_DIR")) {
        form.window()->grab().save(QString::fromLocal8Bit(dir) + "/" + QString::fromStdString(name) + ".png");
    }
}

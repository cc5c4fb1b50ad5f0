// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/modPublic.h"
#include "platform/fonts.h"
#include "tests/support/test_stage.h"

#include <QApplication>
#include <QFont>
#include <QString>

#include <gtest/gtest.h>

namespace test_support {

/// Windows measured in the font the program runs with, the shipped jet-fan models loaded: widths measured
/// in the test font of the stage would say nothing of what the engineer sees.
class ProgramFontStage : public ::testing::Test {
protected:
    void SetUp() override {
        QApplication::setFont(
            QFont(QString::fromUtf8(platform::kProgramFontFamily), platform::kProgramFontPoints));
        modPublic::AppFolder = test_stage::appFolder();
        ASSERT_TRUE(modPublic::LoadJetModels());
    }
};

} // namespace test_support

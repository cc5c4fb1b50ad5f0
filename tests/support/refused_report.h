// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MsgBox.h"
#include "platform/TextViewer.h"

#include <gtest/gtest.h>

namespace refused_report {

/// Clicks a window's report button while the project has no file name: one message asks the engineer to
/// save the project first, and no report is opened.
template <class Button> void expectAskedToSaveFirst(Button& cmdReport) {
    platform::msgbox::script(platform::vbOK);
    cmdReport.userClick();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt, "请先保存项目！");
    EXPECT_EQ(platform::msgbox::log()[0].title, "保存");
    EXPECT_TRUE(platform::textviewer::log().empty());
}

} // namespace refused_report

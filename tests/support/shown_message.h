// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MsgBox.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace test_support {

/// What a message box must show; a part left unset is not checked.
struct Message {
    std::optional<std::string> prompt, title;
    std::optional<int> buttons; ///< the button set (vbYesNo, ...), without icon and default bits
};

/// The message log holds exactly one message, and it shows `m`.
inline void expectOneMessage(const Message& m) {
    const auto& log = platform::msgbox::log();
    ASSERT_EQ(log.size(), 1u);
    if (m.prompt) {
        EXPECT_EQ(log[0].prompt, *m.prompt);
    }
    if (m.title) {
        EXPECT_EQ(log[0].title, *m.title);
    }
    if (m.buttons) {
        EXPECT_EQ(log[0].buttons & 0x0F, *m.buttons);
    }
}

} // namespace test_support

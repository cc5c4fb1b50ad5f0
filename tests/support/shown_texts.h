// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MsgBox.h"
#include "platform/controls.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <source_location>
#include <string>

namespace test_support {

/// One control of a window that shows a text (a text box, combo box, list box) and the text it must show.
class Shown {
public:
    template <class Box>
    Shown(const Box& box, std::string text)
        : actual_([&box] { return std::string(box.Text()); }), expected_(std::move(text)) {}
    std::string actual() const { return actual_(); }
    const std::string& expected() const { return expected_; }

private:
    std::function<std::string()> actual_;
    std::string expected_;
};

/// Expects each box to show its text, as one EXPECT_EQ a box would; a failure names the place of the
/// table in the test, the box's position in it and both texts:
/// `test_support::ExpectTexts{{w.txtA, "1.00"}, {w.cmbB, "2"}};`
struct ExpectTexts {
    ExpectTexts(std::initializer_list<Shown> boxes,
                std::source_location where = std::source_location::current()) {
        int position = 0;
        for (const Shown& box : boxes) {
            ++position;
            const std::string actual = box.actual();
            if (actual != box.expected()) {
                ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
                    << "box " << position << " of the table shows \"" << actual << "\", expected \""
                    << box.expected() << "\"";
            }
        }
    }
};

/// What a message box must show; a part left unset is not checked.
struct Message {
    std::optional<std::string> prompt, title;
    std::optional<int> buttons; ///< the button set (vbYesNo, ...), without icon and default bits
};

/// The message log holds exactly one message, and it shows `m`; a failure names the line of the call.
inline void expectOneMessage(const Message& m, std::source_location where = std::source_location::current()) {
    const ::testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()), "the one message");
    const auto& log = platform::msgbox::log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].prompt, m.prompt.value_or(log[0].prompt));
    EXPECT_EQ(log[0].title, m.title.value_or(log[0].title));
    EXPECT_EQ(log[0].buttons & 0x0F, m.buttons.value_or(log[0].buttons & 0x0F));
}

/// From an empty message log, with the next message answered OK: `act` shows `m` and no other message.
inline void expectOneMessageOf(const std::function<void()>& act, const Message& m,
                               std::source_location where = std::source_location::current()) {
    platform::msgbox::reset();
    platform::msgbox::script(platform::vbOK);
    act();
    expectOneMessage(m, where);
}

} // namespace test_support

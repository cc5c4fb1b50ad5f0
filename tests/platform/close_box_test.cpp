// SPDX-License-Identifier: GPL-3.0-or-later
// The close box of a window that keeps its inputs in a file: it asks only where the bytes the window would
// write differ from the disk's, and only Yes with a save that succeeded, or No, lets the window go.
#include "platform/close_box.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

TEST(CloseBoxMayClose, AsksOnlyWhenTheBytesDifferAndClosesOnlyOnNoOrASavedYes) {
    struct Case {
        const char* what;
        std::optional<std::string> onDisk; ///< nullopt: no file; the path is "" for an unnamed project
        bool named;
        std::string bytes;
        std::optional<int> answer; ///< nullopt: no box at all
        bool saves;                ///< what the save action gives
        bool closes;
        bool saved; ///< whether the save action ran
    };
    const Case cases[] = {
        {"unchanged", "a,\"12\"\r\n", true, "a,\"12\"\r\n", std::nullopt, true, true, false},
        {"changed, Yes", "a,\"12\"\r\n", true, "a,\"15\"\r\n", platform::vbYes, true, true, true},
        {"changed, No", "a,\"12\"\r\n", true, "a,\"15\"\r\n", platform::vbNo, true, true, false},
        {"changed, Cancel", "a,\"12\"\r\n", true, "a,\"15\"\r\n", platform::vbCancel, true, false, false},
        {"changed, Yes, save failed", "a,\"12\"\r\n", true, "a,\"15\"\r\n", platform::vbYes, false, false,
         true},
        {"one line end differs", "a,\"12\"\r\n", true, "a,\"12\"\n", platform::vbNo, true, true, false},
        // No file yet is a difference even from nothing to write.
        {"missing file", std::nullopt, true, "", platform::vbNo, true, true, false},
        {"unnamed project", std::nullopt, false, "a,\"15\"\r\n", std::nullopt, true, true, false},
    };
    const std::string file = test_stage::appFolder() + "/proj.cvt";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(file);
        if (c.onDisk) {
            ASSERT_TRUE(textfile::WriteAtomically(file, *c.onDisk));
        }
        platform::msgbox::reset();
        if (c.answer) {
            platform::msgbox::script(*c.answer);
        }
        bool saved = false;
        EXPECT_EQ(platform::CloseBoxMayClose(c.named ? file : "", c.bytes,
                                             [&] {
                                                 saved = true;
                                                 return c.saves;
                                             }),
                  c.closes);
        EXPECT_EQ(saved, c.saved);
        ASSERT_EQ(platform::msgbox::log().size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(platform::msgbox::log()[0].prompt, "退出之前需要保存吗?");
            EXPECT_EQ(platform::msgbox::log()[0].title, "保存提示！");
            EXPECT_EQ(platform::msgbox::log()[0].buttons, platform::vbYesNoCancel);
        }
        // The question itself never writes: only the window's save does.
        EXPECT_EQ(textfile::ReadBytes(file), c.onDisk);
    }
}

} // namespace

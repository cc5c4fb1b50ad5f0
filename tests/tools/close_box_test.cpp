// SPDX-License-Identifier: GPL-3.0-or-later
// The close boxes of the construction-ventilation and axial-fan windows: an unchanged window closes
// without a word; a changed one asks as Exit does; No leaves the file as it was, Cancel keeps the window,
// Yes writes. The axial fan's close box leaves the project's fan list as it was.
#include "tools/frmAxialFanDesign.h"
#include "tools/frmConstructionVent.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

using platform::Forms;

namespace {

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

std::string inFolder(const std::string& name) {
    return test_stage::appFolder() + "/" + name;
}

struct Window {
    const char* name;
    std::string file;
    /// Opens the window on a project whose file is already written.
    std::function<platform::Form&()> open;
    std::function<void(platform::Form&)> edit;
    bool fanList = false; ///< the window has a fan list the close box must leave as it was
};

std::vector<Window> windows() {
    return {
        {"frmConstructionVent", inFolder("p.cvt"),
         []() -> platform::Form& {
             modPublic::ProjectFile = inFolder("p.vnt");
             if (!textfile::ReadBytes(inFolder("p.cvt"))) {
                 Forms::instance<frmConstructionVent>().cmdClose.userClick();
             }
             return Forms::instance<frmConstructionVent>();
         },
         [](platform::Form& f) { static_cast<frmConstructionVent&>(f).txtG.userType("222"); }},
        {"frmAxialFanDesign", inFolder("p_1.afd"),
         []() -> platform::Form& {
             Forms::instance<frmReq>();
             modPublic::ProjectFile = inFolder("p.vnt");
             modPublic::AxialFanList.items = {"1"};
             if (!textfile::ReadBytes(inFolder("p_1.afd"))) {
                 Forms::instance<frmAxialFanDesign>().cmdClose.userClick();
             }
             return Forms::instance<frmAxialFanDesign>();
         },
         [](platform::Form& f) {
             auto& w = static_cast<frmAxialFanDesign&>(f);
             w.txtQ.userType("222");
             // Deleting the fan from the list is no business of the close box.
             w.cmdDeleteFan.userClick();
         },
         true},
    };
}

} // namespace

TEST(ToolsCloseBox, AsksOnlyWhenTheFileWouldChange) {
    struct Case {
        const char* what;
        bool edit;
        std::optional<int> answer; // nullopt: no box at all
        bool closes;
        bool written;
    };
    const Case cases[] = {
        {"unchanged", false, std::nullopt, true, false},
        {"changed, No", true, platform::vbNo, true, false},
        {"changed, Cancel", true, platform::vbCancel, false, false},
        {"changed, Yes", true, platform::vbYes, true, true},
    };
    for (const Window& window : windows()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(window.name) + ", " + c.what);
            platform::Form& w = window.open();
            const std::string before = textfile::ReadBytes(window.file).value_or("");
            ASSERT_FALSE(before.empty());
            if (c.edit) {
                window.edit(w);
            }
            platform::msgbox::reset();
            if (c.answer) {
                platform::msgbox::script(*c.answer);
            }
            EXPECT_EQ(Forms::unload(w, platform::vbFormControlMenu), c.closes);
            ASSERT_EQ(platform::msgbox::log().size(), c.answer ? 1u : 0u);
            if (c.answer) {
                EXPECT_EQ(platform::msgbox::log()[0].prompt, "退出之前需要保存吗?");
                EXPECT_EQ(platform::msgbox::log()[0].title, "保存提示！");
                EXPECT_EQ(platform::msgbox::log()[0].buttons, platform::vbYesNoCancel);
            }
            const std::string after = textfile::ReadBytes(window.file).value_or("");
            EXPECT_EQ(after == before, !c.written);
            EXPECT_EQ(after.find("\"222\"") != std::string::npos, c.written);
            if (window.fanList) {
                EXPECT_EQ(modPublic::AxialFanList.items, std::vector<std::string>{"1"});
            }
            if (Forms::isLoaded(w)) {
                Forms::unload(w);
            }
            // The next case starts from the file as the first opening wrote it.
            ASSERT_TRUE(textfile::WriteAtomically(window.file, before));
        }
    }
}

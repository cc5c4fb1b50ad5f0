// SPDX-License-Identifier: GPL-3.0-or-later
// The close boxes of the three lighting steps: a step whose file would be written as it stands on disk
// closes without a word; otherwise it asks as Exit does, Yes writing the file, No leaving it byte for byte,
// Cancel keeping the window. Finish of step 3 closes the three steps without a question.
#include "app/modPublic.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/frmLighting.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/text_file.h"
#include "tests/support/test_stage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

std::string inFolder(const std::string& name) {
    return test_stage::appFolder() + "/" + name;
}

struct Step {
    std::string name;
    std::string file; ///< the file the step writes, in the project's folder
    /// Opens the step as it reads its file or template.
    std::function<platform::Form&()> instance;
    /// Opens the step with its file written as the window holds it.
    std::function<platform::Form&()> open;
    /// Changes one input as the engineer would.
    std::function<void(platform::Form&)> change;
    bool (*loaded)();
};

const std::vector<Step> kSteps = {
    {"step 1", "proj.bgh", []() -> platform::Form& { return Forms::instance<frmBrightness>(); },
     []() -> platform::Form& {
         Forms::instance<frmBrightness>().cmdOK.userClick(); // saves and unloads
         return Forms::instance<frmBrightness>();
     },
     [](platform::Form& f) { static_cast<frmBrightness&>(f).txtLL.userType("4321"); },
     [] { return Forms::isLoaded<frmBrightness>(); }},
    {"step 2", "proj.lmp", []() -> platform::Form& { return Forms::instance<frmDefineLamp>(); },
     []() -> platform::Form& {
         frmDefineLamp& w = Forms::instance<frmDefineLamp>();
         w.cmdPreStep.userClick(); // saves and hides
         return w;
     },
     [](platform::Form& f) { static_cast<frmDefineLamp&>(f).txtWW.userType("9.5"); },
     [] { return Forms::isLoaded<frmDefineLamp>(); }},
    {"step 3", "proj_0_0_0.lgh", []() -> platform::Form& { return Forms::instance<frmLighting>(); },
     []() -> platform::Form& {
         frmLighting& w = Forms::instance<frmLighting>();
         w.cmdPreStep.userClick(); // saves the open case and hides
         return w;
     },
     [](platform::Form& f) {
         frmLighting& w = static_cast<frmLighting&>(f);
         w.cmbLampName.userType("回路A");
         w.txtLightSS3.userType("0");
         w.cmdAdd.userClick();
     },
     [] { return Forms::isLoaded<frmLighting>(); }},
};

class CloseBox : public ::testing::Test {
protected:
    void SetUp() override { modPublic::ProjectFile = inFolder("proj.vnt"); }

    /// Starts a step afresh on a project without files.
    platform::Form& fresh(const Step& step) {
        Forms::destroyAll();
        for (const char* f : {"proj.bgh", "proj.lmp", "proj_0_0_0.lgh"}) {
            fs::remove(inFolder(f));
        }
        return step.open();
    }
    static std::optional<std::string> bytes(const Step& step) {
        return textfile::ReadBytes(inFolder(step.file));
    }
};

TEST_F(CloseBox, AnUnchangedStepClosesWithoutAQuestion) {
    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.name);
        platform::Form& w = fresh(step);
        const std::optional<std::string> before = bytes(step);
        ASSERT_TRUE(before.has_value());
        const std::size_t boxes = platform::msgbox::log().size();
        EXPECT_TRUE(Forms::unload(w, platform::vbFormControlMenu));
        EXPECT_EQ(platform::msgbox::log().size(), boxes);
        EXPECT_FALSE(step.loaded());
        EXPECT_EQ(bytes(step), before);
    }
}

TEST_F(CloseBox, AChangedStepAsksAsExitDoes) {
    struct Answer {
        int button;
        bool closes;
        bool writes;
    };
    for (const Answer& a : {Answer{platform::vbCancel, false, false}, Answer{platform::vbNo, true, false},
                            Answer{platform::vbYes, true, true}}) {
        for (const Step& step : kSteps) {
            SCOPED_TRACE(step.name + ", answer " + std::to_string(a.button));
            platform::Form& w = fresh(step);
            const std::optional<std::string> before = bytes(step);
            step.change(w);
            const std::size_t boxes = platform::msgbox::log().size();
            platform::msgbox::script(a.button);
            EXPECT_EQ(Forms::unload(w, platform::vbFormControlMenu), a.closes);
            ASSERT_EQ(platform::msgbox::log().size(), boxes + 1);
            EXPECT_EQ(platform::msgbox::log().back().prompt, "退出之前需要保存吗?");
            EXPECT_EQ(platform::msgbox::log().back().title, "保存提示！");
            EXPECT_EQ(platform::msgbox::log().back().buttons & 7, platform::vbYesNoCancel);
            EXPECT_EQ(step.loaded(), !a.closes);
            if (a.writes) {
                EXPECT_NE(bytes(step), before);
            } else {
                EXPECT_EQ(bytes(step), before);
            }
        }
    }
}

TEST_F(CloseBox, AStepWithoutAFileYetAsksAndAnUnnamedProjectDoesNot) {
    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.name);
        Forms::destroyAll();
        fs::remove(inFolder(step.file));
        platform::Form& w = step.instance();
        platform::msgbox::script(platform::vbNo);
        EXPECT_TRUE(Forms::unload(w, platform::vbFormControlMenu));
        EXPECT_FALSE(fs::exists(inFolder(step.file)));
    }
    modPublic::ProjectFile.clear();
    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.name + ", unnamed");
        platform::Form& w = step.open();
        step.change(w);
        const std::size_t boxes = platform::msgbox::log().size();
        EXPECT_TRUE(Forms::unload(w, platform::vbFormControlMenu));
        EXPECT_EQ(platform::msgbox::log().size(), boxes);
    }
}

TEST_F(CloseBox, FinishOfStep3ClosesTheWizardWithoutAQuestion) {
    frmBrightness& s1 = Forms::instance<frmBrightness>();
    s1.txtLL.userType("4321");
    frmDefineLamp& s2 = Forms::instance<frmDefineLamp>();
    s2.txtWW.userType("9.5");
    frmLighting& s3 = Forms::instance<frmLighting>();
    s3.cmdClose.userClick();
    EXPECT_TRUE(platform::msgbox::log().empty());
    EXPECT_FALSE(Forms::isLoaded<frmBrightness>());
    EXPECT_FALSE(Forms::isLoaded<frmDefineLamp>());
    EXPECT_FALSE(Forms::isLoaded<frmLighting>());
    // Steps 1 and 2 write on Next and Previous only.
    EXPECT_FALSE(fs::exists(inFolder("proj.bgh")));
    EXPECT_FALSE(fs::exists(inFolder("proj.lmp")));
}

} // namespace

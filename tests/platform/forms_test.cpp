// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Forms.h"
#include "platform/controls.h"
#include "platform/scripted.h"
#include "tests/support/test_stage.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace {

std::vector<std::string> g_events;
int g_alive = 0;

struct frmProbe : Form {
    frmProbe() {
        ++g_alive;
        setCaption("探针");
    }
    ~frmProbe() override { --g_alive; }
    void Form_Initialize() override { g_events.push_back("Initialize"); }
    void Form_Load() override {
        g_events.push_back("Load");
        // Load may reach its own window: it is the one being loaded, not a second one.
        g_events.push_back(&Forms::instance<frmProbe>() == this ? "same" : "other");
    }
    void Form_QueryUnload(int& cancel, int mode) override {
        g_events.push_back("QueryUnload " + std::to_string(mode));
        cancel = refuse ? 1 : 0;
    }
    void Form_Unload(int&) override { g_events.push_back("Unload"); }
    bool refuse = false;
};

struct frmDialog : Form {
    frmDialog() {
        setCaption("对话框");
        cmdOK.place(*this, 100, 100, 1200, 400);
        cmdOK.setCaption("确定");
        cmdOK.Click = [this] { Hide(); };
    }
    CommandButton cmdOK;
    TextBox txtValue;
};

test_stage::Reset clearEvents([] { g_events.clear(); });

} // namespace

TEST(Forms, OneInstancePerClassLoadedOnFirstUse) {
    EXPECT_FALSE(Forms::isLoaded<frmProbe>());
    frmProbe& a = Forms::instance<frmProbe>();
    frmProbe& b = Forms::instance<frmProbe>();
    EXPECT_EQ(&a, &b);
    EXPECT_TRUE(Forms::isLoaded<frmProbe>());
    EXPECT_EQ(g_events, (std::vector<std::string>{"Initialize", "Load", "same"}));
}

TEST(Forms, UnloadAsksQueryUnloadThenDestroysTheWindow) {
    Forms::instance<frmProbe>();
    g_events.clear();
    EXPECT_TRUE(Forms::unload<frmProbe>());
    EXPECT_FALSE(Forms::isLoaded<frmProbe>());
    EXPECT_EQ(g_events, (std::vector<std::string>{"QueryUnload 1", "Unload"}));
    Forms::collectGarbage();
    EXPECT_EQ(g_alive, 0);
    // The next use makes a fresh window and loads it again.
    g_events.clear();
    Forms::instance<frmProbe>();
    EXPECT_EQ(g_events.front(), "Initialize");
}

TEST(Forms, ACancelInQueryUnloadKeepsTheWindowLoaded) {
    frmProbe& probe = Forms::instance<frmProbe>();
    probe.refuse = true;
    EXPECT_FALSE(Forms::unload<frmProbe>());
    EXPECT_TRUE(Forms::isLoaded<frmProbe>());
    EXPECT_EQ(&Forms::instance<frmProbe>(), &probe);
    probe.refuse = false;
    EXPECT_TRUE(Forms::unload(probe));
}

TEST(Forms, TheCloseBoxAsksQueryUnloadWithItsOwnModeAndCanBeRefused) {
    frmProbe& probe = Forms::instance<frmProbe>();
    probe.Show();
    probe.refuse = true;
    g_events.clear();
    EXPECT_FALSE(probe.window()->close());
    EXPECT_TRUE(Forms::isLoaded<frmProbe>());
    EXPECT_EQ(g_events.front(), "QueryUnload 0");
    probe.refuse = false;
    EXPECT_TRUE(probe.window()->close());
    EXPECT_FALSE(Forms::isLoaded<frmProbe>());
}

TEST(Forms, ShowModalRunsTheScriptOnTheShownWindowAndReturnsWhenItHides) {
    bool ran = false;
    test_stage::onModal<frmDialog>([&](frmDialog& dlg) {
        ran = true;
        EXPECT_TRUE(dlg.Visible());
        EXPECT_TRUE(dlg.IsModal());
        dlg.cmdOK.userClick();
        EXPECT_FALSE(dlg.Visible());
    });
    Forms::instance<frmDialog>().ShowModal();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(Forms::instance<frmDialog>().IsModal());
    // Hidden, the dialog stays loaded until its caller unloads it.
    EXPECT_TRUE(Forms::isLoaded<frmDialog>());
}

TEST(Forms, AModalScriptMayUnloadItsWindow) {
    test_stage::onModal<frmDialog>([](frmDialog& dlg) { Forms::unload(dlg); });
    Forms::instance<frmDialog>().ShowModal();
    EXPECT_FALSE(Forms::isLoaded<frmDialog>());
    Forms::collectGarbage();
}

TEST(Forms, AModalWindowNobodyScriptedIsReported) {
    Forms::instance<frmDialog>().ShowModal();
    EXPECT_FALSE(Forms::instance<frmDialog>().Visible());
    const auto faults = scripted::takeFaults();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("对话框"), std::string::npos);
}

TEST(Forms, SizesAreInTwips) {
    frmDialog& dlg = Forms::instance<frmDialog>();
    dlg.setWidth(9300);
    dlg.setHeight(9300);
    EXPECT_EQ(dlg.Width(), 9300);
    EXPECT_EQ(dlg.Height(), 9300);
    dlg.setWidth(13440);
    EXPECT_EQ(dlg.Width(), 13440);
}

TEST(Forms, UnloadingTheLastWindowRunsTheEndOfProgramCallback) {
    int ended = 0;
    Forms::setLastFormUnloaded([&] { ++ended; });
    Forms::instance<frmProbe>();
    Forms::instance<frmDialog>();
    Forms::unload<frmDialog>();
    EXPECT_EQ(ended, 0);
    Forms::unload<frmProbe>();
    EXPECT_EQ(ended, 1);
    Forms::setLastFormUnloaded(nullptr);
}

namespace {

// Handlers in a base class, connected from the derived window, as the shared supply-duct view does.
struct ProbeHandlers : UserForm {
    void UserForm_Initialize() override { g_events.push_back("UserForm_Initialize"); }
    void UserForm_QueryClose() override { g_events.push_back("UserForm_QueryClose"); }
    void cmdGo_Click() { g_events.push_back("Go"); }
    void lstRows_ItemClick(ListItem& item) { g_events.push_back("Item " + item.Text()); }
};

struct frmUserProbe : ProbeHandlers {
    frmUserProbe() {
        Connect(cmdGo.Click, this, &frmUserProbe::cmdGo_Click);
        Connect(lstRows.ItemClick, this, &frmUserProbe::lstRows_ItemClick);
    }
    CommandButton cmdGo;
    ListView lstRows;
};

} // namespace

TEST(Forms, AUserFormRunsItsOwnEventsAndConnectedHandlersGetTheirArguments) {
    frmUserProbe& probe = Forms::instance<frmUserProbe>();
    probe.lstRows.ListItems.Add("K1+200");
    probe.cmdGo.userClick();
    probe.lstRows.userItemClick(1);
    EXPECT_TRUE(Forms::unload(probe));
    EXPECT_EQ(g_events,
              (std::vector<std::string>{"UserForm_Initialize", "Go", "Item K1+200", "UserForm_QueryClose"}));
}

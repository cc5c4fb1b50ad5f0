// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/test_stage.h"

#include "app/modPublic.h"
#include "platform/Cad.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/paths.h"
#include "platform/scripted.h"
#include "tests/support/modal_scripts.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <typeindex>
#include <vector>

namespace fs = std::filesystem;

namespace test_stage {
namespace {

fs::path& root() {
    static fs::path path;
    return path;
}

std::vector<std::function<void()>>& resets() {
    static std::vector<std::function<void()>> callbacks;
    return callbacks;
}

using modal_scripts::ModalScript;

std::deque<ModalScript>& modalScripts() {
    return modal_scripts::queue();
}

void runModal(platform::Form& form) {
    if (modalScripts().empty()) {
        platform::scripted::fault("a modal window nobody scripted: \"" + form.Caption() + "\"");
        return;
    }
    ModalScript next = std::move(modalScripts().front());
    modalScripts().pop_front();
    if (next.type != std::type_index(typeid(form))) {
        platform::scripted::fault(std::string("a modal window of another class than scripted: \"") +
                                  form.Caption() + "\"");
        return;
    }
    next.script(form);
}

// A fresh copy of ConfigFiles for every test: tests that write Jet.db or the report options leave
// nothing behind for the next.
void freshFolder() {
    std::error_code ec;
    const fs::path app = root() / "app";
    fs::remove_all(app, ec);
    fs::create_directories(app);
    fs::copy(CONFIGFILES_DIR, app / "ConfigFiles", fs::copy_options::recursive, ec);
    if (ec) {
        ADD_FAILURE() << "cannot copy ConfigFiles: " << ec.message();
    }
    platform::setAppPath(app.string());
    // Every test starts from the shared module's initial state, reading its data from this folder, so
    // that no test depends on which window happened to run before it.
    modPublic::Reset();
    modPublic::AppFolder = app.string();
}

void resetScripts() {
    platform::msgbox::reset();
    platform::filedialog::reset();
    platform::textviewer::reset();
    platform::cad::reset();
    modalScripts().clear();
    platform::scripted::takeFaults();
}

class Listener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        freshFolder();
        resetScripts();
    }

    // Listeners see a test's end in reverse order, so this runs before the result is printed, and a
    // failure added here is the test's own.
    void OnTestEnd(const ::testing::TestInfo&) override;
};

} // namespace

std::string appFolder() {
    return (root() / "app").string();
}

void onReset(std::function<void()> reset) {
    resets().push_back(std::move(reset));
}

namespace detail {
void queueModal(const std::type_info& type, std::function<void(platform::Form&)> script) {
    modal_scripts::push(type, std::move(script));
}
} // namespace detail

void Listener::OnTestEnd(const ::testing::TestInfo&) {
    for (const std::string& fault : platform::scripted::takeFaults()) {
        ADD_FAILURE() << fault;
    }
    if (platform::msgbox::pending() > 0) {
        ADD_FAILURE() << platform::msgbox::pending() << " scripted message-box answer(s) never asked for";
    }
    if (platform::filedialog::pending() > 0) {
        ADD_FAILURE() << platform::filedialog::pending() << " scripted file dialog(s) never shown";
    }
    if (!modalScripts().empty()) {
        ADD_FAILURE() << modalScripts().size() << " scripted modal window(s) never shown";
    }
    platform::Forms::destroyAll();
    for (auto& reset : resets()) {
        reset();
    }
    resetScripts();
}

} // namespace test_stage

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvora-Aridane"));

    std::error_code ec;
    test_stage::root() =
        fs::temp_directory_path() / ("aridane-tests-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(test_stage::root(), ec);

    platform::scripted::setActive(true);
    platform::Forms::setModalHook(test_stage::runModal);

    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new test_stage::Listener);
    const int result = RUN_ALL_TESTS();

    platform::Forms::destroyAll();
    fs::remove_all(test_stage::root(), ec);
    return result;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_stage.h"

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

#include <benchmark/benchmark.h>

#include <clocale>
#include <deque>
#include <filesystem>
#include <typeindex>

namespace fs = std::filesystem;

namespace bench_stage {
namespace {

fs::path& root() {
    static fs::path path;
    return path;
}

using modal_scripts::ModalScript;

std::deque<ModalScript>& modalScripts() {
    return modal_scripts::queue();
}

void runModal(platform::Form& form) {
    if (modalScripts().empty() || modalScripts().front().type != std::type_index(typeid(form))) {
        return; // ShowModal hides the window on return
    }
    ModalScript next = std::move(modalScripts().front());
    modalScripts().pop_front();
    next.script(form);
}

} // namespace

void freshFolder() {
    platform::Forms::destroyAll();
    std::error_code ec;
    const fs::path app = root() / "app";
    fs::remove_all(app, ec);
    fs::create_directories(app);
    fs::copy(CONFIGFILES_DIR, app / "ConfigFiles", fs::copy_options::recursive, ec);
    platform::setAppPath(app.string());
    modPublic::Reset();
    modPublic::AppFolder = app.string();
    platform::msgbox::reset();
    platform::msgbox::setAutoAnswer(true);
    platform::filedialog::reset();
    platform::textviewer::reset();
    platform::cad::reset();
    platform::scripted::takeFaults();
    modalScripts().clear();
}

namespace detail {
void queueModal(const std::type_info& type, std::function<void(platform::Form&)> script) {
    modal_scripts::push(type, std::move(script));
}
} // namespace detail

} // namespace bench_stage

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    std::error_code ec;
    bench_stage::root() =
        fs::temp_directory_path() / ("aridane-bench-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(bench_stage::root(), ec);
    platform::scripted::setActive(true);
    platform::Forms::setModalHook(bench_stage::runModal);
    bench_stage::freshFolder();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    platform::Forms::destroyAll();
    fs::remove_all(bench_stage::root(), ec);
    return 0;
}

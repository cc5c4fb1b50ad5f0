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
#include <QProcess>

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <string>
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

constexpr std::string_view kFreshOpeningFlag = "--fresh-opening=";

struct Opening {
    std::function<void()> stage, open;
};

std::map<std::string, Opening>& openings() {
    static std::map<std::string, Opening> all;
    return all;
}

long pageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

} // namespace

FreshOpening::FreshOpening(const char* name, std::function<void()> stage, std::function<void()> open) {
    openings()[name] = {std::move(stage), std::move(open)};
}

void TimeInFreshProgram(benchmark::State& state, const char* name) {
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromStdString(std::string(kFreshOpeningFlag) + name)});
        double seconds = 0;
        long faults = 0;
        if (!child.waitForFinished(-1) ||
            std::sscanf(child.readAllStandardOutput().constData(), "%lf %ld", &seconds, &faults) != 2) {
            state.SkipWithError("the fresh program did not report its opening");
            return;
        }
        state.SetIterationTime(seconds);
        state.counters["faults"] = static_cast<double>(faults);
    }
}

void FreshProgramRuns(benchmark::internal::Benchmark* line) {
    line->UseManualTime()->Iterations(1)->Repetitions(5)->DisplayAggregatesOnly(true)->Unit(
        benchmark::kMillisecond);
}

bool RunFreshOpening(int argc, char** argv) {
    if (argc < 2 || std::string_view(argv[1]).rfind(kFreshOpeningFlag, 0) != 0) {
        return false;
    }
    const auto found =
        openings().find(std::string(std::string_view(argv[1]).substr(kFreshOpeningFlag.size())));
    if (found == openings().end()) {
        return true;
    }
    found->second.stage();
    const long faults = pageFaults();
    const auto start = std::chrono::steady_clock::now();
    found->second.open();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%.6f %ld\n", took.count(), pageFaults() - faults);
    std::fflush(stdout);
    return true;
}

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

    if (!bench_stage::RunFreshOpening(argc, argv)) {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }

    platform::Forms::destroyAll();
    fs::remove_all(bench_stage::root(), ec);
    return 0;
}

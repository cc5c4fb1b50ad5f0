// SPDX-License-Identifier: GPL-3.0-or-later
// Files whose row lists are long: an axial fan's file (.afd) with 1,000 (the most it may list), 32,000 and
// 128,000 local losses, every one outside the duct, and a lighting case (.lgh) with 1,000 and 100,000
// switched-on circuits, each opened in its window and read by the engine; and the duct-loss dialog marking
// 32,000 and 128,000 typed losses outside its duct. The two largest files are also opened once in a program
// started for that opening alone, window and engine, as the engineer meets them after starting the program.
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "bench/bench_stage.h"
#include "lighting/frmLighting.h"
#include "lighting/lgh_file.h"
#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "tools/axial_fan.h"
#include "tools/axial_fan_file.h"
#include "tools/frmAxialFanDesign.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/loss_coefficients.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using platform::Forms;
namespace fs = std::filesystem;

constexpr double kOutside = 1.0e6; // m, beyond the 10 m duct

std::string projectFile(const std::string& suffix) {
    return (fs::path(platform::AppPath()) / ("bench" + suffix)).string();
}

/// A fan file of one straight piece of 10 m and `losses` local losses at kOutside.
std::string fanFileBytes(long long losses) {
    tools::AxialFanTexts fan;
    fan.Q = "20";
    fan.N = "1";
    fan.RHO = "1.2";
    fan.Supply = true;
    fan.Sections = {{"10", "#FALSE#", "1", "4", "1", "0", "0.02", ""}};
    fan.Zetas.assign(static_cast<std::size_t>(losses), {"1000000", "0.5", ""});
    return tools::AxialFanFileBytes(fan);
}

/// A case file of `rows` circuits.
std::string caseFileBytes(long long rows) {
    const std::vector<lighting::CaseRow> circuits(static_cast<std::size_t>(rows), {"回路A", "4", "150", "0"});
    return lighting::WriteLgh(circuits, "100", {}, false).Bytes();
}

/// A fresh folder, the main window on a named project and `bytes` in its file of `suffix`.
void stage(const std::string& suffix, const std::string& bytes) {
    bench_stage::freshFolder();
    Forms::instance<frmReq>();
    modPublic::ProjectFile = projectFile(".vnt");
    textfile::WriteAtomically(projectFile(suffix), bytes);
}

void LongList_AxialFanLosses_Window(benchmark::State& state) {
    const std::string bytes = fanFileBytes(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        stage("_1.afd", bytes);
        modPublic::AxialFanList.items = {"1"};
        state.ResumeTiming();
        frmAxialFanDesign& w = Forms::instance<frmAxialFanDesign>();
        benchmark::DoNotOptimize(w.lblZetaNote.Caption().size());
        state.PauseTiming();
        state.counters["rows"] = w.lstzeta.ListItems.Count();
        Forms::unload(w);
        state.ResumeTiming();
    }
}
BENCHMARK(LongList_AxialFanLosses_Window)->Arg(1000)->Arg(32000)->Arg(128000)->Unit(benchmark::kMillisecond);

void LongList_AxialFanLosses_Engine(benchmark::State& state) {
    const std::string bytes = fanFileBytes(state.range(0));
    const std::vector<tools::AxialDuctRow> duct = {{.Length = 10, .Area = 1, .Diameter = 1, .Lambda = 0.02}};
    for (auto _ : state) {
        const tools::AxialFanTexts fan = tools::ParseAxialFanFile(bytes);
        std::vector<tools::AxialLocalLoss> losses;
        for (const tools::AxialZetaTexts& row : fan.Zetas) {
            losses.push_back({vb::Val(row[0]), vb::Val(row[1])});
        }
        const std::vector<int> outside = tools::AxialLossesOutsideDuct(duct, losses);
        benchmark::DoNotOptimize(tools::AxialOutsideDuctNote(duct, outside).size());
        benchmark::DoNotOptimize(tools::AxialDuctLoss(duct, losses, 20, 1.2, {}));
        state.counters["rows"] = static_cast<double>(losses.size());
    }
}
BENCHMARK(LongList_AxialFanLosses_Engine)->Arg(1000)->Arg(32000)->Arg(128000)->Unit(benchmark::kMillisecond);

void LongList_LightingCaseRows_Window(benchmark::State& state) {
    const std::string bytes = caseFileBytes(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        stage("_0_0_0.lgh", bytes);
        state.ResumeTiming();
        frmLighting& w = Forms::instance<frmLighting>();
        benchmark::DoNotOptimize(w.lstLamp.ListItems.Count());
        state.PauseTiming();
        state.counters["rows"] = w.lstLamp.ListItems.Count();
        Forms::unload(w);
        state.ResumeTiming();
    }
}
BENCHMARK(LongList_LightingCaseRows_Window)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void LongList_LightingCaseRows_Engine(benchmark::State& state) {
    const std::string bytes = caseFileBytes(state.range(0));
    for (auto _ : state) {
        const lighting::LghContents c = lighting::ReadLghBytes(bytes);
        state.counters["rows"] = c.Rows ? static_cast<double>(c.Rows->size()) : 0;
    }
}
BENCHMARK(LongList_LightingCaseRows_Engine)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

/// The fan file of 128,000 losses and the case of 100,000 circuits, each in a fresh program.
void stageFanFile() {
    stage("_1.afd", fanFileBytes(128000));
    modPublic::AxialFanList.items = {"1"};
}
void stageCaseFile() {
    stage("_0_0_0.lgh", caseFileBytes(100000));
}
std::string fileBytes(const std::string& suffix) {
    return textfile::ReadBytes(projectFile(suffix)).value_or("");
}
const bench_stage::FreshOpening kFanWindow("AxialFanLosses_Window", stageFanFile, [] {
    benchmark::DoNotOptimize(Forms::instance<frmAxialFanDesign>().lstzeta.ListItems.Count());
});
const bench_stage::FreshOpening kFanEngine("AxialFanLosses_Engine", stageFanFile, [] {
    benchmark::DoNotOptimize(tools::ParseAxialFanFile(fileBytes("_1.afd")).Zetas.size());
});
const bench_stage::FreshOpening kCaseWindow("LightingCaseRows_Window", stageCaseFile, [] {
    benchmark::DoNotOptimize(Forms::instance<frmLighting>().lstLamp.ListItems.Count());
});
const bench_stage::FreshOpening kCaseEngine("LightingCaseRows_Engine", stageCaseFile, [] {
    benchmark::DoNotOptimize(lighting::ReadLghBytes(fileBytes("_0_0_0.lgh")).RefusedRowCount);
});

using bench_stage::FreshProgram;
BENCHMARK_CAPTURE(FreshProgram, AxialFanLosses_Window_128000, "AxialFanLosses_Window")
    ->Apply(bench_stage::FreshProgramRuns);
BENCHMARK_CAPTURE(FreshProgram, AxialFanLosses_Engine_128000, "AxialFanLosses_Engine")
    ->Apply(bench_stage::FreshProgramRuns);
BENCHMARK_CAPTURE(FreshProgram, LightingCaseRows_Window_100000, "LightingCaseRows_Window")
    ->Apply(bench_stage::FreshProgramRuns);
BENCHMARK_CAPTURE(FreshProgram, LightingCaseRows_Engine_100000, "LightingCaseRows_Engine")
    ->Apply(bench_stage::FreshProgramRuns);

/// The dialog with one straight piece of 10 m and `losses` typed losses at kOutside.
frmCalculatePd& lossDialog(long long losses) {
    bench_stage::freshFolder();
    frmCalculatePd& w = Forms::instance<frmCalculatePd>();
    w.lstSection.ListItems.Clear();
    platform::ListItem& piece = w.lstSection.ListItems.Add("10");
    for (const auto& [column, text] : {std::pair<int, const char*>{2, "1"}, {3, "4"}, {4, "1"}, {5, "0.1"}}) {
        piece.setSubItems(column, text);
    }
    w.lstzeta.ListItems.Clear();
    for (long long i = 0; i < losses; ++i) {
        w.lstzeta.ListItems.Add("1000000").setSubItems(1, "0.5");
    }
    w.txtQ.set("20");
    w.txtRHO.set("1.2");
    return w;
}

void LongList_DuctLossMarks_Window(benchmark::State& state) {
    frmCalculatePd& w = lossDialog(state.range(0));
    for (auto _ : state) {
        w.cmdCalculate_Click();
        benchmark::DoNotOptimize(w.lblZetaNote.Caption().size());
    }
}
BENCHMARK(LongList_DuctLossMarks_Window)->Arg(32000)->Arg(128000)->Unit(benchmark::kMillisecond);

void LongList_DuctLossMarks_Engine(benchmark::State& state) {
    const std::vector<ventparam::DuctPiece> pieces = {
        {.Length = 10, .Area = 1, .Diameter = 1, .Roughness = 0.1}};
    const std::vector<ventparam::DuctLocalLoss> losses(static_cast<std::size_t>(state.range(0)),
                                                       {kOutside, 0.5});
    const std::vector<double> positions(losses.size(), kOutside);
    for (auto _ : state) {
        const std::vector<int> outside = ventparam::DuctLossesOutside(pieces, positions);
        benchmark::DoNotOptimize(ventparam::DuctOutsideNote(pieces, outside).size());
        benchmark::DoNotOptimize(ventparam::DuctPressureLoss(pieces, losses, 20, 1.2, {}));
    }
}
BENCHMARK(LongList_DuctLossMarks_Engine)->Arg(32000)->Arg(128000)->Unit(benchmark::kMillisecond);

} // namespace

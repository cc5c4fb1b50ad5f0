// SPDX-License-Identifier: GPL-3.0-or-later
// The fire window opened on a .fir of 2,880 exhaust ports (one every 5 m of a 14.4 km tunnel, stored in
// ascending order as the window keeps them), through the window and through the reader and the ordered
// insertion on the same rows.
#include "bench/bench_stage.h"
#include "bench/scheme_project.h"
#include "fire/fire_file.h"
#include "fire/frmFire.h"
#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/vb.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using platform::Forms;

/// The bytes of a .fir whose port list holds `ports` stations 5 m apart, the rest as the template has it.
std::string manyPorts(long ports) {
    fire::FirSettings fir;
    for (long i = 0; i < ports; ++i) {
        fir.ExsmokePiles.push_back(vb::CStr(10000 + 5.0 * static_cast<double>(i)));
    }
    fir.Checks = {0, 0, 1, 0};
    fir.VentModes = {true, false, false};
    fir.TrafficModes = {true, false};
    fir.WindDirections = {true, false};
    fir.Texts = {"", "", "1120型射流风机", "0", "0.876"};
    fir.Range = {"", ""};
    fir.WindRatio = {"0", "70"};
    return fire::WriteFirFile(fir).Bytes();
}

void FirePorts_Window(benchmark::State& state) {
    scheme_project::templateProject();
    const std::string bytes = manyPorts(state.range(0));
    const std::string path = platform::AppPath() + "/proj.fir";
    long shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        textfile::WriteAtomically(path, bytes);
        state.ResumeTiming();
        frmFire& w = Forms::instance<frmFire>();
        shown = w.lstExsmokePile.ListItems.Count();
        state.PauseTiming();
        Forms::unload(w);
        Forms::collectGarbage();
        state.ResumeTiming();
    }
    state.counters["result"] = static_cast<double>(shown);
}
BENCHMARK(FirePorts_Window)->Arg(2880)->Unit(benchmark::kMillisecond);

void FirePorts_Engine(benchmark::State& state) {
    const std::string bytes = manyPorts(state.range(0));
    long shown = 0;
    for (auto _ : state) {
        scheme::SchemeReader in;
        in.Parse(bytes);
        const fire::FirSettings fir = fire::ReadFirFile(in);
        std::vector<std::string> rows;
        for (const std::string& row : fir.ExsmokePiles) {
            const std::size_t at = fire::OrderedPosition(
                rows.size(), [&rows](std::size_t i) { return vb::Val(rows[i]); }, vb::Val(row));
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), row);
        }
        shown = static_cast<long>(rows.size());
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["result"] = static_cast<double>(shown);
}
BENCHMARK(FirePorts_Engine)->Arg(2880)->Unit(benchmark::kMillisecond);

} // namespace

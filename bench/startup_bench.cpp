// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the main window loads its tables and the template project.
#include "app/frmReq.h"
#include "bench/bench_stage.h"
#include "platform/Forms.h"

#include <benchmark/benchmark.h>

namespace {

void StartUp_Window(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        bench_stage::freshFolder();
        state.ResumeTiming();
        frmReq& f = platform::Forms::instance<frmReq>();
        f.Show();
        benchmark::DoNotOptimize(&f);
    }
}
BENCHMARK(StartUp_Window)->Unit(benchmark::kMillisecond);

} // namespace

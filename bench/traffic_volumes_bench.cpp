// SPDX-License-Identifier: GPL-3.0-or-later
// Lighting step 1 opened on a .bgh whose graded traffic volumes stand in descending order: 1,000 (the
// most a file may list, all sorted) and 35,000 (refused with a word), through the window and through the
// engine (reading the records and sorting the volumes) on the same bytes.
#include "app/modPublic.h"
#include "bench/bench_stage.h"
#include "lighting/bgh_file.h"
#include "lighting/frmBrightness.h"
#include "lighting/zone_luminance.h"
#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/scheme_file.h"
#include "platform/text_file.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using platform::Forms;

/// The shipped template with its two volumes replaced by `n` descending ones.
std::string VolumesFile(long long n) {
    const std::string shipped =
        textfile::ReadBytes(std::string(CONFIGFILES_DIR) + "/Normal.bgh").value_or(std::string());
    std::size_t rest = 0;
    for (int line = 0; line < 3 && rest != std::string::npos; ++line) {
        rest = shipped.find('\n', rest);
        rest = rest == std::string::npos ? rest : rest + 1;
    }
    std::string bytes = std::to_string(n) + "\r\n";
    for (long long v = n; v >= 1; --v) {
        bytes += "\"" + std::to_string(v) + "\"\r\n";
    }
    return bytes + (rest == std::string::npos ? std::string() : shipped.substr(rest));
}

void TrafficVolumes_Window(benchmark::State& state) {
    const std::string bytes = VolumesFile(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        bench_stage::freshFolder();
        modPublic::ProjectFile = platform::AppPath() + "/bench.vnt";
        textfile::WriteAtomically(platform::ResolvePath(platform::AppPath() + "/bench.bgh"), bytes);
        state.ResumeTiming();
        frmBrightness& w = Forms::instance<frmBrightness>();
        benchmark::DoNotOptimize(w.lstNN.ListItems.Count());
        state.PauseTiming();
        Forms::destroyAll();
        state.ResumeTiming();
    }
}
BENCHMARK(TrafficVolumes_Window)->Arg(1000)->Arg(35000)->Unit(benchmark::kMillisecond);

void TrafficVolumes_Engine(benchmark::State& state) {
    const std::string bytes = VolumesFile(state.range(0));
    for (auto _ : state) {
        scheme::SchemeReader in;
        in.Parse(bytes);
        const lighting::BghContents c = lighting::ReadBgh(in);
        if (c.Volumes) {
            benchmark::DoNotOptimize(lighting::SortVolumes(*c.Volumes).size());
        }
    }
}
BENCHMARK(TrafficVolumes_Engine)->Arg(1000)->Arg(35000)->Unit(benchmark::kMillisecond);

} // namespace

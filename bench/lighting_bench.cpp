// SPDX-License-Identifier: GPL-3.0-or-later
// Lighting step 3: the point-by-point grid of a zone at 1, 10 and 100 % of 2 km (about 100, 1,000 and
// 10,000 points; 16, 155 and 1,505 lamps of the shipped lamp on the centre line), through the window
// (without and with the drawing) and through the engine on the same lamps and points.
#include "app/coef_table.h"
#include "app/modPublic.h"
#include "bench/bench_stage.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/frmLighting.h"
#include "lighting/point_lighting.h"
#include "platform/Forms.h"
#include "platform/paths.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using platform::Forms;

constexpr const char* kModel = "GE M-250R2 150W HPS MS2";
constexpr double kFullZone = 2000; // m

/// A step-2 row of a centre-line circuit of the shipped lamp with the given spacing.
std::vector<std::string> CircuitRow(const std::string& name, double spacing) {
    return {name, kModel, "150", "16000", "0.7", "0", "2", std::to_string(spacing),
            "0",  "6",    "0",   "0",     "1",   "0", "1", "0"};
}

/// The zone length of a benchmark argument in per cent of 2 km.
double ZoneLength(const benchmark::State& state) {
    return kFullZone * static_cast<double>(state.range(0)) / 100;
}

/// Step 2 with the lamps every 4 m and a circuit whose spacing is the zone, which makes the calculation
/// area the whole zone; points 1 m apart along and 5 across; step 3 with both switched on.
frmLighting& Stage(double zone, bool draw) {
    bench_stage::freshFolder();
    modPublic::ProjectFile.clear();
    frmDefineLamp& s2 = Forms::instance<frmDefineLamp>();
    s2.lstLamp.ListItems.Clear();
    for (const auto& row : {CircuitRow("回路A", 4), CircuitRow("回路B", zone)}) {
        platform::ListItem& item = s2.lstLamp.ListItems.Add(row[0]);
        for (int c = 1; c < 16; ++c) {
            item.setSubItems(c, row[static_cast<std::size_t>(c)]);
        }
    }
    s2.txtCalPointCount1.set(std::to_string(static_cast<int>(zone) + 1));
    s2.txtCalPointCount2.set("5");
    frmLighting& w = Forms::instance<frmLighting>();
    w.lstLamp.ListItems.Clear();
    for (const auto& [name, spacing] : {std::pair<std::string, double>{"回路A", 4}, {"回路B", zone}}) {
        platform::ListItem& item = w.lstLamp.ListItems.Add(name);
        item.setSubItems(1, std::to_string(spacing));
        item.setSubItems(2, "150");
        item.setSubItems(3, "0");
    }
    w.chkDraw.set(draw ? 1 : 0);
    return w;
}

void Run(benchmark::State& state, bool draw) {
    for (auto _ : state) {
        state.PauseTiming();
        frmLighting& w = Stage(ZoneLength(state), draw);
        state.ResumeTiming();
        w.cmdCalculate.userClick();
        benchmark::DoNotOptimize(w.LL_av);
    }
}

void LightingGrid_Window(benchmark::State& state) {
    Run(state, false);
}
BENCHMARK(LightingGrid_Window)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void LightingGridDrawn_Window(benchmark::State& state) {
    Run(state, true);
}
BENCHMARK(LightingGridDrawn_Window)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void LightingGrid_Engine(benchmark::State& state) {
    bench_stage::freshFolder();
    const double zone = ZoneLength(state);
    lighting::LampSource source;
    source.Circuit = lighting::CircuitFromRow(CircuitRow("回路A", 4));
    source.HasTable = modPublic::ReadTable(
        kModel, source.Table, platform::ResolvePath(platform::AppPath() + "/ConfigFiles/Icr.txt"));
    CoefTable road;
    modPublic::ReadTable("水泥混凝土路面", road, "");
    for (auto _ : state) {
        std::vector<lighting::PlacedLamp> lamps;
        for (const auto& [spacing, name] : {std::pair<double, const char*>{4, "回路A"}, {zone, "回路B"}}) {
            const std::vector<std::string> row = CircuitRow(name, spacing);
            const lighting::CircuitLamps laid =
                lighting::LayOutCircuit(name, spacing, 0, zone, lighting::LayoutFromRow(row));
            for (const lighting::LampPoint& p : laid.Lamps) {
                lamps.push_back({p.Pos, &source});
            }
        }
        const std::vector<lighting::Point3> points =
            lighting::GridPoints(zone, 7.5, static_cast<int>(zone) + 1, 5);
        const std::vector<lighting::PointValue> values =
            lighting::SumOverLamps(lamps, points, lighting::Observer(60, 7.5), road, 0, {});
        benchmark::DoNotOptimize(lighting::Summarise(values).LL_av);
    }
}
BENCHMARK(LightingGrid_Engine)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

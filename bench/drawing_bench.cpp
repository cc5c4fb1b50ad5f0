// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window: entities added as the curve plotter adds them (a segment and its point label, each
// coloured after it is added), shown in the window and fitted into view, against the same entities
// collected in a model space that no window shows.
#include "bench/bench_stage.h"
#include "platform/Cad.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace {

namespace cad = platform::cad;

void addCurve(cad::ModelSpace& ms, long entities) {
    for (long i = 0; i < entities / 2; ++i) {
        const double x = static_cast<double>(i) * 10;
        const double y = static_cast<double>(i % 37) * 25;
        ms.AddLine({x, y, 0}, {x + 10, y + 5, 0}).setColor(2);
        ms.AddText("K1+234.568:-56.79", {x + 20, y, 0}, 20).setColor(2).setLayer("CURVE");
    }
}

void Drawing_Window(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        bench_stage::freshFolder();
        state.ResumeTiming();
        cad::Application* app = cad::Application::Attach();
        app->setVisible(true);
        addCurve(app->activeDocument().modelSpace(), state.range(0));
        // The window shows the drawing once control is back in the event loop.
        QCoreApplication::processEvents();
        cad::zoomExtents();
        benchmark::DoNotOptimize(app->activeDocument().modelSpace().entities().data());
    }
}
BENCHMARK(Drawing_Window)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void Drawing_Engine(benchmark::State& state) {
    for (auto _ : state) {
        cad::ModelSpace ms;
        addCurve(ms, state.range(0));
        benchmark::DoNotOptimize(ms.entities().data());
    }
}
BENCHMARK(Drawing_Engine)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

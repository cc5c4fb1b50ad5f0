// SPDX-License-Identifier: GPL-3.0-or-later
// A line of a million characters read from a file: the about box with such a line in About.txt, and the
// list rows of the several-shafts window (.msj) and of lighting step 3 (.lgh) holding such a field. Each
// window opens, lays itself out and is drawn once. And the several-shafts calculation on such a row. The
// lighting case also cut short in its reserve records (a damaged file, named in a box), window and engine,
// in a running program and in one started for that opening alone. And the shaft-and-jet curve with the
// short passage's length a million characters long, window and engine.
#include "app/about_text.h"
#include "app/frmAbout.h"
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "bench/bench_stage.h"
#include "bench/scheme_project.h"
#include "jetfan/curve_inputs.h"
#include "jetfan/jet_curve.h"
#include "lighting/frmLighting.h"
#include "lighting/lgh_file.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "multishaft/multishaft_flows.h"
#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/shaft_and_jet.h"
#include "shaft/sj_curve.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/resistance.h"
#include "ventparam/station_lookup.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using platform::Forms;
namespace fs = std::filesystem;

const std::string kLongField(1'000'000, 'x');

std::string configFile(const std::string& name) {
    return (fs::path(platform::AppPath()) / "ConfigFiles" / name).string();
}

/// The shipped file `name` with the first occurrence of `field` (quotes included) holding the long line.
std::string withLongField(const std::string& name, const std::string& field,
                          const std::string& longField = kLongField) {
    std::string bytes = textfile::ReadBytes(configFile(name)).value_or("");
    const std::string quoted = textcodec::ToGbk(field);
    const std::size_t at = bytes.find(quoted);
    if (at != std::string::npos) {
        bytes.replace(at, quoted.size(), "\"" + longField + "\"");
    }
    return bytes;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    textfile::WriteAtomically(path, bytes);
}

/// Shows the window, lets it lay out and draws it.
void drawn(platform::Form& form) {
    form.Show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.window()->grab());
}

void LongLine_AboutBox(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        bench_stage::freshFolder();
        writeBytes(configFile("About.txt"), "\"Aridane\"\r\n\"" + kLongField + "\"\r\n");
        state.ResumeTiming();
        frmAbout& w = Forms::instance<frmAbout>();
        drawn(w);
        benchmark::DoNotOptimize(w.txtAbout.Text().size());
        Forms::unload(w);
    }
}
BENCHMARK(LongLine_AboutBox)->Unit(benchmark::kMillisecond);

/// About.txt of 1 MB in 500,000 short lines.
std::string manyShortLines() {
    std::string bytes;
    for (int i = 0; i < 500'000; ++i) {
        bytes += "x\r\n";
    }
    return bytes;
}

void ManyRows_AboutBox(benchmark::State& state) {
    const std::string bytes = manyShortLines();
    for (auto _ : state) {
        state.PauseTiming();
        bench_stage::freshFolder();
        writeBytes(configFile("About.txt"), bytes);
        state.ResumeTiming();
        frmAbout& w = Forms::instance<frmAbout>();
        drawn(w);
        benchmark::DoNotOptimize(w.txtAbout.Text().size());
        Forms::unload(w);
    }
}
BENCHMARK(ManyRows_AboutBox)->Unit(benchmark::kMillisecond);

void ManyRows_AboutText(benchmark::State& state) {
    bench_stage::freshFolder();
    writeBytes(configFile("About.txt"), manyShortLines());
    for (auto _ : state) {
        benchmark::DoNotOptimize(app::AboutText(configFile("About.txt")));
    }
}
BENCHMARK(ManyRows_AboutText)->Unit(benchmark::kMillisecond);

void LongLine_SeveralShaftsRows(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        bench_stage::freshFolder();
        Forms::instance<frmReq>();
        modPublic::ProjectFile = (fs::path(platform::AppPath()) / "bench.vnt").string();
        writeBytes((fs::path(platform::AppPath()) / "bench.msj").string(),
                   withLongField("Normal.msj", "\"240\""));
        state.ResumeTiming();
        frmMultiShaftAndJet& w = Forms::instance<frmMultiShaftAndJet>();
        drawn(w);
        benchmark::DoNotOptimize(w.lstShaft.ListItems(1).SubItems(1).size());
        Forms::unload(w);
    }
}
BENCHMARK(LongLine_SeveralShaftsRows)->Unit(benchmark::kMillisecond);

// "形成通风区段" with the first shaft's exhaust flow typed as 1240 followed by a million blanks: the
// design-flow search walks some 500 candidates up to a first section that carries it.
const std::string kLongQe = "1240" + std::string(1'000'000, ' ');

void LongLine_SeveralShaftsSearch_Window(benchmark::State& state) {
    frmReq& req = scheme_project::templateProject();
    writeBytes((fs::path(platform::AppPath()) / "proj.msj").string(),
               withLongField("Normal.msj", "\"240\"", kLongQe));
    scheme_project::openScheme<frmMultiShaftAndJet>(req, 4, [&](frmMultiShaftAndJet& w) {
        for (auto _ : state) {
            w.cmdShaftSection_Click();
        }
        state.counters["Qr1"] = vb::Val(w.lstShaftSection.ListItems(1).SubItems(3));
    });
}
BENCHMARK(LongLine_SeveralShaftsSearch_Window)->Unit(benchmark::kMillisecond);

// The same search on the rows and shafts read once.
void LongLine_SeveralShaftsSearch_Engine(benchmark::State& state) {
    frmReq& req = scheme_project::templateProject();
    writeBytes((fs::path(platform::AppPath()) / "proj.msj").string(),
               withLongField("Normal.msj", "\"240\"", kLongQe));
    scheme_project::severalShaftsSearch(state, req);
}
BENCHMARK(LongLine_SeveralShaftsSearch_Engine)->Unit(benchmark::kMillisecond);

/// The shipped case with its spacing a million characters long, cut ten bytes before its end.
std::string cutLongCase() {
    std::string bytes = withLongField("normal.lgh", "\"8\"");
    bytes.resize(bytes.size() - 10);
    return bytes;
}

std::string cutCasePath() {
    return (fs::path(platform::AppPath()) / "bench_0_0_0.lgh").string();
}

/// A fresh folder whose project's first lighting case holds `bytes`.
void stageCase(const std::string& bytes) {
    bench_stage::freshFolder();
    Forms::instance<frmReq>();
    modPublic::ProjectFile = (fs::path(platform::AppPath()) / "bench.vnt").string();
    writeBytes(cutCasePath(), bytes);
}

void stageCutCase() {
    stageCase(cutLongCase());
}

/// Lighting step 3 opened on the case `stage` writes, each time in a fresh folder.
void OpenLightingCase(benchmark::State& state, void (*stage)()) {
    for (auto _ : state) {
        state.PauseTiming();
        stage();
        state.ResumeTiming();
        frmLighting& w = Forms::instance<frmLighting>();
        drawn(w);
        benchmark::DoNotOptimize(w.lstLamp.ListItems.Count());
        Forms::unload(w);
    }
}

void LongLine_LightingCaseRows(benchmark::State& state) {
    OpenLightingCase(state, [] { stageCase(withLongField("normal.lgh", "\"8\"")); });
}
BENCHMARK(LongLine_LightingCaseRows)->Unit(benchmark::kMillisecond);

void LongLine_LightingCaseCut_Window(benchmark::State& state) {
    OpenLightingCase(state, stageCutCase);
}
BENCHMARK(LongLine_LightingCaseCut_Window)->Unit(benchmark::kMillisecond);

void LongLine_LightingCaseCut_Engine(benchmark::State& state) {
    const std::string bytes = cutLongCase();
    for (auto _ : state) {
        benchmark::DoNotOptimize(lighting::ReadLghBytes(bytes).Rows);
    }
}
BENCHMARK(LongLine_LightingCaseCut_Engine)->Unit(benchmark::kMillisecond);

const bench_stage::FreshOpening kCutCaseWindow("LightingCaseCut_Window", stageCutCase, [] {
    frmLighting& w = Forms::instance<frmLighting>();
    drawn(w);
});
const bench_stage::FreshOpening kCutCaseEngine("LightingCaseCut_Engine", stageCutCase, [] {
    benchmark::DoNotOptimize(lighting::ReadLghBytes(textfile::ReadBytes(cutCasePath()).value_or("")).Rows);
});

// The shaft-and-jet curve that 动力计算 reads its fans' pressures from, on the template's shaft with its
// short passage typed as 60 followed by 999,998 letters: a typo read as 60, marked, and read again at every
// point of the curve (the flow and the air speed at a station read the window's boxes).
const std::string kLongDs = "60" + std::string(999'998, 'x');

/// The template project with the long short passage in its .sj, the shaft-and-jet window opened on it, its
/// section demand and pressures computed, then `script`.
void onLongPassage(const std::function<void(frmShaftAndJet&)>& script) {
    frmReq& req = scheme_project::templateProject();
    writeBytes((fs::path(platform::AppPath()) / "proj.sj").string(),
               withLongField("Normal.sj", "\"60\"", kLongDs));
    constexpr int kShaftJetScheme = 3;
    scheme_project::openScheme<frmShaftAndJet>(req, kShaftJetScheme, [&](frmShaftAndJet& w) {
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        script(w);
    });
}

void LongLine_ShaftJetCurve_Window(benchmark::State& state) {
    onLongPassage([&](frmShaftAndJet& w) {
        for (auto _ : state) {
            benchmark::DoNotOptimize(w.BuildPressureCurve(false, false, false));
        }
        state.counters["points"] = static_cast<double>(w.dPressPoints.size());
    });
}
BENCHMARK(LongLine_ShaftJetCurve_Window)->Unit(benchmark::kMillisecond);

// The same curve from the window's numbers read once, its areas and frictions over the main window's lists
// read once.
void LongLine_ShaftJetCurve_Engine(benchmark::State& state) {
    shaft::SjCurveInputs in;
    double qs = 0;
    onLongPassage([&](frmShaftAndJet& w) {
        w.UpdateData(true);
        jetfan::ReadCurveGroups(w.lstJet, in.Groups);
        for (auto [value, box] : {std::pair{&in.ShaftPile, &w.txtShaftPile},
                                  {&in.ds, &w.txtds},
                                  {&in.Qr1, &w.txtQQ_r1},
                                  {&in.Qr2, &w.txtQQ_r2},
                                  {&in.Qe, &w.txtQQ_e},
                                  {&in.Qb, &w.txtQQ_b},
                                  {&qs, &w.txtQQ_s},
                                  {&in.deltap_e, &w.txtdeltap_e},
                                  {&in.deltap_b, &w.txtdeltap_b},
                                  {&in.deltap_t1, &w.txtdeltap_t1},
                                  {&in.deltap_t2, &w.txtdeltap_t2},
                                  {&in.CC_2, &w.txtCC_2},
                                  {&in.CC_2s, &w.txtCC_2s},
                                  {&in.CC_3, &w.txtCC_3}}) {
            *value = vb::Val(box->Text());
        }
        in.CC_2b = w.CC_2b;
        in.Zeta_fencha = w.Zeta_fencha;
        in.Zeta_heliu = w.Zeta_heliu;
        in.zeta_e = w.zeta_e;
        in.v_n = vb::Val(Forms::instance<frmVentParam>().txtv_n.Text());
        in.LocalLosses = jetfan::StepTwoLocalLosses();
        in.SectionStations = jetfan::SectionEndStations();
    });
    frmReq& req = Forms::instance<frmReq>();
    const ventparam::IndexedStations st = scheme_project::stationsOf(req);
    in.TunnelStart = modPublic::StartPile;
    in.TunnelLength = modPublic::EndPile - modPublic::StartPile;
    in.RightLine = !req.optLeftLine.Value();
    in.PileDirection = modPublic::PileDirection;
    in.rho = modPublic::rho;
    in.lambda = modPublic::lambda_r;
    const bool left = !in.RightLine;
    shaft::SjCurveLookups look;
    look.FlowAt = [&](double s) {
        return shaft::FlowAtPile(s, modPublic::StartPile, modPublic::EndPile, in.ShaftPile, in.ds, left,
                                 in.Qr1, qs, in.Qr2);
    };
    look.VelocityAt = [&](double s) {
        return shaft::SjLossFlow(s, in.ShaftPile, in.ds, left, in.Qr1, in.Qr2, in.Qe) /
               ventparam::GetAA_r(st, s);
    };
    look.Area = [&](double s) { return ventparam::GetAA_r(st, s); };
    look.Friction = [&](double to, double from, double lambda, double rho, double q) {
        return ventparam::GetYANCHENGDeltap_r_m(st, to, from, lambda, rho, q,
                                                {jetfan::kWalkSectionType, jetfan::kWalkEntranceLoss,
                                                 jetfan::kWalkBranchLoss, jetfan::kWalkMergeLoss});
    };
    std::size_t points = 0;
    for (auto _ : state) {
        const shaft::SjCurves curves = shaft::BuildSjCurves(in, look);
        points = curves.Pressure.size();
        benchmark::DoNotOptimize(curves.Velocity.data());
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(LongLine_ShaftJetCurve_Engine)->Unit(benchmark::kMillisecond);

using bench_stage::FreshProgram;
BENCHMARK_CAPTURE(FreshProgram, LightingCaseCut_Window, "LightingCaseCut_Window")
    ->Apply(bench_stage::FreshProgramRuns);
BENCHMARK_CAPTURE(FreshProgram, LightingCaseCut_Engine, "LightingCaseCut_Engine")
    ->Apply(bench_stage::FreshProgramRuns);

} // namespace

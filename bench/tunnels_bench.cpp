// SPDX-License-Identifier: GPL-3.0-or-later
// Long tunnels: the pages of the template, the segment table, page 6 with its 1 km search, the station
// lookups and the required-air report, each through the main window and through the engine on the same
// work. The long tunnel has as many slope rows as section rows, at the same stations, over the length of
// the template tunnel.
#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/modPublic.h"
#include "bench/bench_stage.h"
#include "bench/scheme_project.h"
#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "reqair/congestion_demand.h"
#include "reqair/design_concentration.h"
#include "reqair/frmReportControl.h"
#include "reqair/frmReq_inputs.h"
#include "reqair/oneway_demand.h"
#include "reqair/segments.h"
#include "reqair/stretch_demand.h"
#include "reqair/twoway_demand.h"
#include "ventparam/resistance.h"
#include "ventparam/station_lookup.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr double kStart = 10000;
constexpr double kLength = 5235;
/// Stations looked up along the tunnel, as a pressure curve asks for them.
constexpr int kLookups = 1000;

frmReq& templateWindow() {
    bench_stage::freshFolder();
    frmReq& w = platform::Forms::instance<frmReq>();
    w.Show();
    return w;
}

void addRow(platform::ListView& list, const std::string& text, const std::vector<std::string>& cells) {
    platform::ListItem& row = list.ListItems.Add(text);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        row.setSubItems(static_cast<int>(c) + 1, cells[c]);
    }
}

/// The template with its slope and section lists replaced by `rows` rows each, and the segment table
/// rebuilt from them.
frmReq& longTunnel(int rows) {
    frmReq& w = templateWindow();
    w.lstSlope.ListItems.Clear();
    w.lstSection.ListItems.Clear();
    w.txtStartPile.set(vb::CStr(kStart));
    for (int i = 1; i <= rows; ++i) {
        const double pile = kStart + std::floor(kLength * i / rows * 100) / 100;
        const std::string text = i == rows ? vb::CStr(kStart + kLength) : vb::CStr(pile);
        addRow(w.lstSlope, text, {vb::CStr(((i % 7) - 3) * 0.5)});
        addRow(w.lstSection, text,
               {vb::CStr(60 + i % 5), "32", vb::Format(4 * (60 + i % 5) / 32.0, "0.000")});
    }
    w.cmdRefreshSegment_Click();
    return w;
}

// ---- What the engine paths are given: read from the window once, before the timing ----

reqair::DesignConcentrationInput concentrations(frmReq& w) {
    auto caseOf = [](platform::CheckBox& dc, platform::TextBox& dt, platform::CheckBox& kc,
                     platform::TextBox& kt) {
        reqair::CaseConcentration c;
        c.DeltaComputed = dc.Value() == 1;
        c.DeltaTyped = vb::Val(dt.Text());
        c.KKComputed = kc.Value() == 1;
        c.KKTyped = vb::Val(kt.Text());
        return c;
    };
    reqair::DesignConcentrationInput in;
    in.Cases[0] = caseOf(w.chkDelta, w.txtDelta, w.chkKK, w.txtKK);
    in.Cases[1] = caseOf(w.chkDeltaBi, w.txtDelta_Bi, w.chkKKBi, w.txtKK_Bi);
    in.Cases[2] = caseOf(w.chkDeltaBlock, w.txtDelta_block, w.chkKKBlock, w.txtKK_block);
    in.COModelIndex = w.lstCOModel.ListIndex();
    in.LightModelIndex = w.lstLightModel.ListIndex();
    in.TunnelLength = w.GetTunnelLength();
    return in;
}

reqair::TunnelLayout layoutOf(frmReq& w) {
    reqair::TunnelLayout layout;
    layout.StartPile = vb::Val(w.txtStartPile.Text());
    layout.TunnelLength = w.GetTunnelLength();
    for (int i = 1; i <= w.lstSlope.ListItems.Count(); ++i) {
        platform::ListItem& row = w.lstSlope.ListItems(i);
        layout.Slopes.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1))});
    }
    for (int i = 1; i <= w.lstSection.ListItems.Count(); ++i) {
        platform::ListItem& row = w.lstSection.ListItems(i);
        layout.Sections.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1)), vb::Val(row.SubItems(2)),
                                   vb::Val(row.SubItems(3))});
    }
    for (int i = 1; i <= w.lstBlock.ListItems.Count(); ++i) {
        platform::ListItem& row = w.lstBlock.ListItems(i);
        layout.Blocks.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1))});
    }
    layout.LeftLine = w.optLeftLine.Value();
    layout.OneWaySpeed = vb::Val(w.txtworkv_t.Text());
    layout.TwoWaySpeed = vb::Val(w.cmbWorkVt_Bidirection.Text());
    return layout;
}

app::SegmentTableInput segmentTableInput(frmReq& w) {
    app::SegmentTableInput in;
    in.StartPile = w.txtStartPile.Text();
    for (int i = 1; i <= w.lstSlope.ListItems.Count(); ++i) {
        platform::ListItem& row = w.lstSlope.ListItems(i);
        in.Slopes.push_back({row.Text(), row.SubItems(1)});
    }
    for (int i = 1; i <= w.lstSection.ListItems.Count(); ++i) {
        platform::ListItem& row = w.lstSection.ListItems(i);
        in.Sections.push_back({row.Text(), row.SubItems(1), row.SubItems(2), row.SubItems(3)});
    }
    in.DesignSpeed = w.cmbvt.Text();
    in.LeftLine = w.optLeftLine.Value();
    return in;
}

std::vector<reqair::CalSegment> segmentRows(frmReq& w) {
    std::vector<reqair::CalSegment> rows;
    for (int i = 1; i <= w.lstSegment.ListItems.Count(); ++i) {
        platform::ListItem& row = w.lstSegment.ListItems(i);
        std::array<std::string, 6> cells;
        for (int c = 1; c <= 6; ++c) {
            cells[static_cast<std::size_t>(c - 1)] = row.SubItems(c);
        }
        rows.push_back(reqair::SegmentFromCells(cells));
    }
    return rows;
}

/// Everything the engine calculations of pages 4 to 6 take, as the window holds it.
struct EngineWork {
    reqair::TunnelLayout Layout;
    reqair::StretchDemandInput Stretch; ///< without segments
    reqair::OneWayInput OneWay;
    reqair::TwoWayInput TwoWay;
    std::vector<double> Speeds;
    double ExchangeNum = 0;
};

EngineWork engineWork(frmReq& w) {
    w.RefreshData(true);
    EngineWork e;
    e.Layout = layoutOf(w);
    reqair::StretchDemandInput& s = e.Stretch;
    s.qco = vb::Val(w.txtq_co_at_Year.Text());
    s.qvi = vb::Val(w.txtq_VI_at_Year.Text());
    s.COAir = vb::Val(w.txtCO_in_Air.Text());
    s.nnCO = w.nn_co;
    s.nnVI = w.nn_vi;
    s.nnCOBi = vb::Val(w.txtBiDirection.Text()) * w.nn_co;
    s.nnVIBi = vb::Val(w.txtBiDirection.Text()) * w.nn_vi;
    s.Site = reqair::window::siteFactors(w);
    s.Concentrations = concentrations(w);

    e.OneWay.Segments = segmentRows(w);
    e.OneWay.qco = s.qco;
    e.OneWay.qvi = s.qvi;
    e.OneWay.nn_co = s.nnCO;
    e.OneWay.nn_vi = s.nnVI;
    e.OneWay.COAir = s.COAir;
    e.OneWay.Site = s.Site;
    e.OneWay.Concentrations = s.Concentrations;

    e.TwoWay.Segments = e.OneWay.Segments;
    e.TwoWay.BiDirectionFactor = vb::Val(w.txtBiDirection.Text());
    e.TwoWay.MainDirectionRatio = vb::Val(w.txtMainDirectionRatio.Text());
    e.TwoWay.nn_co = s.nnCO;
    e.TwoWay.nn_vi = s.nnVI;
    e.TwoWay.Speed = vb::Val(w.cmbWorkVt_Bidirection.Text());
    e.TwoWay.qco = s.qco;
    e.TwoWay.qvi = s.qvi;
    e.TwoWay.COAir = s.COAir;
    e.TwoWay.Site = s.Site;
    e.TwoWay.Concentrations = s.Concentrations;

    for (const vb::Integer speed : modPublic::WorkSpeeds) {
        e.Speeds.push_back(speed);
    }
    e.ExchangeNum = vb::Val(w.txtExchangeNum.Text());
    return e;
}

double stretchDemand(const EngineWork& e, int iCaseID, double dsp, double dep, double* co, double* vi) {
    reqair::StretchDemandInput in = e.Stretch;
    in.iCaseID = iCaseID;
    in.dsp = dsp;
    in.dep = dep;
    const std::vector<double> extra{dsp, dep};
    in.Segments =
        reqair::BuildSegments(e.Layout, extra, iCaseID, reqair::kTunnelEnd, reqair::kTunnelEnd, 0).Segments;
    const reqair::StretchDemand d =
        reqair::GetStretchDemand(in, reqair::window::emissionTables(), modPublic::CoefTableOf("K"));
    *co += d.QreqCO;
    *vi += d.QreqVI;
    return reqair::GoverningDemand(d.SumCO, d.SumVI, *co, *vi);
}

/// The 1 km search alone: every candidate window's demand, from the tunnel cut once.
reqair::CongestionWindow engineSearch(const EngineWork& e) {
    const reqair::OneKmWindowDemand demand(e.Layout, e.Stretch, reqair::window::emissionTables(),
                                           modPublic::CoefTableOf("K"));
    return reqair::SearchCongestionWindow(e.Layout.StartPile, e.Layout.TunnelLength, [&](double s, double t) {
        const reqair::WindowClip clip = reqair::ClipToWindow(s, t, s, t);
        return clip.Overlaps ? demand(clip.dsp, clip.dep).Governing : 0.0;
    });
}

/// Page 6: full-length congestion, the search and the demand of the window found.
double enginePage6(const EngineWork& e) {
    reqair::StretchDemandInput in = e.Stretch;
    in.iCaseID = reqair::kCaseCongestion;
    const reqair::SegmentCut cut = reqair::BuildSegments(e.Layout, {}, reqair::kCaseCongestion,
                                                         reqair::kTunnelEnd, reqair::kTunnelEnd, 0);
    in.Segments = cut.Segments;
    in.dsp = cut.dsp;
    in.dep = cut.dep;
    const reqair::StretchDemand d =
        reqair::GetStretchDemand(in, reqair::window::emissionTables(), modPublic::CoefTableOf("K"));
    std::vector<double> lengths;
    for (const reqair::BlockRow& b : e.Layout.Blocks) {
        lengths.push_back(b.Length);
    }
    const reqair::BlockDemand blocks = reqair::SumBlockDemand(
        cut.Segments, d.Segments, reqair::BlockBoundaries(e.Layout.StartPile, lengths));
    const reqair::CongestionWindow window = engineSearch(e);
    double co = 0;
    double vi = 0;
    stretchDemand(e, reqair::kCaseOneKmCongestion, window.Start, window.End, &co, &vi);
    return blocks.SumCO + co + vi;
}

/// Pages 4 (every working speed), 5 and 6 and the air changes: what one design year of the report
/// recalculates.
double engineYear(const EngineWork& e) {
    double sum = 0;
    const reqair::EmissionTables tables = reqair::window::emissionTables();
    const CoefTable& tableK = modPublic::CoefTableOf("K");
    for (double speed : e.Speeds) {
        reqair::OneWayInput in = e.OneWay;
        in.dvt = speed;
        sum += reqair::CalculateOneWay(in, tables, tableK).SCO;
    }
    sum += reqair::CalculateTwoWay(e.TwoWay, tables, tableK).SCO;
    sum += enginePage6(e);
    return sum;
}

// ---- The pages of the template ----

void TemplatePage_Window(benchmark::State& state) {
    frmReq& w = templateWindow();
    const int page = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        w.pgMain.set(page == 1 ? 2 : 1);
        state.ResumeTiming();
        w.pgMain.set(page);
    }
}
BENCHMARK(TemplatePage_Window)->DenseRange(1, 7)->Unit(benchmark::kMillisecond);

void TemplatePage_Engine(benchmark::State& state) {
    frmReq& w = templateWindow();
    const EngineWork e = engineWork(w);
    const int page = static_cast<int>(state.range(0));
    const reqair::EmissionTables tables = reqair::window::emissionTables();
    const CoefTable& tableK = modPublic::CoefTableOf("K");
    state.counters["segments"] = static_cast<double>(e.OneWay.Segments.size());
    for (auto _ : state) {
        switch (page) {
        case 2:
            benchmark::DoNotOptimize(app::build_segment_table(segmentTableInput(w)));
            break;
        case 4: {
            reqair::OneWayInput in = e.OneWay;
            in.dvt = static_cast<double>(w.sclVt.Value());
            benchmark::DoNotOptimize(reqair::CalculateOneWay(in, tables, tableK));
            break;
        }
        case 5:
            benchmark::DoNotOptimize(reqair::CalculateTwoWay(e.TwoWay, tables, tableK));
            break;
        case 6:
            benchmark::DoNotOptimize(enginePage6(e));
            break;
        default:
            break; // pages 1, 3 and 7 calculate nothing worth an engine line of their own
        }
    }
}
BENCHMARK(TemplatePage_Engine)->DenseRange(2, 6, 2)->Arg(5)->Unit(benchmark::kMillisecond);

// ---- The required-air report ----

/// Every year row of the template (or only the first), every case, every working speed.
void chooseReport(bool allYears) {
    bench_stage::onModal<frmReportControl>([allYears](frmReportControl& d) {
        auto clearAll = [](platform::ListBox& list) {
            for (int i = 0; i < list.ListCount(); ++i) {
                if (list.Selected(i)) {
                    list.userClick(i);
                }
            }
        };
        clearAll(d.lstvt);
        clearAll(d.lstYear);
        clearAll(d.lstCase);
        for (int i = 0; i < (allYears ? d.lstYear.ListCount() : 1); ++i) {
            d.lstYear.userClick(i);
        }
        for (int i = 0; i < d.lstCase.ListCount(); ++i) {
            d.lstCase.userClick(i);
        }
        for (int i = 0; i < d.lstvt.ListCount(); ++i) {
            d.lstvt.userClick(i);
        }
        if (d.chkOpenReport.Value() == 1) {
            d.chkOpenReport.userClick();
        }
        d.cmdOK.userClick();
    });
}

void runReport(benchmark::State& state, frmReq& w, bool allYears) {
    modPublic::ProjectFile = (std::filesystem::path(platform::AppPath()) / "bench.vnt").string();
    for (auto _ : state) {
        state.PauseTiming();
        chooseReport(allYears);
        state.ResumeTiming();
        w.mnuToolReport_Click();
    }
}

void Report_Window(benchmark::State& state) {
    runReport(state, templateWindow(), true);
}
BENCHMARK(Report_Window)->Unit(benchmark::kMillisecond);

void Report_Engine(benchmark::State& state) {
    frmReq& w = templateWindow();
    const int years = w.lstTraffic.ListItems.Count();
    const EngineWork e = engineWork(w);
    for (auto _ : state) {
        for (int y = 0; y < years; ++y) {
            benchmark::DoNotOptimize(engineYear(e));
        }
    }
}
BENCHMARK(Report_Engine)->Unit(benchmark::kMillisecond);

void OneYearReport_Window(benchmark::State& state) {
    runReport(state, longTunnel(static_cast<int>(state.range(0))), false);
}
BENCHMARK(OneYearReport_Window)->Arg(3000)->Unit(benchmark::kMillisecond);

void OneYearReport_Engine(benchmark::State& state) {
    const EngineWork e = engineWork(longTunnel(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(engineYear(e));
    }
}
BENCHMARK(OneYearReport_Engine)->Arg(3000)->Unit(benchmark::kMillisecond);

// ---- Long tunnels: page 6, the 1 km search, the segment table, the station lookups ----

void Page6_Window(benchmark::State& state) {
    frmReq& w = longTunnel(static_cast<int>(state.range(0)));
    w.chkBlock.set(1);
    for (auto _ : state) {
        state.PauseTiming();
        w.pgMain.set(1);
        state.ResumeTiming();
        w.pgMain.set(6);
    }
}
BENCHMARK(Page6_Window)->Arg(3)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

void Page6_Engine(benchmark::State& state) {
    frmReq& w = longTunnel(static_cast<int>(state.range(0)));
    w.chkBlock.set(1);
    const EngineWork e = engineWork(w);
    for (auto _ : state) {
        benchmark::DoNotOptimize(enginePage6(e));
    }
}
BENCHMARK(Page6_Engine)->Arg(3)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

/// Ten times the template: 52.35 km, 500 slope rows, 200 sections and 100 congestion blocks, saved under
/// a name so that 下一步 and 保存 run.
frmReq& tenfoldTemplate() {
    frmReq& w = longTunnel(500);
    w.lstSection.ListItems.Clear();
    w.lstBlock.ListItems.Clear();
    for (int i = 1; i <= 200; ++i) {
        const double pile = kStart + 10 * kLength * i / 200;
        addRow(w.lstSection, vb::CStr(pile),
               {vb::CStr(60 + i % 5), "32", vb::Format(4 * (60 + i % 5) / 32.0, "0.000")});
    }
    for (int i = 1; i <= 500; ++i) {
        w.lstSlope.ListItems(i).setText(vb::CStr(kStart + 10 * kLength * i / 500));
    }
    for (int i = 1; i <= 100; ++i) {
        addRow(w.lstBlock, vb::CStr(10 * kLength / 100), {i % 2 == 0 ? "10" : "40"});
    }
    w.cmdRefreshSegment_Click();
    modPublic::ProjectFile = platform::AppPath() + "/tenfold.vnt";
    w.SaveFile();
    return w;
}

/// 下一步 (0, step 2 left at once) or 保存 (1) of the ten-fold template just after an altitude typed, so that
/// every total of pages 4 to 7 is brought up to date first.
void TenfoldHandOff_Window(benchmark::State& state) {
    frmReq& w = tenfoldTemplate();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.txtElevation.set(++n % 2 == 0 ? "1430.39" : "2500");
        if (state.range(0) == 0) {
            bench_stage::onModal<frmVentParam>([](frmVentParam& step2) { step2.cmdReturn.userClick(); });
        }
        state.ResumeTiming();
        if (state.range(0) == 0) {
            w.cmdNextStep_Click();
        } else {
            w.mnuFileSave_Click();
        }
    }
    state.counters["segments"] = w.lstSegment.ListItems.Count();
}
BENCHMARK(TenfoldHandOff_Window)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

/// The same totals through the engine: pages 4 (at every working speed), 5 (at every two-way speed) and 6.
void TenfoldHandOff_Engine(benchmark::State& state) {
    const EngineWork e = engineWork(tenfoldTemplate());
    for (auto _ : state) {
        double sum = engineYear(e);
        for (double speed : e.Speeds) {
            reqair::TwoWayInput in = e.TwoWay;
            in.Speed = speed;
            sum += reqair::CalculateTwoWay(in, reqair::window::emissionTables(), modPublic::CoefTableOf("K"))
                       .SCO;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(TenfoldHandOff_Engine)->Arg(0)->Unit(benchmark::kMillisecond);

void OneKmSearch_Window(benchmark::State& state) {
    frmReq& w = longTunnel(static_cast<int>(state.range(0)));
    w.chkBlock.set(1);
    for (auto _ : state) {
        w.cmdCalculateQQ_block_Click();
    }
}
BENCHMARK(OneKmSearch_Window)->Arg(3)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

void OneKmSearch_Engine(benchmark::State& state) {
    const EngineWork e = engineWork(longTunnel(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(engineSearch(e));
    }
}
BENCHMARK(OneKmSearch_Engine)->Arg(3)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

/// The template (rows 0) or the long tunnel of `rows` rows with its last slope station typed with three
/// zeros too many (15235000: a 15,225 km tunnel), so that the 1 km search tries its most candidates.
frmReq& mistypedEnd(int rows) {
    frmReq& w = rows == 0 ? templateWindow() : longTunnel(rows);
    platform::ListItem& last = w.lstSlope.ListItems(w.lstSlope.ListItems.Count());
    last.setText("15235000");
    w.chkBlock.set(1);
    return w;
}

void OneKmSearchMistypedEnd_Window(benchmark::State& state) {
    frmReq& w = mistypedEnd(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        w.cmdCalculateQQ_block_Click();
    }
}
BENCHMARK(OneKmSearchMistypedEnd_Window)->Arg(0)->Arg(3000)->Unit(benchmark::kMillisecond);

void OneKmSearchMistypedEnd_Engine(benchmark::State& state) {
    const EngineWork e = engineWork(mistypedEnd(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(engineSearch(e));
    }
}
BENCHMARK(OneKmSearchMistypedEnd_Engine)->Arg(0)->Arg(3000)->Unit(benchmark::kMillisecond);

void RefreshSegments_Window(benchmark::State& state) {
    frmReq& w = longTunnel(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        w.cmdRefreshSegment_Click();
    }
}
BENCHMARK(RefreshSegments_Window)->Arg(3000)->Unit(benchmark::kMillisecond);

void RefreshSegments_Engine(benchmark::State& state) {
    frmReq& w = longTunnel(static_cast<int>(state.range(0)));
    const app::SegmentTableInput in = segmentTableInput(w);
    for (auto _ : state) {
        benchmark::DoNotOptimize(app::build_segment_table(in));
    }
}
BENCHMARK(RefreshSegments_Engine)->Arg(3000)->Unit(benchmark::kMillisecond);

/// Area, slope and the resistance from the start to each of kLookups stations, as a pressure curve asks;
/// the second argument 1 holds the lists over the whole curve, as a caller that asks for many stations can.
void StationLookups_Window(benchmark::State& state) {
    frmReq& w = longTunnel(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::optional<frmReq::HoldLists> hold;
        if (state.range(1) != 0) {
            hold.emplace(w);
        }
        double sum = 0;
        for (int k = 0; k < kLookups; ++k) {
            const double pile = kStart + kLength * k / kLookups;
            sum +=
                w.GetAA_r(pile) + w.GetSlope_i(pile) + w.GetYANCHENGDeltap_r_m(kStart, pile, 0.02, 1.2, 300);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(StationLookups_Window)->Args({3000, 0})->Args({3000, 1})->Unit(benchmark::kMillisecond);

void StationLookups_Engine(benchmark::State& state) {
    const ventparam::IndexedStations lists(
        scheme_project::stationListsOf(longTunnel(static_cast<int>(state.range(0)))));
    for (auto _ : state) {
        double sum = 0;
        for (int k = 0; k < kLookups; ++k) {
            const double pile = kStart + kLength * k / kLookups;
            sum += ventparam::GetAA_r(lists, pile) + ventparam::GetSlope_i(lists, pile) +
                   ventparam::GetYANCHENGDeltap_r_m(lists, kStart, pile, 0.02, 1.2, 300);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(StationLookups_Engine)->Arg(3000)->Unit(benchmark::kMillisecond);

} // namespace

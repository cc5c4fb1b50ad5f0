// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "bench/bench_stage.h"
#include "fire/fire_scheme.h"
#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/station_lookup.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "multishaft/multishaft_flows.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

/// The template project and the way to its scheme windows, shared by the scheme benchmarks.
namespace scheme_project {

/// The template project saved under a name, so that the scheme windows and the tables have their files,
/// with a one-way demand of 300 m³/s.
inline frmReq& templateProject() {
    bench_stage::freshFolder();
    frmReq& req = platform::Forms::instance<frmReq>();
    modPublic::ProjectFile = platform::AppPath() + "/proj.vnt";
    req.SaveFile();
    req.txtQQ_req_CO.setSilently("300");
    req.txtQQ_req_VI.setSilently("250");
    return req;
}

/// Step 2 from the main window and the scheme window W from step 2; `before` acts on step 2 first (a
/// case), `script` on the window, which is then left by its back (or close) button unless the script closed
/// it.
template <class W>
void openScheme(frmReq& req, int scheme, const std::function<void(W&)>& script,
                const std::function<void(frmVentParam&)>& before = {}) {
    bench_stage::onModal<frmVentParam>([&](frmVentParam& step2) {
        if (before) {
            before(step2);
        }
        step2.cmbNextStep.setListIndex(scheme);
        bench_stage::onModal<W>([&](W& w) {
            script(w);
            if (platform::Forms::isLoaded(w)) {
                if constexpr (requires { w.cmdBack; }) {
                    w.cmdBack.userClick();
                } else {
                    w.cmdClose.userClick();
                }
            }
        });
        step2.cmdNextStep.userClick();
        step2.cmdReturn.userClick();
    });
    req.cmdNextStep.userClick();
}

/// The main window's slope and section lists as they stand, as an engine line takes them.
inline ventparam::StationLists stationListsOf(frmReq& req) {
    ventparam::StationLists lists;
    lists.StartPile = vb::Val(req.txtStartPile.Text());
    lists.TunnelLength = req.GetTunnelLength();
    lists.LeftLine = req.optLeftLine.Value();
    for (int i = 1; i <= req.lstSection.ListItems.Count(); ++i) {
        platform::ListItem& row = req.lstSection.ListItems(i);
        lists.Sections.push_back({vb::Val(row.Text()), vb::StrictNumber(row.SubItems(1)),
                                  vb::StrictNumber(row.SubItems(2)), vb::StrictNumber(row.SubItems(3))});
    }
    for (int i = 1; i <= req.lstSlope.ListItems.Count(); ++i) {
        platform::ListItem& row = req.lstSlope.ListItems(i);
        lists.Slopes.push_back({vb::Val(row.Text()), vb::StrictNumber(row.SubItems(1))});
    }
    return lists;
}

/// The same lists read once, with their row searches.
inline ventparam::IndexedStations stationsOf(frmReq& req) {
    return ventparam::IndexedStations(stationListsOf(req));
}

/// The project values a fire control scheme takes, as they stand (density and temperature the same
/// before and after the republication).
inline void fireProjectValues(fire::SchemeInput& in) {
    in.rho = in.rhoBefore = modPublic::rho;
    in.T = in.TBefore = modPublic::TT;
    in.S = modPublic::StartPile;
    in.E = modPublic::EndPile;
    in.lambda_r = modPublic::lambda_r;
    in.AA_m = modPublic::AA_m;
    in.AA_m_Bidirection = modPublic::AA_m_Bidirection;
}

/// The several-shafts design-flow search alone, on the rows and shafts the window formed on `req`'s
/// project, their areas read once; Qr1 in the counter.
inline void severalShaftsSearch(benchmark::State& state, frmReq& req) {
    std::vector<multishaft::TrialRow> rows;
    std::vector<multishaft::TrialShaft> shafts;
    openScheme<frmMultiShaftAndJet>(req, 4, [&](frmMultiShaftAndJet& w) {
        w.cmdShaftSection_Click();
        for (int r = 1; r <= w.lstShaftSection.ListItems.Count(); ++r) {
            const platform::ListItem& row = w.lstShaftSection.ListItems(r);
            rows.push_back({vb::Val(row.SubItems(2)),
                            req.GetAA_r((vb::Val(row.Text()) + vb::Val(row.SubItems(1))) * 0.5)});
        }
        for (int i = 1; i <= w.lstShaft.ListItems.Count(); ++i) {
            const platform::ListItem& row = w.lstShaft.ListItems(i);
            shafts.push_back({vb::Val(row.SubItems(1)), vb::Val(row.SubItems(17))});
        }
    });
    double total = 0, sumQb = 0;
    for (const auto& row : rows) {
        total += row.Qreq;
    }
    for (const auto& shaft : shafts) {
        sumQb += shaft.Qb;
    }
    const double start =
        multishaft::SearchStart(total, sumQb, static_cast<int>(rows.size()),
                                rows.size() >= 2 ? rows[0].Qreq : 0, rows.size() >= 2 ? rows[1].Qreq : 0);
    for (auto _ : state) {
        const auto found = multishaft::SearchDesignFlow(
            start, [&](double x) { return multishaft::TrySectionFlows(rows, shafts, x, false).Accepted; });
        benchmark::DoNotOptimize(found);
        state.counters["Qr1"] = found.value_or(0);
    }
}

} // namespace scheme_project

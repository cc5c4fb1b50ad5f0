// SPDX-License-Identifier: GPL-3.0-or-later
// The scheme windows' heavy buttons on the template project, each through its window (step 2 opened from
// the main window, the scheme from step 2) and through its engine on the same work: the jet-fan curve,
// the control tables of the jet-fan and the shaft-and-jet schemes, the several-shafts design-flow search
// and group layout, and the fire control table. Where a window asks the main window for areas and
// resistances, its engine line takes them as constants: the ratio is what the window and its lookups add.
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "bench/bench_stage.h"
#include "bench/scheme_project.h"
#include "fire/fire_scheme.h"
#include "fire/frmFire.h"
#include "jetfan/curve_layout.h"
#include "jetfan/frmJet.h"
#include "jetfan/frmSetJetPile.h"
#include "jetfan/jet_balance.h"
#include "jetfan/jet_curve.h"
#include "jetfan/scheme_report.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "multishaft/frmSetMSJetPile.h"
#include "multishaft/ms_jet.h"
#include "multishaft/multishaft_flows.h"
#include "platform/Cad.h"
#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "reqair/frmReportControl.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/shaft_and_jet.h"
#include "shaft/sj_report.h"
#include "ventparam/duct_list.h"
#include "ventparam/frmVentParam.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace cad = platform::cad;
using platform::Forms;
using scheme_project::openScheme;
using scheme_project::templateProject;

constexpr int kJetScheme = 0, kShaftJetScheme = 3, kMultiShaftScheme = 4;

// A long tunnel: `rows` slope rows and as many cross-section rows, evenly over the template's length,
// each section as the template's first one.
void longTunnel(frmReq& req, int rows) {
    const double start = modPublic::StartPile, length = modPublic::EndPile - modPublic::StartPile;
    std::vector<std::string> section = {"", "60", "30", "8"};
    if (req.lstSection.ListItems.Count() > 0) {
        for (int k = 1; k <= 3; ++k) {
            section[static_cast<std::size_t>(k)] = req.lstSection.ListItems(1).SubItems(k);
        }
    }
    req.lstSlope.ListItems.Clear();
    req.lstSection.ListItems.Clear();
    for (int i = 0; i < rows; ++i) {
        const std::string station = vb::CStr(start + length * i / rows);
        req.lstSlope.ListItems.Add(station).setSubItems(1, i % 2 == 0 ? "0.5" : "-0.3");
        platform::ListItem& row = req.lstSection.ListItems.Add(station);
        for (int k = 1; k <= 3; ++k) {
            row.setSubItems(k, section[static_cast<std::size_t>(k)]);
        }
    }
    req.cmdRefreshSegment_Click();
}

// The control-table dialog answered with every design year, the four cases and every speed, the table
// not opened.
void everyLineOfTheTable() {
    bench_stage::onModal<frmReportControl>([](frmReportControl& d) {
        for (platform::ListBox* list : {&d.lstYear, &d.lstCase}) {
            for (int i = 0; i < list->ListCount(); ++i) {
                list->setSelected(i, i < 4 || list == &d.lstYear);
            }
        }
        for (int i = 0; i < d.lstvt.ListCount(); ++i) {
            d.lstvt.setSelected(i, true);
        }
        d.chkOpenReport.set(0);
        d.cmdOK.userClick();
    });
}

// Lines of a table the window wrote, to show that it wrote the whole table.
double linesOf(const std::string& name) {
    return static_cast<double>(textfile::ReadLines(platform::AppPath() + "/proj_" + name)
                                   .value_or(std::vector<std::string>{})
                                   .size());
}

// Inlet and outlet groups of the jet-fan dialog, half each, 4 m apart.
void layOutJetGroups(frmJet& w, long groups) {
    w.MultiPage1.userClick(2);
    bench_stage::onModal<frmSetJetPile>([groups](frmSetJetPile& d) {
        d.txtTeamNum1.userType(std::to_string(groups / 2));
        d.txtTeamNum2.userType(std::to_string(groups - groups / 2));
        d.txtSpan1.userType("4");
        d.txtSpan2.userType("4");
        d.ccmdOK.userClick();
    });
    w.cmdAutoLayout.userClick();
}

// ---- The jet-fan curve: {slope and section rows (0: the template's), groups} ----

void JetCurve_Window(benchmark::State& state) {
    frmReq& req = templateProject();
    if (state.range(0) > 0) {
        longTunnel(req, static_cast<int>(state.range(0)));
    }
    openScheme<frmJet>(req, kJetScheme, [&](frmJet& w) {
        w.cmdCalculateJet.userClick();
        layOutJetGroups(w, state.range(1));
        for (auto _ : state) {
            w.cmdDrawPressCurve_Click();
            state.PauseTiming();
            state.counters["entities"] = static_cast<double>(
                cad::Application::Attach()->activeDocument().modelSpace().entities().size());
            cad::reset();
            state.ResumeTiming();
        }
    });
}
BENCHMARK(JetCurve_Window)->Args({0, 4})->Args({3000, 4})->Args({0, 1000})->Unit(benchmark::kMillisecond);

// The same curve built from the same groups, losses and stations with constant area and friction, laid
// out as three charts into a model space of no window.
void JetCurve_Engine(benchmark::State& state) {
    frmReq& req = templateProject();
    if (state.range(0) > 0) {
        longTunnel(req, static_cast<int>(state.range(0)));
    }
    jetfan::JetCurveInputs in;
    openScheme<frmJet>(req, kJetScheme, [&](frmJet& w) {
        w.cmdCalculateJet.userClick();
        layOutJetGroups(w, state.range(1));
        for (int i = 1; i <= w.lstJet.ListItems.Count(); ++i) {
            in.Groups.push_back(
                {vb::Val(w.lstJet.ListItems(i).Text()), vb::Val(w.lstJet.ListItems(i).SubItems(2))});
        }
        frmVentParam& step2 = Forms::instance<frmVentParam>();
        in.LocalLosses = ventparam::ReadLocalLosses<jetfan::LocalLossAt>(step2.lstzeta);
        in.DesignFlow = vb::Val(step2.txtQQ_req.Text());
        in.TrafficForce = vb::Val(w.txtdeltap_t.Text());
    });
    in.StartPile = modPublic::StartPile;
    in.EndPile = modPublic::EndPile;
    in.Rho = modPublic::rho;
    in.Lambda = modPublic::lambda_r;
    in.ZetaE = modPublic::zeta_e;
    in.NaturalWind = modPublic::v_n;
    in.SpeedStations.push_back(vb::Val(req.txtStartPile.Text()));
    for (int i = 1; i <= req.lstSection.ListItems.Count(); ++i) {
        in.SpeedStations.push_back(vb::Val(req.lstSection.ListItems(i).Text()));
    }
    jetfan::JetCurveLookups look;
    const double area = 60, q = in.DesignFlow;
    look.Velocity = [=](double) { return q / area; };
    look.Area = [=](double) { return area; };
    look.Friction = [=](double to, double from, double lambda, double rho, double flow) {
        const double v = flow / area;
        return lambda * std::abs(to - from) / 8.0 * 0.5 * rho * v * v;
    };
    for (auto _ : state) {
        const jetfan::JetCurves curves = jetfan::BuildJetCurves(in, look);
        cad::ModelSpace ms;
        double y = 0;
        for (const auto& [points, style] :
             {std::pair{&curves.Pressure, jetfan::PressureChart(5, 50)},
              std::pair{&curves.Velocity, jetfan::VelocityChart(100)},
              std::pair{&curves.Concentration, jetfan::ConcentrationChart(1000)}}) {
            const jetfan::ChartLayout layout = jetfan::LayoutChart(*points, 0, y, style);
            for (const jetfan::ChartItem& item : layout.items) {
                if (item.kind == jetfan::ChartItem::Kind::Line) {
                    ms.AddLine({item.x1, item.y1, 0}, {item.x2, item.y2, 0}).setColor(item.color);
                } else {
                    ms.AddText(item.text, {item.x1, item.y1, 0}, 20).setColor(item.color);
                }
            }
            y = jetfan::NextChartOrigin(layout, 0);
        }
        state.counters["entities"] = static_cast<double>(ms.entities().size());
    }
}
BENCHMARK(JetCurve_Engine)->Args({0, 4})->Args({3000, 4})->Args({0, 1000})->Unit(benchmark::kMillisecond);

// ---- Control tables ----

// The lines of a table over every year, case and speed: how many balances it runs.
int tableLines(frmReq& req) {
    return req.lstTraffic.ListItems.Count() * (9 + 3);
}

// One balance of the jet-fan scheme as its table line computes it, from the template's numbers.
std::string jetBalanceLine(double dpm, double dpr, double dpt, const jetfan::FanRiseInputs& fan,
                           double speed) {
    const double total = jetfan::RequiredTotalRise(dpm, dpr, 12.5, dpt);
    const jetfan::FanCountResult r = jetfan::FanCount(total, 30.5, 30, fan);
    return jetfan::ControlSpeedLine(
        vb::CStr(speed), jetfan::JetControlSummary(vb::Format(250 + speed, "0.00"), vb::CStr(r.Count),
                                                   vb::Format(r.TotalPower, "0.0")));
}

// "运营控制表" of the scheme window W over every line of the table.
template <class W> void controlTable(benchmark::State& state, int scheme, std::string_view name) {
    frmReq& req = templateProject();
    openScheme<W>(req, scheme, [&](W& w) {
        for (auto _ : state) {
            everyLineOfTheTable();
            w.cmdTable_Click();
        }
        state.counters["lines"] = linesOf(std::string(name) + ".tab");
    });
}

void JetControlTable_Window(benchmark::State& state) {
    controlTable<frmJet>(state, kJetScheme, jetfan::kJetControlTableName);
}
BENCHMARK(JetControlTable_Window)->Unit(benchmark::kMillisecond);

void JetControlTable_Engine(benchmark::State& state) {
    const int lines = tableLines(templateProject());
    const jetfan::FanRiseInputs fan{30, 0.985, 60, 5, 0.876};
    for (auto _ : state) {
        std::vector<std::string> table;
        for (int i = 0; i < lines; ++i) {
            table.push_back(jetBalanceLine(40 + i, 300 + i, 20, fan, i % 9 * 10 + 10));
        }
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(JetControlTable_Engine)->Unit(benchmark::kMillisecond);

void ShaftJetControlTable_Window(benchmark::State& state) {
    controlTable<frmShaftAndJet>(state, kShaftJetScheme, shaft::kSjControlTableName);
}
BENCHMARK(ShaftJetControlTable_Window)->Unit(benchmark::kMillisecond);

// Each line: the supply flow, the two opening rises and the fans of both sections.
void ShaftJetControlTable_Engine(benchmark::State& state) {
    const int lines = tableLines(templateProject());
    for (auto _ : state) {
        std::vector<std::string> table;
        for (int i = 0; i < lines; ++i) {
            const double qr1 = 300 + i, qe = 150, qb = 120;
            const double qb2 = shaft::SupplyFlowForInlet(qr1, qr1 + 20, qr1, qe);
            const double pe = shaft::ExhaustOpeningRise(qe, qr1, 1.2, 20, 5, 1.2);
            const double pb = shaft::SupplyOpeningRise(qb2 + qb, qr1, 1.2, 20, 15, 5, 1.2);
            const auto n1 = shaft::SectionJetCount(shaft::RequiredJetRise(300, 40, pe, 20), 30.5);
            const auto n2 = shaft::SectionJetCount(shaft::RequiredJetRise(280, 40, pb, 20), 30.5);
            table.push_back(jetfan::ControlSpeedLine(vb::CStr(i % 9 * 10 + 10),
                                                     vb::CStr(n1.value_or(0) + n2.value_or(0))));
        }
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(ShaftJetControlTable_Engine)->Unit(benchmark::kMillisecond);

void FireControlTable_Window(benchmark::State& state) {
    templateProject();
    frmFire& w = Forms::instance<frmFire>();
    w.cmdCollect.userClick();
    for (const char* p : {"11000", "12000", "13000", "14000"}) {
        w.txtFirePile.userType(p);
        w.cmdFireLocAdd.userClick();
    }
    w.chkNaturalWind.userClick();
    w.txtvn.userType("2.5");
    for (auto _ : state) {
        w.cmdControlScheme_Click();
    }
    state.counters["lines"] = linesOf("火灾设备控制表.rpt");
}
BENCHMARK(FireControlTable_Window)->Unit(benchmark::kMillisecond);

// The same fire points and wind speeds through the control scheme, the tunnel's lookups as constants.
void FireControlTable_Engine(benchmark::State& state) {
    templateProject();
    fire::SchemeInput in;
    in.naturalWind = true;
    in.W = 20;
    in.Q = 300;
    in.ratio = 70;
    scheme_project::fireProjectValues(in);
    in.model = fire::FindJetModel(modPublic::JetModels.items, "1120型射流风机");
    in.eta = 0.876;
    fire::SchemeTunnel tunnel;
    tunnel.Resistance = [](double a, double b, double lambda, double rho, double q, int, double, double,
                           double) {
        return lambda * std::abs(a - b) / 8.0 * 0.5 * rho * (q / 60) * (q / 60);
    };
    tunnel.Area = [](double) { return 60.0; };
    tunnel.Perimeter = [](double) { return 30.0; };
    tunnel.Slope = [](double) { return 0.5; };
    for (auto _ : state) {
        std::vector<std::string> table;
        for (double s : {11000.0, 12000.0, 13000.0, 14000.0}) {
            for (double vn : {2.5, 1.5, 0.5, 1.0, 2.0}) {
                in.s = s;
                in.vn = vn;
                in.windDirection1 = vn > 0.75;
                in.windDirection2 = !in.windDirection1;
                const fire::SchemeResult r = fire::ControlScheme(in, tunnel);
                table.push_back(r.Line1 + r.Line2);
            }
        }
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(FireControlTable_Engine)->Unit(benchmark::kMillisecond);

// ---- Several shafts ----

// "形成通风区段": the sections, their demand, the search of the first section's design flow and the fans.
void MultiShaftSearch_Window(benchmark::State& state) {
    frmReq& req = templateProject();
    openScheme<frmMultiShaftAndJet>(req, kMultiShaftScheme, [&](frmMultiShaftAndJet& w) {
        for (auto _ : state) {
            w.cmdShaftSection_Click();
        }
    });
}
BENCHMARK(MultiShaftSearch_Window)->Unit(benchmark::kMillisecond);

// The search alone, on the rows and shafts the window formed, their areas read once.
void MultiShaftSearch_Engine(benchmark::State& state) {
    scheme_project::severalShaftsSearch(state, templateProject());
}
BENCHMARK(MultiShaftSearch_Engine)->Unit(benchmark::kMillisecond);

// "布置" of the group dialog for n groups 1 m apart in the middle section, onto an empty list.
void MultiShaftLayout_Window(benchmark::State& state) {
    frmReq& req = templateProject();
    openScheme<frmMultiShaftAndJet>(req, kMultiShaftScheme, [&](frmMultiShaftAndJet& w) {
        w.cmdShaftSection_Click();
        for (auto _ : state) {
            state.PauseTiming();
            w.lstJet.ListItems.Clear();
            state.ResumeTiming();
            bench_stage::onModal<frmSetMSJetPile>([&](frmSetMSJetPile& d) {
                d.cmbSectionNo.userSelect(1);
                d.txtTeamNum.userType(std::to_string(state.range(0)));
                d.txtSpan.userType("1");
                d.ccmdOK.userClick();
                d.ccmdCancel.userClick();
            });
            w.cmdAutoLayout_Click();
        }
        state.counters["groups"] = w.lstJet.ListItems.Count();
    });
}
BENCHMARK(MultiShaftLayout_Window)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void MultiShaftLayout_Engine(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<multishaft::GroupRow> added;
        for (double station : multishaft::GroupStations(11000, false, 203, 1, state.range(0))) {
            added.push_back({vb::CStr(station), "2", vb::CStr(25.5)});
        }
        std::vector<multishaft::GroupRow> rows;
        multishaft::AddGroupsInOrder(rows, added, true);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(MultiShaftLayout_Engine)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

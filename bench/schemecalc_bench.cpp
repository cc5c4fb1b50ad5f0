// SPDX-License-Identifier: GPL-3.0-or-later
// The "计算" of each scheme window and tool on the template project, through its window and through its
// engine on the same work. An engine line reads the main window's station lists once and looks areas and
// resistances up in them; what the window asks the main window for beyond that (section demands, traffic
// forces over the cut segments) it takes as the window found them: the ratio is what the window, its
// boxes and its lookups add.
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "bench/bench_stage.h"
#include "bench/scheme_project.h"
#include "fire/fire_scheme.h"
#include "fire/frmFire.h"
#include "jetfan/frmJet.h"
#include "jetfan/jet_balance.h"
#include "jetfan/jet_helpers.h"
#include "jetfan/modPublic_jet.h"
#include "lighting/frmBrightness.h"
#include "lighting/zone_luminance.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "shaft/shaft_and_jet.h"
#include "shaft/shaft_eject.h"
#include "tools/axial_fan.h"
#include "tools/construction_vent.h"
#include "tools/frmAxialFanDesign.h"
#include "tools/frmConstructionVent.h"
#include "transverse/concentrate.h"
#include "transverse/frmConcentrate.h"
#include "transverse/frmLateral3.h"
#include "transverse/lateral.h"
#include "ventparam/duct_list.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/resistance.h"
#include "ventparam/station_lookup.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using platform::Forms;
using scheme_project::openScheme;
using scheme_project::stationsOf;
using scheme_project::templateProject;

constexpr int kJetScheme = 0, kConcentrateScheme = 1, kEjectScheme = 2, kShaftJetScheme = 3,
              kLateralScheme = 5;
constexpr int kTwoWayCase = 1;

// `calculate` timed; then the message boxes it raised (0: it went through on the template) and `shown`,
// the result the window shows, which the engine line gives too.
void timed(benchmark::State& state, const std::function<void()>& calculate,
           const std::function<double()>& shown) {
    platform::msgbox::reset();
    platform::msgbox::setAutoAnswer(true);
    for (auto _ : state) {
        calculate();
    }
    state.counters["boxes"] = static_cast<double>(platform::msgbox::log().size());
    state.counters["result"] = shown();
}

// The window line: `prepare` once on the opened window, then `calculate` timed.
template <class W>
void throughWindow(benchmark::State& state, int scheme, const std::function<void(W&)>& prepare,
                   const std::function<void(W&)>& calculate, const std::function<double(W&)>& shown,
                   const std::function<void(frmVentParam&)>& before = {}) {
    frmReq& req = templateProject();
    openScheme<W>(
        req, scheme,
        [&](W& w) {
            prepare(w);
            timed(
                state, [&] { calculate(w); }, [&] { return shown(w); });
        },
        before);
}

// Stretch resistance over the lists read once.
double resistance(const ventparam::IndexedStations& st, double a, double b, double q, int type, double z1,
                  double z2, double z3) {
    return ventparam::GetYANCHENGDeltap_r_m(st, a, b, modPublic::lambda_r, modPublic::rho, q,
                                            {type, z1, z2, z3});
}

// ---- frmJet: pressure balance and fan count ----

void JetBalance_Window(benchmark::State& state) {
    throughWindow<frmJet>(
        state, kJetScheme, [](frmJet&) {}, [](frmJet& w) { w.cmdCalculateJet.userClick(); },
        [](frmJet& w) { return vb::Val(w.txttotaldeltap_j.Text()); });
}
BENCHMARK(JetBalance_Window)->Unit(benchmark::kMillisecond);

void JetBalance_Engine(benchmark::State& state) {
    frmReq& req = templateProject();
    double qreq = 0, dpt = 0, power = 0;
    std::vector<jetfan::LocalLossRow> losses;
    jetfan::FanRiseInputs fan;
    openScheme<frmJet>(req, kJetScheme, [&](frmJet& w) {
        w.cmdCalculateJet.userClick();
        frmVentParam& step2 = Forms::instance<frmVentParam>();
        qreq = vb::Val(step2.txtQQ_req.Text());
        dpt = vb::Val(w.txtdeltap_t.Text());
        for (int i = 1; i <= step2.lstzeta.ListItems.Count(); ++i) {
            platform::ListItem& item = step2.lstzeta.ListItems(i);
            losses.push_back(
                {vb::Val(item.SubItems(1)),
                 modPublic::GetStationVelocity(vb::Val(item.Text()), jetfan::kDesignDemandMarker)});
        }
        fan.vj = vb::Val(w.txtvj.Text());
        fan.Aj = vb::Val(w.txtAA_j.Text());
        fan.vr = vb::Val(step2.txtv_r.Text());
        fan.eta = vb::Val(w.txteta.Text());
        power = vb::Val(w.txtPower.Text());
    });
    const ventparam::IndexedStations st = stationsOf(req);
    const double start = modPublic::StartPile, end = modPublic::EndPile, rho = modPublic::rho;
    double total = 0;
    for (auto _ : state) {
        const double qm = modPublic::v_n * ventparam::GetAA_r(st, start + jetfan::kNaturalWindAreaOffset);
        const double dpm = resistance(st, start, end, qm, 1, jetfan::kBalanceEntranceLoss, 0, 0);
        const double dpr = resistance(st, start, end, qreq, 1, jetfan::kBalanceEntranceLoss, 0, 0);
        total = jetfan::RequiredTotalRise(dpm, dpr, jetfan::LocalLosses(rho, losses), dpt);
        fan.Ar = ventparam::GetAA_r(st, start + jetfan::kFanAreaOffset);
        const double dpj = jetfan::JetPressureRise(fan.vj, rho, fan.Aj, fan.Ar, fan.vr, fan.eta);
        benchmark::DoNotOptimize(jetfan::FanCount(total, dpj, power, fan));
    }
    state.counters["result"] = total;
}
BENCHMARK(JetBalance_Engine)->Unit(benchmark::kMillisecond);

// ---- frmConcentrate: the supply balance, the opening a fifth into the tunnel ----

void placeOpening(frmConcentrate& w) {
    w.txtShaftPile.userType(
        vb::CStr(std::floor(modPublic::StartPile + (modPublic::EndPile - modPublic::StartPile) / 5)));
}

// Two-way traffic opposes the air, so that the opening has to give the rise.
void twoWayDemand(frmReq& req) {
    req.txtQQ_req_CO_Bidirection.setSilently("300");
    req.txtQQ_req_VI_Bidirection.setSilently("250");
}

void ConcentrateBalance_Window(benchmark::State& state) {
    throughWindow<frmConcentrate>(
        state, kConcentrateScheme, placeOpening, [](frmConcentrate& w) { w.cmdCalculateJet.userClick(); },
        [](frmConcentrate& w) { return vb::Val(w.txtQQ_b.Text()); },
        [](frmVentParam& step2) {
            twoWayDemand(Forms::instance<frmReq>());
            step2.lstCase.userClick(kTwoWayCase);
        });
}
BENCHMARK(ConcentrateBalance_Window)->Unit(benchmark::kMillisecond);

void ConcentrateBalance_Engine(benchmark::State& state) {
    frmReq& req = templateProject();
    transverse::ConcentrateScheme s;
    double qb = 0, ab = 0, vb0 = 0;
    openScheme<frmConcentrate>(
        req, kConcentrateScheme,
        [&](frmConcentrate& w) {
            placeOpening(w);
            // The window's timed runs start from the supply flow of the one before, as this one does.
            w.cmdCalculateJet.userClick();
            qb = vb::Val(w.txtQQ_b.Text());
            ab = vb::Val(w.txtAA_b.Text());
            vb0 = vb::Val(w.txtv_b.Text());
            frmVentParam& step2 = Forms::instance<frmVentParam>();
            s.Qr = vb::Val(w.txtQQ_r.Text());
            s.Ar = modPublic::AA_r;
            s.rho = modPublic::rho;
            s.vn = modPublic::v_n;
            s.Am = modPublic::AA_m;
            s.Am2 = modPublic::AA_m_Bidirection;
            s.S = vb::Val(w.txtShaftPile.Text());
            s.RightLine = req.optRightLine.Value();
            s.StartPile = modPublic::StartPile;
            s.EndPile = modPublic::EndPile;
            s.PileDirection = modPublic::PileDirection;
            s.CaseIndex = step2.lstCase.ListIndex();
            s.Losses = ventparam::ReadLocalLosses<transverse::LocalLoss>(step2.lstzeta);
            s.Mode = w.optKnowArea.Value() ? transverse::OpeningMode::KnownArea
                                           : transverse::OpeningMode::KnownSpeed;
            s.beta = vb::Val(w.txtbeta.Text());
            s.Kb = vb::Val(w.txtKK_b.Text());
        },
        [](frmVentParam& step2) {
            twoWayDemand(Forms::instance<frmReq>());
            step2.lstCase.userClick(kTwoWayCase);
        });
    const ventparam::IndexedStations st = stationsOf(req);
    transverse::TunnelServices t;
    t.Resistance = [&st](double a, double b, double q, int type, double z1, double z2, double z3) {
        return resistance(st, a, b, q, type, z1, z2, z3);
    };
    // The traffic forces as the main window finds them, asked once per stretch and flow in a first run.
    std::map<std::tuple<double, double, double, double, int>, double> forces;
    const auto force = [&](double a, double b, double q, double am, int caseId) {
        const auto key = std::tuple{a, b, q, am, caseId};
        if (const auto found = forces.find(key); found != forces.end()) {
            return found->second;
        }
        const double f = caseId < 0 ? req.GetYANCHENGDeltap_t2(a, b, q, am, transverse::kTrafficDensity, true)
                                    : req.GetYANCHENGDeltap_t1(a, b, q, am, transverse::kTrafficDensity,
                                                               static_cast<vb::Integer>(caseId), false);
        return forces[key] = f;
    };
    t.OneWayTraffic = force;
    t.TwoWayTraffic = [&](double a, double b, double q, double am) { return force(a, b, q, am, -1); };
    transverse::BalanceResult r = transverse::Balance(s, t, qb, ab, vb0);
    for (auto _ : state) {
        r = transverse::Balance(s, t, qb, ab, vb0);
        benchmark::DoNotOptimize(r);
    }
    state.counters["result"] = r.Qb;
}
BENCHMARK(ConcentrateBalance_Engine)->Unit(benchmark::kMillisecond);

// ---- frmShaftEject: section flows, pressures and the exhaust fan ----

// The two buttons of a shaft window: the demand of its sections, then the pressures.
template <class W> void sectionsThenPressures(W& w) {
    w.cmdCalculateSectionQQ_req.userClick();
    w.cmdCalculatePtot3.userClick();
}

void ShaftEject_Window(benchmark::State& state) {
    throughWindow<frmShaftEject>(
        state, kEjectScheme, [](frmShaftEject&) {}, sectionsThenPressures<frmShaftEject>,
        [](frmShaftEject& w) { return w.p_tot3; });
}
BENCHMARK(ShaftEject_Window)->Unit(benchmark::kMillisecond);

void ShaftEject_Engine(benchmark::State& state) {
    frmReq& req = templateProject();
    shaft::SplitInputs in;
    double qreq1 = 0, qreq2 = 0, qr3 = 0, shaftPile = 0, entrance = 0, exit = 0, dpd = 0, eta = 0;
    openScheme<frmShaftEject>(req, kEjectScheme, [&](frmShaftEject& w) {
        sectionsThenPressures(w);
        qreq1 = w.QQ_req1, qreq2 = w.QQ_req2, qr3 = vb::Val(w.txtQQ_r3.Text());
        shaftPile = w.ShaftPile, entrance = w.EntrancePile, exit = w.ExitPile;
        dpd = w.deltap_d, eta = w.eta;
        in.deltap_g1 = w.deltap_g1, in.deltap_g2 = w.deltap_g2;
        in.deltap_t1 = w.deltap_t1, in.deltap_t2 = w.deltap_t2;
        in.zeta_12 = w.zeta_12, in.zeta_13 = w.zeta_13;
    });
    const ventparam::IndexedStations st = stationsOf(req);
    in.rho = modPublic::rho;
    double ptot3 = 0;
    for (auto _ : state) {
        const shaft::DesignFlows f = shaft::SplitFlows(qreq1, qreq2, qr3);
        const double area = ventparam::GetAA_r(st, shaftPile);
        in.v1 = f.Qr1 / area;
        in.v2 = f.Qr2 / area;
        in.deltap_r1 = resistance(st, entrance, shaftPile, f.Qr1, 1, shaft::kEjectEntranceLoss, 0,
                                  shaft::kEjectMergeLoss);
        in.deltap_r2 =
            resistance(st, shaftPile, exit, f.Qr2, 4, shaft::kEjectEntranceLoss, shaft::kEjectBranchLoss, 0);
        const shaft::SplitPressures p = shaft::SplitShaftPressures(in);
        ptot3 = p.p_tot3;
        benchmark::DoNotOptimize(shaft::ExhaustFan(p.p_tot3, dpd, f.Qr3, eta));
    }
    state.counters["result"] = ptot3;
}
BENCHMARK(ShaftEject_Engine)->Unit(benchmark::kMillisecond);

// ---- frmShaftAndJet: section demand and the balance of the openings ----

void ShaftAndJet_Window(benchmark::State& state) {
    throughWindow<frmShaftAndJet>(
        state, kShaftJetScheme, [](frmShaftAndJet&) {}, sectionsThenPressures<frmShaftAndJet>,
        [](frmShaftAndJet& w) { return vb::Val(w.txttotaldeltap_j1.Text()); });
}
BENCHMARK(ShaftAndJet_Window)->Unit(benchmark::kMillisecond);

void ShaftAndJet_Engine(benchmark::State& state) {
    frmReq& req = templateProject();
    double shaftPile = 0, ds = 0, qreq1 = 0, qreq2 = 0, qvi = 0, qe = 0, qb = 0;
    double ke = 0, ve = 0, kb = 0, vbo = 0, beta = 0, dpt1 = 0, dpt2 = 0, zf = 0, zh = 0;
    openScheme<frmShaftAndJet>(req, kShaftJetScheme, [&](frmShaftAndJet& w) {
        sectionsThenPressures(w);
        shaftPile = vb::Val(w.txtShaftPile.Text()), ds = vb::Val(w.txtds.Text());
        qreq1 = w.QQ_req1, qreq2 = w.QQ_req2, qvi = w.QQ_req_VI, qe = w.QQ_e, qb = w.QQ_b;
        ke = w.KK_e, ve = w.v_e, kb = w.KK_b, vbo = w.v_b, beta = w.beta;
        dpt1 = w.deltap_t1, dpt2 = w.deltap_t2;
        zf = vb::Val(w.txtZeta_fencha.Text()), zh = vb::Val(w.txtZeta_heliu.Text());
    });
    const ventparam::IndexedStations st = stationsOf(req);
    const double rho = modPublic::rho, start = modPublic::StartPile, end = modPublic::EndPile;
    const int dir = req.optLeftLine.Value() ? -1 : 1;
    double rise1 = 0;
    for (auto _ : state) {
        const double qr1 = shaft::InletFlowForSupply(qreq1, qreq2, qe, qb).value_or(qreq1);
        const double qr2 = qr1 - qe + qb;
        const shaft::ShaftOpenings o = shaft::OpeningsOf(shaftPile, ds, dir);
        const double dpe =
            shaft::ExhaustOpeningRise(qe, qr1, ke, ve, qr1 / ventparam::GetAA_r(st, o.Exhaust), rho);
        const double dpb =
            shaft::SupplyOpeningRise(qb, qr2, kb, vbo, beta, qr2 / ventparam::GetAA_r(st, o.Supply), rho);
        benchmark::DoNotOptimize(shaft::ShortPassageOf(qr1, qe, qb, qr2, qreq1));
        benchmark::DoNotOptimize(shaft::ConcentrationsOf(qvi, qr1, qe, qb, qreq1, qreq2));
        const double qn = modPublic::v_n * ventparam::GetAA_r(st, start + 0.0001);
        const double dpr1 = resistance(st, start, shaftPile, qr1, 1, modPublic::zeta_e, zf, zh);
        const double dpr2 = resistance(st, shaftPile, end, qr2, 3, modPublic::zeta_e, zf, zh);
        const double dpm1 = resistance(st, start, shaftPile, qn, 1, modPublic::zeta_e, 0, 0);
        const double dpm2 = resistance(st, shaftPile, end, qn, 3, 0, 0, 0);
        rise1 = shaft::RequiredJetRise(dpr1, dpm1, dpe, dpt1);
        benchmark::DoNotOptimize(rise1);
        benchmark::DoNotOptimize(shaft::RequiredJetRise(dpr2, dpm2, dpb, dpt2));
    }
    state.counters["result"] = rise1;
}
BENCHMARK(ShaftAndJet_Engine)->Unit(benchmark::kMillisecond);

// ---- frmLateral3: ducts and the neutral point, two-way traffic ----

void twoWayCase(frmVentParam& step2) {
    step2.lstCase.setSelected(kTwoWayCase, true);
}

void Lateral_Window(benchmark::State& state) {
    throughWindow<frmLateral3>(
        state, kLateralScheme, [](frmLateral3&) {}, [](frmLateral3& w) { w.cmdCalculatePtot3.userClick(); },
        [](frmLateral3& w) { return w.p_tot; }, twoWayCase);
}
BENCHMARK(Lateral_Window)->Unit(benchmark::kMillisecond);

void Lateral_Engine(benchmark::State& state) {
    frmReq& req = templateProject();
    transverse::LateralDuctInput in;
    transverse::TunnelPressureInput t;
    double pa = 0;
    openScheme<frmLateral3>(
        req, kLateralScheme,
        [&](frmLateral3& w) {
            w.cmdCalculatePtot3.userClick();
            in.L = std::fabs(vb::Val(w.txtEndPile.Text()) - vb::Val(w.txtStartPile.Text()));
            in.TwoSections = w.chkTwoSect.Value() == 1;
            in.FullTransverse = w.optTranverse.Value();
            in.Q = modPublic::QQ_req;
            in.AA_b = w.AA_b, in.DD_b = w.DD_b, in.Lambda_b = modPublic::Lambda_b, in.p_d = w.p_d;
            in.AA_e = w.AA_e, in.DD_e = w.DD_e, in.Lambda_e = modPublic::Lambda_e, in.p_ed = w.p_ed;
            in.rho = modPublic::rho, in.v_n = modPublic::v_n, in.zeta_e = modPublic::zeta_e;
            in.lambda_r = modPublic::lambda_r, in.DD_r = modPublic::DD_r;
            t.L = in.L;
            t.AA_r = modPublic::AA_r, t.DD_r = modPublic::DD_r, t.lambda_r = modPublic::lambda_r;
            t.rho = modPublic::rho, t.AA_m = modPublic::AA_m_Bidirection;
            t.N = 1000;
            t.vt = vb::Val(req.cmbWorkVt_Bidirection.Text());
            pa = vb::Val(w.txtPa.Text());
        },
        twoWayCase);
    double ptot = 0;
    for (auto _ : state) {
        const transverse::LateralDuctResult r = transverse::LateralDucts(in);
        t.q_b = r.q_b;
        ptot = r.p_tot;
        const transverse::NeutralPoint n = transverse::FindNeutralPoint(t, pa);
        benchmark::DoNotOptimize(transverse::NeutralPressureDrop(t, n.x1 / 2));
    }
    state.counters["result"] = ptot;
}
BENCHMARK(Lateral_Engine)->Unit(benchmark::kMillisecond);

// ---- frmFire: the control scheme of one fire point, as a click on the point shows it ----

frmFire& fireWindowWithOnePoint() {
    templateProject();
    frmFire& w = Forms::instance<frmFire>();
    w.cmdCollect.userClick();
    w.txtFirePile.userType("12000");
    w.cmdFireLocAdd.userClick();
    return w;
}

void FirePoint_Window(benchmark::State& state) {
    frmFire& w = fireWindowWithOnePoint();
    // The result: the length of the scheme's two lines, joined by a line break.
    timed(
        state, [&] { w.lstFireLoc.userItemClick(1); },
        [&] { return static_cast<double>(w.txtResult.Text().size() - 2); });
}
BENCHMARK(FirePoint_Window)->Unit(benchmark::kMillisecond);

void FirePoint_Engine(benchmark::State& state) {
    frmFire& w = fireWindowWithOnePoint();
    frmReq& req = Forms::instance<frmReq>();
    fire::SchemeInput in;
    in.s = 12000;
    in.naturalWind = w.chkNaturalWind.Value() == 1;
    in.vn = vb::Val(w.txtvn.Text());
    in.windDirection1 = w.optNaturalWindDirection1.Value();
    in.windDirection2 = w.optNaturalWindDirection2.Value();
    in.airExpand = w.chkAirExpand.Value() == 1;
    in.ratio = vb::Val(w.txtRatio.Text());
    in.W = vb::Val(w.txtMW.Text());
    in.Q = vb::Val(w.txtQ.Text());
    in.nb = vb::Val(w.txtBlockVehNum.Text());
    in.oneWay = w.optTrafficMode1.Value();
    in.twoWayToLarger = w.optBDVentDirection1.Value();
    in.transverse = w.chkTranverse.Value() == 1;
    in.X1 = vb::Val(w.txtExsmokePile1.Text());
    in.X2 = vb::Val(w.txtExsmokePile2.Text());
    for (int i = 1; i <= w.lstExsmokePile.ListItems.Count(); ++i) {
        in.ports.push_back(vb::Val(w.lstExsmokePile.ListItems(i).Text()));
    }
    in.rightLine = req.optRightLine.Value();
    req.RefreshData(true);
    scheme_project::fireProjectValues(in);
    in.model = fire::FindJetModel(modPublic::JetModels.items, w.cmbJetModel.Text());
    in.eta = vb::Val(w.txteta.Text());
    const ventparam::IndexedStations st = stationsOf(req);
    fire::SchemeTunnel tunnel;
    tunnel.Resistance = [&st](double a, double b, double lambda, double rho, double q, int type, double zr,
                              double zf, double zh) {
        return ventparam::GetYANCHENGDeltap_r_m(st, a, b, lambda, rho, q, {type, zr, zf, zh});
    };
    tunnel.Area = [&st](double p) { return ventparam::GetAA_r(st, p); };
    tunnel.Perimeter = [&st](double p) { return ventparam::GetUU_r(st, p); };
    tunnel.Slope = [&st](double p) { return ventparam::GetSlope_i(st, p); };
    fire::SchemeResult r;
    for (auto _ : state) {
        r = fire::ControlScheme(in, tunnel);
        benchmark::DoNotOptimize(r);
    }
    state.counters["result"] = static_cast<double>(r.Line1.size() + r.Line2.size());
}
BENCHMARK(FirePoint_Engine)->Unit(benchmark::kMillisecond);

// ---- Tools: the axial-fan design (one straight duct) and the construction ventilation ----

frmAxialFanDesign& axialFanWithADuct() {
    templateProject();
    modPublic::AxialFanList.items.clear();
    frmAxialFanDesign& w = Forms::instance<frmAxialFanDesign>();
    w.txtQ.userType("100");
    w.udN.userUp();
    w.txtv.userType("10");
    w.txtDisc.userType("1");
    w.txtSectionPile.userType("100");
    if (w.chkKS.Value() == 1) {
        w.chkKS.userClick();
    }
    w.txtSectionArea.userType("10");
    w.txtSectionPerimeter.userType("11.4286");
    w.txtSectionD.userType("3.5");
    w.txtlambdra.userType("0.02");
    w.cmdAddSection.userClick();
    return w;
}

void AxialFan_Window(benchmark::State& state) {
    frmAxialFanDesign& w = axialFanWithADuct();
    timed(
        state, [&] { w.cmdCalculate.userClick(); }, [&] { return vb::Val(w.txtp_tot.Text()); });
}
BENCHMARK(AxialFan_Window)->Unit(benchmark::kMillisecond);

void AxialFan_Engine(benchmark::State& state) {
    frmAxialFanDesign& w = axialFanWithADuct();
    const auto rows = ventparam::ReadDuctRows<tools::AxialDuctRow>(
        w.lstSection,
        [](tools::AxialDuctRow& row, platform::ListItem& item) { row.Lambda = vb::Val(item.SubItems(6)); });
    const auto losses = ventparam::ReadLocalLosses<tools::AxialLocalLoss>(w.lstzeta);
    const double Q = vb::Val(w.txtQ.Text()), rho = vb::Val(w.txtRHO.Text()), v = vb::Val(w.txtv.Text());
    const double ps = vb::Val(w.txtp_s.Text()), disc = vb::Val(w.txtDisc.Text()), N = vb::Val(w.txtN.Text());
    const double t = vb::Val(w.txtt.Text()), P = vb::Val(w.txtP.Text()), eta = vb::Val(w.txteta.Text());
    const double k = vb::Val(w.txtk.Text()), etam = vb::Val(w.txtetam.Text());
    const bool type1 = w.optFanType1.Value();
    double ptot = 0;
    for (auto _ : state) {
        const double pd = tools::AxialDuctLoss(rows, losses, Q, rho, w.Tables);
        ptot = tools::AxialDesignPressure(v, rho, pd, ps, disc, type1).value_or(0);
        const double skw = tools::AxialShaftPower(Q, N, ptot, t, P, eta).value_or(0);
        benchmark::DoNotOptimize(tools::AxialMotorPower(skw, k, etam));
    }
    state.counters["result"] = ptot;
}
BENCHMARK(AxialFan_Engine)->Unit(benchmark::kMillisecond);

frmConstructionVent& constructionVent() {
    templateProject();
    return Forms::instance<frmConstructionVent>();
}

void ConstructionVent_Window(benchmark::State& state) {
    frmConstructionVent& w = constructionVent();
    timed(
        state, [&] { w.cmdCal.userClick(); }, [&] { return vb::Val(w.txtQ(5).Text()); });
}
BENCHMARK(ConstructionVent_Window)->Unit(benchmark::kMillisecond);

void ConstructionVent_Engine(benchmark::State& state) {
    const tools::ConstructionBoxes boxes = constructionVent().Boxes();
    tools::ConstructionResults r;
    for (auto _ : state) {
        r = tools::CalculateConstructionVent(boxes);
        benchmark::DoNotOptimize(r);
    }
    state.counters["result"] = vb::Val(r.Q[5].value_or(""));
}
BENCHMARK(ConstructionVent_Engine)->Unit(benchmark::kMillisecond);

// ---- Lighting step 1: the zones for 1158 pcu/h, as the template was calculated ----

frmBrightness& lightingStep1() {
    templateProject();
    frmBrightness& w = Forms::instance<frmBrightness>();
    w.txtNN.userType("1158");
    return w;
}

void LightingZones_Window(benchmark::State& state) {
    frmBrightness& w = lightingStep1();
    timed(
        state, [&] { w.cmdCalculate.userClick(); },
        [&] { return vb::Val(w.lstResult.ListItems(1).SubItems(1)); });
}
BENCHMARK(LightingZones_Window)->Unit(benchmark::kMillisecond);

void LightingZones_Engine(benchmark::State& state) {
    frmBrightness& w = lightingStep1();
    w.cmdCalculate.userClick();
    // The tables read once.
    lighting::ZoneTables tables;
    for (const auto& [key, slot] :
         {std::pair{"LL_in1", &tables.LL_in1}, std::pair{"LL_in2", &tables.LL_in2},
          std::pair{"k1", &tables.k1}, std::pair{"k2", &tables.k2}, std::pair{"kdiscount", &tables.kdiscount},
          std::pair{"DD_s", &tables.DD_s}, std::pair{"DD_tr", &tables.DD_tr}}) {
        CoefTable t;
        modPublic::ReadTable(key, t);
        if (!t.empty()) {
            *slot = std::move(t);
        }
    }
    lighting::ZoneInputs in;
    in.N = modPublic::DesignTraffic;
    in.vt = modPublic::DesignSpeed;
    in.L = modPublic::TunnelLength;
    in.twoWay = w.optBidirection.Value();
    in.mode = w.lstAdjust.ListIndex();
    in.h = w.H;
    in.slope = w.dTunnelSlope;
    in.span = w.dSpan;
    in.preLength = w.dPreLength;
    in.L20 = vb::Val(w.txtLL_20_S.Text());
    double threshold = 0;
    for (auto _ : state) {
        lighting::ZoneValues v;
        benchmark::DoNotOptimize(lighting::CalculateZones(in, tables, v));
        threshold = v.Luminance(0);
    }
    state.counters["result"] = threshold;
}
BENCHMARK(LightingZones_Engine)->Unit(benchmark::kMillisecond);

} // namespace

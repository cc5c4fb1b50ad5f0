// SPDX-License-Identifier: GPL-3.0-or-later
#include "fire/fire_scheme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using fire::SchemeInput;
using fire::SchemeTunnel;

JetFanModel model(const std::string& name, double flow, double dd, double discount) {
    JetFanModel m;
    m.JetName = name;
    m.Flow = flow;
    m.DD = dd;
    m.Discount = discount;
    return m;
}

/// A level tunnel of one section: area 50 m², equivalent diameter 8 m, perimeter 25 m; the resistance as
/// the main window computes it for one section: friction |b − a|·λ/D·ρ/2·(q/A)², plus ρ/2·(ζe + ζb)·(q/A)²
/// for section type 1.
SchemeTunnel uniformTunnel(double slope = 0) {
    SchemeTunnel t;
    t.Resistance = [](double a, double b, double lambda, double rho, double q, int type, double zr, double zf,
                      double) {
        const double v2 = (q / 50) * (q / 50);
        double r = std::abs(b - a) * lambda / 8 * rho / 2 * v2;
        if (type == 1) {
            r += rho / 2 * (zr + zf) * v2;
        }
        return r;
    };
    t.Area = [](double) { return 50.0; };
    t.Perimeter = [](double) { return 25.0; };
    t.Slope = [slope](double) { return slope; };
    return t;
}

/// T 293 K, ρ 1.2, Q 100, W 20 MW, r 70 %, perimeter 25 m; the hot stretch runs from s to e.
fire::FirePressureInput hotStretch(double slope, double s, double e) {
    return {.slope = slope,
            .T = 293,
            .rho = 1.2,
            .Q = 100,
            .W = 20,
            .ratio = 70,
            .perimeter = 25,
            .s = s,
            .e = e};
}

/// Tunnel 0 to 2500, ρ 1.2, T 293, λ 0.02, Q 100 m³/s; the fan model: flow 20 m³/s, Dj 1 m, reversed
/// factor 0.7, η 0.8.
SchemeInput baseInput(double s) {
    SchemeInput in;
    in.s = s;
    in.rhoBefore = in.rho = 1.2;
    in.TBefore = in.T = 293;
    in.S = 0;
    in.E = 2500;
    in.lambda_r = 0.02;
    in.Q = 100;
    in.W = 20;
    in.ratio = 70;
    in.AA_m = 2.13;
    in.AA_m_Bidirection = 2.13;
    in.model = model("M", 20, 1, 0.7);
    in.eta = 0.8;
    in.ports = {0, 1200, 2500};
    return in;
}

TEST(FireFormulas, SchemeNumbersFollowTheHashPattern) {
    EXPECT_EQ(fire::SchemeNumber(850.5), "850.5");
    EXPECT_EQ(fire::SchemeNumber(850), "850.");
    EXPECT_EQ(fire::SchemeNumber(0.25), ".25");
    EXPECT_EQ(fire::SchemeNumber(-3.14159), "-3.14");
    EXPECT_EQ(fire::SchemeNumber(0), ".");
}

TEST(FireFormulas, RiseOfOneJetFanNormalAndReversed) {
    // 1120 model: Flow 33.79, Dj 1.12 → Aj = 0.25·3.1415926·1.2544 = 0.985199, vj = 34.2976; q 100 in
    // A 63.96 → vr = 1.56348; ρ 1.2, η 0.876: 1.2·34.2976²·0.985199/63.96·(1 − 1.56348/34.2976)·0.876
    // = 18.17876 Pa; reversed with factor 0.7: 12.72513 Pa.
    fire::JetRiseInput in{.q = 100,
                          .area = 63.96,
                          .rho = 1.2,
                          .eta = 0.876,
                          .model = model("1120型射流风机", 33.79, 1.12, 0.7)};
    EXPECT_NEAR(*fire::JetFanRise(in), 18.17876, 1e-4);
    in.reversed = true;
    EXPECT_NEAR(*fire::JetFanRise(in), 12.72513, 1e-4);
    // An outlet as fast as the tunnel air gives no rise; a faster tunnel air a negative one.
    in.reversed = false;
    in.q = 63.96 * 34.2976;
    EXPECT_NEAR(*fire::JetFanRise(in), 0, 1e-3);
    in.q *= 2;
    EXPECT_LT(*fire::JetFanRise(in), 0);
    // No model, or no area: nothing can be said.
    in.model.reset();
    EXPECT_FALSE(fire::JetFanRise(in));
    in.model = model("x", 20, 1, 1);
    in.area = 0;
    EXPECT_FALSE(fire::JetFanRise(in));
}

TEST(FireFormulas, TheLastModelOfTheNameWinsAndNamesAreExact) {
    const std::vector<JetFanModel> models = {model("A", 1, 1, 1), model("B", 2, 1, 1), model("A", 3, 1, 1)};
    EXPECT_EQ(fire::FindJetModel(models, "A")->Flow, 3);
    EXPECT_FALSE(fire::FindJetModel(models, "a"));
    EXPECT_FALSE(fire::FindJetModel({}, "A"));
}

TEST(FireFormulas, FirePressureOfAHandWorkedStretch) {
    // Slope 2 %, T 293 K, ρ 1.2, Q 200, W 20 MW, r 70 %, perimeter 31.21 m, hot stretch 11000 → 12000:
    // σ = 0.02/1.0004 = 0.0199920; Tf = 293 + 14e6/(200·1.2·1006) = 350.98542 K; ρf = ρ·T/Tf;
    // k = 20·31.21/(240·1006) = 0.00258532 /m; e1 = exp(−2.58532) = 0.075369;
    // X = ln((57.98542·e1 + 293)/(e1·350.98542)) = 2.41036; |1.2·9.8·1000·σ − ρf·Tf·9.8·σ·X/(T·k)|
    // = 15.07455. Smoke toward larger stations up a positive slope rises by itself: −15.07455 Pa.
    fire::FirePressureInput in = hotStretch(2, 11000, 12000);
    in.Q = 200;
    in.perimeter = 31.21;
    EXPECT_NEAR(*fire::FirePressure(in), -15.07455, 1e-4);
    // Toward smaller stations it works against the fans.
    in.toLarger = false;
    EXPECT_NEAR(*fire::FirePressure(in), 15.07455, 1e-4);
    // The left line lists the slope negated: the same tunnel gives the same pressure.
    in.toLarger = true;
    in.rightLine = false;
    in.slope = -2;
    EXPECT_NEAR(*fire::FirePressure(in), -15.07455, 1e-4);
    // Level, or a stretch of no length: 0.
    in.slope = 0;
    EXPECT_EQ(*fire::FirePressure(in), 0);
    in.slope = 2;
    in.e = in.s;
    EXPECT_EQ(*fire::FirePressure(in), 0);
    // No flow, or no perimeter: cannot be computed.
    in.e = 12000;
    in.Q = 0;
    EXPECT_FALSE(fire::FirePressure(in));
    in.Q = 200;
    in.perimeter = 0;
    EXPECT_FALSE(fire::FirePressure(in));
}

TEST(FireFormulas, FirePressureOverSeveralGradesSumsItsPieces) {
    // T 293, ρ 1.2, Q 100, W 20, r 70 %, U 25: Tf = 408.97084 K, k = 0.00414182 /m. From 11000 to 12000,
    // +2 % to 11400, then −1 %: Tx(400) = 315.12288, Tx(1000) = 294.84324;
    // up 9.8·1.2·0.0199920·ln(408.97084/315.12288)/k = 14.79730 helps, down 9.8·1.2·0.0099990·
    // ln(315.12288/294.84324)/k = 1.88850 resists: −12.90880 Pa.
    fire::FirePressureInput in = hotStretch(2, 11000, 12000);
    in.changes = {{11400, -1}};
    EXPECT_NEAR(*fire::FirePressure(in), -12.90880, 1e-5);
    // The left line lists every slope negated: the same tunnel, the same pressure.
    in.rightLine = false;
    in.slope = -2;
    in.changes = {{11400, 1}};
    EXPECT_NEAR(*fire::FirePressure(in), -12.90880, 1e-5);
    // A change to the same grade gives the closed form of one grade to the rounding.
    in = hotStretch(2, 11000, 12000);
    const double one = *fire::FirePressure(in);
    in.changes = {{11400, 2}, {11700, 2}};
    EXPECT_NEAR(*fire::FirePressure(in), one, 1e-12 * std::abs(one));
}

TEST(FireFormulas, TheGradesOfAStretchAreTheRowsItCrosses) {
    // Rows [0, 1000) +2 %, [1000, 2000) −1 %, [2000, 3000) −1 %.
    const auto slopeAt = [](double p) { return p < 1000 ? 2.0 : -1.0; };
    const std::vector<double> rows = {1000, 2000, 3000};
    struct Case {
        double s, e, slope;
        std::vector<fire::GradeChange> changes;
    };
    const std::vector<Case> cases = {
        {500, 2500, 2, {{1000, -1}}}, // the equal grade after 2000 is no change
        {2500, 500, -1, {{1000, 2}}}, // toward smaller stations the change is met at 1000 too
        {1000, 0, 2, {}},             // from a grade change back down the grade before it
        {1000, 2000, -1, {}},         // and on to the grade it starts
        {700, 700, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.s) + " to " + std::to_string(c.e));
        fire::FirePressureInput in = hotStretch(99, c.s, c.e);
        in.changes = {{5, 5}};
        fire::SetStretchGrades(in, slopeAt, rows);
        EXPECT_EQ(in.slope, c.slope);
        ASSERT_EQ(in.changes.size(), c.changes.size());
        for (std::size_t j = 0; j < c.changes.size(); ++j) {
            EXPECT_EQ(in.changes[j].pile, c.changes[j].pile);
            EXPECT_EQ(in.changes[j].slope, c.changes[j].slope);
        }
    }
}

TEST(FireFormulas, HotSmokeExpandsOnlyWhenAsked) {
    // ΔT = 20·70·0.01·1e6/(1.2·200·1006) = 57.98542; Qh = 350.98542·200/293 = 239.58049; ρh = 1.2·200/Qh.
    const fire::HotSmoke h = fire::HotSmokeOf(true, 20, 70, 1.2, 293, 200);
    EXPECT_NEAR(h.Qh, 239.58049, 1e-4);
    EXPECT_NEAR(h.rhoh, 1.0017510, 1e-6);
    const fire::HotSmoke cold = fire::HotSmokeOf(false, 20, 70, 1.2, 293, 200);
    EXPECT_EQ(cold.Qh, 200);
    EXPECT_EQ(cold.rhoh, 1.2);
    // Without a flow nothing can be heated: both stay 0.
    const fire::HotSmoke none = fire::HotSmokeOf(true, 20, 70, 1.2, 293, 0);
    EXPECT_EQ(none.Qh, 0);
    EXPECT_EQ(none.rhoh, 0);
}

TEST(FireFormulas, FanCountRoundsHalvesToEvenAndBrakesLikeItDrives) {
    const std::optional<double> p = 10.0;
    EXPECT_EQ(fire::FanCount(0, p), 1);  // a sum of 0 still runs one fan
    EXPECT_EQ(fire::FanCount(4, p), 1);  // 1.4
    EXPECT_EQ(fire::FanCount(5, p), 2);  // 1.5 → 2
    EXPECT_EQ(fire::FanCount(15, p), 2); // 2.5 → 2
    EXPECT_EQ(fire::FanCount(25, p), 4); // 3.5 → 4
    // A braking need takes as many fans as the same driving need (it never falls to 0).
    EXPECT_EQ(fire::FanCount(-6, p), 2);  // 1.6
    EXPECT_EQ(fire::FanCount(-10, p), 2); // 2
    EXPECT_EQ(fire::FanCount(-25, p), 4); // 3.5 → 4
    // No rise, a rise of 0 or below, a count beyond 16 bits: no count.
    EXPECT_FALSE(fire::FanCount(10, std::nullopt));
    EXPECT_FALSE(fire::FanCount(10, 0.0));
    EXPECT_FALSE(fire::FanCount(10, -1.0));
    EXPECT_FALSE(fire::FanCount(1e9, p));
}

TEST(FireFormulas, PortSearchFollowsTheListOrder) {
    EXPECT_EQ(*fire::FirstPortAtOrBeyond({100, 500, 300}, 250), 500);
    EXPECT_EQ(*fire::LastPortAtOrBefore({100, 200, 50}, 250), 50);
    EXPECT_EQ(*fire::FirstPortAtOrBeyond({100, 250}, 250), 250);
    EXPECT_FALSE(fire::FirstPortAtOrBeyond({100, 200}, 250));
    EXPECT_FALSE(fire::LastPortAtOrBefore({}, 250));
}

TEST(FireScheme, LongitudinalCaseL2WithThreeNormalFans) {
    // One-way, right line, duct 200–800, fire at 850.5 beyond it: case L2, exhaust at E = 2500.
    // cold(0, 850.5) = 850.5·0.02/8·0.6·2² + 0.6·1.6·2² = 5.103 + 3.84 = 8.943;
    // hot(850.5, 2500) = 1649.5·0.0025·0.6·4 = 9.897; Σ = 18.84 (no wind, no vehicles, level).
    // Rise: Aj = 0.785398, vj = 25.4648, vr = 100/50 = 2: 1.2·25.4648²·0.785398/50·(1 − 2/25.4648)·0.8
    // = 9.01048 Pa; n = 1 + 18.84/9.01048 = 3.09 → 3, normal at the inlet portal.
    SchemeInput in = baseInput(850.5);
    in.transverse = true;
    in.X1 = 200;
    in.X2 = 800;
    const fire::SchemeResult r = fire::ControlScheme(in, uniformTunnel());
    EXPECT_EQ(r.Case, "L2");
    EXPECT_EQ(r.Line1, "火灾点桩号:850.5   排烟口桩号:2500.    进洞口风机开启台数:      03");
    // Line 2 names the terms that were not asked for; a level tunnel has no fire pressure.
    EXPECT_EQ(r.Line2,
              "通风阻抗力:18.84    两端气压差:未考虑自然风    阻塞车辆风阻力:无阻塞车辆    火风压:0");
}

TEST(FireScheme, DuctCaseD1RunsBothPortals) {
    // Duct 200–1500, fire at 850.5 inside it: D1, each side carries Q/2 = 50 (speed 1 m/s).
    // half(0, 850.5) = 850.5·0.0025·0.6 + 0.96 = 2.23575; half(850.5, 2500) = 1649.5·0.0025·0.6 + 0.96
    // = 3.43425. Natural wind 2 m/s toward larger stations assists: N0 = cold stretch of the whole tunnel
    // at 100 m³/s = 15 + 3.84 = 18.84, on the inlet side. Blocked: 2.13·0.5·1.2·10·1²/50 = 0.2556.
    // Σin = 2.23575 − 18.84 + 0.2556 = −16.34865 → inlet reversed; Σout = 3.43425 → outlet reversed.
    // Reversed rise at 50 m³/s: 9.39448·0.7 = 6.57614; inlet 1 + 2.48606 → 3, outlet 1 + 0.52223 → 2.
    SchemeInput in = baseInput(850.5);
    in.transverse = true;
    in.X1 = 200;
    in.X2 = 1500;
    in.naturalWind = true;
    in.vn = 2;
    in.nb = 10;
    const fire::SchemeResult r = fire::ControlScheme(in, uniformTunnel());
    EXPECT_EQ(r.Case, "D1");
    EXPECT_EQ(r.Line1, "火灾点桩号:850.5   排烟口桩号:850.5    进洞口风机开启台数(逆转):03"
                       "    出洞口风机开启台数(逆转):02");
    EXPECT_EQ(r.Line2, "通风阻抗力:5.67    两端气压差:-18.84    阻塞车辆风阻力:0.26");
    // Without the tick the speed does not count.
    in.naturalWind = false;
    EXPECT_EQ(fire::ControlScheme(in, uniformTunnel()).Line2,
              "通风阻抗力:5.67    两端气压差:未考虑自然风    阻塞车辆风阻力:0.26");
}

TEST(FireScheme, DecisionTreeAtTheDuctEnds) {
    const SchemeTunnel t = uniformTunnel();
    SchemeInput in = baseInput(1000);
    in.transverse = true;
    in.X1 = 1000;
    in.X2 = 1500;
    // Each step sets one choice, which carries over to the next step, and names the case it leads to.
    struct Step {
        bool SchemeInput::*choice;
        bool value;
        const char* expected;
    };
    const auto walk = [&](std::initializer_list<Step> steps) {
        for (const Step& step : steps) {
            if (step.choice != nullptr) {
                in.*step.choice = step.value;
            }
            EXPECT_EQ(fire::ControlScheme(in, t).Case, step.expected) << "s " << in.s;
        }
    };
    constexpr auto right = &SchemeInput::rightLine;
    constexpr auto oneWay = &SchemeInput::oneWay;
    walk({{nullptr, false, "L1"}, {right, false, "D2"}, {oneWay, false, "L11"}, {right, true, "L7"}});
    in.s = 1500;
    walk({{nullptr, false, "D3"}, {right, false, "D4"}, {oneWay, true, "L4"}, {right, true, "D1"}});
    // Without a duct, by line and two-way direction.
    constexpr auto duct = &SchemeInput::transverse;
    constexpr auto toLarger = &SchemeInput::twoWayToLarger;
    walk({{duct, false, "L3"}, {right, false, "L6"}, {oneWay, false, "L13"}});
    walk({{toLarger, false, "L14"}, {right, true, "L10"}, {toLarger, true, "L9"}});
}

TEST(FireScheme, TwoWayToSmallerStationsRunsTheOutletPortalWithTheFirePressureToTheStart) {
    // Two-way, right line, no duct, ventilation toward smaller stations: L10, the last port at or before
    // 1500 is 1200 (the label with four blanks). Slope +2 %: the fire pressure runs from 1500 to the start
    // (0), not to 1200, and works against the fans (smoke moving toward smaller stations downhill).
    SchemeInput in = baseInput(1500);
    in.oneWay = false;
    in.twoWayToLarger = false;
    const fire::SchemeResult r = fire::ControlScheme(in, uniformTunnel(2));
    EXPECT_EQ(r.Case, "L10");
    EXPECT_EQ(r.Line1.substr(0, r.Line1.find("    出洞口")), "火灾点桩号:1500.    排烟口桩号:1200.");
    fire::FirePressureInput f = hotStretch(2, 1500, 0);
    f.toLarger = false;
    const double pf = *fire::FirePressure(f);
    EXPECT_GT(pf, 0);
    EXPECT_NE(r.Line2.find("    火风压:" + fire::SchemeNumber(pf)), std::string::npos) << r.Line2;
    // Σ = cold(1500, 2500) + hot(1200, 1500) + Pf ≥ 0: the outlet portal's fans run reversed.
    EXPECT_NE(r.Line1.find("    出洞口风机开启台数(逆转):"), std::string::npos);
}

TEST(FireScheme, NoUsablePortIsSaidInsteadOfAStationZero) {
    SchemeInput in = baseInput(1500);
    in.ports = {0, 1200};
    const fire::SchemeResult r = fire::ControlScheme(in, uniformTunnel());
    EXPECT_EQ(r.Case, "L3");
    EXPECT_EQ(r.Line1, "火灾点桩号:1500.    排烟口桩号:无可用排烟口");
    EXPECT_EQ(r.Line2, "");
}

TEST(FireScheme, AModelThatGivesNoRiseShowsNoCount) {
    SchemeInput in = baseInput(850.5);
    in.model.reset();
    fire::SchemeResult r = fire::ControlScheme(in, uniformTunnel());
    EXPECT_EQ(r.Line1, "火灾点桩号:850.5    排烟口桩号:1200.    进洞口风机开启台数:      ??");
    EXPECT_NE(r.Line2.find("无法确定风机台数"), std::string::npos);
    in = baseInput(850.5);
    in.eta = 0;
    r = fire::ControlScheme(in, uniformTunnel());
    EXPECT_NE(r.Line1.find("??"), std::string::npos);
}

TEST(FireScheme, ZeroFlowWithExpansionCountsTheHotTermsAsZero) {
    SchemeInput in = baseInput(850.5);
    in.Q = 0;
    in.airExpand = true;
    const fire::SchemeResult r = fire::ControlScheme(in, uniformTunnel(2));
    // cold(0, 850.5) at Q 0 is 0, the hot stretch 0; the fire pressure cannot be computed and says why.
    EXPECT_EQ(r.Line2, "通风阻抗力:0    两端气压差:未考虑自然风    阻塞车辆风阻力:无阻塞车辆    "
                       "火风压:无法计算(火灾需风量为0)");
    EXPECT_NE(r.Line1.find("进洞口风机开启台数:      01"), std::string::npos) << r.Line1;
}

} // namespace

TEST(FireFormulas, SquaresAreFormedBeforeTheyMultiply) {
    // The engineer squares a diameter, a speed or a slope first and multiplies by it as one factor; the
    // last digit, and so a fan count at a half, depends on it.
    // Blocked vehicles: Am 2.4, ρ 1.2, k 1, nb 5, q 80, A 50: (80/50)² = 2.56; 2.4·0.5·1.2·5 = 7.2;
    // 7.2·2.56 = 18.432; /50 = 0.36864 Pa.
    EXPECT_EQ(fire::BlockedResistance(2.4, 1.2, 80, 1, 5, 50), 0.36864);

    // One jet fan: Dj 0.63, flow 13 m³/s, A 60, ρ 1.2, η 0.85, q 120. Aj = 0.25·3.1415926·0.3969 = 0.311725;
    // vj = 13/0.311725 = 41.7034 m/s, vj² = 1739.17; vr = 2; ρ·vj²·Aj/A = 10.8425; ·(1 − 2/41.7034)·0.85
    // = 8.7745 Pa; reversed with 0.7: 6.1421 Pa.
    fire::JetRiseInput jet;
    jet.q = 120;
    jet.area = 60;
    jet.rho = 1.2;
    jet.eta = 0.85;
    jet.model = model("M", 13, 0.63, 0.7);
    const double aj = 0.25 * fire::kPi * (0.63 * 0.63);
    const double vj = 13 / aj;
    const double rise = 1.2 * (vj * vj) * aj / 60 * (1 - 2 / vj) * 0.85;
    EXPECT_NEAR(rise, 8.7745, 1e-4);
    EXPECT_EQ(*fire::JetFanRise(jet), rise);
    jet.reversed = true;
    EXPECT_EQ(*fire::JetFanRise(jet), rise * 0.7);

    // Fire pressure on a slope of 8.13 %: σ = 0.01·8.13/(1 + 0.0001·66.0969) = 0.0813/1.00660969 = 0.080766;
    // the rest as in the hand-worked stretch above (T 293, ρ 1.2, Q 100, W 20, r 70 %, U 25, 500 m).
    const fire::FirePressureInput f = hotStretch(8.13, 1000, 1500);
    const double i = 8.13;
    const double sigma = 0.01 * i / (1 + 0.0001 * (i * i));
    EXPECT_NEAR(sigma, 0.080766, 1e-6);
    const double Tf = 293 + 70 * 20 * 0.01 * 1e6 / (100 * 1.2 * 1006);
    const double rhof = 1.2 * 100 / (100 * Tf / 293);
    const double k = 20 * 25 / (100 * 1.2 * 1006);
    const double e1 = std::exp(-k * 500);
    const double X = std::log(((Tf - 293) * e1 + 293) / (e1 * Tf));
    const double dpf = std::abs(1.2 * 9.8 * 500 * sigma - rhof * Tf * 9.8 * sigma * X / (293 * k));
    // Smoke moving up a rising slope is helped: the pressure is negative.
    EXPECT_EQ(*fire::FirePressure(f), -dpf);
}

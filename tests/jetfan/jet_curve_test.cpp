// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/jet_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using jetfan::CurvePoint;
using jetfan::CurvePointArray;

/// A tunnel from 1000 to 2000 of one section, A = 100 m², D = 10 m: the friction of a flow q over a
/// stretch of length L is λ·L/D·ρ/2·(q/A)² = 0.02·L/10·0.6·(q/100)² = 0.0012·L·(q/100)² with λ 0.02, ρ 1.2.
/// Design flow 200 m³/s (2 m/s): 0.0048 Pa/m; natural wind 1 m/s over the entrance area, 100 m³/s:
/// 0.0012 Pa/m; together 0.006 Pa/m. ζe 0.5, Δpt 20 Pa: p0 = 20 − (1² + 2²)·1.5·0.5·1.2 = 15.5 Pa.
struct FlatTunnel {
    struct Call {
        double to, from, q;
    };
    std::vector<Call> calls;

    jetfan::JetCurveInputs inputs(bool rightLine) const {
        jetfan::JetCurveInputs in;
        in.RightLine = rightLine;
        in.StartPile = 1000;
        in.EndPile = 2000;
        in.PileDirection = rightLine ? 1 : -1;
        in.Rho = 1.2;
        in.Lambda = 0.02;
        in.ZetaE = 0.5;
        in.NaturalWind = 1;
        in.TrafficForce = 20;
        in.DesignFlow = 200;
        in.SpeedStations = {1000, 2000};
        return in;
    }

    jetfan::JetCurveLookups lookups() {
        jetfan::JetCurveLookups look;
        look.Velocity = [](double) { return 2.0; };
        look.Area = [](double) { return 100.0; };
        look.Friction = [this](double to, double from, double lambda, double rho, double q) {
            calls.push_back({to, from, q});
            return lambda * std::abs(to - from) / 10 * rho / 2 * (q / 100) * (q / 100);
        };
        return look;
    }
};

void expectPoints(const CurvePointArray& actual, const std::vector<std::pair<double, double>>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_DOUBLE_EQ(actual[i].station, expected[i].first) << "row " << i + 1;
        EXPECT_NEAR(actual[i].value, expected[i].second, 1e-9) << "row " << i + 1;
        EXPECT_EQ(actual[i].spare, 0) << "row " << i + 1;
    }
}

} // namespace

TEST(JetCurve, RightLineWalkWithAGroupAndALocalLoss) {
    // A group of 30 Pa at 1300 and a local loss ζ 1 at 1400 (−0.5·1·1.2·2² = −2.4 Pa), listed loss first:
    // 1000→1300 loses 300·0.006 = 1.8: 13.7, then 43.7; 1300→1400 loses 0.6: 43.1, then 40.7;
    // 1400→2000 loses 3.6: 37.1 at the exit.
    FlatTunnel t;
    jetfan::JetCurveInputs in = t.inputs(true);
    in.LocalLosses = {{1400, 1}};
    in.Groups = {{1300, 30}};
    const jetfan::JetCurves c = jetfan::BuildJetCurves(in, t.lookups());
    expectPoints(c.Pressure,
                 {{1000, 15.5}, {1300, 13.7}, {1300, 43.7}, {1400, 43.1}, {1400, 40.7}, {2000, 37.1}});
    expectPoints(c.Velocity, {{1000, 2}, {2000, 2}});
    expectPoints(c.Concentration, {{1000, 0}, {2000, 1}});
    EXPECT_FALSE(c.NoSectionAt);
    EXPECT_TRUE(c.Finite());
    // Each stretch is asked from its far station back to the one before, for both flows.
    ASSERT_EQ(t.calls.size(), 6u);
    EXPECT_EQ(t.calls[0].to, 1300);
    EXPECT_EQ(t.calls[0].from, 1000);
    EXPECT_EQ(t.calls[0].q, 200);
    EXPECT_EQ(t.calls[1].q, 100);
    EXPECT_EQ(t.calls[5].to, 2000);
    EXPECT_EQ(t.calls[5].from, 1400);
}

TEST(JetCurve, LeftLineWalksDownAndReadsAscending) {
    // Traffic enters at 2000. Groups listed 1300 (+10) then 1700 (+30), a loss of −2.4 at 1500; walked
    // 1700, 1500, 1300: 2000→1700 −1.8: 13.7 / 43.7; →1500 −1.2: 42.5 / 40.1; →1300 −1.2: 38.9 / 48.9;
    // →1000 −1.8: 47.1. Reversed, each jump shows its after-value first.
    FlatTunnel t;
    jetfan::JetCurveInputs in = t.inputs(false);
    in.Groups = {{1300, 10}, {1700, 30}};
    in.LocalLosses = {{1500, 1}};
    const jetfan::JetCurves c = jetfan::BuildJetCurves(in, t.lookups());
    expectPoints(c.Pressure, {{1000, 47.1},
                              {1300, 48.9},
                              {1300, 38.9},
                              {1500, 40.1},
                              {1500, 42.5},
                              {1700, 43.7},
                              {1700, 13.7},
                              {2000, 15.5}});
    expectPoints(c.Concentration, {{1000, 1}, {2000, 0}});
    ASSERT_FALSE(t.calls.empty());
    EXPECT_EQ(t.calls[0].to, 1700);
    EXPECT_EQ(t.calls[0].from, 2000);
}

TEST(JetCurve, EntrancePressureAndNaturalWindOverTheEntranceArea) {
    // No traffic force (an empty box): p0 = −(1 + 4)·1.5·0.6 = −4.5.
    EXPECT_DOUBLE_EQ(jetfan::JetEntrancePressure(0, 1, 2, 0.5, 1.2), -4.5);
    // The natural wind's flow takes the area at the entrance on every stretch: on the left line the
    // entrance at 2000 has 80 m², so 80 m³/s wherever the stretch lies.
    FlatTunnel t;
    jetfan::JetCurveInputs in = t.inputs(false);
    in.Groups = {{1500, 0}};
    jetfan::JetCurveLookups look = t.lookups();
    look.Area = [](double x) { return x > 1500 ? 80.0 : 100.0; };
    jetfan::BuildJetCurves(in, look);
    ASSERT_EQ(t.calls.size(), 4u);
    EXPECT_EQ(t.calls[1].q, 80);
    EXPECT_EQ(t.calls[3].q, 80);
}

TEST(JetCurve, AirSpeedStepsAtEverySection) {
    // Stations given as the windows list them (start, then section ends, not sorted): 1000, 2000, 1500;
    // 2 m/s below 1500 and 2.5 m/s above, each side taken 0.0001 m inside its stretch.
    auto speed = [](double x) { return x < 1500 ? 2.0 : 2.5; };
    expectPoints(jetfan::VelocityStepPoints({1000, 2000, 1500}, speed),
                 {{1000, 2}, {1500, 2}, {1500, 2.5}, {2000, 2.5}});
    // One section: two points; no section: no point and no crash.
    expectPoints(jetfan::VelocityStepPoints({1000, 2000}, speed), {{1000, 2}, {2000, 2.5}});
    EXPECT_TRUE(jetfan::VelocityStepPoints({1000}, speed).empty());
    EXPECT_TRUE(jetfan::VelocityStepPoints({}, speed).empty());
}

TEST(JetCurve, SharedPiecesOfTheWalk) {
    CurvePointArray points;
    jetfan::AddStepPoints(points, 500, -3, 7);
    expectPoints(points, {{500, -3}, {500, 7}});
    // An odd count keeps its middle row.
    points = {{3, 30, 0}, {2, 20, 0}, {1, 10, 0}};
    jetfan::ReversePoints(points);
    expectPoints(points, {{1, 10}, {2, 20}, {3, 30}});
    // A walk without steps: the whole tunnel at once, 1000·0.006 = 6 Pa.
    FlatTunnel t;
    const jetfan::PressureWalk walk =
        jetfan::WalkPressure(15.5, 1000, 2000, {}, t.lookups().Friction, 0.02, 1.2, 200, 100);
    EXPECT_TRUE(walk.Steps.empty());
    EXPECT_NEAR(walk.Exit, 9.5, 1e-12);
}

TEST(JetCurve, ChecksOnTheGroups) {
    using jetfan::JetCurveCheck;
    EXPECT_EQ(jetfan::CheckJetGroups({}, 1000, 2000), JetCurveCheck::NoGroups);
    EXPECT_EQ(jetfan::CheckJetGroups({1000, 2000, 1500}, 1000, 2000), JetCurveCheck::Ok);
    EXPECT_EQ(jetfan::CheckJetGroups({1500, 999.99}, 1000, 2000), JetCurveCheck::GroupOutsideTunnel);
    EXPECT_EQ(jetfan::CheckJetGroups({2000.01, 1500}, 1000, 2000), JetCurveCheck::GroupOutsideTunnel);
}

TEST(JetCurve, StationWithoutSectionIsNamed) {
    // The air speed is not finite beyond 1800 (no section there): a local loss at 1900 is named first.
    FlatTunnel t;
    jetfan::JetCurveInputs in = t.inputs(true);
    in.Groups = {{1300, 30}};
    in.LocalLosses = {{1900, 1}};
    jetfan::JetCurveLookups look = t.lookups();
    look.Velocity = [](double x) { return x > 1800 ? std::numeric_limits<double>::infinity() : 2.0; };
    jetfan::JetCurves c = jetfan::BuildJetCurves(in, look);
    ASSERT_TRUE(c.NoSectionAt);
    EXPECT_EQ(*c.NoSectionAt, 1900);
    EXPECT_FALSE(c.Finite());
    // Without the loss, the last section's speed names the exit station.
    in.LocalLosses.clear();
    c = jetfan::BuildJetCurves(in, look);
    ASSERT_TRUE(c.NoSectionAt);
    EXPECT_EQ(*c.NoSectionAt, 2000);
    // No section at all: the entrance is named.
    look.Velocity = [](double) { return std::numeric_limits<double>::infinity(); };
    c = jetfan::BuildJetCurves(in, look);
    ASSERT_TRUE(c.NoSectionAt);
    EXPECT_EQ(*c.NoSectionAt, 1000);
}

TEST(JetCurve, LocalLossStepSquaresTheSpeedFirst) {
    // No friction, no traffic force and still air at the entrance, so p0 = 0 and the curve shows the
    // local loss alone: 0.1 × (−0.5) × 1.2 × 1.18² = −0.06 × 1.3924 = −0.083544 Pa, to the last digit.
    jetfan::JetCurveInputs in;
    in.StartPile = 1000;
    in.EndPile = 2000;
    in.Rho = 1.2;
    in.Groups = {{1500, 30}};
    in.LocalLosses = {{1200, 0.1}};
    in.SpeedStations = {1000, 2000};
    jetfan::JetCurveLookups look;
    look.Velocity = [](double station) { return station == 1200 ? 1.18 : 0.0; };
    look.Area = [](double) { return 100.0; };
    look.Friction = [](double, double, double, double, double) { return 0.0; };
    const jetfan::JetCurves curves = jetfan::BuildJetCurves(in, look);
    ASSERT_EQ(curves.Pressure.size(), 6u);
    EXPECT_EQ(curves.Pressure[1].value, 0);
    EXPECT_EQ(curves.Pressure[2].value, -0.083544);
}

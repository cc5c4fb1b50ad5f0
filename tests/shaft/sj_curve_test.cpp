// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-and-jet curves walked by hand on a small tunnel.
#include "shaft/sj_curve.h"

#include "shaft/shaft_and_jet.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

using jetfan::CurvePointArray;

/// Tunnel 0–1000, 50 m² throughout; friction of a stretch 0.001 × length × flow (Pa), whatever its
/// direction; shaft 600 (right line) or 400 (left line) with ds 20; Qr1 100, Qe 20, Qs 80, Qb 40, Qr2 120;
/// ρ 1.2, ζe 0.5, ζf 0.28, ζh 0.7; Δpe 5, Δpb 30, Δpt1 10, Δpt2 8; C2 0.9, C2s 0.95, C2b 0.7, C3 1.0.
struct SmallTunnel {
    shaft::SjCurveInputs in;
    shaft::SjCurveLookups look;

    explicit SmallTunnel(bool rightLine) {
        in.RightLine = rightLine;
        in.TunnelStart = 0;
        in.TunnelLength = 1000;
        in.PileDirection = rightLine ? 1 : -1;
        in.ShaftPile = rightLine ? 600 : 400;
        in.ds = 20;
        in.Qr1 = 100;
        in.Qr2 = 120;
        in.Qe = 20;
        in.Qb = 40;
        in.deltap_e = 5;
        in.deltap_b = 30;
        in.deltap_t1 = 10;
        in.deltap_t2 = 8;
        in.CC_2 = 0.9;
        in.CC_2s = 0.95;
        in.CC_2b = 0.7;
        in.CC_3 = 1.0;
        in.Zeta_fencha = 0.28;
        in.Zeta_heliu = 0.7;
        in.zeta_e = 0.5;
        in.rho = 1.2;
        in.lambda = 0.02;
        in.v_n = 0;
        // Groups in the order of travel, as the group list holds them.
        in.Groups = rightLine ? std::vector<jetfan::PressureStep>{{200, 40}, {800, 25}}
                              : std::vector<jetfan::PressureStep>{{800, 40}, {200, 25}};
        in.SectionStations = {1000};
        look.FlowAt = [this](double s) {
            return shaft::FlowAtPile(s, 0, 1000, in.ShaftPile, in.ds, !in.RightLine, 100, 80, 120);
        };
        look.VelocityAt = [this](double s) {
            return shaft::SjLossFlow(s, in.ShaftPile, in.ds, !in.RightLine, 100, 120, 20) / 50;
        };
        look.Area = [](double) { return 50.0; };
        look.Friction = [](double to, double from, double, double, double q) {
            return 0.001 * std::fabs(to - from) * q;
        };
    }
};

void expectPoints(const CurvePointArray& got, const std::vector<std::pair<double, double>>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
        EXPECT_NEAR(got[k].station, want[k].first, 1e-9) << "point " << k;
        EXPECT_NEAR(got[k].value, want[k].second, 1e-9) << "point " << k;
        EXPECT_EQ(got[k].spare, 0) << "point " << k;
    }
}

// Entrance, exit, exhaust opening and supply opening, in that order.
void expectStations(const shaft::SjCurves& c, const std::array<double, 4>& want) {
    const double got[] = {c.Entrance, c.Exit, c.Exhaust, c.Supply};
    const char* names[] = {"entrance", "exit", "exhaust", "supply"};
    for (int k = 0; k < 4; ++k)
        EXPECT_DOUBLE_EQ(got[k], want[k]) << names[k];
}

// vr1 = 100/50 = 2, vr2 = 120/50 = 2.4, vin = 2. p0 = 10 − 0.5·0.5·1.2·4 = 8.8.
// Exhaust step 5 − 0.28·0.6·4 = 4.328; supply step 30 − 0.7·0.6·5.76 + 8 = 35.5808.
// Stretches (length × midpoint flow / 1000): 200·100 = 20, 390·100 = 39, 20·80 = 1.6 (the short passage),
// 190·120 = 22.8, 200·120 = 24.
// Walk: 8.8 → −11.2 | 28.8 → −10.2 | −5.872 → −7.472 | 28.1088 → 5.3088 | 30.3088 → 6.3088 at the exit.
TEST(SjCurve, RightLineWalkByHand) {
    SmallTunnel t(true);
    const shaft::SjCurves c = shaft::BuildSjCurves(t.in, t.look);
    expectStations(c, {0, 1000, 590, 610});
    EXPECT_DOUBLE_EQ(c.v_r1, 2);
    EXPECT_DOUBLE_EQ(c.v_r2, 2.4);
    ASSERT_EQ(c.StepPoints.size(), 4u);
    EXPECT_DOUBLE_EQ(c.StepPoints[1][0], 590);
    EXPECT_NEAR(c.StepPoints[1][1], 4.328, 1e-12);
    EXPECT_NEAR(c.StepPoints[2][1], 35.5808, 1e-12);
    expectPoints(c.Pressure, {{0, 8.8},
                              {200, -11.2},
                              {200, 28.8},
                              {590, -10.2},
                              {590, -5.872},
                              {610, -7.472},
                              {610, 28.1088},
                              {800, 5.3088},
                              {800, 30.3088},
                              {1000, 6.3088}});
    // Speeds 2 before the exhaust opening, 80/50 in the short passage, 120/50 after it.
    expectPoints(c.Velocity, {{0, 2}, {590, 2}, {590, 1.6}, {610, 1.6}, {610, 2.4}, {1000, 2.4}});
    EXPECT_EQ(c.SpeedStations, (std::vector<double>{0, 590, 610, 1000}));
    expectPoints(c.Concentration, {{0, 0}, {590, 0.9}, {590, 0.9}, {610, 0.95}, {610, 0.7}, {1000, 1.0}});
    EXPECT_TRUE(c.Finite());
}

// The same tunnel walked from 1000 down to 0: shaft 400, exhaust opening 410, supply opening 390; the same
// stretches and steps in the order of travel; all three curves read in ascending stations.
TEST(SjCurve, LeftLineWalksDownAndReadsAscending) {
    SmallTunnel t(false);
    const shaft::SjCurves c = shaft::BuildSjCurves(t.in, t.look);
    expectStations(c, {1000, 0, 410, 390});
    ASSERT_EQ(c.StepPoints.size(), 4u);
    EXPECT_EQ(c.StepPoints[0][0], 800);
    EXPECT_EQ(c.StepPoints[3][0], 200);
    ASSERT_EQ(c.WorkPoints.size(), 4u);
    EXPECT_NEAR(c.WorkPoints[0][0], -11.2, 1e-9);
    EXPECT_NEAR(c.WorkPoints[0][1], 28.8, 1e-9);
    expectPoints(c.Pressure, {{0, 6.3088},
                              {200, 30.3088},
                              {200, 5.3088},
                              {390, 28.1088},
                              {390, -7.472},
                              {410, -5.872},
                              {410, -10.2},
                              {800, 28.8},
                              {800, -11.2},
                              {1000, 8.8}});
    expectPoints(c.Velocity, {{0, 2.4}, {390, 2.4}, {390, 1.6}, {410, 1.6}, {410, 2}, {1000, 2}});
    expectPoints(c.Concentration, {{0, 1.0}, {390, 0.7}, {390, 0.95}, {410, 0.9}, {410, 0.9}, {1000, 0}});
}

TEST(SjCurve, NaturalWindLocalLossesAndOpeningsWithoutFlow) {
    // Natural wind 0.02 m/s over 50 m²: 1 m³/s, 0.001 Pa per metre, 1 Pa over the whole tunnel.
    SmallTunnel wind(true);
    wind.in.v_n = 0.02;
    const shaft::SjCurves w = shaft::BuildSjCurves(wind.in, wind.look);
    EXPECT_NEAR(w.Pressure.back().value, 6.3088 - 1, 1e-9);
    EXPECT_NEAR(w.Pressure[1].value, -11.2 - 0.2, 1e-9);

    // A local loss at 300 (ζ 0.5, v 2): −0.5·0.5·1.2·4 = −1.2, sorted in between the group at 200 and the
    // exhaust opening; the exit drops by it.
    SmallTunnel loss(true);
    loss.in.LocalLosses = {{300, 0.5}};
    const shaft::SjCurves l = shaft::BuildSjCurves(loss.in, loss.look);
    ASSERT_EQ(l.StepPoints.size(), 5u);
    EXPECT_DOUBLE_EQ(l.StepPoints[1][0], 300);
    EXPECT_NEAR(l.StepPoints[1][1], -1.2, 1e-12);
    EXPECT_EQ(l.Pressure.size(), 12u);
    EXPECT_NEAR(l.Pressure.back().value, 6.3088 - 1.2, 1e-9);

    // No exhaust flow: the exhaust step is Δpe alone; no supply flow: Δpb + Δpt2. The losses as taken are 0.
    SmallTunnel none(true);
    none.in.Qe = 0;
    none.in.Qb = 0;
    const shaft::SjCurves n = shaft::BuildSjCurves(none.in, none.look);
    EXPECT_DOUBLE_EQ(n.StepPoints[1][1], 5);
    EXPECT_DOUBLE_EQ(n.StepPoints[2][1], 38);
    EXPECT_EQ(n.Zeta_fencha, 0);
    EXPECT_EQ(n.Zeta_heliu, 0);

    // ds 0: both openings on the shaft station, a stretch without length between them.
    SmallTunnel zero(true);
    zero.in.ds = 0;
    const shaft::SjCurves z = shaft::BuildSjCurves(zero.in, zero.look);
    EXPECT_DOUBLE_EQ(z.StepPoints[1][0], 600);
    EXPECT_DOUBLE_EQ(z.StepPoints[2][0], 600);
    EXPECT_NEAR(z.WorkPoints[2][0], z.WorkPoints[1][1], 1e-12);

    // An area of 0 somewhere gives values that are not numbers: the curves say so.
    SmallTunnel hole(true);
    hole.look.Area = [](double s) { return s > 605 ? 0.0 : 50.0; };
    EXPECT_FALSE(shaft::BuildSjCurves(hole.in, hole.look).Finite());
}

TEST(SjCurve, OpeningsStandBeforeTheFirstGroupAtOrBeyondThem) {
    const std::vector<jetfan::PressureStep> groups{{100, 1}, {300, 2}};
    // Right line, both openings on the second group's station: before it, exhaust first.
    auto rows = shaft::SjUnsortedSteps(groups, {300, -1}, {300, -2}, 1, {{50, -3}});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0][1], 1);
    EXPECT_EQ(rows[1][1], -1);
    EXPECT_EQ(rows[2][1], -2);
    EXPECT_EQ(rows[3][1], 2);
    EXPECT_EQ(rows[4][1], -3);
    // Beyond every group: after them; before every group: first.
    rows = shaft::SjUnsortedSteps(groups, {400, -1}, {410, -2}, 1, {});
    EXPECT_EQ(rows[2][1], -1);
    EXPECT_EQ(rows[3][1], -2);
    rows = shaft::SjUnsortedSteps(groups, {50, -1}, {200, -2}, 1, {});
    EXPECT_EQ(rows[0][1], -1);
    EXPECT_EQ(rows[1][1], 1);
    EXPECT_EQ(rows[2][1], -2);
    // Left line, groups descending: an opening at 200 stands before the group at 100.
    rows = shaft::SjUnsortedSteps({{300, 2}, {100, 1}}, {210, -1}, {190, -2}, -1, {});
    EXPECT_EQ(rows[1][1], -1);
    EXPECT_EQ(rows[2][1], -2);
    EXPECT_EQ(rows[3][1], 1);
    // No groups at all: the two openings alone.
    EXPECT_EQ(shaft::SjUnsortedSteps({}, {1, -1}, {2, -2}, 1, {}).size(), 2u);
}

TEST(SjCurve, StepsAndStretchesToTheHandCalculatedLastDigit) {
    // Speeds are squared before they multiply: Qr1 133 gives vin = 133/50 = 2.66 at the entrance and
    // vr1 = 133/70 = 1.9 at the exhaust opening (70 m² there); Qr2 107 over 50 m² gives vr2 = 2.14; a local
    // loss ζ 0.1 where the air moves at 1.18.
    SmallTunnel t(true);
    t.in.Qr1 = 133;
    t.in.Qr2 = 107;
    t.in.LocalLosses = {{300, 0.1}};
    t.look.Area = [](double s) { return s == 590 ? 70.0 : 50.0; };
    t.look.VelocityAt = [](double) { return 1.18; };
    const shaft::SjCurves c = shaft::BuildSjCurves(t.in, t.look);
    ASSERT_EQ(c.StepPoints.size(), 5u);
    // p0 = 10 − 0.5·0.5·1.2·7.0756 = 10 − 2.12268 = 7.87732.
    EXPECT_EQ(c.Pressure[0].value, 7.87732);
    // Local loss −0.5·0.1·1.2·1.3924 = −0.083544.
    EXPECT_EQ(c.StepPoints[1][1], -0.083544);
    // Exhaust 5 − 0.28·0.5·1.2·3.61 = 5 − 0.60648 = 4.39352.
    EXPECT_EQ(c.StepPoints[2][1], 4.39352);
    // Supply 30 − 0.7·0.5·1.2·4.5796 + 8 = 30 − 1.923432 + 8 = 36.076568.
    EXPECT_EQ(c.StepPoints[3][1], 36.076568);

    // A stretch loses its friction and then its natural wind. Natural wind 0.09 m/s over 50 m², 4.5 m³/s:
    // the first stretch 0–200 loses 0.2·100 = 20 and 0.2·4.5 = 0.9, from p0 = 8.8: 8.8 − 20 − 0.9 = −12.1.
    SmallTunnel w(true);
    w.in.v_n = 0.09;
    const shaft::SjCurves walked = shaft::BuildSjCurves(w.in, w.look);
    EXPECT_EQ(walked.Pressure[0].value, 8.8);
    EXPECT_EQ(walked.Pressure[1].value, -12.1);
}

TEST(SjCurve, LossFlowBySideOfTheShortPassage) {
    // a = 590, b = 610; Qr1 100, Qr2 120, Qe 20.
    EXPECT_EQ(shaft::SjLossFlow(590, 600, 20, false, 100, 120, 20), 100);
    EXPECT_EQ(shaft::SjLossFlow(600, 600, 20, false, 100, 120, 20), 80);
    EXPECT_EQ(shaft::SjLossFlow(610, 600, 20, false, 100, 120, 20), 120);
    EXPECT_EQ(shaft::SjLossFlow(610, 600, 20, true, 100, 120, 20), 100);
    EXPECT_EQ(shaft::SjLossFlow(600, 600, 20, true, 100, 120, 20), 80);
    EXPECT_EQ(shaft::SjLossFlow(590, 600, 20, true, 100, 120, 20), 120);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/construction_vent.h"

#include "platform/vb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using tools::CalculateConstructionVent;
using tools::ConstructionBoxes;
using tools::ConstructionResults;
using tools::VentType;

namespace {

// A heading of 50 m² with every criterion filled in; the tests change what they look at.
ConstructionBoxes heading() {
    ConstructionBoxes b;
    b.Type = VentType::Forced;
    b.Method1 = 3; // Q1 = 5 G b / t
    b.A = "50";
    b.TunnelL = "1000";
    b.TubeL = "1000";
    b.D = "1.5";
    b.RHO = "1.2";
    b.lambda = "0.015";
    b.G = "100";
    b.t = "30";
    b.b0 = "0.04";
    b.PHI0 = "0.5";
    b.k = "1";
    b.LF = "0";
    b.v = "0.25";
    b.N = "50";
    b.qPerPerson = "3";
    b.Diesel = {{"1.5", "120", "2", "0.8", "0.75"}};
    b.C = "1";
    b.gas = "0.5";
    b.ptot = "1.2";
    b.XZ = "0.9";
    b.zeta = "2";
    b.FanNum = "2";
    b.Ratio = "0.9";
    return b;
}

bool mentions(const ConstructionResults& r, const std::string& text) {
    return std::any_of(r.Problems.begin(), r.Problems.end(),
                       [&](const std::string& p) { return p.find(text) != std::string::npos; });
}

} // namespace

TEST(ConstructionVent, FiveCriteriaDuctAndParallelFansOfAHandWorkedHeading) {
    // Q1 = 5 × 100 × 0.04 / 30 = 0.6667 → "0.667"; Q2 = 0.25 × 60 × 50 = 750; Q3 = 3 × 50 = 150;
    // Q4 = 1.5 × 120 × 2 × 0.8 × 0.75 = 216; Q5 = 100 × 0.5 / 1 = 50.
    // Q = 750 / 0.9 / 60 = 13.889 (shown), × Ptot 1.2 = 16.6668 → 16.667.
    // vd = 16.667 × 4 / 3.1415926 / 1.5² = 9.43159; H1 = vd² × 0.6 × 1000 × 0.015 / 1.5 = 533.730;
    // H2 = vd² × 0.6 × 2 = 106.746; H = 640.476; Qf = 16.667 / 2 = 8.33; Pf = 640.476 / 0.9 = 711.64.
    const ConstructionResults r = CalculateConstructionVent(heading());
    EXPECT_TRUE(r.Problems.empty());
    EXPECT_EQ(r.Q[0], "0.667");
    EXPECT_EQ(r.Q[1], "750");
    EXPECT_EQ(r.Q[2], "150");
    EXPECT_EQ(r.Q[3], "216.000");
    EXPECT_EQ(r.Q[4], "50.000");
    EXPECT_EQ(r.Q[5], "16.667");
    EXPECT_EQ(r.H1, "533.730");
    EXPECT_EQ(r.H2, "106.746");
    EXPECT_EQ(r.H, "640.476");
    EXPECT_EQ(r.Qf, "8.33");
    EXPECT_EQ(r.Pf, "711.64");
    EXPECT_FALSE(r.P.has_value());
    EXPECT_FALSE(r.L0.has_value());
}

TEST(ConstructionVent, SeriesFansCarryTheWholeFlowAndShareThePressure) {
    // Qf = Q = 16.667 → "16.67"; Pf = 640.476 / 2 / 0.9 = 355.82.
    ConstructionBoxes b = heading();
    b.Parallel = false;
    const ConstructionResults r = CalculateConstructionVent(b);
    // Flow, then pressure of one fan.
    EXPECT_EQ(std::tuple(r.Qf, r.Pf), std::tuple("16.67", "355.82"));
}

TEST(ConstructionVent, ForcedMethodOneUsesTheShownLeakageAndCriticalLength) {
    ConstructionBoxes b = heading();
    b.Method1 = 0;
    // p = 1 / (1 − 0) = 1.000; L = 12.5 × 100 × 0.04 × 1 / 50 / 1² = 1.000;
    // Q1 = 2.25 × (100 × (50 × 1)² × 0.5 × 0.04 / 1)^0.3333 / 30 = 2.25 × 5000^0.3333 / 30 = 1.282.
    ConstructionResults r = CalculateConstructionVent(b);
    EXPECT_EQ(r.P, "1.000");
    EXPECT_EQ(r.L0, "1.000");
    EXPECT_EQ(r.Q[0], "1.282");

    // A stretch shorter than the critical length replaces it with the stretch's text as typed:
    // Q1 = 2.25 × (100 × 25² × 0.02)^0.3333 / 30 = 0.808.
    b.TunnelL = ".5";
    r = CalculateConstructionVent(b);
    EXPECT_EQ(r.L0, ".5");
    EXPECT_EQ(r.Q[0], "0.808");

    // P100 = 1 and Ld = 33: p = 1 / 0.67 = 1.49254, shown and used as 1.493.
    b.TunnelL = "1000";
    b.LF = "1";
    b.TubeL = "33";
    b.G = "1000";
    r = CalculateConstructionVent(b);
    EXPECT_EQ(r.P, "1.493");
    // L = 12.5 × 1000 × 0.04 / 50 / 1.493² = 10 / 2.229049 = 4.486 (with the unrounded p it would be 4.489).
    EXPECT_EQ(r.L0, "4.486");
}

TEST(ConstructionVent, ForcedMethodsTwoToFive) {
    ConstructionBoxes b = heading();
    // Method 2 uses the stretch length: 7.8 × (100 × (50 × 1000)²)^0.3333 / 30.
    b.Method1 = 1;
    ConstructionResults r = CalculateConstructionVent(b);
    EXPECT_EQ(r.Q[0], vb::Format(7.8 * std::pow(100.0 * 50000.0 * 50000.0, 0.3333) / 30, "0.000"));
    EXPECT_FALSE(r.L0.has_value());

    // Method 3: L0 = 400 × 100 / 50 = 800.000; with Lt typed as 600 it is "600";
    // Q1 = 21.4 × (100 × 50 × 600)^0.5 / 30 = 1235.530.
    b.Method1 = 2;
    r = CalculateConstructionVent(b);
    EXPECT_EQ(r.L0, "800.000");
    b.TunnelL = "600";
    r = CalculateConstructionVent(b);
    EXPECT_EQ(r.L0, "600");
    EXPECT_EQ(r.Q[0], "1235.530");

    // Method 5 with 5 G b < A lo: (5 × 10 × 0.04 − 50 × 20) / 30 = −33.267, shown with its sign and
    // taking part in the maximum as a negative number (Q2 governs: 750 / 0.9 / 60 × 1.2).
    b.Method1 = 4;
    b.G = "10";
    b.L0 = "20";
    r = CalculateConstructionVent(b);
    EXPECT_EQ(r.Q[0], "-33.267");
    EXPECT_EQ(r.Q[5], "16.667");
}

TEST(ConstructionVent, ExhaustThrowLengthAndMethods) {
    EXPECT_DOUBLE_EQ(tools::ExhaustThrowLength(20, true), 35);
    EXPECT_DOUBLE_EQ(tools::ExhaustThrowLength(20, false), 19);
    ConstructionBoxes b = heading();
    b.Type = VentType::Exhaust;
    b.G = "20";
    b.Method2 = 1;
    // (18 / 30) × (20 × 50 × 19)^0.5 = 82.704 with electric detonators.
    EXPECT_EQ(CalculateConstructionVent(b).Q[0], "82.704");
    // (2.13 / 30) × (20 × 50 × 0.04 × 35)^0.5 = 2.657 with fire fuses.
    b.Method2 = 0;
    b.FireFuse = true;
    b.b1 = "0.04";
    EXPECT_EQ(CalculateConstructionVent(b).Q[0], "2.657");
}

TEST(ConstructionVent, MixedForcedAndExhaustParts) {
    ConstructionBoxes b = heading();
    b.Type = VentType::Mixed;
    b.L1 = "30";
    // Qm by method 3 = 19 × (100 × 50 × 30)^0.5 / 30 = 245.289;
    // by method 2 = 7.8 × (100 × (50 × 30)²)^0.33333 / 30 = 158.127 (the exhaust part below builds on it).
    for (const auto& [method, qm] : {std::pair{2, "245.289"}, std::pair{1, "158.127"}}) {
        b.Method3 = method;
        EXPECT_EQ(CalculateConstructionVent(b).Q[0], qm) << "method index " << method;
    }
    // Exhaust part: method 1 Qe = Qm × 1.2; method 2 Qe = A v 60 + Qm = 750 + 158.127.
    b.MixedForced = false;
    b.Method4 = 0;
    b.HP = "1.2";
    EXPECT_EQ(CalculateConstructionVent(b).Q[0], vb::Format(158.12711476281206 * 1.2, "0.000"));
    b.Method4 = 1;
    EXPECT_EQ(CalculateConstructionVent(b).Q[0], "908.127");
}

TEST(ConstructionVent, GeneralTextAndEmptyListResults) {
    ConstructionBoxes b = heading();
    b.A = "12";
    b.N = "0";
    b.qPerPerson = "4";
    b.Diesel.clear();
    const ConstructionResults r = CalculateConstructionVent(b);
    EXPECT_EQ(r.Q[1], "180");
    EXPECT_EQ(r.Q[2], "0");
    EXPECT_EQ(r.Q[3], "0.000");
}

TEST(ConstructionVent, LeakageIsNotCountedTwiceWhenTheBlastingFormulaGoverns) {
    ConstructionBoxes b = heading();
    b.Method1 = 0;
    b.LF = "0.02";
    b.TubeL = "500";
    b.G = "2000";
    b.v = "0.001";
    b.N = "1";
    b.Diesel.clear();
    b.gas = "0";
    // p = 1 / (1 − 0.1) = 1.111; Q1 governs and already carries p², so Q = Q1 / 0.9 / 60 without Ptot.
    const ConstructionResults r = CalculateConstructionVent(b);
    ASSERT_TRUE(r.Problems.empty());
    const double q1 = vb::Val(*r.Q[0]);
    ASSERT_GT(q1, 3.0); // Q2 = 3, Q3 = 3, Q4 = 0, Q5 = 0
    EXPECT_EQ(r.Q[5], vb::Format(q1 / 0.9 / 60, "0.000"));

    // With another method the same governing Q1 is multiplied by Ptot.
    b.Method1 = 3;
    const ConstructionResults other = CalculateConstructionVent(b);
    const double q = vb::Val(vb::Format(vb::Val(*other.Q[0]) / 0.9 / 60, "0.000"));
    EXPECT_EQ(other.Q[5], vb::Format(q * 1.2, "0.000"));
}

// The result box of the given name ("Q0" .. "Q5", "P", "L0", "H1", "H2", "H", "Qf", "Pf").
static const std::optional<std::string>& resultBox(const ConstructionResults& r, const std::string& name) {
    if (name.size() == 2 && name[0] == 'Q' && name[1] >= '0' && name[1] <= '5')
        return r.Q[name[1] - '0'];
    const std::pair<const char*, const std::optional<std::string>*> boxes[] = {
        {"P", &r.P}, {"L0", &r.L0}, {"H1", &r.H1}, {"H2", &r.H2}, {"H", &r.H}, {"Qf", &r.Qf}, {"Pf", &r.Pf}};
    for (const auto& [boxName, box] : boxes)
        if (name == boxName)
            return *box;
    ADD_FAILURE() << "no result box " << name;
    static const std::optional<std::string> none;
    return none;
}

TEST(ConstructionVent, AFailedStepEmptiesItsBoxAndWhatDependsOnItAndSaysWhy) {
    struct Case {
        const char* what;
        std::function<void(ConstructionBoxes&)> change;
        std::vector<std::pair<std::string, std::string>> boxes; // box name, expected text
        std::vector<std::string> problems;                      // each must be mentioned
    };
    const std::vector<Case> cases = {
        // No Q1, so no governing demand, duct or fans; Q2..Q5 still stand.
        {"t = 0",
         [](ConstructionBoxes& b) { b.t = "0"; },
         {{"Q0", ""}, {"Q1", "750"}, {"Q5", ""}, {"H", ""}, {"Qf", ""}, {"Pf", ""}},
         {"通风时间t"}},
        // The previous Q is never multiplied by Ptot once more.
        {"XZ = 0", [](ConstructionBoxes& b) { b.XZ = "0"; }, {{"Q5", ""}}, {"修正系数为0"}},
        // The flow of one fan stands, the losses and the pressure do not.
        {"D = 0",
         [](ConstructionBoxes& b) { b.D = ""; },
         {{"Q5", "16.667"}, {"Qf", "8.33"}, {"H1", ""}, {"H2", ""}, {"Pf", ""}},
         {"风管当量直径D为0"}},
        {"C = 0", [](ConstructionBoxes& b) { b.C = "0"; }, {{"Q4", ""}}, {"浓度限值C为0"}},
        {"n = 0 (parallel), r = 0",
         [](ConstructionBoxes& b) {
             b.FanNum = "0";
             b.Ratio = "abc";
         },
         {{"Qf", ""}, {"Pf", ""}},
         {"风机台数为0", "效率损失系数为0"}},
        {"A = 0 in the critical length",
         [](ConstructionBoxes& b) {
             b.Method1 = 2;
             b.A = "0";
         },
         {{"L0", ""}, {"Q0", ""}},
         {"开挖面积A为0"}},
        {"P100 × Ld = 100 in the leakage",
         [](ConstructionBoxes& b) {
             b.Method1 = 0;
             b.LF = "1";
             b.TubeL = "100";
         },
         {{"P", ""}, {"Q0", ""}},
         {}},
        {"a negative charge under a root",
         [](ConstructionBoxes& b) {
             b.Method1 = 1;
             b.G = "-5";
         },
         {{"Q0", ""}},
         {"负数开方"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConstructionBoxes b = heading();
        c.change(b);
        const ConstructionResults r = CalculateConstructionVent(b);
        for (const auto& [name, expected] : c.boxes)
            EXPECT_EQ(resultBox(r, name), expected) << name;
        for (const std::string& problem : c.problems)
            EXPECT_TRUE(mentions(r, problem)) << problem;
    }
}

TEST(ConstructionVent, MixedMethodOneNeedsNumbersAndEveryTypeNeedsAMethod) {
    ConstructionBoxes b = heading();
    b.Type = VentType::Mixed;
    b.Method3 = 0;
    b.b2 = "0.04";
    b.PHI1 = "";
    ConstructionResults r = CalculateConstructionVent(b);
    EXPECT_EQ(r.Q[0], "");
    EXPECT_TRUE(mentions(r, "淋湿系数Φ"));

    b = heading();
    b.Method1 = -1;
    r = CalculateConstructionVent(b);
    EXPECT_EQ(r.Q[0], "");
    EXPECT_TRUE(mentions(r, "未选择压入式通风的计算方法"));
}

TEST(ConstructionVent, EqualCriteriaGiveThatDemand) {
    // Q1 = 5 × 100 × 0.06 / 30 = 1; Q2 = 1/60 × 60 × 1 = 1; Q3 = 1; Q4 = 1; Q5 = 100 × 0.01 / 1 = 1.
    ConstructionBoxes b = heading();
    for (std::string ConstructionBoxes::*one :
         {&ConstructionBoxes::A, &ConstructionBoxes::N, &ConstructionBoxes::qPerPerson,
          &ConstructionBoxes::XZ, &ConstructionBoxes::ptot})
        b.*one = "1";
    b.b0 = "0.06";
    b.v = "0.0166666666666667";
    b.Diesel = {{"1", "1", "1", "1", "1"}};
    b.gas = "0.01";
    const ConstructionResults r = CalculateConstructionVent(b);
    EXPECT_EQ(r.Q[5], vb::Format(1.0 / 60, "0.000"));
}

TEST(ConstructionVentTables, FrictionItemsKeysAndLeakageTables) {
    EXPECT_EQ(tools::FrictionItems(0).back(), "1000");
    EXPECT_EQ(tools::FrictionItems(1).size(), 4u);
    EXPECT_EQ(tools::FrictionItems(2)[2], "3*10^5");
    EXPECT_EQ(tools::FrictionKey(2, 2), 3.0);
    EXPECT_EQ(tools::FrictionKey(0, 3), 800.0);
    EXPECT_FALSE(tools::FrictionKey(1, 4).has_value());

    EXPECT_EQ(tools::LeakageTableKey(tools::LeakageDuct::Metal, 0, true), "Tab12_3_1");
    EXPECT_EQ(tools::LeakageTableKey(tools::LeakageDuct::Metal, 0, false), "Tab12_3_2");
    EXPECT_EQ(tools::LeakageTableKey(tools::LeakageDuct::Metal, 1, true), "Tab12_3_3");
    EXPECT_EQ(tools::LeakageTableKey(tools::LeakageDuct::Metal, 1, false), "Tab12_3_4");
    EXPECT_EQ(tools::LeakageTableKey(tools::LeakageDuct::Metal, -1, true), "");
    EXPECT_EQ(tools::LeakageTableKey(tools::LeakageDuct::Pvc, -1, true), "Tab12_4");

    // Rubber by length only: halfway between 1.02 at 100 m and 1.04 at 200 m; outside the keys the end.
    CoefTable rubber{{100, 200}, {0}, {{1.02, 1.04}}};
    EXPECT_NEAR(*tools::LeakageCoefficient(tools::LeakageDuct::Rubber, rubber, 150, 0.6), 1.03, 1e-12);
    EXPECT_NEAR(*tools::LeakageCoefficient(tools::LeakageDuct::Rubber, rubber, 0, 0.6), 1.02, 1e-12);
    // Metal by length and diameter: the centre of four cells is their mean.
    CoefTable metal{{100, 200}, {0.5, 1.0}, {{1.1, 1.3}, {1.2, 1.4}}};
    EXPECT_NEAR(*tools::LeakageCoefficient(tools::LeakageDuct::Metal, metal, 150, 0.75), 1.25, 1e-12);
    // A missing table is no coefficient at all.
    EXPECT_FALSE(tools::LeakageCoefficient(tools::LeakageDuct::Pvc, CoefTable{}, 150, 0.75).has_value());
}

namespace {

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

} // namespace

TEST(ConstructionReport, TitleBlocksDieselRowsAndLayoutLine) {
    ConstructionBoxes b = heading();
    b.ProjectName = "某隧道";
    b.Method1 = 1;
    b.FanNum = "2";
    const std::vector<std::string> lines = tools::ConstructionReportLines(b);
    ASSERT_GT(lines.size(), 60u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], std::string(29, ' ') + "某隧道施工通风计算报告");
    EXPECT_EQ(lines[5], "■■隧道及风管基本设计参数■■");
    EXPECT_EQ(lines[6], "隧道开挖面积A(m^2):  \t50");
    EXPECT_EQ(lines[10], "风管摩擦阻力系数a:   \t0.015");
    // Method 2 prints its method line and no parameter line.
    const std::size_t type = indexOf(lines, "采用压入式通风");
    ASSERT_LT(type, lines.size());
    EXPECT_EQ(lines[type + 1], "一次爆炸的最大炸药量G(kg):\t100");
    EXPECT_EQ(lines[type + 3], "采用计算方法二");
    EXPECT_EQ(lines[type + 4], "         需风量Q1(m^3/min):  \t");
    // k 1.5, Ni 120, count 2, Ti 0.8, wi 0.75.
    EXPECT_LT(indexOf(lines, "1.500\t120.00\t02\t00.80\t00.75"), lines.size());
    const std::size_t count = indexOf(lines, "                 风机台数:   \t2");
    ASSERT_LT(count, lines.size());
    EXPECT_EQ(lines[count + 1], "         布置方式: 并联布置  \t2");
    EXPECT_EQ(lines.back(), "      单台风机升压力Pf(Pa):  \t");
}

TEST(ConstructionReport, ExhaustThrowLengthAndMixedBlocks) {
    ConstructionBoxes b = heading();
    b.Type = VentType::Exhaust;
    b.G = "20";
    b.Method2 = 1;
    std::vector<std::string> lines = tools::ConstructionReportLines(b);
    EXPECT_LT(indexOf(lines, "采用电雷管起爆,爆破后粉尘抛掷距离Lo(m):19"), lines.size());
    b.FireFuse = true;
    lines = tools::ConstructionReportLines(b);
    EXPECT_LT(indexOf(lines, "采用火雷管起爆,爆破后粉尘抛掷距离Lo(m):35"), lines.size());

    // Mixed, forced part with no method: the distance line follows the heading directly.
    b.Type = VentType::Mixed;
    b.Method3 = -1;
    b.L1 = "30";
    lines = tools::ConstructionReportLines(b);
    const std::size_t head = indexOf(lines, "计算混压需风量");
    ASSERT_LT(head, lines.size());
    EXPECT_EQ(lines[head + 1], "         压风口到工作面距离L(m): \t30");
    // Exhaust part: the method of the exhaust-part list.
    b.MixedForced = false;
    b.Method4 = 1;
    lines = tools::ConstructionReportLines(b);
    const std::size_t exhaust = indexOf(lines, "计算混排需风量");
    ASSERT_LT(exhaust, lines.size());
    EXPECT_EQ(lines[exhaust + 1], "采用计算方法二");
    EXPECT_EQ(lines[exhaust + 2], "         需风量Q1(m^3/min):  \t");
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The several-shafts scheme's section flows, design-flow search, section ends and total power, worked by
// hand.
#include "multishaft/multishaft_flows.h"

#include "shaft/shaft_and_jet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace multishaft;

std::vector<TrialRow> rowsOf(const std::vector<double>& qreq, double area = 50) {
    std::vector<TrialRow> rows;
    for (double q : qreq) {
        rows.push_back({q, area});
    }
    return rows;
}

/// One cell of every row, in row order.
std::vector<std::string> column(const TrialResult& t, std::string TrialCells::*cell) {
    std::vector<std::string> texts;
    for (const TrialCells& row : t.Rows) {
        texts.push_back(row.*cell);
    }
    return texts;
}

using Texts = std::vector<std::string>;

// One shaft, Qe 30, Qb 40, candidate 100, area 50, Qreq 20 / 5 / 30 along the traffic.
// Qr: 100, 100 − 30 = 70.00, 70 + 40 = 110.00.
// Qf: 100, (100 − 20)(1 − 30/100) = 56.00, 56 − 5 + 40 = 91.00.
// C: row 1 1 − 100/100 = 0, 1 − 80/100 = 0.20; row 2 1 − 56/70 = 0.20, 1 − 51/70 = 0.2714;
//    row 3 1 − 91/110 = 0.1727, 1 − 61/110 = 0.4455. vr 100/50 = 2, 70/50 = 1.4, 110/50 = 2.2.
TEST(SectionFlowTrial, OneShaftOnTheRightLine) {
    const TrialResult t = TrySectionFlows(rowsOf({20, 5, 30}), {{30, 40}}, 100, false);
    ASSERT_EQ(t.Rows.size(), 3u);
    EXPECT_TRUE(t.Accepted);
    EXPECT_EQ(column(t, &TrialCells::Qr), (Texts{"100", "70.00", "110.00"}));
    EXPECT_EQ(column(t, &TrialCells::Qf), (Texts{"100", "56.00", "91.00"}));
    EXPECT_EQ(column(t, &TrialCells::Vr), (Texts{"2.00", "1.40", "2.20"}));
    EXPECT_EQ(column(t, &TrialCells::C1), (Texts{"0.00", "0.20", "0.17"}));
    EXPECT_EQ(column(t, &TrialCells::C2), (Texts{"0.20", "0.27", "0.45"}));
}

// The same tunnel on the left line: the air runs from row 3 to row 1, and enters each row at its end
// station, so C1 is the leaving and C2 the entering concentration.
TEST(SectionFlowTrial, OneShaftOnTheLeftLine) {
    const TrialResult t = TrySectionFlows(rowsOf({30, 5, 20}), {{30, 40}}, 100, true);
    EXPECT_TRUE(t.Accepted);
    EXPECT_EQ(column(t, &TrialCells::Qr), (Texts{"110.00", "70.00", "100"}));
    EXPECT_EQ(column(t, &TrialCells::Qf), (Texts{"91.00", "56.00", "100"}));
    EXPECT_EQ(t.Rows[2].C1, "0.20");
    EXPECT_EQ(t.Rows[2].C2, "0.00");
    EXPECT_EQ(t.Rows[0].C1, "0.45");
    EXPECT_EQ(t.Rows[0].C2, "0.17");
}

// No shaft: Qr = Qf = the candidate with all its decimals, C1 = 0, C2 = Qreq/Qr. 124.7/123.456 = 1.0101
// is written 1.01 and refused; 100.4/100 = 1.004 is written 1.00 and accepted.
TEST(SectionFlowTrial, NoShaftAndTheAdmissibleConcentration) {
    TrialResult t = TrySectionFlows(rowsOf({123.456}), {}, 123.456, false);
    EXPECT_EQ(t.Rows[0].Qr, "123.456");
    EXPECT_EQ(t.Rows[0].Qf, "123.456");
    EXPECT_EQ(t.Rows[0].C1, "0.00");
    EXPECT_EQ(t.Rows[0].C2, "1.00");
    EXPECT_TRUE(t.Accepted);
    t = TrySectionFlows(rowsOf({124.7}), {}, 123.456, false);
    EXPECT_EQ(t.Rows[0].C2, "1.01");
    EXPECT_FALSE(t.Accepted);
    t = TrySectionFlows(rowsOf({100.4}), {}, 100, false);
    EXPECT_EQ(t.Rows[0].C2, "1.00");
    EXPECT_TRUE(t.Accepted);
    // Left line: the two concentrations exchange places.
    t = TrySectionFlows(rowsOf({50}), {}, 100, true);
    EXPECT_EQ(t.Rows[0].C1, "0.50");
    EXPECT_EQ(t.Rows[0].C2, "0.00");
}

// An exhaust larger than the arriving air: start 1000 to 4000, A 70, shaft at 2000 (Qe 240, Qb 300),
// Qreq 150 / 6 / 100, candidate 156. Qr(2) = 156 − 240 = −84, Qf(2) = 6 × (1 − 240/156) = −3.23,
// Qf(3) = −3.23 − 6 + 300 = 290.77, C1(3) = 1 − 290.77/216 = −0.35: every concentration is at most 1,
// yet the air of the short passage runs backwards, so the candidate is refused.
TEST(SectionFlowTrial, ANegativeDesignFlowIsRefused) {
    const TrialResult t = TrySectionFlows(rowsOf({150, 6, 100}, 70), {{240, 300}}, 156, false);
    EXPECT_EQ(t.Rows[1].Qr, "-84.00");
    EXPECT_EQ(t.Rows[1].Qf, "-3.23");
    EXPECT_EQ(t.Rows[2].Qr, "216.00");
    EXPECT_EQ(t.Rows[2].C1, "-0.35");
    EXPECT_FALSE(t.Accepted);
}

// A zero flow has no concentration: its cells are left empty (not kept from an earlier trial) and the
// candidate is refused; the short passage after it has no fresh air either. A zero area leaves the speed
// empty. Rows that no shaft reaches have no flow.
TEST(SectionFlowTrial, ValuesThatCannotBeComputedRefuseTheCandidate) {
    TrialResult t = TrySectionFlows(rowsOf({0, 0, 0}), {{30, 40}}, 0, false);
    EXPECT_EQ(t.Rows[0].Qr, "0");
    EXPECT_EQ(t.Rows[0].Vr, "0.00");
    EXPECT_EQ(t.Rows[0].C1, "");
    EXPECT_EQ(t.Rows[0].C2, "");
    EXPECT_EQ(t.Rows[1].Qf, "");
    EXPECT_FALSE(t.Accepted);

    t = TrySectionFlows(rowsOf({10}, 0), {}, 100, false);
    EXPECT_EQ(t.Rows[0].Vr, "");
    EXPECT_TRUE(t.Accepted);

    t = TrySectionFlows(rowsOf({1, 1, 1}), {}, 100, false);
    EXPECT_EQ(t.Rows[1].Qr, "");
    EXPECT_EQ(t.Rows[2].C1, "");
    EXPECT_FALSE(t.Accepted);

    t = TrySectionFlows(rowsOf({1}), {}, NAN, false);
    EXPECT_EQ(t.Rows[0].Qr, "");
    EXPECT_FALSE(t.Accepted);
}

// Total 200, ΣQb 150, Qreq 40 + 5: max(50, 45) = 50; ΣQb 170: max(30, 45) = 45; one row: 0.
TEST(DesignFlowSearch, StartValue) {
    EXPECT_DOUBLE_EQ(SearchStart(200, 150, 5, 40, 5), 50);
    EXPECT_DOUBLE_EQ(SearchStart(200, 170, 5, 40, 5), 45);
    EXPECT_DOUBLE_EQ(SearchStart(200, 0, 1, 40, 5), 0);
}

TEST(DesignFlowSearch, WalksUpInStepsOfTwoAndStopsAfterAThousandTrials) {
    std::vector<double> tried;
    std::optional<double> x = SearchDesignFlow(50, [&](double q) {
        tried.push_back(q);
        return q >= 55;
    });
    ASSERT_TRUE(x);
    EXPECT_DOUBLE_EQ(*x, 56);
    EXPECT_EQ(tried, (std::vector<double>{50, 52, 54, 56}));

    tried.clear();
    x = SearchDesignFlow(0, [&](double q) {
        tried.push_back(q);
        return false;
    });
    EXPECT_FALSE(x);
    ASSERT_EQ(tried.size(), 1000u);
    EXPECT_DOUBLE_EQ(tried.back(), 1998);
}

// One shaft with branch 0.28 and merge 0.7. Right line: row 1 entrance (type 1, reaches shaft 1: branch),
// row 2 passage, row 3 exit (left shaft 1: merge). Left line: row 3 is the entrance and reaches shaft 1.
TEST(SectionEnds, TypesAndLossesByLineDirection) {
    const std::vector<ShaftLosses> one = {{240, 300, 0.28, 0.7}};
    // Row, left line, then the type and the losses; a loss left open is not pinned for that row.
    struct Row {
        int row;
        bool leftLine;
        int type;
        std::optional<double> fencha, heliu, natural;
    };
    const Row rows[] = {{1, false, 1, 0.28, 0, 0.6},
                        {2, false, 2, 0, 0, 0},
                        {3, false, 3, 0, 0.7, std::nullopt},
                        {3, true, 1, 0.28, 0, std::nullopt},
                        {1, true, 3, std::nullopt, 0.7, 0}};
    for (const Row& r : rows) {
        const SectionEnds e = SectionEndsOf(r.row, 3, r.leftLine, one);
        SCOPED_TRACE(testing::Message() << "row " << r.row << (r.leftLine ? " left" : " right"));
        EXPECT_EQ(e.Type, r.type);
        if (r.fencha) {
            EXPECT_DOUBLE_EQ(e.ZetaFencha, *r.fencha);
        }
        if (r.heliu) {
            EXPECT_DOUBLE_EQ(e.ZetaHeliu, *r.heliu);
        }
        if (r.natural) {
            EXPECT_DOUBLE_EQ(e.NaturalEntrance, *r.natural);
        }
    }

    // No exhaust: no branch loss before the shaft; no supply: no merge loss after it.
    const std::vector<ShaftLosses> closed = {{0, 0, 0.28, 0.7}};
    EXPECT_DOUBLE_EQ(SectionEndsOf(1, 3, false, closed).ZetaFencha, 0);
    EXPECT_DOUBLE_EQ(SectionEndsOf(3, 3, false, closed).ZetaHeliu, 0);
    // A single row is the entrance row.
    EXPECT_EQ(SectionEndsOf(1, 1, false, {}).Type, 1);
    EXPECT_EQ(SectionEndsOf(1, 1, true, {}).Type, 1);
}

// Congestion from 1500 to 2500.
TEST(SectionEnds, PartInTheCongestionWindow) {
    const auto part = CongestionPart(1000, 1980, 1500, 2500);
    ASSERT_TRUE(part);
    EXPECT_DOUBLE_EQ(part->first, 1500);
    EXPECT_DOUBLE_EQ(part->second, 1980);
    EXPECT_FALSE(CongestionPart(2600, 3000, 1500, 2500));
    EXPECT_FALSE(CongestionPart(1000, 1500, 1500, 2500));
}

// Exhaust rise with Qe 30, Qr1 100, Ke 0.9, ve 6, vr1 2, ρ 1.2:
// 2 × 0.3 × (2 − 0.9 × 6/2 − 0.3) × 0.5 × 1.2 × 4 = 0.6 × (−1) × 2.4 = −1.44.
TEST(OpeningRises, ByHandAndWithoutFlow) {
    const double rise = shaft::ExhaustOpeningRise(30, 100, 0.9, 6, 2, 1.2);
    EXPECT_NEAR(*OpeningRise(30, rise), -1.44, 1e-12);
    // An opening without flow gives no rise even where the flows around it are zero.
    EXPECT_DOUBLE_EQ(*OpeningRise(0, shaft::ExhaustOpeningRise(0, 0, 0.9, 6, 0, 1.2)), 0);
    EXPECT_FALSE(OpeningRise(30, shaft::ExhaustOpeningRise(30, 0, 0.9, 6, 0, 1.2)));
}

// The same rise with vr1 1.01 and the supply rise with Qb 40, Qr2 110, Kb 1, vb 25, β 5°, vr2 1.02 take the
// speed's square as one factor: 2·(Qe/Qr1)·(2 − Ke·ve/vr1 − Qe/Qr1)·0.5·ρ·vr1² ≈ −1.33914 and
// 2·(40/110)·(25·cos 5°/1.02 − 2 + 40/110)·0.5·1.2·1.02² ≈ 10.342; (…·vr)·vr differs in the last digit.
TEST(OpeningRises, SpeedSquaredAsOneFactor) {
    const double vr1 = 1.01, vr2 = 1.02;
    const double exhaust = 2 * (30.0 / 100) * (2 - 0.9 * 6 / vr1 - 30.0 / 100) * 0.5 * 1.2 * (vr1 * vr1);
    EXPECT_NEAR(exhaust, -1.3391388, 1e-9);
    EXPECT_EQ(ExhaustRise(30, 100, 0.9, 6, vr1, 1.2), exhaust);
    const double supply = 2 * (40.0 / 110) * (1 * 25 * std::cos(5 * 3.1415926 / 180) / vr2 - 2 + 40.0 / 110) *
                          0.5 * 1.2 * (vr2 * vr2);
    EXPECT_NEAR(supply, 10.34203291, 1e-8);
    EXPECT_EQ(SupplyRise(40, 110, 1, 25, 5, vr2, 1.2), supply);
}

// The fan design's formulas: ρ 1.2, v 10, pd 300, ps 50: (60 + 300 − 50) × 1.1 = 341 and
// (60 + 300 + 50) × 1.1 = 451; one fan of 50 m³/s at 341 Pa, 20 °C, 101.325 kPa, η 0.8:
// 341 × 50 / 800 = 21.3125; motor 1.15 × 21.31 / 0.925 = 26.4935.
TEST(ShaftFanDesign, PressuresAndPowersByHand) {
    EXPECT_NEAR(shaft::ExhaustFanPressure(10, 1.2, 300, 50), 341, 1e-9);
    EXPECT_NEAR(shaft::SupplyFanPressure(10, 1.2, 300, 50), 451, 1e-9);
    EXPECT_NEAR(shaft::FanShaftPower(50, 341, 101.325, 0.8, 20), 21.3125, 1e-9);
    EXPECT_NEAR(shaft::FanMotorPower(21.31, 1.15, 0.925), 26.4935135, 1e-6);
}

// 2 × 21.31 + 3 × 10 + 4 × 30 + 6 × 30 = 372.62; a negative count adds nothing, 4.9 counts 4 fans.
TEST(ShaftFanDesign, TotalPowerOfTheScheme) {
    EXPECT_NEAR(TotalPower({{21.31, 2, 10, 3}}, {4, 6}, 30), 372.62, 1e-9);
    EXPECT_NEAR(TotalPower({}, {4.9, -3, 0}, 30), 120, 1e-9);
    // Summed term by term in list order: (((0 + 21.31·2) + 2.64·3) + 13.47·1) + 7.77·2 = 79.55, to the
    // last digit of the running sum.
    EXPECT_EQ(TotalPower({{21.31, 2, 2.64, 3}, {13.47, 1, 7.77, 2}}, {}, 30),
              ((0 + 21.31 * 2) + 2.64 * 3 + 13.47 * 1) + 7.77 * 2);
}

} // namespace

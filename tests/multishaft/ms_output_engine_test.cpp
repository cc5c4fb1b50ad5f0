// SPDX-License-Identifier: GPL-3.0-or-later
// The several-shafts curve walk, jet-fan counts, group layout and report lines, worked by hand.
#include "multishaft/ms_curve.h"
#include "jetfan/jet_balance.h"
#include "multishaft/ms_jet.h"
#include "multishaft/ms_report.h"
#include "tests/support/written_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using multishaft::CurveSection;
using multishaft::CurveShaft;

// Constant area 50 m²; a stretch loses |L| × λ × q² (λ = 1e-5 stands in for the main window's friction);
// the local-loss speed is q / 50.
multishaft::MsCurveLookups flatLookups() {
    multishaft::MsCurveLookups look;
    look.Area = [](double) { return 50.0; };
    look.LossVelocity = [](double, double q) { return q / 50; };
    look.Friction = [](double to, double from, double lambda, double, double q) {
        return std::fabs(to - from) * lambda * q * q;
    };
    return look;
}

// Tunnel 1000..2000, one shaft at 1500 with ds 40, a group of rise 50 and a local loss ζ 0.5; ρ 1.2,
// ζe 0.5, vn 2, λ 1e-5. On the right line the sections are 1000-1480 (Qr 100, Δpt 20), the short
// passage 1480-1520 (Qr 60) and 1520-2000 (Qr 150, Δpt 30); the left line mirrors them.
multishaft::MsCurveInputs oneShaft(bool rightLine) {
    multishaft::MsCurveInputs in;
    in.RightLine = rightLine;
    in.TunnelStart = 1000;
    in.TunnelLength = 1000;
    in.Rho = 1.2;
    in.Lambda = 1e-5;
    in.ZetaE = 0.5;
    in.NaturalWind = 2;
    CurveShaft shaft;
    shaft.Station = 1500;
    shaft.ds = 40;
    shaft.Qe = 40;
    shaft.DeltaPe = 10;
    shaft.ZetaBranch = 0.5;
    shaft.Qb = 90;
    shaft.DeltaPb = 12;
    shaft.ZetaMerge = 0.6;
    in.Shafts = {shaft};
    if (rightLine) {
        in.Sections = {
            {1000, 1480, 100, 0, 0.6, 20}, {1480, 1520, 60, 0.6, 0.55, 0}, {1520, 2000, 150, 0.55, 0.9, 30}};
        in.Groups = {{1200, 50}};
        in.LocalLosses = {{1800, 0.5}};
    } else {
        in.Sections = {
            {1000, 1480, 150, 0.9, 0.55, 30}, {1480, 1520, 60, 0.55, 0.6, 0}, {1520, 2000, 100, 0.6, 0, 20}};
        in.Groups = {{1800, 50}};
        in.LocalLosses = {{1200, 0.5}};
    }
    in.CrossSectionStations = {2000};
    return in;
}

void expectPoints(const jetfan::CurvePointArray& got, const std::vector<std::pair<double, double>>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
        EXPECT_NEAR(got[k].station, want[k].first, 1e-9) << k;
        EXPECT_NEAR(got[k].value, want[k].second, 1e-9) << k;
        EXPECT_EQ(got[k].spare, 0) << k;
    }
}

// P0 = 20 − 1.5·0.6·2² − 1.5·0.6·2² = 12.8 (entrance speed 100/50).
// Events: group 1200 +50; exhaust 1480: 10 − 0.5·0.6·2² = 8.8; supply 1520: 12 − 0.6·0.6·1.2² + 30 =
// 41.4816 (speed 60/50 in the passage, Δpt of the section after the shaft); loss 1800: −0.5·0.6·3² = −2.7.
// Stretch losses L·1e-5·(Q² + 100²): 1000-1200 Q 100 → 40; 1200-1480 → 56; 1480-1520 Q 60 → 5.44;
// 1520-1800 Q 150 → 91; 1800-2000 → 65.
const std::vector<std::pair<double, double>> kRightPressure = {
    {1000, 12.8},   {1200, -27.2},   {1200, 22.8},     {1480, -33.2},    {1480, -24.4},
    {1520, -29.84}, {1520, 11.6416}, {1800, -79.3584}, {1800, -82.0584}, {2000, -147.0584}};

TEST(MsCurve, RightLineWalkByHand) {
    const multishaft::MsCurves c = multishaft::BuildMsCurves(oneShaft(true), flatLookups());
    EXPECT_EQ(c.Entrance, 1000);
    EXPECT_EQ(c.Exit, 2000);
    EXPECT_NEAR(c.P0, 12.8, 1e-12);
    ASSERT_EQ(c.Events.size(), 4u);
    EXPECT_NEAR(c.Events[2][1], 41.4816, 1e-12);
    expectPoints(c.Pressure, kRightPressure);
    // Speeds 2 | 1.2 in the passage | 3, stepping at both openings.
    expectPoints(c.Velocity, {{1000, 2}, {1480, 2}, {1480, 1.2}, {1520, 1.2}, {1520, 3}, {2000, 3}});
    expectPoints(c.Concentration,
                 {{1000, 0}, {1480, 0.6}, {1480, 0.6}, {1520, 0.55}, {1520, 0.55}, {2000, 0.9}});
    EXPECT_EQ(c.ZetaBranch, 0.5);
    EXPECT_EQ(c.ZetaMerge, 0.6);
    EXPECT_TRUE(c.Finite());
}

// The mirror image: entrance 2000, exhaust opening at 1520, supply at 1480 with Δpt of row 1; the same
// pressures, read in ascending stations (after an event before the value before it).
TEST(MsCurve, LeftLineWalkIsTheMirrorInAscendingStations) {
    const multishaft::MsCurves c = multishaft::BuildMsCurves(oneShaft(false), flatLookups());
    EXPECT_EQ(c.Entrance, 2000);
    EXPECT_EQ(c.Exit, 1000);
    ASSERT_EQ(c.Events.size(), 4u);
    EXPECT_EQ(c.Events[0][0], 1800);
    EXPECT_EQ(c.Events[1][0], 1520);
    EXPECT_EQ(c.Events[3][0], 1200);
    std::vector<std::pair<double, double>> want(kRightPressure.rbegin(), kRightPressure.rend());
    for (auto& [station, value] : want) {
        station = 3000 - station;
    }
    expectPoints(c.Pressure, want);
    expectPoints(c.Velocity, {{1000, 3}, {1480, 3}, {1480, 1.2}, {1520, 1.2}, {1520, 2}, {2000, 2}});
    EXPECT_EQ(c.Concentration.front().station, 1000);
    EXPECT_EQ(c.Concentration.back().station, 2000);
}

TEST(MsCurve, FlowAtBordersOpeningsWithoutFlowAndTheSignOfTheWind) {
    const std::vector<CurveSection> rows = {{1000, 1480, 100}, {1480, 1520, 60}, {1520, 2000, 150}};
    EXPECT_EQ(multishaft::FlowAtPile(rows, 1480), 60); // the row with the higher stations
    EXPECT_EQ(multishaft::FlowAtPile(rows, 1000), 100);
    EXPECT_EQ(multishaft::FlowAtPile(rows, 2000.5), 0);
    EXPECT_EQ(multishaft::FlowAtPile({}, 1500), 0);

    // Qe = 0: no branch loss (Δpe still applies); Qb = 0: no merge loss.
    multishaft::MsCurveInputs in = oneShaft(true);
    in.Shafts[0].Qe = 0;
    in.Shafts[0].Qb = 0;
    multishaft::MsCurves c = multishaft::BuildMsCurves(in, flatLookups());
    EXPECT_NEAR(c.Events[1][1], 10, 1e-12);
    EXPECT_NEAR(c.Events[2][1], 42, 1e-12);
    EXPECT_EQ(c.ZetaBranch, 0);

    // A negative natural wind gives the same curve.
    in = oneShaft(true);
    in.NaturalWind = -2;
    expectPoints(multishaft::BuildMsCurves(in, flatLookups()).Pressure, kRightPressure);

    // A group on the exhaust opening: no friction between the two, both changes apply.
    in = oneShaft(true);
    in.Groups = {{1480, 50}};
    in.LocalLosses.clear();
    c = multishaft::BuildMsCurves(in, flatLookups());
    ASSERT_EQ(c.Pressure.size(), 8u);
    EXPECT_NEAR(c.Pressure[2].value - c.Pressure[1].value + c.Pressure[4].value - c.Pressure[3].value, 58.8,
                1e-9);
    EXPECT_NEAR(c.Pressure[3].value, c.Pressure[2].value, 1e-12);

    // No section rows: every flow is 0; the start pressure holds the natural wind alone.
    in = oneShaft(true);
    in.Sections.clear();
    c = multishaft::BuildMsCurves(in, flatLookups());
    EXPECT_NEAR(c.P0, -3.6, 1e-12);
    EXPECT_TRUE(c.Concentration.empty());
    EXPECT_TRUE(c.Finite());

    // An area of 0 makes the speeds not finite: the build says so through Finite.
    multishaft::MsCurveLookups zero = flatLookups();
    zero.Area = [](double) { return 0.0; };
    EXPECT_FALSE(multishaft::BuildMsCurves(oneShaft(true), zero).Finite());
}

TEST(MsCurve, SpeedsSquaredFirstAndBothFrictionsTakenOffInTurn) {
    // Entrance row Qr 113: v_in = 113/50 = 2.26. P0 = 20 − 1.5·0.6·2.26² − 1.5·0.6·2² = 20 − 4.59684 − 3.6
    // = 11.80316, each speed squared as one factor. Up to the group at 1200 the design flow loses
    // 200·1e-5·113² = 25.538 and the natural wind 200·1e-5·100² = 20, one after the other:
    // 11.80316 − 25.538 − 20 = −33.73484.
    multishaft::MsCurveInputs in = oneShaft(true);
    in.Sections[0].Qr = 113;
    const multishaft::MsCurves c = multishaft::BuildMsCurves(in, flatLookups());
    const double p0 = 20 - (1 + 0.5) * (1.2 / 2) * (2.26 * 2.26) - (1 + 0.5) * (1.2 / 2) * (2.0 * 2.0);
    EXPECT_NEAR(p0, 11.80316, 1e-9);
    EXPECT_EQ(c.P0, p0);
    ASSERT_FALSE(c.WorkPoints.empty());
    const double before =
        p0 - std::fabs(1200.0 - 1000) * 1e-5 * 113 * 113 - std::fabs(1200.0 - 1000) * 1e-5 * 100 * 100;
    EXPECT_NEAR(before, -33.73484, 1e-9);
    EXPECT_EQ(c.WorkPoints[0][0], before);
}

// ---- Jet fans of a section ----

TEST(MsJet, RiseOfOneFanAndFansNeeded) {
    // 1.2 × 30² × (0.503 / 60) × (1 − 3/30) × 0.85 = 1080 × 0.00838333 × 0.9 × 0.85 = 6.92631.
    EXPECT_NEAR(multishaft::SectionJetRise(1.2, 30, 0.503, 60, 3, 0.85), 6.92631, 1e-9);
    // Need Δpr + Δpm − Δpt − Δpe − Δpb = 100 + 10 − 20 − 5 − 5 = 80 Pa.
    // The count is the least whole number of fans whose rise makes up the need.
    EXPECT_EQ(multishaft::JetFansNeeded(100, 10, 20, 5, 5, 16), 5); // exactly 5
    EXPECT_EQ(multishaft::JetFansNeeded(100, 10, 20, 5, 5, 15), 6); // 5.33: five fans give 75 of 80 Pa
    EXPECT_EQ(multishaft::JetFansNeeded(49.9, 0, 0, 0, 0, 10), 5);  // 4.99 gives 5, not 4
    // 53.1 / 10.775 = 4.93: four fans would give 43.1 of the 53.1 Pa.
    EXPECT_EQ(multishaft::JetFansNeeded(53.1, 0, 0, 0, 0, 10.775), 5);
    // A quotient a rounding away from a whole number is that number; one further off is not.
    EXPECT_EQ(multishaft::JetFansNeeded(0.3, 0, 0, 0, 0, 0.1), 3); // 2.9999999999999996
    EXPECT_EQ(multishaft::JetFansNeeded(30 + 1e-7, 0, 0, 0, 0, 10), 4);
    // A need the traffic already covers asks for no fan, never for −2 or −1.
    EXPECT_EQ(multishaft::JetFansNeeded(10, 0, 20, 0, 0, 8), 0); // −1.25
    EXPECT_EQ(multishaft::JetFansNeeded(10, 0, 12, 0, 0, 8), 0); // −0.25
    EXPECT_EQ(multishaft::JetFansNeeded(10, 0, 10, 0, 0, 0), 0); // no need, whatever the fan
    EXPECT_DOUBLE_EQ(multishaft::SectionJetNeed(10, 0, 12, 0, 0), -2);
    // A need that a fan without rise cannot meet has no count.
    EXPECT_EQ(multishaft::JetFansNeeded(100, 0, 0, 0, 0, 0), std::nullopt);
    EXPECT_EQ(multishaft::JetFansNeeded(100, 0, 0, 0, 0, -3), std::nullopt);
    EXPECT_EQ(multishaft::JetFansNeeded(NAN, 0, 0, 0, 0, 5), std::nullopt);
}

TEST(MsJet, BothWindowsCountFansByTheOneRule) {
    // Need / rise: 2.5, 4.99, 2.9999999999999996 and 7.000000000000001 (roundings of 3 and 7), 3.00000001
    // (not), 1e-4, 40000.
    const double cases[][3] = {{250, 100, 3},        {49.9, 10, 5},  {0.3, 0.1, 3},      {2.1, 0.3, 7},
                               {300.000001, 100, 4}, {0.01, 100, 1}, {400000, 10, 40000}};
    for (const auto& [need, dpj, fans] : cases) {
        EXPECT_EQ(jetfan::LeastFansForRise(need, dpj), fans) << need << " / " << dpj;
        EXPECT_EQ(multishaft::JetFansNeeded(need, 0, 0, 0, 0, dpj), fans) << need << " / " << dpj;
        // The jet-fan window's count holds a whole count only.
        EXPECT_EQ(jetfan::FansToMeetRise(need, dpj),
                  fans <= 32767 ? std::optional<vb::Integer>(static_cast<vb::Integer>(fans)) : std::nullopt);
    }
    EXPECT_EQ(jetfan::LeastFansForRise(1, 0), std::nullopt);
}

TEST(MsJet, GroupsOutsideEveryRowAndTheirHint) {
    // Rows of either order hold both their ends.
    const std::vector<multishaft::GroupRow> groups = {
        {"10203", "", ""}, {"26000", "", ""}, {"30000.001", "", ""}};
    EXPECT_EQ(multishaft::GroupsOutside(groups, {{23600, 26000}, {30000, 26000}}),
              (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(multishaft::DroppedGroupsHint({"1", "2", "3", "4", "5"}),
              "以下射流风机组不在新形成的通风区段内，已删除(桩号): 1, 2, 3, 4 等共5组");
}

TEST(MsJet, RiseOfOneFanSquaresTheOutletSpeedFirst) {
    // vj = 25.004: ρ·vj² = 1.2 × 625.200016 = 750.2400192; × (0.503/60) × (1 − 3/25.004) × 0.85 ≈ 4.70466.
    // The square is one factor: ρ·(vj·vj), not (ρ·vj)·vj, which differs in the last digit.
    const double vj = 25.004;
    const double want = 1.2 * (vj * vj) * (0.503 / 60) * (1 - 3 / vj) * 0.85;
    EXPECT_NEAR(want, 4.70465773, 1e-8);
    EXPECT_EQ(multishaft::SectionJetRise(1.2, vj, 0.503, 60, 3, 0.85), want);
}

TEST(MsJet, OpeningRisesOfASectionByLine) {
    // Two shafts, five rows: exhaust rises 11, 12; supply rises 21, 22.
    const std::vector<double> e = {11, 12}, b = {21, 22};
    using P = std::pair<double, double>;
    EXPECT_EQ(multishaft::SectionOpeningRises(1, 5, true, e, b), P(11, 0));
    EXPECT_EQ(multishaft::SectionOpeningRises(3, 5, true, e, b), P(12, 21));
    EXPECT_EQ(multishaft::SectionOpeningRises(5, 5, true, e, b), P(0, 22));
    EXPECT_EQ(multishaft::SectionOpeningRises(2, 5, true, e, b), P(0, 0));
    EXPECT_EQ(multishaft::SectionOpeningRises(5, 5, false, e, b), P(12, 0));
    EXPECT_EQ(multishaft::SectionOpeningRises(1, 5, false, e, b), P(0, 21));
    EXPECT_EQ(multishaft::SectionOpeningRises(3, 5, false, e, b), P(11, 22));
    EXPECT_EQ(multishaft::SectionOpeningRises(4, 5, false, e, b), P(0, 0));
    EXPECT_EQ(multishaft::SectionOpeningRises(0, 5, true, e, b), P(0, 0));
    // One row and no shafts: nothing on either line.
    EXPECT_EQ(multishaft::SectionOpeningRises(1, 1, true, {}, {}), P(0, 0));
    EXPECT_EQ(multishaft::SectionOpeningRises(1, 1, false, {}, {}), P(0, 0));
}

TEST(MsJet, ProposedGroupsStationsAndOrder) {
    EXPECT_EQ(multishaft::ProposedGroups(7, 2), 4);
    EXPECT_EQ(multishaft::ProposedGroups(8, 2), 4);
    EXPECT_EQ(multishaft::ProposedGroups(0, 2), 0);
    EXPECT_EQ(multishaft::ProposedGroups(7, 3), 3);
    EXPECT_EQ(multishaft::ProposedGroups(8, 3), 2);
    EXPECT_EQ(multishaft::ProposedGroups(4, 3), 1);
    EXPECT_EQ(multishaft::ProposedGroups(7, 0), std::nullopt);

    EXPECT_EQ(multishaft::GroupStations(1000, false, 203, 130, 3), (std::vector<double>{1203, 1333, 1463}));
    EXPECT_EQ(multishaft::GroupStations(1500, true, 203, 130, 3), (std::vector<double>{1297, 1167, 1037}));
    EXPECT_TRUE(multishaft::GroupStations(1000, false, 203, 130, 0).empty());

    std::vector<multishaft::GroupRow> rows = {{"500", "2", "a"}, {"300", "2", "b"}, {"400", "2", "c"}};
    multishaft::OrderGroups(rows, true);
    EXPECT_EQ(rows[0][0], "300");
    EXPECT_EQ(rows[0][2], "b");
    EXPECT_EQ(rows[2][0], "500");
    multishaft::OrderGroups(rows, false);
    EXPECT_EQ(rows[0][0], "500");
    EXPECT_EQ(rows[1][0], "400");
    EXPECT_EQ(rows[2][2], "b");
    // Equal stations are never exchanged with each other.
    rows = {{"400", "1", "first"}, {"400", "1", "second"}};
    multishaft::OrderGroups(rows, true);
    EXPECT_EQ(rows[0][2], "first");
}

TEST(MsJet, GroupsAddedInOneGoKeepTheOrderOfAddingThemOneByOne) {
    using Rows = std::vector<multishaft::GroupRow>;
    const auto names = [](const Rows& rows) {
        std::string s;
        for (const auto& r : rows) {
            s += r[2] + " ";
        }
        return s;
    };
    // 300 arrives before the run of 400s: the exchange sort sends the first 400 to the run's end.
    Rows rows = {{"400", "1", "a"}, {"400", "1", "b"}, {"500", "1", "c"}};
    multishaft::AddGroupsInOrder(rows, {{"300", "1", "d"}}, true);
    EXPECT_EQ(names(rows), "d b a c ");
    // A station equal to a run's joins it at its end; on the left line the later runs are the lower ones.
    multishaft::AddGroupsInOrder(rows, {{"400", "2", "e"}}, true);
    EXPECT_EQ(names(rows), "d b a e c ");
    rows = {{"500", "1", "a"}, {"400", "1", "b"}, {"400", "1", "c"}};
    multishaft::AddGroupsInOrder(rows, {{"450", "1", "d"}, {"500", "1", "e"}}, false);
    EXPECT_EQ(names(rows), "a e d b c ");

    // Against the exchange sort run after each row, on lists with many equal stations, in order or not
    // (a row updated by hand), on both lines.
    std::uint32_t seed = 12345;
    const auto random = [&seed](std::uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    for (int trial = 0; trial < 400; ++trial) {
        const bool rightLine = trial % 2 == 0;
        const std::uint32_t spread = 1 + random(8);
        Rows start, added;
        for (std::uint32_t i = 0, n = random(12); i < n; ++i) {
            start.push_back({std::to_string(100 * random(spread)), "", "s" + std::to_string(i)});
        }
        if (trial % 3 != 0) {
            multishaft::OrderGroups(start, rightLine);
        }
        for (std::uint32_t i = 0, n = random(15); i < n; ++i) {
            added.push_back({std::to_string(100 * random(spread)) + (i % 4 == 0 ? ".0" : ""), "",
                             "a" + std::to_string(i)});
        }
        Rows expected = start;
        for (const auto& row : added) {
            expected.push_back(row);
            multishaft::OrderGroups(expected, rightLine);
        }
        Rows fast = start;
        multishaft::AddGroupsInOrder(fast, added, rightLine);
        ASSERT_EQ(fast, expected) << "trial " << trial << ": " << names(fast) << "/ " << names(expected);
    }
}

// ---- Report ----

TEST(MsReport, GroupLineAndTheOrderOfTheBlocks) {
    EXPECT_EQ(multishaft::MsGroupLine({"850", "2", "23.5"}), "000850.0000223.500");
    EXPECT_EQ(multishaft::MsGroupLine({"K1+200", "x", "7"}), "K1+200x07.000");

    multishaft::MsShaftTexts shaft;
    shaft.ShaftPile = "11800";
    shaft.QQ_e = "240";
    shaft.QQ_b = "360";
    shaft.p_de = "55";
    shaft.p_db = "66";
    shaft.MM1_b = "9.5";
    multishaft::MsSectionTexts bare, fitted;
    bare.QQ_r = "300.00";
    fitted.JetModel = "SDS-112";
    fitted.jetcount = "4";
    const std::vector<std::string> lines =
        multishaft::MsReportLines("A", {shaft}, {bare, fitted}, "812.5", {{"850", "2", "23.5"}});
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[0], std::string(29, ' ') + "A多竖井送排式结合射流风机通风方式计算报告");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[3], "■■竖井及轴流风机信息■■");
    EXPECT_EQ(lines[6], "■1号竖井■");
    EXPECT_EQ(lines[7], "  >>  排风有关参数  <<  ");
    EXPECT_EQ(lines[8], "             竖井桩号(m):11800");
    // The exhaust flow line stands twice.
    EXPECT_EQ(lines[12], "         排风量Qe(m^3/s):    240");
    EXPECT_EQ(lines[13], lines[12]);
    EXPECT_EQ(lines[20], "排风口,排风井及连接风道总压力损失pde(Pa) 55");
    EXPECT_EQ(lines[33], "  >>  送风有关参数  <<  ");
    EXPECT_EQ(lines[36], "         送风量Qb(m^3/s):    360");
    EXPECT_EQ(lines[37], lines[36]);
    EXPECT_EQ(lines[45], "排风口,排风井及连接风道总压力损失pdb(Pa): 66");
    EXPECT_EQ(lines[56], "         电机功率M1(kW):     9.5");
    EXPECT_EQ(lines[59], "■■ 区段分析 ■■");
    EXPECT_EQ(lines[61], "■ 区段1 ■");
    EXPECT_EQ(lines[63], "     设计风量Qr(m^3/s):  300.00");
    EXPECT_EQ(lines[70], "");
    EXPECT_EQ(lines[71], "未配置射流风机调压！");
    EXPECT_EQ(lines[73], "■ 区段2 ■");
    EXPECT_EQ(lines[83], "射流风机选择常用型号:    SDS-112");
    EXPECT_EQ(lines[92], "      风机数量(台):      4");
    EXPECT_EQ(lines[94], "该工况总耗电功率(kW):812.5");
    EXPECT_EQ(lines[96], "■■射流流风机桩号列表■■");
    EXPECT_EQ(lines[98], "射流风机布置桩号");
    EXPECT_EQ(lines[99], "    桩号     台数    升压力(Pa)");
    EXPECT_EQ(lines[100], "000850.0000223.500");

    // A section formed but not computed: each of its results, and its model's fan count, says so.
    multishaft::MsSectionTexts formed;
    formed.JetModel = "SDS-112";
    const std::vector<std::string> uncomputed = multishaft::MsReportLines("", {}, {formed}, "", {});
    ASSERT_EQ(uncomputed.size(), 35u);
    // The eight section results, the fan's rise and count, and the total.
    EXPECT_EQ(test_support::notComputedLines(uncomputed),
              (std::vector<std::string>{"     需风量Qreq(m^3/s):  未计算", "     设计风量Qr(m^3/s):  未计算",
                                        "       设计风速vr(m/s):  未计算", "              起点浓度:  未计算",
                                        "              终点浓度:  未计算", "     通风阻抗力Δpr(Pa): 未计算",
                                        "     自然风阻力Δpm(Pa): 未计算", "     交通通风力Δpt(Pa): 未计算",
                                        "    升压力Δpj(Pa):      未计算", "      风机数量(台):      未计算",
                                        "该工况总耗电功率(kW):未计算"}));

    // No shafts, sections or groups: each part is its heading alone.
    const std::vector<std::string> empty = multishaft::MsReportLines("", {}, {}, "", {});
    ASSERT_EQ(empty.size(), 14u);
    EXPECT_EQ(empty[0], std::string(29, ' ') + "多竖井送排式结合射流风机通风方式计算报告");
    EXPECT_EQ(empty[6], "■■ 区段分析 ■■");
    EXPECT_EQ(empty.back(), "    桩号     台数    升压力(Pa)");
}

} // namespace

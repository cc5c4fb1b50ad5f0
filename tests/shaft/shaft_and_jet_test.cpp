// SPDX-License-Identifier: GPL-3.0-or-later
// The formulas of the shaft-and-jet scheme and its .sj file, worked by hand.
#include "shaft/shaft_and_jet.h"
#include "shaft/sj_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace shaft;

TEST(ShaftAndJet, InletFlowBalancesTheFreshAirAtTheShaft) {
    // Qreq1 200, Qreq2 300, Qe 150, Qb 250: b = 250 − 150 − 500 = −400, c = 30000,
    // √(160000 − 120000) = 200, Qr1 = (400 + 200)/2 = 300.
    EXPECT_DOUBLE_EQ(InletFlowForSupply(200, 300, 150, 250).value(), 300);
    // The supply alone covers Qreq2: Qr1 = Qreq1.
    EXPECT_DOUBLE_EQ(InletFlowForSupply(200, 300, 150, 300).value(), 200);
    EXPECT_DOUBLE_EQ(InletFlowForSupply(200, 300, 150, 400).value(), 200);
    // Negative inputs: b = 50 + 100 + 100 − 60 = 190, c = 10000: 36100 − 40000 < 0, no real root.
    EXPECT_FALSE(InletFlowForSupply(-100, 60, -100, 50).has_value());
    // The inverse: Qr1 300 needs Qb = (500 − 300) + (300 − 200)·150/300 = 250.
    EXPECT_DOUBLE_EQ(SupplyFlowForInlet(200, 300, 300, 150), 250);
    EXPECT_FALSE(std::isfinite(SupplyFlowForInlet(200, 300, 0, 150)));
}

TEST(ShaftAndJet, OpeningRisesShortPassageAndConcentrations) {
    // Exhaust: Qe/Qr1 = 0.5, vr1 = 300/60 = 5, Ke·ve/vr1 = 1.08: 1·(2 − 1.08 − 0.5)·0.6·25 = 6.3.
    EXPECT_NEAR(ExhaustOpeningRise(150, 300, 0.9, 6, 5, 1.2), 6.3, 1e-12);
    // Supply: vr2 = 400/60, 2·Qb/Qr2 = 1.25, 25·cos 5°/6.667 = 3.735730, −2 + 0.625 = 2.360730;
    // 1.25 · 2.360730 · 0.6 · 44.444 = 78.691.
    EXPECT_NEAR(SupplyOpeningRise(250, 400, 1, 25, 5, 400.0 / 60, 1.2), 78.691, 5e-4);
    const ShortPassage p = ShortPassageOf(300, 150, 250, 400, 200);
    // Qsf = (300 − 150 − 200) + 150·200/300 = 50, so Qb + Qsf = Qreq2.
    EXPECT_DOUBLE_EQ(p.QQ_sf, 50);
    EXPECT_DOUBLE_EQ(p.QQ_s, 150);
    EXPECT_NEAR(p.CC_2, 2.0 / 3, 1e-15);
    EXPECT_DOUBLE_EQ(p.ratio_Qe_Qr1, 0.5);
    EXPECT_DOUBLE_EQ(p.ratio_Qb_Qr2, 0.625);
    // Qvi 10: P = 10 + 0.5·200 = 110; C2s = 110/150, C2b = 110/400, C3 = 410/400.
    const Concentrations c = ConcentrationsOf(10, 300, 150, 250, 200, 300);
    EXPECT_DOUBLE_EQ(c.CC_2s, 110.0 / 150);
    EXPECT_DOUBLE_EQ(c.CC_2b, 0.275);
    EXPECT_DOUBLE_EQ(c.CC_3, 1.025);
    // Required rise: 30 + 5 − 6.3 − 14 = 14.7; negative stays negative.
    EXPECT_NEAR(RequiredJetRise(30, 5, 6.3, 14), 14.7, 1e-12);
    EXPECT_NEAR(RequiredJetRise(10, 0, 6.3, 14), -10.3, 1e-12);
}

TEST(ShaftAndJet, OpeningRisesSquareTheSectionSpeedFirst) {
    // The section speed is squared before it multiplies, so the last digit is the hand-calculated one.
    // Exhaust, Qe 150, Qr1 300, Ke 0.9, ve 6, vr1 5.3, ρ 1.2: 1·((2 − 5.4/5.3) − 0.5)·0.6·28.09
    // = 0.6·(1.5·28.09 − 5.4·5.3) = 0.6·13.515 = 8.109 Pa.
    EXPECT_EQ(ExhaustOpeningRise(150, 300, 0.9, 6, 5.3, 1.2), 8.109);
    // Supply, Qb 100, Qr2 400, Kb 1, vb 25, β 0, vr2 5.1: 0.5·((25/5.1 − 2) + 0.25)·0.6·26.01
    // = 0.3·(127.5 − 1.75·26.01) = 0.3·81.9825 = 24.59475 Pa.
    EXPECT_EQ(SupplyOpeningRise(100, 400, 1, 25, 0, 5.1, 1.2), 24.59475);
}

TEST(ShaftAndJet, CongestionForceSplitByTheWindowAlongTheDirectionOfTravel) {
    // Shaft 2200, F = 100. Right line: the inlet lies below the shaft.
    EXPECT_EQ(CongestionSplit(100, 2100, 2200, 1), std::make_pair(100.0, 0.0));
    const auto [in, out] = CongestionSplit(100, 2500, 2200, 1);
    EXPECT_NEAR(in, 70, 1e-12);
    EXPECT_NEAR(out, 30, 1e-12);
    EXPECT_EQ(CongestionSplit(100, 3300, 2200, 1), std::make_pair(0.0, 100.0));
    EXPECT_EQ(CongestionSplit(100, 3200, 2200, 1), std::make_pair(0.0, 100.0));
    // Left line: the inlet lies above the shaft, so the window 1500–2500 gives the inlet the 300 m above.
    const auto [inL, outL] = CongestionSplit(100, 2500, 2200, -1);
    EXPECT_NEAR(inL, 30, 1e-12);
    EXPECT_NEAR(outL, 70, 1e-12);
    EXPECT_EQ(CongestionSplit(100, 2100, 2200, -1), std::make_pair(0.0, 100.0));
    EXPECT_EQ(CongestionSplit(100, 3300, 2200, -1), std::make_pair(100.0, 0.0));
}

TEST(ShaftAndJet, FlowAtAStationByItsStretch) {
    // Tunnel 1000–3000, shaft 2200, ds 60: a = 2170, b = 2230; Qr1 300, Qs 150, Qr2 400.
    auto right = [](double s) { return FlowAtPile(s, 1000, 3000, 2200, 60, false, 300, 150, 400); };
    auto left = [](double s) { return FlowAtPile(s, 1000, 3000, 2200, 60, true, 300, 150, 400); };
    EXPECT_EQ(right(1000), 300);
    EXPECT_EQ(right(2169.99), 300);
    EXPECT_EQ(right(2170), 150); // the station a itself is in the short passage
    EXPECT_EQ(right(2230), 400); // b belongs to the last stretch
    EXPECT_EQ(right(3000), 400);
    EXPECT_EQ(right(3000.01), 0);
    EXPECT_EQ(right(999), 0);
    EXPECT_EQ(left(1500), 400);
    EXPECT_EQ(left(2200), 150);
    EXPECT_EQ(left(2900), 300);
    // Openings: right line exhaust before the shaft, left line after it.
    EXPECT_EQ(OpeningsOf(1500, 60, 1).Exhaust, 1470);
    EXPECT_EQ(OpeningsOf(1500, 60, 1).Supply, 1530);
    EXPECT_EQ(OpeningsOf(1500, 60, -1).Exhaust, 1530);
    EXPECT_EQ(OpeningsOf(1500, 60, -1).Supply, 1470);
}

TEST(ShaftAndJet, JetFanCountOfASection) {
    EXPECT_EQ(SectionJetCount(100, 25), 5); // a whole ratio still adds one
    EXPECT_EQ(SectionJetCount(90, 25), 4);
    EXPECT_EQ(SectionJetCount(0, 25), 1);
    EXPECT_EQ(SectionJetCount(-10, 25), 0);
    // A traffic force that carries the air needs no fan, never a negative count.
    EXPECT_EQ(SectionJetCount(-60, 25), 0);
    // 200 / 18.136690569543 = 11.03: 12 fans.
    EXPECT_EQ(SectionJetCount(200, 18.136690569543), 12);
    EXPECT_FALSE(SectionJetCount(100, 0).has_value());
    EXPECT_FALSE(SectionJetCount(100, -3).has_value());
    EXPECT_FALSE(SectionJetCount(100, std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(SectionJetCount(1e9, 1).has_value());
}

TEST(ShaftAndJet, AxialFansOfTheOpenings) {
    // (10²·0.6 + 300 − 50)·1.1 = 341; (25²·0.6 + 200 − 20)·1.1 = 610.5.
    EXPECT_NEAR(ExhaustFanPressure(10, 1.2, 300, 50), 341, 1e-9);
    EXPECT_NEAR(SupplyFanPressure(25, 1.2, 200, -20), 610.5, 1e-9);
    // 150·341·293·101.325/(1000·0.8·293·101.325) = 63.9375; 63.94·1.15/0.925 = 79.4930.
    EXPECT_NEAR(FanShaftPower(150, 341, 101.325, 0.8, 20), 63.9375, 1e-9);
    EXPECT_NEAR(FanMotorPower(63.94, 1.15, 0.925), 79.4930, 1e-4);
    EXPECT_FALSE(std::isfinite(FanShaftPower(150, 341, 101.325, 0, 20)));
    // A section counts the jet fans its box shows: 3 counts 3, 0 none, −2 none.
    EXPECT_EQ(CountedJetFans(3), 3);
    EXPECT_EQ(CountedJetFans(3.7), 3);
    EXPECT_EQ(CountedJetFans(0), 0);
    EXPECT_EQ(CountedJetFans(-2), 0);
    // The case's total counts them so in either section: 2·63.94 + 3·30, and 63.94 + 10 with none for −2.
    EXPECT_NEAR(CaseTotalPower(2, 63.94, 0, 99, 3.7, 30, 0, 45), 217.88, 1e-9);
    EXPECT_NEAR(CaseTotalPower(1, 63.94, 1, 10, 0, 30, -2, 45), 73.94, 1e-9);
}

TEST(ShaftAndJet, GroupInsertedWhereItsNeighboursBracketIt) {
    EXPECT_EQ(GroupInsertPosition({}, 500, false), 0);
    EXPECT_EQ(GroupInsertPosition({100}, 50, false), 1);
    EXPECT_EQ(GroupInsertPosition({100, 300}, 200, false), 1);
    EXPECT_EQ(GroupInsertPosition({100, 300}, 50, false), 2);
    EXPECT_EQ(GroupInsertPosition({100, 300}, 300, false), 2);
    EXPECT_EQ(GroupInsertPosition({300, 100}, 200, true), 1);
    EXPECT_EQ(GroupInsertPosition({300, 100}, 400, true), 2);
    EXPECT_EQ(GroupInsertPosition({100, 300, 500}, 400, false), 2);
}

TEST(ShaftAndJet, AutomaticLayoutAlongTheDirectionOfTravel) {
    ShaftJetLayoutSettings s;
    s.StartPile = 1000;
    s.Length = 2000;
    s.Dist1 = s.Dist2 = 200;
    s.Span1 = s.Span2 = 150;
    s.G1 = 3;
    s.G2 = 2;
    auto stations = [](const std::vector<LaidGroup>& g) {
        std::vector<double> v;
        for (const LaidGroup& x : g) {
            v.push_back(x.Station);
        }
        return v;
    };
    const std::vector<LaidGroup> right = ShaftJetLayout(s);
    EXPECT_EQ(stations(right), (std::vector<double>{1200, 1350, 1500, 2650, 2800}));
    EXPECT_EQ(right[2].Section, 1);
    EXPECT_EQ(right[3].Section, 2);
    s.LeftLine = true;
    EXPECT_EQ(stations(ShaftJetLayout(s)), (std::vector<double>{2800, 2650, 2500, 1350, 1200}));
    // Left line, S0 0, L 1000, Dist1 100, Dist2 300, Span1 50, Span2 200, two groups each.
    s = {};
    s.Length = 1000;
    s.LeftLine = true;
    s.Dist1 = 100;
    s.Dist2 = 300;
    s.Span1 = 50;
    s.Span2 = 200;
    s.G1 = s.G2 = 2;
    EXPECT_EQ(stations(ShaftJetLayout(s)), (std::vector<double>{900, 850, 500, 300}));
    s.G1 = 0;
    s.G2 = -1;
    EXPECT_TRUE(ShaftJetLayout(s).empty());
}

// ---- The .sj file ----

SjFileContents sample() {
    SjFileContents sj;
    sj.ShaftPile = "12600";
    for (int i = 0; i < kSjOpeningFields; ++i) {
        sj.Exhaust[static_cast<std::size_t>(i)] = "e" + std::to_string(i);
        sj.Supply[static_cast<std::size_t>(i)] = "b" + std::to_string(i);
    }
    for (int i = 0; i < kSjFanFields; ++i) {
        sj.ExhaustFan[static_cast<std::size_t>(i)] = "fe" + std::to_string(i);
        sj.SupplyFan[static_cast<std::size_t>(i)] = "fb" + std::to_string(i);
    }
    sj.SupplyGiven = false;
    sj.Beta = "5";
    for (int i = 0; i < kSjPassageFields; ++i) {
        sj.Passage[static_cast<std::size_t>(i)] = "p" + std::to_string(i);
    }
    for (int i = 0; i < kSjSectionFields; ++i) {
        sj.Inlet[static_cast<std::size_t>(i)] = "i" + std::to_string(i);
        sj.Outlet[static_cast<std::size_t>(i)] = "o" + std::to_string(i);
    }
    sj.Inlet[8] = "1120型射流风机";
    sj.Groups = std::vector<SjGroupRow>{{"1200.00", "2", "71.00"}, {"1350", "2", "71"}};
    return sj;
}

TEST(SjFile, RecordsInTheirFixedOrderAndBackAgain) {
    const std::string bytes = WriteSjFile(sample()).Bytes();
    scheme::SchemeReader in;
    in.Parse(bytes);
    const SjFileContents back = ReadSjFile(in);
    EXPECT_EQ(back.ShaftPile, "12600");
    EXPECT_EQ(back.Exhaust[7], "e7");
    EXPECT_EQ(back.ExhaustFan[9], "fe9");
    EXPECT_EQ(back.Supply[0], "b0");
    EXPECT_EQ(back.SupplyFan[0], "fb0");
    EXPECT_EQ(back.SupplyGiven, false);
    EXPECT_EQ(back.Beta, "5");
    EXPECT_EQ(back.Passage[0], "p0");
    EXPECT_EQ(back.Inlet[8], "1120型射流风机");
    EXPECT_EQ(back.Outlet[13], "o13");
    ASSERT_TRUE(back.Groups.has_value());
    ASSERT_EQ(back.Groups->size(), 2U);
    EXPECT_EQ((*back.Groups)[1].Pile, "1350");
    // The fire window's positions: record 2 the shaft, record 9 field 1 ds, record 11 fields 9 and 11.
    scheme::SchemeReader byPosition;
    byPosition.Parse(bytes);
    byPosition.Skip(1);
    EXPECT_EQ(byPosition.NextText(), "12600");
    byPosition.Skip(8 + 10 + 8 + 10 + 2 + 1);
    EXPECT_EQ(byPosition.NextText(), "p0");
    byPosition.Skip(7 + 1 + 8);
    EXPECT_EQ(byPosition.NextText(), "1120型射流风机");
    byPosition.Skip(1);
    EXPECT_EQ(byPosition.NextText(), "i10");
    // The Boolean and the count are unquoted, everything else quoted; CR LF after every record.
    EXPECT_NE(bytes.find("#FALSE#,\"5\"\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n2\r\n"), std::string::npos);
}

TEST(SjFile, AFileThatEndsEarlyGivesNothingPastItsEnd) {
    const std::string bytes = WriteSjFile(sample()).Bytes();
    // Cut inside record 5.
    scheme::SchemeReader in;
    in.Parse(bytes.substr(0, bytes.find(",\"b3\"")));
    const SjFileContents cut = ReadSjFile(in);
    EXPECT_EQ(cut.Supply[2], "b2");
    EXPECT_FALSE(cut.Supply[3].has_value());
    EXPECT_FALSE(cut.SupplyGiven.has_value());
    EXPECT_FALSE(cut.Inlet[0].has_value());
    EXPECT_FALSE(cut.Groups.has_value());
    // A count beyond the rows keeps the whole rows only; a count of 0 an empty list.
    SjFileContents s = sample();
    std::string more = WriteSjFile(s).Bytes();
    more.replace(more.find("\r\n2\r\n"), 5, "\r\n9\r\n");
    scheme::SchemeReader in2;
    in2.Parse(more);
    EXPECT_EQ(ReadSjFile(in2).Groups->size(), 2U);
    s.Groups = std::vector<SjGroupRow>{};
    scheme::SchemeReader in3;
    in3.Parse(WriteSjFile(s).Bytes());
    EXPECT_TRUE(ReadSjFile(in3).Groups->empty());
    scheme::SchemeReader empty;
    empty.Parse("");
    EXPECT_FALSE(ReadSjFile(empty).ShaftPile.has_value());
}

} // namespace

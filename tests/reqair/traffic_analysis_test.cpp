// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/traffic_analysis.h"

#include "tests/reqair/test_tables.h"

#include <gtest/gtest.h>

using namespace reqair;
using reqair_test::Table1D;

namespace {

// fm (CO) by class 1..7: 2.0, 3.0, 4.0, 1.0, 1.5, 5.0, 6.0; fm (VI): 0.4, 1.0, 1.5, 0.2, 0.8, 2.0, 2.5.
const CoefTable kFm = Table1D({1, 2, 3, 4, 5, 6, 7}, {2.0, 3.0, 4.0, 1.0, 1.5, 5.0, 6.0});
const CoefTable kFmVI = Table1D({1, 2, 3, 4, 5, 6, 7}, {0.4, 1.0, 1.5, 0.2, 0.8, 2.0, 2.5});

// Two classes: class 1 share 0.5, 1 pcu, diesel 0.2; class 2 share 0.5, 2 pcu, diesel 1.
// 3000 pcu/d, scale factor 1.1, directional factor 0.55, design hour factor 0.12.
TrafficAnalysisInput twoClasses() {
    TrafficAnalysisInput in;
    in.Classes[0] = {0.5, 1, 0.2};
    in.Classes[1] = {0.5, 2, 1};
    in.Pcu = 3000;
    in.TrafficRatio = 1.1;
    in.MainDirectionRatio = 0.55;
    in.DesignHourFactor = 0.12;
    return in;
}

} // namespace

TEST(TrafficAnalysis, HandWorkedTwoClassMix) {
    // pcu per vehicle 0.5·1 + 0.5·2 = 1.5 → "1.5000"; t = 3000 / 1.5 = "2000.00 ";
    // mixed traffic 2000·1.1 = 2200 (the directional factor plays no part); N = 0.12·2200 = 264.
    // Class 1: 264·0.5 = 132; diesel 26.4, petrol 105.6; CO 105.6·2 + 26.4 = 237.6; VI 26.4·0.4 = 10.56.
    // Class 2: 132 vehicles, all diesel; CO 132; VI 132·1.0 = 132.
    const TrafficAnalysisResult r = AnalyseTraffic(twoClasses(), kFm, kFmVI);
    EXPECT_EQ(r.PCUVeh, "1.5000");
    EXPECT_EQ(r.Traffic1, "2200");
    EXPECT_EQ(r.NN, "264");
    EXPECT_DOUBLE_EQ(r.DesignTraffic, 264);
    EXPECT_EQ(r.Rows[0].Vehicles, "132.00000");
    EXPECT_EQ(r.Rows[0].Diesel, "26.40000");
    EXPECT_EQ(r.Rows[0].Petrol, "105.60000");
    EXPECT_EQ(r.Rows[0].EquivCO, "237.60000");
    EXPECT_EQ(r.Rows[0].EquivVI, "10.56000");
    // Diesel share 1: no petrol vehicles and a CO equivalent equal to the vehicle count.
    EXPECT_EQ(r.Rows[1].Petrol, "0.00000");
    EXPECT_EQ(r.Rows[1].EquivCO, "132.00000");
    EXPECT_EQ(r.Rows[1].EquivVI, "132.00000");
    EXPECT_EQ(r.Rows[6].Vehicles, "0.00000");
    // Sum row, shares, conversions and diesel shares summed like the others.
    EXPECT_EQ(r.SumRow, (std::array<std::string, 8>{"1.000", "3.000", "264.000", "1.200", "158.400",
                                                    "105.600", "369.600", "142.560"}));
    EXPECT_DOUBLE_EQ(r.nn_co, 369.6);
    EXPECT_DOUBLE_EQ(r.nn_vi, 142.56);
    EXPECT_FALSE(r.NoVehicleMix);
}

TEST(TrafficAnalysis, TotalOfBothDirectionsAppliesTheDirectionalFactor) {
    // 2000·1.1·0.55 = 1210 veh/d; N = 0.12·1210 = 145.2.
    TrafficAnalysisInput in = twoClasses();
    in.TrafficTotal = true;
    const TrafficAnalysisResult r = AnalyseTraffic(in, kFm, kFmVI);
    EXPECT_EQ(r.Traffic1, "1210");
    EXPECT_EQ(r.NN, "145.2");
    EXPECT_EQ(r.Rows[0].Vehicles, "72.60000");
}

TEST(TrafficAnalysis, PetrolSmokeAddsToTheSmokeEquivalent) {
    // Class 1 with petrol factor 0.3: 26.4·0.4 + 105.6·0.3 = 42.24.
    TrafficAnalysisInput in = twoClasses();
    in.PetrolFactor = 0.3;
    EXPECT_EQ(AnalyseTraffic(in, kFm, kFmVI).Rows[0].EquivVI, "10.56000"); // box cleared: factor ignored
    in.Petrol = true;
    EXPECT_EQ(AnalyseTraffic(in, kFm, kFmVI).Rows[0].EquivVI, "42.24000");
}

TEST(TrafficAnalysis, EachCellIsRoundedBeforeTheNextReadsIt) {
    // N = 100; class 1 share 0.1234567 → 12.34567 vehicles; diesel share 0.5 gives 6.172835 for both the
    // diesel and the petrol cell, each rounded half away from zero to "6.17284". The CO equivalent is
    // computed from those cells: 6.17284·2 + 6.17284 = 18.51852 (unrounded it would be 18.518505 →
    // "18.51851"); the sum row then carries three decimals: nn_co = 18.519.
    TrafficAnalysisInput in;
    in.Classes[0] = {0.1234567, 8.1, 0.5};
    in.Pcu = 1000;
    in.TrafficRatio = 1;
    in.DesignHourFactor = 0.1;
    // 0.1234567·8.1 = 0.99999927 → "1.0000"; t = 1000; N = 100.
    const TrafficAnalysisResult r = AnalyseTraffic(in, kFm, kFmVI);
    EXPECT_EQ(r.PCUVeh, "1.0000");
    EXPECT_EQ(r.NN, "100");
    EXPECT_EQ(r.Rows[0].Vehicles, "12.34567");
    EXPECT_EQ(r.Rows[0].Diesel, "6.17284");
    EXPECT_EQ(r.Rows[0].Petrol, "6.17284");
    EXPECT_EQ(r.Rows[0].EquivCO, "18.51852");
    EXPECT_EQ(r.SumRow[4], "6.173");
    EXPECT_EQ(r.SumRow[6], "18.519");
    EXPECT_DOUBLE_EQ(r.nn_co, 18.519);
    // Smoke: 6.17284·0.4 = 2.469136 → "2.46914" → sum "2.469".
    EXPECT_EQ(r.Rows[0].EquivVI, "2.46914");
    EXPECT_DOUBLE_EQ(r.nn_vi, 2.469);
}

TEST(TrafficAnalysis, TwoDecimalDailyTrafficFeedsTheDesignHour) {
    // pcu per vehicle 0.7·1 + 0.3·2.5 = 1.45; 1000 / 1.45 = 689.655… → "689.66 "; N = 0.1·689.66 = 68.966.
    TrafficAnalysisInput in;
    in.Classes[0] = {0.7, 1, 0};
    in.Classes[1] = {0.3, 2.5, 0};
    in.Pcu = 1000;
    in.TrafficRatio = 1;
    in.DesignHourFactor = 0.1;
    const TrafficAnalysisResult r = AnalyseTraffic(in, kFm, kFmVI);
    EXPECT_EQ(r.PCUVeh, "1.4500");
    EXPECT_EQ(r.Traffic1, "689.66");
    EXPECT_EQ(r.NN, "68.966");
}

TEST(TrafficAnalysis, NoSharesGiveZeroTrafficInsteadOfAStaleOne) {
    TrafficAnalysisInput in;
    in.Pcu = 3000;
    in.TrafficRatio = 1;
    in.DesignHourFactor = 0.12;
    const TrafficAnalysisResult r = AnalyseTraffic(in, kFm, kFmVI);
    EXPECT_TRUE(r.NoVehicleMix);
    EXPECT_EQ(r.PCUVeh, "0.0000");
    EXPECT_EQ(r.Traffic1, "0");
    EXPECT_EQ(r.NN, "0");
    EXPECT_EQ(r.nn_co, 0);
    EXPECT_EQ(r.SumRow[2], "0.000");
}

TEST(TrafficAnalysis, EmptyClassTablesCountEveryClassOnce) {
    // Without fm tables the factors read 0: CO equivalent = diesel vehicles, smoke equivalent 0.
    const CoefTable none;
    const TrafficAnalysisResult r = AnalyseTraffic(twoClasses(), none, none);
    EXPECT_EQ(r.Rows[0].EquivCO, "26.40000");
    EXPECT_EQ(r.Rows[0].EquivVI, "0.00000");
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_years.h"

#include <gtest/gtest.h>

using app::DesignYearRow;
using app::VehicleMixRecord;

namespace {

VehicleMixRecord mix(const std::string& year, const std::string& firstShare) {
    VehicleMixRecord r = app::new_year_mix(year);
    r.Ratio[0] = firstShare;
    return r;
}

std::vector<std::string> years_of(const std::vector<VehicleMixRecord>& store) {
    std::vector<std::string> years;
    for (const auto& r : store) {
        years.push_back(r.Year);
    }
    return years;
}

} // namespace

TEST(TrafficEstimate, GrowsGeometricallyBetweenBracketingYears) {
    // 2010: 10000, 2030: 20000. r = 2^(1/20); 2020: 10000 × 2^(10/20) = 14142.14 → "14142";
    // 2015: 10000 × 2^(5/20) = 11892.07 → "11892".
    const std::vector<DesignYearRow> rows = {{"2010", "10000"}, {"2030", "20000"}};
    EXPECT_EQ(app::estimate_traffic_text(rows, 2020), "14142");
    EXPECT_EQ(app::estimate_traffic_text(rows, 2015), "11892");
}

TEST(TrafficEstimate, NoBracketingPairLeavesTheTrafficEmpty) {
    const std::vector<DesignYearRow> rows = {{"2010", "10000"}, {"2030", "20000"}};
    EXPECT_FALSE(app::estimate_traffic_text(rows, 2005).has_value());
    EXPECT_FALSE(app::estimate_traffic_text(rows, 2035).has_value());
    // Strictly between: a listed year is not bracketed.
    EXPECT_FALSE(app::estimate_traffic_text(rows, 2010).has_value());
    EXPECT_FALSE(app::estimate_traffic_text({{"2010", "10000"}}, 2020).has_value());
    EXPECT_FALSE(app::estimate_traffic_text({}, 2020).has_value());
}

TEST(TrafficEstimate, LastBracketingPairInListOrderWins) {
    // Pairs (2010, 2030) and (2000, 2040) both bracket 2020; (2030, 2000) does not.
    // Last pair: 4000 × 10^(20/40) = 12649.11 → "12649".
    const std::vector<DesignYearRow> rows = {
        {"2010", "10000"}, {"2030", "20000"}, {"2000", "4000"}, {"2040", "40000"}};
    EXPECT_EQ(app::estimate_traffic_text(rows, 2020), "12649");
}

TEST(TrafficEstimate, ZeroOrUncomputableTraffic) {
    // An earlier traffic of 0 (or none at all) gives 0.
    EXPECT_EQ(app::estimate_traffic_text({{"2010", "0"}, {"2030", "20000"}}, 2020), "0");
    EXPECT_EQ(app::estimate_traffic_text({{"2010", ""}, {"2030", "0"}}, 2020), "0");
    // A negative ratio has no growth rate: the pair writes nothing, and the earlier pair's estimate stays.
    EXPECT_FALSE(app::estimate_traffic_text({{"2010", "100"}, {"2030", "-100"}}, 2020).has_value());
    EXPECT_EQ(app::estimate_traffic_text(
                  {{"2010", "10000"}, {"2030", "20000"}, {"2010", "100"}, {"2030", "-100"}}, 2020),
              "14142");
}

TEST(DesignYearInput, WholeTextMustBeANumber) {
    EXPECT_TRUE(app::is_valid_design_year("2020"));
    EXPECT_TRUE(app::is_valid_design_year(" 2020 "));
    EXPECT_FALSE(app::is_valid_design_year(""));
    EXPECT_FALSE(app::is_valid_design_year("   "));
    EXPECT_FALSE(app::is_valid_design_year("abc"));
    EXPECT_FALSE(app::is_valid_design_year("2020x"));
}

TEST(VehicleMix, NewYearStartsWithZerosAndTheStandardConversionFactors) {
    const VehicleMixRecord r = app::new_year_mix("2025");
    EXPECT_EQ(r.Year, "2025");
    const std::array<std::string, 7> zeros = {"0", "0", "0", "0", "0", "0", "0"};
    EXPECT_EQ(r.Ratio, zeros);
    EXPECT_EQ(r.DieselRatio, zeros);
    EXPECT_EQ(r.ConvRatio, (std::array<std::string, 7>{"1", "1.5", "2", "1", "2", "3", "3"}));
}

TEST(VehicleMix, TwentyTwoFieldsInFileOrder) {
    VehicleMixRecord r;
    r.Year = "AnyYear";
    for (int k = 0; k < 7; ++k) {
        r.Ratio[k] = "r" + std::to_string(k + 1);
        r.ConvRatio[k] = "c" + std::to_string(k + 1);
        r.DieselRatio[k] = "d" + std::to_string(k + 1);
    }
    const auto f = app::to_fields(r);
    EXPECT_EQ(f[0], "AnyYear");
    EXPECT_EQ(f[1], "r1");
    EXPECT_EQ(f[7], "r7");
    EXPECT_EQ(f[8], "c1");
    EXPECT_EQ(f[14], "c7");
    EXPECT_EQ(f[15], "d1");
    EXPECT_EQ(f[21], "d7");
    EXPECT_EQ(app::from_fields(f), r);
}

TEST(VehicleMix, DeletingAYearDropsExactlyOneRecordOfTheDeletedRow) {
    const std::vector<VehicleMixRecord> store = {mix("2010", "a"), mix("2020", "b"), mix("2030", "c")};
    // The deleted row's year decides, whatever the year box holds by then.
    auto left = app::remove_year_mix(store, "2020", 2);
    EXPECT_EQ(years_of(left), (std::vector<std::string>{"2010", "2030"}));
    EXPECT_EQ(left[1].Ratio[0], "c");

    // Two rows of one year: one record goes (the first), the one the class table showed stays; no blank
    // record takes its place.
    const std::vector<VehicleMixRecord> twice = {mix("2010", "a"), mix("2020", "b"), mix("2020", "c")};
    left = app::remove_year_mix(twice, "2020", 2);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[1].Year, "2020");
    EXPECT_EQ(left[1].Ratio[0], "c");
    EXPECT_EQ(app::mix_shown_for(left, "2020")->Ratio[0], "c");

    // A year without a record loses nothing; the last row leaves an empty store.
    EXPECT_EQ(app::remove_year_mix(store, "1999", 2), store);
    EXPECT_TRUE(app::remove_year_mix({mix("2010", "a")}, "2010", 0).empty());
}

TEST(VehicleMix, RowThatBecomesCurrentAfterADelete) {
    EXPECT_EQ(app::row_after_delete(3, 3), 2); // the new last row
    EXPECT_EQ(app::row_after_delete(2, 3), 2); // the former third row
    EXPECT_EQ(app::row_after_delete(1, 1), 0); // nothing left
    EXPECT_EQ(app::row_after_delete(0, 3), 0); // nothing was selected
}

TEST(VehicleMix, SwitchingModesCopiesTheFirstRecord) {
    const std::vector<VehicleMixRecord> one = {mix("AnyYear", "0.3")};
    const auto perYear = app::split_mix_per_year(one, {"2010", "2020"});
    ASSERT_EQ(perYear.size(), 2u);
    EXPECT_EQ(years_of(perYear), (std::vector<std::string>{"2010", "2020"}));
    EXPECT_EQ(perYear[1].Ratio[0], "0.3");

    const auto merged = app::merge_mix_for_all_years({mix("2010", "x"), mix("2020", "y")});
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_EQ(merged[0].Year, "AnyYear");
    EXPECT_EQ(merged[0].Ratio[0], "x");

    // After the only year was deleted the store is empty: the mode switch must still leave a mix to edit.
    const auto fromEmpty = app::merge_mix_for_all_years({});
    ASSERT_EQ(fromEmpty.size(), 1u);
    EXPECT_EQ(fromEmpty[0].Year, "AnyYear");
    EXPECT_EQ(fromEmpty[0].ConvRatio[2], "2");
    EXPECT_EQ(app::split_mix_per_year({}, {"2010"}).size(), 1u);
}

TEST(VehicleMix, RecordsAreFoundByExactYearText) {
    std::vector<VehicleMixRecord> store = {mix("2010", "a"), mix("2020", "b"), mix("2020", "c")};
    EXPECT_EQ(app::mix_shown_for(store, "2020")->Ratio[0], "c");
    EXPECT_EQ(app::mix_shown_for(store, " 2020"), nullptr);

    // Class 3 of every record of the year.
    EXPECT_EQ(app::store_class_values(store, "2020", 3, "0.25", "2.5", "0.8"), 2);
    EXPECT_EQ(store[1].Ratio[2], "0.25");
    EXPECT_EQ(store[2].ConvRatio[2], "2.5");
    EXPECT_EQ(store[2].DieselRatio[2], "0.8");
    EXPECT_EQ(store[0].Ratio[2], "0");
    // The total row (8) or no row stores nothing.
    EXPECT_EQ(app::store_class_values(store, "2020", 8, "9", "9", "9"), 0);
    EXPECT_EQ(app::store_class_values(store, "2020", 0, "9", "9", "9"), 0);

    // Renaming moves the first record of the old year only.
    app::rename_year_mix(store, "2020", "2025");
    EXPECT_EQ(years_of(store), (std::vector<std::string>{"2010", "2025", "2020"}));
}

TEST(TwoWayTraffic, DesignTrafficIsTheRatioOfTheOneWayTraffic) {
    // 1234 × 0.3 = 370.2; 123.456 × 1 → 123.46; no number in either box gives 0.
    EXPECT_EQ(app::bidirection_traffic_text("1234", "0.3"), "370.20");
    EXPECT_EQ(app::bidirection_traffic_text("123.456", "1"), "123.46");
    EXPECT_EQ(app::bidirection_traffic_text("", "0.5"), "0.00");
}

TEST(ClassRowColour, RandomValueTakenToTheNearestPaletteEntryTiesToEven) {
    using C = app::PaletteColour;
    EXPECT_EQ(app::class_row_colour(0.0), (C{0, 0, 0}));
    EXPECT_EQ(app::class_row_colour(0.125), (C{0, 0, 128}));    // 1.25 → 1
    EXPECT_EQ(app::class_row_colour(0.25), (C{0, 128, 0}));     // 2.5 → 2
    EXPECT_EQ(app::class_row_colour(0.75), (C{128, 128, 128})); // 7.5 → 8
    EXPECT_EQ(app::class_row_colour(0.999), (C{0, 255, 0}));    // 9.99 → 10
}

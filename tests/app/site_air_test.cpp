// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/site_air.h"

#include "app/coef_table.h"

#include <gtest/gtest.h>

TEST(RoadClass, MotorwayAndFirstClassAgainstLowerClasses) {
    for (int position : {0, 1, -1}) {
        const auto c = app::road_class_coefficients(position);
        EXPECT_DOUBLE_EQ(c.f_a, 1.0);
        EXPECT_DOUBLE_EQ(c.f_a_vi, 1.0);
        EXPECT_EQ(c.f_a_text, "1.00");
        EXPECT_EQ(c.f_a_vi_text, "1.00");
    }
    for (int position : {2, 3, 4}) {
        const auto c = app::road_class_coefficients(position);
        EXPECT_DOUBLE_EQ(c.f_a, 1.15);
        EXPECT_DOUBLE_EQ(c.f_a_vi, 1.35);
        EXPECT_EQ(c.f_a_text, "1.15");
        EXPECT_EQ(c.f_a_vi_text, "1.35");
    }
}

TEST(DesignSpeed, WorkingSpeedInPlainNumberText) {
    EXPECT_EQ(app::design_speed("80").workv_t_text, "80");
    EXPECT_EQ(app::design_speed("62.5").workv_t_text, "62.5");
    EXPECT_DOUBLE_EQ(app::design_speed("62.5").speed, 62.5);
    EXPECT_EQ(app::design_speed("").workv_t_text, "0");
}

TEST(Altitude, CoefficientsAboveFourHundredMetres) {
    for (double e : {0.0, 399.0, 400.0, -50.0}) {
        const auto c = app::altitude_coefficients(e);
        EXPECT_EQ(c.f_h_text, "1.00") << e;
        EXPECT_EQ(c.f_h_vi_text, "1.00") << e;
    }
    // 1300 m: fh = 2700 / 1800 = 1.5; fh(VI) = 900 × 0.62 / 1800 + 1 = 1.31.
    auto c = app::altitude_coefficients(1300);
    EXPECT_DOUBLE_EQ(c.f_h, 1.5);
    EXPECT_DOUBLE_EQ(c.f_h_vi, 1.31);
    EXPECT_EQ(c.f_h_text, "1.50");
    EXPECT_EQ(c.f_h_vi_text, "1.31");
    // 800 m: fh = 2200 / 1800 = 1.2222 → 1.22; fh(VI) = 400 × 0.62 / 1800 + 1 = 1.13778 → 1.14.
    c = app::altitude_coefficients(800);
    EXPECT_EQ(c.f_h_text, "1.22");
    EXPECT_EQ(c.f_h_vi_text, "1.14");
}

TEST(Altitude, SitePressureFromTheTable) {
    CoefTable daqiya;
    daqiya.x = {0, 1000, 2000};
    daqiya.y = {0};
    daqiya.v = {{101.3, 89.9, 79.5}};
    // 1300 m: 89.9 + 0.3 × (79.5 − 89.9) = 86.78.
    EXPECT_EQ(app::site_pressure_text(daqiya, 1300), "86.78");
    EXPECT_EQ(app::site_pressure_text(daqiya, 1000), "89.9");
    // Outside the keys the nearer end holds.
    EXPECT_EQ(app::site_pressure_text(daqiya, -100), "101.3");
    EXPECT_EQ(app::site_pressure_text(daqiya, 5000), "79.5");
    // An empty table gives 0.
    EXPECT_EQ(app::site_pressure_text(CoefTable{}, 1300), "0");
}

namespace {

app::EmissionDeclineInput decline(std::string year, std::string rate = "2") {
    return {"0.01", "2.5", std::move(rate), "2010", std::move(year)};
}

} // namespace

TEST(EmissionDecline, BaseEmissionsBroughtToTheDesignYear) {
    // 0.98^10 = 0.8170728; 0.01 × 0.8170728 = 0.0081707 → "0.0082"; 2.5 × 0.8170728 = 2.042682 → "2.0427".
    const auto e = app::emission_at_year(decline("2020"));
    EXPECT_EQ(e.q_co_text, "0.0082");
    EXPECT_EQ(e.q_vi_text, "2.0427");
    // Later steps work with the value as shown.
    EXPECT_DOUBLE_EQ(e.q_co, 0.0082);
    EXPECT_DOUBLE_EQ(e.q_vi, 2.0427);
}

TEST(EmissionDecline, BeforeTheStartYearTheBaseTextIsCopiedUnchanged) {
    auto in = decline("2005");
    in.q_co = "0.010 ";
    const auto e = app::emission_at_year(in);
    EXPECT_EQ(e.q_co_text, "0.010 ");
    EXPECT_EQ(e.q_vi_text, "2.5");
}

TEST(EmissionDecline, NoReductionReformatsToFourDecimals) {
    // Rate 0, the start year itself: 0.0055801 → "0.0056".
    auto in = decline("2010", "0");
    in.q_co = "0.0055801";
    const auto e = app::emission_at_year(in);
    EXPECT_EQ(e.q_co_text, "0.0056");
    EXPECT_EQ(e.q_vi_text, "2.5000");
    // An empty rate box is no reduction.
    EXPECT_EQ(app::emission_at_year(decline("2012", "")).q_vi_text, "2.5000");
}

TEST(EmissionDecline, UnusableInputGivesEmptyTexts) {
    // A rate above 100 % would make the factor negative.
    auto e = app::emission_at_year(decline("2020", "150"));
    EXPECT_EQ(e.q_co_text, "");
    EXPECT_EQ(e.q_vi_text, "");
    e = app::emission_at_year(decline("2020.5", "150"));
    EXPECT_EQ(e.q_co_text, "");
    // 100 % removes everything after the start year.
    EXPECT_EQ(app::emission_at_year(decline("2011", "100")).q_co_text, "0.0000");
    // A design year or start year without a number.
    EXPECT_EQ(app::emission_at_year(decline("")).q_co_text, "");
    EXPECT_EQ(app::emission_at_year(decline("abc")).q_vi_text, "");
    auto in = decline("2020");
    in.DescYear = "";
    EXPECT_EQ(app::emission_at_year(in).q_co_text, "");
    // A result too large to hold: 1e308 doubled ten times.
    in = decline("2020", "-100");
    in.q_co = "1e308";
    e = app::emission_at_year(in);
    EXPECT_EQ(e.q_co_text, "");
    EXPECT_EQ(e.q_vi_text, "");
    EXPECT_EQ(e.q_co, 0.0);
}

TEST(Publication, EndStationIsStartPlusLengthOnBothLines) {
    app::PublicationInput in;
    in.StartPile = "1200";
    in.TunnelLength = 850.0;
    in.RightLine = true;
    auto v = app::publish_project_values(in);
    EXPECT_DOUBLE_EQ(v.StartPile, 1200);
    EXPECT_DOUBLE_EQ(v.TunnelLength, 850);
    EXPECT_DOUBLE_EQ(v.EndPile, 2050);
    EXPECT_EQ(v.PileDirection, 1);

    in.RightLine = false;
    v = app::publish_project_values(in);
    EXPECT_DOUBLE_EQ(v.EndPile, 2050);
    EXPECT_EQ(v.PileDirection, -1);
}

TEST(Publication, EveryValueByItsLeadingNumber) {
    app::PublicationInput in;
    in.DesignSpeed = "80";
    in.Elevation = "1300 m";
    in.DesignTraffic = "abc";
    in.p = "86.78";
    in.StartPile = "";
    in.rho = "1.2";
    in.TT = "297";
    in.TunnelLength = 850.0;
    const auto v = app::publish_project_values(in);
    EXPECT_DOUBLE_EQ(v.DesignSpeed, 80);
    EXPECT_DOUBLE_EQ(v.Elevation, 1300);
    EXPECT_DOUBLE_EQ(v.DesignTraffic, 0);
    EXPECT_DOUBLE_EQ(v.p, 86.78);
    EXPECT_DOUBLE_EQ(v.p0, 101.325);
    EXPECT_DOUBLE_EQ(v.T0, 273);
    EXPECT_DOUBLE_EQ(v.StartPile, 0);
    EXPECT_DOUBLE_EQ(v.EndPile, 850);
    EXPECT_DOUBLE_EQ(v.rho, 1.2);
    EXPECT_DOUBLE_EQ(v.TT, 297);
}

TEST(Publication, FailedTunnelLengthKeepsThePreviousOne) {
    app::PublicationInput in;
    in.StartPile = "1200";
    in.PreviousTunnelLength = 700;
    const auto v = app::publish_project_values(in);
    EXPECT_DOUBLE_EQ(v.TunnelLength, 700);
    EXPECT_DOUBLE_EQ(v.EndPile, 1900);
}

TEST(ResultMembers, ReadByLeadingNumberAndWrittenInTheirFormats) {
    app::ResultTexts boxes;
    boxes.delta = "12.345";
    boxes.QQ_req_VI = "text";
    boxes.q_CO = "0.007";
    const auto m = app::read_result_members(boxes);
    EXPECT_DOUBLE_EQ(m.delta, 12.345);
    EXPECT_DOUBLE_EQ(m.QQ_req_VI, 0);
    const auto back = app::format_result_members(m);
    EXPECT_EQ(back.delta, "12.35");
    EXPECT_EQ(back.q_CO, "0.01");

    // At start-up every member is 0.
    const auto zero = app::format_result_members({});
    EXPECT_EQ(zero.delta, "0.00");
    EXPECT_EQ(zero.KK, "0.0000");
    EXPECT_EQ(zero.QQ_CO, "0.00000000");
    EXPECT_EQ(zero.QQ_req_CO, "0.000");
    EXPECT_EQ(zero.QQ_req_VI, "0.000");
    EXPECT_EQ(zero.f_iv_VI, "0.00");
    EXPECT_EQ(zero.QQ_VI, "0.00");
}

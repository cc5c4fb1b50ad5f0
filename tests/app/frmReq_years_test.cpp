// SPDX-License-Identifier: GPL-3.0-or-later
// Page 3 of the main window driven as a user drives it: design years, the vehicle mix behind the class
// table, the class-row editor and the traffic analysis; and the two-way inputs of page 5.
#include "app/frmReq.h"

#include "app/design_years.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "tests/support/shown_texts.h"
#include "tests/support/typed_boxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

using app::VehicleMixRecord;
using Cells = std::vector<std::string>;

VehicleMixRecord mixOf(const std::string& year, std::array<std::string, 7> ratio,
                       std::array<std::string, 7> conv, std::array<std::string, 7> diesel) {
    VehicleMixRecord r;
    r.Year = year;
    r.Ratio = ratio;
    r.ConvRatio = conv;
    r.DieselRatio = diesel;
    return r;
}

// Two classes carry the traffic: class 1 share 0.5, 1 pcu, diesel 0.2; class 2 share 0.5, 2 pcu, all diesel.
VehicleMixRecord twoClassMix(const std::string& year) {
    return mixOf(year, {"0.5", "0.5", "0", "0", "0", "0", "0"}, {"1", "2", "2", "1", "2", "3", "3"},
                 {"0.2", "1", "0", "0", "0", "0", "0"});
}

// A mix told apart from the others by the share of class 3.
VehicleMixRecord taggedMix(const std::string& year, const std::string& tag) {
    return mixOf(year, {"1", "0", tag, "0", "0", "0", "0"}, {"1", "1.5", "2", "1", "2", "3", "3"},
                 {"0", "0", "0", "0", "0", "0", "0"});
}

std::vector<std::string> yearsOf(const std::vector<VehicleMixRecord>& store) {
    std::vector<std::string> years;
    for (const VehicleMixRecord& r : store) {
        years.push_back(r.Year);
    }
    return years;
}

class YearsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // Whatever the template project holds, each test starts from an empty year list and one mix.
        w.pgMain.userClick(3);
        w.lstTraffic.ListItems.Clear();
        w.chkRatioNotSame.setSilently(0);
        w.chkTrafficTotal.setSilently(0);
        w.chkPetrol.setSilently(0);
        test_support::SetSilently{{w.txtTrafficRatio, "1"}, {w.txtMainDirectionRatio, "0.55"},
                                  {w.txtTraffic2, "0.1"},   {w.txtPetrol, "0.3"},
                                  {w.txtYear, ""},          {w.txtPcu, ""}};
        w.VehicleMixes = {twoClassMix("AnyYear")};
    }

    void addYear(const std::string& year, const std::string& pcu) {
        w.txtYear.userType(year);
        w.txtPcu.userType(pcu);
        w.cmdAdd.userClick();
    }

    Cells yearRow(int i) {
        platform::ListItem& row = w.lstTraffic.ListItems(i);
        return {row.Text(), row.SubItems(1)};
    }

    Cells classRow(int k) {
        platform::ListItem& row = w.lstTrafficAnalysis.ListItems(k);
        Cells cells;
        for (int c = 1; c <= 8; ++c) {
            cells.push_back(row.SubItems(c));
        }
        return cells;
    }

    // Shares, conversion factors and diesel shares of the seven classes as the table shows them.
    VehicleMixRecord shownMix() {
        VehicleMixRecord r;
        for (int k = 1; k <= 7; ++k) {
            platform::ListItem& row = w.lstTrafficAnalysis.ListItems(k);
            r.Ratio[k - 1] = row.SubItems(1);
            r.ConvRatio[k - 1] = row.SubItems(2);
            r.DieselRatio[k - 1] = row.SubItems(4);
        }
        return r;
    }

    // Three design years in one-mix-per-year mode, each with a mix of its own.
    void threeYearsPerYear() {
        addYear("2010", "3000");
        addYear("2020", "4000");
        addYear("2030", "5000");
        w.chkRatioNotSame.userClick();
        w.VehicleMixes = {taggedMix("2010", "0.1"), taggedMix("2020", "0.2"), taggedMix("2030", "0.3")};
    }

    frmReq& w = platform::Forms::instance<frmReq>();
};

TEST_F(YearsWindow, AddingAYearBetweenTwoListedYearsEstimatesItsTraffic) {
    addYear("2010", "10000");
    addYear("2030", "20000");
    // Growth 2^(1/20) a year over 10 years: 10000 · 2^0.5 = 14142.1 → "14142".
    addYear("2020", "");
    EXPECT_EQ(w.txtPcu.Text(), "14142");
    EXPECT_EQ(yearRow(3), (Cells{"2020", "14142"}));
    // The list is never sorted; 2015 goes to the end, estimated from the pair 2010–2030 that brackets
    // it: 10000 · 2^(5/20) = 11892.07 → "11892".
    addYear("2015", "");
    EXPECT_EQ(yearRow(4), (Cells{"2015", "11892"}));
    // Outside every listed pair the traffic stays empty.
    addYear("2005", "");
    addYear("2050", "");
    EXPECT_EQ(yearRow(5), (Cells{"2005", ""}));
    EXPECT_EQ(yearRow(6), (Cells{"2050", ""}));
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST_F(YearsWindow, AYearThatIsNoNumberIsRefused) {
    addYear("2010", "10000");
    for (const std::string bad : {"", "20a0", "2020年"}) {
        platform::msgbox::reset();
        platform::msgbox::script(platform::vbOK);
        addYear(bad, "5000");
        ASSERT_EQ(platform::msgbox::log().size(), 1u) << bad;
        EXPECT_EQ(platform::msgbox::log()[0].prompt, "请输入正确的特征年数据!");
        EXPECT_EQ(platform::msgbox::log()[0].title, "出错");
    }
    EXPECT_EQ(w.lstTraffic.ListItems.Count(), 1);
    // Blanks around a year are no fault.
    addYear(" 2020 ", "12000");
    EXPECT_EQ(w.lstTraffic.ListItems.Count(), 2);
}

TEST_F(YearsWindow, ANewYearInPerYearModeStartsWithTheNewYearMix) {
    addYear("2010", "3000");
    w.lstTraffic.userItemClick(1);
    ASSERT_EQ(w.txtNN.Text(), "200");
    w.chkRatioNotSame.userClick();
    EXPECT_EQ(w.VehicleMixes, (std::vector<VehicleMixRecord>{twoClassMix("2010")}));

    addYear("2040", "6000");
    ASSERT_EQ(w.VehicleMixes.size(), 2u);
    EXPECT_EQ(w.VehicleMixes[1], app::new_year_mix("2040"));
    EXPECT_EQ(shownMix().Ratio, (std::array<std::string, 7>{"0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(shownMix().ConvRatio, (std::array<std::string, 7>{"1", "1.5", "2", "1", "2", "3", "3"}));
    EXPECT_EQ(shownMix().DieselRatio, (std::array<std::string, 7>{"0", "0", "0", "0", "0", "0", "0"}));
    // No shares: no standard vehicles per vehicle, and the design traffic is 0 rather than the 200 of the
    // year shown before.
    EXPECT_EQ(w.txtPCUVeh.Text(), "0.0000");
    EXPECT_EQ(w.txtTraffic1.Text(), "0");
    EXPECT_EQ(w.txtNN.Text(), "0");
    EXPECT_EQ(modPublic::DesignTraffic, 0);
    EXPECT_EQ(w.nn_co, 0);
    EXPECT_EQ(w.lstTrafficAnalysis.ListItems(8).SubItems(7), "0.000");
}

TEST_F(YearsWindow, DeletingAYearDropsTheMixOfTheSelectedRowOnly) {
    threeYearsPerYear();
    w.lstTraffic.userItemClick(2);
    // The user types another year into the box after the click: the row decides what goes.
    w.txtYear.userType("2030");
    w.cmdDelete.userClick();

    EXPECT_EQ(w.lstTraffic.ListItems.Count(), 2);
    EXPECT_EQ(yearRow(1), (Cells{"2010", "3000"}));
    EXPECT_EQ(yearRow(2), (Cells{"2030", "5000"}));
    EXPECT_EQ(w.VehicleMixes,
              (std::vector<VehicleMixRecord>{taggedMix("2010", "0.1"), taggedMix("2030", "0.3")}));
    // The former third row is now current, with its own mix.
    EXPECT_EQ(w.txtYear.Text(), "2030");
    EXPECT_EQ(w.txtPcu.Text(), "5000");
    EXPECT_EQ(w.lstTrafficAnalysis.ListItems(3).SubItems(1), "0.3");
    EXPECT_EQ(w.frmBlock.Caption(), "阻塞区段划分(注意:阻塞区段应布置于出洞口侧),特征年:2030");
}

TEST_F(YearsWindow, DeletingOneOfTwoRowsOfTheSameYearKeepsTheOtherRowsMix) {
    addYear("2010", "3000");
    addYear("2020", "4000");
    addYear("2020", "4500");
    w.chkRatioNotSame.userClick();
    w.VehicleMixes = {taggedMix("2010", "0.1"), taggedMix("2020", "0.2"), taggedMix("2020", "0.25")};
    w.lstTraffic.userItemClick(2);
    w.cmdDelete.userClick();

    EXPECT_EQ(w.VehicleMixes,
              (std::vector<VehicleMixRecord>{taggedMix("2010", "0.1"), taggedMix("2020", "0.25")}));
    for (const VehicleMixRecord& r : w.VehicleMixes) {
        EXPECT_FALSE(r.Year.empty()) << "a blank record appeared";
    }
    // Class edits of the remaining 2020 row are stored in its record.
    w.lstTrafficAnalysis.userItemClick(3);
    w.txtRatio1.userType("0.4");
    w.cmdRefreshTraffic.userClick();
    EXPECT_EQ(w.VehicleMixes[1].Ratio[2], "0.4");
}

TEST_F(YearsWindow, DeletingTheLastOrTheOnlyRow) {
    threeYearsPerYear();
    w.lstTraffic.userItemClick(3);
    w.cmdDelete.userClick();
    EXPECT_EQ(w.txtYear.Text(), "2020");
    EXPECT_EQ(w.lstTraffic.SelectedIndex(), 2);
    EXPECT_EQ(yearsOf(w.VehicleMixes), (std::vector<std::string>{"2010", "2020"}));

    w.cmdDelete.userClick();
    w.lstTraffic.userItemClick(1);
    const VehicleMixRecord shownBefore = shownMix();
    w.cmdDelete.userClick();
    // The boxes and the class table stay as they were; the store is empty.
    EXPECT_EQ(w.lstTraffic.ListItems.Count(), 0);
    EXPECT_EQ(w.txtYear.Text(), "2010");
    EXPECT_EQ(shownMix(), shownBefore);
    EXPECT_TRUE(w.VehicleMixes.empty());
    // The next added year gets the only record.
    addYear("2025", "7000");
    EXPECT_EQ(w.VehicleMixes, (std::vector<VehicleMixRecord>{app::new_year_mix("2025")}));
    // Delete on an empty list changes nothing.
    w.lstTraffic.ListItems.Clear();
    w.cmdDelete.userClick();
    EXPECT_EQ(w.VehicleMixes.size(), 1u);
}

TEST_F(YearsWindow, ClearingPerYearMixesAsksAndNoKeepsEveryMix) {
    threeYearsPerYear();
    const std::vector<VehicleMixRecord> perYear = w.VehicleMixes;

    platform::msgbox::script(platform::vbNo);
    w.chkRatioNotSame.userClick();
    test_support::expectOneMessage({.prompt = "本操作将会删除各特征年对应的车型比例数据,继续吗?",
                                    .title = "警告",
                                    .buttons = platform::vbYesNo});
    EXPECT_EQ(w.chkRatioNotSame.Value(), 1);
    EXPECT_EQ(w.VehicleMixes, perYear);

    platform::msgbox::script(platform::vbYes);
    w.chkRatioNotSame.userClick();
    EXPECT_EQ(w.chkRatioNotSame.Value(), 0);
    EXPECT_EQ(w.VehicleMixes, (std::vector<VehicleMixRecord>{taggedMix("AnyYear", "0.1")}));

    // Setting the box again gives every year a copy of the one mix, without a question.
    w.chkRatioNotSame.userClick();
    EXPECT_EQ(w.VehicleMixes,
              (std::vector<VehicleMixRecord>{taggedMix("2010", "0.1"), taggedMix("2020", "0.1"),
                                             taggedMix("2030", "0.1")}));
    EXPECT_EQ(platform::msgbox::log().size(), 2u);
}

TEST_F(YearsWindow, MakingAYearCurrentShowsItsMixAndTraffic) {
    addYear("2010", "3000");
    addYear("2020", "4500");
    w.optBiDirectionMethod1.set(true);
    w.txtBiDirection.setSilently("0.6");
    w.lstTraffic.userItemClick(2);
    EXPECT_EQ(w.txtYear.Text(), "2020");
    EXPECT_EQ(w.txtPcu.Text(), "4500");
    EXPECT_EQ(w.frmBlock.Caption(), "阻塞区段划分(注意:阻塞区段应布置于出洞口侧),特征年:2020");
    // One mix for all years: 4500 / 1.5 = 3000 veh/d, N = 300; two-way traffic 300 · 0.6 = 180.
    EXPECT_EQ(shownMix().Ratio[1], "0.5");
    EXPECT_EQ(w.txtNN.Text(), "300");
    EXPECT_EQ(w.txtNN_bidirection.Text(), "180.00");

    // Per-year mixes: each year shows its own.
    w.chkRatioNotSame.userClick();
    w.VehicleMixes[0] = taggedMix("2010", "0.7");
    w.lstTraffic.userItemClick(1);
    EXPECT_EQ(w.lstTrafficAnalysis.ListItems(3).SubItems(1), "0.7");
    w.lstTraffic.userItemClick(2);
    EXPECT_EQ(w.lstTrafficAnalysis.ListItems(3).SubItems(1), "0");
    EXPECT_EQ(w.lstTrafficAnalysis.ListItems(1).SubItems(1), "0.5");
}

TEST_F(YearsWindow, UpdatingAYearRenamesItsMix) {
    threeYearsPerYear();
    w.lstTraffic.userItemClick(2);
    w.txtYear.userType("2022");
    w.txtPcu.userType("4100");
    w.cmdUpdate.userClick();
    EXPECT_EQ(yearRow(2), (Cells{"2022", "4100"}));
    EXPECT_EQ(w.VehicleMixes[1], taggedMix("2022", "0.2"));
}

TEST_F(YearsWindow, ClassEditorCopiesAndStoresARow) {
    addYear("2010", "3000");
    w.lstTraffic.userItemClick(1);
    w.lstTrafficAnalysis.userItemClick(2);
    EXPECT_EQ(w.lblTrafficType.Caption(), "2 中型货车");
    EXPECT_EQ(w.txtRatio1.Text(), "0.5");
    EXPECT_EQ(w.txtRatio2.Text(), "2");
    EXPECT_EQ(w.txtRatio3.Text(), "1");
    const std::vector<platform::Color> palette = {
        platform::RGB(0, 0, 0),     platform::RGB(0, 0, 128),     platform::RGB(0, 128, 0),
        platform::RGB(0, 128, 128), platform::RGB(128, 0, 0),     platform::RGB(128, 0, 128),
        platform::RGB(128, 128, 0), platform::RGB(192, 192, 192), platform::RGB(128, 128, 128),
        platform::RGB(0, 0, 255),   platform::RGB(0, 255, 0)};
    EXPECT_NE(std::find(palette.begin(), palette.end(), w.lstTrafficAnalysis.ListItems(2).ForeColor()),
              palette.end());

    // Class 2 now 3 pcu: 0.5·1 + 0.5·3 = 2 pcu/veh, 3000 / 2 = 1500 veh/d, N = 150.
    w.txtRatio2.userType("3");
    w.cmdRefreshTraffic.userClick();
    EXPECT_EQ(w.VehicleMixes[0].ConvRatio[1], "3");
    EXPECT_EQ(w.lstTrafficAnalysis.ListItems(2).SubItems(2), "3");
    EXPECT_EQ(w.txtPCUVeh.Text(), "2.0000");
    EXPECT_EQ(w.txtNN.Text(), "150");

    // The total row is no class: the editor and the row colour stay as they were.
    const platform::Color colour = w.lstTrafficAnalysis.ListItems(8).ForeColor();
    w.lstTrafficAnalysis.userItemClick(8);
    EXPECT_EQ(w.lblTrafficType.Caption(), "2 中型货车");
    EXPECT_EQ(w.txtRatio2.Text(), "3");
    EXPECT_EQ(w.lstTrafficAnalysis.ListItems(8).ForeColor(), colour);
    w.cmdRefreshTraffic.userClick();
    EXPECT_EQ(w.VehicleMixes, (std::vector<VehicleMixRecord>{[] {
                  VehicleMixRecord r = twoClassMix("AnyYear");
                  r.ConvRatio[1] = "3";
                  return r;
              }()}));
}

TEST_F(YearsWindow, ClassEditsInPerYearModeGoToTheSelectedYear) {
    threeYearsPerYear();
    w.lstTraffic.userItemClick(2);
    w.lstTrafficAnalysis.userItemClick(4);
    w.txtRatio1.userType("0.9");
    w.cmdRefreshTraffic.userClick();
    EXPECT_EQ(w.VehicleMixes[1].Ratio[3], "0.9");
    EXPECT_EQ(w.VehicleMixes[0].Ratio[3], "0");
    EXPECT_EQ(w.VehicleMixes[2].Ratio[3], "0");
    EXPECT_EQ(w.lstTrafficAnalysis.ListItems(4).SubItems(1), "0.9");
}

// Traffic analysis with the shipped class factors fm (CO) 2.5, 5.0, 7.0, 1.0, 7.0, 7.0, 7.0 and
// fm(VI) 0.4, 1.0, 1.5, 0.4, 1.5, 1.5, 3.5.
TEST_F(YearsWindow, TrafficAnalysisOfATwoClassMix) {
    addYear("2010", "3000");
    w.lstTraffic.userItemClick(1);
    // 0.5·1 + 0.5·2 = 1.5 pcu/veh; 3000 / 1.5 = 2000.00 veh/d; scale 1 → 2000; N = 0.1 · 2000 = 200.
    EXPECT_EQ(w.txtPCUVeh.Text(), "1.5000");
    EXPECT_EQ(w.txtTraffic1.Text(), "2000");
    EXPECT_EQ(w.txtNN.Text(), "200");
    EXPECT_EQ(modPublic::DesignTraffic, 200);
    // Class 1: 100 vehicles, 20 diesel, 80 petrol; CO 80·2.5 + 20 = 220; smoke 20·0.4 = 8.
    EXPECT_EQ(classRow(1),
              (Cells{"0.5", "1", "100.00000", "0.2", "20.00000", "80.00000", "220.00000", "8.00000"}));
    // Class 2, all diesel: no petrol vehicles, CO equal to the vehicle count; smoke 100·1.0.
    EXPECT_EQ(classRow(2),
              (Cells{"0.5", "2", "100.00000", "1", "100.00000", "0.00000", "100.00000", "100.00000"}));
    EXPECT_EQ(classRow(3), (Cells{"0", "2", "0.00000", "0", "0.00000", "0.00000", "0.00000", "0.00000"}));
    EXPECT_EQ(classRow(8),
              (Cells{"1.000", "14.000", "200.000", "1.200", "120.000", "80.000", "320.000", "108.000"}));
    EXPECT_EQ(w.nn_co, 320);
    EXPECT_EQ(w.nn_vi, 108);

    // Forecast of both directions: the directional factor 0.55 now counts: 2000 · 0.55 = 1100, N = 110.
    w.chkTrafficTotal.setSilently(1);
    w.cmdCalculateTraffic.userClick();
    EXPECT_EQ(w.txtTraffic1.Text(), "1100");
    EXPECT_EQ(w.txtNN.Text(), "110");
    w.chkTrafficTotal.setSilently(0);

    // Petrol smoke counted with factor 0.3: class 1 smoke 8 + 80 · 0.3 = 32.
    w.chkPetrol.setSilently(1);
    w.cmdCalculateTraffic.userClick();
    EXPECT_EQ(classRow(1)[7], "32.00000");
    EXPECT_EQ(w.nn_vi, 132);
}

TEST_F(YearsWindow, EquivalentTrafficIsTheSumRowRoundedToThreeDecimals) {
    // One class of share 0.33333 and 1 pcu: 0.3333 pcu/veh; 3333 / 0.3333 = 10000.00; N = 0.01 · 10000
    // = 100; 33.333 vehicles, all petrol: CO 33.333 · 2.5 = 83.3325 → cell "83.33250" → sum "83.333".
    w.VehicleMixes = {mixOf("AnyYear", {"0.33333", "0", "0", "0", "0", "0", "0"},
                            {"1", "1", "1", "1", "1", "1", "1"}, {"0", "0", "0", "0", "0", "0", "0"})};
    w.txtTraffic2.setSilently("0.01");
    addYear("2010", "3333");
    w.lstTraffic.userItemClick(1);
    EXPECT_EQ(w.txtPCUVeh.Text(), "0.3333");
    EXPECT_EQ(w.txtNN.Text(), "100");
    EXPECT_EQ(classRow(1)[6], "83.33250");
    EXPECT_EQ(classRow(8)[6], "83.333");
    EXPECT_DOUBLE_EQ(w.nn_co, 83.333);
}

TEST_F(YearsWindow, NoVehicleMixGivesNoDesignTraffic) {
    addYear("2010", "3000");
    w.lstTraffic.userItemClick(1);
    ASSERT_EQ(w.txtNN.Text(), "200");
    // Every share cleared: the pcu per vehicle reads 0 and the earlier mixed traffic is not reused.
    w.VehicleMixes = {mixOf("AnyYear", {"0", "0", "0", "0", "0", "0", "0"},
                            {"1", "2", "2", "1", "2", "3", "3"}, {"0", "0", "0", "0", "0", "0", "0"})};
    w.lstTraffic.userItemClick(1);
    EXPECT_EQ(w.txtPCUVeh.Text(), "0.0000");
    EXPECT_EQ(w.txtTraffic1.Text(), "0");
    EXPECT_EQ(w.txtNN.Text(), "0");
    EXPECT_EQ(modPublic::DesignTraffic, 0);
    EXPECT_EQ(w.nn_co, 0);
    EXPECT_EQ(w.nn_vi, 0);
}

TEST_F(YearsWindow, TwoWayMethodOptionsEnableTheirInputs) {
    w.optBiDirectionMethod1.set(true);
    EXPECT_TRUE(w.txtBiDirection.Enabled());
    EXPECT_TRUE(w.txtNN_bidirection.Enabled());
    EXPECT_FALSE(w.lstAllowVechileType.Enabled());
    EXPECT_FALSE(w.optBiDirectionMethod2.Value());

    w.optBiDirectionMethod2.set(true);
    EXPECT_FALSE(w.txtBiDirection.Enabled());
    EXPECT_FALSE(w.txtNN_bidirection.Enabled());
    EXPECT_TRUE(w.lstAllowVechileType.Enabled());
    EXPECT_TRUE(w.optBiDirectionMethod2.Value());
    EXPECT_FALSE(w.optBiDirectionMethod1.Value());

    // The two-way design traffic follows the ratio: 250 · 0.45 = 112.5.
    w.txtNN.setSilently("250");
    w.txtBiDirection.set("0.45");
    EXPECT_EQ(w.txtNN_bidirection.Text(), "112.50");
    w.txtBiDirection.set("abc");
    EXPECT_EQ(w.txtNN_bidirection.Text(), "0.00");
}

} // namespace

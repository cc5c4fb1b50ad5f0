// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/coef_table.h"
#include "app/modPublic.h"

#include "platform/text_file.h"
#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Data(const std::string& name) {
    return std::string(TEST_DATA_DIR) + "/" + name;
}

CoefTable Load(const std::string& key, const std::string& file = "tables.txt") {
    CoefTable t;
    modPublic::ReadTable(key, t, Data(file));
    return t;
}

// A sentinel the reader must not touch.
CoefTable Sentinel() {
    return CoefTable{{1, 2}, {0}, {{11, 22}}};
}

void ExpectSentinel(const CoefTable& t) {
    EXPECT_EQ(t.x, (std::vector<double>{1, 2}));
    EXPECT_EQ(t.y, (std::vector<double>{0}));
    ASSERT_EQ(t.v.size(), 1u);
    EXPECT_EQ(t.v[0], (std::vector<double>{11, 22}));
}

void WriteGbk(const fs::path& path, const std::string& utf8) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << textcodec::ToGbk(utf8);
}

// A fresh folder that stands for the program's folder.
class TempFolder {
public:
    TempFolder() {
        path_ = fs::temp_directory_path() /
                ("aridane_tables_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

class TablesTest : public ::testing::Test {
protected:
    void SetUp() override { modPublic::Reset(); }
    void TearDown() override { modPublic::Reset(); }
};

} // namespace

// f_d of tables.txt: speeds 10, 20, 40, 60, 80 km/h -> 6, 3, 1.5, 0.9, 0.6.
TEST_F(TablesTest, OneRowLookupGivesKeysExactlyMeansHalfwayAndClampsAtBothEnds) {
    CoefTable t = Load("f_d");
    ASSERT_EQ(t.nx(), 5);
    ASSERT_EQ(t.ny(), 1);
    // A one-row table has no row-key line: y(1) = 0 and the line after the keys is already the values.
    EXPECT_EQ(t.Y(1), 0.0);
    EXPECT_EQ(t.v[0], (std::vector<double>{6, 3, 1.5, 0.9, 0.6}));

    // Keys give their own values bit for bit, inner keys included (60 lies in the pair 40..60).
    EXPECT_EQ(modPublic::Interpolate1D(t, 10), 6.0);
    EXPECT_EQ(modPublic::Interpolate1D(t, 40), 1.5);
    EXPECT_EQ(modPublic::Interpolate1D(t, 60), 0.9);
    EXPECT_EQ(modPublic::Interpolate1D(t, 80), 0.6);
    // Halfway: (3 + 1.5) / 2 = 2.25; (0.9 + 0.6) / 2 = 0.75.
    EXPECT_DOUBLE_EQ(modPublic::Interpolate1D(t, 30), 2.25);
    EXPECT_DOUBLE_EQ(modPublic::Interpolate1D(t, 70), 0.75);
    // 15: 6 + 5 x (3 - 6) / 10 = 4.5.
    EXPECT_DOUBLE_EQ(modPublic::Interpolate1D(t, 15), 4.5);
    // Never extrapolated.
    EXPECT_EQ(modPublic::Interpolate1D(t, 0), 6.0);
    EXPECT_EQ(modPublic::Interpolate1D(t, -50), 6.0);
    EXPECT_EQ(modPublic::Interpolate1D(t, 120), 0.6);
}

// desc: keys 100, 50, 0 -> 1, 2, 4.
TEST_F(TablesTest, DescendingKeysClampByPosition) {
    CoefTable t = Load("desc");
    EXPECT_EQ(modPublic::Interpolate1D(t, 150), 1.0); // beyond x(1)
    EXPECT_EQ(modPublic::Interpolate1D(t, -10), 4.0); // beyond x(nx)
    // 25: 2 + (25 - 50) x (4 - 2) / (0 - 50) = 3; 75: 1 + (75 - 100) x (2 - 1) / (50 - 100) = 1.5.
    EXPECT_DOUBLE_EQ(modPublic::Interpolate1D(t, 25), 3.0);
    EXPECT_DOUBLE_EQ(modPublic::Interpolate1D(t, 75), 1.5);
    EXPECT_EQ(modPublic::Interpolate1D(t, 50), 2.0);
}

TEST_F(TablesTest, OneColumnTableGivesItsOnlyValueForEveryKey) {
    CoefTable t = Load("one_col");
    ASSERT_EQ(t.nx(), 1);
    for (double key : {-1e9, 0.0, 50.0, 51.0, 1e9}) {
        EXPECT_EQ(modPublic::Interpolate1D(t, key), 7.5) << key;
        EXPECT_EQ(modPublic::Interpolate2D(t, key, key), 7.5) << key;
    }
}

// f_iv: slopes -2, 0, 2, 4 by speeds 20, 40, 60; rows 1..4, 10..40, 100..400.
TEST_F(TablesTest, BilinearLookupClampsEachAxisOnItsOwn) {
    CoefTable t = Load("f_iv");
    ASSERT_EQ(t.ny(), 3);
    ASSERT_EQ(t.nx(), 4);
    EXPECT_EQ(t.y, (std::vector<double>{20, 40, 60}));
    EXPECT_EQ(t.V(3, 4), 400.0);

    // (1, 30): row 20 gives 2.5, row 40 gives 25; 2.5 + 10 x (25 - 2.5) / 20 = 13.75.
    EXPECT_DOUBLE_EQ(modPublic::Interpolate2D(t, 1, 30), 13.75);
    // dy above the last row key: along x in the last row only, (300 + 400) / 2 = 350.
    EXPECT_DOUBLE_EQ(modPublic::Interpolate2D(t, 3, 80), 350.0);
    // dy below the first row key: first row only, 3.5.
    EXPECT_DOUBLE_EQ(modPublic::Interpolate2D(t, 3, 0), 3.5);
    // dx beyond the last column, dy inside: column 4, 40 + 10 x (400 - 40) / 20 = 220.
    EXPECT_DOUBLE_EQ(modPublic::Interpolate2D(t, 10, 50), 220.0);
    // Both clamped: the corner.
    EXPECT_EQ(modPublic::Interpolate2D(t, -9, 99), 100.0);
    // On the keys: the value itself.
    EXPECT_EQ(modPublic::Interpolate2D(t, 0, 40), 20.0);
}

TEST_F(TablesTest, OneRowBilinearLookupEqualsTheLinearOne) {
    CoefTable t = Load("f_d");
    for (double key : {-5.0, 10.0, 12.5, 20.0, 33.3, 60.0, 79.0, 80.0, 200.0}) {
        for (double dy : {-100.0, 0.0, 42.0}) {
            EXPECT_EQ(modPublic::Interpolate2D(t, key, dy), modPublic::Interpolate1D(t, key)) << key;
        }
    }
}

TEST_F(TablesTest, CountLineMaySeparateByBlanksAndTrailingCommaIsHarmless) {
    CoefTable t = Load("blank_counts"); // "2 3"
    ASSERT_EQ(t.ny(), 2);
    ASSERT_EQ(t.nx(), 3);
    EXPECT_EQ(t.y, (std::vector<double>{5, 6}));
    // (2, 5.5): 2 + 0.5 x (5 - 2) = 3.5.
    EXPECT_DOUBLE_EQ(modPublic::Interpolate2D(t, 2, 5.5), 3.5);

    CoefTable c = Load("trailing_comma");
    EXPECT_EQ(c.x, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(c.v[0], (std::vector<double>{7, 8, 9}));
}

TEST_F(TablesTest, SectionLineMustMatchExactly) {
    // "[f_d] ", "[F_D]" and " [f_d]" are no section of f_d.
    CoefTable t = Sentinel();
    EXPECT_FALSE(modPublic::ReadTable("f_d", t, Data("wrong_case_and_blank_section.txt")));
    ExpectSentinel(t);
    // ... but each is its own key.
    CoefTable upper;
    EXPECT_TRUE(modPublic::ReadTable("F_D", upper, Data("wrong_case_and_blank_section.txt")));
    EXPECT_EQ(upper.v[0], (std::vector<double>{3, 4}));
}

TEST_F(TablesTest, FirstOfTwoSectionsWins) {
    CoefTable t = Load("K", "duplicate_section.txt");
    EXPECT_EQ(t.v[0], (std::vector<double>{0.0065, 0.007}));
}

TEST_F(TablesTest, MissingFileOrKeyLeavesTheArraysAsTheyWere) {
    CoefTable t = Sentinel();
    const std::string missing = Data("no_such_table_file.txt");
    EXPECT_FALSE(modPublic::ReadTable("f_d", t, missing));
    ExpectSentinel(t);
    EXPECT_EQ(modPublic::TableFile, missing);

    EXPECT_FALSE(modPublic::ReadTable("no_such_key", t, Data("tables.txt")));
    ExpectSentinel(t);

    // The array form of the reader, as the windows call it.
    std::vector<double> x{9}, y{9};
    std::vector<std::vector<double>> v{{9}};
    EXPECT_FALSE(modPublic::ReadTable("f_d", x, y, v, missing));
    EXPECT_EQ(x, (std::vector<double>{9}));
    EXPECT_EQ(v, (std::vector<std::vector<double>>{{9}}));
}

TEST_F(TablesTest, CountsBelowOneOrNotNumbersOrHugeLeaveTheArraysAsTheyWere) {
    for (const char* file :
         {"count_zero.txt", "count_negative.txt", "count_too_large.txt", "section_at_end.txt"}) {
        CoefTable t = Sentinel();
        EXPECT_FALSE(modPublic::ReadTable("f_d", t, Data(file))) << file;
        ExpectSentinel(t);
    }
    CoefTable t = Sentinel();
    EXPECT_FALSE(modPublic::ReadTable("counts_text", t, Data("text_in_number.txt"))); // "abc,2"
    ExpectSentinel(t);
}

TEST_F(TablesTest, SectionCutShortKeepsItsShapeWithWhatWasRead) {
    // 3 x 4 declared; keys, row keys and one value row present.
    CoefTable t = Sentinel();
    EXPECT_FALSE(modPublic::ReadTable("f_iv", t, Data("truncated_section.txt")));
    ASSERT_EQ(t.nx(), 4);
    ASSERT_EQ(t.ny(), 3);
    ASSERT_EQ(t.v.size(), 3u);
    EXPECT_EQ(t.x, (std::vector<double>{-2, 0, 2, 4}));
    EXPECT_EQ(t.v[0], (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(t.v[1], (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(t.v[2], (std::vector<double>{0, 0, 0, 0}));
    // Looking up a missing row gives 0 there, no crash: (0, 60) -> v(3, 2) = 0.
    EXPECT_EQ(modPublic::Interpolate2D(t, 0, 60), 0.0);

    modPublic::ParsedTable parsed = modPublic::ParseTable({"[a]", "2,2", "1,2"}, "a");
    EXPECT_EQ(parsed.status, modPublic::TableRead::CutShort);
    EXPECT_EQ(parsed.table.y, (std::vector<double>{0, 0}));
}

TEST_F(TablesTest, TextWhereANumberBelongsCountsZeroOrItsLeadingNumber) {
    CoefTable t = Load("f_d", "text_in_number.txt");
    EXPECT_EQ(t.x, (std::vector<double>{10, 20, 0, 40, 50})); // "abc" -> 0
    EXPECT_EQ(t.v[0], (std::vector<double>{1, 12, 0, 0, 3})); // "12abc" -> 12, "" -> 0, "x7" -> 0
}

TEST_F(TablesTest, SplitNumbersDropsExtraPiecesAndKeepsMissingSlots) {
    std::vector<double> three{-1, -1, -1};
    modPublic::SplitNumbers(three, "1, 2 ,3,4,5");
    EXPECT_EQ(three, (std::vector<double>{1, 2, 3}));
    std::vector<double> four{-1, -1, -1, -1};
    modPublic::SplitNumbers(four, "7,8");
    EXPECT_EQ(four, (std::vector<double>{7, 8, -1, -1}));
    std::vector<double> one{-1};
    modPublic::SplitNumbers(one, "");
    EXPECT_EQ(one, (std::vector<double>{0}));
}

TEST_F(TablesTest, OverlongValueLineLosesOnlyItsExtraNumbers) {
    TempFolder dir;
    std::string values = "1,2,3";
    for (int i = 0; i < 50000; ++i) {
        values += ",123456.789";
    }
    WriteGbk(dir.path() / "long.txt", "[f_d]\r\n1,3\r\n10,20,30\r\n" + values + "\r\n");
    CoefTable t;
    EXPECT_TRUE(modPublic::ReadTable("f_d", t, (dir.path() / "long.txt").string()));
    EXPECT_EQ(t.v[0], (std::vector<double>{1, 2, 3}));
}

TEST_F(TablesTest, LookupInAnEmptyOrUnreadableTableGivesZero) {
    const CoefTable empty;
    EXPECT_EQ(modPublic::Interpolate1D(empty, 50), 0.0);
    EXPECT_EQ(modPublic::Interpolate2D(empty, 50, 50), 0.0);
    // Start-up tables never loaded.
    EXPECT_EQ(modPublic::Interpolate1D(modPublic::CoefTableOf("f_d"), 50), 0.0);
    // Keys without values.
    CoefTable keysOnly{{10, 20}, {0}, {}};
    EXPECT_EQ(modPublic::Interpolate1D(keysOnly, 15), 0.0);
    // Not monotonic: 5 lies in no pair and beyond no end.
    CoefTable zigzag{{1, 3, 2}, {0}, {{1, 2, 3}}};
    EXPECT_EQ(modPublic::Interpolate1D(zigzag, 5), 0.0);
    // Repeated keys and a NaN key give a number or 0, never NaN.
    CoefTable repeated{{1, 1, 2}, {0}, {{5, 6, 7}}};
    EXPECT_EQ(modPublic::Interpolate1D(repeated, 1), 5.0);
    EXPECT_EQ(modPublic::Interpolate1D(repeated, std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST_F(TablesTest, MaxOfAndMinOfGiveTheSecondOnATie) {
    EXPECT_EQ(modPublic::MaxOf(2, 5), 5.0);
    EXPECT_EQ(modPublic::MaxOf(5, 2), 5.0);
    EXPECT_EQ(modPublic::MinOf(2, 5), 2.0);
    EXPECT_EQ(modPublic::MinOf(5, 2), 2.0);
    // +0 and -0 compare equal; the sign shows which argument came back.
    EXPECT_TRUE(std::signbit(modPublic::MaxOf(+0.0, -0.0)));
    EXPECT_FALSE(std::signbit(modPublic::MaxOf(-0.0, +0.0)));
    EXPECT_TRUE(std::signbit(modPublic::MinOf(+0.0, -0.0)));
    EXPECT_FALSE(std::signbit(modPublic::MinOf(-0.0, +0.0)));
}

TEST_F(TablesTest, DefaultTableFileIsFoundWhateverTheLetterCaseOnDisk) {
    TempFolder dir;
    WriteGbk(dir.path() / "ConfigFiles" / "AutoCADConfig.txt",
             "[f_d]\r\n1,2\r\n10,20\r\n1,2\r\n[K]\r\n1,2\r\n60,80\r\n0.0065,0.007\r\n");
    modPublic::AppFolder = dir.path().string();
    CoefTable t;
    EXPECT_TRUE(modPublic::ReadTable("f_d", t));
    EXPECT_EQ(t.v[0], (std::vector<double>{1, 2}));
    EXPECT_EQ(modPublic::TableFile, (dir.path() / "ConfigFiles" / "AutoCADConfig.txt").string());

    // Start-up loads what it finds and names what it does not.
    EXPECT_EQ(modPublic::LoadCoefTables(),
              (std::vector<std::string>{"f_iv", "f_iv_VI", "f_m", "f_m_VI", "daqiya"}));
    EXPECT_DOUBLE_EQ(modPublic::Interpolate1D(modPublic::CoefTableOf("K"), 70), 0.00675);
    EXPECT_EQ(modPublic::CoefTables.count("daqiya"), 0u);
}

TEST_F(TablesTest, PathsResolveEachPartWithoutRegardToCase) {
    TempFolder dir;
    WriteGbk(dir.path() / "ConfigFiles" / "Normal.par", "x");
    const std::string base = dir.path().string();
    EXPECT_EQ(textfile::ResolveCaseInsensitive(base + "\\configfiles\\normal.PAR"),
              base + "/ConfigFiles/Normal.par");
    // A part that matches nothing is kept as written, and so is everything below it.
    EXPECT_EQ(textfile::ResolveCaseInsensitive(base + "/configfiles/Sub/x.txt"),
              base + "/ConfigFiles/Sub/x.txt");
    modPublic::AppFolder = base;
    EXPECT_EQ(modPublic::InstallPath("configfiles\\normal.par"), base + "/ConfigFiles/Normal.par");
}

// help.txt: "REQ_2_1 " (trailing blank), its decoy hint, "REQ_2_1" twice, "REQ_3_1" with an empty hint,
// "REQ_4_1" whose hint line reads "REQ_4_2", and "SJ_3_1" on the last line.
TEST_F(TablesTest, HelpTextIsTheLineAfterTheFirstExactKeyLine) {
    const std::string help = Data("help.txt");
    EXPECT_EQ(modPublic::HelpText("REQ_2_1", help), std::optional<std::string>("隧道起点桩号"));
    EXPECT_EQ(modPublic::HelpText("REQ_2_1 ", help), std::optional<std::string>("带空格的键不算"));
    EXPECT_EQ(modPublic::HelpText("REQ_3_1", help), std::optional<std::string>(""));
    // Hint lines take part in the search: the hint of REQ_4_1 is the first "REQ_4_2".
    EXPECT_EQ(modPublic::HelpText("REQ_4_1", help), std::optional<std::string>("REQ_4_2"));
    EXPECT_EQ(modPublic::HelpText("REQ_4_2", help), std::optional<std::string>("REQ_4_2"));
    EXPECT_EQ(modPublic::HelpText("SJ_3_1", help), std::nullopt);
    EXPECT_EQ(modPublic::HelpText("req_2_1", help), std::nullopt);
    EXPECT_EQ(modPublic::HelpText("REQ_2_1", Data("no_such_help.txt")), std::nullopt);
}

TEST_F(TablesTest, ResetPutsEveryGlobalBack) {
    modPublic::rho = 1.2;
    modPublic::p0 = 99;
    modPublic::CaseIndex = 3;
    modPublic::ProjectFile = "/tmp/a.vnt";
    modPublic::JetModels.items.push_back({"A", 1, 2, 3, 4});
    modPublic::AxialFanList.items.push_back("1");
    modPublic::CoefTables["f_d"] = Sentinel();
    EXPECT_EQ(modPublic::globals.rho, 1.2); // the names are the struct's members

    modPublic::Reset();
    EXPECT_EQ(modPublic::rho, 0.0);
    EXPECT_EQ(modPublic::p0, 101.325);
    EXPECT_EQ(modPublic::T0, 273.0);
    EXPECT_EQ(modPublic::CaseIndex, 0);
    EXPECT_EQ(modPublic::ProjectFile, "");
    EXPECT_TRUE(modPublic::JetModels.empty());
    EXPECT_TRUE(modPublic::AxialFanList.empty());
    EXPECT_TRUE(modPublic::CoefTables.empty());
    ASSERT_EQ(modPublic::WorkSpeeds.UBound(), 9u);
    EXPECT_EQ(modPublic::WorkSpeeds(1), 100);
    EXPECT_EQ(modPublic::WorkSpeeds(9), 10);
    EXPECT_EQ(modPublic::WorkSpeeds.Get(10), nullptr);
}

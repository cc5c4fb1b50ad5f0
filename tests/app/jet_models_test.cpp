// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/jet_models.h"
#include "app/modPublic.h"

#include "platform/scheme_file.h"
#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Data(const std::string& name) {
    return std::string(TEST_DATA_DIR) + "/" + name;
}

std::optional<std::vector<JetFanModel>> Parse(const std::string& fixture) {
    scheme::SchemeReader reader;
    EXPECT_TRUE(reader.Open(Data(fixture))) << fixture;
    return modPublic::ParseJetModels(reader);
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectModel(const JetFanModel& m, const std::string& name, double flow, double dd, double power,
                 double discount) {
    EXPECT_EQ(m.JetName, name);
    EXPECT_DOUBLE_EQ(m.Flow, flow);
    EXPECT_DOUBLE_EQ(m.DD, dd);
    EXPECT_DOUBLE_EQ(m.Power, power);
    EXPECT_DOUBLE_EQ(m.Discount, discount);
}

// The program's folder in a temporary place; Jet.db goes to its data folder, spelt in lower case on disk
// so that "ConfigFiles\Jet.db" has to be found without regard to case.
class JetModelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        modPublic::Reset();
        app_ =
            fs::temp_directory_path() /
            ("aridane_jet_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(app_);
        fs::create_directories(app_ / "configfiles");
        modPublic::AppFolder = app_.string();
    }
    void TearDown() override {
        modPublic::Reset();
        std::error_code ec;
        fs::remove_all(app_, ec);
    }
    void Install(const std::string& fixture) {
        fs::copy_file(Data(fixture), app_ / "configfiles" / "jet.db", fs::copy_options::overwrite_existing);
    }
    fs::path app_;
};

} // namespace

TEST_F(JetModelsTest, CountOfTwoBeforeThreeRecordsLoadsTwoInFileOrder) {
    auto models = Parse("jet_count_below_records.db");
    ASSERT_TRUE(models);
    ASSERT_EQ(models->size(), 2u);
    ExpectModel((*models)[0], "SDS-112T-4P", 25.8, 1.12, 30, 0.85);
    // Quoted numbers read as their leading numbers; the Chinese name comes through from GBK.
    ExpectModel((*models)[1], "射流风机甲", 12.5, 0.9, 22, 0.8);
}

TEST_F(JetModelsTest, NumericFieldsTakeTheirLeadingNumber) {
    auto models = Parse("jet_text_in_numbers.db");
    ASSERT_TRUE(models);
    ASSERT_EQ(models->size(), 2u);
    ExpectModel((*models)[0], "X", 25.8, 12, 0, 0); // "12abc" -> 12, "abc" -> 0, "" -> 0
    ExpectModel((*models)[1], "Y", 25.8, 7, -15, 0.9);
}

TEST_F(JetModelsTest, FileEndingInsideTheListKeepsOnlyCompleteRecords) {
    // Count 3; "A" complete, "B" has three of its five fields.
    auto models = Parse("jet_truncated.db");
    ASSERT_TRUE(models);
    ASSERT_EQ(models->size(), 1u);
    ExpectModel((*models)[0], "A", 1, 2, 3, 4);
}

TEST_F(JetModelsTest, BadCountReadsNothingAndCountZeroReadsAnEmptyList) {
    EXPECT_FALSE(Parse("jet_count_not_a_number.db"));
    EXPECT_FALSE(Parse("jet_count_negative.db"));
    scheme::SchemeReader empty;
    empty.Parse("");
    EXPECT_FALSE(modPublic::ParseJetModels(empty));

    auto zero = Parse("jet_count_zero.db");
    ASSERT_TRUE(zero);
    EXPECT_TRUE(zero->empty());
}

TEST_F(JetModelsTest, LoadReplacesTheSharedTableAndTwiceGivesTheSame) {
    Install("jet_count_below_records.db");
    EXPECT_TRUE(modPublic::LoadJetModels());
    ASSERT_EQ(modPublic::JetModels.UBound(), 2u);
    EXPECT_EQ(modPublic::JetModels(1).JetName, "SDS-112T-4P");
    EXPECT_EQ(modPublic::JetModels(2).JetName, "射流风机甲");

    EXPECT_TRUE(modPublic::LoadJetModels());
    ASSERT_EQ(modPublic::JetModels.UBound(), 2u);
    EXPECT_EQ(modPublic::JetModels(2).Power, 22.0);
}

TEST_F(JetModelsTest, MissingOrBadFileLeavesTheTableAsItWas) {
    // Start-up without Jet.db: no models at all.
    EXPECT_FALSE(modPublic::LoadJetModels());
    EXPECT_TRUE(modPublic::JetModels.empty());

    modPublic::JetModels.items = {{"kept", 1, 2, 3, 4}};
    EXPECT_FALSE(modPublic::LoadJetModels());
    for (const char* bad : {"jet_count_not_a_number.db", "jet_count_negative.db"}) {
        Install(bad);
        EXPECT_FALSE(modPublic::LoadJetModels()) << bad;
        ASSERT_EQ(modPublic::JetModels.UBound(), 1u);
        EXPECT_EQ(modPublic::JetModels(1).JetName, "kept");
    }
}

TEST_F(JetModelsTest, SavedEmptyListEmptiesTheTable) {
    // The editor saves count 0 when every model was deleted; the table must then agree with the file.
    modPublic::JetModels.items = {{"deleted", 1, 2, 3, 4}};
    Install("jet_count_zero.db");
    EXPECT_TRUE(modPublic::LoadJetModels());
    EXPECT_TRUE(modPublic::JetModels.empty());
}

TEST_F(JetModelsTest, WriterQuotesEveryFieldAndKeepsTheTexts) {
    const fs::path path = app_ / "configfiles" / "jet.db";
    std::vector<modPublic::JetDbRow> rows = {{"射流风机甲", "25.80", "1.12", "30", "0.85"},
                                             {"B", "", "x", "1", "2"}};
    ASSERT_TRUE(modPublic::WriteJetDbRows(path.string(), rows));
    EXPECT_EQ(Slurp(path), textcodec::ToGbk("2\r\n\"射流风机甲\",\"25.80\",\"1.12\",\"30\",\"0.85\"\r\n"
                                            "\"B\",\"\",\"x\",\"1\",\"2\"\r\n"));
    scheme::SchemeReader reader;
    ASSERT_TRUE(reader.Open(path.string()));
    EXPECT_EQ(modPublic::ParseJetDbRows(reader), std::optional(rows));

    ASSERT_TRUE(modPublic::WriteJetDbRows(path.string(), {}));
    EXPECT_EQ(Slurp(path), "0\r\n");
}

TEST_F(JetModelsTest, WrittenModelsLoadBackUnchanged) {
    std::vector<JetFanModel> models = {{"SDS-112T-4P", 25.8, 1.12, 30, 0.85},
                                       {"射流风机乙", 33.3, 1.25, 37, 0.9}};
    ASSERT_TRUE(modPublic::WriteJetModels((app_ / "configfiles" / "jet.db").string(), models));
    ASSERT_TRUE(modPublic::LoadJetModels());
    ASSERT_EQ(modPublic::JetModels.UBound(), 2u);
    ExpectModel(modPublic::JetModels(1), "SDS-112T-4P", 25.8, 1.12, 30, 0.85);
    ExpectModel(modPublic::JetModels(2), "射流风机乙", 33.3, 1.25, 37, 0.9);
}

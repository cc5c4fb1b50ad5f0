// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/report_text.h"

#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using reqair::ReportText;

namespace {

std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

std::string gbk(const std::string& utf8) {
    return textcodec::ToGbk(utf8);
}

} // namespace

// ---- Station text ----

TEST(StationText, MetresAreNotZeroFilledAndKeepTheirFraction) {
    EXPECT_EQ(reqair::StationText(12000), "K12+0");
    EXPECT_EQ(reqair::StationText(12050), "K12+50");
    EXPECT_EQ(reqair::StationText(12345.5), "K12+345.5");
    EXPECT_EQ(reqair::StationText(0), "K0+0");
    EXPECT_EQ(reqair::StationText(980), "K0+980");
    EXPECT_EQ(reqair::StationText(13000), "K13+0");
}

TEST(StationText, AStationJustUnderAKilometreStaysInItsKilometre) {
    // 12999.6 lies 999.6 m past K12; rounding it to 13000 before taking the kilometres would have written
    // K13+-0.399999999999636, and 12999.5 K13+-0.5.
    EXPECT_EQ(reqair::StationText(12999.6), "K12+999.6");
    EXPECT_EQ(reqair::StationText(12999.5), "K12+999.5");
    EXPECT_EQ(reqair::StationText(999.99), "K0+999.99");
}

TEST(StationText, AValueThatIsNoNumberGivesNoText) {
    EXPECT_EQ(reqair::StationText(std::nan("")), "");
    EXPECT_EQ(reqair::StationText(INFINITY), "");
}

// ---- Columns ----

TEST(ReportText, ColumnsPadByDisplayWidthWithChineseCountingTwo) {
    ReportText r;
    // "特征年" is 6 columns wide: the next item starts in column 16 after 9 blanks.
    r.Add("特征年").Col(16).Add("标准车辆(PCU/d) ").EndLine();
    r.Add("2030").Col(21).Add("35000").EndLine();
    const std::vector<std::string> lines = r.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "特征年" + blanks(9) + "标准车辆(PCU/d) ");
    EXPECT_EQ(lines[1], "2030" + blanks(16) + "35000");
    // The GBK bytes of the padded heading put the caption at byte 15, as a monospaced viewer shows it.
    EXPECT_EQ(gbk(lines[0]).find(gbk("标准")), 15u);
}

TEST(ReportText, AColumnAlreadyReachedStartsANewLineThere) {
    ReportText r;
    r.Add("12345678901").Col(11).Add("x").EndLine();
    // Exactly at the column: nothing is added.
    r.Add("abcd").Col(5).Add("y").EndLine();
    // An empty line reaches column 30 after 29 blanks, as the title with an empty project name does.
    r.Col(30).Add("需风量计算报告").EndLine();
    const std::vector<std::string> lines = r.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "12345678901");
    EXPECT_EQ(lines[1], blanks(10) + "x");
    EXPECT_EQ(lines[2], "abcdy");
    EXPECT_EQ(lines[3], blanks(29) + "需风量计算报告");
}

TEST(ReportText, EmptyLinesAreKeptAndAnOpenLineCountsOnlyWhenItHoldsSomething) {
    ReportText r;
    r.EmptyLine().Line("a").EmptyLine();
    EXPECT_EQ(r.Lines(), (std::vector<std::string>{"", "a", ""}));
    r.Add("b");
    EXPECT_EQ(r.Lines(), (std::vector<std::string>{"", "a", "", "b"}));
}

// ---- Vehicle composition ----

TEST(VehicleComposition, CellsInFourDecimalsZeroFilledToTheirIntegerDigits) {
    // Cells 1 and 4 "0.0000", cell 2 "00.0000", cells 3 and 5 to 8 "000.0000"; each is its leading
    // number: "0.3abc" is 0.3, "" and "x" are 0; 1234.56789 keeps its four integer digits.
    const std::string row = reqair::VehicleCompositionRow(
        "小客车", {"0.25", "1", "12.5", "0.3abc", "", "100", "1234.56789", "x"});
    const std::string s = blanks(10);
    EXPECT_EQ(row, "小客车" + s + "0.2500" + s + "01.0000" + s + "012.5000" + s + "0.3000" + s + "000.0000" +
                       s + "100.0000" + s + "1234.5679" + s + "000.0000");
}

TEST(VehicleComposition, CaptionsAfterTheirFixedBlanks) {
    const std::string header =
        reqair::VehicleCompositionHeader({"A", "B", "C", "D", "E", "F", "G", "H", "I"});
    EXPECT_EQ(header, blanks(5) + "A" + blanks(12) + "B" + blanks(10) + "C" + blanks(10) + "D" + blanks(8) +
                          "E" + blanks(10) + "F" + blanks(7) + "G" + blanks(7) + "H" + blanks(7) + "I");
}

// ---- Options file ----

TEST(ReportOptionsFile, WritesCountsAndFlagsOneALineWithCrLf) {
    const std::string bytes =
        reqair::ReportOptionsBytes({true}, {false, true, false, false, false, true}, {}, false, true);
    EXPECT_EQ(bytes, "1\r\n#TRUE#\r\n6\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#TRUE#\r\n"
                     "0\r\n#FALSE#\r\n#TRUE#\r\n");
}

TEST(ReportOptionsFile, ReadsBackWhatWasWritten) {
    const std::vector<bool> years{true, false, true};
    const std::vector<bool> cases{true, false, true, true, false, true};
    const std::vector<bool> speeds{false, true, true, false, false, false, false, true, false};
    const reqair::StoredReportOptions s =
        reqair::ParseReportOptions(reqair::ReportOptionsBytes(years, cases, speeds, true, false));
    ASSERT_EQ(s.Years.size(), 3u);
    ASSERT_EQ(s.Cases.size(), 6u);
    ASSERT_EQ(s.Speeds.size(), 9u);
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        EXPECT_EQ(s.Speeds[i], std::optional<bool>(speeds[i])) << i;
    }
    EXPECT_EQ(s.Years[2], std::optional<bool>(true));
    EXPECT_EQ(s.Cases[3], std::optional<bool>(true));
    EXPECT_EQ(s.OutputSegment, std::optional<bool>(true));
    EXPECT_EQ(s.OpenReport, std::optional<bool>(false));
}

TEST(ReportOptionsFile, DamagedFilesKeepWhatCouldBeRead) {
    // Truncated inside the case flags: the years and the cases read so far.
    reqair::StoredReportOptions s = reqair::ParseReportOptions("2\r\n#TRUE#\r\n#FALSE#\r\n6\r\n#TRUE#\r\n");
    EXPECT_EQ(s.Years.size(), 2u);
    ASSERT_EQ(s.Cases.size(), 1u);
    EXPECT_EQ(s.Cases[0], std::optional<bool>(true));
    EXPECT_TRUE(s.Speeds.empty());
    EXPECT_FALSE(s.OpenReport);

    // A count that is no number ends the reading; a flag that is no flag is only that flag unknown.
    s = reqair::ParseReportOptions("2\r\nyes\r\n#TRUE#\r\nsix\r\n#TRUE#\r\n");
    ASSERT_EQ(s.Years.size(), 2u);
    EXPECT_EQ(s.Years[0], std::nullopt);
    EXPECT_EQ(s.Years[1], std::optional<bool>(true));
    EXPECT_TRUE(s.Cases.empty());
    EXPECT_FALSE(s.OutputSegment);

    // An empty file, and a count far beyond the lines there are.
    s = reqair::ParseReportOptions("");
    EXPECT_TRUE(s.Years.empty());
    s = reqair::ParseReportOptions("99999999999\r\n#TRUE#\r\n");
    EXPECT_EQ(s.Years.size(), 1u);
}

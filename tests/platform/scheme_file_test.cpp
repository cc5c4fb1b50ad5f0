// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scheme_file.h"
#include "platform/text_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using scheme::SchemeReader;
using scheme::SchemeWriter;

namespace {

std::vector<std::string> AllFields(std::string_view gbk) {
    SchemeReader r;
    r.Parse(gbk);
    std::vector<std::string> out;
    while (auto f = r.NextText()) {
        out.push_back(*f);
    }
    return out;
}

using Fields = std::vector<std::string>;

class SchemeFileTest : public test_support::TempFolderTest {};

} // namespace

TEST(SchemeWriter, WritesTextsNumbersBooleansAndEmptyFieldsWithCrLf) {
    SchemeWriter w;
    w.Text("[BASIC INFO]").EndRecord();
    w.Text("隧道").Number(80).Number(62.5).Number(-0.0).Whole(-1).EndRecord();
    w.Boolean(true).Boolean(false).EndRecord();
    w.Text("x").Empty().Empty();
    EXPECT_EQ(w.Bytes(), "\"[BASIC INFO]\"\r\n"
                         "\"\xCB\xED\xB5\xC0\",80,62.5,0,-1\r\n"
                         "#TRUE#,#FALSE#\r\n"
                         "\"x\",,\r\n");
}

TEST(SchemeWriter, AnExtraRecordEndWritesNoStrayRecord) {
    SchemeWriter w;
    w.EndRecord();
    w.Whole(1).EndRecord().EndRecord();
    w.Empty().EndRecord();
    EXPECT_EQ(w.Bytes(), "1\r\n\r\n");
    EXPECT_EQ(AllFields(w.Bytes()), (Fields{"1", ""}));
}

TEST(SchemeWriter, RowsRecordsAndReservesKeepEveryFieldInPlace) {
    SchemeWriter w;
    w.TextRows(std::vector<Fields>{{"a", "b", "c"}, {"d"}}, 3);
    w.TextRecord(std::vector<std::optional<std::string>>{"x", std::nullopt, "z"});
    w.ReserveRecords(2, 2);
    EXPECT_EQ(w.Bytes(),
              "\"a\",\"b\",\"c\"\r\n\"d\",\"\",\"\"\r\n\"x\",\"\",\"z\"\r\n\"\",\"\"\r\n\"\",\"\"\r\n");
}

TEST(SchemeReader, TextRowsStopAtARowCutOffByTheEnd) {
    SchemeReader r;
    r.Parse("1,2\r\n3,4\r\n5\r\n");
    std::vector<Fields> rows;
    EXPECT_FALSE(r.NextTextRows(3, Fields(2), rows));
    EXPECT_EQ(rows, (std::vector<Fields>{{"1", "2"}, {"3", "4"}}));
    SchemeReader again;
    again.Parse("1,2\r\n");
    std::vector<std::array<std::string, 2>> fixed;
    EXPECT_TRUE(again.NextTextRows(-1, std::array<std::string, 2>{}, fixed));
    EXPECT_TRUE(again.NextTextRows(1, std::array<std::string, 2>{}, fixed));
    EXPECT_EQ(fixed.size(), 1u);
}

TEST(SchemeWriter, NumbersAreWrittenAsPlainNumberText) {
    SchemeWriter w;
    w.Number(0.1 + 0.2).Number(1e20).Number(std::nan("")).Number(3);
    EXPECT_EQ(w.Bytes(), "0.3,100000000000000000000,,3\r\n");
}

TEST(SchemeWriter, NamesEachTextGbkCannotStoreWithItsFirstSuchCharacter) {
    scheme::SchemeWriter out;
    out.Empty()
        .Number(1.5)
        .Text("")
        .Text("回路😀𠀀")
        .EndRecord()
        .Boolean(true)
        .Text("A\"\uFFFD𠀀")
        .Text("回路");
    // U+FFFD marks bytes a damaged file had: already lost, not asked about again.
    out.Text("\uFFFD3\uFFFD");
    EXPECT_EQ(out.UnstorableTexts(), (std::vector<std::string>{"“回路😀𠀀”：“😀”", "“A＂\uFFFD𠀀”：“𠀀”"}));
    EXPECT_TRUE(scheme::SchemeWriter().Text("回路").Number(2).UnstorableTexts().empty());
}

TEST(SchemeReader, ReadsFieldsAcrossRecords) {
    EXPECT_EQ(AllFields("\"a\",1\r\n#TRUE#\r\n\"b\""), (Fields{"a", "1", "#TRUE#", "b"}));
    EXPECT_EQ(AllFields("1\n2\r3"), (Fields{"1", "2", "3"}));
}

TEST(SchemeReader, AQuotedFieldHoldsCommasAndLineBreaks) {
    EXPECT_EQ(AllFields("\"a,b\",2\r\n"), (Fields{"a,b", "2"}));
    EXPECT_EQ(AllFields("\"line1\r\nline2\",3\r\n"), (Fields{"line1\r\nline2", "3"}));
    // Junk between the closing quote and the comma is passed over.
    EXPECT_EQ(AllFields("\"a\" x,2"), (Fields{"a", "2"}));
}

TEST(SchemeReader, EmptyFieldsAndBlankLines) {
    EXPECT_EQ(AllFields("1,,3\r\n"), (Fields{"1", "", "3"}));
    EXPECT_EQ(AllFields("\"x\",,\r\n"), (Fields{"x", "", ""}));
    EXPECT_EQ(AllFields("1\r\n\r\n2\r\n"), (Fields{"1", "", "2"}));
    EXPECT_EQ(AllFields("1,"), (Fields{"1", ""}));
    EXPECT_EQ(AllFields("\"\""), (Fields{""}));
    EXPECT_TRUE(AllFields("").empty());
}

TEST(SchemeReader, UnquotedFieldsAreTrimmedOfBlanks) {
    EXPECT_EQ(AllFields("  12 , a b \t,\"  kept  \"\r\n"), (Fields{"12", "a b", "  kept  "}));
}

TEST(SchemeReader, ConvertsFieldsAsAsked) {
    SchemeReader r;
    r.Parse("2.5,3.5,abc,,#TRUE#,#FALSE#,0,-2,yes,12abc,12abc,\"7\"\r\n");
    EXPECT_EQ(r.NextWhole(), 2); // halves to even
    EXPECT_EQ(r.NextWhole(), 4);
    EXPECT_EQ(r.NextWhole(), std::nullopt);  // text is not a number, and the field is consumed
    EXPECT_EQ(r.NextNumber(), std::nullopt); // nor is an empty field
    EXPECT_EQ(r.NextBoolean(), true);
    EXPECT_EQ(r.NextBoolean(), false);
    EXPECT_EQ(r.NextBoolean(), false);
    EXPECT_EQ(r.NextBoolean(), true); // a number that is not 0
    EXPECT_EQ(r.NextBoolean(), std::nullopt);
    EXPECT_EQ(r.NextLeading(), 12.0);
    EXPECT_EQ(r.NextNumber(), std::nullopt);
    EXPECT_EQ(r.NextWhole(), 7); // a quoted number still reads as a number
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(r.NextText(), std::nullopt);
    EXPECT_EQ(r.NextWhole(), std::nullopt);
    EXPECT_EQ(r.NextLeading(), std::nullopt);
    EXPECT_EQ(r.NextBoolean(), std::nullopt);
}

TEST(SchemeReader, SkipStopsAtTheEnd) {
    SchemeReader r;
    r.Parse("1,2,3");
    r.Skip(2);
    EXPECT_EQ(r.NextText(), "3");
    r.Skip(5);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(r.FieldCount(), 3u);
}

TEST(SchemeReader, ATruncatedFileKeepsWhatIsThere) {
    // The file stops inside a quoted text: the text runs to the end, and every later read fails.
    EXPECT_EQ(AllFields("\"a\",12\r\n\"cut off,"), (Fields{"a", "12", "cut off,"}));
    EXPECT_EQ(AllFields("\"a\",1"), (Fields{"a", "1"}));
    SchemeReader r;
    r.Parse("\"a\",1");
    r.Skip(2);
    EXPECT_EQ(r.NextWhole(), std::nullopt);
}

TEST(SchemeReader, SurvivesAnOverlongLineAndBinaryJunk) {
    std::string longText(1 << 20, 'y');
    EXPECT_EQ(AllFields("\"" + longText + "\",1"), (Fields{longText, "1"}));
    std::string junk;
    for (int i = 0; i < 256; ++i) {
        junk.push_back(static_cast<char>(i));
    }
    SchemeReader r;
    r.Parse(junk + junk);
    EXPECT_GT(r.FieldCount(), 0u);
}

TEST_F(SchemeFileTest, AMissingFileGivesAnEmptyStream) {
    SchemeReader r;
    r.Parse("1,2");
    EXPECT_FALSE(r.Open(path("missing.req")));
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(r.FieldCount(), 0u);
}

TEST_F(SchemeFileTest, AWrittenFileReadsBackFieldForFieldAndByteForByte) {
    SchemeWriter w;
    w.Text("[BASIC INFO]").EndRecord();
    w.Text("隧道").Number(1234.5).Boolean(true).Whole(3).EndRecord();
    w.Text("line1\r\nline2, with a comma").Empty().EndRecord();
    ASSERT_TRUE(w.Save(path("p.req")));

    const std::string bytes = *textfile::ReadBytes(path("p.req"));
    EXPECT_EQ(bytes, w.Bytes());
    EXPECT_EQ(bytes.substr(0, 16), "\"[BASIC INFO]\"\r\n");
    EXPECT_EQ(bytes.substr(16, 6), "\"\xCB\xED\xB5\xC0\"");

    SchemeReader r;
    ASSERT_TRUE(r.Open(path("p.req")));
    EXPECT_EQ(r.NextText(), "[BASIC INFO]");
    EXPECT_EQ(r.NextText(), "隧道");
    EXPECT_EQ(r.NextNumber(), 1234.5);
    EXPECT_EQ(r.NextBoolean(), true);
    EXPECT_EQ(r.NextWhole(), 3);
    EXPECT_EQ(r.NextText(), "line1\r\nline2, with a comma");
    EXPECT_EQ(r.NextText(), "");
    EXPECT_TRUE(r.AtEnd());

    // Writing what was read gives the same bytes again.
    SchemeReader again;
    again.Parse(bytes);
    SchemeWriter copy;
    copy.Text(*again.NextText()).EndRecord();
    copy.Text(*again.NextText()).Number(*again.NextNumber()).Boolean(*again.NextBoolean());
    copy.Whole(*again.NextWhole()).EndRecord();
    copy.Text(*again.NextText()).Empty().EndRecord();
    EXPECT_EQ(copy.Bytes(), bytes);
}

TEST_F(SchemeFileTest, ATextWithAQuoteReadsBackAsOneFieldAndShiftsNothing) {
    SchemeWriter w;
    w.Text("say \"hi\", then\r\nstop").Whole(42).EndRecord();
    ASSERT_TRUE(w.Save(path("q.req")));
    SchemeReader r;
    ASSERT_TRUE(r.Open(path("q.req")));
    EXPECT_EQ(r.FieldCount(), 2u);
    EXPECT_EQ(r.NextText(), "say ＂hi＂, then\r\nstop");
    EXPECT_EQ(r.NextWhole(), 42);
}

TEST_F(SchemeFileTest, ASaveIntoAMissingFolderFails) {
    SchemeWriter w;
    w.Whole(1);
    EXPECT_FALSE(w.Save(path("none/p.req")));
    EXPECT_FALSE(fs::exists(path("none")));
}

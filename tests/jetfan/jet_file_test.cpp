// SPDX-License-Identifier: GPL-3.0-or-later
// The .jet file record by record: the written bytes, the reading of whole, short and damaged files.
#include "jetfan/jet_file.h"

#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using jetfan::JetFileContents;

JetFileContents read(const std::string& utf8) {
    scheme::SchemeReader in;
    in.Parse(textcodec::ToGbk(utf8));
    return jetfan::ReadJetFile(in);
}

JetFileContents sample() {
    return JetFileContents{
        .Record2 = {"1120型射流风机", "34.305", "0.985", "1.12", "1.2", "0.87", "19.123", "33.79", "42"},
        .Record4 = {"12.34", "56.78", "123.45", "6.70", "85.71", "4.0", "168.00"},
        .Groups = std::vector<jetfan::JetGroupRow>{{"1200.00", "2", "38.25"}, {"x", "", "12"}}};
}

TEST(JetFile, WritesEveryFieldQuotedButTheGroupCount) {
    const std::string expected =
        "\"[风机升压力计算]\"\r\n"
        "\"1120型射流风机\",\"34.305\",\"0.985\",\"1.12\",\"1.2\",\"0.87\",\"19.123\","
        "\"33.79\",\"42\"\r\n"
        "\"[风机数量]\"\r\n"
        "\"12.34\",\"56.78\",\"123.45\",\"6.70\",\"85.71\",\"4.0\",\"168.00\"\r\n"
        "\"[风机布置]\"\r\n"
        "2\r\n"
        "\"1200.00\",\"2\",\"38.25\"\r\n"
        "\"x\",\"\",\"12\"\r\n";
    EXPECT_EQ(jetfan::WriteJetFile(sample()).Bytes(), textcodec::ToGbk(expected));
    // An empty list is the count 0 and no group records.
    JetFileContents none = sample();
    none.Groups = std::vector<jetfan::JetGroupRow>{};
    const std::string bytes = jetfan::WriteJetFile(none).Bytes();
    EXPECT_EQ(bytes.substr(bytes.size() - 3), "0\r\n");
}

TEST(JetFile, ReadsBackWhatItWrote) {
    scheme::SchemeReader in;
    in.Parse(jetfan::WriteJetFile(sample()).Bytes());
    const JetFileContents back = jetfan::ReadJetFile(in);
    EXPECT_EQ(back.Record2, sample().Record2);
    EXPECT_EQ(back.Record4, sample().Record4);
    ASSERT_TRUE(back.Groups.has_value());
    ASSERT_EQ(back.Groups->size(), 2u);
    EXPECT_EQ((*back.Groups)[1].Pile, "x");
    EXPECT_EQ((*back.Groups)[1].Count, "");
    EXPECT_EQ((*back.Groups)[1].Press, "12");
}

TEST(JetFile, GroupCountByItsLeadingNumber) {
    const std::string head = "\"t\"\r\n\"m\",1,2,3,4,5,6,7,8\r\n\"t\"\r\n1,2,3,4,5,6,7\r\n\"t\"\r\n";
    const std::string rows = "\"1\",\"2\",\"3\"\r\n\"4\",\"5\",\"6\"\r\n\"7\",\"8\",\"9\"\r\n";
    // Unquoted numbers read like quoted ones.
    EXPECT_EQ(read(head + "0\r\n" + rows).Record4[jetfan::ki], "6");
    EXPECT_EQ(read(head + "0\r\n" + rows).Groups->size(), 0u);
    // 2.5 rounds to 2; "3 groups" reads 3; a count without a number and a negative count give no rows.
    EXPECT_EQ(read(head + "2.5\r\n" + rows).Groups->size(), 2u);
    EXPECT_EQ(read(head + "\"3 groups\"\r\n" + rows).Groups->size(), 3u);
    EXPECT_EQ(read(head + "many\r\n" + rows).Groups->size(), 0u);
    EXPECT_EQ(read(head + "-2\r\n" + rows).Groups->size(), 0u);
    // More rows counted than present: the whole rows only, a cut row dropped.
    EXPECT_EQ(read(head + "9\r\n" + rows + "\"10\",\"11\"").Groups->size(), 3u);
}

TEST(JetFile, ShortFilesLeaveTheMissingFieldsUnset) {
    const JetFileContents empty = read("");
    EXPECT_FALSE(empty.Record2[jetfan::kJetName].has_value());
    EXPECT_FALSE(empty.Groups.has_value());

    const JetFileContents cut = read("\"[风机升压力计算]\"\r\n\"900型射流风机\",\"30.1\",\"0.636\"");
    EXPECT_EQ(cut.Record2[jetfan::kJetName], "900型射流风机");
    EXPECT_EQ(cut.Record2[jetfan::kAA_j], "0.636");
    EXPECT_FALSE(cut.Record2[jetfan::kDD_j].has_value());
    EXPECT_FALSE(cut.Record4[jetfan::kdeltap_m].has_value());
    EXPECT_FALSE(cut.Groups.has_value());
}

} // namespace

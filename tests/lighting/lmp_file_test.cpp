// SPDX-License-Identifier: GPL-3.0-or-later
// The .lmp records: written in their order and read back field by field; a short or damaged file gives
// what it holds and nothing past it.

#include "lighting/lmp_file.h"
#include "platform/textcodec.h"

#include <gtest/gtest.h>

namespace lighting {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::vector<std::string> Circuit(const std::string& name, const std::string& model) {
    return {name, model, "250", "28000", "0.7", "0", "1", "8", "7.5", "6", "15", "0", "1", "0", "1", "0"};
}

LmpContents Sample() {
    return LmpContents{.Circuits = Rows{Circuit("回路A", "T-250"), Circuit("回路B", "型号,带逗号")},
                       .RoadType = 1,
                       .RoadWidth = "7.5",
                       .Distance = "60",
                       .PointsAlong = "10",
                       .PointsAcross = "5",
                       .Numeric = true,
                       .Curve = false};
}

LmpContents ReadBytes(const std::string& utf8) {
    scheme::SchemeReader in;
    in.Parse(textcodec::ToGbk(utf8));
    return ReadLmp(in);
}

const std::string kReserve = R"("","","","","","","","","","","","","","","")"
                             "\r\n";

TEST(LmpFile, WritesTheRecordsInTheirOrder) {
    LmpContents c = Sample();
    c.Circuits = Rows{Circuit("回路A", "T-250")};
    const std::string expected =
        "1\r\n"
        R"("回路A","T-250","250","28000","0.7","0","1","8","7.5","6","15","0","1","0","1","0")"
        "\r\n"
        R"(1,"7.5")"
        "\r\n"
        R"("60","10","5")"
        "\r\n"
        "#TRUE#,#FALSE#\r\n" +
        kReserve + kReserve + kReserve;
    EXPECT_EQ(textcodec::FromGbk(WriteLmp(c).Bytes()), expected);
}

TEST(LmpFile, ReadsBackWhatItWrote) {
    // The cell with a comma is one field, since every cell is written as a quoted text.
    scheme::SchemeReader in;
    in.Parse(WriteLmp(Sample()).Bytes());
    const LmpContents back = ReadLmp(in);
    ASSERT_TRUE(back.Circuits);
    EXPECT_EQ(*back.Circuits, *Sample().Circuits);
    EXPECT_EQ(back.RoadType, 1);
    EXPECT_EQ(back.RoadWidth, "7.5");
    EXPECT_EQ(back.Distance, "60");
    EXPECT_EQ(back.PointsAlong, "10");
    EXPECT_EQ(back.PointsAcross, "5");
    EXPECT_EQ(back.Numeric, true);
    EXPECT_EQ(back.Curve, false);
}

TEST(LmpFile, NoCircuitStillCarriesTheSettings) {
    LmpContents c = Sample();
    c.Circuits = Rows{};
    scheme::SchemeReader in;
    in.Parse(WriteLmp(c).Bytes());
    const LmpContents back = ReadLmp(in);
    ASSERT_TRUE(back.Circuits);
    EXPECT_TRUE(back.Circuits->empty());
    EXPECT_EQ(back.RoadWidth, "7.5");
    EXPECT_EQ(back.Curve, false);
    // A negative count reads no row and goes on with the road.
    const LmpContents negative = ReadBytes("-3\r\n0,\"9\"\r\n\"50\",\"4\",\"7\"\r\n#FALSE#,#TRUE#\r\n");
    ASSERT_TRUE(negative.Circuits);
    EXPECT_TRUE(negative.Circuits->empty());
    EXPECT_EQ(negative.RoadType, 0);
    EXPECT_EQ(negative.RoadWidth, "9");
    EXPECT_EQ(negative.PointsAcross, "7");
    EXPECT_EQ(negative.Numeric, false);
    EXPECT_EQ(negative.Curve, true);
}

TEST(LmpFile, AShortOrDamagedFileGivesWhatItHoldsAndNothingPastIt) {
    // Empty: not even the count.
    EXPECT_FALSE(ReadBytes("").Circuits);
    EXPECT_FALSE(ReadBytes("abc\r\n").Circuits);
    // Cut inside the second row: the whole first row, nothing after.
    const LmpContents cut =
        ReadBytes("2\r\n" + std::string(R"("A","M","1","2","3","0","1","8","","6","0","0","1","0","1","0")") +
                  "\r\n\"B\",\"M\",\"1\"\r\n");
    ASSERT_TRUE(cut.Circuits);
    ASSERT_EQ(cut.Circuits->size(), 1u);
    EXPECT_EQ((*cut.Circuits)[0][0], "A");
    EXPECT_EQ((*cut.Circuits)[0][15], "0");
    EXPECT_FALSE(cut.RoadType);
    // A road position that is no number ends the reading there.
    const LmpContents text = ReadBytes("0\r\n\"沥青\",\"7.5\"\r\n\"60\",\"10\",\"5\"\r\n");
    ASSERT_TRUE(text.Circuits);
    EXPECT_FALSE(text.RoadType);
    EXPECT_FALSE(text.RoadWidth);
    EXPECT_FALSE(text.Distance);
    // Ends after the area record: the method stays unread.
    const LmpContents noMethod = ReadBytes("0\r\n1,\"7.5\"\r\n\"60\",\"10\",\"5\"\r\n");
    EXPECT_EQ(noMethod.PointsAcross, "5");
    EXPECT_FALSE(noMethod.Numeric);
    EXPECT_FALSE(noMethod.Curve);
}

} // namespace
} // namespace lighting

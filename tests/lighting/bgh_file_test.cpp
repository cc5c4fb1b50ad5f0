// SPDX-License-Identifier: GPL-3.0-or-later
// The .bgh records: written in their order and read back field by field; a short or damaged file gives
// what it holds and nothing past it.

#include "lighting/bgh_file.h"
#include "platform/textcodec.h"

#include <gtest/gtest.h>

namespace lighting {
namespace {

BghContents Sample() {
    BghContents c;
    c.Volumes = std::vector<std::string>{"350", "700", "1200"};
    c.Speed = "80";
    c.Length = "3000";
    c.TwoWay = false;
    c.OneWay = true;
    c.Mixed = true;
    c.SkyRatio = "25%";
    c.Surroundings = 1;
    c.Slope = "0.5";
    c.Height = "5.5";
    c.PreLength = "0";
    c.Span = "0";
    c.k = "0.028";
    c.Discount = "0.00";
    c.L20 = "5000.00";
    c.Ds = "99.00";
    c.Mode = 2;
    c.Zones = std::vector<BghZoneRow>{{"139.71", "91.56"}, {"41.91", "72.00"},  {"13.97", "89.00"},
                                      {"4.89", "133.00"},  {"2.74", "2554.44"}, {"13.68", "60.00"}};
    return c;
}

BghContents ReadBytes(const std::string& utf8) {
    scheme::SchemeReader in;
    in.Parse(textcodec::ToGbk(utf8));
    return ReadBgh(in);
}

TEST(BghFile, RecordsInTheirOrder) {
    const std::string bytes = WriteBgh(Sample()).Bytes();
    const std::string reserve =
        "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    EXPECT_EQ(textcodec::FromGbk(bytes),
              "3\r\n\"350\"\r\n\"700\"\r\n\"1200\"\r\n"
              "\"80\",\"3000\",#FALSE#,#TRUE#,#TRUE#\r\n"
              "\"25%\",1,\"0.5\",\"5.5\",\"0\",\"0\",\"0.028\",\"0.00\",\"5000.00\",\"99.00\"\r\n"
              "2\r\n6\r\n"
              "\"139.71\",\"91.56\"\r\n\"41.91\",\"72.00\"\r\n\"13.97\",\"89.00\"\r\n"
              "\"4.89\",\"133.00\"\r\n\"2.74\",\"2554.44\"\r\n\"13.68\",\"60.00\"\r\n" +
                  reserve + reserve + reserve);
}

TEST(BghFile, WrittenAndReadBackUnchanged) {
    const BghContents in = Sample();
    scheme::SchemeReader r;
    r.Parse(WriteBgh(in).Bytes());
    const BghContents out = ReadBgh(r);
    EXPECT_EQ(out.Volumes, in.Volumes);
    EXPECT_EQ(out.Speed, in.Speed);
    EXPECT_EQ(out.Length, in.Length);
    EXPECT_EQ(out.TwoWay, in.TwoWay);
    EXPECT_EQ(out.OneWay, in.OneWay);
    EXPECT_EQ(out.Mixed, in.Mixed);
    EXPECT_EQ(out.SkyRatio, in.SkyRatio);
    EXPECT_EQ(out.Surroundings, in.Surroundings);
    EXPECT_EQ(out.Slope, in.Slope);
    EXPECT_EQ(out.Height, in.Height);
    EXPECT_EQ(out.PreLength, in.PreLength);
    EXPECT_EQ(out.Span, in.Span);
    EXPECT_EQ(out.k, in.k);
    EXPECT_EQ(out.Discount, in.Discount);
    EXPECT_EQ(out.L20, in.L20);
    EXPECT_EQ(out.Ds, in.Ds);
    EXPECT_EQ(out.Mode, in.Mode);
    ASSERT_TRUE(out.Zones.has_value());
    ASSERT_EQ(out.Zones->size(), 6u);
    EXPECT_EQ((*out.Zones)[4].Luminance, "2.74");
    EXPECT_EQ((*out.Zones)[4].Length, "2554.44");
}

TEST(BghFile, NoSelectionIsMinusOne) {
    BghContents c = Sample();
    c.Surroundings = -1;
    c.Mode = -1;
    c.Volumes = std::vector<std::string>{};
    scheme::SchemeReader r;
    r.Parse(WriteBgh(c).Bytes());
    const BghContents out = ReadBgh(r);
    EXPECT_EQ(out.Surroundings, -1);
    EXPECT_EQ(out.Mode, -1);
    EXPECT_EQ(out.Volumes, std::vector<std::string>{});
    EXPECT_EQ(out.Speed, "80");
}

TEST(BghFile, ShortAndDamagedFiles) {
    // Ends after the speed record: the fields after it are absent, not made up.
    BghContents c = ReadBytes("2\r\n\"350\"\r\n\"700\"\r\n\"60\",\"1500\",#TRUE#,#FALSE#,#FALSE#\r\n\"10%\"");
    EXPECT_EQ(c.Volumes, (std::vector<std::string>{"350", "700"}));
    EXPECT_EQ(c.Speed, "60");
    EXPECT_EQ(c.TwoWay, true);
    EXPECT_EQ(c.SkyRatio, "10%");
    EXPECT_FALSE(c.Surroundings.has_value());
    EXPECT_FALSE(c.Slope.has_value());
    EXPECT_FALSE(c.Mode.has_value());
    EXPECT_FALSE(c.Zones.has_value());

    // A count that is not a number: nothing can be told apart after it.
    c = ReadBytes("abc\r\n\"350\"\r\n");
    EXPECT_FALSE(c.Volumes.has_value());
    EXPECT_FALSE(c.Speed.has_value());

    // A count beyond the limit is refused: the reading ends there.
    c = ReadBytes("2000000000\r\n\"350\"\r\n\"700\"\r\n");
    EXPECT_FALSE(c.Volumes.has_value());
    EXPECT_EQ(c.RefusedVolumeCount, 2000000000);
    EXPECT_FALSE(c.Speed.has_value());

    // A negative count counts no volume; the records after it still read.
    c = ReadBytes("-3\r\n\"80\",\"900\",#FALSE#,#TRUE#,#FALSE#\r\n");
    EXPECT_EQ(c.Volumes, std::vector<std::string>{});
    EXPECT_EQ(c.Speed, "80");
    EXPECT_EQ(c.OneWay, true);

    // An empty file gives nothing at all.
    c = ReadBytes("");
    EXPECT_FALSE(c.Volumes.has_value());
}

} // namespace
} // namespace lighting

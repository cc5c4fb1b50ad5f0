// SPDX-License-Identifier: GPL-3.0-or-later
#include "fire/fire_file.h"

#include "jetfan/jet_file.h"
#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

fire::FirSettings sample() {
    return fire::FirSettings{.FireLocs = {"11000", "12500.5", ""},
                             .ExsmokePiles = {"10000", "15235"},
                             .Checks = {1, 0, 1, 2},
                             .VentModes = {false, true, false},
                             .TrafficModes = {false, true},
                             .WindDirections = {true, false},
                             .Texts = {"12.5", "180.25", "1120型射流风机", "20", "0.876"},
                             .Range = {"11000", "12000"},
                             .WindRatio = {"2.53", "70"},
                             .TwoWayDirections = {false, true}};
}

scheme::SchemeReader readerOf(const std::string& utf8) {
    scheme::SchemeReader in;
    in.Parse(textcodec::ToGbk(utf8));
    return in;
}

TEST(FirFile, RecordsInOrderWithFiveReserveRecords) {
    const std::string bytes = fire::WriteFirFile(sample()).Bytes();
    const std::string reserve = "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    const std::string expected =
        "\"[火灾位置]\"\r\n3\r\n\"11000\"\r\n\"12500.5\"\r\n\"\"\r\n\"[排烟口桩号]\"\r\n2\r\n"
        "\"10000\"\r\n\"15235\"\r\n1,0,1,2\r\n#FALSE#,#TRUE#,#FALSE#\r\n#FALSE#,#TRUE#\r\n"
        "#TRUE#,#FALSE#\r\n\"12.5\",\"180.25\",\"1120型射流风机\",\"20\",\"0.876\"\r\n"
        "\"11000\",\"12000\"\r\n\"2.53\",\"70\"\r\n" +
        reserve + reserve + reserve + reserve + reserve + "#FALSE#,#TRUE#\r\n";
    EXPECT_EQ(bytes, textcodec::ToGbk(expected));
}

TEST(FirFile, RoundTripKeepsEveryField) {
    scheme::SchemeReader in;
    in.Parse(fire::WriteFirFile(sample()).Bytes());
    const fire::FirSettings back = fire::ReadFirFile(in);
    const fire::FirSettings want = sample();
    EXPECT_EQ(back.FireLocs, want.FireLocs);
    EXPECT_EQ(back.ExsmokePiles, want.ExsmokePiles);
    EXPECT_EQ(back.Checks, want.Checks);
    EXPECT_EQ(back.VentModes, want.VentModes);
    EXPECT_EQ(back.TrafficModes, want.TrafficModes);
    EXPECT_EQ(back.WindDirections, want.WindDirections);
    EXPECT_EQ(back.Texts, want.Texts);
    EXPECT_EQ(back.Range, want.Range);
    EXPECT_EQ(back.WindRatio, want.WindRatio);
    EXPECT_EQ(back.TwoWayDirections, want.TwoWayDirections);
    EXPECT_TRUE(back.Whole);
}

// Cut anywhere before its reserve records, a file is not whole and holds no row or text but those
// written; without the direction record, as files were written before it, it is whole.
TEST(FirFile, ACutFileKeepsOnlyWholeRecords) {
    const std::string bytes = fire::WriteFirFile(sample()).Bytes();
    const fire::FirSettings want = sample();
    for (std::size_t cut = 0; cut < bytes.find("\"\",\"\","); ++cut) {
        const fire::FirSettings got = fire::ReadFirBytes(std::string_view(bytes).substr(0, cut));
        EXPECT_FALSE(got.Whole) << cut;
        EXPECT_TRUE(std::equal(got.FireLocs.begin(), got.FireLocs.end(), want.FireLocs.begin())) << cut;
        EXPECT_TRUE(!got.Texts[1] || got.Texts[1] == want.Texts[1]) << cut;
    }
    const fire::FirSettings old = fire::ReadFirBytes(bytes.substr(0, bytes.size() - 16));
    EXPECT_TRUE(old.Whole && !old.TwoWayDirections[0] && old.WindRatio == want.WindRatio);
}

TEST(FirFile, NoFirePointsPutTheSecondTitleRightAfterTheCount) {
    fire::FirSettings fir = sample();
    fir.FireLocs.clear();
    const std::string bytes = fire::WriteFirFile(fir).Bytes();
    EXPECT_EQ(bytes.rfind(textcodec::ToGbk("\"[火灾位置]\"\r\n0\r\n\"[排烟口桩号]\"\r\n"), 0), 0u);
}

TEST(FirFile, TruncatedAndMalformedFilesLeaveFieldsUnread) {
    // Empty: no rows, nothing to apply.
    scheme::SchemeReader empty = readerOf("");
    fire::FirSettings f = fire::ReadFirFile(empty);
    EXPECT_TRUE(f.FireLocs.empty());
    EXPECT_FALSE(f.Checks[0]);
    EXPECT_FALSE(f.Texts[0]);

    // A count beyond the rows present, ending early.
    scheme::SchemeReader cut = readerOf("\"[火灾位置]\"\r\n99\r\n\"11000\"\r\n");
    f = fire::ReadFirFile(cut);
    EXPECT_EQ(f.FireLocs, std::vector<std::string>{"11000"});
    EXPECT_TRUE(f.ExsmokePiles.empty());

    // Text where a number or a Boolean belongs, a negative count.
    scheme::SchemeReader bad = readerOf("\"t\"\r\n-3\r\n\"t\"\r\n0\r\nx,1,1,0\r\nyes,#TRUE#,#FALSE#\r\n");
    f = fire::ReadFirFile(bad);
    EXPECT_TRUE(f.FireLocs.empty());
    EXPECT_FALSE(f.Checks[0]);
    EXPECT_EQ(f.Checks[1], 1);
    EXPECT_FALSE(f.VentModes[0]);
    EXPECT_EQ(f.VentModes[1], true);
    EXPECT_FALSE(f.TrafficModes[0]);
}

TEST(SchemeFilesForFire, JetFileGivesModelAndEta) {
    jetfan::JetFileContents jet;
    jet.Record2 = {"900型射流风机", "34.3", "0.6", "0.9", "1.2", "0.85", "", "21.81", "27.1"};
    scheme::SchemeReader in;
    in.Parse(jetfan::WriteJetFile(jet).Bytes());
    const auto got = fire::CollectJetScheme(in);
    ASSERT_TRUE(got);
    EXPECT_EQ(*got->JetModel, "900型射流风机");
    EXPECT_EQ(*got->Eta, "0.85");
    EXPECT_TRUE(got->Ports.empty());
    // Cut before η: nothing is taken.
    scheme::SchemeReader cut = readerOf("\"[风机升压力计算]\"\r\n\"900型射流风机\",\"1\"\r\n");
    EXPECT_FALSE(fire::CollectJetScheme(cut));
}

TEST(SchemeFilesForFire, SeveralShaftsGivePortsByLineAndTheLastSectionsModel) {
    // Two shafts (2000, ds 30; 3000.5, ds 20), two sections with models A and B.
    std::string text = "\"[基本信息]\"\r\n2\r\n";
    for (const auto& [pile, ds] : {std::pair{"2000", "30"}, std::pair{"3000.5", "20"}}) {
        for (int j = 1; j <= 39; ++j) {
            text += j == 1 ? pile : j == 35 ? ds : "\"x\"";
            text += j == 39 ? "\r\n" : ",";
        }
    }
    text += "2\r\n";
    for (const char* m : {"A", "B"}) {
        for (int j = 1; j <= 16; ++j) {
            text += j == 14 ? std::string("\"") + m + "\"" : "\"0\"";
            text += j == 16 ? "\r\n" : ",";
        }
    }
    scheme::SchemeReader right = readerOf(text);
    auto got = fire::CollectMsjScheme(right, true);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->Ports, (std::vector<double>{2030, 3020.5}));
    EXPECT_EQ(*got->JetModel, "B");
    EXPECT_FALSE(got->Eta);
    scheme::SchemeReader left = readerOf(text);
    got = fire::CollectMsjScheme(left, false);
    EXPECT_EQ(got->Ports, (std::vector<double>{1970, 2980.5}));
    // Cut in the second section: nothing is taken.
    scheme::SchemeReader cut = readerOf(text.substr(0, text.size() - 20));
    EXPECT_FALSE(fire::CollectMsjScheme(cut, true));
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Sections formed from the shafts, the checks that refuse shafts which cannot form them, the air-change
// override and the .msj records, worked by hand.
#include "multishaft/multishaft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using multishaft::CheckShafts;
using multishaft::FormStretches;
using multishaft::ShaftProblem;

void expectStretches(const std::vector<multishaft::Stretch>& got,
                     const std::vector<std::pair<double, double>>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_DOUBLE_EQ(got[i].Start, want[i].first) << "row " << i + 1;
        EXPECT_DOUBLE_EQ(got[i].End, want[i].second) << "row " << i + 1;
    }
}

TEST(Sections, TwoShaftsGiveFiveRows) {
    // Start 1000, length 3000; shafts 2000 (ds 40) and 3000 (ds 60):
    // 1000–1980, 1980–2020, 2020–2970, 2970–3030, 3030–4000.
    expectStretches(FormStretches(1000, 3000, {{2000, 40}, {3000, 60}}),
                    {{1000, 1980}, {1980, 2020}, {2020, 2970}, {2970, 3030}, {3030, 4000}});
}

TEST(Sections, NoShaftAndZeroPassage) {
    expectStretches(FormStretches(500, 1234.5, {}), {{500, 1734.5}});
    // ds 0: a passage of zero length at the shaft station.
    expectStretches(FormStretches(0, 1000, {{400, 0}}), {{0, 400}, {400, 400}, {400, 1000}});
}

TEST(ShaftChecks, SoundShaftsPass) {
    EXPECT_FALSE(CheckShafts(1000, 4000, {{2000, 40}, {3000, 60}}));
    EXPECT_FALSE(CheckShafts(4000, 1000, {{2000, 40}}));
    EXPECT_FALSE(CheckShafts(0, 1000, {}));
    // Touching passages (1970–2030 then 2030–2090) and a zero ds are allowed.
    EXPECT_FALSE(CheckShafts(0, 5000, {{2000, 60}, {2060, 60}, {3000, 0}}));
}

TEST(ShaftChecks, NamesTheFirstShaftThatCannotFormSections) {
    auto problem = CheckShafts(1000, 4000, {{3000, 60}, {2000, 40}});
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->Shaft, 2u);
    EXPECT_EQ(problem->Problem, ShaftProblem::NotAscending);

    // 2000 + 30 = 2030 > 2040 − 20 = 2020: the passages overlap.
    problem = CheckShafts(1000, 4000, {{2000, 60}, {2040, 40}});
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->Shaft, 2u);
    EXPECT_EQ(problem->Problem, ShaftProblem::OverlapsPrevious);

    problem = CheckShafts(1000, 4000, {{2000, -10}});
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->Problem, ShaftProblem::NegativeDs);

    // 3980 + 30 reaches past the exit at 4000; a shaft at the entrance itself is outside too.
    for (const multishaft::Shaft& s : {multishaft::Shaft{3980, 60}, multishaft::Shaft{1000, 0},
                                       multishaft::Shaft{500, 40}, multishaft::Shaft{std::nan(""), 40}}) {
        problem = CheckShafts(1000, 4000, {s});
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->Shaft, 1u);
        EXPECT_EQ(problem->Problem, ShaftProblem::OutsideTunnel);
    }
    EXPECT_EQ(multishaft::ShaftProblemText({2, ShaftProblem::NotAscending}),
              "第2个竖井的桩号不大于前一个竖井的桩号，请按桩号从小到大的顺序输入竖井！");
}

TEST(AirChange, GovernsOnlyWhenSwitchedOnAndStrictlyLarger) {
    EXPECT_TRUE(multishaft::ExchangeGoverns(true, 299.99, 300));
    EXPECT_FALSE(multishaft::ExchangeGoverns(true, 300, 300));
    EXPECT_FALSE(multishaft::ExchangeGoverns(false, 100, 300));
}

TEST(PassageRatios, RowsBeforeAndAfterTheShaftByLine) {
    // Shaft 1: rows 1 and 3; shaft 2: rows 3 and 5; the left line exchanges them.
    EXPECT_EQ(multishaft::PassageRatioRows(1, false), (std::pair{1, 3}));
    EXPECT_EQ(multishaft::PassageRatioRows(2, false), (std::pair{3, 5}));
    EXPECT_EQ(multishaft::PassageRatioRows(1, true), (std::pair{3, 1}));
}

multishaft::MsjFile sample() {
    multishaft::MsjFile msj;
    std::array<std::string, multishaft::kShaftFields> shaft;
    for (int k = 0; k < multishaft::kShaftFields; ++k) {
        shaft[static_cast<std::size_t>(k)] = "s" + std::to_string(k);
    }
    shaft[0] = "2000";
    shaft[multishaft::kColumnDs] = "40";
    msj.Shafts.push_back(shaft);
    std::array<std::string, multishaft::kSectionFields> section{};
    section[0] = "1000";
    section[1] = "1980";
    section[2] = "12.30";
    section[13] = "1120型射流风机";
    msj.Sections.push_back(section);
    msj.ZZ_j = "1.2";
    msj.TotalPower = "";
    msj.KnowQr1 = true;
    msj.CertanQr1 = "480";
    msj.Deltap_j = "12.5";
    msj.JetCount = "4";
    msj.Groups.push_back({"1500", "2", "25"});
    return msj;
}

TEST(MsjFile, RecordsInTheirPlaces) {
    // 2 + 39 + 1 + 16 + 4 + 1 + 1 = 64 records; the fire window reads the station as field 1 and ds as
    // field 35 of the shaft, the model as field 14 of the section.
    const std::string bytes = multishaft::WriteMsjFile(sample()).Bytes();
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = bytes.find("\r\n", from)) != std::string::npos; from = at + 2) {
        lines.push_back(bytes.substr(from, at - from));
    }
    EXPECT_EQ(from, bytes.size());
    ASSERT_EQ(lines.size(), 64u);
    EXPECT_EQ(lines[1], "1");
    EXPECT_EQ(lines[2], "\"2000\"");
    EXPECT_EQ(lines[2 + 34], "\"40\"");
    EXPECT_EQ(lines[41], "1");
    EXPECT_EQ(lines[42], "\"1000\"");
    EXPECT_EQ(lines[58], "\"1.2\",\"\"");
    EXPECT_EQ(lines[59], "#TRUE#,\"480\"");
    EXPECT_EQ(lines[61], "\"\",\"12.5\",\"4\"");
    EXPECT_EQ(lines[62], "1");
    EXPECT_EQ(lines[63], "\"1500\",\"2\",\"25\"");

    scheme::SchemeReader in;
    in.Parse(bytes);
    const multishaft::MsjFile back = multishaft::ReadMsjFile(in);
    EXPECT_EQ(back.Shafts, sample().Shafts);
    EXPECT_EQ(back.Sections, sample().Sections);
    EXPECT_TRUE(back.KnowQr1);
    EXPECT_EQ(back.CertanQr1, "480");
    EXPECT_EQ(back.Deltap_j, "12.5");
    EXPECT_EQ(back.Groups, sample().Groups);
    EXPECT_EQ(multishaft::WriteMsjFile(back).Bytes(), bytes);
}

TEST(MsjFile, EmptySchemeHasEightRecords) {
    const std::string bytes = multishaft::WriteMsjFile({}).Bytes();
    // Titles in GBK; the three counts 0 and the three box records.
    scheme::SchemeWriter want;
    want.Text("[基本信息]").EndRecord().Whole(0).EndRecord().Whole(0).EndRecord();
    want.Text("").Text("").EndRecord().Boolean(false).Text("").EndRecord();
    want.Text("[风机布置]").EndRecord().Text("").Text("").Text("").EndRecord().Whole(0).EndRecord();
    EXPECT_EQ(bytes, want.Bytes());
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 8);
    scheme::SchemeReader in;
    in.Parse(bytes);
    const multishaft::MsjFile back = multishaft::ReadMsjFile(in);
    EXPECT_TRUE(back.Shafts.empty() && back.Sections.empty() && back.Groups.empty());
    EXPECT_TRUE(back.HasGroups);
    EXPECT_FALSE(back.KnowQr1);
}

TEST(MsjFile, ShortAndCorruptFilesKeepWholeRowsOnly) {
    const std::string bytes = multishaft::WriteMsjFile(sample()).Bytes();
    // Every cut: never more rows than written, and a kept row is a whole row.
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        scheme::SchemeReader in;
        in.Parse(bytes.substr(0, n));
        const multishaft::MsjFile msj = multishaft::ReadMsjFile(in);
        EXPECT_LE(msj.Shafts.size(), 1u);
        EXPECT_LE(msj.Sections.size(), 1u);
        EXPECT_LE(msj.Groups.size(), 1u);
        if (!msj.Sections.empty()) {
            EXPECT_EQ(msj.Shafts, sample().Shafts);
        }
        // A pair of boxes cut by the end is not half read.
        EXPECT_EQ(msj.ZZ_j, msj.HasBoxes ? "1.2" : "") << n;
        EXPECT_EQ(msj.Deltap_j, msj.HasJetBoxes ? "12.5" : "") << n;
    }
    // A huge or negative count reads what the file holds and stops.
    scheme::SchemeReader huge;
    huge.Parse("\"t\"\r\n2000000000\r\n\"1\"\r\n");
    EXPECT_TRUE(multishaft::ReadMsjFile(huge).Shafts.empty());
    scheme::SchemeReader in;
    in.Parse("\"t\"\r\n-3\r\n0\r\n\"1.5\",\"7\"\r\n#TRUE#,\"\"\r\n\"t\"\r\n\"\",\"1\",\"2\"\r\n2.5\r\n"
             "\"1\",\"2\",\"3\"\r\n\"4\",\"5\",\"6\"\r\n\"7\",\"8\",\"9\"\r\n");
    const multishaft::MsjFile msj = multishaft::ReadMsjFile(in);
    EXPECT_TRUE(msj.Shafts.empty());
    EXPECT_EQ(msj.ZZ_j, "1.5");
    EXPECT_TRUE(msj.KnowQr1);
    // 2.5 rounds half to even: two groups.
    EXPECT_EQ(msj.Groups.size(), 2u);
}

} // namespace

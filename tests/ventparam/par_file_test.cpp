// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/par_file.h"
#include "ventparam/step2_inputs.h"

#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ventparam::ParContents Read(const std::string& utf8) {
    scheme::SchemeReader in;
    in.Parse(textcodec::ToGbk(utf8));
    return ventparam::ReadPar(in);
}

const std::string kTwoRows = "\"[通风计算]\"\r\n"
                             "\"0.6\",\"0.02\",\"\",\"2.5\"\r\n"
                             "\"60\",\"0.876\",\"2.13\",\"0.5\",\"5.37\",\"1\",\"0.300\",\"2.36\"\r\n"
                             "2\r\n"
                             "\"1200\",\"0.5\"\r\n"
                             "\"K1+300\",\"1.2\"\r\n"
                             "\"0.250\",\"2.14\"\r\n"
                             "3\r\n"
                             "#TRUE#\r\n";

TEST(ParFile, ReadsEveryRecordInOrder) {
    const ventparam::ParContents par = Read(kTwoRows);
    EXPECT_EQ(par.zeta_e, "0.6");
    EXPECT_EQ(par.lambda_r, "0.02");
    EXPECT_EQ(par.v_n, "2.5");
    EXPECT_EQ(par.Record3[ventparam::kQQ_req], "60");
    EXPECT_EQ(par.Record3[ventparam::kv_r], "0.876");
    EXPECT_EQ(par.Record3[ventparam::kxi_cl], "1");
    EXPECT_EQ(par.Record3[ventparam::kAA_m], "2.36");
    ASSERT_TRUE(par.ZetaRows);
    ASSERT_EQ(par.ZetaRows->size(), 2u);
    EXPECT_EQ((*par.ZetaRows)[1].Pile, "K1+300");
    EXPECT_EQ((*par.ZetaRows)[1].Zeta, "1.2");
    EXPECT_EQ(par.r_1_Bidirection, "0.250");
    EXPECT_EQ(par.AA_m_Bidirection, "2.14");
    EXPECT_EQ(par.SchemeIndex, 3);
    EXPECT_EQ(par.Exchange, true);
}

TEST(ParFile, WritingThenReadingGivesEveryTextBack) {
    const ventparam::ParContents par = Read(kTwoRows);
    const std::string bytes = ventparam::WritePar(par).Bytes();
    EXPECT_EQ(textcodec::FromGbk(bytes), kTwoRows);
}

TEST(ParFile, AFileEndingEarlyGivesNothingPastItsEnd) {
    // Cut inside the second loss row: the whole first row only, nothing after.
    const std::string cut = kTwoRows.substr(0, kTwoRows.find("\"K1+300\""));
    const ventparam::ParContents par = Read(cut + "\"K1+300\"");
    ASSERT_TRUE(par.ZetaRows);
    ASSERT_EQ(par.ZetaRows->size(), 1u);
    EXPECT_EQ((*par.ZetaRows)[0].Pile, "1200");
    EXPECT_FALSE(par.r_1_Bidirection);
    EXPECT_FALSE(par.SchemeIndex);
    EXPECT_FALSE(par.Exchange);

    // Cut inside record 3: its first two fields, no rows.
    const ventparam::ParContents early =
        Read("\"[通风计算]\"\r\n\"0.6\",\"0.02\",\"\",\"2.5\"\r\n\"60\",\"0.9\"");
    EXPECT_EQ(early.v_n, "2.5");
    EXPECT_EQ(early.Record3[ventparam::kv_r], "0.9");
    EXPECT_FALSE(early.Record3[ventparam::kAA_cs]);
    EXPECT_FALSE(early.ZetaRows);

    const ventparam::ParContents empty = Read("");
    EXPECT_FALSE(empty.zeta_e);
    EXPECT_FALSE(empty.ZetaRows);
}

TEST(ParFile, ARowCountBeyondTheFileCreatesNoRows) {
    const ventparam::ParContents par = Read("\"[通风计算]\"\r\n\"\",\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\","
                                            "\"\",\"\",\"\",\"\"\r\n30000\r\n\"1\",\"2\"\r\n");
    ASSERT_TRUE(par.ZetaRows);
    EXPECT_EQ(par.ZetaRows->size(), 1u);
}

TEST(ParFile, TextWhereANumberBelongs) {
    // A count that is no number counts as no rows and the records after it still read; a scheme position
    // or switch that is no number stays unread.
    const ventparam::ParContents par =
        Read("\"[通风计算]\"\r\n\"\",\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\nabc\r\n"
             "\"0.2\",\"2.0\"\r\nxyz\r\nmaybe\r\n");
    ASSERT_TRUE(par.ZetaRows);
    EXPECT_TRUE(par.ZetaRows->empty());
    EXPECT_EQ(par.AA_m_Bidirection, "2.0");
    EXPECT_FALSE(par.SchemeIndex);
    EXPECT_FALSE(par.Exchange);
}

// What a scheme window reopened under step 2's inputs says of the ones its results were computed with.
TEST(Step2Inputs, ChangeHintNamesWhatDiffersOfWhatIsCompared) {
    using namespace ventparam;
    const Step2Inputs stored{"单向正常交通", "330.89",          "0", "0.6", "0.02", "2.5", "2.36",
                             "3.1",          {{"10100", "0.5"}}};
    const auto with = [&stored](auto change) {
        Step2Inputs now = stored;
        change(now);
        return now;
    };
    const std::string tail = "，原计算结果已清空，请重新计算。";
    const struct {
        Step2Inputs now;
        unsigned compared;
        std::string hint;
    } rows[] = {
        // Numbers by the number their text holds.
        {with([](Step2Inputs& s) { s.Vn = "2.50"; }), ~0u, ""},
        {with([](Step2Inputs& s) { s.ZetaE = "0.5"; }), kStep2Lambda | kStep2Vn, ""},
        {with([](Step2Inputs& s) { s.Exchange = "1"; }), kStep2Exchange,
         "按换气需风量控制已由否变为是" + tail},
        {with([](Step2Inputs& s) { s.Losses.clear(); }), kStep2Losses,
         "局部压力损失已由10100:0.5变为空" + tail},
        {with([](Step2Inputs& s) {
             s.Am = "";
             s.Losses[0].Zeta = "0.50";
         }),
         ~0u, "车辆等效阻抗面积Am(单向)已由2.36变为空" + tail},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Step2ChangeHint(stored, row.now, row.compared), row.hint);
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/vb.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

using namespace vb;

namespace {

struct Read {
    const char* text;
    double value;
};

void expectReads(std::initializer_list<Read> rows) {
    for (const Read& r : rows) {
        EXPECT_DOUBLE_EQ(Val(r.text), r.value) << '"' << r.text << '"';
    }
}

} // namespace

TEST(LeadingNumber, StopsAtTheFirstCharacterThatIsNoPartOfANumber) {
    expectReads({{"12abc", 12.0}, {"1,234", 1.0}, {"12.5.3", 12.5}, {"-3.25m", -3.25}});
    expectReads({{"+.5", 0.5}, {"7.", 7.0}, {"&H10", 0.0}, {"K12+300", 0.0}});
}

TEST(LeadingNumber, PassesOverBlanksTabsAndLineEndsAnywhere) {
    expectReads({{"1 2", 12.0}, {"2000.00 ", 2000.0}, {" \t- 1 . 5\r\n", -1.5}, {"1e 3", 1000.0}});
}

TEST(LeadingNumber, ReadsExponentsWrittenWithEOrD) {
    expectReads({{"1e3", 1000.0}, {"1E-2", 0.01}, {"2.5D2", 250.0}, {"2.5d+1", 25.0}});
    // An exponent letter without digits ends the number.
    expectReads({{"1e", 1.0}, {"1e+", 1.0}, {"3east", 3.0}});
}

TEST(LeadingNumber, GivesZeroWithoutANumber) {
    for (const char* text : {"", "   ", "abc", ".", "-", "+-1", "隧道1", "1e999", "1e-999"}) {
        EXPECT_DOUBLE_EQ(Val(text), 0.0) << '"' << text << '"';
    }
}

TEST(LeadingNumber, IgnoresTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no German locale installed";
    }
    EXPECT_DOUBLE_EQ(Val("1.5"), 1.5);
    EXPECT_EQ(Format(1.5, "0.00"), "1.50");
    EXPECT_EQ(CStr(1.5), "1.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(StrictNumber, AcceptsOnlyAWholeNumberText) {
    EXPECT_EQ(StrictNumber("12.5"), 12.5);
    EXPECT_EQ(StrictNumber("  -3 "), -3.0);
    EXPECT_EQ(StrictNumber("1e3"), 1000.0);
    EXPECT_EQ(StrictNumber("1D3"), 1000.0);
    EXPECT_EQ(StrictNumber(".5"), 0.5);
    EXPECT_FALSE(StrictNumber(""));
    EXPECT_FALSE(StrictNumber("  "));
    EXPECT_FALSE(StrictNumber("12abc"));
    EXPECT_FALSE(StrictNumber("1 2"));
    EXPECT_FALSE(StrictNumber("1,5"));
    EXPECT_FALSE(StrictNumber("1e"));
    EXPECT_FALSE(StrictNumber("-"));
    EXPECT_FALSE(StrictNumber("#TRUE#"));
    EXPECT_FALSE(StrictNumber("1e999"));
    EXPECT_FALSE(StrictNumber("nan"));
    EXPECT_FALSE(StrictNumber("inf"));
}

TEST(Format, RoundsHalfAwayFromZeroOnThe15DigitText) {
    EXPECT_EQ(Format(12.345, "0.00"), "12.35");
    // 275.919775 is stored as 275.91977499999996; its 15-digit text 275.919775000000 is a tie.
    EXPECT_EQ(Format(275.919775, "0.00000"), "275.91978");
    EXPECT_EQ(Format(2.5, "0"), "3");
    EXPECT_EQ(Format(-2.5, "0"), "-3");
    EXPECT_EQ(Format(0.125, "0.00"), "0.13");
    EXPECT_EQ(Format(1.005, "0.00"), "1.01");
    EXPECT_EQ(Format(0.1 + 0.2, "0.0"), "0.3");
    EXPECT_EQ(Format(9.995, "0.00"), "10.00");
    EXPECT_EQ(Format(99.96, "0.0"), "100.0");
    EXPECT_EQ(Format(0.4, "0"), "0");
    EXPECT_EQ(Format(0.0055801, "0.0000"), "0.0056");
}

TEST(Format, FillsTheIntegerPartAndKeepsTrailingLiterals) {
    EXPECT_EQ(Format(12.5, "000.0000"), "012.5000");
    EXPECT_EQ(Format(3.14159, "00.000"), "03.142");
    EXPECT_EQ(Format(123456.5, "000.00"), "123456.50");
    EXPECT_EQ(Format(7, "00"), "07");
    EXPECT_EQ(Format(1e6, "0.00"), "1000000.00");
    EXPECT_EQ(Format(1.2345, "0.00 "), "1.23 ");
    EXPECT_EQ(Format(0, "0.000"), "0.000");
    EXPECT_EQ(Format(0.5, "0.00000000"), "0.50000000");
    EXPECT_EQ(Format(1e20, "0"), "100000000000000000000");
    EXPECT_EQ(Format(1e-20, "0.00"), "0.00");
}

TEST(Format, WritesNoMinusSignOnAZero) {
    EXPECT_EQ(Format(-0.001, "0.00"), "0.00");
    EXPECT_EQ(Format(-0.0, "0"), "0");
    EXPECT_EQ(Format(-0.005, "0.00"), "-0.01");
    EXPECT_EQ(Format(-12.345, "0.00"), "-12.35");
}

TEST(Format, WritesOptionalDigitsOnlyWhenNeeded) {
    EXPECT_EQ(Format(850.5, "######.##"), "850.5");
    EXPECT_EQ(Format(850, "######.##"), "850.");
    EXPECT_EQ(Format(0.25, "######.##"), ".25");
    EXPECT_EQ(Format(-3.14159, "######.##"), "-3.14");
}

TEST(Format, GivesEmptyTextForValuesThatAreNotFinite) {
    EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), "0.00"), "");
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "0.00"), "");
}

TEST(PlainNumberText, HasAtMost15DigitsAndNoExponent) {
    EXPECT_EQ(CStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(CStr(80), "80");
    EXPECT_EQ(CStr(62.5), "62.5");
    EXPECT_EQ(CStr(-0.0), "0");
    EXPECT_EQ(CStr(-1), "-1");
    EXPECT_EQ(CStr(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(CStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(CStr(123456789012345678.0), "123456789012346000");
    EXPECT_EQ(CStr(1e20), "100000000000000000000");
    EXPECT_EQ(CStr(1.5e-7), "0.00000015");
    EXPECT_EQ(CStr(-2750.125), "-2750.125");
    EXPECT_EQ(CStr(std::numeric_limits<double>::quiet_NaN()), "");
}

TEST(PlainNumberText, ReadsBackAsTheSameNumberText) {
    for (double v : {0.1, 1.0 / 7.0, 12345.6789, -0.000123, 98765432.1}) {
        std::string text = CStr(v);
        EXPECT_EQ(CStr(Val(text)), text);
    }
}

TEST(WholeNumbers, RoundHalvesToEven) {
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(-3.5), -4);
    EXPECT_EQ(CInt(2.4999), 2);
    EXPECT_EQ(CInt(-0.4), 0);
    EXPECT_DOUBLE_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_DOUBLE_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_DOUBLE_EQ(RoundHalfEven(-1.5), -2.0);
    EXPECT_DOUBLE_EQ(RoundHalfEven(1e300), 1e300);
}

TEST(WholeNumbers, FailOnOverflowAndOnValuesThatAreNotFinite) {
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_FALSE(CInt(32767.5));
    EXPECT_EQ(CInt(-32768.5), -32768);
    EXPECT_FALSE(CInt(-32768.6));
    EXPECT_FALSE(CInt(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(CInt(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(CLng(2147483647.4), 2147483647);
    EXPECT_FALSE(CLng(2147483647.5));
    EXPECT_EQ(CLng(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(CLng(std::numeric_limits<double>::quiet_NaN()));
}

TEST(WholeNumbers, IntDropsTheFractionTowardsMinusInfinity) {
    EXPECT_DOUBLE_EQ(Int(2.7), 2.0);
    EXPECT_DOUBLE_EQ(Int(-2.3), -3.0);
    EXPECT_DOUBLE_EQ(Int(-2.0), -2.0);
}

TEST(TextRules, DisplayWidthCountsEachChineseCharacterTwice) {
    EXPECT_EQ(DisplayWidth(""), 0);
    EXPECT_EQ(DisplayWidth("Qreq"), 4);
    EXPECT_EQ(DisplayWidth("隧道"), 4);
    EXPECT_EQ(DisplayWidth("需风量(m³/s)"), 13); // 需风量 6, "(m" 2, ³ 2, "/s)" 3
}

TEST(TextRules, TrimRemovesBlanksAndTabsAtBothEnds) {
    EXPECT_EQ(Trim("  a b\t "), "a b");
    EXPECT_EQ(Trim("\t\t"), "");
    EXPECT_EQ(Trim("隧道 "), "隧道");
}

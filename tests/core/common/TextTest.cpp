#include <gtest/gtest.h>

#include "common/Dates.h"
#include "common/Text.h"

namespace wendrix {
namespace {

TEST(Text, UpperCaseTouchesOnlyAsciiLetters)
{
    EXPECT_EQ(AsciiUpper("dl1abc/p \xe4\xf6"), "DL1ABC/P \xe4\xf6");
    EXPECT_EQ(AsciiUpper("{z}`a@"), "{Z}`A@");
}

TEST(Text, TrimRemovesControlCharactersAndBlanks)
{
    EXPECT_EQ(Trim("\t\r\n  DL1ABC \x1a\x01 "), "DL1ABC");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(TrimRight("  A  "), "  A");
}

TEST(Text, IntegersInRange)
{
    EXPECT_EQ(ReadIntInRange(" 42 ", 0, 100), 42);
    EXPECT_EQ(ReadIntInRange("-7", -10, 10), -7);
    EXPECT_EQ(ReadIntInRange("+7", -10, 10), 7);
    EXPECT_FALSE(ReadIntInRange("", 0, 100));
    EXPECT_FALSE(ReadIntInRange("-", 0, 100));
    EXPECT_FALSE(ReadIntInRange("4 2", 0, 100));
    EXPECT_FALSE(ReadIntInRange("0x10", 0, 100));
    EXPECT_FALSE(ReadIntInRange("101", 0, 100));
    EXPECT_FALSE(ReadIntInRange("99999999999999999999999", INT64_MIN, INT64_MAX));
    EXPECT_EQ(ReadIntInRange("-9223372036854775808", INT64_MIN, INT64_MAX), INT64_MIN);
}

TEST(Text, PaddingHelpers)
{
    EXPECT_EQ(PadLeftZeros("7", 3), "007");
    EXPECT_EQ(PadLeftZeros("1234", 3), "1234");
    EXPECT_EQ(PadLeftSpaces("42", 3), " 42");
    EXPECT_EQ(PadLeftSpaces("1000", 3), "1000");
    EXPECT_EQ(PadRightFixed("DL", 5), "DL   ");
    EXPECT_EQ(PadRightFixed("ABCDEFGH", 5), "ABCDE");
    EXPECT_EQ(RepeatText("ab", 3), "ababab");
    EXPECT_EQ(RepeatText("ab", 0), "");
    EXPECT_EQ(RepeatText("ab", -2), "");
}

TEST(Text, HalvesRoundToEven)
{
    EXPECT_EQ(RoundHalfEven(62.5), 62);
    EXPECT_EQ(RoundHalfEven(187.5), 188);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
}

TEST(Dates, ParseAndFormat)
{
    EXPECT_EQ(ParseDateKey("20150307"), 20150307u);
    EXPECT_FALSE(ParseDateKey("2015037"));
    EXPECT_FALSE(ParseDateKey("20151307"));
    EXPECT_FALSE(ParseDateKey("2015-3-7"));
    EXPECT_EQ(FormatDateKey(20150307), "2015-03-07");
    EXPECT_GT(TodayUtc(), 20200101u);
}

}  // namespace
}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <string_view>

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

// Text for windows: a byte that is not part of a valid UTF-8 sequence is read as Latin-1.
struct Utf8Case
{
    const char* name;
    std::string input;
    std::string expected;
};

void PrintTo(const Utf8Case& value, std::ostream* out)
{
    *out << value.name;
}

class ValidUtf8 : public testing::TestWithParam<Utf8Case>
{
};

TEST_P(ValidUtf8, KeepsValidSequencesAndReadsEveryOtherByteAsLatin1)
{
    const Utf8Case& c = GetParam();
    std::string buffer = "left over";
    EXPECT_EQ(AsValidUtf8(c.input, buffer), c.expected);
    EXPECT_EQ(ToValidUtf8(c.input), c.expected);
    EXPECT_EQ(IsValidUtf8(c.input), c.input == c.expected);
    EXPECT_TRUE(IsValidUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Text, ValidUtf8,
    testing::Values(
        Utf8Case{"Ascii", "DL1ABC  2023-01-05", "DL1ABC  2023-01-05"}, Utf8Case{"Empty", "", ""},
        Utf8Case{"Utf8Umlaut", "f\xC3\xBCr", "f\xC3\xBCr"},
        Utf8Case{"Latin1Umlaut", "f\xFCr", "f\xC3\xBCr"},
        Utf8Case{"Latin1AfterUtf8", "\xC3\xBC \xFC", "\xC3\xBC \xC3\xBC"},
        Utf8Case{"Latin1AfterEightAsciiBytes", "ABCDEFGH\xE9", "ABCDEFGH\xC3\xA9"},
        Utf8Case{"Latin1AsEighthByte", "ABCDEFG\xE9XYZ", "ABCDEFG\xC3\xA9XYZ"},
        Utf8Case{"FourByteCharacter", "\xF0\x9F\x93\xBB 73", "\xF0\x9F\x93\xBB 73"},
        Utf8Case{"HighestCodePoint", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        Utf8Case{"AboveHighestCodePoint", "\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},
        Utf8Case{"OverlongSlash", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        Utf8Case{"OverlongC1", "\xC1\xBF", "\xC3\x81\xC2\xBF"},
        Utf8Case{"OverlongThreeBytes", "\xE0\x9F\xBF", "\xC3\xA0\xC2\x9F\xC2\xBF"},
        Utf8Case{"SmallestThreeBytes", "\xE0\xA0\x80", "\xE0\xA0\x80"},
        Utf8Case{"OverlongFourBytes", "\xF0\x8F\xBF\xBF", "\xC3\xB0\xC2\x8F\xC2\xBF\xC2\xBF"},
        Utf8Case{"Surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},
        Utf8Case{"LastBeforeSurrogates", "\xED\x9F\xBF", "\xED\x9F\xBF"},
        Utf8Case{"FirstAfterSurrogates", "\xEE\x80\x80", "\xEE\x80\x80"},
        Utf8Case{"LoneContinuation", "a\x80z", "a\xC2\x80z"},
        Utf8Case{"F5NeverStartsASequence", "\xF5\x80\x80\x80", "\xC3\xB5\xC2\x80\xC2\x80\xC2\x80"},
        Utf8Case{"TruncatedAtTheEnd", "DL\xE2\x82", "DL\xC3\xA2\xC2\x82"},
        Utf8Case{"TruncatedFourBytesAtTheEnd", "\xF0\x9F\x93", "\xC3\xB0\xC2\x9F\xC2\x93"},
        Utf8Case{"TruncatedBeforeAscii",
                 "\xE2\x82"
                 "A",
                 "\xC3\xA2\xC2\x82"
                 "A"},
        Utf8Case{"TruncatedBeforeAnotherLead", "\xC3\xC3\xBC", "\xC3\x83\xC3\xBC"}));

// A plain decoder, written from the definition: gather the code point, then check its value.
std::size_t ReferenceSequenceLength(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    std::uint32_t point = 0;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        point = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        point = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        point = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        point = (point << 6) | (next & 0x3Fu);
    }
    constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
    return point < kSmallest[length] || point > 0x10FFFF || surrogate ? 0 : length;
}

std::string ReferenceValidUtf8(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = ReferenceSequenceLength(text, i);
        if (length > 0) {
            out += text.substr(i, length);
            i += length;
        } else {
            const auto byte = static_cast<unsigned char>(text[i++]);
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

TEST(Text, ValidUtf8AgreesWithAPlainDecoderOnRandomBytes)
{
    // Bytes at the edges of every range that matters, so that short texts hit the rules often.
    constexpr unsigned char kBytes[] = {0x00, 'A',  0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF,
                                        0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE,
                                        0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xF8, 0xFF};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kBytes) - 1);
    std::uniform_int_distribution<int> length(0, 12);
    std::string buffer;
    for (int round = 0; round < 50000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) {
            text += static_cast<char>(kBytes[pick(random)]);
        }
        const std::string expected = ReferenceValidUtf8(text);
        ASSERT_EQ(AsValidUtf8(text, buffer), expected) << testing::PrintToString(text);
        ASSERT_EQ(IsValidUtf8(text), expected == text) << testing::PrintToString(text);
    }
}

TEST(Text, ValidUtf8HandsValidTextBackWithoutCopying)
{
    const std::string text = "Land ermittelt : DL     f\xC3\xBCr DL1ABC  2023-01-05";
    std::string buffer;
    EXPECT_EQ(AsValidUtf8(text, buffer).data(), text.data());
    EXPECT_TRUE(buffer.empty());
}

struct TerminalCase
{
    const char* name;
    std::string input;
    std::string expected;
};

void PrintTo(const TerminalCase& value, std::ostream* out)
{
    *out << value.name;
}

class TerminalText : public testing::TestWithParam<TerminalCase>
{
};

TEST_P(TerminalText, ControlBytesAreShownEscaped)
{
    const TerminalCase& c = GetParam();
    const std::string escaped = EscapeForTerminal(c.input);
    EXPECT_EQ(escaped, c.expected);
    EXPECT_TRUE(IsValidUtf8(escaped));
}

INSTANTIATE_TEST_SUITE_P(
    Text, TerminalText,
    testing::Values(
        TerminalCase{"Plain", "Mode skipped: <CALL:6>DL1ABC", "Mode skipped: <CALL:6>DL1ABC"},
        TerminalCase{"ColourSequence", "\x1b[31mDL1ABC\x1b[0m", "\\x1b[31mDL1ABC\\x1b[0m"},
        TerminalCase{"WindowTitle", "\x1b]0;pwned\x07", "\\x1b]0;pwned\\x07"},
        TerminalCase{"LineControls", "a\tb\r\nc", "a\\x09b\\x0d\\x0ac"},
        TerminalCase{"NulAndUnitSeparator", std::string("x\0\x1fy", 4), "x\\x00\\x1fy"},
        TerminalCase{"Delete", "DL\x7f", "DL\\x7f"},
        TerminalCase{"C1Csi",
                     "\xC2\x9B"
                     "2J",
                     "\\xc2\\x9b2J"},
        TerminalCase{"FirstAndLastC1", "\xC2\x80\xC2\x9F", "\\xc2\\x80\\xc2\\x9f"},
        TerminalCase{"NoBreakSpaceIsNoControl",
                     "a\xC2\xA0"
                     "b",
                     "a\xC2\xA0"
                     "b"},
        TerminalCase{"Umlaut", "f\xC3\xBCr", "f\xC3\xBCr"},
        TerminalCase{"Latin1Byte", "f\xFCr", "f\\xfcr"},
        TerminalCase{"RawC1Byte",
                     "\x9B"
                     "2J",
                     "\\x9b2J"},
        TerminalCase{"CutOffSequence", "DL\xE2\x82", "DL\\xe2\\x82"},
        TerminalCase{"BackslashStays", "C:\\logs\\x1b.adi", "C:\\logs\\x1b.adi"},
        TerminalCase{"SpaceAndTildeStay", " ~", " ~"}));

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

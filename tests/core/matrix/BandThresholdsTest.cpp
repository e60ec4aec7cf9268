// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/BandThresholds.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace wendrix {
namespace {

TEST(BandThresholds, DefaultsAre75ForTopBand100UpToSixMetresNothingAboveAnd150ForAllBands)
{
    const BandThresholds thresholds;
    EXPECT_EQ(thresholds.For(0), 75);
    for (int b = 1; b <= 9; ++b) {
        EXPECT_EQ(thresholds.For(b), 100) << b;
    }
    for (int b = 10; b <= 16; ++b) {
        EXPECT_EQ(thresholds.For(b), 0) << b;
    }
    EXPECT_EQ(thresholds.For(kAllBands), 150);
}

TEST(BandThresholds, ReachingMeansAtLeast)
{
    const BandThresholds thresholds;
    EXPECT_FALSE(thresholds.Reaches(0, 74));
    EXPECT_TRUE(thresholds.Reaches(0, 75));
    EXPECT_TRUE(thresholds.Reaches(12, 0));
}

TEST(ThresholdStoredForm, ValuesAreLittleEndianSixteenBitInBandOrder)
{
    BandThresholds thresholds;
    thresholds.minimum[0] = 0x012C;  // 300
    thresholds.minimum[kAllBands] = 0x00FF;
    const auto bytes = EncodeThresholds(thresholds);
    EXPECT_EQ(bytes[0], 0x2C);
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(bytes[2], 100);  // 80 m
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(bytes[34], 0xFF);
    EXPECT_EQ(bytes[35], 0x00);
}

TEST(ThresholdStoredForm, DecodingWhatWasEncodedGivesTheSameThresholds)
{
    BandThresholds thresholds;
    for (std::size_t b = 0; b < thresholds.minimum.size(); ++b) {
        thresholds.minimum[b] = static_cast<int>(17 * b);
    }
    thresholds.minimum[5] = 300;
    const auto bytes = EncodeThresholds(thresholds);
    const auto decoded = DecodeThresholds(bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, thresholds);
}

class ThresholdBytesLength : public ::testing::TestWithParam<std::size_t>
{
};

TEST_P(ThresholdBytesLength, AnyLengthButThirtySixGivesNoValue)
{
    const std::vector<std::uint8_t> bytes(GetParam(), 1);
    EXPECT_EQ(DecodeThresholds(bytes), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ThresholdBytesLength,
                         ::testing::Values(std::size_t{0}, std::size_t{2}, std::size_t{35},
                                           std::size_t{37}, std::size_t{72}));

struct RangeCase
{
    const char* Text;
    std::optional<int> Value;
};

class ThresholdRangeCheck : public ::testing::TestWithParam<RangeCase>
{
};

TEST_P(ThresholdRangeCheck, TrimmedSignedDecimalFrom0To300)
{
    EXPECT_EQ(CheckThreshold(GetParam().Text), GetParam().Value) << '"' << GetParam().Text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ThresholdRangeCheck,
    ::testing::Values(RangeCase{"0", 0}, RangeCase{"300", 300}, RangeCase{"  150 ", 150},
                      RangeCase{"+7", 7}, RangeCase{"-0", 0}, RangeCase{"007", 7},
                      RangeCase{"301", std::nullopt}, RangeCase{"-1", std::nullopt},
                      RangeCase{"", std::nullopt}, RangeCase{"   ", std::nullopt},
                      RangeCase{"1 5", std::nullopt}, RangeCase{"12a", std::nullopt},
                      RangeCase{"99999999999999999999", std::nullopt}));

TEST(ThresholdRangeCheck, MessageNamesTheBounds)
{
    EXPECT_EQ(ThresholdRangeMessage(), "Value outside range of 0...300.");
    EXPECT_EQ(OutsideRangeMessage(-5, 12), "Value outside range of -5...12.");
}

}  // namespace
}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "matrix/Bands.h"

// The per-band minimum column sums of the club evaluation: a list counts for a column of a band
// only when its column sum there is at least the band's threshold.
namespace wendrix {

inline constexpr int kThresholdLow = 0;
inline constexpr int kThresholdHigh = 300;
// The stored form: 18 little-endian unsigned 16-bit values in BandIndex order.
inline constexpr std::size_t kThresholdBytes = 2 * kBandCount;

// 75 for 160 m, 100 for 80 m to 6 m, 0 for 2 m and up, 150 for the all-bands column.
[[nodiscard]] constexpr std::array<int, kBandCount> DefaultThresholds()
{
    std::array<int, kBandCount> minimum{};
    minimum[0] = 75;
    for (int b = 1; b <= 9; ++b) {
        minimum[static_cast<std::size_t>(b)] = 100;
    }
    minimum[kAllBands] = 150;
    return minimum;
}

struct BandThresholds
{
    std::array<int, kBandCount> minimum = DefaultThresholds();

    [[nodiscard]] int For(int band) const { return minimum.at(static_cast<std::size_t>(band)); }
    // "At least": a sum equal to the threshold counts.
    [[nodiscard]] bool Reaches(int band, int columnSum) const { return columnSum >= For(band); }
    friend bool operator==(const BandThresholds&, const BandThresholds&) = default;
};

// Values are written modulo 2^16, as the stored form can hold nothing else.
[[nodiscard]] std::array<std::uint8_t, kThresholdBytes>
EncodeThresholds(const BandThresholds& thresholds);
// Exactly 36 bytes give thresholds; any other length gives none (the caller keeps the defaults).
[[nodiscard]] std::optional<BandThresholds> DecodeThresholds(std::span<const std::uint8_t> bytes);

// The range check of typed numbers: surrounding blanks and control characters are removed and
// the rest is read as a signed decimal integer, valid when low <= value <= high.
[[nodiscard]] std::optional<int> CheckRange(std::string_view text, int low, int high);
[[nodiscard]] std::optional<int> CheckThreshold(std::string_view text);

// The message shown when the range check fails: "Value outside range of 0...300."
[[nodiscard]] std::string OutsideRangeMessage(int low, int high);
[[nodiscard]] std::string ThresholdRangeMessage();

// Where the thresholds are kept between runs.
class ThresholdStore
{
public:
    virtual ~ThresholdStore() = default;
    // The stored thresholds, or the defaults when none are stored or the value is malformed.
    [[nodiscard]] virtual BandThresholds Read() const = 0;
    // Stores the thresholds; a failure is not reported (the values still apply in memory).
    virtual void Write(const BandThresholds& thresholds) = 0;
};

}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/BandThresholds.h"

#include "common/Text.h"

namespace wendrix {

std::array<std::uint8_t, kThresholdBytes> EncodeThresholds(const BandThresholds& thresholds)
{
    std::array<std::uint8_t, kThresholdBytes> bytes{};
    for (std::size_t b = 0; b < thresholds.minimum.size(); ++b) {
        const auto value = static_cast<std::uint16_t>(thresholds.minimum[b]);
        bytes[2 * b] = static_cast<std::uint8_t>(value & 0xFFu);
        bytes[2 * b + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    return bytes;
}

std::optional<BandThresholds> DecodeThresholds(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != kThresholdBytes) {
        return std::nullopt;
    }
    BandThresholds thresholds;
    for (std::size_t b = 0; b < thresholds.minimum.size(); ++b) {
        thresholds.minimum[b] = bytes[2 * b] | (bytes[2 * b + 1] << 8);
    }
    return thresholds;
}

std::optional<int> CheckRange(std::string_view text, int low, int high)
{
    const auto value = ReadIntInRange(text, low, high);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<int> CheckThreshold(std::string_view text)
{
    return CheckRange(text, kThresholdLow, kThresholdHigh);
}

std::string OutsideRangeMessage(int low, int high)
{
    return "Value outside range of " + std::to_string(low) + "..." + std::to_string(high) + ".";
}

std::string ThresholdRangeMessage()
{
    return OutsideRangeMessage(kThresholdLow, kThresholdHigh);
}

}  // namespace wendrix

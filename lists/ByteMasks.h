// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Looking at eight bytes at once ("SIMD within a register"): the list reader and the evaluation
// handle millions of bytes per run, and a branch per byte is what costs most there.
namespace wendrix::bytes {

inline constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
inline constexpr std::uint64_t kHigh = 0x8080808080808080ull;
inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;

// Up to eight bytes as a word, byte 0 in the lowest bits; missing bytes are 0.
[[nodiscard]] inline std::uint64_t Load(const void* data, std::size_t count)
{
    const auto* p = static_cast<const unsigned char*>(data);
    if constexpr (std::endian::native == std::endian::little) {
        // Fixed sizes let the compiler turn the copies into single loads.
        if (count >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p, 8);
            return word;
        }
        if (count == 4) {
            std::uint32_t word = 0;
            std::memcpy(&word, p, 4);
            return word;
        }
    }
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < count && i < 8; ++i) {
        word |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    }
    return word;
}

// The high bit of every byte that is not zero (and nothing else).
[[nodiscard]] constexpr std::uint64_t NonZero(std::uint64_t word)
{
    return (((word & kLow7) + kLow7) | word) & kHigh;
}

// The high bit of every byte that differs from c.
[[nodiscard]] constexpr std::uint64_t Differs(std::uint64_t word, unsigned char c)
{
    return NonZero(word ^ (kOnes * c));
}

// Gathers the high bits of the eight bytes: bit i of the result is the high bit of byte i.
[[nodiscard]] constexpr std::uint8_t GatherHighBits(std::uint64_t highBits)
{
    return static_cast<std::uint8_t>((((highBits & kHigh) >> 7) * 0x0102040810204080ull) >> 56);
}

}  // namespace wendrix::bytes

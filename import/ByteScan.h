// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <cstddef>
#include <cstring>
#include <string_view>

// Finding one byte value in short stretches of text. ADIF has a '<' every dozen bytes or so, so
// the searches are short and the call overhead of memchr dominates; eight bytes at a time in a
// plain word keeps them cheap and needs no platform intrinsics.
namespace wendrix::detail {

// The first byte equal to c in [p, end), or end.
[[nodiscard]] inline const char* FindByte(const char* p, const char* end, char c)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t pattern = kOnes * static_cast<unsigned char>(c);
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        const std::uint64_t x = word ^ pattern;
        // A byte of x is zero exactly where its high bit ends up clear here.
        const std::uint64_t found = ~(((x & kLow7) + kLow7) | x | kLow7);
        if (found != 0) {
            if constexpr (std::endian::native == std::endian::little) {
                return p + (std::countr_zero(found) >> 3);
            } else {
                return p + (std::countl_zero(found) >> 3);
            }
        }
        p += 8;
    }
    while (p != end && *p != c) {
        ++p;
    }
    return p;
}

// The first byte equal to a or b in [p, end), or end.
[[nodiscard]] inline const char* FindEitherByte(const char* p, const char* end, char a, char b)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t patternA = kOnes * static_cast<unsigned char>(a);
    const std::uint64_t patternB = kOnes * static_cast<unsigned char>(b);
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        const std::uint64_t x = word ^ patternA;
        const std::uint64_t y = word ^ patternB;
        const std::uint64_t found =
            ~(((x & kLow7) + kLow7) | x | kLow7) | ~(((y & kLow7) + kLow7) | y | kLow7);
        if (found != 0) {
            if constexpr (std::endian::native == std::endian::little) {
                return p + (std::countr_zero(found) >> 3);
            } else {
                return p + (std::countl_zero(found) >> 3);
            }
        }
        p += 8;
    }
    while (p != end && *p != a && *p != b) {
        ++p;
    }
    return p;
}

// Turns a..z into A..Z in place, eight bytes at a time; every other byte stays as it is.
inline void AsciiUpperBlock(char* text, std::size_t length)
{
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text + i, 8);
        const std::uint64_t low7 = word & kLow7;
        const std::uint64_t atLeastA = low7 + kOnes * (0x80 - 'a');      // high bit: >= 'a'
        const std::uint64_t aboveZ = low7 + kOnes * (0x80 - 'z' - 1);    // high bit: > 'z'
        const std::uint64_t lower = atLeastA & ~aboveZ & ~word & kHigh;  // and below 0x80
        word ^= lower >> 2;                                              // 0x80 >> 2 = 0x20
        std::memcpy(text + i, &word, 8);
    }
    for (; i < length; ++i) {
        if (text[i] >= 'a' && text[i] <= 'z') {
            text[i] = static_cast<char>(text[i] - 32);
        }
    }
}

// Whether two short texts are equal, without a library call.
[[nodiscard]] inline bool Equal(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// Whether text begins with prefix; for short texts, without a library call.
[[nodiscard]] inline bool StartsWith(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (text[i] != prefix[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace wendrix::detail

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Looking at eight bytes at once in a plain word ("SIMD within a register"). The list reader and
// the evaluation handle millions of bytes per run, where a branch per byte is what costs most;
// ADIF has a '<' every dozen bytes or so, so its searches are short and the call overhead of
// memchr dominates. None of this needs platform intrinsics.
namespace wendrix::bytes {

inline constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
inline constexpr std::uint64_t kHigh = 0x8080808080808080ull;
inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;

// Up to eight bytes as a word, byte 0 in the lowest bits whatever the machine's byte order;
// missing bytes are 0.
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

// The high bit of every byte equal to c.
[[nodiscard]] constexpr std::uint64_t Equals(std::uint64_t word, char c)
{
    return ~Differs(word, static_cast<unsigned char>(c)) & kHigh;
}

// Gathers the high bits of the eight bytes: bit i of the result is the high bit of byte i.
[[nodiscard]] constexpr std::uint8_t GatherHighBits(std::uint64_t highBits)
{
    return static_cast<std::uint8_t>((((highBits & kHigh) >> 7) * 0x0102040810204080ull) >> 56);
}

// The index of the first byte whose high bit is set in a non-zero mask of a loaded word.
[[nodiscard]] constexpr std::size_t FirstMarked(std::uint64_t highBits)
{
    return static_cast<std::size_t>(std::countr_zero(highBits) >> 3);
}

// The first byte equal to c in [p, end), or end.
[[nodiscard]] inline const char* FindByte(const char* p, const char* end, char c)
{
    while (end - p >= 8) {
        const std::uint64_t found = Equals(Load(p, 8), c);
        if (found != 0) {
            return p + FirstMarked(found);
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
    while (end - p >= 8) {
        const std::uint64_t word = Load(p, 8);
        const std::uint64_t found = Equals(word, a) | Equals(word, b);
        if (found != 0) {
            return p + FirstMarked(found);
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

}  // namespace wendrix::bytes

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Addresses of the confirmation matrix: band columns and mode classes.
namespace wendrix {

inline constexpr int kBandCount = 18;      // BandIndex 0..17
inline constexpr int kPlanBandCount = 17;  // 0..16 are bands of the band plan
inline constexpr int kAllBands = 17;       // the all-bands column
inline constexpr int kListBandCount = 10;  // 160 m .. 6 m, the bands of the survey list file
inline constexpr int kBand30m = 3;
inline constexpr int kBand20m = 4;

inline constexpr int kModeCount = 4;  // ModeIndex 0..3
inline constexpr int kModeCw = 0;
inline constexpr int kModeFone = 1;
inline constexpr int kModeRtty = 2;
inline constexpr int kModeMixed = 3;

// Wherever the four classes of a column stand side by side: Mixed, CW, Fone, RTTY.
inline constexpr std::array<int, 4> kDisplayModeOrder{kModeMixed, kModeCw, kModeFone, kModeRtty};
inline constexpr std::array<char, 4> kDisplayModeLetters{'M', 'C', 'F', 'R'};

// A column or a mode class of the matrix. Built explicitly from a number, so a band cannot be
// passed where a mode class belongs, or the other way round, without a compile error.
template <typename Tag, int Count>
class MatrixIndex
{
public:
    constexpr explicit MatrixIndex(int value)
        : m_value(value)
    {
    }
    [[nodiscard]] constexpr int Value() const { return m_value; }
    [[nodiscard]] constexpr bool IsValid() const { return m_value >= 0 && m_value < Count; }
    [[nodiscard]] constexpr std::size_t Slot() const { return static_cast<std::size_t>(m_value); }
    friend constexpr bool operator==(MatrixIndex, MatrixIndex) = default;

private:
    int m_value;
};

using BandIndex = MatrixIndex<struct BandIndexTag, kBandCount>;
using ModeIndex = MatrixIndex<struct ModeIndexTag, kModeCount>;

// 30 m has no Fone cell: it can never be ticked and never counts.
[[nodiscard]] constexpr bool IsUsableCell(int band, int mode)
{
    return !(band == kBand30m && mode == kModeFone);
}
[[nodiscard]] constexpr bool IsUsableCell(BandIndex band, ModeIndex mode)
{
    return IsUsableCell(band.Value(), mode.Value());
}

// Header labels per BandIndex, with their blanks (" 1.8", "  7 ", ..., "Total").
inline constexpr std::array<std::string_view, kBandCount> kBandLabels{
    " 1.8", " 3.5", "  7 ", "  10", "  14", "  18", "  21", "  24", "  28",
    "  50", " 144", " 432", "1240", "2300", "3400", "5600", " 10G", "Total"};

}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/AwardCounts.h"

#include "common/Text.h"

namespace wendrix {

AwardCounts ComputeAwardCounts(const ColumnSumTable& sums)
{
    AwardCounts counts;
    int slot26 = 0;
    for (int b = 0; b <= 8; ++b) {
        const int mixed = sums[static_cast<std::size_t>(b)][kModeMixed];
        counts.NineBandMixed += mixed;
        if (b == 1 || b == 2 || b == 4 || b == 6 || b == 8) {
            counts.FiveBandMixed += mixed;
        }
        for (const int m : {kModeCw, kModeFone, kModeRtty}) {
            if (IsUsableCell(b, m)) {
                slot26 += sums[static_cast<std::size_t>(b)][static_cast<std::size_t>(m)];
            }
        }
    }
    counts.TenBandMixed = counts.NineBandMixed + sums[9][kModeMixed];
    counts.Slot26 = static_cast<std::uint16_t>(slot26);
    return counts;
}

std::string ColumnFigureText(const ColumnSumTable& sums, int band, int mode)
{
    if (!IsUsableCell(band, mode)) {
        return {};
    }
    const auto text =
        std::to_string(sums.at(static_cast<std::size_t>(band)).at(static_cast<std::size_t>(mode)));
    return mode == kModeMixed ? text : PadLeftSpaces(text, 3);
}

std::optional<std::string> PercentageText(std::uint32_t entityCount, std::uint32_t participantCount)
{
    if (participantCount == 0) {
        return std::nullopt;
    }
    const double percentage = static_cast<double>(std::uint64_t{entityCount} * 100u) /
                              static_cast<double>(participantCount);
    if (percentage == 0.0) {
        return std::string("-");
    }
    return PadLeftSpaces(std::to_string(RoundHalfEven(percentage)), 3);
}

}  // namespace wendrix

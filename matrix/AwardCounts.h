// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "matrix/ConfirmationMatrix.h"

namespace wendrix {

// Award-style counts over the column sums: numbers of entity-band (or entity-band-mode) pairs.
struct AwardCounts
{
    std::int32_t FiveBandMixed = 0;  // 80, 40, 20, 15, 10 m
    std::int32_t NineBandMixed = 0;  // 160 m .. 10 m
    std::int32_t TenBandMixed = 0;   // 160 m .. 6 m
    std::uint16_t Slot26 = 0;        // CW, Fone, RTTY on 160 m .. 10 m, without 30 m Fone
};

[[nodiscard]] AwardCounts ComputeAwardCounts(const ColumnSumTable& sums);

// Sum-row figure of one column and mode: the Mixed figure plain, CW/Fone/RTTY padded to three
// characters; empty for the 30 m Fone cell, which never counts.
[[nodiscard]] std::string ColumnFigureText(const ColumnSumTable& sums, int band, int mode);

// The share of counted lists confirming a cell, in percent, as the matrix shows it in the
// evaluation: none when no list counted; "-" for 0; else rounded half-even, padded to 3.
[[nodiscard]] std::optional<std::string> PercentageText(std::uint32_t entityCount,
                                                        std::uint32_t participantCount);

}  // namespace wendrix

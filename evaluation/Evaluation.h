// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "matrix/BandThresholds.h"
#include "matrix/ConfirmationMatrix.h"

// The club evaluation: which of the participants' lists count for each band and mode class, and
// for every entity how many of the counted lists confirm it.
namespace wendrix {

class Evaluation
{
public:
    static constexpr int kMaxEntities = ConfirmationMatrix::kMaxEntities;

    // Back to no participants: every count 0, every calls text empty.
    void Reset();

    // Adds the list now in the matrix as the participant with this call sign. The list counts
    // for a column (band, mode) when its column sum there is at least the band's threshold;
    // a column it does not reach gains nothing from it, not even for the entities it confirms.
    void AccumulateParticipant(std::string_view callSign, const ConfirmationMatrix& matrix,
                               const BandThresholds& thresholds);

    // Number of lists added, counted somewhere or not.
    [[nodiscard]] std::size_t ParticipantTotal() const { return m_participants.size(); }
    // Number of lists counted for the column.
    [[nodiscard]] std::uint16_t ParticipantCounts(int band, int mode) const;
    [[nodiscard]] const std::array<std::array<std::uint16_t, kModeCount>, kBandCount>&
    ParticipantCountTable() const
    {
        return m_participantCounts;
    }
    // Number of counted lists confirming the entity (1..400) in the column.
    [[nodiscard]] std::uint16_t EntityParticipantCounts(int entity, int band, int mode) const;
    // The call signs of those lists in the order they were added, each followed by one blank.
    // Built when asked for.
    [[nodiscard]] std::string EntityParticipantCalls(int entity, int band, int mode) const;

    // The share in thousandths as 4 characters: "   0" when nobody counted or nobody confirms,
    // "1000" when every counted list confirms, else rounded half to even (" 667").
    [[nodiscard]] std::string PerMilleText(int entity, int band, int mode) const;

private:
    // One bit per cell: bit 4 * band + mode.
    using CellMask = std::array<std::uint8_t, 9>;

    struct Participant
    {
        std::string CallSign;
        CellMask Counted{};       // the columns this list counted for
        std::uint32_t First = 0;  // its confirmations: m_confirmedEntities/m_confirmedCells
        std::uint32_t Count = 0;  // [First, First + Count), entities ascending
    };

    [[nodiscard]] static std::size_t EntitySlot(int entity, int band, int mode);

    std::array<std::array<std::uint16_t, kModeCount>, kBandCount> m_participantCounts{};
    std::vector<std::uint16_t> m_entityCounts = std::vector<std::uint16_t>(
        static_cast<std::size_t>(kMaxEntities + 1) * kBandCount * kModeCount);
    // Per participant only the entities that it confirms in a counted column, with those cells:
    // thousands of complete lists stay at a few tens of megabytes.
    std::vector<Participant> m_participants;
    std::vector<std::uint16_t> m_confirmedEntities;
    std::vector<CellMask> m_confirmedCells;
};

// The count of a column (3 digits, zero-filled) when it reaches the band's threshold, else 3
// blanks.
[[nodiscard]] std::string ThresholdCountText(const ColumnSumTable& sums,
                                             const BandThresholds& thresholds, int band, int mode);

// The evaluation log of one list: the call sign prefix ("DL1ABC : ") and the column sums of the
// all-bands column and of 160 m to 6 m, each group Mixed-CW-Fone-RTTY ("117-058-097-023").
[[nodiscard]] std::string CountsLine(std::string_view reportPrefix, const ColumnSumTable& sums);
// The same groups below it, with the counts that miss their threshold blanked out.
[[nodiscard]] std::string ThresholdLine(const ColumnSumTable& sums,
                                        const BandThresholds& thresholds);

}  // namespace wendrix

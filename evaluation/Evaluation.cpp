// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/Evaluation.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "common/Text.h"
#include "common/ByteSearch.h"

namespace wendrix {

namespace {

constexpr std::size_t kCellBits = static_cast<std::size_t>(kBandCount) * kModeCount;  // 72

[[nodiscard]] bool TestBit(const std::array<std::uint8_t, 9>& mask, std::size_t bit)
{
    return ((mask[bit / 8] >> (bit % 8)) & 1u) != 0;
}

[[nodiscard]] std::string Zero3(std::uint16_t value)
{
    return PadLeftZeros(std::to_string(value), 3);
}

template <typename Figure>
std::string Groups(Figure figure)
{
    std::string line;
    const auto group = [&](int band) {
        for (std::size_t k = 0; k < kDisplayModeOrder.size(); ++k) {
            if (k > 0) {
                line += '-';
            }
            line += figure(band, kDisplayModeOrder[k]);
        }
    };
    group(kAllBands);
    for (int b = 0; b < kListBandCount; ++b) {
        line += "  ";
        group(b);
    }
    return line;
}

}  // namespace

std::size_t Evaluation::EntitySlot(int entity, int band, int mode)
{
    return (static_cast<std::size_t>(entity) * kBandCount + static_cast<std::size_t>(band)) *
               kModeCount +
           static_cast<std::size_t>(mode);
}

void Evaluation::Reset()
{
    for (auto& band : m_participantCounts) {
        band.fill(0);
    }
    std::fill(m_entityCounts.begin(), m_entityCounts.end(), std::uint16_t{0});
    m_participants.clear();
    m_confirmedEntities.clear();
    m_confirmedCells.clear();
}

void Evaluation::AccumulateParticipant(std::string_view callSign, const ConfirmationMatrix& matrix,
                                       const BandThresholds& thresholds)
{
    Participant participant;
    participant.CallSign = std::string(callSign);
    participant.First = static_cast<std::uint32_t>(m_confirmedEntities.size());

    const ColumnSumTable& sums = matrix.ColumnSums();
    for (int b = 0; b < kBandCount; ++b) {
        for (int m = 0; m < kModeCount; ++m) {
            if (sums[static_cast<std::size_t>(b)][static_cast<std::size_t>(m)] >=
                thresholds.For(b)) {
                ++m_participantCounts[static_cast<std::size_t>(b)][static_cast<std::size_t>(m)];
                const std::size_t bit = static_cast<std::size_t>(b * kModeCount + m);
                participant.Counted[bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
            }
        }
    }
    const bool countsAnywhere = std::any_of(participant.Counted.begin(), participant.Counted.end(),
                                            [](std::uint8_t bits) { return bits != 0; });

    for (int e = 1; countsAnywhere && e <= kMaxEntities; ++e) {
        // A row holds 72 cells of one byte each: look at them eight at a time.
        static_assert(sizeof(ConfirmationMatrix::CellRow) == kCellBits);
        const auto* row = reinterpret_cast<const unsigned char*>(matrix.Row(e).data());
        CellMask cells{};
        bool any = false;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const std::uint64_t word = bytes::Load(row + 8 * k, 8);
            if (word != 0) {
                cells[k] = static_cast<std::uint8_t>(bytes::GatherHighBits(bytes::NonZero(word)) &
                                                     participant.Counted[k]);
                any = any || cells[k] != 0;
            }
        }
        if (!any) {
            continue;
        }
        for (std::size_t k = 0; k < cells.size(); ++k) {
            unsigned bits = cells[k];
            while (bits != 0) {
                const auto bit = 8 * k + static_cast<std::size_t>(std::countr_zero(bits));
                bits &= bits - 1;
                ++m_entityCounts[static_cast<std::size_t>(e) * kCellBits + bit];
            }
        }
        m_confirmedEntities.push_back(static_cast<std::uint16_t>(e));
        m_confirmedCells.push_back(cells);
    }
    participant.Count = static_cast<std::uint32_t>(m_confirmedEntities.size()) - participant.First;
    m_participants.push_back(std::move(participant));
}

std::uint16_t Evaluation::ParticipantCounts(int band, int mode) const
{
    return m_participantCounts.at(static_cast<std::size_t>(band))
        .at(static_cast<std::size_t>(mode));
}

std::uint16_t Evaluation::EntityParticipantCounts(int entity, int band, int mode) const
{
    if (entity < 0 || entity > kMaxEntities) {
        return 0;
    }
    return m_entityCounts.at(EntitySlot(entity, band, mode));
}

std::string Evaluation::EntityParticipantCalls(int entity, int band, int mode) const
{
    std::string calls;
    if (entity <= 0 || entity > kMaxEntities || band < 0 || band >= kBandCount || mode < 0 ||
        mode >= kModeCount) {
        return calls;
    }
    const auto bit = static_cast<std::size_t>(band * kModeCount + mode);
    const auto key = static_cast<std::uint16_t>(entity);
    for (const Participant& participant : m_participants) {
        if (!TestBit(participant.Counted, bit)) {
            continue;
        }
        const auto begin = m_confirmedEntities.begin() + participant.First;
        const auto end = begin + participant.Count;
        const auto found = std::lower_bound(begin, end, key);
        if (found != end && *found == key &&
            TestBit(m_confirmedCells[static_cast<std::size_t>(found - m_confirmedEntities.begin())],
                    bit)) {
            calls += participant.CallSign;
            calls += ' ';
        }
    }
    return calls;
}

std::string Evaluation::PerMilleText(int entity, int band, int mode) const
{
    const std::uint16_t participants = ParticipantCounts(band, mode);
    const std::uint16_t confirming = EntityParticipantCounts(entity, band, mode);
    if (participants == 0 || confirming == 0) {
        return "   0";
    }
    if (confirming == participants) {
        return "1000";
    }
    const double share =
        static_cast<double>(confirming) * 1000.0 / static_cast<double>(participants);
    return PadLeftSpaces(std::to_string(RoundHalfEven(share)), 4);
}

std::string ThresholdCountText(const ColumnSumTable& sums, const BandThresholds& thresholds,
                               int band, int mode)
{
    const std::uint16_t sum =
        sums.at(static_cast<std::size_t>(band)).at(static_cast<std::size_t>(mode));
    return thresholds.Reaches(band, sum) ? Zero3(sum) : std::string(3, ' ');
}

std::string CountsLine(std::string_view reportPrefix, const ColumnSumTable& sums)
{
    return std::string(reportPrefix) + Groups([&](int band, int mode) {
               return Zero3(sums[static_cast<std::size_t>(band)][static_cast<std::size_t>(mode)]);
           });
}

std::string ThresholdLine(const ColumnSumTable& sums, const BandThresholds& thresholds)
{
    return std::string(9, ' ') + Groups([&](int band, int mode) {
               return ThresholdCountText(sums, thresholds, band, mode);
           });
}

}  // namespace wendrix

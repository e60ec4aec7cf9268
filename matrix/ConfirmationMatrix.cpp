#include "matrix/ConfirmationMatrix.h"

#include <utility>

namespace wendrix {

namespace {
constexpr std::size_t kAll = kAllBands;
constexpr std::size_t kMixed = kModeMixed;
}  // namespace

void ConfirmationMatrix::ClearMatrix()
{
    for (auto& row : m_cells) {
        for (auto& band : row) {
            band.fill(0);
        }
    }
    for (auto& band : m_columnSums) {
        band.fill(0);
    }
}

void ConfirmationMatrix::Store(std::size_t entity, std::size_t band, std::size_t mode,
                               std::uint8_t value)
{
    std::uint8_t& cell = m_cells[entity][band][mode];
    const bool was = cell != 0;
    const bool now = value != 0;
    cell = value;
    // The sums count non-zero cells; adjusting them on every change gives the same figures as a
    // recount over all slots, without its cost on every imported contact.
    if (was != now) {
        if (now) {
            ++m_columnSums[band][mode];
        } else {
            --m_columnSums[band][mode];
        }
    }
}

bool ConfirmationMatrix::AnyBandHas(std::size_t entity, std::size_t mode) const
{
    for (std::size_t b = 0; b < kAll; ++b) {
        if (m_cells[entity][b][mode] != 0) {
            return true;
        }
    }
    return false;
}

bool ConfirmationMatrix::AnyAllBandsCell(std::size_t entity) const
{
    for (std::size_t m = 0; m < kModeCount; ++m) {
        if (m_cells[entity][kAll][m] != 0) {
            return true;
        }
    }
    return false;
}

bool ConfirmationMatrix::SetCell(int entityNumber, int bandIndex, int modeIndex,
                                 CellOperation operation)
{
    if (entityNumber <= 0 || entityNumber > kMaxEntities) {
        return false;
    }
    if (bandIndex < 0 || bandIndex >= kBandCount || modeIndex < 0 || modeIndex >= kModeCount) {
        return false;
    }
    if (!IsUsableCell(bandIndex, modeIndex)) {
        return false;
    }
    const auto entity = static_cast<std::size_t>(entityNumber);
    const auto band = static_cast<std::size_t>(bandIndex);
    const auto mode = static_cast<std::size_t>(modeIndex);

    std::uint8_t value = 0;
    switch (operation) {
    case CellOperation::Set:
        value = 1;
        break;
    case CellOperation::Toggle:
        value = static_cast<std::uint8_t>(m_cells[entity][band][mode] ^ 1u);
        break;
    default:
        value = 0;
        break;
    }
    Store(entity, band, mode, value);

    if (band == kAll) {
        if (value != 0) {
            Store(entity, kAll, kMixed, 1);
        } else if (mode != kMixed) {
            for (std::size_t b = 0; b < kAll; ++b) {
                Store(entity, b, mode, 0);
            }
        } else {
            for (std::size_t b = 0; b <= kAll; ++b) {
                for (std::size_t m = 0; m < kModeCount; ++m) {
                    Store(entity, b, m, 0);
                }
            }
        }
        if (!AnyAllBandsCell(entity)) {
            Store(entity, kAll, kMixed, 0);
        }
    } else if (value != 0) {
        Store(entity, kAll, mode, 1);
        Store(entity, kAll, kMixed, 1);
        Store(entity, band, kMixed, 1);
    } else {
        if (mode == kMixed) {
            for (std::size_t m = 0; m < kModeCount; ++m) {
                Store(entity, band, m, 0);
            }
        }
        if (!AnyBandHas(entity, mode)) {
            Store(entity, kAll, mode, 0);
            if (!AnyAllBandsCell(entity)) {
                Store(entity, kAll, kMixed, 0);
            }
        }
    }
    SetModified(true);
    return true;
}

void ConfirmationMatrix::WriteCell(int entity, int band, int mode, std::uint8_t value)
{
    if (entity <= 0 || entity > kMaxEntities || band < 0 || band >= kBandCount || mode < 0 ||
        mode >= kModeCount) {
        return;
    }
    Store(static_cast<std::size_t>(entity), static_cast<std::size_t>(band),
          static_cast<std::size_t>(mode), value);
}

void ConfirmationMatrix::SetModified(bool modified)
{
    if (modified == m_modified) {
        return;
    }
    m_modified = modified;
    if (m_modifiedObserver) {
        m_modifiedObserver(modified);
    }
}

void ConfirmationMatrix::SetModifiedObserver(std::function<void(bool)> observer)
{
    m_modifiedObserver = std::move(observer);
}

}  // namespace wendrix

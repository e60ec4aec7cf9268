// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/ConfirmationMatrix.h"

#include <algorithm>

namespace wendrix {

namespace {
constexpr std::size_t kAll = kAllBands;
constexpr std::size_t kMixed = kModeMixed;
}  // namespace

ConfirmationMatrix::ConfirmationMatrix(const ConfirmationMatrix& other)
    : m_cells(other.m_cells),
      m_columnSums(other.m_columnSums),
      m_marks(other.m_marks),
      m_modified(other.m_modified)
{
}

ConfirmationMatrix& ConfirmationMatrix::operator=(const ConfirmationMatrix& other)
{
    if (this != &other) {
        m_cells = other.m_cells;
        m_columnSums = other.m_columnSums;
        m_marks = other.m_marks;
        SetModified(other.m_modified);
        Notify(CellChange{});
    }
    return *this;
}

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
    m_marks = CellMarks{};
    Notify(CellChange{});
}

void ConfirmationMatrix::TakeCells(const ConfirmationMatrix& other)
{
    if (this == &other) {
        return;
    }
    m_cells = other.m_cells;
    m_columnSums = other.m_columnSums;
    m_marks = other.m_marks;
    Notify(CellChange{});
}

void ConfirmationMatrix::RestoreCells(const ConfirmationMatrix& earlier)
{
    if (this == &earlier) {
        return;
    }
    // The sums first: an observer told about a row may read them.
    m_columnSums = earlier.m_columnSums;
    for (std::size_t entity = 1; entity < m_cells.size(); ++entity) {
        CellChange change{static_cast<int>(entity), m_marks[entity] ^ earlier.m_marks[entity]};
        for (std::size_t band = 0; band < kBandCount; ++band) {
            for (std::size_t mode = 0; mode < kModeCount; ++mode) {
                if (m_cells[entity][band][mode] != earlier.m_cells[entity][band][mode]) {
                    change.cells.set(band * kModeCount + mode);
                }
            }
        }
        m_cells[entity] = earlier.m_cells[entity];
        m_marks[entity] = earlier.m_marks[entity];
        if (change.cells.any()) {
            Notify(change);
        }
    }
}

void ConfirmationMatrix::SetMarks(const CellMarks& marks)
{
    for (std::size_t entity = 1; entity < m_marks.size(); ++entity) {
        const RowMarks changed = m_marks[entity] ^ marks[entity];
        m_marks[entity] = marks[entity];
        if (changed.any()) {
            Notify(CellChange{static_cast<int>(entity), changed});
        }
    }
}

void ConfirmationMatrix::Store(std::size_t entity, std::size_t band, std::size_t mode,
                               std::uint8_t value)
{
    std::uint8_t& cell = m_cells[entity][band][mode];
    if (cell == value) {
        return;
    }
    const bool was = cell != 0;
    const bool now = value != 0;
    cell = value;
    m_change.cells.set(band * kModeCount + mode);
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

bool ConfirmationMatrix::SetCell(int entityNumber, BandIndex bandIndex, ModeIndex modeIndex,
                                 CellOperation operation)
{
    if (!IsEntity(entityNumber) || !bandIndex.IsValid() || !modeIndex.IsValid()) {
        return false;
    }
    if (!IsUsableCell(bandIndex, modeIndex)) {
        return false;
    }
    const auto entity = static_cast<std::size_t>(entityNumber);
    const auto band = bandIndex.Slot();
    const auto mode = modeIndex.Slot();
    m_change.entity = entityNumber;
    m_change.cells.reset();

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
    if (m_change.cells.any()) {
        Notify(m_change);
    }
    SetModified(true);
    return true;
}

void ConfirmationMatrix::WriteCell(int entity, BandIndex band, ModeIndex mode, std::uint8_t value)
{
    if (!IsEntity(entity) || !band.IsValid() || !mode.IsValid()) {
        return;
    }
    m_change.entity = entity;
    m_change.cells.reset();
    Store(static_cast<std::size_t>(entity), band.Slot(), mode.Slot(), value);
    if (m_change.cells.any()) {
        Notify(m_change);
    }
}

void ConfirmationMatrix::SetModified(bool modified)
{
    if (modified == m_modified) {
        return;
    }
    m_modified = modified;
    // A copy of the list: an observer may remove itself while it is told.
    const std::vector<MatrixObserver*> observers = m_observers;
    for (MatrixObserver* observer : observers) {
        observer->ModifiedChanged(modified);
    }
}

void ConfirmationMatrix::AddObserver(MatrixObserver& observer) const
{
    if (std::find(m_observers.begin(), m_observers.end(), &observer) == m_observers.end()) {
        m_observers.push_back(&observer);
    }
}

void ConfirmationMatrix::RemoveObserver(MatrixObserver& observer) const
{
    std::erase(m_observers, &observer);
}

void ConfirmationMatrix::Notify(const CellChange& change) const
{
    if (m_observers.empty()) {
        return;
    }
    const std::vector<MatrixObserver*> observers = m_observers;
    for (MatrixObserver* observer : observers) {
        observer->CellsChanged(change);
    }
}

}  // namespace wendrix

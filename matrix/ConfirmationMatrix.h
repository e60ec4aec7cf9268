// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "matrix/Bands.h"

namespace wendrix {

// The operation codes of SetCell; any other code acts as Clear.
enum class CellOperation : std::uint8_t {
    Clear = 0,
    Set = 1,
    Toggle = 2
};

using ColumnSumTable = std::array<std::array<std::uint16_t, kModeCount>, kBandCount>;

// The cells of one row that a change touched, bit band * kModeCount + mode. Entity 0 stands for
// every row at once (the whole matrix was cleared).
struct CellChange
{
    static constexpr int kCellsPerRow = kBandCount * kModeCount;
    int entity = 0;
    std::bitset<kCellsPerRow> cells;

    [[nodiscard]] bool AllRows() const { return entity == 0; }
    [[nodiscard]] bool Has(BandIndex band, ModeIndex mode) const
    {
        return AllRows() || cells.test(band.Slot() * kModeCount + mode.Slot());
    }
};

// Told about every change of the matrix: the view repaints only the cells that changed, the save
// button follows the modified state.
class MatrixObserver
{
public:
    virtual ~MatrixObserver() = default;
    // Cells of one row (or of all rows) and with them the column sums changed.
    virtual void CellsChanged(const CellChange& change) = 0;
    virtual void ModifiedChanged(bool modified) = 0;
};

// The confirmation cells of every entity (1..400) by band and mode class, with the column sums
// kept consistent with them, and the "modified since the last save" state that SetCell raises.
class ConfirmationMatrix
{
public:
    static constexpr int kMaxEntities = 400;
    using CellRow = std::array<std::array<std::uint8_t, kModeCount>, kBandCount>;
    // Beside its cells the matrix keeps a mark per cell: the cells the last import ticked, which
    // the window outlines. Marks are no part of the list: no file holds them, and SetCell leaves
    // them alone. Bit band * kModeCount + mode of an entity's row, as in CellChange.
    using RowMarks = std::bitset<CellChange::kCellsPerRow>;
    using CellMarks = std::array<RowMarks, kMaxEntities + 1>;

    ConfirmationMatrix() = default;
    // Observers belong to one matrix: a copy starts without them.
    ConfirmationMatrix(const ConfirmationMatrix& other);
    ConfirmationMatrix& operator=(const ConfirmationMatrix& other);

    // Clears every cell, sum and mark. Leaves the modified state alone.
    void ClearMatrix();

    // Takes every cell, sum and mark of the other matrix with one notice for all rows (a matrix
    // filled without observers, then shown). Leaves the modified state and the observers alone.
    void TakeCells(const ConfirmationMatrix& other);

    // Takes the cells, sums and marks of an earlier copy of this matrix (a step taken back),
    // telling the observers about each row that differs. Leaves the modified state alone.
    void RestoreCells(const ConfirmationMatrix& earlier);

    // Sets, toggles or clears one cell with its dependent Mixed and all-bands cells. Refuses
    // entity 0 or above 400, indices out of range and the 30 m Fone cell; returns whether it was
    // carried out. A carried out call marks the matrix modified.
    bool SetCell(int entity, BandIndex band, ModeIndex mode, CellOperation operation);

    // Writes one cell as it stands, without the dependent-cell rules and without touching the
    // modified state (for readers of stored lists). The sums stay consistent.
    void WriteCell(int entity, BandIndex band, ModeIndex mode, std::uint8_t value);

    // Reading never throws: anything out of range reads as a clear cell, so painting can ask
    // about any row it is given.
    [[nodiscard]] std::uint8_t Cell(int entity, BandIndex band, ModeIndex mode) const noexcept
    {
        if (!IsEntity(entity) || !band.IsValid() || !mode.IsValid()) {
            return 0;
        }
        return m_cells[static_cast<std::size_t>(entity)][band.Slot()][mode.Slot()];
    }
    [[nodiscard]] bool IsTicked(int entity, BandIndex band, ModeIndex mode) const noexcept
    {
        return Cell(entity, band, mode) != 0;
    }
    // The whole row of an entity; a clear row for anything out of range.
    [[nodiscard]] const CellRow& Row(int entity) const noexcept
    {
        return m_cells[IsEntity(entity) ? static_cast<std::size_t>(entity) : 0];
    }
    [[nodiscard]] bool IsMarked(int entity, BandIndex band, ModeIndex mode) const noexcept
    {
        if (!IsEntity(entity) || !band.IsValid() || !mode.IsValid()) {
            return false;
        }
        return m_marks[static_cast<std::size_t>(entity)].test(band.Slot() * kModeCount +
                                                              mode.Slot());
    }
    [[nodiscard]] const CellMarks& Marks() const noexcept { return m_marks; }
    // Marks exactly the given cells, telling the observers about each row whose marks changed.
    void SetMarks(const CellMarks& marks);

    // Number of entities (all 400 slots) with the cell ticked, per band and mode.
    [[nodiscard]] const ColumnSumTable& ColumnSums() const noexcept { return m_columnSums; }
    [[nodiscard]] std::uint16_t ColumnSum(BandIndex band, ModeIndex mode) const noexcept
    {
        return band.IsValid() && mode.IsValid() ? m_columnSums[band.Slot()][mode.Slot()] : 0;
    }

    // The unsaved-changes state: raised by every carried-out SetCell, lowered by a good save.
    [[nodiscard]] bool Modified() const noexcept { return m_modified; }
    void SetModified(bool modified);

    // Observers are not owned; one must be removed before it is destroyed. Watching changes
    // nothing of the matrix, so a view that only reads it may watch it too.
    void AddObserver(MatrixObserver& observer) const;
    void RemoveObserver(MatrixObserver& observer) const;

private:
    [[nodiscard]] static constexpr bool IsEntity(int entity)
    {
        return entity > 0 && entity <= kMaxEntities;
    }
    void Store(std::size_t entity, std::size_t band, std::size_t mode, std::uint8_t value);
    [[nodiscard]] bool AnyBandHas(std::size_t entity, std::size_t mode) const;
    [[nodiscard]] bool AnyAllBandsCell(std::size_t entity) const;
    void Notify(const CellChange& change) const;

    std::array<CellRow, kMaxEntities + 1> m_cells{};  // slot 0 stays clear
    ColumnSumTable m_columnSums{};
    CellMarks m_marks{};
    bool m_modified = false;
    mutable std::vector<MatrixObserver*> m_observers;
    CellChange m_change;  // the cells the running operation touched
};

}  // namespace wendrix

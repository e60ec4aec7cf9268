#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "matrix/Bands.h"

namespace wendrix {

// The operation codes of SetCell; any other code acts as Clear.
enum class CellOperation : std::uint8_t { Clear = 0, Set = 1, Toggle = 2 };

using ColumnSumTable = std::array<std::array<std::uint16_t, kModeCount>, kBandCount>;

// The confirmation cells of every entity (1..400) by band and mode class, with the column sums
// kept consistent with them, and the "modified since the last save" state that SetCell raises.
class ConfirmationMatrix
{
public:
    static constexpr int kMaxEntities = 400;
    using CellRow = std::array<std::array<std::uint8_t, kModeCount>, kBandCount>;

    // Clears every cell and sum. Leaves the modified state alone.
    void ClearMatrix();

    // Sets, toggles or clears one cell with its dependent Mixed and all-bands cells. Refuses
    // entity 0 or above 400 and the 30 m Fone cell; returns whether it was carried out. A carried
    // out call marks the matrix modified.
    bool SetCell(int entity, int band, int mode, CellOperation operation);

    // Writes one cell as it stands, without the dependent-cell rules and without touching the
    // modified state (for readers of stored lists). The sums stay consistent.
    void WriteCell(int entity, int band, int mode, std::uint8_t value);

    [[nodiscard]] std::uint8_t Cell(int entity, int band, int mode) const
    {
        return m_cells.at(static_cast<std::size_t>(entity))
            .at(static_cast<std::size_t>(band))
            .at(static_cast<std::size_t>(mode));
    }
    [[nodiscard]] bool IsTicked(int entity, int band, int mode) const
    {
        return Cell(entity, band, mode) != 0;
    }
    [[nodiscard]] const CellRow& Row(int entity) const
    {
        return m_cells.at(static_cast<std::size_t>(entity));
    }
    // Number of entities (all 400 slots) with the cell ticked, per band and mode.
    [[nodiscard]] const ColumnSumTable& ColumnSums() const { return m_columnSums; }
    [[nodiscard]] std::uint16_t ColumnSum(int band, int mode) const
    {
        return m_columnSums.at(static_cast<std::size_t>(band)).at(static_cast<std::size_t>(mode));
    }

    // The unsaved-changes state: raised by every carried-out SetCell, lowered by a good save.
    [[nodiscard]] bool Modified() const { return m_modified; }
    void SetModified(bool modified);
    // Called whenever the modified state changes, with the new state.
    void SetModifiedObserver(std::function<void(bool)> observer);

private:
    void Store(std::size_t entity, std::size_t band, std::size_t mode, std::uint8_t value);
    [[nodiscard]] bool AnyBandHas(std::size_t entity, std::size_t mode) const;
    [[nodiscard]] bool AnyAllBandsCell(std::size_t entity) const;

    std::array<CellRow, kMaxEntities + 1> m_cells{};   // slot 0 stays clear
    ColumnSumTable m_columnSums{};
    bool m_modified = false;
    std::function<void(bool)> m_modifiedObserver;
};

}  // namespace wendrix

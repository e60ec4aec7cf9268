// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "matrix/ConfirmationMatrix.h"

// The hand-editing commands of the matrix view: whole columns and rows ticked or cleared through
// the popup menu, and the whole list cleared.
namespace wendrix {

// What a right click on the matrix aimed at. A click in the prefix or name column names a row
// but no band; a click below the last row names nothing.
struct PopupTarget
{
    int entity = 0;                 // 1..EntityCount, 0: no row
    std::optional<BandIndex> band;  // none: no count column was hit
    ModeIndex mode{kModeCw};

    [[nodiscard]] bool HasRow() const { return entity > 0; }
    [[nodiscard]] bool HasColumn() const { return HasRow() && band.has_value(); }
    friend bool operator==(const PopupTarget&, const PopupTarget&) = default;
};

enum class PopupCommand {
    ColumnSetAll,    // "Spalte" / "Alles ankreuzen"
    ColumnResetAll,  // "Spalte" / "Alles löschen"
    RowSetAll,       // "Zeile" / "Ankreuzen" / "Alles"
    RowSetCw,        // "Zeile" / "Ankreuzen" / "CW"
    RowSetFone,      // "Zeile" / "Ankreuzen" / "Fone"
    RowSetRtty,      // "Zeile" / "Ankreuzen" / "RTTY"
    RowResetAll,     // "Zeile" / "Alles löschen"
};

// Column commands need a hit count column; row commands need a row.
[[nodiscard]] bool IsAvailable(PopupCommand command, const PopupTarget& target);

// Carries out a command on the target through SetCell, so every dependent cell, sum and the
// modified state follow. Column commands run over entities 1..entityCount in the target's band
// and mode; row commands over the ten shown bands 160 m..6 m of the target's entity (the
// all-bands column follows through SetCell), within a band in the order CW, Fone, RTTY, Mixed.
// An unavailable command does nothing.
void ApplyPopupCommand(ConfirmationMatrix& matrix, int entityCount, const PopupTarget& target,
                       PopupCommand command);

}  // namespace wendrix

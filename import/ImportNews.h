// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "matrix/ConfirmationMatrix.h"

namespace wendrix {
class EntityCatalogue;
}  // namespace wendrix

// What an import run added to the matrix, as the member wants to hear it after downloading this
// year's confirmations: entities never confirmed before, new bands of known entities and new
// mode classes on known bands. Found by comparing the matrix before and after the run, so cells
// ticked before stay out however often the logs confirm them again.
namespace wendrix {

// A band of the list (160 m .. 6 m, or the all-bands column for contacts on 2 m and up or outside
// the band plan) and mode class (CW, Fone, RTTY) the run newly ticked.
struct NewCell
{
    int Band = 0;
    int Mode = 0;
    friend bool operator==(const NewCell&, const NewCell&) = default;
};

// The new cells of one entity within a group, in band order and within a band CW, Fone, RTTY.
struct EntityNews
{
    int Entity = 0;
    std::vector<NewCell> Cells;
    friend bool operator==(const EntityNews&, const EntityNews&) = default;
};

struct ImportNews
{
    std::vector<EntityNews> NewEntities;  // nothing of the entity was ticked before
    std::vector<EntityNews> NewBands;     // the entity was known, the band had no tick
    std::vector<EntityNews> NewSlots;     // the entity's band was known, the mode class not
    // Every cell the run ticked that was clear before, with the Mixed and all-bands cells that
    // followed: what the window outlines.
    ConfirmationMatrix::CellMarks Ticked{};

    [[nodiscard]] int EntityCount() const { return static_cast<int>(NewEntities.size()); }
    // New bands of known entities, counted per entity and band.
    [[nodiscard]] int BandCount() const;
    // New mode classes on known bands, counted per cell.
    [[nodiscard]] int SlotCount() const;
    [[nodiscard]] bool Empty() const
    {
        return NewEntities.empty() && NewBands.empty() && NewSlots.empty();
    }
};

// The news of a run that turned `before` into `after` (a run only ever ticks cells).
[[nodiscard]] ImportNews CompareForNews(const ConfirmationMatrix& before,
                                        const ConfirmationMatrix& after);

// The lines after the report's own: each group with its count and one line per entity
// ("Neu: 3A Monaco — 14 MHz CW, 21 MHz RTTY"); one line when nothing is new.
[[nodiscard]] std::vector<std::string> NewsReportLines(const ImportNews& news,
                                                       const EntityCatalogue& catalogue);
// The line added to the summary message, with the three counts.
[[nodiscard]] std::string NewsSummaryLine(const ImportNews& news);

}  // namespace wendrix

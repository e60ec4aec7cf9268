// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QPoint>

#include "matrix/Bands.h"

// The columns of the matrix grids: which band a grid column shows, where its quarter cells lie,
// and what a mouse position on the matrix hits.
namespace wendrix::ui {

class GridGeometry;

inline constexpr int kGridColumnCount = 13;  // prefix, name, all bands, 160 m .. 6 m
inline constexpr int kPrefixColumn = 0;
inline constexpr int kNameColumn = 1;
inline constexpr int kFirstCountColumn = 2;
inline constexpr int kLastCountColumn = 12;
inline constexpr int kColumn30m = 3 + kBand30m;

// BandIndex shown by count column 2..12: 17 (all bands) in column 2, else column - 3.
[[nodiscard]] constexpr int BandOfColumn(int column)
{
    return column == kFirstCountColumn ? kAllBands : column - 3;
}
// The count column of a band, none for the bands from 2 m up, which are never shown.
[[nodiscard]] constexpr std::optional<int> ColumnOfBand(int band)
{
    if (band == kAllBands) {
        return kFirstCountColumn;
    }
    if (band >= 0 && band < kListBandCount) {
        return band + 3;
    }
    return std::nullopt;
}
// Quarter k of a count cell shows mode Mixed, CW, Fone, RTTY for k = 0..3.
[[nodiscard]] constexpr int ModeOfQuarter(int quarter)
{
    return kDisplayModeOrder[static_cast<std::size_t>(quarter)];
}
[[nodiscard]] constexpr int QuarterOfMode(int mode)
{
    for (int k = 0; k < 4; ++k) {
        if (kDisplayModeOrder[static_cast<std::size_t>(k)] == mode) {
            return k;
        }
    }
    return -1;
}
// Whether quarter k of a count column is ever painted: never the 30 m Fone quarter.
[[nodiscard]] constexpr bool IsPaintedQuarter(int column, int quarter)
{
    return IsUsableCell(BandOfColumn(column), ModeOfQuarter(quarter));
}

struct ColumnEdge
{
    std::int32_t Left = 0;          // in header client pixels
    std::int32_t QuarterWidth = 0;  // W
    friend bool operator==(const ColumnEdge&, const ColumnEdge&) = default;
};

// A count cell hit by the mouse: the grid column, the quarter and what they stand for.
struct CountCellHit
{
    int Column = 0;
    int Quarter = 0;
    BandIndex Band{0};
    ModeIndex Mode{0};
};

// What a mouse-down on the matrix hit: the row's entity and, unless the position lies in the
// prefix or name column, a count cell.
struct MatrixHit
{
    int Entity = 0;
    std::optional<CountCellHit> Cell;
};

// Left edge and quarter width of the count columns 2..12, as the header paints them. The sum
// row reads the quarter widths, the mouse handling of the matrix both.
class ColumnGeometry
{
public:
    ColumnGeometry() = default;
    // The edges the header paints with the given geometry, known before the first paint.
    explicit ColumnGeometry(const GridGeometry& header);

    void Record(int column, int left, int quarterWidth);
    [[nodiscard]] ColumnEdge Edge(int column) const;
    // False until the count columns have been recorded.
    [[nodiscard]] bool IsRecorded() const { return Edge(3).Left != 0; }

    // The count cell at x: the rightmost column whose left edge is at or left of x, the quarter
    // (x - left) / W limited to 3 (so the pixels right of the last quarter, which W rounded down
    // leaves over, count to RTTY). None left of column 2 or while nothing is recorded.
    [[nodiscard]] std::optional<CountCellHit> HitAt(int x) const;

private:
    std::array<ColumnEdge, kGridColumnCount> m_edges{};
};

// Hit test of a mouse-down at a viewport position of the matrix grid: row = y / (row height + 1)
// + top row; none when that row does not exist (below the last row).
[[nodiscard]] std::optional<MatrixHit> HitTestMatrix(QPoint position, int rowHeight, int topRow,
                                                     int rowCount, const ColumnGeometry& columns);

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/matrix/ColumnGeometry.h"

#include <algorithm>

#include "ui/matrix/GridGeometry.h"

namespace wendrix::ui {

ColumnGeometry::ColumnGeometry(const GridGeometry& header)
{
    for (int column = kFirstCountColumn; column <= kLastCountColumn; ++column) {
        const QRect cell = header.CellRect(column, 1);
        Record(column, cell.left(), QuarterWidth(cell));
    }
}

void ColumnGeometry::Record(int column, int left, int quarterWidth)
{
    if (column < kFirstCountColumn || column > kLastCountColumn) {
        return;
    }
    m_edges[static_cast<std::size_t>(column)] = ColumnEdge{left, quarterWidth};
}

ColumnEdge ColumnGeometry::Edge(int column) const
{
    if (column < kFirstCountColumn || column > kLastCountColumn) {
        return {};
    }
    return m_edges[static_cast<std::size_t>(column)];
}

std::optional<CountCellHit> ColumnGeometry::HitAt(int x) const
{
    if (!IsRecorded()) {
        return std::nullopt;
    }
    for (int column = kLastCountColumn; column >= kFirstCountColumn; --column) {
        const ColumnEdge edge = Edge(column);
        if (edge.Left > x) {
            continue;
        }
        if (edge.QuarterWidth <= 0) {
            return std::nullopt;
        }
        const int quarter = std::min((x - edge.Left) / edge.QuarterWidth, 3);
        return CountCellHit{column, quarter, BandIndex{BandOfColumn(column)},
                            ModeIndex{ModeOfQuarter(quarter)}};
    }
    return std::nullopt;
}

std::optional<MatrixHit> HitTestMatrix(QPoint position, int rowHeight, int topRow, int rowCount,
                                       const ColumnGeometry& columns)
{
    if (position.y() < 0 || rowHeight < 0) {
        return std::nullopt;
    }
    const int row = position.y() / (rowHeight + 1) + topRow;
    if (row >= rowCount) {
        return std::nullopt;
    }
    return MatrixHit{row + 1, columns.HitAt(position.x())};
}

}  // namespace wendrix::ui

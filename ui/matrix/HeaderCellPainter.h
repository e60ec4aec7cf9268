// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "ui/matrix/MatrixStyle.h"
#include "ui/matrix/OwnerDrawGrid.h"

namespace wendrix::ui {

class ColumnGeometry;

// The two header rows: band labels above, the mode letters on their coloured quarters below,
// and the colour legend over the name column. Painting the second row records where the count
// columns and their quarters lie.
class HeaderCellPainter final : public CellPainter
{
public:
    HeaderCellPainter(ColumnGeometry& columns, GridColours colours);

    void PaintCell(QPainter& painter, int column, int row, const QRect& cell) const override;

private:
    void PaintLegend(QPainter& painter, const QRect& cell) const;
    void PaintQuarters(QPainter& painter, int column, const QRect& cell) const;

    ColumnGeometry& m_columns;
    GridColours m_colours;
    QFont m_font;
};

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/matrix/HeaderCellPainter.h"

#include <array>

#include <QPainter>

#include "matrix/Bands.h"
#include "ui/CoreText.h"
#include "ui/matrix/ColumnGeometry.h"

namespace wendrix::ui {

namespace {
constexpr int kLegendGap = 10;
}

HeaderCellPainter::HeaderCellPainter(ColumnGeometry& columns, GridColours colours)
    : m_columns(columns),
      m_colours(colours),
      m_font(ArialFont(12))
{
}

void HeaderCellPainter::PaintCell(QPainter& painter, int column, int row, const QRect& cell) const
{
    painter.setFont(m_font);
    painter.setPen(QPen(Qt::black, 1));
    if (row == 0) {
        painter.fillRect(cell, m_colours.Fixed);
        if (column >= kFirstCountColumn) {
            const auto label = kBandLabels[static_cast<std::size_t>(BandOfColumn(column))];
            DrawTextAt(painter, cell.left() + 3, cell.top() + 2, FromCoreText(label));
        }
        return;
    }
    if (column == kPrefixColumn) {
        painter.fillRect(cell, m_colours.Fixed);
    } else if (column == kNameColumn) {
        painter.fillRect(cell, m_colours.Fixed);
        PaintLegend(painter, cell);
    } else {
        PaintQuarters(painter, column, cell);
    }
}

void HeaderCellPainter::PaintLegend(QPainter& painter, const QRect& cell) const
{
    static const std::array<QString, 4> words{QStringLiteral("MIXED"), QStringLiteral("CW"),
                                              QStringLiteral("Fone"), QStringLiteral("RTTY")};
    int x = cell.left() + 3;
    for (std::size_t k = 0; k < words.size(); ++k) {
        painter.setPen(ModeColours()[k]);
        DrawTextAt(painter, x, cell.top() + 2, words[k]);
        x += painter.fontMetrics().horizontalAdvance(words[k]) + kLegendGap;
    }
    painter.setPen(Qt::black);
}

void HeaderCellPainter::PaintQuarters(QPainter& painter, int column, const QRect& cell) const
{
    m_columns.Record(column, cell.left(), QuarterWidth(cell));
    for (int k = 0; k < 4; ++k) {
        if (!IsPaintedQuarter(column, k)) {
            continue;
        }
        const QRect quarter = QuarterRect(cell, k, QuarterSpacing::Touching);
        painter.fillRect(quarter, ModeColours()[static_cast<std::size_t>(k)]);
        painter.save();
        painter.setClipRect(quarter, Qt::IntersectClip);
        DrawTextAt(painter, quarter.left() + 2, cell.top() + 2,
                   QString(QLatin1Char(kDisplayModeLetters[static_cast<std::size_t>(k)])));
        painter.restore();
    }
}

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/matrix/MatrixCellPainter.h"

#include <string>

#include <QPainter>

#include "catalogue/EntityCatalogue.h"
#include "evaluation/Evaluation.h"
#include "matrix/AwardCounts.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/CoreText.h"
#include "ui/matrix/ColumnGeometry.h"

namespace wendrix::ui {

MatrixCellPainter::MatrixCellPainter(const EntityCatalogue& catalogue, GridColours colours)
    : m_catalogue(catalogue),
      m_colours(colours),
      m_regular(ArialFont(12)),
      m_bold(ArialFont(12, true))
{
}

void MatrixCellPainter::PaintCell(QPainter& painter, int column, int row, const QRect& cell) const
{
    const int entity = row + 1;
    if (entity < 1 || entity > m_catalogue.EntityCount()) {
        return;
    }
    painter.setPen(QPen(m_colours.Text, 1));
    if (column == kPrefixColumn || column == kNameColumn) {
        const EntityRecord& record = m_catalogue.Entity(static_cast<std::uint16_t>(entity));
        painter.setFont(column == kPrefixColumn ? m_bold : m_regular);
        painter.fillRect(cell, m_colours.Fixed);
        DrawTextAt(painter, cell.left() + 3, cell.top() + 2,
                   FromCoreText(column == kPrefixColumn ? record.MainPrefix : record.Name));
        return;
    }
    PaintQuarters(painter, entity, column, cell);
}

void MatrixCellPainter::PaintFrame(QPainter& painter, const QRect& quarter,
                                   const QColor& colour) const
{
    // A one-pixel frame around the white inside: the quarter filled in the colour, then the
    // inside in white. A thousand framed quarters fill a screen, and two solid fills are much
    // cheaper for the raster engine than an outline or four strips.
    painter.fillRect(quarter, colour);
    painter.fillRect(quarter.adjusted(1, 1, -1, -1), m_colours.Cell);
}

TickCellPainter::TickCellPainter(const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix,
                                 GridColours colours)
    : MatrixCellPainter(catalogue, colours),
      m_matrix(matrix),
      m_mark(QStringLiteral("X"))
{
    m_mark.setTextFormat(Qt::PlainText);
}

void TickCellPainter::PaintQuarters(QPainter& painter, int entity, int column,
                                    const QRect& cell) const
{
    painter.setFont(BoldFont());
    const BandIndex band{BandOfColumn(column)};
    for (int k = 0; k < 4; ++k) {
        if (!IsPaintedQuarter(column, k)) {
            continue;
        }
        const QColor& colour = ModeColours()[static_cast<std::size_t>(k)];
        const QRect quarter = QuarterRect(cell, k, QuarterSpacing::Gapped);
        const ModeIndex mode{ModeOfQuarter(k)};
        if (m_matrix.IsTicked(entity, band, mode)) {
            painter.fillRect(quarter, colour);
            if (m_matrix.IsMarked(entity, band, mode)) {
                PaintImportMark(painter, quarter);
            }
            painter.setPen(Colours().Text);
            painter.drawStaticText(quarter.left() + 2, cell.top() + 2, m_mark);
        } else {
            PaintFrame(painter, quarter, colour);
        }
    }
}

void TickCellPainter::PaintImportMark(QPainter& painter, const QRect& quarter)
{
    // Dark blue stands out on all four quarter colours and differs from the grey grid lines and
    // the black "X". Four strips, as cheap as the frames.
    static const QColor kMark(0, 0, 160);
    constexpr int kWidth = 2;
    const QRect inside = quarter.adjusted(1, 1, -1, -1);
    painter.fillRect(QRect(inside.left(), inside.top(), inside.width(), kWidth), kMark);
    painter.fillRect(QRect(inside.left(), inside.bottom() - kWidth + 1, inside.width(), kWidth),
                     kMark);
    painter.fillRect(QRect(inside.left(), inside.top(), kWidth, inside.height()), kMark);
    painter.fillRect(QRect(inside.right() - kWidth + 1, inside.top(), kWidth, inside.height()),
                     kMark);
}

ShareCellPainter::ShareCellPainter(const EntityCatalogue& catalogue, const Evaluation& evaluation,
                                   GridColours colours)
    : MatrixCellPainter(catalogue, colours),
      m_evaluation(evaluation),
      m_share(ArialFont(7))
{
}

void ShareCellPainter::PaintQuarters(QPainter& painter, int entity, int column,
                                     const QRect& cell) const
{
    painter.setFont(m_share);
    const int band = BandOfColumn(column);
    for (int k = 0; k < 4; ++k) {
        if (!IsPaintedQuarter(column, k)) {
            continue;
        }
        const int mode = ModeOfQuarter(k);
        const QColor& colour = ModeColours()[static_cast<std::size_t>(k)];
        const QRect quarter = QuarterRect(cell, k, QuarterSpacing::Gapped);
        const auto text = PercentageText(m_evaluation.EntityParticipantCounts(entity, band, mode),
                                         m_evaluation.ParticipantCounts(band, mode));
        if (!text) {
            PaintFrame(painter, quarter, colour);
            continue;
        }
        painter.fillRect(quarter, colour);
        painter.setPen(Colours().Text);
        const bool none = *text == "-";
        QStaticText& shown = m_shareTexts[none ? 101 : std::stoul(*text)];
        if (shown.text().isEmpty()) {
            shown.setText(FromCoreText(*text));
            shown.setTextFormat(Qt::PlainText);
        }
        painter.drawStaticText(none ? quarter.left() + 5 : quarter.left(), cell.top() + 2, shown);
    }
}

}  // namespace wendrix::ui

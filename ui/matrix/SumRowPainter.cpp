// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/matrix/SumRowPainter.h"

#include <array>

#include <QPainter>

#include "evaluation/Evaluation.h"
#include "matrix/AwardCounts.h"
#include "ui/CoreText.h"
#include "ui/matrix/ColumnGeometry.h"
#include "ui/matrix/GridGeometry.h"

namespace wendrix::ui {

SumRowPainter::SumRowPainter(const ColumnGeometry& columns, GridColours colours, int ppi)
    : m_size7Underlined(ArialFont(7, false, true)),
      m_size8(ArialFont(8)),
      m_size8Bold(ArialFont(8, true)),
      m_size9(ArialFont(9)),
      m_size11(ArialFont(11)),
      m_columns(columns),
      m_colours(colours),
      m_ppi(ppi)
{
}

void SumRowPainter::PaintCell(QPainter& painter, int column, int /*row*/, const QRect& cell) const
{
    painter.setFont(m_size8);
    painter.setPen(QPen(Qt::black, 1));
    painter.fillRect(cell, m_colours.Fixed);
    if (column == kPrefixColumn) {
        PaintPrefixCell(painter, cell);
    } else if (column == kNameColumn) {
        PaintNameCell(painter, cell);
    } else {
        PaintFigures(painter, column, cell);
    }
}

void SumRowPainter::PaintFigures(QPainter& painter, int column, const QRect& cell) const
{
    const ColumnSumTable& figures = Figures();
    const int band = BandOfColumn(column);
    const int w = m_columns.Edge(column).QuarterWidth;
    const int left = cell.left();
    const int top = cell.top();
    const int y2 = top + SecondLine();

    painter.setFont(m_size8Bold);
    painter.setPen(SumRowColours()[0]);
    DrawTextAt(painter, left + 1, top + 1,
               FromCoreText(ColumnFigureText(figures, band, kModeMixed)));

    painter.setFont(m_size8);
    painter.setPen(SumRowColours()[1]);
    DrawTextAt(painter, left + w - 2, y2, FromCoreText(ColumnFigureText(figures, band, kModeCw)));
    if (IsUsableCell(band, kModeFone)) {
        painter.setPen(SumRowColours()[2]);
        DrawTextAt(painter, left + 2 * w - 2, top + 1,
                   FromCoreText(ColumnFigureText(figures, band, kModeFone)));
    }
    painter.setPen(SumRowColours()[3]);
    DrawTextAt(painter, left + 3 * w - 3, y2,
               FromCoreText(ColumnFigureText(figures, band, kModeRtty)));
    painter.setPen(Qt::black);
}

MemberSumPainter::MemberSumPainter(const ConfirmationMatrix& matrix, const ColumnGeometry& columns,
                                   int entityCount, GridColours colours, int ppi)
    : SumRowPainter(columns, colours, ppi),
      m_matrix(matrix),
      m_entityCount(entityCount)
{
}

void MemberSumPainter::PaintPrefixCell(QPainter& painter, const QRect& cell) const
{
    painter.setFont(m_size11);
    DrawTextAt(painter, cell.left() + 3, cell.top() + 3, QStringLiteral("Summe:"));
}

void MemberSumPainter::PaintNameCell(QPainter& painter, const QRect& cell) const
{
    const AwardCounts counts = ComputeAwardCounts(m_matrix.ColumnSums());
    painter.setFont(m_size9);
    DrawTextAt(painter, cell.left() + 3, cell.top() + 5, QString::number(m_entityCount));

    const int left = cell.left();
    const int width = cell.width();
    const int right = left + width;
    painter.setFont(m_size7Underlined);
    painter.setPen(SumRowColours()[0]);
    const QString slotLabel = QStringLiteral("Slot 26");
    const int slotX = right - 6 - painter.fontMetrics().horizontalAdvance(slotLabel);
    const std::array<int, 4> x{left + width * 17 / 100, left + width * 39 / 100,
                               left + width * 60 / 100, slotX};
    const std::array<QString, 4> labels{QStringLiteral("5-B-Mixed"), QStringLiteral("9-B-Mixed"),
                                        QStringLiteral("10-B-Mixed"), slotLabel};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        DrawTextAt(painter, x[i], cell.top() + 1, labels[i]);
    }

    painter.setFont(m_size8);
    const int y2 = cell.top() + ScaleByPpi(13, Ppi());
    const std::array<int, 4> values{counts.FiveBandMixed, counts.NineBandMixed, counts.TenBandMixed,
                                    counts.Slot26};
    for (std::size_t i = 0; i < values.size(); ++i) {
        DrawTextAt(painter, x[i], y2, QString::number(values[i]));
    }
    painter.setPen(Qt::black);
}

const ColumnSumTable& MemberSumPainter::Figures() const
{
    return m_matrix.ColumnSums();
}

int MemberSumPainter::SecondLine() const
{
    return ScaleByPpi(13, Ppi());
}

EvaluationSumPainter::EvaluationSumPainter(const Evaluation& evaluation,
                                           const ColumnGeometry& columns, GridColours colours,
                                           int ppi)
    : SumRowPainter(columns, colours, ppi),
      m_evaluation(evaluation)
{
}

void EvaluationSumPainter::PaintPrefixCell(QPainter& /*painter*/, const QRect& /*cell*/) const
{
}

void EvaluationSumPainter::PaintNameCell(QPainter& painter, const QRect& cell) const
{
    painter.setFont(m_size9);
    DrawTextAt(painter, cell.left() + 3, cell.top() + 5, QStringLiteral("Gewertete Teilnehmer:"));
}

const ColumnSumTable& EvaluationSumPainter::Figures() const
{
    return m_evaluation.ParticipantCountTable();
}

int EvaluationSumPainter::SecondLine() const
{
    return 13;  // the evaluation's figures keep their second line at 13 pixels whatever the screen
}

}  // namespace wendrix::ui

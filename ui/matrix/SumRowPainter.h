// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "ui/matrix/MatrixStyle.h"
#include "ui/matrix/OwnerDrawGrid.h"

namespace wendrix {
class ConfirmationMatrix;
class Evaluation;
}  // namespace wendrix

namespace wendrix::ui {

class ColumnGeometry;

// The sum row below the matrix: "Summe:", the number of entities with the four award counts,
// and per count column the Mixed, CW, Fone and RTTY figures. In the evaluation the figures are
// the numbers of counted lists instead, under "Gewertete Teilnehmer:".
class SumRowPainter final : public CellPainter
{
public:
    // ppi: the pixel density the window is scaled to beyond the toolkit's own scaling (96 when
    // the toolkit does all of it); it spaces the two lines of figures.
    SumRowPainter(const ConfirmationMatrix& matrix, const Evaluation& evaluation,
                  const ColumnGeometry& columns, int entityCount, bool evaluationMode,
                  GridColours colours, int ppi);

    void PaintCell(QPainter& painter, int column, int row, const QRect& cell) const override;

private:
    void PaintAwardCounts(QPainter& painter, const QRect& cell) const;
    void PaintFigures(QPainter& painter, int column, const QRect& cell) const;

    const ConfirmationMatrix& m_matrix;
    const Evaluation& m_evaluation;
    const ColumnGeometry& m_columns;
    int m_entityCount;
    bool m_evaluationMode;
    GridColours m_colours;
    int m_ppi;
    QFont m_size7Underlined;
    QFont m_size8;
    QFont m_size8Bold;
    QFont m_size9;
    QFont m_size11;
};

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "matrix/ConfirmationMatrix.h"
#include "ui/matrix/MatrixStyle.h"
#include "ui/matrix/OwnerDrawGrid.h"

namespace wendrix {
class Evaluation;
}  // namespace wendrix

namespace wendrix::ui {

class ColumnGeometry;

// The sum row below the matrix: per count column the Mixed, CW, Fone and RTTY figures, and in
// the prefix and name columns what they add up to, as the painter of what the window shows says.
class SumRowPainter : public CellPainter
{
public:
    void PaintCell(QPainter& painter, int column, int row, const QRect& cell) const final;

protected:
    // ppi: the pixel density the window is scaled to beyond the toolkit's own scaling (96 when
    // the toolkit does all of it); it spaces the two lines of figures.
    SumRowPainter(const ColumnGeometry& columns, GridColours colours, int ppi);

    virtual void PaintPrefixCell(QPainter& painter, const QRect& cell) const = 0;
    virtual void PaintNameCell(QPainter& painter, const QRect& cell) const = 0;
    // The figures of the count columns.
    [[nodiscard]] virtual const ColumnSumTable& Figures() const = 0;
    // Where the second line of figures starts below the cell's top.
    [[nodiscard]] virtual int SecondLine() const = 0;

    [[nodiscard]] int Ppi() const { return m_ppi; }

    const QFont m_size7Underlined;
    const QFont m_size8;
    const QFont m_size8Bold;
    const QFont m_size9;
    const QFont m_size11;

private:
    void PaintFigures(QPainter& painter, int column, const QRect& cell) const;

    const ColumnGeometry& m_columns;
    GridColours m_colours;
    int m_ppi;
};

// The member's list: "Summe:", the number of entities with the four award counts, and the column
// sums of the matrix.
class MemberSumPainter final : public SumRowPainter
{
public:
    MemberSumPainter(const ConfirmationMatrix& matrix, const ColumnGeometry& columns,
                     int entityCount, GridColours colours, int ppi);

private:
    void PaintPrefixCell(QPainter& painter, const QRect& cell) const override;
    void PaintNameCell(QPainter& painter, const QRect& cell) const override;
    [[nodiscard]] const ColumnSumTable& Figures() const override;
    [[nodiscard]] int SecondLine() const override;

    const ConfirmationMatrix& m_matrix;
    int m_entityCount;
};

// The evaluation: "Gewertete Teilnehmer:" and the numbers of counted lists.
class EvaluationSumPainter final : public SumRowPainter
{
public:
    EvaluationSumPainter(const Evaluation& evaluation, const ColumnGeometry& columns,
                         GridColours colours, int ppi);

private:
    void PaintPrefixCell(QPainter& painter, const QRect& cell) const override;
    void PaintNameCell(QPainter& painter, const QRect& cell) const override;
    [[nodiscard]] const ColumnSumTable& Figures() const override;
    [[nodiscard]] int SecondLine() const override;

    const Evaluation& m_evaluation;
};

}  // namespace wendrix::ui

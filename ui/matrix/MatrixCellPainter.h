// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QFont>
#include <QStaticText>

#include "ui/matrix/MatrixStyle.h"
#include "ui/matrix/OwnerDrawGrid.h"

namespace wendrix {
class ConfirmationMatrix;
class EntityCatalogue;
class Evaluation;
}  // namespace wendrix

namespace wendrix::ui {

// One row per entity: the bold main prefix, the name, and per count column four quarters. In
// the normal mode a ticked quarter is filled in its colour and marked "X", an unticked one is a
// coloured frame. In the evaluation a quarter whose band and mode class has counted lists is
// filled and shows the share of them confirming the entity in percent.
class MatrixCellPainter final : public CellPainter
{
public:
    MatrixCellPainter(const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix,
                      const Evaluation& evaluation, bool evaluationMode, GridColours colours);

    void PaintCell(QPainter& painter, int column, int row, const QRect& cell) const override;

private:
    void PaintTicks(QPainter& painter, int entity, int column, const QRect& cell) const;
    void PaintShares(QPainter& painter, int entity, int column, const QRect& cell) const;
    void PaintFrame(QPainter& painter, const QRect& quarter, const QColor& colour) const;

    const EntityCatalogue& m_catalogue;
    const ConfirmationMatrix& m_matrix;
    const Evaluation& m_evaluation;
    bool m_evaluationMode;
    GridColours m_colours;
    QFont m_regular;
    QFont m_bold;
    QFont m_share;
    // Laid-out texts of the marks and percentages, which every row repeats.
    QStaticText m_mark;
    mutable std::array<QStaticText, 102> m_shareTexts;  // "  0".."100", then "-"
};

}  // namespace wendrix::ui

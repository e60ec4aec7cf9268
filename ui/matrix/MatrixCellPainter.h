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

// One row per entity: the bold main prefix, the name, and per count column four quarters, which
// the painter of what the window shows fills in.
class MatrixCellPainter : public CellPainter
{
public:
    void PaintCell(QPainter& painter, int column, int row, const QRect& cell) const final;

protected:
    MatrixCellPainter(const EntityCatalogue& catalogue, GridColours colours);

    // The four quarters of a count column in the row of an entity.
    virtual void PaintQuarters(QPainter& painter, int entity, int column,
                               const QRect& cell) const = 0;
    // A quarter with nothing to show: a frame in its colour.
    void PaintFrame(QPainter& painter, const QRect& quarter, const QColor& colour) const;

    [[nodiscard]] const GridColours& Colours() const { return m_colours; }
    [[nodiscard]] const QFont& BoldFont() const { return m_bold; }

private:
    const EntityCatalogue& m_catalogue;
    GridColours m_colours;
    QFont m_regular;
    QFont m_bold;
};

// The member's list: a ticked quarter is filled in its colour and marked "X", an unticked one is
// a coloured frame. A quarter the last import ticked has a dark inner outline. A quarter the last import ticked has a dark inner outline.
class TickCellPainter final : public MatrixCellPainter
{
public:
    TickCellPainter(const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix,
                    GridColours colours);

private:
    void PaintQuarters(QPainter& painter, int entity, int column, const QRect& cell) const override;
    static void PaintImportMark(QPainter& painter, const QRect& quarter);

    const ConfirmationMatrix& m_matrix;
    QStaticText m_mark;  // laid out once: every row repeats it
};

// The evaluation: a quarter whose band and mode class has counted lists is filled and shows the
// share of them confirming the entity in percent.
class ShareCellPainter final : public MatrixCellPainter
{
public:
    ShareCellPainter(const EntityCatalogue& catalogue, const Evaluation& evaluation,
                     GridColours colours);

private:
    void PaintQuarters(QPainter& painter, int entity, int column, const QRect& cell) const override;

    const Evaluation& m_evaluation;
    QFont m_share;
    // Laid-out percentages, which every row repeats.
    mutable std::array<QStaticText, 102> m_shareTexts;  // "  0".."100", then "-"
};

}  // namespace wendrix::ui

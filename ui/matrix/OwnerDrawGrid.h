// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QColor>

#include "ui/matrix/GridGeometry.h"

class QPainter;

namespace wendrix::ui {

// Paints one cell of an owner-drawn grid. Painters read the model on every call and keep no
// copy of it; the grid clips the painter to the cell.
class CellPainter
{
public:
    virtual ~CellPainter() = default;
    // row counts from the first row of the grid, cell is in viewport pixels.
    virtual void PaintCell(QPainter& painter, int column, int row, const QRect& cell) const = 0;
};

// A grid of fixed columns and equal rows whose every cell is painted by a CellPainter. It
// scrolls by whole rows, repaints only the cells asked for, and reports mouse presses with
// their viewport position. Grid lines and the area beyond the cells are its own.
class OwnerDrawGrid final : public QAbstractScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OwnerDrawGrid)

public:
    OwnerDrawGrid(const CellPainter& painter, GridGeometry geometry, QWidget* parent = nullptr);

    [[nodiscard]] const GridGeometry& Geometry() const { return m_geometry; }
    void SetColours(QColor cellColour, QColor lineColour);

    void SetRowCount(int rows);
    [[nodiscard]] int RowCount() const { return m_rowCount; }
    // The first row shown; moving it emits TopRowChanged.
    void SetTopRow(int row);
    [[nodiscard]] int TopRow() const;
    [[nodiscard]] int FullyVisibleRows() const;
    // The row the keyboard moves; kept within the visible rows when the grid scrolls.
    [[nodiscard]] int CurrentRow() const { return m_currentRow; }
    void SetCurrentRow(int row);

    // Asks for a repaint of part of one cell (all of it for an empty part), when it is visible.
    void UpdateCell(int column, int row, const QRect& part = {});
    // Asks for a repaint of one column in every visible row.
    void UpdateColumn(int column);

signals:
    void MousePressed(Qt::MouseButton button, QPoint position);
    void TopRowChanged(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollRange();
    // One notch of the wheel: a row down or up while that keeps the grid filled; false when the
    // grid cannot move that way.
    bool StepByWheel(bool down);
    void KeepCurrentRowVisible();

    const CellPainter& m_painter;
    GridGeometry m_geometry;
    QColor m_cellColour{Qt::white};
    QColor m_lineColour{192, 192, 192};
    int m_rowCount = 0;
    int m_currentRow = 0;
    int m_wheelRemainder = 0;
};

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/matrix/OwnerDrawGrid.h"

#include <algorithm>
#include <utility>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace wendrix::ui {

namespace {
constexpr int kWheelNotch = 120;  // angle delta of one notch, in eighths of a degree
}

OwnerDrawGrid::OwnerDrawGrid(const CellPainter& painter, GridGeometry geometry, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_painter(painter),
      m_geometry(std::move(geometry))
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    UpdateScrollRange();
}

void OwnerDrawGrid::SetColours(QColor cellColour, QColor lineColour)
{
    m_cellColour = cellColour;
    m_lineColour = lineColour;
    viewport()->update();
}

void OwnerDrawGrid::SetRowCount(int rows)
{
    m_rowCount = std::max(0, rows);
    m_currentRow = std::clamp(m_currentRow, 0, std::max(0, m_rowCount - 1));
    UpdateScrollRange();
    viewport()->update();
}

int OwnerDrawGrid::TopRow() const
{
    return verticalScrollBar()->value();
}

void OwnerDrawGrid::SetTopRow(int row)
{
    verticalScrollBar()->setValue(row);
}

int OwnerDrawGrid::FullyVisibleRows() const
{
    return m_geometry.FullyVisibleRows(viewport()->height());
}

void OwnerDrawGrid::SetCurrentRow(int row)
{
    m_currentRow = std::clamp(row, 0, std::max(0, m_rowCount - 1));
    const int visible = std::max(1, FullyVisibleRows());
    if (m_currentRow < TopRow()) {
        SetTopRow(m_currentRow);
    } else if (m_currentRow >= TopRow() + visible) {
        SetTopRow(m_currentRow - visible + 1);
    }
}

void OwnerDrawGrid::UpdateCell(int column, int row, const QRect& part)
{
    const int visibleRow = row - TopRow();
    if (row >= m_rowCount || visibleRow < 0 ||
        visibleRow >= m_geometry.PartlyVisibleRows(viewport()->height())) {
        return;
    }
    const QRect cell = m_geometry.CellRect(column, visibleRow);
    viewport()->update(part.isNull() ? cell : part.translated(0, cell.top()) & cell);
}

void OwnerDrawGrid::UpdateColumn(int column)
{
    const QRect cell = m_geometry.CellRect(column, 0);
    viewport()->update(QRect(cell.left(), 0, cell.width(), viewport()->height()));
}

void OwnerDrawGrid::UpdateScrollRange()
{
    QScrollBar* bar = verticalScrollBar();
    const int visible = FullyVisibleRows();
    bar->setRange(0, std::max(0, m_rowCount - visible));
    bar->setPageStep(std::max(1, visible));
}

void OwnerDrawGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    painter.fillRect(dirty, m_cellColour);

    const int top = TopRow();
    const int rows = std::min(m_geometry.PartlyVisibleRows(viewport()->height()), m_rowCount - top);
    const int pitch = m_geometry.RowPitch();
    const int firstRow = std::max(0, dirty.top() / pitch);
    const int lastRow = std::min(rows - 1, dirty.bottom() / pitch);
    if (firstRow > lastRow) {
        return;
    }
    const int firstColumn = std::max(0, m_geometry.ColumnAt(dirty.left()));
    int lastColumn = m_geometry.ColumnAt(dirty.right());
    if (lastColumn < 0) {
        lastColumn = m_geometry.ColumnCount() - 1;
    }

    // Grid lines: one to the right of and one below every cell.
    const int line = m_geometry.LineWidth();
    for (int visibleRow = firstRow; visibleRow <= lastRow; ++visibleRow) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QRect cell = m_geometry.CellRect(column, visibleRow);
            painter.fillRect(QRect(cell.right() + 1, cell.top(), line, pitch), m_lineColour);
            painter.fillRect(QRect(cell.left(), cell.bottom() + 1, cell.width(), line),
                             m_lineColour);
        }
    }

    const QRegion& region = event->region();
    for (int visibleRow = firstRow; visibleRow <= lastRow; ++visibleRow) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QRect cell = m_geometry.CellRect(column, visibleRow);
            if (!region.intersects(cell)) {
                continue;
            }
            painter.save();
            painter.setClipRect(cell, Qt::IntersectClip);
            m_painter.PaintCell(painter, column, top + visibleRow, cell);
            painter.restore();
        }
    }
}

void OwnerDrawGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    const int row = position.y() / m_geometry.RowPitch() + TopRow();
    if (row < m_rowCount) {
        m_currentRow = row;
    }
    emit MousePressed(event->button(), position);
    QAbstractScrollArea::mousePressEvent(event);
}

bool OwnerDrawGrid::StepByWheel(bool down)
{
    const int top = TopRow();
    if (down && top + FullyVisibleRows() < m_rowCount) {
        SetTopRow(top + 1);
        return true;
    }
    if (!down && top > 0) {
        SetTopRow(top - 1);
        return true;
    }
    return false;
}

void OwnerDrawGrid::wheelEvent(QWheelEvent* event)
{
    m_wheelRemainder += event->angleDelta().y();
    bool handled = false;
    while (m_wheelRemainder <= -kWheelNotch || m_wheelRemainder >= kWheelNotch) {
        const bool down = m_wheelRemainder < 0;
        m_wheelRemainder += down ? kWheelNotch : -kWheelNotch;
        handled = StepByWheel(down) || handled;
    }
    if (handled) {
        event->accept();
    } else {
        QAbstractScrollArea::wheelEvent(event);
    }
}

void OwnerDrawGrid::keyPressEvent(QKeyEvent* event)
{
    const int page = std::max(1, FullyVisibleRows());
    switch (event->key()) {
    case Qt::Key_Up:
        SetCurrentRow(m_currentRow - 1);
        break;
    case Qt::Key_Down:
        SetCurrentRow(m_currentRow + 1);
        break;
    case Qt::Key_PageUp:
        SetCurrentRow(m_currentRow - page);
        break;
    case Qt::Key_PageDown:
        SetCurrentRow(m_currentRow + page);
        break;
    case Qt::Key_Home:
        SetCurrentRow(0);
        break;
    case Qt::Key_End:
        SetCurrentRow(m_rowCount - 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void OwnerDrawGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void OwnerDrawGrid::KeepCurrentRowVisible()
{
    const int top = TopRow();
    const int visible = FullyVisibleRows();
    if (m_currentRow < top) {
        m_currentRow = top;
    } else if (m_currentRow >= top + visible) {
        m_currentRow = std::max(top, top + visible - 1);
    }
}

void OwnerDrawGrid::scrollContentsBy(int /*dx*/, int dy)
{
    // Whole rows move; only the rows that come into view are painted afresh.
    viewport()->scroll(0, dy * m_geometry.RowPitch());
    KeepCurrentRowVisible();
    emit TopRowChanged(TopRow());
}

}  // namespace wendrix::ui

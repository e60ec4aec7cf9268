// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/matrix/GridGeometry.h"

#include <algorithm>
#include <utility>

namespace wendrix::ui {

GridGeometry::GridGeometry(std::vector<int> columnWidths, int rowHeight, int lineWidth)
    : m_columnWidths(std::move(columnWidths)),
      m_rowHeight(rowHeight),
      m_lineWidth(lineWidth)
{
    int left = 0;
    m_columnLefts.reserve(m_columnWidths.size() + 1);
    for (const int width : m_columnWidths) {
        m_columnLefts.push_back(left);
        left += width + m_lineWidth;
    }
    m_columnLefts.push_back(left);
}

int GridGeometry::ColumnLeft(int column) const
{
    return m_columnLefts.at(static_cast<std::size_t>(column));
}

QRect GridGeometry::CellRect(int column, int visibleRow) const
{
    return {ColumnLeft(column), visibleRow * RowPitch(),
            m_columnWidths.at(static_cast<std::size_t>(column)), m_rowHeight};
}

int GridGeometry::ContentWidth() const
{
    return m_columnLefts.back();
}

int GridGeometry::ColumnAt(int x) const
{
    if (x < 0 || x >= ContentWidth()) {
        return -1;
    }
    const auto next = std::upper_bound(m_columnLefts.begin(), m_columnLefts.end(), x);
    return static_cast<int>(next - m_columnLefts.begin()) - 1;
}

int GridGeometry::FullyVisibleRows(int viewportHeight) const
{
    // A row is whole once its cell fits; its grid line may be cut off.
    return std::max(0, (viewportHeight + m_lineWidth) / RowPitch());
}

int GridGeometry::PartlyVisibleRows(int viewportHeight) const
{
    return std::max(0, (viewportHeight + RowPitch() - 1) / RowPitch());
}

int QuarterWidth(const QRect& cell)
{
    return cell.width() / 4;
}

QRect QuarterRect(const QRect& cell, int k, QuarterSpacing spacing)
{
    const int w = QuarterWidth(cell);
    const int width = spacing == QuarterSpacing::Touching ? w : w - 1;
    return {cell.left() + k * w, cell.top(), width, cell.height()};
}

GridGeometry ScaleGrid(const GridGeometry& geometry, int ppi)
{
    if (ppi == 96) {
        return geometry;
    }
    std::vector<int> widths = geometry.ColumnWidths();
    for (int& width : widths) {
        width = ScaleByPpi(width, ppi);
    }
    return GridGeometry(std::move(widths), ScaleByPpi(geometry.RowHeight(), ppi),
                        geometry.LineWidth());
}

}  // namespace wendrix::ui

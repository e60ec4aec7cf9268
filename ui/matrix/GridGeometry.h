// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QRect>

// Where the cells of an owner-drawn grid lie: columns of given widths and rows of one height,
// each cell followed by a grid line. No widget involved, so it can be checked on its own.
namespace wendrix::ui {

class GridGeometry
{
public:
    GridGeometry(std::vector<int> columnWidths, int rowHeight, int lineWidth = 1);

    [[nodiscard]] int ColumnCount() const { return static_cast<int>(m_columnWidths.size()); }
    [[nodiscard]] const std::vector<int>& ColumnWidths() const { return m_columnWidths; }
    [[nodiscard]] int RowHeight() const { return m_rowHeight; }
    [[nodiscard]] int LineWidth() const { return m_lineWidth; }
    // Distance from one row's top to the next: the row and its grid line.
    [[nodiscard]] int RowPitch() const { return m_rowHeight + m_lineWidth; }

    // Left edge of a column: the widths and grid lines of the columns before it.
    [[nodiscard]] int ColumnLeft(int column) const;
    // The cell without its grid lines; visibleRow counts from the top of the viewport.
    [[nodiscard]] QRect CellRect(int column, int visibleRow) const;
    // Width of all columns with their grid lines.
    [[nodiscard]] int ContentWidth() const;
    // The column whose cell or right-hand grid line holds x, -1 left of the first or right of
    // the last.
    [[nodiscard]] int ColumnAt(int x) const;
    // Rows whose cell lies wholly within the height, and rows of which anything shows.
    [[nodiscard]] int FullyVisibleRows(int viewportHeight) const;
    [[nodiscard]] int PartlyVisibleRows(int viewportHeight) const;

private:
    std::vector<int> m_columnWidths;
    std::vector<int> m_columnLefts;
    int m_rowHeight;
    int m_lineWidth;
};

// Width of each of the four quarter cells of a count cell: the cell width / 4, toward zero.
[[nodiscard]] int QuarterWidth(const QRect& cell);

// Quarter k (0..3, left to right) of a cell over its full height. The header's quarters touch;
// the matrix's are one pixel narrower, leaving a gap of one pixel before the next.
enum class QuarterSpacing {
    Touching,
    Gapped
};
[[nodiscard]] QRect QuarterRect(const QRect& cell, int k, QuarterSpacing spacing);

// The grid sizes for a screen of the given pixels per inch, from a design at 96: every width
// and the row height times ppi / 96 in integer arithmetic, rounded toward zero. At 96 nothing
// changes.
[[nodiscard]] GridGeometry ScaleGrid(const GridGeometry& geometry, int ppi);
[[nodiscard]] constexpr int ScaleByPpi(int value, int ppi)
{
    return value * ppi / 96;
}

}  // namespace wendrix::ui

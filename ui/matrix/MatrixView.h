// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "matrix/ConfirmationMatrix.h"
#include "ui/matrix/ColumnGeometry.h"
#include "ui/matrix/HeaderCellPainter.h"
#include "ui/matrix/MatrixPainters.h"
#include "ui/matrix/OwnerDrawGrid.h"

class QWidget;

namespace wendrix {
class EntityCatalogue;
}  // namespace wendrix

namespace wendrix::ui {

// The three aligned grids of the matrix (header, one row per entity, sum row) with their
// painters. Told by the matrix which cells changed, it repaints just those quarters and the
// sum cells of their columns.
class MatrixView final : private MatrixObserver
{
public:
    // The grids become children of parent; the collaborators must outlive the view. ppi: the
    // pixel density to scale to beyond the toolkit's own scaling (96: none).
    MatrixView(QWidget& parent, const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix,
               const MatrixPainterChoice& painters, GridColours colours, int ppi);
    ~MatrixView() override;
    MatrixView(const MatrixView&) = delete;
    MatrixView& operator=(const MatrixView&) = delete;

    [[nodiscard]] OwnerDrawGrid& Header() { return *m_header; }
    [[nodiscard]] OwnerDrawGrid& Matrix() { return *m_matrix; }
    [[nodiscard]] OwnerDrawGrid& Sum() { return *m_sum; }
    [[nodiscard]] const ColumnGeometry& Columns() const { return m_columns; }

    // One row per entity, back to the first row, matrix and sum row repainted.
    void Refresh();

    // What a mouse-down at a position of the matrix grid's viewport hit; none below the last row.
    [[nodiscard]] std::optional<MatrixHit> HitAt(QPoint position) const;

    // The grid designs at 96 pixels per inch: 13 columns of 64, 213 and eleven times 64.
    [[nodiscard]] static GridGeometry HeaderDesign();
    [[nodiscard]] static GridGeometry MatrixDesign();
    [[nodiscard]] static GridGeometry SumDesign();

private:
    void CellsChanged(const CellChange& change) override;
    void ModifiedChanged(bool /*modified*/) override {}

    const EntityCatalogue& m_catalogue;
    const ConfirmationMatrix& m_model;
    ColumnGeometry m_columns;
    HeaderCellPainter m_headerPainter;
    MatrixPainters m_painters;
    // Owned by the parent widget, which is destroyed after this view.
    OwnerDrawGrid* m_header;
    OwnerDrawGrid* m_matrix;
    OwnerDrawGrid* m_sum;
};

}  // namespace wendrix::ui

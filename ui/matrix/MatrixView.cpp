// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/matrix/MatrixView.h"

#include <QFont>
#include <QWidget>

#include "catalogue/EntityCatalogue.h"

namespace wendrix::ui {

namespace {

std::vector<int> DesignColumnWidths()
{
    std::vector<int> widths(kGridColumnCount, 64);
    widths[kNameColumn] = 213;
    return widths;
}

QFont GridFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    return font;
}

OwnerDrawGrid* MakeGrid(QWidget& parent, const CellPainter& painter, GridGeometry geometry,
                        const QString& name, const GridColours& colours)
{
    auto* grid = new OwnerDrawGrid(painter, std::move(geometry), &parent);
    grid->setObjectName(name);
    grid->setFont(GridFont());
    grid->SetColours(colours.Cell, colours.Line);
    return grid;
}

}  // namespace

GridGeometry MatrixView::HeaderDesign()
{
    return GridGeometry(DesignColumnWidths(), 24);
}

GridGeometry MatrixView::MatrixDesign()
{
    return GridGeometry(DesignColumnWidths(), 24);
}

GridGeometry MatrixView::SumDesign()
{
    return GridGeometry(DesignColumnWidths(), 30);
}

MatrixView::MatrixView(QWidget& parent, const EntityCatalogue& catalogue,
                       const ConfirmationMatrix& matrix, const MatrixPainterChoice& painters,
                       GridColours colours, int ppi)
    : m_catalogue(catalogue),
      m_model(matrix),
      m_columns(ScaleGrid(HeaderDesign(), ppi)),
      m_headerPainter(m_columns, colours),
      m_painters(painters(m_columns, colours, ppi)),
      m_header(MakeGrid(parent, m_headerPainter, ScaleGrid(HeaderDesign(), ppi),
                        QStringLiteral("DrawGridHeader"), colours)),
      m_matrix(MakeGrid(parent, *m_painters.Rows, ScaleGrid(MatrixDesign(), ppi),
                        QStringLiteral("DrawGrid"), colours)),
      m_sum(MakeGrid(parent, *m_painters.Sum, ScaleGrid(SumDesign(), ppi),
                     QStringLiteral("DrawGridSum"), colours))
{
    m_header->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_header->SetRowCount(2);
    m_header->setEnabled(false);

    m_sum->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sum->setFrameStyle(QFrame::NoFrame);
    m_sum->SetRowCount(1);
    m_sum->setEnabled(false);

    m_matrix->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_matrix->SetRowCount(catalogue.EntityCount());
    m_model.AddObserver(*this);
}

MatrixView::~MatrixView()
{
    m_model.RemoveObserver(*this);
}

void MatrixView::Refresh()
{
    m_matrix->SetRowCount(m_catalogue.EntityCount());
    m_matrix->SetTopRow(0);
    m_matrix->viewport()->update();
    m_sum->viewport()->update();
}

std::optional<MatrixHit> MatrixView::HitAt(QPoint position) const
{
    return HitTestMatrix(position, m_matrix->Geometry().RowHeight(), m_matrix->TopRow(),
                         m_matrix->RowCount(), m_columns);
}

void MatrixView::CellsChanged(const CellChange& change)
{
    if (change.AllRows()) {
        m_matrix->viewport()->update();
        m_sum->viewport()->update();
        return;
    }
    const int row = change.entity - 1;
    bool anyShown = false;
    for (int band = 0; band < kBandCount; ++band) {
        const auto column = ColumnOfBand(band);
        if (!column) {
            continue;
        }
        const QRect cell = m_matrix->Geometry().CellRect(*column, 0);
        bool columnChanged = false;
        for (int mode = 0; mode < kModeCount; ++mode) {
            if (change.cells.test(static_cast<std::size_t>(band * kModeCount + mode))) {
                m_matrix->UpdateCell(
                    *column, row, QuarterRect(cell, QuarterOfMode(mode), QuarterSpacing::Gapped));
                columnChanged = true;
            }
        }
        if (columnChanged) {
            m_sum->UpdateColumn(*column);
            anyShown = true;
        }
    }
    if (anyShown) {
        m_sum->UpdateColumn(kNameColumn);  // the award counts
    }
}

}  // namespace wendrix::ui

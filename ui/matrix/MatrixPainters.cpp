// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/matrix/MatrixPainters.h"

#include "catalogue/EntityCatalogue.h"

namespace wendrix::ui {

MatrixPainterChoice TickPainters(const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix)
{
    return
        [&catalogue, &matrix](const ColumnGeometry& columns, const GridColours& colours, int ppi) {
            return MatrixPainters{std::make_unique<TickCellPainter>(catalogue, matrix, colours),
                                  std::make_unique<MemberSumPainter>(
                                      matrix, columns, catalogue.EntityCount(), colours, ppi)};
        };
}

MatrixPainterChoice SharePainters(const EntityCatalogue& catalogue, const Evaluation& evaluation)
{
    return [&catalogue, &evaluation](const ColumnGeometry& columns, const GridColours& colours,
                                     int ppi) {
        return MatrixPainters{
            std::make_unique<ShareCellPainter>(catalogue, evaluation, colours),
            std::make_unique<EvaluationSumPainter>(evaluation, columns, colours, ppi)};
    };
}

}  // namespace wendrix::ui

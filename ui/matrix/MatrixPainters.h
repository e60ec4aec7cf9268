// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include "ui/matrix/MatrixCellPainter.h"
#include "ui/matrix/MatrixStyle.h"
#include "ui/matrix/SumRowPainter.h"

namespace wendrix {
class ConfirmationMatrix;
class EntityCatalogue;
class Evaluation;
}  // namespace wendrix

// What the matrix and its sum row show is chosen once, when the window is made: the member's
// ticks or the evaluation's shares. The view asks for the painters when it has laid out its
// columns, which the sum row spaces its figures by.
namespace wendrix::ui {

class ColumnGeometry;

struct MatrixPainters
{
    std::unique_ptr<MatrixCellPainter> Rows;
    std::unique_ptr<SumRowPainter> Sum;
};

using MatrixPainterChoice = std::function<MatrixPainters(const ColumnGeometry& columns,
                                                         const GridColours& colours, int ppi)>;

// The cells of the member's list and their column sums with the award counts. The collaborators
// must outlive the painters.
[[nodiscard]] MatrixPainterChoice TickPainters(const EntityCatalogue& catalogue,
                                               const ConfirmationMatrix& matrix);

// The evaluation's shares and the numbers of counted lists.
[[nodiscard]] MatrixPainterChoice SharePainters(const EntityCatalogue& catalogue,
                                                const Evaluation& evaluation);

}  // namespace wendrix::ui

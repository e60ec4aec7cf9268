// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QMenu>

#include "matrix/MatrixEditing.h"
#include "ui/matrix/ColumnGeometry.h"

// The menu a right click on the member's matrix opens: tick or clear the column or the row under
// the click.
namespace wendrix::ui {

class MatrixPopupMenu final : public QMenu
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatrixPopupMenu)

public:
    explicit MatrixPopupMenu(QWidget* parent);

    // The row and column under the last right click; none below the last row. Items without a
    // target are shown disabled rather than acting on an old or made-up one.
    void SetTarget(const std::optional<MatrixHit>& hit);
    [[nodiscard]] const PopupTarget& Target() const { return m_target; }

signals:
    void ItemChosen(const wendrix::PopupTarget& target, wendrix::PopupCommand command);

private:
    void AddItem(QMenu& menu, const char* name, const QString& caption,
                 std::optional<PopupCommand> command);

    PopupTarget m_target;
    QMenu* m_column = nullptr;
    QMenu* m_row = nullptr;
};

}  // namespace wendrix::ui

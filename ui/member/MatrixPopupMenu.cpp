// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/member/MatrixPopupMenu.h"

#include <QAction>

namespace wendrix::ui {

MatrixPopupMenu::MatrixPopupMenu(QWidget* parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("PopupMenu1"));
    m_column = addMenu(QStringLiteral("Spalte"));
    m_column->setObjectName(QStringLiteral("Col"));
    m_column->menuAction()->setObjectName(QStringLiteral("Col"));
    AddItem(*m_column, "colSetAll", QStringLiteral("Alles ankreuzen"), PopupCommand::ColumnSetAll);
    AddItem(*m_column, "colResetAll", QStringLiteral("Alles löschen"),
            PopupCommand::ColumnResetAll);
    AddItem(*this, "space", QString(), std::nullopt);

    m_row = addMenu(QStringLiteral("Zeile"));
    m_row->setObjectName(QStringLiteral("Row"));
    m_row->menuAction()->setObjectName(QStringLiteral("Row"));
    QMenu* tick = m_row->addMenu(QStringLiteral("Ankreuzen"));
    tick->setObjectName(QStringLiteral("Ankreuzen1"));
    tick->menuAction()->setObjectName(QStringLiteral("Ankreuzen1"));
    AddItem(*tick, "rowSetAll", QStringLiteral("Alles"), PopupCommand::RowSetAll);
    AddItem(*tick, "rowSetCW", QStringLiteral("CW"), PopupCommand::RowSetCw);
    AddItem(*tick, "rowSetFone", QStringLiteral("Fone"), PopupCommand::RowSetFone);
    AddItem(*tick, "rowSetRTTY", QStringLiteral("RTTY"), PopupCommand::RowSetRtty);
    AddItem(*m_row, "RowResetAll", QStringLiteral("Alles löschen"), PopupCommand::RowResetAll);
    SetTarget(std::nullopt);
}

void MatrixPopupMenu::AddItem(QMenu& menu, const char* name, const QString& caption,
                              std::optional<PopupCommand> command)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (command) {
        connect(action, &QAction::triggered, this,
                [this, c = *command] { emit ItemChosen(m_target, c); });
    }
}

void MatrixPopupMenu::SetTarget(const std::optional<MatrixHit>& hit)
{
    m_target = PopupTarget{};
    if (hit) {
        m_target.entity = hit->Entity;
        if (hit->Cell) {
            m_target.band = hit->Cell->Band;
            m_target.mode = hit->Cell->Mode;
        }
    }
    const bool column = IsAvailable(PopupCommand::ColumnSetAll, m_target);
    const bool row = IsAvailable(PopupCommand::RowSetAll, m_target);
    m_column->menuAction()->setEnabled(column);
    for (QAction* action : m_column->actions()) {
        action->setEnabled(column);
    }
    m_row->menuAction()->setEnabled(row);
    for (QAction* action : m_row->findChildren<QAction*>()) {
        action->setEnabled(row);
    }
}

}  // namespace wendrix::ui

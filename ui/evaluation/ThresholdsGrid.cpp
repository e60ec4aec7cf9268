// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/evaluation/ThresholdsGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include "ui/WindowScaling.h"
#include "ui/matrix/GridGeometry.h"

namespace wendrix::ui {

namespace {

// The editor of a threshold cell takes the digits only; every other printable character is
// discarded. The keys that correct (Backspace, Delete) are no characters entered and pass.
class DigitsOnlyFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool printable = !text.isEmpty() && text.front().isPrint();
            const bool digit = text.size() == 1 && text.front() >= QLatin1Char('0') &&
                               text.front() <= QLatin1Char('9');
            // Return, Tab and Escape still end the editing; Backspace and Delete correct.
            if (printable && !digit) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

class ThresholdDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor != nullptr) {
            editor->installEventFilter(new DigitsOnlyFilter(editor));
        }
        return editor;
    }
};

}  // namespace

ThresholdsGrid::ThresholdsGrid(QWidget& parent, int ppi)
    : QTableWidget(kRows, 2, &parent)
{
    setObjectName(QStringLiteral("StringGridLevel"));
    setGeometry(ScaleRect(Design(), ppi));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // The grids' cells scale with the window; the toolkit's table keeps its own section sizes.
    verticalHeader()->setDefaultSectionSize(ScaleByPpi(24, ppi));
    horizontalHeader()->setDefaultSectionSize(ScaleByPpi(64, ppi));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegateForColumn(1, new ThresholdDelegate(this));
    hide();
}

void ThresholdsGrid::ShowTexts(const QStringList& labels, const QStringList& values)
{
    for (int row = 0; row < rowCount(); ++row) {
        auto* label = new QTableWidgetItem(labels.value(row));
        label->setFlags(Qt::ItemIsEnabled);  // the fixed column
        label->setBackground(parentWidget()->palette().button());
        setItem(row, 0, label);
        setItem(row, 1, new QTableWidgetItem(values.value(row)));
    }
    show();
    setCurrentCell(0, 1);
    // Typing goes into the grid at once, not into the button that opened it.
    setFocus(Qt::OtherFocusReason);
}

QStringList ThresholdsGrid::Values() const
{
    QStringList texts;
    for (int row = 0; row < rowCount(); ++row) {
        const QTableWidgetItem* cell = item(row, 1);
        texts << (cell != nullptr ? cell->text() : QString());
    }
    return texts;
}

}  // namespace wendrix::ui

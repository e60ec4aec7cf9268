// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TZtEdit.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

#include "ui/CoreText.h"

namespace wendrix::ui {

namespace {

// What the filter makes of one character (empty: it is dropped).
QString Filtered(const TZtEdit::TextFilter& filter, QChar c)
{
    const QByteArray bytes = QString(c).toUtf8();
    return FromCoreText(
        filter(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

// Shapes text as it arrives, typed, pasted or dropped, one character at a time through the
// edit's filter, so pasted text obeys the same rule as typed text and the caret keeps its place.
class EditValidator final : public QValidator
{
public:
    EditValidator(const TZtEdit::TextFilter& filter, QObject* parent)
        : QValidator(parent),
          m_filter(filter)
    {
    }

    State validate(QString& input, int& position) const override
    {
        QString kept;
        kept.reserve(input.size());
        int keptBeforeCaret = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QString shaped = Filtered(m_filter, input[i]);
            kept += shaped;
            if (i < position) {
                keptBeforeCaret += static_cast<int>(shaped.size());
            }
        }
        input = kept;
        position = keptBeforeCaret;
        return Acceptable;
    }

private:
    const TZtEdit::TextFilter& m_filter;
};

bool IsInsertOrDelete(int key)
{
    return key == Qt::Key_Insert || key == Qt::Key_Delete;
}

}  // namespace

TZtEdit::TZtEdit(ZtEditShared& shared, QWidget* parent)
    : QLineEdit(parent),
      m_shared(shared)
{
}

void TZtEdit::SetTextFilter(TextFilter filter)
{
    m_filter = std::move(filter);
    InstallValidator();
}

void TZtEdit::InstallValidator()
{
    delete validator();
    setValidator(m_filter ? new EditValidator(m_filter, this) : nullptr);
}

int TZtEdit::Caret() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TZtEdit::SelectAtCaret(int caret)
{
    const int position = std::clamp(caret, 0, static_cast<int>(text().size()));
    setSelection(position, 1);
    if (!hasSelectedText()) {
        setCursorPosition(position);  // at the end there is nothing to select
    }
}

void TZtEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (modifiers == Qt::NoModifier) {
        if (!Overwrite() && key == Qt::Key_Insert) {
            m_shared.Overwrite = true;
            SelectAtCaret(Caret());
        } else if (Overwrite() && key == Qt::Key_Insert) {
            m_shared.Overwrite = false;
            setCursorPosition(Caret());
        } else if (Overwrite()) {
            const int caret = Caret();
            SelectAtCaret(caret);
            if (key == Qt::Key_Right || key == Qt::Key_Down) {
                SelectAtCaret(caret + 1);
                event->accept();
                return;
            }
            if (key == Qt::Key_Left || key == Qt::Key_Up) {
                SelectAtCaret(caret - 1);
                event->accept();
                return;
            }
        }
    }

    m_shared.LengthAtKeyDown = static_cast<int>(text().size());
    m_shared.CaretAtKeyDown = Caret();

    // Typed characters go through the filter; Ctrl shortcuts and Delete are keys, not
    // characters, even where the platform attaches a control code to them.
    const QString typed = event->text();
    const bool isCharacter = typed.size() == 1 && typed.front() != QChar(0x7f) &&
                             !modifiers.testFlag(Qt::ControlModifier);
    if (isCharacter && m_filter && Filtered(m_filter, typed.front()).isEmpty()) {
        event->accept();  // the window's filter discarded the character
    } else {
        QLineEdit::keyPressEvent(event);
    }

    if (modifiers.testFlag(Qt::ControlModifier)) {
        return;
    }
    if (modifiers.testFlag(Qt::ShiftModifier) && IsInsertOrDelete(key)) {
        return;  // paste and cut
    }
    if (Overwrite()) {
        SelectAtCaret(Caret());
    }
}

void TZtEdit::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    if (event->key() == Qt::Key_Backspace && !event->isAutoRepeat()) {
        const int caret = Caret();
        const bool notCarriedOut = static_cast<int>(text().size()) == m_shared.LengthAtKeyDown &&
                                   caret == m_shared.CaretAtKeyDown;
        if (notCarriedOut && Overwrite()) {
            SelectAtCaret(caret - 1);
        } else if (notCarriedOut && caret > 0) {
            setSelection(caret - 1, 1);
            del();
        }
    }
    if (Overwrite()) {
        SelectAtCaret(Caret());
    }
}

void TZtEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (Overwrite() && !hasSelectedText()) {
        SelectAtCaret(cursorPosition());
    }
}

}  // namespace wendrix::ui

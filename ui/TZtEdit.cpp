#include "ui/TZtEdit.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

namespace wendrix::ui {

namespace {

// Turns a..z into A..Z as text arrives (typed, pasted or dropped); accepts everything.
class AsciiUpperValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override
    {
        for (QChar& c : input) {
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
                c = QChar(c.unicode() - 32);
            }
        }
        return Acceptable;
    }
};

bool IsInsertOrDelete(int key)
{
    return key == Qt::Key_Insert || key == Qt::Key_Delete;
}

}  // namespace

TZtEdit::TZtEdit(ZtEditShared& shared, QWidget* parent) : QLineEdit(parent), m_shared(shared) {}

void TZtEdit::SetUpperCase(bool upperCase)
{
    setValidator(upperCase ? new AsciiUpperValidator(this) : nullptr);
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
        setCursorPosition(position);   // at the end there is nothing to select
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
    if (isCharacter && m_filter && !m_filter(typed.front())) {
        event->accept();   // the window's filter discarded the character
    } else {
        QLineEdit::keyPressEvent(event);
    }

    if (modifiers.testFlag(Qt::ControlModifier)) {
        return;
    }
    if (modifiers.testFlag(Qt::ShiftModifier) && IsInsertOrDelete(key)) {
        return;   // paste and cut
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

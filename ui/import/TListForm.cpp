// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/import/TListForm.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWindow>

#include "common/Text.h"
#include "ui/CoreText.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowScaling.h"

namespace wendrix::ui {

namespace {

QFont CourierNew(int pixels, int points)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    if (pixels > 0) {
        font.setPixelSize(pixels);
    } else {
        font.setPointSize(points);
    }
    return font;
}

}  // namespace

TListForm::TListForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_memo(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TListForm"));
    // Only the main window ends the program; this one never keeps it running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Liste aller übergangenen QSOs"));
    resize(kClientWidth, kClientHeight);
    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setGeometry(0, 0, kClientWidth, 609);
    m_memo->setFont(CourierNew(11, 0));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setReadOnly(true);
    // Read-only, yet the keys move through it: Ctrl+End to the last line of a long report.
    m_memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusProxy(m_memo);
    ScaleWindow(*this, ResidualPpi(*this));
    m_designedHeight = height();
}

void TListForm::BeginReport(std::string_view caption)
{
    setWindowTitle(FromCoreText(caption));
    m_lines.clear();
    m_memoCurrent = false;
}

void TListForm::AddLine(std::string_view line)
{
    m_lines.emplace_back(line);
    m_memoCurrent = false;
}

void TListForm::SetReport(std::string_view caption, std::span<const std::string> lines)
{
    BeginReport(caption);
    m_lines.assign(lines.begin(), lines.end());
}

void TListForm::FillMemo()
{
    if (m_memoCurrent) {
        return;
    }
    std::string text;
    std::string buffer;
    for (const std::string& line : m_lines) {
        // A log's bytes may be in any character set; the window needs UTF-8.
        text += AsValidUtf8(line, buffer);
        text += '\n';
    }
    if (!text.empty()) {
        text.pop_back();
    }
    m_memo->setPlainText(FromCoreText(text));
    m_memoCurrent = true;
}

void TListForm::ShowModal()
{
    m_memo->setFont(CourierNew(11, 0));
    FillMemo();
    m_memo->setFocus();
    exec();
}

void TListForm::ShowBeside(const QWidget& mainWindow, const QRect& controls)
{
    m_memo->setFont(CourierNew(0, 8));
    FillMemo();
    setModal(false);
    if (isVisible()) {
        return;  // new text, same place, not raised
    }
    const QRect mainFrame = mainWindow.frameGeometry();
    const QRect inner = mainWindow.geometry();
    // Before it is shown this window's frame is unknown; the main window's is the best guess.
    const QMargins margins = FrameMarginsOf(mainFrame, inner);
    const QScreen* screen = mainWindow.screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : mainFrame;
    const QRect keepClear =
        controls.isEmpty()
            ? QRect(mainFrame.topLeft(), QSize(mainFrame.width(), inner.top() - mainFrame.top()))
            : controls;
    const QRect frame = PlaceBeside(
        mainFrame, keepClear, QSize(kEvaluationWidth, m_designedHeight).grownBy(margins),
        QSize(kMinimumBesideWidth, kMinimumBesideHeight).grownBy(margins), available);
    PlaceFrame(frame, margins);
    m_memo->setFocus();
    m_plannedFrame = frame;
    show();
    if (windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
    }
}

void TListForm::PlaceFrame(const QRect& frame, const QMargins& margins)
{
    resize(frame.size().shrunkBy(margins));
    m_memo->setGeometry(0, 0, width(), height());
    move(frame.topLeft());
}

bool TListForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && isVisible() &&
        !m_plannedFrame.isNull()) {
        windowHandle()->removeEventFilter(this);
        if (frameGeometry() != m_plannedFrame) {
            PlaceFrame(m_plannedFrame, FrameMarginsOf(frameGeometry(), geometry()));
        }
        m_plannedFrame = QRect();
    }
    return QDialog::eventFilter(watched, event);
}

QString TListForm::Text()
{
    FillMemo();
    return m_memo->toPlainText();
}

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/import/TbarForm.h"

#include <QCoreApplication>
#include <qdrawutil.h>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

#include "ui/CoreText.h"
#include "ui/WindowScaling.h"

namespace wendrix::ui {

namespace {

// A place of the designed client area, inside the window's own frame where it draws one.
QRect ClientRect(int left, int top, int width, int height)
{
    return {TbarForm::ClientOrigin() + QPoint(left, top), QSize(width, height)};
}

Qt::WindowFlags ProgressWindowFlags()
{
    const Qt::WindowFlags flags = Qt::Dialog | Qt::WindowStaysOnTopHint;
    if (TbarForm::kOwnFrame) {
        return flags | Qt::FramelessWindowHint;
    }
    return flags | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

QLabel* TextLine(QWidget* parent, const char* name, int top)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(ClientRect(8, top, 285, 20));
    label->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    label->setFont(font);
    return label;
}

}  // namespace

TbarForm::TbarForm(QWidget* parent)
    : QDialog(parent, ProgressWindowFlags()),
      m_label1(TextLine(this, "Label1", 16)),
      m_label2(TextLine(this, "Label2", 48)),
      m_gauge(new QProgressBar(this)),
      m_buttonEsc(new QPushButton(QStringLiteral("Escape"), this))
{
    setObjectName(QStringLiteral("TbarForm"));
    // Only the main window ends the program; this one never keeps it running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral(" Hadrel"));
    setFixedSize(kClientWidth + 2 * kFrameWidth, kClientHeight + 2 * kFrameWidth + kCaptionHeight);

    m_gauge->setObjectName(QStringLiteral("Gauge"));
    m_gauge->setGeometry(ClientRect(45, 80, 205, 20));
    m_gauge->setRange(0, 100);
    m_gauge->setTextVisible(true);
    m_gauge->setAlignment(Qt::AlignCenter);
    m_gauge->setStyleSheet(
        QStringLiteral("QProgressBar { background: aqua; color: white; border: 1px solid gray; }"
                       "QProgressBar::chunk { background: blue; }"));

    m_buttonEsc->setObjectName(QStringLiteral("ButtonEsc"));
    m_buttonEsc->setGeometry(ClientRect(116, 44, 75, 25));
    m_buttonEsc->setVisible(false);
    connect(m_buttonEsc, &QPushButton::clicked, this, [this] { ButtonEscClick(); });

    ScaleWindow(*this, ResidualPpi(*this));
}

void TbarForm::ShowProgress(std::string_view upperText, std::string_view lowerText, int percent)
{
    // A line wider than its label loses its middle, not both ends: "Lese ADIF-Log C:\Users\…"
    // and the file name stay in view, where centring would cut off the file name.
    const auto setLine = [](QLabel& label, std::string_view line) {
        label.setText(label.fontMetrics().elidedText(FromCoreText(line).left(255), Qt::ElideMiddle,
                                                     label.contentsRect().width()));
    };
    setLine(*m_label1, upperText);
    setLine(*m_label2, lowerText);
    m_label1->setStyleSheet(QStringLiteral("color: black"));
    m_label2->setStyleSheet(QStringLiteral("color: black"));
    m_gauge->setValue(ProgressBarValue(percent));
    show();
    raise();
    Redraw();
}

bool TbarForm::StepProgress(int percent)
{
    const int value = ProgressBarValue(percent);
    if (m_gauge->value() != value) {
        m_gauge->setValue(value);
        Redraw();
    }
    if (m_escPressed) {
        m_escPressed = false;
        return false;
    }
    return true;
}

void TbarForm::HideProgress()
{
    setWindowTitle(QStringLiteral("Hadrel"));
    m_buttonEsc->setVisible(false);
    hide();
}

void TbarForm::reject()
{
    if (m_buttonEsc->isVisible()) {
        ButtonEscClick();
    }
}

void TbarForm::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (!kOwnFrame) {
        return;
    }
    QPainter painter(this);
    // A raised dialog frame around the whole window, the caption bar inside it.
    qDrawWinPanel(&painter, rect(), palette(), false);
    const QRect caption(kFrameWidth, kFrameWidth, width() - 2 * kFrameWidth, kCaptionHeight);
    painter.fillRect(caption, palette().color(QPalette::Active, QPalette::Highlight));
    painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    QFont font = this->font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     windowTitle());
}

void TbarForm::mousePressEvent(QMouseEvent* event)
{
    const bool onCaption = event->position().y() < kFrameWidth + kCaptionHeight;
    if (kOwnFrame && onCaption && event->button() == Qt::LeftButton && windowHandle() != nullptr &&
        windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void TbarForm::Redraw()
{
    // The work runs on this thread, so nothing else would draw: paint now, and let the window
    // system's expose and paint requests through (no input, so nothing can start meanwhile).
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "import/ImportProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window: two lines of text and a percentage bar, always on top, shown while a log
// is read on the window's thread. Its Escape button can ask the running work to stop; the import
// keeps it hidden.
namespace wendrix::ui {

class TbarForm final : public QDialog, public ImportProgress
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TbarForm)

public:
    static constexpr int kClientWidth = 301;
    static constexpr int kClientHeight = 109;
#ifdef Q_OS_WIN
    // The system draws the dialog frame and a caption without buttons.
    static constexpr bool kOwnFrame = false;
    static constexpr int kFrameWidth = 0;
    static constexpr int kCaptionHeight = 0;
#else
    // Window managers of X11 (openbox among them) put their buttons into every title bar they
    // draw, whatever the window asks for; so the window draws its dialog frame and caption.
    static constexpr bool kOwnFrame = true;
    static constexpr int kFrameWidth = 3;
    static constexpr int kCaptionHeight = 18;
#endif

    explicit TbarForm(QWidget* parent = nullptr);

    // Both texts in black; the window is shown, raised and drawn at once.
    void ShowProgress(std::string_view upperText, std::string_view lowerText, int percent) override;
    // Redraws the bar when the value changed; false once after Escape was pressed.
    [[nodiscard]] bool StepProgress(int percent) override;
    void HideProgress() override;

    // Where the client area (the designed 301 x 109) starts inside the window.
    [[nodiscard]] static QPoint ClientOrigin()
    {
        return {kFrameWidth, kFrameWidth + kCaptionHeight};
    }

protected:
    // Escape stands for the Escape button while it is shown; the window never closes itself.
    void reject() override;
    void paintEvent(QPaintEvent* event) override;
    // Dragging the own caption moves the window.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ButtonEscClick()
    {
        m_escPressed = true;
    }
    void Redraw();

    QLabel* m_label1;
    QLabel* m_label2;
    QProgressBar* m_gauge;
    QPushButton* m_buttonEsc;
    bool m_escPressed = false;
};

}  // namespace wendrix::ui

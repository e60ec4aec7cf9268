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

    explicit TbarForm(QWidget* parent = nullptr);

    // Both texts in black; the window is shown, raised and drawn at once.
    void ShowProgress(std::string_view upperText, std::string_view lowerText, int percent) override;
    // Redraws the bar when the value changed; false once after Escape was pressed.
    [[nodiscard]] bool StepProgress(int percent) override;
    void HideProgress() override;

    void SetEscapeVisible(bool visible);
    [[nodiscard]] int BarValue() const;
    [[nodiscard]] int Repaints() const { return m_repaints; }

protected:
    // Escape stands for the Escape button while it is shown; the window never closes itself.
    void reject() override;

private:
    void ButtonEscClick() { m_escPressed = true; }
    void Redraw();

    QLabel* m_label1;
    QLabel* m_label2;
    QProgressBar* m_gauge;
    QPushButton* m_buttonEsc;
    bool m_escPressed = false;
    int m_repaints = 0;
};

}  // namespace wendrix::ui

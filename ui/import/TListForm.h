// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QDialog>
#include <QMargins>
#include <QRect>

#include "import/ImportReport.h"

class QPlainTextEdit;

// The report window: a plain text list of what an import skipped or completed, the problems of a
// list file, or the evaluation log. Lines are kept as they arrive and put into the window when it
// is shown, so that a run with hundreds of thousands of report lines stays fast.
namespace wendrix::ui {

class TListForm final : public QDialog, public ImportReport
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TListForm)

public:
    static constexpr int kClientWidth = 792;
    static constexpr int kClientHeight = 606;
    static constexpr int kEvaluationWidth = 1280;
    static constexpr int kMinimumBesideWidth = 400;
    static constexpr int kMinimumBesideHeight = 200;

    explicit TListForm(QWidget* parent = nullptr);

    void BeginReport(std::string_view caption) override;
    void AddLine(std::string_view line) override;

    // Replaces caption and lines at once.
    void SetReport(std::string_view caption, std::span<const std::string> lines);
    // Modal, until the user closes it.
    void ShowModal();
    // Beside the main window, up to 1280 wide, with the smaller font of the evaluation log: below
    // it or to a side where the screen has room, else at least below its controls (buttons and
    // thresholds grid, controls in screen coordinates; empty: the main window's top part).
    // Shown again while it is open, it keeps its place and stays behind: a re-run must not
    // cover the grid the user is working in.
    void ShowBeside(const QWidget& mainWindow, const QRect& controls);

    // What the window shows (its lines are put in first).
    [[nodiscard]] QString Text();
    [[nodiscard]] std::size_t LineCount() const { return m_lines.size(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillMemo();
    // The frame as planned before the window manager framed the window, corrected once the
    // real frame is known.
    void PlaceFrame(const QRect& frame, const QMargins& margins);

    QPlainTextEdit* m_memo;
    std::vector<std::string> m_lines;
    bool m_memoCurrent = true;
    int m_designedHeight = 0;  // after the scaling to the screen
    QRect m_plannedFrame;      // beside the main window, until the first expose
};

}  // namespace wendrix::ui

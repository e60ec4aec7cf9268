// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include <QObject>

#include "session/EvaluationSession.h"
#include "ui/FlowWindows.h"

class QSettings;
class QTimer;

namespace wendrix {
class EntityCatalogue;
class Evaluation;
class ThresholdStore;
}  // namespace wendrix

// The club evaluator's job in the main window: the evaluation of every list of the directory
// once the window is on the screen, the confirming participants of a clicked cell, new
// thresholds, saving the result, printing and closing. The window shows the evaluation's shares
// and says what the user did; the evaluation session does it.
namespace wendrix::ui {

class TKvMainForm;
struct MatrixHit;

class EvaluationWindowFlows final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EvaluationWindowFlows)

public:
    // Lays the window out for the evaluation. The collaborators must outlive the flows; without
    // prompts of their own the flows ask with message boxes.
    EvaluationWindowFlows(TKvMainForm& window, const EntityCatalogue& catalogue,
                          ConfirmationMatrix& matrix, Evaluation& evaluation,
                          const std::filesystem::path& listDirectory, ThresholdStore& store,
                          FlowPrompts* prompts = nullptr);
    ~EvaluationWindowFlows() override;

    void SetSettings(QSettings* settings) { m_windows.SetSettings(settings); }
    void SetStartupNotice(std::string notice) { m_windows.SetStartupNotice(std::move(notice)); }

    // The evaluation log, beside the main window.
    [[nodiscard]] TListForm& ReportWindow() { return m_windows.ReportWindow(); }
    [[nodiscard]] EvaluationSession& Session() { return m_evaluator; }
    // The one-shot delay between the first showing and the evaluation.
    [[nodiscard]] QTimer& Timer1() { return *m_timer; }

    // The handlers, also called directly by tests.
    void FormShow();
    void Timer1Timer();
    void ButtonSaveClick();
    void ButtonLevelsClick();
    [[nodiscard]] bool FormClose();

private:
    void MatrixClicked(const MatrixHit& hit);

    TKvMainForm& m_window;
    const EntityCatalogue& m_catalogue;
    const ConfirmationMatrix& m_matrix;
    FlowWindows m_windows;
    EvaluationSession m_evaluator;
    QTimer* m_timer;
};

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QObject>

#include "import/LogSourceOpener.h"
#include "session/CommandLine.h"
#include "session/EvaluationSession.h"
#include "session/MemberSession.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/import/TListForm.h"
#include "ui/import/TbarForm.h"
#include "ui/lists/TKvSelForm.h"

class QSettings;
class QTimer;

namespace wendrix {
class EntityCatalogue;
class Evaluation;
class ThresholdStore;
}  // namespace wendrix

// Connects the main window's buttons, its first showing and its closing to the member's or the
// evaluator's session, and owns the windows those flows use (progress, report, list selection).
// Those are made when a flow first needs them, so that they cost nothing before the main window
// appears. The window itself only shows state; everything it is asked to do happens here or in
// the core.
namespace wendrix::ui {

class TKvMainForm;

class MainWindowFlows final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindowFlows)

public:
    // The collaborators must outlive the flows. Without prompts of their own the flows ask
    // with message boxes and dialogs.
    MainWindowFlows(TKvMainForm& window, const EntityCatalogue& catalogue,
                    ConfirmationMatrix& matrix, Evaluation& evaluation,
                    const std::filesystem::path& listDirectory, ThresholdStore& store,
                    FlowPrompts* prompts = nullptr);
    ~MainWindowFlows() override;

    // Where the message boxes keep what they remember for the user (the folder of the last
    // chosen logs); the settings must outlive the flows.
    void SetSettings(QSettings* settings);
    // Said once when the window is first on the screen, before the lists are looked at ("Verzeichnis
    // nicht gefunden: ...").
    void SetStartupNotice(std::string notice) { m_startupNotice = std::move(notice); }

    // Made at the first call, with the main window as their parent.
    [[nodiscard]] TbarForm& ProgressWindow();
    [[nodiscard]] TListForm& ReportWindow();
    [[nodiscard]] TKvSelForm& SelectionWindow();
    [[nodiscard]] MemberSession& Member() { return m_member; }
    [[nodiscard]] EvaluationSession& Evaluator() { return m_evaluator; }
    // The one-shot delay between the first showing and the offer of lists or the evaluation.
    [[nodiscard]] QTimer& Timer1() { return *m_timer; }

    // The handlers, also called directly by tests.
    void FormShow();
    void Timer1Timer();
    void ButtonImportClick();
    // Files dropped on the window: a list file ("*.CFD") is read as the start-up reads one, after
    // the question about unsaved changes; the others are imported as logs.
    void ImportLogs(std::vector<std::filesystem::path> logs);
    void ButtonSaveClick();
    void ButtonLevelsClick();
    [[nodiscard]] bool FormClose();

private:
    void RunImport();
    void TakeCallSignFromSession();
    void ShowListFileAsToolTip();

    TKvMainForm& m_window;
    std::unique_ptr<TbarForm> m_progress;
    std::unique_ptr<TListForm> m_report;
    std::unique_ptr<TKvSelForm> m_selection;
    std::unique_ptr<MessageBoxPrompts> m_messageBoxes;
    FlowPrompts& m_prompts;
    MemberSession m_member;
    EvaluationSession m_evaluator;
    DiskLogSourceOpener m_opener;
    QTimer* m_timer;
    std::string m_startupNotice;
};

}  // namespace wendrix::ui

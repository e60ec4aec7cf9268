// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "ui/MessageBoxPrompts.h"
#include "ui/import/TListForm.h"
#include "ui/import/TbarForm.h"
#include "ui/lists/TKvSelForm.h"

class QObject;
class QSettings;
class QTimer;

// What the member's and the evaluator's flows share besides the main window: the windows they
// show on the way (progress, report, list selection), made when a flow first needs them so that
// they cost nothing before the main window appears, and who answers their questions.
namespace wendrix::ui {

class TKvMainForm;

class FlowWindows
{
public:
    // The report in front of the main window (the import's report) or beside it as a window of
    // its own, which the user can put behind the main window (the evaluation log).
    enum class ReportPlace {
        OverMainWindow,
        BesideMainWindow
    };

    // Without prompts of their own the questions are asked in message boxes and dialogs. The
    // window and the prompts must outlive this.
    FlowWindows(TKvMainForm& window, const std::filesystem::path& listDirectory,
                ReportPlace reportPlace, FlowPrompts* prompts);
    ~FlowWindows();
    FlowWindows(const FlowWindows&) = delete;
    FlowWindows& operator=(const FlowWindows&) = delete;

    [[nodiscard]] FlowPrompts& Prompts() { return m_prompts; }
    // Where the message boxes keep what they remember for the user (the folder of the last
    // chosen logs); the settings must outlive this.
    void SetSettings(QSettings* settings);

    // Made at the first call, with the main window as their parent unless said otherwise.
    [[nodiscard]] TbarForm& ProgressWindow();
    [[nodiscard]] TListForm& ReportWindow();
    [[nodiscard]] TKvSelForm& SelectionWindow();

    // Said once, when the window is first on the screen and before the lists are looked at
    // ("Verzeichnis nicht gefunden: ...").
    void SetStartupNotice(std::string notice) { m_startupNotice = std::move(notice); }
    void SayStartupNotice();

private:
    TKvMainForm& m_window;
    ReportPlace m_reportPlace;
    std::unique_ptr<TbarForm> m_progress;
    std::unique_ptr<TListForm> m_report;
    std::unique_ptr<TKvSelForm> m_selection;
    std::unique_ptr<MessageBoxPrompts> m_messageBoxes;
    FlowPrompts& m_prompts;
    std::string m_startupNotice;
};

// The one-shot delay between the first showing and the offer of lists or the evaluation, which
// lets the window appear before a dialog or a long run.
[[nodiscard]] QTimer* MakeStartTimer(QObject& parent);

}  // namespace wendrix::ui

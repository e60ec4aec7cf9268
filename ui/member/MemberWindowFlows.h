// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include <QObject>

#include "import/LogSourceOpener.h"
#include "session/MemberSession.h"
#include "ui/FlowWindows.h"

class QSettings;
class QTimer;

namespace wendrix {
class EntityCatalogue;
}  // namespace wendrix

// The member station's job in the main window: the start-up with its earlier lists, editing the
// matrix, importing logs (chosen or dropped), saving, printing and closing. What the user does in
// the window arrives here as the window's signals and goes to the member's session; the window
// only shows the result.
namespace wendrix::ui {

class TKvMainForm;
struct MatrixHit;

class MemberWindowFlows final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MemberWindowFlows)

public:
    // The collaborators must outlive the flows. Without prompts of their own the flows ask
    // with message boxes and dialogs.
    MemberWindowFlows(TKvMainForm& window, const EntityCatalogue& catalogue,
                      ConfirmationMatrix& matrix, const std::filesystem::path& listDirectory,
                      FlowPrompts* prompts = nullptr);
    ~MemberWindowFlows() override;

    void SetSettings(QSettings* settings) { m_windows.SetSettings(settings); }
    void SetStartupNotice(std::string notice) { m_windows.SetStartupNotice(std::move(notice)); }

    [[nodiscard]] TbarForm& ProgressWindow() { return m_windows.ProgressWindow(); }
    [[nodiscard]] TListForm& ReportWindow() { return m_windows.ReportWindow(); }
    [[nodiscard]] MemberSession& Session() { return m_member; }
    // The one-shot delay between the first showing and the offer of several earlier lists.
    [[nodiscard]] QTimer& Timer1() { return *m_timer; }

    // The handlers, also called directly by tests.
    void FormShow();
    void Timer1Timer();
    void ButtonImportClick();
    // Files dropped on the window: a list file ("*.CFD") is read as the start-up reads one, after
    // the question about unsaved changes; the others are imported as logs.
    void ImportLogs(std::vector<std::filesystem::path> logs);
    void ButtonSaveClick();
    [[nodiscard]] bool FormClose();

private:
    // Without logs the user chooses them.
    void RunImport(std::optional<std::vector<std::filesystem::path>> logs);
    void MatrixClicked(const MatrixHit& hit, Qt::MouseButton button);
    void TakeCallSignFromSession();
    void ShowListFileAsToolTip();

    TKvMainForm& m_window;
    const EntityCatalogue& m_catalogue;
    FlowWindows m_windows;
    MemberSession m_member;
    DiskLogSourceOpener m_opener;
    QTimer* m_timer;
};

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "import/ImportPrompts.h"
#include "session/SessionPrompts.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include "ui/MessageBox.h"

class QSettings;
class QWidget;

// The questions of the import and of the sessions answered by the user in message boxes and
// dialogs.
namespace wendrix::ui {

class TKvSelForm;
class TListForm;

// Every question the main window's flows ask: the import's and the sessions'.
class FlowPrompts : public ImportPrompts, public SessionPrompts
{
};

class MessageBoxPrompts final : public FlowPrompts
{
public:
    // The report and selection windows are asked for when a question needs them (they may be
    // made then); the windows handed out must outlive the prompts.
    using ReportWindowSource = std::function<TListForm&()>;
    using SelectionWindowSource = std::function<TKvSelForm&()>;
    MessageBoxPrompts(QWidget& parent, ReportWindowSource report, SelectionWindowSource selection);

    // The directory the file dialog opens in until logs were chosen once.
    void SetLogDirectory(std::filesystem::path directory) { m_logDirectory = std::move(directory); }
    // Where the folder of the last chosen logs is kept for the next run and the next start (per
    // user); without it the dialog opens in the log directory every time.
    void SetSettings(QSettings* settings) { m_settings = settings; }
    // The window that no question may cover while it is shown (the progress window).
    void SetKeepClearOf(std::function<QWidget*()> window) { m_keepClearOf = std::move(window); }
    // The part of the main window the evaluation log must leave in view (its buttons and the
    // thresholds grid), in screen coordinates.
    void SetControlsArea(std::function<QRect()> area) { m_controlsArea = std::move(area); }
    // ImportPrompts
    [[nodiscard]] bool AskCountEqsl() override;
    [[nodiscard]] std::vector<std::filesystem::path> ChooseLogFiles() override;
    [[nodiscard]] ReadErrorAnswer AskOnReadError(const std::filesystem::path& file) override;
    [[nodiscard]] EntityAnswer AskTakeEntity(const EntityQuestion& question) override;
    [[nodiscard]] bool AskShowReport(std::string_view summary) override;
    [[nodiscard]] bool AskCountOtherStation(const OtherStationQuestion& question) override;
    void ShowSummary(std::string_view summary) override;

    // SessionPrompts
    void ShowError(std::string_view text) override;
    void ShowFileError(std::string_view text) override;
    [[nodiscard]] bool AskOverwriteList() override;
    [[nodiscard]] bool AskSaveOnClose() override;
    [[nodiscard]] std::optional<std::string>
    ChooseListFile(std::span<const std::string> names) override;
    void ShowReport(std::string_view caption, std::span<const std::string> lines,
                    bool modal) override;

private:
    MessageButton Ask(std::string_view text, MessageType type, std::vector<MessageButton> buttons);
    [[nodiscard]] bool AskYesNo(std::string_view text);

    QWidget& m_parent;
    ReportWindowSource m_report;
    SelectionWindowSource m_selection;
    std::filesystem::path m_logDirectory;
    QSettings* m_settings = nullptr;
    std::function<QWidget*()> m_keepClearOf;
    std::function<QRect()> m_controlsArea;
};

// The filter of the log choice: ADIF files first, ".adi" and ".adif" in any case.
[[nodiscard]] QString AdifFileFilter();

// The settings key of the folder of the last chosen logs.
inline constexpr const char* kLogFolderKey = "LogFolder";
// The folder the log dialog opens in: the remembered one while it exists, else the given one.
[[nodiscard]] QString LogDialogFolder(const QSettings* settings, const QString& otherwise);
// Remembers the folder of the first chosen log; nothing chosen changes nothing.
void RememberLogFolder(QSettings& settings, const QStringList& chosenFiles);

}  // namespace wendrix::ui

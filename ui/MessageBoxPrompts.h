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

#include <QString>

class QWidget;

// The questions of the import and of the sessions answered by the user in message boxes and
// dialogs.
namespace wendrix::ui {

class TKvSelForm;
class TListForm;

// Every question the main window's flows ask: the import's and the sessions'.
class FlowPrompts : public ImportPrompts, public SessionPrompts
{
public:
    // Logs given by other means (dropped on the window): the next file choice takes them
    // without asking.
    virtual void TakeLogFiles(std::vector<std::filesystem::path> files) = 0;
};

class MessageBoxPrompts final : public FlowPrompts
{
public:
    // The report and selection windows are asked for when a question needs them (they may be
    // made then); the windows handed out must outlive the prompts.
    using ReportWindowSource = std::function<TListForm&()>;
    using SelectionWindowSource = std::function<TKvSelForm&()>;
    MessageBoxPrompts(QWidget& parent, ReportWindowSource report, SelectionWindowSource selection);

    // The directory the file dialog opens in.
    void SetLogDirectory(std::filesystem::path directory) { m_logDirectory = std::move(directory); }
    void TakeLogFiles(std::vector<std::filesystem::path> files) override
    {
        m_givenLogs = std::move(files);
    }

    // ImportPrompts
    [[nodiscard]] bool AskCountEqsl() override;
    [[nodiscard]] std::vector<std::filesystem::path> ChooseLogFiles() override;
    [[nodiscard]] ReadErrorAnswer AskOnReadError(const std::filesystem::path& file) override;
    [[nodiscard]] EntityAnswer AskTakeEntity(const EntityQuestion& question) override;
    [[nodiscard]] bool AskShowReport(std::string_view summary) override;
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
    QWidget& m_parent;
    ReportWindowSource m_report;
    SelectionWindowSource m_selection;
    std::filesystem::path m_logDirectory;
    std::vector<std::filesystem::path> m_givenLogs;
};

// The filter of the log choice: ADIF files first. Where file names are case-sensitive the ADIF
// entry also shows ".adi".
[[nodiscard]] QString AdifFileFilter();

}  // namespace wendrix::ui

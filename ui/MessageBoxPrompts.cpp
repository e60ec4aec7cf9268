// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MessageBoxPrompts.h"

#include <utility>

#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QStringList>

#include "common/Text.h"
#include "ui/BusyCursor.h"
#include "ui/CoreText.h"
#include "ui/FileNames.h"
#include "ui/MessageBox.h"
#include "ui/import/TListForm.h"
#include "ui/lists/TKvSelForm.h"

namespace wendrix::ui {

namespace {

QString PathText(const std::filesystem::path& path)
{
    return QStringFromPath(path);
}

}  // namespace

MessageButton MessageBoxPrompts::Ask(std::string_view text, MessageType type,
                                     std::vector<MessageButton> buttons)
{
    const NormalCursorWhileAsking arrow;
    MessageRequest request;
    // The core ends lines with CR LF as its files do; a box breaks them at LF.
    request.Text = FromCoreText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    request.Type = type;
    request.Buttons = std::move(buttons);
    // A question asked while a log is read must not hide behind the progress window, which
    // stays on top of everything.
    MessagePlacement placement;
    if (QWidget* progress = m_keepClearOf ? m_keepClearOf() : nullptr;
        progress != nullptr && progress->isVisible()) {
        placement.KeepClearOf = progress->frameGeometry();
        placement.MoveAside = progress;
    }
    return ShowMessage(&m_parent, request, placement);
}

bool MessageBoxPrompts::AskYesNo(std::string_view text)
{
    return IsYes(Ask(text, MessageType::Confirmation, {MessageButton::Yes, MessageButton::No}));
}

QString AdifFileFilter()
{
#if defined(_WIN32) || defined(__APPLE__)
    return QStringLiteral("ADIF (*.adi *.adif);;ALL (*.*)");
#else
    // The dialog matches without regard to case, a desktop's own dialog may not.
    return QStringLiteral("ADIF (*.adi *.adif *.ADI *.ADIF *.Adi *.Adif);;ALL (*)");
#endif
}

QString LogDialogFolder(const QSettings* settings, const QString& otherwise)
{
    if (settings != nullptr) {
        const QString remembered = settings->value(QLatin1String(kLogFolderKey)).toString();
        if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) {
            return remembered;
        }
    }
    return otherwise;
}

void RememberLogFolder(QSettings& settings, const QStringList& chosenFiles)
{
    if (chosenFiles.isEmpty()) {
        return;
    }
    settings.setValue(QLatin1String(kLogFolderKey), QFileInfo(chosenFiles.front()).absolutePath());
    settings.sync();
}

MessageBoxPrompts::MessageBoxPrompts(QWidget& parent, ReportWindowSource report,
                                     SelectionWindowSource selection)
    : m_parent(parent),
      m_report(std::move(report)),
      m_selection(std::move(selection))
{
}

bool MessageBoxPrompts::AskCountEqsl()
{
    return AskYesNo(kCountEqslQuestion);
}

std::vector<std::filesystem::path> MessageBoxPrompts::ChooseLogFiles()
{
    const NormalCursorWhileAsking arrow;
    QFileDialog dialog(&m_parent, QStringLiteral("ADIF-Log(s) auswählen"),
                       LogDialogFolder(m_settings, PathText(m_logDirectory)), AdifFileFilter());
    dialog.setObjectName(QStringLiteral("OpenDialogADIF"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix(QStringLiteral("ADI"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    std::vector<std::filesystem::path> files;
    if (dialog.exec() != QDialog::Accepted) {
        return files;
    }
    const QStringList chosen = dialog.selectedFiles();
    for (const QString& file : chosen) {
        files.push_back(PathFromQString(file));
    }
    if (m_settings != nullptr) {
        RememberLogFolder(*m_settings, chosen);
    }
    return files;
}

ReadErrorAnswer MessageBoxPrompts::AskOnReadError(const std::filesystem::path& file)
{
    return ToReadErrorAnswer(Ask(ReadErrorQuestionText(file), MessageType::Error,
                                 {MessageButton::Ok, MessageButton::Ignore}));
}

EntityAnswer MessageBoxPrompts::AskTakeEntity(const EntityQuestion& question)
{
    return ToEntityAnswer(Ask(
        question.Text(), MessageType::Confirmation,
        {MessageButton::Yes, MessageButton::No, MessageButton::NoToAll, MessageButton::YesToAll}));
}

bool MessageBoxPrompts::AskCountOtherStation(const OtherStationQuestion& question)
{
    return AskYesNo(question.Text());
}

bool MessageBoxPrompts::AskShowReport(std::string_view summary)
{
    return AskYesNo(summary);
}

void MessageBoxPrompts::ShowSummary(std::string_view summary)
{
    Ask(summary, MessageType::Information, {MessageButton::Ok});
}

void MessageBoxPrompts::ShowError(std::string_view text)
{
    Ask(text, MessageType::Error, {MessageButton::Ok});
}

void MessageBoxPrompts::ShowFileError(std::string_view text)
{
    // The answer changes nothing.
    Ask(text, MessageType::Error, {MessageButton::Ok, MessageButton::Ignore});
}

bool MessageBoxPrompts::AskOverwriteList()
{
    return AskYesNo(kOverwriteListQuestion);
}

bool MessageBoxPrompts::AskSaveOnClose()
{
    return AskYesNo(kSaveOnCloseQuestion);
}

std::optional<std::string> MessageBoxPrompts::ChooseListFile(std::span<const std::string> names)
{
    const NormalCursorWhileAsking arrow;
    return m_selection().Choose(kChooseListCaption, names);
}

void MessageBoxPrompts::ShowReport(std::string_view caption, std::span<const std::string> lines,
                                   bool modal)
{
    TListForm& report = m_report();
    report.SetReport(caption, lines);
    if (modal) {
        const NormalCursorWhileAsking arrow;
        report.ShowModal();
    } else {
        report.ShowBeside(m_parent, m_controlsArea ? m_controlsArea() : QRect());
    }
}

}  // namespace wendrix::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MessageBoxPrompts.h"

#include <utility>

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "common/Text.h"
#include "ui/BusyCursor.h"
#include "ui/FileNames.h"
#include "ui/MessageBox.h"
#include "ui/import/TListForm.h"
#include "ui/lists/TKvSelForm.h"

namespace wendrix::ui {

namespace {

QString FromUtf8(std::string_view text)
{
    // Everything the core hands over is UTF-8 already; a stray byte must not get lost.
    std::string buffer;
    const std::string_view valid = AsValidUtf8(text, buffer);
    return QString::fromUtf8(valid.data(), static_cast<qsizetype>(valid.size()));
}

MessageButton Ask(QWidget& parent, std::string_view text, MessageType type,
                  std::vector<MessageButton> buttons)
{
    const NormalCursorWhileAsking arrow;
    MessageRequest request;
    // The core ends lines with CR LF as its files do; a box breaks them at LF.
    request.German = FromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    request.English = request.German;
    request.Type = type;
    request.Buttons = std::move(buttons);
    return ShowMessage(&parent, request);
}

bool AskYesNo(QWidget& parent, std::string_view text)
{
    return IsYes(
        Ask(parent, text, MessageType::Confirmation, {MessageButton::Yes, MessageButton::No}));
}

QString PathText(const std::filesystem::path& path)
{
    return QStringFromPath(path);
}

}  // namespace

QString AdifFileFilter()
{
#if defined(_WIN32) || defined(__APPLE__)
    return QStringLiteral("ADIF (*.ADI);;ALL (*.*)");
#else
    return QStringLiteral("ADIF (*.ADI *.adi *.Adi);;ALL (*)");
#endif
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
    return AskYesNo(m_parent, kCountEqslQuestion);
}

std::vector<std::filesystem::path> MessageBoxPrompts::ChooseLogFiles()
{
    if (!m_givenLogs.empty()) {
        return std::exchange(m_givenLogs, {});
    }
    const NormalCursorWhileAsking arrow;
    QFileDialog dialog(&m_parent, QStringLiteral("ADIF-Log(s) auswählen"), PathText(m_logDirectory),
                       AdifFileFilter());
    dialog.setObjectName(QStringLiteral("OpenDialogADIF"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix(QStringLiteral("ADI"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    std::vector<std::filesystem::path> files;
    if (dialog.exec() != QDialog::Accepted) {
        return files;
    }
    for (const QString& file : dialog.selectedFiles()) {
        files.push_back(PathFromQString(file));
    }
    return files;
}

ReadErrorAnswer MessageBoxPrompts::AskOnReadError(const std::filesystem::path& file)
{
    return ToReadErrorAnswer(Ask(m_parent, ReadErrorQuestionText(file), MessageType::Error,
                                 {MessageButton::Ok, MessageButton::Ignore}));
}

EntityAnswer MessageBoxPrompts::AskTakeEntity(const EntityQuestion& question)
{
    return ToEntityAnswer(Ask(
        m_parent, question.Text(), MessageType::Confirmation,
        {MessageButton::Yes, MessageButton::No, MessageButton::NoToAll, MessageButton::YesToAll}));
}

bool MessageBoxPrompts::AskShowReport(std::string_view summary)
{
    return AskYesNo(m_parent, summary);
}

void MessageBoxPrompts::ShowSummary(std::string_view summary)
{
    Ask(m_parent, summary, MessageType::Information, {MessageButton::Ok});
}

void MessageBoxPrompts::ShowError(std::string_view text)
{
    Ask(m_parent, text, MessageType::Error, {MessageButton::Ok});
}

void MessageBoxPrompts::ShowFileError(std::string_view text)
{
    // The answer changes nothing.
    Ask(m_parent, text, MessageType::Error, {MessageButton::Ok, MessageButton::Ignore});
}

bool MessageBoxPrompts::AskOverwriteList()
{
    return AskYesNo(m_parent, kOverwriteListQuestion);
}

bool MessageBoxPrompts::AskSaveOnClose()
{
    return AskYesNo(m_parent, kSaveOnCloseQuestion);
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
        report.ShowBeside();
    }
}

}  // namespace wendrix::ui

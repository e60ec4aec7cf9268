// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/member/MemberWindowFlows.h"

#include <algorithm>
#include <string>
#include <utility>

#include <QDir>
#include <QStringList>
#include <QTimer>

#include "common/Text.h"
#include "common/Utf8Path.h"
#include "lists/ListFiles.h"
#include "session/CallSign.h"
#include "ui/BusyCursor.h"
#include "ui/CoreText.h"
#include "ui/FileNames.h"
#include "ui/TKvMainForm.h"
#include "ui/print/PrintDialogFlow.h"

namespace wendrix::ui {

MemberWindowFlows::MemberWindowFlows(TKvMainForm& window, const EntityCatalogue& catalogue,
                                     ConfirmationMatrix& matrix,
                                     const std::filesystem::path& listDirectory,
                                     FlowPrompts* prompts)
    : m_window(window),
      m_catalogue(catalogue),
      m_windows(window, listDirectory, FlowWindows::ReportPlace::OverMainWindow, prompts),
      m_member(catalogue, matrix, listDirectory, m_windows.Prompts()),
      m_timer(MakeStartTimer(*this))
{
    connect(m_timer, &QTimer::timeout, this, &MemberWindowFlows::Timer1Timer);
    connect(&m_window, &TKvMainForm::FirstShown, this, &MemberWindowFlows::FormShow);
    connect(&m_window, &TKvMainForm::ImportRequested, this, &MemberWindowFlows::ButtonImportClick);
    connect(&m_window, &TKvMainForm::SaveRequested, this, &MemberWindowFlows::ButtonSaveClick);
    connect(&m_window, &TKvMainForm::ClearRequested, this, [this] { m_member.ClearList(); });
    connect(&m_window, &TKvMainForm::PrintRequested, this, [this] {
        static_cast<void>(
            PrintWithDialog(&m_window, m_window.CallSign(), m_catalogue, m_member.Matrix()));
    });
    connect(&m_window, &TKvMainForm::MatrixClicked, this, &MemberWindowFlows::MatrixClicked);
    connect(&m_window, &TKvMainForm::UndoRequested, this, [this] { m_member.Undo(); });
    connect(&m_window, &TKvMainForm::RedoRequested, this, [this] { m_member.Redo(); });
    connect(&m_window, &TKvMainForm::PopupItemChosen, this,
            [this](const PopupTarget& target, PopupCommand command) {
                m_member.ApplyPopup(target, command);
            });
    connect(&m_window, &TKvMainForm::LogsDropped, this, [this](const QStringList& files) {
        std::vector<std::filesystem::path> logs;
        for (const QString& file : files) {
            logs.push_back(PathFromQString(file));
        }
        ImportLogs(std::move(logs));
    });
    connect(&m_window, &TKvMainForm::CallSignChanged, this, [this](const QString& callSign) {
        m_member.SetCallSign(callSign.toStdString());
        ShowListFileAsToolTip();
    });
    m_window.SetCloseGuard([this] { return FormClose(); });
}

MemberWindowFlows::~MemberWindowFlows()
{
    m_window.SetCloseGuard({});
}

void MemberWindowFlows::FormShow()
{
    m_windows.SayStartupNotice();
    QDir::setCurrent(QStringFromPath(m_member.ListDirectory()));
    switch (m_member.Start()) {
    case StartupFound::OneListRead:
        TakeCallSignFromSession();
        m_window.RefreshMatrixView();
        break;
    case StartupFound::SeveralLists:
        m_timer->start();
        break;
    case StartupFound::NoList:
        break;
    }
}

void MemberWindowFlows::Timer1Timer()
{
    m_timer->stop();
    if (m_member.OfferEarlierLists()) {
        TakeCallSignFromSession();
        m_window.RefreshMatrixView();
    }
}

void MemberWindowFlows::ButtonImportClick()
{
    RunImport(std::nullopt);
}

void MemberWindowFlows::MatrixClicked(const MatrixHit& hit, Qt::MouseButton button)
{
    // The right button opens the popup menu; the other buttons tick and untick.
    if (button != Qt::RightButton && hit.Cell) {
        m_member.ToggleCell(hit.Entity, hit.Cell->Band, hit.Cell->Mode);
    }
}

void MemberWindowFlows::ImportLogs(std::vector<std::filesystem::path> logs)
{
    if (logs.empty()) {
        return;
    }
    const auto isList = [](const std::filesystem::path& file) {
        return AsciiUpper(PathToUtf8(file.extension())) == kListExtension;
    };
    const auto list = std::find_if(logs.begin(), logs.end(), isList);
    if (list != logs.end()) {
        // One list can be read; it goes first, so that the logs dropped with it add to it.
        if (m_member.ReadListFile(*list)) {
            TakeCallSignFromSession();
            m_window.RefreshMatrixView();
        }
        std::erase_if(logs, isList);
        if (logs.empty()) {
            return;
        }
    }
    RunImport(std::move(logs));
}

void MemberWindowFlows::RunImport(std::optional<std::vector<std::filesystem::path>> logs)
{
    FlowPrompts& prompts = m_windows.Prompts();
    ImportOutcome outcome;
    {
        // The questions on the way show the normal arrow (they restore it for themselves).
        const BusyCursor busy;
        outcome = m_member.Import(prompts, m_windows.ProgressWindow(), m_windows.ReportWindow(),
                                  m_opener, std::move(logs));
    }
    if (outcome.end != ImportEnd::Cancelled) {
        m_window.RefreshMatrixView();
    }
    if (outcome.showReport) {
        m_windows.ReportWindow().ShowModal();
    }
}

void MemberWindowFlows::ButtonSaveClick()
{
    m_member.SetCallSign(m_window.CallSign().toStdString());
    bool callTooShort = false;
    {
        const BusyCursor busy;
        callTooShort = m_member.Save().FailedBecause(SaveRefusal::CallTooShort);
    }
    if (callTooShort) {
        m_window.FocusCallSign();
    }
}

bool MemberWindowFlows::FormClose()
{
    m_member.SetCallSign(m_window.CallSign().toStdString());
    const bool mayClose = m_member.Close();
    if (!mayClose && m_member.CallSign().size() <= kShortestUnsavableCallLength) {
        m_window.FocusCallSign();
    }
    return mayClose;
}

void MemberWindowFlows::TakeCallSignFromSession()
{
    m_window.SetCallSign(FromCoreText(m_member.CallSign()));
    ShowListFileAsToolTip();
}

void MemberWindowFlows::ShowListFileAsToolTip()
{
    m_window.SetUploadHintToolTip(m_member.UploadHint() ? QStringFromPath(m_member.ListFilePath())
                                                        : QString());
}

}  // namespace wendrix::ui

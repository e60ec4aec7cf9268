// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindowFlows.h"

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

namespace wendrix::ui {

namespace {

constexpr int kTimer1Interval = 200;  // lets the window appear before a dialog or a long run

}  // namespace

MainWindowFlows::MainWindowFlows(TKvMainForm& window, const EntityCatalogue& catalogue,
                                 ConfirmationMatrix& matrix, Evaluation& evaluation,
                                 const std::filesystem::path& listDirectory, ThresholdStore& store,
                                 FlowPrompts* prompts)
    : m_window(window),
      m_messageBoxes(prompts != nullptr
                         ? nullptr
                         : std::make_unique<MessageBoxPrompts>(
                               window, [this]() -> TListForm& { return ReportWindow(); },
                               [this]() -> TKvSelForm& { return SelectionWindow(); })),
      m_prompts(prompts != nullptr ? *prompts : *m_messageBoxes),
      m_member(catalogue, matrix, listDirectory, m_prompts),
      m_evaluator(catalogue, matrix, evaluation, listDirectory, store, m_prompts),
      m_timer(new QTimer(this))
{
    if (m_messageBoxes) {
        m_messageBoxes->SetLogDirectory(listDirectory);
        m_messageBoxes->SetKeepClearOf([this]() -> QWidget* { return m_progress.get(); });
        m_messageBoxes->SetControlsArea([this] { return m_window.ControlsArea(); });
    }
    // The club's page goes beside the result file whenever the evaluation is saved.
    m_evaluator.SetClubReportBesideResult();
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kTimer1Interval);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &MainWindowFlows::Timer1Timer);

    connect(&m_window, &TKvMainForm::FirstShown, this, &MainWindowFlows::FormShow);
    connect(&m_window, &TKvMainForm::ImportRequested, this, &MainWindowFlows::ButtonImportClick);
    connect(&m_window, &TKvMainForm::SaveRequested, this, &MainWindowFlows::ButtonSaveClick);
    connect(&m_window, &TKvMainForm::LevelsRequested, this, &MainWindowFlows::ButtonLevelsClick);
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

MainWindowFlows::~MainWindowFlows()
{
    m_window.SetCloseGuard({});
}

void MainWindowFlows::SetSettings(QSettings* settings)
{
    if (m_messageBoxes) {
        m_messageBoxes->SetSettings(settings);
    }
}

// The windows are the main window's children, so they stay with it and appear over it; they are
// deleted with the flows, before the main window.
TbarForm& MainWindowFlows::ProgressWindow()
{
    if (!m_progress) {
        m_progress = std::make_unique<TbarForm>(&m_window);
    }
    return *m_progress;
}

TListForm& MainWindowFlows::ReportWindow()
{
    if (!m_report) {
        // The evaluation log is a window of its own beside the main window, which the user can
        // put behind it; a child window would always stay above it.
        m_report = std::make_unique<TListForm>(m_window.EvaluationMode() ? nullptr : &m_window);
    }
    return *m_report;
}

TKvSelForm& MainWindowFlows::SelectionWindow()
{
    if (!m_selection) {
        m_selection = std::make_unique<TKvSelForm>(&m_window);
    }
    return *m_selection;
}

void MainWindowFlows::FormShow()
{
    if (!m_startupNotice.empty()) {
        m_prompts.ShowError(std::exchange(m_startupNotice, {}));
    }
    QDir::setCurrent(QStringFromPath(m_member.ListDirectory()));
    if (m_window.EvaluationMode()) {
        m_evaluator.ReadThresholds();
        m_timer->start();
        return;
    }
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

void MainWindowFlows::Timer1Timer()
{
    m_timer->stop();
    if (m_window.EvaluationMode()) {
        {
            const BusyCursor busy;
            m_evaluator.Run();
        }
        m_window.RefreshMatrixView();
        return;
    }
    if (m_member.OfferEarlierLists()) {
        TakeCallSignFromSession();
        m_window.RefreshMatrixView();
    }
}

void MainWindowFlows::ButtonImportClick()
{
    RunImport();
}

void MainWindowFlows::ImportLogs(std::vector<std::filesystem::path> logs)
{
    if (m_window.EvaluationMode() || logs.empty()) {
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
    m_prompts.TakeLogFiles(std::move(logs));
    RunImport();
    m_prompts.TakeLogFiles({});  // when the run ended before the file choice
}

void MainWindowFlows::RunImport()
{
    ImportOutcome outcome;
    {
        // The questions on the way show the normal arrow (they restore it for themselves).
        const BusyCursor busy;
        outcome = m_member.Import(m_prompts, ProgressWindow(), ReportWindow(), m_opener);
    }
    if (outcome.end != ImportEnd::Cancelled) {
        m_window.RefreshMatrixView();
    }
    if (outcome.showReport) {
        ReportWindow().ShowModal();
    }
}

void MainWindowFlows::ButtonSaveClick()
{
    if (m_window.EvaluationMode()) {
        const BusyCursor busy;
        (void)m_evaluator.Save();  // a failure has been shown
        return;
    }
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

void MainWindowFlows::ButtonLevelsClick()
{
    if (!m_window.LevelsShown()) {
        QStringList labels;
        QStringList values;
        const auto texts = m_evaluator.ThresholdRowTexts();
        for (std::size_t row = 0; row < kThresholdRows; ++row) {
            labels << FromCoreText(kThresholdRowLabels[row]);
            values << FromCoreText(texts[row]);
        }
        m_window.ShowLevels(labels, values);
        return;
    }
    std::vector<std::string> rows;
    for (const QString& text : m_window.LevelTexts()) {
        rows.push_back(text.toStdString());
    }
    std::optional<std::size_t> invalid;
    {
        const BusyCursor busy;
        invalid = m_evaluator.ApplyThresholdRows(rows);
    }
    if (!invalid) {
        m_window.HideLevels();
        m_window.RefreshMatrixView();
    }
}

bool MainWindowFlows::FormClose()
{
    if (m_window.EvaluationMode()) {
        return m_evaluator.Close();
    }
    m_member.SetCallSign(m_window.CallSign().toStdString());
    const bool mayClose = m_member.Close();
    if (!mayClose && m_member.CallSign().size() <= kShortestUnsavableCallLength) {
        m_window.FocusCallSign();
    }
    return mayClose;
}

void MainWindowFlows::TakeCallSignFromSession()
{
    m_window.SetCallSign(FromCoreText(m_member.CallSign()));
    ShowListFileAsToolTip();
}

void MainWindowFlows::ShowListFileAsToolTip()
{
    m_window.SetUploadHintToolTip(m_member.UploadHint() ? QStringFromPath(m_member.ListFilePath())
                                                        : QString());
}

}  // namespace wendrix::ui

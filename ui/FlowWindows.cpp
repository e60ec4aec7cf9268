// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FlowWindows.h"

#include <utility>

#include <QTimer>

#include "ui/TKvMainForm.h"

namespace wendrix::ui {

FlowWindows::FlowWindows(TKvMainForm& window, const std::filesystem::path& listDirectory,
                         ReportPlace reportPlace, FlowPrompts* prompts)
    : m_window(window),
      m_reportPlace(reportPlace),
      m_messageBoxes(prompts != nullptr
                         ? nullptr
                         : std::make_unique<MessageBoxPrompts>(
                               window, [this]() -> TListForm& { return ReportWindow(); },
                               [this]() -> TKvSelForm& { return SelectionWindow(); })),
      m_prompts(prompts != nullptr ? *prompts : *m_messageBoxes)
{
    if (m_messageBoxes) {
        m_messageBoxes->SetLogDirectory(listDirectory);
        m_messageBoxes->SetKeepClearOf([this]() -> QWidget* { return m_progress.get(); });
        m_messageBoxes->SetControlsArea([this] { return m_window.ControlsArea(); });
    }
}

// The windows are deleted here, before the main window whose children they are.
FlowWindows::~FlowWindows() = default;

void FlowWindows::SetSettings(QSettings* settings)
{
    if (m_messageBoxes) {
        m_messageBoxes->SetSettings(settings);
    }
}

TbarForm& FlowWindows::ProgressWindow()
{
    if (!m_progress) {
        m_progress = std::make_unique<TbarForm>(&m_window);
    }
    return *m_progress;
}

TListForm& FlowWindows::ReportWindow()
{
    if (!m_report) {
        m_report = std::make_unique<TListForm>(
            m_reportPlace == ReportPlace::OverMainWindow ? &m_window : nullptr);
    }
    return *m_report;
}

TKvSelForm& FlowWindows::SelectionWindow()
{
    if (!m_selection) {
        m_selection = std::make_unique<TKvSelForm>(&m_window);
    }
    return *m_selection;
}

void FlowWindows::SayStartupNotice()
{
    if (!m_startupNotice.empty()) {
        m_prompts.ShowError(std::exchange(m_startupNotice, {}));
    }
}

QTimer* MakeStartTimer(QObject& parent)
{
    auto* timer = new QTimer(&parent);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(200);
    timer->setSingleShot(true);
    return timer;
}

}  // namespace wendrix::ui

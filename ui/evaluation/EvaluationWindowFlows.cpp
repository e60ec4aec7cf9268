// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/evaluation/EvaluationWindowFlows.h"

#include <optional>
#include <string>
#include <vector>

#include <QDir>
#include <QStringList>
#include <QTimer>

#include "ui/BusyCursor.h"
#include "ui/CoreText.h"
#include "ui/FileNames.h"
#include "ui/TKvMainForm.h"
#include "ui/print/PrintDialogFlow.h"

namespace wendrix::ui {

EvaluationWindowFlows::EvaluationWindowFlows(TKvMainForm& window, const EntityCatalogue& catalogue,
                                             ConfirmationMatrix& matrix, Evaluation& evaluation,
                                             const std::filesystem::path& listDirectory,
                                             ThresholdStore& store, FlowPrompts* prompts)
    : m_window(window),
      m_catalogue(catalogue),
      m_matrix(matrix),
      m_windows(window, listDirectory, FlowWindows::ReportPlace::BesideMainWindow, prompts),
      m_evaluator(catalogue, matrix, evaluation, listDirectory, store, m_windows.Prompts()),
      m_timer(MakeStartTimer(*this))
{
    m_window.ArrangeForEvaluation();
    // The club's page goes beside the result file whenever the evaluation is saved.
    m_evaluator.SetClubReportBesideResult();
    connect(m_timer, &QTimer::timeout, this, &EvaluationWindowFlows::Timer1Timer);
    connect(&m_window, &TKvMainForm::FirstShown, this, &EvaluationWindowFlows::FormShow);
    connect(&m_window, &TKvMainForm::SaveRequested, this, &EvaluationWindowFlows::ButtonSaveClick);
    connect(&m_window, &TKvMainForm::LevelsRequested, this,
            &EvaluationWindowFlows::ButtonLevelsClick);
    // The print-out shows the cells of the list read last, as the matrix holds them.
    connect(&m_window, &TKvMainForm::PrintRequested, this, [this] {
        static_cast<void>(PrintWithDialog(&m_window, m_window.CallSign(), m_catalogue, m_matrix));
    });
    // Any button shows who confirms the cell.
    connect(&m_window, &TKvMainForm::MatrixClicked, this,
            [this](const MatrixHit& hit, Qt::MouseButton /*button*/) { MatrixClicked(hit); });
    m_window.SetCloseGuard([this] { return FormClose(); });
}

EvaluationWindowFlows::~EvaluationWindowFlows()
{
    m_window.SetCloseGuard({});
}

void EvaluationWindowFlows::FormShow()
{
    m_windows.SayStartupNotice();
    QDir::setCurrent(QStringFromPath(m_evaluator.ListDirectory()));
    m_evaluator.ReadThresholds();
    m_timer->start();
}

void EvaluationWindowFlows::Timer1Timer()
{
    m_timer->stop();
    {
        const BusyCursor busy;
        m_evaluator.Run();
    }
    m_window.RefreshMatrixView();
}

void EvaluationWindowFlows::MatrixClicked(const MatrixHit& hit)
{
    if (!hit.Cell) {
        m_window.HideParticipantCalls();
        return;
    }
    m_window.ShowParticipantCalls(
        FromCoreText(m_evaluator.ParticipantCalls(hit.Entity, hit.Cell->Band, hit.Cell->Mode)));
}

void EvaluationWindowFlows::ButtonSaveClick()
{
    const BusyCursor busy;
    static_cast<void>(m_evaluator.Save());
}

void EvaluationWindowFlows::ButtonLevelsClick()
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

bool EvaluationWindowFlows::FormClose()
{
    return m_evaluator.Close();
}

}  // namespace wendrix::ui

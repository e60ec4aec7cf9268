// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/EvaluationSession.h"

#include <utility>

#include "common/Dates.h"
#include "common/SafeFile.h"
#include "common/Text.h"
#include "common/Utf8Path.h"
#include "evaluation/ClubReport.h"
#include "evaluation/ResultFile.h"
#include "lists/ListFiles.h"
#include "session/MemberSession.h"

namespace wendrix {

namespace {

// The folder's own name, also for "." or a path ending in a separator.
[[nodiscard]] std::string FolderName(const std::filesystem::path& directory)
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(directory, error).lexically_normal();
    if (error) {
        path = directory.lexically_normal();
    }
    if (path.filename().empty() && path.has_parent_path()) {
        path = path.parent_path();
    }
    return PathToUtf8(path.filename());
}

}  // namespace

EvaluationSession::EvaluationSession(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix,
                                     Evaluation& evaluation, std::filesystem::path listDirectory,
                                     ThresholdStore& store, SessionPrompts& prompts)
    : m_catalogue(catalogue),
      m_matrix(matrix),
      m_evaluation(evaluation),
      m_listDirectory(std::move(listDirectory)),
      m_store(store),
      m_prompts(prompts)
{
}

void EvaluationSession::ReadThresholds()
{
    m_thresholds = m_store.Read();
}

const EvaluationRunResult& EvaluationSession::Run()
{
    m_lastRun = RunEvaluation(m_listDirectory, m_catalogue, m_thresholds, m_matrix, m_evaluation);
    // The log names the participants by their file names, which are bytes on some platforms.
    for (std::string& line : m_lastRun.LogLines) {
        line = ToValidUtf8(std::move(line));
    }
    if (m_reportTarget && m_lastRun.FoundAny()) {
        m_lastRun.LogLines.push_back(
            ToValidUtf8("Clubbericht beim Speichern: " + PathToUtf8(*m_reportTarget)));
    }
    m_prompts.ShowReport(kEvaluationLogCaption, m_lastRun.LogLines, false);
    for (const std::filesystem::path& path : m_lastRun.ReadErrors) {
        m_prompts.ShowFileError(ToValidUtf8(ReadErrorText(path)));
    }
    if (m_lastRun.FoundAny()) {
        m_matrix.SetModified(true);
    }
    return m_lastRun;
}

std::array<std::string, kThresholdRows> EvaluationSession::ThresholdRowTexts() const
{
    std::array<std::string, kThresholdRows> texts;
    for (std::size_t row = 0; row < kThresholdRows; ++row) {
        texts[row] = std::to_string(m_thresholds.For(ThresholdRowBand(row)));
    }
    return texts;
}

std::optional<std::size_t> EvaluationSession::ApplyThresholdRows(std::span<const std::string> rows)
{
    for (std::size_t row = 0; row < kThresholdRows; ++row) {
        const std::optional<int> value =
            row < rows.size() ? CheckThreshold(rows[row]) : std::nullopt;
        if (!value) {
            m_prompts.ShowError(ThresholdRangeMessage());
            return row;
        }
        m_thresholds.minimum[static_cast<std::size_t>(ThresholdRowBand(row))] = *value;
    }
    m_store.Write(m_thresholds);
    Run();
    return std::nullopt;
}

std::string EvaluationSession::ParticipantCalls(int entity, BandIndex band, ModeIndex mode) const
{
    return m_evaluation.EntityParticipantCalls(entity, band.Value(), mode.Value());
}

void EvaluationSession::SetClubReport(std::optional<std::filesystem::path> target,
                                      std::optional<std::filesystem::path> previousResult,
                                      bool anonymous)
{
    m_reportTarget = std::move(target);
    m_previousResult = std::move(previousResult);
    m_anonymousReport = anonymous;
}

void EvaluationSession::SetClubReportBesideResult()
{
    std::optional<std::filesystem::path> previous =
        m_listDirectory / std::string(kPreviousResultFileName);
    std::error_code error;
    if (!std::filesystem::exists(*previous, error)) {
        previous.reset();
    }
    SetClubReport(m_listDirectory / std::string(kClubReportFileName), std::move(previous), false);
}

std::string EvaluationSession::ClubReportPage(std::string date) const
{
    std::optional<PreviousResultLoad> previous;
    if (m_previousResult) {
        previous = LoadPreviousResult(*m_previousResult);
    }
    const ClubReportInput input{
        .Catalogue = m_catalogue,
        .Figures = m_evaluation,
        .Run = m_lastRun,
        .Thresholds = m_thresholds,
        .FolderName = FolderName(m_listDirectory),
        .Date = std::move(date),
        .Previous = previous ? &*previous : nullptr,
        .Anonymous = m_anonymousReport,
    };
    return FormatClubReport(input);
}

SaveOutcome EvaluationSession::Save()
{
    const FileWriteResult written = SaveResultFile(m_listDirectory, m_catalogue, m_evaluation);
    if (!written) {
        m_prompts.ShowFileError(ToValidUtf8(written.Message()));
        return Fail(SaveRefusal::WriteFailed);
    }
    if (m_reportTarget) {
        if (!WriteFileSafely(*m_reportTarget, ClubReportPage(FormatDateKey(TodayUtc())))) {
            m_prompts.ShowFileError(ToValidUtf8(WriteErrorText(*m_reportTarget)));
            return Fail(SaveRefusal::WriteFailed);
        }
    }
    m_matrix.SetModified(false);
    return Done{};
}

bool EvaluationSession::Close()
{
    return CloseAfterAsking(*this, m_prompts);
}

}  // namespace wendrix

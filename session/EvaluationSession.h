// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/EntityCatalogue.h"
#include "evaluation/Evaluation.h"
#include "evaluation/RunEvaluation.h"
#include "matrix/BandThresholds.h"
#include "matrix/ConfirmationMatrix.h"
#include "session/SaveOutcome.h"
#include "session/SessionPrompts.h"

// The club evaluator's side of the program: the directory of lists, the thresholds with their
// store, the evaluation run and its re-run after new thresholds, and saving the result file.
// The unsaved state is the matrix's modified state, as for the member.
namespace wendrix {

// The rows of the thresholds grid: "Total" first, then 160 m to 6 m.
inline constexpr std::size_t kThresholdRows = 11;
inline constexpr std::array<std::string_view, kThresholdRows> kThresholdRowLabels{
    "Total", "160m", "80m", "40m", "30m", "20m", "17m", "15m", "12m", "10m", "6m"};
// The band a row of the grid edits.
[[nodiscard]] constexpr int ThresholdRowBand(std::size_t row)
{
    return row == 0 ? kAllBands : static_cast<int>(row) - 1;
}

class EvaluationSession
{
public:
    // The collaborators must outlive the session.
    EvaluationSession(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix,
                      Evaluation& evaluation, std::filesystem::path listDirectory,
                      ThresholdStore& store, SessionPrompts& prompts);

    [[nodiscard]] const EntityCatalogue& Catalogue() const { return m_catalogue; }
    [[nodiscard]] const Evaluation& Figures() const { return m_evaluation; }
    [[nodiscard]] const std::filesystem::path& ListDirectory() const { return m_listDirectory; }

    // Takes the stored thresholds (the defaults when none are stored); done once at start-up.
    void ReadThresholds();
    [[nodiscard]] const BandThresholds& Thresholds() const { return m_thresholds; }

    // Evaluates every list of the directory from scratch, shows the log beside the main window
    // and the read errors, and makes the result savable when a list was found.
    const EvaluationRunResult& Run();
    [[nodiscard]] const EvaluationRunResult& LastRun() const { return m_lastRun; }

    // The thresholds grid: the value texts of its rows, and taking edited texts back. Rows are
    // taken in order; at the first invalid one the range message is shown and its index
    // returned (the rows before it already apply, nothing is stored). When every row is valid
    // the thresholds are stored and the evaluation runs again.
    [[nodiscard]] std::array<std::string, kThresholdRows> ThresholdRowTexts() const;
    std::optional<std::size_t> ApplyThresholdRows(std::span<const std::string> rows);

    // The call signs of the counted lists that confirm a cell, each followed by a blank.
    [[nodiscard]] std::string ParticipantCalls(int entity, BandIndex band, ModeIndex mode) const;

    // The club report written with the result file: its path (none: no report), last year's
    // result file to compare with (none: no comparison), and whether call signs are left out.
    void SetClubReport(std::optional<std::filesystem::path> target,
                       std::optional<std::filesystem::path> previousResult, bool anonymous);
    // As the desktop program saves: the report beside the result file, compared with a
    // "Wendrix-previous.TXT" of the list directory when there is one.
    void SetClubReportBesideResult();
    // The report of the last run as a page, dated as given.
    [[nodiscard]] std::string ClubReportPage(std::string date) const;

    // "Liste speichern" in the evaluation: writes the result file safely, then the club report
    // when one is asked for (the run's log names it).
    SaveOutcome Save();
    [[nodiscard]] bool Close();
    [[nodiscard]] bool HasUnsavedChanges() const { return m_matrix.Modified(); }

private:
    const EntityCatalogue& m_catalogue;
    ConfirmationMatrix& m_matrix;
    Evaluation& m_evaluation;
    std::filesystem::path m_listDirectory;
    ThresholdStore& m_store;
    SessionPrompts& m_prompts;
    BandThresholds m_thresholds;
    EvaluationRunResult m_lastRun;
    std::optional<std::filesystem::path> m_reportTarget;
    std::optional<std::filesystem::path> m_previousResult;
    bool m_anonymousReport = false;
};

}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntityCatalogue.h"
#include "lists/Evaluation.h"
#include "lists/ListFiles.h"
#include "matrix/AwardCounts.h"
#include "matrix/BandThresholds.h"
#include "matrix/ConfirmationMatrix.h"

// The evaluation run over a directory of survey list files, and the result file it saves.
namespace wendrix {

inline constexpr std::size_t kMaxEvaluatedFiles = 10000;

// What the club report needs of one list beyond the evaluation figures: its name, what its first
// line says, its all-bands counts and award counts, and whether it counted for all bands (Mixed).
struct ParticipantSummary
{
    std::string CallSign;        // as the evaluation names it: the file name up to its first "."
    std::string StatedCallSign;  // the list's first line, trimmed, upper case
    std::array<std::uint16_t, kModeCount> AllBands{};  // per ModeIndex
    AwardCounts Awards;
    bool CountedAllBands = false;  // reached the all-bands threshold
};

struct EvaluationRunResult
{
    std::vector<std::string> LogLines;              // per file: problems, counts, thresholds
    std::size_t FilesRead = 0;                      // list files evaluated
    bool LimitReached = false;                      // more than 10000 list files were found
    bool DirectoryError = false;                    // the directory could not be listed
    std::vector<std::filesystem::path> ReadErrors;  // files that could not be read completely
    std::vector<ParticipantSummary> Participants;   // one per list evaluated, in reading order

    // Saving becomes possible once a run found at least one file.
    [[nodiscard]] bool FoundAny() const { return FilesRead > 0; }
};

// The names of the list files of a directory: every entry whose name ends in ".CFD" in any
// case, sorted bytewise. At most `limit` names are returned; `more` tells whether there were
// others. `error` is set when the directory cannot be listed.
[[nodiscard]] std::vector<std::string> FindListFiles(const std::filesystem::path& directory,
                                                     std::size_t limit, bool& more, bool& error);

// The participant's call sign: the file name up to its first ".", as it stands.
[[nodiscard]] std::string ParticipantCallOfFile(std::string_view fileName);

// Evaluates every list file of the directory from scratch. The evaluation starts from zero; the
// matrix is left holding the cells of the last file read.
[[nodiscard]] EvaluationRunResult RunEvaluation(const std::filesystem::path& directory,
                                                const EntityCatalogue& catalogue,
                                                const BandThresholds& thresholds,
                                                ConfirmationMatrix& matrix, Evaluation& evaluation);

}  // namespace wendrix

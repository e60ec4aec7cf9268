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
#include "common/ReadableFile.h"
#include "common/Result.h"
#include "evaluation/Evaluation.h"
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
    std::size_t EntriesSkipped = 0;                 // entries named like lists that are no files
    std::size_t Duplicates = 0;                     // lists of a station already counted
    bool LimitReached = false;                      // more than 10000 list files were found
    bool DirectoryError = false;                    // the directory could not be listed
    std::vector<std::filesystem::path> ReadErrors;  // files that could not be read completely
    std::vector<ParticipantSummary> Participants;   // one per list evaluated, in reading order

    // Saving becomes possible once a run found at least one file.
    [[nodiscard]] bool FoundAny() const { return FilesRead > 0; }
};

// An entry of a directory whose name ends in ".CFD" in any case.
struct ListEntry
{
    std::string Name;                   // the bare file name
    FileKind Kind = FileKind::Regular;  // Regular: a list to read; else what is passed over
};

struct ListDirectoryScan
{
    // Sorted bytewise by name: the lists and, between them, the entries that are no files
    // (directories, pipes, sockets, devices, links to nowhere). A list whose type could not be
    // looked at is kept, so that reading it reports the error.
    std::vector<ListEntry> Entries;
    bool More = false;   // lists beyond the limit were left out (with the entries among them)
    bool Error = false;  // the directory could not be listed
};

// Looks at the entries of a directory without opening any. At most `limit` lists are taken.
[[nodiscard]] ListDirectoryScan ScanListDirectory(const std::filesystem::path& directory,
                                                  std::size_t limit);

struct ListFileNames
{
    std::vector<std::string> Names;
    bool More = false;  // there were lists beyond the limit
};

enum class ListingFailure {
    Unlisted,  // the directory could not be listed; there is nothing to tell the user
};

// The names of the list files of a directory: every regular file (after following a symbolic
// link) whose name ends in ".CFD" in any case, sorted bytewise. At most `limit` names are
// returned. When the listing breaks off partway, the names found before count.
[[nodiscard]] Result<ListFileNames, ListingFailure>
FindListFiles(const std::filesystem::path& directory, std::size_t limit);

// The log line of a list passed over because an earlier one holds the same call sign in line 1:
// "Doppelt: " + name + ", Rufzeichen " + call + " schon aus " + counted + " gezählt".
[[nodiscard]] std::string DuplicateListText(std::string_view name, std::string_view call,
                                            std::string_view counted);

// The participant's call sign: the file name up to its first ".", as it stands.
[[nodiscard]] std::string ParticipantCallOfFile(std::string_view fileName);

// Evaluates every list file of the directory from scratch. The evaluation starts from zero; the
// matrix is left holding the cells of the last file evaluated. Entries that are no files are
// named in the log and not read. A station counts once: a list whose line 1 holds a call sign
// that an earlier list (in name order) already held is named in the log as a duplicate and not
// evaluated.
[[nodiscard]] EvaluationRunResult RunEvaluation(const std::filesystem::path& directory,
                                                const EntityCatalogue& catalogue,
                                                const BandThresholds& thresholds,
                                                ConfirmationMatrix& matrix, Evaluation& evaluation);

}  // namespace wendrix

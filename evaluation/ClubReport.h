// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "catalogue/EntityCatalogue.h"
#include "evaluation/Evaluation.h"
#include "evaluation/PreviousResult.h"
#include "evaluation/RunEvaluation.h"
#include "matrix/BandThresholds.h"

// The club's report of an evaluation: one self-contained HTML page (inline style, no script, no
// outside resources) that a club can publish: the evaluation's head, a heat map of the shares,
// the most and least often confirmed entities, a league table of the participants and, given
// last year's result file, the changes since.
namespace wendrix {

inline constexpr std::string_view kClubReportFileName = "Wendrix.html";
inline constexpr std::string_view kPreviousResultFileName = "Wendrix-previous.TXT";

// How many entities the most/fewest and rose/fell tables show.
inline constexpr std::size_t kReportRankedEntities = 20;

struct ClubReportInput
{
    const EntityCatalogue& Catalogue;
    const Evaluation& Figures;
    const EvaluationRunResult& Run;
    const BandThresholds& Thresholds;
    std::string FolderName;                        // bytes as the file system names the folder
    std::string Date;                              // as shown in the head
    const PreviousResultLoad* Previous = nullptr;  // none when no previous file was named
    bool Anonymous = false;                        // no call sign or file name anywhere
};

// The page as UTF-8. Text from list files and file names is shown as valid UTF-8 (invalid bytes
// taken as Latin-1) and escaped, so a crafted list cannot put markup into the page.
[[nodiscard]] std::string FormatClubReport(const ClubReportInput& input);

// `&`, `<`, `>`, `"` and `'` as character references, after making the text valid UTF-8.
[[nodiscard]] std::string EscapeHtml(std::string_view text);

}  // namespace wendrix

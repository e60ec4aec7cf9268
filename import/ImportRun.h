// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/CallResolver.h"
#include "import/ImportOutcome.h"
#include "import/ImportProgress.h"
#include "import/ImportPrompts.h"
#include "import/ImportReport.h"
#include "import/ImportSession.h"
#include "import/LogSourceOpener.h"
#include "matrix/ConfirmationMatrix.h"

// The import run: asks whether eQSL counts, lets the user choose logs, reads them record by
// record, asks about entities found from call signs, ticks the confirmed contacts and ends with
// a summary and a report of everything skipped, unclear or completed. Its callers get the ports
// it talks through (prompts, progress, report, opener) and its outcome with this header.
namespace wendrix {

class ImportRun
{
public:
    // The collaborators must outlive the run.
    ImportRun(const CallResolver& resolver, ConfirmationMatrix& matrix, ImportPrompts& prompts,
              ImportProgress& progress, ImportReport& report, LogSourceOpener& opener);

    // The logs to read: none = the user chooses them (after the eQSL question, as always);
    // given = read these without asking, for logs dropped on the window.
    // The member's call sign: records of other stations are asked about once per file. Empty
    // (the default): every record counts and nothing is asked.
    void SetOwnCall(std::string call) { m_ownCall = std::move(call); }

    ImportOutcome Run(std::optional<std::vector<std::filesystem::path>> logs = std::nullopt);

private:
    // What the run added against the matrix as it was before, in the report after its lines.
    ImportNews ReportNews(const ConfirmationMatrix& before);

    const CallResolver& m_resolver;
    ConfirmationMatrix& m_matrix;
    ImportPrompts& m_prompts;
    ImportProgress& m_progress;
    ImportReport& m_report;
    LogSourceOpener& m_opener;
    std::string m_ownCall;
};

}  // namespace wendrix

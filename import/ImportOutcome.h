// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "import/ImportNews.h"
#include "import/ImportSummary.h"

// How an import run ended and what the caller does next.
namespace wendrix {

enum class ImportEnd {
    Cancelled,           // no file chosen: nothing changed
    Completed,           // every chosen file read; the summary was shown
    AbortedOnReadError,  // OK at a read error: no summary, contacts applied before stay
};

struct ImportOutcome
{
    ImportEnd end = ImportEnd::Cancelled;
    bool countEqsl = false;
    ImportCounters counters;
    std::string summary;      // empty unless the run completed
    bool showReport = false;  // the user asked to see the report
    ImportNews news;          // what the run added (also after a read error)
    // Unless the run was cancelled, the matrix may have changed (the caller repaints it) and the
    // list was marked modified.
};

}  // namespace wendrix

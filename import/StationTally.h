// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "import/ContactRecord.h"
#include "import/ImportPrompts.h"

// Whose log a file is: the station calls of its records with their counts, and the records of
// other stations than the member's own, which the user counts or leaves out once per file.
namespace wendrix {

class StationTally
{
public:
    // ownCall: the member's call sign, empty when not known (then every record counts and nothing
    // is asked). The prompts must outlive the tally.
    StationTally(std::string ownCall, ImportPrompts& prompts, std::filesystem::path file);

    // Whether the record counts; asks at the first record of another station.
    [[nodiscard]] bool Takes(const ContactRecord& contact);

    [[nodiscard]] std::int64_t LeftOut() const { return m_leftOut; }
    // "Stationsrufzeichen in <file>: DL1ABC 120, DK0XX 3" when any record named its station,
    // and "<n> QSOs anderer Stationen ausgelassen: <file>" when the user left them out.
    [[nodiscard]] std::vector<std::string> ReportLines() const;

private:
    std::string m_ownCall;
    ImportPrompts& m_prompts;
    std::filesystem::path m_file;
    std::map<std::string, std::int64_t> m_calls;
    // The call of the record before and what was found for it: a log is mostly one station's.
    std::string m_lastCall;
    std::int64_t* m_lastCount = nullptr;
    bool m_lastOwn = true;
    std::optional<bool> m_countOthers;
    std::int64_t m_leftOut = 0;
};

}  // namespace wendrix

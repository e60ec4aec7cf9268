// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/StationTally.h"

#include <utility>

#include "common/Text.h"
#include "common/Utf8Path.h"
#include "import/StationCall.h"

namespace wendrix {

StationTally::StationTally(std::string ownCall, ImportPrompts& prompts, std::filesystem::path file)
    : m_ownCall(std::move(ownCall)),
      m_prompts(prompts),
      m_file(std::move(file))
{
}

bool StationTally::Takes(const ContactRecord& contact)
{
    if (contact.StationCall.empty()) {
        return true;  // the log does not say whose it is
    }
    if (m_lastCount == nullptr || contact.StationCall != m_lastCall) {
        m_lastCall = contact.StationCall;
        m_lastCount = &m_calls[m_lastCall];
        m_lastOwn = m_ownCall.empty() || SameStation(m_ownCall, m_lastCall);
    }
    ++*m_lastCount;
    if (m_lastOwn) {
        return true;
    }
    if (!m_countOthers) {
        m_countOthers = m_prompts.AskCountOtherStation({m_file, m_lastCall, m_ownCall});
    }
    if (!*m_countOthers) {
        ++m_leftOut;
    }
    return *m_countOthers;
}

std::vector<std::string> StationTally::ReportLines() const
{
    std::vector<std::string> lines;
    if (m_calls.empty()) {
        return lines;
    }
    std::string calls;
    for (const auto& [call, count] : m_calls) {
        calls += (calls.empty() ? "" : ", ") + call + " " + std::to_string(count);
    }
    lines.push_back(ToValidUtf8("Stationsrufzeichen in " + PathToUtf8(m_file) + ": " + calls));
    if (m_leftOut > 0) {
        lines.push_back(ToValidUtf8(std::to_string(m_leftOut) +
                                    " QSOs anderer Stationen ausgelassen: " + PathToUtf8(m_file)));
    }
    return lines;
}

}  // namespace wendrix

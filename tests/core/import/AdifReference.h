// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntityCatalogue.h"
#include "import/adif/AdifLogHandler.h"
#include "import/ContactRecord.h"
#include "import/adif/AdifReader.h"

// A deliberately plain model of the ADIF reader: whole lines, whole chunks and whole strings,
// with the tag scanner written as the character-by-character state machine. It has no limits and
// no cleverness, so the streaming reader can be checked against it on any input that stays
// within the streaming reader's limits.
namespace wendrix::test {

struct ReadOutcome
{
    bool accepted = false;
    ContactRecord contact;  // when accepted
    std::string report;     // when rejected: reason + record text (record text cut as the reader)

    friend bool operator==(const ReadOutcome& a, const ReadOutcome& b)
    {
        if (a.accepted != b.accepted) {
            return false;
        }
        if (!a.accepted) {
            return a.report == b.report;
        }
        const ContactRecord& x = a.contact;
        const ContactRecord& y = b.contact;
        return x.Day == y.Day && x.Month == y.Month && x.Year == y.Year && x.Hour == y.Hour &&
               x.Minute == y.Minute && x.Call == y.Call && x.Band == y.Band && x.Mode == y.Mode &&
               x.Flags == y.Flags && x.Entity == y.Entity &&
               x.NoEntityDeclared == y.NoEntityDeclared;
    }
};

std::string Describe(const ReadOutcome& outcome);
std::string Describe(const std::vector<ReadOutcome>& outcomes);

// Hands chunks one by one to the plain model of ReadAdifRecord.
std::vector<ReadOutcome> ReferenceReadChunks(const std::vector<std::string>& chunks,
                                             const EntityCatalogue& catalogue, bool countEqsl);

// Reads a whole log the plain way.
std::vector<ReadOutcome> ReferenceReadLog(std::string_view bytes, const EntityCatalogue& catalogue,
                                          bool countEqsl);

// The small catalogue (DL and JA) that the reader checks resolve DXCC numbers with.
const EntityCatalogue& ReaderCheckCatalogue();

// Collects the records a file driver reports, in order; what happens at line starts and read
// errors is left to the derived class.
class OutcomeCollector : public AdifLogHandler
{
public:
    void Accepted(const ContactRecord& contact) override;
    void Rejected(std::string_view reportLine) override;

    std::vector<ReadOutcome> outcomes;
};

// What one chunk of a line handed to the reader at once yielded.
enum class ChunkResult {
    Waiting,
    Accepted,
    Rejected
};

// Hands one chunk of a line (upper-cased or not) to the reader in one piece:
// - Waiting: no non-empty record was completed; the chunk is emptied (its text waits in the
//   reader), contact is not touched.
// - Rejected: chunk now holds the reason text followed directly by the record text.
// - Accepted: contact holds the record and the chunk is emptied.
[[nodiscard]] ChunkResult ReadAdifRecord(AdifRecordReader& reader, std::string& chunk,
                                         ContactRecord& contact);

}  // namespace wendrix::test

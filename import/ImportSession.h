// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "catalogue/CallResolver.h"
#include "common/ReadableFile.h"
#include "import/ApplyContact.h"
#include "import/ContactRecord.h"
#include "import/ImportPrompts.h"
#include "import/ImportReport.h"
#include "import/ImportSummary.h"
#include "matrix/ConfirmationMatrix.h"

// The handling of the records of one import run, file after file: the counters, the sticky
// answer to the entity question, the report lines and the ticking of the matrix. ImportRun
// drives it; it can also be fed records directly.
namespace wendrix {

class ImportSession
{
public:
    ImportSession(const CallResolver& resolver, ConfirmationMatrix& matrix, ImportPrompts& prompts,
                  ImportReport& report);

    // A rejected record: reason text followed by the record text.
    void HandleRejected(std::string_view reportLine);
    // An accepted record.
    void HandleAccepted(const ContactRecord& contact);
    // Bytes of a file that could not be read and were passed over after the user chose Ignore.
    void HandleSkippedBytes(const std::filesystem::path& file, std::uint64_t count);
    // A chosen entry that is no file to read (a directory, a pipe, ...).
    void HandleNoFile(const std::filesystem::path& file, FileKind kind);
    // A file read to its end without a single record, accepted or rejected.
    void HandleFileWithoutRecords(const std::filesystem::path& file);
    // A record of another station, left out at the user's word.
    void HandleOtherStation() { ++m_counters.otherStations; }
    // Lines of the run's own (the station calls of a file).
    void HandleReportLine(std::string_view line) { AddReportLine(line); }

    [[nodiscard]] const ImportCounters& Counters() const { return m_counters; }
    // The answer to the last entity question, No before the first; Yes to all and No to all
    // stay for the rest of the run.
    [[nodiscard]] EntityAnswer LastAnswer() const { return m_lastAnswer; }

private:
    // Decides the entity of a confirmed contact whose log gave none: takes the resolved entity
    // into the contact's prefix, or counts and lists the contact as unclear.
    void DetermineEntity(ContactRecord& contact);
    // Hands a line to the report as valid UTF-8: log bytes in Latin-1 are converted.
    void AddReportLine(std::string_view line);

    const CallResolver& m_resolver;
    ImportPrompts& m_prompts;
    ImportReport& m_report;
    ContactApplier m_applier;
    ImportCounters m_counters;
    EntityAnswer m_lastAnswer = EntityAnswer::No;
    ContactRecord m_contact;  // working copy, keeps its text capacity between records
    std::string m_line;       // the report line being written
    std::string m_converted;  // a report line converted to UTF-8
};

}  // namespace wendrix

#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CallResolver.h"
#include "import/AdifFile.h"
#include "import/ApplyContact.h"
#include "import/ContactRecord.h"
#include "import/ImportProgress.h"
#include "import/ImportPrompts.h"
#include "import/ImportSummary.h"
#include "matrix/ConfirmationMatrix.h"

// The import run: asks whether eQSL counts, lets the user choose logs, reads them record by
// record, asks about entities found from call signs, ticks the confirmed contacts and ends with
// a summary and a report of everything skipped, unclear or completed.
namespace wendrix {

// Where the report lines of a run go (the report window, the terminal, a list in tests).
class ImportReport
{
public:
    virtual ~ImportReport() = default;
    // Empties the report and gives it its caption; called once at the start of every run.
    virtual void BeginReport(std::string_view caption) = 0;
    virtual void AddLine(std::string_view line) = 0;
};

// A report kept in memory.
class ImportReportLines final : public ImportReport
{
public:
    void BeginReport(std::string_view caption) override
    {
        m_caption = caption;
        m_lines.clear();
    }
    void AddLine(std::string_view line) override { m_lines.emplace_back(line); }
    [[nodiscard]] const std::string& Caption() const { return m_caption; }
    [[nodiscard]] const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::string m_caption;
    std::vector<std::string> m_lines;
};

// Opens the logs the user chose.
class LogSourceOpener
{
public:
    virtual ~LogSourceOpener() = default;
    // Null when the file cannot be opened; such a file gives no records and no message.
    [[nodiscard]] virtual std::unique_ptr<AdifByteSource> Open(const std::filesystem::path& file) = 0;
};

class DiskLogSourceOpener final : public LogSourceOpener
{
public:
    [[nodiscard]] std::unique_ptr<AdifByteSource> Open(const std::filesystem::path& file) override
    {
        return AdifFileSource::Open(file);
    }
};

// The handling of the records of one run, file after file: the counters, the sticky answer to
// the entity question, the report lines and the ticking of the matrix. ImportRun drives it; it
// can also be fed records directly.
class ImportSession
{
public:
    ImportSession(const CallResolver& resolver, ConfirmationMatrix& matrix, ImportPrompts& prompts,
                  ImportReport& report);

    // A rejected record: reason text followed by the record text.
    void HandleRejected(std::string_view reportLine);
    // An accepted record.
    void HandleAccepted(const ContactRecord& contact);

    [[nodiscard]] const ImportCounters& Counters() const { return m_counters; }
    // The answer to the last entity question, No before the first; Yes to all and No to all
    // stay for the rest of the run.
    [[nodiscard]] EntityAnswer LastAnswer() const { return m_lastAnswer; }

private:
    // Decides the entity of a confirmed contact whose log gave none: takes the resolved entity
    // into the contact's prefix, or counts and lists the contact as unclear.
    void DetermineEntity(ContactRecord& contact);

    const CallResolver& m_resolver;
    ImportPrompts& m_prompts;
    ImportReport& m_report;
    ContactApplier m_applier;
    ImportCounters m_counters;
    EntityAnswer m_lastAnswer = EntityAnswer::No;
    ContactRecord m_contact;   // working copy, keeps its text capacity between records
    std::string m_line;        // the report line being written
};

enum class ImportEnd {
    Cancelled,            // no file chosen: nothing changed
    Completed,            // every chosen file read; the summary was shown
    AbortedOnReadError,   // OK at a read error: no summary, contacts applied before stay
};

struct ImportOutcome
{
    ImportEnd end = ImportEnd::Cancelled;
    bool countEqsl = false;
    ImportCounters counters;
    std::string summary;          // empty unless the run completed
    bool showReport = false;      // the user asked to see the report
    // The matrix may have changed: the caller repaints it. The list was marked modified.
    bool refreshView = false;
};

class ImportRun
{
public:
    // The collaborators must outlive the run.
    ImportRun(const CallResolver& resolver, ConfirmationMatrix& matrix, ImportPrompts& prompts,
              ImportProgress& progress, ImportReport& report, LogSourceOpener& opener);

    ImportOutcome Run();

private:
    const CallResolver& m_resolver;
    ConfirmationMatrix& m_matrix;
    ImportPrompts& m_prompts;
    ImportProgress& m_progress;
    ImportReport& m_report;
    LogSourceOpener& m_opener;
};

// The upper text of the progress window for a file, cut after 255 characters.
[[nodiscard]] std::string ProgressFileText(const std::filesystem::path& file);
inline constexpr std::string_view kProgressWaitText = "Bitte warten ...";
inline constexpr std::size_t kProgressTextLimit = 255;

// Bytes read * 100 div the expected total, which is the file size rounded down to a multiple of
// 128, but at least 1.
[[nodiscard]] std::uint64_t ExpectedTotal(std::uint64_t fileSize);
[[nodiscard]] std::int64_t ProgressPercent(std::uint64_t bytesRead, std::uint64_t expectedTotal);

}  // namespace wendrix

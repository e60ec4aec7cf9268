#include "import/ImportRun.h"

#include <algorithm>

namespace wendrix {

namespace {

constexpr std::string_view kUndefinedPrefix = "0";

ReportContact ReportContactOf(const ContactRecord& contact)
{
    return {contact.Call, contact.Year, contact.Month, contact.Day};
}

// Connects the log driver to the session for one file: progress per line, records, read errors.
class FileHandler final : public AdifLogHandler
{
public:
    FileHandler(ImportSession& session, ImportPrompts& prompts, ImportProgress& progress,
                const std::filesystem::path& file, std::uint64_t fileSize)
        : m_session(session),
          m_prompts(prompts),
          m_progress(progress),
          m_file(file),
          m_expectedTotal(ExpectedTotal(fileSize))
    {
    }

    [[nodiscard]] bool BeginLine(std::uint64_t bytesRead) override
    {
        const std::int64_t percent = ProgressPercent(bytesRead, m_expectedTotal);
        if (percent == m_lastPercent) {
            return true;
        }
        if (!m_progress.StepProgress(ProgressBarValue(percent))) {
            return false;
        }
        m_lastPercent = percent;
        return true;
    }

    void Accepted(const ContactRecord& contact) override { m_session.HandleAccepted(contact); }
    void Rejected(std::string_view reportLine) override { m_session.HandleRejected(reportLine); }

    [[nodiscard]] ReadErrorAction ReadError() override
    {
        return m_prompts.AskOnReadError(m_file) == ReadErrorAnswer::Abort
                   ? ReadErrorAction::Abort
                   : ReadErrorAction::Ignore;
    }

private:
    ImportSession& m_session;
    ImportPrompts& m_prompts;
    ImportProgress& m_progress;
    const std::filesystem::path& m_file;
    std::uint64_t m_expectedTotal;
    std::int64_t m_lastPercent = 0;
};

}  // namespace

std::string ProgressFileText(const std::filesystem::path& file)
{
    std::string text = "Lese ADIF-Log " + file.string();
    if (text.size() > kProgressTextLimit) {
        std::size_t cut = kProgressTextLimit;
        // Paths are UTF-8 on this platform: do not leave half a character at the end.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u) {
            --cut;
        }
        text.resize(cut);
    }
    return text;
}

std::uint64_t ExpectedTotal(std::uint64_t fileSize)
{
    const std::uint64_t total = fileSize / 128 * 128;
    return total == 0 ? 1 : total;
}

std::int64_t ProgressPercent(std::uint64_t bytesRead, std::uint64_t expectedTotal)
{
    return static_cast<std::int64_t>(bytesRead * 100 / std::max<std::uint64_t>(expectedTotal, 1));
}

ImportSession::ImportSession(const CallResolver& resolver, ConfirmationMatrix& matrix,
                             ImportPrompts& prompts, ImportReport& report)
    : m_resolver(resolver),
      m_prompts(prompts),
      m_report(report),
      m_applier(resolver.Catalogue(), matrix)
{
}

void ImportSession::HandleRejected(std::string_view reportLine)
{
    ++m_counters.skipped;
    m_report.AddLine(reportLine);
}

void ImportSession::HandleAccepted(const ContactRecord& contact)
{
    ++m_counters.imported;
    if (!contact.IsConfirmed()) {
        return;   // counted, never applied
    }
    ++m_counters.confirmed;
    if (!contact.Prefix.empty() && contact.Prefix != kUndefinedPrefix) {
        m_applier.Apply(contact);
        return;
    }

    m_contact = contact;
    if (m_contact.Prefix.empty()) {
        ++m_counters.withoutCode;
        DetermineEntity(m_contact);
    }
    if (m_contact.Prefix == kUndefinedPrefix) {
        m_contact.Prefix.clear();
        ++m_counters.withoutCode;
        ++m_counters.unclear;
        WriteUndefinedEntityLine(m_line, ReportContactOf(m_contact));
        m_report.AddLine(m_line);
    }
    // A contact whose entity stayed unknown reaches here with an empty prefix and ticks nothing.
    m_applier.Apply(m_contact);
}

void ImportSession::DetermineEntity(ContactRecord& contact)
{
    if (m_lastAnswer != EntityAnswer::NoToAll) {
        const ResolutionResult resolved = m_resolver.Resolve(contact.Call, contact.Date());
        if (resolved.Status == ResolutionStatus::Resolved ||
            resolved.Status == ResolutionStatus::ResolvedTwoPart) {
            if (m_lastAnswer != EntityAnswer::YesToAll) {
                m_lastAnswer = m_prompts.AskTakeEntity(
                    EntityQuestion{resolved.MainPrefix, contact.Call, contact.Year});
            }
            if (m_lastAnswer == EntityAnswer::Yes || m_lastAnswer == EntityAnswer::YesToAll) {
                ++m_counters.determined;
                contact.Prefix = resolved.MainPrefix;
                WriteDeterminedLine(m_line, contact.Prefix, ReportContactOf(contact));
                m_report.AddLine(m_line);
                return;
            }
        }
    }
    ++m_counters.unclear;
    WriteUnclearLine(m_line, ReportContactOf(contact));
    m_report.AddLine(m_line);
}

ImportRun::ImportRun(const CallResolver& resolver, ConfirmationMatrix& matrix,
                     ImportPrompts& prompts, ImportProgress& progress, ImportReport& report,
                     LogSourceOpener& opener)
    : m_resolver(resolver),
      m_matrix(matrix),
      m_prompts(prompts),
      m_progress(progress),
      m_report(report),
      m_opener(opener)
{
}

ImportOutcome ImportRun::Run()
{
    ImportOutcome outcome;
    outcome.countEqsl = m_prompts.AskCountEqsl();
    m_report.BeginReport(kReportCaption);
    const std::vector<std::filesystem::path> files = m_prompts.ChooseLogFiles();
    if (files.empty()) {
        return outcome;
    }

    ImportSession session(m_resolver, m_matrix, m_prompts, m_report);
    AdifLogReader reader(m_resolver.Catalogue(), outcome.countEqsl);
    for (const std::filesystem::path& file : files) {
        const std::unique_ptr<AdifByteSource> source = m_opener.Open(file);
        if (!source) {
            continue;
        }
        FileHandler handler(session, m_prompts, m_progress, file, source->Size());
        m_progress.ShowProgress(ProgressFileText(file), kProgressWaitText, 0);
        const AdifLogEnd end = reader.Read(*source, handler);
        m_progress.HideProgress();
        if (end == AdifLogEnd::Aborted) {
            // The contacts applied before the error stay in the matrix, so the list counts as
            // changed and the view must show them; otherwise closing would lose them silently.
            outcome.end = ImportEnd::AbortedOnReadError;
            outcome.counters = session.Counters();
            m_matrix.SetModified(true);
            outcome.refreshView = true;
            return outcome;
        }
    }

    outcome.end = ImportEnd::Completed;
    outcome.counters = session.Counters();
    const ImportSummary summary = BuildImportSummary(outcome.counters);
    outcome.summary = summary.text;
    if (summary.offersReport) {
        outcome.showReport = m_prompts.AskShowReport(summary.text);
    } else {
        m_prompts.ShowSummary(summary.text);
    }
    m_matrix.SetModified(true);
    outcome.refreshView = true;
    return outcome;
}

}  // namespace wendrix

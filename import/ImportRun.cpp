// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportRun.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "import/StationTally.h"
#include "import/adif/AdifLogReader.h"

namespace wendrix {

namespace {

// Connects the log driver to the session for one file: progress per line, records, read errors.
class FileHandler final : public AdifLogHandler
{
public:
    FileHandler(ImportSession& session, ImportPrompts& prompts, ImportProgress& progress,
                const std::filesystem::path& file, std::uint64_t fileSize, StationTally& stations)
        : m_session(session),
          m_stations(stations),
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

    void Accepted(const ContactRecord& contact) override
    {
        if (m_stations.Takes(contact)) {
            m_session.HandleAccepted(contact);
        } else {
            m_session.HandleOtherStation();
        }
    }
    void Rejected(std::string_view reportLine) override { m_session.HandleRejected(reportLine); }

    [[nodiscard]] ReadErrorAction ReadError() override
    {
        return m_prompts.AskOnReadError(m_file) == ReadErrorAnswer::Abort ? ReadErrorAction::Abort
                                                                          : ReadErrorAction::Ignore;
    }

    void BytesSkipped(std::uint64_t /*offset*/, std::uint64_t count) override
    {
        m_session.HandleSkippedBytes(m_file, count);
    }

private:
    ImportSession& m_session;
    StationTally& m_stations;
    ImportPrompts& m_prompts;
    ImportProgress& m_progress;
    const std::filesystem::path& m_file;
    std::uint64_t m_expectedTotal;
    std::int64_t m_lastPercent = 0;
};

// The summary with the news line after its figures, before the question that may end it. New
// cells are worth the report too: it names them entity by entity.
ImportSummary WithNews(ImportSummary summary, const ImportNews& news)
{
    const std::string line = "\r\n" + NewsSummaryLine(news);
    if (summary.offersReport) {
        summary.text.insert(summary.text.rfind("\r\n\r\n"), line);
        return summary;
    }
    summary.text += line;
    if (!news.Empty()) {
        summary.text += "\r\n\r\n";
        summary.text += kShowReportQuestion;
        summary.offersReport = true;
    }
    return summary;
}

}  // namespace

ImportNews ImportRun::ReportNews(const ConfirmationMatrix& before)
{
    ImportNews news = CompareForNews(before, m_matrix);
    m_report.AddNews(NewsReportLines(news, m_resolver.Catalogue()));
    return news;
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

ImportOutcome ImportRun::Run(std::optional<std::vector<std::filesystem::path>> logs)
{
    ImportOutcome outcome;
    outcome.countEqsl = m_prompts.AskCountEqsl();
    m_report.BeginReport(kReportCaption);
    const std::vector<std::filesystem::path> files =
        logs ? std::move(*logs) : m_prompts.ChooseLogFiles();
    if (files.empty()) {
        return outcome;
    }

    // The news are what changed against this copy: the cells ticked before stay out, however
    // often the logs confirm them again.
    const ConfirmationMatrix before = m_matrix;
    ImportSession session(m_resolver, m_matrix, m_prompts, m_report);
    AdifLogReader reader(m_resolver.Catalogue(), outcome.countEqsl);
    for (const std::filesystem::path& file : files) {
        const OpenedLog opened = m_opener.OpenLog(file);
        if (!opened.Source) {
            if (IsSpecialKind(opened.Kind)) {
                session.HandleNoFile(file, opened.Kind);
            }
            continue;
        }
        AdifByteSource& source = *opened.Source;
        StationTally stations(m_ownCall, m_prompts, file);
        FileHandler handler(session, m_prompts, m_progress, file, source.Size(), stations);
        m_progress.ShowProgress(ProgressFileText(file), kProgressWaitText, 0);
        const auto records = [&session] {
            const ImportCounters& counters = session.Counters();
            return counters.imported + counters.skipped + counters.otherStations;
        };
        const std::int64_t recordsBefore = records();
        const AdifLogEnd end = reader.Read(source, handler);
        m_progress.HideProgress();
        for (const std::string& line : stations.ReportLines()) {
            session.HandleReportLine(line);
        }
        if (end == AdifLogEnd::EndOfData && records() == recordsBefore) {
            // A spreadsheet, an empty or a binary file: without this line the run would end in
            // "0 QSOs importiert" and the user would not know which file gave nothing.
            session.HandleFileWithoutRecords(file);
        }
        if (end == AdifLogEnd::Aborted) {
            // The contacts applied before the error stay in the matrix, so the list counts as
            // changed and the view must show them; otherwise closing would lose them silently.
            outcome.end = ImportEnd::AbortedOnReadError;
            outcome.counters = session.Counters();
            outcome.news = ReportNews(before);
            m_matrix.SetModified(true);
            return outcome;
        }
    }

    outcome.end = ImportEnd::Completed;
    outcome.counters = session.Counters();
    outcome.news = ReportNews(before);
    const ImportSummary summary = WithNews(BuildImportSummary(outcome.counters), outcome.news);
    outcome.summary = summary.text;
    if (summary.offersReport) {
        outcome.showReport = m_prompts.AskShowReport(outcome.summary);
    } else {
        m_prompts.ShowSummary(outcome.summary);
    }
    m_matrix.SetModified(true);
    return outcome;
}

}  // namespace wendrix

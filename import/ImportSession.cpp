// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportSession.h"

#include "common/Text.h"
#include "common/Utf8Path.h"

namespace wendrix {

namespace {

ReportContact ReportContactOf(const ContactRecord& contact)
{
    return {contact.Call, contact.Year, contact.Month, contact.Day};
}

}  // namespace

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
    AddReportLine(reportLine);
}

void ImportSession::HandleAccepted(const ContactRecord& contact)
{
    ++m_counters.imported;
    if (!contact.IsConfirmed()) {
        return;  // counted, never applied
    }
    ++m_counters.confirmed;
    if (contact.Entity != 0) {
        m_applier.Apply(contact);
        return;
    }

    m_contact = contact;
    ++m_counters.withoutCode;
    if (!m_contact.NoEntityDeclared) {
        DetermineEntity(m_contact);
    } else {
        ++m_counters.unclear;
        WriteUndefinedEntityLine(m_line, ReportContactOf(m_contact));
        AddReportLine(m_line);
    }
    // A contact whose entity stayed unknown reaches here without one and ticks nothing.
    m_applier.Apply(m_contact);
}

void ImportSession::HandleSkippedBytes(const std::filesystem::path& file, std::uint64_t count)
{
    m_counters.bytesSkipped += static_cast<std::int64_t>(count);
    WriteSkippedBytesLine(m_line, PathToUtf8(file), count);
    AddReportLine(m_line);
}

void ImportSession::HandleNoFile(const std::filesystem::path& file, FileKind kind)
{
    ++m_counters.entriesSkipped;
    AddReportLine(SkippedEntryText(PathToUtf8(file), kind));
}

void ImportSession::HandleFileWithoutRecords(const std::filesystem::path& file)
{
    ++m_counters.filesWithoutRecords;
    WriteNoAdifDataLine(m_line, PathToUtf8(file));
    AddReportLine(m_line);
}

void ImportSession::DetermineEntity(ContactRecord& contact)
{
    if (m_lastAnswer != EntityAnswer::NoToAll) {
        const ResolutionResult resolved = m_resolver.Resolve(contact.Call, contact.Date());
        if (resolved.Status == ResolutionStatus::Resolved ||
            resolved.Status == ResolutionStatus::ResolvedTwoPart) {
            if (m_lastAnswer != EntityAnswer::YesToAll) {
                m_lastAnswer = m_prompts.AskTakeEntity(
                    EntityQuestion{resolved.MainPrefix, ToValidUtf8(contact.Call), contact.Year});
            }
            if (m_lastAnswer == EntityAnswer::Yes || m_lastAnswer == EntityAnswer::YesToAll) {
                ++m_counters.determined;
                contact.Entity = resolved.Entity;
                WriteDeterminedLine(m_line, resolved.MainPrefix, ReportContactOf(contact));
                AddReportLine(m_line);
                return;
            }
        }
    }
    ++m_counters.unclear;
    WriteUnclearLine(m_line, ReportContactOf(contact));
    AddReportLine(m_line);
}

void ImportSession::AddReportLine(std::string_view line)
{
    m_report.AddLine(AsValidUtf8(line, m_converted));
}

}  // namespace wendrix

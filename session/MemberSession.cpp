// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/MemberSession.h"

#include <system_error>
#include <utility>

#include "common/Text.h"
#include "common/Utf8Path.h"
#include "evaluation/RunEvaluation.h"
#include "lists/SaveList.h"
#include "session/CallSign.h"

namespace wendrix {

MemberSession::MemberSession(const EntityCatalogue& catalogue, ConfirmationMatrix& matrix,
                             std::filesystem::path listDirectory, SessionPrompts& prompts)
    : m_catalogue(catalogue),
      m_matrix(matrix),
      m_listDirectory(std::move(listDirectory)),
      m_prompts(prompts)
{
}

void MemberSession::SetCallSign(std::string_view text)
{
    m_callSign = FilterCallSign(text);
}

std::optional<std::string> MemberSession::UploadHint() const
{
    return wendrix::UploadHint(m_callSign);
}

std::filesystem::path MemberSession::ListFilePath() const
{
    if (m_callSign.empty()) {
        return wendrix::ListFilePath(m_listDirectory, m_callSign);
    }
    return ExistingListFile(m_listDirectory, m_callSign)
        .value_or(wendrix::ListFilePath(m_listDirectory, m_callSign));
}

StartupFound MemberSession::Start()
{
    auto found = FindListFiles(m_listDirectory, kMaxOfferedLists);
    m_earlierLists.clear();
    if (found) {
        m_earlierLists = std::move(found.Get().Names);
    }
    if (m_earlierLists.empty()) {
        return StartupFound::NoList;
    }
    if (m_earlierLists.size() == 1) {
        ReadList(m_earlierLists.front());
        return StartupFound::OneListRead;
    }
    return StartupFound::SeveralLists;
}

bool MemberSession::OfferEarlierLists()
{
    if (m_earlierLists.size() < 2) {
        return false;
    }
    const std::optional<std::string> chosen = m_prompts.ChooseListFile(m_earlierLists);
    if (!chosen) {
        return false;
    }
    ReadList(*chosen);
    return true;
}

ListLoadResult MemberSession::ReadList(std::string_view fileName)
{
    return ReadListIn(m_listDirectory, fileName);
}

std::optional<ListLoadResult> MemberSession::ReadListFile(const std::filesystem::path& file)
{
    // The changes in the matrix would be replaced: the same question as on closing, and on Yes
    // only a completed save lets the other list in.
    if (!CloseAfterAsking(*this, m_prompts)) {
        return std::nullopt;
    }
    return ReadListIn(file.parent_path(), PathToUtf8(file.filename()));
}

ListLoadResult MemberSession::ReadListIn(const std::filesystem::path& directory,
                                         std::string_view fileName)
{
    ListLoadResult result =
        LoadList(directory, fileName, ListReadMode::Normal, m_catalogue, m_matrix);
    // Another list: no step leads back into the one before.
    m_history.Reset();
    // The edit shows the call sign the file is named after, as the program set it.
    m_callSign = result.CallSign;
    // File names are bytes on some platforms; windows need UTF-8.
    if (!result.Reading) {
        m_prompts.ShowFileError(ToValidUtf8(result.Reading.Message()));
    }
    if (!result.ReportLines.empty()) {
        m_prompts.ShowReport(ToValidUtf8(ListReportCaption(fileName)), result.ReportLines, true);
    }
    return result;
}

ImportOutcome MemberSession::Import(ImportPrompts& prompts, ImportProgress& progress,
                                    ImportReport& report, LogSourceOpener& opener,
                                    std::optional<std::vector<std::filesystem::path>> logs)
{
    if (!m_resolver) {
        m_resolver.emplace(m_catalogue);
    }
    m_history.Begin();
    ImportRun run(*m_resolver, m_matrix, prompts, progress, report, opener);
    run.SetOwnCall(m_callSign);
    ImportOutcome outcome = run.Run(std::move(logs));
    if (outcome.end == ImportEnd::Cancelled) {
        m_history.Commit();  // nothing changed: no step
        return outcome;
    }
    // The window outlines what this run ticked, until the next run; the whole run is one step,
    // even when every contact was known.
    m_matrix.SetMarks(outcome.news.Ticked);
    m_history.Commit(true);
    return outcome;
}

void MemberSession::ClearList()
{
    m_history.Begin();
    m_matrix.ClearMatrix();
    m_history.Commit();
}

template <typename Change>
void MemberSession::EditByHand(Change change)
{
    m_history.Begin();
    change();
    const ConfirmationMatrix& before = m_history.Before();
    ConfirmationMatrix::CellMarks marks = m_matrix.Marks();
    for (int entity = 1; entity <= ConfirmationMatrix::kMaxEntities; ++entity) {
        const ConfirmationMatrix::CellRow& was = before.Row(entity);
        const ConfirmationMatrix::CellRow& now = m_matrix.Row(entity);
        if (was == now) {
            continue;
        }
        for (std::size_t band = 0; band < kBandCount; ++band) {
            for (std::size_t mode = 0; mode < kModeCount; ++mode) {
                if (was[band][mode] != now[band][mode]) {
                    marks[static_cast<std::size_t>(entity)].reset(band * kModeCount + mode);
                }
            }
        }
    }
    m_matrix.SetMarks(marks);
    m_history.Commit();
}

void MemberSession::ToggleCell(int entity, BandIndex band, ModeIndex mode)
{
    EditByHand([&] { m_matrix.SetCell(entity, band, mode, CellOperation::Toggle); });
}

void MemberSession::ApplyPopup(const PopupTarget& target, PopupCommand command)
{
    EditByHand([&] { ApplyPopupCommand(m_matrix, m_catalogue.EntityCount(), target, command); });
}

SaveOutcome MemberSession::Save()
{
    if (m_callSign.size() <= kShortestUnsavableCallLength) {
        m_prompts.ShowError(kCallTooShortText);
        return Fail(SaveRefusal::CallTooShort);
    }
    // An earlier list of this call sign is replaced in place, whatever the case of its name.
    const std::optional<std::filesystem::path> earlier =
        ExistingListFile(m_listDirectory, m_callSign);
    if (earlier && !m_prompts.AskOverwriteList()) {
        return Fail(SaveRefusal::OverwriteDeclined);
    }
    const FileWriteResult written =
        earlier ? SaveListTo(*earlier, m_callSign, m_catalogue, m_matrix)
                : SaveList(m_listDirectory, m_callSign, m_catalogue, m_matrix);
    if (!written) {
        m_prompts.ShowFileError(ToValidUtf8(written.Message()));
        return Fail(SaveRefusal::WriteFailed);
    }
    m_matrix.SetModified(false);
    m_history.MarkSaved();
    return Done{};
}

bool MemberSession::Close()
{
    return CloseAfterAsking(*this, m_prompts);
}

}  // namespace wendrix

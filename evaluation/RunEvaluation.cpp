// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/RunEvaluation.h"

#include <algorithm>
#include <system_error>
#include <unordered_map>

#include "common/Text.h"
#include "common/Utf8Path.h"
#include "lists/LoadList.h"

namespace wendrix {

namespace {

[[nodiscard]] bool HasListExtension(std::string_view name)
{
    if (name.size() < kListExtension.size()) {
        return false;
    }
    return AsciiUpper(name.substr(name.size() - kListExtension.size())) == kListExtension;
}

}  // namespace

ListDirectoryScan ScanListDirectory(const std::filesystem::path& directory, std::size_t limit)
{
    ListDirectoryScan scan;
    std::error_code code;
    std::filesystem::directory_iterator entries(directory, code);
    if (code) {
        scan.Error = true;
        return scan;
    }
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(code)) {
        if (code) {
            break;
        }
        std::string name = PathToUtf8(entries->path().filename());
        if (!HasListExtension(name)) {
            continue;
        }
        FileKind kind = KindOfEntry(*entries);
        if (kind == FileKind::Missing) {
            continue;  // gone since the listing
        }
        if (kind == FileKind::Unreadable) {
            kind = FileKind::Regular;  // reading it reports the problem
        }
        scan.Entries.push_back({std::move(name), kind});
    }
    if (code) {
        scan.Error = true;
    }
    // std::string compares by char; unsigned bytes give the same order for ASCII names and a
    // stable one for the rest.
    std::sort(scan.Entries.begin(), scan.Entries.end(), [](const ListEntry& a, const ListEntry& b) {
        return std::lexicographical_compare(
            a.Name.begin(), a.Name.end(), b.Name.begin(), b.Name.end(), [](char x, char y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
            });
    });
    std::size_t lists = 0;
    for (std::size_t i = 0; i < scan.Entries.size(); ++i) {
        if (scan.Entries[i].Kind != FileKind::Regular) {
            continue;
        }
        if (lists == limit) {
            scan.More = true;
            scan.Entries.resize(i);
            break;
        }
        ++lists;
    }
    return scan;
}

Result<ListFileNames, ListingFailure> FindListFiles(const std::filesystem::path& directory,
                                                    std::size_t limit)
{
    ListDirectoryScan scan = ScanListDirectory(directory, limit);
    if (scan.Error && scan.Entries.empty()) {
        return Fail(ListingFailure::Unlisted);
    }
    ListFileNames found;
    found.More = scan.More;
    for (ListEntry& entry : scan.Entries) {
        if (entry.Kind == FileKind::Regular) {
            found.Names.push_back(std::move(entry.Name));
        }
    }
    return found;
}

std::string DuplicateListText(std::string_view name, std::string_view call,
                              std::string_view counted)
{
    std::string text = "Doppelt: ";
    text += name;
    text += ", Rufzeichen ";
    text += call;
    text += " schon aus ";
    text += counted;
    text += " gezählt";
    return text;
}

std::string ParticipantCallOfFile(std::string_view fileName)
{
    return std::string(fileName.substr(0, fileName.find('.')));
}

EvaluationRunResult RunEvaluation(const std::filesystem::path& directory,
                                  const EntityCatalogue& catalogue,
                                  const BandThresholds& thresholds, ConfirmationMatrix& matrix,
                                  Evaluation& evaluation)
{
    EvaluationRunResult result;
    evaluation.Reset();
    const ListDirectoryScan scan = ScanListDirectory(directory, kMaxEvaluatedFiles);
    result.LimitReached = scan.More;
    result.DirectoryError = scan.Error;

    // The lists are read into a matrix without observers: nobody looks at the cells of every
    // list, and telling the window about each of them costs more than reading. It starts as a
    // copy, so that a run that reads no list leaves the cells as they were.
    ConfirmationMatrix scratch(matrix);
    bool anyRead = false;
    ListReader reader(catalogue);
    result.LogLines.reserve(scan.Entries.size() * 2);
    result.Participants.reserve(scan.Entries.size());
    // The call sign of line 1 of every list evaluated, with the list that brought it.
    std::unordered_map<std::string, std::string_view> counted;
    std::string_view countedBefore;
    for (const ListEntry& entry : scan.Entries) {
        if (entry.Kind != FileKind::Regular) {
            result.LogLines.push_back(SkippedEntryText(entry.Name, entry.Kind));
            ++result.EntriesSkipped;
            continue;
        }
        // A list without a call sign in line 1 names no station and so is no duplicate.
        const auto firstOfItsStation = [&](std::string_view call) {
            if (call.empty()) {
                return true;
            }
            const auto [found, added] = counted.try_emplace(std::string(call), entry.Name);
            countedBefore = found->second;
            return added;
        };
        ListLoadResult loaded = reader.LoadList(directory, entry.Name, ListReadMode::Evaluation,
                                                scratch, firstOfItsStation);
        if (IsSpecialKind(loaded.Kind)) {
            // It was swapped for something else after the listing.
            result.LogLines.push_back(SkippedEntryText(entry.Name, loaded.Kind));
            ++result.EntriesSkipped;
            continue;
        }
        anyRead = true;
        if (loaded.PassedOver) {
            result.LogLines.push_back(
                DuplicateListText(entry.Name, loaded.CallInLine1, countedBefore));
            ++result.Duplicates;
            continue;
        }
        if (!loaded.Reading) {
            result.ReadErrors.push_back(loaded.Path);
        }
        for (std::string& line : loaded.ReportLines) {
            result.LogLines.push_back(std::move(line));
        }
        const ColumnSumTable& sums = scratch.ColumnSums();
        result.LogLines.push_back(CountsLine(PadRightFixed(loaded.CallSign, 7) + ": ", sums));
        result.LogLines.push_back(ThresholdLine(sums, thresholds));
        ParticipantSummary participant;
        participant.CallSign = ParticipantCallOfFile(entry.Name);
        participant.StatedCallSign = std::move(loaded.CallInLine1);
        participant.AllBands = sums[kAllBands];
        participant.Awards = ComputeAwardCounts(sums);
        participant.CountedAllBands = thresholds.Reaches(kAllBands, sums[kAllBands][kModeMixed]);
        evaluation.AccumulateParticipant(participant.CallSign, scratch, thresholds);
        result.Participants.push_back(std::move(participant));
        ++result.FilesRead;
    }
    if (anyRead) {
        matrix.TakeCells(scratch);
    }
    return result;
}

}  // namespace wendrix

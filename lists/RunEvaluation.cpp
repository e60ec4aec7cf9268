// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/RunEvaluation.h"

#include <algorithm>
#include <system_error>

#include "common/Text.h"
#include "lists/LoadList.h"
#include "common/Utf8Path.h"

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

std::vector<std::string> FindListFiles(const std::filesystem::path& directory, std::size_t limit,
                                       bool& more, bool& error)
{
    more = false;
    error = false;
    std::vector<std::string> names;
    std::error_code code;
    std::filesystem::directory_iterator entries(directory, code);
    if (code) {
        error = true;
        return names;
    }
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(code)) {
        if (code) {
            error = true;
            break;
        }
        std::string name = PathToUtf8(entries->path().filename());
        if (HasListExtension(name)) {
            names.push_back(std::move(name));
        }
    }
    if (code) {
        error = true;
    }
    // std::string compares by char; unsigned bytes give the same order for ASCII names and a
    // stable one for the rest.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
            });
    });
    if (names.size() > limit) {
        more = true;
        names.resize(limit);
    }
    return names;
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
    const auto names =
        FindListFiles(directory, kMaxEvaluatedFiles, result.LimitReached, result.DirectoryError);

    ListReader reader(catalogue);
    result.LogLines.reserve(names.size() * 2);
    result.Participants.reserve(names.size());
    for (const std::string& name : names) {
        ListLoadResult loaded = reader.LoadList(directory, name, ListReadMode::Evaluation, matrix);
        if (loaded.ReadError) {
            result.ReadErrors.push_back(loaded.Path);
        }
        for (std::string& line : loaded.ReportLines) {
            result.LogLines.push_back(std::move(line));
        }
        const ColumnSumTable& sums = matrix.ColumnSums();
        result.LogLines.push_back(CountsLine(PadRightFixed(loaded.CallSign, 7) + ": ", sums));
        result.LogLines.push_back(ThresholdLine(sums, thresholds));
        ParticipantSummary participant;
        participant.CallSign = ParticipantCallOfFile(name);
        participant.StatedCallSign = std::move(loaded.StatedCallSign);
        participant.AllBands = sums[kAllBands];
        participant.Awards = ComputeAwardCounts(sums);
        participant.CountedAllBands = thresholds.Reaches(kAllBands, sums[kAllBands][kModeMixed]);
        evaluation.AccumulateParticipant(participant.CallSign, matrix, thresholds);
        result.Participants.push_back(std::move(participant));
        ++result.FilesRead;
    }
    return result;
}

}  // namespace wendrix

#include "lists/RunEvaluation.h"

#include <algorithm>
#include <system_error>

#include "common/SafeFile.h"
#include "common/Text.h"
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

void AppendLine(std::string& text, std::string_view line)
{
    text += line;
    text += kLineEnd;
}

[[nodiscard]] std::string Padded3(std::uint16_t value)
{
    return PadLeftSpaces(std::to_string(value), 3);
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
        std::string name = entries->path().filename().string();
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
        evaluation.AccumulateParticipant(ParticipantCallOfFile(name), matrix, thresholds);
        ++result.FilesRead;
    }
    return result;
}

std::string ResultParticipantsLine(const Evaluation& evaluation)
{
    std::string line = "Teiln." + std::string(4, ' ');
    line += Padded3(evaluation.ParticipantCounts(kAllBands, kModeMixed));
    for (const int mode : {kModeCw, kModeFone, kModeRtty}) {
        line += "  ";
        line += Padded3(evaluation.ParticipantCounts(kAllBands, mode));
    }
    line += "  ";
    for (int b = 0; b < kListBandCount; ++b) {
        line += ' ';
        line += Padded3(evaluation.ParticipantCounts(b, kModeMixed));
        for (const int mode : {kModeCw, kModeFone, kModeRtty}) {
            line += "  ";
            line += Padded3(evaluation.ParticipantCounts(b, mode));
        }
        line += "  ";
    }
    return line;
}

std::string FormatResultFile(const EntityCatalogue& catalogue, const Evaluation& evaluation)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(catalogue.EntityCount() + 5) *
                 (kResultParticipantsLength + 2));
    std::string header = "Entity   ALL";
    for (int b = 0; b < kListBandCount; ++b) {
        header += std::string(13, ' ');
        header += PadLeftSpaces(Trim(kBandLabels[static_cast<std::size_t>(b)]), 8);
    }
    AppendLine(text, header);
    AppendLine(text, std::string(kResultSeparatorLength, '-'));

    const auto count = catalogue.EntityCount();
    for (std::uint16_t e = 1; e <= count; ++e) {
        const std::string& prefix = catalogue.Entity(e).MainPrefix;
        if (e > 1 && prefix == catalogue.Entity(static_cast<std::uint16_t>(e - 1)).MainPrefix) {
            continue;
        }
        std::string line = PadRightFixed(prefix, 9);
        const auto group = [&](int band) {
            line += evaluation.PerMilleText(e, band, kModeMixed);
            for (const int mode : {kModeCw, kModeFone, kModeRtty}) {
                line += ' ';
                line += evaluation.PerMilleText(e, band, mode);
            }
            line += ' ';
        };
        group(kAllBands);
        for (int b = 0; b < kListBandCount; ++b) {
            group(b);
        }
        AppendLine(text, line);
    }
    AppendLine(text, std::string(kResultSeparatorLength, '-'));
    AppendLine(text, ResultParticipantsLine(evaluation));
    return text;
}

FileWriteOutcome SaveResultFile(const std::filesystem::path& directory,
                                const EntityCatalogue& catalogue, const Evaluation& evaluation)
{
    FileWriteOutcome outcome;
    outcome.Path = directory / std::string(kResultFileName);
    outcome.Written = WriteFileSafely(outcome.Path, FormatResultFile(catalogue, evaluation));
    return outcome;
}

}  // namespace wendrix

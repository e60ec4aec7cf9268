// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/PreviousResult.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "common/ReadableFile.h"
#include "common/Text.h"
#include "common/Utf8Path.h"
#include "lists/ListFiles.h"

namespace wendrix {

namespace {

// A result file of the full catalogue is about 80 KB; anything far larger is not one.
constexpr std::size_t kMaxPreviousBytes = 4u << 20;

// Widths of the entity lines: the prefix, then per column four figures of 4 characters, each
// followed by one blank.
constexpr std::size_t kPrefixWidth = 9;
constexpr std::size_t kFigureWidth = 5;
constexpr std::size_t kEntityLineLength = kPrefixWidth + kResultColumns * 4 * kFigureWidth;

[[nodiscard]] bool IsSeparator(std::string_view line)
{
    return !line.empty() && line.find_first_not_of('-') == std::string_view::npos;
}

[[nodiscard]] std::optional<ResultRow> ParseRow(std::string_view line, std::string& prefix)
{
    if (line.size() != kEntityLineLength) {
        return std::nullopt;
    }
    prefix = std::string(TrimRight(line.substr(0, kPrefixWidth)));
    if (prefix.empty() || prefix.find(' ') != std::string::npos) {
        return std::nullopt;
    }
    ResultRow row{};
    std::size_t at = kPrefixWidth;
    for (auto& column : row) {
        for (auto& figure : column) {
            const std::string_view field = line.substr(at, kFigureWidth);
            at += kFigureWidth;
            if (field.back() != ' ') {
                return std::nullopt;
            }
            const auto value = ReadIntInRange(Trim(field), 0, 1000);
            if (!value) {
                return std::nullopt;
            }
            figure = static_cast<std::int16_t>(*value);
        }
    }
    return row;
}

}  // namespace

std::optional<PreviousResult> ParsePreviousResult(std::string_view bytes)
{
    PreviousResult result;
    int separators = 0;
    std::size_t start = 0;
    while (start < bytes.size() && separators < 2) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (IsSeparator(line)) {
            ++separators;
            continue;
        }
        if (separators == 1) {
            std::string prefix;
            std::optional<ResultRow> row = ParseRow(line, prefix);
            if (!row) {
                return std::nullopt;
            }
            result.Rows.insert_or_assign(std::move(prefix), *row);
        }
    }
    if (separators < 2 || result.Rows.empty()) {
        return std::nullopt;
    }
    return result;
}

PreviousResultLoad LoadPreviousResult(const std::filesystem::path& path)
{
    const std::string shown = ToValidUtf8(PathToUtf8(path));
    // Only a plain file is read: a pipe or device of that name must not hold up the report.
    const ReadableFile opened = OpenReadableFile(path);
    if (opened.File == nullptr) {
        if (opened.Kind == FileKind::Missing) {
            return Fail(PreviousResultFailure::Missing,
                        "Vorjahresergebnis nicht gefunden: " + shown);
        }
        return Fail(PreviousResultFailure::Unreadable, IsSpecialKind(opened.Kind)
                                                           ? SkippedEntryText(shown, opened.Kind)
                                                           : ReadErrorText(path));
    }
    std::FILE* file = opened.File;
    std::string bytes;
    std::vector<char> buffer(1u << 16);
    bool tooLarge = false;
    while (true) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
        bytes.append(buffer.data(), got);
        if (bytes.size() > kMaxPreviousBytes) {
            tooLarge = true;
            break;
        }
        if (got < buffer.size()) {
            break;
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return Fail(PreviousResultFailure::Unreadable, ReadErrorText(path));
    }
    std::optional<PreviousResult> parsed;
    if (!tooLarge) {
        parsed = ParsePreviousResult(bytes);
    }
    if (!parsed) {
        return Fail(PreviousResultFailure::Unusable,
                    "Vorjahresergebnis unbrauchbar, kein Vergleich: " + shown);
    }
    return std::move(*parsed);
}

}  // namespace wendrix

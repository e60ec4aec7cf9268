// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "common/Result.h"

// Last year's result file read back, so that the club report can set this year's shares beside
// it. Only the per-mille table is taken; the participants line is not needed.
namespace wendrix {

// The result file's columns: all bands first, then 160 m to 6 m.
inline constexpr int kResultColumns = 11;

// Per column, the four shares in the file's order: Mixed, CW, Fone, RTTY.
using ResultRow = std::array<std::array<std::int16_t, 4>, kResultColumns>;

struct PreviousResult
{
    std::map<std::string, ResultRow, std::less<>> Rows;  // by main prefix
};

// The table of a result file's bytes. None when the bytes are not a result file: a line between
// the two separator lines that is not a prefix and eleven groups of four figures 0..1000, or a
// missing separator.
[[nodiscard]] std::optional<PreviousResult> ParsePreviousResult(std::string_view bytes);

enum class PreviousResultFailure {
    Missing,     // no file of that name
    Unreadable,  // not a plain file, or reading it failed
    Unusable,    // the bytes are no result file (or far too many)
};

// On failure, the message is why there is no comparison, for one line of the report.
using PreviousResultLoad = Result<PreviousResult, PreviousResultFailure>;

// Reads and parses a previous result file. Never fails the report: what goes wrong is a line.
[[nodiscard]] PreviousResultLoad LoadPreviousResult(const std::filesystem::path& path);

}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/Utf8Path.h"

// What the writers of the survey list file and of the result file share.
namespace wendrix {

inline constexpr std::string_view kListExtension = ".CFD";
inline constexpr std::string_view kResultFileName = "Wendrix.TXT";
inline constexpr std::string_view kLineEnd = "\r\n";

struct FileWriteOutcome
{
    bool Written = false;        // the file is complete; false: the previous file is intact
    std::filesystem::path Path;  // the file that was (or should have been) written
};

// "Schreibfehler in Datei " + path, shown when a file could not be written.
[[nodiscard]] inline std::string WriteErrorText(const std::filesystem::path& path)
{
    return "Schreibfehler in Datei " + PathToUtf8(path);
}

// "Lesefehler in Datei " + path, shown when a file could not be read completely.
[[nodiscard]] inline std::string ReadErrorText(const std::filesystem::path& path)
{
    return "Lesefehler in Datei " + PathToUtf8(path);
}

}  // namespace wendrix

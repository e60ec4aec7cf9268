// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/Result.h"
#include "common/Utf8Path.h"

// What the writers of the survey list file and of the result file share.
namespace wendrix {

inline constexpr std::string_view kListExtension = ".CFD";
inline constexpr std::string_view kResultFileName = "Wendrix.TXT";
inline constexpr std::string_view kLineEnd = "\r\n";

// "Schreibfehler in Datei " + path, shown when a file could not be written.
[[nodiscard]] inline std::string WriteErrorText(const std::filesystem::path& path)
{
    return "Schreibfehler in Datei " + PathToUtf8(path);
}

enum class WriteFailure {
    NotWritten,  // the previous file is intact; the message is WriteErrorText of the file
};

// The file that was written complete, or why not.
using FileWriteResult = Result<std::filesystem::path, WriteFailure>;

[[nodiscard]] inline Failure<WriteFailure> WriteFailed(const std::filesystem::path& path)
{
    return Fail(WriteFailure::NotWritten, WriteErrorText(path));
}

// "Lesefehler in Datei " + path, shown when a file could not be read completely.
[[nodiscard]] inline std::string ReadErrorText(const std::filesystem::path& path)
{
    return "Lesefehler in Datei " + PathToUtf8(path);
}

}  // namespace wendrix

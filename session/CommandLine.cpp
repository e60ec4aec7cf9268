// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/CommandLine.h"

#include <system_error>

#include "common/SafeFile.h"
#include "common/Text.h"
#include "common/Utf8Path.h"

namespace wendrix {

StartupChoice ParseCommandLine(std::span<const std::string> parameters,
                               const std::filesystem::path& programDirectory)
{
    StartupChoice choice;
    choice.ListDirectory = programDirectory;
    for (const std::string& parameter : parameters) {
        if (AsciiUpper(parameter) == "RESULT") {
            choice.EvaluationMode = true;
            continue;
        }
        std::error_code error;
        const std::filesystem::path directory = PathFromUtf8(parameter);
        if (!parameter.empty() && std::filesystem::is_directory(directory, error)) {
            choice.ListDirectory = directory;
            choice.DirectoryGiven = true;
        } else if (!parameter.empty()) {
            choice.MissingDirectories.push_back(parameter);
        }
    }
    return choice;
}

std::optional<std::string> MissingDirectoryNotice(const StartupChoice& choice,
                                                  const std::filesystem::path& listDirectory)
{
    if (choice.MissingDirectories.empty()) {
        return std::nullopt;
    }
    std::string text = "Verzeichnis nicht gefunden: ";
    for (std::size_t i = 0; i < choice.MissingDirectories.size(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += choice.MissingDirectories[i];
    }
    text += "; Listen in ";
    text += PathToUtf8(listDirectory);
    return text;
}

bool IsWritableDirectory(const std::filesystem::path& directory)
{
    // Writing a probe is the only test that also answers for read-only mounts, access control
    // lists and the like.
    std::filesystem::path probe;
    std::FILE* file = DiskWriteSteps().CreateTemporary(directory / "Wendrix.probe", probe);
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    std::error_code error;
    std::filesystem::remove(probe, error);
    return true;
}

std::filesystem::path
UsableListDirectory(const StartupChoice& choice,
                    const std::function<std::filesystem::path()>& userFallback)
{
    if (choice.DirectoryGiven || IsWritableDirectory(choice.ListDirectory)) {
        return choice.ListDirectory;
    }
    std::filesystem::path fallback = userFallback();
    std::error_code error;
    std::filesystem::create_directories(fallback, error);
    return fallback;
}

}  // namespace wendrix

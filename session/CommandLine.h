// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What the command line decides at start-up: the directory of the list files and whether the
// club's evaluation runs instead of the member's own list.
namespace wendrix {

struct StartupChoice
{
    std::filesystem::path ListDirectory;
    bool EvaluationMode = false;
    bool DirectoryGiven = false;  // a parameter named an existing directory
    // Parameters that are neither "RESULT" nor an existing directory: mistyped folders.
    std::vector<std::string> MissingDirectories;
};

// "RESULT" in any case selects the evaluation; a parameter naming an existing directory becomes
// the list directory (the last one wins); anything else is ignored. Without a directory the
// program's own directory is used. The order of the parameters does not matter.
[[nodiscard]] StartupChoice ParseCommandLine(std::span<const std::string> parameters,
                                             const std::filesystem::path& programDirectory);

// "Verzeichnis nicht gefunden: <parameter>; Listen in <list directory>", said once at start-up
// when a parameter named no existing directory (several are joined with ", "); none otherwise.
// Without it a mistyped folder would silently send the lists to another one.
[[nodiscard]] std::optional<std::string>
MissingDirectoryNotice(const StartupChoice& choice, const std::filesystem::path& listDirectory);

// Whether a file can be created in the directory (tried with a temporary file that is removed
// again): a system-wide installation's directory usually cannot take the lists.
[[nodiscard]] bool IsWritableDirectory(const std::filesystem::path& directory);

// The list directory to use: the chosen one when the command line gave it or when it can be
// written to; otherwise the per-user fallback (created when missing). The fallback is only
// asked for when it is needed.
[[nodiscard]] std::filesystem::path
UsableListDirectory(const StartupChoice& choice,
                    const std::function<std::filesystem::path()>& userFallback);

}  // namespace wendrix

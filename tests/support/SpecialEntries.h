// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

// Entries that are no files, made under a list's or a log's name: what a folder on a shared
// drive may hold besides the real files.
namespace wendrix::test {

// A named pipe nobody writes to (reading it would wait for ever). False where the platform has
// none (Windows).
[[nodiscard]] bool MakeFifo(const std::filesystem::path& path);
// A symbolic link to a target that does not exist. False where links are not made (Windows,
// where they need a right a test cannot count on).
[[nodiscard]] bool MakeDanglingLink(const std::filesystem::path& path);

}  // namespace wendrix::test

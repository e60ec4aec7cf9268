// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wendrix::test {

// A fresh directory below the system's temporary folder, removed with everything in it when the
// object goes out of scope.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }
    // Writes a file below the directory and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view content) const;

private:
    std::filesystem::path m_path;
};

// Reads a whole file as bytes.
[[nodiscard]] std::string ReadFile(const std::filesystem::path& path);
// The path of a fixture file in tests/data.
[[nodiscard]] std::filesystem::path TestDataPath(std::string_view name);

}  // namespace wendrix::test

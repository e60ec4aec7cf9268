// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"
#include "common/Utf8Path.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace wendrix::test {

TempDir::TempDir()
{
    std::random_device device;
    std::mt19937_64 random(device());
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate =
            std::filesystem::temp_directory_path() / ("wendrix-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir()
{
    std::error_code error;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
}

std::filesystem::path TempDir::Write(std::string_view name, std::string_view content) const
{
    const auto path = m_path / PathFromUtf8(name);
    std::ofstream out(path, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + PathToUtf8(path));
    }
    return path;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::filesystem::path TestDataPath(std::string_view name)
{
    return std::filesystem::path(WENDRIX_TEST_DATA_DIR) / std::filesystem::path(name);
}

}  // namespace wendrix::test

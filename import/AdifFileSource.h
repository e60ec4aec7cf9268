// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>

#include "import/AdifByteSource.h"

// A log file on disk, read unbuffered: the reader reads in large blocks of its own.
namespace wendrix {

class AdifFileSource final : public AdifByteSource
{
public:
    // A disk fails in whole sectors; the smallest of them is 512 bytes.
    static constexpr std::size_t kSectorSize = 512;

    // Null when the file cannot be opened (missing, no permission, a directory).
    [[nodiscard]] static std::unique_ptr<AdifFileSource> Open(const std::filesystem::path& path);

    [[nodiscard]] ReadResult Read(std::span<char> buffer) override;
    [[nodiscard]] bool Seek(std::uint64_t offset) override;
    [[nodiscard]] std::uint64_t Size() const override { return m_size; }
    [[nodiscard]] std::size_t FailureUnit() const override { return kSectorSize; }

private:
    AdifFileSource() = default;
    std::ifstream m_stream;
    std::uint64_t m_size = 0;
};

}  // namespace wendrix

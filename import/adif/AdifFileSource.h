// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "common/ReadableFile.h"
#include "import/adif/AdifByteSource.h"

// A log file on disk, read unbuffered: the reader reads in large blocks of its own.
namespace wendrix {

class AdifFileSource final : public AdifByteSource
{
public:
    // A disk fails in whole sectors; the smallest of them is 512 bytes.
    static constexpr std::size_t kSectorSize = 512;

    // Null when the path names no regular file that can be opened (missing, no permission, a
    // directory, a pipe, ...); kind tells which. Opening never waits (see OpenReadableFile).
    [[nodiscard]] static std::unique_ptr<AdifFileSource> Open(const std::filesystem::path& path,
                                                              FileKind& kind);
    [[nodiscard]] static std::unique_ptr<AdifFileSource> Open(const std::filesystem::path& path);

    ~AdifFileSource() override;
    AdifFileSource(const AdifFileSource&) = delete;
    AdifFileSource& operator=(const AdifFileSource&) = delete;

    [[nodiscard]] ReadResult Read(std::span<char> buffer) override;
    [[nodiscard]] bool Seek(std::uint64_t offset) override;
    [[nodiscard]] std::uint64_t Size() const override { return m_size; }
    [[nodiscard]] std::size_t FailureUnit() const override { return kSectorSize; }

private:
    AdifFileSource(std::FILE* file, std::uint64_t size);
    std::FILE* m_file;
    std::uint64_t m_size;
};

}  // namespace wendrix

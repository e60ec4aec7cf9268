// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "common/ReadableFile.h"

// Reading text files line by line with fixed memory: a line is cut to its first few hundred
// bytes however long it is in the file, so binary junk or a file without line breaks costs no
// more memory than a well-formed one.
namespace wendrix {

class ByteSource
{
public:
    virtual ~ByteSource() = default;
    // Fills the front of the buffer; 0 at the end of the data or after an error.
    [[nodiscard]] virtual std::size_t Read(std::span<char> buffer) = 0;
};

// A file opened for reading; Failed() tells whether opening or any read went wrong. Only a
// regular file is opened (see OpenReadableFile); Kind() tells what else the path named.
class FileSource final : public ByteSource
{
public:
    explicit FileSource(const std::filesystem::path& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    [[nodiscard]] std::size_t Read(std::span<char> buffer) override;
    [[nodiscard]] bool Failed() const { return m_failed; }
    [[nodiscard]] FileKind Kind() const { return m_kind; }
    // Closes the file; a failure there counts as a read error as well.
    void Close();

private:
    std::FILE* m_file = nullptr;
    FileKind m_kind = FileKind::Missing;
    bool m_failed = false;
};

// Bytes already in memory, handed out in pieces of at most chunkSize bytes (0: all at once).
class MemorySource final : public ByteSource
{
public:
    explicit MemorySource(std::string_view bytes, std::size_t chunkSize = 0)
        : m_bytes(bytes),
          m_chunkSize(chunkSize)
    {
    }
    [[nodiscard]] std::size_t Read(std::span<char> buffer) override;

private:
    std::string_view m_bytes;
    std::size_t m_chunkSize;
};

// Splits a byte source into lines. A line ends at CR LF, LF or a lone CR; a last line without
// a line break counts as well. Only the first kMaxLineLength bytes of a line are handed out.
class LineReader
{
public:
    static constexpr std::size_t kMaxLineLength = 255;
    static constexpr std::size_t kDefaultBufferSize = 64 * 1024;

    // The buffer is borrowed, so that a caller reading many files keeps one allocation.
    LineReader(ByteSource& source, std::vector<char>& buffer);

    // The next line without its line break, valid until the next call; false at the end.
    [[nodiscard]] bool Next(std::string_view& line);

private:
    [[nodiscard]] bool Refill();

    ByteSource& m_source;
    std::vector<char>& m_buffer;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    bool m_skipLineFeed = false;
    std::array<char, kMaxLineLength> m_line{};
};

}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/adif/AdifByteSource.h"

// Log bytes in memory (tests, benchmarks, fuzzing); they must outlive the source.
namespace wendrix {

class AdifMemorySource final : public AdifByteSource
{
public:
    // maxPiece > 0 hands the bytes out in pieces of at most that size, which exercises every
    // piece boundary of the reader.
    explicit AdifMemorySource(std::string_view bytes, std::size_t maxPiece = 0)
        : m_bytes(bytes),
          m_maxPiece(maxPiece)
    {
    }
    [[nodiscard]] ReadResult Read(std::span<char> buffer) override;
    [[nodiscard]] bool Seek(std::uint64_t offset) override;
    [[nodiscard]] std::uint64_t Size() const override { return m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_maxPiece;
    std::size_t m_position = 0;
};

}  // namespace wendrix

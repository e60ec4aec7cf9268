// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Where the bytes of a log come from: a file, or memory in tests, benchmarks and fuzzing.
namespace wendrix {

class AdifByteSource
{
public:
    struct ReadResult
    {
        std::size_t Count = 0;  // bytes placed at the start of the buffer
        bool Error = false;     // a read error: Count bytes before it are good
    };

    virtual ~AdifByteSource() = default;
    // Reads up to buffer.size() bytes; Count 0 without Error is the end of the data.
    [[nodiscard]] virtual ReadResult Read(std::span<char> buffer) = 0;
    // Moves to an absolute offset; false when that is not possible.
    [[nodiscard]] virtual bool Seek(std::uint64_t offset) = 0;
    // The size in bytes when it was opened.
    [[nodiscard]] virtual std::uint64_t Size() const = 0;
    // The smallest stretch that fails or succeeds as a whole (a disk sector, say). Behind a read
    // error the reader looks for readable bytes at multiples of it.
    [[nodiscard]] virtual std::size_t FailureUnit() const { return 1; }
};

}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "import/adif/AdifByteSource.h"

// A log in memory with a bad spot, failing as disks do: a passing fault fails only the first
// read that reaches it, a lasting one fails every read that touches its stretch, at the first
// bad byte.
namespace wendrix::test {

struct BadSpot
{
    std::size_t offset = 0;
    std::size_t length = 0;  // 0: a passing fault; otherwise the unreadable bytes
};

class FaultySource final : public AdifByteSource
{
public:
    FaultySource(std::string bytes, BadSpot spot, std::size_t failureUnit = 1)
        : m_bytes(std::move(bytes)),
          m_spot(spot),
          m_failureUnit(failureUnit)
    {
    }
    [[nodiscard]] ReadResult Read(std::span<char> buffer) override;
    [[nodiscard]] bool Seek(std::uint64_t offset) override;
    [[nodiscard]] std::uint64_t Size() const override { return m_bytes.size(); }
    [[nodiscard]] std::size_t FailureUnit() const override { return m_failureUnit; }

    [[nodiscard]] int FailedReads() const { return m_failedReads; }

private:
    std::string m_bytes;
    BadSpot m_spot;
    std::size_t m_failureUnit;
    std::size_t m_position = 0;
    int m_failedReads = 0;
};

}  // namespace wendrix::test

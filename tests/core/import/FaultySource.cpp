// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaultySource.h"

#include <algorithm>
#include <cstring>

namespace wendrix::test {

FaultySource::ReadResult FaultySource::Read(std::span<char> buffer)
{
    std::size_t end = std::min(m_bytes.size(), m_position + buffer.size());
    bool fail = false;
    if (m_spot.length == 0) {
        fail = m_failedReads == 0 && m_position <= m_spot.offset && m_spot.offset < end;
    } else {
        fail = m_position < m_spot.offset + m_spot.length && m_spot.offset < end;
    }
    if (fail) {
        end = std::max(m_position, m_spot.offset);
        ++m_failedReads;
    }
    const std::size_t count = end - m_position;
    std::memcpy(buffer.data(), m_bytes.data() + m_position, count);
    m_position = end;
    return {count, fail};
}

bool FaultySource::Seek(std::uint64_t offset)
{
    if (offset > m_bytes.size()) {
        return false;
    }
    m_position = static_cast<std::size_t>(offset);
    return true;
}

}  // namespace wendrix::test

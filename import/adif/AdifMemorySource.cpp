// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/adif/AdifMemorySource.h"

#include <algorithm>
#include <cstring>

namespace wendrix {

AdifByteSource::ReadResult AdifMemorySource::Read(std::span<char> buffer)
{
    std::size_t count = std::min(buffer.size(), m_bytes.size() - m_position);
    if (m_maxPiece > 0) {
        count = std::min(count, m_maxPiece);
    }
    std::memcpy(buffer.data(), m_bytes.data() + m_position, count);
    m_position += count;
    return {count, false};
}

bool AdifMemorySource::Seek(std::uint64_t offset)
{
    if (offset > m_bytes.size()) {
        return false;
    }
    m_position = static_cast<std::size_t>(offset);
    return true;
}

}  // namespace wendrix

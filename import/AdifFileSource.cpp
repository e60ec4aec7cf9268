// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/AdifFileSource.h"

#include <system_error>

namespace wendrix {

std::unique_ptr<AdifFileSource> AdifFileSource::Open(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return nullptr;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return nullptr;
    }
    std::unique_ptr<AdifFileSource> source(new AdifFileSource());
    // Unbuffered: the reader reads in large blocks of its own.
    source->m_stream.rdbuf()->pubsetbuf(nullptr, 0);
    source->m_stream.open(path, std::ios::in | std::ios::binary);
    if (!source->m_stream.is_open()) {
        return nullptr;
    }
    source->m_size = size;
    return source;
}

AdifByteSource::ReadResult AdifFileSource::Read(std::span<char> buffer)
{
    ReadResult result;
    if (buffer.empty()) {
        return result;
    }
    m_stream.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    result.Count = static_cast<std::size_t>(m_stream.gcount());
    if (m_stream.bad()) {
        result.Error = true;
    }
    if (!m_stream.good()) {
        m_stream.clear();  // end of file or an error: either way the next call starts afresh
    }
    return result;
}

bool AdifFileSource::Seek(std::uint64_t offset)
{
    m_stream.clear();
    m_stream.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
    return !m_stream.fail();
}

}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/adif/AdifFileSource.h"

namespace wendrix {

AdifFileSource::AdifFileSource(std::FILE* file, std::uint64_t size)
    : m_file(file),
      m_size(size)
{
    // Unbuffered: the reader reads in large blocks of its own.
    std::setvbuf(m_file, nullptr, _IONBF, 0);
}

AdifFileSource::~AdifFileSource()
{
    std::fclose(m_file);
}

std::unique_ptr<AdifFileSource> AdifFileSource::Open(const std::filesystem::path& path,
                                                     FileKind& kind)
{
    const ReadableFile opened = OpenReadableFile(path);
    kind = opened.Kind;
    if (opened.File == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<AdifFileSource>(new AdifFileSource(opened.File, opened.Size));
}

std::unique_ptr<AdifFileSource> AdifFileSource::Open(const std::filesystem::path& path)
{
    FileKind kind = FileKind::Missing;
    return Open(path, kind);
}

AdifByteSource::ReadResult AdifFileSource::Read(std::span<char> buffer)
{
    ReadResult result;
    if (buffer.empty()) {
        return result;
    }
    result.Count = std::fread(buffer.data(), 1, buffer.size(), m_file);
    if (result.Count < buffer.size()) {
        result.Error = std::ferror(m_file) != 0;
        // End of file or an error: either way the next call starts afresh.
        std::clearerr(m_file);
    }
    return result;
}

bool AdifFileSource::Seek(std::uint64_t offset)
{
    std::clearerr(m_file);
#ifdef _WIN32
    return _fseeki64(m_file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return ::fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace wendrix

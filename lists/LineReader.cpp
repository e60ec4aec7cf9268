// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/LineReader.h"

#include <algorithm>
#include <cstring>

namespace wendrix {

FileSource::FileSource(const std::filesystem::path& path)
{
    const ReadableFile opened = OpenReadableFile(path);
    m_file = opened.File;
    m_kind = opened.Kind;
    if (m_file == nullptr) {
        m_failed = true;
        return;
    }
    // The reader asks for large pieces; a second buffer inside the stream would only copy.
    std::setvbuf(m_file, nullptr, _IONBF, 0);
}

FileSource::~FileSource()
{
    Close();
}

std::size_t FileSource::Read(std::span<char> buffer)
{
    if (m_file == nullptr || m_failed || buffer.empty()) {
        return 0;
    }
    const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), m_file);
    if (count < buffer.size() && std::ferror(m_file) != 0) {
        m_failed = true;
    }
    return count;
}

void FileSource::Close()
{
    if (m_file != nullptr) {
        if (std::fclose(m_file) != 0) {
            m_failed = true;
        }
        m_file = nullptr;
    }
}

std::size_t MemorySource::Read(std::span<char> buffer)
{
    std::size_t count = std::min(buffer.size(), m_bytes.size());
    if (m_chunkSize > 0) {
        count = std::min(count, m_chunkSize);
    }
    std::memcpy(buffer.data(), m_bytes.data(), count);
    m_bytes.remove_prefix(count);
    return count;
}

LineReader::LineReader(ByteSource& source, std::vector<char>& buffer)
    : m_source(source),
      m_buffer(buffer)
{
    if (m_buffer.size() < 2) {
        m_buffer.resize(kDefaultBufferSize);
    }
}

bool LineReader::Refill()
{
    m_position = 0;
    m_end = m_source.Read(m_buffer);
    return m_end > 0;
}

bool LineReader::Next(std::string_view& line)
{
    std::size_t collected = 0;  // bytes kept in m_line when a line runs over a refill
    bool spanning = false;
    for (;;) {
        if (m_position == m_end && !Refill()) {
            if (spanning) {
                line = std::string_view(m_line.data(), collected);
                return true;
            }
            return false;
        }
        if (m_skipLineFeed) {
            // The previous line ended in CR at the end of a piece; its LF came with this one.
            m_skipLineFeed = false;
            if (m_buffer[m_position] == '\n') {
                ++m_position;
                continue;
            }
        }
        const char* begin = m_buffer.data() + m_position;
        const std::size_t available = m_end - m_position;
        const auto* lineFeed = static_cast<const char*>(std::memchr(begin, '\n', available));
        const std::size_t searchLength =
            lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - begin) : available;
        const auto* carriage = static_cast<const char*>(std::memchr(begin, '\r', searchLength));

        std::size_t length = available;
        std::size_t consumed = available;
        bool ended = false;
        if (carriage != nullptr) {
            length = static_cast<std::size_t>(carriage - begin);
            consumed = length + 1;
            ended = true;
            if (consumed == available) {
                m_skipLineFeed = true;
            } else if (begin[consumed] == '\n') {
                ++consumed;
            }
        } else if (lineFeed != nullptr) {
            length = searchLength;
            consumed = length + 1;
            ended = true;
        }
        m_position += consumed;

        if (ended && !spanning) {
            line = std::string_view(begin, std::min(length, kMaxLineLength));
            return true;
        }
        const std::size_t room = kMaxLineLength - collected;
        const std::size_t take = std::min(length, room);
        std::memcpy(m_line.data() + collected, begin, take);
        collected += take;
        spanning = true;
        if (ended) {
            line = std::string_view(m_line.data(), collected);
            return true;
        }
    }
}

}  // namespace wendrix

// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/adif/AdifLogReader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "common/Text.h"
#include "import/adif/AdifReader.h"
#include "import/adif/EndTag.h"
#include "common/ByteSearch.h"

namespace wendrix {

namespace {

constexpr std::uint64_t kNoEoh = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t kNoOffset = std::numeric_limits<std::uint64_t>::max();

// Drops CR bytes in place; returns the new length.
std::size_t DropCarriageReturns(char* text, std::size_t length)
{
    char* cr = static_cast<char*>(std::memchr(text, '\r', length));
    if (cr == nullptr) {
        return length;
    }
    char* out = cr;
    for (const char* in = cr; in != text + length; ++in) {
        if (*in != '\r') {
            *out++ = *in;
        }
    }
    return static_cast<std::size_t>(out - text);
}

}  // namespace

class AdifLogReader::Impl final : public AdifRecordSink
{
public:
    Impl(const EntityCatalogue& catalogue, bool countEqsl, std::size_t blockSize)
        : m_reader(catalogue, countEqsl)
    {
        m_buffer.resize(std::max<std::size_t>(blockSize, 1));
    }

    AdifLogEnd Read(AdifByteSource& source, AdifLogHandler& handler);

    void Accepted(const ContactRecord& contact) override { m_handler->Accepted(contact); }
    void Rejected(std::string_view reportLine) override { m_handler->Rejected(reportLine); }

private:
    enum class Step {
        Go,
        Stop,
        Abort,
        End
    };

    void Refill();
    Step HandleReadError();
    [[nodiscard]] std::uint64_t FindReadableOffset(std::uint64_t from);
    [[nodiscard]] bool Readable(std::uint64_t offset);
    Step ProcessBufferedLine(char* text, std::size_t rawLength);
    Step ProcessLongLine();

    // Cutting one line into chunks, piece by piece: before the line's last "<EOH>" a chunk ends
    // at each "<EOH>"; behind it at each "<EOR>"; a tag at the very end closes the last chunk.
    void BeginLine(std::uint64_t length, std::uint64_t lastEohEnd);
    void FeedLine(std::string_view piece);
    void EndLine();
    [[nodiscard]] std::size_t EohTagsFrom(std::uint64_t position) const
    {
        return m_lastEohEnd != kNoEoh && position < m_lastEohEnd ? 1 : 0;
    }

    AdifRecordReader m_reader;
    AdifByteSource* m_source = nullptr;
    AdifLogHandler* m_handler = nullptr;

    std::vector<char> m_buffer;
    std::size_t m_pos = 0;       // first unprocessed byte
    std::size_t m_end = 0;       // end of the data in the buffer
    std::uint64_t m_offset = 0;  // source offset of m_buffer[m_end]
    bool m_atEnd = false;
    bool m_errorPending = false;  // a read failed at m_errorOffset
    std::uint64_t m_errorOffset = 0;
    // A read error met while looking ahead beyond a long line, raised again when reading gets
    // there once more, so that it is handled like any other.
    std::uint64_t m_deferredError = kNoOffset;
    bool m_discardToLf = false;  // the rest of a dropped line is still to be skipped
    std::uint64_t m_bytesRead = 0;

    // The line being cut.
    std::uint64_t m_lineLength = 0;
    std::uint64_t m_linePos = 0;
    std::uint64_t m_lastEohEnd = kNoEoh;
    EndTagMatcher m_lineMatcher;
    bool m_chunkOpen = false;
    std::vector<FoundEndTag> m_lineTags;
    std::vector<std::size_t> m_tagCandidates;
};

AdifLogReader::AdifLogReader(const EntityCatalogue& catalogue, bool countEqsl,
                             std::size_t blockSize)
    : m_impl(std::make_unique<Impl>(catalogue, countEqsl, blockSize))
{
}

AdifLogReader::~AdifLogReader() = default;

AdifLogEnd AdifLogReader::Read(AdifByteSource& source, AdifLogHandler& handler)
{
    return m_impl->Read(source, handler);
}

AdifLogEnd AdifLogReader::Impl::Read(AdifByteSource& source, AdifLogHandler& handler)
{
    m_source = &source;
    m_handler = &handler;
    m_reader.Reset();
    m_pos = m_end = 0;
    m_offset = 0;
    m_atEnd = false;
    m_errorPending = false;
    m_deferredError = kNoOffset;
    m_discardToLf = false;
    m_bytesRead = 0;

    for (;;) {
        if (m_discardToLf) {
            const void* lf = std::memchr(m_buffer.data() + m_pos, '\n', m_end - m_pos);
            if (lf != nullptr) {
                const auto* const end = static_cast<const char*>(lf);
                m_pos = static_cast<std::size_t>(end - m_buffer.data()) + 1;
                m_discardToLf = false;
                continue;
            }
            m_pos = m_end;
        } else {
            char* start = m_buffer.data() + m_pos;
            const void* lf = std::memchr(start, '\n', m_end - m_pos);
            if (lf != nullptr) {
                const auto length = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
                m_pos += length + 1;
                const Step step = ProcessBufferedLine(start, length);
                if (step == Step::Stop) {
                    return AdifLogEnd::Stopped;
                }
                continue;
            }
        }
        // No complete line left in the buffer.
        if (m_errorPending) {
            const Step step = HandleReadError();
            if (step == Step::Abort) {
                return AdifLogEnd::Aborted;
            }
            continue;
        }
        if (m_atEnd) {
            if (m_pos < m_end && !m_discardToLf) {
                // The last line of a file that does not end with LF.
                const std::size_t length = m_end - m_pos;
                char* start = m_buffer.data() + m_pos;
                m_pos = m_end;
                if (ProcessBufferedLine(start, length) == Step::Stop) {
                    return AdifLogEnd::Stopped;
                }
            }
            return AdifLogEnd::EndOfData;
        }
        if (!m_discardToLf && m_pos == 0 && m_end == m_buffer.size()) {
            // A line longer than the buffer.
            const Step step = ProcessLongLine();
            if (step == Step::Stop) {
                return AdifLogEnd::Stopped;
            }
            if (step == Step::Abort) {
                return AdifLogEnd::Aborted;
            }
            continue;
        }
        Refill();
    }
}

void AdifLogReader::Impl::Refill()
{
    if (m_pos > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_pos, m_end - m_pos);
        m_end -= m_pos;
        m_pos = 0;
    }
    if (m_end == m_buffer.size() || m_atEnd || m_errorPending) {
        return;
    }
    std::size_t space = m_buffer.size() - m_end;
    if (m_deferredError != kNoOffset && m_deferredError - m_offset <= space) {
        space = static_cast<std::size_t>(m_deferredError - m_offset);
        if (space == 0) {
            m_errorPending = true;
            m_errorOffset = m_deferredError;
            m_deferredError = kNoOffset;
            return;
        }
    }
    const auto result = m_source->Read(std::span<char>(m_buffer.data() + m_end, space));
    m_end += result.Count;
    m_offset += result.Count;
    if (result.Error) {
        m_errorPending = true;
        m_errorOffset = m_offset;
    } else if (result.Count == 0) {
        m_atEnd = true;
    }
}

AdifLogReader::Impl::Step AdifLogReader::Impl::HandleReadError()
{
    m_errorPending = false;
    if (m_handler->ReadError() == ReadErrorAction::Abort) {
        return Step::Abort;
    }
    // Drop the line that could not be read: what arrived of it, the unreadable stretch, and
    // whatever of it follows up to its LF.
    m_pos = m_end = 0;
    const std::uint64_t resume = FindReadableOffset(m_errorOffset);
    if (resume > m_errorOffset) {
        m_handler->BytesSkipped(m_errorOffset, resume - m_errorOffset);
    }
    if (m_deferredError != kNoOffset && m_deferredError <= resume) {
        m_deferredError = kNoOffset;
    }
    if (resume >= m_source->Size() || !m_source->Seek(resume)) {
        m_atEnd = true;
        return Step::Go;
    }
    m_offset = resume;
    m_discardToLf = true;
    return Step::Go;
}

// Where reading can go on behind a read error at from: right there when a second try succeeds,
// as it does after most passing errors; otherwise at the first multiple of the source's failure
// unit that can be read. The distance doubles while reads keep failing and is then narrowed down
// by halving, so that a long unreadable stretch, or a source that fails everywhere, costs a few
// dozen reads rather than one per unit, while at most one unit of good bytes is passed over
// when the bad stretch is one piece. The end of the data counts as readable.
std::uint64_t AdifLogReader::Impl::FindReadableOffset(std::uint64_t from)
{
    const std::uint64_t size = m_source->Size();
    if (from >= size || Readable(from)) {
        return from;
    }
    const std::uint64_t unit = std::max<std::uint64_t>(m_source->FailureUnit(), 1);
    std::uint64_t bad = from;   // known unreadable
    std::uint64_t good = size;  // known readable, or the end
    for (std::uint64_t units = 1;; units *= 2) {
        const std::uint64_t probe = (from / unit + units) * unit;
        if (probe >= size) {
            break;
        }
        if (Readable(probe)) {
            good = probe;
            break;
        }
        bad = probe;
    }
    for (;;) {
        std::uint64_t middle = (bad + (good - bad) / 2) / unit * unit;
        if (middle <= bad) {
            middle = (bad / unit + 1) * unit;
        }
        if (middle >= good) {
            return good;
        }
        if (Readable(middle)) {
            good = middle;
        } else {
            bad = middle;
        }
    }
}

bool AdifLogReader::Impl::Readable(std::uint64_t offset)
{
    if (!m_source->Seek(offset)) {
        return false;
    }
    char byte = 0;
    const AdifByteSource::ReadResult result = m_source->Read(std::span<char>(&byte, 1));
    return result.Count > 0 || !result.Error;
}

AdifLogReader::Impl::Step AdifLogReader::Impl::ProcessBufferedLine(char* text,
                                                                   std::size_t rawLength)
{
    const std::size_t length = DropCarriageReturns(text, rawLength);
    const std::string_view line(text, length);
    m_bytesRead += length + 2;
    if (!m_handler->BeginLine(m_bytesRead)) {
        return Step::Stop;
    }
    if (m_reader.ReadWholeLineRecord(line, *this)) {
        return Step::Go;
    }
    FindEndTags(line, m_tagCandidates, m_lineTags);
    std::uint64_t lastEohEnd = kNoEoh;
    for (const FoundEndTag& tag : m_lineTags) {
        if (tag.eoh) {
            lastEohEnd = tag.end;
        }
    }
    // Cut the line: before its last "<EOH>" at each "<EOH>", behind it at each "<EOR>"; a tag
    // at the very end closes the last chunk. Each chunk is told whether its only tag is the one
    // it ends with, which is the rule for the lines of a log.
    std::size_t from = 0;
    std::size_t tagsInChunk = 0;
    for (const FoundEndTag& tag : m_lineTags) {
        ++tagsInChunk;
        const bool cut = tag.eoh || lastEohEnd == kNoEoh || tag.end > lastEohEnd;
        if (!cut) {
            continue;
        }
        m_reader.BeginChunk(tag.eoh ? 1 : 0);
        m_reader.AppendChunk(line.substr(from, tag.end - from), *this, tagsInChunk == 1);
        m_reader.EndChunk(*this);
        from = tag.end;
        tagsInChunk = 0;
        if (from == line.size()) {
            return Step::Go;
        }
    }
    // The rest of the line, or the whole of a line without cut: a chunk of its own, even empty.
    m_reader.BeginChunk(lastEohEnd != kNoEoh && from < lastEohEnd ? 1 : 0);
    m_reader.AppendChunk(line.substr(from), *this, tagsInChunk == 0);
    m_reader.EndChunk(*this);
    return Step::Go;
}

AdifLogReader::Impl::Step AdifLogReader::Impl::ProcessLongLine()
{
    // First pass: find where the line ends and where its last "<EOH>" is, so that it can be cut
    // exactly as a line held whole would be. The second pass feeds it piece by piece.
    const std::uint64_t lineStart = m_offset - m_end;
    std::uint64_t rawLength = 0;
    std::uint64_t length = 0;
    std::uint64_t lastEohEnd = kNoEoh;
    EndTagMatcher matcher;
    bool lfFound = false;
    for (;;) {
        char* data = m_buffer.data() + m_pos;
        const std::size_t available = m_end - m_pos;
        const void* lf = std::memchr(data, '\n', available);
        const std::size_t take = lf != nullptr
                                     ? static_cast<std::size_t>(static_cast<const char*>(lf) - data)
                                     : available;
        // The bytes are read again in the second pass, so CR can be dropped in place here.
        const std::size_t kept = DropCarriageReturns(data, take);
        std::size_t i = 0;
        while (i < kept) {
            if (matcher.Idle()) {
                i = static_cast<std::size_t>(bytes::FindByte(data + i, data + kept, '<') - data);
                if (i == kept) {
                    break;
                }
            }
            if (matcher.Step(data[i]) == EndTag::Eoh) {
                lastEohEnd = length + i + 1;
            }
            ++i;
        }
        length += kept;
        rawLength += take;
        m_pos += take;
        if (lf != nullptr) {
            lfFound = true;
            break;
        }
        if (m_errorPending) {
            return HandleReadError();
        }
        if (m_atEnd) {
            break;
        }
        Refill();
    }
    m_bytesRead += length + 2;
    if (!m_handler->BeginLine(m_bytesRead)) {
        return Step::Stop;
    }
    // Behind the line the buffer holds data already read; keep it if the line cannot be read
    // a second time.
    if (!m_source->Seek(lineStart)) {
        if (lfFound) {
            ++m_pos;
        }
        if (m_handler->ReadError() == ReadErrorAction::Abort) {
            return Step::Abort;
        }
        return Step::Go;
    }
    m_offset = lineStart;
    m_pos = m_end = 0;
    m_atEnd = false;
    if (m_errorPending) {
        m_deferredError = m_errorOffset;  // behind the line's LF
        m_errorPending = false;
    }

    BeginLine(length, lastEohEnd);
    std::uint64_t remaining = rawLength;
    while (remaining > 0) {
        if (m_pos == m_end) {
            Refill();
            if (m_pos == m_end) {
                if (m_errorPending) {
                    EndLine();
                    return HandleReadError();
                }
                break;  // shorter than the first pass saw: the file changed meanwhile
            }
        }
        const std::size_t piece =
            static_cast<std::size_t>(std::min<std::uint64_t>(remaining, m_end - m_pos));
        char* text = m_buffer.data() + m_pos;
        const std::size_t kept = DropCarriageReturns(text, piece);
        FeedLine(std::string_view(text, kept));
        m_pos += piece;
        remaining -= piece;
    }
    EndLine();
    m_discardToLf = lfFound;  // the line's own LF
    return Step::Go;
}

void AdifLogReader::Impl::BeginLine(std::uint64_t length, std::uint64_t lastEohEnd)
{
    m_lineLength = length;
    m_linePos = 0;
    m_lastEohEnd = lastEohEnd;
    m_lineMatcher.Reset();
    m_reader.BeginChunk(EohTagsFrom(0));
    m_chunkOpen = true;
}

void AdifLogReader::Impl::FeedLine(std::string_view piece)
{
    std::size_t from = 0;        // start of the piece's text not yet handed to the reader
    std::size_t tagsInside = 0;  // tags that are no cut, met since from
    std::size_t i = 0;
    const std::size_t size = piece.size();
    const char* const data = piece.data();
    while (i < size) {
        if (m_lineMatcher.Idle()) {
            i = static_cast<std::size_t>(bytes::FindByte(data + i, data + size, '<') - data);
            if (i == size) {
                break;
            }
        }
        const EndTag found = m_lineMatcher.Step(piece[i]);
        ++i;
        if (found == EndTag::None) {
            continue;
        }
        const std::uint64_t tagEnd = m_linePos + i;
        const bool cut = found == EndTag::Eoh ? tagEnd <= m_lastEohEnd
                                              : (m_lastEohEnd == kNoEoh || tagEnd > m_lastEohEnd);
        if (!cut) {
            ++tagsInside;
            continue;
        }
        if (!m_chunkOpen) {
            m_reader.BeginChunk(EohTagsFrom(m_linePos + from));
            m_chunkOpen = true;
        }
        m_reader.AppendChunk(piece.substr(from, i - from), *this, tagsInside == 0);
        m_reader.EndChunk(*this);
        m_chunkOpen = false;
        from = i;
        tagsInside = 0;
    }
    if (from < size) {
        if (!m_chunkOpen) {
            m_reader.BeginChunk(EohTagsFrom(m_linePos + from));
            m_chunkOpen = true;
        }
        m_reader.AppendChunk(piece.substr(from), *this, tagsInside == 0);
    }
    m_linePos += size;
}

void AdifLogReader::Impl::EndLine()
{
    if (m_chunkOpen) {
        m_reader.EndChunk(*this);
        m_chunkOpen = false;
    }
}

}  // namespace wendrix

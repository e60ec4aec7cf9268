// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/adif/AdifReader.h"

#include <algorithm>
#include <cstring>

#include "common/Text.h"
#include "common/ByteSearch.h"
#include "import/Classification.h"
#include "import/adif/EndTag.h"

namespace wendrix {

namespace {

constexpr std::size_t kTagLength = kEndTagLength;

[[nodiscard]] bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

AdifRecordReader::AdifRecordReader(const EntityCatalogue& catalogue, bool countEqsl)
    : m_catalogue(catalogue),
      m_countEqsl(countEqsl)
{
    m_pending.reserve(4096);
    m_report.reserve(kReportTextLimit + 64);
}

void AdifRecordReader::Reset()
{
    m_pending.clear();
    m_begin = 0;
    m_tags.clear();
    m_tagsBegin = 0;
    m_trailingDropped = false;
    m_match.Reset();
    m_eohAlreadyDeleted = false;
    m_skipping = false;
    m_heldBlanks.clear();
    m_heldBlanksExtra = 0;
}

void AdifRecordReader::BeginChunk(std::size_t eohTagsInChunk)
{
    m_eohTagsInChunk = eohTagsInChunk;
    m_eohTagsSeen = 0;
    m_chunkBytes = 0;
    m_chunkStarted = false;
    m_recordTaken = false;
    m_skipping = false;
    m_startDecided = false;
    m_decideFirst = false;
    m_heldBlanks.clear();
    m_heldBlanksExtra = 0;
    // The joined text loses everything up to its first "<EOH>". It may have gone already, as the
    // first "<EOH>" behind the previous chunk's record.
    m_eohDone = m_eohAlreadyDeleted;
    m_eohAlreadyDeleted = false;
    if (!m_eohDone && eohTagsInChunk > 0) {
        // An "<EOH>" is sure to come in this chunk: all text before it is deleted, so none of it
        // needs to be kept. Only the matcher state survives, for a tag joined across the seam.
        DropPending();
        m_skipping = true;
        return;
    }
    if (!m_eohDone && m_match.CouldStillBecomeEoh()) {
        return;  // the chunk's first bytes may complete an "<EOH>" begun in PendingText
    }
    m_decideFirst = true;
}

void AdifRecordReader::AppendChunk(std::string_view bytes, AdifRecordSink& sink, bool onlyFinalTag)
{
    if (m_decideFirst) {
        m_decideFirst = false;
        Decide(sink);
    }
    if (!m_chunkStarted) {
        std::size_t first = 0;
        while (first < bytes.size() && IsBlank(bytes[first])) {
            ++first;
        }
        bytes.remove_prefix(first);
        if (bytes.empty()) {
            return;
        }
        m_chunkStarted = true;
    }
    std::size_t end = bytes.size();
    while (end > 0 && IsBlank(bytes[end - 1])) {
        --end;
    }
    if (end == 0) {
        // Only blanks: they count when something follows within the chunk.
        const std::size_t room =
            kMaxPendingText + 1 - std::min(m_heldBlanks.size(), kMaxPendingText + 1);
        const std::size_t kept = std::min(room, bytes.size());
        m_heldBlanks.append(bytes.substr(0, kept));
        m_heldBlanksExtra += bytes.size() - kept;
        return;
    }
    if (!m_heldBlanks.empty()) {
        ProcessText(m_heldBlanks, sink, true);
        if (m_heldBlanksExtra > 0) {
            // More blanks than PendingText may hold: by now the text has overflowed (or is dead),
            // so one more blank has the effect of all of them.
            ProcessText(" ", sink, true);
            m_chunkBytes += m_heldBlanksExtra - 1;
        }
        m_heldBlanks.clear();
        m_heldBlanksExtra = 0;
    }
    ProcessText(bytes.substr(0, end), sink, onlyFinalTag);
    const std::string_view trailing = bytes.substr(end);
    const std::size_t kept = std::min(trailing.size(), kMaxPendingText + 1);
    m_heldBlanks.assign(trailing.substr(0, kept));
    m_heldBlanksExtra = trailing.size() - kept;
}

void AdifRecordReader::EndChunk(AdifRecordSink& sink)
{
    // Blanks at the end of a chunk are trimmed away.
    m_heldBlanks.clear();
    m_heldBlanksExtra = 0;
    if (m_decideFirst) {
        m_decideFirst = false;
        Decide(sink);
    }
    m_skipping = false;  // only reachable if the caller miscounted the chunk's "<EOH>" tags
    if (!m_startDecided) {
        Decide(sink);  // the chunk ended before a joined "<EOH>" could be completed
    }
    if (!m_eohAlreadyDeleted) {
        PreDeleteFirstEoh();
    }
}

void AdifRecordReader::ProcessText(std::string_view text, AdifRecordSink& sink, bool onlyFinalTag)
{
    std::size_t i = 0;
    const std::size_t size = text.size();
    if (onlyFinalTag && size > kTagLength && m_match.Idle() && m_startDecided && !m_recordTaken &&
        !m_skipping && m_begin == m_pending.size() && !m_trailingDropped &&
        m_eohTagsSeen >= m_eohTagsInChunk && IsEorTag(text.substr(size - kTagLength))) {
        // The usual line of a log: nothing waits in PendingText, and the text is one record
        // with its end tag. It is read where it stands, without a copy.
        m_chunkBytes += size;
        m_recordTaken = true;
        const std::string_view record = Trim(text.substr(0, size - kTagLength));
        if (!record.empty()) {
            Deliver(record, false, sink);
        }
        if (!m_eohAlreadyDeleted) {
            PreDeleteFirstEoh();
        }
        return;
    }
    if (onlyFinalTag) {
        // Finish a tag begun before the text (which may also settle this chunk's start), pass
        // the middle on in one piece, and look only at the last five bytes, which hold the one
        // tag the text may end with or the start of one that the next text completes.
        while (i < size && !m_match.Idle()) {
            StepByte(text[i], sink);
            ++i;
        }
        const std::size_t tail = std::max(i, size >= kTagLength ? size - kTagLength : 0);
        if (tail > i) {
            if (!m_skipping) {
                Store(text.substr(i, tail - i));
            }
            m_chunkBytes += tail - i;
            m_match.Reset();
        }
        for (i = tail; i < size; ++i) {
            StepByte(text[i], sink);
        }
        return;
    }
    while (i < size) {
        if (m_match.Idle()) {
            // Plain text up to the next '<' cannot touch a tag: pass it on in one piece.
            const char* begin = text.data();
            const std::size_t stop =
                static_cast<std::size_t>(bytes::FindByte(begin + i, begin + size, '<') - begin);
            if (stop > i) {
                if (!m_skipping) {
                    Store(text.substr(i, stop - i));
                }
                m_chunkBytes += stop - i;
                i = stop;
                if (i == size) {
                    break;
                }
            }
        }
        StepByte(text[i], sink);
        ++i;
    }
}

void AdifRecordReader::StepByte(char c, AdifRecordSink& sink)
{
    ++m_chunkBytes;
    const EndTag found = m_match.Step(c);
    const bool eor = found == EndTag::Eor;
    const bool eoh = found == EndTag::Eoh;
    if (eoh && m_chunkBytes >= kTagLength) {
        ++m_eohTagsSeen;  // a tag wholly inside the chunk, not one joined across the seam
    }
    if (m_skipping) {
        if (eoh) {
            EndSkipping(sink);
        }
        return;
    }
    Store(std::string_view(&c, 1));
    if (!m_startDecided && !eoh && !m_match.CouldStillBecomeEoh()) {
        Decide(sink);
    }
    if (eor || eoh) {
        OnTag(eoh, sink);
    }
}

void AdifRecordReader::Store(std::string_view text)
{
    if (m_trailingDropped) {
        return;
    }
    if (m_pending.size() - m_begin + text.size() <= kMaxPendingText) {
        m_pending.append(text);
        return;
    }
    // The text behind the last tag outgrows the limit: keep only its start, for the report,
    // and drop the rest of it up to the next tag.
    m_trailingDropped = true;
    const std::size_t stretch =
        m_tagsBegin < m_tags.size() ? std::max(m_tags.back().resume, m_begin) : m_begin;
    const std::size_t keep = stretch + kReportTextLimit;
    if (m_pending.size() > keep) {
        m_pending.resize(keep);
    } else {
        m_pending.append(text.substr(0, keep - m_pending.size()));
    }
}

void AdifRecordReader::OnTag(bool isEoh, AdifRecordSink& sink)
{
    Tag tag;
    tag.resume = m_pending.size();
    const std::size_t stretch =
        m_tagsBegin < m_tags.size() ? std::max(m_tags.back().resume, m_begin) : m_begin;
    tag.textEnd = m_trailingDropped || tag.resume < stretch + kTagLength ? tag.resume
                                                                         : tag.resume - kTagLength;
    tag.isEoh = isEoh;
    tag.droppedBefore = m_trailingDropped;
    m_trailingDropped = false;
    if (isEoh) {
        if (!m_eohDone) {
            // An "<EOH>" joined across the seam: the chunk's deletion.
            DeleteThrough(tag.resume);
            m_eohDone = true;
            Decide(sink);
            return;
        }
        if (m_recordTaken && !m_eohAlreadyDeleted) {
            // The first "<EOH>" behind this chunk's record: the next chunk would delete up to
            // it first thing, so it goes now.
            DeleteThrough(tag.resume);
            m_eohAlreadyDeleted = true;
            return;
        }
        m_tags.push_back(tag);  // part of the text: the deletion of this chunk is spent
        return;
    }
    m_tags.push_back(tag);
    if (m_startDecided && !m_recordTaken) {
        TakeRecord(m_tags.size() - 1, sink);
    }
}

void AdifRecordReader::EndSkipping(AdifRecordSink& sink)
{
    m_skipping = false;
    DropPending();
    if (!m_eohDone) {
        m_eohDone = true;
        Decide(sink);
    } else {
        m_eohAlreadyDeleted = true;
    }
}

void AdifRecordReader::Decide(AdifRecordSink& sink)
{
    m_startDecided = true;
    if (m_recordTaken) {
        return;
    }
    for (std::size_t k = m_tagsBegin; k < m_tags.size(); ++k) {
        if (!m_tags[k].isEoh) {
            TakeRecord(k, sink);
            return;
        }
    }
}

void AdifRecordReader::TakeRecord(std::size_t tagIndex, AdifRecordSink& sink)
{
    m_recordTaken = true;
    const Tag tag = m_tags[tagIndex];
    bool tooLong = false;
    for (std::size_t k = m_tagsBegin; k <= tagIndex; ++k) {
        tooLong = tooLong || m_tags[k].droppedBefore;
    }
    const std::string_view text =
        Trim(std::string_view(m_pending).substr(m_begin, tag.textEnd - m_begin));
    if (!text.empty()) {
        Deliver(text, tooLong, sink);
    }
    DeleteThrough(tag.resume);
    if (m_eohAlreadyDeleted) {
        return;
    }
    PreDeleteFirstEoh();
    if (!m_eohAlreadyDeleted && m_eohTagsSeen < m_eohTagsInChunk) {
        // This chunk's own "<EOH>" is still to come and will be the next chunk's deletion:
        // nothing before it needs to be kept.
        DropPending();
        m_skipping = true;
    }
}

void AdifRecordReader::PreDeleteFirstEoh()
{
    for (std::size_t k = m_tagsBegin; k < m_tags.size(); ++k) {
        if (m_tags[k].isEoh) {
            DeleteThrough(m_tags[k].resume);
            m_eohAlreadyDeleted = true;
            return;
        }
    }
}

void AdifRecordReader::DeleteThrough(std::size_t position)
{
    m_begin = position;
    while (m_tagsBegin < m_tags.size() && m_tags[m_tagsBegin].resume <= position) {
        ++m_tagsBegin;
    }
    if (m_tagsBegin == m_tags.size()) {
        m_tags.clear();
        m_tagsBegin = 0;
    }
    if (m_begin >= m_pending.size()) {
        m_pending.clear();
        m_begin = 0;
        return;
    }
    if (m_begin > 65536 && m_begin > m_pending.size() / 2) {
        m_pending.erase(0, m_begin);
        for (std::size_t k = m_tagsBegin; k < m_tags.size(); ++k) {
            m_tags[k].textEnd -= m_begin;
            m_tags[k].resume -= m_begin;
        }
        m_tags.erase(m_tags.begin(), m_tags.begin() + static_cast<std::ptrdiff_t>(m_tagsBegin));
        m_tagsBegin = 0;
        m_begin = 0;
    }
}

void AdifRecordReader::DropPending()
{
    m_pending.clear();
    m_begin = 0;
    m_tags.clear();
    m_tagsBegin = 0;
    m_trailingDropped = false;
}

void AdifRecordReader::Deliver(std::string_view recordText, bool tooLong, AdifRecordSink& sink)
{
    if (tooLong) {
        m_report.assign(kRecordTooLongReason);
        m_report.append(recordText.substr(0, kReportTextLimit));
        bytes::AsciiUpperBlock(m_report.data() + kRecordTooLongReason.size(),
                               m_report.size() - kRecordTooLongReason.size());
        sink.Rejected(m_report);
        return;
    }
    m_fields.Clear();
    (void)ScanAdifTags(recordText, m_fields);
    DeliverScanned(recordText, sink);
}

void AdifRecordReader::DeliverScanned(std::string_view recordText, AdifRecordSink& sink)
{
    const std::string_view reason = ClassifyRecord(m_fields, m_countEqsl, m_catalogue, m_contact);
    if (reason.empty()) {
        sink.Accepted(m_contact);
        return;
    }
    m_report.assign(reason);
    const std::size_t textStart = m_report.size();
    m_report.append(recordText.substr(0, kReportTextLimit));
    bytes::AsciiUpperBlock(m_report.data() + textStart, m_report.size() - textStart);
    sink.Rejected(m_report);
}

bool AdifRecordReader::ReadWholeLineRecord(std::string_view line, AdifRecordSink& sink)
{
    if (m_begin != m_pending.size() || m_tagsBegin != m_tags.size() || m_trailingDropped ||
        !m_match.Idle()) {
        return false;
    }
    const std::string_view text = Trim(line);
    if (text.size() < kTagLength || !IsEorTag(text.substr(text.size() - kTagLength))) {
        return false;
    }
    // As a chunk this line would find PendingText empty, so no "<EOH>" deletion can touch it,
    // and its record is everything before the tag, trimmed.
    const std::string_view record = Trim(text.substr(0, text.size() - kTagLength));
    m_fields.Clear();
    if (!record.empty() && ScanAdifTags(record, m_fields)) {
        return false;  // another end tag inside: the line is cut into several chunks
    }
    m_eohAlreadyDeleted = false;  // spent by this chunk, which holds no "<EOH>" to delete to
    if (!record.empty()) {
        DeliverScanned(record, sink);
    }
    return true;
}

}  // namespace wendrix

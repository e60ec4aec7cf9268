// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntityCatalogue.h"
#include "import/adif/AdifFields.h"
#include "import/adif/EndTag.h"
#include "import/ContactRecord.h"

// The ADIF record reader: assembles records from the chunks of a log, keeps the fifteen known
// fields of each, checks and classifies them, and yields a ContactRecord or a rejection text.
namespace wendrix {

// Receives the records found while chunks are fed piecewise (see AdifRecordReader::AppendChunk).
class AdifRecordSink
{
public:
    virtual ~AdifRecordSink() = default;
    virtual void Accepted(const ContactRecord& contact) = 0;
    // The reason text followed directly by the record text (upper-cased, trimmed, without its
    // end tag; cut after kReportTextLimit characters of record text). Valid during the call only.
    virtual void Rejected(std::string_view reportLine) = 0;
};

// Hardening limits. A log is untrusted input: memory stays bounded whatever it holds.
// PendingText keeps at most this much record text. A record (or header) whose text grows beyond
// it is not kept; its end tag is still looked for, and a record that ends this way is rejected
// with kRecordTooLongReason followed by the start of its text. A header that overflows is
// dropped at its "<EOH>" as usual, so an oversized header costs nothing.
inline constexpr std::size_t kMaxPendingText = std::size_t{1} << 20;
// A report line holds the reason and at most this many characters of the record text.
inline constexpr std::size_t kReportTextLimit = 1000;
inline constexpr std::string_view kRecordTooLongReason = "Record too long: ";

// One reader per log file. It holds PendingText, the text of a record that has been read but not
// yet closed by its end tag.
class AdifRecordReader
{
public:
    // countEqsl is the answer to "eQSL werten?"; the catalogue must outlive the reader.
    AdifRecordReader(const EntityCatalogue& catalogue, bool countEqsl);

    // Empties PendingText; called at the start of every file.
    void Reset();

    // Reading, for callers that stream a chunk of a line in pieces (the file driver does this, so
    // that a line of any length needs no more memory than a record). A chunk is announced with
    // BeginChunk, which must be told how many "<EOH>" tags the chunk's own text holds; its bytes
    // follow in any number of AppendChunk calls; EndChunk closes it. The bytes need not be
    // upper-cased: the reader treats them as if they were, and upper-cases what it hands on.
    // Every record found is handed to the sink at once; one chunk yields at most one record,
    // so a whole chunk handed over at once yields what the chunk holds. A caller that has looked at the bytes already may
    // promise onlyFinalTag: no "<EOR>" or "<EOH>" lies wholly inside them except one ending at
    // their last byte; the reader then skips its own search.
    void BeginChunk(std::size_t eohTagsInChunk);
    void AppendChunk(std::string_view bytes, AdifRecordSink& sink, bool onlyFinalTag = false);
    void EndChunk(AdifRecordSink& sink);

    // A shortcut for the usual line of a log. If nothing waits in PendingText and the line
    // (without CR) is one record closed by "<EOR>" at its end, with no other end tag in it, reads
    // it with the same result as feeding it as chunks would give, and returns true; otherwise
    // changes nothing and returns false.
    [[nodiscard]] bool ReadWholeLineRecord(std::string_view line, AdifRecordSink& sink);

    [[nodiscard]] bool CountEqsl() const { return m_countEqsl; }

private:
    // A complete "<EOR>" or "<EOH>" inside PendingText.
    struct Tag
    {
        std::size_t textEnd = 0;  // end of the text before the tag
        std::size_t resume = 0;   // start of the text behind the tag
        bool isEoh = false;
        bool droppedBefore = false;  // the text between the previous tag and this one lost bytes
    };

    void ProcessText(std::string_view text, AdifRecordSink& sink, bool onlyFinalTag);
    void StepByte(char c, AdifRecordSink& sink);
    void Store(std::string_view text);
    void OnTag(bool isEoh, AdifRecordSink& sink);
    void EndSkipping(AdifRecordSink& sink);
    void Decide(AdifRecordSink& sink);
    void TakeRecord(std::size_t tagIndex, AdifRecordSink& sink);
    void DeleteThrough(std::size_t position);
    void DropPending();
    void PreDeleteFirstEoh();
    void Deliver(std::string_view recordText, bool tooLong, AdifRecordSink& sink);
    void DeliverScanned(std::string_view recordText, AdifRecordSink& sink);

    const EntityCatalogue& m_catalogue;
    bool m_countEqsl;

    // PendingText is m_pending from m_begin on; the positions of its tags are kept alongside.
    std::string m_pending;
    std::size_t m_begin = 0;
    std::vector<Tag> m_tags;
    std::size_t m_tagsBegin = 0;
    bool m_trailingDropped = false;    // the text behind the last tag lost bytes to the limit
    EndTagMatcher m_match;             // how much of "<EOR>" or "<EOH>" the text ends with
    bool m_eohAlreadyDeleted = false;  // the next chunk's "<EOH>" deletion is done already

    // The chunk being fed.
    std::size_t m_eohTagsInChunk = 0;
    std::size_t m_eohTagsSeen = 0;
    std::uint64_t m_chunkBytes = 0;       // bytes of the trimmed chunk passed on so far
    bool m_chunkStarted = false;          // a byte above blank has arrived
    bool m_decideFirst = false;           // Decide before the chunk's first byte
    bool m_eohDone = false;               // this chunk's "<EOH>" deletion has happened
    bool m_startDecided = false;          // no "<EOH>" can move this chunk's record start any more
    bool m_recordTaken = false;           // this chunk has had its "<EOR>"
    bool m_skipping = false;              // the text up to the next "<EOH>" is dead
    std::string m_heldBlanks;             // blanks that may turn out to end the chunk
    std::uint64_t m_heldBlanksExtra = 0;  // held blanks beyond what m_heldBlanks keeps

    AdifFields m_fields;
    ContactRecord m_contact;
    std::string m_report;
};

}  // namespace wendrix

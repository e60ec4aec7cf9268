#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntityCatalogue.h"
#include "import/AdifReader.h"
#include "import/ContactRecord.h"

// Streaming a log file through the record reader: lines end at LF, CR is dropped wherever it
// stands, every line is upper-cased and cut into chunks at "<EOH>" and "<EOR>". The file is read
// in blocks; a line of any length is handled in pieces, so memory stays bounded.
namespace wendrix {

// Where the bytes of a log come from.
class AdifByteSource
{
public:
    struct ReadResult
    {
        std::size_t Count = 0;   // bytes placed at the start of the buffer
        bool Error = false;      // a read error: Count bytes before it are good
    };

    virtual ~AdifByteSource() = default;
    // Reads up to buffer.size() bytes; Count 0 without Error is the end of the data.
    [[nodiscard]] virtual ReadResult Read(std::span<char> buffer) = 0;
    // Moves to an absolute offset; false when that is not possible.
    [[nodiscard]] virtual bool Seek(std::uint64_t offset) = 0;
    // The size in bytes when it was opened.
    [[nodiscard]] virtual std::uint64_t Size() const = 0;
};

// A log file on disk.
class AdifFileSource final : public AdifByteSource
{
public:
    // Null when the file cannot be opened (missing, no permission, a directory).
    [[nodiscard]] static std::unique_ptr<AdifFileSource> Open(const std::filesystem::path& path);

    [[nodiscard]] ReadResult Read(std::span<char> buffer) override;
    [[nodiscard]] bool Seek(std::uint64_t offset) override;
    [[nodiscard]] std::uint64_t Size() const override { return m_size; }

private:
    AdifFileSource() = default;
    std::ifstream m_stream;
    std::uint64_t m_size = 0;
};

// Bytes in memory (tests, benchmarks, fuzzing). maxPiece > 0 hands them out in pieces of at most
// that size, which exercises every piece boundary of the driver.
class AdifMemorySource final : public AdifByteSource
{
public:
    explicit AdifMemorySource(std::string_view bytes, std::size_t maxPiece = 0)
        : m_bytes(bytes), m_maxPiece(maxPiece)
    {
    }
    [[nodiscard]] ReadResult Read(std::span<char> buffer) override;
    [[nodiscard]] bool Seek(std::uint64_t offset) override;
    [[nodiscard]] std::uint64_t Size() const override { return m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_maxPiece;
    std::size_t m_position = 0;
};

enum class ReadErrorAction { Abort, Ignore };

// What the driver tells the caller while it reads one log.
class AdifLogHandler
{
public:
    virtual ~AdifLogHandler() = default;
    // Before each line is processed, with the bytes read so far including this line (line
    // length without CR, plus 2, per line). false stops reading the file; the line is not
    // processed.
    [[nodiscard]] virtual bool BeginLine(std::uint64_t bytesRead) = 0;
    virtual void Accepted(const ContactRecord& contact) = 0;
    // Reason text followed by the record text; valid during the call only.
    virtual void Rejected(std::string_view reportLine) = 0;
    // A read error in the current line. Ignore drops that line and goes on behind the part that
    // could not be read; Abort ends the file at once.
    [[nodiscard]] virtual ReadErrorAction ReadError() = 0;
};

enum class AdifLogEnd { EndOfData, Stopped, Aborted };

// Reads one log from a source, start to end, handing every record to the handler in file order.
// Keeps its buffers between logs, so one driver can read many files without new allocations.
class AdifLogReader
{
public:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    // blockSize is the unit of reading and the longest line held whole; lines beyond it are read
    // twice (once to measure them) and handled in pieces. Tests make it small.
    AdifLogReader(const EntityCatalogue& catalogue, bool countEqsl,
                  std::size_t blockSize = kBlockSize);
    ~AdifLogReader();
    AdifLogReader(const AdifLogReader&) = delete;
    AdifLogReader& operator=(const AdifLogReader&) = delete;

    // Empties PendingText first, so a record left open in an earlier log cannot continue here.
    [[nodiscard]] AdifLogEnd Read(AdifByteSource& source, AdifLogHandler& handler);

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace wendrix

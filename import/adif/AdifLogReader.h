// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>

#include "catalogue/EntityCatalogue.h"
#include "import/adif/AdifByteSource.h"
#include "import/adif/AdifLogHandler.h"

// Streaming a log through the record reader: lines end at LF, CR is dropped wherever it stands,
// every line is upper-cased and cut into chunks at "<EOH>" and "<EOR>". The log is read in
// blocks; a line of any length is handled in pieces, so memory stays bounded.
namespace wendrix {

enum class AdifLogEnd {
    EndOfData,
    Stopped,
    Aborted
};

// Reads one log from a source, start to end, handing every record to the handler in file order.
// Keeps its buffers between logs, so one reader can read many files without new allocations.
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

// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the ADIF reader: the file driver with the bytes handed out in pieces and with
// small blocks (so long lines, pieces and seams are exercised), ReadAdifRecord on chunks cut
// from the same bytes, and both compared with the plain model of the tests. Any difference, or
// any memory error the sanitizers see, stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "AdifReference.h"
#include "catalogue/EntityCatalogue.h"
#include "import/adif/AdifLogReader.h"
#include "import/adif/AdifMemorySource.h"
#include "import/adif/AdifReader.h"

namespace {

using wendrix::test::ReadOutcome;

const wendrix::EntityCatalogue& Catalogue()
{
    return wendrix::test::ReaderCheckCatalogue();
}

class Collector final : public wendrix::test::OutcomeCollector
{
public:
    bool BeginLine(std::uint64_t bytesRead) override
    {
        if (bytesRead < lastBytes) {
            std::abort();  // the count never goes back
        }
        lastBytes = bytesRead;
        return true;
    }
    wendrix::ReadErrorAction ReadError() override { std::abort(); }

    std::uint64_t lastBytes = 0;
};

void Expect(bool condition, const char* what, std::string_view input)
{
    if (!condition) {
        std::fprintf(stderr, "mismatch: %s (input of %zu bytes)\n", what, input.size());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    // The first byte chooses the settings, the rest is the log.
    const std::uint8_t settings = data[0];
    const std::string_view log(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool countEqsl = (settings & 1) != 0;
    static constexpr std::size_t kBlocks[] = {1,  3,    16,
                                              64, 4096, wendrix::AdifLogReader::kBlockSize};
    const std::size_t block = kBlocks[(settings >> 1) % 6];
    const std::size_t piece = (settings >> 4);  // 0: as much as fits

    const auto expected = wendrix::test::ReferenceReadLog(log, Catalogue(), countEqsl);

    wendrix::AdifMemorySource source(log, piece);
    wendrix::AdifLogReader reader(Catalogue(), countEqsl, block);
    Collector collector;
    Expect(reader.Read(source, collector) == wendrix::AdifLogEnd::EndOfData, "end of data", log);
    Expect(collector.outcomes == expected, "driver and plain model", log);

    // The same bytes cut into chunks at arbitrary places (at every LF), for ReadAdifRecord.
    std::vector<std::string> chunks;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= log.size(); ++i) {
        if (i == log.size() || log[i] == '\n') {
            chunks.emplace_back(log.substr(start, i - start));
            start = i + 1;
        }
    }
    const auto expectedChunks = wendrix::test::ReferenceReadChunks(chunks, Catalogue(), countEqsl);
    wendrix::AdifRecordReader chunkReader(Catalogue(), countEqsl);
    std::vector<ReadOutcome> outcomes;
    for (std::string chunk : chunks) {
        ReadOutcome outcome;
        const auto read = wendrix::test::ReadAdifRecord(chunkReader, chunk, outcome.contact);
        if (read != wendrix::test::ChunkResult::Waiting) {
            outcome.accepted = read == wendrix::test::ChunkResult::Accepted;
            if (!outcome.accepted) {
                outcome.report = chunk;
                outcome.contact = wendrix::ContactRecord{};
            }
            outcomes.push_back(outcome);
        }
    }
    Expect(outcomes == expectedChunks, "ReadAdifRecord and plain model", log);
    return 0;
}

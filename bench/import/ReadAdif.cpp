// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-read-adif: reads ADIF logs with the program's reader and prints what it found; for
// measuring time and peak memory of the reader alone, e.g.
//   wendrix-gen-adif line.adi --shape one-line --records 760000      (one line of 200 MB)
//   wendrix-gen-adif noeor.adi --shape no-eor --bytes 200000000      (no "<EOR>" at all)
//   wendrix-gen-adif header.adi --shape huge-header --bytes 50000000 (a header of 50 MB)
//   /usr/bin/time -v wendrix-read-adif [--eqsl] line.adi             ("Maximum resident set size")
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string_view>

#include "catalogue/EntityCatalogue.h"
#include "import/adif/AdifFileSource.h"
#include "import/adif/AdifLogReader.h"

namespace {

class Counter final : public wendrix::AdifLogHandler
{
public:
    bool BeginLine(std::uint64_t bytesRead) override
    {
        ++lines;
        bytes = bytesRead;
        return true;
    }
    void Accepted(const wendrix::ContactRecord& contact) override
    {
        ++accepted;
        confirmed += contact.IsConfirmed() ? 1 : 0;
    }
    void Rejected(std::string_view reportLine) override
    {
        ++rejected;
        longestReport = std::max(longestReport, reportLine.size());
    }
    wendrix::ReadErrorAction ReadError() override { return wendrix::ReadErrorAction::Abort; }

    std::uint64_t lines = 0;
    std::uint64_t bytes = 0;
    std::uint64_t accepted = 0;
    std::uint64_t confirmed = 0;
    std::uint64_t rejected = 0;
    std::size_t longestReport = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    bool countEqsl = false;
    for (int i = 1; i < argc; ++i) {
        countEqsl = countEqsl || std::string_view(argv[i]) == "--eqsl";
    }
    int status = 0;
    const wendrix::EntityCatalogue catalogue = wendrix::BuildEntityCatalogue();
    wendrix::AdifLogReader reader(catalogue, countEqsl);
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--eqsl") {
            continue;
        }
        auto source = wendrix::AdifFileSource::Open(argv[i]);
        if (!source) {
            std::fprintf(stderr, "%s: cannot be opened\n", argv[i]);
            status = 1;
            continue;
        }
        Counter counter;
        const auto start = std::chrono::steady_clock::now();
        const auto end = reader.Read(*source, counter);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%s: %llu bytes, %llu lines, %llu accepted (%llu confirmed), %llu rejected, "
                    "longest report %zu, %.3f s, %.0f MB/s%s\n",
                    argv[i], static_cast<unsigned long long>(source->Size()),
                    static_cast<unsigned long long>(counter.lines),
                    static_cast<unsigned long long>(counter.accepted),
                    static_cast<unsigned long long>(counter.confirmed),
                    static_cast<unsigned long long>(counter.rejected), counter.longestReport,
                    seconds, static_cast<double>(source->Size()) / seconds / 1e6,
                    end == wendrix::AdifLogEnd::EndOfData ? "" : " (not to the end)");
    }
    return status;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The ADIF reader alone: a generated log of 1,000,000 records read from the page cache, and a
// smaller one from memory. Run e.g.
//   wendrix_bench --benchmark_filter=AdifReader --benchmark_repetitions=5
// and compare with `cat` on the same file (the log is kept in the temporary folder).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "AdifLogGenerator.h"
#include "catalogue/EntityCatalogue.h"
#include "import/adif/AdifFileSource.h"
#include "import/adif/AdifLogReader.h"
#include "import/adif/AdifMemorySource.h"

namespace wendrix::bench {
namespace {

class CountingHandler final : public AdifLogHandler
{
public:
    bool BeginLine(std::uint64_t) override { return true; }
    void Accepted(const ContactRecord& contact) override
    {
        ++records;
        confirmed += contact.IsConfirmed() ? 1 : 0;
    }
    void Rejected(std::string_view reportLine) override
    {
        ++records;
        reportBytes += reportLine.size();
    }
    ReadErrorAction ReadError() override { return ReadErrorAction::Abort; }

    std::uint64_t records = 0;
    std::uint64_t confirmed = 0;
    std::uint64_t reportBytes = 0;
};

const EntityCatalogue& Catalogue()
{
    static const EntityCatalogue catalogue = BuildEntityCatalogue();
    return catalogue;
}

// The log of one million records, written once and reused by later runs.
const std::filesystem::path& MillionRecordLog()
{
    static const std::filesystem::path path = [] {
        AdifLogOptions options;
        options.Records = 1'000'000;
        options.Seed = 1;
        const auto file = std::filesystem::temp_directory_path() / "wendrix-bench-1M-seed1.adi";
        std::error_code error;
        if (!std::filesystem::exists(file, error) || std::filesystem::file_size(file, error) == 0) {
            (void)WriteAdifLog(options, file);
        }
        return file;
    }();
    return path;
}

void BM_AdifReaderFile(benchmark::State& state)
{
    const auto& path = MillionRecordLog();
    const auto size = std::filesystem::file_size(path);
    AdifLogReader reader(Catalogue(), false);
    std::uint64_t records = 0;
    for (auto _ : state) {
        auto source = AdifFileSource::Open(path);
        CountingHandler handler;
        if (!source || reader.Read(*source, handler) != AdifLogEnd::EndOfData) {
            state.SkipWithError("the log could not be read");
            return;
        }
        records = handler.records;
        benchmark::DoNotOptimize(handler.confirmed);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * records));
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_AdifReaderFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_AdifReaderMemory(benchmark::State& state)
{
    AdifLogOptions options;
    options.Records = static_cast<std::size_t>(state.range(0));
    options.Seed = 2;
    options.Shape = state.range(1) == 0 ? AdifLogShape::Normal : AdifLogShape::OneLine;
    const std::string log = GenerateAdifLog(options);
    AdifLogReader reader(Catalogue(), false);
    std::uint64_t records = 0;
    for (auto _ : state) {
        AdifMemorySource source(log);
        CountingHandler handler;
        (void)reader.Read(source, handler);
        records = handler.records;
        benchmark::DoNotOptimize(handler.confirmed);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.size()));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * records));
}
// The second argument 1 writes all records into one line (CR-only line ends).
BENCHMARK(BM_AdifReaderMemory)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wendrix::bench

// SPDX-License-Identifier: GPL-3.0-or-later
// The whole import of a large log: reading, classifying, resolving the calls without a DXCC
// field, asking (scripted: Yes to all) and ticking the matrix, from a file in the page cache and
// from memory, next to merely reading the file as cat does. Run for example with
//   build/bench/wendrix_bench --benchmark_filter=Import --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "catalogue/CallResolver.h"
#include "import/AdifLogGenerator.h"
#include "import/adif/AdifMemorySource.h"
#include "import/ImportRun.h"

namespace wendrix::bench {
namespace {

constexpr std::size_t kRecords = 1'000'000;

const EntityCatalogue& Catalogue()
{
    static const EntityCatalogue catalogue = BuildEntityCatalogue();
    return catalogue;
}

// The generated log as a file. It is the same file (same options, same name) that the reader's
// own benchmark uses, so both measure the same bytes; it stays in the temporary folder for later
// runs.
class LogFile
{
public:
    LogFile()
        : m_path(std::filesystem::temp_directory_path() / "wendrix-bench-1M-seed1.adi")
    {
        AdifLogOptions options;
        options.Records = kRecords;
        options.Seed = 1;
        std::error_code error;
        if (!std::filesystem::exists(m_path, error) ||
            std::filesystem::file_size(m_path, error) == 0) {
            (void)WriteAdifLog(options, m_path);
        }
        m_size = std::filesystem::file_size(m_path, error);
        if (error) {
            m_size = 0;
        }
    }

    [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }
    [[nodiscard]] std::uint64_t Size() const { return m_size; }

private:
    std::filesystem::path m_path;
    std::uint64_t m_size = 0;
};

const LogFile& Log()
{
    static const LogFile log;
    return log;
}

// A progress display that shows nothing and never stops a file.
class NoImportProgress final : public ImportProgress
{
public:
    void ShowProgress(std::string_view, std::string_view, int) override {}
    [[nodiscard]] bool StepProgress(int) override { return true; }
    void HideProgress() override {}
};

// Every question answered as a user in a hurry would: count eQSL, take every found entity.
class ScriptedPrompts final : public ImportPrompts
{
public:
    explicit ScriptedPrompts(std::filesystem::path file)
        : m_file(std::move(file))
    {
    }
    [[nodiscard]] bool AskCountEqsl() override { return true; }
    [[nodiscard]] std::vector<std::filesystem::path> ChooseLogFiles() override { return {m_file}; }
    [[nodiscard]] ReadErrorAnswer AskOnReadError(const std::filesystem::path&) override
    {
        return ReadErrorAnswer::Abort;
    }
    [[nodiscard]] EntityAnswer AskTakeEntity(const EntityQuestion&) override
    {
        return EntityAnswer::YesToAll;
    }
    [[nodiscard]] bool AskShowReport(std::string_view) override { return false; }
    [[nodiscard]] bool AskCountOtherStation(const OtherStationQuestion&) override { return true; }
    void ShowSummary(std::string_view) override {}

private:
    std::filesystem::path m_file;
};

// Counts the report lines and keeps their bytes, as a report window would, without the memory.
class CountingReport final : public ImportReport
{
public:
    void BeginReport(std::string_view) override { lines = bytes = 0; }
    void AddLine(std::string_view line) override
    {
        ++lines;
        bytes += line.size();
    }
    std::uint64_t lines = 0;
    std::uint64_t bytes = 0;
};

class MemoryOpener final : public LogSourceOpener
{
public:
    explicit MemoryOpener(std::string_view bytes)
        : m_bytes(bytes)
    {
    }
    [[nodiscard]] std::unique_ptr<AdifByteSource> Open(const std::filesystem::path&) override
    {
        return std::make_unique<AdifMemorySource>(m_bytes);
    }

private:
    std::string_view m_bytes;
};

void ReportCounters(benchmark::State& state, std::uint64_t bytes, const ImportOutcome& outcome,
                    const CountingReport& report)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
    const auto records = outcome.counters.imported + outcome.counters.skipped;
    state.SetItemsProcessed(records * static_cast<std::int64_t>(state.iterations()));
    state.counters["confirmed"] = static_cast<double>(outcome.counters.confirmed);
    state.counters["determined"] = static_cast<double>(outcome.counters.determined);
    state.counters["report_lines"] = static_cast<double>(report.lines);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ImportRunFromFile(benchmark::State& state)
{
    const LogFile& log = Log();
    if (log.Size() == 0) {
        state.SkipWithError("the log could not be written");
        return;
    }
    const CallResolver resolver(Catalogue());
    ScriptedPrompts prompts(log.Path());
    NoImportProgress progress;
    CountingReport report;
    DiskLogSourceOpener opener;
    ImportOutcome outcome;
    for (auto _ : state) {
        auto matrix = std::make_unique<ConfirmationMatrix>();
        outcome = ImportRun(resolver, *matrix, prompts, progress, report, opener).Run();
        benchmark::DoNotOptimize(matrix->ColumnSums());
    }
    ReportCounters(state, log.Size(), outcome, report);
}
BENCHMARK(BM_ImportRunFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportRunFromMemory(benchmark::State& state)
{
    AdifLogOptions options;
    options.Records = kRecords;
    options.Seed = 1;
    const std::string bytes = GenerateAdifLog(options);
    const CallResolver resolver(Catalogue());
    ScriptedPrompts prompts("memory.adi");
    NoImportProgress progress;
    CountingReport report;
    MemoryOpener opener(bytes);
    ImportOutcome outcome;
    for (auto _ : state) {
        auto matrix = std::make_unique<ConfirmationMatrix>();
        outcome = ImportRun(resolver, *matrix, prompts, progress, report, opener).Run();
        benchmark::DoNotOptimize(matrix->ColumnSums());
    }
    ReportCounters(state, bytes.size(), outcome, report);
}
BENCHMARK(BM_ImportRunFromMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

// What cat does with the same file from the page cache: read it in large blocks, nothing else.
void BM_ReadLogLikeCat(benchmark::State& state)
{
    const LogFile& log = Log();
    std::vector<char> buffer(128 * 1024);
    for (auto _ : state) {
        const int descriptor = ::open(log.Path().c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) {
            state.SkipWithError("cannot open the log");
            return;
        }
        std::uint64_t total = 0;
        for (;;) {
            const ssize_t count = ::read(descriptor, buffer.data(), buffer.size());
            if (count <= 0) {
                break;
            }
            total += static_cast<std::uint64_t>(count);
        }
        ::close(descriptor);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(log.Size() * state.iterations()));
}
BENCHMARK(BM_ReadLogLikeCat)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace wendrix::bench

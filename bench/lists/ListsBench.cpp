// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the survey list file and of the club evaluation. The evaluation of 10,000 lists runs
// over a directory generated once (kept in the temporary folder, or WENDRIX_BENCH_LIST_DIR).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "ListGenerator.h"
#include "evaluation/ClubReport.h"
#include "evaluation/ResultFile.h"
#include "evaluation/RunEvaluation.h"
#include "lists/LoadList.h"
#include "lists/SaveList.h"

namespace wendrix::bench {
namespace {

const EntityCatalogue& Catalogue()
{
    static const EntityCatalogue catalogue = BuildEntityCatalogue();
    return catalogue;
}

// The directory of `count` generated lists; generated on first use and reused afterwards.
std::filesystem::path ListDirectory(std::size_t count)
{
    std::filesystem::path directory;
    if (const char* given = std::getenv("WENDRIX_BENCH_LIST_DIR")) {
        directory = given;
    } else {
        directory = std::filesystem::temp_directory_path() /
                    ("wendrix-bench-lists-" + std::to_string(count) + "-e" +
                     std::to_string(Catalogue().EntityCount()));
    }
    const auto marker = directory / "complete.txt";
    if (!std::filesystem::exists(marker)) {
        const auto made = GenerateListDirectory(Catalogue(), directory, count, 1);
        if (made.Complete) {
            std::ofstream(marker) << made.Files << " files\n";
        }
    }
    return directory;
}

void BM_RunEvaluation(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto directory = ListDirectory(count);
    auto matrix = std::make_unique<ConfirmationMatrix>();
    auto evaluation = std::make_unique<Evaluation>();
    const BandThresholds thresholds;
    std::size_t files = 0;
    for (auto _ : state) {
        const auto run = RunEvaluation(directory, Catalogue(), thresholds, *matrix, *evaluation);
        files = run.FilesRead;
        benchmark::DoNotOptimize(run.LogLines.data());
    }
    state.counters["files"] = static_cast<double>(files);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * files));
}
BENCHMARK(BM_RunEvaluation)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResultFile(benchmark::State& state)
{
    const auto directory = ListDirectory(10000);
    auto matrix = std::make_unique<ConfirmationMatrix>();
    auto evaluation = std::make_unique<Evaluation>();
    (void)RunEvaluation(directory, Catalogue(), BandThresholds{}, *matrix, *evaluation);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatResultFile(Catalogue(), *evaluation));
    }
}
BENCHMARK(BM_ResultFile)->Unit(benchmark::kMillisecond);

// The club report of the same evaluation: its time beside BM_RunEvaluation's, and its size.
void BM_ClubReport(benchmark::State& state)
{
    const auto directory = ListDirectory(10000);
    auto matrix = std::make_unique<ConfirmationMatrix>();
    auto evaluation = std::make_unique<Evaluation>();
    const BandThresholds thresholds;
    const auto run = RunEvaluation(directory, Catalogue(), thresholds, *matrix, *evaluation);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string page = FormatClubReport({.Catalogue = Catalogue(),
                                                   .Figures = *evaluation,
                                                   .Run = run,
                                                   .Thresholds = thresholds,
                                                   .FolderName = "bench",
                                                   .Date = "2026-12-09"});
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["files"] = static_cast<double>(run.FilesRead);
}
BENCHMARK(BM_ClubReport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EntityParticipantCalls(benchmark::State& state)
{
    const auto directory = ListDirectory(10000);
    auto matrix = std::make_unique<ConfirmationMatrix>();
    auto evaluation = std::make_unique<Evaluation>();
    const BandThresholds zero = [] {
        BandThresholds thresholds;
        thresholds.minimum.fill(0);
        return thresholds;
    }();
    (void)RunEvaluation(directory, Catalogue(), zero, *matrix, *evaluation);
    for (auto _ : state) {
        benchmark::DoNotOptimize(evaluation->EntityParticipantCalls(1, 4, kModeCw));
    }
}
BENCHMARK(BM_EntityParticipantCalls)->Unit(benchmark::kMicrosecond);

void BM_ReadOneList(benchmark::State& state)
{
    auto matrix = std::make_unique<ConfirmationMatrix>();
    GenerateStation(Catalogue(), 99, *matrix);
    const std::string text = FormatList("DL1ABC", Catalogue(), *matrix);
    ListReader reader(Catalogue());
    for (auto _ : state) {
        const auto result =
            reader.ReadListBytes("DL1ABC.CFD", text, ListReadMode::Evaluation, *matrix);
        benchmark::DoNotOptimize(result.FoundCount);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadOneList);

void BM_FormatList(benchmark::State& state)
{
    auto matrix = std::make_unique<ConfirmationMatrix>();
    GenerateStation(Catalogue(), 99, *matrix);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatList("DL1ABC", Catalogue(), *matrix));
    }
}
BENCHMARK(BM_FormatList);

}  // namespace
}  // namespace wendrix::bench

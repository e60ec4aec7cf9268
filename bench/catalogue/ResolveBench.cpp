// SPDX-License-Identifier: GPL-3.0-or-later
// Call resolution speed on a corpus of real-world-shaped calls: the indexed resolver the import
// uses, and the reference scan it must agree with.
#include <benchmark/benchmark.h>

#include "catalogue/CallCorpus.h"
#include "catalogue/CallResolver.h"
#include "catalogue/ResolveCall.h"

namespace wendrix::bench {
namespace {

constexpr std::size_t kCorpusSize = 200000;

const EntityCatalogue& Catalogue()
{
    static const EntityCatalogue catalogue = BuildEntityCatalogue();
    return catalogue;
}

const std::vector<CorpusCall>& Corpus()
{
    static const std::vector<CorpusCall> corpus = MakeCallCorpus(Catalogue(), kCorpusSize, 42);
    return corpus;
}

void BM_ResolveIndexed(benchmark::State& state)
{
    const CallResolver resolver(Catalogue());
    const auto& corpus = Corpus();
    std::size_t i = 0;
    for (auto _ : state) {
        const CorpusCall& c = corpus[i];
        benchmark::DoNotOptimize(resolver.Resolve(c.Call, c.Date));
        i = i + 1 == corpus.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_ResolveIndexed);

void BM_ResolveReference(benchmark::State& state)
{
    const auto& corpus = Corpus();
    std::size_t i = 0;
    for (auto _ : state) {
        const CorpusCall& c = corpus[i];
        benchmark::DoNotOptimize(ResolveCall(Catalogue(), c.Call, c.Date));
        i = i + 1 == corpus.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_ResolveReference);

void BM_BuildCatalogue(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildEntityCatalogue());
    }
}
BENCHMARK(BM_BuildCatalogue)->Unit(benchmark::kMillisecond);

void BM_BuildResolverIndex(benchmark::State& state)
{
    for (auto _ : state) {
        const CallResolver resolver(Catalogue());
        benchmark::DoNotOptimize(&resolver);
    }
}
BENCHMARK(BM_BuildResolverIndex)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wendrix::bench

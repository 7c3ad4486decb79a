// The inflection table of a word, built from the embedded transducer when a
// learner asks for it. Budget: p99 ≤ 5 ms per table, for frequent words of
// each class and for compounds the data set has no entry for.
//
// Warm: the same analyser asked again and again, as the program and the DICT
// server keep theirs. First: the first table of a freshly loaded dictionary,
// which pays for what is computed once per transducer.
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "bench_support.hpp"
#include "core/paradigm/inflection_table.hpp"

namespace {

using namespace lomperi;

constexpr std::array<std::string_view, 6> kWords = {"talo",        "puhua",          "tehdä",
                                                    "hyvä",        "kissankello",    "tietokoneohjelmointi"};

std::uint64_t no_use(std::string_view) { return 0; }

void BM_Table(benchmark::State& state) {
    const auto& analyser = bench::embedded_dictionary().analyser;
    const std::string_view word = kWords[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(std::string(word));
    const paradigm::FormUse use = no_use;
    if (paradigm::inflection_tables(analyser, word, use).empty()) {
        state.SkipWithError("no table");
        return;
    }
    bench::Samples samples;
    for (auto _ : state) {
        samples.time([&] { benchmark::DoNotOptimize(paradigm::inflection_tables(analyser, word, use)); });
    }
    samples.report(state);
}
BENCHMARK(BM_Table)->DenseRange(0, kWords.size() - 1)->Unit(benchmark::kMillisecond);

void BM_FirstTable(benchmark::State& state) {
    const std::string_view word = kWords[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(std::string(word));
    const paradigm::FormUse use = no_use;
    bench::Samples samples;
    for (auto _ : state) {
        state.PauseTiming();
        const morphology::Dictionary dictionary = bench::load_embedded_dictionary();
        state.ResumeTiming();
        samples.time([&] { benchmark::DoNotOptimize(paradigm::inflection_tables(dictionary.analyser, word, use)); });
    }
    samples.report(state);
}
BENCHMARK(BM_FirstTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();

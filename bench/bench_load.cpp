// Start-up cost over the embedded data set: both load steps, and decoding one
// gloss record on demand.
#include <benchmark/benchmark.h>

#include "core/morphology/dictionary.hpp"
#include "embedded/embedded_data.hpp"

namespace {

using namespace lomperi;

void BM_LoadDictionary(benchmark::State& state) {
    const auto files = embedded::data_files();
    for (auto _ : state) {
        auto dict = morphology::load_dictionary(files);
        if (!dict) state.SkipWithError(dict.error().report().c_str());
        benchmark::DoNotOptimize(dict);
    }
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond);

void BM_LoadGlosses(benchmark::State& state) {
    const auto files = embedded::data_files();
    for (auto _ : state) {
        auto half = morphology::load_glosses(files[morphology::DataFile::glosses_fst], files[morphology::DataFile::glosses_bin]);
        if (!half) state.SkipWithError(half.error().report().c_str());
        benchmark::DoNotOptimize(half);
    }
}
BENCHMARK(BM_LoadGlosses)->Unit(benchmark::kMillisecond);

// With the stored headword table and multi offsets (arg 1), and listing the
// headwords from glosses.fst and walking the multi entries as for a data set
// without them (arg 0).
void BM_LoadInflections(benchmark::State& state) {
    const auto files = embedded::data_files();
    const auto gloss_half = morphology::load_glosses(files[morphology::DataFile::glosses_fst], files[morphology::DataFile::glosses_bin]);
    const Bytes headwords_bin = state.range(0) != 0 ? files[morphology::DataFile::headwords_bin] : Bytes{};
    const Bytes offsets_bin = state.range(0) != 0 ? files[morphology::DataFile::inflections_multi_offsets_bin] : Bytes{};
    for (auto _ : state) {
        auto half = morphology::load_inflections(files[morphology::DataFile::inflections_fst], files[morphology::DataFile::inflections_multi_bin], offsets_bin, headwords_bin,
                                                 gloss_half->glosses);
        if (!half) state.SkipWithError(half.error().report().c_str());
        benchmark::DoNotOptimize(half);
    }
}
BENCHMARK(BM_LoadInflections)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Every frame of the gloss body, as the interactive program decompresses
// them while it waits for input.
void BM_DecompressWholeBody(benchmark::State& state) {
    const auto files = embedded::data_files();
    for (auto _ : state) {
        auto half = morphology::load_glosses(files[morphology::DataFile::glosses_fst], files[morphology::DataFile::glosses_bin]);
        if (!half) state.SkipWithError(half.error().report().c_str());
        std::size_t frames = 0;
        while (half->gloss_store.decompress_next()) ++frames;
        benchmark::DoNotOptimize(frames);
    }
}
BENCHMARK(BM_DecompressWholeBody)->Unit(benchmark::kMillisecond);

// Looks up headwords spread over the whole key range, in a fixed order.
void BM_GlossRecord(benchmark::State& state) {
    const auto dict = morphology::load_dictionary(embedded::data_files());
    if (!dict || dict->headwords.empty()) {
        state.SkipWithError("no dictionary");
        return;
    }
    std::vector<std::string> words;
    const std::size_t step = std::max<std::size_t>(1, dict->headwords.size() / 1024);
    for (std::size_t i = 0; i < dict->headwords.size(); i += step) words.emplace_back(*dict->headwords.at(i));
    std::size_t next = 0;
    for (auto _ : state) {
        auto record = dict->gloss_record(words[next]);
        benchmark::DoNotOptimize(record);
        next = next + 1 == words.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GlossRecord);

}  // namespace

BENCHMARK_MAIN();

// Word map lookups and prefix streams: a synthetic map of about a million
// keys built at start-up, and the embedded glosses map when it opens.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/word_map/word_map.hpp"
#include "core/word_map/builder.hpp"
#include "embedded/embedded_data.hpp"

namespace {

using lomperi::Bytes;
using lomperi::word_map::WordMap;

struct Corpus {
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> keys;  // every key, ascending
    WordMap map;
};

// Word-like keys: a stem from a few syllables plus one of a set of endings,
// so that the map shares prefixes and suffixes the way word forms do.
const Corpus& synthetic() {
    static const Corpus corpus = [] {
        Corpus c;
        const char* syllables[] = {"ka", "ta", "lo", "mi", "su", "ne", "pä", "vo", "ri", "hy",
                                   "ke", "jä", "us", "an", "ho", "sy", "te", "il", "mu", "ör"};
        const char* endings[] = {"", "n", "a", "ssa", "sta", "lla", "lta", "lle", "ksi", "t", "jen", "ja", "ihin", "ssä"};
        std::mt19937_64 rng(7);
        std::set<std::string> unique;
        while (unique.size() < 1'000'000) {
            std::string stem;
            int parts = 2 + static_cast<int>(rng() % 4);
            for (int i = 0; i < parts; ++i) stem += syllables[rng() % std::size(syllables)];
            for (const char* ending : endings) unique.insert(stem + ending);
        }
        std::vector<std::string> keys(unique.begin(), unique.end());
        lomperi::word_map::WordMapBuilder builder;
        for (std::size_t i = 0; i < keys.size(); ++i) (void)builder.insert(keys[i], i * 37 % 240'000);
        c.bytes = std::move(builder).finish().value();
        c.keys = std::move(keys);
        c.map = WordMap::open(c.bytes).value();
        return c;
    }();
    return corpus;
}

std::vector<std::string> shuffled_keys(const WordMap& map, std::size_t count) {
    std::vector<std::string> keys;
    auto stream = map.stream();
    while (auto entry = stream.next()) keys.emplace_back(lomperi::as_text(entry->key));
    std::mt19937_64 rng(11);
    std::shuffle(keys.begin(), keys.end(), rng);
    if (keys.size() > count) keys.resize(count);
    return keys;
}

void run_get(benchmark::State& state, const WordMap& map, const std::vector<std::string>& keys) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.get(keys[i]));
        if (++i == keys.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

// Prefixes of one or two bytes taken from keys, each stream pulled for up to
// 100 keys as the searches do.
void run_prefix(benchmark::State& state, const WordMap& map, const std::vector<std::string>& keys, std::size_t length) {
    std::vector<std::string> prefixes;
    for (std::size_t k = 0; k < keys.size() && prefixes.size() < 4096; ++k) prefixes.push_back(keys[k].substr(0, length));
    std::size_t i = 0;
    std::int64_t pulled = 0;
    for (auto _ : state) {
        auto stream = map.prefix_stream(prefixes[i]);
        for (int n = 0; n < 100; ++n) {
            auto entry = stream.next();
            if (!entry) break;
            benchmark::DoNotOptimize(entry->value);
            ++pulled;
        }
        if (++i == prefixes.size()) i = 0;
    }
    state.SetItemsProcessed(pulled);
}

void BM_SyntheticGet(benchmark::State& state) {
    static const auto keys = shuffled_keys(synthetic().map, 1 << 16);
    run_get(state, synthetic().map, keys);
}

void BM_SyntheticPrefixStream100(benchmark::State& state) {
    static const auto keys = shuffled_keys(synthetic().map, 1 << 16);
    run_prefix(state, synthetic().map, keys, static_cast<std::size_t>(state.range(0)));
}

void BM_SyntheticFullStream(benchmark::State& state) {
    const WordMap& map = synthetic().map;
    std::int64_t pulled = 0;
    for (auto _ : state) {
        auto stream = map.stream();
        while (auto entry = stream.next()) {
            benchmark::DoNotOptimize(entry->value);
            ++pulled;
        }
    }
    state.SetItemsProcessed(pulled);
    state.counters["keys"] = static_cast<double>(map.len());
    state.counters["bytes"] = static_cast<double>(synthetic().bytes.size());
}

void BM_BuildSynthetic(benchmark::State& state) {
    const auto& keys = synthetic().keys;
    for (auto _ : state) {
        lomperi::word_map::WordMapBuilder builder;
        for (std::size_t i = 0; i < keys.size(); ++i) (void)builder.insert(keys[i], i * 37 % 240'000);
        benchmark::DoNotOptimize(std::move(builder).finish());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
}

// The embedded glosses map, when the embedded data holds one.
const WordMap* embedded_glosses() {
    static const auto map = [] {
        auto files = lomperi::embedded::data_files();
        auto opened = WordMap::open(Bytes(files[lomperi::morphology::DataFile::glosses_fst]));
        return opened ? std::optional<WordMap>(*opened) : std::nullopt;
    }();
    return map ? &*map : nullptr;
}

void BM_GlossesGet(benchmark::State& state) {
    const WordMap* map = embedded_glosses();
    if (map == nullptr || map->len() == 0) {
        state.SkipWithError("no embedded glosses map");
        return;
    }
    static const auto keys = shuffled_keys(*map, 1 << 16);
    run_get(state, *map, keys);
}

void BM_GlossesPrefixStream100(benchmark::State& state) {
    const WordMap* map = embedded_glosses();
    if (map == nullptr || map->len() == 0) {
        state.SkipWithError("no embedded glosses map");
        return;
    }
    static const auto keys = shuffled_keys(*map, 1 << 16);
    run_prefix(state, *map, keys, static_cast<std::size_t>(state.range(0)));
}

BENCHMARK(BM_SyntheticGet);
BENCHMARK(BM_SyntheticPrefixStream100)->Arg(1)->Arg(2)->Arg(4);
BENCHMARK(BM_SyntheticFullStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSynthetic)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GlossesGet);
BENCHMARK(BM_GlossesPrefixStream100)->Arg(1)->Arg(2);

}  // namespace

BENCHMARK_MAIN();

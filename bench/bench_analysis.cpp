// The analysis of a word as the program does it (the transducer walked, the
// readings read and ranked) beside libvoikko's own analysis of the same
// words, in the same program, when libvoikko is installed. Budget: half of
// libvoikko's time per word of running text.
//
// Two sets of words: the 1,000 most frequent, each once (every analysis found
// afresh), and running text, where words recur as they do in prose. The text
// is the file named by LOMPERI_BENCH_TEXT, else a Zipf-distributed stream of
// the 1,000 words (the distribution of words in running text).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "core/answer/answer.hpp"
#include "core/cli/gloss.hpp"
#include "core/reading/text_words.hpp"
#include "core/morphology/analysis.hpp"

#ifdef LOMPERI_WITH_LIBVOIKKO
#include <libvoikko/voikko.h>
#endif

namespace {

using namespace lomperi;

const std::vector<std::string>& frequent_words() {
    static const std::vector<std::string> words = bench::top_forms();
    return words;
}

std::vector<std::string> zipf_text(std::size_t count) {
    const auto& words = frequent_words();
    std::vector<double> weights;
    for (std::size_t rank = 1; rank <= words.size(); ++rank) weights.push_back(1.0 / static_cast<double>(rank));
    std::mt19937 random(2628);
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    std::vector<std::string> out;
    for (std::size_t k = 0; k < count; ++k) out.push_back(words[pick(random)]);
    return out;
}

const std::vector<std::string>& running_text() {
    static const std::vector<std::string> words = [] {
        const char* path = std::getenv("LOMPERI_BENCH_TEXT");
        if (path == nullptr) return zipf_text(100'000);
        std::vector<std::string> out;
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            for (const auto word : reading::text_words(line)) out.emplace_back(word);
        }
        return out;
    }();
    return words;
}

// Each distinct word of the running text once, shuffled: words never seen
// before, as a new text brings them.
const std::vector<std::string>& distinct_words() {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> out = running_text();
        std::ranges::sort(out);
        out.erase(std::unique(out.begin(), out.end()), out.end());
        std::shuffle(out.begin(), out.end(), std::mt19937(2628));
        return out;
    }();
    return words;
}

void per_word(benchmark::State& state, std::size_t words) {
    state.counters["us_per_word"] = benchmark::Counter(static_cast<double>(state.iterations() * words),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_AnalyseAfresh(benchmark::State& state) {
    const auto& dictionary = bench::embedded_dictionary();
    const auto& words = frequent_words();
    (void)morphology::analyse_afresh(dictionary, "talo");
    std::size_t readings = 0;
    for (auto _ : state) {
        for (const auto& word : words) readings += morphology::analyse_afresh(dictionary, word).size();
    }
    per_word(state, words.size());
    benchmark::DoNotOptimize(readings);
}

void BM_RawAnalyses(benchmark::State& state) {
    const auto& dictionary = bench::embedded_dictionary();
    const auto& words = frequent_words();
    std::size_t outputs = 0;
    for (auto _ : state) {
        for (const auto& word : words) outputs += dictionary.analyser.raw_analyses(word).size();
    }
    per_word(state, words.size());
    benchmark::DoNotOptimize(outputs);
}

void BM_AnalyseRunningText(benchmark::State& state) {
    const auto& dictionary = bench::embedded_dictionary();
    const auto& words = running_text();
    std::size_t readings = 0;
    for (auto _ : state) {
        for (const auto& word : words) readings += morphology::analyse(dictionary, word).size();
    }
    per_word(state, words.size());
    benchmark::DoNotOptimize(readings);
}

// The whole answer --gloss gives each word (the entry chosen, its record read,
// its first meaning) for words never seen before: every cache empty, the data
// set loaded afresh for each round as a new process would. Budget: no more
// than libvoikko's analysis alone of the same words (BM_LibvoikkoColdWords).
void BM_ColdAnswer(benchmark::State& state) {
    const auto& words = distinct_words();
    std::size_t found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            const morphology::Dictionary dictionary = bench::load_embedded_dictionary();
            state.ResumeTiming();
            for (const auto& word : words) {
                found += answer::answer(dictionary, word, answer::Detail::Meaning).meaning.has_value() ? 1 : 0;
            }
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    per_word(state, words.size());
    benchmark::DoNotOptimize(found);
}

BENCHMARK(BM_AnalyseAfresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColdAnswer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawAnalyses)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyseRunningText)->Unit(benchmark::kMillisecond);

#ifdef LOMPERI_WITH_LIBVOIKKO
std::size_t voikko_analyses(VoikkoHandle* handle, const std::vector<std::string>& words) {
    std::size_t analyses = 0;
    for (const auto& word : words) {
        voikko_mor_analysis** list = voikkoAnalyzeWordCstr(handle, word.c_str());
        for (voikko_mor_analysis** item = list; item && *item; ++item) ++analyses;
        voikko_free_mor_analysis(list);
    }
    return analyses;
}

void libvoikko(benchmark::State& state, const std::vector<std::string>& words) {
    const char* error = nullptr;
    VoikkoHandle* handle = voikkoInit(&error, "fi", nullptr);
    if (handle == nullptr) {
        state.SkipWithError("voikko-fi is not installed");
        return;
    }
    std::size_t analyses = 0;
    for (auto _ : state) analyses += voikko_analyses(handle, words);
    per_word(state, words.size());
    benchmark::DoNotOptimize(analyses);
    voikkoTerminate(handle);
}

void BM_Libvoikko(benchmark::State& state) { libvoikko(state, frequent_words()); }
void BM_LibvoikkoRunningText(benchmark::State& state) { libvoikko(state, running_text()); }
void BM_LibvoikkoColdWords(benchmark::State& state) { libvoikko(state, distinct_words()); }
BENCHMARK(BM_Libvoikko)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibvoikkoRunningText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibvoikkoColdWords)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();

// Suggestions for a word the program does not know, timed one word at a
// time. Budget: p99 at most 5 ms per word (thread CPU time).
//
// Two sets of words: misspellings, and random strings of letters (the most
// a walk may take: nothing near stops it early). The misspellings are the
// file named by LOMPERI_BENCH_MISSPELLINGS, one a line (the first column of
// tools/dev/suggest-accuracy --dump), else the 1,000 most frequent forms,
// each with one learner's error put in (a letter doubled or made single, a
// for ä, two letters swapped, a letter left out), kept when no longer a form.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/utf8.hpp"
#include "bench_support.hpp"
#include "core/suggest/suggester.hpp"

namespace {

using namespace lomperi;

std::u32string with_error(std::u32string word, std::size_t kind, std::mt19937& random) {
    const std::size_t at = random() % word.size();
    switch (kind % 4) {
        case 0:
            if (at > 0 && word[at] == word[at - 1]) {
                word.erase(at, 1);
            } else {
                word.insert(at, 1, word[at]);
            }
            break;
        case 1:
            for (char32_t& letter : word) {
                if (letter == U'ä' || letter == U'ö') {
                    letter = letter == U'ä' ? U'a' : U'o';
                    break;
                }
            }
            break;
        case 2:
            if (at + 1 < word.size()) std::swap(word[at], word[at + 1]);
            break;
        default:
            word.erase(at, 1);
    }
    return word;
}

std::vector<std::string> made_misspellings() {
    const auto& dictionary = bench::embedded_dictionary();
    std::mt19937 random(34);
    std::vector<std::string> out;
    std::size_t kind = 0;
    for (const auto& form : bench::top_forms(false)) {
        const std::u32string letters = to_utf32(form);
        if (letters.size() < 4) continue;
        std::string typed = to_utf8(with_error(letters, kind++, random));
        if (!dictionary.inflections.get(typed)) out.push_back(std::move(typed));
    }
    return out;
}

const std::vector<std::string>& misspellings() {
    static const std::vector<std::string> words = [] {
        const char* path = std::getenv("LOMPERI_BENCH_MISSPELLINGS");
        if (path == nullptr) return made_misspellings();
        std::vector<std::string> out;
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            line = line.substr(0, line.find('\t'));
            if (!line.empty()) out.push_back(line);
        }
        return out;
    }();
    return words;
}

// Letters of the Finnish alphabet and a hyphen, 3 to 40 of them.
const std::vector<std::string>& random_strings() {
    static const std::vector<std::string> words = [] {
        constexpr std::u32string_view kLetters = U"abcdefghijklmnopqrstuvwxyzåäö-";
        std::mt19937 random(2634);
        std::vector<std::string> out;
        for (int k = 0; k < 500; ++k) {
            std::u32string word;
            const std::size_t length = 3 + random() % (suggest::kMaxTypedLetters - 2);
            for (std::size_t i = 0; i < length; ++i) word.push_back(kLetters[random() % kLetters.size()]);
            out.push_back(to_utf8(word));
        }
        return out;
    }();
    return words;
}

void suggest_each(benchmark::State& state, const std::vector<std::string>& words) {
    const auto& dictionary = bench::embedded_dictionary();
    suggest::suggest(dictionary, "lämmitellä");  // the analyser's first word checks its file
    bench::Samples samples;
    std::size_t found = 0;
    for (auto _ : state) {
        for (const auto& word : words) {
            samples.time([&] {
                const auto suggestions = suggest::suggest(dictionary, word);
                found += suggestions.words.size();
                benchmark::DoNotOptimize(suggestions);
            });
        }
    }
    state.counters["words"] = static_cast<double>(words.size());
    state.counters["suggestions"] = static_cast<double>(found) / static_cast<double>(samples.cpu.size());
    samples.report(state);
}

void BM_SuggestMisspellings(benchmark::State& state) { suggest_each(state, misspellings()); }
void BM_SuggestRandomStrings(benchmark::State& state) { suggest_each(state, random_strings()); }

}  // namespace

BENCHMARK(BM_SuggestMisspellings)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SuggestRandomStrings)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();

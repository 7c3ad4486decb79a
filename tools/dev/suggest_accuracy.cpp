// The suggester on misspelt words, one a line on standard input: for each,
// the thread's CPU time in microseconds, whether the first suggestion is
// clearly best, and the suggestions, tab-separated. tools/dev/suggest-accuracy
// builds and runs it.
//
//   suggest_accuracy            the suggester as the program has it: the
//                               approximate search of the word map of forms
//   suggest_accuracy --edits    the same error model and ranking, the
//                               candidates made by edits of the typed word and
//                               each looked up in the word map
#include <time.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/utf8.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/suggest/suggester.hpp"
#include "embedded/embedded_data.hpp"

namespace {

using namespace lomperi;
using namespace lomperi::suggest;

double thread_cpu_us() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

std::string text_of(std::u32string_view letters) {
    std::string out;
    for (const char32_t letter : letters) append_utf8(out, letter);
    return out;
}

constexpr std::u32string_view kAlphabet = U"abcdefghijklmnopqrstuvwxyzäöå-";

using Variants = std::unordered_map<std::u32string, EditCost>;

void keep(Variants& out, std::u32string letters, EditCost cost, EditCost max) {
    if (cost > max) return;
    auto [at, fresh] = out.try_emplace(std::move(letters), cost);
    if (!fresh && cost < at->second) at->second = cost;
}

// Every word one edit from `word`, each with its cost from the error model.
void single_edits(std::u32string_view word, EditCost base, EditCost max, Variants& out) {
    const std::size_t n = word.size();
    for (std::size_t j = 0; j < n; ++j) {
        const char32_t before = j == 0 ? 0 : word[j - 1];
        std::u32string without(word);
        without.erase(j, 1);
        keep(out, std::move(without), base + cost_of(addition(word[j], before)), max);
        if (j + 1 < n && word[j] != word[j + 1]) {
            std::u32string swapped(word);
            std::swap(swapped[j], swapped[j + 1]);
            keep(out, std::move(swapped), base + cost_of(LearnerError::Swapped), max);
        }
        std::u32string letters(kAlphabet);
        if (j == 0) letters.push_back(word[0] >= U'a' && word[0] <= U'z' ? word[0] - 0x20 : word[0]);
        for (const char32_t letter : letters) {
            const auto error = replacement(word[j], letter, before);
            if (!error) continue;
            std::u32string respelt(word);
            respelt[j] = letter;
            keep(out, std::move(respelt), base + cost_of(*error), max);
        }
    }
    for (std::size_t j = 0; j <= n; ++j) {
        const char32_t before = j == 0 ? 0 : word[j - 1];
        for (const char32_t letter : kAlphabet) {
            std::u32string with(word);
            with.insert(j, 1, letter);
            keep(out, std::move(with), base + cost_of(omission(letter, before, j == n)), max);
        }
    }
}

std::vector<Candidate> edit_candidates(const morphology::Dictionary& dictionary, const std::u32string& typed) {
    const EditCost max = max_cost(typed.size());
    Variants first;
    single_edits(typed, 0, max, first);
    Variants all = first;
    for (const auto& [letters, cost] : first) single_edits(letters, cost, max, all);
    std::vector<Candidate> out;
    for (const auto& [letters, cost] : all) {
        std::string word = text_of(letters);
        const auto value = dictionary.inflections.get(word);
        if (!value) continue;
        if (auto candidate = form_candidate(dictionary, std::move(word), *value, cost)) out.push_back(std::move(*candidate));
    }
    for (auto& candidate : analysed_respellings(dictionary, typed)) out.push_back(std::move(candidate));
    return out;
}

Suggestions suggest_by_edits(const morphology::Dictionary& dictionary, std::string_view word) {
    const auto letters = typed_letters(word);
    if (!letters) return {};
    return rank_candidates(word, edit_candidates(dictionary, *letters));
}

}  // namespace

int main(int argc, char** argv) {
    const bool edits = argc > 1 && std::string_view(argv[1]) == "--edits";
    auto loaded = morphology::load_dictionary(embedded::data_files());
    if (!loaded) {
        std::fprintf(stderr, "loading the embedded data: %s\n", loaded.error().report().c_str());
        return 1;
    }
    const morphology::Dictionary& dictionary = *loaded;
    suggest::suggest(dictionary, "lämmitellä");  // the analyser's first word checks its file
    for (std::string line; std::getline(std::cin, line);) {
        const double start = thread_cpu_us();
        const Suggestions found = edits ? suggest_by_edits(dictionary, line) : suggest::suggest(dictionary, line);
        const double spent = thread_cpu_us() - start;
        std::printf("%s\t%.1f\t%d", line.c_str(), spent, found.clearly_best ? 1 : 0);
        for (const auto& s : found.words) std::printf("\t%s", s.word.c_str());
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}

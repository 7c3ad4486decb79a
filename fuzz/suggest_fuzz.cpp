// The suggester. Even bytes first: the rest is a typed word, suggested for
// from a small data set with the real analyser (voikko-fi's, from the data
// directory). Odd: the rest is lines, the first a query and the others the
// keys of a word map, searched near the query. Whatever the bytes, the work
// is bounded and every answer keeps its promises: at most five suggestions,
// each once, best first, as UTF-8; matches within the cost, cheapest first,
// each a key of the map.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/utf8.hpp"
#include "core/morphology/data_set_builder.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/suggest/suggester.hpp"
#include "core/word_map/builder.hpp"

namespace {

using namespace lomperi;

struct SmallData {
    morphology::DataSet data;
    morphology::Dictionary dictionary;
};

const SmallData& small_data() {
    static const std::vector<std::uint8_t> transducer = [] {
        std::ifstream in(LOMPERI_MOR_VFST, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }();
    static const SmallData small = [] {
        morphology::DataSetBuilder builder;
        builder.set_zstd_level(1);
        const std::pair<const char*, const char*> words[] = {
            {"kauppa", "kaupassa"}, {"kissa", "kissan"}, {"ravintola", "ravintolassa"}, {"Helsinki", "Helsingissä"},
            {"kirjoittaa", "kirjoitan"}, {"hyvä", "hyvää"}, {"tuuli", "tuulen"}, {"tulli", "tullin"}, {"talo", "talossa"},
        };
        for (const auto& [headword, form] : words) {
            builder.add_headword(headword, {{"noun", {"a meaning"}}});
            builder.add_form(headword, headword);
            builder.add_form(form, headword);
        }
        builder.set_analyser(transducer);
        auto data = builder.build();
        if (!data) std::abort();
        auto dictionary = morphology::load_dictionary(data->files());
        if (!dictionary) std::abort();
        return SmallData{std::move(*data), std::move(*dictionary)};
    }();
    return small;
}

void check_suggestions(std::string_view typed) {
    const auto found = suggest::suggest(small_data().dictionary, typed);
    if (found.words.size() > suggest::kMaxSuggestions) std::abort();
    if (found.clearly_best && found.words.empty()) std::abort();
    for (std::size_t i = 0; i < found.words.size(); ++i) {
        const auto& s = found.words[i];
        if (s.word == typed || !is_utf8(s.word) || s.headword.empty()) std::abort();
        if (s.cost > suggest::kMaxSuggestionCost) std::abort();
        if (i > 0 && (found.words[i - 1].score > s.score || found.words[i - 1].word == s.word)) std::abort();
    }
}

void check_search(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty() && lines.size() < 64) {
        const auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    if (lines.empty()) return;
    const auto query = suggest::typed_letters(lines[0]);
    if (!query) return;
    std::vector<std::pair<std::string, std::uint64_t>> keys;
    for (std::size_t i = 1; i < lines.size(); ++i) keys.emplace_back(std::string(lines[i]), i);
    std::ranges::sort(keys);
    keys.erase(std::unique(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
               keys.end());
    const auto bytes = word_map::build_word_map(keys);
    if (!bytes) return;
    const auto map = word_map::WordMap::open(*bytes);
    if (!map) std::abort();
    const suggest::LearnerCosts costs(*query);
    const word_map::ApproximateLimits limits{suggest::kMaxSuggestionCost, 8, 2'000};
    const auto found = word_map::approximate_search(*map, *query, costs, limits);
    if (found.steps > limits.max_steps || found.matches.size() > limits.max_matches) std::abort();
    for (std::size_t i = 0; i < found.matches.size(); ++i) {
        const auto& m = found.matches[i];
        if (m.cost > limits.max_cost || !is_utf8(m.key) || map->get(m.key) != m.value) std::abort();
        if (i > 0 && found.matches[i - 1].cost > m.cost) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] % 2 == 0) {
        check_suggestions(rest);
    } else {
        check_search(rest);
    }
    return 0;
}

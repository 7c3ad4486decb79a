#include "core/suggest/ranking.hpp"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "base/utf8.hpp"
#include "core/morphology/inflection_lookup.hpp"

namespace lomperi::suggest {
namespace {

// A base's rank on a log scale: the most used words are told apart by a
// fraction of a cheap error, and an unranked base ranks after every ranked
// one.
constexpr double kRarityPerDoubling = 4.0;
constexpr std::uint32_t kUnrankedRarity = 60;
// A form with an entry of its own is a dictionary's word or one of the most
// frequent forms: more likely meant than another form of its base.
constexpr std::uint32_t kWithoutOwnEntry = 15;

std::u32string folded(std::string_view word) {
    std::u32string out;
    for (const CodePoint& letter : code_points(word)) out.push_back(fold_case(letter.value));
    return out;
}

// The first suggestion stands out when the next scores this much more: more
// than any one cheap error, so that a word is not shown as the answer when a
// single learner's error tells it from another.
constexpr std::uint32_t kClearMargin = 60;

// Whether the first leads to the entry meant: no suggestion of another
// headword comes near it. Forms of the same word (ravintola, ravintolaa)
// agree on the entry whatever their scores.
bool stands_out(const std::vector<Suggestion>& words) {
    if (words.empty()) return false;
    for (std::size_t k = 1; k < words.size(); ++k) {
        if (words[k].headword == words[0].headword) continue;
        return words[k].score >= words[0].score + kClearMargin;
    }
    return true;
}

}  // namespace

std::optional<Candidate> form_candidate(const morphology::Dictionary& dictionary, std::string word, std::uint64_t value,
                                        EditCost cost) {
    const auto bases = morphology::resolve_bases(dictionary, value);
    if (!bases || bases->empty()) return std::nullopt;
    const bool own_entry = dictionary.glosses.get(word).has_value();
    Candidate candidate{std::move(word), cost, std::string(bases->front()), format::kUnranked, own_entry};
    for (const std::string_view base : *bases) {
        const auto id = morphology::base_id(dictionary, base);
        const std::uint16_t rank = id ? dictionary.ranks.rank(*id) : format::kUnranked;
        if (rank < candidate.rank) {
            candidate.rank = rank;
            candidate.headword = std::string(base);
        }
    }
    return candidate;
}

std::uint32_t rarity(const Candidate& candidate) {
    const std::uint32_t form = candidate.own_entry ? 0 : kWithoutOwnEntry;
    if (candidate.rank == format::kUnranked) return form + kUnrankedRarity;
    return form + static_cast<std::uint32_t>(std::lround(kRarityPerDoubling * std::log2(candidate.rank + 2.0)));
}

Suggestions rank_candidates(std::string_view typed, std::vector<Candidate> candidates) {
    std::vector<Suggestion> ranked;
    ranked.reserve(candidates.size());
    for (auto& candidate : candidates) {
        if (candidate.word == typed) continue;
        const std::uint32_t score = std::uint32_t{candidate.cost} + rarity(candidate);
        ranked.push_back({std::move(candidate.word), std::move(candidate.headword), candidate.cost, score});
    }
    std::ranges::sort(ranked, [](const Suggestion& a, const Suggestion& b) {
        return std::tie(a.score, a.cost, a.word) < std::tie(b.score, b.cost, b.word);
    });
    Suggestions out;
    std::vector<std::u32string> taken;
    for (auto& suggestion : ranked) {
        if (out.words.size() == kMaxSuggestions) break;
        std::u32string word = folded(suggestion.word);
        if (std::ranges::find(taken, word) != taken.end()) continue;
        taken.push_back(std::move(word));
        out.words.push_back(std::move(suggestion));
    }
    out.clearly_best = stands_out(out.words);
    return out;
}

}  // namespace lomperi::suggest

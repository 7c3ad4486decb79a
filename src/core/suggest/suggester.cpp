#include "core/suggest/suggester.hpp"

#include "base/utf8.hpp"
#include "core/morphology/analysis.hpp"
#include "core/word_map/approximate_search.hpp"

namespace lomperi::suggest {
namespace {

// Enough near words to rank, and a walk that stays within a few
// milliseconds on the data set's 20 million forms: the walks of learners'
// misspellings took at most 14 000 steps, a 40-letter word's about 11 000.
constexpr std::size_t kMaxCandidates = 64;
constexpr std::size_t kMaxSteps = 30'000;
// Respellings the analyser reads, at most, beyond the word map's forms:
// those of one cheap error.
constexpr std::size_t kMaxAnalysed = 80;
constexpr EditCost kMaxAnalysedCost = 50;

// A reading that reaches an entry, as a candidate: its lemma's entry, or
// for a compound or a derived word whose every part has an entry, its last
// part's ("liukuvärihakupolkuun": polku, "vastusteli": vastustaa). Such a
// word is ranked as rare: the analyser reads almost any respelling of a
// compound as another compound.
std::optional<Candidate> reading_candidate(const morphology::Dictionary& dictionary, const analysis::Reading& reading) {
    Candidate candidate;
    if (morphology::has_entry(dictionary, reading)) {
        candidate.headword = reading.lemma;
        if (const auto id = morphology::base_id(dictionary, reading.lemma)) candidate.rank = dictionary.ranks.rank(*id);
        return candidate;
    }
    if (reading.parts.empty()) return std::nullopt;
    for (const auto& part : reading.parts) {
        if (!dictionary.glosses.get(part.lemma)) return std::nullopt;
    }
    candidate.headword = reading.parts.back().lemma;
    return candidate;
}

void add_forms(const morphology::Dictionary& dictionary, const LearnerCosts& costs, std::vector<Candidate>& out) {
    const word_map::ApproximateLimits limits{max_cost(costs.typed().size()), kMaxCandidates, kMaxSteps};
    auto found = word_map::approximate_search(dictionary.inflections, costs.typed(), costs, limits);
    for (auto& match : found.matches) {
        if (auto candidate = form_candidate(dictionary, std::move(match.key), match.value, match.cost)) {
            out.push_back(std::move(*candidate));
        }
    }
}

}  // namespace

std::vector<Candidate> analysed_respellings(const morphology::Dictionary& dictionary, std::u32string_view typed) {
    std::vector<Candidate> out;
    if (!dictionary.analyser.available()) return out;
    std::size_t analysed = 0;
    for (const auto& respelling : cheap_respellings(typed, kMaxAnalysedCost)) {
        if (analysed == kMaxAnalysed) break;
        std::string word = to_utf8(respelling.letters);
        if (dictionary.inflections.get(word)) continue;  // a key: the search meets it
        ++analysed;
        for (const auto& reading : morphology::analyse(dictionary, word)) {
            auto candidate = reading_candidate(dictionary, reading);
            if (!candidate) continue;
            candidate->word = std::move(word);
            candidate->cost = respelling.cost;
            out.push_back(std::move(*candidate));
            break;
        }
    }
    return out;
}

std::optional<std::u32string> typed_letters(std::string_view typed) {
    std::u32string out;
    for (const CodePoint& letter : code_points(typed)) {
        if (!letter.valid() || out.size() == kMaxTypedLetters) return std::nullopt;
        out.push_back(letter.value);
    }
    if (out.size() < 2) return std::nullopt;
    return out;
}

EditCost max_cost(std::size_t letters) {
    if (letters <= 3) return kPlainEdit;
    if (letters <= 5) return kPlainEdit + kPlainEdit / 2;
    return kMaxSuggestionCost;
}

Suggestions suggest(const morphology::Dictionary& dictionary, std::string_view typed) {
    const auto letters = typed_letters(typed);
    if (!letters) return {};
    const LearnerCosts costs(*letters);
    std::vector<Candidate> candidates;
    add_forms(dictionary, costs, candidates);
    for (auto& candidate : analysed_respellings(dictionary, *letters)) candidates.push_back(std::move(candidate));
    return rank_candidates(typed, std::move(candidates));
}

}  // namespace lomperi::suggest

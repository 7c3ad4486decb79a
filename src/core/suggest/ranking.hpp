#pragma once
// The order of suggestions: the errors a word needs to become what was
// typed, and how rare it is.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/dictionary.hpp"
#include "core/suggest/error_model.hpp"
#include "format/headword_ranks.hpp"

namespace lomperi::suggest {

inline constexpr std::size_t kMaxSuggestions = 5;

// A word that may have been meant, before it is ranked.
struct Candidate {
    std::string word;
    EditCost cost = 0;
    std::string headword;  // its base that is used most
    std::uint16_t rank = format::kUnranked;  // that base's rank
    bool own_entry = false;  // the word is a headword: a dictionary's word or a frequent form
};

struct Suggestion {
    std::string word;         // the spelling meant, as a form ("kaupassa"), not its base
    std::string headword;     // the entry it leads to ("kauppa")
    EditCost cost = 0;        // of the errors that turn it into what was typed
    std::uint32_t score = 0;  // the errors and how rare the word is; the lowest first
    friend bool operator==(const Suggestion&, const Suggestion&) = default;
};

struct Suggestions {
    std::vector<Suggestion> words;  // best first, at most kMaxSuggestions
    // The first stands out from the rest: it may be shown as the answer
    // (its entry below the list), marked as a guess.
    bool clearly_best = false;
};

// A key of the word map of forms with its value, as a candidate: its base
// used most. Nothing when the value names no headword.
std::optional<Candidate> form_candidate(const morphology::Dictionary& dictionary, std::string word, std::uint64_t value,
                                        EditCost cost);

// How rare a candidate is, in the units of error costs.
std::uint32_t rarity(const Candidate& candidate);

// The candidates best first, each word once (in either case of its letters:
// the best-scored spelling), `typed` itself left out.
Suggestions rank_candidates(std::string_view typed, std::vector<Candidate> candidates);

}  // namespace lomperi::suggest

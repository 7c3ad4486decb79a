#pragma once
// "Did you mean": for a word that reaches no entry, the nearest words the
// program knows, ranked by how likely a learner's errors turn them into what
// was typed and by how common they are.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/dictionary.hpp"
#include "core/suggest/ranking.hpp"

namespace lomperi::suggest {

inline constexpr std::size_t kMaxTypedLetters = 40;

// The nearest words to `typed` that reach an entry: keys of the word map of
// forms (every headword is one), and spellings one cheap error away that
// the analyser reads as a word with an entry. None for text that is not
// UTF-8, or is longer than kMaxTypedLetters letters or shorter than two.
// The work is bounded: a cost of at most kMaxSuggestionCost, a cap on the
// steps of the search and on the words the analyser reads (about 1 ms a
// word, at most a few). Meant for a word that has neither a reading nor an
// entry; for any other the word itself is left out of its neighbours.
// Threads may call it at once.
Suggestions suggest(const morphology::Dictionary& dictionary, std::string_view typed);

// Spellings one cheap error from `typed` that the word map does not hold
// and the analyser reads as a word with an entry: compounds, forms with two
// endings. At most 80 are read.
std::vector<Candidate> analysed_respellings(const morphology::Dictionary& dictionary, std::u32string_view typed);

// The letters of `typed`, when it is UTF-8 of two to kMaxTypedLetters letters.
std::optional<std::u32string> typed_letters(std::string_view typed);

// The most an error may cost for a word of so many letters: a short word
// has many neighbours one edit away.
EditCost max_cost(std::size_t letters);

}  // namespace lomperi::suggest

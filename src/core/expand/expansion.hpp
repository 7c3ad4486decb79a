#pragma once
// Inline expansions: the entries of words that a meaning mentions.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/expand/meaning_scan.hpp"
#include "core/morphology/dictionary.hpp"
#include "format/gloss.hpp"

namespace lomperi::expand {

inline constexpr std::size_t kMaxExpansions = 3;
inline constexpr std::size_t kCandidatesPerPhrase = 2;
inline constexpr std::uint8_t kMaxDepth = 2;

struct Expansion {
    std::string phrase;  // as formed, lower case
    format::GlossRecord record;
    std::vector<std::vector<Expansion>> children;  // one list per group of record; none at depth 2
    std::optional<std::string> base;               // present when found as a form of another headword
    friend bool operator==(const Expansion&, const Expansion&) = default;
};

// At most three expansions for the phrases of a meaning, longest phrases
// first, skipping what `visited` holds and adding what is expanded to it.
std::vector<Expansion> expand_meaning(MeaningScan& scan, std::uint8_t depth, Visited& visited);
std::vector<Expansion> expand_meaning(const morphology::Dictionary& dictionary, std::string_view meaning,
                                      std::uint8_t depth, Visited& visited);

}  // namespace lomperi::expand

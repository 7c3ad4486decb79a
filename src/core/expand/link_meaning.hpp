#pragma once
// The words of a meaning that can be clicked to look them up.
#include <string_view>
#include <vector>

#include "core/expand/link_span.hpp"
#include "core/expand/phrase_window.hpp"
#include "core/morphology/dictionary.hpp"

namespace lomperi::expand {

// Link spans for the phrases of `meaning` that lead to an entry with at least
// one group, longest phrases first, in text order and never overlapping.
// Phrases in `excluded` (the entry's own headword) are not linked. A span
// leaves out the punctuation at the outer ends of its phrase.
std::vector<LinkSpan> link_meaning(MeaningScan& scan, const Visited& excluded);
std::vector<LinkSpan> link_meaning(const morphology::Dictionary& dictionary, std::string_view meaning,
                                   const Visited& excluded);

}  // namespace lomperi::expand

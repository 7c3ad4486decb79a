#pragma once
// Which of a word's readings comes first. voikko gives them unordered; the
// order is a list of keys, each compared only where those before it tie:
//
//   1. a lemma with an entry before one without
//   2. a common word's reading before a name's, unless written with a capital
//   3. fewer compound parts, then fewer derivations (none counted for a
//      derived word with an entry of its own: "valinta")
//   4. the particle or pronoun written so, as it stands ("jälkeen": after)
//   5. how rare the form is: a rare case, a possessive suffix, a form not in
//      use (voida's "voimassa"), and one point each for being spelt like a
//      commoner form of the same word (the twins: "voi" present, "ollut"
//      active, "seitsemän" nominative) or like a word used about as much
//      whose form is likelier (the neighbours in a list: "tapa" the noun,
//      "vaaleissa" the noun, "vastaa" the verb)
//   6. the lemma whose forms are used more (every pronoun first)
//   7. the analyser's order
#include <string_view>
#include <vector>

#include "core/analysis/reading.hpp"
#include "core/morphology/dictionary.hpp"

namespace lomperi::morphology {

// The readings of `word` in that order.
std::vector<analysis::Reading> in_reading_order(const Dictionary& dictionary, std::string_view word,
                                                std::vector<analysis::Reading> readings);

}  // namespace lomperi::morphology

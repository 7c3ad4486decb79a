#pragma once
// The English side: telling English words, and finding Finnish headwords by
// the English words of their meanings.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/dictionary.hpp"

namespace lomperi::morphology {

struct EnglishMatch {
    std::string headword;
    std::string meaning;  // the meaning that holds the English word
    friend bool operator==(const EnglishMatch&, const EnglishMatch&) = default;
};


// The Finnish headwords whose meanings hold an English word or phrase that
// begins with `prefix` (lower-cased): those of the whole word first (also
// without a leading "to", "a", "an" or "the"), then in key order, best first
// within a key; each headword once, at most `limit`.
std::vector<EnglishMatch> search_english(const Dictionary& dictionary, std::string_view prefix, std::size_t limit);

// The ranked headwords of exactly `word` (also without a leading "to", "a",
// "an" or "the"). Nothing when a read met damaged bytes (a DamageWatch tells).
std::vector<EnglishMatch> exact_english_translations(const Dictionary& dictionary, std::string_view word,
                                                     std::size_t limit);

// The exact translations; the prefix search when there are none, and no
// read met damage.
std::vector<EnglishMatch> english_translations(const Dictionary& dictionary, std::string_view word, std::size_t limit);

}  // namespace lomperi::morphology

#pragma once
// A line of text with two lines under it, aligned word by word: each word
// cut into its morphs, and a short English gloss of each morph.
//
//   Talossamme     on       kissa.
//   talo-ssa-mme   o-n      kissa
//   house-in-our   be-3sg   cat
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/analysis/reading.hpp"
#include "core/morphology/dictionary.hpp"

namespace lomperi::cli {

// The cut and the gloss of one word by its best reading: "talo-ssa-mme",
// "house-in-our". A reading whose morphs do not spell the word gives the
// word whole, glossed by its lemma and labels. A word without a reading is
// glossed whole by `meaning`, the first meaning of its entry, when it has
// one (a word the analyser does not know, or a data set without it), else "?".
struct InterlinearWord {
    std::string cut;
    std::string gloss;
};
InterlinearWord interlinear_word(const morphology::Dictionary& dictionary, std::string_view word,
                                 std::span<const analysis::Reading> readings, std::string_view meaning = {});

// The three lines of each run of words that fits `width` (a word wider
// than that stands alone), every line ending in a line feed, and an empty
// line after them. `word_of` gives a word's cut and gloss; a token of
// punctuation only has none. Each word of running text has its own column,
// also those a control character splits ("ki<ESC>ssa" is two).
std::string interlinear_lines(std::string_view line, std::size_t width,
                              const std::function<InterlinearWord(std::string_view word)>& word_of);

}  // namespace lomperi::cli

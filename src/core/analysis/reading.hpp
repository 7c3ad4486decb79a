#pragma once
// A reading of a word: which word it is a form of, and which form, in
// codes (form.hpp): the word's attributes, and the word cut into its
// morphs, each with the codes of what it adds ("talo|issa|mme|kin":
// inessive plural, our, also).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/form.hpp"

namespace lomperi::analysis {

// A part of a compound or a derived word: its letters and the word it is.
struct ReadingPart {
    std::string text;
    std::string lemma;
    // The root of a derived verb the part is read as ("parata" of parantaa,
    // whose participle "parannettu" is), for a dictionary without that verb.
    std::string root = {};
    friend bool operator==(const ReadingPart&, const ReadingPart&) = default;
};

// A morph of the word: its letters and what it adds; the stem adds nothing
// a learner is told (has_cue).
struct Morph {
    std::string text;
    Form form;
    std::size_t part = 0;  // the compound part it belongs to
    friend bool operator==(const Morph&, const Morph&) = default;
};

struct Reading {
    std::string lemma;
    Form form;
    std::vector<ReadingPart> parts;  // two or more for a compound; the derived word and its suffix
    std::vector<Morph> morphs;       // the word, cut
    std::size_t compound_parts = 1;
    std::size_t derivations = 0;
    // Not the analyser's: a word it does not read, told by what it looks like
    // (answer/unknown_words.hpp).
    bool guessed = false;
    friend bool operator==(const Reading&, const Reading&) = default;
};

// The readings of a word from its raw analyses, in the transducer's order,
// each once. An untagged clitic (-hAn, -pA, -pAs, -s) is told by reading the
// word without it: `without_clitic` gives the raw analyses of a shorter word.
using RawAnalyses = std::vector<std::string>;
std::vector<Reading> readings_of(std::string_view word, const RawAnalyses& raw,
                                 const std::function<RawAnalyses(std::string_view)>& without_clitic);

// Whether the reading is the basic form of its word (nothing added to the stem).
bool is_basic_form(const Reading& reading);

}  // namespace lomperi::analysis

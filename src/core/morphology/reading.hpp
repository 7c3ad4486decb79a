#pragma once
// A reading of a word: which word it is a form of, and which form, told as
// a learner reads it: the word cut into its morphs, each with a short label
// ("-issa in (plural)", "-mme our", "-kin also").
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::morphology {

// A part of a compound or a derived word: its letters and the word it is.
struct ReadingPart {
    std::string text;
    std::string lemma;
    friend bool operator==(const ReadingPart&, const ReadingPart&) = default;
};

// A morph of the word: its letters and what it adds; the stem has no label.
struct Morph {
    std::string text;
    std::string label;
    std::size_t part = 0;  // the compound part it belongs to
    friend bool operator==(const Morph&, const Morph&) = default;
};

// Values are lower-case English, empty where they do not apply.
struct Reading {
    std::string lemma;
    std::string word_class;        // noun, adjective, verb, ... given name, place name, prefix
    std::string grammatical_case;  // nominative, genitive, ... accusative; "-sti adverb" for -sti
    std::string number;            // singular, plural
    std::string person;            // 1, 2, 3, passive
    std::string mood;              // indicative, conditional, imperative, potential
    std::string tense;             // present, past
    std::string infinitive;        // a, e, ma, minen, mainen
    std::string participle;        // present active ... negative
    std::string comparison;        // comparative, superlative
    std::string possessive;        // 1sg, 2sg, 1pl, 2pl, 3
    std::vector<std::string> clitics;  // kin, kaan, ko, han, pa, pas, s
    std::optional<bool> negative;
    std::vector<ReadingPart> parts;  // two or more for a compound; the derived word and its suffix
    std::vector<Morph> morphs;       // the word, cut
    std::size_t compound_parts = 1;
    std::size_t derivations = 0;
    friend bool operator==(const Reading&, const Reading&) = default;
};

// The readings of a word from its raw analyses, in the transducer's order,
// each once. An untagged clitic (-hAn, -pA, -pAs, -s) is told by reading the
// word without it: `without_clitic` gives the raw analyses of a shorter word.
using RawAnalyses = std::vector<std::string>;
std::vector<Reading> readings_of(std::string_view word, const RawAnalyses& raw,
                                 const std::function<RawAnalyses(std::string_view)>& without_clitic);

// The form told in a few words: "inessive plural, our, also"; "past, 3rd
// person singular"; "basic form".
std::string form_labels(const Reading& reading);

// Whether the reading is the basic form of its word (nothing added to the stem).
bool is_basic_form(const Reading& reading);

}  // namespace lomperi::morphology

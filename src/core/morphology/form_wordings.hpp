#pragma once
// The wordings of machine-made meanings that name Finnish words, written by
// the data build and by the compound look-up, and read by the entry
// expansion, which takes the words they name for Finnish even where they
// are English words too.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::morphology {

// "{what} of {word}": "inessive singular of talo".
std::string form_of_meaning(std::string_view what, std::string_view word);

// Such a meaning read back: "inessive singular of talo with the clitic
// -kin" names the form "inessive singular" of the word "talo", then its
// suffixes. The word is the one after the last "of", up to its suffixes
// (" with the ..."), or without an "of" the one before them ("silmä with
// the first-person singular possessive suffix"); nothing when that is no
// single word.
struct FormOfMeaning {
    std::string_view form;
    std::string_view word;
    std::string_view suffixes;  // " with the clitic -kin", or empty
};
std::optional<FormOfMeaning> read_form_of_meaning(std::string_view meaning);

// Whether a meaning only names the form the word is of another, in the
// wording of the form labels ("inessive singular of talo", "silmä with the
// first-person singular possessive suffix"), not an English meaning that
// reads alike ("file (collection of papers)", "type of dog").
bool names_a_form(std::string_view meaning);

// "compound of tekijänoikeus + ehto"
std::string compound_meaning(std::span<const std::string> parts);

// The parts of a compound no list holds: "tekijänoikeus, a part of the
// compound", or for an inflected part "ehdot, a form of ehto".
std::string compound_part_meaning(std::string_view text);
std::string part_form_meaning(std::string_view text, std::string_view headword);

// The headwords a compound's meaning names, read back from either wording:
// "compound of kuva + ikkuna" names both; "ylä, a form of ylä-" names its
// part's headword, "palkki, a part of the compound" the part itself.
std::vector<std::string_view> read_compound_meaning(std::string_view meaning);

// For each word of a meaning, whether one of these wordings puts a Finnish
// word there: after "of", beside "+", or before ", a form of" and ", a part of".
std::vector<bool> finnish_word_slots(std::span<const std::string_view> words);

}  // namespace lomperi::morphology

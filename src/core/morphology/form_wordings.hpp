#pragma once
// The wordings of machine-made meanings that name Finnish words, written by
// the data build and by the compound look-up, and read by the entry
// expansion, which takes the words they name for Finnish even where they
// are English words too.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::morphology {

// "{what} of {word}": "inessive singular of talo".
std::string form_of_meaning(std::string_view what, std::string_view word);

// "compound of tekijänoikeus + ehto"
std::string compound_meaning(std::span<const std::string> parts);

// The parts of a compound no list holds: "tekijänoikeus, a part of the
// compound", or for an inflected part "ehdot, a form of ehto".
std::string compound_part_meaning(std::string_view text);
std::string part_form_meaning(std::string_view text, std::string_view headword);

// For each word of a meaning, whether one of these wordings puts a Finnish
// word there: after "of", beside "+", or before ", a form of" and ", a part of".
std::vector<bool> finnish_word_slots(std::span<const std::string_view> words);

}  // namespace lomperi::morphology

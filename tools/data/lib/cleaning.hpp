#pragma once
// Cleaning of the dictionary texts: wiki markup left in by the conversion,
// list splitting, and the Finnish keys taken from the English-Finnish side.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::data_build {

// "[[a|b]]" -> "b", "[[a]]" -> "a", "{{...}}" and stray braces removed,
// "word#Englanti" -> "word"; spaces collapsed.
std::string strip_wiki_markup(std::string_view text);

// Splits a translation line at the commas outside brackets; items trimmed,
// empty ones dropped.
std::vector<std::string> split_items(std::string_view line);

// A Finnish translation made usable as a headword: markup removed, qualifiers
// in parentheses dropped when they stand as words ("(filmin) kehittäjä" ->
// "kehittäjä"); nothing when what is left is not a plain word or phrase.
std::optional<std::string> clean_finnish_key(std::string_view item);

// A meaning text of the Finnish-English side.
std::string clean_meaning(std::string_view text);

// The meaning an English headword gives to each of its Finnish translations:
// "english (description; description)".
std::string inverted_meaning(std::string_view english, const std::vector<std::string>& descriptions);

}  // namespace lomperi::data_build

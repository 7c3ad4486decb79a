#pragma once
// Part-of-speech names of the data set, from the sources' own labels and
// from the analyser's word classes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::data_build {

// The name for a dictd label ("n" -> "noun"); a record without a label is a
// phrase. Unknown labels are kept as they are.
std::string pos_from_label(std::string_view label);

// The name for an analyser word class ("teonsana" -> "verb"), if it has one.
std::optional<std::string> pos_from_word_class(std::string_view word_class);

// Every name in the order of the glosses.bin name table; the ones not used
// are left out by the caller.
const std::vector<std::string>& canonical_pos_order();

}  // namespace lomperi::data_build

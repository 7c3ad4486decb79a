#pragma once
// The words of running text: split at spaces and at control characters,
// with the punctuation around each word stripped ("(talossa)," is "talossa").
// The reading pane and --gloss read a text by this one rule.
#include <string_view>
#include <vector>

namespace lomperi::reading {

// Views into `line`.
std::vector<std::string_view> text_words(std::string_view line);

}  // namespace lomperi::reading

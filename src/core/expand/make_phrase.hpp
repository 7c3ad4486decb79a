#pragma once
// Lookup keys formed from consecutive words of a meaning.
#include <span>
#include <string>
#include <string_view>

namespace lomperi::expand {

// The words joined by single spaces, outer marks stripped from the ends of
// the run only, then lower-cased.
std::string make_phrase(std::span<const std::string_view> words);

}  // namespace lomperi::expand

#pragma once
// Lookup keys formed from consecutive words of a meaning.
#include <span>
#include <string>
#include <string_view>

namespace lomperi::expand {

// The words joined by single spaces, punctuation stripped from the outer ends
// of the run only, then lower-cased with full Unicode case mapping.
std::string make_phrase(std::span<const std::string_view> words);

// Full Unicode lower-casing in the root locale (final sigma included).
std::string lower_case(std::string_view text);

}  // namespace lomperi::expand

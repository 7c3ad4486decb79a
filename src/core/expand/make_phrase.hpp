#pragma once
// Lookup keys formed from consecutive words of a meaning.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace lomperi::expand {

inline constexpr std::string_view kPunctuation = ".,;:!?\"'()[]";

inline bool is_punctuation(char c) { return kPunctuation.find(c) != std::string_view::npos; }

// Bytes of punctuation at the start of `word`.
inline std::size_t leading_punctuation(std::string_view word) {
    std::size_t n = 0;
    while (n < word.size() && is_punctuation(word[n])) ++n;
    return n;
}

// Bytes of punctuation at the end of `word`.
inline std::size_t trailing_punctuation(std::string_view word) {
    std::size_t n = 0;
    while (n < word.size() && is_punctuation(word[word.size() - 1 - n])) ++n;
    return n;
}

// The words joined by single spaces, punctuation stripped from the outer ends
// of the run only, then lower-cased with full Unicode case mapping.
std::string make_phrase(std::span<const std::string_view> words);

// Full Unicode lower-casing in the root locale (final sigma included).
std::string lower_case(std::string_view text);

}  // namespace lomperi::expand

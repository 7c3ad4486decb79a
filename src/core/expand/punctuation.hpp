#pragma once
// The characters stripped from the outer ends of words before a lookup.
// All twelve are ASCII, so a byte count is also a character count.
#include <cstddef>
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

}  // namespace lomperi::expand

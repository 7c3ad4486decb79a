#pragma once
// The punctuation that stands around a word rather than in it: what is
// stripped from a word of a text, from the edges of a phrase of a meaning and
// from an English key. One set for all of them.
#include <cstddef>
#include <string_view>

namespace lomperi {

// Full stops, commas, colons, brackets, straight and typographic quotes,
// dashes and the ellipsis.
bool is_outer_mark(char32_t ch);

// Bytes of outer marks at the start and at the end of `word`.
std::size_t leading_marks(std::string_view word);
std::size_t trailing_marks(std::string_view word);

// The word without the outer marks at either end.
std::string_view strip_outer_marks(std::string_view word);

}  // namespace lomperi

#pragma once
#include <cstdint>

namespace lomperi::term {

// The cells a terminal gives a character: 0 for combining and format
// characters (drawn over the character before them), 2 for East Asian wide
// and fullwidth ones, 1 for the rest.
std::uint8_t char_width(char32_t ch);

}  // namespace lomperi::term

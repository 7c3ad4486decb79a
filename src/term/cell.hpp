#pragma once
#include "term/style.hpp"

namespace lomperi::term {

// Drawn in place of anything that must not reach the terminal as is.
inline constexpr char32_t kReplacementChar = U'\uFFFD';

// Whether a code point may be written to the terminal: C0 controls, DEL,
// C1 controls, surrogates and values beyond Unicode could start or break
// escape sequences, so they never are.
constexpr bool is_displayable(char32_t ch) {
    if (ch < 0x20 || (ch >= 0x7f && ch < 0xa0)) return false;
    if (ch >= 0xd800 && ch < 0xe000) return false;
    return ch <= 0x10ffff;
}

constexpr char32_t displayable(char32_t ch) { return is_displayable(ch) ? ch : kReplacementChar; }

// One screen cell: one code point and its resolved style (foreground and the
// attributes in `add`; `remove` is always empty in a cell).
struct Cell {
    char32_t ch = U' ';
    Style style;

    friend bool operator==(const Cell&, const Cell&) = default;
};

}  // namespace lomperi::term

#pragma once
// Display width: the cells a terminal gives text. The one width of the
// program: the buffer places characters by it, and wrapping, titles, list
// gutters and link regions measure by it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lomperi::term {

// Drawn in place of anything that must not reach the terminal as is.
inline constexpr char32_t kReplacementChar = U'\uFFFD';

// Whether a code point may be written to the terminal: C0 controls, DEL,
// C1 controls, surrogates and values beyond Unicode could start or break
// escape sequences, and bidirectional controls reorder the screen, so they
// never are.
constexpr bool is_displayable(char32_t ch) {
    if (ch < 0x20 || (ch >= 0x7f && ch < 0xa0)) return false;
    if (ch >= 0xd800 && ch < 0xe000) return false;
    // Bidirectional controls would reorder what the terminal shows after them.
    if (ch == 0x200e || ch == 0x200f || (ch >= 0x202a && ch <= 0x202e) || (ch >= 0x2066 && ch <= 0x2069)) return false;
    return ch <= 0x10ffff;
}

constexpr char32_t displayable(char32_t ch) { return is_displayable(ch) ? ch : kReplacementChar; }

// The cells a terminal gives a character: 0 for combining and format
// characters (drawn over the character before them), 2 for East Asian wide
// and fullwidth ones, 1 for the rest.
std::uint8_t char_width(char32_t ch);

// The cells `text` takes when the buffer draws it: what cannot be shown
// (control characters, bytes that are not UTF-8) as one replacement cell each.
std::size_t display_width(std::string_view text);

// The bytes of the longest start of `text` that fits into `cells`.
std::size_t display_prefix(std::string_view text, std::size_t cells);

// Where the longest end of `text` that fits into `cells` begins.
std::size_t display_suffix_start(std::string_view text, std::size_t cells);

// Text from the input or the data made safe for a terminal: every character
// the screen would not show as it is (controls, bidirectional overrides,
// bytes that are not UTF-8) becomes U+FFFD.
std::string printable(std::string_view text);
void append_printable(std::string& out, std::string_view text);

}  // namespace lomperi::term

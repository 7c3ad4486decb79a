#pragma once
#include <expected>
#include <optional>
#include <string>
#include <string_view>

#include "format/bytes.hpp"
#include "format/error.hpp"

namespace lomperi {

// Validates bytes as UTF-8. The error says either "invalid utf-8 sequence of
// {} bytes from index {}" (the length of the maximal invalid subpart, 1 to 3,
// and the count of valid bytes before it) or "incomplete utf-8 byte sequence
// from index {}" when the input ends inside a sequence.
Result<void> check_utf8(Bytes bytes);

inline bool is_utf8(Bytes bytes) { return check_utf8(bytes).has_value(); }

// The bytes as text when they are valid UTF-8.
inline std::optional<std::string_view> utf8_text(Bytes bytes) {
    if (!is_utf8(bytes)) return std::nullopt;
    return as_text(bytes);
}

// Appends one Unicode scalar value, UTF-8 encoded. Values that are not
// scalar values (surrogates, above U+10FFFF) append U+FFFD instead.
void append_utf8(std::string& out, char32_t ch);

// Removes the last character (one to four bytes) of valid UTF-8 text; does
// nothing on empty text.
void pop_last_char(std::string& text);

}  // namespace lomperi

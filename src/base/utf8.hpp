#pragma once
// UTF-8: the one decoder, validator and encoder of the program, and the
// code-point counting that all text widths use.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi {

// One step of decoding at the front of a byte string.
struct Utf8Step {
    enum Status : std::uint8_t { Ok, Invalid, Incomplete };
    Status status = Invalid;
    char32_t code_point = 0;
    // Bytes taken: the character's length when Ok, the maximal invalid
    // subpart when Invalid (1 to 3), the bytes present when Incomplete.
    std::size_t length = 0;
};

// Decodes the first character of a non-empty byte string, refusing overlong
// forms, surrogates and values beyond U+10FFFF.
Utf8Step decode_utf8(std::string_view text);

// One character of a byte string: where it starts, the bytes it takes (at
// least one) and its code point, U+FFFD for bytes that are not UTF-8.
struct CodePoint {
    std::size_t offset = 0;
    std::size_t length = 0;
    char32_t value = 0;
    Utf8Step::Status status = Utf8Step::Ok;

    bool valid() const { return status == Utf8Step::Ok; }
    std::size_t end() const { return offset + length; }
};

// The characters of a byte string, front to back:
//   for (const CodePoint& ch : code_points(text)) ...
// Each maximal invalid subpart, and a sequence cut off by the end, is one
// U+FFFD, so that every byte belongs to exactly one character.
class CodePoints {
public:
    class Iterator {
    public:
        using value_type = CodePoint;
        using difference_type = std::ptrdiff_t;

        Iterator() = default;
        Iterator(std::string_view text, std::size_t at) : text_(text) { read(at); }

        const CodePoint& operator*() const { return current_; }
        const CodePoint* operator->() const { return &current_; }
        Iterator& operator++() {
            read(current_.end());
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            read(current_.end());
            return before;
        }
        bool operator==(std::default_sentinel_t) const { return current_.length == 0; }

    private:
        // Past the end, the length is 0: every character has at least one byte.
        void read(std::size_t at) {
            if (at >= text_.size()) {
                current_ = {at, 0, 0, Utf8Step::Ok};
                return;
            }
            // Most text is ASCII: a byte compare, without a call.
            if (const auto byte = static_cast<unsigned char>(text_[at]); byte < 0x80) {
                current_ = {at, 1, byte, Utf8Step::Ok};
                return;
            }
            const Utf8Step step = decode_utf8(text_.substr(at));
            current_ = {at, step.length > 0 ? step.length : 1, step.status == Utf8Step::Ok ? step.code_point : U'\uFFFD',
                        step.status};
        }

        std::string_view text_;
        CodePoint current_;
    };

    explicit CodePoints(std::string_view text) : text_(text) {}
    Iterator begin() const { return Iterator(text_, 0); }
    std::default_sentinel_t end() const { return {}; }

private:
    std::string_view text_;
};

inline CodePoints code_points(std::string_view text) { return CodePoints(text); }

// Validates bytes as UTF-8. The error says either "invalid utf-8 sequence of
// {} bytes from index {}" (the length of the maximal invalid subpart and the
// count of valid bytes before it) or "incomplete utf-8 byte sequence from
// index {}" when the input ends inside a sequence.
Result<void> check_utf8(Bytes bytes);

inline bool is_utf8(Bytes bytes) { return check_utf8(bytes).has_value(); }
inline bool is_utf8(std::string_view text) { return is_utf8(as_bytes(text)); }

// The bytes as text when they are valid UTF-8.
inline std::optional<std::string_view> utf8_text(Bytes bytes) {
    if (!is_utf8(bytes)) return std::nullopt;
    return as_text(bytes);
}

// Appends one Unicode scalar value, UTF-8 encoded. Values that are not
// scalar values (surrogates, above U+10FFFF) append U+FFFD instead.
void append_utf8(std::string& out, char32_t ch);

// A text's characters as code points (U+FFFD for bytes that are not UTF-8), and back.
std::u32string to_utf32(std::string_view text);
std::string to_utf8(std::u32string_view letters);

// Removes the last character (one to four bytes) of valid UTF-8 text; does
// nothing on empty text.
void pop_last_char(std::string& text);

// A code point starts at every byte that is not a continuation byte, so
// counting and cutting by code points never splits a character.
constexpr bool starts_code_point(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

constexpr std::size_t code_point_count(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) count += starts_code_point(byte) ? 1 : 0;
    return count;
}

// The number of bytes taken by the first `count` code points (the whole text when it has fewer).
constexpr std::size_t code_point_prefix(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!starts_code_point(text[i])) continue;
        if (seen == count) return i;
        ++seen;
    }
    return text.size();
}

}  // namespace lomperi

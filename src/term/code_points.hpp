#pragma once
#include <cstddef>
#include <string_view>

namespace lomperi::term {

// Text widths are counted in code points. A code point starts at every byte
// that is not a UTF-8 continuation byte, so counting and cutting never split
// a multi-byte character.
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

}  // namespace lomperi::term

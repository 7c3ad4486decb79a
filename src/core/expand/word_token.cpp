#include "core/expand/word_token.hpp"

#include <cstdint>

namespace lomperi::expand {

namespace {

// The byte length of the White_Space character at `at`, or 0 when the
// character there is something else (bytes that are not UTF-8 included).
std::size_t white_space_length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) -> std::uint8_t {
        return at + k < text.size() ? static_cast<std::uint8_t>(text[at + k]) : 0;
    };
    const std::uint8_t b0 = byte(0);
    if (b0 == 0x20 || (b0 >= 0x09 && b0 <= 0x0D)) return 1;
    if (b0 == 0xC2) return byte(1) == 0x85 || byte(1) == 0xA0 ? 2 : 0;
    if (b0 == 0xE1) return byte(1) == 0x9A && byte(2) == 0x80 ? 3 : 0;  // U+1680
    if (b0 == 0xE3) return byte(1) == 0x80 && byte(2) == 0x80 ? 3 : 0;  // U+3000
    if (b0 != 0xE2) return 0;
    const std::uint8_t b1 = byte(1);
    const std::uint8_t b2 = byte(2);
    if (b1 == 0x80) {
        const bool spaces = b2 >= 0x80 && b2 <= 0x8A;               // U+2000..U+200A
        const bool separators = b2 == 0xA8 || b2 == 0xA9 || b2 == 0xAF;  // U+2028, U+2029, U+202F
        return spaces || separators ? 3 : 0;
    }
    return b1 == 0x81 && b2 == 0x9F ? 3 : 0;  // U+205F
}

}  // namespace

std::vector<WordToken> tokenize_meaning(std::string_view text) {
    std::vector<WordToken> tokens;
    std::size_t at = 0;
    std::size_t start = 0;
    bool in_token = false;
    while (at < text.size()) {
        const std::size_t space = white_space_length(text, at);
        if (space > 0 && in_token) tokens.push_back({start, at, text.substr(start, at - start)});
        if (space > 0) {
            in_token = false;
            at += space;
            continue;
        }
        if (!in_token) start = at;
        in_token = true;
        ++at;
    }
    if (in_token) tokens.push_back({start, text.size(), text.substr(start)});
    return tokens;
}

}  // namespace lomperi::expand

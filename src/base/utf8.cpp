#include "base/utf8.hpp"

#include <fmt/format.h>

namespace lomperi {

Utf8Step decode_utf8(std::string_view s) {
    const auto b0 = static_cast<std::uint8_t>(s[0]);
    if (b0 < 0x80) return {Utf8Step::Ok, b0, 1};
    std::size_t need = 0;
    // The valid range of the second byte rules out overlong forms,
    // surrogates and code points above U+10FFFF.
    std::uint8_t lo = 0x80, hi = 0xbf;
    if (b0 >= 0xc2 && b0 <= 0xdf) {
        need = 2;
    } else if (b0 >= 0xe0 && b0 <= 0xef) {
        need = 3;
        if (b0 == 0xe0) lo = 0xa0;
        if (b0 == 0xed) hi = 0x9f;
    } else if (b0 >= 0xf0 && b0 <= 0xf4) {
        need = 4;
        if (b0 == 0xf0) lo = 0x90;
        if (b0 == 0xf4) hi = 0x8f;
    } else {
        return {Utf8Step::Invalid, 0, 1};
    }
    char32_t cp = b0 & (0x7f >> need);
    for (std::size_t i = 1; i < need; ++i) {
        if (i >= s.size()) return {Utf8Step::Incomplete, 0, s.size()};
        const auto c = static_cast<std::uint8_t>(s[i]);
        const std::uint8_t min = i == 1 ? lo : 0x80;
        const std::uint8_t max = i == 1 ? hi : 0xbf;
        if (c < min || c > max) return {Utf8Step::Invalid, 0, i};
        cp = (cp << 6) | (c & 0x3f);
    }
    return {Utf8Step::Ok, cp, need};
}

Result<void> check_utf8(Bytes bytes) {
    const std::string_view text = as_text(bytes);
    std::size_t at = 0;
    while (at < text.size()) {
        // Most text is ASCII: skip it a byte compare at a time.
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const Utf8Step step = decode_utf8(text.substr(at));
        if (step.status == Utf8Step::Incomplete)
            return fail(fmt::format("incomplete utf-8 byte sequence from index {}", at));
        if (step.status == Utf8Step::Invalid)
            return fail(fmt::format("invalid utf-8 sequence of {} bytes from index {}", step.length, at));
        at += step.length;
    }
    return {};
}

std::u32string to_utf32(std::string_view text) {
    std::u32string out;
    for (const CodePoint& ch : code_points(text)) out.push_back(ch.value);
    return out;
}

std::string to_utf8(std::u32string_view letters) {
    std::string out;
    for (const char32_t letter : letters) append_utf8(out, letter);
    return out;
}

void append_utf8(std::string& out, char32_t ch) {
    if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) ch = 0xFFFD;
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

void pop_last_char(std::string& text) {
    if (text.empty()) return;
    std::size_t start = text.size() - 1;
    while (start > 0 && !starts_code_point(text[start])) --start;
    text.erase(start);
}

}  // namespace lomperi

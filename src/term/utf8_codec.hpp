#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lomperi::term {

// One step of UTF-8 decoding at the front of a byte string.
struct Utf8Step {
    enum Status : std::uint8_t { Ok, Invalid, Incomplete };
    Status status = Invalid;
    char32_t code_point = 0;
    // Bytes taken: the character's length when Ok, the maximal invalid
    // subpart when Invalid (at least 1), the bytes present when Incomplete.
    std::size_t length = 0;
};

// Decodes the first character of a non-empty byte string, refusing overlong
// forms, surrogates and values beyond U+10FFFF.
inline Utf8Step decode_utf8(std::string_view s) {
    const auto b0 = static_cast<std::uint8_t>(s[0]);
    if (b0 < 0x80) return {Utf8Step::Ok, b0, 1};
    std::size_t need = 0;
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

// Appends the UTF-8 form of a Unicode scalar value.
inline void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xc0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xe0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
    } else {
        out.push_back(static_cast<char>(0xf0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
    }
}

}  // namespace lomperi::term

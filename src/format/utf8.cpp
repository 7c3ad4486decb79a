#include "format/utf8.hpp"

#include <fmt/format.h>

namespace lomperi {
namespace {

bool is_continuation(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }

// The valid range of the second byte of a sequence, which rules out overlong
// forms, surrogates and code points above U+10FFFF.
struct SecondByteRange {
    std::uint8_t low;
    std::uint8_t high;
};

SecondByteRange second_byte_range(std::uint8_t lead) {
    switch (lead) {
        case 0xE0: return {0xA0, 0xBF};
        case 0xED: return {0x80, 0x9F};
        case 0xF0: return {0x90, 0xBF};
        case 0xF4: return {0x80, 0x8F};
        default: return {0x80, 0xBF};
    }
}

std::size_t sequence_width(std::uint8_t lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

std::unexpected<Error> invalid(std::size_t length, std::size_t index) {
    return fail(fmt::format("invalid utf-8 sequence of {} bytes from index {}", length, index));
}

std::unexpected<Error> incomplete(std::size_t index) {
    return fail(fmt::format("incomplete utf-8 byte sequence from index {}", index));
}

}  // namespace

Result<void> check_utf8(Bytes bytes) {
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t lead = bytes[i];
        const std::size_t width = sequence_width(lead);
        if (width == 1) {
            ++i;
            continue;
        }
        if (width == 0) return invalid(1, i);
        if (i + 1 >= n) return incomplete(i);
        const auto range = second_byte_range(lead);
        if (bytes[i + 1] < range.low || bytes[i + 1] > range.high) return invalid(1, i);
        for (std::size_t k = 2; k < width; ++k) {
            if (i + k >= n) return incomplete(i);
            if (!is_continuation(bytes[i + k])) return invalid(k, i);
        }
        i += width;
    }
    return {};
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
    while (start > 0 && is_continuation(static_cast<std::uint8_t>(text[start]))) --start;
    text.erase(start);
}

}  // namespace lomperi

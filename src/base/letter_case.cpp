#include "base/letter_case.hpp"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "base/utf8.hpp"

namespace lomperi {
namespace {

bool is_ascii(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// For ASCII the root locale maps exactly A-Z to a-z, so ICU is not needed.
std::string ascii_lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::vector<UChar> to_utf16(std::string_view text) {
    std::vector<UChar> units(text.size() + 1);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(units.data(), static_cast<int32_t>(units.size()), &length, text.data(),
                         static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) return {};
    units.resize(static_cast<std::size_t>(length));
    return units;
}

std::vector<UChar> lower_utf16(const std::vector<UChar>& units) {
    std::vector<UChar> lower(units.size() + 8);
    for (int attempt = 0; attempt < 2; ++attempt) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = u_strToLower(lower.data(), static_cast<int32_t>(lower.size()), units.data(),
                                            static_cast<int32_t>(units.size()), "", &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            lower.resize(static_cast<std::size_t>(length) + 1);
            continue;
        }
        if (U_FAILURE(status)) return {};
        lower.resize(static_cast<std::size_t>(length));
        return lower;
    }
    return {};
}

std::string to_utf8(const std::vector<UChar>& units) {
    std::string out(units.size() * 3 + 1, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &length, units.data(),
                static_cast<int32_t>(units.size()), &status);
    if (U_FAILURE(status)) return {};
    out.resize(static_cast<std::size_t>(length));
    return out;
}

// The byte length of the first character (1 for a byte that is not UTF-8).
std::size_t first_char_length(std::string_view text) {
    if (text.empty()) return 0;
    const Utf8Step step = decode_utf8(text);
    return step.status == Utf8Step::Ok ? step.length : 1;
}

}  // namespace

std::string lower_case(std::string_view text) {
    if (is_ascii(text)) return ascii_lower(text);
    // Words and meanings are short; what ICU's 32-bit lengths cannot hold is left as it is.
    if (text.size() >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 4)) return std::string(text);
    return to_utf8(lower_utf16(to_utf16(text)));
}

std::string lower_case_first(std::string_view text) {
    const std::size_t first = first_char_length(text);
    return lower_case(text.substr(0, first)) + std::string(text.substr(first));
}

std::string capitalized(std::string_view text) {
    std::string lower = lower_case(text);
    if (lower.empty()) return lower;
    const Utf8Step step = decode_utf8(lower);
    if (step.status != Utf8Step::Ok) return lower;
    std::string out;
    append_utf8(out, static_cast<char32_t>(u_toupper(static_cast<UChar32>(step.code_point))));
    out.append(lower, step.length);
    return out;
}

bool is_all_capitals(std::string_view text) {
    std::size_t capitals = 0;
    while (!text.empty()) {
        const Utf8Step step = decode_utf8(text);
        if (step.status == Utf8Step::Ok) {
            const auto ch = static_cast<UChar32>(step.code_point);
            if (u_islower(ch)) return false;
            if (u_isupper(ch)) ++capitals;
        }
        text.remove_prefix(std::max<std::size_t>(step.length, 1));
    }
    return capitals >= 2;
}

}  // namespace lomperi

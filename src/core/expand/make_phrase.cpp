#include "core/expand/make_phrase.hpp"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>


namespace lomperi::expand {

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

}  // namespace

std::string lower_case(std::string_view text) {
    if (is_ascii(text)) return ascii_lower(text);
    // Meanings are short; anything ICU's 32-bit lengths cannot hold is left as it is.
    if (text.size() >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 4)) return std::string(text);
    return to_utf8(lower_utf16(to_utf16(text)));
}

std::string make_phrase(std::span<const std::string_view> words) {
    std::string joined;
    for (std::size_t k = 0; k < words.size(); ++k) {
        std::string_view word = words[k];
        if (k == 0) word.remove_prefix(leading_punctuation(word));
        if (k + 1 == words.size()) word.remove_suffix(trailing_punctuation(word));
        if (k > 0) joined += ' ';
        joined += word;
    }
    // Lower-casing the joined text equals lower-casing word by word: a space
    // ends the final-sigma context just as the end of a word does.
    return lower_case(joined);
}

}  // namespace lomperi::expand

#include "base/text.hpp"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
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

// Latin-1 letters lower-case as ICU's root locale has them: capitals plus 0x20.
std::optional<std::string> latin1_lower(std::string_view text) {
    std::string out(text);
    for (std::size_t at = 0; at < out.size(); ++at) {
        const auto byte = static_cast<unsigned char>(out[at]);
        if (byte < 0x80) {
            if (byte >= 'A' && byte <= 'Z') out[at] = static_cast<char>(byte + 0x20);
            continue;
        }
        if (byte != 0xC3 || at + 1 >= out.size()) return std::nullopt;
        const auto second = static_cast<unsigned char>(out[++at]);
        if (second >= 0x80 && second <= 0x9E && second != 0x97) out[at] = static_cast<char>(second + 0x20);
        else if (second < 0x80 || second > 0xBF) return std::nullopt;
    }
    return out;
}

std::string lower_case(std::string_view text) {
    if (is_ascii(text)) return ascii_lower(text);
    if (auto latin1 = latin1_lower(text)) return std::move(*latin1);
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
    for (const CodePoint& point : code_points(text)) {
        if (!point.valid()) continue;
        const auto ch = static_cast<UChar32>(point.value);
        if (u_islower(ch)) return false;
        if (u_isupper(ch)) ++capitals;
    }
    return capitals >= 2;
}

namespace {

constexpr std::u32string_view kOuterMarks = U".,;:!?\"'()[]\u201c\u201d\u201e\u2018\u2019\u00ab\u00bb\u2026\u2013\u2014";
constexpr std::u32string_view kPhraseMarks = U".,;:!?\"'()[]";

// The length of the UTF-8 character that ends at `end` (exclusive).
std::size_t last_char_start(std::string_view text, std::size_t end) {
    std::size_t start = end - 1;
    while (start > 0 && !starts_code_point(text[start])) --start;
    return start;
}

std::size_t leading_of(std::string_view word, bool (*is_mark)(char32_t)) {
    for (const CodePoint& point : code_points(word)) {
        if (!point.valid() || !is_mark(point.value)) return point.offset;
    }
    return word.size();
}

std::size_t trailing_of(std::string_view word, bool (*is_mark)(char32_t)) {
    std::size_t end = word.size();
    while (end > 0) {
        const std::size_t start = last_char_start(word, end);
        const Utf8Step step = decode_utf8(word.substr(start, end - start));
        if (step.status != Utf8Step::Ok || step.length != end - start || !is_mark(step.code_point)) break;
        end = start;
    }
    return word.size() - end;
}

}  // namespace

bool is_letter(char32_t ch) { return u_isalpha(static_cast<UChar32>(ch)) != 0; }

bool is_outer_mark(char32_t ch) { return kOuterMarks.find(ch) != std::u32string_view::npos; }

std::size_t leading_marks(std::string_view word) { return leading_of(word, is_outer_mark); }

std::size_t trailing_marks(std::string_view word) { return trailing_of(word, is_outer_mark); }

std::string_view strip_outer_marks(std::string_view word) {
    word.remove_prefix(leading_marks(word));
    word.remove_suffix(trailing_marks(word));
    return word;
}

bool is_phrase_mark(char32_t ch) { return kPhraseMarks.find(ch) != std::u32string_view::npos; }

std::size_t leading_phrase_marks(std::string_view word) { return leading_of(word, is_phrase_mark); }

std::size_t trailing_phrase_marks(std::string_view word) { return trailing_of(word, is_phrase_mark); }

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

std::string_view trim(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string collapse_spaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : trim(text)) {
        if (c == '\t') c = ' ';
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out.push_back(c);
    }
    return out;
}

}  // namespace lomperi

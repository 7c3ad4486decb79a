#include "base/outer_marks.hpp"

#include "base/utf8.hpp"

namespace lomperi {
namespace {

constexpr std::u32string_view kOuterMarks = U".,;:!?\"'()[]\u201c\u201d\u201e\u2018\u2019\u00ab\u00bb\u2026\u2013\u2014";

// The length of the UTF-8 character that ends at `end` (exclusive).
std::size_t last_char_start(std::string_view text, std::size_t end) {
    std::size_t start = end - 1;
    while (start > 0 && !starts_code_point(text[start])) --start;
    return start;
}

}  // namespace

bool is_outer_mark(char32_t ch) { return kOuterMarks.find(ch) != std::u32string_view::npos; }

std::size_t leading_marks(std::string_view word) {
    std::size_t at = 0;
    while (at < word.size()) {
        const Utf8Step step = decode_utf8(word.substr(at));
        if (step.status != Utf8Step::Ok || !is_outer_mark(step.code_point)) break;
        at += step.length;
    }
    return at;
}

std::size_t trailing_marks(std::string_view word) {
    std::size_t end = word.size();
    while (end > 0) {
        const std::size_t start = last_char_start(word, end);
        const Utf8Step step = decode_utf8(word.substr(start, end - start));
        if (step.status != Utf8Step::Ok || step.length != end - start || !is_outer_mark(step.code_point)) break;
        end = start;
    }
    return word.size() - end;
}

std::string_view strip_outer_marks(std::string_view word) {
    word.remove_prefix(leading_marks(word));
    word.remove_suffix(trailing_marks(word));
    return word;
}

}  // namespace lomperi

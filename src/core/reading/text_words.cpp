#include "core/reading/text_words.hpp"

#include <algorithm>

#include "base/text.hpp"
#include "base/utf8.hpp"
#include "core/expand/meaning_scan.hpp"

namespace lomperi::reading {
namespace {

bool is_control(char32_t ch) { return ch < 0x20 || (ch >= 0x7f && ch < 0xa0); }

// Splits a whitespace-free token at its control characters.
void add_words(std::string_view token, std::vector<std::string_view>& words) {
    std::size_t start = 0;
    for (std::size_t at = 0; at < token.size();) {
        const Utf8Step step = decode_utf8(token.substr(at));
        const std::size_t length = std::max<std::size_t>(step.length, 1);
        if (step.status == Utf8Step::Ok && !is_control(step.code_point)) {
            at += length;
            continue;
        }
        if (const auto word = strip_outer_marks(token.substr(start, at - start)); !word.empty()) words.push_back(word);
        at += length;
        start = at;
    }
    if (const auto word = strip_outer_marks(token.substr(start)); !word.empty()) words.push_back(word);
}

}  // namespace

std::vector<std::string_view> text_words(std::string_view line) {
    std::vector<std::string_view> words;
    for (const auto& token : expand::tokenize_meaning(line)) add_words(token.text, words);
    return words;
}

}  // namespace lomperi::reading

#include "core/reading/text_words.hpp"

#include <algorithm>

#include "base/text.hpp"
#include "base/utf8.hpp"
#include "core/expand/meaning_scan.hpp"

namespace lomperi::reading {
namespace {

bool is_control(char32_t ch) { return ch < 0x20 || (ch >= 0x7f && ch < 0xa0); }

// Where the piece of a token from `at` ends: at a control character or a
// byte that is not UTF-8, at a slash between letters (a menu's "Näytä/Peitä",
// "ja/tai"), or at the token's end. Also the bytes that part it from the
// next piece.
std::pair<std::size_t, std::size_t> piece_end(std::string_view text, std::size_t at, std::size_t end) {
    bool after_letter = false;
    std::size_t slash = std::string_view::npos;
    for (const CodePoint& ch : code_points(text.substr(at, end - at))) {
        if (!ch.valid() || is_control(ch.value)) return {at + ch.offset, ch.length};
        if (slash != std::string_view::npos && is_letter(ch.value)) return {at + slash, 1};
        slash = after_letter && ch.value == U'/' ? ch.offset : std::string_view::npos;
        after_letter = is_letter(ch.value);
    }
    return {end, 0};
}

}  // namespace

std::optional<std::string_view> TextWords::next() {
    while (true) {
        if (at_ >= token_end_) {
            const auto token = expand::next_token(text_, at_);
            if (!token) return std::nullopt;
            at_ = token->start;
            token_end_ = token->end;
        }
        const auto [end, parting] = piece_end(text_, at_, token_end_);
        const std::string_view word = strip_outer_marks(text_.substr(at_, end - at_));
        at_ = end + parting;
        if (!word.empty()) return word;
    }
}

std::vector<std::string_view> text_words(std::string_view line) {
    std::vector<std::string_view> words;
    TextWords all(line);
    while (const auto word = all.next()) words.push_back(*word);
    return words;
}

bool ends_sentence(std::string_view text, std::size_t at) {
    const char c = text[at];
    const bool mark = c == '.' || c == '!' || c == '?' || text.substr(at).starts_with("…");
    if (!mark) return false;
    const std::size_t after = at + (c == '.' || c == '!' || c == '?' ? 1 : std::string_view("…").size());
    return after >= text.size() || text[after] == ' ' || text[after] == '\n';
}

bool ends_sentence_between(std::string_view between) {
    // A mark at the end touches the next word ("esim.ja"): no sentence ends there.
    for (std::size_t at = 0; at < between.size(); ++at) {
        if (ends_sentence(between, at) && between.find_first_of(" \n", at) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace lomperi::reading

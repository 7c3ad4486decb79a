#include "core/reading/text_words.hpp"

#include <algorithm>

#include "base/text.hpp"
#include "base/utf8.hpp"
#include "core/expand/meaning_scan.hpp"

namespace lomperi::reading {
namespace {

bool is_control(char32_t ch) { return ch < 0x20 || (ch >= 0x7f && ch < 0xa0); }

// Where the piece of a token from `at` ends: at a control character or a
// byte that is not UTF-8, or at the token's end. Also the bytes that part it
// from the next piece.
std::pair<std::size_t, std::size_t> piece_end(std::string_view text, std::size_t at, std::size_t end) {
    while (at < end) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x20 && byte < 0x7f) {
            ++at;
            continue;
        }
        const Utf8Step step = decode_utf8(text.substr(at, end - at));
        const std::size_t length = std::max<std::size_t>(step.length, 1);
        if (step.status != Utf8Step::Ok || is_control(step.code_point)) return {at, length};
        at += length;
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

}  // namespace lomperi::reading

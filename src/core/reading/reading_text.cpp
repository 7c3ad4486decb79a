#include "core/reading/reading_text.hpp"

#include <algorithm>

#include "base/composition.hpp"
#include "base/utf8.hpp"
#include "core/reading/text_words.hpp"

namespace lomperi::reading {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The text is composed in pieces of about this size, so that it is not held
// a third time; a piece ends before an ASCII character, which nothing before
// it composes with.
constexpr std::size_t kComposedPiece = std::size_t{1} << 16;

bool is_control(char32_t ch) { return ch < 0x20 || (ch >= 0x7f && ch < 0xa0); }

// The printable ASCII characters and line feeds at the start, kept as they are.
std::size_t plain_bytes(std::string_view text) {
    const auto end = std::ranges::find_if(text, [](char c) { return (c < 0x20 || c > 0x7e) && c != '\n'; });
    return static_cast<std::size_t>(end - text.begin());
}

// Appends the character at `at` made safe, and says how many bytes it took:
// a line end of any system becomes a line feed, another control character a
// space, bytes that are not UTF-8 U+FFFD.
std::size_t append_safe(std::string_view text, std::size_t at, std::string& out) {
    if (text[at] == '\r') {
        out += '\n';
        return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    }
    const Utf8Step step = decode_utf8(text.substr(at));
    const std::size_t length = std::max<std::size_t>(step.length, 1);
    if (step.status != Utf8Step::Ok) {
        append_utf8(out, U'\uFFFD');
    } else if (is_control(step.code_point) && step.code_point != U'\n') {
        out += ' ';
    } else {
        out += text.substr(at, length);
    }
    return length;
}

std::string safe_text(std::string_view text, const Interrupted& interrupted) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::string out;
    out.reserve(text.size());
    std::string piece;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80 && piece.size() >= kComposedPiece) {
            append_composed(out, piece);
            piece.clear();
            if (interrupted && interrupted()) break;
        }
        const std::size_t plain = plain_bytes(text.substr(at, kComposedPiece));
        piece.append(text.substr(at, plain));
        at += plain;
        if (plain == 0) at += append_safe(text, at, piece);
    }
    append_composed(out, piece);
    return out;
}

bool is_paragraph_break(std::string_view text, std::size_t at) {
    return text[at] == '\n' && at + 1 < text.size() && text[at + 1] == '\n';
}

// Moves back to a UTF-8 character boundary.
std::size_t boundary_before(std::string_view text, std::size_t at) {
    while (at > 0 && at < text.size() && !starts_code_point(text[at])) --at;
    return at;
}

}  // namespace

ReadingText::ReadingText(std::string name, std::string_view text, const Interrupted& interrupted)
    : name_(std::move(name)), text_(safe_text(text, interrupted)) {
    // Counted first, so that the index is allocated once at its size.
    std::size_t count = 0;
    for (TextWords words(text_); words.next(); ++count) {
        if (count % kWorkBetweenQuestions == 0 && interrupted && interrupted()) break;
    }
    offsets_.reserve(count);
    lengths_.reserve(count);
    const std::string_view all(text_);
    TextWords words(all);
    for (auto word = words.next(); word && offsets_.size() < count; word = words.next()) {
        if (offsets_.size() % kWorkBetweenQuestions == 0 && interrupted && interrupted()) break;
        offsets_.push_back(static_cast<std::uint32_t>(word->data() - all.data()));
        lengths_.push_back(static_cast<std::uint8_t>(boundary_before(*word, std::min(word->size(), kMaxWordBytes))));
    }
}

std::string_view ReadingText::word(std::size_t index) const {
    if (index >= word_count()) return {};
    return std::string_view(text_).substr(offsets_[index], lengths_[index]);
}

std::size_t ReadingText::first_word_from(std::size_t offset) const {
    return static_cast<std::size_t>(std::ranges::lower_bound(offsets_, offset) - offsets_.begin());
}

std::string ReadingText::sentence_of(std::size_t index) const {
    if (index >= word_count()) return {};
    const std::string_view all(text_);
    const TextWord w = at(index);
    const std::size_t reach = (kMaxSentenceBytes - std::min<std::size_t>(w.length, kMaxSentenceBytes)) / 2;
    std::size_t begin = w.offset;
    const std::size_t earliest = w.offset > reach ? w.offset - reach : 0;
    while (begin > earliest && !ends_sentence(all, begin - 1) && !is_paragraph_break(all, begin - 1)) --begin;
    std::size_t end = w.offset + w.length;
    const std::size_t latest = std::min(all.size(), end + reach);
    while (end < latest && !is_paragraph_break(all, end)) {
        if (ends_sentence(all, end)) {
            end += all[end] == '.' || all[end] == '!' || all[end] == '?' ? 1 : std::string_view("…").size();
            break;
        }
        ++end;
    }
    begin = boundary_before(all, begin);
    end = boundary_before(all, std::min(end, all.size()));
    std::string sentence(all.substr(begin, end - begin));
    std::ranges::replace(sentence, '\n', ' ');
    const auto first = sentence.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return sentence.substr(first, sentence.find_last_not_of(' ') - first + 1);
}

}  // namespace lomperi::reading

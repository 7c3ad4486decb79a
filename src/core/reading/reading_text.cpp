#include "core/reading/reading_text.hpp"

#include <algorithm>

#include "base/utf8.hpp"
#include "core/reading/text_words.hpp"

namespace lomperi::reading {
namespace {

std::string safe_text(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const Utf8Step step = decode_utf8(text);
        const std::size_t length = std::max<std::size_t>(step.length, 1);
        const std::string_view bytes = text.substr(0, length);
        text.remove_prefix(length);
        if (step.status != Utf8Step::Ok) {
            append_utf8(out, U'\uFFFD');
            continue;
        }
        const char32_t ch = step.code_point;
        if (ch == U'\r') continue;
        if (ch == U'\n') {
            out += '\n';
            continue;
        }
        if (ch < 0x20 || (ch >= 0x7f && ch < 0xa0)) {
            out += ' ';
            continue;
        }
        out += bytes;
    }
    return out;
}

bool ends_sentence(std::string_view text, std::size_t at) {
    const char c = text[at];
    const bool mark = c == '.' || c == '!' || c == '?' || text.substr(at).starts_with("…");
    if (!mark) return false;
    const std::size_t after = at + (c == '.' || c == '!' || c == '?' ? 1 : std::string_view("…").size());
    return after >= text.size() || text[after] == ' ' || text[after] == '\n';
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

ReadingText::ReadingText(std::string name, std::string_view text) : name_(std::move(name)), text_(safe_text(text)) {
    const std::string_view all(text_);
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        const std::string_view line = all.substr(start, end - start);
        for (const std::string_view word : text_words(line)) {
            offsets_.push_back(static_cast<std::uint32_t>(word.data() - all.data()));
            lengths_.push_back(static_cast<std::uint8_t>(boundary_before(word, std::min(word.size(), kMaxWordBytes))));
        }
        start = end + 1;
    }
    offsets_.shrink_to_fit();
    lengths_.shrink_to_fit();
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
    const std::size_t reach = kMaxSentenceBytes / 2;
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

#include "core/expand/meaning_scan.hpp"

#include <algorithm>
#include <cstdint>

#include "base/text.hpp"
#include "base/utf8.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/form_wordings.hpp"

namespace lomperi::expand {

namespace {

// The byte length of the White_Space character at `at`, or 0 when the
// character there is something else (bytes that are not UTF-8 included).
std::size_t white_space_length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) -> std::uint8_t {
        return at + k < text.size() ? static_cast<std::uint8_t>(text[at + k]) : 0;
    };
    const std::uint8_t b0 = byte(0);
    if (b0 == 0x20 || (b0 >= 0x09 && b0 <= 0x0D)) return 1;
    if (b0 == 0xC2) return byte(1) == 0x85 || byte(1) == 0xA0 ? 2 : 0;
    if (b0 == 0xE1) return byte(1) == 0x9A && byte(2) == 0x80 ? 3 : 0;  // U+1680
    if (b0 == 0xE3) return byte(1) == 0x80 && byte(2) == 0x80 ? 3 : 0;  // U+3000
    if (b0 != 0xE2) return 0;
    const std::uint8_t b1 = byte(1);
    const std::uint8_t b2 = byte(2);
    if (b1 == 0x80) {
        const bool spaces = b2 >= 0x80 && b2 <= 0x8A;               // U+2000..U+200A
        const bool separators = b2 == 0xA8 || b2 == 0xA9 || b2 == 0xAF;  // U+2028, U+2029, U+202F
        return spaces || separators ? 3 : 0;
    }
    return b1 == 0x81 && b2 == 0x9F ? 3 : 0;  // U+205F
}

}  // namespace

std::optional<WordToken> next_token(std::string_view text, std::size_t from) {
    std::size_t start = from;
    while (start < text.size()) {
        const std::size_t space = white_space_length(text, start);
        if (space == 0) break;
        start += space;
    }
    if (start >= text.size()) return std::nullopt;
    std::size_t end = start + 1;
    while (end < text.size() && white_space_length(text, end) == 0) ++end;
    return WordToken{start, end, text.substr(start, end - start)};
}

std::vector<WordToken> tokenize_meaning(std::string_view text) {
    std::vector<WordToken> tokens;
    for (auto token = next_token(text, 0); token; token = next_token(text, token->end)) tokens.push_back(*token);
    return tokens;
}

std::string make_phrase(std::span<const std::string_view> words) {
    std::string joined;
    for (std::size_t k = 0; k < words.size(); ++k) {
        std::string_view word = words[k];
        if (k == 0) word.remove_prefix(leading_phrase_marks(word));
        if (k + 1 == words.size()) word.remove_suffix(trailing_phrase_marks(word));
        if (k > 0) joined += ' ';
        joined += word;
    }
    // Lower-casing the joined text equals lower-casing word by word: a space
    // ends the final-sigma context just as the end of a word does.
    return lower_case(joined);
}

MeaningScan::MeaningScan(const morphology::Dictionary& dictionary, std::string_view meaning)
    : dictionary_(dictionary), tokens_(tokenize_meaning(meaning)) {
    texts_.reserve(tokens_.size());
    for (const WordToken& token : tokens_) texts_.push_back(token.text);
    finnish_slot_ = morphology::finnish_word_slots(texts_);
    windows_.resize(tokens_.size() * kMaxPhraseWords);
}

std::size_t MeaningScan::longest_window(std::size_t at) const { return std::min(kMaxPhraseWords, size() - at); }

const std::string& MeaningScan::phrase(std::size_t at, std::size_t length) {
    Window& w = window(at, length);
    if (!w.phrase) w.phrase = make_phrase(std::span(texts_).subspan(at, length));
    return *w.phrase;
}

bool MeaningScan::too_short(std::size_t at, std::size_t length) {
    return code_point_count(phrase(at, length)) < kMinPhraseChars;
}

bool MeaningScan::may_be_finnish(std::size_t at, std::size_t length) {
    for (std::size_t k = at; k < at + length; ++k) {
        if (finnish_slot_[k]) return true;
    }
    return !morphology::is_english(dictionary_, phrase(at, length));
}

const std::vector<morphology::PhraseCandidate>& MeaningScan::candidates(std::size_t at, std::size_t length) {
    Window& w = window(at, length);
    if (w.candidates) return *w.candidates;
    w.candidates.emplace();
    if (!too_short(at, length) && may_be_finnish(at, length)) {
        *w.candidates = morphology::lookup_phrase(dictionary_, phrase(at, length));
    }
    return *w.candidates;
}

bool has_groups(const morphology::PhraseCandidate& candidate) { return !candidate.record.groups.empty(); }

namespace {

// The headword a click on the phrase should show, when it has an entry.
std::optional<std::string> link_target(MeaningScan& scan, std::size_t at, std::size_t length) {
    const auto& candidates = scan.candidates(at, length);
    const auto found = std::ranges::find_if(candidates, has_groups);
    if (found == candidates.end()) return std::nullopt;
    return found->base ? *found->base : scan.phrase(at, length);
}

}  // namespace

std::vector<LinkSpan> link_meaning(MeaningScan& scan, const Visited& excluded) {
    std::vector<LinkSpan> spans;
    std::size_t at = 0;
    while (at < scan.size()) {
        std::size_t step = 1;
        for (std::size_t length = scan.longest_window(at); length >= 1; --length) {
            if (scan.too_short(at, length) || excluded.contains(scan.phrase(at, length))) continue;
            std::optional<std::string> target = link_target(scan, at, length);
            if (!target) continue;
            const WordToken& first = scan.token(at);
            const WordToken& last = scan.token(at + length - 1);
            const std::size_t start = first.start + leading_phrase_marks(first.text);
            const std::size_t end = last.end - trailing_phrase_marks(last.text);
            if (start >= end) continue;
            spans.push_back({std::move(*target), start, end});
            step = length;
            break;
        }
        at += step;
    }
    return spans;
}

std::vector<LinkSpan> link_meaning(const morphology::Dictionary& dictionary, std::string_view meaning,
                                   const Visited& excluded) {
    MeaningScan scan(dictionary, meaning);
    return link_meaning(scan, excluded);
}

}  // namespace lomperi::expand

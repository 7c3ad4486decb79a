#include "core/expand/phrase_window.hpp"

#include <algorithm>
#include <span>

#include "base/utf8.hpp"
#include "core/expand/make_phrase.hpp"
#include "core/morphology/english_search.hpp"
#include "core/morphology/form_wordings.hpp"

namespace lomperi::expand {

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

}  // namespace lomperi::expand

#pragma once
// The run of words tried as one phrase, shared by expansion and linking.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/expand/make_phrase.hpp"
#include "core/expand/word_token.hpp"
#include "core/morphology/english_search.hpp"
#include "core/morphology/form_wordings.hpp"
#include "base/utf8.hpp"

namespace lomperi::expand {

// Phrases and headwords already expanded in one entry (or, for the links,
// just the entry's own headword). Looked up by string_view without copying.
using Visited = std::set<std::string, std::less<>>;

inline constexpr std::size_t kMaxPhraseWords = 5;
inline constexpr std::size_t kMinPhraseChars = 2;

struct MeaningWords {
    std::vector<WordToken> tokens;
    std::vector<std::string_view> texts;
    // Where a machine-made wording puts a Finnish word.
    std::vector<bool> finnish_slot;

    explicit MeaningWords(std::string_view meaning) : tokens(tokenize_meaning(meaning)) {
        texts.reserve(tokens.size());
        for (const WordToken& token : tokens) texts.push_back(token.text);
        finnish_slot = morphology::finnish_word_slots(texts);
    }

    // Whether the words [at, at + length) may be taken for Finnish: no English
    // word or phrase, unless a form-of wording names a Finnish word there.
    bool may_be_finnish(const morphology::Dictionary& dictionary, std::size_t at, std::size_t length,
                        std::string_view phrase) const {
        for (std::size_t k = at; k < at + length; ++k) {
            if (finnish_slot[k]) return true;
        }
        return !morphology::is_english(dictionary, phrase);
    }

    std::size_t size() const { return tokens.size(); }
    std::size_t longest_window(std::size_t at) const { return std::min(kMaxPhraseWords, size() - at); }
    std::string phrase(std::size_t at, std::size_t length) const {
        return make_phrase(std::span(texts).subspan(at, length));
    }
};

inline bool too_short(std::string_view phrase) { return code_point_count(phrase) < kMinPhraseChars; }

}  // namespace lomperi::expand

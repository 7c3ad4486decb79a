#pragma once
// The runs of words of one meaning tried as phrases, and what each leads to:
// the one scan that the expansion and the links of a meaning both read, so
// that each phrase is formed and looked up once.
#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/expand/word_token.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/phrase_lookup.hpp"

namespace lomperi::expand {

// Phrases and headwords already expanded in one entry (or, for the links,
// just the entry's own headword). Looked up by string_view without copying.
using Visited = std::set<std::string, std::less<>>;

inline constexpr std::size_t kMaxPhraseWords = 5;
inline constexpr std::size_t kMinPhraseChars = 2;

class MeaningScan {
public:
    MeaningScan(const morphology::Dictionary& dictionary, std::string_view meaning);

    const morphology::Dictionary& dictionary() const { return dictionary_; }
    std::size_t size() const { return tokens_.size(); }
    const WordToken& token(std::size_t k) const { return tokens_[k]; }
    std::size_t longest_window(std::size_t at) const;

    // The words [at, at + length) as a lower-case phrase, outer marks stripped.
    const std::string& phrase(std::size_t at, std::size_t length);
    // Whether the phrase is too short to be looked up.
    bool too_short(std::size_t at, std::size_t length);
    // What the phrase leads to, when it may be Finnish (no English word or
    // phrase, unless a form-of wording names a Finnish word there): the
    // phrase as a headword, then its bases; empty otherwise.
    const std::vector<morphology::PhraseCandidate>& candidates(std::size_t at, std::size_t length);

private:
    struct Window {
        std::optional<std::string> phrase;
        std::optional<std::vector<morphology::PhraseCandidate>> candidates;
    };
    Window& window(std::size_t at, std::size_t length) { return windows_[at * kMaxPhraseWords + length - 1]; }
    bool may_be_finnish(std::size_t at, std::size_t length);

    const morphology::Dictionary& dictionary_;
    std::vector<WordToken> tokens_;
    std::vector<std::string_view> texts_;
    std::vector<bool> finnish_slot_;  // where a machine-made wording puts a Finnish word
    std::vector<Window> windows_;
};

bool has_groups(const morphology::PhraseCandidate& candidate);

}  // namespace lomperi::expand

#pragma once
// The words of a meaning and the phrases they make: cut at White_Space,
// tried as runs of up to five words, each looked up once, and read both by
// the expansion of the meaning and for its links.
#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/expand/link_span.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/inflection_lookup.hpp"

namespace lomperi::expand {

struct WordToken {
    std::size_t start = 0;  // byte offsets into the text, end exclusive
    std::size_t end = 0;
    std::string_view text;
    friend bool operator==(const WordToken&, const WordToken&) = default;
};

// The maximal runs of characters that are not White_Space, in order.
std::vector<WordToken> tokenize_meaning(std::string_view text);
// The first such run at or after byte `from`; none when only White_Space is left.
std::optional<WordToken> next_token(std::string_view text, std::size_t from);

// The words joined by single spaces, phrase marks stripped from the ends of
// the run only, then lower-cased.
std::string make_phrase(std::span<const std::string_view> words);

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

    // The words [at, at + length) as a lower-case phrase, phrase marks stripped.
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

// Link spans for the phrases of a meaning that lead to an entry with at
// least one group, longest phrases first, in text order and never
// overlapping. Phrases in `excluded` (the entry's own headword) are not
// linked. A span leaves out the phrase marks at the ends of its phrase.
std::vector<LinkSpan> link_meaning(MeaningScan& scan, const Visited& excluded);
std::vector<LinkSpan> link_meaning(const morphology::Dictionary& dictionary, std::string_view meaning,
                                   const Visited& excluded);

}  // namespace lomperi::expand

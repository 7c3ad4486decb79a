#pragma once
// One answer for a word, under every front end: the entry pane, the reading
// pane, `lomperi WORD`, --gloss, --json, --interlinear, words.tsv and the
// DICT server. Each asks for as much as it shows, as the rest costs time.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/answer/entry_choice.hpp"
#include "core/answer/neighbour_rules.hpp"
#include "core/expand/entry_view.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/suggest/suggester.hpp"

namespace lomperi::answer {

enum class Detail : std::uint8_t {
    Meaning,  // the entry chosen, its record and first meaning
    Notes,    // and, under the notes, the lines that say which form the word is
    Entry,    // and the entry expanded, with the entries shown after it
};

struct Answer {
    EntryChoice choice;
    // The first meaning of the record shown; for a compound whose entry only
    // points to its parts, their meanings ("image + window").
    std::optional<std::string> meaning;
    std::optional<expand::Entry> entry;  // Detail::Entry and a record to show
};

// `neighbours`: for a word of running text, the rules that have read the
// words before it. A word that reaches nothing is told by a guess of what it
// looks like, when it looks like something (unknown_words.hpp).
Answer answer(const morphology::Dictionary& dictionary, std::string_view word, Detail detail,
              const KnownLists& known = {}, NeighbourRules* neighbours = nullptr);

// Whether the analyser reads the word: a reading of its own, not a guess of
// what an unread word looks like (unknown_words.hpp).
bool reads_as_a_word(const EntryChoice& choice);

// Did you mean: the spellings a word that reaches nothing may stand for, best
// first, at most five; none for a word with an entry or a reading, or one
// whose look-up met damaged data. About a millisecond a word.
std::vector<std::string> suggestions_for(const morphology::Dictionary& dictionary, std::string_view word,
                                         const EntryChoice& choice);
// The same with their headwords, and whether the first is clearly best.
suggest::Suggestions suggest_for(const morphology::Dictionary& dictionary, std::string_view word,
                                 const EntryChoice& choice);

// A headword's entry with the entry shown after it (the word's own, when it
// is an inflected form that has one).
expand::Entry entry_with_also(const morphology::Dictionary& dictionary, std::string headword,
                              std::optional<format::GlossRecord> record, const std::optional<std::string>& also);

}  // namespace lomperi::answer

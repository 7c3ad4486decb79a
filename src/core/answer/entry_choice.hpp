#pragma once
// Which entry a typed word shows: the one decision behind every front end.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/reading.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "core/morphology/note_line.hpp"
#include "format/gloss.hpp"

namespace lomperi::answer {

class NeighbourRules;

// The two lists beside the entry pane.
enum class ListFocus : std::uint8_t { Matches = 0, Inflections = 1 };

// The lists of what the word as typed begins with, when the caller has
// searched them already (the pane, for its lists): the choice reads them
// rather than searching again.
struct KnownLists {
    const std::vector<morphology::HeadwordMatch>* matches = nullptr;
    const std::vector<morphology::InflectionCandidate>* candidates = nullptr;
    // The query is being typed: as often the start of a word as a word, so
    // an unread one is not guessed at ("ta" is no English word there).
    bool being_typed = false;
};

struct EntryChoice {
    // The spelling whose exact lists are shown: the query, or the spelling
    // it was taken for ("hyva" → "hyvä").
    std::string listed;
    // Whose entry is shown; none when the query reaches nothing.
    std::optional<std::string> headword;
    // An entry made for the query instead of a headword's own: a compound
    // told by its parts, a derived word by the word it comes from.
    std::optional<format::GlossRecord> built;
    // The record shown: `built`, or the headword's own.
    std::optional<format::GlossRecord> record;
    // Lines above the entry that say how the query was found (the analysis
    // lines are added by the answer, for the front ends that show them).
    std::vector<morphology::NoteLine> notes;
    // Where the selection starts: the first match, or the inflections row
    // that pairs `listed` with `headword`.
    ListFocus focus = ListFocus::Matches;
    // A headword whose own entry follows the chosen one: the query, when it
    // is an inflected form that has an entry of its own.
    std::optional<std::string> also;
    // The readings of `listed`, best first.
    std::vector<analysis::Reading> readings;
    // Whether the words before read the word as the form its first reading
    // is ("kaksi päivää": days), which no entry of its own overrules.
    bool read_by_neighbours = false;
    // The name of the rule that chose the entry (see entry_rules.hpp); empty
    // when none did.
    std::string_view rule;
    // The look-up met damaged data: nothing is chosen, for what damaged
    // bytes hid may have led elsewhere, and no other spelling, split or
    // word that begins the same may stand in for the word.
    bool damaged = false;
};

// The spelling the entry rules read (a spoken form's standard word, a
// forgiven spelling, or the word as typed), then the first entry rule that
// chooses (entry_rules.hpp). A look-up that met damaged bytes chooses
// nothing: what it read may lead to another word than the intact data would.
// `neighbours`: for a word of running text, the rules that have read the
// words before it; they read this one before an entry is chosen.
EntryChoice choose_entry(const morphology::Dictionary& dictionary, std::string_view query, const KnownLists& known = {},
                         NeighbourRules* neighbours = nullptr);

}  // namespace lomperi::answer

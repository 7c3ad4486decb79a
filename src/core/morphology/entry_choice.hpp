#pragma once
// Which entry a typed word shows: the one decision behind the entry pane,
// `lomperi WORD` and `--gloss`.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/reading.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/note_line.hpp"
#include "format/gloss.hpp"

namespace lomperi::morphology {

// The two lists beside the entry pane.
enum class ListFocus : std::uint8_t { Matches = 0, Inflections = 1 };

struct EntryChoice {
    // The spelling whose exact lists are shown: the query, or the spelling
    // it was taken for ("hyva" → "hyvä").
    std::string listed;
    // Whose entry is shown; none when the query reaches nothing.
    std::optional<std::string> headword;
    // An entry made for the query instead of a headword's own: a compound
    // told by its parts, a derived word by the word it comes from.
    std::optional<format::GlossRecord> built;
    // Lines above the entry that say how the query was found and which form it is.
    std::vector<NoteLine> notes;
    // Where the selection starts: the first match, or the inflections row
    // that pairs `listed` with `headword`.
    ListFocus focus = ListFocus::Matches;
    // A headword whose own entry follows the chosen one: the query, when it
    // is an inflected form that has an entry of its own.
    std::optional<std::string> also;
    // The readings of `listed`, best first.
    std::vector<analysis::Reading> readings;
    // The headword is only the first that begins with the query, which
    // reaches no entry itself: a neighbour in the list, not the word's own.
    bool only_begins_alike = false;
    // The look-up met damaged data: nothing is chosen, for what damaged
    // bytes hid may have led elsewhere, and no other spelling, split or
    // word that begins the same may stand in for the word.
    bool damaged = false;
};

// The word's best reading's lemma when it has an entry (the headword as
// typed when that is its basic form; an inflected form stored as a headword
// also shows its own entry after the lemma's); else the headword as typed;
// else a derived word told by its base word; else a compound told by the
// analysis of its parts. A word the analyser does not know: the base of the
// word form that has an entry; else the first headword that begins with it.
// A look-up that met damaged bytes chooses nothing: what it read may lead
// to another word than the intact data would.
EntryChoice choose_entry(const Dictionary& dictionary, std::string_view query);

// The first meaning of a record: the answer a reader sees first.
std::optional<std::string> first_meaning(const format::GlossRecord& record);

// The record the choice shows: the one made for the query, or the headword's own.
std::optional<format::GlossRecord> chosen_record(const Dictionary& dictionary, const EntryChoice& choice);

}  // namespace lomperi::morphology

#pragma once
// Which entry a typed word shows: the one decision behind the entry pane,
// `lomperi WORD` and `--gloss`.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/dictionary.hpp"
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
    // told by its parts.
    std::optional<format::GlossRecord> built;
    // Lines above the entry that say how the query was found.
    std::vector<std::string> notes;
    // Where the selection starts: the first match, or the inflections row
    // that pairs `listed` with `headword`.
    ListFocus focus = ListFocus::Matches;
};

// The headword as typed when it is one; else the base of the word form that
// has an entry; else, for a word reached only by forgiving it (a capital, a/ä,
// a compound), that; else the first headword that begins with it.
EntryChoice choose_entry(const Dictionary& dictionary, std::string_view query);

// The record the choice shows: the one made for the query, or the headword's own.
std::optional<format::GlossRecord> chosen_record(const Dictionary& dictionary, const EntryChoice& choice);

}  // namespace lomperi::morphology

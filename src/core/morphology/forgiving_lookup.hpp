#pragma once
// Looking up a word as people type it: with a sentence-initial capital, with
// a and o for ä, ö and å, or as a compound no word list holds. Tried only
// when the word as typed reaches no entry.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/dictionary.hpp"
#include "format/gloss.hpp"

namespace lomperi::morphology {

inline constexpr std::size_t kMaxLetterVariants = 64;

struct CompoundPart {
    std::string text;      // as written in the word ("ehdot")
    std::string headword;  // the headword it stands for ("ehto"); the text itself when it is one
};

struct ForgivenQuery {
    // The spelling whose lists and entry are shown ("hyvä", "jos"); for a
    // compound, the word itself.
    std::string found;
    // How it was found, for the first line of the entry: "hyva → hyvä",
    // "tekijänoikeusehdot: tekijänoikeus + ehdot".
    std::string note;
    std::vector<CompoundPart> parts;  // the parts of a compound; empty otherwise
};

// Whether the text is a headword or a word form with a base: what the word
// as typed must be for no forgiveness to be needed.
bool reaches_entry(const Dictionary& dictionary, std::string_view text);

// Whether a reading of the text leads to an entry: its lemma's, or each of a
// compound's parts'.
bool analysis_reaches_entry(const Dictionary& dictionary, std::string_view text);

// Nothing when `query` reaches an entry as typed, is longer than any key,
// or nothing forgiving does; nor when only its analysis reaches an entry.
// In order: the query with its first letter, then all its letters,
// lower-cased (when it has a capital); and only when the exact lists are
// empty (`lists_empty`), the spellings that differ by a↔ä, o↔ö, a↔å (at most
// kMaxLetterVariants), then, for a word the analyser does not know, the split
// into known parts (marked as a guess when there is an analyser).
std::optional<ForgivenQuery> forgive_query(const Dictionary& dictionary, std::string_view query, bool lists_empty);

// The fewest, longest parts the word splits into: the last any word form,
// the earlier ones headwords or forms of them, or headwords with a linking
// "s" or hyphen. Two walks of each map per start position. Nothing for fewer
// than two parts.
std::optional<std::vector<CompoundPart>> split_into_parts(const Dictionary& dictionary, std::string_view word);

// The entry shown for a compound: one meaning per part, naming the part and,
// for an inflected part, its base ("tekijänoikeus, a part of the compound",
// "ehdot, a form of ehto"), in wordings that the entry expansion takes for
// Finnish words even where they are English ones too, under the part
// of speech of the last part's entry.
format::GlossRecord compound_record(const Dictionary& dictionary, const std::vector<CompoundPart>& parts);

}  // namespace lomperi::morphology

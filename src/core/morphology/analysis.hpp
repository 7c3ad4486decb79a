#pragma once
// A word analysed against the dictionary: its readings ranked so that the
// everyday one comes first (voikko itself does not rank them).
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/reading.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/note_line.hpp"

namespace lomperi::morphology {

// At most this many readings are kept of a word.
inline constexpr std::size_t kMaxReadings = 16;

// The readings of `word`, best first in the order of reading_order.hpp (a
// plural-only word's forms read as forms of its plural headword,
// "kasvoissa" of "kasvot"). Empty without an analyser or for a word it does
// not know. The readings of the words analysed last are kept (per thread).
std::vector<analysis::Reading> analyse(const Dictionary& dictionary, std::string_view word);
// The same, found afresh.
std::vector<analysis::Reading> analyse_afresh(const Dictionary& dictionary, std::string_view word);

// The word class of a particle that a part of speech of the entries names
// ("adv", "postp", "prep", "conj"); None for any other.
analysis::WordClass particle_class(std::string_view pos);

// The class whose group of an entry tells a reading of its headword: an
// inflected form's ("kohdalla", the noun's: point), an adjective's spelt as
// its noun ("koko kuvan": whole); None for another basic form, whose entry
// is ordered for it already.
analysis::WordClass told_class(const analysis::Reading& reading);

// Whether the reading's lemma is a headword with an entry.
bool has_entry(const Dictionary& dictionary, const analysis::Reading& reading);

inline constexpr std::size_t kMaxAnalysisLines = 4;

// One line per reading (at most four) that says which form the word is:
// "taloissammekin = talo · -issa in (plural) · -mme our · -kin also
// ("house")", the lemma and a compound's parts clickable. None when it would
// tell nothing: one reading, the word's own basic form.
std::vector<NoteLine> analysis_lines(const Dictionary& dictionary, std::string_view word,
                                     const std::vector<analysis::Reading>& readings);

// The meaning a reading tells its word by, from the headword's entry: its
// first; a particle's, of the group of its class ("varsinkin": especially);
// a participle's whose entry only names its form, its verb's ("pidettävä":
// "present passive participle of pitää" is told by pitää's); a compound's
// whose entry only names its parts, theirs (parts_meaning).
std::string reading_meaning(const Dictionary& dictionary, std::string_view headword, const analysis::Reading& reading);

// The first meaning of a headword's entry; empty without one.
std::string first_meaning(const Dictionary& dictionary, std::string_view headword);

// The first meaning of an entry that says something of its own, not only
// the form the word is of another ("erikseen": "apart", not "translative
// plural of erä with ..."); of an entry that says nothing else, the named
// word's first meaning ("lukuun": "illative singular of luku" says
// "number"). Empty for an entry without meanings.
std::string said_meaning(const Dictionary& dictionary, const format::GlossRecord& record);
// The same of a headword, whose entry that only names a compound's parts
// says their meanings (parts_meaning): "yömatka" says "night + journey".
std::string said_meaning(const Dictionary& dictionary, std::string_view headword);
// The same, for an inflected form read as a noun, a verb or a numeral: of
// its class's group when the entry leads with a plainly other class
// ("kohdalla", a case of the noun kohta: "point", not the adverb's "soon").
std::string said_meaning(const Dictionary& dictionary, const format::GlossRecord& record, analysis::WordClass word_class);

// The meanings of the parts a compound's entry only points to, when it does
// nothing else ("compound of kuva + ikkuna", or one meaning per part):
// "image + window" for kuvaikkuna, "number + take" for lukuun + ottamatta;
// a part whose own entry only names its parts by theirs ("ulostulolaite":
// out + coming + apparatus).
std::optional<std::string> parts_meaning(const Dictionary& dictionary, const format::GlossRecord& record);

// A participle of two verbs spelt alike has one entry for both
// ("valittava": groaning, of valittaa; selectable, of valita): for the
// reading of one of them (the word's `readings` hold the other) whose lemma
// is `headword`, the first meaning that speaks of its verb, when the entry's
// first does not.
std::optional<std::string> meaning_of_its_verb(const Dictionary& dictionary, std::string_view headword,
                                               const analysis::Reading& reading,
                                               std::span<const analysis::Reading> readings);

// A meaning's first item: "house" of "house, home (dwelling)".
std::string short_meaning(std::string_view meaning);

}  // namespace lomperi::morphology

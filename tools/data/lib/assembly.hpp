#pragma once
// Puts the data set together from the merged glosses, the word-form lists (the
// listed forms of a spelling dictionary and the paradigms generated from the
// analyser's transducer), the frequency list and an analyser: which forms lead
// to which headwords, the entries of compounds the dictionary lacks, and the
// generated entries of frequent inflected forms.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "form_analysis.hpp"
#include "format/gloss.hpp"
#include "format/headword_ranks.hpp"

namespace lomperi::data_build {

using format::kUnranked;

inline constexpr std::size_t kMaxFormEntries = 50'000;
// Frequent forms up to this rank that are headwords of their own gain the
// generated meaning too ("on": "third-person singular present indicative of olla").
inline constexpr std::size_t kMaxAugmentedRank = 10'000;
inline constexpr std::size_t kMaxKeyBytes = 90;

using Entries = std::map<std::string, std::vector<format::PosGroup>>;
using Analyzer = std::function<std::vector<Analysis>(const std::string& form)>;
// Makes one analyser per worker thread.
using AnalyzerFactory = std::function<Analyzer()>;

struct AssemblyInput {
    Entries dictionary;
    std::vector<std::string> listed;          // the spelling dictionary's forms
    std::vector<std::string> frequency;       // most frequent first; may overlap `listed`
    std::vector<std::string> paradigms;       // forms generated from the transducer
    std::vector<std::string> plain_paradigms;  // those of them in plain case and number: what compounds take
    // Headwords whose meanings all come from the inverted English side: when
    // such a word is a form of another, that comes first in its entry.
    std::set<std::string> inverted_only;
    // Of those, the ones with a particle's meaning in everyday English: when
    // such a word is only ever a case form of a noun or an adjective, it is
    // a lexicalised particle ("varsinkin", "lopulta"), told by that meaning.
    std::set<std::string> everyday_particles;
    std::size_t max_form_entries = kMaxFormEntries;
    unsigned threads = 1;
};

struct AssemblyCounts {
    std::size_t dictionary_headwords = 0;
    std::size_t dictionary_meanings = 0;
    std::size_t listed_forms = 0;        // listed and frequent forms, all-capitals duplicates dropped
    std::size_t paradigm_forms = 0;      // distinct generated forms
    std::size_t analysed_forms = 0;      // forms with at least one analysis
    std::size_t mapped_forms = 0;        // forms leading to at least one dictionary headword
    std::size_t shared_forms = 0;        // forms leading to two or more
    std::size_t compound_entries = 0;    // compounds the dictionary lacks, told by their parts
    std::size_t compound_forms = 0;      // forms leading to those compounds
    std::size_t name_entries = 0;        // names the analyser knows: "a given name", "a surname", "a place name"
    std::size_t form_entries = 0;        // generated entries of frequent forms
    std::size_t augmented_entries = 0;   // headwords that gained a generated meaning
    std::size_t explained_entries = 0;   // of those, the ones with only inverted meanings: it comes first
    std::size_t form_meanings_dropped = 0;  // "X of Y" meanings the analyser does not confirm
    std::size_t ranked_headwords = 0;    // headwords a frequent form leads to
};

struct Assembly {
    Entries entries;  // headword -> groups; a headword's id is its position here
    // The word forms in ascending byte order, each with the ids of its
    // headwords (ascending): those of form k are ids[offsets[k] .. offsets[k + 1]).
    std::vector<std::string> forms;
    std::vector<std::uint32_t> offsets;
    std::vector<std::uint32_t> ids;
    AssemblyCounts counts;
    // The headwords made here rather than taken from a dictionary: compounds,
    // names and the entries of frequent forms.
    std::set<std::string, std::less<>> generated;

    // By id: how often a headword's forms are used, 0 the most
    // (kUnranked: no frequent form leads to it).
    std::vector<std::uint16_t> ranks;

    // (form, headword) for every link, for tests and checks.
    std::vector<std::pair<std::string, std::string>> pairs() const;
};

Assembly assemble(AssemblyInput input, const AnalyzerFactory& analyzers);

// The generated entry of one form: one meaning per distinct description, in
// groups named by the part of speech of the base's entry.
std::vector<format::PosGroup> form_entry(std::string_view form, const std::vector<Analysis>& analyses,
                                         const Entries& dictionary);

// Whether a meaning only names an inflected form of a word: "inessive
// singular of talo", "third-person singular present indicative of tehdä";
// the word it names, or nothing.
std::optional<std::string_view> form_meaning_base(std::string_view meaning);

// The headwords one analysis leads to.
std::vector<std::string> analysis_bases(const Analysis& analysis, const Entries& dictionary);

}  // namespace lomperi::data_build

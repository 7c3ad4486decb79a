#pragma once
// Merges the Finnish-English records with the inverted English-Finnish ones
// into one gloss record per Finnish headword, the everyday meanings first.
#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictd.hpp"
#include "format/gloss.hpp"
#include "sense_evidence.hpp"

namespace lomperi::data_build {

inline constexpr std::size_t kMaxInvertedPerGroup = 12;
// A function word's adposition or conjunction group leads when the
// English-Finnish side gives the headword first for at least this many of
// its English words, and for at least twice as many as the first group's.
inline constexpr std::size_t kFunctionWordFirsts = 3;

// How common an English word or phrase is: the index of the smallest of the
// word lists, in order of size, that has it (a phrase: its least common
// word); the number of lists when none has it.
using EnglishCommonness = std::function<std::size_t(std::string_view english)>;

// The parts of speech the analyser reads a headword as, as its own lemma
// ("aika": noun), in the names of the records' groups.
using OwnPartsOfSpeech = std::function<std::vector<std::string>(const std::string& headword)>;

struct MergeCounts {
    std::size_t inverted_dropped = 0;  // inverted meanings that only name an English inflection, where the headword has others
    std::size_t labelled_moved = 0;    // labelled meanings that came before a plain one of their group
    std::size_t first_changed = 0;     // headwords whose first meaning is another than in the sources' order
    std::size_t evidence_led = 0;      // headwords whose first meaning the evidence of use chose
    std::size_t evidence_groups = 0;   // of them, with another part of speech first
    std::size_t evidence_items = 0;    // headwords whose first meaning leads with another of its words
};

struct MergedGlosses {
    std::map<std::string, std::vector<format::PosGroup>> entries;
    // Headwords with no meaning of the Finnish-English side: all theirs are inverted.
    std::set<std::string> inverted_only;
    // Of those, the ones with a meaning as a particle (adverb, adposition,
    // conjunction) in an everyday English word, of the smallest English
    // list ("varsinkin": especially; not "sivulla": athwart).
    std::set<std::string> everyday_particles;
    MergeCounts counts;
};

class GlossMerger {
public:
    explicit GlossMerger(EnglishCommonness commonness = {}, OwnPartsOfSpeech own_pos = {},
                         const SenseEvidence* evidence = nullptr)
        : commonness_(std::move(commonness)), own_pos_(std::move(own_pos)), evidence_(evidence) {}

    // A Finnish-English record: each sense's translations are one meaning;
    // the Finnish descriptions are left out.
    void add_record(const DictdRecord& record);

    // An English-Finnish record: each Finnish translation gets the meaning
    // "english (description)" under the record's part of speech. One whose
    // description only names an English inflection ("third-person plural
    // present indicative of there be") is kept only for a headword that
    // has no other meaning ("nämä": "these (plural of this)").
    void add_inverted_record(const DictdRecord& record);

    // Each group's meanings: the Finnish-English ones, then the inverted
    // ones by the commonness of their English word, then by how many English
    // senses give the Finnish word, then by how many senses the English word
    // has, at most kMaxInvertedPerGroup of them; labelled ones (slang,
    // dated, …) after the plain ones. The groups with a Finnish-English
    // meaning first, of them the one of the part of speech the analyser
    // reads the headword as. Then, with evidence of use, a function word's
    // adposition or conjunction group (kFunctionWordFirsts), or else a sense
    // that is clearly more common (votes_to_lead) comes first: one of the
    // first group, or the first of another group with a Finnish-English
    // meaning, never one of a field (names_a_field).
    MergedGlosses merged() const;
    std::map<std::string, std::vector<format::PosGroup>> entries() const { return merged().entries; }
    std::size_t headword_count() const { return entries_.size(); }

private:
    struct Meaning {
        std::string text;
        bool inverted = false;
        std::string english;  // lower-case, for an inverted one
        bool names_inflection = false;
    };
    struct Group {
        std::string pos;
        std::vector<Meaning> meanings;
        std::set<std::string> words;  // lower-cased translation items of the forward side
    };
    // A kept group: its meanings in order, which of them are inverted, and
    // whether all of the source's meanings of the group were.
    struct Kept {
        format::PosGroup group;
        std::vector<bool> inverted;
        bool only_inverted = false;
    };
    Group& group_of(const std::string& headword, const std::string& pos);
    bool lead_with_function_word(const std::string& headword, std::vector<Kept>& groups) const;
    bool has_everyday_particle(const std::vector<Group>& groups) const;
    void lead_with_everyday_sense(const std::string& headword, std::vector<Kept>& groups, MergeCounts& counts) const;
    bool lead_with_everyday_word(const std::string& headword, std::string& meaning) const;
    std::vector<format::PosGroup> ordered(const std::string& headword, const std::vector<Group>& groups,
                                          MergeCounts& counts) const;

    EnglishCommonness commonness_;
    OwnPartsOfSpeech own_pos_;
    const SenseEvidence* evidence_ = nullptr;
    std::map<std::string, std::vector<Group>> entries_;
    // (Finnish headword, English word) -> how many English senses give that word.
    std::map<std::pair<std::string, std::string>, std::size_t> givers_;
    // English word -> its senses in the English-Finnish source: a word of
    // many senses is, as a rule, a word in common use.
    std::map<std::string, std::size_t, std::less<>> english_senses_;
};

// Whether an inverted record's description only names an English
// inflection: "third-person plural present indicative of there be".
bool describes_english_inflection(std::string_view description);

// Whether a meaning is of a field of knowledge or of use:
// "mode (computing: …)", "default ((electronics, computing) …)". Such a
// sense stays where the sources put it, however common its English word.
bool names_a_field(std::string_view meaning);

// Whether a meaning is marked as vulgar, slang, dated, archaic, obsolete,
// dialectal, rare or nonstandard: "dope (slang: inside information)".
bool is_labelled(std::string_view meaning);

}  // namespace lomperi::data_build

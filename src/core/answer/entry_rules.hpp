#pragma once
// The rules that choose a word's entry, in the order they are tried: the
// first that chooses wins. Each names its example words; a rule added here
// is one row and one function.
//
//   headword as written   kissa, talo: the word is its own best reading
//   lexicalised form      esimerkiksi, Lisäksi: a form of another word
//                         whose own entry says something of its own, also
//                         with a clitic (kotonakin: kotona);
//                         sillä, miksi: a pronoun's form whose entry
//                         leads as a conjunction, or as an adverb in a
//                         case of becoming or direction; varsinkin, lopulta: a case form
//                         whose entry the data build leads with its
//                         meanings as a particle
//   lemma with entry      talossa → talo; tiedot → tieto, then tiedot's own
//   derived word          tuettu → tukea's meanings under tuettu
//   compound              yläpalkki → ylä + palkki, each part's entry
//   analysed, no entry    a word the analyser reads is no other word
//   form in the lists     a word form the lists hold → its base
//
// None shows a headword that only begins like the word: that is a neighbour
// in the list, never the word's entry.
//
// After the first three, a participle whose entry only names its form
// ("määritelty": "past passive participle of määrittää") shows its verb
// (the described verb).
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/answer/entry_choice.hpp"

namespace lomperi::answer {

// What every rule reads: the spelling, its readings, and the best reading
// whose lemma has an entry (null when none has).
struct RuleInput {
    const morphology::Dictionary& dictionary;
    std::string_view listed;
    const std::vector<analysis::Reading>& readings;
    const analysis::Reading* best = nullptr;
    const KnownLists& known;
    // The words before read the word as its first reading's form.
    bool read_by_neighbours = false;
};

// What a rule chooses; a rule that chooses no headword ends the search
// with none.
struct Chosen {
    std::optional<std::string> headword;
    ListFocus focus = ListFocus::Matches;
    std::optional<std::string> also;
    std::optional<format::GlossRecord> built;
};

using EntryRule = std::optional<Chosen> (*)(const RuleInput&);

struct NamedRule {
    std::string_view name;
    EntryRule rule;
};

std::span<const NamedRule> entry_rules();

// The first rule that chooses, and its name; the described verb applied.
struct RuledChoice {
    Chosen chosen;
    std::string_view rule;
};
std::optional<RuledChoice> apply_entry_rules(const RuleInput& input);

}  // namespace lomperi::answer

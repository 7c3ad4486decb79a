#pragma once
// How a word of running text is read by the word before it. The rules, in
// the order they are tried, each with its example words:
//
//   a label in a sentence   valitse Tulosta, napsauta Muuta, kohdasta
//                           Toista: a word written with a capital inside a
//                           sentence names a menu item or a button, which
//                           is a command or a word in its basic form: the
//                           command first, not a noun's case form (tulo's
//                           "from income"); not an adjective's (Yleistä:
//                           General), a name's or a sentence's first word
//                           (Tulosta saa veroa)
//
//   after a negation verb   en ole, ei voi, emme tehneet, älä tee, ei hän
//                           ole, eivät mitenkään hurjan hyvin kävisi: the
//                           first verb within four words after it is the
//                           connegative, told as negative, not as the
//                           command or the person it is spelt like; a word
//                           read first as a personal or demonstrative
//                           pronoun stands between (ei siitä voi), another
//                           pronoun only further on (ei muuta: does not
//                           change; eikä mitään muuta), an adverb never
//                           (ei sisällä tasoja: does not contain); olla's
//                           infinitive is the passive's (ei olla); a past
//                           participle is its verb's form (ei ilmestynyt:
//                           ilmestyä)
//
//   joined to a connegative eivät iloitse ja juhli, en lue tai kirjoita:
//                           the verb right after "ja" or "tai" is one too
//
//   after olla              on tehty, oli ilmestynyt, en ole nähnyt, on
//                           jo tullut: the past participle in the
//                           nominative within two words is the perfect's,
//                           told as its verb's form by the verb (tehdä, not
//                           the participle's own entry "constructed")
//
//   after a modal verb      voit piilottaa, haluan tehdä, täytyy myös
//                           lukea: the first infinitive of the first verb
//                           within two words, not the person it is spelt
//                           like
//
//   after a subject         se osaa, hän tapaa, joka vastaa, suodin lisää:
//                           right after a pronoun or a noun (not one of an
//                           amount: osa kuvaa) in the nominative singular,
//                           the verb's present third person, not
//                           the partitive it is spelt like
//
//   after an adjective     vanha kuusi, laaja tuki, kaksi tapaa, pari
//   or a numeral            päivää, monta kertaa: right after an adjective,
//                           the noun in its case and number; after a
//                           numeral in the nominative, a noun of an amount
//                           or monta, the partitive singular; not over a
//                           particle (tarkemmin kuin), a name (Uudelle
//                           Saksalle) or a verb's present after a
//                           nominative (jokainen voi, pari menee)
//
//   koko: whole or size    koko kuvan, vaikuttaa koko kuvaan: uninflected,
//                           the adjective "whole"; the noun "size" after a
//                           genitive or a word that qualifies it (kuvan
//                           koko, sen koko, suurempi koko)
//
//   "et" after a verb      sanoin et, tietää et: the spoken "että" (that),
//                           not the negation verb, which follows no verb
//
// A rule puts the reading it names first and tells it as what it is there;
// the entry shown is that reading's (se osaa: osata, not osa), never an
// entry of the word's own (kaksi päivää: days, not the greeting). No rule
// reaches over a sentence's end.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "core/analysis/reading.hpp"

namespace lomperi::answer {

// How far back the rules look: a negation verb with four words between it
// and its verb. A reader of one word of a text reads this many before it.
inline constexpr std::size_t kWordsLookedBack = 5;

// Reads the words of a line one after another.
class NeighbourRules {
public:
    // The readings of `word` (as written), best first, read after the words
    // before them; whether a rule read the word as the form it puts first.
    bool read(std::string_view word, std::vector<analysis::Reading>& readings);
    // No rule reaches over a sentence's end ("Ei mikään. Minkään tason kokoa").
    void end_sentence() { *this = NeighbourRules{}; }
    // The standard word a spoken one stands for after the words before it
    // ("sanoin et": että), if it does.
    std::optional<std::string_view> spoken_standard(std::string_view word) const;

private:
    // The negation verb not yet followed by its verb, and how many words ago.
    std::optional<analysis::Reading> negation_;
    std::size_t since_negation_ = 0;
    std::size_t words_before_connegative_ = 0;
    // The negation verb whose verb was the word before, which "ja" or "tai" may carry on.
    std::optional<analysis::Reading> negated_verb_;
    // The same for a modal verb and its infinitive, and for olla and the participle of its perfect.
    bool modal_ = false;
    std::size_t since_modal_ = 0;
    bool perfect_ = false;
    std::size_t since_perfect_ = 0;
    // Whether the word before is a pronoun that may be the subject.
    bool subject_ = false;
    // The case and number of a noun that agrees with the word before.
    std::optional<analysis::Form> agreeing_;
    // Whether the word before makes "koko" the noun.
    bool takes_size_ = false;
    // Whether the word before is a verb, which no negation verb follows.
    bool after_verb_ = false;
    // How many words of the sentence, read as words, came before.
    std::size_t words_in_sentence_ = 0;
};

}  // namespace lomperi::answer

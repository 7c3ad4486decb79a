#include "core/answer/neighbour_rules.hpp"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "base/text.hpp"

namespace lomperi::answer {
namespace {

using analysis::Form;
using analysis::Mood;
using analysis::Negative;
using analysis::Reading;

bool is_negation(const Reading* reading) {
    return reading != nullptr && reading->form.word_class == analysis::WordClass::NegationVerb;
}

// A verb form a negation verb takes: a finite form that may be negative
// (the present connegative is spelt as the second-person command), or the
// past active participle (en ollut) and the passive's past (ei tehty). A
// question's negation takes the focus clitic -kin, which a statement's
// does not (eivätkö olekin).
bool may_follow_negation(const Form& form, const Form& negation) {
    if (form.word_class != analysis::WordClass::Verb && form.participle == analysis::Participle::None) return false;
    const bool question_focus =
        negation.clitics.contains(analysis::Clitic::Ko) && form.clitics.contains(analysis::Clitic::Kin);
    if (form.negative == Negative::No && !question_focus) return false;
    if (form.participle == analysis::Participle::PastActive || form.participle == analysis::Participle::PastPassive) {
        return form.grammatical_case == analysis::Case::Nominative;
    }
    return form.mood != Mood::None && form.infinitive == analysis::Infinitive::None;
}

// A past participle in the nominative of a verb that is no compound.
bool is_perfect_participle(const Reading& reading) {
    const analysis::Participle participle = reading.form.participle;
    return (participle == analysis::Participle::PastActive || participle == analysis::Participle::PastPassive) &&
           reading.form.grammatical_case == analysis::Case::Nominative && reading.compound_parts == 1 &&
           reading.parts.size() == 1 && reading.form.possessive == analysis::Possessive::None;
}

// A past participle of a verb chain ("oli ilmestynyt", "ei ilmestynyt") is
// its verb's form, told by the verb rather than by an entry of its own.
void tell_by_its_verb(Reading& participle) {
    if (!is_perfect_participle(participle)) return;
    participle.lemma = participle.parts.front().lemma;
    participle.form.word_class = analysis::WordClass::Verb;
}

// olla's passive connegative is spelt as its first infinitive (ei olla,
// me ei olla): the transducer gives every other verb that reading, not olla.
bool is_olla_infinitive(const Reading& reading) {
    return reading.lemma == "olla" && reading.form.infinitive == analysis::Infinitive::A &&
           reading.form.grammatical_case == analysis::Case::None;
}

Reading as_passive_connegative(Reading reading) {
    Form passive{.word_class = analysis::WordClass::Verb, .person = analysis::Person::Passive, .mood = Mood::Indicative,
                 .tense = analysis::Tense::Present, .clitics = reading.form.clitics, .negative = Negative::Yes};
    reading.form = passive;
    for (auto& morph : reading.morphs) {
        if (morph.form.infinitive != analysis::Infinitive::None) morph.form = Form{.person = analysis::Person::Passive, .negative = Negative::Yes};
    }
    return reading;
}

// The form as the connegative: negative, the person told by the negation
// verb; a command's spelling after a statement's negation is the present.
Form as_connegative(Form form, Mood negation_mood) {
    form.negative = Negative::Yes;
    if (form.participle != analysis::Participle::None) return form;
    if (form.mood == Mood::Imperative && negation_mood != Mood::Imperative) {
        form.mood = Mood::Indicative;
        form.tense = analysis::Tense::Present;
    }
    if (form.person != analysis::Person::Passive) {
        form.person = analysis::Person::None;
        form.number = analysis::Number::None;
    }
    return form;
}

// The personal and demonstrative pronouns: the subject or object that may
// stand between a negation verb and its verb ("en minä ole", "ei siitä voi").
constexpr std::string_view kPronounsBetween[] = {
    "he", "hän", "me", "minä", "ne", "nuo", "nämä", "se", "sinä", "te", "tuo", "tämä",
};

// Whether a word stands between a negation verb and its verb, whatever verb
// it may also be: one read first as a personal or demonstrative pronoun
// ("ei siitä voi", not siittää's command), or as another pronoun further on
// ("eikä mitään muuta"). Right after the negation verb, another pronoun's
// form is the verb it is spelt like ("ei muuta kuvaa": does not change; "en
// muista": I do not remember). An adverb never stands between: "ei sisällä"
// is sisältää's far more often.
bool stands_between(const std::vector<Reading>& readings, bool right_after_negation) {
    if (readings.empty() || readings.front().form.word_class != analysis::WordClass::Pronoun) return false;
    if (!right_after_negation) return true;
    return std::ranges::find(kPronounsBetween, readings.front().lemma) != std::end(kPronounsBetween);
}

// Whether the readings hold one a negation verb takes; if so it is put first, as the connegative.
bool connegative_after_negation(const Reading& negation, std::vector<Reading>& readings, bool right_after_negation) {
    if (stands_between(readings, right_after_negation)) return false;
    const auto found = std::ranges::find_if(readings, [&](const Reading& r) { return may_follow_negation(r.form, negation.form); });
    if (found == readings.end()) {
        const auto olla = std::ranges::find_if(readings, is_olla_infinitive);
        if (olla == readings.end()) return false;
        Reading passive = as_passive_connegative(std::move(*olla));
        readings.erase(olla);
        readings.insert(readings.begin(), std::move(passive));
        return true;
    }
    Reading connegative = std::move(*found);
    readings.erase(found);
    tell_by_its_verb(connegative);
    const Mood mood = negation.form.mood;
    connegative.form = as_connegative(connegative.form, mood);
    for (auto& morph : connegative.morphs) {
        if (morph.form.mood != Mood::None || morph.form.person != analysis::Person::None) {
            morph.form = as_connegative(morph.form, mood);
        }
    }
    readings.insert(readings.begin(), std::move(connegative));
    return true;
}

// "eivät iloitse ja juhli": a verb joined by "ja" or "tai" to a connegative is one too.
bool joins_verbs(const std::vector<Reading>& readings) {
    if (readings.empty() || readings.front().form.word_class != analysis::WordClass::Conjunction) return false;
    return readings.front().lemma == "ja" || readings.front().lemma == "tai";
}

// The verbs whose verb is a first infinitive ("voit piilottaa"), as
// grammars of Finnish list the common ones. Not tarvita: far more often
// it needs a thing ("tarvitaan uusia työvälineitä": new tools, not renew).
constexpr std::string_view kModalVerbs[] = {
    "aikoa", "alkaa", "ehtiä", "haluta", "jaksaa", "kannattaa", "osata", "pitää", "pystyä",
    "saattaa", "täytyy", "täytyä", "uskaltaa", "viitsiä", "voida", "yrittää",
};

bool is_modal(const Reading& reading) {
    return reading.form.word_class == analysis::WordClass::Verb && reading.form.infinitive == analysis::Infinitive::None &&
           std::ranges::find(kModalVerbs, reading.lemma) != std::end(kModalVerbs);
}

// Whether the readings hold a first infinitive; if so it is put first.
bool infinitive_after_modal(std::vector<Reading>& readings) {
    const auto found = std::ranges::find_if(readings, [](const Reading& r) {
        return r.form.infinitive == analysis::Infinitive::A && r.form.grammatical_case == analysis::Case::None;
    });
    if (found == readings.end()) return false;
    std::rotate(readings.begin(), found, found + 1);
    return true;
}

// olla in any form but a participle: the auxiliary of the perfect ("on
// tehty", "oli ilmestynyt", "en ole nähnyt", "voi olla tehnyt").
bool is_perfect_auxiliary(const Reading& reading) {
    return reading.lemma == "olla" && reading.form.word_class == analysis::WordClass::Verb &&
           reading.form.participle == analysis::Participle::None;
}

// A word or two may stand between olla and its participle ("on jo tehty",
// "oli hän ehtinyt"), but not a conjunction or a verb, which begin another
// clause ("se oli, kun ei huutanut").
bool may_stand_in_perfect(const std::vector<Reading>& readings) {
    if (readings.empty()) return false;
    const analysis::WordClass word_class = readings.front().form.word_class;
    return word_class != analysis::WordClass::Conjunction && word_class != analysis::WordClass::Verb &&
           word_class != analysis::WordClass::NegationVerb;
}

// Whether the readings hold a past participle of the perfect; if so it is
// put first as its verb's form, told by the verb ("oli ilmestynyt":
// ilmestyä "appear", not the adjective "out" of the participle's own entry;
// "on tehty": tehdä, not "constructed").
bool participle_of_perfect(std::vector<Reading>& readings) {
    const auto found = std::ranges::find_if(readings, is_perfect_participle);
    if (found == readings.end()) return false;
    Reading verbal = std::move(*found);
    readings.erase(found);
    tell_by_its_verb(verbal);
    readings.insert(readings.begin(), std::move(verbal));
    return true;
}

// Nouns of a share or an amount, whose partitive follows them as what they
// measure ("osa kuvaa": part of the image, "koko kuvaa": the whole image).
constexpr std::string_view kAmountNouns[] = {
    "enemmistö", "koko", "määrä", "osa", "pala", "pari", "puoli",
};

bool is_amount_noun(const Reading& reading) {
    return reading.form.word_class == analysis::WordClass::Noun &&
           std::ranges::find(kAmountNouns, reading.lemma) != std::end(kAmountNouns);
}

// A pronoun or noun that may be the subject: one in the nominative singular
// ("se", "tämä", "hän", "joka", "suodin"), not a noun of an amount.
bool is_singular_subject(const Reading& reading) {
    const Form& form = reading.form;
    if (form.grammatical_case != analysis::Case::Nominative || form.number != analysis::Number::Singular) return false;
    if (form.word_class == analysis::WordClass::Pronoun) return true;
    return form.word_class == analysis::WordClass::Noun && !is_amount_noun(reading);
}

// A word that takes the partitive singular of what it counts, as a numeral
// in the nominative does: a noun of an amount in the nominative singular
// ("pari päivää", "määrä rahaa") and monta ("monta kertaa").
bool takes_partitive(const Reading& reading) {
    const Form& form = reading.form;
    const bool nominative = form.grammatical_case == analysis::Case::Nominative && form.number == analysis::Number::Singular;
    const bool monta = reading.lemma == "moni" && form.grammatical_case == analysis::Case::Partitive &&
                       form.number == analysis::Number::Singular;
    return (nominative && is_amount_noun(reading)) || monta;
}

// Whether the readings hold the present third person singular of a verb; if
// so it is put first ("se osaa", not the partitive of osa).
bool verb_after_subject(std::vector<Reading>& readings) {
    if (readings.empty() || readings.front().form.word_class == analysis::WordClass::Verb) return false;
    const auto found = std::ranges::find_if(readings, [](const Reading& r) {
        const Form& f = r.form;
        return f.word_class == analysis::WordClass::Verb && f.mood == Mood::Indicative && f.tense == analysis::Tense::Present &&
               f.person == analysis::Person::Third && f.number == analysis::Number::Singular;
    });
    if (found == readings.end()) return false;
    std::rotate(readings.begin(), found, found + 1);
    return true;
}

// The case and number a noun takes after an adjective or a numeral: the
// adjective's own ("vanhassa kuusessa"); after a numeral in the nominative,
// or a word that counts as one does, the partitive singular ("kaksi
// kuusta", "pari päivää", "monta kertaa").
std::optional<Form> agreeing_noun(const Reading& reading) {
    const Form& form = reading.form;
    if (form.grammatical_case == analysis::Case::None || form.possessive != analysis::Possessive::None) return std::nullopt;
    if (form.word_class == analysis::WordClass::Adjective && form.participle == analysis::Participle::None) {
        return Form{.word_class = analysis::WordClass::Noun, .grammatical_case = form.grammatical_case, .number = form.number};
    }
    if (form.word_class != analysis::WordClass::Numeral && !takes_partitive(reading)) return std::nullopt;
    if (form.grammatical_case == analysis::Case::Nominative || takes_partitive(reading)) {
        return Form{.word_class = analysis::WordClass::Noun, .grammatical_case = analysis::Case::Partitive,
                    .number = analysis::Number::Singular};
    }
    return Form{.word_class = analysis::WordClass::Noun, .grammatical_case = form.grammatical_case, .number = form.number};
}

// Whether the readings hold a noun in the case and number it agrees in; if
// so it is put first, or is first already ("vanha kuusi": an old spruce, not
// six; "laaja tuki": support, not supported). A particle stays ("tarkemmin
// kuin": than), and
// so does a name in the case ("Uudelle Saksalle"), and a verb's present after
// a nominative, which may be its subject ("jokainen voi").
bool noun_in_agreement(const Form& agreeing, std::vector<Reading>& readings) {
    if (readings.empty()) return false;
    const auto in_case = [&](const Reading& r) {
        return r.form.grammatical_case == agreeing.grammatical_case && r.form.number == agreeing.number &&
               r.form.possessive == analysis::Possessive::None && r.form.participle == analysis::Participle::None;
    };
    const auto agrees = [&](const Reading& r) { return r.form.word_class == analysis::WordClass::Noun && in_case(r); };
    const Form& first = readings.front().form;
    const bool particle = first.word_class == analysis::WordClass::Adverb ||
                          first.word_class == analysis::WordClass::Adposition ||
                          first.word_class == analysis::WordClass::Conjunction;
    const bool present = first.word_class == analysis::WordClass::Verb && first.tense == analysis::Tense::Present &&
                         first.mood == Mood::Indicative && agreeing.grammatical_case == analysis::Case::Nominative;
    if (particle || present) return false;
    if (agrees(readings.front())) return true;
    if (analysis::is_name(first.word_class) && in_case(readings.front())) return false;
    const auto found = std::ranges::find_if(readings, agrees);
    if (found == readings.end()) return false;
    std::rotate(readings.begin(), found, found + 1);
    return true;
}

// Whether a word makes the "koko" after it the noun "size": a genitive whose
// size it is ("kuvan koko", "sen koko") or a word that qualifies it
// ("suurempi koko", "muutettava koko", "tämä koko"); not the participle of
// a verb's past ("on pitänyt koko vuoden").
bool takes_size(const Reading& reading) {
    const Form& form = reading.form;
    if (form.grammatical_case == analysis::Case::Genitive) return true;
    if (form.participle == analysis::Participle::PastActive) return false;
    const bool qualifier = form.word_class == analysis::WordClass::Adjective ||
                           form.word_class == analysis::WordClass::Numeral ||
                           form.word_class == analysis::WordClass::Pronoun || form.participle != analysis::Participle::None;
    return qualifier && form.grammatical_case == analysis::Case::Nominative;
}

// "koko kuvan", "koko ajan": koko uninflected is the adjective "whole",
// which the analyser reads as the noun "size" it is spelt like; it is the
// noun after a word that takes a size.
void whole_unless_size(bool after_size_taker, std::vector<Reading>& readings) {
    if (after_size_taker || readings.empty()) return;
    Reading& first = readings.front();
    if (first.lemma != "koko" || first.form.word_class != analysis::WordClass::Noun || !analysis::is_basic_form(first)) return;
    first.form.word_class = analysis::WordClass::Adjective;
}

// Written with a capital and the rest in lower case ("Tulosta", not "PNG").
bool is_capitalized(std::string_view word) {
    // Most words of a text begin with a small ASCII letter: no case is folded for them.
    if (word.empty() || (static_cast<unsigned char>(word[0]) < 0x80 && !(word[0] >= 'A' && word[0] <= 'Z'))) return false;
    const std::string lower = lower_case(word);
    return lower != word && lower == lower_case_first(word);
}

// A label is not an adjective's case form, but it may stand for one's noun
// ("Yleistä": General, not generalise).
bool is_case_form_of_a_noun(const Form& form) {
    using analysis::WordClass;
    const bool noun = form.word_class == WordClass::Noun || form.word_class == WordClass::Pronoun ||
                      form.word_class == WordClass::Numeral;
    return noun && form.grammatical_case != analysis::Case::None && form.grammatical_case != analysis::Case::Nominative;
}

bool is_command(const Form& form) {
    return form.word_class == analysis::WordClass::Verb && form.mood == Mood::Imperative &&
           form.person == analysis::Person::Second && form.number == analysis::Number::Singular;
}

// "valitse Tulosta": a word with a capital inside a sentence is a label; if
// it is read first as a case form of a noun and a command's reading is
// there, the command is put first.
bool command_as_label(std::vector<Reading>& readings) {
    if (readings.empty() || !is_case_form_of_a_noun(readings.front().form)) return false;
    const auto command = std::ranges::find_if(readings, [](const Reading& r) { return is_command(r.form); });
    if (command == readings.end()) return false;
    std::rotate(readings.begin(), command, std::next(command));
    return true;
}

// "ei hän ole", "eivät mitenkään hurjan hyvin kävisi": up to four words
// may stand between a negation verb and its verb; "voit myös piilottaa":
// a word or two between a modal verb and its infinitive.
constexpr std::size_t kWordsBeforeConnegative = kWordsLookedBack - 1;
constexpr std::size_t kWordsBeforeInfinitive = 2;
// "on jo tehty", "oli hän ehtinyt": a word or two between olla and its participle.
constexpr std::size_t kWordsBeforeParticiple = 2;

}  // namespace

std::optional<std::string_view> NeighbourRules::spoken_standard(std::string_view word) const {
    if (after_verb_ && (word == "et" || word == "Et")) return "että";
    return std::nullopt;
}

bool NeighbourRules::read(std::string_view word, std::vector<Reading>& readings) {
    bool told = words_in_sentence_ > 0 && is_capitalized(word) && command_as_label(readings);
    // A dash or a number that opens a sentence ("− Tulosta syntyy") is no word of it.
    if (!readings.empty()) ++words_in_sentence_;
    if (!readings.empty() && is_negation(&readings.front())) {
        perfect_ = false;
        negation_ = readings.front();
        since_negation_ = 0;
        words_before_connegative_ = kWordsBeforeConnegative;
        return told;
    }
    if (negated_verb_ && joins_verbs(readings)) {
        // The next word only: "en lue ja kirjoita", not "ei ole rahaa ja aikaa ... ole".
        negation_ = std::move(negated_verb_);
        since_negation_ = 0;
        words_before_connegative_ = 0;
        negated_verb_.reset();
        return told;
    }
    negated_verb_.reset();
    const bool participle = perfect_ && participle_of_perfect(readings);
    if (perfect_ && (participle || !may_stand_in_perfect(readings) || ++since_perfect_ > kWordsBeforeParticiple)) {
        perfect_ = false;
    }
    if (participle) {
        // Told as the verb's form, which no other rule reads again.
        told = true;
    } else if (negation_) {
        if (connegative_after_negation(*negation_, readings, since_negation_ == 0)) {
            told = true;
            negated_verb_ = std::move(negation_);
            negation_.reset();
        } else if (++since_negation_ > words_before_connegative_) {
            negation_.reset();
        }
        // "en voi tehdä": the connegative may be a modal verb's.
    } else if (modal_) {
        const bool infinitive = infinitive_after_modal(readings);
        told = told || infinitive;
        if (infinitive || ++since_modal_ > kWordsBeforeInfinitive) modal_ = false;
    } else {
        // The verb of a subject first; else the noun an adjective or a numeral agrees with.
        const bool verb_of_subject = subject_ && verb_after_subject(readings);
        const bool in_agreement = !verb_of_subject && agreeing_ && noun_in_agreement(*agreeing_, readings);
        told = told || verb_of_subject || in_agreement;
    }
    whole_unless_size(takes_size_, readings);
    subject_ = !readings.empty() && is_singular_subject(readings.front());
    takes_size_ = !readings.empty() && takes_size(readings.front());
    after_verb_ = !readings.empty() && readings.front().form.word_class == analysis::WordClass::Verb;
    agreeing_ = readings.empty() ? std::nullopt : agreeing_noun(readings.front());
    if (!readings.empty() && is_modal(readings.front())) {
        modal_ = true;
        since_modal_ = 0;
    }
    if (!readings.empty() && is_perfect_auxiliary(readings.front())) {
        perfect_ = true;
        since_perfect_ = 0;
    }
    return told;
}

}  // namespace lomperi::answer

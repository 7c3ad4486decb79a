#include "core/morphology/reading_order.hpp"

#include <algorithm>
#include <string>
#include <tuple>

#include "base/text.hpp"
#include "core/morphology/analysis.hpp"

namespace lomperi::morphology {
namespace {

using analysis::Case;
using analysis::Reading;
using analysis::WordClass;

bool starts_with_capital(std::string_view text) { return !text.empty() && lower_case_first(text) != text; }

// voida has no third infinitive or agent participle in use: "voimassa",
// "voimaan" are voima's (in force, into force), not "being able".
bool is_unused_form(const Reading& reading) {
    const analysis::Form& form = reading.form;
    const bool participle = form.participle != analysis::Participle::None && !reading.parts.empty();
    const std::string_view verb = participle ? std::string_view(reading.parts.front().lemma) : std::string_view(reading.lemma);
    return verb == "voida" && (form.infinitive == analysis::Infinitive::Ma || form.participle == analysis::Participle::Agent);
}

std::size_t rarity(const Reading& reading) {
    const analysis::Form& form = reading.form;
    // "minä" is "I" far more often than "as what", the essive of "mikä".
    const bool pronoun_essive = form.word_class == WordClass::Pronoun && form.grammatical_case == Case::Essive;
    const bool rare_case = form.grammatical_case == Case::Instructive || form.grammatical_case == Case::Comitative ||
                           form.grammatical_case == Case::Abessive || form.grammatical_case == Case::Accusative ||
                           pronoun_essive;
    return (rare_case ? 1 : 0) + (form.possessive == analysis::Possessive::None ? 0 : 1) + (is_unused_form(reading) ? 2 : 0);
}

// "jälkeen" (after) is also an illative of "jälki" (track), "ilman" (without)
// a genitive of "ilma" (air), "kukin" (each) a present of "kukkia" (bloom):
// the particle or pronoun that is written so as it stands is the everyday
// reading, though the other lemma's forms are used more. Its entry must be
// of that word, not of a noun spelt the same ("luo": "Luo").
bool is_word_as_written(const Dictionary& dictionary, const Reading& reading, std::string_view word) {
    const WordClass word_class = reading.form.word_class;
    const bool pronoun = word_class == WordClass::Pronoun;
    const bool particle =
        word_class == WordClass::Adverb || word_class == WordClass::Adposition || word_class == WordClass::Conjunction;
    if (!(particle || pronoun) || !is_basic_form(reading) || reading.lemma != lower_case_first(word)) return false;
    const auto record = dictionary.gloss_record(reading.lemma);
    if (!record) return false;
    return std::ranges::any_of(record->groups, [&](const format::PosGroup& group) {
        return pronoun ? group.pos == "pron" : particle_class(group.pos) != WordClass::None;
    });
}

// How much less used than a verb a word may be, as a rank, for its basic
// form to come before the verb's command spelt alike (tapa 164, tappaa 69;
// kutsu 702, kutsua 237; not sulje 2207, sulkea 594).
constexpr std::size_t kCommandRankRatio = 3;

// How much less used than an adjective a noun may be, as a rank, to come
// before it in a case they share (vaali 2722, vaalea 2167).
constexpr std::size_t kNounRankRatio = 2;

std::uint16_t lemma_rank(const Dictionary& dictionary, const Reading& reading) {
    const auto id = base_id(dictionary, reading.lemma);
    return id ? dictionary.ranks.rank(*id) : format::kUnranked;
}

// The pronouns are the most used words there are, whatever rank the
// frequency list gives an indefinite one whose forms voikko reads as
// another's ("kustakin" is kukin's, not a partitive of kusi).
std::uint16_t pronoun_or_rank(const Dictionary& dictionary, const Reading& reading) {
    return reading.form.word_class == WordClass::Pronoun ? std::uint16_t{0} : lemma_rank(dictionary, reading);
}

// A word's readings, for the rules that weigh one reading against the others.
struct Company {
    const Dictionary& dictionary;
    const std::vector<Reading>& readings;
    std::string_view word;
    std::string as_headword;  // the word as its headword would be spelt ("Tapa": tapa)

    bool any(auto&& rule) const { return std::ranges::any_of(readings, rule); }
};

// The twins: a reading spelt like a commoner form of the same word.

// A present indicative spelt like a past or an imperative of the same
// verb ("voi", "voivat", "saa") is far more common than either.
bool present_twin(const Company& company, const Reading& r) {
    const bool past_or_command = r.form.tense == analysis::Tense::Past || r.form.mood == analysis::Mood::Imperative;
    return past_or_command && company.any([&](const Reading& other) {
               return other.lemma == r.lemma && other.form.tense == analysis::Tense::Present &&
                      other.form.mood == analysis::Mood::Indicative;
           });
}

// The past active participle "ollut" (been) is far more common than the
// plural of the passive's "oltu" spelt alike (tullut, mennyt, purrut).
bool passive_twin(const Company& company, const Reading& r) {
    if (r.form.participle != analysis::Participle::PastPassive || r.form.number != analysis::Number::Plural) return false;
    return company.any([&](const Reading& other) {
        return other.form.participle == analysis::Participle::PastActive && !other.parts.empty() && !r.parts.empty() &&
               other.parts.front().lemma == r.parts.front().lemma;
    });
}

// "seitsemän", "kymmenen": the nominative, not the genitive spelt alike.
bool nominative_twin(const Company& company, const Reading& r) {
    if (r.form.grammatical_case != Case::Genitive || r.form.number != analysis::Number::Singular) return false;
    return company.any([&](const Reading& other) {
        return other.lemma == r.lemma && other.form.grammatical_case == Case::Nominative &&
               other.form.number == analysis::Number::Singular && other.form.word_class == r.form.word_class;
    });
}

// The neighbours: a reading spelt like another word's form that is likelier.

// "tapa" (way) is the noun as written before the command of tappaa it is
// spelt like, as the noun is used nearly as much as the verb, whose forms
// are many: a command is a rare form. Not "tee" (tea), "sulje"
// (parenthesis): far rarer than tehdä and sulkea, whose commands a help
// text is full of.
bool command_of_another(const Company& company, const Reading& r) {
    if (r.form.mood != analysis::Mood::Imperative || r.lemma == company.as_headword) return false;
    std::uint16_t basic_form_rank = format::kUnranked;
    for (const Reading& other : company.readings) {
        if (other.lemma == company.as_headword && analysis::is_basic_form(other) && !analysis::is_name(other.form.word_class)) {
            basic_form_rank = std::min(basic_form_rank, lemma_rank(company.dictionary, other));
        }
    }
    if (basic_form_rank == format::kUnranked) return false;
    return basic_form_rank <= kCommandRankRatio * std::size_t{lemma_rank(company.dictionary, r)};
}

// "vaaleissa": the noun (vaalit, elections) before the adjective spelt
// alike in its case (vaalea, pale), when the two are used about as much:
// an adjective qualifies a noun, which a text has more of.
bool adjective_beside_noun(const Company& company, const Reading& r) {
    if (r.form.word_class != WordClass::Adjective || r.form.participle != analysis::Participle::None ||
        r.form.grammatical_case == Case::None || r.form.grammatical_case == Case::Nominative) {
        return false;
    }
    const std::size_t rank = lemma_rank(company.dictionary, r);
    return company.any([&](const Reading& other) {
        return other.lemma != r.lemma && other.form.word_class == WordClass::Noun &&
               other.form.grammatical_case == r.form.grammatical_case && other.form.number == r.form.number &&
               lemma_rank(company.dictionary, other) <= kNounRankRatio * rank;
    });
}

// "vastaa": vastata's, not a partitive of vasta, whose rank its adverb
// (only, just) earned: a case of a noun whose entry leads with a particle
// comes after another word's verb spelt alike that is used about as much
// as the whole headword (vastata 266, vasta 226; not kohdata 708, kohta 306).
bool case_of_a_particle(const Company& company, const Reading& r) {
    if (r.form.word_class != WordClass::Noun || analysis::is_basic_form(r)) return false;
    const std::size_t rank = lemma_rank(company.dictionary, r);
    const bool verb_beside = company.any([&](const Reading& other) {
        return other.lemma != r.lemma && other.form.word_class == WordClass::Verb &&
               2 * std::size_t{lemma_rank(company.dictionary, other)} <= 3 * rank;
    });
    if (!verb_beside) return false;
    const auto record = company.dictionary.gloss_record(r.lemma);
    return record && !record->groups.empty() && particle_class(record->groups.front().pos) != WordClass::None;
}

// How rare a reading's form is among the word's readings (key 5).
std::size_t rarity_in_company(const Company& company, const Reading& r) {
    // "tehdä" is the infinitive before it is the passive's negative form.
    const bool form_of_itself = r.form.person == analysis::Person::Passive && r.lemma == company.as_headword;
    const bool twin = present_twin(company, r) || passive_twin(company, r) || nominative_twin(company, r);
    const bool neighbour =
        command_of_another(company, r) || adjective_beside_noun(company, r) || case_of_a_particle(company, r);
    return rarity(r) + (form_of_itself ? 1 : 0) + (twin ? 1 : 0) + (neighbour ? 1 : 0);
}

using Keys = std::tuple<bool, bool, std::size_t, std::size_t, bool, std::size_t, std::uint16_t, std::size_t>;

Keys keys_of(const Company& company, const Reading& r, std::size_t k) {
    // A derived word with an entry of its own is a word like any other ("valinta").
    const bool entry = has_entry(company.dictionary, r);
    const bool name_not_written_so = !starts_with_capital(company.word) && starts_with_capital(r.lemma);
    return {!entry,
            name_not_written_so,
            r.compound_parts,
            entry ? 0 : r.derivations,
            !is_word_as_written(company.dictionary, r, company.word),
            rarity_in_company(company, r),
            pronoun_or_rank(company.dictionary, r),
            k};
}

}  // namespace

std::vector<Reading> in_reading_order(const Dictionary& dictionary, std::string_view word, std::vector<Reading> readings) {
    const Company company{dictionary, readings, word, lower_case_first(word)};
    std::vector<std::pair<Keys, std::size_t>> keyed;
    keyed.reserve(readings.size());
    for (std::size_t k = 0; k < readings.size(); ++k) keyed.emplace_back(keys_of(company, readings[k], k), k);
    std::ranges::sort(keyed);
    std::vector<Reading> ordered;
    ordered.reserve(readings.size());
    for (const auto& [keys, k] : keyed) ordered.push_back(std::move(readings[k]));
    return ordered;
}

}  // namespace lomperi::morphology

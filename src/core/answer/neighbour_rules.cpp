#include "core/answer/neighbour_rules.hpp"

#include <algorithm>
#include <iterator>
#include <string_view>

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
// past active participle (en ollut) and the passive's past (ei tehty).
bool may_follow_negation(const Form& form) {
    if (form.word_class != analysis::WordClass::Verb && form.participle == analysis::Participle::None) return false;
    if (form.negative == Negative::No) return false;
    if (form.participle == analysis::Participle::PastActive || form.participle == analysis::Participle::PastPassive) {
        return form.grammatical_case == analysis::Case::Nominative;
    }
    return form.mood != Mood::None && form.infinitive == analysis::Infinitive::None;
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

// Whether the readings hold one a negation verb takes; if so it is put first, as the connegative.
// A word read first as a pronoun is one of the words between ("ei siitä
// voi", not siittää's command).
bool connegative_after_negation(const Reading& negation, std::vector<Reading>& readings) {
    if (!readings.empty() && readings.front().form.word_class == analysis::WordClass::Pronoun) return false;
    const auto found = std::ranges::find_if(readings, [](const Reading& r) { return may_follow_negation(r.form); });
    if (found == readings.end()) return false;
    Reading connegative = std::move(*found);
    readings.erase(found);
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

// The verbs whose verb is a first infinitive ("voit piilottaa"), as
// grammars of Finnish list the common ones.
constexpr std::string_view kModalVerbs[] = {
    "aikoa", "alkaa", "ehtiä", "haluta", "jaksaa", "kannattaa", "osata", "pitää", "pystyä",
    "saattaa", "tarvita", "täytyy", "täytyä", "uskaltaa", "viitsiä", "voida", "yrittää",
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

// "ei hän ole", "eivät mitenkään hurjan hyvin kävisi": up to four words
// may stand between a negation verb and its verb; "voit myös piilottaa":
// a word or two between a modal verb and its infinitive.
constexpr std::size_t kWordsBeforeConnegative = 4;
constexpr std::size_t kWordsBeforeInfinitive = 2;

}  // namespace

void NeighbourRules::read(std::vector<Reading>& readings) {
    if (!readings.empty() && is_negation(&readings.front())) {
        negation_ = readings.front();
        since_negation_ = 0;
        return;
    }
    if (negation_) {
        if (connegative_after_negation(*negation_, readings) || ++since_negation_ > kWordsBeforeConnegative) negation_.reset();
        // "en voi tehdä": the connegative may be a modal verb's.
    } else if (modal_) {
        if (infinitive_after_modal(readings) || ++since_modal_ > kWordsBeforeInfinitive) modal_ = false;
    }
    if (!readings.empty() && is_modal(readings.front())) {
        modal_ = true;
        since_modal_ = 0;
    }
}

}  // namespace lomperi::answer

#include "core/analysis/voikko_tags.hpp"

#include <utility>

namespace lomperi::analysis {
namespace {

template <class Code, std::size_t N>
Code find(const std::pair<std::string_view, Code> (&tags)[N], std::string_view letters, Code none = {}) {
    for (const auto& [tag, code] : tags) {
        if (tag == letters) return code;
    }
    return none;
}

constexpr std::pair<std::string_view, WordClass> kWordClasses[] = {
    {"n", WordClass::Noun},          {"l", WordClass::Adjective},     {"nl", WordClass::NounAdjective},
    {"h", WordClass::Interjection},  {"ee", WordClass::GivenName},    {"es", WordClass::Surname},
    {"ep", WordClass::PlaceName},    {"em", WordClass::Name},         {"t", WordClass::Verb},
    {"a", WordClass::Abbreviation},  {"s", WordClass::Adverb},        {"u", WordClass::Numeral},
    {"ur", WordClass::RomanNumeral}, {"r", WordClass::Pronoun},       {"c", WordClass::Conjunction},
    {"d", WordClass::Adposition},    {"k", WordClass::NegationVerb},  {"p", WordClass::Prefix},
};
constexpr std::pair<std::string_view, Case> kCases[] = {
    {"n", Case::Nominative},   {"g", Case::Genitive},  {"p", Case::Partitive},   {"es", Case::Essive},
    {"tr", Case::Translative}, {"ine", Case::Inessive}, {"ela", Case::Elative},  {"ill", Case::Illative},
    {"ade", Case::Adessive},   {"abl", Case::Ablative}, {"all", Case::Allative}, {"ab", Case::Abessive},
    {"ko", Case::Comitative},  {"in", Case::Instructive}, {"sti", Case::StiAdverb}, {"ak", Case::Accusative},
};
constexpr std::pair<std::string_view, Number> kNumbers[] = {{"y", Number::Singular}, {"m", Number::Plural}};
constexpr std::pair<std::string_view, Person> kPersons[] = {
    {"1", Person::First}, {"2", Person::Second}, {"3", Person::Third}, {"4", Person::Passive}};
constexpr std::pair<std::string_view, Mood> kMoods[] = {
    {"t", Mood::Indicative}, {"e", Mood::Conditional}, {"k", Mood::Imperative}, {"m", Mood::Potential}};
constexpr std::pair<std::string_view, Infinitive> kInfinitives[] = {
    {"n1", Infinitive::A}, {"n2", Infinitive::E}, {"n3", Infinitive::Ma}, {"n4", Infinitive::Minen}, {"n5", Infinitive::Mainen}};
constexpr std::pair<std::string_view, Tense> kTenses[] = {{"p", Tense::Present}, {"i", Tense::Past}};
constexpr std::pair<std::string_view, Participle> kParticiples[] = {
    {"v", Participle::PresentActive}, {"a", Participle::PresentPassive}, {"u", Participle::PastActive},
    {"t", Participle::PastPassive},   {"m", Participle::Agent},          {"e", Participle::Negative}};
constexpr std::pair<std::string_view, Comparison> kComparisons[] = {
    {"c", Comparison::Comparative}, {"s", Comparison::Superlative}};
constexpr std::pair<std::string_view, Possessive> kPossessives[] = {
    {"1y", Possessive::FirstSingular}, {"2y", Possessive::SecondSingular}, {"1m", Possessive::FirstPlural},
    {"2m", Possessive::SecondPlural},  {"3", Possessive::Third}};

}  // namespace

WordClass word_class_tag(std::string_view letters) { return find(kWordClasses, letters); }
Case case_tag(std::string_view letters) { return find(kCases, letters); }
Number number_tag(std::string_view letters) { return find(kNumbers, letters); }
Person person_tag(std::string_view letters) { return find(kPersons, letters); }
Tense tense_tag(std::string_view letters) { return find(kTenses, letters); }
Participle participle_tag(std::string_view letters) { return find(kParticiples, letters); }
Comparison comparison_tag(std::string_view letters) { return find(kComparisons, letters); }
Possessive possessive_tag(std::string_view letters) { return find(kPossessives, letters); }

std::optional<Clitic> clitic_tag(std::string_view letters) {
    if (letters == "kin") return Clitic::Kin;
    if (letters == "kaan") return Clitic::Kaan;
    if (letters == "ko") return Clitic::Ko;
    return std::nullopt;
}

MoodTag mood_tag(std::string_view letters) { return {find(kMoods, letters), find(kInfinitives, letters)}; }

}  // namespace lomperi::analysis

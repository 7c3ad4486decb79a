#include "core/analysis/labels.hpp"

#include <cstddef>
#include <span>

namespace lomperi::analysis {
namespace {

template <class Code>
struct Row {
    Code code;
    Label label;
};

// Each kind's rows in the order of its codes, None left out.
template <class Code, std::size_t N>
constexpr bool in_code_order(const Row<Code> (&rows)[N]) {
    for (std::size_t k = 0; k < N; ++k) {
        if (static_cast<std::size_t>(rows[k].code) != k + 1) return false;
    }
    return true;
}

constexpr Label kNone{};

// clang-format off
constexpr Row<WordClass> kWordClasses[] = {
    {WordClass::Noun,          {"noun", {}, {}, {}, {}}},
    {WordClass::Adjective,     {"adjective", {}, {}, {}, {}}},
    {WordClass::NounAdjective, {"adjective", {}, {}, {}, {}}},
    {WordClass::Interjection,  {"interjection", {}, {}, {}, {}}},
    {WordClass::GivenName,     {"given name", {}, {}, {}, {}}},
    {WordClass::Surname,       {"surname", {}, {}, {}, {}}},
    {WordClass::PlaceName,     {"place name", {}, {}, {}, {}}},
    {WordClass::Name,          {"name", {}, {}, {}, {}}},
    {WordClass::Verb,          {"verb", {}, {}, {}, {}}},
    {WordClass::Abbreviation,  {"abbreviation", {}, {}, {}, {}}},
    {WordClass::Adverb,        {"adverb", {}, {}, {}, {}}},
    {WordClass::Numeral,       {"numeral", {}, {}, {}, {}}},
    {WordClass::RomanNumeral,  {"numeral", {}, {}, {}, {}}},
    {WordClass::Pronoun,       {"pronoun", {}, {}, {}, {}}},
    {WordClass::Conjunction,   {"conjunction", {}, {}, {}, {}}},
    {WordClass::Adposition,    {"adposition", {}, {}, {}, {}}},
    {WordClass::NegationVerb,  {"verb", {}, {}, {}, {}}},
    {WordClass::Prefix,        {"prefix", {}, {}, {}, {}}},
    {WordClass::English,       {"English word", {}, {}, {}, {}}},
    {WordClass::Letter,        {"letter", {}, {}, {}, {}}},
    {WordClass::Key,           {"key", {}, {}, {}, {}}},
    {WordClass::Size,          {"size", {}, {}, {}, {}}},
};

constexpr Row<Case> kCases[] = {
    //                       json           cue                gloss                 name           wording
    {Case::Nominative,  {"nominative",  "",                {},                   "nominative",  "nominative"}},
    {Case::Genitive,    {"genitive",    "of",              {"of"},               "genitive",    "genitive"}},
    {Case::Partitive,   {"partitive",   "some",            {"some"},             "partitive",   "partitive"}},
    {Case::Essive,      {"essive",      "as",              {"as"},               "essive",      "essive"}},
    {Case::Translative, {"translative", "into (becoming)", {"into.becoming"},    "translative", "translative"}},
    {Case::Inessive,    {"inessive",    "in",              {"in"},               "inessive",    "inessive"}},
    {Case::Elative,     {"elative",     "out of",          {"out.of"},           "elative",     "elative"}},
    {Case::Illative,    {"illative",    "into",            {"into"},             "illative",    "illative"}},
    {Case::Adessive,    {"adessive",    "on, at",          {"on", "at"},         "adessive",    "adessive"}},
    {Case::Ablative,    {"ablative",    "from",            {"from"},             "ablative",    "ablative"}},
    {Case::Allative,    {"allative",    "onto, to",        {"onto", "to"},       "allative",    "allative"}},
    {Case::Abessive,    {"abessive",    "without",         {"without"},          "abessive",    "abessive"}},
    {Case::Comitative,  {"comitative",  "with",            {"with"},             "comitative",  "comitative"}},
    {Case::Instructive, {"instructive", "by means of",     {"by.means.of"},      "instructive", "instructive"}},
    {Case::StiAdverb,   {"-sti adverb", "-ly",             {"ly"},               "-sti adverb", ""}},
    {Case::Accusative,  {"accusative",  "(object)",        {"object"},           "accusative",  "accusative"}},
};

constexpr Row<Number> kNumbers[] = {
    {Number::Singular, {"singular", "",         {},         "singular", "singular"}},
    {Number::Plural,   {"plural",   "(plural)", {"plural"}, "plural",   "plural"}},
};

constexpr Row<Person> kSingularPersons[] = {
    {Person::First,   {"1",       "I",         {"1sg"},     "1sg",     "first-person singular", "1st person singular"}},
    {Person::Second,  {"2",       "you",       {"2sg"},     "2sg",     "second-person singular", "2nd person singular"}},
    {Person::Third,   {"3",       "he, she",   {"3sg"},     "3sg",     "third-person singular", "3rd person singular"}},
    {Person::Passive, {"passive", "(passive)", {"passive"}, "passive", "passive"}},
};
constexpr Row<Person> kPluralPersons[] = {
    {Person::First,   {"1",       "we",        {"1pl"},     "1pl",     "first-person plural", "1st person plural"}},
    {Person::Second,  {"2",       "you (pl.)", {"2pl"},     "2pl",     "second-person plural", "2nd person plural"}},
    {Person::Third,   {"3",       "they",      {"3pl"},     "3pl",     "third-person plural", "3rd person plural"}},
    {Person::Passive, {"passive", "(passive)", {"passive"}, "passive", "passive"}},
};

constexpr Row<Mood> kMoods[] = {
    {Mood::Indicative,  {"indicative",  "",          {},            "indicative",  "indicative"}},
    {Mood::Conditional, {"conditional", "would",     {"would"},     "conditional", "conditional"}},
    {Mood::Imperative,  {"imperative",  "(command)", {"command"},   "imperative",  "imperative"}},
    {Mood::Potential,   {"potential",   "probably",  {"probably"},  "potential",   "potential"}},
};

constexpr Row<Tense> kTenses[] = {
    {Tense::Present, {"present", "",     {},       "present", "present"}},
    {Tense::Past,    {"past",    "past", {"past"}, "past",    "past"}},
};

constexpr Row<Infinitive> kInfinitives[] = {
    {Infinitive::A,      {"a",      "to",         {"to"},        "a infinitive",      "first infinitive",  "A infinitive"}},
    {Infinitive::E,      {"e",      "while -ing", {"while.ing"}, "e infinitive",      "second infinitive", "E infinitive"}},
    {Infinitive::Ma,     {"ma",     "-ing",       {"ing"},       "ma infinitive",     "third infinitive",  "MA infinitive"}},
    {Infinitive::Minen,  {"minen",  "the -ing",   {"the.ing"},   "minen infinitive",  "fourth infinitive", "MINEN infinitive"}},
    {Infinitive::Mainen, {"mainen", "about to",   {"about.to"},  "mainen infinitive", "fifth infinitive",  "MAINEN infinitive"}},
};

constexpr Row<Participle> kParticiples[] = {
    {Participle::PresentActive,  {"present active",  "-ing",       {"ing"},       "present active participle",  "present active participle"}},
    {Participle::PresentPassive, {"present passive", "to be -ed",  {"to.be.ed"},  "present passive participle", "present passive participle"}},
    {Participle::PastActive,     {"past active",     "having -ed", {"having.ed"}, "past active participle",     "past active participle"}},
    {Participle::PastPassive,    {"past passive",    "-ed",        {"ed"},        "past passive participle",    "past passive participle"}},
    {Participle::Agent,          {"agent",           "-ed by",     {"ed.by"},     "agent participle",           "agent participle"}},
    {Participle::Negative,       {"negative",        "un- -ed",    {"un.ed"},     "negative participle",        "negative participle"}},
};

constexpr Row<Comparison> kComparisons[] = {
    {Comparison::Comparative, {"comparative", "-er",  {"er"},  "comparative", "comparative degree"}},
    {Comparison::Superlative, {"superlative", "-est", {"est"}, "superlative", "superlative degree"}},
};

constexpr Row<Possessive> kPossessives[] = {
    {Possessive::FirstSingular,  {"1sg", "my",              {"my"},                 "possessive 1sg", "first-person singular"}},
    {Possessive::SecondSingular, {"2sg", "your",            {"your"},               "possessive 2sg", "second-person singular"}},
    {Possessive::FirstPlural,    {"1pl", "our",             {"our"},                "possessive 1pl", "first-person plural"}},
    {Possessive::SecondPlural,   {"2pl", "your (pl.)",      {"your.pl"},            "possessive 2pl", "second-person plural"}},
    {Possessive::Third,          {"3",   "his, her, their", {"his", "her", "their"}, "possessive 3",  "third-person"}},
};

// A verb after a negation verb, the connegative ("en ole"): "negative" in
// --json is a field of its own.
constexpr Row<Negative> kNegatives[] = {
    {Negative::Yes, {"negative", "not", {"not"}, "negative", "connegative"}},
    {Negative::No,  {"", "", {}, "", ""}},
};

// Clitics have no None: a form lists those it has.
constexpr Row<Clitic> kClitics[] = {
    {Clitic::Kin,  {"kin",  "also",               {"also"},       "-kin",  "clitic"}},
    {Clitic::Kaan, {"kaan", "(not) either",       {"not.either"}, "-kaan", "clitic"}},
    {Clitic::Ko,   {"ko",   "question",           {"question"},   "-ko",   "question clitic"}},
    {Clitic::Han,  {"han",  "I wonder, you know", {"I.wonder"},   "-han",  ""}},
    {Clitic::Pa,   {"pa",   "(emphasis)",         {"emphasis"},   "-pa",   ""}},
    {Clitic::Pas,  {"pas",  "(emphasis)",         {"emphasis"},   "-pas",  ""}},
    {Clitic::S,    {"s",    "(softener)",         {"softener"},   "-s",    ""}},
};
// clang-format on

static_assert(in_code_order(kWordClasses) && in_code_order(kCases) && in_code_order(kNumbers) &&
              in_code_order(kSingularPersons) && in_code_order(kPluralPersons) && in_code_order(kMoods) &&
              in_code_order(kTenses) && in_code_order(kInfinitives) && in_code_order(kParticiples) &&
              in_code_order(kComparisons) && in_code_order(kPossessives) && in_code_order(kNegatives));
static_assert([] {
    for (std::size_t k = 0; k < std::size(kClitics); ++k) {
        if (static_cast<std::size_t>(kClitics[k].code) != k) return false;
    }
    return true;
}());

template <class Code, std::size_t N>
const Label& find(const Row<Code> (&rows)[N], Code code) {
    const auto at = static_cast<std::size_t>(code);
    return at == 0 || at > N ? kNone : rows[at - 1].label;
}

template <class Code, std::size_t N>
bool any_wording_begins_with(const Row<Code> (&rows)[N], std::string_view word) {
    for (const auto& row : rows) {
        const std::string_view wording = row.label.wording;
        if (wording.starts_with(word) && (wording.size() == word.size() || wording[word.size()] == ' ')) return true;
    }
    return false;
}

}  // namespace

bool begins_form_wording(std::string_view word) {
    if (word.empty()) return false;
    return any_wording_begins_with(kCases, word) || any_wording_begins_with(kNumbers, word) ||
           any_wording_begins_with(kSingularPersons, word) || any_wording_begins_with(kPluralPersons, word) ||
           any_wording_begins_with(kMoods, word) || any_wording_begins_with(kTenses, word) ||
           any_wording_begins_with(kInfinitives, word) || any_wording_begins_with(kParticiples, word) ||
           any_wording_begins_with(kComparisons, word) || any_wording_begins_with(kNegatives, word);
}

const Label& label(WordClass code) { return find(kWordClasses, code); }
const Label& label(Case code) { return find(kCases, code); }
const Label& label(Number code) { return find(kNumbers, code); }
const Label& label(Person code, Number number) {
    return number == Number::Plural ? find(kPluralPersons, code) : find(kSingularPersons, code);
}
const Label& label(Mood code) { return find(kMoods, code); }
const Label& label(Tense code) { return find(kTenses, code); }
const Label& label(Infinitive code) { return find(kInfinitives, code); }
const Label& label(Participle code) { return find(kParticiples, code); }
const Label& label(Comparison code) { return find(kComparisons, code); }
const Label& label(Possessive code) { return find(kPossessives, code); }
const Label& label(Negative code) { return find(kNegatives, code); }
const Label& label(Clitic code) {
    const auto at = static_cast<std::size_t>(code);
    return at < std::size(kClitics) ? kClitics[at].label : kNone;
}

}  // namespace lomperi::analysis

#include "form_analysis.hpp"

#include "core/analysis/form_text.hpp"
#include "core/morphology/form_wordings.hpp"

#include <fmt/format.h>

#include <array>
#include <utility>

namespace lomperi::data_build {
namespace {

template <class Code, std::size_t N>
Code lookup(const std::array<std::pair<std::string_view, Code>, N>& table, std::string_view name) {
    for (const auto& [from, to] : table) {
        if (from == name) return to;
    }
    return Code{};
}

// libvoikko's attribute values, by the codes they stand for.
constexpr std::array<std::pair<std::string_view, analysis::Case>, 16> kCases{{
    {"nimento", analysis::Case::Nominative},
    {"omanto", analysis::Case::Genitive},
    {"osanto", analysis::Case::Partitive},
    {"olento", analysis::Case::Essive},
    {"tulento", analysis::Case::Translative},
    {"kohdanto", analysis::Case::Accusative},
    {"sisaolento", analysis::Case::Inessive},
    {"sisaeronto", analysis::Case::Elative},
    {"sisatulento", analysis::Case::Illative},
    {"ulkoolento", analysis::Case::Adessive},
    {"ulkoeronto", analysis::Case::Ablative},
    {"ulkotulento", analysis::Case::Allative},
    {"vajanto", analysis::Case::Abessive},
    {"seuranto", analysis::Case::Comitative},
    {"keinonto", analysis::Case::Instructive},
    {"kerrontosti", analysis::Case::StiAdverb},
}};

constexpr std::array<std::pair<std::string_view, analysis::WordClass>, 2> kVerbClasses{{
    {"teonsana", analysis::WordClass::Verb},
    {"kieltosana", analysis::WordClass::NegationVerb},
}};

constexpr std::array<std::pair<std::string_view, analysis::Number>, 2> kNumbers{{
    {"singular", analysis::Number::Singular},
    {"plural", analysis::Number::Plural},
}};

constexpr std::array<std::pair<std::string_view, analysis::Person>, 4> kPersons{{
    {"1", analysis::Person::First},
    {"2", analysis::Person::Second},
    {"3", analysis::Person::Third},
    {"4", analysis::Person::Passive},
}};

constexpr std::array<std::pair<std::string_view, analysis::Mood>, 4> kMoods{{
    {"indicative", analysis::Mood::Indicative},
    {"conditional", analysis::Mood::Conditional},
    {"imperative", analysis::Mood::Imperative},
    {"potential", analysis::Mood::Potential},
}};

constexpr std::array<std::pair<std::string_view, analysis::Infinitive>, 5> kInfinitives{{
    {"A-infinitive", analysis::Infinitive::A},
    {"E-infinitive", analysis::Infinitive::E},
    {"MA-infinitive", analysis::Infinitive::Ma},
    {"MINEN-infinitive", analysis::Infinitive::Minen},
    {"MAINEN-infinitive", analysis::Infinitive::Mainen},
}};

constexpr std::array<std::pair<std::string_view, analysis::Tense>, 2> kTenses{{
    {"present_simple", analysis::Tense::Present},
    {"past_imperfective", analysis::Tense::Past},
}};

constexpr std::array<std::pair<std::string_view, analysis::Participle>, 6> kParticiples{{
    {"present_active", analysis::Participle::PresentActive},
    {"present_passive", analysis::Participle::PresentPassive},
    {"past_active", analysis::Participle::PastActive},
    {"past_passive", analysis::Participle::PastPassive},
    {"agent", analysis::Participle::Agent},
    {"negation", analysis::Participle::Negative},
}};

constexpr std::array<std::pair<std::string_view, analysis::Comparison>, 2> kComparisons{{
    {"comparative", analysis::Comparison::Comparative},
    {"superlative", analysis::Comparison::Superlative},
}};

constexpr std::array<std::pair<std::string_view, analysis::Possessive>, 5> kPossessives{{
    {"1s", analysis::Possessive::FirstSingular},
    {"2s", analysis::Possessive::SecondSingular},
    {"1p", analysis::Possessive::FirstPlural},
    {"2p", analysis::Possessive::SecondPlural},
    {"3", analysis::Possessive::Third},
}};

}  // namespace

std::string_view Analysis::get(std::string_view name) const {
    const auto it = attributes.find(name);
    return it == attributes.end() ? std::string_view{} : std::string_view(it->second);
}

Result<Analysis> parse_analysis(std::string_view text) {
    Analysis analysis;
    while (!text.empty()) {
        const auto space = text.find(' ');
        const auto field = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
        if (field.empty()) continue;
        const auto equals = field.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            return fail(fmt::format("analysis field \"{}\" is not NAME=VALUE", field));
        }
        analysis.attributes.emplace(std::string(field.substr(0, equals)), std::string(field.substr(equals + 1)));
    }
    if (analysis.get("BASEFORM").empty()) return fail("analysis without BASEFORM");
    return analysis;
}

std::string format_analysis(const Analysis& analysis) {
    std::string text;
    for (const auto& [name, value] : analysis.attributes) {
        if (!text.empty()) text.push_back(' ');
        text += name + "=" + value;
    }
    return text;
}

std::string described_base(const Analysis& analysis) {
    if (analysis.get("PARTICIPLE").empty()) return std::string(analysis.get("BASEFORM"));
    // WORDBASES of "lukeva" is "+luke(lukea)+v+a(+a)": the verb stands in the first parentheses.
    const auto bases = analysis.get("WORDBASES");
    const auto open = bases.find('(');
    const auto close = bases.find(')', open);
    if (open == std::string_view::npos || close == std::string_view::npos) {
        return std::string(analysis.get("BASEFORM"));
    }
    return std::string(bases.substr(open + 1, close - open - 1));
}

analysis::Form form_of(const Analysis& analysis) {
    analysis::Form form;
    form.word_class = lookup(kVerbClasses, analysis.get("CLASS"));
    form.grammatical_case = lookup(kCases, analysis.get("SIJAMUOTO"));
    form.number = lookup(kNumbers, analysis.get("NUMBER"));
    form.person = lookup(kPersons, analysis.get("PERSON"));
    form.mood = lookup(kMoods, analysis.get("MOOD"));
    form.infinitive = lookup(kInfinitives, analysis.get("MOOD"));
    form.tense = lookup(kTenses, analysis.get("TENSE"));
    form.participle = lookup(kParticiples, analysis.get("PARTICIPLE"));
    form.comparison = lookup(kComparisons, analysis.get("COMPARISON"));
    form.possessive = lookup(kPossessives, analysis.get("POSSESSIVE"));
    if (const auto focus = analysis.get("FOCUS"); focus == "kin") {
        form.clitics.push_back(analysis::Clitic::Kin);
    } else if (focus == "kaan") {
        form.clitics.push_back(analysis::Clitic::Kaan);
    }
    if (analysis.get("KYSYMYSLIITE") == "true") form.clitics.push_back(analysis::Clitic::Ko);
    return form;
}

std::optional<std::string> describe_form(std::string_view form, const Analysis& analysis) {
    const auto base = described_base(analysis);
    if (base.empty()) return std::nullopt;
    const analysis::Form codes = form_of(analysis);
    const auto suffixes = analysis::suffix_wording(codes, form);
    if (form == base && suffixes.empty()) return std::nullopt;
    const auto what = analysis::form_wording(codes);
    if (!what) return std::nullopt;
    if (what->basic) {
        if (suffixes.empty()) return std::nullopt;
        return base + suffixes;
    }
    return morphology::form_of_meaning(what->text, base) + suffixes;
}

}  // namespace lomperi::data_build

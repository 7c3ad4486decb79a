#include "form_analysis.hpp"

#include "core/morphology/form_wordings.hpp"

#include <fmt/format.h>

#include <array>
#include <utility>

namespace lomperi::data_build {
namespace {

template <std::size_t N>
std::string_view lookup(const std::array<std::pair<std::string_view, std::string_view>, N>& table,
                        std::string_view key) {
    for (const auto& [from, to] : table) {
        if (from == key) return to;
    }
    return {};
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 15> kCases{{
    {"nimento", "nominative"},
    {"omanto", "genitive"},
    {"osanto", "partitive"},
    {"olento", "essive"},
    {"tulento", "translative"},
    {"kohdanto", "accusative"},
    {"sisaolento", "inessive"},
    {"sisaeronto", "elative"},
    {"sisatulento", "illative"},
    {"ulkoolento", "adessive"},
    {"ulkoeronto", "ablative"},
    {"ulkotulento", "allative"},
    {"vajanto", "abessive"},
    {"seuranto", "comitative"},
    {"keinonto", "instructive"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kPersons{{
    {"1", "first-person"},
    {"2", "second-person"},
    {"3", "third-person"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kFiniteMoods{{
    {"indicative", "indicative"},
    {"conditional", "conditional"},
    {"imperative", "imperative"},
    {"potential", "potential"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kInfinitives{{
    {"A-infinitive", "first infinitive"},
    {"E-infinitive", "second infinitive"},
    {"MA-infinitive", "third infinitive"},
    {"MINEN-infinitive", "fourth infinitive"},
    {"MAINEN-infinitive", "fifth infinitive"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kParticiples{{
    {"present_active", "present active participle"},
    {"present_passive", "present passive participle"},
    {"past_active", "past active participle"},
    {"past_passive", "past passive participle"},
    {"agent", "agent participle"},
    {"negation", "negative participle"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kPossessives{{
    {"1s", "first-person singular"},
    {"2s", "second-person singular"},
    {"1p", "first-person plural"},
    {"2p", "second-person plural"},
    {"3", "third-person"},
}};

bool is_back_vowel_word(std::string_view form) {
    return form.find_first_of("aouAOU") != std::string_view::npos;
}

// The clitic as written after this form: "-ko" after back vowels, "-kö" else.
std::string clitic_text(std::string_view form, std::string_view clitic) {
    std::string text(clitic);
    if (is_back_vowel_word(form)) return text;
    std::string front;
    for (char c : text) {
        if (c == 'a') front += "ä";
        else if (c == 'o') front += "ö";
        else front.push_back(c);
    }
    return front;
}

// " with the first-person singular possessive suffix", " with the clitic -kin".
std::string suffix_notes(std::string_view form, const Analysis& analysis) {
    std::string notes;
    if (const auto possessive = lookup(kPossessives, analysis.get("POSSESSIVE")); !possessive.empty()) {
        notes += fmt::format(" with the {} possessive suffix", possessive);
    }
    if (analysis.get("KYSYMYSLIITE") == "true") {
        notes += fmt::format(" with the question clitic -{}", clitic_text(form, "ko"));
    }
    if (const auto focus = analysis.get("FOCUS"); !focus.empty()) {
        notes += fmt::format(" with the clitic -{}", clitic_text(form, focus));
    }
    return notes;
}

std::string case_and_number(const Analysis& analysis) {
    const auto grammatical_case = lookup(kCases, analysis.get("SIJAMUOTO"));
    if (grammatical_case.empty()) return {};
    const auto number = analysis.get("NUMBER");
    if (number.empty()) return std::string(grammatical_case);
    return fmt::format("{} {}", grammatical_case, number);
}

bool is_plain_nominative(const Analysis& analysis) {
    const auto grammatical_case = analysis.get("SIJAMUOTO");
    return (grammatical_case.empty() || grammatical_case == "nimento") && analysis.get("NUMBER") != "plural";
}

// "third-person singular past indicative", "passive present indicative",
// "second-person singular imperative".
std::optional<std::string> finite_verb(const Analysis& analysis, bool negative_verb) {
    const auto mood = lookup(kFiniteMoods, analysis.get("MOOD"));
    if (mood.empty()) return std::nullopt;
    const auto person = analysis.get("PERSON");
    std::string who;
    if (person == "4") {
        who = "passive";
    } else {
        const auto person_name = lookup(kPersons, person);
        const auto number = analysis.get("NUMBER");
        if (person_name.empty() || number.empty()) return std::nullopt;
        who = fmt::format("{} {}", person_name, number);
    }
    if (negative_verb) {
        if (mood == "indicative") return who;
        return fmt::format("{} {}", who, mood);
    }
    if (mood == "indicative") {
        const auto tense = analysis.get("TENSE");
        const std::string_view tense_name = tense == "past_imperfective" ? "past" : "present";
        return fmt::format("{} {} {}", who, tense_name, mood);
    }
    return fmt::format("{} {}", who, mood);
}

std::optional<std::string> infinitive(const Analysis& analysis) {
    const auto name = lookup(kInfinitives, analysis.get("MOOD"));
    if (name.empty()) return std::nullopt;
    const auto grammatical_case = lookup(kCases, analysis.get("SIJAMUOTO"));
    if (grammatical_case.empty()) return std::string(name);
    return fmt::format("{} of the {}", grammatical_case, name);
}

std::optional<std::string> participle(const Analysis& analysis) {
    const auto name = lookup(kParticiples, analysis.get("PARTICIPLE"));
    if (name.empty()) return std::nullopt;
    if (is_plain_nominative(analysis)) return std::string(name);
    return fmt::format("{} of the {}", case_and_number(analysis), name);
}

std::optional<std::string> nominal(const Analysis& analysis) {
    const auto comparison = analysis.get("COMPARISON");
    const bool graded = comparison == "comparative" || comparison == "superlative";
    if (graded && is_plain_nominative(analysis)) return fmt::format("{} degree", comparison);
    const auto case_number = case_and_number(analysis);
    if (case_number.empty()) return std::nullopt;
    if (graded) return fmt::format("{} of the {} degree", case_number, comparison);
    return case_number;
}

std::optional<std::string> what_form(const Analysis& analysis) {
    if (!analysis.get("PARTICIPLE").empty()) return participle(analysis);
    const auto word_class = analysis.get("CLASS");
    if (word_class == "teonsana" || word_class == "kieltosana") {
        if (auto finite = finite_verb(analysis, word_class == "kieltosana")) return finite;
        return infinitive(analysis);
    }
    return nominal(analysis);
}

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

std::optional<std::string> describe_form(std::string_view form, const Analysis& analysis) {
    const auto base = described_base(analysis);
    if (base.empty()) return std::nullopt;
    const auto notes = suffix_notes(form, analysis);
    auto what = what_form(analysis);
    if (form == base && notes.empty()) return std::nullopt;
    if (!what) return std::nullopt;
    const bool is_base_form = *what == "nominative singular" || *what == "first infinitive" || *what == "nominative";
    if (is_base_form) {
        if (notes.empty()) return std::nullopt;
        return fmt::format("{}{}", base, notes);
    }
    return morphology::form_of_meaning(*what, base) + notes;
}

}  // namespace lomperi::data_build

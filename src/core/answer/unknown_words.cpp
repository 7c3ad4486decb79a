#include "core/answer/unknown_words.hpp"

#include <algorithm>
#include <iterator>

#include "base/text.hpp"
#include "base/utf8.hpp"

namespace lomperi::answer {
namespace {

using analysis::Case;
using analysis::Reading;
using analysis::WordClass;

struct CaseEnding {
    std::string_view ending;
    Case grammatical_case;
};

// The endings of a name's singular cases, a longer one before one it ends in.
constexpr CaseEnding kEndings[] = {
    {"ssa", Case::Inessive},   {"ssä", Case::Inessive},   {"sta", Case::Elative},  {"stä", Case::Elative},
    {"lla", Case::Adessive},   {"llä", Case::Adessive},   {"lta", Case::Ablative}, {"ltä", Case::Ablative},
    {"lle", Case::Allative},   {"ksi", Case::Translative}, {"na", Case::Essive},   {"nä", Case::Essive},
    {"ta", Case::Partitive},   {"tä", Case::Partitive},   {"a", Case::Partitive},  {"ä", Case::Partitive},
    {"n", Case::Genitive},
};

// The illative's ending: the vowel before it long, or h, a vowel and n.
constexpr std::string_view kIllatives[] = {
    "aan", "een", "iin", "oon", "uun", "yyn", "ään", "öön", "han", "hen", "hin", "hon", "hun", "hyn", "hän", "hön",
};

// After -kse- (Kalymnoksen): the endings of a name in -s.
constexpr CaseEnding kAfterKse[] = {
    {"ssa", Case::Inessive}, {"ssä", Case::Inessive}, {"sta", Case::Elative},    {"stä", Case::Elative},
    {"lla", Case::Adessive}, {"llä", Case::Adessive}, {"lta", Case::Ablative},    {"ltä", Case::Ablative},
    {"lle", Case::Allative}, {"ksi", Case::Translative}, {"na", Case::Essive},    {"nä", Case::Essive},
    {"en", Case::Illative},  {"n", Case::Genitive},
};

std::optional<Case> case_of(std::string_view ending) {
    if (std::ranges::find(kIllatives, ending) != std::end(kIllatives)) return Case::Illative;
    const auto found = std::ranges::find(kEndings, ending, &CaseEnding::ending);
    return found == std::end(kEndings) ? std::nullopt : std::optional(found->grammatical_case);
}

bool is_vowel(char c) { return std::string_view("aeiouy").find(c) != std::string_view::npos; }

// Letters, digits and the marks a name is written with ("H&M", "Real3D",
// "Coca-Cola", "GIMP:n"); two letters or more.
bool looks_like_a_name(std::string_view word) {
    std::size_t letters = 0;
    for (const CodePoint& ch : code_points(word)) {
        if (!ch.valid()) return false;
        if (is_letter(ch.value)) {
            ++letters;
        } else if (!(ch.value >= U'0' && ch.value <= U'9') && ch.value != U'-' && ch.value != U'&' && ch.value != U':' &&
                   ch.value != U'\'') {
            return false;
        }
    }
    return letters >= 2;
}

// "Grisay", "eHealth", "iPhone": a capital anywhere.
bool has_capital(std::string_view word) { return lower_case(word) != word; }

Reading name_reading(std::string_view stem, std::string_view ending, std::string lemma, Case grammatical_case) {
    Reading reading;
    reading.lemma = std::move(lemma);
    reading.form = {.word_class = WordClass::Name, .grammatical_case = grammatical_case, .number = analysis::Number::Singular};
    reading.parts = {{std::string(stem) + std::string(ending), reading.lemma}};
    reading.morphs = {{std::string(stem), {}, 0}};
    if (!ending.empty()) {
        reading.morphs.push_back({std::string(ending), {.grammatical_case = grammatical_case, .number = analysis::Number::Singular}, 0});
    }
    reading.guessed = true;
    return reading;
}

// "GIMP:n", "H&M:lle": the ending after a colon.
std::optional<Reading> after_colon(std::string_view word) {
    const std::size_t colon = word.rfind(':');
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    const auto grammatical_case = case_of(word.substr(colon + 1));
    if (!grammatical_case) return std::nullopt;
    return name_reading(word.substr(0, colon + 1), word.substr(colon + 1), std::string(word.substr(0, colon)), *grammatical_case);
}

// "GIMPin", "GIMPissä", "GIMPiin": a name in capitals, then i and an ending.
std::optional<Reading> after_capitals(std::string_view word) {
    const std::size_t lower = word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    if (lower == std::string_view::npos || lower < 2 || word[lower] != 'i') return std::nullopt;
    const std::string_view ending = word.substr(lower);
    const auto grammatical_case = ending == "iin" ? std::optional(Case::Illative) : case_of(ending.substr(1));
    if (!grammatical_case) return std::nullopt;
    return name_reading(word.substr(0, lower), ending, std::string(word.substr(0, lower)), *grammatical_case);
}

// "Kalymnoksen": Kalymnos, whose endings follow -kse- after its vowel.
std::optional<Reading> after_kse(std::string_view word) {
    for (const auto& [ending, grammatical_case] : kAfterKse) {
        const std::size_t kse = word.size() - std::min(word.size(), ending.size() + 3);
        if (kse < 2 || !word.ends_with(ending) || word.substr(kse, 3) != "kse" || !is_vowel(word[kse - 1])) continue;
        return name_reading(word.substr(0, kse), word.substr(kse), std::string(word.substr(0, kse)) + "s", grammatical_case);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Reading> guess_unknown(const morphology::Dictionary& dictionary, std::string_view word) {
    if (!looks_like_a_name(word)) return std::nullopt;
    // "GIMP", "RAM": in capitals, a name before an English word spelt alike.
    const bool english = word.find(':') == std::string_view::npos && !is_all_capitals(word) &&
                         morphology::is_english(dictionary, lower_case(word));
    if (english) {
        Reading english;
        english.lemma = std::string(word);
        english.form.word_class = WordClass::English;
        english.parts = {{english.lemma, english.lemma}};
        english.morphs = {{english.lemma, {}, 0}};
        english.guessed = true;
        return english;
    }
    if (!has_capital(word)) return std::nullopt;
    if (auto read = after_colon(word)) return read;
    if (auto read = after_capitals(word)) return read;
    if (auto read = after_kse(word)) return read;
    return name_reading(word, {}, std::string(word), Case::Nominative);
}

}  // namespace lomperi::answer

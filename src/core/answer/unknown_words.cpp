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

// After a name ending in a vowel (Arduinolla, Hypatialle), or in a
// consonant and the vowel i that joins an ending to it (Pythonissa,
// Theronille): the endings that are seldom a name's own end. Not -n, -a or
// -na (Jordan, Samoa, Tatiana), nor the illative; -sta only after the
// joining i, as a name in -s takes -ta (Nautilusta).
struct NameEnding {
    std::string_view ending;
    Case grammatical_case;
    bool after_joining_i_only = false;
};
constexpr NameEnding kAfterVowel[] = {
    {"ssa", Case::Inessive}, {"ssä", Case::Inessive}, {"sta", Case::Elative, true}, {"stä", Case::Elative, true},
    {"lla", Case::Adessive}, {"llä", Case::Adessive}, {"lta", Case::Ablative},       {"ltä", Case::Ablative},
    {"lle", Case::Allative}, {"ksi", Case::Translative},
};

bool is_consonant(char c) { return c >= 'a' && c <= 'z' && !is_vowel(c); }

// "Arduinolla": Arduino; "Pythonissa": Python. Three letters or more.
std::optional<Reading> after_vowel(std::string_view word) {
    for (const auto& [ending, grammatical_case, after_joining_i_only] : kAfterVowel) {
        if (!word.ends_with(ending) || word.size() < ending.size() + 3) continue;
        const std::string_view stem = word.substr(0, word.size() - ending.size());
        const bool joining_i = stem.size() >= 4 && stem.back() == 'i' && is_consonant(stem[stem.size() - 2]);
        if (joining_i) {
            return name_reading(stem.substr(0, stem.size() - 1), word.substr(stem.size() - 1),
                                std::string(stem.substr(0, stem.size() - 1)), grammatical_case);
        }
        if (after_joining_i_only || !is_vowel(stem.back())) continue;
        return name_reading(stem, ending, std::string(stem), grammatical_case);
    }
    return std::nullopt;
}

Reading shaped(std::string_view word, WordClass word_class) {
    Reading reading;
    reading.lemma = std::string(word);
    reading.form.word_class = word_class;
    reading.parts = {{reading.lemma, reading.lemma}};
    reading.morphs = {{reading.lemma, {}, 0}};
    return reading;
}

bool is_digits(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

bool is_ascii_alnum(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

bool is_single_letter(std::string_view word) {
    std::size_t letters = 0;
    for (const CodePoint& ch : code_points(word)) {
        if (!ch.valid() || !is_letter(ch.value) || ++letters > 1) return false;
    }
    return letters == 1;
}

// F1 to F24.
bool is_function_key(std::string_view word) {
    if (word.size() < 2 || word.size() > 3 || word[0] != 'F' || !is_digits(word.substr(1))) return false;
    int number = 0;
    for (const char digit : word.substr(1)) number = number * 10 + (digit - '0');
    return number >= 1 && number <= 24;
}

// The keys held down while another is pressed.
constexpr std::string_view kModifierKeys[] = {"alt", "altgr", "cmd", "command", "control", "ctrl",
                                              "fn",  "meta",  "option", "shift", "super", "win"};

// "Ctrl+Z", "Ctrl+Shift+Q", "Alt+F4", "Shift+Tab": modifiers, then one key.
bool is_key_combination(std::string_view word) {
    const std::size_t last_plus = word.rfind('+');
    if (last_plus == std::string_view::npos || last_plus == 0) return false;
    const std::string_view key = word.substr(last_plus + 1);
    if (!is_ascii_alnum(key) || key.size() > 9) return false;
    for (std::size_t start = 0; start < last_plus;) {
        const std::size_t plus = word.find('+', start);
        const std::string modifier = lower_case(word.substr(start, plus - start));
        if (std::ranges::find(kModifierKeys, modifier) == std::end(kModifierKeys)) return false;
        start = plus + 1;
    }
    return true;
}

// "3x3", "1920×1080", "2x2x2".
bool is_size(std::string_view word) {
    std::size_t sides = 0;
    while (!word.empty()) {
        const std::size_t digits = std::min(word.find_first_not_of("0123456789"), word.size());
        if (digits == 0) return false;
        ++sides;
        word.remove_prefix(digits);
        if (word.empty()) break;
        const std::size_t sign = word.starts_with("x") ? 1 : word.starts_with("\u00d7") ? 2 : 0;
        if (sign == 0 || sign == word.size()) return false;
        word.remove_prefix(sign);
    }
    return sides >= 2;
}

std::optional<Reading> english_word(const morphology::Dictionary& dictionary, std::string_view word) {
    // "GIMP", "RAM": in capitals, a name before an English word spelt alike.
    const bool english = looks_like_a_name(word) && word.find(':') == std::string_view::npos && !is_all_capitals(word) &&
                         morphology::is_english(dictionary, lower_case(word));
    if (!english) return std::nullopt;
    Reading reading = shaped(word, WordClass::English);
    reading.guessed = true;
    return reading;
}

}  // namespace

std::optional<Reading> told_by_shape(std::string_view word) {
    if (is_single_letter(word)) return shaped(word, WordClass::Letter);
    if (is_function_key(word) || is_key_combination(word)) return shaped(word, WordClass::Key);
    if (is_size(word)) return shaped(word, WordClass::Size);
    return std::nullopt;
}

std::optional<Reading> guess_unknown(const morphology::Dictionary& dictionary, std::string_view word) {
    if (!looks_like_a_name(word)) return std::nullopt;
    if (auto english = english_word(dictionary, word)) return english;
    if (!has_capital(word)) return std::nullopt;
    if (auto read = after_colon(word)) return read;
    if (auto read = after_capitals(word)) return read;
    if (auto read = after_kse(word)) return read;
    if (auto read = after_vowel(word)) return read;
    return name_reading(word, {}, std::string(word), Case::Nominative);
}

void tell_without_entry(const morphology::Dictionary& dictionary, std::string_view word, std::vector<Reading>& readings) {
    if (auto shape = told_by_shape(word)) {
        readings = {std::move(*shape)};
        return;
    }
    if (readings.empty()) {
        if (auto guess = guess_unknown(dictionary, word)) readings.push_back(std::move(*guess));
        return;
    }
    const WordClass read_as = readings.front().form.word_class;
    if (analysis::told_by_class(read_as) || read_as == WordClass::Abbreviation) return;
    if (auto english = english_word(dictionary, word)) readings.insert(readings.begin(), std::move(*english));
}

}  // namespace lomperi::answer

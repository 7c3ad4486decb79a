#include "pos_names.hpp"

#include <array>
#include <utility>

namespace lomperi::data_build {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 23> kLabels{{
    {"n", "noun"},
    {"v", "verb"},
    {"adj", "adj"},
    {"adv", "adv"},
    {"pn", "name"},
    {"numeral", "num"},
    {"pronoun", "pron"},
    {"interjection", "intj"},
    {"conjunction", "conj"},
    {"postposition", "postp"},
    {"preposition", "prep"},
    {"abbreviation", "abbrev"},
    {"prefix", "prefix"},
    {"suffix", "suffix"},
    {"particle", "particle"},
    {"determiner", "det"},
    {"article", "det"},
    {"idiom", "phrase"},
    {"phrase", "phrase"},
    {"phraseologicalUnit", "phrase"},
    {"proverb", "proverb"},
    {"symbol", "symbol"},
    {"punctuation", "punct"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 17> kWordClasses{{
    {"nimisana", "noun"},
    {"laatusana", "adj"},
    {"nimisana_laatusana", "adj"},
    {"teonsana", "verb"},
    {"kieltosana", "verb"},
    {"seikkasana", "adv"},
    {"asemosana", "pron"},
    {"suhdesana", "postp"},
    {"huudahdussana", "intj"},
    {"sidesana", "conj"},
    {"etunimi", "name"},
    {"sukunimi", "name"},
    {"paikannimi", "name"},
    {"nimi", "name"},
    {"lyhenne", "abbrev"},
    {"lukusana", "num"},
    {"etuliite", "prefix"},
}};

}  // namespace

std::string pos_from_label(std::string_view label) {
    if (label.empty()) return "phrase";
    for (const auto& [from, to] : kLabels) {
        if (from == label) return std::string(to);
    }
    return std::string(label);
}

std::optional<std::string> pos_from_word_class(std::string_view word_class) {
    for (const auto& [from, to] : kWordClasses) {
        if (from == word_class) return std::string(to);
    }
    return std::nullopt;
}

const std::vector<std::string>& canonical_pos_order() {
    static const std::vector<std::string> order{
        "noun", "verb",   "adj",    "name",  "adv",  "pron",   "phrase", "num",     "intj",     "proverb",
        "suffix", "postp", "prefix", "conj", "character", "contraction", "prep", "det", "particle",
        "interfix", "symbol", "punct", "abbrev", "devlog"};
    return order;
}

}  // namespace lomperi::data_build

#include "core/morphology/form_wordings.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "core/analysis/labels.hpp"

namespace lomperi::morphology {

std::string form_of_meaning(std::string_view what, std::string_view word) { return fmt::format("{} of {}", what, word); }

std::optional<FormOfMeaning> read_form_of_meaning(std::string_view meaning) {
    constexpr std::string_view kOf = " of ";
    constexpr std::string_view kWith = " with the ";
    const std::size_t of = meaning.rfind(kOf);
    if (of == 0) return std::nullopt;
    if (of == std::string_view::npos) {
        // The basic form with its suffixes: "silmä with the first-person
        // singular possessive suffix".
        const std::size_t with = meaning.find(kWith);
        if (with == std::string_view::npos || with == 0) return std::nullopt;
        const std::string_view word = meaning.substr(0, with);
        if (word.find(' ') != std::string_view::npos) return std::nullopt;
        return FormOfMeaning{{}, word, meaning.substr(with)};
    }
    std::string_view word = meaning.substr(of + kOf.size());
    const std::size_t with = word.find(kWith);
    const std::string_view suffixes = with == std::string_view::npos ? std::string_view{} : word.substr(with);
    word = word.substr(0, with);
    if (word.empty() || word.find(' ') != std::string_view::npos) return std::nullopt;
    return FormOfMeaning{meaning.substr(0, of), word, suffixes};
}

bool names_a_form(std::string_view meaning) {
    const auto named = read_form_of_meaning(meaning);
    if (!named) return false;
    if (named->form.empty()) {
        return named->suffixes.find(" suffix") != std::string_view::npos || named->suffixes.find(" clitic ") != std::string_view::npos;
    }
    return analysis::begins_form_wording(named->form.substr(0, named->form.find(' ')));
}

std::string compound_meaning(std::span<const std::string> parts) {
    std::string meaning = "compound of ";
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (k > 0) meaning += " + ";
        meaning += parts[k];
    }
    return meaning;
}

std::string compound_part_meaning(std::string_view text) { return fmt::format("{}, a part of the compound", text); }

std::string part_form_meaning(std::string_view text, std::string_view headword) {
    return fmt::format("{}, a form of {}", text, headword);
}

std::vector<std::string_view> read_compound_meaning(std::string_view meaning) {
    constexpr std::string_view kCompoundOf = "compound of ";
    constexpr std::string_view kPart = ", a part of the compound";
    constexpr std::string_view kFormOf = ", a form of ";
    std::vector<std::string_view> parts;
    if (meaning.starts_with(kCompoundOf)) {
        meaning.remove_prefix(kCompoundOf.size());
        for (std::size_t at = 0; at <= meaning.size();) {
            const std::size_t end = std::min(meaning.find(" + ", at), meaning.size());
            parts.push_back(meaning.substr(at, end - at));
            at = end + 3;
        }
    } else if (meaning.ends_with(kPart)) {
        parts.push_back(meaning.substr(0, meaning.size() - kPart.size()));
    } else if (const std::size_t form = meaning.find(kFormOf); form != std::string_view::npos) {
        parts.push_back(meaning.substr(form + kFormOf.size()));
    }
    const bool words = std::ranges::all_of(parts, [](std::string_view part) {
        return !part.empty() && part.find(' ') == std::string_view::npos;
    });
    return words ? parts : std::vector<std::string_view>{};
}

std::vector<bool> finnish_word_slots(std::span<const std::string_view> words) {
    std::vector<bool> slots(words.size(), false);
    for (std::size_t k = 0; k < words.size(); ++k) {
        const bool after_of = k > 0 && words[k - 1] == "of";
        const bool beside_plus = (k > 0 && words[k - 1] == "+") || (k + 1 < words.size() && words[k + 1] == "+");
        const bool before_form_of = words[k].ends_with(',') && k + 2 < words.size() && words[k + 1] == "a" &&
                                    (words[k + 2] == "form" || words[k + 2] == "part");
        slots[k] = after_of || beside_plus || before_form_of;
    }
    return slots;
}

}  // namespace lomperi::morphology

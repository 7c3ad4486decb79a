#include "core/morphology/form_wordings.hpp"

#include <fmt/format.h>

namespace lomperi::morphology {

std::string form_of_meaning(std::string_view what, std::string_view word) { return fmt::format("{} of {}", what, word); }

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

#include "word_case.hpp"

#include <algorithm>

namespace lomperi::data_build {

std::vector<std::string> drop_capital_duplicates(const std::vector<std::string>& forms) {
    const auto listed = [&](const std::string& word) { return std::ranges::binary_search(forms, word); };
    std::vector<std::string> kept;
    kept.reserve(forms.size());
    for (const auto& form : forms) {
        if (is_all_capitals(form) && (listed(lower_case(form)) || listed(capitalized(form)))) continue;
        kept.push_back(form);
    }
    return kept;
}

}  // namespace lomperi::data_build

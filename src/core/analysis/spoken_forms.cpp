#include "core/analysis/spoken_forms.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "base/text.hpp"

namespace lomperi::analysis {
namespace {

using Row = std::pair<std::string_view, std::string_view>;

constexpr auto kSpokenForms = [] {
    std::array rows{
#define SPOKEN_FORM(spoken, standard) Row{spoken, standard},
#include "core/analysis/spoken_forms.def"
#undef SPOKEN_FORM
    };
    std::ranges::sort(rows, {}, &Row::first);
    return rows;
}();

}  // namespace

std::optional<std::string_view> standard_of_spoken(std::string_view word) {
    if (word.size() > 32) return std::nullopt;
    const std::string lower = lower_case_first(word);
    const auto found = std::ranges::lower_bound(kSpokenForms, std::string_view(lower), {}, &Row::first);
    if (found == kSpokenForms.end() || found->first != lower) return std::nullopt;
    return found->second;
}

}  // namespace lomperi::analysis

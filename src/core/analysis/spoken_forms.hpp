#pragma once
// Spoken forms ("mä", "oon", "mennää") and the standard words they stand for.
#include <optional>
#include <string_view>

namespace lomperi::analysis {

// The standard word of a spoken form, written in lower case or with a capital.
std::optional<std::string_view> standard_of_spoken(std::string_view word);

}  // namespace lomperi::analysis

#pragma once
// Word forms that differ only by letter case.
#include <string>
#include <vector>

#include "base/text.hpp"

namespace lomperi::data_build {

// Drops the all-capitals forms ("TALON") whose lower-case or capitalised
// spelling is also listed; `forms` must be sorted.
std::vector<std::string> drop_capital_duplicates(const std::vector<std::string>& forms);

}  // namespace lomperi::data_build

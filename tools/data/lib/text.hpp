#pragma once
// Small text helpers shared by the source parsers.
#include <string_view>
#include <vector>

#include "base/text.hpp"

namespace lomperi::data_build {

using lomperi::collapse_spaces;
using lomperi::trim;

// Splits on '\n'; a final line feed does not make an empty last line.
std::vector<std::string_view> split_lines(std::string_view text);

}  // namespace lomperi::data_build

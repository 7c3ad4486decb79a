#pragma once
// Spaces in plain text: trimming and collapsing.
#include <string>
#include <string_view>

namespace lomperi {

// Without the spaces, tabs and carriage returns at either end.
std::string_view trim(std::string_view text);

// Tabs as spaces, runs of spaces as one, both ends trimmed.
std::string collapse_spaces(std::string_view text);

}  // namespace lomperi

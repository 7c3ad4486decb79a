#pragma once
// Small text helpers shared by the source parsers.
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::data_build {

std::string_view trim(std::string_view text);

// Splits on '\n'; a final line feed does not make an empty last line.
std::vector<std::string_view> split_lines(std::string_view text);

// Lower-cases ASCII letters only; other bytes are kept.
std::string ascii_lower(std::string_view text);

// Replaces runs of spaces with one space and trims both ends.
std::string collapse_spaces(std::string_view text);

}  // namespace lomperi::data_build

#pragma once
// Letter case of Finnish words in UTF-8 (ASCII and the Latin-1 letters).
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::data_build {

std::string lower_case(std::string_view word);

// "TALO" -> "Talo".
std::string capitalized(std::string_view word);

// Two or more letters, all of them capitals.
bool is_all_capitals(std::string_view word);

// Drops the all-capitals forms ("TALON") whose lower-case or capitalised
// spelling is also listed; `forms` must be sorted.
std::vector<std::string> drop_capital_duplicates(const std::vector<std::string>& forms);

}  // namespace lomperi::data_build

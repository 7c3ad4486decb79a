#pragma once
// The text of --help: its usage lines and its options come from the table of
// commands, around what the program tells of itself.
#include <span>
#include <string>
#include <string_view>

#include "core/cli/arguments.hpp"

namespace lomperi::cli {

// What a data set without the analyser (mor.vfst) does, as the program says it.
inline constexpr std::string_view kNoAnalysis = "no word is analysed; words are found as the word lists spell them";

// The whole text; its last line tells whether the data set analyses words.
std::string help_text(CommandTable table, bool has_analyser, std::span<const std::string> key_lines = {});

}  // namespace lomperi::cli

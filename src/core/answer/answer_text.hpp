#pragma once
// Answers as plain lines of text, for the command line and the DICT server.
#include <cstdint>
#include <string>
#include <vector>

#include "core/answer/answer.hpp"
#include "core/morphology/english_search.hpp"

namespace lomperi::answer {

// The answer as the entry pane shows it at this inner width: the notes, then
// the entry; styles as SGR sequences when asked; what a terminal must not be
// sent replaced. Empty when there is neither.
std::string answer_text(const Answer& answer, std::uint16_t width, bool styles);

// The Finnish headwords of an English word: "headword TAB meaning" per line.
std::string translation_lines(const std::vector<morphology::EnglishMatch>& matches);

}  // namespace lomperi::answer

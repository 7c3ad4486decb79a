#pragma once
// A DICT protocol command line cut into its words: words are separated by
// spaces or tabs; a word may be quoted with double or single quotes, and a
// backslash takes the next character as it is.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::dict_server {

// Nothing for an unterminated quote or a backslash at the end.
std::optional<std::vector<std::string>> command_words(std::string_view line);

}  // namespace lomperi::dict_server

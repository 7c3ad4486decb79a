#include "core/dict_server/dict_command.hpp"

namespace lomperi::dict_server {

std::optional<std::vector<std::string>> command_words(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ' || line[at] == '\t') {
            ++at;
            continue;
        }
        std::string word;
        char quote = 0;
        for (; at < line.size(); ++at) {
            const char c = line[at];
            if (c == '\\') {
                if (++at == line.size()) return std::nullopt;
                word += line[at];
            } else if (quote != 0 && c == quote) {
                quote = 0;
            } else if (quote == 0 && (c == '"' || c == '\'')) {
                quote = c;
            } else if (quote == 0 && (c == ' ' || c == '\t')) {
                break;
            } else {
                word += c;
            }
        }
        if (quote != 0) return std::nullopt;
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace lomperi::dict_server

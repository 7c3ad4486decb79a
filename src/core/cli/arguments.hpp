#pragma once
// The command line: no argument opens the dictionary on the terminal; words
// are looked up; --gloss glosses a text word by word; --english finds the
// Finnish words for English ones.
#include <string>
#include <variant>
#include <vector>

namespace lomperi::cli {

struct Interactive {};
struct LookUp {
    std::vector<std::string> words;
};
struct Gloss {
    std::vector<std::string> files;  // none, or "-": standard input
};
struct English {
    std::vector<std::string> words;  // English words or phrases
};
struct Help {};
struct Version {};
struct UsageError {
    std::string message;
};

using Command = std::variant<Interactive, LookUp, Gloss, Help, Version, UsageError, English>;

// argv without the program name. "--" ends the options: what follows are
// words even when they start with "-".
Command parse_arguments(const std::vector<std::string>& args);

// The text of --help.
std::string help_text();

}  // namespace lomperi::cli

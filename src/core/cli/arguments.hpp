#pragma once
// The command line: no argument opens the dictionary on the terminal; words
// are looked up; --gloss glosses a text word by word; --english finds the
// Finnish words for English ones. Every option is one row of a table, from
// which both the parsing and --help follow.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lomperi::cli {

struct Interactive {};
struct LookUp {
    std::vector<std::string> words;
    bool json = false;
};
struct Gloss {
    std::vector<std::string> files;  // none, or "-": standard input
    bool json = false;
    bool interlinear = false;
};
struct Read {
    std::string file;  // "-": standard input, the keys then from the terminal
};
struct Words {};
struct Serve {
    std::vector<std::string> listen;  // HOST:PORT; none: the loopback addresses on port 2628
};
struct English {
    std::vector<std::string> words;  // English words or phrases
};
struct Help {};
struct Version {};
struct UsageError {
    std::string message;
};

using Command = std::variant<Interactive, LookUp, Gloss, Help, Version, UsageError, English, Read, Words, Serve>;

// argv without the program name. "--" ends the options: what follows are
// words even when they start with "-".
Command parse_arguments(const std::vector<std::string>& args);

// What a data set without the analyser (mor.vfst) does, as the program says it.
inline constexpr std::string_view kNoAnalysis = "no word is analysed; words are found as the word lists spell them";

// The text of --help, whose last line tells whether the data set analyses words.
std::string help_text(bool has_analyser);

}  // namespace lomperi::cli

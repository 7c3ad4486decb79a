#pragma once
// The command line as one table: every command and every option that
// changes one is a row, from which parsing, the usage line, --help and the
// shells' completions follow. The table itself is the program's
// (core/app/commands.cpp), the one place that knows every front end.
#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.hpp"
#include "core/morphology/data_files.hpp"

namespace lomperi::morphology {
struct Dictionary;
}

namespace lomperi::cli {

// What the command line set besides the command: parsed flags only.
struct Options {
    std::vector<std::string> operands;  // the words or files ("-": standard input)
    bool json = false;
    bool interlinear = false;
    bool table = false;
    std::vector<std::string> listen;  // HOST:PORT; none: the loopback addresses on port 2628
};

// Each command runs at the first stage it needs: on the command line alone;
// on the loaded data set; or as a session that runs until the user or a
// signal ends it (the full-screen dictionary, the server), which loads the
// data set itself once it holds what must come first (the text and the
// terminal, the signals).
enum class Stage : std::uint8_t { Arguments, DataSet, Session };

// What a command is given. `dictionary` is loaded at Stage::DataSet only.
struct Context {
    const Options& options;
    const morphology::DataFiles& files;
    const morphology::Dictionary* dictionary = nullptr;
};

// A command's exit status, or an error that the caller prints (status 1).
using Run = Result<int> (*)(const Context&);

// What follows a row on the command line: a command's operands, or the one
// argument a modifier takes.
enum class Takes : std::uint8_t {
    Nothing,
    Anything,  // operands that the command ignores
    Words,     // one or more
    Files,     // any number; none is standard input
    OneFile,
    OneWord,
    Value,     // a modifier's: the next argument
};

struct CommandRow {
    std::string_view name{};        // "--gloss"; empty for what runs without a command option
    std::string_view short_name{};  // "-h"
    std::string_view operands{};    // as --help shows them: "[FILE...]"
    Takes takes = Takes::Nothing;
    // Said when the operands are not what the row takes.
    std::string_view wrong_operands{};
    // A command: its stage and function, and the modifiers that go with it.
    Stage stage = Stage::Arguments;
    Run run = nullptr;
    std::array<std::string_view, 2> modifiers{};
    // The modifiers go together ("[--json] [--table]"), or only one of them
    // is taken ("[--json | --interlinear]").
    bool modifiers_combine = false;
    // A modifier (no `run`): the flag it sets or the list it adds its value
    // to, what a valid value is and what is said of an invalid one, and
    // whether it is refused with a command that does not list it.
    bool Options::*flag = nullptr;
    std::vector<std::string> Options::*values = nullptr;
    bool (*valid)(std::string_view value) = nullptr;
    std::string_view invalid{};
    bool refused_elsewhere = false;
    // A few words for --help's usage lines and the shells' completions, and
    // --help's paragraph; a row without help is hidden.
    std::string_view summary{};
    std::string_view help{};

    bool is_modifier() const { return run == nullptr; }
    bool is_hidden() const { return help.empty() && summary.empty(); }
    bool takes_files() const { return takes == Takes::Files || takes == Takes::OneFile; }
};

using CommandTable = std::span<const CommandRow>;

// A command line understood: the row of its command and its options.
struct Invocation {
    const CommandRow* command = nullptr;
    Options options;
};

struct UsageError {
    std::string message;
};

// The row of an option, by its name or short name.
const CommandRow* row_named(CommandTable table, std::string_view name);

// argv without the program name. Without arguments, the nameless row that
// takes nothing; with words and no command option, the nameless row that
// takes words. "--" ends the options: what follows are operands even when
// they start with "-".
std::expected<Invocation, UsageError> parse_arguments(CommandTable table, const std::vector<std::string>& args);

// "Usage: lomperi [WORD... | --gloss [FILE...] | ...]", from the visible commands.
std::string usage_line(CommandTable table);

}  // namespace lomperi::cli

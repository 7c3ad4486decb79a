#include "core/app/command_table.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/cli/completions.hpp"
#include "core/cli/help_text.hpp"
#include "support/child_process.hpp"
#include "term/char_width.hpp"

namespace lomperi::app {
namespace {

using cli::parse_arguments;

// The row a command line runs, told by its option ("WORD..." for words,
// "" for no argument at all), or the usage error.
std::string parsed(const std::vector<std::string>& args) {
    const auto invocation = parse_arguments(command_table(), args);
    if (!invocation) return "usage: " + invocation.error().message;
    const cli::CommandRow& row = *invocation->command;
    return std::string(row.name.empty() ? row.operands : row.name);
}

TEST(CommandTable, EachCommandLineRunsOneRowOrIsAUsageError) {
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, ""},
        {{"talo"}, "WORD..."},
        {{"talo", "kissa"}, "WORD..."},
        {{"--", "-kin"}, "WORD..."},
        {{"-"}, "WORD..."},
        {{"--gloss"}, "--gloss"},
        {{"--gloss", "a.txt", "-"}, "--gloss"},
        {{"--help"}, "--help"},
        {{"-h"}, "--help"},
        {{"talo", "--help"}, "--help"},
        {{"--version"}, "--version"},
        {{"--version", "--json"}, "--version"},
        {{"--english", "to be", "cat"}, "--english"},
        {{"--read", "-"}, "--read"},
        {{"--serve"}, "--serve"},
        {{"--words"}, "--words"},
        {{"--gloss", "--interlinear", "--json"}, "--gloss"},
        {{"--bogus"}, "usage: unknown option --bogus"},
        {{"talo", "-x"}, "usage: unknown option -x"},
        {{"--gloss", "--help"}, "usage: --help cannot be given with --gloss"},
        {{"--gloss", "-h"}, "usage: -h cannot be given with --gloss"},
        {{"--"}, "usage: no word to look up after --"},
        {{"--json"}, "usage: no word to look up after --"},
        {{"--english"}, "usage: --english takes English words"},
        {{"--read"}, "usage: --read takes one file, or - for standard input"},
        {{"--read", "a", "b"}, "usage: --read takes one file, or - for standard input"},
        {{"--words", "x"}, "usage: --words takes no words"},
        {{"--serve", "x"}, "usage: --serve takes no words"},
        {{"--interlinear", "talo"}, "usage: --interlinear goes with --gloss"},
        {{"--listen", "127.0.0.1:0"}, "usage: --listen goes with --serve"},
        {{"--serve", "--listen"}, "usage: --listen takes HOST:PORT"},
        // The modifiers are checked in the table's order, whatever the order given.
        {{"--listen", "127.0.0.1:0", "--interlinear", "talo"}, "usage: --interlinear goes with --gloss"},
    };
    for (const auto& [args, expected] : rows) EXPECT_EQ(parsed(args), expected) << ::testing::PrintToString(args);
}

TEST(CommandTable, OperandsAndModifiersReachTheOptions) {
    const auto gloss = parse_arguments(command_table(), {"a.txt", "--gloss", "--json", "--", "--b", "--interlinear"});
    ASSERT_TRUE(gloss.has_value());
    EXPECT_EQ(gloss->options.operands, (std::vector<std::string>{"a.txt", "--b", "--interlinear"}));
    EXPECT_TRUE(gloss->options.json);
    EXPECT_FALSE(gloss->options.interlinear);

    const auto good = parse_arguments(command_table(), {"--serve", "--listen", "127.0.0.1:0", "--listen", "[::1]:2628"});
    ASSERT_TRUE(good.has_value());
    EXPECT_EQ(good->options.listen, (std::vector<std::string>{"127.0.0.1:0", "[::1]:2628"}));
    for (const std::string bad : {"127.0.0.1:99999", "127.0.0.1:", "[::1]:"}) {
        const auto refused = parse_arguments(command_table(), {"--serve", "--listen", bad});
        ASSERT_FALSE(refused.has_value()) << bad;
        EXPECT_TRUE(refused.error().message.starts_with("--listen " + bad + " is no HOST:PORT")) << refused.error().message;
    }
}

// Every command has a function, and every modifier a command it goes with
// and something it sets.
TEST(CommandTable, RowsAreWhole) {
    const auto table = command_table();
    for (const cli::CommandRow& row : table) {
        SCOPED_TRACE(std::string(row.name));
        if (!row.is_modifier()) {
            EXPECT_TRUE(row.name.empty() || row.name.starts_with("--"));
            const bool without_arguments = row.name.empty() && row.takes == cli::Takes::Nothing;
            if (row.takes != cli::Takes::Files && row.takes != cli::Takes::Anything && !without_arguments) {
                EXPECT_FALSE(row.wrong_operands.empty());
            }
            for (const auto modifier : row.modifiers) {
                if (!modifier.empty()) {
                    EXPECT_NE(cli::row_named(table, modifier), nullptr) << modifier;
                }
            }
            continue;
        }
        EXPECT_NE(row.flag == nullptr, row.values == nullptr);
        EXPECT_EQ(row.takes == cli::Takes::Value, row.values != nullptr);
        EXPECT_FALSE(row.summary.empty());
        const bool listed = std::ranges::any_of(table, [&](const cli::CommandRow& command) {
            return !command.is_modifier() && std::ranges::find(command.modifiers, row.name) != command.modifiers.end();
        });
        EXPECT_TRUE(listed);
    }
}

TEST(CommandTable, UsageLineNamesEveryCommand) {
    EXPECT_EQ(cli::usage_line(command_table()),
              "Usage: lomperi [WORD... | --gloss [FILE...] | --read FILE | --words | --serve | --english WORD... | "
              "--help | --version]");
}

// The usage lines name every command; the options are filled to 78 cells,
// whatever bytes their letters take.
TEST(CommandTable, HelpNamesEveryOptionInLinesOf78Cells) {
    const std::string help = cli::help_text(command_table(), true);
    EXPECT_TRUE(help.starts_with("Usage: lomperi                 open the dictionary on the terminal\n"
                                 "       lomperi [--json] [--table] WORD...\n"
                                 "                               print the entry of each word\n"
                                 "       lomperi --gloss [--json | --interlinear] [FILE...]\n"))
        << help;
    EXPECT_NE(help.find("       lomperi --serve [--listen HOST:PORT]\n"), std::string::npos);
    EXPECT_NE(help.find("       lomperi --help | --version\n"), std::string::npos);
    for (const cli::CommandRow& row : command_table()) {
        if (row.name.empty() || row.is_hidden()) continue;
        EXPECT_NE(help.find("\n  " + std::string(row.name)), std::string::npos) << row.name;
    }
    EXPECT_EQ(help.find("--completions"), std::string::npos);

    const cli::CommandRow finnish[] = {
        {.name = "--sano", .takes = cli::Takes::Anything, .run = [](const cli::Context&) -> Result<int> { return 0; },
         .summary = "sano",
         .help = "äänekäs öljyinen työläs yö äänekäs öljyinen työläs yö äänekäs öljyinen työläs yö äänekäs öljyinen "
                 "työläs yö äänekäs öljyinen työläs yö äänekäs öljyinen työläs yö"},
    };
    const std::string text = cli::help_text(finnish, true);
    const std::size_t start = text.find("  --sano\n");
    ASSERT_NE(start, std::string::npos);
    std::vector<std::string> lines;
    for (std::size_t at = start + 9, end; text.compare(at, 6, "      ") == 0; at = end + 1) {
        end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
    }
    std::vector<std::size_t> widths;
    for (const auto& line : lines) widths.push_back(term::display_width(line));
    EXPECT_EQ(widths, (std::vector<std::size_t>{76, 77, 24})) << text;
}

std::string shell_path(const char* name) {
    for (const char* directory : {"/usr/bin/", "/bin/", "/usr/local/bin/"}) {
        const std::string path = std::string(directory) + name;
        if (::access(path.c_str(), X_OK) == 0) return path;
    }
    return {};
}

// Each script names every option the help shows and none it hides, and its
// shell reads it (a shell that is not installed is left out).
TEST(CommandTable, CompletionScriptsNameEveryOptionAndParse) {
    const struct {
        cli::Shell shell;
        const char* program;
        std::vector<std::string> check;  // the arguments that parse a script file without running it
    } shells[] = {
        {cli::Shell::Bash, "bash", {"-n"}},
        {cli::Shell::Zsh, "zsh", {"-n"}},
        {cli::Shell::Fish, "fish", {"--no-execute"}},
    };
    const auto script_file = std::filesystem::temp_directory_path() / ("lomperi-completions-" + std::to_string(::getpid()));
    for (const auto& shell : shells) {
        SCOPED_TRACE(shell.program);
        const std::string script = cli::completion_script(command_table(), shell.shell);
        for (const cli::CommandRow& row : command_table()) {
            if (row.name.empty()) continue;
            const bool shown = !row.is_hidden();
            // fish names a long option without its dashes.
            const std::string name = shell.shell == cli::Shell::Fish ? "-l " + std::string(row.name.substr(2)) : std::string(row.name);
            EXPECT_EQ(script.find(name) != std::string::npos, shown) << name;
            if (!row.short_name.empty()) {
                const std::string short_name = shell.shell == cli::Shell::Fish ? "-s " + std::string(row.short_name.substr(1))
                                                                               : std::string(row.short_name);
                EXPECT_NE(script.find(short_name), std::string::npos) << short_name;
            }
        }
        const std::string program = shell_path(shell.program);
        if (program.empty()) continue;
        std::ofstream(script_file) << script;
        auto args = shell.check;
        args.push_back(script_file.string());
        const auto checked = testing::run_program(program, args);
        EXPECT_EQ(checked.status, 0) << checked.err << script;
    }
    std::filesystem::remove(script_file);
}

}  // namespace
}  // namespace lomperi::app

#include "core/cli/help_text.hpp"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <vector>

#include "term/line_filler.hpp"

namespace lomperi::cli {
namespace {

constexpr std::size_t kSummaryColumn = 31;
constexpr std::size_t kHelpIndent = 6;
constexpr std::size_t kHelpWidth = 78;

// "--gloss [--json | --interlinear] [FILE...]": the command, the modifiers
// that go with it and its operands.
std::string synopsis(CommandTable table, const CommandRow& command) {
    std::vector<std::string> parts;
    if (!command.name.empty()) parts.emplace_back(command.name);
    std::vector<std::string> modifiers;
    for (const std::string_view name : command.modifiers) {
        const CommandRow* modifier = row_named(table, name);
        if (!modifier) continue;
        modifiers.push_back(modifier->operands.empty() ? std::string(name)
                                                       : fmt::format("{} {}", name, modifier->operands));
    }
    if (command.modifiers_combine) {
        for (const auto& modifier : modifiers) parts.push_back(fmt::format("[{}]", modifier));
    } else if (!modifiers.empty()) {
        parts.push_back(fmt::format("[{}]", fmt::join(modifiers, " | ")));
    }
    if (!command.operands.empty()) parts.emplace_back(command.operands);
    return fmt::format("lomperi{}{}", parts.empty() ? "" : " ", fmt::join(parts, " "));
}

// One line per command with its summary beside it, or under it when the
// command is long. Commands that ignore their operands (--help, --version)
// tell of the program itself: they share the last line.
std::string usage_lines(CommandTable table) {
    std::string text;
    std::vector<std::string_view> of_the_program;
    for (const CommandRow& row : table) {
        if (row.is_modifier() || row.is_hidden()) continue;
        if (row.takes == Takes::Anything) {
            of_the_program.push_back(row.name);
            continue;
        }
        std::string line = fmt::format("{:7}{}", text.empty() ? "Usage:" : "", synopsis(table, row));
        if (line.size() + 2 <= kSummaryColumn) {
            line.resize(kSummaryColumn, ' ');
        } else {
            line += fmt::format("\n{:{}}", "", kSummaryColumn);
        }
        text += fmt::format("{}{}\n", line, row.summary);
    }
    if (!of_the_program.empty()) text += fmt::format("{:7}lomperi {}\n", "", fmt::join(of_the_program, " | "));
    return text;
}

// The words of `text` in lines of kHelpWidth cells, each after the indent.
std::string filled(std::string_view text) {
    std::string out;
    term::LineFiller filler(kHelpWidth - kHelpIndent);
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
        if (word.empty()) continue;
        filler.add(word, 1, [&](std::string_view piece, term::LineFiller::Place place) {
            if (place == term::LineFiller::Place::OpenLine) {
                out += ' ';
            } else if (!out.empty()) {
                out += '\n';
                out.append(kHelpIndent, ' ');
            }
            out += piece;
        });
    }
    return out;
}

std::string option_lines(CommandTable table) {
    std::string text;
    for (const CommandRow& row : table) {
        if (row.name.empty() || row.is_hidden()) continue;
        std::string head = fmt::format("  {}", row.name);
        if (!row.short_name.empty()) head += fmt::format(", {}", row.short_name);
        if (!row.operands.empty()) head += fmt::format(" {}", row.operands);
        text += fmt::format("{}\n{:{}}{}\n", head, "", kHelpIndent, filled(row.help));
    }
    return text;
}

}  // namespace

std::string help_text(CommandTable table, bool has_analyser, std::span<const std::string> key_lines) {
    std::string text = usage_lines(table);
    text += R"help(
A Finnish-English dictionary. With no arguments it opens the full-screen
dictionary. With words it prints, for each word, the entry the entry pane
would show right after typing it, separated by a line "--": the lines that
say which form the word is (one per reading, best first), then the entry of
its word; a word without an entry is reported as "WORD: (no matches)" on
standard error, with the words it may be a misspelling of ("; did you mean:
kaupassa, kaupasta?").

Options:
)help";
    text += option_lines(table);
    text += R"help(  --                 end of the options: the words after it may start with -

Output is wrapped to the terminal's width, or to $COLUMNS (else 80) when
standard output is no terminal; colours and text styles are used only on a
terminal and never when NO_COLOR is set.

In the full-screen dictionary, Ctrl+E searches by English words when the
data set has an English side. A search text too long for the title box
shows its end after an ellipsis ("> …ä huomenta").

Exit status:
  0  every word was found
  1  an error: the data set (also damage met while answering: the words
     it hid are reported as "(damaged data)"), an unreadable file, invalid
     input, output that cannot be written, no terminal for the full-screen
     dictionary, or --english with a data set that has no English side
  2  the command line was not understood
  3  some word was not found

In the dictionary, pasting a text of more than one word opens it in the
reading pane; Esc there goes back to the dictionary.

)help";
    for (const auto& line : key_lines) text += line + '\n';
    text += R"help(
Files:
  lomperi.toml beside the executable, or ~/.config/lomperi/lomperi.toml:
  the pane sizes of the full-screen dictionary.
  $XDG_DATA_HOME/lomperi/words.tsv, else ~/.local/share/lomperi/words.tsv:
  the words saved for review in the reading pane, one line each.

)help";
    text += has_analyser ? "The analysis of words is voikko-fi's (GPL-2.0-or-later), embedded as data.\n"
                         : fmt::format("This data set has no analyser (mor.vfst): {}.\n", kNoAnalysis);
    return text;
}

}  // namespace lomperi::cli

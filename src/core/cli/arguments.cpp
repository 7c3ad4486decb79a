#include "core/cli/arguments.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/cli/listen_address.hpp"

namespace lomperi::cli {
namespace {

// What an option does: choose the command, or change how it prints.
enum class Role { Gloss, English, Help, Version, Json, Interlinear, Read, Words, Serve, Listen };

struct OptionRow {
    std::string_view name;
    std::string_view short_name;
    std::string_view operands;
    Role role;
    std::string_view help;
};

constexpr OptionRow kOptions[] = {
    {"--gloss", "", "[FILE...]", Role::Gloss,
     "read Finnish text from the files, or from standard input without FILE or with \"-\", and print one line per "
     "word: the word as written (outer punctuation stripped), a tab, the headword of its entry, a tab, that "
     "entry's first meaning, a tab, the form the word is (\"partitive plural\", \"past, 3sg\"; the other fields "
     "empty when the word has no entry); a line at a time, so it works as a filter. Control characters separate "
     "words and are never printed; anything else a terminal could take for a command is printed as U+FFFD"},
    {"--json", "", "", Role::Json,
     "with words or with --gloss: print JSON Lines, one object per word: \"word\", \"headword\" (whose entry is "
     "shown), \"meaning\" (its first meaning), \"read_as\" when the word was read as another spelling "
     "(\"Talo\" as \"talo\"), \"damaged\": true when the look-up met damaged data, and \"readings\", best "
     "first, each with \"lemma\", \"class\" and those of "
     "\"case\", \"number\", \"person\", \"mood\", \"tense\", \"infinitive\", \"participle\", "
     "\"comparison\", \"possessive\", \"clitics\", \"negative\" and \"parts\" that apply"},
    {"--interlinear", "", "", Role::Interlinear,
     "with --gloss: print each line of the text with two lines under it, aligned word by word: the word cut into "
     "its morphs (\"talo-ssa-mme\") and a short English gloss of each (\"house-in-our\": the first meaning of "
     "the lemma, then the form's labels), the three lines wrapped together to the output width"},
    {"--read", "", "FILE", Role::Read,
     "open FILE (or standard input for \"-\", the keys then read from the terminal) in the reading pane of the "
     "full-screen dictionary: the text in the left column, the entry of the current word beside it; Left and "
     "Right move by word, Up and Down by line, PageUp, PageDown, Home and End as usual, a click selects a word, "
     "s saves the word for review, Esc quits"},
    {"--words", "", "", Role::Words,
     "print the path of the file of words saved for review (words.tsv: the word, its lemma, its form, its first "
     "meaning and its sentence, tab-separated) and how many it holds"},
    {"--serve", "", "", Role::Serve,
     "serve the dictionary to DICT protocol clients (RFC 2229: GoldenDict, Emacs's dictionary mode, dict) on "
     "127.0.0.1 and ::1, port 2628, until SIGINT or SIGTERM; databases fi-en (every form analysed) and en-fi, "
     "strategies exact, prefix and lemma"},
    {"--listen", "", "HOST:PORT", Role::Listen,
     "with --serve: listen there instead ([IPv6]:PORT for an IPv6 address; may be given more than once). Only "
     "loopback addresses are served unless another one is given here: 0.0.0.0:2628 serves every network the "
     "machine is on; port 0 is any free port, named when the server starts"},
    {"--english", "", "WORD...", Role::English,
     "for each English word or phrase, print the Finnish headwords whose meanings hold it, best first, one per "
     "line: the headword, a tab, the meaning that holds it; a word that begins no English word of the data set is "
     "looked up as a beginning (\"hous\" finds \"house\")"},
    {"--help", "-h", "", Role::Help, "print this help"},
    {"--version", "-V", "", Role::Version,
     "print the version and the size of the data set, what it lacks, and its damaged parts (all of it checked)"},
};

const OptionRow* option_named(std::string_view arg) {
    for (const OptionRow& row : kOptions) {
        if (arg == row.name || (!row.short_name.empty() && arg == row.short_name)) return &row;
    }
    return nullptr;
}

bool is_option(const std::string& arg) { return arg.size() > 1 && arg.starts_with('-'); }

// Fills `text` into lines of at most `width` characters, each after `indent`.
std::string filled(std::string_view text, std::size_t indent, std::size_t width) {
    std::string out;
    std::size_t column = indent;
    bool first = true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
        if (!first && column + 1 + word.size() > width) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
            first = true;
        }
        if (!first) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        first = false;
    }
    return out;
}

}  // namespace

Command parse_arguments(const std::vector<std::string>& args) {
    if (args.empty()) return Interactive{};
    std::optional<Role> command;
    std::string command_name;
    bool json = false;
    bool interlinear = false;
    bool words_only = false;
    std::vector<std::string> operands;
    std::vector<std::string> listen;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (!words_only && arg == "--") {
            words_only = true;
            continue;
        }
        const OptionRow* row = words_only ? nullptr : option_named(arg);
        if (!row) {
            if (!words_only && is_option(arg)) return UsageError{fmt::format("unknown option {}", arg)};
            operands.push_back(arg);
            continue;
        }
        if (row->role == Role::Json) {
            json = true;
            continue;
        }
        if (row->role == Role::Interlinear) {
            interlinear = true;
            continue;
        }
        if (row->role == Role::Listen) {
            if (k + 1 == args.size()) return UsageError{"--listen takes HOST:PORT"};
            if (!parse_listen_address(args[++k])) {
                return UsageError{fmt::format("--listen {} is no HOST:PORT or [IPv6]:PORT with PORT from 1 to 65535 "
                                              "(0: any free port)", args[k])};
            }
            listen.push_back(args[k]);
            continue;
        }
        if (command) return UsageError{fmt::format("{} cannot be given with {}", arg, command_name)};
        command = row->role;
        command_name = arg;
    }
    if (interlinear && command != Role::Gloss) return UsageError{"--interlinear goes with --gloss"};
    if (!listen.empty() && command != Role::Serve) return UsageError{"--listen goes with --serve"};
    if (!command) {
        if (operands.empty()) return UsageError{"no word to look up after --"};
        return LookUp{std::move(operands), json};
    }
    switch (*command) {
        case Role::Gloss: return Gloss{std::move(operands), json, interlinear};
        case Role::Read:
            if (operands.size() != 1) return UsageError{"--read takes one file, or - for standard input"};
            return Read{std::move(operands.front())};
        case Role::Words:
            if (!operands.empty()) return UsageError{"--words takes no words"};
            return Words{};
        case Role::Serve:
            if (!operands.empty()) return UsageError{"--serve takes no words"};
            return Serve{std::move(listen)};
        case Role::English:
            if (operands.empty()) return UsageError{"--english takes English words"};
            return English{std::move(operands)};
        case Role::Help: return Help{};
        case Role::Version: return Version{};
        case Role::Json:
        case Role::Interlinear:
        case Role::Listen: break;
    }
    return UsageError{"no command"};
}

std::string help_text(bool has_analyser) {
    std::string text = R"help(Usage: lomperi                  open the dictionary on the terminal
       lomperi [--json] WORD...
                               print the entry of each word
       lomperi --gloss [--json | --interlinear] [FILE...]
                               gloss a Finnish text, one line per word
       lomperi --read FILE     read a text word by word on the terminal
       lomperi --words         where the words saved for review are
       lomperi --serve [--listen HOST:PORT]
                               serve DICT protocol clients
       lomperi --english WORD...
                               the Finnish words for English ones
       lomperi --help | --version

A Finnish-English dictionary. With no arguments it opens the full-screen
dictionary. With words it prints, for each word, the entry the entry pane
would show right after typing it, separated by a line "--": the lines that
say which form the word is (one per reading, best first), then the entry of
its word; a word without an entry is reported as "WORD: (no matches)" on
standard error.

Options:
)help";
    for (const OptionRow& row : kOptions) {
        std::string head = "  " + std::string(row.name);
        if (!row.short_name.empty()) head += ", " + std::string(row.short_name);
        if (!row.operands.empty()) head += " " + std::string(row.operands);
        text += head + "\n" + std::string(6, ' ') + filled(row.help, 6, 78) + "\n";
    }
    text += R"help(  --                 end of the options: the words after it may start with -

Output is wrapped to the terminal's width, or to $COLUMNS (else 80) when
standard output is no terminal; colours and text styles are used only on a
terminal and never when NO_COLOR is set.

In the full-screen dictionary Ctrl+E switches between searching Finnish
words and searching by English words, when the data set has an English side,
and Ctrl+Z stops the program (fg continues it). A search text too long for
the title box shows its end after an ellipsis ("> …ä huomenta").

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

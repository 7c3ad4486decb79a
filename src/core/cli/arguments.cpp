#include "core/cli/arguments.hpp"

#include <fmt/format.h>

namespace lomperi::cli {
namespace {

bool is_option(const std::string& arg) { return arg.size() > 1 && arg.starts_with('-'); }

}  // namespace

Command parse_arguments(const std::vector<std::string>& args) {
    if (args.empty()) return Interactive{};
    const std::string& first = args.front();
    if (first == "--help" || first == "-h") return Help{};
    if (first == "--version" || first == "-V") return Version{};
    if (first == "--gloss") {
        Gloss gloss;
        gloss.files.assign(args.begin() + 1, args.end());
        for (const auto& file : gloss.files) {
            if (is_option(file)) return UsageError{fmt::format("--gloss takes files, not the option {}", file)};
        }
        return gloss;
    }
    if (first == "--english") {
        English english;
        english.words.assign(args.begin() + 1, args.end());
        if (english.words.empty()) return UsageError{"--english takes English words"};
        return english;
    }
    LookUp lookup;
    bool words_only = false;
    for (const auto& arg : args) {
        if (!words_only && arg == "--") {
            words_only = true;
            continue;
        }
        if (!words_only && is_option(arg)) return UsageError{fmt::format("unknown option {}", arg)};
        lookup.words.push_back(arg);
    }
    if (lookup.words.empty()) return UsageError{"no word to look up after --"};
    return lookup;
}

std::string help_text() {
    return R"help(Usage: lomperi                  open the dictionary on the terminal
       lomperi WORD...         print the entry of each word
       lomperi --gloss [FILE...]
                               gloss a Finnish text, one line per word
       lomperi --english WORD...
                               the Finnish words for English ones
       lomperi --help | --version

A Finnish-English dictionary. With no arguments it opens the full-screen
dictionary. With words it prints, for each word, the entry the entry pane
would show right after typing it, separated by a line "--"; a word without
an entry is reported as "WORD: (no matches)" on standard error.

Options:
  --gloss [FILE...]  read Finnish text from the files, or from standard input
                     without FILE or with "-", and print one line per word:
                     the word as written (outer punctuation stripped), a tab,
                     the headword of its entry, a tab, that entry's first
                     meaning (both empty when the word has none); a line at
                     a time, so it works as a filter. Control characters
                     separate words and are never printed; anything else a
                     terminal could take for a command is printed as U+FFFD
  --english WORD...  for each English word or phrase, print the Finnish
                     headwords whose meanings hold it, best first, one per
                     line: the headword, a tab, the meaning that holds it;
                     a word that begins no English word of the data set is
                     looked up as a beginning ("hous" finds "house")
  --help, -h         print this help
  --version, -V      print the version and the size of the data set
  --                 end of the options: the words after it may start with -

Output is wrapped to the terminal's width, or to $COLUMNS (else 80) when
standard output is no terminal; colours and text styles are used only on a
terminal and never when NO_COLOR is set.

In the full-screen dictionary Ctrl+E switches between searching Finnish
words and searching by English words, when the data set has an English side,
and Ctrl+Z stops the program (fg continues it).

Exit status:
  0  every word was found
  1  an error: the data set, an unreadable file, invalid input, output
     that cannot be written, no terminal for the full-screen dictionary, or
     --english with a data set that has no English side
  2  the command line was not understood
  3  some word was not found

Files:
  lomperi.toml beside the executable, or ~/.config/lomperi/lomperi.toml:
  the pane sizes of the full-screen dictionary.
)help";
}

}  // namespace lomperi::cli

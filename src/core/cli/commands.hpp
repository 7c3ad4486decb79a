#pragma once
// The dictionary used from the shell: looking words up and glossing texts.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.hpp"
#include "core/cli/arguments.hpp"
#include "core/cli/gloss.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/english_search.hpp"

namespace lomperi::cli {

inline constexpr int kAllFound = 0;
inline constexpr int kUsageError = 2;
inline constexpr int kSomeNotFound = 3;

// How output looks: the width lines are wrapped to and whether styles are written.
struct OutputStyle {
    std::uint16_t width = 80;
    bool styles = false;
};

// From the environment: the terminal's width and styles when standard
// output is a terminal (no styles when NO_COLOR is set), else $COLUMNS or 80.
OutputStyle output_style_from_environment();

// Prints the entry of each word; `out` and `errors` receive what goes to
// standard output and standard error. The exit status.
int look_up(const morphology::Dictionary& dictionary, const std::vector<std::string>& words, const OutputStyle& style,
            std::string& out, std::string& errors);

// Prints the inflection tables of each word (JSON Lines with `json`), words
// separated by "--"; the exit status.
int print_tables(const morphology::Dictionary& dictionary, const std::vector<std::string>& words, bool json,
                 const OutputStyle& style, std::string& out, std::string& errors);

// The ranked Finnish headwords of each English word, "headword TAB meaning"
// per line, words separated by "--"; the exit status.
int translate_english(const morphology::Dictionary& dictionary, const std::vector<std::string>& words, std::string& out,
                      std::string& errors);

// The version line and the size of the data set.
std::string version_text(const morphology::Dictionary& dictionary);

// The commands of the command line that answer here (see core/app's table).
// Damage met while answering is an error of the data set, said once after
// the answers.
Result<int> run_look_up(const Context& context);
Result<int> run_gloss(const Context& context);
Result<int> run_english(const Context& context);
Result<int> run_version(const Context& context);
Result<int> run_word_list(const Context& context);

// Writes the text to standard output; kAllFound, or the error of the write.
Result<int> print_text(std::string_view text);

// Tells the usage error and the usage line on standard error; kUsageError.
int tell_usage_error(CommandTable table, const UsageError& error);

}  // namespace lomperi::cli

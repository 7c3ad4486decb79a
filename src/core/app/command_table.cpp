#include "core/app/command_table.hpp"

#include "core/cli/commands.hpp"
#include "core/cli/completions.hpp"
#include "core/cli/help_text.hpp"
#include "core/dict_server/listen_address.hpp"
#include "core/dict_server/dict_server.hpp"
#include "core/view/key_help.hpp"
#include "core/view/run.hpp"

namespace lomperi::app {
namespace {

using cli::Context;
using cli::Options;
using cli::Stage;
using cli::Takes;

Result<int> open_dictionary(const Context& context) { return view::run(context.files); }

Result<int> open_reading(const Context& context) { return view::run_reading(context.files, context.options.operands.front()); }

Result<int> serve(const Context& context) {
    return dict_server::run_server(context.files, {.listen = context.options.listen});
}

Result<int> print_help(const Context& context) {
    const bool has_analyser = !context.files[morphology::DataFile::mor_vfst].empty();
    return cli::print_text(cli::help_text(command_table(), has_analyser, view::key_help()));
}

Result<int> print_completions(const Context& context) {
    const auto shell = cli::shell_named(context.options.operands.front());
    if (!shell) return cli::tell_usage_error(command_table(), {"--completions takes bash, zsh or fish"});
    return cli::print_text(cli::completion_script(command_table(), *shell));
}

bool is_listen_address(std::string_view text) { return dict_server::parse_listen_address(text).has_value(); }

constexpr cli::CommandRow kCommands[] = {
    {.takes = Takes::Nothing,
     .stage = Stage::Session,
     .run = open_dictionary,
     .summary = "open the dictionary on the terminal"},
    {.operands = "WORD...",
     .takes = Takes::Words,
     .wrong_operands = "no word to look up after --",
     .stage = Stage::DataSet,
     .run = cli::run_look_up,
     .modifiers = {"--json", "--table"},
     .modifiers_combine = true,
     .summary = "print the entry of each word"},
    {.name = "--gloss",
     .operands = "[FILE...]",
     .takes = Takes::Files,
     .stage = Stage::DataSet,
     .run = cli::run_gloss,
     .modifiers = {"--json", "--interlinear"},
     .summary = "gloss a Finnish text, one line per word",
     .help = "read Finnish text from the files, or from standard input without FILE or with \"-\", and print one "
             "line per word: the word as written (outer punctuation stripped), a tab, the headword of its entry, a "
             "tab, that entry's first meaning, a tab, the form the word is (\"partitive plural\", \"past, 3sg\"; "
             "the other fields empty when the word has no entry; for a misspelling of one word, that word marked "
             "as a guess, \"?kauppa\", and its meaning); a line at a time, so it works as a filter. "
             "Control characters separate words and are never printed; anything else a terminal could take for a "
             "command is printed as U+FFFD"},
    {.name = "--json",
     .flag = &Options::json,
     .summary = "print JSON Lines, one object per word",
     .help = "with words or with --gloss: print JSON Lines, one object per word: \"word\", \"headword\" (whose "
             "entry is shown), \"meaning\" (its first meaning), \"read_as\" when the word was read as another "
             "spelling (\"Talo\" as \"talo\"), \"damaged\": true when the look-up met damaged data, and "
             "\"readings\", best first, each with \"lemma\", \"class\" and those of \"case\", \"number\", "
             "\"person\", \"mood\", \"tense\", \"infinitive\", \"participle\", \"comparison\", \"possessive\", "
             "\"clitics\", \"negative\" and \"parts\" that apply; for a word with neither an entry nor a "
             "reading, \"suggestions\": the words it may be a misspelling of, best first"},
    {.name = "--table",
     .flag = &Options::table,
     .refused_elsewhere = true,
     .summary = "print the inflection table of each word",
     .help = "with words: print the inflection table of each word they are a form of instead of the entry, "
             "wrapped to the output width: a noun's or an adjective's cases in the singular and the plural (an "
             "adjective's comparative and superlative too), a verb's moods and tenses by person, affirmative and "
             "negative, its infinitives and participles, and lines of examples (the perfect, possessive "
             "suffixes, clitics); a word of two words (kuusi: six, spruce) has a table for each, a compound "
             "the table of its last part. With --json: one object per table, \"word\", \"lemma\", \"class\", "
             "\"cells\" (each with \"form\", its variants joined by \", \" in order of use, and those of "
             "\"case\", \"number\", \"person\", \"mood\", \"tense\", \"negative\", \"infinitive\", "
             "\"participle\" and \"comparison\" that apply) and \"examples\""},
    {.name = "--interlinear",
     .flag = &Options::interlinear,
     .refused_elsewhere = true,
     .summary = "print each line of the text with its morphs and glosses under it",
     .help = "with --gloss: print each line of the text with two lines under it, aligned word by word: the word "
             "cut into its morphs (\"talo-ssa-mme\") and a short English gloss of each (\"house-in-our\": the "
             "first meaning of the lemma, then the form's labels), the three lines wrapped together to the output "
             "width"},
    {.name = "--read",
     .operands = "FILE",
     .takes = Takes::OneFile,
     .wrong_operands = "--read takes one file, or - for standard input",
     .stage = Stage::Session,
     .run = open_reading,
     .summary = "read a text word by word on the terminal",
     .help = "open FILE (or standard input for \"-\", the keys then read from the terminal) in the reading pane "
             "of the full-screen dictionary: the text in the left column, the entry of the current word beside "
             "it; a click selects a word, and the keys are those of the reading pane below"},
    {.name = "--words",
     .takes = Takes::Nothing,
     .wrong_operands = "--words takes no words",
     .stage = Stage::Arguments,
     .run = cli::run_word_list,
     .summary = "where the words saved for review are",
     .help = "print the path of the file of words saved for review (words.tsv: the word, its lemma, its form, its "
             "first meaning and its sentence, tab-separated) and how many it holds"},
    {.name = "--serve",
     .takes = Takes::Nothing,
     .wrong_operands = "--serve takes no words",
     .stage = Stage::Session,
     .run = serve,
     .modifiers = {"--listen"},
     .summary = "serve DICT protocol clients",
     .help = "serve the dictionary to DICT protocol clients (RFC 2229: GoldenDict, Emacs's dictionary mode, dict) "
             "on 127.0.0.1 and ::1, port 2628, until SIGINT or SIGTERM; databases fi-en "
             "(Finnish-English), en-fi (English-Finnish, when the data set has an English side) and fi-forms "
             "(inflection tables), strategies "
             "exact, prefix, lemma and suggest (did you mean)"},
    {.name = "--listen",
     .operands = "HOST:PORT",
     .takes = Takes::Value,
     .values = &Options::listen,
     .valid = is_listen_address,
     .invalid = "is no HOST:PORT or [IPv6]:PORT with PORT from 1 to 65535 (0: any free port)",
     .refused_elsewhere = true,
     .summary = "listen on HOST:PORT instead",
     .help = "with --serve: listen there instead ([IPv6]:PORT for an IPv6 address; may be given more than once). "
             "Only loopback addresses are served unless another one is given here: 0.0.0.0:2628 serves every "
             "network the machine is on; port 0 is any free port, named when the server starts"},
    {.name = "--english",
     .operands = "WORD...",
     .takes = Takes::Words,
     .wrong_operands = "--english takes English words",
     .stage = Stage::DataSet,
     .run = cli::run_english,
     .summary = "the Finnish words for English ones",
     .help = "for each English word or phrase, print the Finnish headwords whose meanings hold it, best first, "
             "one per line: the headword, a tab, the meaning that holds it; a word that begins no English word of "
             "the data set is looked up as a beginning (\"hous\" finds \"house\")"},
    {.name = "--help",
     .short_name = "-h",
     .takes = Takes::Anything,
     .stage = Stage::Arguments,
     .run = print_help,
     .summary = "print this help",
     .help = "print this help"},
    {.name = "--version",
     .short_name = "-V",
     .takes = Takes::Anything,
     .stage = Stage::DataSet,
     .run = cli::run_version,
     .summary = "print the version and the size of the data set",
     .help = "print the version and the size of the data set, what it lacks, and its damaged parts (all of it "
             "checked)"},
    // Writes the script that completes the options in a shell: bash, zsh or fish.
    {.name = "--completions",
     .operands = "SHELL",
     .takes = Takes::OneWord,
     .wrong_operands = "--completions takes bash, zsh or fish",
     .stage = Stage::Arguments,
     .run = print_completions},
};

}  // namespace

cli::CommandTable command_table() { return kCommands; }

}  // namespace lomperi::app

#include "core/cli/commands.hpp"

#include <fmt/format.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "base/composition.hpp"
#include "base/utf8.hpp"
#include "core/answer/answer_text.hpp"
#include "core/answer/inflection_tables.hpp"
#include "core/cli/gloss.hpp"
#include "core/cli/help_text.hpp"
#include "core/cli/json.hpp"
#include "core/cli/text_io.hpp"
#include "core/expand/table_lines.hpp"
#include "core/morphology/damage_report.hpp"
#include "core/morphology/english_search.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/reading/word_list.hpp"
#include "term/renderer.hpp"
#include "term/terminal.hpp"

namespace lomperi::cli {
namespace {

constexpr std::string_view kDamagedWord = "(damaged data)";

void write_out(std::FILE* stream, std::string_view text) {
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), stream);
}

// "; did you mean: kaupassa, kaupasta?" after a word that reaches nothing.
std::string did_you_mean(const std::vector<std::string>& suggestions) {
    if (suggestions.empty()) return {};
    std::string text = "; did you mean: ";
    for (std::size_t k = 0; k < suggestions.size(); ++k) {
        if (k > 0) text += ", ";
        text += printable(suggestions[k]);
    }
    return text + "?";
}

std::uint16_t width_from(const char* columns) {
    if (columns == nullptr) return 80;
    const long value = std::strtol(columns, nullptr, 10);
    return value >= 20 && value <= 1000 ? static_cast<std::uint16_t>(value) : 80;
}

// The lines of each file (standard input for none or "-"), glossed as they
// come and written at once, so that the command works as a filter.
Result<int> gloss_files(const morphology::Dictionary& dictionary, const Options& options, Output& out) {
    std::vector<std::string> files = options.operands;
    if (files.empty()) files.push_back("-");
    const GlossStyle style = options.json ? GlossStyle::Json : options.interlinear ? GlossStyle::Interlinear : GlossStyle::Lines;
    Glosser glosser(dictionary, style, output_style_from_environment().width);
    std::string glossed;
    for (const auto& file : files) {
        auto reader = LineReader::open(file);
        if (!reader) return forward(reader);
        for (;;) {
            auto line = reader->next();
            if (!line) return forward(line);
            if (!*line) break;
            if (auto valid = check_utf8(as_bytes(**line)); !valid) {
                return std::unexpected(Error(fmt::format("{} is not UTF-8 text", reader->name()),
                                             Error(fmt::format("line {}: {}", reader->line_number(), valid.error().message()))));
            }
            if (reader->was_cut()) {
                write_out(stderr, fmt::format("lomperi: line {} of {} is longer than {} bytes; the rest of it is left out\n",
                                              reader->line_number(), printable(reader->name()), kMaxLineBytes));
            }
            glossed.clear();
            glosser.gloss_line(**line, glossed);
            out.write(glossed);
            out.end_line();
        }
    }
    return glosser.all_found() ? kAllFound : kSomeNotFound;
}

}  // namespace

OutputStyle output_style_from_environment() {
    if (!::isatty(STDOUT_FILENO)) return {width_from(std::getenv("COLUMNS")), false};
    const auto size = term::terminal_size(STDOUT_FILENO);
    const std::uint16_t width = size && size->cols >= 20 ? size->cols : 80;
    return {width, !term::no_color_from_environment()};
}

int look_up(const morphology::Dictionary& dictionary, const std::vector<std::string>& words, const OutputStyle& style,
            std::string& out, std::string& errors) {
    int status = kAllFound;
    bool first = true;
    for (const auto& word : words) {
        const auto found = answer::answer(dictionary, word, answer::Detail::Entry);
        if (!found.entry) {
            errors += fmt::format("{}: {}{}\n", printable(word), found.choice.damaged ? kDamagedWord : "(no matches)",
                                  did_you_mean(answer::suggestions_for(dictionary, word, found.choice)));
            status = kSomeNotFound;
        }
        // What the analysis tells of a word without an entry is still worth reading.
        const std::string text = answer::answer_text(found, style.width, style.styles);
        if (text.empty()) continue;
        if (!first) out += "--\n";
        first = false;
        out += text;
    }
    return status;
}

int print_tables(const morphology::Dictionary& dictionary, const std::vector<std::string>& words, bool json,
                 const OutputStyle& style, std::string& out, std::string& errors) {
    int status = kAllFound;
    for (const auto& word : words) {
        const DamageWatch watch;
        const auto tables = answer::inflection_tables(dictionary, word);
        if (tables.empty()) {
            errors += fmt::format("{}: {}\n", printable(word), watch.met() ? kDamagedWord : "(no inflection table)");
            status = kSomeNotFound;
            continue;
        }
        if (json) {
            for (const auto& table : tables) out += table_json(word, table);
            continue;
        }
        if (!out.empty()) out += "--\n";
        for (const auto& line : expand::table_lines(tables, style.width)) {
            out += printable(line.text);
            out += '\n';
        }
    }
    return status;
}

int translate_english(const morphology::Dictionary& dictionary, const std::vector<std::string>& words, std::string& out,
                      std::string& errors) {
    int status = kAllFound;
    bool first = true;
    for (const auto& word : words) {
        const DamageWatch watch;
        const auto matches = morphology::english_translations(dictionary, word, morphology::kListLimit);
        if (matches.empty()) {
            errors += fmt::format("{}: {}\n", printable(word), watch.met() ? kDamagedWord : "(no matches)");
            status = kSomeNotFound;
            continue;
        }
        if (!first) out += "--\n";
        first = false;
        out += answer::translation_lines(matches);
    }
    return status;
}

std::string version_text(const morphology::Dictionary& dictionary) {
    std::string text = fmt::format("lomperi {}\ndata set: {} headwords, {} word forms\n", LOMPERI_VERSION,
                                   dictionary.glosses.len(), dictionary.inflections.len());
    if (!dictionary.analyser.available()) {
        text += fmt::format("without {}: {}\n", morphology::file_name(morphology::DataFile::mor_vfst), kNoAnalysis);
    }
    std::string damaged;
    for (const auto& file : morphology::check_every_chunk(dictionary)) {
        damaged += fmt::format("{}{} ({} of {} parts)", damaged.empty() ? "" : ", ", morphology::file_name(file.file),
                               file.damaged_chunks, file.chunks);
    }
    if (!damaged.empty()) text += fmt::format("damaged: {}; reinstall lomperi\n", damaged);
    return text;
}

namespace {

// What goes to standard output, written through one Output so that a write
// that fails is an error; standard error is best effort.
Result<int> finish(Output& out, int status) {
    if (auto written = out.finish("standard output"); !written) return forward(written);
    return status;
}

Result<int> print_answers(std::string_view text, int status, std::string_view errors) {
    Output out(STDOUT_FILENO);
    out.write(text);
    auto finished = finish(out, status);
    write_out(stderr, errors);
    return finished;
}

// A word given here may be pasted from a PDF or be a macOS file name, its
// letters decomposed: it is read as the letters typed.
std::vector<std::string> composed_words(const std::vector<std::string>& words) {
    std::vector<std::string> out;
    out.reserve(words.size());
    for (const auto& word : words) out.push_back(composed(word));
    return out;
}

template <typename Answer>
Result<int> watching_damage(const morphology::Dictionary& dictionary, const Answer& answer) {
    const DamageWatch watch;
    auto status = answer();
    if (status && (watch.met() || !morphology::files_found_damaged(dictionary).empty())) {
        return fail(morphology::damage_message(dictionary));
    }
    return status;
}

}  // namespace

Result<int> run_look_up(const Context& context) {
    const morphology::Dictionary& dictionary = *context.dictionary;
    return watching_damage(dictionary, [&]() -> Result<int> {
        const auto words = composed_words(context.options.operands);
        std::string text;
        std::string errors;
        int status = kAllFound;
        if (context.options.table) {
            status = print_tables(dictionary, words, context.options.json, output_style_from_environment(), text, errors);
        } else if (context.options.json) {
            for (const auto& word : words) {
                const Glossed glossed = gloss_word(dictionary, word, Suggesting::Always);
                if (!glossed.meaning) status = kSomeNotFound;
                text += gloss_line_of(word, glossed, true);
            }
        } else {
            status = look_up(dictionary, words, output_style_from_environment(), text, errors);
        }
        return print_answers(text, status, errors);
    });
}

Result<int> run_gloss(const Context& context) {
    return watching_damage(*context.dictionary, [&]() -> Result<int> {
        Output out(STDOUT_FILENO);
        auto status = gloss_files(*context.dictionary, context.options, out);
        if (!status) {
            (void)out.finish("standard output");
            return status;
        }
        return finish(out, *status);
    });
}

Result<int> run_english(const Context& context) {
    const morphology::Dictionary& dictionary = *context.dictionary;
    return watching_damage(dictionary, [&]() -> Result<int> {
        if (!morphology::has_english(dictionary)) return fail("this data set has no English side");
        std::string text;
        std::string errors;
        const int status = translate_english(dictionary, composed_words(context.options.operands), text, errors);
        return print_answers(text, status, errors);
    });
}

Result<int> run_version(const Context& context) { return print_text(version_text(*context.dictionary)); }

Result<int> run_word_list(const Context&) {
    const auto path = reading::word_list_path();
    if (path.empty()) return fail("no place for words.tsv: neither XDG_DATA_HOME nor HOME is set");
    auto count = reading::count_review_lines(path);
    if (!count) return forward(count);
    return print_text(fmt::format("{}\t{} {}\n", printable(path.string()), *count, *count == 1 ? "word" : "words"));
}

Result<int> print_text(std::string_view text) {
    Output out(STDOUT_FILENO);
    out.write(text);
    return finish(out, kAllFound);
}

int tell_usage_error(CommandTable table, const UsageError& error) {
    write_out(stderr, fmt::format("lomperi: {}\n{}\n", printable(error.message), usage_line(table)));
    return kUsageError;
}

}  // namespace lomperi::cli

#include "core/cli/commands.hpp"

#include <fmt/format.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "base/file.hpp"
#include "base/text.hpp"
#include "base/utf8.hpp"
#include "core/expand/meaning_scan.hpp"
#include "core/morphology/english_search.hpp"
#include "core/expand/entry_lines.hpp"
#include "core/morphology/entry_choice.hpp"
#include "core/morphology/headword_search.hpp"
#include "term/renderer.hpp"
#include "term/terminal.hpp"

namespace lomperi::cli {
namespace {

void write_out(std::FILE* stream, std::string_view text) {
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), stream);
}

void append_line(std::string& out, const term::Line& line, bool styles) {
    std::string text;
    for (const auto& span : line.spans) {
        const bool styled = styles && span.style != term::Style{};
        if (styled) text += term::sgr_sequence(span.style);
        text += span.text;
        if (styled) text += "\x1b[0m";
    }
    while (text.ends_with(' ')) text.pop_back();
    out += text;
    out += '\n';
}

struct Glossed {
    std::string headword;
    std::string meaning;
};

Glossed gloss_word(const morphology::Dictionary& dictionary, std::string_view word) {
    const auto choice = morphology::choose_entry(dictionary, word);
    const auto record = morphology::chosen_record(dictionary, choice);
    if (!record) return {};
    for (const auto& group : record->groups) {
        if (!group.meanings.empty()) return {*choice.headword, group.meanings.front()};
    }
    return {*choice.headword, {}};
}

std::uint16_t width_from(const char* columns) {
    if (columns == nullptr) return 80;
    const long value = std::strtol(columns, nullptr, 10);
    return value >= 20 && value <= 1000 ? static_cast<std::uint16_t>(value) : 80;
}

Result<std::string> read_input(std::vector<std::string> files) {
    if (files.empty()) files.push_back("-");
    std::string text;
    for (const auto& file : files) {
        auto part = read_file(file == "-" ? std::string("/dev/stdin") : file);
        if (!part) return forward(part);
        if (auto valid = check_utf8(as_bytes(*part)); !valid) {
            return forward(valid, fmt::format("{} is not UTF-8 text", file == "-" ? "standard input" : file));
        }
        text += *part;
        if (!text.empty() && !text.ends_with('\n')) text += '\n';
    }
    return text;
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
        const auto choice = morphology::choose_entry(dictionary, word);
        auto record = morphology::chosen_record(dictionary, choice);
        if (!record) {
            errors += fmt::format("{}: (no matches)\n", word);
            status = kSomeNotFound;
            continue;
        }
        if (!first) out += "--\n";
        first = false;
        // The lines come out as the pane shows them at this inner width, the
        // headword first (the pane's note of a respelled query is left out:
        // the headword line shows what was found).
        const auto entry = expand::build_entry(dictionary, *choice.headword, std::move(record));
        for (const auto& line : expand::entry_pane_lines(entry, {}, expand::EntryLook::Shown, style.width)) {
            append_line(out, line.line, style.styles);
        }
    }
    return status;
}

Result<void> gloss_text(const morphology::Dictionary& dictionary, std::string_view text, std::string& out,
                        bool& all_found) {
    if (auto valid = check_utf8(as_bytes(text)); !valid) return forward(valid, "invalid UTF-8 in the text");
    std::unordered_map<std::string_view, Glossed> seen;
    all_found = true;
    for (const auto& token : expand::tokenize_meaning(text)) {
        const std::string_view word = strip_outer_marks(token.text);
        if (word.empty()) continue;
        auto found = seen.find(word);
        if (found == seen.end()) found = seen.emplace(word, gloss_word(dictionary, word)).first;
        const Glossed& glossed = found->second;
        if (glossed.meaning.empty()) all_found = false;
        out += word;
        out += '\t';
        out += glossed.headword;
        out += '\t';
        out += glossed.meaning;
        out += '\n';
    }
    return {};
}

int translate_english(const morphology::Dictionary& dictionary, const std::vector<std::string>& words, std::string& out,
                      std::string& errors) {
    int status = kAllFound;
    bool first = true;
    for (const auto& word : words) {
        const auto matches = morphology::english_translations(dictionary, word, morphology::kListLimit);
        if (matches.empty()) {
            errors += fmt::format("{}: (no matches)\n", word);
            status = kSomeNotFound;
            continue;
        }
        if (!first) out += "--\n";
        first = false;
        for (const auto& match : matches) out += fmt::format("{}\t{}\n", match.headword, match.meaning);
    }
    return status;
}

std::string version_text(const morphology::Dictionary& dictionary) {
    return fmt::format("lomperi {}\ndata set: {} headwords, {} word forms\n", LOMPERI_VERSION, dictionary.glosses.len(),
                       dictionary.inflections.len());
}

Result<int> run_command(const Command& command, const morphology::DataFiles& files) {
    if (std::holds_alternative<Help>(command)) {
        write_out(stdout, help_text());
        return kAllFound;
    }
    if (const auto* usage = std::get_if<UsageError>(&command)) {
        write_out(stderr, fmt::format("lomperi: {}\nUsage: lomperi [WORD... | --gloss [FILE...] | --english WORD... | --help | --version]\n",
                                      usage->message));
        return kUsageError;
    }
    auto dictionary = morphology::load_dictionary(files);
    if (!dictionary) return forward(dictionary);
    if (std::holds_alternative<Version>(command)) {
        write_out(stdout, version_text(*dictionary));
        return kAllFound;
    }
    std::string out;
    if (const auto* gloss = std::get_if<Gloss>(&command)) {
        auto text = read_input(gloss->files);
        if (!text) return forward(text);
        bool all_found = true;
        if (auto glossed = gloss_text(*dictionary, *text, out, all_found); !glossed) return forward(glossed);
        write_out(stdout, out);
        return all_found ? kAllFound : kSomeNotFound;
    }
    std::string errors;
    if (const auto* english = std::get_if<English>(&command)) {
        if (!morphology::has_english(*dictionary)) return fail("this data set has no English side");
        const int status = translate_english(*dictionary, english->words, out, errors);
        write_out(stdout, out);
        write_out(stderr, errors);
        return status;
    }
    const int status = look_up(*dictionary, std::get<LookUp>(command).words, output_style_from_environment(), out,
                               errors);
    write_out(stdout, out);
    write_out(stderr, errors);
    return status;
}

}  // namespace lomperi::cli

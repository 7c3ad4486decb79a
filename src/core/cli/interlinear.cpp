#include "core/cli/interlinear.hpp"

#include <unicode/uchar.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "base/text.hpp"
#include "base/utf8.hpp"
#include "core/cli/text_io.hpp"
#include "core/morphology/analysis.hpp"
#include "core/reading/text_words.hpp"
#include "term/char_width.hpp"

namespace lomperi::cli {
namespace {

bool has_letter(std::string_view text) {
    while (!text.empty()) {
        const Utf8Step step = decode_utf8(text);
        if (step.status == Utf8Step::Ok && u_isalpha(static_cast<UChar32>(step.code_point))) return true;
        text.remove_prefix(std::max<std::size_t>(step.length, 1));
    }
    return false;
}

struct Person {
    std::string_view label;
    std::string_view gloss;
};
constexpr Person kPersons[] = {{"I", "1sg"},  {"you", "2sg"},      {"he", "3sg"}, {"she", "3sg"},
                               {"we", "1pl"}, {"you (pl.)", "2pl"}, {"they", "3pl"}};

std::string_view person_gloss(std::string_view item) {
    for (const Person& person : kPersons) {
        if (person.label == item) return person.gloss;
    }
    return {};
}

void add_piece(std::string& out, std::string_view piece) {
    if (piece.empty() || out.ends_with(piece)) return;
    if (!out.empty()) out += '.';
    out += piece;
}

// A gloss is one token: "Balkan.food" of "Balkan food".
std::string dotted(std::string text) {
    std::ranges::replace(text, ' ', '.');
    return text;
}

// The gloss of a morph without a label: the meaning of the word it is a part of.
std::string stem_gloss(const morphology::Dictionary& dictionary, const morphology::Reading& reading, std::size_t part) {
    const bool derived = reading.derivations > 0 && !morphology::has_entry(dictionary, reading);
    const std::string& lemma = part < reading.parts.size() && (reading.compound_parts > 1 || derived)
                                   ? reading.parts[part].lemma
                                   : reading.lemma;
    const std::string gloss = dotted(morphology::short_meaning(morphology::first_meaning(dictionary, lemma)));
    return gloss.empty() ? lemma : gloss;
}

struct Column {
    std::string top;
    InterlinearWord under;
    std::size_t width = 0;
};

std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    out.append(width - std::min(width, term::display_width(text)), ' ');
    return out;
}

void add_run(std::string& out, const std::vector<Column>& run) {
    std::string lines[3];
    for (std::size_t k = 0; k < run.size(); ++k) {
        const bool last = k + 1 == run.size();
        const std::size_t width = last ? 0 : run[k].width + 2;
        lines[0] += padded(run[k].top, width);
        lines[1] += padded(run[k].under.cut, width);
        lines[2] += padded(run[k].under.gloss, width);
    }
    for (auto& line : lines) {
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + '\n';
    }
    out += '\n';
}

}  // namespace

std::string gloss_label(std::string_view label) {
    std::string out;
    std::string_view rest = label;
    if (const auto person = person_gloss(label); !person.empty()) return std::string(person);
    while (!rest.empty()) {
        const std::size_t comma = rest.find(", ");
        std::string_view item = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 2);
        if (const auto person = person_gloss(item); !person.empty()) {
            add_piece(out, person);
            continue;
        }
        // Of words that say the same in other words ("I wonder, you know"), the first.
        if (item.find(' ') != std::string_view::npos && !out.empty()) continue;
        for (std::size_t at = 0; at <= item.size();) {
            std::size_t end = item.find(' ', at);
            if (end == std::string_view::npos) end = item.size();
            std::string_view piece = item.substr(at, end - at);
            while (!piece.empty() && (piece.front() == '(' || piece.front() == '-')) piece.remove_prefix(1);
            while (!piece.empty() && (piece.back() == ')' || piece.back() == '-' || piece.back() == '.')) piece.remove_suffix(1);
            add_piece(out, piece);
            at = end + 1;
        }
    }
    return out;
}

InterlinearWord interlinear_word(const morphology::Dictionary& dictionary, std::string_view word,
                                 const morphology::Reading* best, std::string_view meaning) {
    if (best == nullptr && !meaning.empty()) {
        return {printable(word), printable(dotted(morphology::short_meaning(meaning)))};
    }
    if (best == nullptr) return {printable(word), has_letter(word) ? "?" : ""};
    std::string spelled;
    for (const auto& morph : best->morphs) spelled += morph.text;
    if (lower_case(spelled) != lower_case(word) || best->morphs.empty()) {
        std::string gloss = stem_gloss(dictionary, *best, 0);
        const std::string labels = gloss_label(morphology::form_labels(*best));
        if (labels != "basic.form") add_piece(gloss, labels);
        return {printable(word), printable(gloss)};
    }
    InterlinearWord out;
    std::optional<std::size_t> part;
    for (const auto& morph : best->morphs) {
        // The first morph of each compound part is its stem: the part's meaning, then any label.
        const bool stem = part != morph.part;
        part = morph.part;
        if (!stem && morph.label.empty()) {
            // Letters that add nothing of their own ("kiss" + "a") stay with the morph before.
            out.cut += printable(morph.text);
            continue;
        }
        std::string gloss = stem ? stem_gloss(dictionary, *best, morph.part) : std::string();
        if (!morph.label.empty()) add_piece(gloss, gloss_label(morph.label));
        if (morph.text.empty()) {
            // A form that adds no letters ("ota", imperative) is told after the stem.
            add_piece(out.gloss, gloss);
            continue;
        }
        if (!out.cut.empty()) {
            out.cut += '-';
            out.gloss += '-';
        }
        out.cut += printable(morph.text);
        out.gloss += printable(gloss);
    }
    return out;
}

std::string interlinear_lines(std::string_view line, std::size_t width,
                              const std::function<InterlinearWord(std::string_view word)>& word_of) {
    std::string out;
    std::vector<Column> run;
    std::size_t used = 0;
    for (std::size_t at = 0; at < line.size();) {
        if (line[at] == ' ' || line[at] == '\t') {
            ++at;
            continue;
        }
        std::size_t end = line.find_first_of(" \t", at);
        if (end == std::string_view::npos) end = line.size();
        const std::string_view token = line.substr(at, end - at);
        at = end;
        const auto add = [&](Column column) {
            column.width = std::max({term::display_width(column.top), term::display_width(column.under.cut),
                                     term::display_width(column.under.gloss)});
            if (!run.empty() && used + column.width > width) {
                add_run(out, run);
                run.clear();
                used = 0;
            }
            used += column.width + 2;
            run.push_back(std::move(column));
        };
        const auto words = reading::text_words(token);
        if (words.empty()) add({printable(token), {}, 0});
        // Each word's column holds the token from the end of the word before
        // it, and the last one the rest of the token.
        std::size_t from = 0;
        for (std::size_t k = 0; k < words.size(); ++k) {
            const std::size_t word_end = static_cast<std::size_t>(words[k].data() - token.data()) + words[k].size();
            const std::size_t to = k + 1 == words.size() ? token.size() : word_end;
            add({printable(token.substr(from, to - from)), word_of(words[k]), 0});
            from = to;
        }
    }
    if (!run.empty()) add_run(out, run);
    if (out.empty()) out.push_back('\n');
    return out;
}

}  // namespace lomperi::cli

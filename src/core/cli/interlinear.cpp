#include "core/cli/interlinear.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/text.hpp"
#include "base/utf8.hpp"
#include "core/analysis/form_text.hpp"
#include "core/cli/text_io.hpp"
#include "core/morphology/analysis.hpp"
#include "core/morphology/form_wordings.hpp"
#include "core/reading/text_words.hpp"
#include "term/char_width.hpp"

namespace lomperi::cli {
namespace {

bool has_letter(std::string_view text) {
    while (!text.empty()) {
        const Utf8Step step = decode_utf8(text);
        if (step.status == Utf8Step::Ok && is_letter(step.code_point)) return true;
        text.remove_prefix(std::max<std::size_t>(step.length, 1));
    }
    return false;
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

// A compound or derived word with an entry of its own is glossed as one
// word ("sähköposti-t": "e-mail-plural", not "electricity-post.office").
// An entry that only names the compound's parts ("compound of kuva +
// ikkuna") leaves them to gloss it.
bool glossed_by_parts(const morphology::Dictionary& dictionary, const analysis::Reading& reading) {
    if (reading.compound_parts == 1 && reading.derivations == 0) return false;
    if (!morphology::has_entry(dictionary, reading)) return true;
    return reading.compound_parts > 1 &&
           morphology::read_compound_meaning(morphology::first_meaning(dictionary, reading.lemma)).size() > 1;
}

// The gloss of a morph without a label: the meaning of the word it is a part of.
// A participle of two verbs spelt alike is glossed in its own verb's sense
// ("valittavaa": selectable, not groaning; morphology::meaning_of_its_verb).
std::string stem_gloss(const morphology::Dictionary& dictionary, std::span<const analysis::Reading> readings,
                       std::size_t part) {
    const analysis::Reading& reading = readings.front();
    const bool by_parts = glossed_by_parts(dictionary, reading);
    const bool of_part = part < reading.parts.size() && by_parts;
    const std::string& lemma = of_part ? reading.parts[part].lemma : reading.lemma;
    const auto of_verb = of_part ? std::nullopt : morphology::meaning_of_its_verb(dictionary, lemma, reading, readings);
    const std::string meaning = of_verb            ? *of_verb
                                : of_part          ? morphology::said_meaning(dictionary, lemma)
                                                   : morphology::reading_meaning(dictionary, lemma, reading);
    const std::string gloss = dotted(morphology::short_meaning(meaning));
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

InterlinearWord interlinear_word(const morphology::Dictionary& dictionary, std::string_view word,
                                 std::span<const analysis::Reading> readings, std::string_view meaning) {
    const analysis::Reading* best = readings.empty() ? nullptr : &readings.front();
    if (best == nullptr && !meaning.empty()) {
        return {printable(word), printable(dotted(morphology::short_meaning(meaning)))};
    }
    if (best == nullptr) return {printable(word), has_letter(word) ? "?" : ""};
    std::string spelled;
    for (const auto& morph : best->morphs) spelled += morph.text;
    if (lower_case(spelled) != lower_case(word) || best->morphs.empty()) {
        std::string gloss = stem_gloss(dictionary, readings, 0);
        add_piece(gloss, analysis::form_gloss(best->form));
        return {printable(word), printable(gloss)};
    }
    InterlinearWord out;
    std::optional<std::size_t> part;
    const bool by_parts = glossed_by_parts(dictionary, *best);
    for (const auto& morph : best->morphs) {
        // The first morph of each compound part is its stem: the part's meaning, then any label.
        const std::size_t morph_part = by_parts ? morph.part : 0;
        const bool stem = part != morph_part;
        part = morph_part;
        // A word glossed as one tells the endings of its last part only: "yksinkertai-sia", not the
        // instructive plural of its first part ("yksin").
        const bool inner_part = !by_parts && morph.part + 1 < best->compound_parts;
        const bool labelled = analysis::has_cue(morph.form) && !inner_part;
        if (!stem && !labelled) {
            // Letters that add nothing of their own ("kiss" + "a") stay with the morph before.
            out.cut += printable(morph.text);
            continue;
        }
        std::string gloss = stem ? stem_gloss(dictionary, readings, morph_part) : std::string();
        if (labelled) add_piece(gloss, analysis::morph_gloss(morph.form));
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

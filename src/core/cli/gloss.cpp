#include "core/cli/gloss.hpp"

#include "base/composition.hpp"
#include "base/text.hpp"
#include "base/utf8.hpp"
#include "core/analysis/form_text.hpp"
#include "core/answer/answer.hpp"
#include "core/answer/neighbour_rules.hpp"
#include "core/cli/interlinear.hpp"
#include "core/cli/json.hpp"
#include "core/cli/text_io.hpp"
#include "core/expand/meaning_scan.hpp"
#include "core/morphology/analysis.hpp"
#include "core/reading/text_words.hpp"

namespace lomperi::cli {
namespace {

constexpr std::size_t kMaxSeenWords = 1 << 16;

// "?ravintola": a word the text may mean, marked as a guess.
std::string as_guess(std::string_view text) {
    std::string marked(1, '?');
    marked.append(text);
    return marked;
}

}  // namespace

Glossed gloss_word(const morphology::Dictionary& dictionary, std::string_view word, Suggesting suggesting,
                   answer::NeighbourRules* neighbours) {
    Glossed glossed;
    auto found = answer::answer(dictionary, word, answer::Detail::Meaning, {}, neighbours);
    glossed.damaged = found.choice.damaged;
    // What an unread word looks like (an English word, a name) comes before
    // the spelling it may stand for: "ticket" is no "tiilet".
    const bool looks_like = !found.choice.readings.empty() && found.choice.readings.front().guessed;
    if (suggesting == Suggesting::Always || (suggesting == Suggesting::WithoutGuess && !looks_like)) {
        const auto suggested = answer::suggest_for(dictionary, word, found.choice);
        for (const auto& suggestion : suggested.words) glossed.suggestions.push_back(suggestion.word);
        if (suggested.clearly_best && !suggested.words.empty() && !looks_like) {
            glossed.guess = suggested.words.front().headword;
            glossed.guess_meaning = morphology::said_meaning(dictionary, *glossed.guess);
        }
    }
    glossed.readings = std::move(found.choice.readings);
    if (found.choice.listed != word) glossed.read_as = found.choice.listed;
    if (!found.choice.record) {
        glossed.meaning = std::move(found.meaning);
        return glossed;
    }
    glossed.headword = *found.choice.headword;
    glossed.meaning = std::move(found.meaning);
    return glossed;
}

std::string gloss_line_of(std::string_view word, const Glossed& glossed, bool json) {
    if (json) return word_json(word, glossed);
    std::string out;
    append_printable(out, word);
    out += '\t';
    // A guess is marked, and its word's form left out: the word is not one.
    append_printable(out, glossed.guess ? as_guess(*glossed.guess) : glossed.headword.value_or(""));
    out += '\t';
    append_printable(out, glossed.guess ? glossed.guess_meaning.value_or("") : glossed.meaning.value_or(""));
    out += '\t';
    if (glossed.meaning && !glossed.readings.empty()) append_printable(out, analysis::form_labels(glossed.readings.front().form));
    out += '\n';
    return out;
}

const Glossed& Glosser::glossed(std::string_view word) {
    if (const auto found = seen_.find(std::string(word)); found != seen_.end()) return found->second;
    if (seen_.size() >= kMaxSeenWords) seen_.clear();
    return seen_.emplace(std::string(word), gloss_word(dictionary_, word, suggesting())).first->second;
}

const Glossed& Glosser::in_context(std::string_view word) {
    // A spoken word the words before tell ("sanoi et": että) is that word's.
    if (neighbours_.spoken_standard(word)) {
        current_ = gloss_word(dictionary_, word, suggesting(), &neighbours_);
        return current_;
    }
    const answer::NeighbourRules before = neighbours_;
    current_ = glossed(word);
    const std::optional<analysis::Reading> alone =
        current_.readings.empty() ? std::nullopt : std::optional(current_.readings.front());
    const bool told = neighbours_.read(word, current_.readings);
    // Seldom another word's or another class's, or a form where the word
    // alone showed an entry of its own ("kaksi päivää": days, not "g'day"):
    // only then is the word looked up again, uncached.
    const analysis::Reading* first = current_.readings.empty() ? nullptr : &current_.readings.front();
    const bool other_reading =
        alone && first && (first->lemma != alone->lemma || first->form.word_class != alone->form.word_class);
    const bool own_entry_overruled = told && first && current_.headword && *current_.headword != first->lemma;
    if (other_reading || own_entry_overruled) {
        neighbours_ = before;
        current_ = gloss_word(dictionary_, word, suggesting(), &neighbours_);
    }
    if (!current_.meaning || current_.guessed()) all_found_ = false;
    return current_;
}

void Glosser::gloss_line(std::string_view raw_line, std::string& out) {
    // Decomposed letters (a PDF's, macOS's) are read as the letters typed.
    const std::string line = composed(raw_line);
    // Each word is read by the words before it (answer/neighbour_rules.hpp).
    neighbours_ = {};
    // Every word is a view into the line: what lies between two tells whether a sentence ended.
    std::size_t after_word = 0;
    const auto in_sentence = [&](std::string_view word) -> const Glossed& {
        const auto start = static_cast<std::size_t>(word.data() - line.data());
        if (reading::ends_sentence_between(std::string_view(line).substr(after_word, start - after_word))) neighbours_.end_sentence();
        after_word = start + word.size();
        return in_context(word);
    };
    if (style_ == GlossStyle::Interlinear) {
        out += interlinear_lines(line, width_, [&](std::string_view word) {
            const Glossed& found = in_sentence(word);
            const std::string guessed = found.guess ? as_guess(found.guess_meaning.value_or(*found.guess)) : "";
            return interlinear_word(dictionary_, word, found.readings,
                                    found.guess ? guessed : found.meaning.value_or(""));
        });
        return;
    }
    reading::TextWords words(line);
    while (const auto word = words.next()) out += gloss_line_of(*word, in_sentence(*word), style_ == GlossStyle::Json);
}

Result<void> gloss_text(const morphology::Dictionary& dictionary, std::string_view text, std::string& out,
                        bool& all_found) {
    if (auto valid = check_utf8(as_bytes(text)); !valid) return forward(valid, "invalid UTF-8 in the text");
    Glosser glosser(dictionary);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        glosser.gloss_line(text.substr(0, end), out);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    all_found = glosser.all_found();
    return {};
}

}  // namespace lomperi::cli

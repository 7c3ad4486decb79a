#pragma once
// --gloss: every word of a text with the headword of its entry and that
// entry's first meaning, a line at a time.
#include <string>
#include <string_view>
#include <optional>
#include <unordered_map>
#include <vector>

#include "base/error.hpp"
#include "core/analysis/reading.hpp"
#include "core/answer/neighbour_rules.hpp"
#include "core/morphology/dictionary.hpp"

namespace lomperi::cli {

// What a word is glossed with: its entry's headword and first meaning, and
// its readings, best first.
struct Glossed {
    std::optional<std::string> headword;
    std::optional<std::string> meaning;
    std::vector<analysis::Reading> readings;
    std::string read_as;  // the spelling the readings are of, when not the word as written
    bool damaged = false;  // the look-up met damaged data (EntryChoice::damaged)
    // For a word that reaches nothing, what it may stand for (did you mean);
    // found only when asked for, as it takes a millisecond.
    std::vector<std::string> suggestions;
    // The headword of the one it clearly stands for, and that entry's first
    // meaning: a guess, shown marked ("?ravintola").
    std::optional<std::string> guess;
    std::optional<std::string> guess_meaning;
    // Whether the word is told by a guess of what it is (an English word, a
    // name), the analyser not reading it.
    bool guessed() const { return !readings.empty() && readings.front().guessed; }
};

// Which spellings a word without an entry is given that it may stand for:
// none; only when nothing tells what the word is (an unread "kaupasa", not
// an English "ticket" or a name: its guess is what a line of text shows,
// and the suggestions cost most of a new word's time); or always, as JSON
// lists them.
enum class Suggesting { None, WithoutGuess, Always };

// `neighbours`: for a word of running text, the rules that have read the
// words before it (answer.hpp).
Glossed gloss_word(const morphology::Dictionary& dictionary, std::string_view word,
                   Suggesting suggesting = Suggesting::None, answer::NeighbourRules* neighbours = nullptr);

// One word as a line: "word TAB headword TAB meaning TAB form" (the fields
// after the word empty when it reaches no entry); or a JSON object.
std::string gloss_line_of(std::string_view word, const Glossed& glossed, bool json);

// How a text is glossed: a line per word, JSON Lines, or each line with
// its words' morphs and glosses under it.
enum class GlossStyle { Lines, Json, Interlinear };

class Glosser {
public:
    explicit Glosser(const morphology::Dictionary& dictionary, bool json = false)
        : dictionary_(dictionary), style_(json ? GlossStyle::Json : GlossStyle::Lines) {}
    Glosser(const morphology::Dictionary& dictionary, GlossStyle style, std::size_t width)
        : dictionary_(dictionary), style_(style), width_(width) {}

    // Appends a line per word of the line (valid UTF-8), composed first.
    void gloss_line(std::string_view raw_line, std::string& out);
    bool all_found() const { return all_found_; }

private:
    Suggesting suggesting() const { return style_ == GlossStyle::Json ? Suggesting::Always : Suggesting::WithoutGuess; }
    const Glossed& glossed(std::string_view word);
    // The word as the words before it read it: its glossed word, unless the
    // rules put another word's reading first, which then has its own entry.
    const Glossed& in_context(std::string_view word);

    const morphology::Dictionary& dictionary_;
    GlossStyle style_ = GlossStyle::Lines;
    std::size_t width_ = 80;
    // Words seen recently: a text repeats its words. Bounded, so that a
    // stream of new words does not fill memory.
    std::unordered_map<std::string, Glossed> seen_;
    // The rules of the line being glossed (answer/neighbour_rules.hpp), and the word they read last.
    answer::NeighbourRules neighbours_;
    Glossed current_;
    bool all_found_ = true;
};

// A whole text, for tests and benchmarks: fails on invalid UTF-8.
Result<void> gloss_text(const morphology::Dictionary& dictionary, std::string_view text, std::string& out,
                        bool& all_found);

}  // namespace lomperi::cli

#pragma once
// --gloss: every word of a text with the headword of its entry and that
// entry's first meaning, a line at a time.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/error.hpp"
#include "core/morphology/dictionary.hpp"

namespace lomperi::cli {

// The words of a line of text: split at White_Space and at control
// characters (which thus never reach the output), outer marks stripped.
std::vector<std::string_view> text_words(std::string_view line);

class Glosser {
public:
    explicit Glosser(const morphology::Dictionary& dictionary) : dictionary_(dictionary) {}

    // Appends "word TAB headword TAB meaning" per word of `line` (valid
    // UTF-8), the headword and meaning empty for a word without an entry.
    void gloss_line(std::string_view line, std::string& out);
    bool all_found() const { return all_found_; }

private:
    struct Glossed {
        std::string headword;
        std::string meaning;
    };
    const Glossed& glossed(std::string_view word);

    const morphology::Dictionary& dictionary_;
    // Words seen recently: a text repeats its words. Bounded, so that a
    // stream of new words does not fill memory.
    std::unordered_map<std::string, Glossed> seen_;
    bool all_found_ = true;
};

// A whole text, for tests and benchmarks: fails on invalid UTF-8.
Result<void> gloss_text(const morphology::Dictionary& dictionary, std::string_view text, std::string& out,
                        bool& all_found);

}  // namespace lomperi::cli

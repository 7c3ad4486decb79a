#pragma once
// The words of running text: split at spaces and at control characters,
// with the punctuation around each word stripped ("(talossa)," is "talossa").
// The reading pane and --gloss read a text by this one rule.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace lomperi::reading {

// The words of a text one at a time, so that a long text is not held twice.
class TextWords {
public:
    explicit TextWords(std::string_view text) : text_(text) {}
    // The next word, a view into the text; none at the end.
    std::optional<std::string_view> next();

private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t token_end_ = 0;  // the end of the run without White_Space that at_ is in
};

// Views into `line`.
std::vector<std::string_view> text_words(std::string_view line);

// Whether a sentence ends at byte `at` of the text: ".", "!", "?" or "…"
// before a space, a line feed or the text's end.
bool ends_sentence(std::string_view text, std::size_t at);
// Whether the text between two words ends a sentence ("talo. Kissa").
bool ends_sentence_between(std::string_view between);

}  // namespace lomperi::reading

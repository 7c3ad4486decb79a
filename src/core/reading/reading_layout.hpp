#pragma once
// A reading text wrapped to a width: its display lines, each a byte range of
// the text, and the moves of the current word from line to line.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/reading/reading_text.hpp"

namespace lomperi::reading {

// A byte range of the text.
struct DisplayLine {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

class ReadingLayout {
public:
    ReadingLayout() = default;
    // Each line of the text wrapped at spaces to `width` display cells; a
    // word wider than that is cut. An empty line stays an empty line.
    static ReadingLayout wrap(const ReadingText& text, std::uint16_t width, const Interrupted& interrupted = {});

    std::uint16_t width() const { return width_; }
    // Whether wrapping to `width` gives the same lines: the same width, or
    // one that every line of the text fits into whole, as it fits into this
    // one (a word list, short lines).
    bool wraps_alike(std::uint16_t width) const;
    const std::vector<DisplayLine>& lines() const { return lines_; }
    std::size_t line_count() const { return lines_.size(); }

    // The display line the word starts on.
    std::size_t line_of_word(const ReadingText& text, std::size_t word) const;
    // The words that start on the line: [first, last).
    std::pair<std::size_t, std::size_t> words_on_line(const ReadingText& text, std::size_t line) const;
    // The display column where the word starts.
    std::uint16_t column_of_word(const ReadingText& text, std::size_t word) const;

    // The word `lines` display lines away, nearest the current word's
    // column; lines without words are passed over. None past either end.
    std::optional<std::size_t> word_lines_away(const ReadingText& text, std::size_t word, std::int64_t lines) const;

private:
    // The first line from `line` on, and the last up to it, on which a word starts.
    std::optional<std::size_t> first_line_with_words(const ReadingText& text, std::size_t line) const;
    std::optional<std::size_t> last_line_with_words(const ReadingText& text, std::size_t line) const;

    std::uint16_t width_ = 0;
    std::size_t widest_ = 0;  // the widest line of the text, in cells
    std::vector<DisplayLine> lines_;
};

}  // namespace lomperi::reading

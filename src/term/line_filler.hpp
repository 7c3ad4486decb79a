#pragma once
// Greedy filling of words into lines of a width in display cells: a word
// goes on the open line, after the gap before it, when all of it fits there,
// else it starts a new line. A word wider than a line is cut at the width,
// and a character wider than the line takes a line of its own. Each word is
// measured once, so that filling is linear in the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "term/char_width.hpp"

namespace lomperi::term {

// The longest start of `text` that fits into `cells`, at least one character
// (which may be wider), and the cells it takes.
struct Cut {
    std::size_t bytes = 0;
    std::size_t cells = 0;
};
Cut cut_to_width(std::string_view text, std::size_t cells);

class LineFiller {
public:
    // Where a piece of a word goes.
    enum class Place : std::uint8_t { OpenLine, NewLine };

    // A width of 0 counts as 1.
    explicit LineFiller(std::size_t width) : width_(std::max<std::size_t>(width, 1)) {}

    // Places `word`, `gap` cells after the open line's last word, calling
    // put(piece, place) for each piece: the whole word unless it is wider
    // than a line. The cells the word takes.
    template <typename Put>
    std::size_t add(std::string_view word, std::size_t gap, Put&& put) {
        const std::size_t cells = display_width(word);
        if (open_ && used_ + gap + cells <= width_) {
            used_ += gap + cells;
            put(word, Place::OpenLine);
            return cells;
        }
        open_ = true;
        used_ = cells;
        while (used_ > width_) {
            const Cut cut = cut_to_width(word, width_);
            put(word.substr(0, cut.bytes), Place::NewLine);
            word.remove_prefix(cut.bytes);
            // What is left is the line: nothing, after a character wider than it.
            if (word.empty()) {
                used_ = cut.cells;
                return cells;
            }
            used_ -= cut.cells;
        }
        put(word, Place::NewLine);
        return cells;
    }

    // The next word starts a new line.
    void break_line() { open_ = false; }
    // Whether a line has been started since the last break.
    bool open() const { return open_; }

private:
    std::size_t width_;
    std::size_t used_ = 0;
    bool open_ = false;
};

}  // namespace lomperi::term

#pragma once
// A text open in the reading pane: where the reader is, and what the last
// draw left (the text wrapped to the pane, which words reach an entry).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/reading/reading_layout.hpp"
#include "core/reading/reading_text.hpp"
#include "core/view/dictionary_screen.hpp"

namespace lomperi::view {

enum class Reach : std::uint8_t { Unknown, Entry, Nothing };

// What each word reaches, two bits a word: a long text is mostly words.
class ReachMap {
public:
    void reset(std::size_t words) { bits_.assign((words + 3) / 4, 0); }
    Reach get(std::size_t word) const {
        if (word / 4 >= bits_.size()) return Reach::Unknown;
        return static_cast<Reach>((bits_[word / 4] >> (word % 4 * 2)) & 3);
    }
    void set(std::size_t word, Reach reach) {
        if (word / 4 >= bits_.size()) return;
        const auto shift = static_cast<unsigned>(word % 4 * 2);
        bits_[word / 4] = static_cast<std::uint8_t>((bits_[word / 4] & ~(3U << shift)) | (static_cast<unsigned>(reach) << shift));
    }
    std::size_t bytes() const { return bits_.capacity(); }

private:
    std::vector<std::uint8_t> bits_;
};

struct ReadingState {
    reading::ReadingText text;
    std::size_t current = 0;   // the word shown in the entry pane
    std::size_t top_line = 0;  // the first display line shown
    // The direction of the dictionary that Esc goes back to; none for a text
    // opened with --read, which Esc quits. The text's words are Finnish either way.
    std::optional<Direction> back_to;
    std::string status;        // what the last save did
    bool status_failed = false;

    // Left by the draw for the pane's width.
    reading::ReadingLayout layout;
    std::uint16_t page_height = 1;
    ReachMap reach;
};

}  // namespace lomperi::view

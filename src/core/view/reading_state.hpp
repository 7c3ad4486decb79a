#pragma once
// A text open in the reading pane: where the reader is, and what the last
// draw left (the text wrapped to the pane, which words reach an entry).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/reading/reading_layout.hpp"
#include "core/reading/reading_text.hpp"

namespace lomperi::view {

enum class Reach : std::uint8_t { Unknown, Entry, Nothing };

struct ReadingState {
    reading::ReadingText text;
    std::size_t current = 0;   // the word shown in the entry pane
    std::size_t top_line = 0;  // the first display line shown
    bool from_dictionary = false;
    std::string status;        // what the last save did
    bool status_failed = false;

    // Left by the draw for the pane's width.
    reading::ReadingLayout layout;
    std::uint16_t page_height = 1;
    std::vector<Reach> reach;
};

}  // namespace lomperi::view

#pragma once
#include <cstdint>
#include <vector>

#include "core/expand/entry_lines.hpp"
#include "core/layout/drag.hpp"
#include "term/geometry.hpp"
#include "term/style.hpp"

namespace lomperi::view {

// What the last draw leaves behind for mouse handling; owned by the main loop.
struct ViewCache {
    bool wrap_valid = false;
    std::uint64_t wrap_revision = 0;
    std::uint16_t wrap_width = 0;
    std::vector<std::vector<expand::LinkRegion>> link_rows;
    std::vector<term::Line> wrapped_lines;

    term::Rect matches_area;
    term::Rect entry_area;
    term::Rect screen_area;
    // The column border drawn, and the lists' border when the inflections are.
    bool borders_shown = false;
    bool inflections_shown = false;
    term::Rect inflections_area;
    layout::DragTarget drag = layout::DragTarget::None;

    // The reading pane's text area, and where each word shown is.
    struct WordCell {
        std::uint16_t row;
        std::uint16_t start;
        std::uint16_t end;
        std::size_t word;
    };
    term::Rect reading_area;
    std::vector<WordCell> reading_words;

    // Every draw starts from here, so stale rectangles never catch a click.
    void reset_areas(term::Rect screen) {
        matches_area = {};
        entry_area = {};
        borders_shown = false;
        inflections_shown = false;
        reading_area = {};
        reading_words.clear();
        screen_area = screen;
    }
};

}  // namespace lomperi::view

#pragma once
#include <string>

#include "term/buffer.hpp"
#include "term/geometry.hpp"
#include "term/style.hpp"

namespace lomperi::term {

// A bordered box: single-line border on all four sides and a title on the top
// border, starting after the top-left corner and cut before the top-right one.
struct Box {
    std::string title;
    Style border_style;
    Style title_style;
};

// The area inside a one-cell border; empty when area is narrower or lower than 2.
Rect box_inner(Rect area);

// Draws the box clipped to the buffer and returns its inner area.
Rect draw_box(Buffer& buffer, Rect area, const Box& box);

}  // namespace lomperi::term

#pragma once
// The three widgets the screens are built from: a bordered box with a title,
// a selectable list and a paragraph of styled lines; and the choice of a
// title that fits.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

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

// A selectable list, one item per row. Every row is drawn after a gutter as
// wide as the marker; the selected row shows the marker there and gets the
// highlight style over its whole width, marker included. A row wider than
// the list ends in "…".
struct List {
    std::span<const Line> items;
    std::optional<std::size_t> selected;  // clamped to the last item; none for an empty list
    Style highlight_style;
    std::string_view marker = "> ";
};

// Index of the topmost visible item: 0 unless the selected item would lie
// below the last visible row, in which case the selected item is the last row.
std::size_t list_first_visible(std::optional<std::size_t> selected, std::uint16_t height);

void draw_list(Buffer& buffer, Rect area, const List& list);

// Styled lines, one per row, starting with line `scroll`; lines are not
// wrapped, whatever passes the right edge is cut off.
void draw_paragraph(Buffer& buffer, Rect area, std::span<const Line> lines, std::uint16_t scroll = 0);

// The first candidate whose code points plus the two corners fit `width`;
// the last candidate when none does (the box cuts it off). Empty for no candidates.
std::string choose_title(std::span<const std::string> candidates, std::uint16_t width);

}  // namespace lomperi::term

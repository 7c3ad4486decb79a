#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "term/buffer.hpp"
#include "term/geometry.hpp"
#include "term/style.hpp"
#include "term/text.hpp"

namespace lomperi::term {

// A selectable list, one item per row. Every row is drawn after a gutter as
// wide as the marker; the selected row shows the marker there and gets the
// highlight style over its whole width, marker included.
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

}  // namespace lomperi::term

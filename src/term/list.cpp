#include "term/list.hpp"

#include <algorithm>

#include "base/utf8.hpp"

namespace lomperi::term {

std::size_t list_first_visible(std::optional<std::size_t> selected, std::uint16_t height) {
    if (!selected || height == 0 || *selected < height) return 0;
    return *selected - height + 1;
}

void draw_list(Buffer& buffer, Rect area, const List& list) {
    if (area.empty() || list.items.empty()) return;
    std::optional<std::size_t> selected = list.selected;
    if (selected) selected = std::min(*selected, list.items.size() - 1);
    const auto gutter = static_cast<std::uint16_t>(std::min<std::size_t>(code_point_count(list.marker), area.width));
    const std::size_t first = list_first_visible(selected, area.height);
    for (std::uint16_t row = 0; row < area.height && first + row < list.items.size(); ++row) {
        const std::size_t item = first + row;
        const auto y = static_cast<std::uint16_t>(area.y + row);
        if (item == selected) buffer.set_string(area.x, y, list.marker, Style{}, gutter);
        buffer.set_line(static_cast<std::uint16_t>(area.x + gutter), y, list.items[item],
                        static_cast<std::uint16_t>(area.width - gutter));
        if (item == selected) buffer.set_style(Rect{area.x, y, area.width, 1}, list.highlight_style);
    }
}

}  // namespace lomperi::term

#include "term/box.hpp"

namespace lomperi::term {

Rect box_inner(Rect area) {
    if (area.width < 2 || area.height < 2) return Rect{area.x, area.y, 0, 0};
    return Rect{static_cast<std::uint16_t>(area.x + 1), static_cast<std::uint16_t>(area.y + 1),
                static_cast<std::uint16_t>(area.width - 2), static_cast<std::uint16_t>(area.height - 2)};
}

Rect draw_box(Buffer& buffer, Rect area, const Box& box) {
    if (area.empty()) return box_inner(area);
    const auto right = static_cast<std::uint16_t>(area.x + area.width - 1);
    const auto bottom = static_cast<std::uint16_t>(area.y + area.height - 1);
    const Style style = box.border_style;
    for (std::uint16_t x = area.x; x <= right; ++x) {
        buffer.set(x, area.y, Cell{U'─', style});
        buffer.set(x, bottom, Cell{U'─', style});
    }
    for (std::uint16_t y = area.y; y <= bottom; ++y) {
        buffer.set(area.x, y, Cell{U'│', style});
        buffer.set(right, y, Cell{U'│', style});
    }
    buffer.set(area.x, area.y, Cell{U'┌', style});
    buffer.set(right, area.y, Cell{U'┐', style});
    buffer.set(area.x, bottom, Cell{U'└', style});
    buffer.set(right, bottom, Cell{U'┘', style});
    if (area.width > 2) {
        buffer.set_string(static_cast<std::uint16_t>(area.x + 1), area.y, box.title, box.title_style,
                          static_cast<std::uint16_t>(area.width - 2));
    }
    return box_inner(area);
}

}  // namespace lomperi::term

#include "term/paragraph.hpp"

namespace lomperi::term {

void draw_paragraph(Buffer& buffer, Rect area, std::span<const Line> lines, std::uint16_t scroll) {
    if (area.empty()) return;
    for (std::uint16_t row = 0; row < area.height; ++row) {
        const std::size_t index = std::size_t{scroll} + row;
        if (index >= lines.size()) return;
        buffer.set_line(area.x, static_cast<std::uint16_t>(area.y + row), lines[index], area.width);
    }
}

}  // namespace lomperi::term

#include "term/widgets.hpp"

#include <algorithm>

#include "term/char_width.hpp"

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

std::size_t list_first_visible(std::optional<std::size_t> selected, std::uint16_t height) {
    if (!selected || height == 0 || *selected < height) return 0;
    return *selected - height + 1;
}

namespace {

// The cells a line takes on the terminal.
std::size_t line_width(const Line& line) {
    std::size_t width = 0;
    for (const Span& span : line.spans) width += display_width(span.text);
    return width;
}

// A row that does not fit ends in an ellipsis instead of a silent cut.
void draw_row(Buffer& buffer, std::uint16_t x, std::uint16_t y, const Line& line, std::uint16_t width) {
    if (width == 0) return;
    if (line_width(line) <= width) {
        buffer.set_line(x, y, line, width);
        return;
    }
    const std::uint16_t end = buffer.set_line(x, y, line, static_cast<std::uint16_t>(width - 1));
    const Style style = line.spans.empty() ? Style{} : line.spans.back().style;
    buffer.set_string(end, y, "\u2026", style, 1);
}

}  // namespace

void draw_list(Buffer& buffer, Rect area, const List& list) {
    if (area.empty() || list.items.empty()) return;
    std::optional<std::size_t> selected = list.selected;
    if (selected) selected = std::min(*selected, list.items.size() - 1);
    const auto gutter = static_cast<std::uint16_t>(std::min<std::size_t>(display_width(list.marker), area.width));
    const std::size_t first = list_first_visible(selected, area.height);
    for (std::uint16_t row = 0; row < area.height && first + row < list.items.size(); ++row) {
        const std::size_t item = first + row;
        const auto y = static_cast<std::uint16_t>(area.y + row);
        if (item == selected) buffer.set_string(area.x, y, list.marker, Style{}, gutter);
        draw_row(buffer, static_cast<std::uint16_t>(area.x + gutter), y, list.items[item],
                 static_cast<std::uint16_t>(area.width - gutter));
        if (item == selected) buffer.set_style(Rect{area.x, y, area.width, 1}, list.highlight_style);
    }
}

void draw_paragraph(Buffer& buffer, Rect area, std::span<const Line> lines, std::uint16_t scroll) {
    if (area.empty()) return;
    for (std::uint16_t row = 0; row < area.height; ++row) {
        const std::size_t index = std::size_t{scroll} + row;
        if (index >= lines.size()) return;
        buffer.set_line(area.x, static_cast<std::uint16_t>(area.y + row), lines[index], area.width);
    }
}

std::string choose_title(std::span<const std::string> candidates, std::uint16_t width) {
    for (const std::string& candidate : candidates) {
        if (display_width(candidate) + 2 <= width) return candidate;
    }
    return candidates.empty() ? std::string() : candidates.back();
}

}  // namespace lomperi::term

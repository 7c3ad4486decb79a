#include "term/buffer.hpp"

#include "base/utf8.hpp"

namespace lomperi::term {
namespace {

// A cell keeps only what shows: the foreground and the attributes on.
Style resolved(Style style) {
    style.add &= static_cast<std::uint8_t>(~style.remove);
    style.remove = NoModifier;
    return style;
}

}  // namespace

Buffer::Buffer(Rect area) { resize(area); }

bool Buffer::inside(std::uint16_t x, std::uint16_t y) const { return area_.contains(x, y); }

std::size_t Buffer::index(std::uint16_t x, std::uint16_t y) const {
    return static_cast<std::size_t>(y - area_.y) * area_.width + (x - area_.x);
}

Cell Buffer::get(std::uint16_t x, std::uint16_t y) const {
    if (!inside(x, y)) return Cell{};
    return cells_[index(x, y)];
}

void Buffer::set(std::uint16_t x, std::uint16_t y, Cell cell) {
    if (!inside(x, y)) return;
    cells_[index(x, y)] = Cell{displayable(cell.ch), resolved(cell.style)};
}

std::uint16_t Buffer::set_string(std::uint16_t x, std::uint16_t y, std::string_view text, Style style,
                                 std::uint16_t max_width) {
    if (y < area_.y || y - area_.y >= area_.height || x < area_.x) return x;
    const std::size_t right = area_.x + area_.width;
    const std::size_t limit = std::min<std::size_t>(right, std::size_t{x} + max_width);
    const Style cell_style = resolved(style);
    std::size_t column = x;
    while (!text.empty() && column < limit) {
        const Utf8Step u = decode_utf8(text);
        const char32_t ch = u.status == Utf8Step::Ok ? displayable(u.code_point) : kReplacementChar;
        cells_[index(static_cast<std::uint16_t>(column), y)] = Cell{ch, cell_style};
        text.remove_prefix(std::max<std::size_t>(u.length, 1));
        ++column;
    }
    return static_cast<std::uint16_t>(column);
}

std::uint16_t Buffer::set_line(std::uint16_t x, std::uint16_t y, const Line& line, std::uint16_t max_width) {
    std::uint16_t column = x;
    for (const Span& span : line.spans) {
        const std::uint16_t used = static_cast<std::uint16_t>(column - x);
        if (used >= max_width) break;
        column = set_string(column, y, span.text, span.style, static_cast<std::uint16_t>(max_width - used));
    }
    return column;
}

void Buffer::set_style(Rect rect, Style style) {
    const std::size_t x0 = std::max(rect.x, area_.x), y0 = std::max(rect.y, area_.y);
    const std::size_t x1 = std::min<std::size_t>(std::size_t{rect.x} + rect.width, std::size_t{area_.x} + area_.width);
    const std::size_t y1 = std::min<std::size_t>(std::size_t{rect.y} + rect.height, std::size_t{area_.y} + area_.height);
    for (std::size_t y = y0; y < y1; ++y) {
        for (std::size_t x = x0; x < x1; ++x) {
            Cell& cell = cells_[index(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y))];
            cell.style = resolved(cell.style.patch(style));
        }
    }
}

void Buffer::reset() { std::fill(cells_.begin(), cells_.end(), Cell{}); }

void Buffer::resize(Rect area) {
    area_ = area;
    cells_.assign(static_cast<std::size_t>(area.width) * area.height, Cell{});
}

}  // namespace lomperi::term

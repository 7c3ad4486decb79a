#include "term/buffer.hpp"

#include <algorithm>
#include <optional>

#include "base/utf8.hpp"
#include "term/char_width.hpp"

namespace lomperi::term {
namespace {

// A cell keeps only what shows: the foreground and the attributes on.
Style resolved(Style style) {
    style.add &= static_cast<std::uint8_t>(~style.remove);
    style.remove = NoModifier;
    return style;
}

void add_mark(Cell& cell, char32_t mark) {
    for (char32_t& slot : cell.marks) {
        if (slot != 0) continue;
        slot = mark;
        return;
    }
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
    const char32_t ch = displayable(cell.ch);
    place(x, y, char_width(ch) == 0 ? kReplacementChar : ch, resolved(cell.style), std::size_t{area_.x} + area_.width);
}

void Buffer::split_wide(std::size_t x, std::uint16_t y) {
    const std::size_t i = index(static_cast<std::uint16_t>(x), y);
    const std::size_t right = std::size_t{area_.x} + area_.width;
    if (cells_[i].ch == kWideTail && x > area_.x) cells_[i - 1] = Cell{U' ', cells_[i - 1].style};
    if (char_width(cells_[i].ch) == 2 && x + 1 < right) cells_[i + 1] = Cell{U' ', cells_[i + 1].style};
}

std::size_t Buffer::place(std::size_t x, std::uint16_t y, char32_t ch, Style style, std::size_t limit) {
    const std::size_t width = char_width(ch) == 2 ? 2 : 1;
    if (x + width > limit) return 0;
    split_wide(x, y);
    if (width == 2) split_wide(x + 1, y);
    const std::size_t i = index(static_cast<std::uint16_t>(x), y);
    cells_[i] = Cell{ch, style};
    if (width == 2) cells_[i + 1] = Cell{kWideTail, style};
    return width;
}

std::uint16_t Buffer::set_string(std::uint16_t x, std::uint16_t y, std::string_view text, Style style,
                                 std::uint16_t max_width) {
    if (y < area_.y || y - area_.y >= area_.height || x < area_.x) return x;
    const std::size_t right = area_.x + area_.width;
    const std::size_t limit = std::min<std::size_t>(right, std::size_t{x} + max_width);
    const Style cell_style = resolved(style);
    std::size_t column = x;
    std::optional<std::size_t> last;  // the cell of the last character written
    for (const CodePoint& point : code_points(text)) {
        if (column >= limit) break;
        const char32_t ch = displayable(point.value);
        if (char_width(ch) == 0) {
            if (last) add_mark(cells_[*last], ch);
            continue;
        }
        const std::size_t used = place(column, y, ch, cell_style, limit);
        if (used == 0) {
            place(column, y, U' ', cell_style, limit);  // half a wide character cannot be shown
            return static_cast<std::uint16_t>(column + 1);
        }
        last = index(static_cast<std::uint16_t>(column), y);
        column += used;
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

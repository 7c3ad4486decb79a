#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "term/char_width.hpp"
#include "term/geometry.hpp"
#include "term/style.hpp"

namespace lomperi::term {

// The cell right of a wide character, which that character covers.
inline constexpr char32_t kWideTail = 0;

// One screen cell: a character with the combining marks drawn over it, and
// its resolved style (foreground and the attributes in `add`; `remove` is
// always empty in a cell). A wide character takes its cell and the next,
// which holds kWideTail.
struct Cell {
    char32_t ch = U' ';
    Style style;
    std::array<char32_t, 2> marks{};  // 0 ends the list; further marks are dropped

    friend bool operator==(const Cell&, const Cell&) = default;
};

// A frame of cells covering `area`. Coordinates are screen coordinates (the
// area need not start at 0,0). Writes outside the area are ignored, and text
// is stored with control characters replaced, so a buffer can always be
// written to a terminal as it is.
class Buffer {
public:
    Buffer() = default;
    explicit Buffer(Rect area);

    const Rect& area() const { return area_; }
    const std::vector<Cell>& cells() const { return cells_; }

    // The cell at x,y; a blank cell outside the area.
    Cell get(std::uint16_t x, std::uint16_t y) const;
    // Stores the cell (its character made displayable) when x,y is inside.
    void set(std::uint16_t x, std::uint16_t y, Cell cell);

    // Writes the code points of text from x,y rightwards, at most max_width
    // cells and never past the area's right edge, with the style (replacing
    // the cells' styles), as the terminal will show them: a wide character
    // over two cells (a blank when only one is left), combining marks over
    // the character before them. Invalid UTF-8 and control characters are
    // drawn as U+FFFD. Returns the column after the last cell written.
    std::uint16_t set_string(std::uint16_t x, std::uint16_t y, std::string_view text, Style style,
                             std::uint16_t max_width);
    // The spans of a line side by side, each in its own style.
    std::uint16_t set_line(std::uint16_t x, std::uint16_t y, const Line& line, std::uint16_t max_width);

    // Lays the style over the cells of rect (clipped to the area).
    void set_style(Rect rect, Style style);

    // Every cell blank in the default style.
    void reset();
    // A new area, all blank.
    void resize(Rect area);

private:
    std::size_t index(std::uint16_t x, std::uint16_t y) const;
    // Puts a character of width 1 or 2 at x,y when it fits before `limit`;
    // the cells it takes, 0 when it does not fit.
    std::size_t place(std::size_t x, std::uint16_t y, char32_t ch, Style style, std::size_t limit);
    // Blanks the other half of a wide character that a write at x,y would cut.
    void split_wide(std::size_t x, std::uint16_t y);
    bool inside(std::uint16_t x, std::uint16_t y) const;

    Rect area_;
    std::vector<Cell> cells_;
};

}  // namespace lomperi::term

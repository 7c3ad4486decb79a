#pragma once
// Text pictures of a term::Buffer for screen tests: one UTF-8 string per row.
//
//   EXPECT_EQ(lomperi::testing::to_lines(buffer), (std::vector<std::string>{"┌ a ┐", "└───┘"}));
#include <string>
#include <vector>

#include "term/buffer.hpp"
#include "base/utf8.hpp"

namespace lomperi::testing {

inline std::vector<std::string> to_lines(const term::Buffer& buffer) {
    const term::Rect area = buffer.area();
    std::vector<std::string> lines;
    for (std::uint16_t y = area.y; y < area.y + area.height; ++y) {
        std::string line;
        for (std::uint16_t x = area.x; x < area.x + area.width; ++x) append_utf8(line, buffer.get(x, y).ch);
        lines.push_back(std::move(line));
    }
    return lines;
}

// The styles of one row as a string of letters, for style checks:
// '.' default, otherwise the first letter of what is set (see style_letter).
inline char style_letter(const term::Style& s) {
    if (s == term::Style{}) return '.';
    if (s.add & term::Reversed) return 'R';
    if (s.fg == term::Color::Cyan) return 'c';
    if (s.fg == term::Color::Red) return 'r';
    if (s.fg == term::Color::Yellow) return 'y';
    if (s.fg == term::Color::DarkGray) return 'g';
    if (s.add & term::Bold) return 'B';
    if (s.add & term::Underlined) return 'U';
    if (s.add & term::Dim) return 'D';
    return '?';
}

inline std::string style_row(const term::Buffer& buffer, std::uint16_t y) {
    std::string row;
    const term::Rect area = buffer.area();
    for (std::uint16_t x = area.x; x < area.x + area.width; ++x) row.push_back(style_letter(buffer.get(x, y).style));
    return row;
}

}  // namespace lomperi::testing

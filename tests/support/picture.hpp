#pragma once
// Text pictures of a term::Buffer for screen tests: one UTF-8 string per row,
// style letters per cell, and a comparison that prints both pictures.
//
//   EXPECT_TRUE(same_picture(picture(buffer), {"┌ a ┐", "└───┘"}));
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/utf8.hpp"
#include "term/buffer.hpp"

namespace lomperi::testing {

// Every row of the buffer, exactly as wide as the buffer.
inline std::vector<std::string> rows(const term::Buffer& buffer, std::optional<term::Rect> area = std::nullopt) {
    const term::Rect r = area.value_or(buffer.area());
    std::vector<std::string> out;
    for (std::uint32_t y = r.y; y < std::uint32_t{r.y} + r.height; ++y) {
        std::string row;
        for (std::uint32_t x = r.x; x < std::uint32_t{r.x} + r.width; ++x) {
            const term::Cell cell = buffer.get(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
            if (cell.ch == term::kWideTail) continue;  // covered by the wide character before it
            append_utf8(row, cell.ch);
            for (const char32_t mark : cell.marks) {
                if (mark != 0) append_utf8(row, mark);
            }
        }
        out.push_back(std::move(row));
    }
    return out;
}

// The rows of `area` (the whole buffer by default), trailing spaces dropped.
inline std::vector<std::string> picture(const term::Buffer& buffer, std::optional<term::Rect> area = std::nullopt) {
    std::vector<std::string> out = rows(buffer, area);
    for (std::string& row : out) row.erase(row.find_last_not_of(' ') + 1);
    return out;
}

// '.' default, otherwise the first letter of what is set.
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

// The style letters of `width` cells from x,y.
inline std::string styles_at(const term::Buffer& buffer, std::uint16_t x, std::uint16_t y, std::uint16_t width) {
    std::string out;
    for (std::uint32_t k = x; k < std::uint32_t{x} + width; ++k) {
        out.push_back(style_letter(buffer.get(static_cast<std::uint16_t>(k), y).style));
    }
    return out;
}

inline std::string style_row(const term::Buffer& buffer, std::uint16_t y) {
    return styles_at(buffer, buffer.area().x, y, buffer.area().width);
}

// Success when the pictures are equal; otherwise both pictures, the differing rows marked.
inline ::testing::AssertionResult same_picture(const std::vector<std::string>& actual,
                                               const std::vector<std::string>& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    const std::size_t count = std::max(actual.size(), expected.size());
    auto row_of = [](const std::vector<std::string>& p, std::size_t k) { return k < p.size() ? p[k] : "<none>"; };
    failure << "pictures differ (* marks a differing row)\n-- actual:\n";
    for (std::size_t k = 0; k < count; ++k) {
        failure << (row_of(actual, k) == row_of(expected, k) ? "  " : "* ") << '|' << row_of(actual, k) << "|\n";
    }
    failure << "-- expected:\n";
    for (std::size_t k = 0; k < count; ++k) {
        failure << (row_of(actual, k) == row_of(expected, k) ? "  " : "* ") << '|' << row_of(expected, k) << "|\n";
    }
    return failure;
}

inline ::testing::AssertionResult same_picture(const term::Buffer& buffer, const std::vector<std::string>& expected) {
    return same_picture(picture(buffer), expected);
}

}  // namespace lomperi::testing

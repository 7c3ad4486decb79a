#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/picture.hpp"
#include "term/buffer.hpp"

namespace lomperi::term {
namespace {

using lomperi::testing::rows;
using Lines = std::vector<std::string>;

TEST(Buffer, SetStringCountsCodePointsAndStopsAtWidthAndEdge) {
    struct Case {
        std::uint16_t x;
        std::string text;
        std::uint16_t max_width;
        std::string row;
        std::uint16_t end;
    };
    const std::vector<Case> cases = {
        {0, "abc", 10, "abc   ", 3},
        {1, "äöå", 2, " äö   ", 3},
        {4, "abcdef", 10, "    ab", 6},
        {0, "€€€€€€€€", 100, "€€€€€€", 6},
        {0, "", 5, "      ", 0},
        {2, "xyz", 0, "      ", 2},
        {9, "xyz", 3, "      ", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Buffer b(Rect{0, 0, 6, 1});
        EXPECT_EQ(b.set_string(c.x, 0, c.text, Style{}, c.max_width), c.end);
        EXPECT_EQ(rows(b), Lines{c.row});
    }
}

TEST(Buffer, AreaNeedNotStartAtOrigin) {
    Buffer b(Rect{2, 1, 3, 2});
    b.set_string(0, 1, "abc", Style{}, 10);  // left of the area
    b.set_string(3, 2, "xyz", Style{}, 10);
    b.set(4, 1, Cell{U'q', Style{}});
    b.set(5, 1, Cell{U'!', Style{}});  // right of the area
    EXPECT_EQ(rows(b), (Lines{"  q", " xy"}));
    EXPECT_EQ(b.get(0, 0), Cell{});
}

TEST(Buffer, SetLineKeepsEachSpanStyle) {
    Buffer b(Rect{0, 0, 8, 1});
    const Line line{{{"ab", Style{}.with_fg(Color::Cyan)}, {"cd", Style{}.adding(Bold)}, {"efgh", Style{}}}};
    EXPECT_EQ(b.set_line(1, 0, line, 5), 6);
    EXPECT_EQ(rows(b), Lines{" abcde  "});
    EXPECT_EQ(lomperi::testing::style_row(b, 0), ".ccBB...");
}

TEST(Buffer, SetStyleLaysStyleOverCells) {
    Buffer b(Rect{0, 0, 4, 2});
    b.set_string(0, 0, "ab", Style{}.with_fg(Color::Cyan).adding(Bold), 4);
    b.set_style(Rect{1, 0, 10, 1}, Style{}.adding(Reversed).removing(Bold));
    EXPECT_EQ(b.get(0, 0).style, Style{}.with_fg(Color::Cyan).adding(Bold));
    EXPECT_EQ(b.get(1, 0).style, Style{}.with_fg(Color::Cyan).adding(Reversed));
    EXPECT_EQ(b.get(3, 0).style, Style{}.adding(Reversed));
    EXPECT_EQ(b.get(1, 1).style, Style{});
}

// A removed attribute never lingers in a cell, so equal-looking cells compare equal.
TEST(Buffer, CellsHoldOnlyWhatShows) {
    Buffer b(Rect{0, 0, 2, 1});
    b.set_string(0, 0, "a", Style{}.removing(Dim), 1);
    b.set(1, 0, Cell{U'a', Style{}.removing(Bold)});
    EXPECT_EQ(b.get(0, 0), (Cell{U'a', Style{}}));
    EXPECT_EQ(b.get(1, 0), (Cell{U'a', Style{}}));
}

TEST(Buffer, ControlCharactersBecomeReplacementGlyphs) {
    struct Case {
        std::string text;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"a\x1b[31mb", "a\uFFFD[31mb"},
        {"\x07\x08\t\r\n", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\x7f", "\uFFFD"},
        {"\xc2\x9b" "2J", "\uFFFD2J"},  // C1 CSI as UTF-8
        {"\x9b" "2J", "\uFFFD2J"},      // C1 CSI as a raw byte
        {"\xff\xfe", "\uFFFD\uFFFD"},
        {"\xed\xa0\x80", "\uFFFD\uFFFD\uFFFD"},
        {"a\u202eb\u2066c", "a\uFFFDb\uFFFDc"},  // bidi controls
        {"\u200fx", "\uFFFDx"},
    };
    for (const auto& c : cases) {
        Buffer b(Rect{0, 0, 8, 1});
        b.set_string(0, 0, c.text, Style{}, 8);
        std::string row = rows(b)[0];
        row.erase(row.find_last_not_of(' ') + 1);
        EXPECT_EQ(row, c.shown);
    }
    Buffer b(Rect{0, 0, 4, 1});
    for (char32_t bad : {U'\x1b', U'\x9b', char32_t{0xd800}, char32_t{0x110000}}) {
        b.set(0, 0, Cell{bad, Style{}});
        EXPECT_EQ(b.get(0, 0).ch, kReplacementChar);
    }
}

// What the terminal will show: wide characters over two cells, combining
// marks on the character before them.
TEST(Buffer, CellsByDisplayWidth) {
    struct Case {
        const char* name;
        std::string text;
        std::uint16_t width;
        std::string shown;
        std::uint16_t end;  // the column set_string returns
    };
    const std::vector<Case> cases = {
        {"wide characters", "\u6f22\u5b57ab", 8, "\u6f22\u5b57ab  ", 6},
        {"a wide character that does not fit", "ab\u6f22", 3, "ab      ", 3},
        {"combining marks", "e\u0301a\u0308\u0304", 8, "e\u0301a\u0308\u0304      ", 2},
        {"a mark with nothing before it", "\u0301x", 8, "x       ", 1},
        {"zero-width space", "a\u200bb", 8, "a\u200bb      ", 2},
        {"control characters and stray bytes", "a\x1b\xff", 8, "a\ufffd\ufffd     ", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Buffer b(Rect{0, 0, 8, 1});
        EXPECT_EQ(b.set_string(0, 0, c.text, Style{}, c.width), c.end);
        EXPECT_EQ(rows(b)[0], c.shown);
        // Every other measure of the program agrees with the buffer.
        if (display_width(c.text) <= c.width) {
            EXPECT_EQ(display_width(c.text), c.end);
        }
    }
}

TEST(Buffer, WritingOverHalfOfAWideCharacterBlanksTheOtherHalf) {
    Buffer b(Rect{0, 0, 6, 1});
    b.set_string(0, 0, "\u6f22\u5b57\u6f22", Style{}, 6);
    b.set_string(1, 0, "x", Style{}, 1);  // right half of the first
    b.set_string(4, 0, "y", Style{}, 1);  // left half of the third
    EXPECT_EQ(rows(b)[0], " x\u5b57y ");
}

TEST(Buffer, ResetAndResize) {
    Buffer b(Rect{0, 0, 3, 1});
    b.set_string(0, 0, "abc", Style{}.adding(Bold), 3);
    b.reset();
    EXPECT_EQ(rows(b), Lines{"   "});
    EXPECT_EQ(b.get(0, 0), Cell{});
    b.resize(Rect{0, 0, 2, 2});
    EXPECT_EQ(rows(b), (Lines{"  ", "  "}));
    b.resize(Rect{});
    EXPECT_TRUE(rows(b).empty());
    b.set_string(0, 0, "x", Style{}, 1);
}

}  // namespace
}  // namespace lomperi::term

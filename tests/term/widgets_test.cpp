#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/picture.hpp"
#include "term/widgets.hpp"

namespace lomperi::term {
namespace {

using lomperi::testing::style_row;
using lomperi::testing::rows;
using Lines = std::vector<std::string>;

std::vector<Line> plain_lines(const std::vector<std::string>& texts) {
    std::vector<Line> lines;
    for (const auto& t : texts) lines.push_back(Line{{Span{t, Style{}}}});
    return lines;
}

TEST(BoxWidget, BorderTitleAndInnerArea) {
    struct Case {
        Rect area;
        std::string title;
        Lines picture;
        Rect inner;
    };
    const std::vector<Case> cases = {
        {{0, 0, 10, 3}, " ab ", {"┌ ab ────┐", "│        │", "└────────┘"}, {1, 1, 8, 1}},
        {{0, 0, 6, 3}, " matches ", {"┌ mat┐", "│    │", "└────┘"}, {1, 1, 4, 1}},
        {{0, 0, 4, 2}, "", {"┌──┐", "└──┘"}, {1, 1, 2, 0}},
        {{1, 0, 2, 2}, "x", {" ┌┐", " └┘"}, {2, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Buffer b(Rect{0, 0, static_cast<std::uint16_t>(c.area.x + c.area.width), c.area.height});
        EXPECT_EQ(draw_box(b, c.area, Box{c.title, Style{}, Style{}}), c.inner);
        EXPECT_EQ(rows(b), c.picture);
    }
}

TEST(BoxWidget, TinyBoxesDrawWithoutInnerArea) {
    for (Rect area : {Rect{0, 0, 1, 1}, Rect{0, 0, 5, 1}, Rect{0, 0, 1, 4}, Rect{0, 0, 0, 3}}) {
        Buffer b(Rect{0, 0, 5, 4});
        EXPECT_TRUE(draw_box(b, area, Box{" title ", Style{}, Style{}}).empty());
    }
    Buffer b(Rect{0, 0, 3, 1});
    draw_box(b, Rect{0, 0, 3, 1}, Box{"", Style{}, Style{}});
    EXPECT_EQ(rows(b), Lines{"└─┘"});
}

TEST(BoxWidget, TitleHasItsOwnStyle) {
    Buffer b(Rect{0, 0, 8, 2});
    draw_box(b, Rect{0, 0, 8, 2}, Box{" ab ", Style{}.with_fg(Color::Cyan), Style{}});
    EXPECT_EQ(style_row(b, 0), "c....ccc");
    EXPECT_EQ(style_row(b, 1), "cccccccc");
}

TEST(BoxWidget, BoxIsClippedToTheBuffer) {
    Buffer b(Rect{0, 0, 4, 2});
    EXPECT_EQ(draw_box(b, Rect{2, 0, 6, 4}, Box{" long title ", Style{}, Style{}}), (Rect{3, 1, 4, 2}));
    EXPECT_EQ(rows(b), (Lines{"  ┌ ", "  │ "}));
}

TEST(ListWidget, WindowKeepsTheSelectionVisible) {
    const auto items = plain_lines({"a", "b", "c", "d", "e"});
    struct Case {
        std::optional<std::size_t> selected;
        Lines picture;
    };
    const std::vector<Case> cases = {
        {std::nullopt, {"  a ", "  b ", "  c "}},
        {0, {"> a ", "  b ", "  c "}},
        {2, {"  a ", "  b ", "> c "}},
        {3, {"  b ", "  c ", "> d "}},
        {4, {"  c ", "  d ", "> e "}},
        {99, {"  c ", "  d ", "> e "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected.value_or(1000));
        Buffer b(Rect{0, 0, 4, 3});
        draw_list(b, b.area(), List{items, c.selected, Style{}.adding(Reversed)});
        EXPECT_EQ(rows(b), c.picture);
    }
}

TEST(ListWidget, FirstVisibleItem) {
    EXPECT_EQ(list_first_visible(std::nullopt, 10), 0u);
    EXPECT_EQ(list_first_visible(9, 10), 0u);
    EXPECT_EQ(list_first_visible(10, 10), 1u);
    EXPECT_EQ(list_first_visible(29, 10), 20u);  // the 30th row as the 10th of 10
    EXPECT_EQ(list_first_visible(49, 20), 30u);
    EXPECT_EQ(list_first_visible(5, 0), 0u);
}

TEST(ListWidget, HighlightCoversTheWholeRowMarkerIncluded) {
    std::vector<Line> items = {Line{{Span{"ab", Style{}}, Span{"~", Style{}.with_fg(Color::DarkGray)}}},
                               Line{{Span{"cd", Style{}}, Span{"~", Style{}.with_fg(Color::DarkGray)}}}};
    Buffer b(Rect{0, 0, 7, 2});
    draw_list(b, b.area(), List{items, 1, Style{}.adding(Reversed)});
    EXPECT_EQ(rows(b), (Lines{"  ab~  ", "> cd~  "}));
    EXPECT_EQ(style_row(b, 0), "....g..");
    EXPECT_EQ(style_row(b, 1), "RRRRRRR");
    EXPECT_EQ(b.get(4, 1).style, Style{}.with_fg(Color::DarkGray).adding(Reversed));
}

TEST(ListWidget, RowsThatDoNotFitEndInAnEllipsisAndEmptyListsDrawNothing) {
    const auto items = plain_lines({"äöäöäö", "x", "abc", "\u6f22\u5b57\u6f22"});
    Buffer b(Rect{0, 0, 5, 4});
    draw_list(b, b.area(), List{items, 0, Style{}});
    EXPECT_EQ(rows(b), (Lines{"> äö…", "  x  ", "  abc", "  \u6f22\u2026"}));
    Buffer empty(Rect{0, 0, 5, 2});
    draw_list(empty, empty.area(), List{{}, 0, Style{}.adding(Reversed)});
    EXPECT_EQ(rows(empty), (Lines{"     ", "     "}));
    EXPECT_EQ(style_row(empty, 0), ".....");
}

// A row is measured as the buffer draws it: a character that cannot be shown
// takes the cell of its replacement, so that a row it makes too wide still
// ends in an ellipsis.
TEST(ListWidget, RowsAreMeasuredAsDrawn) {
    const auto items = plain_lines({"ab\u202Ec", "a\u0301bc", "\x01" "bc"});
    Buffer b(Rect{0, 0, 5, 3});
    draw_list(b, b.area(), List{items, 0, Style{}});
    EXPECT_EQ(rows(b), (Lines{"> ab\u2026", "  a\u0301bc", "  \uFFFDbc"}));
}

TEST(ParagraphWidget, ScrollAndCutAtTheRightEdge) {
    const auto lines = plain_lines({"one", "two is long", "three", "four"});
    struct Case {
        std::uint16_t scroll;
        Lines picture;
    };
    const std::vector<Case> cases = {
        {0, {"one   ", "two is", "three "}},
        {1, {"two is", "three ", "four  "}},
        {3, {"four  ", "      ", "      "}},
        {60000, {"      ", "      ", "      "}},
    };
    for (const auto& c : cases) {
        Buffer b(Rect{0, 0, 8, 3});
        draw_paragraph(b, Rect{1, 0, 6, 3}, lines, c.scroll);
        Lines inner;
        for (auto& row : rows(b)) inner.push_back(row.substr(1, 6));
        EXPECT_EQ(inner, c.picture);
        EXPECT_EQ(b.get(7, 1).ch, U' ');
    }
}

TEST(ParagraphWidget, SpansKeepTheirStyles) {
    const std::vector<Line> lines = {
        Line{{Span{"- ", Style{}}, Span{"word", Style{}.adding(Underlined)}, Span{" x", Style{}}}}};
    Buffer b(Rect{0, 0, 7, 1});
    draw_paragraph(b, b.area(), lines);
    EXPECT_EQ(style_row(b, 0), "..UUUU.");
}

}  // namespace
}  // namespace lomperi::term

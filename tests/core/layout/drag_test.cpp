#include "core/layout/drag.hpp"

#include <gtest/gtest.h>

#include <cstdint>

namespace lomperi::layout {
namespace {

using term::Rect;

struct HitCase {
    Rect area;
    bool inflections;
    std::uint16_t column;
    std::uint16_t row;
    DragTarget expected;
};

// On a 100x30 screen with the defaults: left column 0..39, entry from 40,
// matches rows 3..18, inflections from row 19.
TEST(BorderAt, HitTests) {
    const Rect screen{0, 0, 100, 30};
    const HitCase cases[] = {
        {screen, true, 39, 10, DragTarget::LeftColumnBorder},
        {screen, true, 40, 10, DragTarget::LeftColumnBorder},
        {screen, true, 40, 0, DragTarget::LeftColumnBorder},
        {screen, true, 38, 10, DragTarget::None},
        {screen, true, 41, 10, DragTarget::None},
        {screen, true, 10, 18, DragTarget::MatchesBorder},
        {screen, true, 10, 19, DragTarget::MatchesBorder},
        {screen, true, 0, 19, DragTarget::MatchesBorder},
        {screen, true, 10, 17, DragTarget::None},
        {screen, true, 10, 20, DragTarget::None},
        {screen, true, 60, 18, DragTarget::None},   // same row, entry pane
        {screen, false, 10, 18, DragTarget::None},  // no inflections pane
        {screen, false, 10, 29, DragTarget::None},
        {screen, true, 100, 10, DragTarget::None},  // outside the screen
        {screen, true, 39, 30, DragTarget::None},
        {{10, 5, 100, 30}, true, 49, 23, DragTarget::LeftColumnBorder},
        {{10, 5, 100, 30}, true, 20, 24, DragTarget::MatchesBorder},
        {{10, 5, 100, 30}, true, 39, 10, DragTarget::None},
        {{0, 0, 1, 30}, true, 0, 10, DragTarget::None},  // left column 0 wide: e is 0
        {{0, 0, 0, 0}, true, 0, 0, DragTarget::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.column << "," << c.row);
        EXPECT_EQ(border_at(c.area, LayoutConfig{}, c.inflections, c.column, c.row), c.expected);
    }
}

struct DragCase {
    Rect area;
    bool inflections;
    DragTarget target;
    std::uint16_t column;
    std::uint16_t row;
    LayoutConfig expected;
};

TEST(DragBorder, MovesTheBorderToThePointer) {
    const Rect wide{0, 0, 120, 30};
    const DragCase cases[] = {
        {wide, true, DragTarget::LeftColumnBorder, 0, 5, {10, 60}},   // 1*100/120 = 0, raised
        {wide, true, DragTarget::LeftColumnBorder, 59, 5, {50, 60}},  // 60*100/120
        {wide, true, DragTarget::LeftColumnBorder, 119, 5, {90, 60}},
        {{20, 0, 100, 30}, true, DragTarget::LeftColumnBorder, 5, 5, {10, 60}},  // left of the area
        {{20, 0, 100, 30}, true, DragTarget::LeftColumnBorder, 69, 5, {50, 60}},
        // Far past a one-column screen: 656*100 must not wrap to 64 in 16 bits.
        {{0, 0, 1, 30}, true, DragTarget::LeftColumnBorder, 655, 5, {90, 60}},
        {{0, 0, 1, 30}, true, DragTarget::LeftColumnBorder, 65535, 5, {90, 60}},
        {{0, 0, 0, 30}, true, DragTarget::LeftColumnBorder, 10, 5, {40, 60}},
        // Matches: list area 27 rows from row 3.
        {wide, true, DragTarget::MatchesBorder, 5, 18, {40, 59}},  // 16*100/27
        {wide, true, DragTarget::MatchesBorder, 5, 3, {40, 10}},
        {wide, true, DragTarget::MatchesBorder, 5, 2, {40, 60}},  // above the list area
        {wide, true, DragTarget::MatchesBorder, 5, 29, {40, 90}},
        {{0, 0, 120, 4}, true, DragTarget::MatchesBorder, 5, 60000, {40, 90}},
        {{0, 0, 120, 3}, true, DragTarget::MatchesBorder, 5, 2, {40, 60}},
        {{0, 10, 120, 30}, true, DragTarget::MatchesBorder, 5, 12, {40, 60}},
        {{0, 10, 120, 30}, true, DragTarget::MatchesBorder, 5, 28, {40, 59}},
        {wide, false, DragTarget::MatchesBorder, 5, 18, {40, 60}},
        {wide, true, DragTarget::None, 5, 18, {40, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "to " << c.column << "," << c.row);
        LayoutConfig config;
        drag_border(config, c.area, c.inflections, c.target, c.column, c.row);
        EXPECT_EQ(config, c.expected);
    }
}

}  // namespace
}  // namespace lomperi::layout

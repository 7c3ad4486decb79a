#include "core/layout/pane_layout.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace lomperi::layout {
namespace {

using term::Rect;

struct WidthCase {
    std::uint16_t width;
    std::uint16_t left_pct;
    std::uint16_t left_width;
};

TEST(ComputeLayout, LeftColumnWidth) {
    const WidthCase cases[] = {
        {100, 40, 40}, {50, 10, 16}, {50, 90, 26}, {39, 10, 19}, {39, 90, 19}, {40, 10, 16},
        {40, 90, 16},  {1, 40, 0},   {0, 40, 0},   {120, 5, 16},  // below 10 counts as 10: 12, raised to 16
        {200, 95, 176},                                           // above 90 counts as 90
        {65535, 90, 58981},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " left_pct " << c.left_pct);
        const PaneLayout layout = compute_layout({0, 0, c.width, 30}, {c.left_pct, 60}, true);
        EXPECT_EQ(layout.left_column, (Rect{0, 0, c.left_width, 30}));
        EXPECT_EQ(layout.entry, (Rect{c.left_width, 0, static_cast<std::uint16_t>(c.width - c.left_width), 30}));
        EXPECT_EQ(layout.title_box.width, c.left_width);
        EXPECT_EQ(layout.matches.width, c.left_width);
    }
}

struct HeightCase {
    std::uint16_t height;
    std::uint16_t matches_pct;
    std::uint16_t title;
    std::uint16_t matches;
    std::uint16_t inflections;
};

TEST(ComputeLayout, ListHeightsWithInflections) {
    const HeightCase cases[] = {
        {30, 60, 3, 16, 11}, {30, 10, 3, 3, 24},  // 2 raised to 3
        {30, 90, 3, 24, 3},                       // 24 is within 3..24
        {8, 60, 3, 2, 3},    {9, 10, 3, 3, 3},   {9, 90, 3, 3, 3}, {2, 60, 2, 0, 0},
        {0, 60, 0, 0, 0},    {3, 60, 3, 0, 0},   {4, 60, 3, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.height << " matches_pct " << c.matches_pct);
        const PaneLayout layout = compute_layout({0, 0, 100, c.height}, {40, c.matches_pct}, true);
        EXPECT_EQ(layout.title_box, (Rect{0, 0, 40, c.title}));
        EXPECT_EQ(layout.matches, (Rect{0, c.title, 40, c.matches}));
        ASSERT_TRUE(layout.inflections.has_value());
        EXPECT_EQ(*layout.inflections,
                  (Rect{0, static_cast<std::uint16_t>(c.title + c.matches), 40, c.inflections}));
    }
}

TEST(ComputeLayout, WithoutInflectionsMatchesTakeTheListArea) {
    const PaneLayout layout = compute_layout({0, 0, 100, 30}, {40, 60}, false);
    EXPECT_EQ(layout.matches, (Rect{0, 3, 40, 27}));
    EXPECT_EQ(layout.inflections, std::nullopt);
}

TEST(ComputeLayout, OffsetArea) {
    const PaneLayout layout = compute_layout({5, 2, 100, 30}, {40, 60}, true);
    EXPECT_EQ(layout.left_column, (Rect{5, 2, 40, 30}));
    EXPECT_EQ(layout.entry, (Rect{45, 2, 60, 30}));
    EXPECT_EQ(layout.matches, (Rect{5, 5, 40, 16}));
    EXPECT_EQ(layout.inflections, (Rect{5, 21, 40, 11}));
}

}  // namespace
}  // namespace lomperi::layout

#include <gtest/gtest.h>

#include "core/view/border_drag.hpp"
#include "core/view/click.hpp"
#include "view_fixture.hpp"

namespace lomperi::view {
namespace {

using testing::lists;

// A cache as a draw of a 100 x 30 screen with the default layout leaves it.
ViewCache recorded_cache() {
    ViewCache cache;
    cache.screen_area = {0, 0, 100, 30};
    cache.matches_area = {0, 3, 40, 22};  // inner rows 4 .. 23: 20 rows
    cache.inflections_shown = true;
    cache.inflections_area = {0, 25, 40, 5};
    cache.entry_area = {40, 0, 60, 30};
    cache.link_rows = {{}, {}, {}, {{2, 7, "kissa"}, {12, 20, "iso talo"}}};
    return cache;
}

class Clicks : public ::testing::Test {
protected:
    testing::TestDictionary data = testing::view_dictionary();
    AppState state{std::move(data.dict)};
    ViewCache cache = recorded_cache();

    void SetUp() override {
        for (int i = 0; i < 60; ++i) lists(state).matches.push_back({"sana" + std::to_string(100 + i), {}});
        lists(state).candidates = {{"talon", "talo"}, {"talossa", "talo"}};
    }
    std::optional<Action> click(std::uint16_t column, std::uint16_t row) {
        return click_action(cache, state, column, row);
    }
};

template <class T>
const T& as(const std::optional<Action>& action) {
    EXPECT_TRUE(action.has_value());
    return std::get<T>(*action);
}

TEST_F(Clicks, ListRowsFollowTheDrawnWindow) {
    struct Row {
        std::size_t selected;
        std::uint16_t row;
        std::size_t expected;
    };
    const std::vector<Row> rows = {
        {0, 4, 0}, {0, 23, 19}, {19, 4, 0}, {20, 4, 1}, {50, 4, 31}, {50, 23, 50}, {59, 23, 59},
        {70, 4, 40},  // a selection past the end is drawn on the last item
    };
    for (const auto& r : rows) {
        lists(state).selected[0] = r.selected;
        EXPECT_EQ(as<action::SelectMatch>(click(10, r.row)).index, r.expected) << r.selected << "/" << r.row;
    }
}

TEST_F(Clicks, BordersAndEmptyRowsFocusThePane) {
    lists(state).matches.resize(3);
    EXPECT_EQ(as<action::FocusPane>(click(10, 10)).focus, Focus::Matches) << "below the last item";
    EXPECT_EQ(as<action::FocusPane>(click(0, 10)).focus, Focus::Matches) << "left border";
    EXPECT_EQ(as<action::FocusPane>(click(10, 3)).focus, Focus::Matches) << "top border";
    EXPECT_EQ(as<action::SelectInflection>(click(10, 27)).index, 1u);
    EXPECT_EQ(as<action::FocusPane>(click(10, 28)).focus, Focus::Inflections);
    EXPECT_FALSE(click(10, 1).has_value()) << "the title box asks for nothing";
}

// The line under an entry opens the table; with the table open, the title
// closes it rather than leaving full-screen.
TEST_F(Clicks, TheTableLineAndTheTitleToggleTheTable) {
    cache.link_rows.push_back({{0, 24, {}, expand::LinkRegion::Kind::Table}});
    EXPECT_TRUE(std::holds_alternative<action::ToggleTable>(*click(41 + 3, 1 + 4)));
    EXPECT_TRUE(std::holds_alternative<action::ToggleFullscreen>(*click(60, 0)));
    state.table = AppState::TableView{"kissa", {}, false};
    EXPECT_TRUE(std::holds_alternative<action::ToggleTable>(*click(60, 0)));
}

TEST_F(Clicks, LinkRegionsCountFromTheInnerAreaAndTheScroll) {
    EXPECT_EQ(as<action::SetQuery>(click(41 + 2, 1 + 3)).word, "kissa");
    EXPECT_EQ(as<action::SetQuery>(click(41 + 6, 1 + 3)).word, "kissa");
    EXPECT_EQ(as<action::SetQuery>(click(41 + 19, 1 + 3)).word, "iso talo");
    EXPECT_FALSE(click(41 + 7, 1 + 3).has_value()) << "end column is exclusive";
    state.entry_scroll = 2;
    EXPECT_EQ(as<action::SetQuery>(click(41 + 2, 1 + 1)).word, "kissa");
    EXPECT_FALSE(click(41 + 2, 1 + 3).has_value());
}

TEST_F(Clicks, TheEntryTitleRowTogglesFullScreen) {
    EXPECT_TRUE(std::holds_alternative<action::ToggleFullscreen>(*click(40, 0)));
    EXPECT_TRUE(std::holds_alternative<action::ToggleFullscreen>(*click(99, 0)));
    EXPECT_FALSE(click(41, 29).has_value()) << "bottom border";
}

TEST_F(Clicks, FullScreenRecordsOnlyTheEntry) {
    cache.reset_areas(cache.screen_area);
    cache.entry_area = {0, 3, 100, 27};
    EXPECT_FALSE(click(10, 10).has_value());
    EXPECT_TRUE(std::holds_alternative<action::ToggleFullscreen>(*click(10, 3)));
}

TEST_F(Clicks, TinyRectanglesHaveNoInnerArea) {
    cache.matches_area = {0, 3, 1, 1};
    cache.inflections_shown = false;
    cache.entry_area = {0, 0, 0, 0};
    EXPECT_EQ(as<action::FocusPane>(click(0, 3)).focus, Focus::Matches);
    EXPECT_FALSE(click(1, 3).has_value());
}

}  // namespace
}  // namespace lomperi::view

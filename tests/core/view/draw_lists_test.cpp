#include <gtest/gtest.h>

#include <fmt/format.h>

#include <string>
#include <vector>

#include "support/kehu_data.hpp"
#include "support/scene.hpp"

namespace lomperi::view {
namespace {

using testing::Scene;
using testing::same_picture;

// Forty headwords sana00 ... sana39 and no inflected forms at all.
testing::TestDictionary forty_words() {
    std::vector<testing::TestHeadword> headwords;
    for (int k = 0; k < 40; ++k) {
        headwords.push_back({fmt::format("sana{:02}", k), {{"noun", {fmt::format("word number {}", k)}}}});
    }
    return testing::make_test_dictionary(headwords);
}

// Screen 40 x 15 without inflections: the matches pane is 16 x 12, ten rows inside.
TEST(DrawLists, WindowFollowsTheSelectionDownAndBackToTheTop) {
    Scene scene(forty_words());
    scene.type("sana");
    scene.apply(action::SelectMatch{29});
    auto frame = scene.frame(40, 15);
    EXPECT_TRUE(same_picture(testing::picture(frame, scene.cache.matches_area), {
                                                                                    "┌ matches ─────┐",
                                                                                    "│  sana20      │",
                                                                                    "│  sana21      │",
                                                                                    "│  sana22      │",
                                                                                    "│  sana23      │",
                                                                                    "│  sana24      │",
                                                                                    "│  sana25      │",
                                                                                    "│  sana26      │",
                                                                                    "│  sana27      │",
                                                                                    "│  sana28      │",
                                                                                    "│> sana29      │",
                                                                                    "└──────────────┘",
                                                                                }));
    EXPECT_EQ(testing::styles_at(frame, 0, 13, 16), "c" + std::string(14, 'R') + "c");

    scene.apply(action::SelectMatch{4});
    frame = scene.frame(40, 15);
    EXPECT_TRUE(same_picture(testing::picture(frame, scene.cache.matches_area), {
                                                                                    "┌ matches ─────┐",
                                                                                    "│  sana00      │",
                                                                                    "│  sana01      │",
                                                                                    "│  sana02      │",
                                                                                    "│  sana03      │",
                                                                                    "│> sana04      │",
                                                                                    "│  sana05      │",
                                                                                    "│  sana06      │",
                                                                                    "│  sana07      │",
                                                                                    "│  sana08      │",
                                                                                    "│  sana09      │",
                                                                                    "└──────────────┘",
                                                                                }));
}

TEST(DrawLists, NoInflectionsPaneWithoutInflectedForms) {
    Scene scene(forty_words());
    scene.type("sana");
    scene.frame(40, 15);
    EXPECT_FALSE(scene.cache.inflections_shown);
    EXPECT_EQ(scene.cache.matches_area, (term::Rect{0, 3, 16, 12}));
}

struct FocusCase {
    Focus focus;
    std::string matches_row;      // styles of row "kehua", border to border
    std::string inflections_row;  // styles of row "kehuaan  ~> kehu", border to border
};

// Screen 60 x 14: matches 24 x 6 from row 3, inflections 24 x 5 from row 9.
TEST(DrawLists, OnlyTheFocusedPaneIsCyanAndHighlighted) {
    const std::string plain_inflection = "g" + std::string(9, '.') + "ggggg" + "cccc" + std::string(4, '.') + "g";
    const FocusCase cases[] = {
        {Focus::Matches, "c" + std::string(22, 'R') + "c", plain_inflection},
        {Focus::Inflections, "g" + std::string(22, '.') + "g", "c" + std::string(22, 'R') + "c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.focus));
        Scene scene(testing::make_kehu_dictionary());
        scene.type("kehu");
        scene.apply(action::SelectInflection{2});
        scene.apply(action::SelectMatch{1});
        scene.apply(action::FocusPane{c.focus});
        const auto frame = scene.frame(60, 14);
        ASSERT_EQ(scene.cache.matches_area, (term::Rect{0, 3, 24, 6}));
        ASSERT_EQ(scene.cache.inflections_area, (term::Rect{0, 9, 24, 5}));
        EXPECT_EQ(testing::picture(frame, term::Rect{0, 5, 24, 1})[0], "│> kehua               │");
        EXPECT_EQ(testing::picture(frame, term::Rect{0, 12, 24, 1})[0], "│> kehuaan  ~> kehu    │");
        EXPECT_EQ(testing::styles_at(frame, 0, 5, 24), c.matches_row);
        EXPECT_EQ(testing::styles_at(frame, 0, 12, 24), c.inflections_row);
        const std::string border(1, c.inflections_row.front());
        EXPECT_EQ(testing::styles_at(frame, 0, 11, 24),
                  border + std::string(7, '.') + "ggggg" + "cccc" + std::string(6, '.') + border)
            << "unselected row kehua ~> kehu";
    }
}

TEST(DrawLists, RowsCutAtTheBorderEndInAnEllipsis) {
    Scene scene(testing::make_kehu_dictionary());
    scene.type("kehuak");
    const auto frame = scene.frame(20, 14);  // left column 10 wide
    EXPECT_EQ(testing::picture(frame, term::Rect{0, 10, 10, 1})[0], "│> kehua…│");
}

TEST(DrawLists, NoResultsTurnsTheTitleBoxRed) {
    Scene scene(testing::make_kehu_dictionary());
    scene.type("xyz");
    auto frame = scene.frame(60, 14);
    EXPECT_EQ(testing::picture(frame, term::Rect{0, 1, 24, 1})[0], "│> xyz                 │");
    // The cursor after the query is a reversed cell.
    EXPECT_EQ(testing::styles_at(frame, 0, 1, 24), std::string(6, 'r') + "R" + std::string(16, '.') + "r");
    EXPECT_EQ(testing::styles_at(frame, 0, 2, 24), std::string(24, 'r'));

    scene.type("");
    frame = scene.frame(60, 14);
    EXPECT_EQ(testing::styles_at(frame, 0, 1, 24), "...R" + std::string(20, '.'));
    EXPECT_EQ(testing::styles_at(frame, 0, 2, 24), std::string(24, '.'));
}

// Searching by English: the title box names the direction, each match shows
// the meaning that holds the English word.
TEST(DrawLists, EnglishDirection) {
    Scene scene(testing::make_kehu_dictionary(true));
    scene.apply(action::ToggleDirection{});
    scene.type("pra");
    EXPECT_TRUE(same_picture(scene.frame(72, 9), {
                                                      "┌ lomperi 10 · 5 · en→fi ──┐┌ entry (click here to fullscreen) ────────┐",
                                                      "│> pra                     ││kehu                                      │",
                                                      "└──────────────────────────┘│                                          │",
                                                      "┌ matches ─────────────────┐│(noun)                                    │",
                                                      "│> kehu  praise, commendat…││- praise, commendation (favorable         │",
                                                      "│  kehua  to praise, tout,…││  representation in words)                │",
                                                      "│  kehuminen  praising     ││                                          │",
                                                      "│                          ││(verb)                                    │",
                                                      "└──────────────────────────┘└──────────────────────────────────────────┘",
                                                  }));
}

}  // namespace
}  // namespace lomperi::view

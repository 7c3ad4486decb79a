#include <gtest/gtest.h>

#include "support/kehu_data.hpp"
#include "support/scene.hpp"

namespace lomperi::view {
namespace {

using testing::Scene;
using testing::same_picture;

TEST(DrawScreen, NormalMode) {
    Scene scene(testing::make_kehu_dictionary());
    scene.type("kehu");
    EXPECT_TRUE(same_picture(scene.frame(60, 14), {
                                                      "┌ lomperi 10 · 5 ──────┐┌ entry (click here to fullscreen) ┐",
                                                      "│> kehu                ││kehu                              │",
                                                      "└──────────────────────┘│                                  │",
                                                      "┌ matches ─────────────┐│(noun)                            │",
                                                      "│> kehu                ││- praise, commendation (favorable │",
                                                      "│  kehua               ││  representation in words)        │",
                                                      "│  kehui               ││  ~> in (adj)                     │",
                                                      "│  kehuja              ││      - in, popular (in fashion)  │",
                                                      "└──────────────────────┘│                                  │",
                                                      "┌ inflections ─────────┐│(verb)                            │",
                                                      "│> kehu  ~> kehua      ││- inflection of kehua:            │",
                                                      "│  kehua  ~> kehu      ││  ~> kehua (verb)                 │",
                                                      "│  kehuaan  ~> kehu    ││      - to praise, tout, acclaim, │",
                                                      "└──────────────────────┘└──────────────────────────────────┘",
                                                  }));
    EXPECT_EQ(scene.cache.screen_area, (term::Rect{0, 0, 60, 14}));
    EXPECT_EQ(scene.cache.matches_area, (term::Rect{0, 3, 24, 6}));
    EXPECT_TRUE(scene.cache.inflections_shown);
    EXPECT_EQ(scene.cache.inflections_area, (term::Rect{0, 9, 24, 5}));
    EXPECT_EQ(scene.cache.entry_area, (term::Rect{24, 0, 36, 14}));
}

TEST(DrawScreen, FullScreenModeHasNoLists) {
    Scene scene(testing::make_kehu_dictionary());
    scene.type("kehu");
    scene.frame(60, 14);
    scene.apply(action::ToggleFullscreen{});
    EXPECT_TRUE(same_picture(scene.frame(60, 14), {
                                                      "┌ lomperi 10 · 5 · ctrl+l: legal ──────────────────────────┐",
                                                      "│> kehu                                                    │",
                                                      "└──────────────────────────────────────────────────────────┘",
                                                      "┌ entry (ctrl+f, click here, enter, or type to return) ────┐",
                                                      "│kehu                                                      │",
                                                      "│                                                          │",
                                                      "│(noun)                                                    │",
                                                      "│- praise, commendation (favorable representation in words)│",
                                                      "│  ~> in (adj)                                             │",
                                                      "│      - in, popular (in fashion)                          │",
                                                      "│                                                          │",
                                                      "│(verb)                                                    │",
                                                      "│- inflection of kehua:                                    │",
                                                      "└──────────────────────────────────────────────────────────┘",
                                                  }));
    EXPECT_EQ(scene.cache.matches_area, term::Rect{});
    EXPECT_FALSE(scene.cache.inflections_shown);
    EXPECT_EQ(scene.cache.entry_area, (term::Rect{0, 3, 60, 11}));
}

TEST(DrawScreen, TwoRowScreen) {
    Scene scene(testing::make_kehu_dictionary());
    scene.type("kehu");
    EXPECT_TRUE(same_picture(scene.frame(60, 2), {
                                                     "┌ lomperi 10 · 5 ──────┐┌ entry (click here to fullscreen) ┐",
                                                     "└──────────────────────┘└──────────────────────────────────┘",
                                                 }));
    EXPECT_EQ(scene.cache.matches_area, (term::Rect{0, 2, 24, 0}));
    scene.apply(action::ToggleFullscreen{});
    EXPECT_TRUE(same_picture(scene.frame(60, 2), {
                                                     "┌ lomperi 10 · 5 · ctrl+l: legal ──────────────────────────┐",
                                                     "└──────────────────────────────────────────────────────────┘",
                                                 }));
    EXPECT_EQ(scene.cache.entry_area, (term::Rect{0, 2, 60, 0}));
}

// Whatever the size, a frame is drawn, the recorded panes lie on the screen
// and the scroll offset is one the entry can show.
TEST(DrawScreen, EverySizeUpTo60By20) {
    Scene scene(testing::make_kehu_dictionary());
    scene.type("kehu");
    scene.apply(action::SelectInflection{3});
    scene.apply(action::SelectMatch{7});
    auto inside = [](term::Rect outer, term::Rect inner) {
        return inner.x + inner.width <= outer.x + outer.width && inner.y + inner.height <= outer.y + outer.height;
    };
    for (const bool fullscreen : {false, true}) {
        scene.state.fullscreen = fullscreen;
        for (std::uint16_t width = 1; width <= 60; ++width) {
            for (std::uint16_t height = 1; height <= 20; ++height) {
                SCOPED_TRACE(::testing::Message() << width << "x" << height << (fullscreen ? " full-screen" : ""));
                scene.state.entry_scroll = 65535;
                const auto frame = scene.frame(width, height);
                const term::Rect screen{0, 0, width, height};
                ASSERT_EQ(scene.cache.screen_area, screen);
                ASSERT_TRUE(inside(screen, scene.cache.entry_area));
                ASSERT_TRUE(inside(screen, scene.cache.matches_area));
                ASSERT_EQ(scene.cache.inflections_shown, !fullscreen);
                if (!fullscreen) {
                    ASSERT_TRUE(inside(screen, scene.cache.inflections_area));
                }
                ASSERT_LE(scene.state.entry_scroll, scene.cache.wrapped_lines.size());
                ASSERT_EQ(scene.cache.link_rows.size(), scene.cache.wrapped_lines.size());
                ASSERT_EQ(frame.area(), screen);
            }
        }
    }
}

TEST(DrawScreen, DocumentViewerReplacesTheScreen) {
    Scene scene(testing::make_kehu_dictionary());
    scene.type("kehu");
    scene.frame(80, 20);
    scene.apply(action::OpenDocuments{});
    scene.apply(action::ScrollEntry{65535});
    const auto frame = scene.frame(80, 20);
    EXPECT_NE(testing::picture(frame)[0].find("License"), std::string::npos) << testing::picture(frame)[0];
    ASSERT_TRUE(scene.state.documents);
    EXPECT_LT(scene.state.documents->scroll, 65535);
    EXPECT_EQ(scene.cache.screen_area, (term::Rect{0, 0, 80, 20}));
    EXPECT_EQ(scene.cache.matches_area, term::Rect{});
    EXPECT_EQ(scene.cache.entry_area, term::Rect{});
    EXPECT_FALSE(scene.cache.inflections_shown);
}

}  // namespace
}  // namespace lomperi::view

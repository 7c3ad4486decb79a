#include <gtest/gtest.h>

#include "core/view/handle_event.hpp"
#include "support/scene.hpp"
#include "view_fixture.hpp"

namespace lomperi::view {
namespace {

// A press on a border drawn, then a drag 20 columns right: only the panes on
// screen have borders to drag, and the document viewer covers them all.
TEST(BorderDrag, OnlyTheBordersOnScreenMove) {
    struct Case {
        const char* name;
        std::vector<Action> before;
        std::uint16_t left_pct;
    };
    const Case cases[] = {
        {"the lists", {}, 60},
        {"the reading pane", {action::OpenReading{"text", "kissa on talossa", true}}, 60},
        {"full-screen entry", {action::ToggleFullscreen{}}, 40},
        {"the document viewer", {action::OpenDocuments{}}, 40},
        {"the viewer over the reading pane", {action::OpenReading{"text", "kissa on", true}, action::OpenDocuments{}}, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Scene scene(testing::view_dictionary());
        scene.type("talo");
        for (const auto& action : c.before) scene.apply(action);
        (void)scene.frame(100, 30);
        const auto press = term::MouseEvent{.kind = term::MouseKind::Down, .column = 39, .row = 10};
        const auto drag = term::MouseEvent{.kind = term::MouseKind::Drag, .column = 59, .row = 10};
        (void)handle_event(scene.state, scene.cache, press);
        (void)handle_event(scene.state, scene.cache, drag);
        EXPECT_EQ(scene.state.left_pct, c.left_pct);
    }
}

}  // namespace
}  // namespace lomperi::view

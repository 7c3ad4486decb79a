#pragma once
// Screen tests of the main screen: a small dictionary with the state and the
// cache that the draws fill, changed only through apply_action, and frames
// rendered into an in-memory buffer.
//
//   lomperi::testing::Scene scene(lomperi::testing::make_kehu_dictionary());
//   scene.type("kehu");
//   EXPECT_TRUE(lomperi::testing::same_picture(scene.frame(50, 12), {"┌ lmp 10 ─…", ...}));
#include <cstdint>
#include <string_view>

#include "core/view/apply_action.hpp"
#include "core/view/draw.hpp"
#include "support/picture.hpp"
#include "support/test_data.hpp"

namespace lomperi::testing {

class Scene {
public:
    explicit Scene(TestDictionary t) : data_(std::move(t.data)), state(std::move(t.dict)) {}
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    void apply(const view::Action& action) { view::apply_action(state, action); }

    // The query as if typed: both lists searched and the entry chosen.
    void type(std::string_view query) { apply(view::action::SetQuery{std::string(query)}); }

    // One frame of the given size, as the main loop would draw it.
    term::Buffer frame(std::uint16_t width, std::uint16_t height) {
        term::Buffer buffer(term::Rect{0, 0, width, height});
        view::draw_frame(buffer, state, cache);
        return buffer;
    }

private:
    morphology::DataSet data_;  // the dictionary's word maps read these bytes

public:
    view::AppState state;
    view::ViewCache cache;
    term::Buffer frame_buffer;  // a frame kept by the test
};

}  // namespace lomperi::testing

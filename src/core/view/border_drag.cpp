#include "core/view/border_drag.hpp"

#include "core/layout/drag.hpp"

namespace lomperi::view {

bool begin_drag(ViewCache& cache, const AppState& state, std::uint16_t column, std::uint16_t row) {
    if (state.fullscreen) {
        cache.drag = layout::DragTarget::None;
        return false;
    }
    cache.drag = layout::border_at(cache.screen_area, state.layout_config(), state.shows_inflections_pane(), column, row);
    return cache.drag != layout::DragTarget::None;
}

bool continue_drag(ViewCache& cache, AppState& state, std::uint16_t column, std::uint16_t row) {
    if (state.fullscreen) {
        cache.drag = layout::DragTarget::None;
        return false;
    }
    if (cache.drag == layout::DragTarget::None) return false;
    auto config = state.layout_config();
    layout::drag_border(config, cache.screen_area, state.shows_inflections_pane(), cache.drag, column, row);
    state.left_pct = config.left_pct;
    state.matches_pct = config.matches_pct;
    return true;
}

bool end_drag(ViewCache& cache) {
    const bool was_dragging = cache.drag != layout::DragTarget::None;
    cache.drag = layout::DragTarget::None;
    return was_dragging;
}

}  // namespace lomperi::view

#include "core/view/border_drag.hpp"

#include "core/layout/drag.hpp"

namespace lomperi::view {

// Only the borders the last frame drew can be dragged: none under the entry
// in full-screen mode or under the document viewer.
bool begin_drag(ViewCache& cache, const AppState& state, std::uint16_t column, std::uint16_t row) {
    cache.drag = cache.borders_shown
                     ? layout::border_at(cache.screen_area, state.layout_config(), cache.inflections_shown, column, row)
                     : layout::DragTarget::None;
    return cache.drag != layout::DragTarget::None;
}

bool continue_drag(ViewCache& cache, AppState& state, std::uint16_t column, std::uint16_t row) {
    if (!cache.borders_shown) cache.drag = layout::DragTarget::None;
    if (cache.drag == layout::DragTarget::None) return false;
    auto config = state.layout_config();
    layout::drag_border(config, cache.screen_area, cache.inflections_shown, cache.drag, column, row);
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

#pragma once
#include <cstdint>

#include "core/view/app_state.hpp"
#include "core/view/view_cache.hpp"

namespace lomperi::view {

// Border drags: a press on a pane border starts one, drag events move the
// border, the release ends it. begin_drag reports whether a drag started,
// continue_drag whether the layout changed, end_drag whether one was going on.
bool begin_drag(ViewCache& cache, const AppState& state, std::uint16_t column, std::uint16_t row);
bool continue_drag(ViewCache& cache, AppState& state, std::uint16_t column, std::uint16_t row);
bool end_drag(ViewCache& cache);

}  // namespace lomperi::view

#pragma once
#include <cstdint>
#include <optional>

#include "core/view/action.hpp"
#include "core/view/app_state.hpp"
#include "core/view/view_cache.hpp"

namespace lomperi::view {

// The action a left-button press at a screen cell asks for, judged against
// what the last draw recorded.
std::optional<Action> click_action(const ViewCache& cache, const AppState& state, std::uint16_t column,
                                   std::uint16_t row);

// Border drags: a press on a pane border starts one, drag events move the
// border, the release ends it. begin_drag reports whether a drag started,
// continue_drag whether the layout changed, end_drag whether one was going on.
bool begin_drag(ViewCache& cache, const AppState& state, std::uint16_t column, std::uint16_t row);
bool continue_drag(ViewCache& cache, AppState& state, std::uint16_t column, std::uint16_t row);
bool end_drag(ViewCache& cache);

}  // namespace lomperi::view

#pragma once
// Keeping the lists and the shown entry in step with the query and the focus.
#include "core/view/action.hpp"
#include "core/view/app_state.hpp"

namespace lomperi::view {

// Recomputes both lists after `query` changed, then refreshes the entry.
void on_query_changed(AppState& state);

// Chooses the headword to show and expands its entry when it changed.
void refresh_entry(AppState& state);

// Moves the focus, refusing Inflections while that list is empty.
void set_focus(AppState& state, Focus focus);

}  // namespace lomperi::view

#pragma once
#include <optional>

#include "core/view/action.hpp"
#include "core/view/app_state.hpp"

namespace lomperi::view {

// The only place where input changes AppState. Every action first advances
// `revision`, whatever it then does.
void apply_action(AppState& state, const Action& action);

// Recomputes both lists after `query` changed, then refreshes the entry.
void on_query_changed(AppState& state);

// Chooses the headword to show and expands its entry when it changed.
void refresh_entry(AppState& state);

// Forgets the shown entry; the scroll position is left alone.
void clear_entry(AppState& state);

// Moves the focus, refusing Inflections while that list is empty.
void set_focus(AppState& state, Focus focus);

}  // namespace lomperi::view

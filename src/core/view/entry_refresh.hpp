#pragma once
// Keeping the lists and the shown entry in step with the query and the focus.
#include "core/view/action.hpp"
#include "core/view/app_state.hpp"

namespace lomperi::view {

// Chooses the entry again after `query` changed, and on the dictionary
// screen searches both lists, then refreshes the entry.
void on_query_changed(AppState& state);

// Chooses the headword to show and expands its entry when it changed.
void refresh_entry(AppState& state);

// Moves the dictionary screen's focus, refusing Inflections while that list
// is empty.
void set_focus(AppState& state, DictionaryScreen& lists, Focus focus);

}  // namespace lomperi::view

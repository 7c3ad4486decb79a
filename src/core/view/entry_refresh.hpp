#pragma once
// Keeping the lists and the shown entry in step with the query and the focus.
#include "core/view/action.hpp"
#include "core/view/app_state.hpp"

namespace lomperi::view {

// Chooses the entry again after `query` changed, and on the dictionary
// screen searches both lists, then refreshes the entry.
void on_query_changed(AppState& state);

// Did you mean, for a query that reaches nothing: a line "no entry for
// kaupasa — did you mean: kaupassa · kaupasta" above the entry, each word a
// link to its entry, and the best one's entry shown when it is clearly best.
// Found after the frame, as it takes about a millisecond; true when there
// was something to find.
bool find_suggestions(AppState& state);

// Shows the entry of the suggestion `step` places on from the one shown,
// round the list; from the first when none is shown.
void step_suggestion(AppState& state, std::int64_t step);

// The inflection tables of the word shown (of the query when no entry is),
// full-screen; or back to the entry.
void toggle_table(AppState& state);
void close_table(AppState& state);

// Chooses the headword to show and expands its entry when it changed.
void refresh_entry(AppState& state);

// Moves the dictionary screen's focus, refusing Inflections while that list
// is empty.
void set_focus(AppState& state, DictionaryScreen& lists, Focus focus);

}  // namespace lomperi::view

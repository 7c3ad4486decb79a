#pragma once
// Keeping the lists and the shown entry in step with the query and the focus.
#include <optional>
#include <string>
#include <string_view>

#include "core/view/action.hpp"
#include "core/view/app_state.hpp"

namespace lomperi::view {

// Recomputes both lists after `query` changed, then refreshes the entry.
void on_query_changed(AppState& state);

// Chooses the headword to show and expands its entry when it changed.
void refresh_entry(AppState& state);

// Forgets the shown entry; the scroll position is left alone.
void clear_entry(AppState& state);

struct QueryEntry {
    std::string headword;
    std::optional<format::GlossRecord> record;
};

// The entry the pane shows right after `query` is typed, found without
// building the lists: what the command line looks up.
std::optional<QueryEntry> entry_for_query(const morphology::Dictionary& dictionary, std::string_view query);
std::optional<std::string> headword_for_query(const morphology::Dictionary& dictionary, std::string_view query);

// Moves the focus, refusing Inflections while that list is empty.
void set_focus(AppState& state, Focus focus);

}  // namespace lomperi::view

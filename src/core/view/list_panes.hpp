#pragma once
// The matches and inflections panes: a bordered box holding a selectable list.
#include <string>
#include <vector>

#include "core/view/app_state.hpp"
#include "term/buffer.hpp"
#include "term/geometry.hpp"

namespace lomperi::view {

// Title candidates, longest first; the usage hint only while nothing is typed.
std::vector<std::string> matches_titles(bool query_empty, bool english = false);
std::vector<std::string> inflections_titles(bool query_empty);

// Each pane shows its selection; only the focused one highlights it and has a cyan border.
void draw_matches_pane(term::Buffer& buffer, term::Rect area, const AppState& state);
void draw_inflections_pane(term::Buffer& buffer, term::Rect area, const AppState& state);

}  // namespace lomperi::view

#pragma once
// The left column: the box at the top that shows the query and the size of
// the data set, then the matches and inflections panes, each a bordered box
// holding a selectable list.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/view/app_state.hpp"
#include "term/buffer.hpp"
#include "term/geometry.hpp"

namespace lomperi::view {

// Longest first: both counts with the legal hint, both counts, the headword
// count, the bare name. A data set with an English side also names the
// search direction ("fi→en" or "en→fi"); `direction` is empty without one.
std::vector<std::string> title_box_titles(std::uint64_t headwords, std::uint64_t forms, std::string_view direction = {});

// The box with "> " and the query, red while the query finds nothing.
void draw_title_box(term::Buffer& buffer, term::Rect area, const AppState& state);

// Title candidates, longest first; the usage hint only while nothing is typed.
std::vector<std::string> matches_titles(bool query_empty, bool english = false);
std::vector<std::string> inflections_titles(bool query_empty);

// Each pane shows its selection; only the focused one highlights it and has a cyan border.
void draw_matches_pane(term::Buffer& buffer, term::Rect area, const AppState& state, const DictionaryScreen& lists);
void draw_inflections_pane(term::Buffer& buffer, term::Rect area, const AppState& state, const DictionaryScreen& lists);

}  // namespace lomperi::view

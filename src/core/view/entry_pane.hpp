#pragma once
// The entry pane: the shown (or kept) entry, wrapped to the pane and scrolled.
#include <cstdint>
#include <string>
#include <vector>

#include "core/expand/wrap_with_links.hpp"
#include "core/view/app_state.hpp"
#include "core/view/view_cache.hpp"
#include "term/buffer.hpp"
#include "term/geometry.hpp"

namespace lomperi::view {

// Title candidates, longest first, for the normal and the full-screen pane.
std::vector<std::string> entry_titles(bool fullscreen);

// The lines of the entry pane at `width`: the shown entry with its links, else
// the kept entry dimmed and without links, else one grey placeholder line.
std::vector<expand::EntryLine> build_entry_lines(const AppState& state, std::uint16_t width);

// Draws the pane and records it; rewraps the entry only when the revision or
// the inner width changed since the cached lines were built.
void draw_entry_pane(term::Buffer& buffer, term::Rect area, AppState& state, ViewCache& cache);

}  // namespace lomperi::view

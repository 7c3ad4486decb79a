#pragma once
// The reading pane: the text wrapped to the left column, the current word
// reversed and the words that reach no entry dim, under a box whose title
// says the file and the position.
#include "core/view/app_state.hpp"
#include "core/view/view_cache.hpp"
#include "term/buffer.hpp"
#include "term/geometry.hpp"

namespace lomperi::view {

// Title candidates of the box above the text, longest first.
std::vector<std::string> reading_titles(const ReadingState& reading);

// Rewraps the text when the pane's width changed, keeping the current word
// in view, and learns which shown words reach an entry.
void draw_reading_column(term::Buffer& buffer, term::Rect title_box, term::Rect text_pane, const AppState& state,
                         ReadingState& reading, ViewCache& cache);

}  // namespace lomperi::view

#pragma once
// Composing one frame of the screen from the application state.
#include "core/view/app_state.hpp"
#include "core/view/view_cache.hpp"
#include "term/buffer.hpp"

namespace lomperi::view {

// The screen over the whole buffer: the title box, the two lists (or the text
// of the reading pane) and the entry pane, or the title box and the entry
// alone in full-screen mode. Fills
// the cache's rectangles and entry lines, and lowers `entry_scroll` to the
// last useful line.
void draw(term::Buffer& buffer, AppState& state, ViewCache& cache);

// One frame as the main loop wants it: the document viewer while it is open,
// the main screen otherwise.
void draw_frame(term::Buffer& buffer, AppState& state, ViewCache& cache);

}  // namespace lomperi::view

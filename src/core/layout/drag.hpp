#pragma once
#include <cstdint>

#include "core/layout/layout_config.hpp"
#include "term/geometry.hpp"

namespace lomperi::layout {

// Which pane border a left-button press grabbed.
enum class DragTarget { LeftColumnBorder, MatchesBorder, None };

// The border under a press at (column, row), on the screen area of the last draw.
DragTarget border_at(term::Rect area, const LayoutConfig& config, bool inflections_available,
                     std::uint16_t column, std::uint16_t row);

// Moves the dragged border so that its far side lies under the pointer.
void drag_border(LayoutConfig& config, term::Rect area, bool inflections_available, DragTarget target,
                 std::uint16_t column, std::uint16_t row);

}  // namespace lomperi::layout

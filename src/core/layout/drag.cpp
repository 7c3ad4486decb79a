#include "core/layout/drag.hpp"

#include <algorithm>

#include "core/layout/pane_layout.hpp"

namespace lomperi::layout {
namespace {

constexpr std::uint32_t kMaxCount = 65535;

// Cells from `start` to `pointer`, both included; 1 when the pointer lies before `start`.
std::uint32_t cells_up_to(std::uint32_t start, std::uint16_t pointer) {
    const std::uint32_t before = pointer < start ? 0 : pointer - start;
    return std::min(before + 1, kMaxCount);
}

bool on_border(std::uint32_t far_side, std::uint16_t position) {
    return far_side != 0 && (position == far_side || position == far_side - 1);
}

}  // namespace

DragTarget border_at(term::Rect area, const LayoutConfig& config, bool inflections_available,
                     std::uint16_t column, std::uint16_t row) {
    if (!area.contains(column, row)) return DragTarget::None;
    const PaneLayout layout = compute_layout(area, config, inflections_available);
    const std::uint32_t e = std::uint32_t{layout.left_column.x} + layout.left_column.width;
    if (on_border(e, column)) return DragTarget::LeftColumnBorder;
    if (!inflections_available || column >= e) return DragTarget::None;
    const std::uint32_t b = std::uint32_t{layout.matches.y} + layout.matches.height;
    if (on_border(b, row)) return DragTarget::MatchesBorder;
    return DragTarget::None;
}

void drag_border(LayoutConfig& config, term::Rect area, bool inflections_available, DragTarget target,
                 std::uint16_t column, std::uint16_t row) {
    // Percentages are clamped while still 32 bits wide: a pointer far past a
    // tiny screen must give 90, not a value wrapped to 16 bits.
    switch (target) {
        case DragTarget::LeftColumnBorder: {
            if (area.width == 0) return;
            const std::uint32_t n = cells_up_to(area.x, column);
            config.left_pct = clamp_pct(n * 100 / area.width);
            break;
        }
        case DragTarget::MatchesBorder: {
            if (!inflections_available || area.height < 4) return;
            const std::uint32_t top = std::uint32_t{area.y} + kTitleBoxHeight;
            if (row < top) return;
            const std::uint32_t n = cells_up_to(top, row);
            config.matches_pct = clamp_pct(n * 100 / (area.height - kTitleBoxHeight));
            break;
        }
        case DragTarget::None:
            return;
    }
    config = clamped(config);
}

}  // namespace lomperi::layout

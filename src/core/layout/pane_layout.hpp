#pragma once
#include <optional>

#include "core/layout/layout_config.hpp"
#include "term/geometry.hpp"

namespace lomperi::layout {

// The rectangles of the normal screen. Computed at every draw, never stored.
struct PaneLayout {
    term::Rect left_column;
    term::Rect entry;
    term::Rect title_box;
    term::Rect matches;
    std::optional<term::Rect> inflections;

    friend bool operator==(const PaneLayout&, const PaneLayout&) = default;
};

// Below this screen width the left column takes half the screen.
inline constexpr std::uint16_t kNarrowScreen = 40;
inline constexpr std::uint16_t kMinLeftWidth = 16;
inline constexpr std::uint16_t kMinEntryWidth = 24;
inline constexpr std::uint16_t kTitleBoxHeight = 3;
inline constexpr std::uint16_t kMinListHeight = 3;

PaneLayout compute_layout(term::Rect area, const LayoutConfig& config, bool inflections_available);

}  // namespace lomperi::layout

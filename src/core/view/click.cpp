#include "core/view/mouse.hpp"

namespace lomperi::view {
namespace {

struct InnerPoint {
    std::uint16_t column;
    std::uint16_t row;
    std::uint16_t height;
};

// The point's offset inside the rectangle less its one-cell border.
std::optional<InnerPoint> inner_point(term::Rect area, std::uint16_t column, std::uint16_t row) {
    if (area.width < 2 || area.height < 2) return std::nullopt;
    const std::uint32_t left = area.x + 1u;
    const std::uint32_t top = area.y + 1u;
    if (column < left || row < top) return std::nullopt;
    if (column >= area.x + area.width - 1u || row >= area.y + area.height - 1u) return std::nullopt;
    return InnerPoint{static_cast<std::uint16_t>(column - left), static_cast<std::uint16_t>(row - top),
                      static_cast<std::uint16_t>(area.height - 2)};
}

// The list row under the point, with the window rule of the list drawing:
// the window starts at the top unless the selection would fall below it.
std::optional<std::size_t> list_row(term::Rect area, std::size_t selected, std::size_t length, std::uint16_t column,
                                    std::uint16_t row) {
    const auto inner = inner_point(area, column, row);
    if (!inner) return std::nullopt;
    const std::size_t h = inner->height;
    const std::size_t first = selected < h ? 0 : selected - h + 1;
    const std::size_t index = first + inner->row;
    if (index >= length) return std::nullopt;
    return index;
}

std::optional<Action> link_at(const ViewCache& cache, const AppState& state, std::uint16_t column, std::uint16_t row) {
    const auto inner = inner_point(cache.entry_area, column, row);
    if (!inner) return std::nullopt;
    const std::size_t line = std::size_t{inner->row} + state.entry_scroll;
    if (line >= cache.link_rows.size()) return std::nullopt;
    for (const auto& region : cache.link_rows[line]) {
        if (region.start <= inner->column && inner->column < region.end) return action::SetQuery{region.target};
    }
    return std::nullopt;
}

bool on_title_row(term::Rect area, std::uint16_t column, std::uint16_t row) {
    return area.height >= 1 && row == area.y && column >= area.x && column - area.x < area.width;
}

}  // namespace

std::optional<Action> click_action(const ViewCache& cache, const AppState& state, std::uint16_t column,
                                   std::uint16_t row) {
    if (auto i = list_row(cache.matches_area, state.selected[0], state.matches.size(), column, row)) {
        return action::SelectMatch{*i};
    }
    if (cache.inflections_shown) {
        if (auto i = list_row(cache.inflections_area, state.selected[1], state.candidates.size(), column, row)) {
            return action::SelectInflection{*i};
        }
    }
    if (auto link = link_at(cache, state, column, row)) return link;
    if (on_title_row(cache.entry_area, column, row)) return action::ToggleFullscreen{};
    if (cache.matches_area.contains(column, row)) return action::FocusPane{Focus::Matches};
    if (cache.inflections_shown && cache.inflections_area.contains(column, row)) {
        return action::FocusPane{Focus::Inflections};
    }
    return std::nullopt;
}

}  // namespace lomperi::view

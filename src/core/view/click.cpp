#include "core/view/click.hpp"

#include <algorithm>

#include "term/widgets.hpp"

namespace lomperi::view {
namespace {

struct InnerPoint {
    std::uint16_t column;
    std::uint16_t row;
    std::uint16_t height;
};

// The point's offset inside the box drawn on the rectangle.
std::optional<InnerPoint> inner_point(term::Rect area, std::uint16_t column, std::uint16_t row) {
    const term::Rect inner = term::box_inner(area);
    if (!inner.contains(column, row)) return std::nullopt;
    return InnerPoint{static_cast<std::uint16_t>(column - inner.x), static_cast<std::uint16_t>(row - inner.y),
                      inner.height};
}

// The list row under the point. The window comes from the list widget's own
// rule, with the selection clamped as the drawing clamps it, so a click always
// lands on the row that is shown there.
std::optional<std::size_t> list_row(term::Rect area, std::size_t selected, std::size_t length, std::uint16_t column,
                                    std::uint16_t row) {
    if (length == 0) return std::nullopt;
    const auto inner = inner_point(area, column, row);
    if (!inner) return std::nullopt;
    const std::size_t first = term::list_first_visible(std::min(selected, length - 1), inner->height);
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
        if (region.start > inner->column || inner->column >= region.end) continue;
        if (region.kind == expand::LinkRegion::Kind::Table) return action::ToggleTable{};
        return action::SetQuery{region.target};
    }
    return std::nullopt;
}

bool on_title_row(term::Rect area, std::uint16_t column, std::uint16_t row) {
    return area.height >= 1 && row == area.y && column >= area.x && column - area.x < area.width;
}

// A row of either list, or a word of the text.
std::optional<Action> screen_click(const ViewCache& cache, const DictionaryScreen& lists, std::uint16_t column,
                                   std::uint16_t row) {
    if (auto i = list_row(cache.matches_area, lists.selected[0], lists.matches.size(), column, row)) {
        return action::SelectMatch{*i};
    }
    if (!cache.inflections_shown) return std::nullopt;
    if (auto i = list_row(cache.inflections_area, lists.selected[1], lists.candidates.size(), column, row)) {
        return action::SelectInflection{*i};
    }
    return std::nullopt;
}

std::optional<Action> screen_click(const ViewCache& cache, const ReadingState&, std::uint16_t column,
                                   std::uint16_t row) {
    for (const auto& cell : cache.reading_words) {
        if (cell.row == row && cell.start <= column && column < cell.end) return action::SelectWord{cell.word};
    }
    return std::nullopt;
}

// Elsewhere in a list pane, as the last draw left them: the focus.
std::optional<Action> pane_click(const ViewCache& cache, std::uint16_t column, std::uint16_t row) {
    if (cache.matches_area.contains(column, row)) return action::FocusPane{Focus::Matches};
    if (cache.inflections_shown && cache.inflections_area.contains(column, row)) {
        return action::FocusPane{Focus::Inflections};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Action> click_action(const ViewCache& cache, const AppState& state, std::uint16_t column,
                                   std::uint16_t row) {
    const auto on_screen = [&](const auto& screen) { return screen_click(cache, screen, column, row); };
    if (auto chosen = std::visit(on_screen, state.screen)) return chosen;
    if (auto link = link_at(cache, state, column, row)) return link;
    if (on_title_row(cache.entry_area, column, row)) {
        if (state.table) return action::ToggleTable{};
        return action::ToggleFullscreen{};
    }
    return pane_click(cache, column, row);
}

}  // namespace lomperi::view

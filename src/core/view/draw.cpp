#include "core/view/draw.hpp"

#include <algorithm>

#include "core/layout/pane_layout.hpp"
#include "core/legal/draw_documents.hpp"
#include "core/view/entry_pane.hpp"
#include "core/view/left_column.hpp"
#include "core/view/overloaded.hpp"
#include "core/view/reading_pane.hpp"

namespace lomperi::view {
namespace {

void draw_reading(term::Buffer& buffer, AppState& state, ReadingState& reading, ViewCache& cache) {
    const auto panes = layout::compute_layout(buffer.area(), state.layout_config(), false);
    draw_reading_column(buffer, panes.title_box, panes.matches, state, reading, cache);
    draw_entry_pane(buffer, panes.entry, state, cache);
    cache.borders_shown = true;
}

void draw_lists(term::Buffer& buffer, AppState& state, const DictionaryScreen& lists, ViewCache& cache) {
    // Searching by English finds no word forms: the matches take the whole column.
    const bool inflections = state.inflections_available() && !lists.english();
    const auto panes = layout::compute_layout(buffer.area(), state.layout_config(), inflections);
    draw_title_box(buffer, panes.title_box, state);
    draw_matches_pane(buffer, panes.matches, state, lists);
    cache.matches_area = panes.matches;
    draw_entry_pane(buffer, panes.entry, state, cache);
    cache.borders_shown = true;
    if (!panes.inflections) return;
    draw_inflections_pane(buffer, *panes.inflections, state, lists);
    cache.inflections_area = *panes.inflections;
    cache.inflections_shown = true;
}

void draw_fullscreen(term::Buffer& buffer, AppState& state, ViewCache& cache) {
    const term::Rect screen = buffer.area();
    const auto title_height = std::min(layout::kTitleBoxHeight, screen.height);
    draw_title_box(buffer, term::Rect{screen.x, screen.y, screen.width, title_height}, state);
    draw_entry_pane(buffer,
                    term::Rect{screen.x, static_cast<std::uint16_t>(screen.y + title_height), screen.width,
                               static_cast<std::uint16_t>(screen.height - title_height)},
                    state, cache);
}

}  // namespace

void draw(term::Buffer& buffer, AppState& state, ViewCache& cache) {
    cache.reset_areas(buffer.area());
    buffer.reset();
    if (state.fullscreen) {
        draw_fullscreen(buffer, state, cache);
        return;
    }
    std::visit(Overloaded{
                   [&](const DictionaryScreen& lists) { draw_lists(buffer, state, lists, cache); },
                   [&](ReadingState& reading) { draw_reading(buffer, state, reading, cache); },
               },
               state.screen);
}

void draw_frame(term::Buffer& buffer, AppState& state, ViewCache& cache) {
    if (!state.documents) {
        draw(buffer, state, cache);
        return;
    }
    cache.reset_areas(buffer.area());
    buffer.reset();
    legal::draw_documents(buffer, state.documents->doc, state.documents->scroll);
}

}  // namespace lomperi::view

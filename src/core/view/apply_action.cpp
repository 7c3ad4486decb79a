#include "core/view/apply_action.hpp"

#include <algorithm>
#include <cstdint>

#include "base/utf8.hpp"
#include "core/legal/documents.hpp"
#include "core/view/entry_refresh.hpp"
#include "core/view/reading_actions.hpp"

namespace lomperi::view {
namespace {

// Scroll offsets move by signed steps and stop at 0 and 65535.
inline std::uint16_t saturating_step(std::uint16_t value, std::int64_t step) {
    const std::int64_t moved = std::clamp<std::int64_t>(step, -65536, 65536) + value;
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(moved, 0, 65535));
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Spelled out for compilers without deduction for aggregates (clang 16).
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// While the viewer is open only scrolling, switching and closing do anything.
void apply_in_viewer(AppState& state, const Action& action) {
    std::visit(Overloaded{
                   [&](const action::MoveSelection& a) { state.doc_scroll = saturating_step(state.doc_scroll, a.step); },
                   [&](const action::ScrollEntry& a) { state.doc_scroll = saturating_step(state.doc_scroll, a.step); },
                   [&](const action::OpenDocuments&) { state.doc = kDocumentsClosed; },
                   [&](const action::CloseDocuments&) { state.doc = kDocumentsClosed; },
                   [&](const action::SwitchFocus&) {
                       state.doc = legal::next_document(state.doc);
                       state.doc_scroll = 0;
                   },
                   [](const auto&) {},
               },
               action);
}

// As readline's Ctrl+W: the spaces before the end, then the word before them.
void delete_last_word(std::string& query) {
    while (query.ends_with(' ')) query.pop_back();
    while (!query.empty() && !query.ends_with(' ')) pop_last_char(query);
}

void leave_fullscreen(AppState& state) {
    if (!state.fullscreen) return;
    state.fullscreen = false;
    state.entry_scroll = 0;
}

void move_selection(AppState& state, std::int64_t step) {
    if (state.fullscreen) {
        state.entry_scroll = saturating_step(state.entry_scroll, step);
        return;
    }
    const auto k = static_cast<std::size_t>(state.focus);
    const std::size_t n = k == 0 ? state.matches.size() : state.candidates.size();
    if (n == 0) return;
    state.shows_choice = false;
    const auto current = static_cast<std::int64_t>(std::min(state.selected[k], n - 1));
    const std::int64_t last = static_cast<std::int64_t>(n - 1);
    const std::int64_t target = step > last - current ? last : (step < -current ? 0 : current + step);
    state.selected[k] = static_cast<std::size_t>(target);
    refresh_entry(state);
}

void keep_shown_entry(AppState& state) {
    if (!state.shown || !state.shown->record) return;
    state.kept = std::move(state.shown);
    state.shown.reset();
}

void confirm(AppState& state) {
    if (state.fullscreen) {
        leave_fullscreen(state);
        return;
    }
    if (state.focus == Focus::Inflections) {
        if (state.selected[1] >= state.candidates.size()) return;
        state.query = state.candidates[state.selected[1]].base;
        on_query_changed(state);
        return;
    }
    keep_shown_entry(state);
    state.query.clear();
    state.choice = {};
    state.shows_choice = false;
    state.matches.clear();
    state.shown.reset();
    state.selected = {0, 0};
    state.no_results = false;
    state.entry_scroll = 0;
    state.candidates.clear();
    state.focus = Focus::Matches;
}

void apply_on_main_screen(AppState& state, const Action& action) {
    std::visit(Overloaded{
                   [&](const action::InsertChar& a) {
                       leave_fullscreen(state);
                       append_utf8(state.query, a.ch);
                       on_query_changed(state);
                   },
                   [&](const action::InsertText& a) {
                       leave_fullscreen(state);
                       state.query += a.text;
                       on_query_changed(state);
                   },
                   [&](const action::DeleteBack&) {
                       leave_fullscreen(state);
                       pop_last_char(state.query);
                       on_query_changed(state);
                   },
                   [&](const action::MoveSelection& a) { move_selection(state, a.step); },
                   [&](const action::ScrollEntry& a) { state.entry_scroll = saturating_step(state.entry_scroll, a.step); },
                   [&](const action::Confirm&) { confirm(state); },
                   [&](const action::SwitchFocus&) {
                       const bool to_inflections = state.focus == Focus::Matches && !state.candidates.empty();
                       set_focus(state, to_inflections ? Focus::Inflections : Focus::Matches);
                   },
                   [&](const action::FocusPane& a) { set_focus(state, a.focus); },
                   [&](const action::ToggleFullscreen&) {
                       state.fullscreen = !state.fullscreen;
                       state.entry_scroll = 0;
                   },
                   [&](const action::SelectMatch& a) {
                       state.shows_choice = false;
                       state.selected[0] = a.index;
                       state.focus = Focus::Matches;
                       refresh_entry(state);
                   },
                   [&](const action::SelectInflection& a) {
                       state.shows_choice = false;
                       state.selected[1] = a.index;
                       state.focus = Focus::Inflections;
                       refresh_entry(state);
                   },
                   [&](const action::SetQuery& a) {
                       state.query = a.word;
                       on_query_changed(state);
                   },
                   [&](const action::OpenDocuments&) {
                       state.doc_scroll = 0;
                       state.doc = 0;
                   },
                   [](const action::CloseDocuments&) {},
                   [&](const action::ClearQuery&) {
                       leave_fullscreen(state);
                       state.query.clear();
                       on_query_changed(state);
                   },
                   [&](const action::DeleteWord&) {
                       leave_fullscreen(state);
                       delete_last_word(state.query);
                       on_query_changed(state);
                   },
                   [&](const action::ToggleDirection&) {
                       if (!state.english_available()) return;
                       state.english = !state.english;
                       on_query_changed(state);
                   },
                   [](const auto&) {},
               },
               action);
}

}  // namespace

void apply_action(AppState& state, const Action& action) {
    ++state.revision;
    if (state.documents_open()) {
        apply_in_viewer(state, action);
        return;
    }
    if (const auto* open = std::get_if<action::OpenReading>(&action)) {
        open_reading(state, *open);
        return;
    }
    if (state.reading_open() && apply_in_reading(state, action)) return;
    apply_on_main_screen(state, action);
}

}  // namespace lomperi::view

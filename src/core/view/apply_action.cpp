#include "core/view/apply_action.hpp"

#include <algorithm>
#include <cstdint>

#include "base/utf8.hpp"
#include "core/legal/documents.hpp"
#include "core/view/entry_refresh.hpp"
#include "core/view/overloaded.hpp"
#include "core/view/reading_actions.hpp"

namespace lomperi::view {
namespace {

// Scroll offsets move by signed steps and stop at 0 and 65535.
inline std::uint16_t saturating_step(std::uint16_t value, std::int64_t step) {
    const std::int64_t moved = std::clamp<std::int64_t>(step, -65536, 65536) + value;
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(moved, 0, 65535));
}

// While the viewer is open only scrolling, switching and closing do anything.
void apply_in_documents(AppState& state, const Action& action) {
    DocumentsView& documents = *state.documents;
    std::visit(Overloaded{
                   [&](const action::MoveSelection& a) { documents.scroll = saturating_step(documents.scroll, a.step); },
                   [&](const action::ScrollEntry& a) { documents.scroll = saturating_step(documents.scroll, a.step); },
                   [&](const action::OpenDocuments&) { state.documents.reset(); },
                   [&](const action::CloseDocuments&) { state.documents.reset(); },
                   [&](const action::SwitchFocus&) {
                       documents.doc = legal::next_document(documents.doc);
                       documents.scroll = 0;
                   },
                   [](const auto&) {},
               },
               action);
}

// The entry pane works alike beside either screen; false for the actions of
// the screen.
bool apply_in_entry_pane(AppState& state, const Action& action) {
    return std::visit(Overloaded{
                          [&](const action::ScrollEntry& a) {
                              state.entry_scroll = saturating_step(state.entry_scroll, a.step);
                              return true;
                          },
                          [&](const action::ToggleFullscreen&) {
                              state.fullscreen = !state.fullscreen;
                              state.entry_scroll = 0;
                              return true;
                          },
                          [&](const action::OpenDocuments&) {
                              state.documents = DocumentsView{};
                              return true;
                          },
                          [](const action::CloseDocuments&) { return true; },
                          [&](const action::ToggleTable&) {
                              toggle_table(state);
                              return true;
                          },
                          [&](const action::StepSuggestion& a) {
                              step_suggestion(state, a.step);
                              return true;
                          },
                          // A link followed.
                          [&](const action::SetQuery& a) {
                              state.query = a.word;
                              on_query_changed(state);
                              return true;
                          },
                          [](const auto&) { return false; },
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

void move_selection(AppState& state, DictionaryScreen& lists, std::int64_t step) {
    if (state.fullscreen) {
        state.entry_scroll = saturating_step(state.entry_scroll, step);
        return;
    }
    const auto k = static_cast<std::size_t>(lists.focus);
    const std::size_t n = k == 0 ? lists.matches.size() : lists.candidates.size();
    if (n == 0) return;
    lists.shows_choice = false;
    const auto current = static_cast<std::int64_t>(std::min(lists.selected[k], n - 1));
    const std::int64_t last = static_cast<std::int64_t>(n - 1);
    const std::int64_t target = step > last - current ? last : (step < -current ? 0 : current + step);
    lists.selected[k] = static_cast<std::size_t>(target);
    refresh_entry(state);
}

void keep_shown_entry(AppState& state) {
    if (!state.shown || !state.shown->record) return;
    state.kept = std::move(state.shown);
    state.shown.reset();
}

void confirm(AppState& state, DictionaryScreen& lists) {
    if (state.fullscreen) {
        leave_fullscreen(state);
        return;
    }
    if (lists.focus == Focus::Inflections) {
        if (lists.selected[1] >= lists.candidates.size()) return;
        state.query = lists.candidates[lists.selected[1]].base;
        on_query_changed(state);
        return;
    }
    keep_shown_entry(state);
    state.query.clear();
    state.choice = {};
    state.shown.reset();
    state.no_results = false;
    state.entry_scroll = 0;
    const Direction direction = lists.direction;
    lists = {};
    lists.direction = direction;
}

// The query changed by typing: full-screen mode ends.
void edit_query(AppState& state, const auto& edit) {
    leave_fullscreen(state);
    edit(state.query);
    on_query_changed(state);
}

void select_row(AppState& state, DictionaryScreen& lists, Focus focus, std::size_t index) {
    lists.shows_choice = false;
    lists.selected[static_cast<std::size_t>(focus)] = index;
    lists.focus = focus;
    refresh_entry(state);
}

void apply_in_dictionary(AppState& state, DictionaryScreen& lists, const Action& action) {
    std::visit(Overloaded{
                   [&](const action::InsertChar& a) { edit_query(state, [&](std::string& q) { append_utf8(q, a.ch); }); },
                   [&](const action::InsertText& a) { edit_query(state, [&](std::string& q) { q += a.text; }); },
                   [&](const action::DeleteBack&) { edit_query(state, pop_last_char); },
                   [&](const action::ClearQuery&) { edit_query(state, [](std::string& q) { q.clear(); }); },
                   [&](const action::DeleteWord&) { edit_query(state, delete_last_word); },
                   [&](const action::MoveSelection& a) { move_selection(state, lists, a.step); },
                   [&](const action::Confirm&) { confirm(state, lists); },
                   [&](const action::SwitchFocus&) {
                       const bool to_inflections = lists.focus == Focus::Matches && !lists.candidates.empty();
                       set_focus(state, lists, to_inflections ? Focus::Inflections : Focus::Matches);
                   },
                   [&](const action::FocusPane& a) { set_focus(state, lists, a.focus); },
                   [&](const action::SelectMatch& a) { select_row(state, lists, Focus::Matches, a.index); },
                   [&](const action::SelectInflection& a) { select_row(state, lists, Focus::Inflections, a.index); },
                   [&](const action::ToggleDirection&) {
                       if (!state.english_available()) return;
                       lists.direction = lists.english() ? Direction::FinnishToEnglish : Direction::EnglishToFinnish;
                       on_query_changed(state);
                   },
                   [](const auto&) {},
               },
               action);
}

}  // namespace

void apply_action(AppState& state, const Action& action) {
    ++state.revision;
    if (state.documents) {
        apply_in_documents(state, action);
        return;
    }
    if (const auto* open = std::get_if<action::OpenReading>(&action)) {
        open_reading(state, *open);
        return;
    }
    if (apply_in_entry_pane(state, action)) return;
    std::visit(Overloaded{
                   [&](DictionaryScreen& lists) { apply_in_dictionary(state, lists, action); },
                   [&](ReadingState& reading) { apply_in_reading(state, reading, action); },
               },
               state.screen);
}

}  // namespace lomperi::view

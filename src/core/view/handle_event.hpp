#pragma once
#include <span>

#include "core/view/app_state.hpp"
#include "core/view/view_cache.hpp"
#include "term/event.hpp"

namespace lomperi::view {

enum class Answer { Quit, Suspend, Redraw, NoRedraw };

// Translates one terminal event into an action and applies it, or handles it
// directly (quitting, border drags, the wheel), and tells the main loop what
// to do next.
Answer handle_event(AppState& state, ViewCache& cache, const term::Event& event);

// The events that arrived together, handled in order up to the first that
// quits or suspends, or that is the main loop's (Terminate, Suspend, Resume):
// how many were handled, and whether to redraw. A run of typed characters
// is one insertion, so that a paste is searched once, not per character.
struct Handled {
    Answer answer = Answer::NoRedraw;
    std::size_t count = 0;
};
Handled handle_events(AppState& state, ViewCache& cache, std::span<const term::Event> events);

// The action a key press asks for on the screen shown (key_table.hpp); none
// for keys that do nothing or ask for more than an action.
std::optional<Action> key_action(const AppState& state, const term::KeyEvent& key);

}  // namespace lomperi::view

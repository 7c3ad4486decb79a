#pragma once
#include "core/view/app_state.hpp"
#include "core/view/view_cache.hpp"
#include "term/event.hpp"

namespace lomperi::view {

enum class Answer { Quit, Redraw, NoRedraw };

// Translates one terminal event into an action and applies it, or handles it
// directly (quitting, border drags, the wheel), and tells the main loop what
// to do next.
Answer handle_event(AppState& state, ViewCache& cache, const term::Event& event);

// The action a key press asks for; none for keys that do nothing.
std::optional<Action> key_action(const AppState& state, const term::KeyEvent& key);

}  // namespace lomperi::view

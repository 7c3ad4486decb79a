#pragma once
// What the actions do while a text is open in the reading pane.
#include "core/view/app_state.hpp"

namespace lomperi::view {

// Opens the text in place of either screen, its first word shown as if
// typed. Its words are looked up as Finnish, whatever the dictionary searched.
void open_reading(AppState& state, const action::OpenReading& open);

// The actions of the reading pane; the others do nothing there.
void apply_in_reading(AppState& state, ReadingState& reading, const Action& action);

// Moves the first shown line so that the current word is on screen.
void keep_current_word_in_view(ReadingState& reading);

// Opening or wrapping a long text stops once the program is asked to end,
// so that the terminal is given back at once.
bool asked_to_end();

}  // namespace lomperi::view

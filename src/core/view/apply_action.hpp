#pragma once
#include "core/view/action.hpp"
#include "core/view/app_state.hpp"

namespace lomperi::view {

// The only place where input changes AppState. Every action first advances
// `revision`, whatever it then does.
void apply_action(AppState& state, const Action& action);

}  // namespace lomperi::view

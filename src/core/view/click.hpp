#pragma once
#include <cstdint>
#include <optional>

#include "core/view/action.hpp"
#include "core/view/app_state.hpp"
#include "core/view/view_cache.hpp"

namespace lomperi::view {

// The action a left-button press at a screen cell asks for, judged against
// what the last draw recorded.
std::optional<Action> click_action(const ViewCache& cache, const AppState& state, std::uint16_t column,
                                   std::uint16_t row);

}  // namespace lomperi::view
